// File checks, reads and writes for the editor: the one place it touches the
// file system, through the map kit's helpers and the platform seam.
#include "editor_files.h"
#include "editor.h"
#include "kit_files.h"
#include "match/match.h"
#include "shell/platform.h"

#include <ctime>

int map_open(const char *path, std::string *bytes)
{
  std::string why;
  switch (kit_read_file_kind(path, EDIT_MAX_FILE + 1, bytes, &why)) {
  case KIT_READ_OK:
    break;
  case KIT_READ_MISSING:
    return OPEN_MISSING;
  case KIT_READ_DIRECTORY:
    return OPEN_DIRECTORY;
  case KIT_READ_NOT_REGULAR:
    return OPEN_NOT_REGULAR;
  default:
    return OPEN_UNREADABLE;
  }
  if (bytes->size() > EDIT_MAX_FILE)
    return OPEN_TOO_LONG;
  return bytes->size() > 1400 ? OPEN_LONG : OPEN_OK;
}

std::string map_open_message(int outcome, const std::string &name)
{
  switch (outcome) {
  case OPEN_OK:
    return "Otevreno: " + name;
  case OPEN_LONG:
    return "Otevreno: " + name + " (delsi nez 1400 bajtu, zbytek se uchova)";
  case OPEN_MISSING:
    return "Soubor neexistuje: " + name;
  case OPEN_DIRECTORY:
    return "Je to slozka, ne mapa: " + name;
  case OPEN_NOT_REGULAR:
    return "Neni to obycejny soubor: " + name;
  case OPEN_TOO_LONG:
    return "Soubor je prilis dlouhy (nad 1 MB): " + name;
  default:
    return "Soubor nelze cist: " + name;
  }
}

int map_save(const char *path, const std::string &bytes, std::string *why)
{
  std::string reason;  // the kit's English words, for its own users
  switch (kit_write_file(path, bytes.data(), bytes.size(), &reason)) {
  case KIT_WRITE_OK:
    return 0;
  case KIT_WRITE_DIRECTORY:
    *why = "Na tom miste je slozka";
    break;
  case KIT_WRITE_NOT_REGULAR:
    *why = "Na tom miste neni obycejny soubor";
    break;
  case KIT_WRITE_NO_FOLDER:
    *why = "Do slozky map nelze zapisovat";
    break;
  default:
    *why = "Zapis se nepovedl";
    break;
  }
  return -1;
}

int same_file(const char *a, const char *b)
{
  return kit_same_file(a, b);
}

int path_exists(const char *path)
{
  return platform_path_exists(path);
}

int path_is_shipped(const char *path)
{
  return platform_is_protected(path);
}

void remove_stale_saves(const char *folder)
{
  kit_remove_stale_temps(folder, static_cast<long long>(time(nullptr)));
}

int make_folder(const char *path)
{
  return platform_make_folder(path);
}

std::vector<MAP_ENTRY> map_list(const char *folder)
{
  std::vector<MAP_ENTRY> maps;
  PLATFORM_FOLDER *listing = platform_folder_open(folder);
  if (!listing)
    return maps;
  while (const char *name = platform_folder_next(listing)) {
    if (map_is_save_temp(name))
      continue;
    // Only regular files (also behind a link) are maps; a folder, FIFO or
    // device is never opened.
    std::string path = std::string(folder) + "/" + name, bytes, why;
    if (platform_path_kind(path.c_str()) != PLATFORM_REGULAR)
      continue;
    MAP_ENTRY entry = {name, path_is_shipped(path.c_str()), -1, -1};
    if (kit_read_file_kind(path.c_str(), BOARD_CELLS, &bytes, &why) == KIT_READ_OK) {
      EDIT_COUNTS counts = bytes_counts(bytes);
      entry.points = counts.points;
      entry.traps = counts.traps;
    }
    maps.push_back(entry);
  }
  platform_folder_close(listing);
  return maps;
}
