// Moving objects on an open 8 x 6 map: the cells they pass, turn and stop on, their wake and
// hop particles, the party a carrier takes along, and a party of two that rides a carrier and
// then crosses liquid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "battle/inventory.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "event/event_runner.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/moving_objects.h"
#include "field/party.h"
#include "support/event_fixture.h"

namespace {

using Cell = std::pair<int, int>;

class MovingObjectsTest : public EventTest {
  protected:
    void SetUp() override {
        EventTest::SetUp();
        partyCount = 2;
        encounterGroup = 0;
        encounterInterval = 30;
        ASSERT_TRUE(CreatePartyTasks(PARTY_MAX, 5.0f, 0.15f, 5.0f, 0.0f, true));
    }
    static Cell CellOf(const Vec3& p) {
        int32_t c = -1;
        int32_t r = -1;
        TryWorldToMapCell(p.x, p.z, &c, &r);
        return {c, r};
    }
    // One frame's updates, the key held (or none); whether the ride's sound was asked for.
    static bool Frame(int held = -1) {
        for (KeyRecord& key : keyTable) {
            key.current = static_cast<uint16_t>(&key - keyTable == held ? KEY_STATE_HELD : 0);
        }
        ClearSoundRequests();
        UpdateTasks();
        return soundRequests[SOUND_MOVER_STEP].requested != 0;
    }
    static MovingObjectPayload* Mover() {
        TaskSlot* slot = FindTaskByKind(TASK_KIND_MOVING_OBJECT);
        return slot != nullptr ? TaskPayload<MovingObjectPayload>(slot) : nullptr;
    }
};

TEST_F(MovingObjectsTest, ObjectsTurnAndStopByTheEventLayerAndLeaveAWake) {
    struct Case {
        uint32_t kind;
        float facing;
        std::vector<Cell> path;  // the cell at every fourth update from the start, the stop last
    };
    const std::vector<Cell> turning = {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}};
    const Case cases[] = {
        {MOVER_KIND_CARRIER, 0.0f, turning},
        {1, 0.0f, turning},
        // Without a stop on its way it halts on the map's last cell.
        {1, 0.0f, {{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}}},
        // Off the grid it could never move: it stops at once, unless its cell turns it first.
        {MOVER_KIND_CARRIER, 45.0f, {{5, 2}}},
        {1, 45.0f, {{6, 2}, {7, 2}}},
    };
    for (const Case& c : cases) {
        std::memset(tileLayer, 0, MAP_LAYER_BYTES);
        std::memset(collisionLayer, 0, MAP_LAYER_BYTES);
        eventLayer[1 * mapWidth + 3] = MOVER_TURN_270;
        eventLayer[3 * mapWidth + 3] = MOVER_TURN_180;
        eventLayer[3 * mapWidth + 1] = MOVER_STOP;
        eventLayer[2 * mapWidth + 6] = MOVER_TURN_0;
        for (int i = 0; i < PARTY_MAX; ++i) {
            PartyMemberAt(i)->actor.stepFn = StepStandStill;
        }
        float x = 0.0f;
        float z = 0.0f;
        CellToWorld(c.path[0].first, c.path[0].second, &x, &z);
        ASSERT_TRUE(CreateMovingObject(x, z, c.facing, c.kind));
        const bool carrier = c.kind == MOVER_KIND_CARRIER;
        std::vector<Cell> path;
        int sounds = 0;
        int updates = 0;
        for (; Mover() != nullptr && updates < 100; ++updates) {
            if (Mover()->frameCounter == 0) {
                path.push_back(CellOf(Mover()->position));
            }
            sounds += Frame() ? 1 : 0;
            for (int i = 0; carrier && Mover() != nullptr && i < PARTY_MAX; ++i) {
                EXPECT_EQ(PartyMemberAt(i)->actor.head.previousPosition.x, Mover()->position.x);
            }
        }
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(updates, 4 * static_cast<int>(c.path.size() - 1) + 1);
        // The carrier throws its particle and asks for its sound before it reads the stop.
        EXPECT_EQ(sounds, carrier ? static_cast<int>(c.path.size()) : 0);
        int fresh = 0;
        for (int i = TASK_SLOT_DYNAMIC_FIRST; i < TASK_SLOT_DYNAMIC_END; ++i) {
            fresh += IsTaskSlotInUse(i) && TaskAt(i)->kind == TASK_KIND_HOP_PARTICLE &&
                     TaskPayload<HopParticlePayload>(TaskAt(i))->hopIndex == 1;
        }
        EXPECT_EQ(fresh, carrier ? 1 : 0) << "a particle on the stop";
        for (int i = 0; i < mapWidth * mapHeight; ++i) {
            const Cell at{i % mapWidth, i / mapWidth};
            const bool passed = std::find(c.path.begin(), c.path.end() - 1, at) != c.path.end() - 1;
            EXPECT_EQ(tileLayer[i], passed ? MOVER_WAKE_TILE : 0);
            EXPECT_EQ(collisionLayer[i], passed ? COLLISION_WALL : COLLISION_FREE);
        }
        // All four, the hidden ones too, stand idle on the stop, the leader in control.
        for (int i = 0; carrier && i < PARTY_MAX; ++i) {
            const FieldActor& actor = PartyMemberAt(i)->actor;
            EXPECT_EQ(CellOf(actor.head.position), c.path.back());
            EXPECT_EQ(actor.head.position.y, FIELD_ACTOR_HEIGHT);
            EXPECT_EQ(actor.subStepCounter, 0);
            EXPECT_EQ(actor.stepFn, i == 0 ? StepPlayerControl : StepFollowLeader);
        }
        // Particles fall below the floor and end within 25 frames.
        for (int i = 0; i < 25; ++i) {
            UpdateTasks();
        }
        EXPECT_FALSE(TaskKindExists(TASK_KIND_HOP_PARTICLE));
    }
}

// A ride leaves no member behind, so the crossing that follows gathers all four at once.
TEST_F(MovingObjectsTest, APartyOfTwoRidesACarrierAndThenCrossesLiquid) {
    for (int c : {4, 5}) {
        tileLayer[3 * mapWidth + c] = 45;
        collisionLayer[3 * mapWidth + c] = COLLISION_LIQUID;
    }
    eventLayer[3 * mapWidth + 1] = MOVER_TURN_0;
    eventLayer[3 * mapWidth + 3] = MOVER_STOP;
    InitInventory();
    AddItemToInventorySlot(FindInventorySlot(ITEM_BOAT), ITEM_BOAT);
    // The second object's cell lies off the map: it is not made.
    SetBlock(1, "#24,2,270,1,1,0,9,1,0,#99,");
    ASSERT_EQ(StartEvent(1), 1);
    Frame();
    Frame();
    int movers = 0;
    for (int i = TASK_SLOT_DYNAMIC_FIRST; i < TASK_SLOT_DYNAMIC_END; ++i) {
        movers += IsTaskSlotInUse(i) && TaskAt(i)->kind == TASK_KIND_MOVING_OBJECT;
    }
    EXPECT_EQ(movers, 1);
    for (int n = 0; n < 100 && (IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER) || Mover()); ++n) {
        Frame();
    }
    for (int i = 0; i < PARTY_MAX; ++i) {
        EXPECT_EQ(CellOf(PartyMemberAt(i)->actor.head.position), (Cell{3, 3})) << i;
    }
    Frame(KEY_RIGHT);
    ASSERT_TRUE(IsTaskSlotInUse(TASK_SLOT_WALK_MARKER));
    int frames = 0;
    for (; IsTaskSlotInUse(TASK_SLOT_WALK_MARKER) && frames < 200; ++frames) {
        Frame(KEY_RIGHT);
    }
    EXPECT_LT(frames, 200) << "the crossing waits for a member left behind";
    EXPECT_GE(CellOf(Leader()->actor.head.position).first, 6) << "over the liquid";
}

}  // namespace
