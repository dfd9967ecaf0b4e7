// A party unit's turn: the menu of its class's commands, the target list the attack, skill and
// item commands share, defend and escape with their prompts, and the overlays drawn for the
// state of the unit whose turn it is.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"
#include "data/atlas_rect.h"

constexpr int32_t BATTLE_COMMAND_ATTACK = 0;
constexpr int32_t BATTLE_COMMAND_SKILL = 1;
constexpr int32_t BATTLE_COMMAND_DEFEND = 2;
constexpr int32_t BATTLE_COMMAND_ITEM = 3;
constexpr int32_t BATTLE_COMMAND_ESCAPE = 5;
constexpr int32_t BATTLE_COMMAND_TURN_CHOICE = 6;
constexpr int32_t BATTLE_COMMAND_AUTO = 7;

constexpr int BATTLE_COMMAND_CLASSES = 4;
constexpr int BATTLE_COMMAND_LIST_MAX = 6;
// Each class's commands, top to bottom (-1 past the last), and how many each has.
extern const int32_t battleCommandLists[BATTLE_COMMAND_CLASSES][BATTLE_COMMAND_LIST_MAX];
extern const int32_t battleCommandCounts[BATTLE_COMMAND_CLASSES];

// The row of a class index 0..3; any other index gets row 0, and so does its count.
const int32_t* GetCommandList(int32_t classIndex);
int32_t GetCommandCount(int32_t classIndex);

// The units of a side, at most six, in slot order then by x, largest first: the count. The
// first becomes the unit's target.
int CollectTargetsBySide(BattleUnit* unit, int32_t side);
void BuildEnemyTargetList(BattleUnit* unit);
// The target list's keys: Escape goes back, the arrows move, a confirm takes the target.
void HandleTargetInput(BattleUnit* unit, BattleUnitStateFn back, BattleUnitStateFn confirm);
void ApplyDefend(BattleUnit* unit);
// The draw pass's two hooks: the gauges over every unit while a command is chosen, then the
// acting party unit's overlays.
void UpdateTurnUnitUi();
void DrawTurnUnitUi();
void DrawCommandUi(BattleUnit* unit);
void DrawCommandMenu(const BattleUnit* unit);
void DrawTargetList(const BattleUnit* unit);
void DrawDefendConfirm(const BattleUnit* unit);
void DrawEscapeConfirm(const BattleUnit* unit);
void DrawAutoBattleConfirm(const BattleUnit* unit);
void DrawDefendMessage(const BattleUnit* unit);
void DrawParalysedMessage(const BattleUnit* unit);
void DrawUnitMessage(const BattleUnit* unit, const AtlasRect& message);
void DrawUnitNamePanel(float x, float y, uint32_t argb, const BattleUnit* unit);
void DrawHpGauge(float x, float y, const BattleUnit* unit);
void DrawGauge(float x, float y, int32_t current, int32_t maximum, const AtlasRect& fillRow);
