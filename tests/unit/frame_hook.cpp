// The frame hook: the library's show_mouse, defined in the test binary.
// frame_end calls show_mouse(back_buffer) once the frame is composed, which
// is where the hook runs.
#include "frame_hook.h"
#include "shell/game.h"
#include "shell/input.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

std::atomic<int> frames_presented{0};
static FRAME_HOOK frame_hook = nullptr;

void set_frame_hook(FRAME_HOOK hook)
{
  frame_hook = hook;
  frames_presented = 0;
  close_requested = 0;
}

void show_mouse(BITMAP *bmp)
{
  typedef void (*SHOW_MOUSE)(BITMAP *);
  static SHOW_MOUSE library_show_mouse =
      reinterpret_cast<SHOW_MOUSE>(dlsym(RTLD_NEXT, "show_mouse"));
  if (library_show_mouse)
    library_show_mouse(bmp);
  if (!bmp || bmp != back_buffer)
    return;
  frames_presented++;
  if (!frame_hook)
    return;
  frame_hook(frames_presented);
  if (frames_presented == FRAME_LIMIT) {
    ADD_FAILURE() << "a screen was still running after " << FRAME_LIMIT << " frames";
    close_requested = 1;
  }
}
