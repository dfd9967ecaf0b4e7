// The registry of atlas images.
#include "data/atlas_images.h"

namespace {

constexpr AtlasRect MediumDigit(int d) {
    if (d == 0) {
        return {642, 25, 652, 42};
    }
    if (d == 1) {
        return {654, 25, 659, 42};
    }
    return {661.0f + 12 * (d - 2), 25, 671.0f + 12 * (d - 2), 42};
}

constexpr AtlasRect SmallDigit(int d) {
    if (d == 0) {
        return {748, 47, 758, 59};
    }
    if (d == 1) {
        return {642, 47, 650, 59};
    }
    return {652.0f + 12 * (d - 2), 47, 662.0f + 12 * (d - 2), 59};
}

}  // namespace

const AtlasRect largeDigitRects[10] = {
    {642, 1, 659, 22}, {661, 1, 672, 21}, {674, 1, 690, 21}, {692, 1, 708, 21}, {710, 1, 729, 21},
    {731, 1, 747, 21}, {749, 1, 765, 21}, {767, 1, 784, 21}, {786, 1, 803, 21}, {805, 1, 821, 21},
};

const AtlasRect mediumDigitRects[10] = {
    MediumDigit(0), MediumDigit(1), MediumDigit(2), MediumDigit(3), MediumDigit(4),
    MediumDigit(5), MediumDigit(6), MediumDigit(7), MediumDigit(8), MediumDigit(9),
};

const AtlasRect smallDigitRects[10] = {
    SmallDigit(0), SmallDigit(1), SmallDigit(2), SmallDigit(3), SmallDigit(4),
    SmallDigit(5), SmallDigit(6), SmallDigit(7), SmallDigit(8), SmallDigit(9),
};

const AtlasRect damageDigitRects[10] = {
    {336, 641, 346, 653}, {230, 641, 238, 653}, {240, 641, 250, 653}, {252, 641, 262, 653},
    {264, 641, 274, 653}, {276, 641, 286, 653}, {288, 641, 298, 653}, {300, 641, 310, 653},
    {312, 641, 322, 653}, {324, 641, 334, 653},
};

const AtlasRect recoveryDigitRects[10] = {
    {455, 641, 465, 653}, {349, 641, 357, 653}, {359, 641, 369, 653}, {371, 641, 381, 653},
    {383, 641, 393, 653}, {395, 641, 405, 653}, {407, 641, 417, 653}, {419, 641, 429, 653},
    {431, 641, 441, 653}, {443, 641, 453, 653},
};

const AtlasRect optionLabelRects[5] = {
    {125, 656, 225, 675}, {227, 698, 363, 718}, {232, 658, 322, 675},
    {453, 698, 527, 718}, {366, 698, 450, 718},
};

const AtlasRect optionValueRects[5][2] = {
    {{126, 677, 265, 696}, {125, 698, 224, 717}}, {{443, 655, 480, 674}, {405, 655, 441, 674}},
    {{325, 656, 403, 675}, {321, 677, 400, 696}}, {{402, 676, 483, 696}, {491, 676, 526, 696}},
    {{402, 676, 483, 696}, {491, 676, 526, 696}},
};

namespace {

constexpr const char* digitText[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

}  // namespace

// The ten registry rows of one digit set.
#define DIGIT_SET(rects, colour)                                                    \
    {AtlasSheet::Interface, rects[0], AtlasArt::Digit, digitText[0], colour},       \
        {AtlasSheet::Interface, rects[1], AtlasArt::Digit, digitText[1], colour},   \
        {AtlasSheet::Interface, rects[2], AtlasArt::Digit, digitText[2], colour},   \
        {AtlasSheet::Interface, rects[3], AtlasArt::Digit, digitText[3], colour},   \
        {AtlasSheet::Interface, rects[4], AtlasArt::Digit, digitText[4], colour},   \
        {AtlasSheet::Interface, rects[5], AtlasArt::Digit, digitText[5], colour},   \
        {AtlasSheet::Interface, rects[6], AtlasArt::Digit, digitText[6], colour},   \
        {AtlasSheet::Interface, rects[7], AtlasArt::Digit, digitText[7], colour},   \
        {AtlasSheet::Interface, rects[8], AtlasArt::Digit, digitText[8], colour}, { \
        AtlasSheet::Interface, rects[9], AtlasArt::Digit, digitText[9], colour      \
    }

namespace {

const AtlasImage coreImages[] = {
    DIGIT_SET(largeDigitRects, 0xFFFFFFFF),
    DIGIT_SET(mediumDigitRects, 0xFFFFFFFF),
    DIGIT_SET(smallDigitRects, 0xFFFFFFFF),
    DIGIT_SET(damageDigitRects, 0xFFFF6040),
    DIGIT_SET(recoveryDigitRects, 0xFF60FF80),
    {AtlasSheet::Interface, RECT_MENU_CURSOR, AtlasArt::Cursor, "", 0xFFFFE060},
    {AtlasSheet::Interface, RECT_FADE_TILE, AtlasArt::Fill, "", 0xFF000000},
    {AtlasSheet::Interface, RECT_OPTIONS_PANEL, AtlasArt::Panel, "", 0xFFE0E8FF},
    {AtlasSheet::Interface, RECT_OPTIONS_CAPTION, AtlasArt::Label,
     "上下で項目　左右で切り替え　Zで決定", 0xFFFFFFFF},
    {AtlasSheet::Interface, RECT_OPTIONS_TITLE, AtlasArt::Label, "オプション", 0xFFFFE080},
    {AtlasSheet::Interface, RECT_OPTIONS_BACKGROUND_TILE, AtlasArt::Fill, "", 0xFF203058},
    {AtlasSheet::Interface, optionLabelRects[0], AtlasArt::Label, "画面", 0xFFFFFFFF,
     LabelList::OptionNames},
    {AtlasSheet::Interface, optionLabelRects[1], AtlasArt::Label, "垂直同期", 0xFFFFFFFF,
     LabelList::OptionNames},
    {AtlasSheet::Interface, optionLabelRects[2], AtlasArt::Label, "深度バッファ", 0xFFFFFFFF,
     LabelList::OptionNames},
    {AtlasSheet::Interface, optionLabelRects[3], AtlasArt::Label, "音楽", 0xFFFFFFFF,
     LabelList::OptionNames},
    {AtlasSheet::Interface, optionLabelRects[4], AtlasArt::Label, "効果音", 0xFFFFFFFF,
     LabelList::OptionNames},
    {AtlasSheet::Interface, optionValueRects[0][0], AtlasArt::Label, "フルスクリーン", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[0][1], AtlasArt::Label, "ウィンドウ", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[1][0], AtlasArt::Label, "OFF", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[1][1], AtlasArt::Label, "ON", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[2][0], AtlasArt::Label, "16ビット", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[2][1], AtlasArt::Label, "24ビット", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[3][0], AtlasArt::Label, "なし", 0xFFA0E0FF,
     LabelList::OptionValues},
    {AtlasSheet::Interface, optionValueRects[3][1], AtlasArt::Label, "あり", 0xFFA0E0FF,
     LabelList::OptionValues},
};

}  // namespace

const AtlasImageList coreAtlasImages = {coreImages, sizeof(coreImages) / sizeof(coreImages[0])};

// The registry: one line per list. The skill window's panel holds the battle background
// tile, so the skills' images come first and the tile is painted over the panel.
const AtlasImageList* const atlasImageLists[] = {
    &coreAtlasImages,      &fieldAtlasImages,      &characterAtlasImages, &menuAtlasImages,
    &messageAtlasImages,   &skillAtlasImages,      &battleAtlasImages,    &battleCommandAtlasImages,
    &battleHudAtlasImages, &campAtlasImages,       &galleryAtlasImages,   &systemMenuAtlasImages,
    &campMenuAtlasImages,  &campScreenAtlasImages, &sequenceAtlasImages,  &shopAtlasImages,
};

const std::vector<AtlasImage>& AtlasImages() {
    static const std::vector<AtlasImage> all = [] {
        std::vector<AtlasImage> images;
        for (const AtlasImageList* list : atlasImageLists) {
            for (size_t i = 0; i < list->count; ++i) {
                images.push_back(list->images[i]);
            }
        }
        return images;
    }();
    return all;
}
