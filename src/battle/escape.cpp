// The party's escape and an enemy's flight: the clear-line test, the attempt, the turn list the
// escape leaves the others, the walk off the field and the failed attempt's message.
#include "battle/escape.h"

#include <cstdio>

#include "battle/battle_controller.h"
#include "battle/battle_field.h"
#include "battle/battle_outcome.h"
#include "battle/battle_states.h"
#include "data/atlas_battle_commands.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "field/map_data.h"
#include "platform/system.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

// A line across the whole field needs fewer probes than this, so only a heading the probe
// cannot move along reaches it.
constexpr int EXIT_PROBE_LIMIT = BATTLE_GRID_SIZE + 1;
// A footstep every this many frames of walking out.
constexpr int32_t WALK_OUT_FOOTSTEP_FRAMES = 4;
constexpr float ESCAPE_FAILED_FRAME_Y = 120.0f;
constexpr float ESCAPE_FAILED_MESSAGE_Y = 121.0f;

// The unit is off the field for good: the party keeps its record, and no turn waits for it.
void LeaveField(BattleUnit* unit) {
    if (unit->record.side == SIDE_PARTY) {
        StorePartyUnitRecord(unit);
    }
    unit->active = 0;
    RemoveFromBattleList(unit);
}

}  // namespace

int IsFoeNear(float x, float z, const BattleUnit* self, int32_t side) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit != self && unit->record.side != side &&
            GetGroundDistance(unit->position.x, unit->position.z, x, z) < FOE_NEAR_DISTANCE) {
            return 1;
        }
    }
    return 0;
}

int IsExitPathBlocked(const BattleUnit* unit, float heading) {
    float x = unit->position.x;
    float z = unit->position.z;
    for (int probe = 0; probe < EXIT_PROBE_LIMIT; ++probe) {
        if (!IsInsideBattlefield(x, z)) {
            return 0;
        }
        OffsetByDirection(&x, &z, heading, EXIT_PROBE_STEP);
        if (IsFoeNear(x, z, unit, unit->record.side) != 0) {
            return 1;
        }
    }
    return 1;
}

void TryEscape(BattleUnit* unit) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* member = LiveBattleUnitAt(slot);
        if (member != nullptr && member->record.side == SIDE_PARTY &&
            IsExitPathBlocked(member, ESCAPE_HEADING) != 0) {
            unit->stateFn = EscapeFailedState;
            RequestSound(SOUND_FAILED, 0);
            return;
        }
    }
    if (BattleController* controller = ActiveBattle()) {
        controller->escaping = 1;
        BuildEscapeTurnList(controller, unit);
    }
    unit->stateFn = EscapeWalkState;
}

void BuildEscapeTurnList(BattleController* controller, const BattleUnit* unit) {
    ClearTurnList(controller);
    BattleUnit* members[PARTY_MAX] = {};
    int count = 0;
    int found = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* member = LiveBattleUnitAt(slot);
        if (member == nullptr || member->record.side != SIDE_PARTY) {
            continue;
        }
        ++found;
        if (count < PARTY_MAX) {
            members[count++] = member;
            continue;
        }
        char text[64];
        std::snprintf(text, sizeof text, "パーティーの数がPARTY_MAXを超えました %d", found);
        PlatformShowMessage("", text);
    }
    // Without the unit among them (a fifth unit escaping), the others go in slot order.
    int at = -1;
    for (int i = 0; i < count; ++i) {
        at = members[i] == unit ? i : at;
    }
    int next = 0;
    for (int k = 1; k <= count; ++k) {
        BattleUnit* member = members[(at + k) % count];
        if (member != unit) {
            controller->turnList[next++] = member;
        }
    }
}

int WalkOutStep(BattleUnit* unit, float heading) {
    OffsetByDirection(&unit->position.x, &unit->position.z, heading, WALK_OUT_STEP);
    unit->facing = heading;
    if (++unit->animCounter >= WALK_OUT_FOOTSTEP_FRAMES) {
        unit->animCounter = 0;
        RequestSound(SOUND_FOOTSTEP, 0);
    }
    return IsInsideBattlefield(unit->position.x, unit->position.z) ? 1 : 0;
}

void EscapeWalkState(BattleUnit* unit) {
    if (WalkOutStep(unit, ESCAPE_HEADING) == 0) {
        LeaveField(unit);
    }
}

void EnemyFleeState(BattleUnit* unit) {
    if (WalkOutStep(unit, FLEE_HEADING) == 0) {
        LeaveField(unit);
    }
}

void EscapeFailedState(BattleUnit* unit) {
    if (IsConfirmTriggered()) {
        GiveTurnsToFoes();
        unit->stateFn = TurnEndState;
    }
}

void DrawEscapeFailed(const BattleUnit*) {
    DrawSpriteCentered(RECT_ESCAPE_FAILED_FRAME, ESCAPE_FAILED_FRAME_Y, ATLAS_SIZE, ATLAS_SIZE,
                       COLOUR_WHITE, uiAtlas);
    DrawSpriteCentered(RECT_ESCAPE_FAILED_MESSAGE, ESCAPE_FAILED_MESSAGE_Y, ATLAS_SIZE, ATLAS_SIZE,
                       COLOUR_WHITE, uiAtlas);
}
