// Fuzz target: any bytes as a map file give a board of byte values, exactly
// as many cells filled as bytes read (at most 1400), the rest empty.
#include "match/match.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
  static char path[] = "/tmp/poklad-fuzz-mapXXXXXX";
  static int fd = mkstemp(path);
  if (fd < 0)
    abort();
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
    abort();

  static int cells[BOARD_CELLS];
  int count = map_load(cells, path);
  size_t expected = size < BOARD_CELLS ? size : BOARD_CELLS;
  if (count != static_cast<int>(expected))
    abort();
  for (int i = 0; i < BOARD_CELLS; i++) {
    int want = i < count ? data[i] : CELL_EMPTY;
    if (cells[i] != want)
      abort();
  }
  return 0;
}
