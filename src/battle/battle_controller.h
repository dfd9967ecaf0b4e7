// The battle controller: one task in a fixed slot that runs every battle, random or scripted. It
// opens the battle, pages through its messages, hands each turn to one unit, waits until every
// unit is idle again and then decides what comes next by the battle mode.
#pragma once

#include <cstdint>

#include "battle/battle_field.h"
#include "battle/battle_messages.h"
#include "battle/battle_unit.h"
#include "engine/task_pool.h"
#include "platform/common/math3d.h"

constexpr int32_t BATTLE_ENEMY_MAX = 6;
constexpr int TURN_LIST_MAX = 10;

constexpr uint32_t BATTLE_MODE_FIGHT = 0;
constexpr uint32_t BATTLE_MODE_TEAM_LEAVING = 1;
constexpr uint32_t BATTLE_MODE_TEAM_ENTERING = 2;

constexpr float BATTLE_CAMERA_LOW = 10.0f;
constexpr float BATTLE_CAMERA_HIGH = 60.0f;
constexpr float BATTLE_CAMERA_DISTANCE = 20.0f;

struct BattleController;
struct EventRunnerPayload;
using BattleCameraFn = void (*)(BattleController* controller);

struct BattleController {
    uint32_t alive;  // 0 ends the battle at the end of this frame's update
    Vec3 eye;        // y is the camera height
    Vec3 target;     // always the field centre
    float cameraAngle;
    int32_t firstSide;
    uint32_t infoShown;
    uint32_t hudShown;
    uint32_t gameOver;
    int32_t pauseChoice;
    BattleCameraFn cameraFn;
    TaskStateFn<BattleController> stateFn;
    uint32_t scripted;
    uint32_t escaping;
    uint32_t autoBattle;
    int32_t goldTotal;
    int32_t expTotal;
    SpawnCellList spawn;
    BattleUnit* turnList[TURN_LIST_MAX];
    BattleShownLines shownLines;
    BattleQueuedLines queuedLines;
    uint32_t mode;
    uint32_t activeTeam;  // 0 the party is on the field, 1 the familiar team
};
static_assert(sizeof(BattleController) <= TASK_PAYLOAD_BYTES);
static_assert(offsetof(BattleController, alive) == 0);

using BattleStateFn = TaskStateFn<BattleController>;

// Enemy kinds offered by each encounter group 1..4, three a group.
extern const int32_t ENCOUNTER_KIND_TABLE[12];
// Where the roster's members stand, by roster index: column, then row.
extern const int32_t PARTY_PLACEMENT_CELLS[PARTY_MAX][2];

// The payload in the battle slot. Units and the HUD read it only while a battle runs.
BattleController* Battle();
// The running battle's controller, or null when the battle slot holds none.
BattleController* ActiveBattle();

// Starts a random battle with the field under the map position (x, z): 1 when started, 0 when
// the battle slot was taken. Other tasks are left as they are (the swirl has hidden them).
int StartRandomBattle(float x, float z);
// Pauses everything and starts the battle that the event's arguments describe: the enemy count,
// then a kind, a column and a row for each enemy. Nothing happens while a battle exists.
void StartScriptedBattle(EventRunnerPayload* runner, float x, float z);

void UpdateBattleController(TaskSlot* slot);
void DrawBattleController(TaskSlot* slot);

// Battle units on the field of the side (0 party, 1 enemy).
int CountUnitsOfSide(int32_t side);
int AnyUnitActing();
int IsUnitChoosingCommand();

void ClearTurnList(BattleController* controller);
// Appends the units of one side in slot order from entry index on, as far as the list holds:
// the next free index.
int AppendSideToTurnList(BattleController* controller, int32_t side, int index);
void FillTurnListWithSide(BattleController* controller, int32_t side);
void BuildTurnList(BattleController* controller, int32_t firstSide);
void RefillTurnList(BattleController* controller);
// After a failed escape: the enemies act next. The controller's own outcome check still comes
// first, once every unit is idle.
void GiveTurnsToFoes();

// Applies an activity mode to the units, effects, damage digits and popups.
void SetBattleObjectsMode(int mode);
// Kills the units and the field view.
void RemoveBattleObjects();

// The mode check after every turn, and the three checks it chooses from.
void CheckBattleProgress(BattleController* controller);
void CheckBattleOutcome(BattleController* controller);
void CheckTeamWiped(BattleController* controller);
void CheckTeamArrived(BattleController* controller);
void ContinueAfterReserveVictory(BattleController* controller);
