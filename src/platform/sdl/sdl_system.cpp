// SDL backend: start-up of SDL, the frame clock, memory, message boxes and termination requests.
#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>

#include "platform/sdl/sdl_internal.h"
#include "platform/system.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

bool initialised = false;
std::string lastError;

// SIGTERM and SIGINT ask the game to end; the event pump hands the request on as a close
// request, and an open message box is closed for it.
volatile std::sig_atomic_t terminationRequested = 0;
struct sigaction previousTerm {};
struct sigaction previousInt {};

void OnTerminationSignal(int) {
    terminationRequested = 1;
}

void CatchTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousTerm);
    sigaction(SIGINT, &action, &previousInt);
}

void RestoreTerminationSignals() {
    sigaction(SIGTERM, &previousTerm, nullptr);
    sigaction(SIGINT, &previousInt, nullptr);
}

// The parent process id in /proc/<pid>/stat: the field after the state, which follows the
// last ')' (the command name may hold anything, brackets included).
pid_t ParentOf(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return 0;
    }
    char stat[512];
    size_t got = std::fread(stat, 1, sizeof stat - 1, file);
    std::fclose(file);
    stat[got] = '\0';
    const char* close = std::strrchr(stat, ')');
    char state = 0;
    int parent = 0;
    if (close == nullptr || std::sscanf(close + 1, " %c %d", &state, &parent) != 2) {
        return 0;
    }
    return static_cast<pid_t>(parent);
}

// On Linux SDL draws the box in a child process and waits for it; ending that child is the only
// way to end the wait. The game starts no other processes. SIGKILL, because a forked child
// inherited our SIGTERM handler.
void EndChildProcesses() {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return;
    }
    const pid_t self = getpid();
    while (dirent* entry = readdir(proc)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') {
            continue;
        }
        if (ParentOf(entry->d_name) == self) {
            kill(static_cast<pid_t>(std::atoi(entry->d_name)), SIGKILL);
        }
    }
    closedir(proc);
}

}  // namespace

namespace sdlbackend {

void SetLastError(const char* what) {
    lastError = std::string(what) + ": " + SDL_GetError();
}

bool TerminationRequested() {
    return terminationRequested != 0;
}

}  // namespace sdlbackend

bool PlatformInit() {
    if (initialised) {
        return true;
    }
    // X11 and Wayland read the window class from these before the first window exists.
    setenv("SDL_VIDEO_X11_WMCLASS", "VORNHALT", 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", "VORNHALT", 0);
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // SDL's own handlers would only queue a quit event, which nothing takes while a box is open.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        sdlbackend::SetLastError("SDL");
        return false;
    }
    terminationRequested = 0;
    CatchTerminationSignals();
    initialised = true;
    sdlbackend::ClearKeys();
    return true;
}

void PlatformShutdown() {
    if (!initialised) {
        return;
    }
    RestoreTerminationSignals();
    SDL_Quit();
    initialised = false;
}

const char* PlatformLastError() {
    return lastError.c_str();
}

uint32_t PlatformTicks() {
    return SDL_GetTicks();
}

void PlatformSpinPause() {
#if defined(__x86_64__) || defined(__i386__)
    _mm_pause();
#endif
}

void PlatformSetFineTimer(bool) {
    // SDL's tick counter already advances in whole milliseconds on Linux.
}

int64_t PlatformCalendarSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

void* PlatformAllocate(size_t bytes) {
    return std::malloc(bytes);
}

void PlatformRelease(void* block) {
    std::free(block);
}

void PlatformShowMessage(const char* caption, const char* text) {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    std::fflush(stderr);
    if (terminationRequested != 0) {
        return;
    }
    SDL_Window* owner = sdlbackend::windowShown ? sdlbackend::window : nullptr;
    // The box runs its own loop; events for the game window wait in SDL's queue until the
    // frame loop takes them, so a close request never lands in the middle of a task pass.
    // That loop cannot see a termination request, so it runs on a thread of its own while
    // this one watches for one.
    std::atomic<bool> closed{false};
    std::thread box([&] {
        SDL_ShowSimpleMessageBox(0, caption, text, owner);
        closed = true;
    });
    while (!closed) {
        if (terminationRequested != 0) {
            EndChildProcesses();
        }
        SDL_Delay(10);
    }
    box.join();
}
