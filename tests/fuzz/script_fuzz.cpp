// Fuzzes the event scripts as the game runs them: the input is one map's event text, the game
// starts a new game on that map and plays some hundreds of frames with a fixed cycle of keys
// (walking, talking, answering, the menu key), so that auto-run events, step triggers and talks
// start and their commands read their arguments from the fuzzed text. Besides the sanitizers,
// a field left frozen once no event runs is a failure.
//
// Input: one selector byte (the start map among the demo maps, and where in the key cycle
// play begins), then the start map's event text as the game reads it once un-inverted. The
// other maps keep their demo texts. Play stops early once the game is back at its title.
//
// The demo archive and map pack are built once per process into a scratch folder, and the
// program starts once: decoding the archive's images and meshes costs far more than the
// frames. Each input writes only "epack.dat" and starts from a fresh game state: the shell's
// own parameter set-up (every game global, new task pool and map buffers), then a new game.
// Shut-down runs when the program ends play itself, and at exit, where nothing may be left.
// The game reads its files from the working directory, which stays in the scratch folder:
// crash inputs need an absolute -artifact_prefix.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "datapack/archive_writer.h"
#include "datapack/demo_data.h"
#include "datapack/event_pack_writer.h"
#include "datapack/map_source.h"
#include "engine/data_archive.h"
#include "engine/keyboard.h"
#include "engine/program_shell.h"
#include "engine/task_pool.h"
#include "field/game_start.h"
#include "field/map_data.h"
#include "platform/headless/headless.h"
#include "support/harness.h"

namespace {

constexpr int FRAMES = 600;

struct KeyStep {
    int key;
    int held;  // frames held, then as many released as the step's rest
    int rest;
};

// Walks each way a cell or two, confirms (talk, next message line, choice), moves a choice
// cursor, and opens and closes the menu.
constexpr KeyStep keyCycle[] = {
    {KEY_RIGHT, 16, 1}, {KEY_RETURN, 1, 3}, {KEY_DOWN, 16, 1},  {KEY_Z, 1, 3},
    {KEY_LEFT, 24, 1},  {KEY_RETURN, 1, 3}, {KEY_DOWN, 1, 1},   {KEY_RETURN, 1, 3},
    {KEY_UP, 16, 1},    {KEY_Z, 1, 3},      {KEY_ESCAPE, 1, 5}, {KEY_ESCAPE, 1, 3},
    {KEY_RIGHT, 8, 1},  {KEY_UP, 8, 1},     {KEY_RETURN, 1, 3}, {KEY_RETURN, 1, 3},
};
constexpr int KEY_CYCLE_STEPS = sizeof keyCycle / sizeof keyCycle[0];

// Message boxes are recorded for good; a new program now and then keeps the record small.
constexpr size_t MESSAGE_BOXES_KEPT = 1000;

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// An event stops the world while it runs, and a map change while it fades; with neither under
// way every task must update again, or the field is frozen for good.
bool WorldLeftFrozen() {
    if (IsTaskSlotInUse(TASK_SLOT_EVENT_RUNNER) || TaskKindExists(TASK_KIND_MAP_TRANSFER)) {
        return false;
    }
    // So do the screens and sequences that events and keys open: a battle and its swirl, the
    // menus, shops, inns, treasure, amount entry and the staff roll.
    for (int slot :
         {TASK_SLOT_BATTLE, TASK_SLOT_ENCOUNTER_SWIRL, TASK_SLOT_SYSTEM_MENU, TASK_SLOT_SAVE_LOAD,
          TASK_SLOT_OPTIONS, TASK_SLOT_YES_NO, TASK_SLOT_CAMP_MENU, TASK_SLOT_MAGIC_MENU,
          TASK_SLOT_STATUS_MENU, TASK_SLOT_ORDER_MENU, TASK_SLOT_ITEM_MENU, TASK_SLOT_SHOP,
          TASK_SLOT_INN, TASK_SLOT_TREASURE, TASK_SLOT_AMOUNT_ENTRY, TASK_SLOT_STAFF_ROLL}) {
        if (IsTaskSlotInUse(slot)) {
            return false;
        }
    }
    for (int i = 0; i < TASK_POOL_SIZE; ++i) {
        const TaskSlot* slot = TaskAt(i);
        if (slot->inUse != 0 && slot->updateOn == 0) {
            return true;
        }
    }
    return false;
}

// Written under a name of its own, then renamed: processes fuzzing side by side share the
// folder and each sees a whole file.
void WriteShared(const std::filesystem::path& path, const Bytes& bytes) {
    const std::filesystem::path partial =
        path.string() + ".partial-" + std::to_string(static_cast<long>(getpid()));
    WriteBinaryFile(partial, bytes);
    std::filesystem::rename(partial, path);
}

struct Setup {
    std::filesystem::path runDir;
    std::vector<int32_t> startMaps;  // the demo maps, in source-file order
    // The demo's event texts, the start map's to be replaced: texts[placement[n]] is map n's.
    std::vector<std::string> texts;
    std::vector<int> placement;
    std::unique_ptr<GameHarness> game;

    Setup() {
        const std::filesystem::path demo = LIRROWEN_DEMO_SOURCE_DIR;
        const std::filesystem::path shared =
            std::filesystem::temp_directory_path() / "lirrowen-script-fuzz";
        std::filesystem::create_directories(shared);
        const std::vector<MapSource> maps = ReadMapSources(demo / "maps");
        // Map numbers without a demo map have the builder's room and no events.
        texts = {""};
        placement.assign(MAP_COUNT, 0);
        for (const MapSource& map : maps) {
            startMaps.push_back(map.number);
            placement[map.number] = static_cast<int>(texts.size());
            texts.push_back(map.eventText);
        }
        WriteShared(shared / "data.dat", WriteArchive(BuildDemoArchiveEntries(demo)));
        WriteShared(shared / "mappack.dat", BuildMapPacks(maps).mapPack);
        // Each process writes its event pack in a folder of its own.
        runDir = shared / ("run-" + std::to_string(static_cast<long>(getpid())));
        std::filesystem::create_directories(runDir);
        for (const char* name : {"data.dat", "mappack.dat"}) {
            std::error_code ignored;
            std::filesystem::remove(runDir / name, ignored);
            std::filesystem::create_symlink(shared / name, runDir / name);
        }
    }

    ~Setup() {
        game.reset();
        // Shut-down gave back everything start-up and play took.
        Check(headless::LiveAllocations() == 0 && headless::LiveTextures() == 0 &&
              headless::LiveMeshes() == 0);
        std::error_code ignored;
        std::filesystem::remove_all(runDir, ignored);
    }

    // A program that has ended (or keeps too long a record) makes way for a new one.
    void EnsureRunning() {
        if (game != nullptr && game->Running() &&
            headless::MessageBoxes().size() < MESSAGE_BOXES_KEPT) {
            return;
        }
        game.reset();
        game = std::make_unique<GameHarness>(runDir);
        headless::SetMessageEcho(false);
        Check(game->Start());
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Setup setup;
    if (size < 1) {
        return 0;
    }
    const size_t mapCount = setup.startMaps.size();
    const int32_t map = setup.startMaps[data[0] % mapCount];
    int step = static_cast<int>(data[0] / mapCount) % KEY_CYCLE_STEPS;
    std::vector<std::string> texts = setup.texts;
    texts[static_cast<size_t>(setup.placement[map])].assign(reinterpret_cast<const char*>(data + 1),
                                                            size - 1);
    WriteBinaryFile(setup.runDir / "epack.dat", WriteEventPack(texts, setup.placement));

    setup.EnsureRunning();
    GameHarness& game = *setup.game;
    // As a new start does, without decoding the archive again; then the start menu's confirm.
    KillAllTasks();
    FreeWorkBuffers();
    // Parameter set-up forgets the archive, which start-up then loads; this one stays.
    uint8_t* const archive = dataArchive;
    const size_t archiveSize = dataArchiveSize;
    Check(InitParameters());
    dataArchive = archive;
    dataArchiveSize = archiveSize;
    game.ReleaseAll();
    headless::ClearCallLog();
    headless::ClearSoundLog();
    StartGameAtMap(0, map);
    // Back at the title no script of the input runs any more.
    int inStep = 0;
    for (int frame = 0; frame < FRAMES && game.Running() && !TaskKindExists(TASK_KIND_TITLE);
         ++frame) {
        const KeyStep& s = keyCycle[step];
        if (inStep == 0) {
            game.Hold(s.key);
        } else if (inStep == s.held) {
            game.Release(s.key);
        }
        game.Frame();
        Check(!game.Running() || !WorldLeftFrozen());
        inStep += 1;
        if (inStep == s.held + s.rest) {
            inStep = 0;
            step = (step + 1) % KEY_CYCLE_STEPS;
        }
    }
    return 0;
}
