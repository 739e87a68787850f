// Writes the 48 pictures of the test image set as 24-bit BMP files 00.bmp ..
// 47.bmp. Each picture is one colour of its own (distinct at 16 bits per
// pixel, never black, never near magenta) with its bottom-right quarter pure
// magenta, so a test can tell from one pixel which image was drawn where and
// from another whether it was copied opaque or masked.
#include "test_colours.h"

#include <cstdio>
#include <vector>

static int write_bmp(const char *path, int w, int h, int index)
{
  int row_bytes = (w * 3 + 3) & ~3;
  std::vector<unsigned char> pixels(row_bytes * h, 0);
  TEST_RGB colour = test_colour(index);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      TEST_RGB c = test_is_masked_part(x, y, w, h) ? TEST_RGB{255, 0, 255} : colour;
      unsigned char *p = &pixels[(h - 1 - y) * row_bytes + x * 3];
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  }
  FILE *f = fopen(path, "wb");
  if (!f)
    return 0;
  unsigned int size = 54 + pixels.size();
  unsigned char header[54] = {'B', 'M'};
  auto put32 = [&](int at, unsigned int v) {
    for (int i = 0; i < 4; i++)
      header[at + i] = (v >> (8 * i)) & 0xff;
  };
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  header[26] = 1;
  header[28] = 24;
  put32(34, pixels.size());
  int ok = fwrite(header, 1, 54, f) == 54 && fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
  return fclose(f) == 0 && ok;
}

int main(int argc, char **argv)
{
  if (argc != 2) {
    fprintf(stderr, "usage: make_test_images OUTPUT_DIR\n");
    return 2;
  }
  for (int i = 0; i < TEST_IMAGE_COUNT; i++) {
    char path[4096];
    snprintf(path, sizeof path, "%s/%02d.bmp", argv[1], i);
    TEST_SIZE size = test_image_size(i);
    if (!write_bmp(path, size.w, size.h, i)) {
      fprintf(stderr, "make_test_images: cannot write %s\n", path);
      return 1;
    }
  }
  return 0;
}
