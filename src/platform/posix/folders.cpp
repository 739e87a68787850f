// The POSIX side of the platform seam's one-name-at-a-time folder listing:
// names come in the order the system's readdir yields them.
#include "platform/platform.h"

#include <cstring>
#include <dirent.h>

struct PLATFORM_FOLDER {
  DIR *dir;
};

PLATFORM_FOLDER *platform_folder_open(const char *folder)
{
  DIR *dir = opendir(folder);
  return dir ? new PLATFORM_FOLDER{dir} : nullptr;
}

const char *platform_folder_next(PLATFORM_FOLDER *folder)
{
  while (struct dirent *entry = readdir(folder->dir))
    if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
      return entry->d_name;
  return nullptr;
}

void platform_folder_close(PLATFORM_FOLDER *folder)
{
  closedir(folder->dir);
  delete folder;
}
