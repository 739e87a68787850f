// The editor's fairness numbers, played in slices, against `mapkit stats`
// run as a program on the same map, players, matches and seed.
#include "fairness.h"
#include "map_generate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// The report lines of `mapkit stats` for the map file.
static std::string kit_report(const std::string &map, int players, int matches, unsigned seed)
{
  std::string command = std::string(MAPKIT) + " stats '" + map + "' --players " + std::to_string(players) +
                        " --matches " + std::to_string(matches) + " --seed " + std::to_string(seed);
  FILE *p = popen(command.c_str(), "r");
  if (!p)
    return "<no kit>";
  std::string out;
  char line[256];
  int n = 0;
  while (fgets(line, sizeof line, p))
    if (n++ >= 2)  // after the title and the column heads
      out += line;
  pclose(p);
  return out;
}

static std::string editor_report(const FAIRNESS *fair)
{
  std::string out;
  for (int p = 1; p <= fair->stats.players; p++)
    out += map_stats_seat_line(&fair->stats, p) + "\n";
  return out + map_stats_no_winner_line(&fair->stats) + "\n";
}

TEST(Fairness, SlicedNumbersEqualTheKits)
{
  MAP_RECIPE recipe = {};
  recipe.seed = 11;
  recipe.rows = BOARD_ROWS;
  recipe.traps = 60;
  for (int v = 1; v <= 6; v++)
    recipe.finds[v] = 40 - 5 * v;
  unsigned char bytes[BOARD_CELLS];
  ASSERT_EQ(map_generate(&recipe, bytes), BOARD_CELLS);
  char path[] = "/tmp/editor-fairXXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, bytes, BOARD_CELLS), BOARD_CELLS);
  close(fd);
  int cells[BOARD_CELLS];
  for (int i = 0; i < BOARD_CELLS; i++)
    cells[i] = bytes[i];

  struct { int players; unsigned seed; } runs[] = {{2, 1}, {4, 1}, {8, 9}};
  for (auto r : runs) {
    FAIRNESS fair;
    fairness_init(&fair, r.players);
    fair.seed = r.seed;
    fairness_restart(&fair, cells);
    int slices = 1;
    while (!fairness_slice(&fair, 0))  // the smallest slices there are
      slices++;
    EXPECT_GT(slices, 100);
    EXPECT_EQ(fairness_progress(&fair), FAIR_MATCHES);
    EXPECT_EQ(editor_report(&fair), kit_report(path, r.players, FAIR_MATCHES, r.seed)) << r.players << " players";
    fairness_free(&fair);
  }
  unlink(path);
}

TEST(Fairness, RestartMidwayGivesTheSameNumbers)
{
  int cells[BOARD_CELLS] = {};
  for (int i = 0; i < BOARD_CELLS; i += 7)
    cells[i] = 1 + i % 6;
  cells[3] = CELL_TRAP;
  FAIRNESS fair;
  fairness_init(&fair, 3);
  fair.matches = 50;
  fairness_restart(&fair, cells);
  while (!fairness_slice(&fair, 1000000)) {
  }
  MAP_STATS whole = fair.stats;
  fairness_restart(&fair, cells);
  fairness_slice(&fair, 0);
  EXPECT_TRUE(fair.running);
  fairness_restart(&fair, cells);  // a change midway starts over
  while (!fairness_slice(&fair, 0)) {
    srand(static_cast<unsigned>(rand()));  // the C library's generator takes no part
  }
  // The kit's stats with the panel's seed give the panel's numbers.
  MAP_STATS kit = map_play_matches(cells, 3, 50, FAIR_SEED);
  for (int p = 1; p <= 3; p++) {
    EXPECT_EQ(fair.stats.total[p], whole.total[p]);
    EXPECT_EQ(fair.stats.wins[p], whole.wins[p]);
    EXPECT_EQ(kit.total[p], whole.total[p]);
    EXPECT_EQ(kit.wins[p], whole.wins[p]);
  }
  EXPECT_EQ(fair.stats.no_winner, whole.no_winner);
  EXPECT_EQ(kit.no_winner, whole.no_winner);
  fairness_free(&fair);
}

TEST(Fairness, FavouredSeatIsTheSoleTopShare)
{
  FAIRNESS fair;
  fairness_init(&fair, 3);
  fair.stats.players = 3;
  fair.stats.wins[1] = 5, fair.stats.wins[2] = 9, fair.stats.wins[3] = 2;
  EXPECT_EQ(fairness_favoured(&fair), 2);
  fair.stats.wins[3] = 9;
  EXPECT_EQ(fairness_favoured(&fair), 0);
}
