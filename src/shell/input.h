// Reading the pointer. The library keeps mouse_x, mouse_y and mouse_b current
// in the background; every test reads them afresh, and buttons are levels.
#pragma once

#include <atomic>

// 1 when the pointer lies strictly inside the rectangle: x < mouse_x < x + w
// and y < mouse_y < y + h. Pointers on the border are outside.
int mouse_in_rect(int x, int y, int w, int h);

int left_button_down(void);    // left button down, whatever else is
int right_button_down(void);   // right button down, whatever else is
int right_button_alone(void);  // right button down and no other

// The game's only wait: 200 ms in the menu's slots and arrows and after a
// map is loaded. Counted, so that tests can tell where a pause happened.
enum { PAUSE_MS = 200 };
void pause_200ms(void);
extern int pause_count;

// Set by the window's close button (on the library's thread) or by a signal
// that asks the game to stop (in its handler: a lock-free atomic may be set
// there); every screen's loop ends after its current pass once it is set.
extern std::atomic<int> close_requested;
// Sets close_requested; safe in a signal handler.
void on_close_button(void);
