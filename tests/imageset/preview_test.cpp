// The preview tool and the README's picture command, run as programs: their
// PNG files are loaded back with the library's PNG add-on and read pixel by
// pixel. Exact places are checked on the test image set, whose pictures
// each have their own colour; the real set is checked for size and format.
#include "display_env.h"
#include "shell/images.h"

#include <loadpng.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string tool = PREVIEW_TOOL;

// Runs argv as a child (no shell, so names with spaces stay whole) and
// returns its exit status, or -1 when it did not exit. A file_limit above 0
// caps the size of any file the child writes, as a full disk would; a
// gone_folder is the child's working folder, removed before it starts.
int run(const std::vector<std::string> &args, rlim_t file_limit = 0, const std::string &gone_folder = "")
{
  pid_t pid = fork();
  if (pid == 0) {
    if (!gone_folder.empty() && (chdir(gone_folder.c_str()) != 0 || rmdir(gone_folder.c_str()) != 0))
      _exit(126);
    if (file_limit) {
      struct rlimit limit = {file_limit, file_limit};
      signal(SIGXFSZ, SIG_IGN);  // a write past the cap fails instead
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char *> argv;
    for (const std::string &a : args)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

struct PNG {
  BITMAP *bmp;
  explicit PNG(const std::string &path) : bmp(load_png(path.c_str(), nullptr)) {}
  ~PNG() { destroy_bitmap(bmp); }
};

std::string slurp(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// In the working directory: data/ holding the test image set and mapy/.
void make_test_data(const TEMP_WORKDIR &dir)
{
  ASSERT_EQ(mkdir("data", 0777), 0);
  ASSERT_EQ(mkdir("data/mapy", 0777), 0);
  ASSERT_EQ(symlink(getenv("TEST_IMAGE_SET"), "data/tarkoni.dat"), 0);
  (void)dir;
}

int cell_x(int cell) { return 141 + 16 * (cell % 40); }
int cell_y(int cell) { return 21 + 16 * (cell / 40); }

// The picture the game shows for an uncovered cell of this value.
int picture_for(int value)
{
  static const int finds[] = {IMG_FIND_1, IMG_FIND_2, IMG_FIND_3, IMG_FIND_4, IMG_FIND_5, IMG_FIND_6};
  if (value >= 1 && value <= 6)
    return finds[value - 1];
  return value == 10 ? IMG_TRAP : IMG_CELL_EMPTY;
}

// No white pixel: the library's pointer (white with a black edge) is not
// drawn, and no test picture is white.
bool pointer_free(BITMAP *bmp)
{
  int white = makecol16(255, 255, 255);
  for (int y = 0; y < bmp->h; y++)
    for (int x = 0; x < bmp->w; x++)
      if (getpixel(bmp, x, y) == white)
        return false;
  return true;
}

class Preview : public ::testing::Test {
protected:
  void SetUp() override { register_png_file_type(); }
};

TEST_F(Preview, MapShowsEveryCellsPictureInItsPlace)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  // Each corner, the middle, every find, a trap, and values the game treats
  // as nothing; a name with a space, as the shipped maps have.
  std::string map(1400, '\0');
  const int cells[][2] = {{0, 1}, {39, 6}, {1360, 10}, {1399, 5}, {700, 3}, {1, 2},
                          {2, 4}, {41, 7}, {42, 255}, {43, 9}, {44, 11}, {81, 10}};
  for (const auto &c : cells)
    map[c[0]] = static_cast<char>(c[1]);
  dir.write_file("Ma mapa", map);
  ASSERT_EQ(run({tool, "map", "data", "Ma mapa", "out.png"}), 0);
  PNG png("out.png");
  ASSERT_NE(png.bmp, nullptr);
  ASSERT_EQ(png.bmp->w, 800);
  ASSERT_EQ(png.bmp->h, 600);
  for (int cell = 0; cell < 1400; cell++) {
    SCOPED_TRACE(testing::Message() << "cell " << cell);
    unsigned char value = static_cast<unsigned char>(map[cell]);
    EXPECT_EQ(image_at(png.bmp, cell_x(cell), cell_y(cell)), picture_for(value));
    EXPECT_EQ(image_at(png.bmp, cell_x(cell) + 13, cell_y(cell)), picture_for(value));
    EXPECT_EQ(image_at(png.bmp, cell_x(cell) - 1, cell_y(cell) - 1), IMG_CELL_FRAME);
    if (HasFailure())
      break;
  }
  EXPECT_EQ(image_at(png.bmp, 10, 20), IMG_PLAYER_1);  // the board screen as the game draws it
  EXPECT_TRUE(pointer_free(png.bmp));

  // Halved, each cell keeps its colour in its top-left corner.
  ASSERT_EQ(run({tool, "map", "data", "Ma mapa", "small.png", "--small"}), 0);
  PNG small("small.png");
  ASSERT_NE(small.bmp, nullptr);
  EXPECT_EQ(small.bmp->w, 400);
  EXPECT_EQ(small.bmp->h, 300);
  for (const auto &c : cells)
    EXPECT_EQ(image_at(small.bmp, (cell_x(c[0]) + 1) / 2, (cell_y(c[0]) + 1) / 2), picture_for(c[1]))
      << "cell " << c[0];
}

TEST_F(Preview, ShortMapLeavesTheRestEmpty)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  dir.write_file("short", std::string(45, '\4'));
  ASSERT_EQ(run({tool, "map", "data", "short", "out.png"}), 0);
  PNG png("out.png");
  ASSERT_NE(png.bmp, nullptr);
  EXPECT_EQ(image_at(png.bmp, cell_x(44), cell_y(44)), IMG_FIND_4);
  EXPECT_EQ(image_at(png.bmp, cell_x(45), cell_y(45)), IMG_CELL_EMPTY);
  EXPECT_EQ(image_at(png.bmp, cell_x(1399), cell_y(1399)), IMG_CELL_EMPTY);
}

TEST_F(Preview, RefusesWhatItCannotDraw)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  dir.write_file("map", std::string(1400, '\1'));
  EXPECT_EQ(run({tool, "map", "data", "missing", "a.png"}), 1);
  EXPECT_EQ(run({tool, "map", "data", "data/mapy", "b.png"}), 1);  // a folder
  EXPECT_EQ(run({tool, "map", "nowhere", "map", "c.png"}), 1);
  ASSERT_EQ(mkdir("empty", 0777), 0);
  EXPECT_EQ(run({tool, "map", "empty", "map", "d.png"}), 1);  // no image set there
  dir.write_file("empty/tarkoni.dat", "not an image set");
  EXPECT_EQ(run({tool, "map", "empty", "map", "e.png"}), 1);
  EXPECT_EQ(run({tool, "map", "data", "map", "no/such/folder/f.png"}), 1);
  EXPECT_EQ(run({tool, "screens", "data", "g", "--map", "Nikde"}), 1);
  ASSERT_EQ(mkdir("nomaps", 0777), 0);  // an image set and no maps folder at all
  ASSERT_EQ(symlink(getenv("TEST_IMAGE_SET"), "nomaps/tarkoni.dat"), 0);
  EXPECT_EQ(run({tool, "screens", "nomaps", "h", "--map", "Nikde"}), 1);
  EXPECT_EQ(run({tool, "map", "data", "map"}), 2);
  EXPECT_EQ(run({tool, "paint", "data", "x"}), 2);
  EXPECT_EQ(run({tool}), 2);
  // Started in a folder since removed, relative names cannot be found from
  // there: they are not looked up in the data folder instead.
  ASSERT_EQ(mkdir("gone", 0777), 0);
  dir.write_file("data/map", std::string(1400, '\1'));
  EXPECT_EQ(run({tool, "map", dir.path + "/data", "map", "l.png"}, 0, dir.path + "/gone"), 1);
  EXPECT_NE(access("data/l.png", F_OK), 0);
  // The editor's screenshot of a map that does not open would show an empty board.
  const std::string shot = BINARY_DIR "/tools/editor/editor_shot";
  EXPECT_EQ(run({shot, "data", "missing", "i.png"}), 1);
  EXPECT_EQ(run({shot, "data", "data/mapy", "j.png"}), 1);
  EXPECT_EQ(run({shot, "data", "map", "k.png"}), 0);
  for (const char *name : {"a.png", "b.png", "c.png", "d.png", "e.png", "i.png", "j.png"})
    EXPECT_NE(access(name, F_OK), 0) << name;
}

// A write that fails part way (a full disk) keeps the picture that was at
// the output and leaves no part of the new one behind.
TEST_F(Preview, AFailedWriteKeepsTheOldPicture)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  dir.write_file("map", std::string(1400, '\1'));
  ASSERT_EQ(run({tool, "map", "data", "map", "whole.png"}), 0);
  rlim_t size = slurp("whole.png").size();
  ASSERT_EQ(remove("whole.png"), 0);
  dir.write_file("old.png", "the old picture");
  for (rlim_t limit : {rlim_t(1), size / 2, size - 1}) {  // cut at the start, inside, at the last byte
    SCOPED_TRACE(limit);
    EXPECT_EQ(run({tool, "map", "data", "map", "old.png"}, limit), 1);
    EXPECT_EQ(run({tool, "map", "data", "map", "new.png"}, limit), 1);
    EXPECT_EQ(slurp("old.png"), "the old picture");
    int entries = 0;
    DIR *listing = opendir(".");
    while (dirent *entry = readdir(listing))
      entries += strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0;
    closedir(listing);
    EXPECT_EQ(entries, 3);  // data, map, old.png
  }
  // The editor's screenshot is saved the same way.
  const std::string shot = BINARY_DIR "/tools/editor/editor_shot";
  EXPECT_EQ(run({shot, "data", "map", "old.png"}, 1), 1);
  EXPECT_EQ(slurp("old.png"), "the old picture");
  ASSERT_EQ(run({tool, "map", "data", "map", "old.png"}, size), 0);  // room enough
  EXPECT_EQ(slurp("old.png").size(), size);
}

TEST_F(Preview, ScreensShowTheMatchAtItsMoments)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  dir.write_file("data/mapy/Prvni", std::string(1400, '\0'));
  std::string map;
  for (int i = 0; i < 1400; i++)
    map += static_cast<char>(i % 7 == 0 ? 10 : i % 7);
  dir.write_file("data/mapy/Druha mapa", map);
  ASSERT_EQ(run({tool, "screens", "data", "out", "--map", "Druha mapa"}), 0);
  for (const char *name : {"menu", "board", "help", "winner", "no_winner"}) {
    SCOPED_TRACE(name);
    PNG png(std::string("out/") + name + ".png");
    ASSERT_NE(png.bmp, nullptr);
    EXPECT_EQ(png.bmp->w, 800);
    EXPECT_EQ(png.bmp->h, 600);
    EXPECT_TRUE(pointer_free(png.bmp));
  }

  PNG menu("out/menu.png");
  EXPECT_EQ(image_at(menu.bmp, 216, 50), IMG_TITLE);
  EXPECT_EQ(image_at(menu.bmp, 0, 575), IMG_MENU_STRIP);
  int red = 0;  // the map's name in the map field, in the library's 8 x 8 font
  for (int y = 354; y < 362; y++)
    for (int x = 314; x < 314 + 8 * 10; x++)
      red += red_at(menu.bmp, x, y);
  EXPECT_GT(red, 40);

  // Players 1 to 4 with scores, some cells uncovered and some not, and
  // every uncovered one showing its own cell's picture.
  PNG board("out/board.png");
  for (int p = 1; p <= 8; p++)
    EXPECT_EQ(image_at(board.bmp, 10, 20 + 65 * (p - 1)) == IMG_PLAYER_1 + p - 1, p <= 4) << p;
  int covered = 0, uncovered = 0, hover = 0;
  for (int cell = 0; cell < 1400; cell++) {
    int image = image_at(board.bmp, cell_x(cell), cell_y(cell));
    if (image == IMG_CELL_COVERED)
      covered++;
    else if (image == IMG_CELL_HOVER)
      hover++;
    else if (image == picture_for(static_cast<unsigned char>(map[cell])))
      uncovered++;
    else
      ADD_FAILURE() << "cell " << cell << " shows image " << image;
  }
  EXPECT_GT(uncovered, 1400 / 3 - 1);
  EXPECT_LT(uncovered, 1400 / 2);
  EXPECT_EQ(covered + uncovered + hover, 1400);
  EXPECT_EQ(hover, 1);

  PNG help("out/help.png");
  EXPECT_EQ(image_at(help.bmp, 237, 180), IMG_HELP_OVERLAY);
  EXPECT_EQ(image_at(help.bmp, 10, 530), IMG_HELP_BUTTON_HOVER);
  PNG winner("out/winner.png");
  int w = image_at(winner.bmp, 520, 282);
  EXPECT_TRUE(w >= IMG_WINNER_1 && w < IMG_WINNER_1 + 4) << w;
  EXPECT_EQ(image_at(winner.bmp, 217, 282), IMG_WINNER_CAPTION);
  PNG none("out/no_winner.png");
  EXPECT_EQ(image_at(none.bmp, 118, 282), IMG_NO_WINNER);
  EXPECT_EQ(image_at(none.bmp, 303, 380), IMG_RESULTS_CLOSING);
}

TEST_F(Preview, WinnersShowEachPlayersPicture)
{
  TEMP_WORKDIR dir;
  make_test_data(dir);
  ASSERT_EQ(run({tool, "winners", "data", "out"}), 0);
  for (int p = 1; p <= 8; p++) {
    PNG png("out/winner_" + std::to_string(p) + ".png");
    ASSERT_NE(png.bmp, nullptr) << p;
    EXPECT_EQ(image_at(png.bmp, 520, 282), IMG_WINNER_1 + p - 1);
  }
}

// The README's command on the real image set and the shipped maps, into a
// scratch folder and a scratch README.
TEST_F(Preview, PicturesCommandWritesTheScreenshotsMapsAndList)
{
  TEMP_WORKDIR dir;
  dir.write_file("README.md", "# Top\n\n<!-- maps: made by tools/docs/pictures.sh -->\nold list\n"
                              "<!-- maps: end -->\n\n## Next\n");
  std::string command = std::string("bash ") + SOURCE_DIR + "/tools/docs/pictures.sh --no-build " +
                        BINARY_DIR + " " + dir.path + "/docs " + dir.path + "/README.md";
  ASSERT_EQ(system(command.c_str()), 0);
  for (const char *name : {"menu", "board", "help", "winner", "no_winner"}) {
    PNG png(std::string("docs/screenshots/") + name + ".png");
    ASSERT_NE(png.bmp, nullptr) << name;
    EXPECT_EQ(png.bmp->w, 800);
    EXPECT_EQ(png.bmp->h, 600);
  }
  std::string readme = slurp("README.md");
  EXPECT_EQ(readme.find("old list"), std::string::npos);
  EXPECT_EQ(readme.rfind("# Top\n\n<!-- maps: made by tools/docs/pictures.sh -->\n", 0), 0u);
  EXPECT_NE(readme.find("<!-- maps: end -->\n\n## Next\n"), std::string::npos);
  EXPECT_NE(readme.find("| ![Zlaty ostrov](docs/maps/Zlaty%20ostrov.png) | **Zlaty ostrov**<br>mean score "),
            std::string::npos);
  int maps = 0;
  for (const char *name : {"Zlaty ostrov", "Palmovy obrazek", "Severni mys"}) {
    PNG png(std::string("docs/maps/") + name + ".png");
    ASSERT_NE(png.bmp, nullptr) << name;
    EXPECT_EQ(png.bmp->w, 400);
    EXPECT_EQ(png.bmp->h, 300);
    maps++;
  }
  EXPECT_EQ(maps, 3);
}

}  // namespace
