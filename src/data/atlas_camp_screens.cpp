// The interface-atlas images of the camp screens.
#include "data/atlas_camp_screens.h"

#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t CAPTION_GOLD = 0xFFFFE080;
constexpr uint32_t VALUE_BLUE = 0xFFA0E0FF;
constexpr uint32_t PANEL_BLUE = 0xFFE0E8FF;
constexpr uint32_t GOOD_GREEN = 0xFF80FF90;
constexpr uint32_t BAD_RED = 0xFFFF8070;

const AtlasImage campScreenImages[] = {
    {AtlasSheet::Interface, RECT_CAMP_SCREEN_TILE, AtlasArt::Fill, "", 0xFF1C2A48},
    // Items.
    {AtlasSheet::Interface, RECT_ITEM_TAB_PANEL, AtlasArt::Panel, "", PANEL_BLUE},
    {AtlasSheet::Interface, RECT_ITEM_TAB_LABELS[0], AtlasArt::Label, "つかう", LABEL_WHITE,
     LabelList::ItemTabs},
    {AtlasSheet::Interface, RECT_ITEM_TAB_LABELS[1], AtlasArt::Label, "すてる", LABEL_WHITE,
     LabelList::ItemTabs},
    {AtlasSheet::Interface, RECT_ITEM_TAB_LABELS[2], AtlasArt::Label, "せいとん", LABEL_WHITE,
     LabelList::ItemTabs},
    {AtlasSheet::Interface, RECT_ITEM_GRID_BACKDROP, AtlasArt::Panel, "", PANEL_BLUE},
    {AtlasSheet::Interface, RECT_ITEM_WEAPON_POWER_LABEL, AtlasArt::Label, "攻撃", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_ITEM_ARMOUR_POWER_LABEL, AtlasArt::Label, "防御", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_EQUIP_CANNOT, AtlasArt::Label, "装備不可", BAD_RED},
    {AtlasSheet::Interface, RECT_EQUIP_BETTER[0], AtlasArt::Label, "攻撃↑", GOOD_GREEN},
    {AtlasSheet::Interface, RECT_EQUIP_BETTER[1], AtlasArt::Label, "防御↑", GOOD_GREEN},
    {AtlasSheet::Interface, RECT_EQUIP_WORSE[0], AtlasArt::Label, "攻撃↓", BAD_RED},
    {AtlasSheet::Interface, RECT_EQUIP_WORSE[1], AtlasArt::Label, "防御↓", BAD_RED},
    {AtlasSheet::Interface, RECT_SPECIAL_ITEM_FRAME, AtlasArt::Panel, "", PANEL_BLUE},
    {AtlasSheet::Interface, RECT_SPECIAL_ITEM_TITLE, AtlasArt::Label, "アミュレットを　つかう？",
     CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_DISCARD_TITLE, AtlasArt::Label, "すてる？", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_SORT_TITLE, AtlasArt::Label, "せいとん？", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_SPECIAL_USED_WINDOW, AtlasArt::Panel, "", PANEL_BLUE},
    {AtlasSheet::Interface, RECT_SPECIAL_USED_TEXT, AtlasArt::Label, "を　つかった", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_EQUIP_REFUSALS[0], AtlasArt::Label,
     "もちものが　いっぱいで　はずせない", BAD_RED},
    {AtlasSheet::Interface, RECT_EQUIP_REFUSALS[1], AtlasArt::Label,
     "この　なかまは　そうびできない", BAD_RED},
    // Magic.
    {AtlasSheet::Interface, RECT_MAGIC_HEADERS[0], AtlasArt::Label, "まほう", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_MAGIC_HEADERS[1], AtlasArt::Label, "だれが　つかう？",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_MAGIC_HEADERS[2], AtlasArt::Label, "Zで決定　Escで戻る",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_MAGIC_TARGET_CAPTION, AtlasArt::Label, "だれに　つかう？",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_CASTER_CANNOT_ACT, AtlasArt::Label, "まひして　うごけない",
     BAD_RED},
    // Order.
    {AtlasSheet::Interface, RECT_ORDER_CURRENT_CAPTION, AtlasArt::Label, "いまの　ならび",
     CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_ORDER_NEW_CAPTION, AtlasArt::Label, "あたらしい　ならび",
     CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_ORDER_TITLE, AtlasArt::Label, "これで？", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_ORDER_HELP, AtlasArt::Label,
     "ならべる　じゅんに　えらぶ　Escで　ひとつ　もどす", LABEL_WHITE},
    // Status.
    {AtlasSheet::Interface, RECT_STATUS_LEVEL_LABEL, AtlasArt::Label, "レベル", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATUS_CLASS_IMAGES[0], AtlasArt::Label, "剣士", VALUE_BLUE},
    {AtlasSheet::Interface, RECT_STATUS_CLASS_IMAGES[1], AtlasArt::Label, "魔法使い", VALUE_BLUE},
    {AtlasSheet::Interface, RECT_STATUS_CLASS_IMAGES[2], AtlasArt::Label, "魔法剣士", VALUE_BLUE},
    {AtlasSheet::Interface, RECT_STATUS_WEAPON_LABEL, AtlasArt::Label, "武器", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATUS_ARMOUR_LABEL, AtlasArt::Label, "防具", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATUS_STATUS_LABEL, AtlasArt::Label, "状態", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATUS_EXP_LABEL, AtlasArt::Label, "つぎの　レベルまで",
     CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_BACKDROP, AtlasArt::Panel, "", PANEL_BLUE},
    {AtlasSheet::Interface, RECT_STATS_LABELS[0], AtlasArt::Label, "攻", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[1], AtlasArt::Label, "防御", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[2], AtlasArt::Label, "魔攻", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[3], AtlasArt::Label, "魔防", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[4], AtlasArt::Label, "いどう", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[5], AtlasArt::Label, "速さ", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[6], AtlasArt::Label, "命中", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[7], AtlasArt::Label, "魔技", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_STATS_LABELS[8], AtlasArt::Label, "運", CAPTION_GOLD},
};

}  // namespace

const AtlasImageList campScreenAtlasImages = {
    campScreenImages, sizeof(campScreenImages) / sizeof(campScreenImages[0])};
