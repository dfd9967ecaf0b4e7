// The skill table's effect functions, stored once at start-up.
#pragma once

void InitSkillCallbacks();
