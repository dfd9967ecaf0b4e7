// The lowest layer of the .x mesh parser: the 16-byte file header, the inflation of the
// MSZIP-compressed forms, and one token reader over the text and the binary forms, so that the
// object parser above sees the same tokens whichever form the file is in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

enum class XTokenKind : uint8_t {
    End,    // no more input
    Error,  // malformed input; the reader stays here
    Name,
    String,
    Integer,  // unsigned 32-bit
    Float,
    Guid,
    OpenBrace,
    CloseBrace,
    Comma,
    Semicolon,
    Template,
    Other,  // punctuation only templates use: brackets, dots, parentheses
};

struct XToken {
    XTokenKind kind = XTokenKind::End;
    std::string_view text;  // Name and String
    uint32_t integer = 0;   // Integer
    double number = 0.0;    // Integer and Float
};

struct XFileHeader {
    bool binary = false;
    bool compressed = false;
    int floatBits = 32;
};

constexpr size_t X_FILE_HEADER_BYTES = 16;

// False unless the first 16 bytes name a version, form and float size this parser reads.
bool ReadXFileHeader(const uint8_t* data, size_t size, XFileHeader* header);

// The body of a compressed file (the bytes after the header) inflated into the body of the
// plain form. False for any block that is truncated, lacks its signature, fails to inflate or
// inflates to other than its stated size, and for a total that does not match the blocks.
bool InflateXFileBody(const uint8_t* data, size_t size, std::vector<uint8_t>* body);

// Reads tokens from a plain (text or binary) body. In the binary form every element of an
// integer or float list comes out as its own token, as the text form has them.
struct XTokenReader {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    bool binary = false;
    int floatBits = 32;
    // The binary list being read out.
    XTokenKind listKind = XTokenKind::End;
    uint32_t listLeft = 0;
    bool peeked = false;
    XToken next;

    const XToken& Peek();
    XToken Next();
};

void InitXTokenReader(XTokenReader* reader, const uint8_t* data, size_t size, bool binary,
                      int floatBits);
