// The glyph table's content: the character of every row, and the rectangles, laid out on the
// glyph sheet at compile time from each character's kind.
#include "data/glyph_table.h"

#include <string_view>

#include "data/kana_text.h"

namespace {

// Rows 156 to 703 in order, leaving out the three rows whose characters are fixed (385, 520,
// 675). First the kana and punctuation that the fixed blocks lack, then the kanji.
constexpr std::u32string_view OTHER_ROWS =
    U"。「」…～ぱぴぷぺぽぃぇぉゅブベボパピプペポョゥェォヴ"
    U"一右雨円王音下火花気九休玉金空月犬見五口左三山子四七手十出女小上森人水正生青夕石"
    U"赤千川先早草足村大男中町天田土二日入年白八百文木本名目立力林六引雲遠何家回会海外"
    U"楽間岩顔帰弓牛魚強教近兄形元言原戸古後語広光考行高合谷国黒今作止矢姉思紙自時書少"
    U"場色食心新親図西声星切雪船前走多体地知昼長鳥朝通弟店刀当東答頭同道読内南肉馬売買"
    U"半番父風分聞歩母方北妹万明門夜野友用来理話悪安暗医意飲運屋温荷界開階寒感起客急去"
    U"橋銀苦具君血決湖向幸港祭仕死使始指次事持実者主守取酒受拾終集住重宿所助消商勝乗身"
    U"神真深進世昔全相送息速族他打対待代着調追鉄都度島登動波配箱畑発皮悲美氷病品負部服"
    U"物平返放味命面問役薬有遊葉様落流旅緑礼路和剣盾魔法闇宝鍵洞窟扉罠敵戦倒逃盗賊鎧呪"
    U"封竜騎士姫獣霊墓塔砦砂沼滝崖城兵軍隊仲癒治復攻撃防御技術杖槍冒険伝説印殿祈願望希"
    U"夢恐怖危救探求失滅泊眠覚忘信頼約束民老若娘達皆誰彼俺僕我戻降閉渡払選変困許怒笑泣"
    U"喜疲殺闘争隠置壁段井遺跡猫怪鬼影炎雷聖邪魂涙毒飯料値最初低遅良無必要特別違丈夫制"
    U"現利経験獲得敗成功傷働届連続残越迷付込議不護導解勇秘密謎試練誓奪愛結亡骨翼嵐霧熱"
    U"冷罪枝妖精鳴腹呼私麻痺甘香辺弱過捨営好車彫痛寝積揺供幹器装備泉丘武飛壊燃匹晩";

struct FixedRow {
    uint32_t code;
    char32_t character;
};
constexpr FixedRow FIXED_OTHER_ROWS[] = {
    {GLYPH_LONG_VOWEL, U'ー'},
    {GLYPH_IDEOGRAPHIC_COMMA, U'、'},
    {675, U'べ'},
};
static_assert(OTHER_ROWS.size() + std::size(FIXED_OTHER_ROWS) == GLYPH_COUNT - GLYPH_OTHER_FIRST);

constexpr char32_t PUNCTUATION_ROWS[] = {U'？', U'！', U'・', U'（', U'）'};

struct CellSize {
    float width;
    float height;
};

constexpr bool IsSmallKana(char32_t c) {
    return std::u32string_view(U"ぁぃぅぇぉっゃゅょァィゥェォッャュョ").find(c) !=
           std::u32string_view::npos;
}

// Message text is proportional: a cell is as wide as its character's ink needs, kana about
// 16 pixels, kanji 18, punctuation narrower; digits and the space are 14 high.
constexpr CellSize CellSizeOf(char32_t c) {
    if (c == U'\u3000') {
        return {8, 14};
    }
    if (c == U'１') {
        return {4, 14};
    }
    if (c >= U'０' && c <= U'９') {
        return {8, 14};
    }
    if (c >= 0x4E00 && c <= 0x9FFF) {
        return {18, 18};
    }
    if (std::u32string_view(U"、。！・（）「」").find(c) != std::u32string_view::npos) {
        return {8, 16};
    }
    if (c == U'？' || IsSmallKana(c)) {
        return {12, 16};
    }
    return {16, 16};
}

// The usable part of the sheet: x 0 to 1017, y 0 to 507. Row 0 keeps (0, 0, 1, 1), so every
// block starts 2 pixels in; glyphs stand 2 pixels apart.
constexpr float SHEET_RIGHT = 1017;
constexpr float GAP = 2;
constexpr float KANA_BLOCK_TOP = 2;
constexpr float DIGIT_ROW_TOP = 62;  // the digits' sheet row is y 62 to 76
constexpr float OTHER_BLOCK_TOP = 80;

// Places cells left to right in sheet rows of one height, starting a new sheet row when the
// next cell would pass the usable width.
struct Packer {
    float x;
    float y;
    float rowHeight;

    constexpr void Place(GlyphRecord& glyph) {
        CellSize size = CellSizeOf(glyph.character);
        if (x + size.width > SHEET_RIGHT) {
            x = GAP;
            y += rowHeight + GAP;
        }
        glyph.left = x;
        glyph.top = y;
        glyph.right = x + size.width;
        glyph.bottom = y + size.height;
        x += size.width + GAP;
    }
};

constexpr void SetBlock(std::array<GlyphRecord, GLYPH_COUNT>& table, uint32_t first,
                        std::u16string_view rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        table[first + i].character = rows[i];
    }
}

constexpr std::array<GlyphRecord, GLYPH_COUNT> BuildGlyphTable() {
    std::array<GlyphRecord, GLYPH_COUNT> table{};
    for (uint32_t code = 0; code < GLYPH_COUNT; ++code) {
        table[code].code = code;
    }
    table[GLYPH_SPACE].character = U'\u3000';
    for (uint32_t d = 0; d < 10; ++d) {
        table[GLYPH_DIGIT_ZERO + d].character = U'０' + d;
    }
    SetBlock(table, GLYPH_HIRAGANA_BASIC_FIRST, HIRAGANA_BASIC_ROWS);
    SetBlock(table, GLYPH_HIRAGANA_VOICED_FIRST, HIRAGANA_VOICED_ROWS);
    SetBlock(table, GLYPH_HIRAGANA_SMALL_FIRST, HIRAGANA_SMALL_ROWS);
    for (size_t i = 0; i < std::size(PUNCTUATION_ROWS); ++i) {
        table[GLYPH_QUESTION + i].character = PUNCTUATION_ROWS[i];
    }
    SetBlock(table, GLYPH_KATAKANA_BASIC_FIRST, KATAKANA_BASIC_ROWS);
    SetBlock(table, GLYPH_KATAKANA_VOICED_FIRST, KATAKANA_VOICED_ROWS);
    SetBlock(table, GLYPH_KATAKANA_SMALL_FIRST, KATAKANA_SMALL_ROWS);
    for (const FixedRow& fixed : FIXED_OTHER_ROWS) {
        table[fixed.code].character = fixed.character;
    }
    size_t next = 0;
    for (uint32_t code = GLYPH_OTHER_FIRST; code < GLYPH_COUNT; ++code) {
        if (table[code].character == 0) {
            table[code].character = OTHER_ROWS[next++];
        }
    }

    table[0].right = 1;
    table[0].bottom = 1;
    Packer kana{GAP, KANA_BLOCK_TOP, 16};
    for (uint32_t code = GLYPH_HIRAGANA_BASIC_FIRST; code < GLYPH_OTHER_FIRST; ++code) {
        kana.Place(table[code]);
    }
    Packer digits{GAP, DIGIT_ROW_TOP, 14};
    for (uint32_t code = GLYPH_DIGIT_ZERO; code < GLYPH_DIGIT_ZERO + 10; ++code) {
        digits.Place(table[code]);
    }
    digits.Place(table[GLYPH_SPACE]);
    Packer others{GAP, OTHER_BLOCK_TOP, 18};
    for (uint32_t code = GLYPH_OTHER_FIRST; code < GLYPH_COUNT; ++code) {
        others.Place(table[code]);
    }
    return table;
}

constexpr std::array<GlyphRecord, GLYPH_COUNT> BUILT_TABLE = BuildGlyphTable();

// The blocks stay in their bands: the kana above the digits' row, everything inside the sheet's
// usable part.
static_assert(BUILT_TABLE[GLYPH_OTHER_FIRST - 1].bottom <= DIGIT_ROW_TOP - GAP);
static_assert(BUILT_TABLE[GLYPH_SPACE].top == DIGIT_ROW_TOP);
static_assert(BUILT_TABLE[GLYPH_COUNT - 1].bottom <= 507);

}  // namespace

constinit const std::array<GlyphRecord, GLYPH_COUNT> glyphTable = BUILT_TABLE;

uint32_t GlyphCodeOf(char32_t character) {
    if (character == 0) {
        return 0;
    }
    for (const GlyphRecord& glyph : glyphTable) {
        if (glyph.character == character) {
            return glyph.code;
        }
    }
    return 0;
}
