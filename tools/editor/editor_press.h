// Which mouse presses may act on the editor's main screen: a press made in a
// dialog, or still held from one, or the second press of a double-click
// whose first closed a dialog, never paints the board under the pointer.
#pragma once

enum { DOUBLE_CLICK_MS = 500, DOUBLE_CLICK_PX = 4 };

struct PRESS_GUARD {
  int armed;            // 1 once a pass has seen every button up with no dialog
  int dialog_press;     // 1 when a press was taken by a dialog
  long long press_ms;   // when and where that press was
  int press_x, press_y;
};

void press_guard_init(PRESS_GUARD *guard);
// One pass of the editor: whether a dialog was open in it (or closed in
// it), the buttons held, the presses new since the last pass, the time and
// the pointer. 1 when the main screen may act on this pass's presses.
int press_guard_pass(PRESS_GUARD *guard, int in_dialog, int buttons, int pressed, long long now_ms, int x, int y);
