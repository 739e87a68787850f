// mapkit render: a map file as text, followed by its summary.
#include "commands.h"
#include "kit_args.h"
#include "kit_files.h"
#include "map_summary.h"
#include "map_text.h"

static const char HELP[] =
  "usage: mapkit render MAP\n"
  "Prints the rows the map file fills, in the map text notation ('.' nothing,\n"
  "'1'..'6' finds, 'X' trap, Braille U+2800+v for any other byte v), then a\n"
  "summary as '#' comment lines: file size (short, full or long), cells per\n"
  "value, points on the board, traps, and the other values as the game shows\n"
  "them (empty, but 100 as the pointer's highlight picture), all from the\n"
  "bytes actually read. A file that looks like a map text gets a warning.\n"
  "'mapkit build' turns the output back into the very same file, whatever\n"
  "its length (up to 1048576 bytes). A short file prints only the rows it\n"
  "fills; a part row is completed with '.', as the game leaves those cells\n"
  "empty. When whole rows cannot say the length (an empty file, one ending\n"
  "inside a row, or one longer than the board) a first line '#! length N'\n"
  "does; the rows past the 35th are bytes the game does not read.\n";

int cmd_render(int argc, char **argv, FILE *out, FILE *err)
{
  KIT_ARGS args;
  int status = kit_begin(argc, argv, "render", {}, 1, "expects one map file", HELP, out, err, &args);
  if (status >= 0)
    return status;
  std::string why;
  const char *path = args.words[0].c_str();
  std::string data;
  if (kit_read_file(path, MAP_FILE_LIMIT + 1, &data, &why) != 0)
    return kit_fail(err, "render", std::string(path) + ": " + why);
  if (data.size() > MAP_FILE_LIMIT)
    return kit_fail(err, "render", std::string(path) + ": longer than " + std::to_string(MAP_FILE_LIMIT) +
                                       " bytes, too long for a map text");
  kit_warn_if_text(err, "render", path, data);
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(data.data());
  MAP_SUMMARY summary = map_summarise(bytes, data.size());
  fputs(map_text_render(bytes, data.size()).c_str(), out);
  fputs(map_summary_text(&summary).c_str(), out);
  return KIT_OK;
}
