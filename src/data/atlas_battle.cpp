// The interface-atlas images of the battle screens.
#include "data/atlas_battle.h"
#include "data/atlas_images.h"

namespace {

const AtlasImage battleImages[] = {
    // A deep evening blue, so the lit floor stands out over it.
    {AtlasSheet::Interface, RECT_BATTLE_BACKGROUND_TILE, AtlasArt::Fill, "", 0xFF1C2A4A},
    {AtlasSheet::Interface, RECT_BATTLE_PAUSE_FRAME, AtlasArt::Panel, "", 0xFFE0E8FF},

    {AtlasSheet::Interface, RECT_GAUGE_FRAME, AtlasArt::Panel, "", 0xFFE0E8FF},
    {AtlasSheet::Interface, RECT_HP_FILL_PARTY, AtlasArt::Fill, "", 0xFF40D060},
    {AtlasSheet::Interface, RECT_HP_FILL_ENEMY, AtlasArt::Fill, "", 0xFFE04040},
    {AtlasSheet::Interface, RECT_MP_FILL, AtlasArt::Fill, "", 0xFF4080F0},
    {AtlasSheet::Interface, RECT_UNIT_POISON_ICON, AtlasArt::Icon, "毒", 0xFF9040C0},
    {AtlasSheet::Interface, RECT_UNIT_PARALYSIS_ICON, AtlasArt::Icon, "麻", 0xFFD0A020},
    {AtlasSheet::Interface, RECT_DEFENCE_BUFF_ICON, AtlasArt::Icon, "防", 0xFF4070C0},
    {AtlasSheet::Interface, RECT_MAGIC_DEFENCE_BUFF_ICON, AtlasArt::Icon, "魔", 0xFF8050D0},

    // Melee popups.
    {AtlasSheet::Interface, RECT_MISS_POPUP, AtlasArt::Label, "ミス", 0xFFFFFFFF},
};

}  // namespace

const AtlasImageList battleAtlasImages = {battleImages,
                                          sizeof(battleImages) / sizeof(battleImages[0])};
