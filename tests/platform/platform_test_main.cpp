// Entry point of the real-backend tests: SDL's offscreen video driver and silent audio driver
// unless the caller chose others, so no X server or sound card is needed.
#include <gtest/gtest.h>

#include <cstdlib>

// Mesa keeps allocations of its own until the process ends; LeakSanitizer would report them.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
