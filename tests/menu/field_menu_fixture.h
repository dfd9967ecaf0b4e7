// A game under way on the headless harness for the field's menus and the save files: the room
// of the event fixture with a step trigger at (5, 3), the four members on cells of their own
// with the camera and the map view, and a game state away from every start value.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "battle/inventory.h"
#include "engine/sound.h"
#include "event/event_commands_fixture.h"
#include "field/character_tables.h"
#include "field/map_view.h"
#include "menu/menu_flow.h"
#include "menu/save_file.h"

class FieldMenuFixture : public EventCommandsFixture {
  protected:
    void SetUpField() {
        Load({{{5, 3}, "$2,#99,@"}});
        PlaceField();
    }

    // A fresh field: members 0..3 stand on (2..5, 2) facing 0, 90, 180 and 270, each following
    // the one before.
    void PlaceField() {
        KillAllTasks();
        ASSERT_TRUE(LoadMap(4));
        LeaderOn(2, 2);
        for (int i = 0; i < PARTY_MAX; ++i) {
            FieldActor& actor = PartyMemberAt(i)->actor;
            actor.head.position = actor.head.previousPosition = Centre(2 + i, 2);
            actor.facing = 90.0f * static_cast<float>(i);
        }
        ASSERT_TRUE(CreateMapView());
        const Vec3 at = Centre(2, 2);
        ASSERT_EQ(
            CreateFieldCamera(at.x, at.y, at.z, 270.0f, 45.0f, PARTY_TAG_FIRST, CameraModeFollow),
            1);
        std::copy(characterTemplates, characterTemplates + PARTY_MAX, partyRoster);
        partyRoster[1].level = 7;
        partyCount = 3;  // place 3 is beyond the party: no save keeps it
        std::fill(std::begin(storedMembers), std::end(storedMembers), CharacterRecord{});
        storedMembers[1] = characterTemplates[2];
        money = 123456;
        scenario = 1;
        InitInventory();
        inventory[9] = {ITEM_BOAT, 1};
        ClearEventFlags();
        for (uint32_t flag : {0u, 5u, 99u}) {
            SetEventFlag(flag);
        }
    }

    // The save file's bytes, or none when it is missing.
    std::vector<uint8_t> SaveBytes(int slot) const {
        const std::string name = "save" + std::to_string(slot) + ".dat";
        return std::filesystem::exists(dir.File(name)) ? dir.Read(name) : std::vector<uint8_t>{};
    }

    static std::vector<std::string> Plays() { return SoundPlays(); }
    std::vector<std::string> Press(int key) { return PressKey(*game, key); }
    std::vector<std::string> Press(const std::vector<int>& keys) { return PressKeys(*game, keys); }

    template <typename P>
    static P* Payload(int slot, uint32_t kind) {
        TaskSlot* task = TaskAt(slot);
        return task != nullptr && task->inUse != 0 && task->kind == kind ? TaskPayload<P>(task)
                                                                         : nullptr;
    }
};
