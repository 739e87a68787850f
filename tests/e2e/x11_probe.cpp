// A small X client for the end-to-end tests: sends a window the close
// request a window manager sends when its close button is pressed, and
// reads the colour of a pixel of the root window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Sends the WM_PROTOCOLS / WM_DELETE_WINDOW client message to window.
static int send_close(Display *display, Window window)
{
  XEvent event;
  memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  if (!XSendEvent(display, window, False, NoEventMask, &event))
    return 1;
  XSync(display, False);
  return 0;
}

// Prints the pixel at (x, y) of the root window as "R G B", 0..255 each.
static int print_pixel(Display *display, int x, int y)
{
  Window root = DefaultRootWindow(display);
  XImage *image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image)
    return 1;
  XColor colour;
  colour.pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  XQueryColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
  printf("%d %d %d\n", colour.red >> 8, colour.green >> 8, colour.blue >> 8);
  return 0;
}

int main(int argc, char **argv)
{
  int close_mode = argc == 3 && strcmp(argv[1], "close") == 0;
  int pixel_mode = argc == 4 && strcmp(argv[1], "pixel") == 0;
  if (!close_mode && !pixel_mode) {
    fprintf(stderr, "usage: x11_probe close WINDOW | x11_probe pixel X Y\n");
    return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (!display) {
    fprintf(stderr, "x11_probe: no display\n");
    return 2;
  }
  int status = close_mode ? send_close(display, strtoul(argv[2], nullptr, 0))
                          : print_pixel(display, atoi(argv[2]), atoi(argv[3]));
  XCloseDisplay(display);
  return status;
}
