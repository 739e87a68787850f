// The map catalogue on temporary "mapy" folders: numbering in the folder's
// own enumeration order, the arrows and their pauses, the step back past the
// last map, missing and empty folders, and unusual entry names.
#include "display_env.h"
#include "menu/menu.h"
#include "shell/input.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The folder's entries as the platform enumerates them, "." and ".." left out.
std::vector<std::string> listed_maps()
{
  std::vector<std::string> names;
  DIR *dir = opendir("mapy");
  if (!dir)
    return names;
  while (struct dirent *entry = readdir(dir))
    if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
      names.push_back(entry->d_name);
  closedir(dir);
  return names;
}

class MapCatalogue : public ::testing::Test {
protected:
  TEMP_WORKDIR dir;
  MENU menu{};

  void SetUp() override { menu.map_index = 1; }
  void TearDown() override { delete[] menu.map_path; }

  void make_maps(const std::vector<std::string> &names)
  {
    ASSERT_EQ(mkdir("mapy", 0755), 0);
    for (const std::string &name : names)
      dir.write_file("mapy/" + name, "");
  }

  // Calls select_map and checks the label, the path buffer and the index.
  void expect_select(int mode, const std::string &label, int index, int pauses)
  {
    int before = pause_count;
    std::string shown = select_map(&menu, mode);
    EXPECT_EQ(shown, label);
    ASSERT_NE(menu.map_path, nullptr);
    if (label == MAPS_NOT_FOUND)
      EXPECT_STREQ(menu.map_path, "");
    else
      EXPECT_EQ(std::string(menu.map_path), "mapy/" + label);
    EXPECT_EQ(menu.map_index, index);
    EXPECT_EQ(pause_count - before, pauses);
  }
};

TEST_F(MapCatalogue, ArrowsStepThroughThreeMapsInEnumerationOrder)
{
  make_maps({"a", "b", "c"});
  std::vector<std::string> maps = listed_maps();
  ASSERT_EQ(maps.size(), 3u);

  expect_select(MAP_REFRESH, maps[0], 1, 0);
  EXPECT_GE(malloc_usable_size(menu.map_path), static_cast<size_t>(MAP_PATH_SIZE));
  expect_select(MAP_NEXT, maps[1], 2, 1);
  expect_select(MAP_REFRESH, maps[1], 2, 0);
  expect_select(MAP_NEXT, maps[2], 3, 1);
  // Past the last map the selection steps back to it, after the pause.
  expect_select(MAP_NEXT, maps[2], 3, 1);
  expect_select(MAP_PREVIOUS, maps[1], 2, 1);
  expect_select(MAP_PREVIOUS, maps[0], 1, 1);
  // The previous arrow on the first map neither moves nor pauses.
  expect_select(MAP_PREVIOUS, maps[0], 1, 0);
  menu.map_index = 40;
  expect_select(MAP_REFRESH, maps[2], 3, 0);
  // Far past the end the step back still ends on the last map, at once.
  menu.map_index = 2000000000;
  expect_select(MAP_REFRESH, maps[2], 3, 0);
  expect_select(MAP_NEXT, maps[2], 3, 1);
}

TEST_F(MapCatalogue, EmptyFolderShowsNoMapUntilTheNextArrow)
{
  make_maps({});
  expect_select(MAP_REFRESH, MAPS_NOT_FOUND, 0, 0);
  // At 0 the folder is no longer read, so a new map stays hidden...
  dir.write_file("mapy/nova", "");
  expect_select(MAP_REFRESH, MAPS_NOT_FOUND, 0, 0);
  expect_select(MAP_PREVIOUS, MAPS_NOT_FOUND, 0, 0);
  menu.map_index = 2000000000;
  expect_select(MAP_REFRESH, "nova", 1, 0);
  menu.map_index = 0;
  // ...until the next arrow moves the selection back to 1.
  expect_select(MAP_NEXT, "nova", 1, 1);
}

TEST_F(MapCatalogue, MissingFolderKeepsTheIndexUntilTheFolderAppears)
{
  expect_select(MAP_REFRESH, MAPS_NOT_FOUND, 1, 0);
  for (int click = 2; click <= 4; click++)
    expect_select(MAP_NEXT, MAPS_NOT_FOUND, click, 1);
  expect_select(MAP_PREVIOUS, MAPS_NOT_FOUND, 3, 1);
  expect_select(MAP_NEXT, MAPS_NOT_FOUND, 4, 1);
  dir.write_file("mapy", "a file, not a folder");
  expect_select(MAP_REFRESH, MAPS_NOT_FOUND, 4, 0);
  ASSERT_EQ(unlink("mapy"), 0);
  make_maps({"prvni", "druha"});
  std::vector<std::string> maps = listed_maps();
  expect_select(MAP_REFRESH, maps[1], 2, 0);
}

TEST_F(MapCatalogue, DeletingTheSelectedLastMapSelectsTheOneBefore)
{
  make_maps({"a", "b", "c"});
  std::vector<std::string> maps = listed_maps();
  menu.map_index = 3;
  expect_select(MAP_REFRESH, maps[2], 3, 0);
  ASSERT_EQ(unlink(("mapy/" + maps[2]).c_str()), 0);
  maps = listed_maps();
  expect_select(MAP_REFRESH, maps[1], 2, 0);
}

TEST_F(MapCatalogue, EveryEntryButTheDotsIsAMap)
{
  // A subfolder, a hidden file and a file carrying the name the catalogue
  // uses internally for "no entry here" are all ordinary maps.
  make_maps({"obycejna", ".skryta", "____zadna_____mapa_____"});
  ASSERT_EQ(mkdir("mapy/slozka", 0755), 0);
  std::vector<std::string> maps = listed_maps();
  ASSERT_EQ(maps.size(), 4u);

  expect_select(MAP_REFRESH, maps[0], 1, 0);
  for (int n = 2; n <= 4; n++)
    expect_select(MAP_NEXT, maps[n - 1], n, 1);
  expect_select(MAP_NEXT, maps[3], 4, 1);
}

TEST_F(MapCatalogue, SaveTemporaryFilesAreNeverListed)
{
  // A save cut short leaves ".mapkit-XXXXXX" beside the maps; it is no map.
  make_maps({".mapkit-a1b2c3", "ostrov", ".mapkit-"});
  expect_select(MAP_REFRESH, "ostrov", 1, 0);
  expect_select(MAP_NEXT, "ostrov", 1, 1);
  ASSERT_EQ(unlink("mapy/ostrov"), 0);
  expect_select(MAP_REFRESH, MAPS_NOT_FOUND, 0, 0);
}

TEST_F(MapCatalogue, MarkerNameAloneIsSelectable)
{
  make_maps({"____zadna_____mapa_____"});
  expect_select(MAP_REFRESH, "____zadna_____mapa_____", 1, 0);
  expect_select(MAP_NEXT, "____zadna_____mapa_____", 1, 1);
}

TEST_F(MapCatalogue, LongestNamesAndPercentSignsAreKeptWhole)
{
  std::string longest(255, 'm');
  longest[0] = 'z';
  make_maps({longest, "100%s%d%n%%.map"});
  std::vector<std::string> maps = listed_maps();
  ASSERT_EQ(maps.size(), 2u);
  expect_select(MAP_REFRESH, maps[0], 1, 0);
  expect_select(MAP_NEXT, maps[1], 2, 1);
  EXPECT_EQ(strlen(menu.map_path), 5 + maps[1].size());
}

}  // namespace
