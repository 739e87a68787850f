// PNG output through libpng: 8-bit RGBA, no time stamp, so the same picture
// always gives the same file.
#include "png_write.h"

#include <png.h>

#include <cstdio>
#include <vector>

int write_png_rgba(const char *path, int w, int h, const unsigned char *rgba)
{
  // Made before setjmp: an error's longjmp must not skip a destructor.
  std::vector<png_bytep> rows(h);
  for (int y = 0; y < h; y++)
    rows[y] = const_cast<png_bytep>(rgba + 4 * w * y);
  FILE *f = fopen(path, "wb");
  if (!f)
    return -1;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    fclose(f);
    return -1;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return fclose(f) == 0 ? 0 : -1;
}
