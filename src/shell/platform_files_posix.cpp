// The POSIX side of the platform seam's file functions.
#include "shell/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int platform_open_read(const char *path)
{
  return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

// The permissions for a file replacing target: its own where it is a regular
// file, otherwise 0666 less the umask, as any tool creates files.
static mode_t mode_for(const char *target)
{
  struct stat st;
  if (lstat(target, &st) == 0 && S_ISREG(st.st_mode))
    return st.st_mode & 0777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int platform_create_temp(char *path_template, const char *target)
{
  mode_t mode = mode_for(target);
  int fd = mkstemp(path_template);
  if (fd >= 0 && fchmod(fd, mode) != 0) {
    close(fd);
    unlink(path_template);
    return -1;
  }
  return fd;
}

int platform_same_file(const char *a, const char *b)
{
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int platform_replace_file(const char *from, const char *to)
{
  return rename(from, to);
}

void platform_binary_stdout(void) {}

const char *platform_last_separator(const char *path)
{
  return strrchr(path, '/');
}

int platform_path_exists(const char *path)
{
  struct stat st;
  return lstat(path, &st) == 0;
}

int platform_is_protected(const char *path)
{
  struct stat st;
  return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

int platform_make_folder(const char *path)
{
  struct stat st;
  if (stat(path, &st) == 0)
    return S_ISDIR(st.st_mode) ? 0 : -1;
  return mkdir(path, 0755) == 0 || errno == EEXIST ? 0 : -1;
}

std::vector<std::string> platform_folder_names(const char *folder)
{
  std::vector<std::string> names;
  DIR *dir = opendir(folder);
  if (!dir)
    return names;
  while (struct dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..")
      names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}
