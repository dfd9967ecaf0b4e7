// Runs the real frame loop for 600 frames on the SDL backend and prints the distribution of
// frame periods. Not a test: run it by hand, for example with SDL_VIDEODRIVER=offscreen, in a
// directory holding the game's data files (or give that directory as the argument).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "engine/program_shell.h"
#include "platform/system.h"

int main(int argc, char** argv) {
    if (argc > 1) {
        std::filesystem::current_path(argv[1]);
    }
    if (!PlatformInit()) {
        std::fprintf(stderr, "no display: %s\n", PlatformLastError());
        return 1;
    }
    if (!CreateMainWindow() || !RunMessageLoopOnce()) {
        std::fprintf(stderr, "the game did not start\n");
        PlatformShutdown();
        return 1;
    }
    constexpr int frames = 600;
    std::vector<double> periods;
    periods.reserve(frames);
    auto previous = std::chrono::steady_clock::now();
    for (int i = 0; i < frames && RunMessageLoopOnce(); ++i) {
        auto now = std::chrono::steady_clock::now();
        periods.push_back(std::chrono::duration<double, std::milli>(now - previous).count());
        previous = now;
    }
    ShutDown();
    PlatformShutdown();
    if (periods.empty()) {
        return 1;
    }
    std::sort(periods.begin(), periods.end());
    auto at = [&](double q) {
        return periods[std::min(periods.size() - 1, static_cast<size_t>(q * periods.size()))];
    };
    std::printf("frames %zu  min %.3f ms  median %.3f ms  p99 %.3f ms  max %.3f ms\n",
                periods.size(), periods.front(), at(0.5), at(0.99), periods.back());
    return 0;
}
