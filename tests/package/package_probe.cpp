// Looks at the installed game from outside for the package test, through
// the X server of the test's display:
//   package_probe label DIR      waits until the menu's map field shows the
//                                first entry of DIR, prints that name
//   package_probe seek NAME      clicks the next-map arrow until the field
//                                shows NAME
//   package_probe window         waits for a game window that a window
//                                manager would manage and could close
//   package_probe close          sends the window manager's close message
// Each exits with 0 when it saw what it waits for, 1 otherwise.
#include "game_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>

namespace {

enum { FIELD_X = 314, FIELD_Y = 354, NEXT_X = 496, NEXT_Y = 357, WAIT_MS = 10000 };

// The first entry of dir in the directory's own order, "." and ".." left
// out: the map the menu selects first.
std::string first_entry(const char *dir)
{
  std::string name;
  if (DIR *d = opendir(dir)) {
    while (dirent *e = readdir(d))
      if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) {
        name = e->d_name;
        break;
      }
    closedir(d);
  }
  return name;
}

int field_shows(const std::string &name, int timeout_ms)
{
  return wait_screen([&](const SCREEN_SHOT *s) { return text_on_screen(s, FIELD_X, FIELD_Y, name.c_str()); },
                     timeout_ms);
}

int label(const char *dir)
{
  // The launcher may still be making the folder when the probe starts.
  for (int tries = 0; tries < WAIT_MS / 100; tries++) {
    std::string name = first_entry(dir);
    if (name.empty())
      sleep_ms(100);
    else if (field_shows(name, 100)) {
      printf("%s\n", name.c_str());
      return 0;
    }
  }
  fprintf(stderr, "package_probe: the map field never showed the first entry of %s ('%s')\n", dir,
          first_entry(dir).c_str());
  return 1;
}

int seek(const char *name)
{
  if (field_shows(name, 1000))
    return 0;
  for (int click = 0; click < 30; click++) {
    click_at(NEXT_X, NEXT_Y, 1, 100);
    if (field_shows(name, 600))
      return 0;
  }
  fprintf(stderr, "package_probe: no map '%s' in the menu\n", name);
  return 1;
}

// 1 when w is mapped, not override-redirect, and takes WM_DELETE_WINDOW.
int managed_window(Display *dpy, Window w)
{
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(dpy, w, &attributes) || attributes.override_redirect ||
      attributes.map_state != IsViewable)
    return 0;
  Atom *protocols = nullptr;
  int count = 0;
  int takes_close = 0;
  Atom delete_window = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  if (XGetWMProtocols(dpy, w, &protocols, &count)) {
    for (int i = 0; i < count; i++)
      takes_close |= protocols[i] == delete_window;
    XFree(protocols);
  }
  return takes_close;
}

int window(void)
{
  Display *dpy = XOpenDisplay(nullptr);
  if (!dpy)
    return 1;
  for (int waited = 0; waited < WAIT_MS; waited += 50) {
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    int found = 0;
    if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &count)) {
      for (unsigned int i = 0; i < count && !found; i++) {
        XClassHint hint;
        if (!XGetClassHint(dpy, children[i], &hint))
          continue;
        found = hint.res_class && strcasecmp(hint.res_class, "allegro") == 0 && managed_window(dpy, children[i]);
        XFree(hint.res_name);
        XFree(hint.res_class);
      }
      XFree(children);
    }
    if (found) {
      XCloseDisplay(dpy);
      return 0;
    }
    sleep_ms(50);
  }
  XCloseDisplay(dpy);
  fprintf(stderr, "package_probe: no game window that a window manager could close\n");
  return 1;
}

}  // namespace

int main(int argc, char **argv)
{
  if (argc == 3 && !strcmp(argv[1], "label"))
    return label(argv[2]);
  if (argc == 3 && !strcmp(argv[1], "seek"))
    return seek(argv[2]);
  if (argc == 2 && !strcmp(argv[1], "window"))
    return window();
  if (argc == 2 && !strcmp(argv[1], "close"))
    return send_close_to_game() > 0 ? 0 : 1;
  fprintf(stderr, "usage: package_probe label DIR | seek NAME | window | close\n");
  return 2;
}
