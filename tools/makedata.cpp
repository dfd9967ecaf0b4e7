// lirrowen-makedata: writes the game's data files from the demo sources.
// Usage: lirrowen-makedata DEMO_SOURCE_DIR OUTPUT_DIR
//        lirrowen-makedata --preview OUTPUT_DIR   (the two atlas sheets as PNG files, to look at)
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "datapack/atlas_painter.h"
#include "datapack/demo_data.h"
#include "datapack/png_writer.h"

namespace {

void WriteAtlasPreview(const std::filesystem::path& outDir) {
    std::filesystem::create_directories(outDir);
    auto start = std::chrono::steady_clock::now();
    RgbaImage interface = PaintAtlas(AtlasSheet::Interface);
    RgbaImage glyphs = PaintAtlas(AtlasSheet::Glyphs);
    auto painted = std::chrono::steady_clock::now();
    WriteBinaryFile(outDir / "interface.png", EncodePng(interface));
    WriteBinaryFile(outDir / "glyphs.png", EncodePng(glyphs));
    auto written = std::chrono::steady_clock::now();
    using Ms = std::chrono::duration<double, std::milli>;
    std::printf("painted both sheets in %.1f ms, encoded and wrote them in %.1f ms: %s\n",
                Ms(painted - start).count(), Ms(written - painted).count(),
                outDir.string().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s DEMO_SOURCE_DIR OUTPUT_DIR\n       %s --preview OUTPUT_DIR\n",
                     argv[0], argv[0]);
        return 2;
    }
    try {
        if (std::string(argv[1]) == "--preview") {
            WriteAtlasPreview(argv[2]);
        } else {
            WriteDemoDataSet(argv[1], argv[2]);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lirrowen-makedata: %s\n", error.what());
        return 1;
    }
    return 0;
}
