// Setting up a match and running its loop: one pass is one frame.
#include "match/play.h"
#include "shell/input.h"

MATCH game_match;

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
