// mapkit generate: a random map from a seed and the wanted counts.
#include "commands.h"
#include "kit_args.h"
#include "kit_files.h"
#include "map_generate.h"
#include "map_text.h"

static const char HELP[] =
  "usage: mapkit generate --seed N [--rows R] [--traps A] [--find V=A]... OUT\n"
  "Writes a random map to OUT. The same seed and options always give the\n"
  "same file.\n"
  "  --seed N     the generator's seed, 0 .. 18446744073709551615 (required)\n"
  "  --rows R     rows of the map, 1..35 (default 35; fewer give a short file)\n"
  "  --traps A    how many traps\n"
  "  --find V=A   how many finds of worth V (1..6); may be given for each V\n"
  "An amount A is a number of cells, or a share of the map's cells such as\n"
  "'2.5%'. Amounts not given keep their defaults: finds 1..6 at 8%, 5%, 3%,\n"
  "2%, 1% and 0.5%, traps at 2%. Everything else is empty.\n";

int cmd_generate(int argc, char **argv, FILE *out, FILE *err)
{
  KIT_ARGS args;
  int status = kit_begin(argc, argv, "generate", {"seed", "rows", "traps", "find"}, 1, "expects one output file", HELP, out, err, &args);
  if (status >= 0)
    return status;
  std::string why;

  MAP_RECIPE recipe = {};
  const char *seed = kit_option(&args, "seed");
  if (!seed)
    return kit_usage(err, "generate", "--seed is required");
  if (kit_parse_u64(seed, &recipe.seed) != 0)
    return kit_usage(err, "generate", std::string("bad seed '") + seed + "'");
  long rows = BOARD_ROWS;
  const char *rows_text = kit_option(&args, "rows");
  if (rows_text && kit_parse_int(rows_text, 1, BOARD_ROWS, &rows) != 0)
    return kit_usage(err, "generate", std::string("bad row count '") + rows_text + "', expected 1..35");
  recipe.rows = static_cast<int>(rows);
  int cells = recipe.rows * BOARD_COLUMNS;
  map_recipe_defaults(&recipe);
  for (size_t i = 0; i < args.names.size(); i++) {
    const std::string &name = args.names[i], &value = args.values[i];
    if (name == "traps" && kit_parse_amount(value.c_str(), cells, &recipe.traps) != 0)
      return kit_usage(err, "generate", "bad trap amount '" + value + "'");
    if (name != "find")
      continue;
    long worth;
    size_t eq = value.find('=');
    if (eq == std::string::npos || kit_parse_int(value.substr(0, eq).c_str(), 1, 6, &worth) != 0 ||
        kit_parse_amount(value.c_str() + eq + 1, cells, &recipe.finds[worth]) != 0)
      return kit_usage(err, "generate", "bad --find '" + value + "', expected V=COUNT or V=PERCENT% with V 1..6");
  }

  unsigned char bytes[MAP_MAX_BYTES];
  int count = map_generate(&recipe, bytes);
  if (count < 0)
    return kit_usage(err, "generate", "the finds and traps asked for do not fit in " + std::to_string(cells) +
                                          " cells");
  const char *out_path = args.words[0].c_str();
  if (kit_write_file(out_path, bytes, count, &why) != 0)
    return kit_fail(err, "generate", std::string(out_path) + ": " + why);
  fprintf(out, "%s: %d bytes, finds 1..6: %d %d %d %d %d %d, traps: %d\n", out_path, count, recipe.finds[1],
          recipe.finds[2], recipe.finds[3], recipe.finds[4], recipe.finds[5], recipe.finds[6], recipe.traps);
  return KIT_OK;
}
