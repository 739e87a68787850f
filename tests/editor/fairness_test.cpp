// The editor's fairness numbers, played in slices, against `mapkit stats`
// run as a program on the same map, players, matches and seed.
#include "fairness.h"
#include "map_generate.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
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
  std::string path = temp_folder("editor-fair") + "/map";
  FILE *f = fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(fwrite(bytes, 1, BOARD_CELLS, f), static_cast<size_t>(BOARD_CELLS));
  fclose(f);
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
  // Meanwhile the finished numbers stay to be shown.
  EXPECT_TRUE(fair.done);
  EXPECT_EQ(fair.stats.wins[1], whole.wins[1]);
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

// The verdict weighs every seat's share of wins against what chance gives
// in the matches played.
TEST(Fairness, VerdictWeighsTheSpreadOfWinsAgainstChance)
{
  struct { int players; int wins[8]; long long points; int verdict, seat; } runs[] = {
    {4, {228, 195, 228, 205}, 5000, VERDICT_BALANCED, 0},  // two seats tie at the top: still chance
    {4, {243, 244, 216, 218}, 5000, VERDICT_BALANCED, 0},  // one seat ahead by a point: chance
    {4, {300, 230, 220, 210}, 5000, VERDICT_FAVOURED, 1},
    {4, {280, 280, 200, 200}, 5000, VERDICT_UNEVEN, 0},
    {2, {520, 480}, 5000, VERDICT_BALANCED, 0},
    {2, {560, 440}, 5000, VERDICT_FAVOURED, 1},
    {8, {150, 110, 120, 130, 125, 115, 110, 120}, 5000, VERDICT_BALANCED, 0},
    {8, {190, 110, 120, 130, 125, 115, 90, 120}, 5000, VERDICT_FAVOURED, 1},
    // Either side of the chance spread: equal seats' wins pull against each
    // other, so two seats of 1000 decided matches may differ by 62 wins.
    {2, {530, 470}, 5000, VERDICT_BALANCED, 0},
    {2, {532, 468}, 5000, VERDICT_FAVOURED, 1},
    {2, {421, 479}, 5000, VERDICT_BALANCED, 0},  // 100 without a winner: 58.8
    {2, {420, 480}, 5000, VERDICT_FAVOURED, 2},
    {4, {280, 250, 247, 223}, 5000, VERDICT_BALANCED, 0},  // 57.4
    {4, {281, 250, 246, 223}, 5000, VERDICT_FAVOURED, 1},
    {4, {200, 230, 190, 180}, 5000, VERDICT_BALANCED, 0},  // 200 without a winner: 51.4
    {4, {200, 231, 190, 179}, 5000, VERDICT_FAVOURED, 2},
    {8, {125, 125, 125, 125, 125, 125, 148, 102}, 5000, VERDICT_BALANCED, 0},  // 47.9
    {8, {125, 125, 125, 125, 125, 125, 149, 101}, 5000, VERDICT_FAVOURED, 7},
    {8, {100, 100, 100, 100, 100, 100, 121, 79}, 5000, VERDICT_BALANCED, 0},  // 200 without a winner: 42.9
    {8, {100, 100, 100, 100, 100, 100, 122, 78}, 5000, VERDICT_FAVOURED, 7},
    {4, {0, 0, 0, 0}, 0, VERDICT_NO_FINDS, 0},  // an empty board: nobody ever wins
  };
  for (auto r : runs) {
    MAP_STATS s = MAP_STATS();
    s.players = r.players;
    s.matches = FAIR_MATCHES;
    s.no_winner = FAIR_MATCHES;
    for (int p = 1; p <= r.players; p++) {
      s.wins[p] = r.wins[p - 1];
      s.no_winner -= r.wins[p - 1];
      s.total[p] = r.points;
    }
    FAIR_VERDICT v = fairness_verdict(&s);
    EXPECT_EQ(v.verdict * 10 + v.seat, r.verdict * 10 + r.seat) << r.players << " players, " << r.wins[0];
  }
}

// Boards whose seats all have the same chances are flagged in about 5 runs
// of 100, for any number of seats and share of matches nobody wins.
TEST(Fairness, EqualSeatsAreFlaggedAboutFiveTimesInAHundred)
{
  enum { BOARDS = 4000 };
  std::mt19937 draw(2026);
  struct { int players, no_winner_permille; } runs[] = {{2, 0}, {2, 300}, {4, 0}, {4, 300}, {8, 0}, {8, 300}};
  for (auto r : runs) {
    int flagged = 0;
    for (int b = 0; b < BOARDS; b++) {
      MAP_STATS s = MAP_STATS();
      s.players = r.players;
      s.matches = FAIR_MATCHES;
      for (int m = 0; m < FAIR_MATCHES; m++) {
        if (int(draw() % 1000) < r.no_winner_permille)
          s.no_winner++;
        else
          s.wins[1 + draw() % r.players]++;
      }
      for (int p = 1; p <= r.players; p++)
        s.total[p] = 5000;
      flagged += fairness_verdict(&s).verdict != VERDICT_BALANCED;
    }
    double share = 100.0 * flagged / BOARDS;
    printf("%d players, %d per mille without a winner: %.2f %% flagged\n", r.players, r.no_winner_permille, share);
    EXPECT_GT(share, 4.0) << r.players << " players";
    EXPECT_LT(share, 6.0) << r.players << " players";
  }
}
