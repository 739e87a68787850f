// Setting up a match and running its loop: one pass is one frame.
#include "match/play.h"
#include "shell/input.h"

static MATCH starting_match(void)
{
  MATCH match = {};
  match.player_kind[1] = PLAYER_HUMAN;
  match.player_kind[2] = PLAYER_COMPUTER;
  for (int p = 3; p <= PLAYER_COUNT; p++)
    match.player_kind[p] = PLAYER_OFF;
  return match;
}

MATCH game_match = starting_match();

void match_init(MATCH *match, const char *path)
{
  match_reset(match);
  next_player(match);
  map_load(match->cells, path);
  pause_200ms();
}

void play_match(MATCH *match, const char *path)
{
  match_init(match, path);
  while (match->finished == 0 && !close_requested) {
    match_buttons(match);
    take_turn(match);
    match_draw(match);
    check_match_end(match);
  }
}
