// The web's folder listing (platform_folder_web.cpp), built here against the
// POSIX file functions: names come sorted by their bytes whatever order the
// file system yields them in, "." and ".." left out.
#include "platform/platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> listed(const char *folder)
{
  std::vector<std::string> names;
  PLATFORM_FOLDER *f = platform_folder_open(folder);
  if (!f)
    return {"<cannot open>"};
  while (const char *name = platform_folder_next(f))
    names.push_back(name);
  EXPECT_EQ(platform_folder_next(f), nullptr) << "after the last name";
  platform_folder_close(f);
  return names;
}

TEST(WebFolder, SortedByBytesWhateverTheAddingOrder)
{
  struct ROW {
    const char *name;
    std::vector<std::string> added;
    std::vector<std::string> want;
  };
  const ROW rows[] = {
      {"empty", {}, {}},
      {"one", {"Zlaty ostrov"}, {"Zlaty ostrov"}},
      {"added backwards", {"c", "b", "a"}, {"a", "b", "c"}},
      {"capitals before small letters", {"ostrov", "Ostrov", "_mapa", "2 ostrovy"}, {"2 ostrovy", "Ostrov", "_mapa", "ostrov"}},
      {"bytes over 127 last", {"\xc3\xa1mapa", "zeme", "a"}, {"a", "zeme", "\xc3\xa1mapa"}},
      {"a name and its longer form", {"mapa 2", "mapa"}, {"mapa", "mapa 2"}},
  };
  for (const ROW &row : rows) {
    std::string dir = temp_folder("webfolder");
    for (const std::string &name : row.added)
      fclose(fopen((dir + "/" + name).c_str(), "wb"));
    EXPECT_EQ(listed(dir.c_str()), row.want) << row.name;
    remove_folder(dir);
  }
}

TEST(WebFolder, AMissingFolderDoesNotOpen)
{
  EXPECT_EQ(platform_folder_open("/tmp/no such folder here/mapy"), nullptr);
}

}  // namespace
