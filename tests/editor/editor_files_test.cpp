// Opening and saving maps on disk: every bad input has its own outcome and
// leaves the disk as it was; a save replaces links instead of writing
// through them.
#include "editor.h"
#include "editor_files.h"
#include "editor_recovery.h"
#include "file_bytes.h"
#include "shipped_maps.h"
#include "platform/platform.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string temp_folder(void)
{
  return temp_folder("editor-files");
}

TEST(EditorOpen, GoodShortAndLongFiles)
{
  std::string dir = temp_folder(), bytes;
  put_file_bytes(dir + "/short", "\x01\x02");
  EXPECT_EQ(map_open((dir + "/short").c_str(), &bytes), OPEN_OK);
  EXPECT_EQ(bytes, "\x01\x02");
  put_file_bytes(dir + "/long", std::string(1401, '\x04'));
  EXPECT_EQ(map_open((dir + "/long").c_str(), &bytes), OPEN_LONG);
  EXPECT_EQ(bytes.size(), 1401u);
  put_file_bytes(dir + "/huge", std::string(EDIT_MAX_FILE + 1, '\x04'));
  EXPECT_EQ(map_open((dir + "/huge").c_str(), &bytes), OPEN_TOO_LONG);
}

TEST(EditorOpen, BadInputsEachGetTheirOutcome)
{
  std::string dir = temp_folder(), bytes;
  EXPECT_EQ(map_open((dir + "/none").c_str(), &bytes), OPEN_MISSING);
  EXPECT_EQ(map_open(dir.c_str(), &bytes), OPEN_DIRECTORY);
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0644), 0);
  EXPECT_EQ(map_open((dir + "/fifo").c_str(), &bytes), OPEN_NOT_REGULAR);  // and does not block
  // A regular file whose read fails, for root too: the process's own memory
  // read at address 0.
  if (access("/proc/self/mem", F_OK) == 0) {
    EXPECT_EQ(map_open("/proc/self/mem", &bytes), OPEN_UNREADABLE);
  }
  // A file without read permission, where permissions hold (not for root).
  put_file_bytes(dir + "/secret", "\x01");
  chmod((dir + "/secret").c_str(), 0);
  if (geteuid() != 0) {
    EXPECT_EQ(map_open((dir + "/secret").c_str(), &bytes), OPEN_UNREADABLE);
  }
  // A link that points at itself cannot be opened, for anyone.
  ASSERT_EQ(symlink("loop", (dir + "/loop").c_str()), 0);
  EXPECT_EQ(map_open((dir + "/loop").c_str(), &bytes), OPEN_UNREADABLE);
  EXPECT_EQ(map_open_message(OPEN_DIRECTORY, "x"), "Je to slozka, ne mapa: x");
}

TEST(EditorSave, ReplacesALinkAndLeavesItsTargetAlone)
{
  std::string dir = temp_folder();
  put_file_bytes(dir + "/shipped", std::string(1400, '\x02'));
  ASSERT_EQ(symlink((dir + "/shipped").c_str(), (dir + "/link").c_str()), 0);
  EXPECT_TRUE(path_is_shipped((dir + "/link").c_str()));
  std::string why;
  ASSERT_EQ(map_save((dir + "/link").c_str(), std::string(1400, '\x05'), &why), 0) << why;
  EXPECT_EQ(file_bytes(dir + "/shipped"), std::string(1400, '\x02'));
  EXPECT_FALSE(path_is_shipped((dir + "/link").c_str()));
  EXPECT_EQ(file_bytes(dir + "/link"), std::string(1400, '\x05'));
}

TEST(EditorSave, RefusesAFolderAndLeavesNoTemporaryFile)
{
  std::string dir = temp_folder(), why;
  ASSERT_EQ(mkdir((dir + "/sub").c_str(), 0755), 0);
  EXPECT_EQ(map_save((dir + "/sub").c_str(), "x", &why), -1);
  EXPECT_EQ(why, "Na tom miste je slozka");
  EXPECT_EQ(map_save((dir + "/none/x").c_str(), "x", &why), -1);
  EXPECT_EQ(why, "Do slozky map nelze zapisovat");
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0644), 0);
  EXPECT_EQ(map_save((dir + "/fifo").c_str(), "x", &why), -1);  // never opened, so never blocks
  EXPECT_EQ(why, "Na tom miste neni obycejny soubor");
  EXPECT_EQ(platform_folder_names(dir.c_str()), (std::vector<std::string>{"fifo", "sub"}));
}

// A recovery copy reads back whole, with every byte of the map; a damaged one
// is refused.
TEST(EditorRecovery, CopiesReadBackWholeOrNotAtAll)
{
  std::string bytes(1500, '\x03');
  bytes[1450] = '\n';
  std::string copy = recovery_encode("Zlaty ostrov", "mapy/Zlaty ostrov", bytes), name, path, got;
  ASSERT_EQ(recovery_decode(copy, &name, &path, &got), 0);
  EXPECT_EQ(name, "Zlaty ostrov");
  EXPECT_EQ(path, "mapy/Zlaty ostrov");
  EXPECT_EQ(got, bytes);
  ASSERT_EQ(recovery_decode(recovery_encode("", "", ""), &name, &path, &got), 0);
  EXPECT_EQ(name + path + got, "");
  for (const std::string &bad : {copy.substr(0, copy.size() - 1), copy + "x", copy.substr(1), std::string(),
                                 std::string("editor-obnova 2 0 0 0\n"), std::string("editor-obnova 1 0 0 0 \n")})
    EXPECT_EQ(recovery_decode(bad, &name, &path, &got), -1) << bad.substr(0, 30);
}

// The open list: map files only, in the order the game's menu lists the
// folder, shipped maps marked, each with its points and traps.
TEST(EditorFolder, MadeWhenMissingAndListsMapsInTheMenusOrder)
{
  std::string dir = temp_folder();
  std::string maps = dir + "/mapy";
  EXPECT_EQ(make_folder(maps.c_str()), 0);
  EXPECT_EQ(make_folder(maps.c_str()), 0);
  std::string board(1400, '\0');
  board[0] = 6, board[1] = 2, board[1399] = 10, board[5] = 10;
  put_file_bytes(dir + "/installed", board + "\x05\x05");
  // What each entry is: a file of these bytes, "/link" to the installed map,
  // "/none" a link to nothing, "/dir" or "/fifo"; the list holds the files.
  struct { const char *name; std::string made; int listed, shipped, points, traps; } cases[] = {
    {"b mapa", board, 1, 0, 8, 2},
    {"a", "\x03\x0a", 1, 0, 3, 1},
    {"ze hry", "/link", 1, 1, 8, 2},
    {".mapkit-Ab12yZ", board, 0, 0, 0, 0},  // a save's temporary file
    {"slozka", "/dir", 0, 0, 0, 0},
    {"fifo", "/fifo", 0, 0, 0, 0},
    {"zadna", "/none", 0, 0, 0, 0},
  };
  for (auto &c : cases) {
    std::string at = maps + "/" + c.name;
    int made = c.made == "/link" ? symlink((dir + "/installed").c_str(), at.c_str())
               : c.made == "/none" ? symlink("nowhere", at.c_str())
               : c.made == "/dir"  ? mkdir(at.c_str(), 0755)
               : c.made == "/fifo" ? mkfifo(at.c_str(), 0644)
                                   : (put_file_bytes(at, c.made), 0);
    ASSERT_EQ(made, 0) << c.name;
  }

  std::vector<std::string> order;  // as the menu reads the folder
  PLATFORM_FOLDER *listing = platform_folder_open(maps.c_str());
  while (const char *name = platform_folder_next(listing))
    order.push_back(name);
  platform_folder_close(listing);
  std::vector<MAP_ENTRY> listed = map_list(maps.c_str());
  size_t at = 0;
  for (const std::string &name : order) {
    for (auto &c : cases) {
      if (name != c.name || !c.listed)
        continue;
      ASSERT_LT(at, listed.size());
      EXPECT_EQ(listed[at].name, c.name);
      EXPECT_EQ(listed[at].shipped, c.shipped) << c.name;
      EXPECT_EQ(listed[at].points, c.points) << c.name;
      EXPECT_EQ(listed[at].traps, c.traps) << c.name;
      at++;
    }
  }
  EXPECT_EQ(at, listed.size());
  // A file, a link to nothing or a loop of links is there: no folder to save in.
  ASSERT_EQ(symlink("loop", (maps + "/loop").c_str()), 0);
  for (const char *name : {"a", "zadna", "loop"})
    EXPECT_EQ(make_folder((maps + "/" + name).c_str()), -1) << name;
  EXPECT_TRUE(map_list((dir + "/none").c_str()).empty());
}

// Every map the kit builds from the shipped texts is known as shipped by its
// name and bytes, wherever it lies as a plain file; a changed byte, a byte
// more or another name is the author's own map.
TEST(EditorShipped, KnownByNameAndBytesAsTheKitBuildsThem)
{
  std::string dir = temp_folder();
  std::vector<std::string> names;
  PLATFORM_FOLDER *texts = platform_folder_open(MAPS_SOURCE_DIR);
  ASSERT_NE(texts, nullptr);
  while (const char *text = platform_folder_next(texts))
    if (std::string(text).size() > 4 && std::string(text).substr(std::string(text).size() - 4) == ".txt")
      names.push_back(std::string(text).substr(0, strlen(text) - 4));
  platform_folder_close(texts);
  ASSERT_GE(names.size(), 6u);
  for (const std::string &name : names) {
    std::string built = dir + "/" + name;
    std::string command = std::string(MAPKIT) + " build '" MAPS_SOURCE_DIR "/" + name + ".txt' '" + built + "'";
    ASSERT_EQ(system((command + " >/dev/null").c_str()), 0) << command;
    std::string bytes = file_bytes(built), changed = bytes;
    changed[changed.size() / 2] ^= 1;
    EXPECT_TRUE(path_is_shipped(built.c_str())) << name;
    EXPECT_TRUE(map_is_shipped(name, bytes) && map_name_is_shipped(name)) << name;
    EXPECT_FALSE(map_is_shipped(name, changed)) << name;
    EXPECT_FALSE(map_is_shipped(name, bytes + '\0')) << name;
    EXPECT_FALSE(map_is_shipped(name + " 2", bytes) || map_name_is_shipped(name + " 2")) << name;
    put_file_bytes(built, changed);
    EXPECT_FALSE(path_is_shipped(built.c_str())) << name;
  }
  system(("rm -rf '" + dir + "'").c_str());
}
