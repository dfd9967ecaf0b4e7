// The four screens the camp menu hands over to: items (use, equip, discard, sort), magic (heals
// and cures cast on the map), order (the party rearranged, the followers in the new order) and
// status (one member in detail). Each is a state task in its own slot over the frozen world
// that brings back a fresh camp menu when it closes; only the special item goes straight back
// to the field.
#pragma once

#include <cstdint>

#include "data/atlas_rect.h"
#include "engine/task_pool.h"
#include "field/game_state.h"
#include "render/screen_draw.h"

// Frames a result stays on screen after a use, an equip or a cast on one member, unless
// Return or Z cuts it short.
constexpr int32_t CAMP_RESULT_WAIT = 50;

// What the screens share.

// The roster entries the screens may index: partyCount held within 0..PARTY_MAX.
int32_t CampPartySize();
// The member at a roster index, or null outside the party.
CharacterRecord* CampMember(int32_t index);
// The value of a weapon (type 10) or armour (type 11) piece; 0 for no piece or a piece of the
// other type.
int32_t EquipValue(int32_t id, int32_t type);
void DrawCampImage(float x, float y, const AtlasRect& rect, uint32_t argb = COLOUR_WHITE);
// The tiled backdrop every camp screen covers the display with.
void DrawCampBackdrop();
// A yes/no question of the camp screens: entry 0 no, 1 yes.
void DrawCampQuestion(int32_t choice, const AtlasRect& frame, const AtlasRect& title);

// The item screen.

constexpr int32_t CAMP_ITEM_TABS = 3;  // use, discard, sort
constexpr int32_t CAMP_ITEM_COLUMNS = 2;
constexpr int32_t CAMP_ITEM_ROWS = 10;
constexpr int32_t CAMP_ITEM_PAGE_CELLS = CAMP_ITEM_COLUMNS * CAMP_ITEM_ROWS;
constexpr int32_t CAMP_ITEM_PAGES = 4;  // the whole bag, 80 slots

// Why an equip was refused.
constexpr int32_t EQUIP_DONE = 0;
constexpr int32_t EQUIP_NO_ROOM = 1;  // for the piece taken off
constexpr int32_t EQUIP_WRONG_CLASS = 2;

struct ItemMenuPayload {
    uint32_t alive;
    int32_t tab;
    int32_t member;  // the target cursor
    int32_t column;  // the grid cursor, kept while the screen is open
    int32_t row;
    int32_t page;
    int32_t pageCount;
    int32_t slot;    // the inventory slot chosen last
    int32_t itemId;  // what it held when chosen
    int32_t failReason;
    int32_t choice;  // of the current question: 0 no, 1 yes
    int32_t wait;
    TaskStateFn<ItemMenuPayload> state;
};

// The inventory slot a grid cell shows: left to right, then top to bottom, 20 to a page.
int32_t ItemGridSlot(int32_t page, int32_t column, int32_t row);
// The grid's keys: 1 on a confirm (slot and itemId set), -1 on Escape, else 0.
int MoveItemGridCursor(ItemMenuPayload* menu);
// Puts the item on the record in the place of its type: EQUIP_DONE, or why not (nothing then
// changes). Room for the piece taken off is looked for first, so a full bag refuses even an
// item the member could not wear.
int32_t EquipItem(CharacterRecord& record, int32_t id);
// A consumable's effect by item id; ids past the cures do nothing.
void ApplyConsumableEffect(CharacterRecord& record, int32_t id);
void ApplySpecialItemEffect(int32_t id);

void EnterItemTabSelect(ItemMenuPayload* menu);
void SelectItemTab(ItemMenuPayload* menu);
void UseTabSelectItem(ItemMenuPayload* menu);
void SelectItemTarget(ItemMenuPayload* menu);
void WaitAfterItemUse(ItemMenuPayload* menu);
void WaitItemMessage(ItemMenuPayload* menu);
void ConfirmUseSpecialItem(ItemMenuPayload* menu);
void UseSpecialItem(ItemMenuPayload* menu);
void DiscardTabSelectItem(ItemMenuPayload* menu);
void ConfirmDiscardItem(ItemMenuPayload* menu);
void EnterSortConfirm(ItemMenuPayload* menu);
void ConfirmSortItems(ItemMenuPayload* menu);

void DrawTabbedMenu(TaskSlot* slot);

// The magic screen.

constexpr int32_t MAGIC_COLUMNS = 3;
constexpr int32_t MAGIC_ROWS = 4;
constexpr int32_t MAGIC_PAGE_CELLS = MAGIC_COLUMNS * MAGIC_ROWS;
constexpr int32_t MAGIC_PAGES = 2;
constexpr int32_t MAGIC_CELLS = MAGIC_PAGE_CELLS * MAGIC_PAGES;

// Why a skill cannot be cast here, in the order the checks run.
constexpr int32_t SPELL_CASTABLE = 0;
constexpr int32_t SPELL_FIGHTER = 1;
constexpr int32_t SPELL_NOT_FIELD = 2;
constexpr int32_t SPELL_LEVEL_LOW = 3;
constexpr int32_t SPELL_MP_LOW = 4;

struct MagicMenuPayload {
    uint32_t alive;
    int32_t caster;
    int32_t target;
    int32_t column;
    int32_t row;
    int32_t page;
    int32_t skillId;
    int32_t pageCount;
    int32_t skillList[MAGIC_CELLS];  // a skill id by cell, -1 for an empty cell
    int32_t choice;                  // of the party question: 0 no, 1 yes
    int32_t wait;
    TaskStateFn<MagicMenuPayload> state;
};

// The member cursor: Escape and a confirm switch to the states given (when given), Down and Up
// move it, wrapping, each with the cursor sound. A confirm with no party only buzzes.
void MovePartyCursor(MagicMenuPayload* menu, int32_t* cursor,
                     TaskStateFn<MagicMenuPayload> escapeState,
                     TaskStateFn<MagicMenuPayload> confirmState);
// The first reason that holds, in the order above; a caster outside the party casts nothing, as
// a fighter.
int32_t CheckSpellCastable(int32_t skillId, int32_t caster);
// The chosen skill's field effect, the heal sound and its cost from the caster, never below 0.
void CastSpell(MagicMenuPayload* menu);

void EnterCasterSelect(MagicMenuPayload* menu);
void SelectCaster(MagicMenuPayload* menu);
void CloseMenuState(MagicMenuPayload* menu);
void WaitCasterMessage(MagicMenuPayload* menu);
void EnterSpellGrid(MagicMenuPayload* menu);
void MoveSpellGridCursor(MagicMenuPayload* menu);
void WaitSpellMessage(MagicMenuPayload* menu);
void SelectSpellTarget(MagicMenuPayload* menu);
void CastSpellOnTarget(MagicMenuPayload* menu);
void WaitAfterCast(MagicMenuPayload* menu);
void ConfirmPartySpell(MagicMenuPayload* menu);
void CastSpellOnParty(MagicMenuPayload* menu);

void DrawMagicMenu(TaskSlot* slot);

// The order screen.

struct OrderMenuPayload {
    uint32_t alive;
    int32_t cursor;       // the roster member under the cursor
    int32_t pickedCount;  // members in the new order so far
    int32_t choice;       // of the question: 0 no, 1 yes
    // Whole copies of the picked members in pick order; an entry not filled yet is zero with
    // characterId -1.
    CharacterRecord newOrder[PARTY_MAX];
    TaskStateFn<OrderMenuPayload> state;
};

// Whether the member at the cursor is in the new order already (told apart by characterId).
int IsMemberPicked(const OrderMenuPayload* menu);
void AppendMemberToOrder(OrderMenuPayload* menu);

void EnterPartyOrderPick(OrderMenuPayload* menu);
void PickPartyOrder(OrderMenuPayload* menu);
void ConfirmPartyOrder(OrderMenuPayload* menu);

void DrawPartyOrderMenu(TaskSlot* slot);

// The status screen.

struct StatusMenuPayload {
    uint32_t alive;
    int32_t member;
    TaskStateFn<StatusMenuPayload> state;
};

void EnterStatusSelect(StatusMenuPayload* menu);
void SelectStatusMember(StatusMenuPayload* menu);

void DrawStatusMenu(TaskSlot* slot);
// The member panel (level, class, equipment, status, experience to the next level) and the
// stats panel of one record.
void DrawMemberStatusPanel(const CharacterRecord& record);
void DrawMemberStats(const CharacterRecord& record);
