// lirrowen-paint-icon: writes the window icon as a C++ source for the SDL backend.
// Usage: lirrowen-paint-icon OUTPUT_FILE
#include <cstdio>
#include <fstream>

#include "datapack/icon_painter.h"

namespace {

void WriteArray(std::ofstream& out, const char* name, int size) {
    RgbaImage image = PaintGameIcon(size);
    out << "const uint32_t " << name << "[" << size * size << "] = {";
    char word[16];
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        std::snprintf(word, sizeof word, "0x%08X,", image.pixels[i]);
        out << (i % 8 == 0 ? "\n    " : " ") << word;
    }
    out << "\n};\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lirrowen-paint-icon OUTPUT_FILE\n");
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "// The window icon, written by lirrowen-paint-icon when the game is built.\n"
           "#include \"platform/sdl/sdl_internal.h\"\n\nnamespace sdlbackend {\n\n";
    WriteArray(out, "iconLarge", 32);
    out << "\n";
    WriteArray(out, "iconSmall", 16);
    out << "\n}  // namespace sdlbackend\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "lirrowen-paint-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
