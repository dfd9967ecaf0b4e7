// The staff roll that ends the story.
#pragma once

void CreateStaffRoll();
