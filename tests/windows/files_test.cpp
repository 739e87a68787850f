// The Windows file functions behind the platform seam and the editor's map
// files on them, run under Wine: bytes pass unchanged (no line-end or
// end-of-file translation), a save goes through a new file and a rename,
// read-only files (the shipped maps) are told apart, folders list sorted.
// Cross-built by tools/setup/windows.sh; the windows_files test runs it.
#include "editor_files.h"
#include "file_bytes.h"
#include "shell/platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <io.h>
#include <string>

namespace {

// Bytes that text mode would change: a line end, a lone CR and Ctrl-Z.
const std::string AWKWARD("a\nb\r\nc\x1a" "d\0e", 9);

class WindowsFiles : public ::testing::Test {
protected:
  std::string dir;
  void SetUp() override
  {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    dir = std::string(temp) + "poklad-files-" + std::to_string(GetCurrentProcessId()) + "-" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
  }
  void TearDown() override
  {
    // SHFileOperation would need the shell; the tests' files are few and flat.
    for (const std::string &name : platform_folder_names(dir.c_str())) {
      std::string path = at(name.c_str());
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(path.c_str()))
        RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(dir.c_str());
  }
  std::string at(const char *name) const { return dir + "\\" + name; }
  void write(const char *name, const std::string &bytes) { put_file_bytes(at(name), bytes); }
  std::string read(const std::string &path) { return file_bytes(path); }
};

TEST_F(WindowsFiles, ReadAndTemporaryFilesKeepEveryByte)
{
  write("map", AWKWARD);
  int fd = platform_open_read(at("map").c_str());
  ASSERT_GE(fd, 0);
  char buffer[32];
  EXPECT_EQ(_read(fd, buffer, sizeof buffer), static_cast<int>(AWKWARD.size()));
  EXPECT_EQ(std::string(buffer, AWKWARD.size()), AWKWARD);
  _close(fd);

  errno = 0;
  EXPECT_EQ(platform_open_read(at("none").c_str()), -1);
  EXPECT_EQ(errno, ENOENT);

  std::string first = at("tmpXXXXXX"), second = first;
  fd = platform_create_temp(&first[0], at("map").c_str());
  ASSERT_GE(fd, 0);
  EXPECT_NE(first, at("tmpXXXXXX"));
  EXPECT_EQ(_write(fd, AWKWARD.data(), AWKWARD.size()), static_cast<int>(AWKWARD.size()));
  _close(fd);
  EXPECT_EQ(read(first), AWKWARD);
  // A second temporary file never reuses the first one's name.
  int fd2 = platform_create_temp(&second[0], at("map").c_str());
  ASSERT_GE(fd2, 0);
  _close(fd2);
  EXPECT_NE(first, second);

  std::string bad = at("tmp");
  errno = 0;
  EXPECT_EQ(platform_create_temp(&bad[0], at("map").c_str()), -1);
  EXPECT_EQ(errno, EINVAL);
  std::string nowhere = dir + "\\missing\\tmpXXXXXX";
  EXPECT_EQ(platform_create_temp(&nowhere[0], nowhere.c_str()), -1);
}

TEST_F(WindowsFiles, ReplaceAndSameFile)
{
  write("old", "old");
  write("new", "new");
  ASSERT_EQ(platform_replace_file(at("new").c_str(), at("old").c_str()), 0);
  EXPECT_EQ(read(at("old")), "new");
  EXPECT_FALSE(platform_path_exists(at("new").c_str()));
  EXPECT_EQ(platform_replace_file(at("new").c_str(), at("old").c_str()), -1);
  EXPECT_EQ(read(at("old")), "new");

  write("other", "new");
  EXPECT_TRUE(platform_same_file(at("old").c_str(), at("old").c_str()));
  // Windows paths: either slash, any letter case.
  std::string slashed = dir + "/OLD";
  EXPECT_TRUE(platform_same_file(at("old").c_str(), slashed.c_str()));
  EXPECT_FALSE(platform_same_file(at("old").c_str(), at("other").c_str()));
  EXPECT_FALSE(platform_same_file(at("old").c_str(), at("none").c_str()));
  EXPECT_FALSE(platform_same_file(at("none").c_str(), at("none").c_str()));
}

TEST_F(WindowsFiles, FoldersAndReadOnlyMaps)
{
  EXPECT_TRUE(platform_folder_names(at("none").c_str()).empty());
  EXPECT_TRUE(platform_folder_names(dir.c_str()).empty());
  ASSERT_EQ(platform_make_folder(at("mapy").c_str()), 0);
  EXPECT_EQ(platform_make_folder(at("mapy").c_str()), 0);
  write("file", "x");
  EXPECT_EQ(platform_make_folder(at("file").c_str()), -1);
  EXPECT_EQ(platform_make_folder((dir + "\\none\\mapy").c_str()), -1);
  write("Zlaty ostrov", "");
  write("bazen", "");
  EXPECT_EQ(platform_folder_names(dir.c_str()),
            (std::vector<std::string>{"Zlaty ostrov", "bazen", "file", "mapy"}));

  EXPECT_TRUE(platform_path_exists(at("mapy").c_str()));
  EXPECT_TRUE(platform_path_exists(at("file").c_str()));
  EXPECT_FALSE(platform_path_exists(at("none").c_str()));

  // The installer marks the shipped maps read-only; nothing else counts.
  ASSERT_TRUE(SetFileAttributesA(at("bazen").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(platform_is_protected(at("bazen").c_str()));
  EXPECT_TRUE(path_is_shipped(at("bazen").c_str()));
  EXPECT_FALSE(platform_is_protected(at("file").c_str()));
  EXPECT_FALSE(platform_is_protected(at("mapy").c_str()));
  EXPECT_FALSE(platform_is_protected(at("none").c_str()));
}

TEST_F(WindowsFiles, EditorOpensAndSavesMaps)
{
  std::string map(1400, '\0');
  for (size_t i = 0; i < map.size(); i++)
    map[i] = AWKWARD[i % AWKWARD.size()];
  std::string why;
  ASSERT_EQ(map_save(at("new map").c_str(), map, &why), 0) << why;
  EXPECT_EQ(read(at("new map")), map);
  std::string opened;
  EXPECT_EQ(map_open(at("new map").c_str(), &opened), OPEN_OK);
  EXPECT_EQ(opened, map);

  // Saving again replaces the file and leaves no temporary file behind.
  map[0] = 6;
  ASSERT_EQ(map_save(at("new map").c_str(), map, &why), 0) << why;
  EXPECT_EQ(read(at("new map")), map);
  EXPECT_EQ(platform_folder_names(dir.c_str()), std::vector<std::string>{"new map"});

  write("long", std::string(1401, '\x04'));
  EXPECT_EQ(map_open(at("long").c_str(), &opened), OPEN_LONG);
  EXPECT_EQ(opened.size(), 1401u);
  EXPECT_EQ(map_open(at("none").c_str(), &opened), OPEN_MISSING);
  EXPECT_EQ(map_open(dir.c_str(), &opened), OPEN_DIRECTORY);

  // Bad places to save: each is refused with its reason, nothing is left.
  CreateDirectoryA(at("folder").c_str(), nullptr);
  EXPECT_EQ(map_save(at("folder").c_str(), map, &why), -1);
  EXPECT_EQ(why, "Na tom miste je slozka");
  EXPECT_EQ(map_save((dir + "\\none\\map").c_str(), map, &why), -1);
  EXPECT_EQ(why, "Do slozky map nelze zapisovat");
  EXPECT_EQ(platform_folder_names(dir.c_str()), (std::vector<std::string>{"folder", "long", "new map"}));
}

}  // namespace
