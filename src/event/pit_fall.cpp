// The pit fall.
#include "event/pit_fall.h"

#include <algorithm>

#include "engine/saturating.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "field/game_state.h"
#include "render/world_popups.h"

const float pitHopRise[PIT_HOP_FRAMES] = {
    0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f,  0.5f,   0.5f,  0.5f,  0.5f,
    0.5f, 0.5f, 3.0f, 1.5f, 0.5f, 0.25f, -0.25f, -0.5f, -1.5f, -3.0f,
};

const uint8_t pitHopMovesOn[PIT_HOP_FRAMES] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                               0, 0, 1, 1, 1, 1, 1, 1, 1, 1};

namespace {

constexpr int PIT_MEMBERS = TASK_SLOT_PARTY_END - TASK_SLOT_PARTY_FIRST;
constexpr float SPIN_STEP = 45.0f;
constexpr int DAMAGE_STYLE = 0;

// The four member tasks in slot order; false when a slot holds none (a script may have
// cleared the map), and the sequence then ends rather than wait for them.
bool PartyTasks(PartyMemberPayload* (&members)[PIT_MEMBERS]) {
    for (int i = 0; i < PIT_MEMBERS; ++i) {
        members[i] = PartyMemberAt(TASK_SLOT_PARTY_FIRST + i);
        if (members[i] == nullptr) {
            return false;
        }
    }
    return true;
}

// A follower closes the x gap to the leader, then the z gap, and sinks once on its spot.
void SlideOrSink(PartyMemberPayload* member, const Vec3& leader) {
    FieldActor& actor = member->actor;
    Vec3& p = actor.head.position;
    const float dx = leader.x - p.x;
    const float dz = leader.z - p.z;
    actor.facing += SPIN_STEP;
    if (actor.facing >= 360.0f) {
        actor.facing -= 360.0f;
    }
    if (dx >= PIT_SINK_STEP) {
        p.x += PIT_SINK_STEP;
    } else if (dx <= -PIT_SINK_STEP) {
        p.x -= PIT_SINK_STEP;
    } else if (dz >= PIT_SINK_STEP) {
        p.z += PIT_SINK_STEP;
    } else if (dz <= -PIT_SINK_STEP) {
        p.z -= PIT_SINK_STEP;
    } else {
        SinkPartyMember(member);
    }
}

}  // namespace

void EventCmdPitFall(EventRunnerPayload* runner) {
    PartyMemberPayload* members[PIT_MEMBERS];
    if (!PartyTasks(members)) {
        return;
    }
    // The hidden members sink and hop along unseen, with no landing sound or number.
    for (int i = 0; i < PIT_MEMBERS; ++i) {
        members[i]->fallDelay = i < partyCount ? PIT_FALL_DELAY : 0;
        members[i]->hopFrame = 0;
    }
    runner->state = UpdatePitFallSequence;
}

void SinkPartyMember(PartyMemberPayload* member) {
    Vec3& p = member->actor.head.position;
    p.y = std::max(p.y - PIT_SINK_STEP, PIT_FLOOR);
    member->fallDelay = std::max(member->fallDelay - 1, 0);
    if (member->fallDelay == 1) {
        RequestSound(SOUND_PIT_LANDING, 0);
        SpawnDamageNumber(p, static_cast<float>(PIT_DAMAGE), DAMAGE_STYLE);
    }
}

void ReverseFacing(PartyMemberPayload* member, float facing) {
    int32_t reversed = 0;
    switch (static_cast<int32_t>(facing)) {
        case 0:
            reversed = 180;
            break;
        case 90:
            reversed = 270;
            break;
        case 270:
            reversed = 90;
            break;
        default:  // 180, and any facing off the grid
            reversed = 0;
            break;
    }
    FieldActor& actor = member->actor;
    actor.facingDirection = reversed;
    actor.facing = static_cast<float>(reversed);
    actor.targetFacing = actor.facing;
}

void DamageWholeParty(int32_t n) {
    const int32_t count = std::clamp(partyCount, 0, static_cast<int32_t>(PARTY_MAX));
    for (int32_t i = 0; i < count; ++i) {
        // Held at the bottom: a save's lowest hit points land like any others.
        partyRoster[i].hp = SaturatingSub(partyRoster[i].hp, n);
        if (partyRoster[i].hp <= 0) {
            partyRoster[i].hp = PIT_DAMAGE;
        }
    }
}

void StepPartyHopOut(PartyMemberPayload* member) {
    const int frame = std::clamp(member->hopFrame, 0, PIT_HOP_FRAMES - 1);
    Vec3& p = member->actor.head.position;
    if (frame == 1) {
        RequestSound(SOUND_HOP_OUT, 0);
    }
    if (pitHopMovesOn[frame] != 0) {
        switch (static_cast<int32_t>(member->actor.facing)) {
            case 0:
                p.x += PIT_SINK_STEP;
                break;
            case 90:
                p.z += PIT_SINK_STEP;
                break;
            case 180:
                p.x -= PIT_SINK_STEP;
                break;
            case 270:
                p.z -= PIT_SINK_STEP;
                break;
            default:
                break;
        }
    }
    p.y += pitHopRise[frame];
}

void UpdatePitFallSequence(EventRunnerPayload* runner) {
    PartyMemberPayload* members[PIT_MEMBERS];
    if (!PartyTasks(members)) {
        runner->state = NextEventCommand;
        return;
    }
    SinkPartyMember(members[0]);
    const float leaderFacing = members[0]->actor.facing;
    const Vec3 leader = members[0]->actor.head.position;
    // All three followers, whatever the party count: the hidden ones must come out too.
    for (int i = 1; i < PIT_MEMBERS; ++i) {
        SlideOrSink(members[i], leader);
    }
    for (const PartyMemberPayload* member : members) {
        if (member->actor.head.position.y > PIT_DEEP) {
            return;
        }
    }
    for (int i = 0; i < PIT_MEMBERS; ++i) {
        members[i]->fallDelay = PIT_CLIMB_STAGGER * (i + 1);
        members[i]->hopFrame = 0;
        ReverseFacing(members[i], leaderFacing);
    }
    runner->waitFrames = PIT_CLIMB_PAUSE;
    runner->state = WaitBeforeClimbOut;
    DamageWholeParty(PIT_DAMAGE);
}

void WaitBeforeClimbOut(EventRunnerPayload* runner) {
    runner->waitFrames -= 1;
    if (runner->waitFrames <= 0) {
        runner->waitFrames = 0;
        runner->state = UpdatePartyClimbOut;
    }
}

void UpdatePartyClimbOut(EventRunnerPayload* runner) {
    PartyMemberPayload* members[PIT_MEMBERS];
    if (!PartyTasks(members)) {
        runner->state = NextEventCommand;
        return;
    }
    bool allOut = true;
    for (PartyMemberPayload* member : members) {
        if (member->fallDelay >= 1) {
            member->fallDelay -= 1;
        } else if (member->hopFrame < PIT_HOP_FRAMES) {
            StepPartyHopOut(member);
            member->hopFrame += 1;
        }
        allOut = allOut && member->hopFrame >= PIT_HOP_FRAMES;
    }
    if (!allOut) {
        return;
    }
    runner->state = NextEventCommand;
    for (PartyMemberPayload* member : members) {
        FieldActor& actor = member->actor;
        actor.head.position.y = FIELD_ACTOR_HEIGHT;
        // Standing still where it landed: the facing is not turned by the hop's path.
        actor.head.previousPosition = actor.head.position;
        actor.subStepCounter = 0;
        member->hopFrame = 0;
        member->fallDelay = 0;
    }
}
