// Battle message lines: every copy into a line is bounded by the line's 23 codes, whatever the
// source holds, because a full line carries no end code.
#include "battle/battle_messages.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

#include "engine/keyboard.h"
#include "engine/sound.h"

const std::u32string_view battleTexts[BATTLE_TEXT_COUNT] = {
    U"味方の先制攻撃！",    // the party acts first
    U"敵の先制攻撃！",      // the enemies act first
    U"敵をすべて倒した！",  // victory, on its own page
    U"戦いに勝利した！",    // victory, above the rewards
    U"味方は全滅した…",     // defeat, on its own page
    U"ゲームオーバー",      // defeat, the last page of the game
    U"うまく逃げきれた！",  // the party got away
    U"ゴールドと",         U"の経験値を得た", U"はレベル", U"になった！", U"が", U"匹", U"現れた",
};

namespace {

// The index of the line's end code, or 23 for a full line.
size_t LineLength(const BattleMessageLine& line) {
    return static_cast<size_t>(std::find(std::begin(line), std::end(line), GLYPH_END) -
                               std::begin(line));
}

bool IsEmpty(const BattleMessageLine& line) {
    return line[0] == GLYPH_END;
}

void AppendCode(BattleMessageLine& line, uint32_t code) {
    const uint32_t codes[] = {code};
    AppendGlyphs(line, codes);
}

}  // namespace

void ClearShownLines(BattleShownLines& shown) {
    std::memset(shown, 0, sizeof(BattleShownLines));
}

void ClearQueuedLines(BattleQueuedLines& queued) {
    std::memset(queued, 0, sizeof(BattleQueuedLines));
}

void ClearMessageWindow(BattleShownLines& shown, BattleQueuedLines& queued) {
    ClearShownLines(shown);
    ClearQueuedLines(queued);
}

void AppendGlyphs(BattleMessageLine& line, std::span<const uint32_t> codes) {
    size_t at = LineLength(line);
    for (uint32_t code : codes) {
        if (code == GLYPH_END || at >= std::size(line)) {
            return;
        }
        line[at++] = code;
    }
}

void AppendBattleText(BattleMessageLine& line, int text) {
    if (text < 0 || text >= BATTLE_TEXT_COUNT) {
        return;
    }
    for (char32_t character : battleTexts[text]) {
        AppendCode(line, GlyphCodeOf(character));
    }
}

uint32_t DigitToGlyph(char character) {
    if (character < '0' || character > '9') {
        return 0;
    }
    return GLYPH_DIGIT_ZERO + static_cast<uint32_t>(character - '0');
}

void AppendNumberGlyphs(BattleMessageLine& line, int32_t n) {
    // Room for every 32-bit value with its sign: sums that grow past five digits are written
    // whole, and the line's bound is what cuts them.
    char text[16];
    auto [end, error] = std::to_chars(std::begin(text), std::end(text), n);
    if (error != std::errc{}) {
        return;
    }
    for (const char* c = text; c != end; ++c) {
        uint32_t code = DigitToGlyph(*c);
        if (code != 0) {
            AppendCode(line, code);
        }
    }
}

int QueueMessageLine(BattleQueuedLines& queued, std::span<const uint32_t> codes) {
    if (codes.empty() || codes[0] == GLYPH_END) {
        return 0;  // an empty line would only read as a free place of the queue
    }
    for (BattleMessageLine& line : queued) {
        if (IsEmpty(line)) {
            AppendGlyphs(line, codes);
            return 1;
        }
    }
    return 0;
}

int HasQueuedLines(const BattleQueuedLines& queued) {
    for (const BattleMessageLine& line : queued) {
        if (!IsEmpty(line)) {
            return 1;
        }
    }
    return 0;
}

int ShowLine(BattleShownLines& shown, const BattleMessageLine& line) {
    for (BattleMessageLine& place : shown) {
        if (IsEmpty(place)) {
            std::memcpy(place, line, sizeof(BattleMessageLine));
            return 1;
        }
    }
    return 0;
}

void PromoteQueuedLines(BattleShownLines& shown, BattleQueuedLines& queued) {
    for (BattleMessageLine& line : queued) {
        if (!IsEmpty(line) && ShowLine(shown, line) != 0) {
            std::memset(line, 0, sizeof(BattleMessageLine));
        }
    }
}

int QueueBattleText(BattleQueuedLines& queued, int text) {
    BattleMessageLine line = {};
    AppendBattleText(line, text);
    return QueueMessageLine(queued, line);
}

void QueueFillerLine(BattleQueuedLines& queued) {
    const uint32_t filler[] = {BATTLE_FILLER_CODE};
    QueueMessageLine(queued, filler);
}

void QueueBattleTextPage(BattleQueuedLines& queued, int text) {
    QueueBattleText(queued, text);
    QueueFillerLine(queued);
    QueueFillerLine(queued);
}

int QueueRewardLine(BattleQueuedLines& queued, int32_t gold, int32_t exp) {
    BattleMessageLine line = {};
    AppendNumberGlyphs(line, gold);
    AppendBattleText(line, BATTLE_TEXT_MONEY_WORD);
    AppendNumberGlyphs(line, exp);
    AppendBattleText(line, BATTLE_TEXT_EXP_WORD);
    return QueueMessageLine(queued, line);
}

int QueueLevelUpLine(BattleQueuedLines& queued, const CharacterRecord& record) {
    BattleMessageLine line = {};
    AppendGlyphs(line, record.nameGlyphs);  // eight codes at most: a full name has no end code
    AppendBattleText(line, BATTLE_TEXT_LEVEL_UP);
    AppendNumberGlyphs(line, record.level);
    AppendBattleText(line, BATTLE_TEXT_LEVEL_UP_END);
    return QueueMessageLine(queued, line);
}

void InitEnemyTally(EnemyTally& tally) {
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        tally[kind] = EnemyTallyEntry{kind, 0};
    }
}

void CountEnemyKinds(EnemyTally& tally, std::span<const int32_t> kinds) {
    for (int32_t kind : kinds) {
        if (kind >= 0 && kind < ENEMY_KIND_COUNT) {
            tally[kind].count += 1;
        }
    }
}

void QueueEnemyAppearLines(BattleQueuedLines& queued, const EnemyTally& tally) {
    for (int kind = 0; kind < ENEMY_KIND_COUNT; ++kind) {
        int32_t count = tally[kind].count;
        if (count < 1) {
            continue;
        }
        BattleMessageLine line = {};
        AppendGlyphs(line, enemyKinds[kind].nameGlyphs);
        AppendBattleText(line, BATTLE_TEXT_APPEAR_SEPARATOR);
        if (count >= 2) {
            AppendNumberGlyphs(line, count);
            AppendBattleText(line, BATTLE_TEXT_APPEAR_COUNTER);
        }
        AppendBattleText(line, BATTLE_TEXT_APPEAR_CLOSING);
        QueueMessageLine(queued, line);
    }
}

int ShowNextMessagePage(BattleShownLines& shown, BattleQueuedLines& queued) {
    if (HasQueuedLines(queued) == 0) {
        return 0;
    }
    PromoteQueuedLines(shown, queued);
    return 1;
}

int ConfirmMessagePage(BattleShownLines& shown) {
    if (!IsConfirmTriggered()) {
        return 0;
    }
    ClearShownLines(shown);
    RequestSound(SOUND_CURSOR, 0);
    return 1;
}
