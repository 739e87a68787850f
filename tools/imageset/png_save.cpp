// Saving a frame as a whole PNG file or not at all.
#include "png_save.h"
#include "platform/platform.h"

#include <loadpng.h>

#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

// 1 when the file at path ends in a PNG's closing chunk (IEND), the last
// bytes the encoder writes, and all of it is on the disk: a write that
// failed late (a full disk at the last flush), which the encoder does not
// always report, leaves it without.
static int png_complete(const char *path)
{
  static const unsigned char end[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  unsigned char last[12];
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return 0;
  int whole = lseek(fd, -12, SEEK_END) >= 0 && read(fd, last, sizeof last) == sizeof last &&
              memcmp(last, end, sizeof end) == 0 && fsync(fd) == 0;
  close(fd);
  return whole;
}

int save_png_whole(const char *path, BITMAP *bmp)
{
  PALETTE palette;
  get_palette(palette);
  int kind = platform_path_kind(path);
  if (platform_is_protected(path) || (kind != PLATFORM_NOTHING && kind != PLATFORM_REGULAR))
    return save_png(path, bmp, palette) == 0 ? 0 : -1;
  std::vector<char> folder(strlen(path) + 2);
  platform_folder_of(path, folder.data(), folder.size());
  std::string temp = std::string(folder.data()) + "/.png-save-XXXXXX";
  int fd = platform_create_temp(&temp[0], path);
  if (fd < 0)
    return -1;
  platform_close(fd);
  if (save_png(temp.c_str(), bmp, palette) == 0 && png_complete(temp.c_str()) &&
      platform_replace_file(temp.c_str(), path) == 0)
    return 0;
  platform_remove_file(temp.c_str());
  return -1;
}
