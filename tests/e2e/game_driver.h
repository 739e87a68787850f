// Driving the real game from outside, as a player would: start build/poklad
// in a working directory of its own, move and press the real pointer through
// XTest, and read the screen back. The game's screen is the whole 800 x 600
// root window of the test's Xvfb server.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A fresh working directory with the test image set and an empty "mapy".
std::string make_game_dir(void);
void write_game_file(const std::string &dir, const std::string &name, const std::string &bytes);

// Starts the game in dir; its output goes to dir/output. Where POKLAD_WINE
// names Wine's loader, the game (a Windows program) runs under it.
pid_t start_game(const std::string &dir);
// Runs argv (argv[0] looked up in PATH, the list ending in a null) in dir,
// its output going to dir/output.
pid_t start_in_dir(const std::string &dir, const char *const argv[]);
// The game's exit status, -1 if it is still running after timeout_ms (it is
// then killed), or 128 + signal when a signal ended it.
int wait_game(pid_t pid, int timeout_ms);
// The same, but -1 leaves a game still running after timeout_ms running.
int game_ended(pid_t pid, int timeout_ms);

// An Xvfb server of the test's own (800 x 600), made the test's DISPLAY and
// so the game's once it accepts connections; -1 when it does not start.
pid_t start_server(const char *screen = "800x600x24");
// Ends a server with sig (SIGKILL when it outlasts that by 5 s), closing the
// test's connection to it first.
void stop_server(pid_t server, int sig);

// Closes the test's own connection to the X server, so that the server can
// go away without ending the test; the next call that needs one opens it
// anew, on the display DISPLAY then names.
void close_test_display(void);
// Where the game's 800 x 600 picture lies on the X screen: (0, 0) unless
// set. Every position the driver takes or reads is in the game's own
// coordinates, relative to this.
void set_game_origin(int x, int y);
// The top-left-most pixel of the test image's colour anywhere on the X
// screen, in screen coordinates; 0 when it shows nowhere.
int locate_image_on_root(int image, int *x, int *y);

// Starts the game in dir like start_game where its picture may lie anywhere
// on the X screen (a window): waits up to 30 s for the menu's title and sets
// the game origin from where it shows. 0 when it never shows.
int start_game_anywhere(const std::string &dir, pid_t *pid);

void pointer_to(int x, int y);
// Moves the pointer and waits until the game draws its arrow there, moving
// again if the game missed the move; 0 if it never shows.
int move_pointer(int x, int y);
void button_down(int button);  // 1 left, 3 right (X numbering)
void button_up(int button);
// Moves to (x, y) as move_pointer does, holds the button for hold_ms, releases it.
void click_at(int x, int y, int button, int hold_ms = 120);
// Proves that the game has acted on every press and release sent before:
// moves the pointer to (x + 8, y) and waits until the game draws its arrow
// there, then to (x, y) and waits again. A pass of the game reads the
// buttons, acts (a control may pause 200 ms), then draws the pointer. The
// frame showing the first move was drawn after the library had taken in
// everything sent before that move; the pass that draws the second move
// began after that frame, so it read those buttons and its frame shows all
// they did. Nothing more can follow from them. 0 if either move never shows.
int input_caught_up(int x, int y);
void sleep_ms(int ms);
// Presses and releases the key of an X keysym name ("Return", "z"), with
// Control held when ctrl is 1.
void key_tap(const char *keysym, int ctrl = 0);
// Gives the X keysym name ("yacute") a key of its own where the keyboard
// map has none, so that key_tap can press it; a program started afterwards
// reads it as that letter. 0 when no key is free.
int bind_keysym(const char *name);
// The keycode of the key that gives keysym now (0 for none), and giving that
// key other symbols (unshifted, shifted), as another keyboard layout does.
int keycode_of(const char *keysym);
void set_key_symbols(int keycode, const char *lower, const char *upper);
// Types text of printable ASCII, a key at a time (Shift where needed).
void type_text(const std::string &text);

// One copy of the screen, read with XGetImage.
struct SCREEN_SHOT {
  unsigned char rgb[600][800][3];
};
void grab_screen(SCREEN_SHOT *shot);

// The test image whose colour shows at (x, y), -1 for none.
int image_on_screen(const SCREEN_SHOT *shot, int x, int y);
int magenta_on_screen(const SCREEN_SHOT *shot, int x, int y);
// 1 when the game's arrow (white inside, never a test colour) is drawn with
// its tip at (x, y).
int pointer_on_screen(const SCREEN_SHOT *shot, int x, int y);
// 1 when text in the game's font, red on black, starts at (x, y) and the
// character cell after it holds no red.
int text_on_screen(const SCREEN_SHOT *shot, int x, int y, const char *text);
// 1 when text in the game's font is drawn at (x, y) in colour (r, g, b) over
// anything: every pixel of its glyphs has the colour, no other pixel has it.
int coloured_text_on_screen(const SCREEN_SHOT *shot, int x, int y, const char *text, int r, int g, int b);

// Where E2E_SHOT_DIR is set, writes the screen a failed wait last saw there
// as a PPM picture, for a person to look at.
void save_failed_screen(const SCREEN_SHOT *shot);
// The contrast ratio (1 to 21) of text written at (x, y) in the library's
// 8 x 8 font with what lies right around its letters: each pixel touching a
// letter against the letters' mean colour, the lowest but for the 5 %
// lowest (the grain of a background).
double text_contrast(const SCREEN_SHOT *shot, int x, int y, const char *text);

// Polls the screen every 20 ms until check holds, for at most timeout_ms.
template <class CHECK> int wait_screen(CHECK check, int timeout_ms = 5000)
{
  static SCREEN_SHOT shot;
  for (int waited = 0; waited <= timeout_ms; waited += 20) {
    grab_screen(&shot);
    if (check(&shot))
      return 1;
    sleep_ms(20);
  }
  save_failed_screen(&shot);
  return 0;
}

// Clicks (x, y) with button until done shows on the screen. The game reads
// the buttons as levels once a pass, so under load a short press can fall
// between two reads and do nothing. Once the game has caught up with the
// click (input_caught_up at (ux, uy)), the screen shows all the click did:
// done, or, when the press was missed, what missed recognises, the screen
// as it was before; then the click is repeated, at most 5 times. Anything
// else is a fault and stops the clicking.
template <class DONE, class MISSED>
int click_until(int x, int y, int button, int ux, int uy, DONE done, MISSED missed)
{
  static SCREEN_SHOT shot;
  for (int press = 0; press < 5; press++) {
    click_at(x, y, button, 100);
    if (!input_caught_up(ux, uy))
      return 0;
    grab_screen(&shot);
    if (done(&shot))
      return 1;
    if (!missed(&shot)) {
      save_failed_screen(&shot);
      return 0;
    }
  }
  return 0;
}

// Sends the window manager's close message to the game's window.
int send_close_to_game(void);
// The title (WM_NAME) of each of the game's windows, "" for one without.
std::vector<std::string> game_window_titles(void);
