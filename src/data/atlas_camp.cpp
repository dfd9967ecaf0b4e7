// The interface-atlas images of the camp screens' shared widgets.
#include "data/atlas_camp.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t CAPTION_GOLD = 0xFFFFE080;

const AtlasImage campImages[] = {
    {AtlasSheet::Interface, RECT_PARTY_LIST_BACKDROP, AtlasArt::Panel, "", 0xFFE0E8FF},
    {AtlasSheet::Interface, RECT_PARTY_LIST_HP_CAPTION, AtlasArt::Label, "HP", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_PARTY_LIST_MP_CAPTION, AtlasArt::Label, "MP", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_PARTY_LIST_LEVEL_CAPTION, AtlasArt::Label, "Lv", CAPTION_GOLD},
    {AtlasSheet::Interface, RECT_SLASH, AtlasArt::Label, "/", 0xFFFFFFFF},
    {AtlasSheet::Interface, RECT_STATUS_NORMAL, AtlasArt::Label, "正常", 0xFFA0E0FF},
    {AtlasSheet::Interface, RECT_MEMBER_POISON_ICON, AtlasArt::Icon, "毒", 0xFF9040C0},
    {AtlasSheet::Interface, RECT_MEMBER_PARALYSIS_ICON, AtlasArt::Icon, "麻", 0xFFD0A020},
};

}  // namespace

const AtlasImageList campAtlasImages = {campImages, sizeof(campImages) / sizeof(campImages[0])};
