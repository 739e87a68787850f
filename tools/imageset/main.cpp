// Paints the game's 48 pictures and writes them as 24-bit BMP files
// 00.bmp .. 47.bmp into the given folder, ready to be packed in index order.
// A picture that outgrows its room, or that holds a colour the game would
// take for transparent without it being pure magenta, stops the program.
#include "pictures.h"
#include "rooms.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

// 1 when the colour turns into the 16-bit mask colour without being magenta.
static int near_magenta(RGB8 c)
{
  return !(c.r == 255 && c.g == 0 && c.b == 255) && (c.r >> 3) == 31 && (c.g >> 2) == 0 && (c.b >> 3) == 31;
}

// The reason picture index cannot go into the set, or null.
static const char *picture_fault(int index, BITMAP *bmp)
{
  IMAGE_ROOM room = image_room(index);
  if (bmp->w < room.min_w || bmp->h < room.min_h || bmp->w > room.max_w || bmp->h > room.max_h)
    return "size outside its room";
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++) {
      int p = getpixel(bmp, x, y);
      if (near_magenta(rgb_of(bmp, p)))
        return "a colour too close to magenta";
      if (image_is_opaque(index) && is_magenta(bmp, p))
        return "a transparent pixel in a picture copied opaque";
    }
  return nullptr;
}

int main(int argc, char **argv)
{
  if (argc != 2) {
    fprintf(stderr, "usage: paint_images OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    fprintf(stderr, "paint_images: the graphics library did not start\n");
    return 1;
  }
  set_color_depth(24);
  for (int i = 0; i < IMG_COUNT; i++) {
    BITMAP *bmp = paint_image(i);
    if (!bmp) {
      fprintf(stderr, "paint_images: no painter for image %d\n", i);
      return 1;
    }
    const char *fault = picture_fault(i, bmp);
    if (fault) {
      fprintf(stderr, "paint_images: image %d (%dx%d): %s\n", i, bmp->w, bmp->h, fault);
      return 1;
    }
    char path[4096];
    snprintf(path, sizeof path, "%s/%02d.bmp", argv[1], i);
    if (save_bmp(path, bmp, nullptr) != 0) {
      fprintf(stderr, "paint_images: cannot write %s\n", path);
      return 1;
    }
    destroy_bitmap(bmp);
  }
  return 0;
}
