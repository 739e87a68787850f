// The Windows file functions behind the platform seam and the editor's map
// files on them, run under Wine: bytes pass unchanged (no line-end or
// end-of-file translation), a save goes through a new file and a rename,
// read-only files (the shipped maps) are told apart, folders list sorted.
// Cross-built by tools/setup/windows.sh; the windows_files test runs it.
#include "editor_files.h"
#include "file_bytes.h"
#include "match/match.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <io.h>
#include <string>
#include <vector>

namespace {

// Bytes that text mode would change: a line end, a lone CR and Ctrl-Z.
const std::string AWKWARD("a\nb\r\nc\x1a" "d\0e", 9);

// Windows' own UTF-16 for a UTF-8 name, made here without the code under test.
std::wstring wide(const std::string &utf8)
{
  std::wstring out(utf8.size() + 1, L'\0');
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.c_str(), -1, &out[0], static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
  return out;
}

// Removes a folder and what it holds, one level of folders deep.
void remove_tree(const std::wstring &folder)
{
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName, path = folder + L"\\" + name;
      if (name == L"." || name == L"..")
        continue;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

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
  // SHFileOperation would need the shell; the tests' files are few.
  void TearDown() override { remove_tree(wide(dir)); }
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

// Names a Western code page (1252) cannot hold, or holds only in part: each
// is written by Windows' wide calls and must be found, read, saved over,
// told apart and listed under its own name.
const char *const FOREIGN_NAMES[] = {u8"Řeka", u8"Nová Řeka", u8"Jiří", u8"žluťoučký kůň", u8"모래섬"};

TEST_F(WindowsFiles, NamesOutsideTheCodePage)
{
  std::string folder = at(u8"mapy ř");
  ASSERT_EQ(platform_make_folder(folder.c_str()), 0);
  ASSERT_NE(GetFileAttributesW(wide(folder).c_str()), INVALID_FILE_ATTRIBUTES) << "made under another name";
  EXPECT_TRUE(platform_path_exists(folder.c_str()));
  EXPECT_EQ(platform_path_kind(folder.c_str()), PLATFORM_DIRECTORY);
  std::vector<std::string> names;
  for (const char *name : FOREIGN_NAMES) {
    SCOPED_TRACE(name);
    names.push_back(name);
    std::string path = folder + "\\" + name;
    FILE *f = _wfopen(wide(path).c_str(), L"wb");
    ASSERT_TRUE(f);
    fwrite(AWKWARD.data(), 1, AWKWARD.size(), f);
    fclose(f);

    EXPECT_TRUE(platform_path_exists(path.c_str()));
    EXPECT_EQ(platform_path_kind(path.c_str()), PLATFORM_REGULAR);
    std::string opened;
    EXPECT_EQ(map_open(path.c_str(), &opened), OPEN_OK);
    EXPECT_EQ(opened, AWKWARD);
    int cells[BOARD_CELLS];
    EXPECT_EQ(map_load(cells, path.c_str()), static_cast<int>(AWKWARD.size()));
    EXPECT_EQ(cells[0], 'a');
    EXPECT_TRUE(platform_same_file(path.c_str(), path.c_str()));
    std::string map(BOARD_CELLS, '\x06'), why;
    ASSERT_EQ(map_save(path.c_str(), map, &why), 0) << why;
    EXPECT_EQ(map_open(path.c_str(), &opened), OPEN_OK);
    EXPECT_EQ(opened, map);
    ASSERT_TRUE(SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform_is_protected(path.c_str()));
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(platform_folder_names(folder.c_str()), names);
  // The menu's listing, one name at a time, gives the same names.
  std::vector<std::string> listed;
  PLATFORM_FOLDER *listing = platform_folder_open(folder.c_str());
  ASSERT_TRUE(listing);
  while (const char *name = platform_folder_next(listing))
    listed.push_back(name);
  platform_folder_close(listing);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, names);
}

// The editor's open list, in a maps folder whose names a Western code page
// lacks in whole or in part: every map is listed under its own name with its
// board's numbers, a folder is not.
TEST_F(WindowsFiles, EditorListsMapsWhateverTheirLetters)
{
  struct { const char *name; char cell; int points; } maps[] = {
    {u8"Řeka", 1, 1}, {u8"Mořská panna", 6, 6}, {u8"Θησαυρός", 3, 3}, {u8"宝島", CELL_TRAP, 0}};
  std::string folder = at("mapy");
  ASSERT_EQ(platform_make_folder(folder.c_str()), 0);
  ASSERT_EQ(platform_make_folder((folder + u8"\\Složka").c_str()), 0);
  std::vector<std::string> expected;
  for (auto m : maps) {
    std::string board(BOARD_CELLS, '\0');
    board[0] = m.cell;
    std::string why;
    ASSERT_EQ(map_save((folder + "\\" + m.name).c_str(), board, &why), 0) << m.name << ": " << why;
    expected.push_back(std::string(m.name) + " " + std::to_string(m.points) + " " + std::to_string(m.cell == CELL_TRAP));
  }
  std::vector<std::string> listed;
  for (const MAP_ENTRY &e : map_list(folder.c_str()))
    listed.push_back(e.name + " " + std::to_string(e.points) + " " + std::to_string(e.traps));
  std::sort(expected.begin(), expected.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
}

// A program started elsewhere moves to the folder that holds its data; a
// path named on its command line still leads where it led.
TEST_F(WindowsFiles, DataFolderBesideTheProgram)
{
  wchar_t program[MAX_PATH], before[MAX_PATH], after[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
  std::wstring program_folder = program;
  size_t cut = program_folder.find_last_of(L"\\/");
  std::string exe_name;
  {
    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_UTF8, 0, program + cut + 1, -1, narrow, MAX_PATH, nullptr, nullptr);
    exe_name = narrow;
  }
  program_folder.resize(cut);
  std::string here = at(u8"start ř");
  ASSERT_EQ(platform_make_folder(here.c_str()), 0);
  ASSERT_TRUE(GetCurrentDirectoryW(MAX_PATH, before));
  ASSERT_TRUE(SetCurrentDirectoryW(wide(here).c_str()));

  // A marker found nowhere: the program stays where it is.
  EXPECT_EQ(platform_enter_data_folder("no such marker.dat"), "");
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_EQ(wide(here), after);
  // The program's own file is beside it: there it goes.
  EXPECT_EQ(platform_enter_data_folder(exe_name.c_str()), here);
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_EQ(std::wstring(after), program_folder);
  // Once there, it stays.
  EXPECT_EQ(platform_enter_data_folder(exe_name.c_str()), "");
  SetCurrentDirectoryW(before);

  const struct {
    const char *from, *path, *seen;
  } PATHS[] = {
    {"", "map", "map"},
    {"C:\\hra", "map", "C:\\hra\\map"},
    {"C:\\hra", u8"mapy\\Řeka", u8"C:\\hra\\mapy\\Řeka"},
    {"C:\\hra", "D:\\map", "D:\\map"},
    {"C:\\hra", "\\\\server\\map", "\\\\server\\map"},
    {"C:\\hra", "/map", "/map"},
  };
  for (const auto &c : PATHS)
    EXPECT_EQ(platform_path_from(c.from, c.path), c.seen) << c.from << " + " << c.path;
}

}  // namespace
