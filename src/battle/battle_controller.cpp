// The battle controller: the two ways a battle starts, the controller's frame and states, the
// turn list, the mode check and the battle camera. Event command 16 starts a scripted battle.
#include "battle/battle_controller.h"

#include <cmath>

#include "battle/battle_states.h"
#include "engine/keyboard.h"
#include "engine/random.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "event/event_commands.h"
#include "event/event_runner.h"
#include "field/character_tables.h"
#include "field/party.h"
#include "menu/title_screen.h"
#include "render/camera.h"
#include "render/screen_draw.h"
#include "render/world_popups.h"

const int32_t ENCOUNTER_KIND_TABLE[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const int32_t PARTY_PLACEMENT_CELLS[PARTY_MAX][2] = {{8, 10}, {9, 10}, {9, 11}, {8, 11}};

namespace {

constexpr int32_t ENCOUNTER_GROUP_FIRST = 1;
constexpr int32_t ENCOUNTER_GROUP_LAST = 4;
constexpr int32_t ENCOUNTER_KINDS_PER_GROUP = 3;
constexpr float PARTY_FACING = 90.0f;
constexpr float ENEMY_FACING = 270.0f;
constexpr float START_CAMERA_ANGLE = 270.0f;
constexpr float CAMERA_TURN_STEP = 2.0f;
constexpr float HOME_REACH = 0.5f;
// One battle of this many starts with the enemies.
constexpr int32_t ENEMY_FIRST_ODDS = 4;

int32_t OtherSide(int32_t side) {
    return side == SIDE_PARTY ? SIDE_ENEMY : SIDE_PARTY;
}

// A start pauses the world with the event's popups, digits and effects in it; left paused, they
// would keep every action of the battle waiting for them.
void KillLeftoverEffects() {
    KillTasksOfKind(TASK_KIND_WORLD_POPUP);
    KillTasksOfKind(TASK_KIND_DAMAGE_DIGIT);
    KillTasksOfKind(TASK_KIND_EFFECT);
}

// Steps 1 to 3 of both starts: the controller in its slot with its payload defaults.
BattleController* OpenController(TaskSlot* slot) {
    StartTask(slot, TASK_KIND_BATTLE, 0, UpdateBattleController, DrawBattleController);
    BattleController* controller = TaskPayload<BattleController>(slot);
    controller->alive = 1;
    controller->target = {0.0f, 0.0f, 0.0f};
    controller->cameraAngle = START_CAMERA_ANGLE;
    controller->eye.y = BATTLE_CAMERA_LOW;
    controller->infoShown = 1;
    controller->cameraFn = HandleBattleCameraInput;
    KillLeftoverEffects();
    StopAllSoundEffects();
    return controller;
}

void QueueOpeningLines(BattleController* controller) {
    ClearMessageWindow(controller->shownLines, controller->queuedLines);
    QueueBattleTextPage(controller->queuedLines, controller->firstSide == SIDE_ENEMY
                                                     ? BATTLE_TEXT_ENEMY_FIRST
                                                     : BATTLE_TEXT_PARTY_FIRST);
}

void PlaceParty() {
    const int32_t count = partyCount < PARTY_MAX ? partyCount : PARTY_MAX;
    for (int32_t i = 0; i < count; ++i) {
        float x = static_cast<float>(PARTY_PLACEMENT_CELLS[i][0]);
        float z = static_cast<float>(PARTY_PLACEMENT_CELLS[i][1]);
        FieldCellToWorld(&x, &z);
        if (BattleUnit* unit =
                SpawnBattleUnit(partyRoster[i], x, BATTLE_UNIT_HEIGHT, z, PARTY_FACING)) {
            unit->rosterPlace = i;
        }
    }
}

void PlaceEnemy(int32_t kind, int32_t column, int32_t row) {
    float x = static_cast<float>(column);
    float z = static_cast<float>(row);
    FieldCellToWorld(&x, &z);
    CreateBattleUnit(enemyKinds[kind], x, BATTLE_UNIT_HEIGHT, z, ENEMY_FACING);
}

void QueueAppearLines(BattleController* controller, const int32_t (&kinds)[BATTLE_ENEMY_MAX]) {
    EnemyTally tally;
    InitEnemyTally(tally);
    CountEnemyKinds(tally, kinds);
    QueueEnemyAppearLines(controller->queuedLines, tally);
}

void SumRewards(BattleController* controller) {
    controller->goldTotal = 0;
    controller->expTotal = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == SIDE_ENEMY) {
            // A save may put a member of any reward on the enemy side.
            controller->goldTotal = SaturatingAdd(controller->goldTotal, unit->record.goldReward);
            controller->expTotal = SaturatingAdd(controller->expTotal, unit->record.exp);
        }
    }
}

// The last steps of both starts: the field, its grid, the opening and the music.
void OpenField(BattleController* controller, float x, float z) {
    CreateBattleFieldView(x, z);
    InitBattleGrid();
    controller->stateFn = WaitBattleOpening;
    PlayMusic(MUSIC_BATTLE);
}

bool IsCellTaken(int32_t column, int32_t row) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && WorldToFieldCell(unit->position.x, unit->position.z) ==
                                   row * BATTLE_GRID_SIZE + column) {
            return true;
        }
    }
    return false;
}

// A script's cell when it is walkable and free, else the first such cell in row order; false
// when the field is full.
bool ChooseScriptedCell(int32_t* column, int32_t* row) {
    const auto walkable = [](int32_t n) {
        return n >= BATTLE_WALKABLE_FIRST && n <= BATTLE_WALKABLE_LAST;
    };
    if (walkable(*column) && walkable(*row) && !IsCellTaken(*column, *row)) {
        return true;
    }
    for (int32_t r = BATTLE_WALKABLE_FIRST; r <= BATTLE_WALKABLE_LAST; ++r) {
        for (int32_t c = BATTLE_WALKABLE_FIRST; c <= BATTLE_WALKABLE_LAST; ++c) {
            if (!IsCellTaken(c, r)) {
                *column = c;
                *row = r;
                return true;
            }
        }
    }
    return false;
}

void WaitBattleEnded(EventRunnerPayload* runner) {
    if (!TaskKindExists(TASK_KIND_BATTLE)) {
        runner->state = NextEventCommand;
    }
}

void EndBattle(TaskSlot* slot, BattleController* controller) {
    slot->inUse = 0;
    RemoveBattleObjects();
    SetAllTasksActive(TASK_ACTIVITY_RESUME);
    if (controller->scripted != 0) {
        // Only the event runner goes on after a scripted battle.
        SetTaskKindActive(TASK_KIND_PARTY_MEMBER, TASK_ACTIVITY_STOP_UPDATE);
        SetTaskKindActive(TASK_KIND_NPC, TASK_ACTIVITY_STOP_UPDATE);
    }
    SetCamera(0.0f, 100.0f, 0.0f, 0.0f, 100.0f, 0.1f);
    if (controller->gameOver != 0) {
        PlayMusic(MUSIC_TITLE);
        KillAllTasks();
        CreateTitleScreen();
    } else {
        PlayMusic(MUSIC_FIELD);
    }
}

}  // namespace

BattleController* Battle() {
    return TaskPayload<BattleController>(TaskAt(TASK_SLOT_BATTLE));
}

BattleController* ActiveBattle() {
    const TaskSlot* slot = TaskAt(TASK_SLOT_BATTLE);
    return slot->inUse != 0 && slot->kind == TASK_KIND_BATTLE ? Battle() : nullptr;
}

int StartRandomBattle(float x, float z) {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_BATTLE);
    if (slot == nullptr) {
        return 0;
    }
    BattleController* controller = OpenController(slot);
    controller->firstSide = RandomInt(ENEMY_FIRST_ODDS) == 0 ? SIDE_ENEMY : SIDE_PARTY;
    QueueOpeningLines(controller);
    BuildSpawnCellList(&controller->spawn);
    PlaceParty();

    // A map header may name any group; the table has four.
    int32_t group = encounterGroup;
    group = group < ENCOUNTER_GROUP_FIRST ? ENCOUNTER_GROUP_FIRST : group;
    group = group > ENCOUNTER_GROUP_LAST ? ENCOUNTER_GROUP_LAST : group;
    int32_t kinds[BATTLE_ENEMY_MAX] = {-1, -1, -1, -1, -1, -1};
    battleEnemyCount = RandomInt(BATTLE_ENEMY_MAX) + 1;
    for (int32_t i = 0; i < battleEnemyCount; ++i) {
        int32_t column = 0;
        int32_t row = 0;
        if (!TakeRandomSpawnCell(&controller->spawn, &column, &row)) {
            break;
        }
        kinds[i] = ENCOUNTER_KIND_TABLE[(group - 1) * ENCOUNTER_KINDS_PER_GROUP +
                                        RandomInt(ENCOUNTER_KINDS_PER_GROUP)];
        PlaceEnemy(kinds[i], column, row);
    }
    if (controller->firstSide == SIDE_PARTY) {
        QueueAppearLines(controller, kinds);
    }
    SumRewards(controller);
    BuildTurnList(controller, controller->firstSide);
    OpenField(controller, x, z);
    return 1;
}

void StartScriptedBattle(EventRunnerPayload* runner, float x, float z) {
    if (TaskKindExists(TASK_KIND_BATTLE) || IsTaskSlotInUse(TASK_SLOT_BATTLE)) {
        return;
    }
    SetAllTasksActive(TASK_ACTIVITY_STOP_BOTH);
    BattleController* controller = OpenController(AllocTaskAt(TASK_SLOT_BATTLE));
    controller->scripted = 1;
    controller->firstSide = SIDE_PARTY;
    QueueOpeningLines(controller);
    PlaceParty();

    int32_t count = static_cast<int32_t>(ReadCommandNumber(runner));
    count = count < 1 || count > BATTLE_ENEMY_MAX ? 1 : count;
    battleEnemyCount = count;
    int32_t kinds[BATTLE_ENEMY_MAX] = {-1, -1, -1, -1, -1, -1};
    for (int32_t i = 0; i < count; ++i) {
        // Scripts are data: a kind the table lacks, or a cell off the walkable field or taken,
        // is mended rather than trusted.
        int32_t kind = static_cast<int32_t>(ReadCommandNumber(runner));
        int32_t column = static_cast<int32_t>(ReadCommandNumber(runner));
        int32_t row = static_cast<int32_t>(ReadCommandNumber(runner));
        kind = kind < 0 || kind >= ENEMY_KIND_COUNT ? 0 : kind;
        if (!ChooseScriptedCell(&column, &row)) {
            continue;
        }
        kinds[i] = kind;
        PlaceEnemy(kind, column, row);
    }
    QueueAppearLines(controller, kinds);
    SumRewards(controller);
    BuildTurnList(controller, SIDE_PARTY);
    OpenField(controller, x, z);
}

void EventCmdStartBattle(EventRunnerPayload* runner) {
    // Before the party is set up slot 0 holds no leader: the battle then stands on tile 0.
    float x = 0.0f;
    float z = 0.0f;
    if (const PartyMemberPayload* leader = Leader()) {
        x = leader->actor.head.position.x;
        z = leader->actor.head.position.z;
    }
    StartScriptedBattle(runner, x, z);
    runner->state = WaitBattleEnded;
}

void UpdateBattleController(TaskSlot* slot) {
    BattleController* controller = TaskPayload<BattleController>(slot);
    const BattleStateFn state = controller->stateFn;
    state(controller);
    if (slot->inUse == 0) {
        return;  // quit to the title: every task is gone
    }
    if (state != WaitBattleOpening) {
        controller->cameraFn(controller);
    }
    OffsetByAngle(&controller->eye.x, &controller->eye.z, controller->target.x,
                  controller->target.z, controller->cameraAngle, BATTLE_CAMERA_DISTANCE);
    SetViewAndProjection(controller->target, controller->eye);
    if (controller->alive == 0) {
        EndBattle(slot, controller);
    }
}

int CountUnitsOfSide(int32_t side) {
    int count = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse != 0 && task->kind == TASK_KIND_BATTLE_UNIT &&
            TaskPayload<BattleUnit>(task)->record.side == side) {
            ++count;
        }
    }
    return count;
}

namespace {

int AnyUnitInState(BattleUnitStateFn state, bool equal) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const TaskSlot* task = TaskAt(slot);
        if (task->inUse != 0 && task->kind == TASK_KIND_BATTLE_UNIT &&
            (TaskPayload<BattleUnit>(task)->stateFn == state) == equal) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int AnyUnitActing() {
    return AnyUnitInState(UnitIdleState, false);
}

int IsUnitChoosingCommand() {
    return AnyUnitInState(CommandMenuState, true);
}

void ClearTurnList(BattleController* controller) {
    for (BattleUnit*& entry : controller->turnList) {
        entry = nullptr;
    }
}

int AppendSideToTurnList(BattleController* controller, int32_t side, int index) {
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit == nullptr || unit->record.side != side) {
            continue;
        }
        if (index < 0 || index >= TURN_LIST_MAX) {
            break;  // units past the tenth wait for the next list
        }
        controller->turnList[index++] = unit;
    }
    return index;
}

void FillTurnListWithSide(BattleController* controller, int32_t side) {
    ClearTurnList(controller);
    AppendSideToTurnList(controller, side, 0);
}

void BuildTurnList(BattleController* controller, int32_t firstSide) {
    ClearTurnList(controller);
    const int next = AppendSideToTurnList(controller, firstSide, 0);
    AppendSideToTurnList(controller, OtherSide(firstSide), next);
}

void RefillTurnList(BattleController* controller) {
    if (controller->escaping == 0 && controller->mode == BATTLE_MODE_FIGHT) {
        BuildTurnList(controller, controller->firstSide);
    } else {
        FillTurnListWithSide(controller, SIDE_PARTY);
    }
}

void GiveTurnsToFoes() {
    FillTurnListWithSide(Battle(), SIDE_ENEMY);
}

void SetBattleObjectsMode(int mode) {
    SetTaskKindActive(TASK_KIND_BATTLE_UNIT, mode);
    SetTaskKindActive(TASK_KIND_EFFECT, mode);
    SetTaskKindActive(TASK_KIND_DAMAGE_DIGIT, mode);
    SetTaskKindActive(TASK_KIND_WORLD_POPUP, mode);
}

void RemoveBattleObjects() {
    KillTasksOfKind(TASK_KIND_BATTLE_UNIT);
    KillTasksOfKind(TASK_KIND_BATTLE_FIELD);
}

void WaitBattleOpening(BattleController* controller) {
    controller->eye.y += 1.0f;
    if (controller->eye.y >= BATTLE_CAMERA_HIGH) {
        controller->eye.y = BATTLE_CAMERA_HIGH;
        controller->stateFn = ShowQueuedLines;
    }
}

void ShowQueuedLines(BattleController* controller) {
    if (ShowNextMessagePage(controller->shownLines, controller->queuedLines) != 0) {
        controller->stateFn = BattleMessageWaitState;
    } else {
        controller->hudShown = 1;
        controller->stateFn = StartNextUnitTurn;
    }
}

void BattleMessageWaitState(BattleController* controller) {
    if (ConfirmMessagePage(controller->shownLines) != 0) {
        controller->stateFn = ShowQueuedLines;
    }
}

void ShowFinalLines(BattleController* controller) {
    if (ShowNextMessagePage(controller->shownLines, controller->queuedLines) != 0) {
        controller->stateFn = WaitFinalMessageKey;
    } else {
        controller->alive = 0;
    }
}

void WaitFinalMessageKey(BattleController* controller) {
    if (ConfirmMessagePage(controller->shownLines) != 0) {
        controller->stateFn = ShowFinalLines;
    }
}

void StartNextUnitTurn(BattleController* controller) {
    for (BattleUnit*& entry : controller->turnList) {
        if (entry == nullptr) {
            continue;
        }
        if (!IsLiveBattleUnit(entry)) {
            entry = nullptr;
            continue;
        }
        BattleUnit* unit = entry;
        entry = nullptr;
        ResetUnitTurnState(unit);
        unit->stateFn = TurnStartState;
        controller->stateFn = WatchUnitTurn;
        return;
    }
    RefillTurnList(controller);
    // With nobody to list, the mode check decides at once instead of refilling forever.
    for (const BattleUnit* entry : controller->turnList) {
        if (entry != nullptr) {
            return;
        }
    }
    controller->stateFn = WatchUnitTurn;
}

void WatchUnitTurn(BattleController* controller) {
    if (IsKeyTriggered(KEY_A) != 0) {
        controller->autoBattle = 0;
        RequestSound(SOUND_TOGGLE, 0);
    } else if (IsKeyTriggered(KEY_SHIFT) != 0) {
        SetBattleObjectsMode(TASK_ACTIVITY_STOP_UPDATE);
        RequestSound(SOUND_CURSOR, 0);
        controller->stateFn = HandleBattlePauseMenu;
        return;
    }
    if (AnyUnitActing() != 0 || ArePopupsActive() != 0) {
        return;
    }
    CheckBattleProgress(controller);
}

void HandleBattlePauseMenu(BattleController* controller) {
    if (IsKeyTriggered(KEY_DOWN) != 0) {
        controller->pauseChoice = controller->pauseChoice >= 1 ? 0 : controller->pauseChoice + 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsKeyTriggered(KEY_UP) != 0) {
        controller->pauseChoice = controller->pauseChoice <= 0 ? 1 : controller->pauseChoice - 1;
        RequestSound(SOUND_CURSOR, 0);
    } else if (IsConfirmTriggered()) {
        RequestSound(SOUND_CURSOR, 0);
        if (controller->pauseChoice == 0) {
            SetBattleObjectsMode(TASK_ACTIVITY_RESUME);
            controller->stateFn = WatchUnitTurn;
        } else {
            KillAllTasks();
            CreateTitleScreen();
        }
    }
}

void CheckBattleProgress(BattleController* controller) {
    switch (controller->mode) {
        case BATTLE_MODE_TEAM_LEAVING:
            CheckTeamWiped(controller);
            break;
        case BATTLE_MODE_TEAM_ENTERING:
            CheckTeamArrived(controller);
            break;
        default:
            CheckBattleOutcome(controller);
            break;
    }
}

void CheckBattleOutcome(BattleController* controller) {
    if (AnyUnitActing() != 0) {
        return;
    }
    const int party = CountUnitsOfSide(SIDE_PARTY);
    const int enemies = CountUnitsOfSide(SIDE_ENEMY);
    if (party == 0) {
        if (controller->activeTeam == 0) {
            ShowDefeat(controller);
        } else {
            HandleTeamDefeat(controller);
        }
    } else if (enemies == 0) {
        if (controller->activeTeam == 0) {
            ShowVictory(controller);
        } else {
            ContinueAfterReserveVictory(controller);
        }
    } else {
        controller->stateFn = StartNextUnitTurn;
    }
}

void CheckTeamWiped(BattleController* controller) {
    if (CountUnitsOfSide(SIDE_PARTY) == 0) {
        SwapBattleTeam(controller);
        FillTurnListWithSide(controller, SIDE_PARTY);
    }
    controller->stateFn = StartNextUnitTurn;
}

void CheckTeamArrived(BattleController* controller) {
    int arrived = 0;
    int onField = 0;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END; ++slot) {
        const BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit == nullptr || unit->record.side != SIDE_PARTY) {
            continue;
        }
        ++onField;
        const float dx = unit->position.x - unit->home.x;
        const float dz = unit->position.z - unit->home.z;
        if (std::sqrt(dx * dx + dz * dz) <= HOME_REACH) {
            ++arrived;
        }
    }
    // A member that found no free slot never entered: the team is the units on the field.
    if (arrived >= onField) {
        controller->mode = BATTLE_MODE_FIGHT;
        BuildTurnList(controller, controller->firstSide);
        if (CountUnitsOfSide(SIDE_ENEMY) == 0) {
            ShowVictory(controller);
            return;
        }
    }
    controller->stateFn = StartNextUnitTurn;
}

void ContinueAfterReserveVictory(BattleController* controller) {
    BattleUnit* first = nullptr;
    for (int slot = TASK_SLOT_DYNAMIC_FIRST; slot < TASK_SLOT_DYNAMIC_END && first == nullptr;
         ++slot) {
        BattleUnit* unit = LiveBattleUnitAt(slot);
        if (unit != nullptr && unit->record.side == SIDE_PARTY) {
            first = unit;
        }
    }
    ClearTurnList(controller);
    BuildPartyTurnListFrom(controller, first);
    FillTurnListWithSide(controller, SIDE_PARTY);
    controller->autoBattle = 0;
    controller->stateFn = StartNextUnitTurn;
}

void HandleBattleCameraInput(BattleController* controller) {
    if (IsKeyTriggered(KEY_CONTROL) != 0) {
        controller->cameraFn = TurnBattleCamera;
        RequestSound(SOUND_TOGGLE, 0);
    } else if (IsKeyTriggered(KEY_F) != 0) {
        controller->infoShown = 1 - controller->infoShown;
        RequestSound(SOUND_TOGGLE, 0);
    } else if (IsKeyHeld(KEY_S)) {
        controller->eye.y += 1.0f;
        if (controller->eye.y > BATTLE_CAMERA_HIGH) {
            controller->eye.y = BATTLE_CAMERA_HIGH;
        }
    } else if (IsKeyHeld(KEY_D)) {
        controller->eye.y -= 1.0f;
        if (controller->eye.y < BATTLE_CAMERA_LOW) {
            controller->eye.y = BATTLE_CAMERA_LOW;
        }
    }
}

void TurnBattleCamera(BattleController* controller) {
    float angle = controller->cameraAngle - CAMERA_TURN_STEP;
    if (angle < 0.0f) {
        angle += 360.0f;
    } else if (angle >= 360.0f) {
        angle -= 360.0f;
    }
    controller->cameraAngle = angle;
    const int32_t whole = static_cast<int32_t>(RoundToPixel(angle));
    if (whole % 90 == 0) {
        controller->cameraAngle = whole < 360 ? static_cast<float>(whole) : 0.0f;
        controller->cameraFn = HandleBattleCameraInput;
    }
}
