// The save files "save0.dat" to "save4.dat" in the current directory: a flat little-endian
// layout with no header or checksum, 1128 + 432 N bytes for a party of N.
//
//   0    scenario            u32
//   4    map                 u32, 0..23
//   8    summary number      u32: level of the first of the N party records with character id
//                            0, or 0; shown in the slot list, never read back
//   12   money               u32
//   16   party count N       i32, 0..4
//   20   party records       216 bytes each, N of them
//   +    stored members      216 bytes each, N of them: places N..3 are not kept, so no save
//                            point may lie between storing a member and fetching it back
//   +    positions           4 x {f32 x, y, z, facing} of the member tasks in slots 0..3
//   +    camera eye height   f32
//   +    event flags         100 x u32
//   +    inventory           80 x {i32 item, i32 count}
//
// A save is written whole to "saveN.dat.tmp" and renamed over the old file, so a failure at any
// step leaves the old save as it was. A file is read and checked whole before the game is
// touched: one that does not fit the layout or holds values the game cannot use is refused
// with nothing changed.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "battle/inventory.h"
#include "event/event_pack.h"
#include "field/game_state.h"

constexpr int SAVE_SLOT_COUNT = 5;
constexpr size_t SAVE_RECORD_BYTES = 216;
constexpr size_t SAVE_FIXED_BYTES = 1128;
constexpr size_t SAVE_BYTES_PER_MEMBER = 2 * SAVE_RECORD_BYTES;
constexpr size_t SAVE_BYTES_MAX = SAVE_FIXED_BYTES + SAVE_BYTES_PER_MEMBER * PARTY_MAX;
// The height members stand at and the camera height a load puts back, whatever was saved.
constexpr float SAVE_LOAD_CAMERA_HEIGHT = 60.0f;
constexpr float SAVE_FACING_LIMIT = 3600.0f;

struct SavePosition {
    float x;
    float y;
    float z;
    float facing;
};

// One save file's content, as the layout orders it.
struct SaveData {
    uint32_t scenario;
    uint32_t map;
    uint32_t summary;
    uint32_t money;
    int32_t partyCount;
    CharacterRecord roster[PARTY_MAX];  // places partyCount..3 are zero
    CharacterRecord stored[PARTY_MAX];  // likewise
    SavePosition positions[PARTY_MAX];
    float cameraEyeY;
    uint32_t flags[EVENT_FLAG_COUNT];
    InventorySlot inventory[INVENTORY_SLOT_COUNT];
};

constexpr size_t SaveFileBytes(int32_t partyCount) {
    return SAVE_FIXED_BYTES + SAVE_BYTES_PER_MEMBER * static_cast<size_t>(partyCount);
}

// The bytes of a save; partyCount must lie within 0..PARTY_MAX.
std::vector<uint8_t> EncodeSave(const SaveData& save);
// Reads and checks a save's bytes (those past its layout are ignored). False with the reason,
// leaving *out unspecified, for a file the game must not load. An empty inventory slot's count
// comes back 0.
bool DecodeSave(const uint8_t* bytes, size_t size, SaveData* out, const char** why);
// Whether the four positions lie on a map of that many columns and rows.
bool SavePositionsOnMap(const SaveData& save, int32_t width, int32_t height);
// The running game as a save: the game state, and the position and facing of the member tasks
// (0 for a slot without one) and the field camera's height (60 without one).
SaveData CaptureSave();

// The slot's file name, "saveN.dat".
void SaveFileName(int slot, char* out, size_t size);

// The steps of writing a save, swapped by tests to fail one of them.
struct SaveFileOps {
    int (*open)(const char* path);  // the temporary file, created or emptied: a descriptor or -1
    ssize_t (*write)(int fd, const void* bytes, size_t count);
    int (*flush)(int fd);  // to the disk
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
extern SaveFileOps saveFileOps;
extern const SaveFileOps SYSTEM_SAVE_FILE_OPS;

// Writes the running game into the slot. False with the old save untouched when the slot is
// outside 0..4, the state is not one a load would take back, the old save is read-only, or any
// step of the write fails.
bool WriteSaveFile(int slot);

enum class SaveLoadResult {
    Refused,  // nothing was changed
    Loaded,   // every task was replaced by the loaded field
    Failed,   // the field could not be made: "no data file" was shown, then the title
};
// Loads the slot's save: the old tasks go, the game state and the field come from the file and
// the field music plays.
SaveLoadResult LoadSaveFile(int slot);

struct SaveTime {
    int32_t year;
    int32_t month;  // 1..12
    int32_t day;
    int32_t hour;
    int32_t minute;
};

// What the slot list shows of a slot: the first three words of its file and its local
// last-write time. A file too short for the words shows zeros.
struct SaveSlotSummary {
    uint32_t exists;
    uint32_t scenario;
    uint32_t map;
    uint32_t summary;
    SaveTime lastWrite;
};

void ScanSaveSlots(SaveSlotSummary (&slots)[SAVE_SLOT_COUNT]);
// Whether the slot's file can be opened for reading.
bool SaveSlotExists(int slot);
// True without a leader, or with the leader on an event or mover cell (its event byte read as
// a signed byte is above 0).
bool IsSaveForbidden();
