// mapkit build: a map text turned into a map file.
#include "commands.h"
#include "kit_args.h"
#include "kit_files.h"
#include "map_text.h"

// Room for the text of the longest file the kit renders (3 bytes a cell in
// Braille), comments included.
enum { TEXT_LIMIT = 4 << 20 };

static const char HELP[] =
  "usage: mapkit build TEXT OUT\n"
  "Turns the map text TEXT into the map file OUT, one byte per cell.\n"
  "Each row holds exactly 40 cells: '.' nothing, '1'..'6' a find, 'X' a trap,\n"
  "or the Braille character U+2800+v for any byte value v. Lines starting\n"
  "with '#' are comments; empty lines at the end are ignored.\n"
  "A text of 35 rows gives a full 1400-byte map. Fewer rows are allowed and\n"
  "give a short file of rows x 40 bytes: the game leaves the rest empty.\n"
  "A line '#! length N' above the rows makes the file exactly N bytes\n"
  "(0..1048576), for files whole rows cannot say: '#! length 0' alone is an\n"
  "empty file; at '#! length 45' the second row holds 5 cells (or 40 with\n"
  "'.' after the fifth); past 35 rows come bytes the game does not read.\n"
  "On an error nothing is written; the message names the line and column.\n"
  "OUT must not be TEXT itself; a link at OUT is replaced by the map file.\n";

int cmd_build(int argc, char **argv, FILE *out, FILE *err)
{
  KIT_ARGS args;
  int status = kit_begin(argc, argv, "build", {}, 2, "expects a map text and an output file", HELP, out, err, &args);
  if (status >= 0)
    return status;
  std::string why;
  const char *text_path = args.words[0].c_str();
  const char *out_path = args.words[1].c_str();
  if (kit_same_file(text_path, out_path))
    return kit_fail(err, "build", std::string(out_path) + ": is the map text itself; nothing written");
  std::string text;
  if (kit_read_file(text_path, TEXT_LIMIT + 1, &text, &why) != 0)
    return kit_fail(err, "build", std::string(text_path) + ": " + why);
  if (text.size() > TEXT_LIMIT)
    return kit_fail(err, "build", std::string(text_path) + ": too large for a map text");

  std::vector<unsigned char> bytes;
  MAP_TEXT_ERROR error;
  int count = map_text_parse(text.data(), text.size(), &bytes, &error);
  if (count < 0) {
    std::string where = std::string(text_path) + ":" + std::to_string(error.line);
    if (error.column > 0)
      where += ":" + std::to_string(error.column);
    return kit_fail(err, "build", where + ": " + error.message);
  }
  if (kit_write_file(out_path, bytes.data(), bytes.size(), &why) != 0)
    return kit_fail(err, "build", std::string(out_path) + ": " + why);
  const char *note = "";
  if (count < MAP_MAX_BYTES)
    note = " (short: the cells past them stay empty in the game)";
  else if (count > MAP_MAX_BYTES)
    note = " (long: the game reads only the first 1400)";
  fprintf(out, "%s: %d bytes%s\n", out_path, count, note);
  return KIT_OK;
}
