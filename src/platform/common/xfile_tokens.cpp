// The .x file header, MSZIP inflation and the text and binary token readers.
#include "platform/common/xfile_tokens.h"

#include <zlib.h>

#include <array>
#include <charconv>
#include <cstring>

#include "engine/byte_io.h"

namespace {

// The binary form's token words.
constexpr uint16_t TOKEN_NAME = 1;
constexpr uint16_t TOKEN_STRING = 2;
constexpr uint16_t TOKEN_INTEGER = 3;
constexpr uint16_t TOKEN_GUID = 5;
constexpr uint16_t TOKEN_INTEGER_LIST = 6;
constexpr uint16_t TOKEN_FLOAT_LIST = 7;
constexpr uint16_t TOKEN_OBRACE = 10;
constexpr uint16_t TOKEN_CBRACE = 11;
constexpr uint16_t TOKEN_OPAREN = 12;
constexpr uint16_t TOKEN_DOT = 18;
constexpr uint16_t TOKEN_COMMA = 19;
constexpr uint16_t TOKEN_SEMICOLON = 20;
constexpr uint16_t TOKEN_TEMPLATE = 31;
constexpr uint16_t TOKEN_FIRST_TYPE = 40;  // WORD
constexpr uint16_t TOKEN_LAST_TYPE = 52;   // array

// The type words, so that a data object whose identifier is a primitive type still has a name.
constexpr const char* TYPE_WORDS[] = {"WORD",    "DWORD",   "FLOAT",  "DOUBLE", "CHAR",
                                      "UCHAR",   "SWORD",   "SDWORD", "void",   "string",
                                      "unicode", "cstring", "array"};

// A compressed block never holds more than the deflate window.
constexpr uint32_t MAX_BLOCK_BYTES = 32768;
// Beyond this a "mesh" is not one the game would load; it bounds memory for hostile input.
constexpr uint32_t MAX_INFLATED_BYTES = 256u << 20;

bool Matches(const uint8_t* p, const char* text) {
    return std::memcmp(p, text, 4) == 0;
}

XToken Make(XTokenKind kind) {
    XToken t;
    t.kind = kind;
    return t;
}

// One raw deflate stream of a block, its history being everything inflated so far.
bool InflateBlock(const uint8_t* in, size_t inBytes, uint32_t outBytes,
                  std::vector<uint8_t>* body) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
        return false;
    }
    bool ok = true;
    if (!body->empty()) {
        size_t history = body->size() < MAX_BLOCK_BYTES ? body->size() : MAX_BLOCK_BYTES;
        ok = inflateSetDictionary(&z, body->data() + body->size() - history,
                                  static_cast<uInt>(history)) == Z_OK;
    }
    size_t start = body->size();
    body->resize(start + outBytes);
    if (ok) {
        z.next_in = const_cast<Bytef*>(in);
        z.avail_in = static_cast<uInt>(inBytes);
        z.next_out = body->data() + start;
        z.avail_out = outBytes;
        int result = inflate(&z, Z_FINISH);
        // A stream that wants more room than stated fails with Z_BUF_ERROR, one that ends
        // early leaves avail_out above zero.
        ok = result == Z_STREAM_END && z.avail_out == 0;
    }
    inflateEnd(&z);
    return ok;
}

// Byte classes of the text form, looked up rather than tested: the tokenizer touches every
// byte of files that run to a hundred kilobytes.
constexpr uint8_t CLASS_SPACE = 1;
constexpr uint8_t CLASS_WORD = 2;

constexpr std::array<uint8_t, 256> MakeByteClasses() {
    std::array<uint8_t, 256> classes{};
    // NUL counts as space: some writers pad text files with it.
    for (uint8_t c : {' ', '\t', '\r', '\n', '\f', '\v', '\0'}) {
        classes[c] = CLASS_SPACE;
    }
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-' || c == '+' || c == '.' || c >= 0x80) {
            classes[c] = CLASS_WORD;
        }
    }
    return classes;
}

constexpr std::array<uint8_t, 256> byteClasses = MakeByteClasses();

bool IsSpace(uint8_t c) {
    return byteClasses[c] == CLASS_SPACE;
}

bool IsWordByte(uint8_t c) {
    return byteClasses[c] == CLASS_WORD;
}

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

// The usual float of a text file, [-]digits.digits with at most 15 digits, exactly as a full
// conversion gives it: both the digits and the power of ten are exact doubles, so the one
// division rounds correctly. Anything else is left to the full conversion.
bool QuickDecimal(std::string_view word, double* out) {
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && word[i] == '-') {
        negative = true;
        ++i;
    }
    uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1;
    for (; i < word.size(); ++i) {
        char c = word[i];
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9' || digits == 15) {
            return false;
        }
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        digits += 1;
        if (fraction >= 0) {
            fraction += 1;
        }
    }
    if (digits == 0) {
        return false;
    }
    double value = static_cast<double>(mantissa) / powersOfTen[fraction < 0 ? 0 : fraction];
    *out = negative ? -value : value;
    return true;
}

// A word of the text form: the keyword, a number or a name.
XToken ClassifyWord(std::string_view word) {
    if (word == "template") {
        return Make(XTokenKind::Template);
    }
    uint8_t first = static_cast<uint8_t>(word[0]);
    if (IsDigit(first) || first == '-' || first == '+' || first == '.') {
        bool allDigits = true;
        uint64_t value = 0;
        for (char c : word) {
            if (!IsDigit(static_cast<uint8_t>(c))) {
                allDigits = false;
                break;
            }
            value = value * 10 + static_cast<uint64_t>(c - '0');
            if (value > 0xFFFFFFFFu) {
                allDigits = false;  // too big for a count: only a float can hold it
                break;
            }
        }
        if (allDigits) {
            XToken t = Make(XTokenKind::Integer);
            t.integer = static_cast<uint32_t>(value);
            t.number = static_cast<double>(value);
            return t;
        }
        double quick = 0.0;
        if (QuickDecimal(word, &quick)) {
            XToken t = Make(XTokenKind::Float);
            t.number = quick;
            return t;
        }
        std::string_view digits = first == '+' ? word.substr(1) : word;
        double number = 0.0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size() && !digits.empty()) {
            XToken t = Make(XTokenKind::Float);
            t.number = number;
            return t;
        }
        if (!IsDigit(first)) {
            return Make(XTokenKind::Other);  // "...", a lone sign
        }
    }
    XToken t = Make(XTokenKind::Name);
    t.text = word;
    return t;
}

XToken NextText(XTokenReader* r) {
    const uint8_t* d = r->data;
    for (;;) {
        while (r->pos < r->size && IsSpace(d[r->pos])) {
            ++r->pos;
        }
        if (r->pos >= r->size) {
            return Make(XTokenKind::End);
        }
        bool comment =
            d[r->pos] == '#' || (d[r->pos] == '/' && r->pos + 1 < r->size && d[r->pos + 1] == '/');
        if (!comment) {
            break;
        }
        while (r->pos < r->size && d[r->pos] != '\n') {
            ++r->pos;
        }
    }
    uint8_t c = d[r->pos];
    switch (c) {
        case '{':
            ++r->pos;
            return Make(XTokenKind::OpenBrace);
        case '}':
            ++r->pos;
            return Make(XTokenKind::CloseBrace);
        case ',':
            ++r->pos;
            return Make(XTokenKind::Comma);
        case ';':
            ++r->pos;
            return Make(XTokenKind::Semicolon);
        case '"':
        case '<': {
            uint8_t close = c == '"' ? '"' : '>';
            const void* found = std::memchr(d + r->pos + 1, close, r->size - r->pos - 1);
            if (found == nullptr) {
                return Make(XTokenKind::Error);
            }
            size_t end = static_cast<size_t>(static_cast<const uint8_t*>(found) - d);
            XToken t = Make(c == '"' ? XTokenKind::String : XTokenKind::Guid);
            t.text =
                std::string_view(reinterpret_cast<const char*>(d + r->pos + 1), end - r->pos - 1);
            r->pos = end + 1;
            return t;
        }
        default:
            break;
    }
    if (!IsWordByte(c)) {
        ++r->pos;
        return Make(XTokenKind::Other);
    }
    size_t start = r->pos;
    while (r->pos < r->size && IsWordByte(d[r->pos])) {
        ++r->pos;
    }
    return ClassifyWord(std::string_view(reinterpret_cast<const char*>(d + start), r->pos - start));
}

// True when count more bytes lie inside the body.
bool Has(const XTokenReader* r, uint64_t count) {
    return count <= r->size - r->pos;
}

// The next element of the list being read; its bytes were checked when the list began.
XToken ListElement(XTokenReader* r) {
    const uint8_t* d = r->data;
    --r->listLeft;
    XToken t = Make(r->listKind);
    if (r->listKind == XTokenKind::Integer) {
        t.integer = ReadLE32(d + r->pos);
        t.number = t.integer;
        r->pos += 4;
    } else if (r->floatBits == 32) {
        t.number = ReadLEFloat(d + r->pos);
        r->pos += 4;
    } else {
        uint64_t bits = ReadLE32(d + r->pos) | (uint64_t{ReadLE32(d + r->pos + 4)} << 32);
        std::memcpy(&t.number, &bits, sizeof t.number);
        r->pos += 8;
    }
    return t;
}

XToken NextBinary(XTokenReader* r) {
    const uint8_t* d = r->data;
    if (r->listLeft > 0) {
        return ListElement(r);
    }
    // Loops only past empty lists.
    for (;;) {
        if (r->pos == r->size) {
            return Make(XTokenKind::End);
        }
        if (!Has(r, 2)) {
            return Make(XTokenKind::Error);
        }
        uint16_t word = ReadLE16(d + r->pos);
        r->pos += 2;
        switch (word) {
            case TOKEN_NAME:
            case TOKEN_STRING: {
                if (!Has(r, 4)) {
                    return Make(XTokenKind::Error);
                }
                uint32_t count = ReadLE32(d + r->pos);
                r->pos += 4;
                if (!Has(r, count)) {
                    return Make(XTokenKind::Error);
                }
                XToken t = Make(word == TOKEN_NAME ? XTokenKind::Name : XTokenKind::String);
                t.text = std::string_view(reinterpret_cast<const char*>(d + r->pos), count);
                r->pos += count;
                return t;
            }
            case TOKEN_INTEGER: {
                if (!Has(r, 4)) {
                    return Make(XTokenKind::Error);
                }
                XToken t = Make(XTokenKind::Integer);
                t.integer = ReadLE32(d + r->pos);
                t.number = t.integer;
                r->pos += 4;
                return t;
            }
            case TOKEN_GUID:
                if (!Has(r, 16)) {
                    return Make(XTokenKind::Error);
                }
                r->pos += 16;
                return Make(XTokenKind::Guid);
            case TOKEN_INTEGER_LIST:
            case TOKEN_FLOAT_LIST: {
                if (!Has(r, 4)) {
                    return Make(XTokenKind::Error);
                }
                uint32_t count = ReadLE32(d + r->pos);
                r->pos += 4;
                uint64_t elementBytes =
                    word == TOKEN_INTEGER_LIST ? 4 : static_cast<uint64_t>(r->floatBits / 8);
                if (!Has(r, count * elementBytes)) {
                    return Make(XTokenKind::Error);
                }
                if (count == 0) {
                    continue;
                }
                r->listKind = word == TOKEN_INTEGER_LIST ? XTokenKind::Integer : XTokenKind::Float;
                r->listLeft = count;
                return ListElement(r);
            }
            case TOKEN_OBRACE:
                return Make(XTokenKind::OpenBrace);
            case TOKEN_CBRACE:
                return Make(XTokenKind::CloseBrace);
            case TOKEN_COMMA:
                return Make(XTokenKind::Comma);
            case TOKEN_SEMICOLON:
                return Make(XTokenKind::Semicolon);
            case TOKEN_TEMPLATE:
                return Make(XTokenKind::Template);
            default:
                if (word >= TOKEN_OPAREN && word <= TOKEN_DOT) {
                    return Make(XTokenKind::Other);
                }
                if (word >= TOKEN_FIRST_TYPE && word <= TOKEN_LAST_TYPE) {
                    XToken t = Make(XTokenKind::Name);
                    t.text = TYPE_WORDS[word - TOKEN_FIRST_TYPE];
                    return t;
                }
                return Make(XTokenKind::Error);
        }
    }
}

}  // namespace

bool ReadXFileHeader(const uint8_t* data, size_t size, XFileHeader* header) {
    if (data == nullptr || size < X_FILE_HEADER_BYTES || !Matches(data, "xof ") ||
        !(Matches(data + 4, "0302") || Matches(data + 4, "0303"))) {
        return false;
    }
    const uint8_t* form = data + 8;
    if (Matches(form, "txt ")) {
        *header = {false, false, 32};
    } else if (Matches(form, "bin ")) {
        *header = {true, false, 32};
    } else if (Matches(form, "tzip")) {
        *header = {false, true, 32};
    } else if (Matches(form, "bzip")) {
        *header = {true, true, 32};
    } else {
        return false;
    }
    if (Matches(data + 12, "0064")) {
        header->floatBits = 64;
    } else if (!Matches(data + 12, "0032")) {
        return false;
    }
    return true;
}

bool InflateXFileBody(const uint8_t* data, size_t size, std::vector<uint8_t>* body) {
    body->clear();
    if (size < 4) {
        return false;
    }
    // The total counts the 16 header bytes, which are not compressed.
    uint32_t total = ReadLE32(data);
    if (total < X_FILE_HEADER_BYTES || total - X_FILE_HEADER_BYTES > MAX_INFLATED_BYTES) {
        return false;
    }
    uint32_t bodyBytes = total - static_cast<uint32_t>(X_FILE_HEADER_BYTES);
    size_t pos = 4;
    while (pos < size) {
        if (size - pos < 6) {
            return false;
        }
        uint32_t plainBytes = ReadLE16(data + pos);
        uint32_t packedBytes = ReadLE16(data + pos + 2);  // with the two signature bytes
        pos += 4;
        if (plainBytes == 0 || plainBytes > MAX_BLOCK_BYTES || packedBytes < 2 ||
            packedBytes > size - pos || data[pos] != 'C' || data[pos + 1] != 'K' ||
            plainBytes > bodyBytes - body->size()) {
            return false;
        }
        if (!InflateBlock(data + pos + 2, packedBytes - 2u, plainBytes, body)) {
            return false;
        }
        pos += packedBytes;
    }
    return body->size() == bodyBytes;
}

void InitXTokenReader(XTokenReader* reader, const uint8_t* data, size_t size, bool binary,
                      int floatBits) {
    *reader = XTokenReader{};
    reader->data = data;
    reader->size = size;
    reader->binary = binary;
    reader->floatBits = floatBits;
}

const XToken& XTokenReader::Peek() {
    if (!peeked) {
        next = binary ? NextBinary(this) : NextText(this);
        peeked = true;
    }
    return next;
}

XToken XTokenReader::Next() {
    XToken t = Peek();
    // An error is sticky, so that no caller reads on past it.
    peeked = t.kind == XTokenKind::Error;
    return t;
}
