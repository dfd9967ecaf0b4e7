// lirrowen-makedata: writes the game's data files from the demo sources.
// Usage: lirrowen-makedata DEMO_SOURCE_DIR OUTPUT_DIR
#include <cstdio>
#include <exception>

#include "datapack/demo_data.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DEMO_SOURCE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        WriteDemoDataSet(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lirrowen-makedata: %s\n", error.what());
        return 1;
    }
    return 0;
}
