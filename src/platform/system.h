// The machine services the game stands on: starting the platform layer, the millisecond
// clock that paces frames, wall-clock seconds, memory blocks and modal message boxes.
// Two backends implement every declaration here: sdl (the real one) and headless (tests).
#pragma once

#include <cstddef>
#include <cstdint>

// Brings up the backend's video, events and timer. False when the machine offers no usable
// display; PlatformLastError then says why.
bool PlatformInit();
// Undoes PlatformInit; safe to call when it failed or never ran.
void PlatformShutdown();
const char* PlatformLastError();

// Milliseconds from an arbitrary start, wrapping at 2^32. Frames are paced on it.
uint32_t PlatformTicks();
// One turn of a busy wait on PlatformTicks. The headless clock moves on by 1 ms here, so a
// test's frame wait never spins.
void PlatformSpinPause();
// Raises (true) or restores (false) the resolution of the clock the frame pacing reads.
void PlatformSetFineTimer(bool fine);
// Calendar time in seconds; the random generator is seeded from it once per run.
int64_t PlatformCalendarSeconds();

// One block of memory, or null when none can be had.
void* PlatformAllocate(size_t bytes);
// Returns a block from PlatformAllocate; null is ignored.
void PlatformRelease(void* block);

// A modal box with one OK button, owned by the game window when it exists. The text is
// UTF-8 and is always written to stderr as well, so it is not lost where no box can show.
void PlatformShowMessage(const char* caption, const char* text);
