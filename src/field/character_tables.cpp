// The character templates and enemy kinds. The names are the program's own: katakana that the
// glyph table can show (it has no ブ and no p-row kana, so those sounds take the nearest kana
// it has), each after the model the record is drawn with.
#include "field/character_tables.h"

#include <iterator>
#include <string_view>

#include "data/kana_text.h"

constexpr const char* characterTemplateNames[CHARACTER_TEMPLATE_COUNT] = {
    "アレン",      // model 0, the hybrid with the staff
    "バラノック",  // model 1, the fighter in blue armour
    "リス",        // model 2, the caster
    "ガロウ",      // model 3, the fighter with the shield
};

constexpr const char* enemyKindNames[ENEMY_KIND_COUNT] = {
    "スライム",        // slime
    "バット",          // bat
    "ウルフ",          // wolf
    "グレムリン",      // goblin: the sheet cannot spell ゴブリン
    "スケルトン",      // skeleton
    "マッシュルーム",  // mushroom
    "ゴーレム",        // golem
    "ナイト",          // knight
    "ファイラ",        // the fire mage
    "フロストウエン",  // the ice mage
    "グリムハルド",    // the dark warrior with the axe
    "バシュカ",        // the dark warrior with the blade
    "バルティガー",    // boss: the dragon
    "マルグラス",      // boss: the horned demon
    "エルドルート",    // boss: the tree
    "オッシバル",      // boss: the skeleton king
    "トレッサ",        // boss: the sea serpent
};

constexpr const char* familiarName = "使い魔";
// Kanji, which the kana converters do not take, so written out.
constexpr char familiarNameShiftJis[7] = {'\x8E', '\x67', '\x82', '\xA2', '\x96', '\x82', 0};

namespace {

// Both stored forms of the name. A name with a character the glyph table lacks, or outside 2
// to 7 codes, is not a constant, so it stops the build instead of reaching a battle message.
constexpr void SetName(CharacterRecord& record, std::string_view name) {
    if (!KanaToGlyphs(name, record.nameGlyphs, std::size(record.nameGlyphs)) ||
        !KanaToShiftJis(name, record.nameText, sizeof record.nameText) ||
        record.nameGlyphs[1] == 0 || record.nameGlyphs[7] != 0) {
        throw "a character name the glyph table cannot hold";
    }
}

// The columns both tables share; every row has hp = hpMax and mp = mpMax and no status.
struct Stats {
    int32_t hp;
    int32_t mp;
    float attack;
    float defence;
    float magicAttack;
    float magicDefence;
    float move;
    float stat6;
    float accuracy;
    float magicSkill;
    float stat9;
};

constexpr CharacterRecord Character(int32_t id, int32_t level, int32_t model, int32_t side,
                                    int32_t characterClass, const Stats& stats, int32_t weapon,
                                    int32_t armour, AtlasRect portraitRect, AtlasRect nameRect,
                                    AtlasRect faceRect, const char* name) {
    CharacterRecord r{};
    r.characterId = id;
    r.level = level;
    r.modelIndex = model;
    r.side = side;
    r.characterClass = characterClass;
    r.hp = stats.hp;
    r.hpMax = stats.hp;
    r.mp = stats.mp;
    r.mpMax = stats.mp;
    r.attack = stats.attack;
    r.defence = stats.defence;
    r.magicAttack = stats.magicAttack;
    r.magicDefence = stats.magicDefence;
    r.move = stats.move;
    r.stat6 = stats.stat6;
    r.accuracy = stats.accuracy;
    r.magicSkill = stats.magicSkill;
    r.stat9 = stats.stat9;
    r.weaponItemId = weapon;
    r.armorItemId = armour;
    r.portraitRect = portraitRect;
    r.nameRect = nameRect;
    r.faceRect = faceRect;
    SetName(r, name);
    return r;
}

// One row of the template table, in the table's column order.
constexpr CharacterRecord Template(int32_t row, int32_t model, int32_t characterClass, int32_t hp,
                                   int32_t mp, float attack, float defence, float magicAttack,
                                   float magicDefence, float stat6, float magicSkill,
                                   int32_t weapon, int32_t armour, AtlasRect portraitRect,
                                   AtlasRect nameRect, AtlasRect faceRect) {
    const Stats stats{hp,    mp, attack,     defence, magicAttack, magicDefence, 8,
                      stat6, 2,  magicSkill, 0};
    return Character(row, 25, model, SIDE_PARTY, characterClass, stats, weapon, armour,
                     portraitRect, nameRect, faceRect, characterTemplateNames[row]);
}

// One row of the enemy table, in the table's column order.
constexpr CharacterRecord Enemy(int32_t kind, int32_t level, int32_t model, int32_t characterClass,
                                int32_t hp, int32_t mp, float attack, float defence,
                                float magicAttack, float magicDefence, float move, float stat6,
                                float accuracy, float magicSkill, float stat9, int32_t weapon,
                                int32_t armour, AtlasRect nameRect, int32_t gold, int32_t exp,
                                int32_t aiType) {
    const Stats stats{hp,   mp,    attack,   defence,    magicAttack, magicDefence,
                      move, stat6, accuracy, magicSkill, stat9};
    CharacterRecord r =
        Character(kind, level, model, SIDE_ENEMY, characterClass, stats, weapon, armour,
                  {0, 0, 0, 0}, nameRect, {0, 0, 0, 0}, enemyKindNames[kind]);
    r.goldReward = gold;
    r.exp = exp;
    r.aiType = aiType;
    return r;
}

}  // namespace

// clang-format off
constexpr CharacterRecord characterTemplates[CHARACTER_TEMPLATE_COUNT] = {
    //       row model class hp   mp   atk  def  mat  mdf  st6 msk wpn arm
    Template(0,  0,    3,    150, 250, 70,  60,  80,  60,  2,  10, 10, 20,
             {1498, 1504, 1689, 1675}, {642, 226, 700, 244}, {735, 1181, 855, 1271}),
    Template(1,  1,    1,    200, 0,   100, 80,  30,  40,  2,  8,  10, 20,
             {1512, 1677, 1689, 1850}, {642, 248, 699, 265}, {979, 1134, 1099, 1224}),
    Template(2,  2,    2,    100, 400, 40,  30,  100, 80,  1,  10, 13, 23,
             {1512, 1852, 1689, 2047}, {643, 292, 721, 311}, {857, 1181, 977, 1271}),
    Template(3,  3,    1,    200, 0,   100, 80,  30,  40,  2,  8,  10, 20,
             {1691, 1329, 1868, 1499}, {642, 269, 699, 288}, {979, 1226, 1099, 1316}),
};

constexpr CharacterRecord enemyKinds[ENEMY_KIND_COUNT] = {
    //    kind lvl model cls hp    mp   atk  def mat mdf mov st6 acc msk st9 wpn arm
    Enemy(0,   10,  8,   1,  20,   0,   20,  10, 0,  0,  8,  2,  0,  0,  0,  17, 0,
          {1851, 475, 1927, 494}, 10, 10, 0),
    Enemy(1,   10,  9,   1,  40,   0,   40,  15, 0,  0,  8,  2,  0,  0,  0,  17, 0,
          {642, 316, 683, 336}, 20, 20, 1),
    Enemy(2,   10,  10,  1,  40,   0,   40,  15, 0,  0,  8,  2,  0,  0,  0,  17, 0,
          {727, 316, 766, 336}, 20, 20, 0),
    Enemy(3,   10,  11,  1,  40,   0,   40,  20, 0,  0,  8,  2,  0,  0,  0,  10, 0,
          {739, 338, 778, 358}, 30, 30, 1),
    Enemy(4,   10,  12,  1,  40,   0,   40,  20, 0,  0,  8,  2,  0,  0,  0,  17, 0,
          {685, 316, 725, 336}, 30, 30, 0),
    Enemy(5,   20,  13,  1,  100,  0,   50,  30, 0,  0,  8,  2,  0,  0,  0,  18, 0,
          {642, 360, 707, 379}, 100, 100, 1),
    Enemy(6,   20,  14,  1,  200,  0,   120, 50, 30, 30, 8,  2,  0,  0,  0,  19, 0,
          {1936, 476, 1998, 496}, 100, 100, 1),
    Enemy(7,   30,  15,  1,  200,  0,   130, 50, 30, 30, 8,  2,  0,  0,  0,  11, 0,
          {642, 402, 696, 421}, 100, 100, 1),
    Enemy(8,   20,  16,  2,  100,  100, 60,  40, 40, 30, 8,  2,  0,  0,  0,  11, 0,
          {642, 338, 737, 358}, 100, 100, 2),
    Enemy(9,   20,  17,  2,  100,  100, 50,  30, 60, 30, 8,  2,  0,  0,  0,  11, 0,
          {709, 360, 803, 379}, 50, 50, 2),
    Enemy(10,  30,  18,  3,  100,  100, 50,  30, 60, 30, 8,  2,  0,  0,  0,  11, 20,
          {642, 381, 712, 400}, 50, 50, 3),
    Enemy(11,  30,  19,  3,  100,  100, 50,  30, 60, 30, 8,  2,  0,  0,  0,  11, 20,
          {714, 381, 790, 400}, 50, 50, 3),
    Enemy(12,  100, 20,  5,  1100, 900, 100, 50, 100, 60, 12, 10, 10, 10, 10, 12, 24,
          {1851, 498, 1931, 518}, 900, 900, 4),
    Enemy(13,  100, 21,  5,  1100, 900, 110, 50, 110, 60, 12, 10, 10, 10, 10, 12, 24,
          {1851, 521, 1967, 541}, 900, 900, 4),
    Enemy(14,  100, 22,  5,  1100, 900, 110, 50, 110, 60, 12, 10, 10, 10, 10, 12, 24,
          {1851, 545, 1983, 563}, 900, 900, 4),
    Enemy(15,  100, 23,  5,  1500, 900, 140, 60, 140, 80, 12, 10, 10, 10, 10, 12, 24,
          {1851, 567, 1961, 587}, 900, 900, 4),
    Enemy(16,  100, 35,  5,  1500, 900, 140, 60, 140, 80, 12, 10, 10, 10, 10, 12, 24,
          {1895, 590, 1992, 609}, 900, 900, 4),
};
// clang-format on
