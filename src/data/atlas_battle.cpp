// The interface-atlas images of the battle screens.
#include "data/atlas_battle.h"
#include "data/atlas_images.h"

namespace {

const AtlasImage battleImages[] = {
    // A deep evening blue, so the lit floor stands out over it.
    {AtlasSheet::Interface, RECT_BATTLE_BACKGROUND_TILE, AtlasArt::Fill, "", 0xFF1C2A4A},
    {AtlasSheet::Interface, RECT_BATTLE_PAUSE_FRAME, AtlasArt::Panel, "", 0xFFE0E8FF},
};

}  // namespace

const AtlasImageList battleAtlasImages = {battleImages,
                                          sizeof(battleImages) / sizeof(battleImages[0])};
