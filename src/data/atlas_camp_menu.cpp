// The interface-atlas images of the camp menu.
#include "data/atlas_camp_menu.h"

#include "data/atlas_images.h"

namespace {

constexpr uint32_t LABEL_WHITE = 0xFFFFFFFF;

const AtlasImage campMenuImages[] = {
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_PANEL, AtlasArt::Panel, "", 0xFFE0E8FF},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[0], AtlasArt::Label, "とじる", LABEL_WHITE,
     LabelList::CampCommands},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[1], AtlasArt::Label, "まほう", LABEL_WHITE,
     LabelList::CampCommands},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[2], AtlasArt::Label, "ステータス", LABEL_WHITE,
     LabelList::CampCommands},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[3], AtlasArt::Label, "アイテム", LABEL_WHITE,
     LabelList::CampCommands},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[4], AtlasArt::Label, "ならびかえ", LABEL_WHITE,
     LabelList::CampCommands},
    {AtlasSheet::Interface, RECT_CAMP_COMMAND_LABELS[5], AtlasArt::Label, "せってい", LABEL_WHITE,
     LabelList::CampCommands},
};

}  // namespace

const AtlasImageList campMenuAtlasImages = {campMenuImages,
                                            sizeof(campMenuImages) / sizeof(campMenuImages[0])};
