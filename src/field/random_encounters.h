// Random encounters on the map and the swirl that leads into their battles.
#pragma once

// Run by the idle leader on each cell: true when an encounter started (the frame stops there).
bool CheckRandomEncounter(float x, float z);
