// The skill command of a party unit: the skill window over the bottom of the screen, the checks
// on level and magic points, the choice of one target or the prompt for a skill that reaches
// several, the cast, and the wait for its effects. The states are declared with the others in
// battle/battle_states.h.
#pragma once

#include <cstdint>

#include "battle/battle_unit.h"

constexpr int SKILL_MENU_COLUMNS = 3;
constexpr int SKILL_MENU_ROWS = 4;
constexpr int SKILL_MENU_PAGE_CELLS = SKILL_MENU_COLUMNS * SKILL_MENU_ROWS;
constexpr int SKILL_MENU_PAGES = 2;
constexpr int SKILL_MENU_CELLS = SKILL_MENU_PAGE_CELLS * SKILL_MENU_PAGES;

// The skill window of whichever party unit is choosing.
struct SkillMenu {
    int32_t column;
    int32_t row;
    int32_t page;
    int32_t pageCount;
    int32_t confirmChoice;              // the prompt's cursor: 0 go back, 1 cast
    int32_t entries[SKILL_MENU_CELLS];  // a skill id by cell, -1 for an empty cell
};

extern SkillMenu skillMenu;

// The cell under the cursor: page, then row, then column.
int32_t SkillMenuCell(const SkillMenu& menu);
// The window's keys: 1 confirmed, -1 cancelled, 0 nothing. Left from the first column goes to
// the first column of the page before, not its last.
int SkillMenuInput(SkillMenu* menu);
// The skill under the cursor: refused with the buzzer while the unit's level is too low, else
// its target choice, its prompt, or the not-enough-MP message.
void SelectSkill(BattleUnit* unit);
void BeginSkillTargeting(BattleUnit* unit);
void BeginSpecialSkillConfirm(BattleUnit* unit);
// The chosen skill's cost from the unit's magic points, never below 0.
void PaySkillCost(BattleUnit* unit);

void DrawUnitSkillMenu(const BattleUnit* unit);
void DrawSkillMenu(const SkillMenu& menu, const BattleUnit* unit);
// The detail bar of the skill in the cell: its description, cost and the caster's magic points.
// The description always starts 8 pixels from the screen's left, wherever the bar stands.
void DrawSkillDetails(float x, float y, int32_t page, int32_t column, int32_t row,
                      int32_t currentMp, uint32_t argb);
void DrawSkillConfirm();
void DrawNotEnoughMp();
