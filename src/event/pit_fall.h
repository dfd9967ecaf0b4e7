// The pit fall of event command 42, run as states of the event runner: the leader sinks where
// it stands, the followers slide over spinning and sink there too, everyone loses 10 hit
// points, and after a pause the members hop out one after another, one cell back the way the
// leader came, facing that way.
#pragma once

#include <cstdint>

#include "event/event_runner.h"
#include "field/party.h"

constexpr int PIT_HOP_FRAMES = 20;
constexpr int32_t PIT_FALL_DELAY = 24;
constexpr int32_t PIT_CLIMB_STAGGER = 22;
constexpr int32_t PIT_CLIMB_PAUSE = 40;
constexpr int32_t PIT_DAMAGE = 10;
constexpr float PIT_SINK_STEP = 0.25f;
constexpr float PIT_DEEP = -3.0f;
constexpr float PIT_FLOOR = -6.0f;

// Per hop frame: the rise added to y, and whether the member moves on along its facing.
extern const float pitHopRise[PIT_HOP_FRAMES];
extern const uint8_t pitHopMovesOn[PIT_HOP_FRAMES];

void UpdatePitFallSequence(EventRunnerPayload* runner);
void WaitBeforeClimbOut(EventRunnerPayload* runner);
void UpdatePartyClimbOut(EventRunnerPayload* runner);

void SinkPartyMember(PartyMemberPayload* member);
// The member faces the opposite way of the grid facing given (truncated to whole degrees);
// any other facing gives 0.
void ReverseFacing(PartyMemberPayload* member, float facing);
// Every member record loses n hit points; one left at 0 or less is set to 10.
void DamageWholeParty(int32_t n);
void StepPartyHopOut(PartyMemberPayload* member);
