// Lirrowen: the program's entry point.
#include <cstdio>

#include "engine/program_shell.h"
#include "platform/system.h"

int main() {
    if (!PlatformInit()) {
        std::fprintf(stderr,
                     "Lirrowen needs a display to open its window, and none could be used: %s\n",
                     PlatformLastError());
        return 1;
    }
    int exitCode = RunGame();
    PlatformShutdown();
    return exitCode;
}
