// Writes "epack.dat": a table of 24 offsets (one per map number, counted from byte 96, the end
// of the table), then the event texts, each a u32 length and the text with every byte stored
// inverted.
#pragma once

#include <string>
#include <vector>

#include "datapack/archive_writer.h"

// One record's bytes: the length word, then the text inverted byte by byte.
Bytes EncodeEventRecord(const std::string& text);

// Map n's text is texts[placement[n]]: maps may share one record. Texts are stored in the
// order given and are not checked: a test may store a text the game refuses. Throws
// std::invalid_argument for a placement that is not 24 indexes into texts.
Bytes WriteEventPack(const std::vector<std::string>& texts, const std::vector<int>& placement);
