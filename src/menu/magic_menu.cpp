// The camp's magic screen: a member casts a heal or a cure on the map. The caster comes from the
// party list, the skill from a grid of all sixteen, and a one-target skill then asks for the
// member it acts on; a skill for the whole party asks a question instead.
#include <algorithm>

#include "battle/skill_command.h"
#include "battle/skill_table.h"
#include "data/atlas_camp_screens.h"
#include "data/atlas_images.h"
#include "data/atlas_skills.h"
#include "data/atlas_system_menu.h"
#include "engine/keyboard.h"
#include "engine/saturating.h"
#include "engine/sound.h"
#include "menu/camp_menu.h"
#include "menu/camp_screens.h"
#include "menu/camp_widgets.h"
#include "render/number_draw.h"
#include "render/screen_draw.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr float HEADER_X[3] = {0.0f, 71.0f, 257.0f};
constexpr float CASTER_LIST_Y = 26.0f;
constexpr float DETAIL_Y = 147.0f;
constexpr float GRID_Y = 180.0f;
constexpr float PAGE_Y = 182.0f;
constexpr float PAGE_NUMBER_X = 6.0f;
constexpr float PAGE_SLASH_X = 30.0f;
constexpr float PAGE_COUNT_X = 54.0f;
constexpr float CELL_X = 20.0f;
constexpr float CELL_PITCH_X = 210.0f;
constexpr float NAME_Y = 204.0f;
constexpr float HAND_Y = 205.0f;
constexpr float CELL_PITCH_Y = 22.0f;
constexpr float HAND_OFFSET = 14.0f;
constexpr float TARGET_CAPTION_Y = 297.0f;
constexpr float TARGET_LIST_Y = 323.0f;
constexpr float MESSAGE_Y = 120.0f;

void UpdateMagicMenu(TaskSlot* slot) {
    RunStateTask<MagicMenuPayload, ReturnToCampMenu<MagicMenuPayload>>(slot);
}

int32_t CellIndex(const MagicMenuPayload* menu, int32_t column, int32_t row) {
    return menu->page * MAGIC_PAGE_CELLS + row * MAGIC_COLUMNS + column;
}

// The skill in a cell, -1 for an empty cell or one past the grid.
int32_t SkillInCell(const MagicMenuPayload* menu, int32_t cell) {
    return cell >= 0 && cell < MAGIC_CELLS ? menu->skillList[cell] : -1;
}

void ChooseSpell(MagicMenuPayload* menu) {
    const int32_t skillId = SkillInCell(menu, CellIndex(menu, menu->column, menu->row));
    const SkillRecord* skill = SkillRow(skillId);
    if (skill == nullptr) {
        return;
    }
    menu->skillId = skillId;
    switch (CheckSpellCastable(skillId, menu->caster)) {
        case SPELL_CASTABLE:
            RequestSound(SOUND_CURSOR, 0);
            if (skill->targetCount > 1) {
                menu->choice = 0;
                menu->state = ConfirmPartySpell;
            } else {
                menu->target = 0;
                menu->state = SelectSpellTarget;
            }
            break;
        case SPELL_MP_LOW:
            RequestSound(SOUND_BUZZER, 0);
            menu->state = WaitSpellMessage;
            break;
        default:
            // The dimmed name already says why: no sound.
            break;
    }
}

bool ChoosesCaster(const MagicMenuPayload* menu) {
    return menu->state == EnterCasterSelect || menu->state == SelectCaster;
}

void DrawSpellGrid(const MagicMenuPayload* menu) {
    DrawCampImage(0.0f, GRID_Y, RECT_SKILL_WINDOW_PANEL);
    for (int32_t row = 0; row < MAGIC_ROWS; ++row) {
        for (int32_t column = 0; column < MAGIC_COLUMNS; ++column) {
            const float x = CELL_X + CELL_PITCH_X * static_cast<float>(column);
            const float y = NAME_Y + CELL_PITCH_Y * static_cast<float>(row);
            const int32_t skillId = SkillInCell(menu, CellIndex(menu, column, row));
            const SkillRecord* skill = SkillRow(skillId);
            if (skill == nullptr) {
                DrawCampImage(x, y, RECT_SKILL_EMPTY_CELL, COLOUR_WINDOW);
                continue;
            }
            // Bright when this caster could cast it here given the magic points.
            const int32_t why = CheckSpellCastable(skillId, menu->caster);
            const bool bright = why == SPELL_CASTABLE || why == SPELL_MP_LOW;
            DrawCampImage(x, y, skill->nameRect, bright ? COLOUR_WHITE : COLOUR_WINDOW);
        }
    }
    DrawNumberSmall(PAGE_NUMBER_X, PAGE_Y, menu->page + 1);
    DrawCampImage(PAGE_SLASH_X, PAGE_Y, RECT_PAGE_SLASH);
    DrawNumberSmall(PAGE_COUNT_X, PAGE_Y, menu->pageCount);
}

void DrawSpellCursor(const MagicMenuPayload* menu) {
    const float x = CELL_X + CELL_PITCH_X * static_cast<float>(menu->column);
    DrawCampImage(x - HAND_OFFSET, HAND_Y + CELL_PITCH_Y * static_cast<float>(menu->row),
                  RECT_MENU_CURSOR);
    const CharacterRecord* caster = CampMember(menu->caster);
    DrawSkillDetails(0.0f, DETAIL_Y, menu->page, menu->column, menu->row,
                     caster != nullptr ? caster->mp : 0, COLOUR_WHITE);
}

void DrawTargetList(const MagicMenuPayload* menu) {
    DrawCampImage(0.0f, TARGET_CAPTION_Y, RECT_MAGIC_TARGET_CAPTION);
    DrawPartyList(0.0f, TARGET_LIST_Y, partyRoster, partyCount, menu->target);
    if (CampMember(menu->target) != nullptr) {
        DrawListCursor(8.0f, TARGET_LIST_Y + PARTY_LIST_FIRST_ROW, PARTY_LIST_ROW_PITCH,
                       menu->target);
    }
}

void DrawMessage(const AtlasRect& rect) {
    DrawSpriteCentered(rect, MESSAGE_Y, ATLAS_SIZE, ATLAS_SIZE, COLOUR_WHITE, uiAtlas);
}

}  // namespace

int OpenMagicMenu() {
    TaskSlot* slot = AllocTaskAt(TASK_SLOT_MAGIC_MENU);
    if (slot == nullptr) {
        return 0;
    }
    StartTask(slot, TASK_KIND_MAGIC_MENU, 0, UpdateMagicMenu, DrawMagicMenu);
    MagicMenuPayload* menu = TaskPayload<MagicMenuPayload>(slot);
    menu->alive = 1;
    menu->pageCount = MAGIC_PAGES;
    for (int32_t cell = 0; cell < MAGIC_CELLS; ++cell) {
        menu->skillList[cell] = cell < SKILL_COUNT ? cell : -1;
    }
    menu->state = EnterCasterSelect;
    return 1;
}

void MovePartyCursor(MagicMenuPayload* menu, int32_t* cursor,
                     TaskStateFn<MagicMenuPayload> escapeState,
                     TaskStateFn<MagicMenuPayload> confirmState) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        if (escapeState != nullptr) {
            menu->state = escapeState;
        }
    } else if (IsKeyTriggered(KEY_DOWN)) {
        *cursor = WrapIndex(*cursor + 1, CampPartySize());
    } else if (IsKeyTriggered(KEY_UP)) {
        *cursor = WrapIndex(*cursor - 1, CampPartySize());
    } else if (IsConfirmTriggered()) {
        if (CampPartySize() == 0) {
            RequestSound(SOUND_BUZZER, 0);  // nobody to cast or to cast on
            return;
        }
        if (confirmState != nullptr) {
            menu->state = confirmState;
        }
    } else {
        return;
    }
    RequestSound(SOUND_CURSOR, 0);
}

int32_t CheckSpellCastable(int32_t skillId, int32_t caster) {
    const CharacterRecord* record = CampMember(caster);
    const SkillRecord* skill = SkillRow(skillId);
    if (record == nullptr || record->characterClass == CLASS_FIGHTER) {
        return SPELL_FIGHTER;
    }
    if (skill == nullptr || (skill->flags & SKILL_FLAG_FIELD) == 0) {
        return SPELL_NOT_FIELD;
    }
    if (record->level < skill->requiredLevel) {
        return SPELL_LEVEL_LOW;
    }
    return record->mp < skill->mpCost ? SPELL_MP_LOW : SPELL_CASTABLE;
}

void CastSpell(MagicMenuPayload* menu) {
    const SkillRecord* skill = SkillRow(menu->skillId);
    CharacterRecord* caster = CampMember(menu->caster);
    if (skill == nullptr || caster == nullptr) {
        return;
    }
    if (skill->fieldEffect != nullptr) {
        skill->fieldEffect(menu->skillId, menu->target);
    }
    RequestSound(SOUND_HEAL, 0);
    // A save may bring any numbers.
    caster->mp = std::max(0, SaturatingSub(caster->mp, skill->mpCost));
}

void EnterCasterSelect(MagicMenuPayload* menu) {
    menu->state = SelectCaster;
}

void SelectCaster(MagicMenuPayload* menu) {
    MovePartyCursor(menu, &menu->caster, CloseMenuState, EnterSpellGrid);
    const CharacterRecord* caster = CampMember(menu->caster);
    if (menu->state == EnterSpellGrid && caster != nullptr &&
        (caster->statusBits & STATUS_PARALYSIS) != 0) {
        RequestSound(SOUND_BUZZER, 0);
        menu->state = WaitCasterMessage;
    }
}

void CloseMenuState(MagicMenuPayload* menu) {
    menu->alive = 0;
}

void WaitCasterMessage(MagicMenuPayload* menu) {
    if (IsConfirmTriggered()) {
        menu->state = SelectCaster;
    }
}

void EnterSpellGrid(MagicMenuPayload* menu) {
    menu->column = 0;
    menu->row = 0;
    menu->state = MoveSpellGridCursor;
}

void MoveSpellGridCursor(MagicMenuPayload* menu) {
    if (IsKeyTriggered(KEY_ESCAPE)) {
        menu->column = 0;
        menu->row = 0;
        menu->state = SelectCaster;
    } else if (IsKeyTriggered(KEY_RIGHT)) {
        if (++menu->column > MAGIC_COLUMNS - 1) {
            menu->column = 0;
            menu->page = WrapIndex(menu->page + 1, menu->pageCount);
        }
    } else if (IsKeyTriggered(KEY_LEFT)) {
        // Off the left edge lands on the last column of the page before.
        if (--menu->column < 0) {
            menu->column = MAGIC_COLUMNS - 1;
            menu->page = WrapIndex(menu->page - 1, menu->pageCount);
        }
    } else if (IsKeyTriggered(KEY_DOWN)) {
        menu->row = WrapIndex(menu->row + 1, MAGIC_ROWS);
    } else if (IsKeyTriggered(KEY_UP)) {
        menu->row = WrapIndex(menu->row - 1, MAGIC_ROWS);
    } else {
        if (IsConfirmTriggered()) {
            ChooseSpell(menu);
        }
        return;
    }
    RequestSound(SOUND_CURSOR, 0);
}

void WaitSpellMessage(MagicMenuPayload* menu) {
    if (IsConfirmTriggered()) {
        menu->state = MoveSpellGridCursor;
    }
}

void SelectSpellTarget(MagicMenuPayload* menu) {
    MovePartyCursor(menu, &menu->target, MoveSpellGridCursor, CastSpellOnTarget);
}

void CastSpellOnTarget(MagicMenuPayload* menu) {
    CastSpell(menu);
    menu->wait = CAMP_RESULT_WAIT;
    menu->state = WaitAfterCast;
}

void WaitAfterCast(MagicMenuPayload* menu) {
    menu->wait -= 1;
    if (IsConfirmTriggered()) {
        menu->wait = 0;
    }
    if (menu->wait <= 0) {
        menu->state = MoveSpellGridCursor;
    }
}

void ConfirmPartySpell(MagicMenuPayload* menu) {
    if (MoveMenuCursor(&menu->choice, 2) != 0) {
        menu->state = menu->choice == 1 ? CastSpellOnParty : MoveSpellGridCursor;
    }
}

void CastSpellOnParty(MagicMenuPayload* menu) {
    CastSpell(menu);
    menu->state = MoveSpellGridCursor;
}

void DrawMagicMenu(TaskSlot* slot) {
    const MagicMenuPayload* menu = TaskPayload<MagicMenuPayload>(slot);
    DrawCampBackdrop();
    for (int i = 0; i < 3; ++i) {
        DrawCampImage(HEADER_X[i], 0.0f, RECT_MAGIC_HEADERS[i]);
    }
    DrawPartyList(0.0f, CASTER_LIST_Y, partyRoster, partyCount, menu->caster);
    if (CampMember(menu->caster) != nullptr) {
        DrawListCursor(8.0f, CASTER_LIST_Y + PARTY_LIST_FIRST_ROW, PARTY_LIST_ROW_PITCH,
                       menu->caster);
    }
    DrawSpellGrid(menu);
    if (!ChoosesCaster(menu)) {
        DrawSpellCursor(menu);
    }
    // The list stays through the cast and its pause.
    if (menu->state == SelectSpellTarget || menu->state == CastSpellOnTarget ||
        menu->state == WaitAfterCast) {
        DrawTargetList(menu);
    } else if (menu->state == ConfirmPartySpell) {
        DrawCampQuestion(menu->choice, RECT_SMALL_QUESTION_FRAME, RECT_MAGIC_PARTY_TITLE);
    } else if (menu->state == WaitCasterMessage) {
        DrawMessage(RECT_CASTER_CANNOT_ACT);
    } else if (menu->state == WaitSpellMessage) {
        DrawMessage(RECT_NOT_ENOUGH_MP);
    }
}
