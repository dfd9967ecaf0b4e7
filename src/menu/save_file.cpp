// Save files: the layout, writing through a temporary file, checked loading, the slot scan.
#include "menu/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "engine/byte_io.h"
#include "engine/memory.h"
#include "engine/regular_file.h"
#include "engine/sound.h"
#include "engine/task_pool.h"
#include "field/character_tables.h"
#include "field/game_start.h"
#include "field/map_data.h"
#include "field/map_view.h"
#include "field/party.h"
#include "render/camera.h"
#include "render/textures_and_meshes.h"

namespace {

constexpr size_t SAVE_HEAD_BYTES = 20;
constexpr size_t SAVE_SUMMARY_BYTES = 12;
constexpr float FIELD_CAMERA_ANGLE = 270.0f;

// Whatever stands at the temporary name is a leftover of ours: it is removed, and the new file
// made afresh, so a pipe or a link left there can neither block the write nor take the bytes.
int OpenTemporary(const char* path) {
    ::unlink(path);
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// Field by field, each pointer moved past what it wrote or read.

void PutU32(uint8_t** p, uint32_t value) {
    WriteLE32(*p, value);
    *p += 4;
}

void PutI32(uint8_t** p, int32_t value) {
    PutU32(p, static_cast<uint32_t>(value));
}

void PutF32(uint8_t** p, float value) {
    WriteLEFloat(*p, value);
    *p += 4;
}

void PutRect(uint8_t** p, const AtlasRect& rect) {
    PutF32(p, rect.left);
    PutF32(p, rect.top);
    PutF32(p, rect.right);
    PutF32(p, rect.bottom);
}

void PutRecord(uint8_t** p, const CharacterRecord& r) {
    for (int32_t v : {r.characterId, r.level, r.modelIndex, r.side, r.characterClass}) {
        PutI32(p, v);
    }
    PutU32(p, r.statusBits);
    for (int32_t v : {r.hp, r.hpMax, r.mp, r.mpMax}) {
        PutI32(p, v);
    }
    for (float v : {r.attack, r.defence, r.magicAttack, r.magicDefence, r.move, r.stat6, r.accuracy,
                    r.magicSkill, r.stat9}) {
        PutF32(p, v);
    }
    PutI32(p, r.weaponItemId);
    PutI32(p, r.armorItemId);
    PutRect(p, r.portraitRect);
    PutRect(p, r.nameRect);
    PutRect(p, r.faceRect);
    for (uint32_t glyph : r.nameGlyphs) {
        PutU32(p, glyph);
    }
    std::memcpy(*p, r.nameText, sizeof r.nameText);
    *p += sizeof r.nameText;
    for (int32_t v : {r.goldReward, r.exp, r.aiType}) {
        PutI32(p, v);
    }
}

uint32_t TakeU32(const uint8_t** p) {
    const uint32_t value = ReadLE32(*p);
    *p += 4;
    return value;
}

int32_t TakeI32(const uint8_t** p) {
    return static_cast<int32_t>(TakeU32(p));
}

float TakeF32(const uint8_t** p) {
    const float value = ReadLEFloat(*p);
    *p += 4;
    return value;
}

AtlasRect TakeRect(const uint8_t** p) {
    AtlasRect rect;
    rect.left = TakeF32(p);
    rect.top = TakeF32(p);
    rect.right = TakeF32(p);
    rect.bottom = TakeF32(p);
    return rect;
}

CharacterRecord TakeRecord(const uint8_t** p) {
    CharacterRecord r{};
    for (int32_t* v : {&r.characterId, &r.level, &r.modelIndex, &r.side, &r.characterClass}) {
        *v = TakeI32(p);
    }
    r.statusBits = TakeU32(p);
    for (int32_t* v : {&r.hp, &r.hpMax, &r.mp, &r.mpMax}) {
        *v = TakeI32(p);
    }
    for (float* v : {&r.attack, &r.defence, &r.magicAttack, &r.magicDefence, &r.move, &r.stat6,
                     &r.accuracy, &r.magicSkill, &r.stat9}) {
        *v = TakeF32(p);
    }
    r.weaponItemId = TakeI32(p);
    r.armorItemId = TakeI32(p);
    r.portraitRect = TakeRect(p);
    r.nameRect = TakeRect(p);
    r.faceRect = TakeRect(p);
    for (uint32_t& glyph : r.nameGlyphs) {
        glyph = TakeU32(p);
    }
    std::memcpy(r.nameText, *p, sizeof r.nameText);
    *p += sizeof r.nameText;
    for (int32_t* v : {&r.goldReward, &r.exp, &r.aiType}) {
        *v = TakeI32(p);
    }
    return r;
}

bool IsItemOrNone(int32_t id) {
    return id == ITEM_NONE || (id >= 0 && id < ITEM_COUNT);
}

// What no screen may be handed: a model, class, character or item outside its table. A
// zero-filled record (the gap storing a member leaves) passes.
const char* CheckRecord(const CharacterRecord& r) {
    if (r.modelIndex < 0 || r.modelIndex >= MESH_COUNT) {
        return "a member's model is not in the mesh table";
    }
    if (r.characterClass < 0 || r.characterClass > CLASS_HYBRID) {
        return "a member's class is not a party class";
    }
    if (r.characterId < 0 || r.characterId >= CHARACTER_TEMPLATE_COUNT) {
        return "a member is no character of the party";
    }
    if (!IsItemOrNone(r.weaponItemId) || !IsItemOrNone(r.armorItemId)) {
        return "a member's equipment is not in the item table";
    }
    return nullptr;
}

const char* CheckPosition(const SavePosition& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.z) || !std::isfinite(p.facing)) {
        return "a member's position is not a number";
    }
    if (p.facing < -SAVE_FACING_LIMIT || p.facing > SAVE_FACING_LIMIT) {
        return "a member's facing is out of range";
    }
    return nullptr;
}

void ReportSave(const char* name, const char* what, const char* why) {
    std::fprintf(stderr, "%s: %s: %s\n", name, what, why);
}

// Why the old save may not be replaced, or null when it may: it is missing, or a regular file
// whose permissions let it be written. A rename would replace even a read-only file; the player
// made it read-only to keep it. Whatever else stands there is not ours to replace.
const char* OldSaveNotReplaceable(const char* name) {
    struct stat st {};
    if (::stat(name, &st) != 0) {
        return errno == ENOENT ? nullptr : "the old save cannot be looked at";
    }
    if (!S_ISREG(st.st_mode)) {
        return "the old save is not a regular file";
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(name, W_OK) != 0) {
        return "the old save may not be replaced";
    }
    return nullptr;
}

// Writes every byte to the temporary file, which is removed again on any failure.
bool WriteThroughTemporary(const char* name, const std::vector<uint8_t>& bytes) {
    char temporary[32];
    std::snprintf(temporary, sizeof temporary, "%s.tmp", name);
    const int fd = saveFileOps.open(temporary);
    if (fd < 0) {
        ReportSave(name, "cannot create the new save", std::strerror(errno));
        return false;
    }
    const char* failed = nullptr;
    size_t done = 0;
    while (failed == nullptr && done < bytes.size()) {
        const ssize_t n = saveFileOps.write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            failed = "cannot write the new save";
        }
    }
    if (failed == nullptr && saveFileOps.flush(fd) != 0) {
        failed = "cannot flush the new save";
    }
    // Closed once, whatever happened: the descriptor is gone after close even when it fails.
    if (saveFileOps.close(fd) != 0 && failed == nullptr) {
        failed = "cannot close the new save";
    }
    if (failed == nullptr && saveFileOps.rename(temporary, name) != 0) {
        failed = "cannot replace the old save";
    }
    if (failed != nullptr) {
        ReportSave(name, failed, errno != 0 ? std::strerror(errno) : "short write");
        ::unlink(temporary);
        return false;
    }
    return true;
}

// Up to the longest layout; what lies past it is never read.
bool ReadSaveBytes(const char* name, std::vector<uint8_t>* bytes, std::string* why) {
    std::FILE* file = OpenRegularFile(name, why);
    if (file == nullptr) {
        return false;
    }
    bytes->resize(SAVE_BYTES_MAX);
    const size_t got = std::fread(bytes->data(), 1, bytes->size(), file);
    const bool ok = std::ferror(file) == 0;
    if (!ok) {
        *why = "the file cannot be read";
    }
    std::fclose(file);
    bytes->resize(got);
    return ok;
}

// Replaces every task and the game state with the save's. Failed once the old game is gone.
SaveLoadResult CommitSave(const SaveData& save) {
    KillAllTasks();
    ClearTaskPool();
    ZeroMemoryBlock(partyRoster, sizeof partyRoster);
    ZeroMemoryBlock(storedMembers, sizeof storedMembers);
    scenario = static_cast<int32_t>(save.scenario);
    currentMap = static_cast<int32_t>(save.map);
    money = static_cast<int32_t>(std::min<uint32_t>(save.money, MONEY_MAX));
    partyCount = save.partyCount;
    std::copy(save.roster, save.roster + save.partyCount, partyRoster);
    std::copy(save.stored, save.stored + save.partyCount, storedMembers);
    std::copy(std::begin(save.flags), std::end(save.flags), eventFlags);
    std::copy(std::begin(save.inventory), std::end(save.inventory), inventory);
    encounterStepsLeft = DEFAULT_ENCOUNTER_INTERVAL;

    bool made = true;
    PartyMemberPayload* ahead = nullptr;
    for (int i = 0; i < PARTY_MAX && made; ++i) {
        const SavePosition& p = save.positions[i];
        ahead = CreatePartyMemberTask(p.x, FIELD_ACTOR_HEIGHT, p.z, p.facing, i, false,
                                      PARTY_TAG_FIRST + static_cast<uint32_t>(i), ahead);
        made = ahead != nullptr;
    }
    made = made && CreateMapView() &&
           CreateFieldCamera(save.positions[0].x, FIELD_ACTOR_HEIGHT, save.positions[0].z,
                             FIELD_CAMERA_ANGLE, SAVE_LOAD_CAMERA_HEIGHT, PARTY_TAG_FIRST,
                             CameraModeFollow) != 0 &&
           LoadMap(currentMap);
    if (!made) {
        ShowNoDataFile();
        return SaveLoadResult::Failed;
    }
    PlayMusic(MUSIC_FIELD);
    return SaveLoadResult::Loaded;
}

}  // namespace

const SaveFileOps SYSTEM_SAVE_FILE_OPS = {OpenTemporary, ::write, ::fsync, ::close, std::rename};
SaveFileOps saveFileOps = SYSTEM_SAVE_FILE_OPS;

std::vector<uint8_t> EncodeSave(const SaveData& save) {
    const int32_t n = std::clamp(save.partyCount, 0, static_cast<int32_t>(PARTY_MAX));
    std::vector<uint8_t> bytes(SaveFileBytes(n));
    uint8_t* p = bytes.data();
    for (uint32_t v : {save.scenario, save.map, save.summary, save.money}) {
        PutU32(&p, v);
    }
    PutI32(&p, n);
    for (const CharacterRecord* records : {save.roster, save.stored}) {
        for (int32_t i = 0; i < n; ++i) {
            PutRecord(&p, records[i]);
        }
    }
    for (const SavePosition& position : save.positions) {
        for (float v : {position.x, position.y, position.z, position.facing}) {
            PutF32(&p, v);
        }
    }
    PutF32(&p, save.cameraEyeY);
    for (uint32_t flag : save.flags) {
        PutU32(&p, flag);
    }
    for (const InventorySlot& slot : save.inventory) {
        PutI32(&p, slot.itemId);
        PutI32(&p, slot.count);
    }
    return bytes;
}

bool DecodeSave(const uint8_t* bytes, size_t size, SaveData* out, const char** why) {
    *out = SaveData{};
    if (size < SAVE_HEAD_BYTES) {
        *why = "shorter than its head";
        return false;
    }
    const uint8_t* p = bytes;
    out->scenario = TakeU32(&p);
    out->map = TakeU32(&p);
    out->summary = TakeU32(&p);
    out->money = TakeU32(&p);
    out->partyCount = TakeI32(&p);
    if (out->partyCount < 0 || out->partyCount > PARTY_MAX) {
        *why = "its party count is outside 0..4";
        return false;
    }
    if (size < SaveFileBytes(out->partyCount)) {
        *why = "shorter than its party count needs";
        return false;
    }
    if (out->map >= static_cast<uint32_t>(MAP_COUNT)) {
        *why = "its map is outside 0..23";
        return false;
    }
    if (out->money > static_cast<uint32_t>(MONEY_MAX)) {
        *why = "its money is above 9,999,999";
        return false;
    }
    for (CharacterRecord* records : {out->roster, out->stored}) {
        for (int32_t i = 0; i < out->partyCount; ++i) {
            records[i] = TakeRecord(&p);
            if ((*why = CheckRecord(records[i])) != nullptr) {
                return false;
            }
        }
    }
    for (SavePosition& position : out->positions) {
        position.x = TakeF32(&p);
        position.y = TakeF32(&p);
        position.z = TakeF32(&p);
        position.facing = TakeF32(&p);
        if ((*why = CheckPosition(position)) != nullptr) {
            return false;
        }
    }
    out->cameraEyeY = TakeF32(&p);
    for (uint32_t& flag : out->flags) {
        flag = TakeU32(&p);
    }
    for (InventorySlot& slot : out->inventory) {
        slot.itemId = TakeI32(&p);
        slot.count = TakeI32(&p);
        // The game empties a slot whose last item is used or sold, so a held item counts 1 at
        // least: an entry of none could be used once all the same.
        if (slot.itemId == ITEM_NONE) {
            slot.count = 0;
        } else if (slot.itemId < 0 || slot.itemId >= ITEM_COUNT || slot.count < 1 ||
                   slot.count > STACK_MAX) {
            *why = "its inventory holds an unknown item or a count outside 1..99";
            return false;
        }
    }
    return true;
}

bool SavePositionsOnMap(const SaveData& save, int32_t width, int32_t height) {
    // Cell centres lie at odd coordinates: the map spans -width..width across and
    // -height..height along, columns truncated from x + width, rows from height - z.
    for (const SavePosition& p : save.positions) {
        const float across = p.x + static_cast<float>(width);
        const float along = static_cast<float>(height) - p.z;
        if (!(across >= 0.0f && across < 2.0f * width && along >= 0.0f && along < 2.0f * height)) {
            return false;
        }
    }
    return true;
}

SaveData CaptureSave() {
    SaveData save{};
    save.scenario = static_cast<uint32_t>(scenario);
    save.map = static_cast<uint32_t>(currentMap);
    save.money = static_cast<uint32_t>(money);
    save.partyCount = partyCount;
    const int32_t n = std::clamp(partyCount, 0, static_cast<int32_t>(PARTY_MAX));
    std::copy(partyRoster, partyRoster + n, save.roster);
    std::copy(storedMembers, storedMembers + n, save.stored);
    for (int32_t i = 0; i < n; ++i) {
        if (partyRoster[i].characterId == 0) {
            save.summary = static_cast<uint32_t>(partyRoster[i].level);
            break;
        }
    }
    for (int i = 0; i < PARTY_MAX; ++i) {
        if (const PartyMemberPayload* member = PartyMemberAt(TASK_SLOT_PARTY_FIRST + i)) {
            const Vec3& at = member->actor.head.position;
            save.positions[i] = {at.x, at.y, at.z, member->actor.facing};
        }
    }
    save.cameraEyeY = SAVE_LOAD_CAMERA_HEIGHT;
    const TaskSlot* camera = TaskAt(TASK_SLOT_CAMERA);
    if (camera != nullptr && camera->inUse != 0 && camera->kind == TASK_KIND_CAMERA) {
        save.cameraEyeY = TaskPayload<CameraPayload>(camera)->eyeY;
    }
    std::copy(eventFlags, eventFlags + EVENT_FLAG_COUNT, save.flags);
    std::copy(inventory, inventory + INVENTORY_SLOT_COUNT, save.inventory);
    return save;
}

void SaveFileName(int slot, char* out, size_t size) {
    std::snprintf(out, size, "save%d.dat", slot);
}

bool WriteSaveFile(int slot) {
    if (slot < 0 || slot >= SAVE_SLOT_COUNT) {
        return false;
    }
    char name[16];
    SaveFileName(slot, name, sizeof name);
    if (partyCount < 0 || partyCount > PARTY_MAX) {
        ReportSave(name, "cannot save", "the party has more members than a save holds");
        return false;
    }
    // Whatever is written must load again.
    const SaveData save = CaptureSave();
    const std::vector<uint8_t> bytes = EncodeSave(save);
    SaveData check;
    const char* why = nullptr;
    if (!DecodeSave(bytes.data(), bytes.size(), &check, &why)) {
        ReportSave(name, "cannot save", why);
        return false;
    }
    if (!SavePositionsOnMap(save, mapWidth, mapHeight)) {
        ReportSave(name, "cannot save", "a member stands off the map");
        return false;
    }
    if (const char* notReplaceable = OldSaveNotReplaceable(name)) {
        ReportSave(name, "cannot save", notReplaceable);
        return false;
    }
    errno = 0;
    return WriteThroughTemporary(name, bytes);
}

SaveLoadResult LoadSaveFile(int slot) {
    if (slot < 0 || slot >= SAVE_SLOT_COUNT) {
        return SaveLoadResult::Refused;
    }
    char name[16];
    SaveFileName(slot, name, sizeof name);
    std::vector<uint8_t> bytes;
    std::string unread;
    if (!ReadSaveBytes(name, &bytes, &unread)) {
        ReportSave(name, "cannot load", unread.c_str());
        return SaveLoadResult::Refused;
    }
    SaveData save;
    const char* why = nullptr;
    if (!DecodeSave(bytes.data(), bytes.size(), &save, &why)) {
        ReportSave(name, "cannot load", why);
        return SaveLoadResult::Refused;
    }
    int32_t width = 0;
    int32_t height = 0;
    if (!ReadMapPackSize("mappack.dat", static_cast<int32_t>(save.map), &width, &height)) {
        ReportSave(name, "cannot load", "its map cannot be read");
        return SaveLoadResult::Refused;
    }
    if (!SavePositionsOnMap(save, width, height)) {
        ReportSave(name, "cannot load", "a member stands off its map");
        return SaveLoadResult::Refused;
    }
    return CommitSave(save);
}

void ScanSaveSlots(SaveSlotSummary (&slots)[SAVE_SLOT_COUNT]) {
    for (int i = 0; i < SAVE_SLOT_COUNT; ++i) {
        SaveSlotSummary& slot = slots[i];
        slot = SaveSlotSummary{};
        char name[16];
        SaveFileName(i, name, sizeof name);
        std::string why;
        std::FILE* file = OpenRegularFile(name, &why);
        if (file == nullptr) {
            // A missing file is an empty slot; anything else that keeps a slot empty is said.
            if (errno != ENOENT) {
                ReportSave(name, "shown as empty", why.c_str());
            }
            continue;
        }
        slot.exists = 1;
        uint8_t head[SAVE_SUMMARY_BYTES];
        if (std::fread(head, 1, sizeof head, file) == sizeof head) {
            slot.scenario = ReadLE32(head);
            slot.map = ReadLE32(head + 4);
            slot.summary = ReadLE32(head + 8);
        }
        struct stat st {};
        struct tm local {};
        const time_t written = ::fstat(::fileno(file), &st) == 0 ? st.st_mtime : 0;
        if (::localtime_r(&written, &local) != nullptr) {
            slot.lastWrite = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min};
        }
        std::fclose(file);
    }
}

bool SaveSlotExists(int slot) {
    if (slot < 0 || slot >= SAVE_SLOT_COUNT) {
        return false;
    }
    char name[16];
    SaveFileName(slot, name, sizeof name);
    std::string why;
    std::FILE* file = OpenRegularFile(name, &why);
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

bool IsSaveForbidden() {
    const PartyMemberPayload* leader = Leader();
    if (leader == nullptr) {
        return true;
    }
    const Vec3& at = leader->actor.head.position;
    return static_cast<int8_t>(GetEventAt(at.x, at.z)) > 0;
}
