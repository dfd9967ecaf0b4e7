// The images of the interface atlas and the glyph sheet that the game draws, one registry
// shared by the game code (which draws them by these names) and the data builder (which paints
// each one as what it shows). Every new screen adds its images here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/atlas_rect.h"

enum class AtlasSheet : uint8_t {
    Interface,  // data.dat entry 0, 2048 x 2048
    Glyphs,     // data.dat entry 1, 2048 x 1024
};

// What the builder paints into the rectangle.
enum class AtlasArt : uint8_t {
    Label,    // the text, light on transparent, fitted to the rectangle
    Digit,    // one digit, the text, fitted to the rectangle
    Panel,    // a window: 2-pixel light frame around a dark interior
    Cursor,   // a pointer towards the right
    Fill,     // the colour, solid
    Face,     // a face, in the colour given (hair)
    Picture,  // a full scene with the text as its caption
    Icon,     // a round badge with the text
};

// The labels the game shows together, as a menu's entries or a grid's names. A label fitted to
// its own rectangle alone would come out a size of its own; the builder paints every label of
// one list at one size, the largest that fits all of their rectangles, and sets each in from its
// left edge by one margin, so that they line up as a list.
enum class LabelList : uint8_t {
    None,  // fitted to its rectangle alone and centred in it
    TitleMenu,
    YesNo,
    StartMenu,
    BattleCommands,
    SkillNames,
    SkillPrompt,
    ItemNames,
    CampCommands,
    SystemMenu,
    ItemTabs,
    OptionNames,
    OptionValues,
    PartyNames,
};

// Whether the game centres the labels of the list where it draws them (a menu window and the
// title menu centre each label's rectangle), so that each text is centred in its rectangle as
// well; the other lists stand at a column's left edge, their texts set in from the left. The
// start menu is a menu window, but a save slot shows only the start of a story label, so its
// texts start at the left.
constexpr bool LabelListCentred(LabelList list) {
    switch (list) {
        case LabelList::TitleMenu:
        case LabelList::YesNo:
        case LabelList::BattleCommands:
        case LabelList::SystemMenu:
        case LabelList::SkillPrompt:
            return true;
        default:
            return false;
    }
}

struct AtlasImage {
    AtlasSheet sheet;
    AtlasRect rect;
    AtlasArt art;
    const char* text;  // UTF-8
    uint32_t colour;   // ARGB: the text or main colour
    LabelList list = LabelList::None;
};

// The images of one screen or subsystem. Each keeps its list in its own file
// (data/atlas_<topic>.cpp) and names it in the registry (data/atlas_images.cpp).
struct AtlasImageList {
    const AtlasImage* images;
    size_t count;
};

// The lists, one per file.
extern const AtlasImageList coreAtlasImages;   // digits, cursor, fade tile, options screen
extern const AtlasImageList fieldAtlasImages;  // area names, money bar
extern const AtlasImageList characterAtlasImages;
extern const AtlasImageList menuAtlasImages;           // title screen, yes/no dialog, start menu
extern const AtlasImageList messageAtlasImages;        // message window, glyph sheet
extern const AtlasImageList battleHudAtlasImages;      // the battle's bars and panels
extern const AtlasImageList battleCommandAtlasImages;  // a party unit's turn
extern const AtlasImageList battleAtlasImages;         // battle field background
extern const AtlasImageList campAtlasImages;           // the camp screens' shared widgets
extern const AtlasImageList skillAtlasImages;          // skills, items in battle
extern const AtlasImageList systemMenuAtlasImages;     // the system menu, the save/load screen
extern const AtlasImageList campMenuAtlasImages;       // the camp menu
extern const AtlasImageList galleryAtlasImages;        // the model gallery
extern const AtlasImageList campScreenAtlasImages;     // items, magic, order, status
extern const AtlasImageList sequenceAtlasImages;       // field overlays, the staff roll
extern const AtlasImageList shopAtlasImages;           // treasure, amount entry, shop, inn

// Every registered image, list by list, painted in this order (a later one covers an earlier
// one it overlaps).
const std::vector<AtlasImage>& AtlasImages();

// Menu cursor, used by every vertical menu.
constexpr AtlasRect RECT_MENU_CURSOR = {125, 615, 136, 636};
// The 32 x 32 tile that the fade overlay covers the screen with.
constexpr AtlasRect RECT_FADE_TILE = {1537, 21, 1569, 53};

// The options screen: its panel, caption and title, and per row a label and the images of
// the values 0 and 1.
constexpr AtlasRect RECT_OPTIONS_PANEL = {0, 720, 640, 960};
constexpr AtlasRect RECT_OPTIONS_CAPTION = {247, 617, 672, 637};
constexpr AtlasRect RECT_OPTIONS_TITLE = {642, 91, 783, 122};
constexpr AtlasRect RECT_OPTIONS_BACKGROUND_TILE = {1469, 19, 1501, 51};
extern const AtlasRect optionLabelRects[5];
extern const AtlasRect optionValueRects[5][2];

// Digit sets: rectangle of digit d at index d.
extern const AtlasRect largeDigitRects[10];
extern const AtlasRect mediumDigitRects[10];
extern const AtlasRect smallDigitRects[10];
extern const AtlasRect damageDigitRects[10];    // bouncing numbers, damage
extern const AtlasRect recoveryDigitRects[10];  // bouncing numbers, recovery
