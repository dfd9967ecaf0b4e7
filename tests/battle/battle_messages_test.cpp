// Battle message lines: the 23-code bound, the queue's lowest free place and its drop, level-up
// and appearance lines, numbers as digit glyphs, and the opening pages as drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "battle/battle_messages.h"
#include "engine/keyboard.h"
#include "engine/sound.h"
#include "support/render_fixture.h"

namespace {

using Codes = std::vector<uint32_t>;

Codes operator+(Codes a, const Codes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
// The codes of a line or name up to its end code.
Codes Used(std::span<const uint32_t> line) {
    return Codes(line.begin(), std::find(line.begin(), line.end(), 0u));
}
Codes Glyphs(std::u32string_view text) {
    Codes codes;
    std::transform(text.begin(), text.end(), std::back_inserter(codes), GlyphCodeOf);
    return codes;
}

TEST(BattleMessages, QueueLevelUpAppendAndNumbers) {
    BattleQueuedLines queued = {};
    for (uint32_t i = 0; i < BATTLE_QUEUED_LINES; ++i) {
        EXPECT_EQ(QueueMessageLine(queued, Codes{10 + i}), 1);
    }
    EXPECT_EQ(QueueMessageLine(queued, Codes{50}), 0) << "full: dropped";
    queued[7][0] = queued[3][0] = 0;
    EXPECT_EQ(QueueMessageLine(queued, Codes{0, 60}), 0) << "an empty line is never queued";
    EXPECT_EQ(QueueMessageLine(queued, Codes(30, 200)), 1);
    EXPECT_EQ(Used(queued[3]), Codes(23, 200)) << "the lowest empty place, 23 codes";
    EXPECT_EQ(queued[4][0], 14u) << "written past the line";
    // A name of all eight codes has no end code: the name stops there.
    CharacterRecord record = enemyKinds[0];
    std::fill(std::begin(record.nameGlyphs), std::end(record.nameGlyphs), 40u);
    record.level = 999;
    ASSERT_EQ(QueueLevelUpLine(queued, record), 1);
    EXPECT_EQ(Used(queued[7]), Codes(8, 40) + Glyphs(battleTexts[BATTLE_TEXT_LEVEL_UP]) +
                                   Glyphs(U"９９９") +
                                   Glyphs(battleTexts[BATTLE_TEXT_LEVEL_UP_END]));
    // Appending goes on from the end code and stops at the list's 0.
    BattleMessageLine line = {7, 8};
    AppendGlyphs(line, Codes{5, 0, 9});
    AppendGlyphs(line, Codes{6});
    EXPECT_EQ(Codes(line, line + 23), (Codes{7, 8, 5, 6} + Codes(19)));
    const std::pair<int32_t, std::u32string_view> cases[] = {
        {0, U"０"},    {7, U"７"}, {999, U"９９９"}, {5400, U"５４００"}, {100000, U"１０００００"},
        {-42, U"４２"}};
    for (auto [n, digits] : cases) {
        std::fill(std::begin(line), std::end(line), 0u);
        AppendNumberGlyphs(line, n);
        EXPECT_EQ(Used(line), Glyphs(digits)) << n;
    }
}

using BattleMessageDrawTest = RenderTest;

// The opening: the first-side line alone on its page, its fillers drawing nothing; Z turns the
// page to the appearance lines, in kind order, with the number only for a kind seen twice.
TEST_F(BattleMessageDrawTest, OpeningPages) {
    BattleShownLines shown = {};
    BattleQueuedLines queued = {};
    QueueBattleTextPage(queued, BATTLE_TEXT_PARTY_FIRST);
    struct {
        EnemyTallyEntry before = {};
        EnemyTally tally;
        EnemyTallyEntry after = {};
    } held;
    InitEnemyTally(held.tally);
    const int32_t kinds[] = {5, 3, -1, 3, ENEMY_KIND_COUNT};
    CountEnemyKinds(held.tally, kinds);
    EXPECT_EQ(held.before.count + held.after.count, 0) << "kinds outside the table";
    QueueEnemyAppearLines(queued, held.tally);

    ASSERT_EQ(ShowNextMessagePage(shown, queued), 1);
    DrawBattleMessageBox(shown);
    EXPECT_EQ(Draws().size(), 5 + battleTexts[BATTLE_TEXT_PARTY_FIRST].size()) << "box, one line";
    PollWith({});
    EXPECT_EQ(ConfirmMessagePage(shown), 0);
    PollWith({KEY_Z});
    EXPECT_EQ(ConfirmMessagePage(shown), 1);
    EXPECT_NE(soundRequests[SOUND_CURSOR].requested, 0);
    ASSERT_EQ(ShowNextMessagePage(shown, queued), 1);
    const Codes separator = Glyphs(battleTexts[BATTLE_TEXT_APPEAR_SEPARATOR]);
    const Codes closing = Glyphs(battleTexts[BATTLE_TEXT_APPEAR_CLOSING]);
    EXPECT_EQ(Used(shown[0]), Used(enemyKinds[3].nameGlyphs) + separator + Glyphs(U"２") +
                                  Glyphs(battleTexts[BATTLE_TEXT_APPEAR_COUNTER]) + closing);
    EXPECT_EQ(Used(shown[1]), Used(enemyKinds[5].nameGlyphs) + separator + closing);
    ClearShownLines(shown);
    EXPECT_EQ(ShowNextMessagePage(shown, queued), 0) << "nothing left: the controller goes on";
}

}  // namespace
