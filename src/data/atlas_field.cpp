// The interface-atlas images of the map view: the area names and the money bar.
#include "data/atlas_field.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t NAME_COLOUR = 0xFFFFF4D0;
constexpr uint32_t HINT_COLOUR = 0xFFD0E0FF;
constexpr uint32_t GOLD_COLOUR = 0xFFFFD860;

// One image per rectangle: maps that share a rectangle share its name, so each name fits every
// map that shows it. The single pixel of maps 11, 19 and 20 stays unpainted, so those maps
// show no name.
const AtlasImage fieldImages[] = {
    {AtlasSheet::Interface, areaNameRects[0], AtlasArt::Label, "ミルテの村", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[1], AtlasArt::Label, "風見の草原", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[2], AtlasArt::Label, "水車小屋", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[3], AtlasArt::Label, "霧の森", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[4], AtlasArt::Label, "石切り場", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[5], AtlasArt::Label, "北の街道", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[6], AtlasArt::Label, "湖のほとり", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[12], AtlasArt::Label, "灯台", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[13], AtlasArt::Label, "地下水路", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[14], AtlasArt::Label, "港町", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[15], AtlasArt::Label, "王都　東通り", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[16], AtlasArt::Label, "王都　西通り", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[17], AtlasArt::Label, "星見の塔　下層", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[18], AtlasArt::Label, "星見の塔　上層", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[21], AtlasArt::Label, "古城", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[22], AtlasArt::Label, "泉", NAME_COLOUR},
    {AtlasSheet::Interface, areaNameRects[23], AtlasArt::Label, "果ての島", NAME_COLOUR},
    // A framed dark strip across the whole screen width.
    {AtlasSheet::Interface, RECT_MONEY_BAR, AtlasArt::Panel, "", 0xFFE0E8FF},
    {AtlasSheet::Interface, RECT_MONEY_BAR_HINT, AtlasArt::Label, "Shift：メニュー", HINT_COLOUR},
    {AtlasSheet::Interface, RECT_MONEY_LABEL, AtlasArt::Label, "お金", GOLD_COLOUR},
};

}  // namespace

const AtlasImageList fieldAtlasImages = {fieldImages, sizeof(fieldImages) / sizeof(fieldImages[0])};
