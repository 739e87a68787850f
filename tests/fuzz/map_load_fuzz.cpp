// Fuzz target: any bytes as a map file give a board of byte values, exactly
// as many cells filled as bytes read (at most 1400), the rest empty.
#include "match/match.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
  // The map file lives in the run's own folder (run.sh removes it).
  static std::string path = std::string(getenv("POKLAD_FUZZ_DIR") ? getenv("POKLAD_FUZZ_DIR") : ".") + "/map";
  static int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
  if (fd < 0)
    abort();
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
    abort();

  static int cells[BOARD_CELLS];
  int count = map_load(cells, path.c_str());
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
