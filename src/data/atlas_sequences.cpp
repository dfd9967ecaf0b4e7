// The interface-atlas images of the field overlays and the ending. The staff roll's black
// background is the fade tile, registered with the core images.
#include "data/atlas_sequences.h"
#include "data/atlas_images.h"

namespace {

constexpr uint32_t LINE_COLOUR = 0xFFF0F0F0;
constexpr uint32_t HEADING_COLOUR = 0xFFFFE080;
constexpr uint32_t BANNER_COLOUR = 0xFFFF8060;

const AtlasImage sequenceImages[] = {
    // The veil is white; the game gives it its alpha.
    {AtlasSheet::Interface, RECT_PULSE_TILE, AtlasArt::Fill, "", 0xFFFFFFFF},
    {AtlasSheet::Interface, RECT_COUNTDOWN_LABEL, AtlasArt::Label, "のこり歩数", 0xFFFFFFFF},
    {AtlasSheet::Interface, RECT_TIME_UP_BANNER, AtlasArt::Label, "アミュレットの効果が切れた",
     BANNER_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[0], AtlasArt::Label, "スタッフ", HEADING_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[1], AtlasArt::Label, "企画・シナリオ　湖畔の工房",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[2], AtlasArt::Label, "プログラム　湖畔の工房",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[3], AtlasArt::Label, "グラフィック　灯り組",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[4], AtlasArt::Label, "3Dモデル", HEADING_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[5], AtlasArt::Label, "モデル制作　灯り組",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[6], AtlasArt::Label, "音楽", HEADING_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[7], AtlasArt::Label, "作曲・効果音　風見サウンド",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[8], AtlasArt::Label, "協力", HEADING_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[9], AtlasArt::Label, "野営地の仲間たち",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[10], AtlasArt::Label,
     "テストプレイ　ミルテの村のみなさん", LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[11], AtlasArt::Label, "監修", HEADING_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[12], AtlasArt::Label, "湖畔の工房　一同",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[13], AtlasArt::Label,
     "リルロウェンの旅は　ここで一区切り", LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[14], AtlasArt::Label, "遊んでくれて　ありがとう",
     LINE_COLOUR},
    {AtlasSheet::Interface, staffRollLineRects[15], AtlasArt::Label, "おわり", HEADING_COLOUR},
    {AtlasSheet::Interface, RECT_STAFF_ROLL_END, AtlasArt::Label, "― 完 ―", HEADING_COLOUR},
};

}  // namespace

const AtlasImageList sequenceAtlasImages = {sequenceImages,
                                            sizeof(sequenceImages) / sizeof(sequenceImages[0])};
