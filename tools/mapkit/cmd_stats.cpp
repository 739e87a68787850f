// mapkit stats: many computer-only matches on one map, summed up per seat.
#include "commands.h"
#include "kit_args.h"
#include "kit_files.h"
#include "map_stats.h"
#include "map_summary.h"
#include "map_text.h"

#include <cstdlib>

enum { MAX_MATCHES = 1000000 };

static const char HELP[] =
  "usage: mapkit stats MAP --players K --matches N [--seed S]\n"
  "Plays N matches (1..1000000) on the map with K computer players (1..8)\n"
  "in seats 1..K, using the game's own rules and computer player, each match\n"
  "until the board is uncovered. Prints each seat's mean score and the share\n"
  "of matches it won outright, and the share with no winner (a shared top\n"
  "score). --seed S (default 1) seeds the computer players' picks; the same\n"
  "seed gives the same report on every system. A map file that looks like a\n"
  "map text gets a warning, and its bytes are played all the same.\n";

int cmd_stats(int argc, char **argv, FILE *out, FILE *err)
{
  KIT_ARGS args;
  int status = kit_begin(argc, argv, "stats", {"players", "matches", "seed"}, 1, "expects one map file", HELP, out, err, &args);
  if (status >= 0)
    return status;
  std::string why;
  const char *players_text = kit_option(&args, "players");
  const char *matches_text = kit_option(&args, "matches");
  const char *seed_text = kit_option(&args, "seed");
  long players, matches;
  uint64_t seed = 1;
  if (!players_text || kit_parse_int(players_text, 1, PLAYER_COUNT, &players) != 0)
    return kit_usage(err, "stats", "--players needs a number 1..8");
  if (!matches_text || kit_parse_int(matches_text, 1, MAX_MATCHES, &matches) != 0)
    return kit_usage(err, "stats", "--matches needs a number 1..1000000");
  if (seed_text && (kit_parse_u64(seed_text, &seed) != 0 || seed > 4294967295u))
    return kit_usage(err, "stats", std::string("bad seed '") + seed_text + "', expected 0..4294967295");

  const char *path = args.words[0].c_str();
  std::string data;
  if (kit_read_file(path, MAP_MAX_BYTES, &data, &why) != 0)
    return kit_fail(err, "stats", std::string(path) + ": " + why);
  kit_warn_if_text(err, "stats", path, data);
  int cells[BOARD_CELLS];
  map_board_from_bytes(reinterpret_cast<const unsigned char *>(data.data()), data.size(), cells);

  MAP_STATS s = map_play_matches(cells, static_cast<int>(players), static_cast<int>(matches), seed);
  fprintf(out, "%s: %ld matches, %ld computer players, seed %llu\n", path, matches, players,
          static_cast<unsigned long long>(seed));
  fprintf(out, "seat  mean score   wins\n");
  for (int p = 1; p <= s.players; p++)
    fprintf(out, "%s\n", map_stats_seat_line(&s, p).c_str());
  fprintf(out, "%s\n", map_stats_no_winner_line(&s).c_str());
  return KIT_OK;
}
