// A new game and the two event commands that build the party from the character templates:
// what each one resets, what it builds, and what a refused command leaves alone.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "battle/inventory.h"
#include "engine/sound.h"
#include "event/event_commands_fixture.h"
#include "event/event_pack.h"
#include "field/character_tables.h"
#include "field/game_start.h"

namespace {

class GameStartTest : public EventCommandsFixture {
  protected:
    // A game well under way: every record, count and bag slot away from its start value.
    static void PlayAWhile() {
        for (int i = 0; i < PARTY_MAX; ++i) {
            partyRoster[i] = storedMembers[i] = familiarTeam[i] = characterTemplates[1];
        }
        partyCount = 3;
        familiarCount = 1;
        battleEnemyCount = 2;
        money = 5;
        std::fill(std::begin(inventory), std::end(inventory), InventorySlot{5, 9});
        SetEventFlag(7);
        encounterGroup = 5;
        encounterInterval = 3;
        encounterStepsLeft = 3;
        eventBlockCount = 9;
    }
    static bool Zeroed(const CharacterRecord& r) {
        static const CharacterRecord zero{};
        return std::memcmp(&r, &zero, sizeof r) == 0;
    }
    // Character ids of the four roster places, -1 for a zero-filled place; a place that is
    // neither a zero fill nor a whole copy of its character's template reads -2.
    static std::vector<int> Roster() {
        std::vector<int> ids;
        for (const CharacterRecord& r : partyRoster) {
            const int id = r.characterId;
            const bool copy = id >= 0 && id < CHARACTER_TEMPLATE_COUNT &&
                              std::memcmp(&r, &characterTemplates[id], sizeof r) == 0;
            ids.push_back(Zeroed(r) ? -1 : copy ? id : -2);
        }
        return ids;
    }
    // Money, bag and flags as a new game leaves them, or as PlayAWhile left them.
    static void ExpectStartKit(bool fresh) {
        EXPECT_EQ(money, fresh ? 2000 : 5);
        EXPECT_EQ(inventory[0].itemId, fresh ? 0 : 5);
        EXPECT_EQ(inventory[0].count, fresh ? 4 : 9);
        EXPECT_EQ(inventory[INVENTORY_SLOT_COUNT - 1].itemId, fresh ? ITEM_NONE : 5);
        EXPECT_EQ(IsEventFlagSet(7), !fresh);
    }
};

TEST_F(GameStartTest, NewGameResetsTheStateAndLoadsTheStartMapWithNoPartyYet) {
    Load({});
    const size_t messages = game->MessageBoxes().size();
    const struct {
        int32_t scenario;
        int32_t map;
        bool loads;
    } rows[] = {{0, 0, true}, {1, 11, true}, {1, MAP_COUNT, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.map);
        PlayAWhile();
        EXPECT_EQ(StartGameAtMap(row.scenario, row.map), row.loads);
        EXPECT_EQ(scenario, row.scenario);
        EXPECT_EQ(currentMap, row.map);
        EXPECT_EQ(partyCount, 0);
        for (const CharacterRecord* records : {partyRoster, storedMembers, familiarTeam}) {
            for (int i = 0; i < PARTY_MAX; ++i) {
                EXPECT_TRUE(Zeroed(records[i])) << i;
            }
        }
        EXPECT_EQ(familiarCount, 4);
        EXPECT_EQ(battleEnemyCount, 0);
        ExpectStartKit(true);
        // The start maps are plain rooms (group 0, every 30 steps, no events), so the values a
        // load sets and the reset values agree; the refused map shows the reset alone.
        EXPECT_EQ(encounterGroup, 0);
        EXPECT_EQ(encounterInterval, 30);
        EXPECT_EQ(encounterStepsLeft, 30);
        EXPECT_EQ(eventBlockCount, 0);
        // The start map's own set-up event builds the party, its camera and the map view.
        EXPECT_EQ(Leader(), nullptr);
        EXPECT_FALSE(TaskKindExists(TASK_KIND_CAMERA));
        EXPECT_FALSE(TaskKindExists(TASK_KIND_MAP_VIEW));
        EXPECT_TRUE(headless::Voice(row.loads ? MUSIC_FIELD : MUSIC_TITLE).playing);
        EXPECT_EQ(TaskKindExists(TASK_KIND_TITLE), !row.loads);
    }
    ASSERT_EQ(game->MessageBoxes().size(), messages + 1);
    EXPECT_EQ(game->MessageBoxes().back().text, NO_DATA_FILE_MESSAGE);
}

TEST_F(GameStartTest, PartyCommandsBuildTheRosterAndOnlyTheSetUpPlacesTheParty) {
    const struct {
        std::string commands;
        int32_t count;
        std::vector<int> roster;
        std::pair<int, int> cell;  // where command 0 sets the party down; none: (-1, -1)
        float facing;
        FieldStepFn leaderStep;
    } rows[] = {
        {"#0,3,2,90,1,2,3,1,", 2, {3, 1, -1, -1}, {3, 2}, 90, StepStandStill},
        {"#0,5,4,180,0,4,0,1,2,3,", 4, {0, 1, 2, 3}, {5, 4}, 180, StepPlayerControl},
        {"#5,2,3,0,", 2, {3, 0, -1, -1}, {-1, -1}, 0, nullptr},
        // Refused: counts outside 1..4 and ids outside the templates change nothing.
        {"#0,3,2,90,1,0,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
        {"#0,3,2,90,1,5,0,1,2,3,0,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
        {"#0,3,2,90,1,2,0,4,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
        {"#5,0,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
        {"#5,5,0,1,2,3,0,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
        {"#5,1,4,", 3, {1, 1, 1, 1}, {-1, -1}, 0, nullptr},
    };
    std::vector<EventCell> events;
    for (const auto& row : rows) {
        const int n = static_cast<int>(events.size());
        events.push_back({{1 + n % 6, 1 + 2 * (n / 6)}, "$7," + row.commands + "#99,@"});
    }
    Load(events);
    uint32_t event = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.commands);
        KillAllTasks();
        PlayAWhile();
        RunEvent(++event);
        EXPECT_EQ(partyCount, row.count);
        EXPECT_EQ(Roster(), row.roster);
        const bool setUp = row.leaderStep != nullptr;
        ExpectStartKit(setUp);
        EXPECT_EQ(TaskKindExists(TASK_KIND_MAP_VIEW), setUp);
        if (!setUp) {
            EXPECT_EQ(Leader(), nullptr);
            EXPECT_EQ(Camera(), nullptr);
            continue;
        }
        const Vec3 centre = Centre(row.cell.first, row.cell.second);
        for (int i = 0; i < PARTY_MAX; ++i) {
            ASSERT_NE(PartyMemberAt(i), nullptr) << "every place has its task";
            EXPECT_EQ(Xyz(PartyMemberAt(i)->actor.head.position), Xyz(centre)) << i;
            EXPECT_EQ(PartyMemberAt(i)->actor.facing, row.facing) << i;
        }
        EXPECT_EQ(Leader()->actor.stepFn, row.leaderStep);
        ASSERT_NE(Camera(), nullptr);
        EXPECT_EQ(Camera()->targetX, centre.x);
        EXPECT_EQ(Camera()->targetZ, centre.z);
        EXPECT_EQ(Camera()->angle, 270.0f);
        EXPECT_EQ(Camera()->eyeY, 60.0f);
        EXPECT_EQ(Camera()->followTag, PARTY_TAG_FIRST);
        EXPECT_EQ(Camera()->mode, CameraModeFollow);
    }
}

}  // namespace
