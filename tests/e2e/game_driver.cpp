// Driving the real game from outside through XTest and XGetImage.
#include "game_driver.h"
#include "test_colours.h"
#include "menu/menu_layout.h"
#include "shell/images.h"
#include "temp_folder.h"

#define MENU ALLEGRO_GUI_MENU
#include <allegro.h>
#undef MENU
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

static Display *test_display = nullptr;  // the test's own connection, opened on first use

static Display *display(void)
{
  if (!test_display) {
    test_display = XOpenDisplay(nullptr);
    if (!test_display) {
      fprintf(stderr, "no X display: run under xvfb-run\n");
      abort();
    }
  }
  return test_display;
}

void close_test_display(void)
{
  if (test_display)
    XCloseDisplay(test_display);
  test_display = nullptr;
}

static int origin_x = 0, origin_y = 0;

void set_game_origin(int x, int y)
{
  origin_x = x;
  origin_y = y;
}

void sleep_ms(int ms)
{
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&t, nullptr);
}

std::string make_game_dir(void)
{
  std::string dir = temp_folder("e2e");
  std::string copy = "cp '" + std::string(getenv("TEST_IMAGE_SET")) + "' '" + dir + "/tarkoni.dat' && mkdir '" +
                     dir + "/mapy'";
  if (system(copy.c_str()) != 0)
    abort();
  return dir;
}

void write_game_file(const std::string &dir, const std::string &name, const std::string &bytes)
{
  FILE *f = fopen((dir + "/" + name).c_str(), "wb");
  if (!f)
    abort();
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

pid_t start_in_dir(const std::string &dir, const char *const argv[])
{
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0)
      _exit(126);
    int out = open("output", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(out, 2);
    execvp(argv[0], const_cast<char *const *>(argv));
    _exit(127);
  }
  return pid;
}

pid_t start_game(const std::string &dir)
{
  // The game takes the pointer where it is; park it in a corner first.
  pointer_to(2, 2);
  // Where POKLAD_WINE names Wine's loader, the game is a Windows program.
  const char *wine = getenv("POKLAD_WINE");
  if (wine && wine[0]) {
    const char *const argv[] = {wine, getenv("POKLAD"), nullptr};
    return start_in_dir(dir, argv);
  }
  const char *const argv[] = {getenv("POKLAD"), nullptr};
  return start_in_dir(dir, argv);
}

int game_ended(pid_t pid, int timeout_ms)
{
  int status = 0;
  for (int waited = 0; waited <= timeout_ms; waited += 10) {
    if (waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    sleep_ms(10);
  }
  return -1;
}

int wait_game(pid_t pid, int timeout_ms)
{
  int status = game_ended(pid, timeout_ms);
  if (status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  return status;
}

void pointer_to(int x, int y)
{
  XTestFakeMotionEvent(display(), -1, origin_x + x, origin_y + y, CurrentTime);
  XSync(display(), False);
}

void button_down(int button)
{
  XTestFakeButtonEvent(display(), button, True, CurrentTime);
  XSync(display(), False);
}

void button_up(int button)
{
  XTestFakeButtonEvent(display(), button, False, CurrentTime);
  XSync(display(), False);
}

int move_pointer(int x, int y)
{
  static SCREEN_SHOT shot;
  for (int attempt = 0; attempt < 10; attempt++) {
    if (attempt > 0)
      pointer_to(x + 1, y);
    pointer_to(x, y);
    for (int waited = 0; waited < 400; waited += 20) {
      grab_screen(&shot);
      if (pointer_on_screen(&shot, x, y))
        return 1;
      sleep_ms(20);
    }
  }
  save_failed_screen(&shot);
  return 0;
}

int bind_keysym(const char *name)
{
  KeySym sym = XStringToKeysym(name);
  if (sym == NoSymbol)
    return 0;
  if (XKeysymToKeycode(display(), sym))
    return 1;
  // A keycode the keyboard map leaves without symbols takes this one.
  int low, high, per;
  XDisplayKeycodes(display(), &low, &high);
  KeySym *map = XGetKeyboardMapping(display(), KeyCode(low), high - low + 1, &per);
  int spare = 0;
  for (int code = high; code >= low && !spare; code--) {
    int empty = 1;
    for (int i = 0; i < per; i++)
      empty &= map[(code - low) * per + i] == NoSymbol;
    if (empty)
      spare = code;
  }
  XFree(map);
  if (!spare)
    return 0;
  KeySym both[2] = {sym, sym};
  XChangeKeyboardMapping(display(), spare, 2, both, 1);
  XSync(display(), False);
  return XKeysymToKeycode(display(), sym) != 0;
}

int keycode_of(const char *keysym)
{
  return XKeysymToKeycode(display(), XStringToKeysym(keysym));
}

void set_key_symbols(int keycode, const char *lower, const char *upper)
{
  KeySym both[2] = {XStringToKeysym(lower), XStringToKeysym(upper)};
  XChangeKeyboardMapping(display(), keycode, 2, both, 1);
  XSync(display(), False);
}

static void key_event(KeySym sym, int down)
{
  KeyCode code = XKeysymToKeycode(display(), sym);
  XTestFakeKeyEvent(display(), code, down ? True : False, CurrentTime);
  XSync(display(), False);
}

void key_tap(const char *keysym, int ctrl)
{
  if (ctrl)
    key_event(XK_Control_L, 1);
  key_event(XStringToKeysym(keysym), 1);
  sleep_ms(30);
  key_event(XStringToKeysym(keysym), 0);
  if (ctrl)
    key_event(XK_Control_L, 0);
  sleep_ms(30);
}

void type_text(const std::string &text)
{
  for (char c : text) {
    KeySym sym = c == ' ' ? XK_space : static_cast<KeySym>(static_cast<unsigned char>(c));
    KeyCode code = XKeysymToKeycode(display(), sym);
    // The key's unshifted symbol differs for capitals and the like.
    int shift = XkbKeycodeToKeysym(display(), code, 0, 0) != sym;
    if (shift)
      key_event(XK_Shift_L, 1);
    key_event(sym, 1);
    sleep_ms(20);
    key_event(sym, 0);
    if (shift)
      key_event(XK_Shift_L, 0);
    sleep_ms(20);
  }
}

void click_at(int x, int y, int button, int hold_ms)
{
  move_pointer(x, y);
  button_down(button);
  sleep_ms(hold_ms);
  button_up(button);
  sleep_ms(60);
}

int input_caught_up(int x, int y)
{
  // 8 pixels apart, the arrow's top rows at one place never touch the
  // pixels pointer_on_screen looks at for the other.
  return move_pointer(x + 8, y) && move_pointer(x, y);
}

// The part of pixel p under mask, scaled to 0..255.
static int widen(unsigned long p, unsigned long mask)
{
  if (!mask)
    return 0;
  int shift = 0;
  while (!((mask >> shift) & 1))
    shift++;
  unsigned long top = mask >> shift;
  return static_cast<int>(((p & mask) >> shift) * 255 / top);
}

void grab_screen(SCREEN_SHOT *shot)
{
  Display *dpy = display();
  XImage *img = XGetImage(dpy, DefaultRootWindow(dpy), origin_x, origin_y, 800, 600, AllPlanes, ZPixmap);
  if (!img)
    abort();
  // The pixels as the screen's visual lays them out (16 bits a pixel on a
  // 16-bit screen), each part widened to 8 bits.
  unsigned long masks[3] = {img->red_mask, img->green_mask, img->blue_mask};
  for (int y = 0; y < 600; y++)
    for (int x = 0; x < 800; x++) {
      unsigned long p = XGetPixel(img, x, y);
      for (int i = 0; i < 3; i++)
        shot->rgb[y][x][i] = static_cast<unsigned char>(widen(p, masks[i]));
    }
  XDestroyImage(img);
}

void save_failed_screen(const SCREEN_SHOT *shot)
{
  static int count = 0;
  const char *dir = getenv("E2E_SHOT_DIR");
  if (!dir)
    return;
  char path[4096];
  snprintf(path, sizeof path, "%s/failed-%03d.ppm", dir, ++count);
  FILE *f = fopen(path, "wb");
  if (!f)
    return;
  fprintf(f, "P6\n800 600\n255\n");
  fwrite(shot->rgb, 1, sizeof shot->rgb, f);
  fclose(f);
}

// 16-bit colours reach the 24-bit screen rounded; allow a few levels.
static int near(const unsigned char *rgb, int r, int g, int b)
{
  return abs(rgb[0] - r) <= 8 && abs(rgb[1] - g) <= 8 && abs(rgb[2] - b) <= 8;
}

int image_on_screen(const SCREEN_SHOT *shot, int x, int y)
{
  for (int i = 0; i < TEST_IMAGE_COUNT; i++) {
    TEST_RGB c = test_colour(i);
    if (near(shot->rgb[y][x], c.r, c.g, c.b))
      return i;
  }
  return -1;
}

int locate_image_on_root(int image, int *x, int *y)
{
  Display *dpy = display();
  int width = DisplayWidth(dpy, DefaultScreen(dpy)), height = DisplayHeight(dpy, DefaultScreen(dpy));
  XImage *img = XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, width, height, AllPlanes, ZPixmap);
  if (!img)
    abort();
  TEST_RGB c = test_colour(image);
  int found = 0;
  for (int py = 0; py < height && !found; py++)
    for (int px = 0; px < width && !found; px++) {
      unsigned long p = XGetPixel(img, px, py);
      unsigned char rgb[3] = {static_cast<unsigned char>((p >> 16) & 0xff),
                              static_cast<unsigned char>((p >> 8) & 0xff), static_cast<unsigned char>(p & 0xff)};
      if (near(rgb, c.r, c.g, c.b)) {
        *x = px;
        *y = py;
        found = 1;
      }
    }
  XDestroyImage(img);
  return found;
}

int start_game_anywhere(const std::string &dir, pid_t *pid)
{
  set_game_origin(0, 0);
  *pid = start_game(dir);
  int x = 0, y = 0;
  for (int waited = 0; waited < 30000; waited += 100) {
    sleep_ms(100);
    if (locate_image_on_root(IMG_TITLE, &x, &y)) {
      set_game_origin(x - MENU_TITLE_X, y - MENU_TITLE_Y);
      return 1;
    }
  }
  return 0;
}

int pointer_on_screen(const SCREEN_SHOT *shot, int x, int y)
{
  // The arrow's first white pixels lie just below and right of its tip.
  for (int py = y; py < y + 4 && py < 600; py++)
    for (int px = x; px < x + 3 && px < 800; px++)
      if (near(shot->rgb[py][px], 255, 255, 255))
        return 1;
  return 0;
}

int magenta_on_screen(const SCREEN_SHOT *shot, int x, int y)
{
  return near(shot->rgb[y][x], 255, 0, 255);
}

// The expected glyphs come from the library's own font, drawn on a memory
// bitmap; no display is needed for that.
static void start_glyph_library(void)
{
  static int ready = 0;
  if (!ready) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    ready = 1;
  }
}

int text_on_screen(const SCREEN_SHOT *shot, int x, int y, const char *text)
{
  start_glyph_library();
  int len = ustrlen(text) + 1;  // characters of UTF-8, one blank cell after
  BITMAP *glyphs = create_bitmap_ex(8, 8 * len, 8);
  clear_to_color(glyphs, 0);
  textout_ex(glyphs, font, text, 0, 0, 1, 0);
  int same = 1;
  for (int gy = 0; gy < 8 && same; gy++)
    for (int gx = 0; gx < 8 * len && same; gx++) {
      if (x + gx >= 800)
        break;
      const unsigned char *p = shot->rgb[y + gy][x + gx];
      int red = near(p, 255, 0, 0);
      if (getpixel(glyphs, gx, gy) == 1 ? !red : (gx < 8 * (len - 1) ? !near(p, 0, 0, 0) : red))
        same = 0;
    }
  destroy_bitmap(glyphs);
  return same;
}

// text's letters in the library's font as pixels of value 1 on 0, margin
// pixels from each edge.
static BITMAP *glyph_bitmap(const char *text, int margin)
{
  start_glyph_library();
  BITMAP *glyphs = create_bitmap_ex(8, 8 * static_cast<int>(strlen(text)) + 1 + 2 * margin, 8 + 2 * margin);
  clear_to_color(glyphs, 0);
  textout_ex(glyphs, font, text, margin, margin, 1, 0);
  return glyphs;
}

int coloured_text_on_screen(const SCREEN_SHOT *shot, int x, int y, const char *text, int r, int g, int b)
{
  int len = static_cast<int>(strlen(text));
  BITMAP *glyphs = glyph_bitmap(text, 0);
  int same = 1;
  for (int gy = 0; gy < 8 && same; gy++)
    for (int gx = 0; gx < 8 * len && same && x + gx < 800; gx++)
      if ((getpixel(glyphs, gx, gy) == 1) != near(shot->rgb[y + gy][x + gx], r, g, b))
        same = 0;
  destroy_bitmap(glyphs);
  return same;
}

// The relative luminance of a colour, as contrast ratios weigh it.
static double luminance(const unsigned char *rgb)
{
  double parts[3];
  for (int i = 0; i < 3; i++) {
    double v = rgb[i] / 255.0;
    parts[i] = v <= 0.03928 ? v / 12.92 : pow((v + 0.055) / 1.055, 2.4);
  }
  return 0.2126 * parts[0] + 0.7152 * parts[1] + 0.0722 * parts[2];
}

double text_contrast(const SCREEN_SHOT *shot, int x, int y, const char *text)
{
  int len = static_cast<int>(strlen(text));
  BITMAP *glyphs = glyph_bitmap(text, 1);
  double ink = 0;
  int inked = 0;
  std::vector<double> behind;
  for (int gy = 0; gy < 10; gy++)
    for (int gx = 0; gx < 8 * len + 2; gx++) {
      int sx = x + gx - 1, sy = y + gy - 1;
      if (sx < 0 || sy < 0 || sx >= 800 || sy >= 600)
        continue;
      int near_glyph = 0;
      for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
          near_glyph |= getpixel(glyphs, gx + dx, gy + dy) == 1;
      if (getpixel(glyphs, gx, gy) == 1)
        ink += luminance(shot->rgb[sy][sx]), inked++;
      else if (near_glyph)
        behind.push_back(luminance(shot->rgb[sy][sx]));
    }
  destroy_bitmap(glyphs);
  if (!inked || behind.empty())
    return 0;
  ink /= inked;
  std::vector<double> ratios;
  for (double b : behind)
    ratios.push_back((std::max(ink, b) + 0.05) / (std::min(ink, b) + 0.05));
  std::sort(ratios.begin(), ratios.end());
  return ratios[ratios.size() / 20];
}

// The library's windows (class "allegro") among the root's children.
static std::vector<Window> game_windows(void)
{
  Display *dpy = display();
  std::vector<Window> found;
  Window root_return, parent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root_return, &parent, &children, &count))
    return found;
  for (unsigned int i = 0; i < count; i++) {
    XClassHint hint;
    if (!XGetClassHint(dpy, children[i], &hint))
      continue;
    if (hint.res_class && strcasecmp(hint.res_class, "allegro") == 0)
      found.push_back(children[i]);
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  XFree(children);
  return found;
}

int send_close_to_game(void)
{
  Display *dpy = display();
  Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
  Atom delete_window = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  int sent = 0;
  for (Window window : game_windows()) {
    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = protocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(delete_window);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, window, False, NoEventMask, &ev);
    sent++;
  }
  XSync(dpy, False);
  return sent;
}

std::vector<std::string> game_window_titles(void)
{
  std::vector<std::string> titles;
  for (Window window : game_windows()) {
    char *name = nullptr;
    if (XFetchName(display(), window, &name) && name) {
      titles.push_back(name);
      XFree(name);
    } else {
      titles.push_back("");
    }
  }
  return titles;
}

// Milliseconds on a clock that only goes forward.
static double now_ms(void)
{
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// An Xvfb server of the test's own, on a display number it picks itself,
// made the test's DISPLAY (and so the game's) once it accepts connections.
pid_t start_server(const char *screen)
{
  int ready[2];
  if (pipe(ready) != 0)
    return -1;
  pid_t server = fork();
  if (server == 0) {
    close(ready[0]);
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    std::string fd = std::to_string(ready[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-noreset", "-nolisten", "tcp",
           (char *)nullptr);
    _exit(127);
  }
  close(ready[1]);
  char number[32] = {};
  size_t got = 0;
  double deadline = now_ms() + 10000;
  while (got < sizeof number - 1 && !strchr(number, '\n') && now_ms() < deadline) {
    struct pollfd p = {ready[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0)
      continue;
    ssize_t n = read(ready[0], number + got, sizeof number - 1 - got);
    if (n <= 0)
      break;
    got += n;
  }
  close(ready[0]);
  if (!strchr(number, '\n')) {
    kill(server, SIGKILL);
    waitpid(server, nullptr, 0);
    return -1;
  }
  setenv("DISPLAY", (":" + std::string(number, strcspn(number, "\n"))).c_str(), 1);
  return server;
}

// Ends a server with sig (SIGKILL when it outlasts that by 5 s).
void stop_server(pid_t server, int sig)
{
  close_test_display();
  kill(server, sig);
  for (double deadline = now_ms() + 5000; now_ms() < deadline;)
    if (waitpid(server, nullptr, WNOHANG) == server)
      return;
    else
      sleep_ms(5);
  kill(server, SIGKILL);
  waitpid(server, nullptr, 0);
}
