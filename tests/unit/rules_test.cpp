// The rules of a turn: scoring, passing, skip flags, the computer's pick and
// the winner, driven on the record directly.
#include "match/match.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

// A fresh match with the given kinds for players 1..8, player 1 to move.
MATCH make_match(std::initializer_list<int> kinds)
{
  MATCH m;
  memset(&m, 0, sizeof m);
  int p = 1;
  for (int k : kinds)
    m.player_kind[p++] = k;
  match_reset(&m);
  next_player(&m);
  return m;
}

int revealed_cells(const MATCH &m)
{
  int n = 0;
  for (int r : m.revealed)
    n += r;
  return n;
}

TEST(Reveal, EveryClassOfValueScoresOrPasses)
{
  struct { int value; int points; bool keeps_turn; bool trap; } rows[] = {
    {0, 0, false, false}, {1, 1, true, false}, {2, 2, true, false}, {3, 3, true, false},
    {4, 4, true, false}, {5, 5, true, false}, {6, 6, true, false}, {7, 0, false, false},
    {9, 0, false, false}, {10, 0, false, true}, {11, 0, false, false}, {100, 0, false, false},
    {255, 0, false, false},
  };
  for (auto row : rows) {
    MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER});
    m.cells[17] = row.value;
    reveal_cell(&m, 17);
    SCOPED_TRACE(row.value);
    EXPECT_EQ(m.scores[1], row.points);
    EXPECT_EQ(m.current_player, row.keeps_turn ? 1 : 2);
    EXPECT_EQ(m.skip_turn[1], row.trap ? 1 : 0);
    EXPECT_EQ(m.revealed[17], 1);
    EXPECT_EQ(m.revealed_count, 1);
  }
}

TEST(Reveal, CountRisesByOneEveryRevealUpToTheWholeBoard)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_HUMAN, PLAYER_HUMAN});
  for (int i = 0; i < BOARD_CELLS; i++)
    m.cells[i] = i % 12;
  for (int i = 0; i < BOARD_CELLS; i++) {
    reveal_cell(&m, i);
    ASSERT_EQ(m.revealed_count, i + 1);
  }
  EXPECT_EQ(revealed_cells(m), BOARD_CELLS);
}

TEST(TurnOrder, OpensWithPlayerOneAndWrapsFromEightToOne)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_OFF, PLAYER_OFF, PLAYER_OFF, PLAYER_OFF,
                        PLAYER_OFF, PLAYER_OFF, PLAYER_COMPUTER});
  EXPECT_EQ(m.current_player, 1);
  next_player(&m);
  EXPECT_EQ(m.current_player, 8);
  next_player(&m);
  EXPECT_EQ(m.current_player, 1);
}

TEST(TurnOrder, HumanAndComputerAlternateOnEmptyCells)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER});
  reveal_cell(&m, 0);
  EXPECT_EQ(m.current_player, 2);
  reveal_cell(&m, 1);
  EXPECT_EQ(m.current_player, 1);
}

TEST(TurnOrder, LonePlayerWhoHitsATrapMovesAgainWithFlagCleared)
{
  MATCH m = make_match({PLAYER_HUMAN});
  m.cells[3] = CELL_TRAP;
  reveal_cell(&m, 3);
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.skip_turn[1], 0);
}

TEST(TurnOrder, TrapCostsExactlyOneTurn)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_OFF, PLAYER_OFF, PLAYER_OFF, PLAYER_COMPUTER});
  next_player(&m);  // player 5 to move
  ASSERT_EQ(m.current_player, 5);
  m.cells[0] = CELL_TRAP;
  reveal_cell(&m, 0);
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.skip_turn[5], 1);
  reveal_cell(&m, 1);  // empty: 5 is passed over
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.skip_turn[5], 0);
  reveal_cell(&m, 2);
  EXPECT_EQ(m.current_player, 5);
}

TEST(TurnOrder, TrapsOfTwoPlayersInARowAreBothConsumed)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER, PLAYER_COMPUTER});
  m.cells[1] = CELL_TRAP;
  m.cells[2] = CELL_TRAP;
  reveal_cell(&m, 0);  // 1 -> 2
  reveal_cell(&m, 1);  // 2 trapped -> 3
  EXPECT_EQ(m.current_player, 3);
  reveal_cell(&m, 2);  // 3 trapped -> 1
  EXPECT_EQ(m.current_player, 1);
  reveal_cell(&m, 3);  // 2 and 3 passed over
  EXPECT_EQ(m.current_player, 1);
  EXPECT_EQ(m.skip_turn[2], 0);
  EXPECT_EQ(m.skip_turn[3], 0);
  reveal_cell(&m, 4);
  EXPECT_EQ(m.current_player, 2);
}

TEST(TurnOrder, OffPlayersFlagIsNeverLookedAt)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_OFF, PLAYER_COMPUTER});
  m.skip_turn[2] = 1;
  next_player(&m);
  EXPECT_EQ(m.current_player, 3);
  EXPECT_EQ(m.skip_turn[2], 1);
}

TEST(ComputerMove, NeverPicksARevealedCellAndFindsTheLastOne)
{
  MATCH m = make_match({PLAYER_COMPUTER, PLAYER_COMPUTER});
  m.player_kind[1] = PLAYER_HUMAN;
  srand(1);
  for (int i = 0; i < BOARD_CELLS; i++) {
    int before[BOARD_CELLS];
    memcpy(before, m.revealed, sizeof before);
    computer_move(&m);
    ASSERT_EQ(m.revealed_count, i + 1);
    int newly = 0;
    for (int c = 0; c < BOARD_CELLS; c++) {
      ASSERT_TRUE(!before[c] || m.revealed[c]) << "cell " << c << " was unrevealed";
      newly += m.revealed[c] - before[c];
    }
    ASSERT_EQ(newly, 1);
  }
  EXPECT_EQ(revealed_cells(m), BOARD_CELLS);
}

TEST(ComputerMove, OneCellLeftIsTheOneRevealed)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER});
  for (int c = 0; c < BOARD_CELLS; c++)
    m.revealed[c] = 1;
  m.revealed[777] = 0;
  m.revealed_count = BOARD_CELLS - 1;
  computer_move(&m);
  EXPECT_EQ(m.revealed[777], 1);
  EXPECT_EQ(m.revealed_count, BOARD_CELLS);
}

TEST(ComputerMove, FullBoardTakesNoMove)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER});
  for (int c = 0; c < BOARD_CELLS; c++)
    m.revealed[c] = 1;
  m.revealed_count = BOARD_CELLS;
  computer_move(&m);  // must return, not spin
  EXPECT_EQ(m.revealed_count, BOARD_CELLS);
}

TEST(ComputerMove, PicksFollowTheUnseededSequence)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER});
  srand(1);
  int expected = rand() % BOARD_CELLS;
  srand(1);
  computer_move(&m);
  EXPECT_EQ(m.revealed[expected], 1);
}

TEST(Winner, StrictMaximumOverAllEightSlots)
{
  struct { int scores[9]; int winner; } rows[] = {
    {{0, 5, 3}, 1},
    {{0, 9, 4, 4}, 1},
    {{0, 7, 7, 2}, 0},
    {{0}, 0},
    {{0, 0, 0, 0, 0, 0, 0, 0, 1}, 8},
    {{0, 1}, 1},
    {{0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
  };
  for (auto row : rows) {
    MATCH m = make_match({PLAYER_HUMAN});
    for (int p = 1; p <= 8; p++)
      m.scores[p] = row.scores[p];
    EXPECT_EQ(match_winner(&m), row.winner);
  }
}

TEST(Reset, ClearsTheMatchButKeepsKinds)
{
  MATCH m = make_match({PLAYER_HUMAN, PLAYER_COMPUTER, PLAYER_HUMAN});
  m.finished = m.help_shown = m.end_requested = -1;
  m.winner_image = 33;
  m.scores[2] = 9;
  m.skip_turn[3] = 1;
  m.revealed[5] = 1;
  m.revealed_count = 1;
  m.cells[5] = 4;
  m.current_player = 3;
  match_reset(&m);
  EXPECT_EQ(m.finished, 0);
  EXPECT_EQ(m.help_shown, 0);
  EXPECT_EQ(m.end_requested, 0);
  EXPECT_EQ(m.winner_image, 0);
  EXPECT_EQ(m.scores[2], 0);
  EXPECT_EQ(m.skip_turn[3], 0);
  EXPECT_EQ(m.revealed[5], 0);
  EXPECT_EQ(m.cells[5], 0);
  EXPECT_EQ(m.revealed_count, 0);
  EXPECT_EQ(m.current_player, 0);
  EXPECT_EQ(m.player_kind[3], PLAYER_HUMAN);
}

}  // namespace
