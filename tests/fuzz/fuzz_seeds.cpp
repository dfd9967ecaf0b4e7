// Writes the fuzzers' seed inputs, made with the data builder's writers:
// OUT/archive/* small archives, OUT/wave/* the demo's sounds, OUT/xfile/* small meshes in
// every .x form, OUT/image/* a small image in each format and variant the decoders read,
// OUT/mappack/* the demo's map pack and small packs of shared, odd and cut records;
// OUT/epack/* the demo's event pack behind a map number and a block count; OUT/script/* each
// demo map's event text behind the byte that starts the script fuzzer on that map, and one
// event as long as a block holds; OUT/save/* a save of each party size from the templates.
#include <cstdio>
#include <filesystem>
#include <string>

#include "datapack/archive_writer.h"
#include "datapack/demo_data.h"
#include "datapack/image_samples.h"
#include "datapack/map_pack_writer.h"
#include "datapack/map_source.h"
#include "datapack/png_writer.h"
#include "datapack/wave_writer.h"
#include "datapack/xfile_writer.h"
#include "engine/data_archive.h"
#include "event/event_pack.h"
#include "field/character_tables.h"
#include "menu/save_file.h"

namespace {

// The four-character codes of the DDS block formats, as their little-endian values.
constexpr uint32_t kDxt1 = 0x31545844, kDxt3 = 0x33545844, kDxt5 = 0x35545844;

// One small image in each format and variant the decoders take.
void WriteImageSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const RgbaImage rgba{4,
                         3,
                         {0xFF102030, 0x00FFFFFF, 0x80FF0000, 0xFF00FF00, 0x7F7F7F7F, 0xFF000000,
                          0x01020304, 0xFFFFFFFF, 0x40404040, 0xC0C0C0C0, 0xFF0000FF, 0x00000000}};
    WriteBinaryFile(dir / "rgba.png", EncodePng(rgba));
    WriteBinaryFile(dir / "baseline.jpg", EncodeJpeg(16, 8, 3, 0, false));
    WriteBinaryFile(dir / "progressive.jpg", EncodeJpeg(16, 8, 3, 0, true));

    const Bytes palette = {0, 0, 0, 0, 0xFF, 0x80, 0x40, 0};
    WriteBinaryFile(dir / "rgb24.bmp",
                    BmpFile(Concat(BmpInfo(2, 2, 24, 0, 0),
                                   Bytes{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}),
                            40));
    WriteBinaryFile(dir / "rle8.bmp",
                    BmpFile(Concat(Concat(BmpInfo(4, 2, 8, 1, 2), palette),
                                   {2, 1, 2, 0, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 1, 0, 0, 1}),
                            48));
    WriteBinaryFile(dir / "rle4.bmp", BmpFile(Concat(Concat(BmpInfo(5, 1, 4, 2, 2), palette),
                                                     {3, 0x10, 0, 3, 0x10, 0x10, 0, 1}),
                                              48));
    WriteBinaryFile(dir / "palette4.dib", Concat(Concat(BmpInfo(3, 2, 4, 0, 2), palette),
                                                 {0x10, 0x10, 0, 0, 0x01, 0, 0, 0}));
    Bytes v5 = BmpInfo(2, -1, 32, 3, 0, 124);
    for (int i = 0; i < 4; ++i) {
        const uint32_t mask = 0xFF0000u >> (8 * i) | (i == 3 ? 0xFF000000u : 0);
        for (int k = 0; k < 4; ++k) {
            v5[40 + 4 * i + k] = static_cast<uint8_t>(mask >> (8 * k));
        }
    }
    WriteBinaryFile(dir / "alpha_v5.bmp", BmpFile(Concat(v5, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}), 124));

    WriteBinaryFile(dir / "rgb24.tga",
                    Concat(TgaHeader(2, 2, 2, 24, 0), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    WriteBinaryFile(dir / "rle32.tga",
                    Concat(TgaHeader(10, 3, 2, 32, 0x28), {0x82, 1, 2, 3, 0x80, 0x02, 4, 5, 6, 0xFF,
                                                           7, 8, 9, 0, 10, 11, 12, 0x40}));
    WriteBinaryFile(dir / "mapped_rle.tga", Concat(TgaHeader(9, 4, 1, 8, 0x20, 0, 2, 24),
                                                   {0, 0, 0xFF, 0xFF, 0, 0, 0x82, 1, 0, 0}));
    WriteBinaryFile(dir / "grey16.tga",
                    Concat(TgaHeader(3, 2, 1, 16, 0x28), {0x10, 0xFF, 0xF0, 0x80}));

    const std::string p6 = "P6\n# seed\n2 1\n255\n";
    WriteBinaryFile(dir / "binary.ppm",
                    Concat(Bytes(p6.begin(), p6.end()), {255, 0, 0, 0, 128, 255}));
    const std::string p3 = "P3 2 1 65535\n65535 0 0 # red\n0 32768 65535\n";
    WriteBinaryFile(dir / "plain.ppm", Bytes(p3.begin(), p3.end()));
    const std::string p5 = "P5 2 1 255\n";
    WriteBinaryFile(dir / "grey.pgm", Concat(Bytes(p5.begin(), p5.end()), {0x20, 0xE0}));

    const Bytes colourBlocks = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4,
                                0x1F, 0x00, 0x00, 0xF8, 0x1B, 0x1B, 0x1B, 0x1B};
    WriteBinaryFile(dir / "dxt1.dds", Concat(Dds(6, 3, 4, kDxt1), colourBlocks));
    const Bytes alpha3 = {0xF0, 0x87, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    WriteBinaryFile(dir / "dxt3.dds",
                    Concat(Concat(Dds(4, 4, 4, kDxt3), alpha3),
                           Bytes(colourBlocks.begin(), colourBlocks.begin() + 8)));
    const Bytes alpha5 = {200, 100, 0x88, 0x0E, 0xAA, 0x0F, 0x12, 0x34};
    WriteBinaryFile(dir / "dxt5.dds", Concat(Concat(Dds(4, 4, 4, kDxt5), alpha5),
                                             Bytes(colourBlocks.begin() + 8, colourBlocks.end())));
    WriteBinaryFile(dir / "rgb565.dds", Concat(Dds(2, 1, 0x40, 0, 16, 0xF800, 0x07E0, 0x001F, 0),
                                               {0x00, 0xF8, 0xE0, 0x07}));
    WriteBinaryFile(dir / "argb.dds",
                    Concat(Dds(1, 2, 0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000),
                           {1, 2, 3, 4, 5, 6, 7, 8}));
}

// The demo's maps, and small packs: shared records, every tile class and event kind, and one
// cut short.
void WriteMapPackSeeds(const std::filesystem::path& demoDir, const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    WriteBinaryFile(dir / "demo.dat", BuildMapPacks(ReadMapSources(demoDir / "maps")).mapPack);
    MapRecord room;
    room.width = 4;
    room.height = 3;
    room.encounterGroup = 2;
    room.encounterInterval = 9;
    room.tiles = {15, 15, 15, 15, -1, 45, 44, 30, 15, 46, 127, 15};
    room.events = {0, 1, 1, 0, 21, 70, 74, 20, 0, 0, 255, 3};
    MapRecord line = room;
    line.width = 12;
    line.height = 1;
    std::vector<int> placement(24, 0);
    placement[23] = 1;
    const Bytes pack = WriteMapPack({room, line}, placement);
    WriteBinaryFile(dir / "shared.dat", pack);
    WriteBinaryFile(dir / "cut.dat", Bytes(pack.begin(), pack.end() - 5));
}

// The epack fuzzer takes a map number and a block count in its first two bytes.
void WriteEventPackSeeds(const std::filesystem::path& demoDir, const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const Bytes pack = BuildMapPacks(ReadMapSources(demoDir / "maps")).eventPack;
    const uint8_t heads[][2] = {{0, 16}, {1, 7}, {11, 3}, {5, 20}};
    int n = 0;
    for (const auto& head : heads) {
        Bytes seed = {head[0], head[1]};
        for (uint8_t b : pack) {
            seed.push_back(b);
        }
        WriteBinaryFile(dir / ("demo" + std::to_string(n++) + ".dat"), seed);
    }
}

// The script fuzzer starts on the demo map its first byte picks, in source-file order.
void WriteScriptSeeds(const std::filesystem::path& demoDir, const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    const std::vector<MapSource> maps = ReadMapSources(demoDir / "maps");
    for (size_t i = 0; i < maps.size(); ++i) {
        Bytes seed = {static_cast<uint8_t>(i)};
        seed.insert(seed.end(), maps[i].eventText.begin(), maps[i].eventText.end());
        WriteBinaryFile(dir / ("map" + std::to_string(maps[i].number) + ".dat"), seed);
    }
    // The first map's start event as long as a block holds, the last command's arguments
    // running past the block's end; its other events empty.
    std::string block = "$0,#0,7,9,90,1,4,0,1,2,3,#1,1,#18,2,";
    const std::string last = "#3,1,2,";
    block += std::string(EVENT_BLOCK_LAST - block.size() - last.size(), 'x') + last;
    Bytes seed = {0};
    seed.insert(seed.end(), block.begin(), block.end());
    seed.insert(seed.end(), static_cast<size_t>(maps[0].eventCount), '@');
    WriteBinaryFile(dir / "full_block.dat", seed);
}

// A save of each party size, its members the templates, with a full bag.
void WriteSaveSeeds(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    SaveData save{};
    save.scenario = 1;
    save.map = 11;
    save.money = 2000;
    save.cameraEyeY = 60.0f;
    for (int i = 0; i < PARTY_MAX; ++i) {
        save.roster[i] = characterTemplates[i];
        save.stored[i] = characterTemplates[PARTY_MAX - 1 - i];
        save.positions[i] = {1.0f + 2 * i, 0.15f, -3.0f, 90.0f * i};
    }
    for (int s = 0; s < INVENTORY_SLOT_COUNT; ++s) {
        save.inventory[s] = s < ITEM_COUNT ? InventorySlot{s, s} : InventorySlot{ITEM_NONE, 0};
    }
    save.flags[0] = 1;
    for (int32_t n = 0; n <= PARTY_MAX; ++n) {
        save.partyCount = n;
        WriteBinaryFile(dir / ("party" + std::to_string(n) + ".dat"), EncodeSave(save));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEMO_SOURCE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    std::filesystem::path out = argv[2];
    std::filesystem::create_directories(out / "archive");
    std::filesystem::create_directories(out / "wave");
    std::filesystem::create_directories(out / "xfile");

    std::vector<Bytes> entries = BuildDemoArchiveEntries(argv[1]);
    for (int id = 0; id < 29; ++id) {
        WriteBinaryFile(out / "wave" / ("sound" + std::to_string(id) + ".wav"),
                        entries[ARCHIVE_SOUND_FIRST + id]);
    }
    WaveLayout stereo8{2, 8, 11025, 18};
    WriteBinaryFile(out / "wave" / "stereo8.wav", WriteWave(stereo8, Bytes(64, 0x80)));

    std::vector<Bytes> small(ARCHIVE_ENTRY_COUNT);
    for (int n = 0; n < ARCHIVE_ENTRY_COUNT; n += 17) {
        small[n] = Bytes(static_cast<size_t>(n % 5 + 1), static_cast<uint8_t>(n));
    }
    WriteBinaryFile(out / "archive" / "small.dat", WriteArchive(small));
    WriteBinaryFile(out / "archive" / "empty.dat", WriteArchive({}));

    XMesh triangle;
    triangle.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.indices = {0, 1, 2};
    XMesh quad = triangle;
    quad.positions.push_back({1, 1, 0});
    quad.indices.insert(quad.indices.end(), {2, 1, 3});
    quad.normals.assign(4, Vec3{0, 0, 1});
    quad.texCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    quad.colours = {0xFFFFFFFF, 0x80FF0000, 0xFF00FF00, 0x000000FF};
    quad.triangleMaterials = {0, 1};
    quad.materials = {{{1, 1, 1, 1}, 4, {0.5f, 0.5f, 0.5f}, {0, 0, 0}, "quad.png"},
                      {{0.2f, 0.4f, 0.6f, 1}, 0, {0, 0, 0}, {0.1f, 0, 0}, ""}};
    const char* forms[] = {"text", "binary", "tzip", "bzip"};
    for (int form = 0; form < 4; ++form) {
        for (int bits : {32, 64}) {
            std::string suffix = std::string(forms[form]) + std::to_string(bits) + ".x";
            WriteBinaryFile(out / "xfile" / ("triangle_" + suffix),
                            WriteXFile(triangle, static_cast<XFileForm>(form), bits));
            WriteBinaryFile(out / "xfile" / ("quad_" + suffix),
                            WriteXFile(quad, static_cast<XFileForm>(form), bits));
        }
    }
    const std::string frames =
        "xof 0303txt 0032\n"
        "template Vector { <0A1B2C3D-7777-8888-9999-AAAABBBBCCCC> FLOAT x; [...] }\n"
        "Material Red { 1;0;0;1;; 2; 0;0;0;; 0;0;0;; TextureFilename { \"red.png\"; } }\n"
        "Frame Root { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1;; }\n"
        " Frame Arm { FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,2,0, 0,0,0,1;; }\n"
        "  Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 4;0,1,2,3;, 3;0,2,1;;\n"
        "   MeshNormals { 2; 0;0;1;, 0;0;-1;; 2; 4;0,0,0,0;, 3;1,1,1;; }\n"
        "   MeshMaterialList { 2; 1; 1;; { Red } Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; } }\n"
        "   AnimationKey { 0; 1; 0; 4; 1,0,0,0;;; } } } }\n";
    WriteBinaryFile(out / "xfile" / "frames.x", Bytes(frames.begin(), frames.end()));

    WriteImageSeeds(out / "image");
    WriteMapPackSeeds(argv[1], out / "mappack");
    WriteEventPackSeeds(argv[1], out / "epack");
    WriteScriptSeeds(argv[1], out / "script");
    WriteSaveSeeds(out / "save");
    return 0;
}
