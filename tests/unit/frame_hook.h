// Seeing each frame a screen presents. The test binary defines the library's
// show_mouse (and passes every call on to the library's own), so a test runs
// its hook at the end of every composed frame, where it can read the frame or
// move the pointer the way the library's background updates would.
#pragma once

#include <atomic>

// Called with the frame's number, counted from 1 since set_frame_hook.
typedef void (*FRAME_HOOK)(int frame);

// Installs hook (nullptr for none), zeroes the frame count and clears
// close_requested.
void set_frame_hook(FRAME_HOOK hook);

// Frames presented since set_frame_hook; atomic, so that a thread standing
// in for the player's hand may watch it.
extern std::atomic<int> frames_presented;

// While a hook is installed, a screen still running after this many frames
// is stopped through close_requested and the test fails, so a hook that
// never lets the screen go cannot hang the test binary.
enum { FRAME_LIMIT = 5000 };

// Installs a hook for one scope and removes it again at the scope's end.
struct FRAME_HOOK_SCOPE {
  explicit FRAME_HOOK_SCOPE(FRAME_HOOK hook) { set_frame_hook(hook); }
  ~FRAME_HOOK_SCOPE() { set_frame_hook(nullptr); }
};
