// A change of team on the field: the familiars the summon makes, the departure's turn list, the
// walks off and in, the placement on home cells and the familiar's prompt that starts it all
// again the other way.
#include "battle/battle_team.h"

#include <cstring>

#include "battle/battle_controller.h"
#include "battle/battle_field.h"
#include "battle/battle_outcome.h"
#include "battle/battle_states.h"
#include "data/atlas_battle.h"
#include "data/atlas_battle_commands.h"
#include "data/atlas_menus.h"
#include "engine/sound.h"
#include "field/character_tables.h"
#include "field/map_data.h"
#include "render/screen_draw.h"

namespace {

constexpr float ENTRY_FACING = 90.0f;
constexpr float EXIT_FACING = 270.0f;
constexpr float PROMPT_X = 2.0f;
constexpr float PROMPT_Y = 120.0f;

// The party side's units on the field in slot order, at most PARTY_MAX: the count.
int CollectPartySide(BattleUnit* (&units)[PARTY_MAX]) {
    return CollectSideUnits(SIDE_PARTY, units, PARTY_MAX);
}

int32_t TeamSize(int32_t count) {
    return count < 0 ? 0 : count > PARTY_MAX ? PARTY_MAX : count;
}

}  // namespace

// clang-format off
const float HOME_CELLS[HOME_CELL_COUNT][2] = {
    {1, -1}, {3, -1}, {-1, -1}, {5, -1}, {-3, -1}, {7, -1}, {-5, -1}, {9, -1}, {-7, -1}, {-9, -1},
    {1, -3}, {3, -3}, {-1, -3}, {5, -3}, {-3, -3}, {7, -3}, {-5, -3}, {9, -3}, {-7, -3}, {-9, -3},
    {1, -5}, {3, -5}, {-1, -5}, {5, -5}, {-3, -5}, {7, -5}, {-5, -5}, {9, -5}, {-7, -5}, {-9, -5},
    {1, -7}, {3, -7}, {-1, -7}, {5, -7}, {-3, -7}, {7, -7}, {-5, -7}, {9, -7}, {-7, -7}, {-9, -7},
};
// clang-format on

void SummonFamiliars() {
    // The first fighter of the party, or its first member when it has none.
    const CharacterRecord* source = &partyRoster[0];
    for (int32_t i = 0; i < TeamSize(partyCount); ++i) {
        if (partyRoster[i].characterClass == CLASS_FIGHTER) {
            source = &partyRoster[i];
            break;
        }
    }
    const CharacterRecord model = *source;
    for (int32_t i = 0; i < PARTY_MAX; ++i) {
        CharacterRecord& r = familiarTeam[i];
        r = model;
        r.characterId = i;
        r.modelIndex = FAMILIAR_MODEL;
        r.characterClass = CLASS_FAMILIAR;
        r.nameRect = FAMILIAR_NAME_RECT;
        r.portraitRect = FAMILIAR_PORTRAIT_RECT;
        r.faceRect = FAMILIAR_FACE_RECT;
        std::memset(r.nameText, 0, sizeof r.nameText);
        std::memcpy(r.nameText, familiarNameShiftJis, sizeof familiarNameShiftJis);
        r.hp = r.hpMax;
        r.mp = 0;
        r.mpMax = 0;
        r.statusBits = 0;
        r.weaponItemId = FAMILIAR_WEAPON;
        r.armorItemId = FAMILIAR_ARMOUR;
    }
    familiarCount = PARTY_MAX;
}

void BuildPartyTurnListFrom(BattleController* controller, BattleUnit* unit) {
    BattleUnit* units[PARTY_MAX] = {};
    const int count = CollectPartySide(units);
    int first = 0;
    for (int i = 0; i < count; ++i) {
        first = units[i] == unit ? i : first;
    }
    if (controller == nullptr) {
        return;
    }
    ClearTurnList(controller);
    for (int k = 0; k < count; ++k) {
        controller->turnList[k] = units[(first + k) % count];
    }
    controller->mode = BATTLE_MODE_TEAM_LEAVING;
}

void SwapBattleTeam(BattleController* controller) {
    if (controller->activeTeam == 1) {
        PlaceTeamOnBattleField(partyRoster, partyCount);
    } else {
        PlaceTeamOnBattleField(familiarTeam, familiarCount);
    }
    controller->activeTeam = controller->activeTeam == 1 ? 0 : 1;
    controller->mode = BATTLE_MODE_TEAM_ENTERING;
}

int PlaceTeamOnBattleField(const CharacterRecord* records, int32_t count) {
    bool taken[HOME_CELL_COUNT] = {};
    for (int i = 0; i < HOME_CELL_COUNT; ++i) {
        taken[i] = IsUnitNearPoint(HOME_CELLS[i][0], HOME_CELLS[i][1]) != 0;
    }
    int created = 0;
    int cell = 0;
    for (int32_t i = 0; i < TeamSize(count); ++i) {
        while (cell < HOME_CELL_COUNT && taken[cell]) {
            ++cell;
        }
        if (cell >= HOME_CELL_COUNT) {
            break;
        }
        taken[cell] = true;
        const float x = HOME_CELLS[cell][0];
        BattleUnit* unit = CreateBattleUnitWithHome(records[i], x, BATTLE_UNIT_HEIGHT, TEAM_ENTRY_Z,
                                                    ENTRY_FACING, x, HOME_CELLS[cell][1]);
        if (unit == nullptr) {
            continue;
        }
        if (records == partyRoster) {
            unit->rosterPlace = i;
        }
        ++created;
    }
    return created;
}

int IsUnitNearPoint(float x, float z) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr &&
            GetGroundDistance(unit->position.x, unit->position.z, x, z) <= HOME_NEAR_DISTANCE) {
            return 1;
        }
    }
    return 0;
}

BattleUnit* CreateBattleUnitWithHome(const CharacterRecord& record, float x, float y, float z,
                                     float facing, float homeX, float homeZ) {
    BattleUnit* unit = SpawnBattleUnit(record, x, y, z, facing);
    if (unit != nullptr) {
        unit->home = {homeX, y, homeZ};
    }
    return unit;
}

void WalkOffFieldState(BattleUnit* unit) {
    unit->facing = EXIT_FACING;
    unit->position.z -= TEAM_WALK_STEP;
    if (unit->position.z <= TEAM_EXIT_Z) {
        // Familiars are never written back; the party's members come back from the roster.
        StorePartyUnitRecord(unit);
        unit->active = 0;
        RemoveFromBattleList(unit);
    }
    RequestSound(SOUND_FOOTSTEP, 1);
}

void WalkToHomeCellState(BattleUnit* unit) {
    unit->facing = ENTRY_FACING;
    unit->position.z += TEAM_WALK_STEP;
    RequestSound(SOUND_FOOTSTEP, 1);
    // Walking north only: a home behind the unit is reached at once rather than never.
    if (GetGroundDistance(unit->position.x, unit->position.z, unit->home.x, unit->home.z) <=
            HOME_NEAR_DISTANCE ||
        unit->position.z > unit->home.z) {
        unit->position = unit->home;
        unit->stateFn = UnitIdleState;
    }
}

void TurnChoicePromptState(BattleUnit* unit) {
    if (MoveMenuCursor(&unit->promptCursor, 2) == 0) {
        return;
    }
    if (unit->promptCursor == 0) {
        unit->stateFn = CommandMenuState;
        return;
    }
    if (BattleController* controller = ActiveBattle()) {
        BuildPartyTurnListFrom(controller, unit);
    }
    unit->stateFn = UnitIdleState;
}

void DrawTurnChoicePrompt(const BattleUnit* unit) {
    constexpr AtlasRect labels[] = {RECT_CHOICE_NO, RECT_CHOICE_YES};
    constexpr int ids[] = {0, 1};
    DrawMenuWindow(PROMPT_X, PROMPT_Y, unit->promptCursor, 2, COLOUR_WINDOW,
                   RECT_BATTLE_PAUSE_FRAME, RECT_TURN_CHOICE_PROMPT_TITLE, labels, ids);
}
