// Event pack, block extraction, readers and the placement script.
#include "event/event_pack.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/byte_io.h"
#include "engine/memory.h"
#include "engine/regular_file.h"
#include "field/game_state.h"
#include "field/map_data.h"
#include "field/map_objects.h"
#include "platform/system.h"

uint32_t eventFlags[EVENT_FLAG_COUNT];
char* eventBlocks = nullptr;
uint8_t eventTextBuffer[EVENT_TEXT_MAX];
bool eventPackFailureShown = false;

namespace {

constexpr uint32_t PACK_MAP_COUNT = 24;
constexpr uint32_t EXTRACT_INPUT_LIMIT = EVENT_TEXT_MAX - 1;  // index 23,999 is never used
constexpr const char* TEXT_TOO_LONG = "イベントファイルデータが一時保存領域を超えました";
constexpr const char* BLOCK_TOO_LONG = "一塊のイベントデータが過大です";

// A byte of a block; positions at or past its end read as zero.
uint8_t BlockByte(const char* text, uint32_t at) {
    return at < EVENT_BLOCK_SIZE ? static_cast<uint8_t>(text[at]) : 0;
}

void Advance(uint32_t* cursor) {
    if (*cursor < EVENT_BLOCK_SIZE) {
        *cursor += 1;
    }
}

bool ReadExactly(std::FILE* file, void* into, size_t bytes) {
    return std::fread(into, 1, bytes, file) == bytes;
}

}  // namespace

void ClearEventFlags() {
    for (uint32_t& flag : eventFlags) {
        flag = 0;
    }
}

bool IsEventFlagSet(uint32_t flag) {
    return flag < EVENT_FLAG_COUNT && eventFlags[flag] != 0;
}

void SetEventFlag(uint32_t flag) {
    if (flag < EVENT_FLAG_COUNT) {
        eventFlags[flag] = 1;
    }
}

int ExtractEventBlock(char* block, const uint8_t* raw, uint32_t* cursor) {
    size_t stored = 0;
    for (;;) {
        // Past the input's last usable byte nothing is read: the block fails there.
        if (*cursor >= EXTRACT_INPUT_LIMIT) {
            return 0;
        }
        uint8_t byte = raw[*cursor];
        *cursor += 1;
        if (stored >= EVENT_BLOCK_SIZE || *cursor > EXTRACT_INPUT_LIMIT) {
            return 0;
        }
        byte = static_cast<uint8_t>(~byte);
        if (byte == '/') {
            // A comment runs to the end of its line, the line feed included.
            while (*cursor <= EXTRACT_INPUT_LIMIT - 1) {
                uint8_t skipped = static_cast<uint8_t>(~raw[*cursor]);
                *cursor += 1;
                if (skipped == '\n') {
                    break;
                }
            }
            continue;
        }
        if (byte == '@') {
            return 1;
        }
        if (byte == '\n' || byte == '\r' || byte == ' ') {
            continue;
        }
        block[stored] = static_cast<char>(byte);
        stored += 1;
    }
}

int LoadMapEvents(const char* fileName) {
    eventPackFailureShown = false;
    std::memset(eventTextBuffer, 0, sizeof eventTextBuffer);
    if (currentMap < 0 || currentMap >= static_cast<int32_t>(PACK_MAP_COUNT)) {
        std::fprintf(stderr, "%s: map %d: no such map in the pack\n", fileName, currentMap);
        return 0;
    }
    std::string whyNot;
    std::FILE* file = OpenRegularFile(fileName, &whyNot);
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open: %s\n", fileName, whyNot.c_str());
        return 0;
    }
    uint8_t table[PACK_MAP_COUNT * 4];
    uint8_t lengthBytes[4];
    bool ok =
        ReadExactly(file, table, sizeof table) &&
        std::fseek(file, static_cast<long>(ReadLE32(table + currentMap * 4)), SEEK_CUR) == 0 &&
        ReadExactly(file, lengthBytes, sizeof lengthBytes);
    if (!ok) {
        std::fprintf(stderr, "%s: map %d: the file ends before the map's record\n", fileName,
                     currentMap);
        std::fclose(file);
        return 0;
    }
    uint32_t length = ReadLE32(lengthBytes);
    if (length > EVENT_TEXT_MAX) {
        std::fprintf(stderr, "%s: map %d: a text of %u bytes is over the %zu the game holds\n",
                     fileName, currentMap, length, EVENT_TEXT_MAX);
        PlatformShowMessage("", TEXT_TOO_LONG);
        eventPackFailureShown = true;
        std::fclose(file);
        return 0;
    }
    // A text cut short is a damaged pack, not a map with fewer events: it fails as a missing
    // file does, rather than running whatever the zero-filled rest decodes to.
    const size_t got = std::fread(eventTextBuffer, 1, length, file);
    std::fclose(file);
    if (got != length) {
        std::fprintf(stderr, "%s: map %d: the text is cut short (%zu of %u bytes)\n", fileName,
                     currentMap, got, length);
        return 0;
    }
    if (eventBlocks == nullptr) {
        return 0;
    }
    std::memset(eventBlocks, 0, EVENT_BLOCK_STORE_BYTES);
    uint32_t cursor = 0;
    bool overlongShown = false;
    int32_t blocks = eventBlockCount < EVENT_BLOCK_COUNT ? eventBlockCount : EVENT_BLOCK_COUNT;
    for (int32_t k = 0; k < blocks; ++k) {
        const int extracted = ExtractEventBlock(
            eventBlocks + static_cast<size_t>(k) * EVENT_BLOCK_SIZE, eventTextBuffer, &cursor);
        // Reading past the stored text means the map has more event cells than its text has
        // events: the pack does not belong to this map pack.
        if (cursor > length) {
            std::fprintf(stderr, "%s: map %d: the text holds fewer than the map's %d events\n",
                         fileName, currentMap, eventBlockCount);
            eventPackFailureShown = overlongShown;
            return 0;
        }
        if (extracted == 0) {
            std::fprintf(stderr, "%s: map %d: event %d is longer than a block holds\n", fileName,
                         currentMap, k + 1);
            // The blocks after an overlong one are misaligned and fail too; one box says it.
            if (!overlongShown) {
                PlatformShowMessage("", BLOCK_TOO_LONG);
                overlongShown = true;
            }
        }
    }
    return 1;
}

uint32_t ReadEventNumber(uint32_t* cursor, const char* text) {
    uint32_t value = 0;
    int taken = 0;
    while (taken < 6) {
        uint8_t c = BlockByte(text, *cursor);
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<uint32_t>(c - '0');
        Advance(cursor);
        taken += 1;
    }
    Advance(cursor);  // the separator (or a seventh digit)
    return value;
}

void ReadEventLabel(char* label, uint32_t* cursor, const char* text) {
    int copied = 0;
    while (*cursor < EVENT_BLOCK_SIZE) {
        uint8_t c = BlockByte(text, *cursor);
        Advance(cursor);
        if (c == ',') {
            return;
        }
        if (copied < EVENT_LABEL_BYTES) {
            label[copied] = static_cast<char>(c);
            copied += 1;
        }
    }
}

void ReadEventNumberList(uint32_t* list, uint32_t* cursor, const char* text) {
    int stored = 0;
    for (;;) {
        uint32_t code = ReadEventNumber(cursor, text);
        if (code == 0) {
            return;
        }
        if (stored == EVENT_LIST_CODES) {
            return;  // a 24th code is read and dropped
        }
        list[stored] = code;
        stored += 1;
    }
}

const char* GetEventBlock(uint32_t eventNumber) {
    if (eventBlocks == nullptr || eventNumber < 1 || eventNumber > EVENT_BLOCK_COUNT) {
        return nullptr;
    }
    return eventBlocks + static_cast<size_t>(eventNumber - 1) * EVENT_BLOCK_SIZE;
}

void RunPlacementFlagCheck(float x, float z, uint32_t eventNumber, uint32_t* cursor,
                           const char* text) {
    uint32_t flag = ReadEventNumber(cursor, text);
    if (flag >= EVENT_FLAG_COUNT || eventFlags[flag] != 0) {
        return;
    }
    RunPlacementCommand(x, z, eventNumber, cursor, text);
}

void RunPlacementCommand(float x, float z, uint32_t eventNumber, uint32_t* cursor,
                         const char* text) {
    while (BlockByte(text, *cursor) != '$') {
        if (*cursor >= EVENT_BLOCK_LAST) {
            return;
        }
        *cursor += 1;
    }
    *cursor += 1;
    uint32_t command = ReadEventNumber(cursor, text);
    switch (command) {
        case 0:
            CreateAutoRunEvent(eventNumber);
            break;
        case 1:
            CreateMapNpc(x, 0.15f, z, eventNumber, cursor, text);
            break;
        case 2:
            CreateStepTrigger(x, 0.0f, z, eventNumber);
            break;
        case 3:
            CreateExamineObject(x, 0.15f, z, eventNumber, cursor, text);
            break;
        case 99:
            RunPlacementFlagCheck(x, z, eventNumber, cursor, text);
            break;
        default:
            break;
    }
}

void RunMapPlacementScripts() {
    for (int32_t row = 0; row < mapHeight; ++row) {
        for (int32_t column = 0; column < mapWidth; ++column) {
            uint32_t n = eventLayer[row * mapWidth + column];
            if (n < 1 || static_cast<int32_t>(n) > eventBlockCount || n > EVENT_BLOCK_COUNT) {
                continue;
            }
            float x = 0.0f;
            float z = 0.0f;
            CellToWorld(column, row, &x, &z);
            uint32_t cursor = 0;
            RunPlacementCommand(x, z, n, &cursor, GetEventBlock(n));
        }
    }
}
