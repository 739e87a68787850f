#include "temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static std::vector<std::string> made;

static void remove_made(void)
{
  for (const std::string &path : made)
    remove_folder(path);
}

std::string temp_folder(const char *name)
{
  std::string tmpl = std::string("/tmp/poklad-") + name + "-XXXXXX";
  if (!mkdtemp(&tmpl[0])) {
    perror(tmpl.c_str());
    abort();
  }
  if (made.empty())
    atexit(remove_made);
  made.push_back(tmpl);
  return tmpl;
}

// Folders first, top down: their entries can then be removed whatever
// permissions a test gave them.
static int open_up(const char *path, const struct stat *st, int type, struct FTW *)
{
  if (type == FTW_D || type == FTW_DNR)
    chmod(path, (st->st_mode & 07777) | S_IRWXU);
  return 0;
}

static int remove_entry(const char *path, const struct stat *, int, struct FTW *)
{
  remove(path);
  return 0;
}

void remove_folder(const std::string &path)
{
  struct stat st;
  if (lstat(path.c_str(), &st) != 0)
    return;
  nftw(path.c_str(), open_up, 16, FTW_PHYS);
  nftw(path.c_str(), remove_entry, 16, FTW_PHYS | FTW_DEPTH);
}
