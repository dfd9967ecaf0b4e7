// Battle units: creation, the per-frame update and drawing, and the states every turn passes.
#include "battle/battle_unit.h"

#include "battle/battle_controller.h"
#include "battle/battle_outcome.h"
#include "battle/battle_states.h"
#include "engine/keyboard.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "field/map_data.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"
#include "render/world_popups.h"

namespace {

constexpr int32_t TURN_START_COUNTDOWN = 40;
constexpr int32_t UNIT_MESSAGE_FRAMES = 60;
constexpr float SINK_STEP = 0.5f;

BattleUnit* InitBattleUnit(TaskSlot* slot, const CharacterRecord& record, float x, float y, float z,
                           float facing) {
    StartTask(slot, TASK_KIND_BATTLE_UNIT, 0, UpdateBattleUnit, DrawBattleUnit);
    BattleUnit* unit = TaskPayload<BattleUnit>(slot);
    unit->active = 1;
    unit->position = {x, y, z};
    unit->stepTarget = unit->position;
    unit->facing = facing;
    unit->stateFn = UnitIdleState;
    unit->record = record;
    unit->rosterPlace = -1;
    return unit;
}

// The unit's model, or null when a stored record names none the game has.
const MeshRecord* UnitMesh(const BattleUnit* unit) {
    const int32_t model = unit->record.modelIndex;
    return model >= 0 && model < MESH_COUNT ? &meshTable[model] : nullptr;
}

}  // namespace

int CreateBattleUnit(const CharacterRecord& record, float x, float y, float z, float facing) {
    return SpawnBattleUnit(record, x, y, z, facing) != nullptr ? 1 : 0;
}

BattleUnit* SpawnBattleUnit(const CharacterRecord& record, float x, float y, float z,
                            float facing) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return nullptr;
    }
    return InitBattleUnit(slot, record, x, y, z, facing);
}

void UpdateBattleUnit(TaskSlot* slot) {
    BattleUnit* unit = TaskPayload<BattleUnit>(slot);
    if (unit->stateFn != nullptr) {
        unit->stateFn(unit);
    }
    if (unit->active == 0) {
        slot->inUse = 0;
    }
}

void DrawBattleUnit(TaskSlot* slot) {
    BattleUnit* unit = TaskPayload<BattleUnit>(slot);
    const MeshRecord* mesh = UnitMesh(unit);
    if (!IsInsideBattlefield(unit->position.x, unit->position.z) || mesh == nullptr) {
        return;
    }
    Mat4 world;
    // The facing is kept normalised by the draw, as for map actors.
    BuildWorldMatrixTilted(&world, unit->position, &unit->facing, unit->tiltX, unit->tiltZ);
    DrawMesh(mesh, world);
    if (unit->record.side != SIDE_PARTY || unit->record.characterClass != CLASS_FIGHTER) {
        return;
    }
    Vec3 emblem = unit->position;
    OffsetByAngle(&emblem.x, &emblem.z, unit->position.x, unit->position.z, unit->facing - 90.0f,
                  mesh->width / 2.0f);
    emblem.y = unit->position.y + mesh->height / 2.0f;
    float emblemYaw = unit->facing;
    BuildWorldMatrix(&world, emblem, &emblemYaw);
    DrawMesh(&meshTable[CLASS_EMBLEM_MODEL], world);
}

BattleUnit* LiveBattleUnitAt(int slot) {
    if (slot < TASK_SLOT_DYNAMIC_FIRST || slot >= TASK_SLOT_DYNAMIC_END || !IsTaskSlotInUse(slot)) {
        return nullptr;
    }
    TaskSlot* task = TaskAt(slot);
    if (task->kind != TASK_KIND_BATTLE_UNIT) {
        return nullptr;
    }
    BattleUnit* unit = TaskPayload<BattleUnit>(task);
    return unit->active == 1 ? unit : nullptr;
}

int CollectSideUnits(int32_t side, BattleUnit** out, int max) {
    int count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END && count < max; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == side) {
            out[count++] = unit;
        }
    }
    return count;
}

bool IsLiveBattleUnit(const BattleUnit* unit) {
    if (unit == nullptr) {
        return false;
    }
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        if (TaskPayload<BattleUnit>(TaskAt(slot)) == unit) {
            return LiveBattleUnitAt(slot) != nullptr;
        }
    }
    return false;
}

void RemoveFromBattleList(const BattleUnit* unit) {
    BattleController* controller = ActiveBattle();
    if (controller == nullptr || controller->alive == 0) {
        return;
    }
    for (BattleUnit*& entry : controller->turnList) {
        if (entry == unit) {
            entry = nullptr;
            return;
        }
    }
}

void ClearPendingMagicDamage() {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        if (BattleUnit* unit = LiveBattleUnitAt(slot)) {
            unit->pendingMagicDamage = 0.0f;
        }
    }
}

void ResetUnitTurnState(BattleUnit* unit) {
    unit->targetCursor = 0;
    unit->target = nullptr;
    for (BattleUnit*& target : unit->targets) {
        target = nullptr;
    }
}

int CanUnitAct(const BattleUnit* unit) {
    return (unit->record.statusBits & STATUS_PARALYSIS) == 0 ? 1 : 0;
}

int IsAutoBattleOn() {
    const BattleController* controller = ActiveBattle();
    return controller != nullptr && controller->autoBattle != 0 ? 1 : 0;
}

int IsEscaping() {
    const BattleController* controller = ActiveBattle();
    return controller != nullptr && controller->escaping != 0 ? 1 : 0;
}

int IsScriptedBattle() {
    const BattleController* controller = ActiveBattle();
    return controller != nullptr && controller->scripted != 0 ? 1 : 0;
}

int HasBattleMode(uint32_t bits) {
    const BattleController* controller = ActiveBattle();
    return controller != nullptr && (controller->mode & bits) != 0 ? 1 : 0;
}

void UnitIdleState(BattleUnit* unit) {
    SnapToCellCentre(unit->position.x, unit->position.z, BATTLE_GRID_SIZE, BATTLE_GRID_SIZE,
                     &unit->position.x, &unit->position.z);
}

void TurnStartState(BattleUnit* unit) {
    ResetUnitTurnState(unit);
    unit->countdown = TURN_START_COUNTDOWN;
    unit->guard = 0.0f;
    ClearPendingMagicDamage();
    if (unit->record.side != SIDE_PARTY) {
        unit->stateFn = EnemyTurnDelayState;
    } else if (IsAutoBattleOn() != 0) {
        unit->stateFn = AutoBattleTurnState;
    } else if (IsEscaping() != 0) {
        unit->stateFn = EscapeWalkState;
    } else if (HasBattleMode(BATTLE_MODE_TEAM_LEAVING) != 0) {
        unit->stateFn = WalkOffFieldState;
    } else if (HasBattleMode(BATTLE_MODE_TEAM_ENTERING) != 0) {
        unit->stateFn = WalkToHomeCellState;
    } else {
        unit->stateFn = BeginCommandTurn;
    }
}

void BeginCommandTurn(BattleUnit* unit) {
    if (CanUnitAct(unit) != 0) {
        unit->promptCursor = 0;
        unit->stateFn = CommandMenuState;
    } else {
        unit->countdown = UNIT_MESSAGE_FRAMES;
        unit->stateFn = ParalysedMessageState;
    }
}

void ParalysedMessageState(BattleUnit* unit) {
    --unit->countdown;
    if (IsConfirmTriggered() != 0 || unit->countdown <= 0) {
        unit->countdown = 0;
        unit->stateFn = TurnEndState;
    }
}

void TurnEndState(BattleUnit* unit) {
    if (TaskKindExists(TASK_KIND_DAMAGE_DIGIT) || TaskKindExists(TASK_KIND_WORLD_POPUP)) {
        return;
    }
    unit->stateFn = UnitIdleState;
    if ((unit->record.statusBits & STATUS_POISON) == 0) {
        return;
    }
    // Held at the bottom: a save's lowest hit points must still fall, not wrap to the top.
    unit->record.hp = SaturatingSub(unit->record.hp, POISON_DAMAGE);
    SpawnDamageNumber(unit->position, static_cast<float>(POISON_DAMAGE), 0);
    if (unit->record.hp <= 0) {
        unit->record.hp = 0;
        unit->stateFn = RunSinking;
        RequestSound(SOUND_UNIT_DOWN, 0);
    }
}

void HitReactionState(BattleUnit* unit) {
    --unit->hitTimer;
    if (unit->hitTimer > 0) {
        return;
    }
    if (unit->record.hp > 0) {
        unit->stateFn = UnitIdleState;
        unit->tiltX = 0.0f;
        unit->tiltZ = 0.0f;
    } else {
        unit->stateFn = RunSinking;
        RequestSound(SOUND_UNIT_DOWN, 0);
    }
}

void RunSinking(BattleUnit* unit) {
    unit->position.y -= SINK_STEP;
    const MeshRecord* mesh = UnitMesh(unit);
    const float height = mesh != nullptr ? mesh->height : 0.0f;
    if (unit->position.y + height + 1.0f >= 0.0f) {
        return;
    }
    unit->active = 0;
    unit->record.hp = 1;
    unit->record.mp = 0;
    if (unit->record.side == SIDE_PARTY) {
        StorePartyUnitRecord(unit);
    }
    RemoveFromBattleList(unit);
}
