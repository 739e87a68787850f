// Opening and saving maps on disk: every bad input has its own outcome and
// leaves the disk as it was; a save replaces links instead of writing
// through them.
#include "editor.h"
#include "editor_files.h"
#include "file_bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string temp_folder(void)
{
  char tmpl[] = "/tmp/editor-filesXXXXXX";
  return mkdtemp(tmpl);
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
  EXPECT_EQ(folder_names(dir.c_str()), (std::vector<std::string>{"fifo", "sub"}));
}

TEST(EditorFolder, MadeWhenMissingAndListedSorted)
{
  std::string dir = temp_folder();
  std::string maps = dir + "/mapy";
  EXPECT_EQ(make_folder(maps.c_str()), 0);
  EXPECT_EQ(make_folder(maps.c_str()), 0);
  put_file_bytes(maps + "/b", "");
  put_file_bytes(maps + "/a", "");
  EXPECT_EQ(folder_names(maps.c_str()), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(make_folder((maps + "/a").c_str()), -1);
  EXPECT_TRUE(folder_names((dir + "/none").c_str()).empty());
}
