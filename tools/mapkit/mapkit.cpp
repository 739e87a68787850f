// The kit's entry: picks the command, prints the overview on --help.
#include "commands.h"
#include "kit_args.h"
#include "map_text.h"
#include "platform/platform.h"

#include <cerrno>
#include <cstring>
#include <string>

static const char OVERVIEW[] =
  "usage: mapkit COMMAND ...\n"
  "Tools for the maps of Hledani pokladu.\n"
  "\n"
  "  render MAP                 print a map file as text, with a summary\n"
  "  build TEXT OUT             turn a map text into a map file\n"
  "  generate --seed N ... OUT  make a random map\n"
  "  stats MAP --players K --matches N\n"
  "                             play computer matches on a map, report per seat\n"
  "\n"
  "Map text: 40 cells a row, up to 35 rows, top row first. '.' nothing,\n"
  "'1'..'6' a find of that worth, 'X' a trap; any byte value v may also be\n"
  "written as the Braille character U+2800+v. Lines starting with '#' are\n"
  "comments, but a line '#! length N' above the rows makes the file exactly\n"
  "N bytes: empty, ending inside a row, or longer than the board.\n"
  "'mapkit COMMAND --help' tells more.\n";

// The name the kit was started under ("mapkit" in the build tree,
// "hledani-pokladu-mapkit" once installed): every message and help text
// names the command a map author can type.
static std::string kit_name = "mapkit";

// Prints a help text with each "mapkit" in it replaced by the kit's name.
static void put_help(const char *text, FILE *out)
{
  std::string help = text;
  for (size_t at = help.find("mapkit"); at != std::string::npos; at = help.find("mapkit", at + kit_name.size()))
    help.replace(at, 6, kit_name);
  fputs(help.c_str(), out);
}

int kit_fail(FILE *err, const char *command, const std::string &message)
{
  fprintf(err, "%s %s: %s\n", kit_name.c_str(), command, message.c_str());
  return KIT_FAILED;
}

int kit_usage(FILE *err, const char *command, const std::string &message)
{
  fprintf(err, "%s %s: %s (see %s %s --help)\n", kit_name.c_str(), command, message.c_str(), kit_name.c_str(),
          command);
  return KIT_USAGE;
}

void kit_warn_if_text(FILE *err, const char *command, const char *path, const std::string &data)
{
  if (map_text_lookalike(reinterpret_cast<const unsigned char *>(data.data()), data.size()))
    fprintf(err, "%s %s: %s: looks like a map text, not a map file (turn it into one with '%s build'); "
                 "reading its bytes as cells\n", kit_name.c_str(), command, path, kit_name.c_str());
}

int mapkit_close_output(int status, FILE *out, FILE *err)
{
  int error = ferror(out) ? EIO : 0;
  if (fclose(out) != 0)
    error = errno ? errno : EIO;
  if (!error)
    return status;
  fprintf(err, "%s: cannot write the output: %s\n", kit_name.c_str(), strerror(error));
  return status != KIT_OK ? status : KIT_FAILED;
}

int kit_begin(int argc, char **argv, const char *command, const std::vector<std::string> &known,
              size_t words, const char *usage_message, const char *help, FILE *out, FILE *err,
              KIT_ARGS *args)
{
  std::string why;
  if (kit_split_args(argc, argv, 2, known, args, &why) != 0)
    return kit_usage(err, command, why);
  if (args->help) {
    put_help(help, out);
    return KIT_OK;
  }
  if (args->words.size() != words)
    return kit_usage(err, command, usage_message);
  return -1;
}

int mapkit_main(int argc, char **argv, FILE *out, FILE *err)
{
  const char *name = argc > 0 && argv[0] ? argv[0] : "";
  if (const char *slash = platform_last_separator(name))
    name = slash + 1;
  kit_name = *name ? name : "mapkit";
  if (argc < 2) {
    fprintf(err, "%s: no command given (see %s --help)\n", kit_name.c_str(), kit_name.c_str());
    return KIT_USAGE;
  }
  const char *word = argv[1];
  if (!strcmp(word, "--help") || !strcmp(word, "-h") || !strcmp(word, "help")) {
    put_help(OVERVIEW, out);
    return KIT_OK;
  }
  if (!strcmp(word, "render"))
    return cmd_render(argc, argv, out, err);
  if (!strcmp(word, "build"))
    return cmd_build(argc, argv, out, err);
  if (!strcmp(word, "generate"))
    return cmd_generate(argc, argv, out, err);
  if (!strcmp(word, "stats"))
    return cmd_stats(argc, argv, out, err);
  fprintf(err, "%s: unknown command '%s' (see %s --help)\n", kit_name.c_str(), word, kit_name.c_str());
  return KIT_USAGE;
}
