// The character templates and enemy kinds: the rules every row keeps, per column a checksum
// weighted by row (so a wrong, missing or swapped value shows), and the names stored both ways.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "data/kana_text.h"
#include "field/character_tables.h"

namespace {

using Field = std::function<double(const CharacterRecord&)>;

double RectSum(const AtlasRect& r) {
    return r.left + 2 * r.top + 3 * r.right + 4 * r.bottom;
}

// Per field: sum over rows of (row + 1) x the field.
template <int N>
std::vector<double> Checksums(const CharacterRecord (&table)[N], const std::vector<Field>& fields) {
    std::vector<double> sums;
    for (const Field& field : fields) {
        double sum = 0;
        for (int row = 0; row < N; ++row) {
            sum += (row + 1) * field(table[row]);
        }
        sums.push_back(sum);
    }
    return sums;
}

TEST(CharacterTablesTest, EveryRowIsItsOwnIdentityAtFullHealth) {
    for (int row = 0; row < CHARACTER_TEMPLATE_COUNT; ++row) {
        const CharacterRecord& r = characterTemplates[row];
        EXPECT_EQ(r.characterId, row);
        EXPECT_TRUE(r.hp == r.hpMax && r.mp == r.mpMax) << row;
        EXPECT_TRUE(r.side == SIDE_PARTY && r.statusBits == 0 && r.modelIndex == row) << row;
        EXPECT_TRUE(r.level == 25 && r.accuracy == 2 && r.move == 8 && r.stat9 == 0) << row;
        EXPECT_TRUE(r.goldReward == 0 && r.exp == 0 && r.aiType == 0) << row;
    }
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        const CharacterRecord& r = enemyKinds[kind];
        bool boss = kind >= 12;
        EXPECT_EQ(r.characterId, kind);
        EXPECT_TRUE(r.hp == r.hpMax && r.mp == r.mpMax) << kind;
        EXPECT_TRUE(r.side == SIDE_ENEMY && r.statusBits == 0) << kind;
        EXPECT_EQ(RectSum(r.portraitRect) + RectSum(r.faceRect), 0) << kind;
        EXPECT_EQ(r.move, boss ? 12.0f : 8.0f) << kind;
        EXPECT_EQ(r.characterClass == CLASS_BOSS, boss) << kind;
        EXPECT_EQ(r.modelIndex, kind == 16 ? 35 : kind + 8) << kind;
        EXPECT_EQ(r.armorItemId, kind < 10 ? 0 : boss ? 24 : 20) << kind;
    }
}

// One column of the table as a number; a rectangle by its four edges.
#define COLUMN(field) [](const CharacterRecord& r) { return static_cast<double>(r.field); }
#define RECT_COLUMN(field) [](const CharacterRecord& r) { return RectSum(r.field); }

TEST(CharacterTablesTest, TemplateColumnsMatchTheirChecksums) {
    EXPECT_EQ(Checksums(characterTemplates,
                        {COLUMN(characterClass), COLUMN(hpMax), COLUMN(mpMax), COLUMN(attack),
                         COLUMN(defence), COLUMN(magicAttack), COLUMN(magicDefence), COLUMN(stat6),
                         COLUMN(magicSkill), COLUMN(weaponItemId), COLUMN(armorItemId),
                         RECT_COLUMN(portraitRect), RECT_COLUMN(nameRect), RECT_COLUMN(faceRect)}),
              (std::vector<double>{15, 1650, 1450, 790, 630, 560, 540, 17, 88, 109, 209, 170148,
                                   44378, 115296}));
}

TEST(CharacterTablesTest, EnemyColumnsMatchTheirChecksums) {
    EXPECT_EQ(
        Checksums(enemyKinds, {COLUMN(level),       COLUMN(modelIndex),    COLUMN(characterClass),
                               COLUMN(hpMax),       COLUMN(mpMax),         COLUMN(attack),
                               COLUMN(defence),     COLUMN(magicAttack),   COLUMN(magicDefence),
                               COLUMN(move),        COLUMN(stat6),         COLUMN(accuracy),
                               COLUMN(magicSkill),  COLUMN(stat9),         COLUMN(weaponItemId),
                               COLUMN(armorItemId), RECT_COLUMN(nameRect), COLUMN(goldReward),
                               COLUMN(exp),         COLUMN(aiType)}),
        (std::vector<double>{9220, 3043, 518, 104080, 71700, 14060, 6625,    11900, 6870,  1524,
                             906,  750,  750, 750,    1918,  2260,  1282213, 72530, 72530, 434}));
}

void ExpectNameStoredBothWays(const CharacterRecord& record, const char* name) {
    SCOPED_TRACE(name);
    uint32_t glyphs[8];
    char text[40];
    ASSERT_TRUE(KanaToGlyphs(name, glyphs, 8));
    ASSERT_TRUE(KanaToShiftJis(name, text, sizeof text));
    EXPECT_EQ(std::memcmp(glyphs, record.nameGlyphs, sizeof glyphs), 0);
    EXPECT_EQ(std::memcmp(text, record.nameText, sizeof text), 0);
    size_t kana = std::strlen(record.nameText) / 2;
    EXPECT_TRUE(kana >= 2 && kana <= 7) << kana;
    EXPECT_EQ(record.nameGlyphs[kana], 0u) << "ended after the last code";
}

TEST(CharacterTablesTest, NamesAreDistinctAndStoredAsGlyphsAndShiftJis) {
    std::set<std::string> names;
    for (int row = 0; row < CHARACTER_TEMPLATE_COUNT; ++row) {
        ExpectNameStoredBothWays(characterTemplates[row], characterTemplateNames[row]);
        EXPECT_TRUE(names.insert(characterTemplateNames[row]).second);
    }
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        ExpectNameStoredBothWays(enemyKinds[kind], enemyKindNames[kind]);
        EXPECT_TRUE(names.insert(enemyKindNames[kind]).second);
    }
    const uint32_t leader[8] = {88, 129, 133};  // アレン
    EXPECT_EQ(std::memcmp(characterTemplates[0].nameGlyphs, leader, sizeof leader), 0);
    EXPECT_STREQ(characterTemplates[0].nameText, "\x83\x41\x83\x8C\x83\x93");
}

}  // namespace
