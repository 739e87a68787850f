// Checks of the benchmark's own parts: the statistics it reports, what it
// expects the catalogue to read, and that every floor replay composes
// exactly the picture of the game frame it stands for.
#include "bench_floor.h"
#include "bench_scene.h"
#include "bench_timing.h"
#include "display_env.h"
#include "match/play.h"
#include "menu/menu.h"
#include "shell/game.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(SamplesStats, MedianAndNearestRank95thPercentile)
{
  SAMPLES s;
  EXPECT_EQ(samples_stats(&s).count, 0);
  for (int v : {5, 1, 3})
    s.us.push_back(v);
  EXPECT_EQ(samples_stats(&s).median_us, 3);
  EXPECT_EQ(samples_stats(&s).p95_us, 5);
  s.us.clear();
  for (int v = 100; v >= 1; v--)
    s.us.push_back(v);
  STATS st = samples_stats(&s);
  EXPECT_EQ(st.median_us, 50.5);
  EXPECT_EQ(st.p95_us, 95);
  EXPECT_EQ(st.count, 100);
}

struct MAPS_FOLDER : TEMP_WORKDIR {
  explicit MAPS_FOLDER(int maps)
  {
    mkdir(MAPS_DIRECTORY, 0755);
    for (int m = 1; m <= maps; m++)
      write_file(std::string(MAPS_DIRECTORY "/m") + std::to_string(m), "x");
  }
};

TEST(CatalogueFacts, AgreeWithWhatTheCatalogueSelects)
{
  MAPS_FOLDER folder(3);
  MENU menu = {0, 0, HOVER_NONE, nullptr};
  char label[256];
  DIR_WORK work;
  ASSERT_TRUE(catalogue_facts(2, label, sizeof label, &work));
  menu.map_index = 2;
  EXPECT_STREQ(select_map(&menu, MAP_REFRESH), label);
  EXPECT_EQ(work.full_passes, 0);
  EXPECT_GE(work.final_reads, 2);
  EXPECT_LE(work.final_reads, 5);

  // Four positions past the last map: one pass over all five entries and
  // the null, then the pass that finds map 3.
  ASSERT_TRUE(catalogue_facts(7, label, sizeof label, &work));
  menu.map_index = 7;
  EXPECT_STREQ(select_map(&menu, MAP_REFRESH), label);
  EXPECT_EQ(menu.map_index, 3);
  EXPECT_EQ(work.full_passes, 1);
  EXPECT_EQ(work.full_reads, 6);
  delete[] menu.map_path;
}

TEST(CatalogueFacts, NoMapsMeansNothingToTime)
{
  MAPS_FOLDER folder(0);
  char label[16];
  DIR_WORK work;
  EXPECT_EQ(catalogue_size(), 0);
  EXPECT_FALSE(catalogue_facts(1, label, sizeof label, &work));
}

FLOOR_PLAN plan;

// Composes the game's frame, then the replay, and compares the two pictures.
template <typename FRAME>
bool replay_matches(FRAME frame)
{
  frame();
  BITMAP *reference = create_bitmap(800, 600);
  blit(back_buffer, reference, 0, 0, 0, 0, 800, 600);
  clear_to_color(back_buffer, makecol(1, 2, 3));
  floor_replay(&plan);
  bool same = same_pixels(back_buffer, reference);
  destroy_bitmap(reference);
  return same;
}

TEST(FloorPlans, MenuReplayComposesTheMenuFrame)
{
  MAPS_FOLDER folder(3);
  game_match.player_kind[1] = PLAYER_HUMAN;
  game_match.player_kind[2] = PLAYER_COMPUTER;
  game_match.player_kind[5] = PLAYER_HUMAN;
  struct { int x, y, map_index; } rows[] = {
    {MENU_POINTER_X, MENU_POINTER_Y, 1}, {496, 360, 2}, {340, 405, 3}, {5, 5, 9},
  };
  for (auto row : rows) {
    SCOPED_TRACE(row.map_index);
    set_pointer(row.x, row.y, 0);
    char label[256];
    DIR_WORK work;
    ASSERT_TRUE(catalogue_facts(row.map_index, label, sizeof label, &work));
    auto frame = [&] {
      game_menu.map_index = row.map_index;
      menu_update(&game_menu);
      menu_draw(&game_menu);
    };
    menu_update(&game_menu);  // the hover state the plan draws
    plan_menu(&plan, &game_menu, label, &work);
    EXPECT_TRUE(replay_matches(frame));
    plan_menu(&plan, &game_menu, label, nullptr);
    EXPECT_TRUE(replay_matches(frame));
  }
}

TEST(FloorPlans, BoardReplayComposesTheBoardFrame)
{
  set_pointer(BOARD_POINTER_X, BOARD_POINTER_Y, 0);
  for (int revealed = 0; revealed <= 1; revealed++)
    for (int help = 0; help <= 1; help++) {
      SCOPED_TRACE(revealed * 2 + help);
      MATCH start;
      board_setup(&start, revealed, help);
      start.player_kind[6] = PLAYER_OFF;
      game_match = start;
      take_turn(&game_match);
      EXPECT_NE(game_match.hover_cell, -1);
      plan_board(&plan, &game_match);
      EXPECT_TRUE(replay_matches([&] { game_match = start; take_turn(&game_match); match_draw(&game_match); }));
    }
}

TEST(FloorPlans, ComputerMoveReplayShowsTheBoardAfterTheMove)
{
  MATCH start;
  board_one_left(&start);
  game_match = start;
  take_turn(&game_match);
  EXPECT_EQ(game_match.revealed_count, BOARD_CELLS);
  EXPECT_EQ(game_match.hover_cell, -1);
  plan_board(&plan, &game_match);
  EXPECT_TRUE(replay_matches([&] { game_match = start; take_turn(&game_match); match_draw(&game_match); }));
}

TEST(FloorPlans, ResultsReplayComposesTheResultsFrame)
{
  for (int winner_image : {0, 32, 39}) {
    SCOPED_TRACE(winner_image);
    game_match.winner_image = winner_image;
    plan_results(&plan, &game_match);
    EXPECT_TRUE(replay_matches([] { results_draw(&game_match); }));
  }
}

}  // namespace
