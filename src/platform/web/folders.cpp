// The web side of the platform seam's one-name-at-a-time folder listing.
// The browser's in-memory file system lists in the order files were added,
// and files kept in the browser's storage come back in another order after
// a reload, so the names are read at once and given sorted by their bytes:
// the same order before and after a reload.
#include "platform/platform.h"

#include <algorithm>
#include <cstddef>

struct PLATFORM_FOLDER {
  std::vector<std::string> names;
  std::size_t next;
};

PLATFORM_FOLDER *platform_folder_open(const char *folder)
{
  if (!platform_path_exists(folder))
    return nullptr;
  // platform_folder_names leaves out "." and ".." and sorts by bytes.
  return new PLATFORM_FOLDER{platform_folder_names(folder), 0};
}

const char *platform_folder_next(PLATFORM_FOLDER *folder)
{
  if (folder->next >= folder->names.size())
    return nullptr;
  return folder->names[folder->next++].c_str();
}

void platform_folder_close(PLATFORM_FOLDER *folder)
{
  delete folder;
}
