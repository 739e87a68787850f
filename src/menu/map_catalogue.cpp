// The map catalogue: the entries of "mapy", numbered from 1 in the order the
// platform lists them, "." and ".." and a save's temporary files left out by
// name. Nothing is cached.
#include "match/match.h"
#include "menu/menu.h"
#include "shell/input.h"
#include "platform/platform.h"

#include <cstdio>

enum { FOUND, PAST_END, NO_DIRECTORY };

enum { MAP_NAME_MAX = 1024 };  // a file name's bytes on any system, UTF-8 included

// Copies the name of map number index (1-based) into name. Past the end,
// *count holds how many maps the directory has.
static int find_map(int index, char *name, size_t size, int *count)
{
  PLATFORM_FOLDER *folder = platform_folder_open(MAPS_DIRECTORY);
  if (!folder)
    return NO_DIRECTORY;
  int result = PAST_END;
  int position = 0;
  while (const char *entry = platform_folder_next(folder)) {
    if (map_is_save_temp(entry))
      continue;
    if (++position == index) {
      snprintf(name, size, "%s", entry);
      result = FOUND;
      break;
    }
  }
  platform_folder_close(folder);
  *count = position;
  return result;
}

static void renew_path_buffer(MENU *menu)
{
  delete[] menu->map_path;
  menu->map_path = new char[MAP_PATH_SIZE];
  menu->map_path[0] = '\0';  // a start click with no map then loads nothing
}

static void step_index(MENU *menu, int mode)
{
  switch (mode) {
  case MAP_PREVIOUS:
    if (menu->map_index > 1) {
      menu->map_index--;
      pause_200ms();
    }
    break;
  case MAP_NEXT:
    menu->map_index++;
    pause_200ms();
    break;
  case MAP_STEP_BACK:
    menu->map_index--;
    break;
  default:
    break;
  }
}

const char *select_map(MENU *menu, int mode)
{
  static char label[MAP_NAME_MAX];
  // Past the last map the selection steps back to the last map there is, or
  // to 0 when there is none. The pass that ran off the end has counted the
  // maps, so the step back goes there at once rather than one position and
  // one directory pass at a time (thousands of passes for a large folder).
  for (;;) {
    renew_path_buffer(menu);
    step_index(menu, mode);
    if (menu->map_index <= 0)
      return MAPS_NOT_FOUND;
    int count = 0;
    int found = find_map(menu->map_index, label, sizeof label, &count);
    if (found == NO_DIRECTORY)
      return MAPS_NOT_FOUND;
    if (found == FOUND) {
      snprintf(menu->map_path, MAP_PATH_SIZE, MAPS_DIRECTORY "/%s", label);
      return label;
    }
    menu->map_index = count + 1;
    mode = MAP_STEP_BACK;
  }
}
