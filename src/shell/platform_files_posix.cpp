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

void platform_utf8_args(int *argc, char ***argv)
{
  (void)argc;
  (void)argv;
}

std::string platform_enter_data_folder(const char *marker)
{
  (void)marker;
  return "";
}

std::string platform_current_folder(void)
{
  char here[4096];
  return getcwd(here, sizeof here) ? here : "";
}

int platform_enter_folder(const char *folder)
{
  return chdir(folder);
}

std::string platform_path_from(const std::string &from, const char *path)
{
  if (from.empty() || path[0] == '/')
    return path;
  return from + "/" + path;
}

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

static int kind_of(const struct stat *st)
{
  if (S_ISREG(st->st_mode))
    return PLATFORM_REGULAR;
  return S_ISDIR(st->st_mode) ? PLATFORM_DIRECTORY : PLATFORM_OTHER;
}

int platform_path_kind(const char *path)
{
  struct stat st;
  return stat(path, &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

int platform_fd_kind(int fd)
{
  struct stat st;
  return fstat(fd, &st) == 0 ? kind_of(&st) : PLATFORM_NOTHING;
}

long platform_read(int fd, void *buffer, size_t size)
{
  return read(fd, buffer, size);
}

long platform_write(int fd, const void *buffer, size_t size)
{
  return write(fd, buffer, size);
}

int platform_close(int fd)
{
  return close(fd);
}

int platform_remove_file(const char *path)
{
  return unlink(path);
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
