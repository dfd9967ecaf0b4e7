// The interface-atlas images of the title side: the title picture, logo, footer and menu, the
// yes/no dialog and the start menu.
#include "data/atlas_menus.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t TITLE_GOLD = 0xFFFFE080;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;

const AtlasImage menuImages[] = {
    {AtlasSheet::Interface, RECT_TITLE_PICTURE, AtlasArt::Picture, "Lirrowen", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TITLE_LOGO, AtlasArt::Label, "Lirrowen", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_TITLE_FOOTER, AtlasArt::Label, "Lirrowen  Ver 0.1", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_TITLE_MENU_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    // A mid blue between the dark window and the white labels drawn over it.
    {AtlasSheet::Interface, RECT_TITLE_HIGHLIGHT, AtlasArt::Fill, "", 0xFF3C6EC8},
    {AtlasSheet::Interface, RECT_TITLE_LABEL_START, AtlasArt::Label, "はじめから", LABEL_WHITE,
     LabelList::TitleMenu},
    {AtlasSheet::Interface, RECT_TITLE_LABEL_QUIT, AtlasArt::Label, "おわる", LABEL_WHITE,
     LabelList::TitleMenu},
    {AtlasSheet::Interface, RECT_TITLE_LABEL_OPTIONS, AtlasArt::Label, "オプション", LABEL_WHITE,
     LabelList::TitleMenu},
    {AtlasSheet::Interface, RECT_TITLE_LABEL_LOAD, AtlasArt::Label, "つづきから", LABEL_WHITE,
     LabelList::TitleMenu},
    // The two narrowest cells hold two and three characters, so that the menu's one size stays
    // as large as the wider cells allow.
    {AtlasSheet::Interface, RECT_TITLE_LABEL_PICTURES, AtlasArt::Label, "画像", LABEL_WHITE,
     LabelList::TitleMenu},
    {AtlasSheet::Interface, RECT_TITLE_LABEL_GALLERY, AtlasArt::Label, "モデル", LABEL_WHITE,
     LabelList::TitleMenu},

    {AtlasSheet::Interface, RECT_QUESTION_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_CHOICE_NO, AtlasArt::Label, "いいえ", LABEL_WHITE,
     LabelList::YesNo},
    {AtlasSheet::Interface, RECT_CHOICE_YES, AtlasArt::Label, "はい", LABEL_WHITE,
     LabelList::YesNo},
    {AtlasSheet::Interface, RECT_QUIT_PROMPT, AtlasArt::Label, "終了しますか？", TITLE_GOLD},

    {AtlasSheet::Interface, RECT_START_MENU_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_START_MENU_TITLE, AtlasArt::Label, "シナリオ選択", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_START_ENTRY_BACK, AtlasArt::Label, "もどる", LABEL_WHITE,
     LabelList::StartMenu},
    // A save slot shows only the first 50 pixels of a story label: the story's name comes first,
    // set at the left, and the full-width space after it keeps the rest clear of that cut.
    {AtlasSheet::Interface, RECT_START_ENTRY_SCENARIO_0, AtlasArt::Label, "本編　旅立ち",
     LABEL_WHITE, LabelList::StartMenu},
    {AtlasSheet::Interface, RECT_START_ENTRY_SCENARIO_1, AtlasArt::Label, "外伝　もうひとつの物語",
     LABEL_WHITE, LabelList::StartMenu},
    {AtlasSheet::Interface, RECT_START_QUESTION_TITLE, AtlasArt::Label, "はじめますか？",
     TITLE_GOLD},
};

}  // namespace

const AtlasImageList menuAtlasImages = {menuImages, sizeof(menuImages) / sizeof(menuImages[0])};
