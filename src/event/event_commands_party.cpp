// The event commands that change the party: its records (joining, storing, fetching, order,
// restoring) and its four tasks on the map (control, placement, gathering on the leader).
//
// A zero-filled record (level 0) is an empty place. The commands never copy an empty place
// over a member, never count one as a member, and never write a stored member over another:
// the records are saved data, and losing a character to a script's slip cannot be undone.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/task_pool.h"
#include "event/event_commands.h"
#include "field/character_tables.h"
#include "field/field_actor.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/party.h"

namespace {

bool IsEmptyRecord(const CharacterRecord& record) {
    return record.level == 0;
}

void ClearRecord(CharacterRecord* record) {
    std::memset(record, 0, sizeof *record);
}

bool IsPlace(uint32_t place) {
    return place < static_cast<uint32_t>(PARTY_MAX);
}

void SetPartyCount(int32_t count) {
    partyCount = std::clamp(count, 0, static_cast<int32_t>(PARTY_MAX));
}

// The party's records in places 0..3, in order: the kept (non-empty) ones by character id,
// equal ids in their old order, the empty places after them.
void SortRosterById() {
    CharacterRecord sorted[PARTY_MAX];
    std::copy(partyRoster, partyRoster + PARTY_MAX, sorted);
    std::stable_sort(sorted, sorted + PARTY_MAX,
                     [](const CharacterRecord& a, const CharacterRecord& b) {
                         if (IsEmptyRecord(a) != IsEmptyRecord(b)) {
                             return IsEmptyRecord(b);
                         }
                         return a.characterId < b.characterId;
                     });
    std::copy(sorted, sorted + PARTY_MAX, partyRoster);
}

// One sub-step of a follower towards the leader on one axis; false when it is already there.
bool StepTowardLeader(FieldActor* member, const Vec3& leader) {
    const float dx = leader.x - member->head.position.x;
    const float dz = leader.z - member->head.position.z;
    int32_t direction = -1;
    if (dx >= STEP_LENGTH) {
        direction = 0;
    } else if (dx <= -STEP_LENGTH) {
        direction = 180;
    } else if (dz >= STEP_LENGTH) {
        direction = 90;
    } else if (dz <= -STEP_LENGTH) {
        direction = 270;
    }
    if (direction < 0) {
        return false;
    }
    OffsetByDirection(&member->head.position.x, &member->head.position.z,
                      static_cast<float>(direction), STEP_LENGTH);
    member->facingDirection = direction;
    member->facing = static_cast<float>(direction);
    return true;
}

}  // namespace

// Records.

bool AddCharacterToParty(uint32_t templateIndex) {
    if (templateIndex >= static_cast<uint32_t>(CHARACTER_TEMPLATE_COUNT)) {
        return false;
    }
    // The first empty place; with none free the last member is replaced. For a party without
    // gaps that is place partyCount - 1 after the count goes up.
    int place = PARTY_MAX - 1;
    for (int i = 0; i < PARTY_MAX; ++i) {
        if (IsEmptyRecord(partyRoster[i])) {
            place = i;
            break;
        }
    }
    SetPartyCount(std::max(partyCount, 0) + 1);
    partyRoster[place] = characterTemplates[templateIndex];
    return true;
}

CharacterRecord* FindPartyMember(int32_t characterId) {
    for (CharacterRecord& record : partyRoster) {
        if (!IsEmptyRecord(record) && record.characterId == characterId) {
            return &record;
        }
    }
    return nullptr;
}

void PutStoredMember(int place, const CharacterRecord& record) {
    if (!IsPlace(static_cast<uint32_t>(place))) {
        return;
    }
    ClearRecord(&storedMembers[place]);
    storedMembers[place] = record;
}

void EventCmdJoinCharacter(EventRunnerPayload* runner) {
    AddCharacterToParty(ReadCommandNumber(runner));
}

void EventCmdStoreMember(EventRunnerPayload* runner) {
    const int32_t characterId = static_cast<int32_t>(ReadCommandNumber(runner));
    const uint32_t place = ReadCommandNumber(runner);
    if (!IsPlace(place) || !IsEmptyRecord(storedMembers[place])) {
        return;
    }
    CharacterRecord* member = FindPartyMember(characterId);
    if (member == nullptr) {
        return;
    }
    PutStoredMember(static_cast<int>(place), *member);
    // The gap stays where it was; later members do not move up.
    ClearRecord(member);
    SetPartyCount(partyCount - 1);
}

void EventCmdFetchMember(EventRunnerPayload* runner) {
    const uint32_t storagePlace = ReadCommandNumber(runner);
    const uint32_t partyPlace = ReadCommandNumber(runner);
    // A full party takes no one more: the count would stay at four with five records, and a
    // save keeps only the first four.
    if (!IsPlace(storagePlace) || !IsPlace(partyPlace) || partyCount >= PARTY_MAX ||
        IsEmptyRecord(storedMembers[storagePlace]) || !IsEmptyRecord(partyRoster[partyPlace])) {
        return;
    }
    partyRoster[partyPlace] = storedMembers[storagePlace];
    ClearRecord(&storedMembers[storagePlace]);
    SetPartyCount(partyCount + 1);
}

void EventCmdSortParty(EventRunnerPayload*) {
    SortRosterById();
}

void EventCmdReorderParty(EventRunnerPayload* runner) {
    const uint32_t count = ReadCommandNumber(runner);
    if (count < 1 || count > static_cast<uint32_t>(PARTY_MAX)) {
        return;
    }
    int32_t ids[PARTY_MAX];
    for (uint32_t j = 0; j < count; ++j) {
        ids[j] = static_cast<int32_t>(ReadCommandNumber(runner));
    }
    CharacterRecord copies[PARTY_MAX];
    std::copy(partyRoster, partyRoster + PARTY_MAX, copies);
    // Each record goes to one place at most, so a repeated or unknown id can neither copy a
    // member twice nor lose one.
    bool taken[PARTY_MAX] = {};
    int chosen[PARTY_MAX];
    for (uint32_t j = 0; j < count; ++j) {
        chosen[j] = -1;
        for (uint32_t k = 0; k < count; ++k) {
            if (!taken[k] && !IsEmptyRecord(copies[k]) && copies[k].characterId == ids[j]) {
                chosen[j] = static_cast<int>(k);
                taken[k] = true;
                break;
            }
        }
    }
    // Each place without its id found takes one record nobody chose; there are as many of
    // those as such places.
    int leftovers[PARTY_MAX];
    int leftoverCount = 0;
    for (uint32_t k = 0; k < count; ++k) {
        if (!taken[k]) {
            leftovers[leftoverCount++] = static_cast<int>(k);
        }
    }
    int used = 0;
    for (uint32_t j = 0; j < count; ++j) {
        if (chosen[j] < 0 && used < leftoverCount) {
            chosen[j] = leftovers[used++];
        }
        if (chosen[j] >= 0) {
            partyRoster[j] = copies[chosen[j]];
        }
    }
}

void EventCmdRestoreParty(EventRunnerPayload*) {
    const int32_t count = std::clamp(partyCount, 0, static_cast<int32_t>(PARTY_MAX));
    for (int32_t i = 0; i < count; ++i) {
        CharacterRecord& record = partyRoster[i];
        record.hp = record.hpMax;
        // Only casters have magic points to restore; status stays as it is.
        if (record.characterClass == CLASS_CASTER || record.characterClass == CLASS_HYBRID) {
            record.mp = record.mpMax;
        }
    }
}

// The party's tasks.

void EventCmdSetPartyControl(EventRunnerPayload* runner) {
    const uint32_t mode = ReadCommandNumber(runner);
    if (mode > 1) {
        return;
    }
    for (int slot = TASK_SLOT_PARTY_FIRST; slot < TASK_SLOT_PARTY_END; ++slot) {
        PartyMemberPayload* member = PartyMemberAt(slot);
        if (member == nullptr) {
            continue;
        }
        if (mode == 1) {
            member->actor.stepFn = StepStandStill;
        } else {
            member->actor.stepFn = slot == 0 ? StepPlayerControl : StepFollowLeader;
        }
    }
}

void EventCmdEnableLeaderUpdate(EventRunnerPayload*) {
    if (Leader() != nullptr) {
        TaskAt(TASK_SLOT_PARTY_FIRST)->updateOn = 1;
    }
}

void PlacePartyObject(float x, float z, float facing, uint32_t tag) {
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        TaskSlot* slot = TaskAt(i);
        if (slot == nullptr || slot->inUse == 0 || slot->kind != TASK_KIND_PARTY_MEMBER ||
            slot->tag != tag) {
            continue;
        }
        FieldActor* actor = &TaskPayload<PartyMemberPayload>(slot)->actor;
        actor->head.position = Vec3{x, FIELD_ACTOR_HEIGHT, z};
        actor->facing = facing;
        actor->facingDirection = static_cast<int32_t>(std::lround(facing));
        return;
    }
}

void PlacePartyObjects(float x, float z, float facing) {
    for (int i = 0; i < PARTY_MAX; ++i) {
        PlacePartyObject(x, z, facing, PARTY_TAG_FIRST + static_cast<uint32_t>(i));
    }
}

void EventCmdPlaceParty(EventRunnerPayload* runner) {
    const uint32_t column = ReadCommandNumber(runner);
    const uint32_t row = ReadCommandNumber(runner);
    const uint32_t facing = ReadCommandNumber(runner);
    // Members off the map would mark collision cells outside it when they walk.
    if (column >= static_cast<uint32_t>(mapWidth) || row >= static_cast<uint32_t>(mapHeight)) {
        return;
    }
    float x = 0.0f;
    float z = 0.0f;
    CellToWorld(static_cast<int32_t>(column), static_cast<int32_t>(row), &x, &z);
    PlacePartyObjects(x, z, static_cast<float>(facing));
}

void EventCmdGatherParty(EventRunnerPayload* runner) {
    runner->state = UpdateGatherParty;
}

void UpdateGatherParty(EventRunnerPayload* runner) {
    const PartyMemberPayload* leader = Leader();
    bool moved = false;
    if (leader != nullptr) {
        for (int slot = TASK_SLOT_PARTY_FIRST + 1; slot < TASK_SLOT_PARTY_END; ++slot) {
            if (PartyMemberPayload* member = PartyMemberAt(slot)) {
                moved = StepTowardLeader(&member->actor, leader->actor.head.position) || moved;
            }
        }
    }
    // Without a leader there is nothing to gather on, and the event must not wait for it.
    if (!moved) {
        runner->state = NextEventCommand;
    }
}
