// NPCs and placement objects.
#include "field/map_objects.h"

#include <cmath>

#include "engine/keyboard.h"
#include "engine/random.h"
#include "event/event_pack.h"
#include "event/event_runner.h"
#include "field/map_data.h"
#include "field/party.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

namespace {

NpcPayload* Npc(FieldActor* actor) {
    // Every NPC step state is given &npc->actor, the first member of a standard-layout
    // NpcPayload; the two are pointer-interconvertible, so this cast is defined.
    return reinterpret_cast<NpcPayload*>(actor);
}

int32_t CellOf(const Vec3& p) {
    return WorldToMapCell(p.x, p.z);
}

void MarkOwnCell(const FieldActor* actor) {
    SetCollisionCell(actor->head.position.x, actor->head.position.z, COLLISION_BLOCKED);
}

void TalkToNpc(NpcPayload* npc, FieldStepFn next) {
    if (!IsConfirmTriggered()) {
        return;
    }
    FaceNpcAndPlayer(npc);
    // The NPC moves on whether or not the event could start.
    StartEvent(npc->eventNumber);
    npc->actor.stepFn = next;
    npc->waitCounter = 0;
}

FieldStepFn NpcContinuation(int32_t direction) {
    switch (direction) {
        case 0:
            return ContinueNpcMove0;
        case 90:
            return ContinueNpcMove90;
        case 180:
            return ContinueNpcMove180;
        default:
            return ContinueNpcMove270;
    }
}

int32_t ContinuationDirection(FieldStepFn fn) {
    if (fn == ContinueNpcMove0) {
        return 0;
    }
    if (fn == ContinueNpcMove90) {
        return 90;
    }
    if (fn == ContinueNpcMove180) {
        return 180;
    }
    if (fn == ContinueNpcMove270) {
        return 270;
    }
    return -1;
}

bool TryMoveAhead(FieldActor* actor, int32_t direction) {
    if (GetCellAhead(actor->head.position.x, actor->head.position.z,
                     static_cast<float>(direction)) >= 1) {
        return false;
    }
    OffsetByDirection(&actor->head.position.x, &actor->head.position.z,
                      static_cast<float>(direction), 0.25f);
    actor->stepFn = NpcContinuation(direction);
    actor->subStepCounter += 1;
    return true;
}

// The chosen direction, else the perpendicular its toggle picks, else the toggle flips.
void TryNpcMove(FieldActor* actor, int32_t direction) {
    if (TryMoveAhead(actor, direction)) {
        return;
    }
    const bool horizontal = direction == 0 || direction == 180;
    int32_t* toggle = horizontal ? &actor->slideToggleZ : &actor->slideToggleX;
    const int32_t side = horizontal ? (*toggle == 1 ? 90 : 270) : (*toggle == 0 ? 0 : 180);
    if (!TryMoveAhead(actor, side)) {
        *toggle = 1 - *toggle;
    }
}

void UpdateNpcOccupancy(FieldActor* actor) {
    const int32_t direction = ContinuationDirection(actor->stepFn);
    if (direction < 0) {
        return;
    }
    float aheadX = actor->head.position.x;
    float aheadZ = actor->head.position.z;
    OffsetByDirection(&aheadX, &aheadZ, static_cast<float>(direction), 2.0f);
    SetCollisionCell(aheadX, aheadZ, COLLISION_BLOCKED);
    SetCollisionCell(actor->head.position.x, actor->head.position.z, COLLISION_FREE);
}

void StepNpcMove(FieldActor* actor, int32_t direction) {
    OffsetByDirection(&actor->head.position.x, &actor->head.position.z,
                      static_cast<float>(direction), 0.25f);
    actor->facing = static_cast<float>(direction);
    actor->targetFacing = actor->facing;
    actor->subStepCounter += 1;
    if (actor->subStepCounter > 7) {
        actor->subStepCounter = 0;
        actor->stepFn = StepNpcWanderWait;
        Npc(actor)->waitCounter = 0;
        actor->head.previousPosition = actor->head.position;
    }
}

void RoundAndSettle(FieldActor* actor) {
    RoundPositionXZ(&actor->head.position.x, &actor->head.position.z);
    actor->head.previousPosition = actor->head.position;
}

bool LeaderIdle(const PartyMemberPayload* leader) {
    return leader != nullptr && leader->actor.subStepCounter == 0 &&
           leader->actor.stepFn == StepPlayerControl;
}

bool IsPlayerOnTrigger(const StepTriggerPayload* trigger) {
    const PartyMemberPayload* leader = Leader();
    if (!LeaderIdle(leader)) {
        return false;
    }
    const Vec3& a = leader->actor.head.position;
    const Vec3& b = trigger->head.position;
    return std::fabs(a.x - b.x) <= 0.25f && std::fabs(a.z - b.z) <= 0.25f &&
           std::fabs(a.y - b.y) <= 0.25f;
}

bool ModelExists(int32_t model) {
    return model >= 0 && model < MESH_COUNT;
}

void UpdateStepTrigger(TaskSlot* slot) {
    StepTriggerPayload* trigger = TaskPayload<StepTriggerPayload>(slot);
    if (trigger->state != nullptr) {
        trigger->state(trigger);
    }
    if (trigger->head.alive == 0) {
        slot->inUse = 0;
    }
}

void UpdateAutoRunEvent(TaskSlot* slot) {
    RunStateTask<AutoRunPayload>(slot);
}

void UpdateExamineObject(TaskSlot* slot) {
    ExamineObjectPayload* object = TaskPayload<ExamineObjectPayload>(slot);
    const Vec3& p = object->head.position;
    SetCollisionCell(p.x, p.z, COLLISION_BLOCKED);
    object->state(object);
    if (object->head.alive == 0) {
        SetCollisionCell(p.x, p.z, COLLISION_FREE);
        slot->inUse = 0;
    }
}

void DrawExamineObject(TaskSlot* slot) {
    const ExamineObjectPayload* object = TaskPayload<ExamineObjectPayload>(slot);
    const Vec3& p = object->head.position;
    if (!ModelExists(object->modelIndex) ||
        !IsSphereVisible(p.x, p.y, p.z, MAP_OBJECT_VIEW_RADIUS)) {
        return;
    }
    Mat4 world;
    float yaw = 270.0f;
    BuildWorldMatrix(&world, p, &yaw);
    DrawMesh(&meshTable[object->modelIndex], world);
}

}  // namespace

void DrawNothing(TaskSlot*) {}

// Each head is reached as a member of the slot's real payload type, never by reading one
// payload struct as another, which the aliasing rules leave undefined.
FieldActorHead* ActorHead(TaskSlot* slot) {
    if (FieldActor* actor = WalkingActor(slot)) {
        return &actor->head;
    }
    switch (slot->kind) {
        case TASK_KIND_STEP_TRIGGER:
            return &TaskPayload<StepTriggerPayload>(slot)->head;
        case TASK_KIND_EXAMINE_OBJECT:
            return &TaskPayload<ExamineObjectPayload>(slot)->head;
        default:
            return nullptr;
    }
}

const FieldActorHead* ActorHead(const TaskSlot* slot) {
    return ActorHead(const_cast<TaskSlot*>(slot));
}

FieldActor* WalkingActor(TaskSlot* slot) {
    switch (slot->kind) {
        case TASK_KIND_PARTY_MEMBER:
            return &TaskPayload<PartyMemberPayload>(slot)->actor;
        case TASK_KIND_NPC:
            return &TaskPayload<NpcPayload>(slot)->actor;
        default:
            return nullptr;
    }
}

bool IsPlayerAdjacent(float x, float z) {
    const PartyMemberPayload* leader = Leader();
    if (leader == nullptr) {
        return false;
    }
    const int32_t d = WorldToMapCell(x, z) - CellOf(leader->actor.head.position);
    return d == 1 || d == -1 || d == mapWidth || d == -mapWidth;
}

void FaceNpcAndPlayer(NpcPayload* npc) {
    PartyMemberPayload* leader = Leader();
    if (leader == nullptr) {
        return;
    }
    const int32_t d = CellOf(npc->actor.head.position) - CellOf(leader->actor.head.position);
    float npcFacing = npc->actor.facing;
    float leaderFacing = leader->actor.facing;
    if (d == 1) {
        npcFacing = 180.0f;
        leaderFacing = 0.0f;
    } else if (d == -1) {
        npcFacing = 0.0f;
        leaderFacing = 180.0f;
    } else if (d == mapWidth) {
        npcFacing = 90.0f;
        leaderFacing = 270.0f;
    } else if (d == -mapWidth) {
        npcFacing = 270.0f;
        leaderFacing = 90.0f;
    }
    npc->actor.facing = npcFacing;
    leader->actor.facing = leaderFacing;
}

void FacePlayerToObject(const ExamineObjectPayload* object) {
    PartyMemberPayload* leader = Leader();
    if (leader == nullptr) {
        return;
    }
    const int32_t d = CellOf(object->head.position) - CellOf(leader->actor.head.position);
    if (d == 1) {
        leader->actor.facing = 0.0f;
    } else if (d == -1) {
        leader->actor.facing = 180.0f;
    } else if (d == mapWidth) {
        leader->actor.facing = 270.0f;
    } else if (d == -mapWidth) {
        leader->actor.facing = 90.0f;
    }
}

bool CreateNpc(float x, float y, float z, uint32_t tag, int32_t model, int32_t facing,
               int32_t pattern) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_NPC, tag, UpdateNpc, DrawNpc);
    FieldStepFn stepFn = StepNpcNone;
    switch (pattern) {
        case NPC_PATTERN_STANDING:
            stepFn = StepNpcStanding;
            break;
        case NPC_PATTERN_WANDERER:
            stepFn = StepNpcWanderWait;
            break;
        case NPC_PATTERN_TURNER:
            stepFn = StepNpcTurnWait;
            break;
        default:
            break;
    }
    NpcPayload* npc = TaskPayload<NpcPayload>(slot);
    InitFieldActor(&npc->actor, Vec3{x, y, z}, static_cast<float>(facing), stepFn);
    npc->modelIndex = model;
    npc->eventNumber = tag;
    return true;
}

bool CreateMapNpc(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                  const char* text) {
    const uint32_t model = ReadEventNumber(cursor, text);
    const uint32_t facing = ReadEventNumber(cursor, text);
    const uint32_t pattern = ReadEventNumber(cursor, text);
    return CreateNpc(x, y, z, eventNumber, static_cast<int32_t>(model),
                     static_cast<int32_t>(facing), static_cast<int32_t>(pattern));
}

bool CreateStepTrigger(float x, float y, float z, uint32_t eventNumber) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_STEP_TRIGGER, eventNumber, UpdateStepTrigger, DrawNothing);
    StepTriggerPayload* trigger = TaskPayload<StepTriggerPayload>(slot);
    trigger->head.alive = 1;
    trigger->head.position = Vec3{x, y, z};
    trigger->head.previousPosition = trigger->head.position;
    trigger->eventNumber = eventNumber;
    trigger->state = StepTriggerWaitLeave;
    return true;
}

bool CreateExamineObject(float x, float y, float z, uint32_t eventNumber, uint32_t* cursor,
                         const char* text) {
    const uint32_t model = ReadEventNumber(cursor, text);
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_DYNAMIC_FIRST, TASK_SLOT_DYNAMIC_END);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_EXAMINE_OBJECT, eventNumber, UpdateExamineObject, DrawExamineObject);
    ExamineObjectPayload* object = TaskPayload<ExamineObjectPayload>(slot);
    object->head.alive = 1;
    object->head.position = Vec3{x, y, z};
    object->head.previousPosition = object->head.position;
    object->eventNumber = eventNumber;
    object->modelIndex = static_cast<int32_t>(model);
    object->state = StepExamineObject;
    SetCollisionCell(x, z, COLLISION_BLOCKED);
    return true;
}

bool CreateAutoRunEvent(uint32_t eventNumber) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_AUTO_RUN_EVENT);
    if (slot == nullptr) {
        return false;
    }
    StartTask(slot, TASK_KIND_AUTO_RUN_EVENT, eventNumber, UpdateAutoRunEvent, DrawNothing);
    AutoRunPayload* autoRun = TaskPayload<AutoRunPayload>(slot);
    autoRun->alive = 1;
    autoRun->eventNumber = eventNumber;
    autoRun->state = StepAutoRunEvent;
    return true;
}

void UpdateNpc(TaskSlot* slot) {
    NpcPayload* npc = TaskPayload<NpcPayload>(slot);
    npc->actor.head.previousPosition = npc->actor.head.position;
    npc->actor.stepFn(&npc->actor);
}

void DrawNpc(TaskSlot* slot) {
    NpcPayload* npc = TaskPayload<NpcPayload>(slot);
    const Vec3& p = npc->actor.head.position;
    // Models come from script text; one outside the table is not drawn.
    if (!ModelExists(npc->modelIndex) || !IsSphereVisible(p.x, p.y, p.z, MAP_OBJECT_VIEW_RADIUS)) {
        return;
    }
    Mat4 world;
    BuildWorldMatrix(&world, p, &npc->actor.facing);
    DrawMesh(&meshTable[npc->modelIndex], world);
}

void StepNpcStanding(FieldActor* actor) {
    MarkOwnCell(actor);
    if (IsPlayerAdjacent(actor->head.position.x, actor->head.position.z)) {
        TalkToNpc(Npc(actor), StepNpcAfterTalk);
    }
}

void StepNpcAfterTalk(FieldActor* actor) {
    MarkOwnCell(actor);
    if (!IsPlayerAdjacent(actor->head.position.x, actor->head.position.z)) {
        actor->stepFn = StepNpcStanding;
        actor->facing = actor->targetFacing;
    }
}

void StepNpcWanderWait(FieldActor* actor) {
    NpcPayload* npc = Npc(actor);
    if (actor->subStepCounter == 0) {
        RoundAndSettle(actor);
        MarkOwnCell(actor);
        if (IsPlayerAdjacent(actor->head.position.x, actor->head.position.z)) {
            TalkToNpc(npc, StepNpcWanderAfterTalk);
            npc->waitCounter = 0;
            return;
        }
    }
    npc->waitCounter += 1;
    if (npc->waitCounter > WANDER_WAIT_FRAMES - 1) {
        npc->waitCounter = 0;
        actor->stepFn = StepNpcWanderChoose;
    }
}

void StepNpcWanderChoose(FieldActor* actor) {
    if (actor->subStepCounter == 0) {
        RoundAndSettle(actor);
    }
    // A try that finds every way blocked waits the full time again.
    actor->stepFn = StepNpcWanderWait;
    switch (RandomInt(4)) {
        case 0:
            actor->slideToggleX = 0;
            TryNpcMove(actor, 0);
            break;
        case 1:
            actor->slideToggleX = 1;
            TryNpcMove(actor, 180);
            break;
        case 2:
            actor->slideToggleZ = 0;
            TryNpcMove(actor, 270);
            break;
        default:
            actor->slideToggleZ = 1;
            TryNpcMove(actor, 90);
            break;
    }
    UpdateNpcOccupancy(actor);
}

void StepNpcWanderAfterTalk(FieldActor* actor) {
    if (!IsPlayerAdjacent(actor->head.position.x, actor->head.position.z)) {
        actor->stepFn = StepNpcWanderWait;
        actor->facing = actor->targetFacing;
    }
}

void ContinueNpcMove0(FieldActor* actor) {
    StepNpcMove(actor, 0);
}
void ContinueNpcMove90(FieldActor* actor) {
    StepNpcMove(actor, 90);
}
void ContinueNpcMove180(FieldActor* actor) {
    StepNpcMove(actor, 180);
}
void ContinueNpcMove270(FieldActor* actor) {
    StepNpcMove(actor, 270);
}

void StepNpcTurnWait(FieldActor* actor) {
    MarkOwnCell(actor);
    if (RandomInt(40) == 0) {
        actor->stepFn = StepNpcTurnPick;
    }
}

void StepNpcTurnPick(FieldActor* actor) {
    static const int32_t facings[4] = {0, 90, 180, 270};
    MarkOwnCell(actor);
    actor->facingDirection = facings[RandomInt(4)];
    actor->facing = static_cast<float>(actor->facingDirection);
    actor->targetFacing = actor->facing;
    actor->stepFn = StepNpcTurnWait;
}

void StepNpcNone(FieldActor*) {}

void StepTriggerWaitLeave(StepTriggerPayload* trigger) {
    const PartyMemberPayload* leader = Leader();
    if (LeaderIdle(leader) &&
        CellOf(leader->actor.head.position) != CellOf(trigger->head.position)) {
        trigger->state = StepTriggerFire;
    }
}

void StepTriggerFire(StepTriggerPayload* trigger) {
    if (IsPlayerOnTrigger(trigger)) {
        StartEvent(trigger->eventNumber);
        trigger->state = StepTriggerWaitLeave;
    }
}

void StepExamineObject(ExamineObjectPayload* object) {
    const Vec3& p = object->head.position;
    if (IsPlayerAdjacent(p.x, p.z) && IsConfirmTriggered()) {
        FacePlayerToObject(object);
        StartEvent(object->eventNumber);
        object->state = StepExamineObjectAfterUse;
    }
}

void StepExamineObjectAfterUse(ExamineObjectPayload* object) {
    const Vec3& p = object->head.position;
    if (!IsPlayerAdjacent(p.x, p.z)) {
        object->state = StepExamineObject;
    }
}

void StepAutoRunEvent(AutoRunPayload* autoRun) {
    StartEvent(autoRun->eventNumber);
    autoRun->alive = 0;
}
