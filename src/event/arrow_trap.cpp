// The arrow trap.
#include "event/arrow_trap.h"

#include <cmath>

#include "engine/saturating.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/party.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"
#include "render/world_popups.h"

namespace {

constexpr uint32_t MESH_ROW_SHOT = 0;
constexpr uint32_t MESH_ROW_FLASH = 1;
constexpr int DAMAGE_STYLE = 0;

// The shot and its hit flash, by mesh row.
constexpr int arrowMeshes[2] = {PRIMITIVE_SMALL_SPHERE, PRIMITIVE_RED_SPHERE};

// The first visible party member whose ground distance from the shot is below the reach. The
// hidden members (beyond the party count) walk behind unseen and have no record to hurt.
PartyMemberPayload* FindHitTarget(const Vec3& shot) {
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot->inUse == 0 || slot->kind != TASK_KIND_PARTY_MEMBER) {
            continue;
        }
        PartyMemberPayload* member = TaskPayload<PartyMemberPayload>(slot);
        if (member->memberIndex < 0 || member->memberIndex >= partyCount ||
            member->memberIndex >= PARTY_MAX) {
            continue;
        }
        const Vec3& p = member->actor.head.position;
        if (GetGroundDistance(shot.x, shot.z, p.x, p.z) < TRAP_ARROW_REACH) {
            return member;
        }
    }
    return nullptr;
}

bool MoveShot(TrapArrowPayload* arrow) {
    switch (arrow->direction) {
        case 0:
            arrow->position.x += TRAP_ARROW_SPEED;
            return true;
        case 90:
            arrow->position.z += TRAP_ARROW_SPEED;
            return true;
        case 180:
            arrow->position.x -= TRAP_ARROW_SPEED;
            return true;
        case 270:
            arrow->position.z -= TRAP_ARROW_SPEED;
            return true;
        default:
            return false;
    }
}

void DrawTrapArrow(TaskSlot* slot) {
    const TrapArrowPayload* arrow = TaskPayload<TrapArrowPayload>(slot);
    const int mesh = arrowMeshes[arrow->meshRow == MESH_ROW_FLASH ? 1 : 0];
    DrawPrimitiveMeshAt(&primitiveMeshes[mesh], arrow->position);
}

}  // namespace

bool CreateTrapArrow(int32_t column, int32_t row, int32_t direction) {
    if (column < 0 || column >= mapWidth || row < 0 || row >= mapHeight) {
        return false;
    }
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_TRAP_ARROW, 0, RunStateTask<TrapArrowPayload>, DrawTrapArrow);
    TrapArrowPayload* arrow = TaskPayload<TrapArrowPayload>(slot);
    arrow->alive = 1;
    CellToWorld(column, row, &arrow->position.x, &arrow->position.z);
    arrow->position.y = TRAP_ARROW_HEIGHT;
    arrow->direction = direction;
    arrow->counter = TRAP_ARROW_DELAY;
    arrow->meshRow = MESH_ROW_SHOT;
    arrow->state = WaitTrapArrow;
    return true;
}

void WaitTrapArrow(TrapArrowPayload* arrow) {
    arrow->counter -= 1;
    if (arrow->counter <= 0) {
        arrow->counter = 0;
        arrow->state = FlyTrapArrow;
        RequestSound(SOUND_SWING, 0);
    }
}

void FlyTrapArrow(TrapArrowPayload* arrow) {
    const bool moved = MoveShot(arrow);
    if (PartyMemberPayload* member = FindHitTarget(arrow->position)) {
        CharacterRecord& record = partyRoster[member->memberIndex];
        // Held at the bottom: a save's lowest hit points must not wrap to the top.
        record.hp = SaturatingSub(record.hp, TRAP_ARROW_DAMAGE);
        if (record.hp <= 0) {
            record.hp = 1;
        }
        arrow->counter = TRAP_ARROW_FLASH_FRAMES;
        arrow->meshRow = MESH_ROW_FLASH;
        arrow->state = EndTrapArrow;
        RequestSound(SOUND_HIT, 0);
        SpawnDamageNumber(member->actor.head.position, static_cast<float>(TRAP_ARROW_DAMAGE),
                          DAMAGE_STYLE);
        return;
    }
    // A shot that misses everyone ends once it has left the map, and one that cannot move at
    // once: the event waits for it and must not wait for good.
    const bool offMap = std::fabs(arrow->position.x) > static_cast<float>(mapWidth) ||
                        std::fabs(arrow->position.z) > static_cast<float>(mapHeight);
    if (!moved || offMap) {
        arrow->alive = 0;
    }
}

void EndTrapArrow(TrapArrowPayload* arrow) {
    arrow->counter -= 1;
    if (arrow->counter < 1) {
        arrow->alive = 0;
    }
}

void EventCmdArrowTrap(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t direction = ReadCommandNumber(runner);
    // Numbers past the int range wrap to negatives: cells off the map, no direction.
    CreateTrapArrow(static_cast<int32_t>(column), static_cast<int32_t>(row),
                    static_cast<int32_t>(direction));
    runner->state = WaitTrapArrowDone;
}

void WaitTrapArrowDone(EventRunnerPayload* runner) {
    if (!TaskKindExists(TASK_KIND_TRAP_ARROW)) {
        runner->state = NextEventCommand;
    }
}
