// The two teams that take turns on the field, the party and the familiars the summon makes of a
// party fighter: one team walks off the south edge a unit a turn, then the other walks in from
// beyond it to home cells near the centre. The states, the summon and the swap are declared with
// the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"
#include "field/game_state.h"

constexpr int HOME_CELL_COUNT = 40;
// Home cells by x and z: four rows from the centre southward, each filled from the centre out,
// right first.
extern const float HOME_CELLS[HOME_CELL_COUNT][2];
// An entering team starts this far south, off the grid; a leaving unit is gone past TEAM_EXIT_Z.
constexpr float TEAM_ENTRY_Z = -19.0f;
constexpr float TEAM_EXIT_Z = -18.0f;
constexpr float TEAM_WALK_STEP = 0.5f;
// A unit this near a point, on the ground plane, stands on it.
constexpr float HOME_NEAR_DISTANCE = 0.5f;

// Creates the team's units from the records, each on the first home cell nobody stands near and
// no earlier record took, at TEAM_ENTRY_Z. Records of the roster keep their roster place. A unit
// that finds no cell or no slot is left out: the number created.
int PlaceTeamOnBattleField(const CharacterRecord* records, int32_t count);
// 1 when a battle unit of either side stands near (x, z).
int IsUnitNearPoint(float x, float z);
// A battle unit like SpawnBattleUnit's, with a home position at (homeX, y, homeZ): null when no
// slot is free.
BattleUnit* CreateBattleUnitWithHome(const CharacterRecord& record, float x, float y, float z,
                                     float facing, float homeX, float homeZ);
// The familiar's prompt to hand the field back to the party.
void DrawTurnChoicePrompt(const BattleUnit* unit);
