// Party on the map.
#include "field/party.h"

#include <cmath>

#include "battle/inventory.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/random_encounters.h"
#include "menu/system_menu.h"
#include "render/graphics_device.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"
#include "render/world_draw.h"

namespace {

PartyMemberPayload* Member(FieldActor* actor) {
    // Every member step state is given &member->actor, the first member of a standard-layout
    // PartyMemberPayload; the two are pointer-interconvertible, so this cast is defined.
    return reinterpret_cast<PartyMemberPayload*>(actor);
}

void MoveAlong(Vec3* position, float direction) {
    OffsetByDirection(&position->x, &position->z, direction, STEP_LENGTH);
}

float GroundDistance(const Vec3& a, const Vec3& b) {
    return GetGroundDistance(a.x, a.z, b.x, b.z);
}

FieldStepFn PlayerContinuation(int32_t direction) {
    switch (direction) {
        case 0:
            return ContinueStep0;
        case 90:
            return ContinueStep90;
        case 180:
            return ContinueStep180;
        default:
            return ContinueStep270;
    }
}

FieldStepFn FollowContinuation(int32_t direction) {
    switch (direction) {
        case 0:
            return ContinueFollow0;
        case 90:
            return ContinueFollow90;
        case 180:
            return ContinueFollow180;
        default:
            return ContinueFollow270;
    }
}

bool IsPlayerContinuation(FieldStepFn fn) {
    return fn == ContinueStep0 || fn == ContinueStep90 || fn == ContinueStep180 ||
           fn == ContinueStep270;
}

void SnapToCentre(Vec3* position) {
    SnapToCellCentre(position->x, position->z, mapWidth, mapHeight, &position->x, &position->z);
}

void BeginStep(FieldActor* actor, int32_t direction) {
    MoveAlong(&actor->head.position, static_cast<float>(direction));
    actor->facingDirection = direction;
    actor->stepFn = PlayerContinuation(direction);
    actor->subStepCounter -= 1;
}

void TryPlayerMove(FieldActor* actor, int32_t direction) {
    const Vec3& p = actor->head.position;
    switch (GetCellAhead(p.x, p.z, static_cast<float>(direction))) {
        case COLLISION_FREE:
            BeginStep(actor, direction);
            break;
        case COLLISION_WALL: {
            // Slide along the wall to the side the last perpendicular key chose; when that
            // side is a wall too, the other side is tried next frame.
            const bool horizontal = direction == 0 || direction == 180;
            int32_t* toggle = horizontal ? &actor->slideToggleZ : &actor->slideToggleX;
            const int32_t side = horizontal ? (*toggle == 0 ? 270 : 90) : (*toggle == 0 ? 0 : 180);
            const int8_t beside = GetCellAhead(p.x, p.z, static_cast<float>(side));
            if (beside == COLLISION_FREE) {
                BeginStep(actor, side);
            } else if (beside == COLLISION_WALL) {
                *toggle = 1 - *toggle;
            }
            break;
        }
        case COLLISION_LIQUID:
            actor->facingDirection = direction;
            actor->facing = static_cast<float>(direction);
            if (HasItem(BOAT_ITEM)) {
                StartForcedWalk(p.x, FIELD_ACTOR_HEIGHT, p.z, direction);
            }
            break;
        default:
            break;
    }
}

void StepPlayerMove(FieldActor* actor, int32_t direction) {
    MoveAlong(&actor->head.position, static_cast<float>(direction));
    actor->subStepCounter -= 1;
    if (actor->subStepCounter < 1) {
        actor->subStepCounter = 0;
        actor->stepFn = StepPlayerControl;
        actor->head.previousPosition = actor->head.position;
        if (encounterGroup > 0) {
            CountEncounterStep();
        }
    }
}

void StepFollowMove(FieldActor* actor, int32_t direction) {
    MoveAlong(&actor->head.position, static_cast<float>(direction));
    actor->subStepCounter -= 1;
    if (actor->subStepCounter < 1) {
        actor->subStepCounter = 0;
        actor->stepFn = StepFollowLeader;
        actor->head.previousPosition = actor->head.position;
    }
}

// The grid direction from one cell to a neighbouring one, or -1 when they are not neighbours.
int32_t NeighbourDirection(const Vec3& from, const Vec3& to) {
    const int32_t difference = WorldToMapCell(from.x, from.z) - WorldToMapCell(to.x, to.z);
    if (difference == -1) {
        return 0;
    }
    if (difference == 1) {
        return 180;
    }
    if (difference == -mapWidth) {
        return 270;
    }
    if (difference == mapWidth) {
        return 90;
    }
    return -1;
}

void StepMemberToward(FieldActor* actor, const Vec3& target) {
    if (actor->subStepCounter == STEP_SUB_STEPS) {
        const int32_t direction = NeighbourDirection(actor->head.position, target);
        if (direction >= 0) {
            actor->facingDirection = direction;
            actor->facing = static_cast<float>(direction);
            actor->targetFacing = static_cast<float>(direction);
            MoveAlong(&actor->head.position, static_cast<float>(direction));
            actor->subStepCounter -= 1;
        } else if (WorldToMapCell(actor->head.position.x, actor->head.position.z) !=
                   WorldToMapCell(target.x, target.z)) {
            // Left behind out of reach (a script moved the member ahead away): it joins on the
            // target's cell rather than freeze the crossing for good.
            SnapToCellCentre(target.x, target.z, mapWidth, mapHeight, &actor->head.position.x,
                             &actor->head.position.z);
        }
    } else {
        MoveAlong(&actor->head.position, static_cast<float>(actor->facingDirection));
        actor->subStepCounter -= 1;
        if (actor->subStepCounter < 1) {
            actor->subStepCounter = STEP_SUB_STEPS;
        }
    }
    actor->head.previousPosition = actor->head.position;
}

void EndMarker(WalkMarkerPayload* marker) {
    marker->alive = 0;
}

void StartSlide(WalkMarkerPayload* marker) {
    MoveAlong(&marker->position, static_cast<float>(marker->direction));
    marker->subStepCounter -= 1;
    switch (marker->direction) {
        case 0:
            marker->state = SlideDir0;
            break;
        case 90:
            marker->state = SlideDir90;
            break;
        case 180:
            marker->state = SlideDir180;
            break;
        default:
            marker->state = SlideDir270;
            break;
    }
}

void ContinueSlide(WalkMarkerPayload* marker) {
    MoveAlong(&marker->position, static_cast<float>(marker->direction));
    marker->subStepCounter -= 1;
    if (marker->subStepCounter < 1) {
        marker->subStepCounter = 0;
        marker->state = HandleFieldInput;
    }
    PlaceParty(marker->position.x, marker->position.z, static_cast<float>(marker->direction));
}

void DrawWalkMarker(TaskSlot* slot) {
    const WalkMarkerPayload* marker = TaskPayload<WalkMarkerPayload>(slot);
    WorldVertex corners[4];
    const float angles[4] = {45.0f, 135.0f, 225.0f, 315.0f};
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        const float a = angles[i] * DEGREES_TO_RADIANS;
        SetWorldVertex(&corners[i], marker->position.x + 1.4f * std::cos(a), marker->position.y,
                       marker->position.z + 1.4f * std::sin(a), uv[i][0], uv[i][1]);
    }
    SetWorldTransform(MatrixIdentity());
    const int texture =
        marker->texture >= 0 && marker->texture < TEXTURE_COUNT ? marker->texture : 0;
    DrawWorldQuad(corners, COLOUR_WHITE, textures[texture]);
}

}  // namespace

PartyMemberPayload* PartyMemberAt(int slot) {
    if (slot < TASK_SLOT_PARTY_FIRST || slot >= TASK_SLOT_PARTY_END) {
        return nullptr;
    }
    TaskSlot* task = TaskAt(slot);
    if (task == nullptr || task->inUse == 0 || task->kind != TASK_KIND_PARTY_MEMBER) {
        return nullptr;
    }
    return TaskPayload<PartyMemberPayload>(task);
}

PartyMemberPayload* Leader() {
    return PartyMemberAt(0);
}

PartyMemberPayload* CreatePartyMemberTask(float x, float y, float z, float facing, int32_t index,
                                          bool frozen, uint32_t tag, PartyMemberPayload* ahead) {
    TaskSlot* slot = AllocTaskInRange(TASK_SLOT_PARTY_FIRST, TASK_SLOT_PARTY_END);
    if (slot == nullptr) {
        return nullptr;
    }
    StartTask(slot, TASK_KIND_PARTY_MEMBER, tag, UpdatePartyMember, DrawPartyMember);
    PartyMemberPayload* member = TaskPayload<PartyMemberPayload>(slot);
    InitFieldActor(&member->actor, Vec3{x, y, z}, facing,
                   frozen ? StepStandStill : (index > 0 ? StepFollowLeader : StepPlayerControl));
    member->memberIndex = index;
    member->memberAhead = ahead;
    return member;
}

bool CreatePartyTasks(int32_t, float x, float y, float z, float facing, bool frozen) {
    // All four always exist; those beyond partyCount follow unseen.
    PartyMemberPayload* ahead = nullptr;
    for (int32_t i = 0; i < PARTY_MAX; ++i) {
        ahead = CreatePartyMemberTask(x, y, z, facing, i, frozen, PARTY_TAG_FIRST + i, ahead);
        if (ahead == nullptr) {
            return false;
        }
    }
    return true;
}

void PlaceParty(float x, float z, float direction) {
    for (int slot = TASK_SLOT_PARTY_FIRST; slot < TASK_SLOT_PARTY_END; ++slot) {
        PartyMemberPayload* member = PartyMemberAt(slot);
        if (member == nullptr) {
            continue;
        }
        FieldActor& actor = member->actor;
        actor.head.position.x = x;
        actor.head.position.z = z;
        actor.head.previousPosition = actor.head.position;
        actor.facingDirection = static_cast<int32_t>(direction);
        actor.facing = direction;
        actor.targetFacing = direction;
    }
}

bool IsHiddenByMemberAhead(const TaskSlot* slot) {
    const int index = TaskSlotIndex(slot);
    const PartyMemberPayload* self = TaskPayload<PartyMemberPayload>(slot);
    for (int lower = TASK_SLOT_PARTY_FIRST; lower < index; ++lower) {
        const PartyMemberPayload* other = PartyMemberAt(lower);
        if (other != nullptr &&
            GroundDistance(other->actor.head.position, self->actor.head.position) <= STEP_LENGTH) {
            return true;
        }
    }
    return false;
}

void FaceMoveDirection(FieldActor* actor) {
    if (GroundDistance(actor->head.previousPosition, actor->head.position) >= STEP_LENGTH) {
        actor->facing = std::round(GetAngleBetween(actor->head.previousPosition.x,
                                                   actor->head.previousPosition.z,
                                                   actor->head.position.x, actor->head.position.z));
    }
}

void CountEncounterStep() {
    if (encounterStepsLeft > 0) {
        encounterStepsLeft -= 1;
    }
}

void UpdatePartyMember(TaskSlot* slot) {
    PartyMemberPayload* member = TaskPayload<PartyMemberPayload>(slot);
    member->actor.stepFn(&member->actor);
    if (IsKeyHeld(KEY_A)) {
        encounterStepsLeft = encounterInterval;
    }
    FaceMoveDirection(&member->actor);
    if (member->actor.head.alive == 0) {
        slot->inUse = 0;
    }
}

void DrawPartyMember(TaskSlot* slot) {
    PartyMemberPayload* member = TaskPayload<PartyMemberPayload>(slot);
    Mat4 world;
    BuildWorldMatrix(&world, member->actor.head.position, &member->actor.facing);
    if (IsHiddenByMemberAhead(slot) || member->memberIndex >= partyCount ||
        member->memberIndex < 0) {
        return;
    }
    // Roster records come from save files; a model outside the table is not drawn.
    const int32_t model = partyRoster[member->memberIndex].modelIndex;
    if (model < 0 || model >= MESH_COUNT) {
        return;
    }
    DrawMesh(&meshTable[model], world);
}

void StepPlayerControl(FieldActor* actor) {
    if (actor->subStepCounter == 0) {
        SnapToCentre(&actor->head.position);
        actor->head.previousPosition = actor->head.position;
        SetCollisionCell(actor->head.position.x, actor->head.position.z, COLLISION_BLOCKED);
        if (CheckRandomEncounter(actor->head.position.x, actor->head.position.z) ||
            CheckOpenSystemMenu()) {
            return;
        }
    }
    if (IsKeyHeld(KEY_RIGHT)) {
        actor->slideToggleX = 0;
        actor->subStepCounter = STEP_SUB_STEPS;
        TryPlayerMove(actor, 0);
    } else if (IsKeyHeld(KEY_LEFT)) {
        actor->slideToggleX = 1;
        actor->subStepCounter = STEP_SUB_STEPS;
        TryPlayerMove(actor, 180);
    } else if (IsKeyHeld(KEY_DOWN)) {
        actor->slideToggleZ = 0;
        actor->subStepCounter = STEP_SUB_STEPS;
        TryPlayerMove(actor, 270);
    } else if (IsKeyHeld(KEY_UP)) {
        actor->slideToggleZ = 1;
        actor->subStepCounter = STEP_SUB_STEPS;
        TryPlayerMove(actor, 90);
    }
    if (IsPlayerContinuation(actor->stepFn)) {
        // The cell ahead is taken and the one left is free from the step's first frame.
        float aheadX = actor->head.position.x;
        float aheadZ = actor->head.position.z;
        OffsetByDirection(&aheadX, &aheadZ, static_cast<float>(actor->facingDirection), 2.0f);
        SetCollisionCell(aheadX, aheadZ, COLLISION_BLOCKED);
        SetCollisionCell(actor->head.position.x, actor->head.position.z, COLLISION_FREE);
    }
}

void ContinueStep0(FieldActor* actor) {
    StepPlayerMove(actor, 0);
}
void ContinueStep90(FieldActor* actor) {
    StepPlayerMove(actor, 90);
}
void ContinueStep180(FieldActor* actor) {
    StepPlayerMove(actor, 180);
}
void ContinueStep270(FieldActor* actor) {
    StepPlayerMove(actor, 270);
}

void StepFollowLeader(FieldActor* actor) {
    PartyMemberPayload* self = Member(actor);
    const PartyMemberPayload* ahead = self->memberAhead;
    if (ahead == nullptr) {
        return;
    }
    if (actor->subStepCounter == 0) {
        SnapToCentre(&actor->head.position);
        actor->head.previousPosition = actor->head.position;
    }
    const int32_t direction = NeighbourDirection(actor->head.position, ahead->actor.head.position);
    actor->targetFacing = actor->facing;
    const bool aheadUnderWay = GroundDistance(ahead->actor.head.previousPosition,
                                              ahead->actor.head.position) >= STEP_LENGTH;
    if (direction < 0 || !aheadUnderWay ||
        GroundDistance(ahead->actor.head.position, actor->head.position) < 2.0f) {
        return;
    }
    actor->facing = static_cast<float>(direction);
    actor->stepFn = FollowContinuation(direction);
    actor->subStepCounter = STEP_SUB_STEPS;
    StepFollowMove(actor, direction);
}

void ContinueFollow0(FieldActor* actor) {
    StepFollowMove(actor, 0);
}
void ContinueFollow90(FieldActor* actor) {
    StepFollowMove(actor, 90);
}
void ContinueFollow180(FieldActor* actor) {
    StepFollowMove(actor, 180);
}
void ContinueFollow270(FieldActor* actor) {
    StepFollowMove(actor, 270);
}

void StepStandStill(FieldActor*) {}

void StartForcedWalk(float x, float y, float z, int32_t direction) {
    // The marker's slot first: without it the party must not be left standing still.
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_WALK_MARKER);
    if (slot == nullptr) {
        return;
    }
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        PartyMemberPayload* member = PartyMemberAt(i);
        if (member == nullptr) {
            continue;
        }
        FieldActor& actor = member->actor;
        RoundPositionXZ(&actor.head.position.x, &actor.head.position.z);
        actor.subStepCounter = STEP_SUB_STEPS;
        actor.stepFn = StepStandStill;
        actor.facingDirection = direction;
        actor.facing = static_cast<float>(direction);
        actor.targetFacing = static_cast<float>(direction);
    }
    SetCollisionCell(x, z, COLLISION_FREE);
    StartTask(slot, TASK_KIND_WALK_MARKER, 0, RunStateTask<WalkMarkerPayload>, DrawWalkMarker);
    WalkMarkerPayload* marker = TaskPayload<WalkMarkerPayload>(slot);
    marker->alive = 1;
    marker->position = Vec3{x, y, z};
    OffsetByDirection(&marker->position.x, &marker->position.z, static_cast<float>(direction),
                      2.0f);
    marker->direction = direction;
    marker->texture = WALK_MARKER_TEXTURE;
    marker->subStepCounter = 0;
    marker->state = UpdateForcedWalk;
    RequestSound(SOUND_PARTY_SHIFT, 0);
}

int CountMembersOnCell(float x, float z) {
    const int32_t cell = WorldToMapCell(x, z);
    int count = 0;
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        const PartyMemberPayload* member = PartyMemberAt(i);
        if (member != nullptr && member->actor.subStepCounter == STEP_SUB_STEPS &&
            WorldToMapCell(member->actor.head.position.x, member->actor.head.position.z) == cell) {
            count += 1;
        }
    }
    return count;
}

void UpdateForcedWalk(WalkMarkerPayload* marker) {
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        PartyMemberPayload* member = PartyMemberAt(i);
        if (member == nullptr) {
            continue;
        }
        const Vec3& target = (i == 0 || member->memberAhead == nullptr)
                                 ? marker->position
                                 : member->memberAhead->actor.head.position;
        StepMemberToward(&member->actor, target);
    }
    if (CountMembersOnCell(marker->position.x, marker->position.z) == PARTY_MAX) {
        marker->state = HandleFieldInput;
        PlaceParty(marker->position.x, marker->position.z, static_cast<float>(marker->direction));
    }
}

void HandleFieldInput(WalkMarkerPayload* marker) {
    if (TryOpenFieldMenu()) {
        return;
    }
    int32_t direction = -1;
    if (IsKeyHeld(KEY_RIGHT)) {
        direction = 0;
    } else if (IsKeyHeld(KEY_LEFT)) {
        direction = 180;
    } else if (IsKeyHeld(KEY_DOWN)) {
        direction = 270;
    } else if (IsKeyHeld(KEY_UP)) {
        direction = 90;
    }
    if (direction >= 0) {
        marker->direction = direction;
        marker->subStepCounter = STEP_SUB_STEPS;
        switch (
            GetCellAhead(marker->position.x, marker->position.z, static_cast<float>(direction))) {
            case COLLISION_FREE:
                marker->state = UpdateGroupStep;
                break;
            case COLLISION_LIQUID:
                StartSlide(marker);
                break;
            default:
                break;
        }
    }
    PlaceParty(marker->position.x, marker->position.z, static_cast<float>(marker->direction));
}

void SlideDir0(WalkMarkerPayload* marker) {
    ContinueSlide(marker);
}
void SlideDir90(WalkMarkerPayload* marker) {
    ContinueSlide(marker);
}
void SlideDir180(WalkMarkerPayload* marker) {
    ContinueSlide(marker);
}
void SlideDir270(WalkMarkerPayload* marker) {
    ContinueSlide(marker);
}

void UpdateGroupStep(WalkMarkerPayload* marker) {
    bool allDone = true;
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        PartyMemberPayload* member = PartyMemberAt(i);
        if (member == nullptr) {
            continue;
        }
        FieldActor& actor = member->actor;
        MoveAlong(&actor.head.position, static_cast<float>(marker->direction));
        actor.facing = static_cast<float>(marker->direction);
        actor.targetFacing = actor.facing;
        actor.subStepCounter -= 1;
        allDone = allDone && actor.subStepCounter < 1;
    }
    if (!allDone) {
        return;
    }
    for (int i = TASK_SLOT_PARTY_FIRST; i < TASK_SLOT_PARTY_END; ++i) {
        PartyMemberPayload* member = PartyMemberAt(i);
        if (member == nullptr) {
            continue;
        }
        FieldActor& actor = member->actor;
        actor.subStepCounter = 0;
        RoundPositionXZ(&actor.head.position.x, &actor.head.position.z);
        actor.stepFn = i == 0 ? StepPlayerControl : StepFollowLeader;
    }
    EndMarker(marker);
    RequestSound(SOUND_PARTY_SHIFT, 0);
}
