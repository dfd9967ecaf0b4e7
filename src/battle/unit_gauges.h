// The small gauges every unit carries over the field while a party unit chooses its command:
// hit points, magic points for the party's casters, status icons above and defence buffs below.
// Also the textured quad given by four world points that the selection ring is drawn with.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"
#include "platform/common/math3d.h"

// The full length of a bar's fill; the frame is 4 pixels wider.
constexpr float UNIT_GAUGE_LENGTH = 36.0f;

// The fill of a gauge length long showing current of maximum: nothing when maximum is 0. A
// record from a save file may hold more than its maximum or less than nothing; the fill stays
// inside the frame either way. Every gauge of the battle is cut to this.
float GaugeFill(float length, int32_t current, int32_t maximum);

// The gauges of every battle unit in the dynamic slots, in slot order.
void DrawAllUnitGauges();
// The gauges of one unit, laid out from the screen point of its feet.
void DrawUnitGauges(const BattleUnit* unit);
// A framed bar filled GaugeFill(length, current, maximum) pixels, cut from the party's row or
// the enemies' by side.
void DrawHpBar(int32_t side, float x, float y, float length, int32_t current, int32_t maximum);
void DrawMpBar(float x, float y, float length, int32_t current, int32_t maximum);
// Poison then paralysis, left to right, leaving no gap for an icon not shown.
void DrawUnitStatusIcons(float x, float y, uint32_t statusBits);
// Defence then magic defence, each shown while its buff is above 0, packed the same way.
void DrawBuffIcons(float x, float y, float defenceBuff, float magicDefenceBuff);
// Corners in fan order with texture corners (0, 0), (1, 0), (1, 1), (0, 1), drawn white under
// the identity world matrix. An index outside the texture table draws nothing.
void DrawQuadCorners(const Vec3 (&corners)[4], int textureIndex);
