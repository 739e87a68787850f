// Reading a map file into the board: one byte per cell in index order,
// taken as it is; nothing readable gives an empty board.
#include "match/match.h"
#include "shell/platform.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// Opens path for reading only if it is a regular file. A FIFO without a
// writer does not stall the open; fstat then turns it away.
static FILE *open_regular_file(const char *path)
{
  if (!path || !path[0])
    return nullptr;
  int fd = platform_open_read(path);
  if (fd < 0)
    return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return nullptr;
  }
  FILE *file = fdopen(fd, "rb");
  if (!file)
    close(fd);
  return file;
}

int map_load(int cells[BOARD_CELLS], const char *path)
{
  for (int i = 0; i < BOARD_CELLS; i++)
    cells[i] = CELL_EMPTY;

  FILE *file = open_regular_file(path);
  if (!file)
    return 0;
  int count = 0;
  while (count < BOARD_CELLS) {
    int byte = fgetc(file);
    if (byte == EOF)
      break;
    cells[count++] = byte;
  }
  fclose(file);
  return count;
}

int map_is_save_temp(const char *name)
{
  return strncmp(name, MAP_SAVE_TEMP_PREFIX, strlen(MAP_SAVE_TEMP_PREFIX)) == 0;
}
