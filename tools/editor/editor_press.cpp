// Keeping the presses that belong to a dialog off the board.
#include "editor_press.h"

#include <cstdlib>

void press_guard_init(PRESS_GUARD *guard)
{
  guard->armed = 1;
  guard->dialog_press = 0;
  guard->press_ms = 0;
  guard->press_x = guard->press_y = 0;
}

int press_guard_pass(PRESS_GUARD *guard, int in_dialog, int buttons, int pressed, long long now_ms, int x, int y)
{
  if (in_dialog) {
    guard->armed = 0;
    if (pressed) {
      guard->dialog_press = 1;
      guard->press_ms = now_ms;
      guard->press_x = x;
      guard->press_y = y;
    }
    return 0;
  }
  if (!guard->armed) {
    // Buttons held (or pressed again) since the dialog stay the dialog's.
    if (buttons || pressed)
      return 0;
    guard->armed = 1;
    return 1;
  }
  if (pressed && guard->dialog_press) {
    guard->dialog_press = 0;
    // A double-click's second press where its first closed a dialog.
    if (now_ms - guard->press_ms < DOUBLE_CLICK_MS && abs(x - guard->press_x) <= DOUBLE_CLICK_PX &&
        abs(y - guard->press_y) <= DOUBLE_CLICK_PX) {
      guard->armed = 0;
      return 0;
    }
  }
  return 1;
}
