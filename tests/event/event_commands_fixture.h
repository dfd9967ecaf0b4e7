// The game on the headless harness with a room of the test's own: an 8 x 6 walled map whose
// events stand on the cells given, with their placement and command text, so that each test
// starts its event and watches the world change frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/task_pool.h"
#include "event/event_pack.h"
#include "event/event_runner.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/party.h"
#include "render/camera.h"
#include "support/fixtures.h"
#include "support/harness.h"
#include "support/temp_dir.h"

struct EventCell {
    std::pair<int, int> cell;  // column, row
    std::string block;         // placement and commands, ended by '@'
};

class EventCommandsFixture : public ::testing::Test {
  protected:
    // Map 4: walls round rows 1..4 and columns 1..6 of floor; event n + 1 on events[n].cell.
    void Load(const std::vector<EventCell>& events) {
        std::string grid;
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 8; ++c) {
                std::string word = ".";
                for (size_t i = 0; i < events.size(); ++i) {
                    if (events[i].cell == std::make_pair(c, r)) {
                        word = std::to_string(i + 1);
                    }
                }
                grid += word + (c == 7 ? "\n" : " ");
            }
        }
        std::string script;
        for (const EventCell& e : events) {
            script += e.block + "\n";
        }
        WriteTestDataSet(dir.Path());
        WriteTestMaps(dir.Path(),
                      {TestMap("map 4\nname room\nsize 8 6\nencounter 0 30\ntile X 15\ntile . 0\n"
                               "tiles\nXXXXXXXX\nX......X\nX......X\nX......X\nX......X\n"
                               "XXXXXXXX\nevents\n" +
                               grid + "script\n" + script)});
        game = std::make_unique<GameHarness>(dir.Path());
        ASSERT_TRUE(game->Start());
        KillAllTasks();
        ClearEventFlags();
        ASSERT_TRUE(LoadMap(4));
    }

    // Starts the event and runs frames until it is over; n 0 only finishes a running one.
    void RunEvent(uint32_t n = 1) {
        if (n != 0) {
            ASSERT_EQ(StartEvent(n), 1);
        }
        ASSERT_TRUE(game->RunUntil([] { return !IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER); }, 600));
    }

    // Frames run until the condition holds; -1 when it does not within 600.
    int FramesUntil(const std::function<bool()>& done) {
        for (int n = 0; n <= 600; ++n) {
            if (done()) {
                return n;
            }
            game->Frame();
        }
        return -1;
    }

    void LeaderOn(int c, int r) {
        const Vec3 p = Centre(c, r);
        ASSERT_TRUE(CreatePartyTasks(PARTY_MAX, p.x, p.y, p.z, 0.0f, false));
    }

    static EventRunnerPayload* Runner() { return CurrentEventRunner(); }
    static CameraPayload* Camera() {
        return IsTaskSlotInUse(TASK_SLOT_CAMERA)
                   ? TaskPayload<CameraPayload>(TaskAt(TASK_SLOT_CAMERA))
                   : nullptr;
    }
    static size_t Index(int c, int r) { return static_cast<size_t>(r * mapWidth + c); }
    static int8_t Collision(int c, int r) { return collisionLayer[Index(c, r)]; }
    static Vec3 Centre(int c, int r) {
        float x = 0;
        float z = 0;
        CellToWorld(c, r, &x, &z);
        return Vec3{x, FIELD_ACTOR_HEIGHT, z};
    }
    static std::vector<float> Xyz(const Vec3& v) { return {v.x, v.y, v.z}; }
    static TaskSlot* FindTaskWithTag(uint32_t tag) {
        for (int i = 0; i < TASK_POOL_SIZE; ++i) {
            if (IsTaskSlotInUse(i) && TaskAt(i)->tag == tag) {
                return TaskAt(i);
            }
        }
        return nullptr;
    }
    static int CountKind(uint32_t kind) {
        int n = 0;
        for (int i = 0; i < TASK_POOL_SIZE; ++i) {
            n += IsTaskSlotInUse(i) && TaskAt(i)->kind == kind ? 1 : 0;
        }
        return n;
    }

    TempDir dir;
    std::unique_ptr<GameHarness> game;
};
