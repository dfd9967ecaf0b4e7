// The widgets the camp screens share, and that the battle borrows: the party list panel, a
// member's face, the status display with its icons and the list cursor. All draw untinted from
// the interface atlas.
#pragma once

#include <cstdint>

#include "field/game_state.h"

// The list's rows lie 25 pixels apart, the first 20 below the list's top.
constexpr float PARTY_LIST_FIRST_ROW = 20.0f;
constexpr float PARTY_LIST_ROW_PITCH = 25.0f;

// The panel of count records (held within 0..PARTY_MAX) over the backdrop at (x, y): per row
// name, hit and magic points with their maximums, level and status. With faceIndex 0 or more,
// the face of that roster member beside the list. Only the backdrop follows x; the columns keep
// their screen positions.
void DrawPartyList(float x, float y, const CharacterRecord* records, int32_t count,
                   int32_t faceIndex);
// The face of roster member index, whatever list is shown; nothing for an index outside the
// roster.
void DrawMemberFace(float x, float y, int32_t index);
// The normal-state image when no status bit is set, else the member's status icons.
void DrawStatus(float x, float y, uint32_t statusBits);
// Poison, then paralysis 8 pixels past the poison icon's right edge (or in its place when the
// member is not poisoned). Other bits show nothing.
void DrawMemberStatusIcons(float x, float y, uint32_t statusBits);
// The cursor hand on row index of a list whose rows lie pitch apart from y.
void DrawListCursor(float x, float y, float pitch, int index);
