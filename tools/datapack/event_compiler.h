// The event scripts of the demo sources are written as the game stores them, except that a
// message line may be written as quoted text: "..." becomes the glyph codes of its characters,
// each followed by a comma, and a closing 0 (the glyph list's end).
#pragma once

#include <string>

// The compiled text; throws std::runtime_error naming `where` for a character the glyph table
// lacks or an unterminated quote.
std::string CompileEventText(const std::string& source, const std::string& where);
