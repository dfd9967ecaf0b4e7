// Fuzzes the save reader: any bytes are read or refused; what is read holds only values the game
// can use, and writing it back gives the bytes it came from, but for the counts of empty bag
// slots, which read as 0.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "field/character_tables.h"
#include "menu/save_file.h"
#include "render/textures_and_meshes.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool IsItemOrNone(int32_t id) {
    return id == ITEM_NONE || (id >= 0 && id < ITEM_COUNT);
}

void CheckRecord(const CharacterRecord& r) {
    Check(r.modelIndex >= 0 && r.modelIndex < MESH_COUNT);
    Check(r.characterClass >= 0 && r.characterClass <= CLASS_HYBRID);
    Check(r.characterId >= 0 && r.characterId < CHARACTER_TEMPLATE_COUNT);
    Check(IsItemOrNone(r.weaponItemId) && IsItemOrNone(r.armorItemId));
}

// Whether byte i of a save of n members is the count of an empty bag slot.
bool IsEmptySlotCount(const SaveData& save, size_t i) {
    const size_t bag = SaveFileBytes(save.partyCount) - INVENTORY_SLOT_COUNT * 8;
    if (i < bag || (i - bag) % 8 < 4) {
        return false;
    }
    return save.inventory[(i - bag) / 8].itemId == ITEM_NONE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SaveData save;
    const char* why = nullptr;
    if (!DecodeSave(data, size, &save, &why)) {
        Check(why != nullptr);
        return 0;
    }
    Check(save.partyCount >= 0 && save.partyCount <= PARTY_MAX);
    Check(size >= SaveFileBytes(save.partyCount));
    Check(save.map < 24 && save.money <= static_cast<uint32_t>(MONEY_MAX));
    for (int32_t i = 0; i < save.partyCount; ++i) {
        CheckRecord(save.roster[i]);
        CheckRecord(save.stored[i]);
    }
    for (const SavePosition& p : save.positions) {
        Check(std::isfinite(p.x) && std::isfinite(p.z) && std::fabs(p.facing) <= 3600.0f);
    }
    for (const InventorySlot& slot : save.inventory) {
        Check(slot.itemId == ITEM_NONE
                  ? slot.count == 0
                  : IsItemOrNone(slot.itemId) && slot.count >= 0 && slot.count <= STACK_MAX);
    }
    const std::vector<uint8_t> again = EncodeSave(save);
    Check(again.size() == SaveFileBytes(save.partyCount));
    for (size_t i = 0; i < again.size(); ++i) {
        Check(again[i] == data[i] || (IsEmptySlotCount(save, i) && again[i] == 0));
    }
    SaveData twice;
    Check(DecodeSave(again.data(), again.size(), &twice, &why));
    Check(EncodeSave(twice) == again);
    // Any map the pack could hold: the bounds check answers without reaching anywhere.
    (void)SavePositionsOnMap(save, 1 + data[0] % 200, 1 + data[size - 1] % 200);
    return 0;
}
