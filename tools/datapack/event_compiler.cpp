// The event text compiler: quoted message text to glyph codes, everything else as written.
#include "datapack/event_compiler.h"

#include <cstdio>
#include <stdexcept>

#include "data/glyph_table.h"
#include "event/event_pack.h"

namespace {

[[noreturn]] void Fail(const std::string& where, int line, const std::string& what) {
    throw std::runtime_error(where + ":" + std::to_string(line) + ": " + what);
}

std::string CodePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof(name), "U+%04X", static_cast<unsigned>(c));
    return name;
}

// The character starting at source[*at]; moves *at past it. Throws on malformed UTF-8.
char32_t NextCharacter(const std::string& source, size_t* at, const std::string& where, int line) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(source[i]); };
    unsigned char lead = byte(*at);
    int extra = lead < 0x80           ? 0
                : (lead >> 5) == 0x06 ? 1
                : (lead >> 4) == 0x0E ? 2
                : (lead >> 3) == 0x1E ? 3
                                      : -1;
    if (extra < 0 || *at + static_cast<size_t>(extra) >= source.size()) {
        Fail(where, line, "the text is not UTF-8");
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char next = byte(*at + static_cast<size_t>(k));
        if ((next & 0xC0) != 0x80) {
            Fail(where, line, "the text is not UTF-8");
        }
        c = (c << 6) | (next & 0x3F);
    }
    *at += 1 + static_cast<size_t>(extra);
    return c;
}

// Message text is all full width; ASCII written in quotes means its full-width form, so that
// digits, "!", "?" and spaces can be typed plainly.
char32_t FullWidth(char32_t c) {
    if (c == U' ') {
        return U'\u3000';
    }
    if (c > U' ' && c < 0x7F) {
        return c - 0x21 + U'！';
    }
    return c;
}

// Compiles the quote that opens at source[*at] and moves *at past its closing quote.
void CompileQuote(const std::string& source, size_t* at, const std::string& where, int line,
                  std::string& out) {
    size_t i = *at + 1;
    int count = 0;
    for (;;) {
        if (i >= source.size() || source[i] == '\n' || source[i] == '\r') {
            Fail(where, line, "a quote is not closed on its line");
        }
        if (source[i] == '"') {
            break;
        }
        size_t start = i;
        char32_t c = NextCharacter(source, &i, where, line);
        uint32_t code = GlyphCodeOf(FullWidth(c));
        if (code == GLYPH_END) {
            Fail(where, line,
                 "the glyph table has no \"" + source.substr(start, i - start) + "\" (" +
                     CodePointName(c) + ")");
        }
        count += 1;
        if (count > EVENT_LIST_CODES) {
            Fail(where, line,
                 "a quoted line holds more than " + std::to_string(EVENT_LIST_CODES) + " glyphs");
        }
        out += std::to_string(code);
        out += ',';
    }
    out += '0';
    *at = i + 1;
}

}  // namespace

std::string CompileEventText(const std::string& source, const std::string& where) {
    std::string out;
    out.reserve(source.size() * 2);
    int line = 1;
    size_t at = 0;
    while (at < source.size()) {
        char c = source[at];
        if (c == '/') {
            // A comment runs to its line's end and is dropped when the blocks are cut, so a
            // quote inside it is no message.
            size_t end = source.find('\n', at);
            end = end == std::string::npos ? source.size() : end;
            out.append(source, at, end - at);
            at = end;
            continue;
        }
        if (c == '"') {
            CompileQuote(source, &at, where, line, out);
            continue;
        }
        if (c == '\n') {
            line += 1;
        }
        out += c;
        at += 1;
    }
    return out;
}
