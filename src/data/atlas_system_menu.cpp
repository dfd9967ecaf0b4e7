// The interface-atlas images of the system menu and the save/load screen.
#include "data/atlas_system_menu.h"

#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t TITLE_GOLD = 0xFFFFE080;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;

const AtlasImage systemMenuImages[] = {
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_CLOSE, AtlasArt::Label, "とじる", LABEL_WHITE,
     LabelList::SystemMenu},
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_CAMP, AtlasArt::Label, "キャンプ", LABEL_WHITE,
     LabelList::SystemMenu},
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_SAVE, AtlasArt::Label, "セーブ", LABEL_WHITE,
     LabelList::SystemMenu},
    // Grey: here the entry only buzzes.
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_SAVE_REFUSED, AtlasArt::Label, "セーブ", 0xFF808080,
     LabelList::SystemMenu},
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_LOAD, AtlasArt::Label, "ロード", LABEL_WHITE,
     LabelList::SystemMenu},
    {AtlasSheet::Interface, RECT_SYSTEM_ENTRY_QUIT, AtlasArt::Label, "タイトルへ", LABEL_WHITE,
     LabelList::SystemMenu},
    {AtlasSheet::Interface, RECT_SYSTEM_MENU_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_SYSTEM_MENU_TITLE, AtlasArt::Label, "システム", TITLE_GOLD},

    {AtlasSheet::Interface, RECT_SAVE_BACKGROUND_TILE, AtlasArt::Fill, "", 0xFF182848},
    {AtlasSheet::Interface, RECT_SAVE_SLOT_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_SAVE_EMPTY_SLOT, AtlasArt::Label, "- - - データなし - - -",
     0xFFA0A0A0},
    {AtlasSheet::Interface, RECT_SAVE_SCREEN_TITLE_SAVE, AtlasArt::Label, "セーブ", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SAVE_SCREEN_TITLE_LOAD, AtlasArt::Label, "ロード", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_SAVED_MESSAGE, AtlasArt::Label, "セーブしました", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_NO_DATA_MESSAGE, AtlasArt::Label, "データがありません",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_CANNOT_SAVE_MESSAGE, AtlasArt::Label, "ここではセーブできません",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_SAVE_KEY_HINT, AtlasArt::Label, "↑↓選択 Z決定", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TIME_UNITS[0], AtlasArt::Label, "年", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TIME_UNITS[1], AtlasArt::Label, "月", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TIME_UNITS[2], AtlasArt::Label, "日", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TIME_UNITS[3], AtlasArt::Label, "時", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TIME_UNITS[4], AtlasArt::Label, "分", LABEL_WHITE},
};

}  // namespace

const AtlasImageList systemMenuAtlasImages = {
    systemMenuImages, sizeof(systemMenuImages) / sizeof(systemMenuImages[0])};
