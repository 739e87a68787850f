// Reading a map file into the board: one byte per cell in index order,
// taken as it is; nothing readable gives an empty board.
#include "match/match.h"
#include "platform/platform.h"

#include <cstring>

int map_load(int cells[BOARD_CELLS], const char *path)
{
  for (int i = 0; i < BOARD_CELLS; i++)
    cells[i] = CELL_EMPTY;

  // Only a regular file is read. A FIFO without a writer does not stall the
  // open; its kind then turns it away.
  if (!path || !path[0])
    return 0;
  int fd = platform_open_read(path);
  if (fd < 0)
    return 0;
  int count = 0;
  if (platform_fd_kind(fd) == PLATFORM_REGULAR) {
    unsigned char bytes[BOARD_CELLS];
    while (count < BOARD_CELLS) {
      long got = platform_read(fd, bytes + count, BOARD_CELLS - count);
      if (got <= 0)
        break;
      count += static_cast<int>(got);
    }
    for (int i = 0; i < count; i++)
      cells[i] = bytes[i];
  }
  platform_close(fd);
  return count;
}

int map_is_save_temp(const char *name)
{
  return strncmp(name, MAP_SAVE_TEMP_PREFIX, strlen(MAP_SAVE_TEMP_PREFIX)) == 0;
}
