// Walking a planned path on the battle field: one cell per step, each step an exact move from a
// cell centre to a neighbouring one over four frames, so a walking unit always ends on a centre.
// The approach walk hands over to the melee strike as soon as its target is within reach; the
// retreat walk follows its whole path and then ends the unit's action. The states themselves are
// declared with the others in battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

constexpr int32_t STEP_FRAMES = 4;
constexpr float STEP_PER_FRAME = 0.5f;

// Sets stepHeading towards the cell of stepTarget when it neighbours the cell of position
// (diagonals included); any other cell, the same one included, keeps the heading there was.
void SetHeadingFromCellDelta(BattleUnit* unit);
// One frame of a step: turns the unit to stepHeading and moves it 0.5 on each axis the heading
// changes. A heading that is not one of the eight compass headings moves and turns nothing.
void StepAlongHeading(BattleUnit* unit);
// The unit's target while it is on the field and within reach; else the first unit of the other
// side in slot order within reach, which becomes the target; else null (the target stays).
BattleUnit* FindMeleeTarget(BattleUnit* unit, float reach);
// The first unit of the side in slot order at most reach away, on the ground plane. Whether it
// still has hit points is not asked: fallen units leave the field before the next action.
BattleUnit* FindSideUnitWithin(const BattleUnit* unit, int32_t side, float reach);
// The distance between two units on the ground plane.
float UnitGroundDistance(const BattleUnit* a, const BattleUnit* b);
