// Kana names in the two forms the game stores them: glyph codes of the glyph table (the fixed
// kana rows every glyph sheet keeps) and Shift-JIS bytes. Written as UTF-8 once in the source
// and converted at compile time, so a name cannot drift between its two stored forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The fixed kana rows of the glyph table.
constexpr uint32_t GLYPH_HIRAGANA_BASIC_FIRST = 12;
constexpr uint32_t GLYPH_HIRAGANA_VOICED_FIRST = 58;
constexpr uint32_t GLYPH_HIRAGANA_SMALL_FIRST = 78;
constexpr uint32_t GLYPH_KATAKANA_BASIC_FIRST = 88;
constexpr uint32_t GLYPH_KATAKANA_VOICED_FIRST = 134;
constexpr uint32_t GLYPH_KATAKANA_SMALL_FIRST = 151;
constexpr uint32_t GLYPH_LONG_VOWEL = 385;

// The kana of each block in row order. The basic hiragana end with を ん わ, unlike the
// katakana; the voiced blocks hold only the kana that the sheet has room for (no ぱ row, no ブ).
inline constexpr std::u16string_view HIRAGANA_BASIC_ROWS =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろをんわ";
inline constexpr std::u16string_view HIRAGANA_VOICED_ROWS =
    u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
inline constexpr std::u16string_view HIRAGANA_SMALL_ROWS = u"ぁっゃょぅ";
inline constexpr std::u16string_view KATAKANA_BASIC_ROWS =
    u"アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン";
inline constexpr std::u16string_view KATAKANA_VOICED_ROWS = u"ガギグゲゴザジズゼゾダヂヅデドバビ";
inline constexpr std::u16string_view KATAKANA_SMALL_ROWS = u"ァッュャィ";

// The glyph code of one kana or the long-vowel sign; 0 when the glyph table has none.
constexpr uint32_t KanaGlyphCode(char16_t c) {
    struct Block {
        std::u16string_view rows;
        uint32_t first;
    };
    constexpr Block blocks[] = {
        {HIRAGANA_BASIC_ROWS, GLYPH_HIRAGANA_BASIC_FIRST},
        {HIRAGANA_VOICED_ROWS, GLYPH_HIRAGANA_VOICED_FIRST},
        {HIRAGANA_SMALL_ROWS, GLYPH_HIRAGANA_SMALL_FIRST},
        {KATAKANA_BASIC_ROWS, GLYPH_KATAKANA_BASIC_FIRST},
        {KATAKANA_VOICED_ROWS, GLYPH_KATAKANA_VOICED_FIRST},
        {KATAKANA_SMALL_ROWS, GLYPH_KATAKANA_SMALL_FIRST},
    };
    if (c == u'ー') {
        return GLYPH_LONG_VOWEL;
    }
    for (const Block& block : blocks) {
        size_t at = block.rows.find(c);
        if (at != std::u16string_view::npos) {
            return block.first + static_cast<uint32_t>(at);
        }
    }
    return 0;
}

// The Shift-JIS code of one kana or the long-vowel sign (lead byte high); 0 for anything else.
// Hiragana and katakana are rows 0x82 and 0x83 in code point order; the katakana row skips the
// trail byte 0x7F.
constexpr uint16_t KanaShiftJis(char16_t c) {
    if (c >= u'ぁ' && c <= u'ん') {
        return static_cast<uint16_t>(0x829F + (c - u'ぁ'));
    }
    if (c >= u'ァ' && c <= u'ミ') {
        return static_cast<uint16_t>(0x8340 + (c - u'ァ'));
    }
    if (c >= u'ム' && c <= u'ヶ') {
        return static_cast<uint16_t>(0x8380 + (c - u'ム'));
    }
    if (c == u'ー') {
        return 0x815B;
    }
    return 0;
}

// Decodes the UTF-8 character at text[*at] (one to three bytes: the basic plane is all a name
// needs) and moves *at past it; 0 for a malformed or longer sequence.
constexpr char16_t NextUtf8Char(std::string_view text, size_t* at) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    auto continuation = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    size_t i = *at;
    uint8_t lead = byte(i);
    if (lead < 0x80) {
        *at = i + 1;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0 && continuation(i + 1)) {
        *at = i + 2;
        return static_cast<char16_t>(((lead & 0x1F) << 6) | (byte(i + 1) & 0x3F));
    }
    if ((lead & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
        *at = i + 3;
        return static_cast<char16_t>(((lead & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) |
                                     (byte(i + 2) & 0x3F));
    }
    *at = text.size();
    return 0;
}

// Writes the glyph codes of a UTF-8 kana name into codes[0..capacity) and pads with 0 (a name
// that fills the array has no end code). False, with codes all 0, when a character has no glyph
// or the name does not fit.
constexpr bool KanaToGlyphs(std::string_view utf8, uint32_t* codes, size_t capacity) {
    for (size_t i = 0; i < capacity; ++i) {
        codes[i] = 0;
    }
    size_t count = 0;
    for (size_t at = 0; at < utf8.size();) {
        uint32_t code = KanaGlyphCode(NextUtf8Char(utf8, &at));
        if (code == 0 || count == capacity) {
            for (size_t i = 0; i < capacity; ++i) {
                codes[i] = 0;
            }
            return false;
        }
        codes[count++] = code;
    }
    return true;
}

// Writes a UTF-8 kana name as Shift-JIS (lead byte first) into bytes[0..capacity), ended and
// padded with 0. False, with the bytes all 0, when a character has no Shift-JIS code here or
// the text and its end byte do not fit.
constexpr bool KanaToShiftJis(std::string_view utf8, char* bytes, size_t capacity) {
    for (size_t i = 0; i < capacity; ++i) {
        bytes[i] = 0;
    }
    size_t used = 0;
    for (size_t at = 0; at < utf8.size();) {
        uint16_t code = KanaShiftJis(NextUtf8Char(utf8, &at));
        if (code == 0 || used + 3 > capacity) {
            for (size_t i = 0; i < capacity; ++i) {
                bytes[i] = 0;
            }
            return false;
        }
        bytes[used++] = static_cast<char>(code >> 8);
        bytes[used++] = static_cast<char>(code & 0xFF);
    }
    return capacity > 0;
}
