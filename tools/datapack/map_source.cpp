// The map source compiler.
#include "datapack/map_source.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>

#include "datapack/demo_data.h"
#include "datapack/event_compiler.h"
#include "datapack/event_pack_writer.h"
#include "datapack/pack_table.h"
#include "datapack/recipe_text.h"
#include "event/event_pack.h"
#include "field/game_state.h"
#include "field/map_data.h"

namespace {

constexpr int EVENT_NUMBER_MAX = EVENT_BLOCK_COUNT;
// The game keeps at most 21,999 bytes of a block and reads no input byte past 23,998.
constexpr size_t BLOCK_KEPT_MAX = EVENT_BLOCK_SIZE - 1;
constexpr size_t LAST_INPUT_INDEX = EVENT_TEXT_MAX - 2;

struct SourceLine {
    int number;  // 1-based
    std::string text;
};

class SourceError {
  public:
    explicit SourceError(std::string fileName) : fileName_(std::move(fileName)) {}
    [[noreturn]] void At(int line, const std::string& message) const {
        throw std::runtime_error(fileName_ + ":" + std::to_string(line) + ": " + message);
    }

  private:
    std::string fileName_;
};

std::vector<SourceLine> SplitLines(const std::string& text) {
    std::vector<SourceLine> lines;
    size_t start = 0;
    int number = 1;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back({number, line});
        number += 1;
        start = end + 1;
    }
    return lines;
}

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool IsSkipped(const std::string& trimmed) {
    return trimmed.empty() || trimmed[0] == '#';
}

std::optional<int64_t> ParseInteger(const std::string& word) {
    int64_t value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (!word.empty() && word[0] == '+') {
        first += 1;
    }
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) {
        return std::nullopt;
    }
    return value;
}

int64_t NumberIn(const SourceError& error, int line, const std::string& word, int64_t low,
                 int64_t high, const std::string& what) {
    std::optional<int64_t> value = ParseInteger(word);
    if (!value) {
        error.At(line, what + " \"" + word + "\" is not a whole number");
    }
    if (*value < low || *value > high) {
        error.At(line, what + " " + word + " is outside " + std::to_string(low) + ".." +
                           std::to_string(high));
    }
    return *value;
}

// Walls (15..44) and blocked tiles (46 and up) stop every actor; liquid (45) does not stop a
// party with the boat. The rule is the game's tile-to-collision table, kept here so the
// builder links without the game's platform layer.
bool StopsEveryActor(int8_t tile) {
    return tile >= 15 && tile != 45;
}

bool IsEventValue(int64_t v) {
    return v == 0 || (v >= 1 && v <= EVENT_NUMBER_MAX) || (v >= MOVER_TURN_90 && v <= MOVER_STOP);
}

bool IsKeyword(const std::string& word) {
    for (const char* keyword :
         {"map", "name", "size", "encounter", "tile", "tiles", "events", "script"}) {
        if (word == keyword) {
            return true;
        }
    }
    return false;
}

// The next `count` rows after `at` that are not blank or comments; `at` moves past them.
std::vector<SourceLine> TakeRows(const std::vector<SourceLine>& lines, size_t* at, int count,
                                 const SourceError& error, int keywordLine,
                                 const std::string& what) {
    std::vector<SourceLine> rows;
    while (static_cast<int>(rows.size()) < count) {
        if (*at >= lines.size()) {
            error.At(keywordLine, what + " has " + std::to_string(rows.size()) +
                                      " rows; the map is " + std::to_string(count) + " high");
        }
        const SourceLine& line = lines[*at];
        *at += 1;
        std::string trimmed = Trim(line.text);
        if (IsSkipped(trimmed)) {
            continue;
        }
        if (IsKeyword(SplitWords(trimmed)[0])) {
            error.At(keywordLine, what + " has " + std::to_string(rows.size()) +
                                      " rows; the map is " + std::to_string(count) + " high");
        }
        rows.push_back({line.number, trimmed});
    }
    return rows;
}

// Cuts the compiled text the way the game extracts it and checks it holds exactly `expected`
// blocks, each short enough to be kept whole.
void CheckEventBlocks(const std::string& compiled, int firstLine, int expected, int keywordLine,
                      const SourceError& error) {
    if (compiled.size() > EVENT_TEXT_MAX) {
        error.At(keywordLine, "the event text is " + std::to_string(compiled.size()) +
                                  " bytes; the game reads at most " +
                                  std::to_string(EVENT_TEXT_MAX));
    }
    int blocks = 0;
    size_t kept = 0;
    bool open = false;
    int line = firstLine;
    int blockLine = firstLine;
    for (size_t i = 0; i < compiled.size(); ++i) {
        const char c = compiled[i];
        if (c == '/') {
            while (i + 1 < compiled.size() && compiled[i + 1] != '\n') {
                i += 1;
            }
            continue;  // the line feed itself is counted below
        }
        if (c == '\n') {
            line += 1;
            continue;
        }
        if (c == '\r' || c == ' ') {
            continue;
        }
        // The game keeps every other byte in the block, where it would end a number early.
        if (c == '\t') {
            error.At(line, "a tab stays in the command the game reads; indent with spaces");
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            error.At(line, "text outside quotes and comments must be ASCII");
        }
        if (!open) {
            open = true;
            blockLine = line;
        }
        if (c == '@') {
            blocks += 1;
            if (i > LAST_INPUT_INDEX) {
                error.At(line, "block " + std::to_string(blocks) +
                                   " ends past the last byte the game reads");
            }
            if (kept > BLOCK_KEPT_MAX) {
                error.At(blockLine, "block " + std::to_string(blocks) + " keeps " +
                                        std::to_string(kept) + " bytes; the game keeps " +
                                        std::to_string(BLOCK_KEPT_MAX));
            }
            kept = 0;
            open = false;
            continue;
        }
        kept += 1;
    }
    if (open) {
        error.At(blockLine, "text after the last block: every block ends with '@'");
    }
    if (blocks != expected) {
        error.At(keywordLine, "the event grid numbers " + std::to_string(expected) +
                                  " events but the script has " + std::to_string(blocks) +
                                  " blocks");
    }
}

MapRecord StubRoom() {
    MapRecord room;
    room.width = 3;
    room.height = 3;
    room.encounterGroup = 0;
    room.encounterInterval = DEFAULT_ENCOUNTER_INTERVAL;
    room.tiles.assign(9, 15);
    room.tiles[4] = 0;
    room.events.assign(9, 0);
    return room;
}

}  // namespace

MapSource ParseMapSource(const std::string& text, const std::string& fileName) {
    const SourceError error(fileName);
    const std::vector<SourceLine> lines = SplitLines(text);
    MapSource map;
    std::map<std::string, int> seen;  // keyword -> its line
    std::map<char, int8_t> legend;
    std::vector<SourceLine> tileRows;
    std::vector<SourceLine> eventRows;
    int eventsLine = 0;
    int scriptLine = 0;
    int64_t width = 0;
    int64_t height = 0;
    std::string script;

    size_t at = 0;
    while (at < lines.size()) {
        const SourceLine& line = lines[at];
        at += 1;
        const std::string trimmed = Trim(line.text);
        if (IsSkipped(trimmed)) {
            continue;
        }
        const std::vector<std::string> words = SplitWords(trimmed);
        const std::string& keyword = words[0];
        if (keyword != "tile") {
            if (seen.count(keyword) != 0) {
                error.At(line.number, "\"" + keyword + "\" given a second time (first on line " +
                                          std::to_string(seen[keyword]) + ")");
            }
            seen[keyword] = line.number;
        }
        auto expectWords = [&](size_t count) {
            if (words.size() != count) {
                error.At(line.number,
                         "\"" + keyword + "\" takes " + std::to_string(count - 1) + " values");
            }
        };
        if (keyword == "map") {
            expectWords(2);
            map.number = static_cast<int>(
                NumberIn(error, line.number, words[1], 0, MAP_COUNT - 1, "map number"));
        } else if (keyword == "name") {
            map.name = Trim(trimmed.substr(4));
            if (map.name.empty()) {
                error.At(line.number, "the name is empty");
            }
        } else if (keyword == "size") {
            expectWords(3);
            width = NumberIn(error, line.number, words[1], 1, MAP_LAYER_BYTES, "width");
            height = NumberIn(error, line.number, words[2], 1, MAP_LAYER_BYTES, "height");
            if (width * height > static_cast<int64_t>(MAP_LAYER_BYTES)) {
                error.At(line.number, "a map has at most 40000 cells");
            }
        } else if (keyword == "encounter") {
            expectWords(3);
            map.record.encounterGroup =
                static_cast<uint32_t>(NumberIn(error, line.number, words[1], 0, 4, "group"));
            map.record.encounterInterval = static_cast<uint32_t>(NumberIn(
                error, line.number, words[2], 0, std::numeric_limits<int32_t>::max(), "interval"));
        } else if (keyword == "tile") {
            expectWords(3);
            if (words[1].size() != 1 || words[1] == "#") {
                error.At(line.number,
                         "a tile symbol is one character other than #: \"" + words[1] + "\"");
            }
            const char symbol = words[1][0];
            if (legend.count(symbol) != 0) {
                error.At(line.number, std::string("tile symbol ") + symbol + " given twice");
            }
            legend[symbol] =
                static_cast<int8_t>(NumberIn(error, line.number, words[2], -128, 127, "tile"));
        } else if (keyword == "tiles" || keyword == "events") {
            expectWords(1);
            if (width == 0) {
                error.At(line.number, "\"size\" must come before the grids");
            }
            std::vector<SourceLine> rows =
                TakeRows(lines, &at, static_cast<int>(height), error, line.number, keyword);
            (keyword == "tiles" ? tileRows : eventRows) = rows;
            if (keyword == "events") {
                eventsLine = line.number;
            }
        } else if (keyword == "script") {
            expectWords(1);
            scriptLine = line.number;
            for (size_t k = at; k < lines.size(); ++k) {
                script += lines[k].text;
                if (k + 1 < lines.size()) {
                    script += '\n';
                }
            }
            at = lines.size();
        } else {
            error.At(line.number, "unknown keyword \"" + keyword + "\"");
        }
    }
    for (const char* required : {"map", "name", "size", "encounter", "tiles", "events", "script"}) {
        if (seen.count(required) == 0) {
            error.At(static_cast<int>(lines.size()),
                     std::string("the source has no \"") + required + "\"");
        }
    }

    map.record.width = static_cast<uint32_t>(width);
    map.record.height = static_cast<uint32_t>(height);
    const size_t cells = static_cast<size_t>(width * height);
    map.record.tiles.reserve(cells);
    for (const SourceLine& row : tileRows) {
        if (static_cast<int64_t>(row.text.size()) != width) {
            error.At(row.number, "a tile row of " + std::to_string(row.text.size()) +
                                     " symbols; the map is " + std::to_string(width) + " wide");
        }
        for (char symbol : row.text) {
            auto found = legend.find(symbol);
            if (found == legend.end()) {
                error.At(row.number,
                         std::string("tile symbol ") + symbol + " has no \"tile\" line");
            }
            map.record.tiles.push_back(found->second);
        }
    }

    std::array<int, EVENT_NUMBER_MAX + 1> eventLines{};
    map.record.events.reserve(cells);
    for (const SourceLine& row : eventRows) {
        const std::vector<std::string> words = SplitWords(row.text);
        if (static_cast<int64_t>(words.size()) != width) {
            error.At(row.number, "an event row of " + std::to_string(words.size()) +
                                     " values; the map is " + std::to_string(width) + " wide");
        }
        for (const std::string& word : words) {
            const int64_t value =
                word == "." ? 0 : NumberIn(error, row.number, word, 0, 255, "event value");
            if (!IsEventValue(value)) {
                error.At(row.number,
                         "event value " + word + " is none of 1..20 (events) and 70..74 (movers)");
            }
            if (value >= 1 && value <= EVENT_NUMBER_MAX) {
                if (eventLines[static_cast<size_t>(value)] != 0) {
                    error.At(row.number,
                             "event " + word + " stands on a second cell (first on line " +
                                 std::to_string(eventLines[static_cast<size_t>(value)]) + ")");
                }
                eventLines[static_cast<size_t>(value)] = row.number;
                map.eventCount = std::max(map.eventCount, static_cast<int>(value));
            }
            map.record.events.push_back(static_cast<uint8_t>(value));
        }
    }
    for (int n = 1; n <= map.eventCount; ++n) {
        if (eventLines[static_cast<size_t>(n)] == 0) {
            error.At(eventsLine, "events run to " + std::to_string(map.eventCount) + " but event " +
                                     std::to_string(n) + " stands on no cell");
        }
    }

    // Actors look one cell ahead without a bound of their own: the edge must stop them.
    for (int64_t row = 0; row < height; ++row) {
        for (int64_t column = 0; column < width; ++column) {
            if (row != 0 && row != height - 1 && column != 0 && column != width - 1) {
                continue;
            }
            const int8_t tile = map.record.tiles[static_cast<size_t>(row * width + column)];
            if (!StopsEveryActor(tile)) {
                error.At(tileRows[static_cast<size_t>(row)].number,
                         "the border cell at column " + std::to_string(column) + " is tile " +
                             std::to_string(tile) + ", which can be walked onto");
            }
        }
    }

    // Led by the lines before the script, the compiler's line numbers are the file's; the
    // leading line feeds it passes through are taken off again.
    const std::string padded = std::string(static_cast<size_t>(scriptLine), '\n') + script;
    map.eventText = CompileEventText(padded, fileName).substr(static_cast<size_t>(scriptLine));
    CheckEventBlocks(map.eventText, scriptLine + 1, map.eventCount, scriptLine, error);
    return map;
}

std::vector<MapSource> ReadMapSources(const std::filesystem::path& mapsDir) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(mapsDir)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<MapSource> maps;
    std::map<int, std::string> byNumber;
    for (const std::filesystem::path& file : files) {
        MapSource map = ParseMapSource(ReadTextFile(file), file.string());
        auto [it, added] = byNumber.emplace(map.number, file.string());
        if (!added) {
            throw std::runtime_error(file.string() + ": map " + std::to_string(map.number) +
                                     " is already given by " + it->second);
        }
        maps.push_back(std::move(map));
    }
    return maps;
}

MapPackFiles BuildMapPacks(const std::vector<MapSource>& maps) {
    std::vector<const MapSource*> sorted;
    for (const MapSource& map : maps) {
        sorted.push_back(&map);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const MapSource* a, const MapSource* b) { return a->number < b->number; });
    std::vector<MapRecord> records;
    std::vector<std::string> texts;
    std::vector<int> placement(PACK_MAP_COUNT, -1);
    for (const MapSource* map : sorted) {
        if (map->number < 0 || map->number >= PACK_MAP_COUNT) {
            throw std::runtime_error("map number " + std::to_string(map->number) +
                                     " is outside 0..23");
        }
        if (placement[static_cast<size_t>(map->number)] != -1) {
            throw std::runtime_error("map " + std::to_string(map->number) + " is given twice");
        }
        placement[static_cast<size_t>(map->number)] = static_cast<int>(records.size());
        records.push_back(map->record);
        texts.push_back(map->eventText);
    }
    if (std::count(placement.begin(), placement.end(), -1) > 0) {
        const int stub = static_cast<int>(records.size());
        records.push_back(StubRoom());
        texts.emplace_back();
        std::replace(placement.begin(), placement.end(), -1, stub);
    }
    return {WriteMapPack(records, placement), WriteEventPack(texts, placement)};
}

void WriteMapPackFiles(const std::vector<MapSource>& maps, const std::filesystem::path& outDir) {
    MapPackFiles packs = BuildMapPacks(maps);
    WriteBinaryFile(outDir / "mappack.dat", packs.mapPack);
    WriteBinaryFile(outDir / "epack.dat", packs.eventPack);
}
