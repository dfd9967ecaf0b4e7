// The program shell: the window, start-up in its fixed order with a message for each failure,
// the frame (render pass, update pass, then a busy wait), the rebuild after a lost device, and
// shut-down.
#pragma once

#include <cstdint>

constexpr int CLIENT_WIDTH = 640;
constexpr int CLIENT_HEIGHT = 480;
constexpr double FRAME_PERIOD_MS = 16.666666;

extern const char* const windowTitle;
extern const char* const windowClassName;

// 1 while the program runs; code that wants it to end writes 0 and the frame ends in ShutDown.
extern uint32_t isRunning;

// Creates the window hidden, runs StartUp, then shows the window when start-up succeeded.
// False only when no window could be made.
bool CreateMainWindow();
void CenterOnDesktop(int width, int height, int* x, int* y);
bool StartUp();
bool InitParameters();
bool AllocWorkBuffers();
void FreeWorkBuffers();
void RunFrame();
void RenderFrame();
// Releases the graphics device and everything on it, places the window for the current display
// options and builds them all again from the archive. False when that failed: nothing can be
// drawn until a rebuild succeeds.
bool RecreateDevice();
// Shows the message of a failed graphics start and ends the program at the end of the frame.
void EndAfterGraphicsFailure();
void UpdateFrame();
// Tears everything down; runs once however many times it is reached.
void ShutDown();

// The message loop in steps: takes every pending event, then runs one frame. False once the
// loop has ended (start-up failed, or the program shut down).
bool RunMessageLoopOnce();
// The whole program: the window, start-up, frames until shut-down. The exit code: 0 once the
// game ran and ended, 1 when start-up failed (or no window could be made).
int RunGame();
