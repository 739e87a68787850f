// The kit's summary, generator and match runner, called directly.
#include "map_generate.h"
#include "map_stats.h"
#include "map_summary.h"
#include "map_text.h"
#include "match/play.h"
#include "shell/images.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

TEST(Summary, CountsTheBoardAsTheGameSeesIt)
{
  std::vector<unsigned char> bytes(MAP_MAX_BYTES, 0);
  bytes[0] = 6;
  bytes[1] = 6;
  bytes[2] = 1;
  bytes[3] = 10;
  bytes[4] = 7;
  bytes[5] = 200;
  MAP_SUMMARY s = map_summarise(bytes.data(), 1400);
  EXPECT_EQ(s.find_cells, 3);
  EXPECT_EQ(s.points, 13);
  EXPECT_EQ(s.traps, 1);
  EXPECT_EQ(s.count[0], 1394);
  std::string text = map_summary_text(&s);
  EXPECT_NE(text.find("a full board"), std::string::npos);
  EXPECT_NE(text.find("other values, empty in the game: " + cell_notation(7) + "=7 x1 " + cell_notation(200) +
                      "=200 x1"),
            std::string::npos)
      << text;
  for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1)
    EXPECT_EQ(text.compare(at, 2, "# "), 0) << "every summary line is a comment";

  // A short file: the cells past its end are empty; a long one: cut at 1400.
  MAP_SUMMARY short_map = map_summarise(bytes.data(), 2);
  EXPECT_EQ(short_map.points, 12);
  EXPECT_EQ(short_map.count[0], 1398);
  EXPECT_NE(map_summary_text(&short_map).find("short: cells 2 to 1399"), std::string::npos);
  bytes.resize(5000, 3);
  MAP_SUMMARY long_map = map_summarise(bytes.data(), 5000);
  EXPECT_EQ(long_map.cells_from_file, 1400);
  EXPECT_NE(map_summary_text(&long_map).find("long"), std::string::npos);
}

// Every byte the rules count as nothing is described as the game draws it
// once uncovered: the empty cell, or the picture the game's own drawing
// code picks for it (a 100 shows as the pointer's highlight).
TEST(Summary, OtherBytesAreDescribedAsTheGameDrawsThem)
{
  int highlighted = 0;
  for (int v = 0; v < 256; v++) {
    if (v == CELL_EMPTY || v == CELL_TRAP || (v >= CELL_FIND_MIN && v <= CELL_FIND_MAX))
      continue;
    SCOPED_TRACE(v);
    unsigned char byte = static_cast<unsigned char>(v);
    MAP_SUMMARY s = map_summarise(&byte, 1);
    std::string text = map_summary_text(&s);
    std::string entry = cell_notation(v) + "=" + std::to_string(v) + " x1";
    size_t at = text.find(entry);
    ASSERT_NE(at, std::string::npos) << text;
    std::string line = text.substr(text.rfind('\n', at) + 1, text.find('\n', at) - text.rfind('\n', at) - 1);
    if (cell_image(v) == IMG_CELL_EMPTY) {
      EXPECT_EQ(line.rfind("# other values, empty in the game:", 0), 0u) << line;
    } else {
      ASSERT_EQ(cell_image(v), IMG_CELL_HOVER) << "a new picture for a byte: describe it in the summary";
      EXPECT_EQ(line.rfind("# other values, shown as the pointer's highlight picture in the game, worth nothing:", 0),
                0u)
          << line;
      highlighted++;
    }
  }
  EXPECT_EQ(highlighted, 1);
}

// The kit's board from the bytes it read is the board the game's loader
// makes of the same file, for short, full and long files.
TEST(Summary, BoardFromBytesIsTheGamesBoard)
{
  std::string path = temp_folder("mapkit-board") + "/map";
  srand(3);
  for (size_t length : {0, 7, 1400, 1900}) {
    SCOPED_TRACE(length);
    std::vector<unsigned char> bytes(length);
    for (unsigned char &b : bytes)
      b = static_cast<unsigned char>(rand() % 12);
    FILE *f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (length > 0)
      fwrite(bytes.data(), 1, length, f);
    fclose(f);
    int game[BOARD_CELLS], kit[BOARD_CELLS];
    map_load(game, path.c_str());
    map_board_from_bytes(bytes.data(), bytes.size(), kit);
    EXPECT_EQ(std::vector<int>(game, game + BOARD_CELLS), std::vector<int>(kit, kit + BOARD_CELLS));
  }
}

MAP_RECIPE recipe(uint64_t seed)
{
  MAP_RECIPE r = {};
  r.seed = seed;
  r.rows = 35;
  r.finds[1] = 100;
  r.finds[3] = 20;
  r.finds[6] = 5;
  r.traps = 40;
  return r;
}

std::vector<unsigned char> generate(const MAP_RECIPE &r)
{
  std::vector<unsigned char> bytes(MAP_MAX_BYTES, 0xEE);
  int n = map_generate(&r, bytes.data());
  bytes.resize(n < 0 ? 0 : n);
  return bytes;
}

TEST(Generate, SameSeedSameMapWithExactlyTheCountsAskedFor)
{
  std::vector<unsigned char> a = generate(recipe(42)), b = generate(recipe(42)), c = generate(recipe(43));
  ASSERT_EQ(a.size(), 1400u);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  MAP_SUMMARY s = map_summarise(a.data(), 1400);
  EXPECT_EQ(s.count[1], 100);
  EXPECT_EQ(s.count[2], 0);
  EXPECT_EQ(s.count[3], 20);
  EXPECT_EQ(s.count[6], 5);
  EXPECT_EQ(s.traps, 40);
  EXPECT_EQ(s.count[0], 1400 - 165);

  // The first values of the generator are fixed for good: maps made from a
  // seed today must come out the same tomorrow.
  uint64_t state = 0;
  EXPECT_EQ(kit_random_next(&state), 0xE220A8397B1DCDAFull);
}

TEST(Generate, ShortMapsAndRecipesThatDoNotFit)
{
  MAP_RECIPE r = recipe(1);
  r.rows = 5;
  r.finds[1] = 200;
  r.finds[3] = 0;
  r.finds[6] = 0;
  r.traps = 0;
  std::vector<unsigned char> full = generate(r);
  ASSERT_EQ(full.size(), 200u);
  for (unsigned char v : full)
    EXPECT_EQ(v, 1);
  r.traps = 1;
  EXPECT_EQ(map_generate(&r, full.data()), -1);
  r.rows = 0;
  EXPECT_EQ(map_generate(&r, full.data()), -1);
  r.rows = 36;
  EXPECT_EQ(map_generate(&r, full.data()), -1);

  uint64_t state = 9;
  for (int i = 0; i < 1000; i++)
    EXPECT_LT(kit_random_below(&state, 3), 3u);
}

TEST(Stats, AnEmptyBoardGivesEverySeatNothing)
{
  int cells[BOARD_CELLS] = {};
  MAP_STATS s = map_play_matches(cells, 8, 20, 3);
  for (int p = 1; p <= 8; p++) {
    EXPECT_EQ(s.total[p], 0);
    EXPECT_EQ(s.wins[p], 0);
  }
  EXPECT_EQ(s.no_winner, 20);
}

TEST(Stats, EveryPointOnTheBoardIsScoredOnceAndDecidesTheWinner)
{
  int cells[BOARD_CELLS] = {};
  for (int i = 0; i < BOARD_CELLS; i += 3)
    cells[i] = 1 + i % 6;
  cells[1] = CELL_TRAP;
  long long points = 0;
  for (int v : cells)
    points += v >= 1 && v <= 6 ? v : 0;
  MAP_STATS s = map_play_matches(cells, 3, 30, 5);
  EXPECT_EQ(s.total[1] + s.total[2] + s.total[3], points * 30);
  EXPECT_EQ(s.total[4], 0);
  EXPECT_EQ(s.wins[1] + s.wins[2] + s.wins[3] + s.no_winner, 30);

  // Alone on the board, the one seat takes everything and always wins.
  MAP_STATS alone = map_play_matches(cells, 1, 4, 5);
  EXPECT_EQ(alone.total[1], points * 4);
  EXPECT_EQ(alone.wins[1], 4);
}

// The picks come from the seed alone, by the kit's own generator: the C
// library's rand() takes no part, so every system gives these numbers.
TEST(Stats, TheSeedAloneGivesTheNumbers)
{
  int cells[BOARD_CELLS] = {};
  for (int i = 0; i < BOARD_CELLS; i += 5)
    cells[i] = 1 + i % 6;
  const struct {
    uint64_t seed;
    long long total[4];
    int wins[4];
    int no_winner;
  } RUNS[] = {
    {1, {0, 13257, 13213, 12810}, {0, 12, 14, 13}, 1},
    {4294967295u, {0, 13092, 13710, 12478}, {0, 12, 18, 9}, 1},
  };
  for (const auto &run : RUNS) {
    SCOPED_TRACE(run.seed);
    srand(static_cast<unsigned>(run.seed) + 17);
    MAP_STATS s = map_play_matches(cells, 3, 40, run.seed);
    for (int p = 1; p <= 3; p++) {
      EXPECT_EQ(s.total[p], run.total[p]) << "seat " << p;
      EXPECT_EQ(s.wins[p], run.wins[p]) << "seat " << p;
    }
    EXPECT_EQ(s.no_winner, run.no_winner);
  }
}

}  // namespace
