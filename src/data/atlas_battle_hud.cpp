// The interface-atlas images of the battle's bars, panels and icons.
#include "data/atlas_battle_hud.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;
constexpr uint32_t FRAME_LIGHT = 0xFFE0E8FF;

const AtlasImage hudImages[] = {
    {AtlasSheet::Interface, RECT_TOP_BAR_PANEL, AtlasArt::Panel, "", FRAME_LIGHT},
    {AtlasSheet::Interface, RECT_TOP_BAR_PARTY_ICON, AtlasArt::Icon, "味", 0xFF40A0FF},
    {AtlasSheet::Interface, RECT_TOP_BAR_ENEMY_ICON, AtlasArt::Icon, "敵", 0xFFE04040},
    {AtlasSheet::Interface, RECT_PANEL_HP_LABEL, AtlasArt::Label, "HP", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_PANEL_MP_LABEL, AtlasArt::Label, "MP", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_PANEL_GAUGE_EMPTY, AtlasArt::Fill, "", 0xFF303030},
    {AtlasSheet::Interface, RECT_PANEL_GAUGE_FILL, AtlasArt::Fill, "", 0xFF40D060},
    {AtlasSheet::Interface, RECT_AUTO_ICON, AtlasArt::Icon, "AUTO", 0xFFFFC040},
    // The strip and the first label are the money bar's.
    {AtlasSheet::Interface, RECT_BOTTOM_LABELS[1], AtlasArt::Label, "Ctrl:かいてん", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_BOTTOM_LABELS[2], AtlasArt::Label, "カメラ角度", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_BOTTOM_LABELS[3], AtlasArt::Label, "S/D:高さ", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_BOTTOM_LABELS[4], AtlasArt::Label, "F:じょうほう", LABEL_WHITE},
    {AtlasSheet::Interface, RECT_BOTTOM_LABELS[5], AtlasArt::Label, "A:オートかいじょ",
     LABEL_WHITE},
};

}  // namespace

const AtlasImageList battleHudAtlasImages = {hudImages, sizeof(hudImages) / sizeof(hudImages[0])};
