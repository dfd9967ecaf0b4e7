// The interface-atlas images of a party unit's turn.
#include "data/atlas_battle_commands.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t TITLE_GOLD = 0xFFFFE080;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;

const AtlasImage commandImages[] = {
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[0], AtlasArt::Label, "こうげき", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[1], AtlasArt::Label, "まほう", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[2], AtlasArt::Label, "ぼうぎょ", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[3], AtlasArt::Label, "どうぐ", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[4], AtlasArt::Label, "いどう", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[5], AtlasArt::Label, "にげる", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[6], AtlasArt::Label, "こうたい", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_BATTLE_COMMAND_LABELS[7], AtlasArt::Label, "オート", LABEL_WHITE,
     LabelList::BattleCommands},
    {AtlasSheet::Interface, RECT_COMMAND_MENU_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_COMMAND_MENU_TITLE, AtlasArt::Label, "コマンド", TITLE_GOLD},
    {AtlasSheet::Interface, RECT_UNIT_NAME_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_DEFEND_PROMPT_TITLE, AtlasArt::Label, "ぼうぎょする？",
     TITLE_GOLD},
    // The familiar's prompt title paints only its lead: the team command's label follows it.
    {AtlasSheet::Interface, RECT_TURN_CHOICE_PROMPT_LEAD, AtlasArt::Label, "なかまと", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_ESCAPE_FAILED_FRAME, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_ESCAPE_FAILED_MESSAGE, AtlasArt::Label, "にげられなかった！",
     LABEL_WHITE},
    // The escape and automatic battle prompts' titles are not painted apart: their rectangles
    // hold the commands' labels.
    {AtlasSheet::Interface, RECT_TARGET_LIST_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_TARGET_GAUGE_FRAME, AtlasArt::Fill, "", 0xFF202020},
    {AtlasSheet::Interface, RECT_TARGET_GAUGE_FILL_PARTY, AtlasArt::Fill, "", 0xFF40D060},
    {AtlasSheet::Interface, RECT_TARGET_GAUGE_FILL_ENEMY, AtlasArt::Fill, "", 0xFFE04040},
    {AtlasSheet::Interface, RECT_UNIT_MESSAGE_PARTY, AtlasArt::Panel, "", FRAME_LIGHT},
    // Enemies speak from a reddish frame.
    {AtlasSheet::Interface, RECT_UNIT_MESSAGE_ENEMY, AtlasArt::Panel, "", 0xFFFFB0A0},
    {AtlasSheet::Interface, RECT_DEFEND_MESSAGE, AtlasArt::Label, "は みを まもっている",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_CANNOT_ACT_MESSAGE, AtlasArt::Label, "は うごけない！",
     LABEL_WHITE},
    {AtlasSheet::Interface, RECT_NAME_PLATE_UPPER_PARTY, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_NAME_PLATE_UPPER_ENEMY, AtlasArt::Panel, "", 0xFFFFB0A0},
    {AtlasSheet::Interface, RECT_NAME_PLATE_LOWER_PARTY, AtlasArt::Panel, "", 0xFF40D060},
    {AtlasSheet::Interface, RECT_NAME_PLATE_LOWER_ENEMY, AtlasArt::Panel, "", 0xFFE04040},
};

}  // namespace

const AtlasImageList battleCommandAtlasImages = {commandImages,
                                                 sizeof(commandImages) / sizeof(commandImages[0])};
