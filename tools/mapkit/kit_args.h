// Command-line pieces for the map kit: strict numbers and the option list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A whole decimal number in lo..hi with nothing around it. Returns 0, or -1.
int kit_parse_int(const char *text, long lo, long hi, long *value);
// An unsigned 64-bit decimal number. Returns 0, or -1.
int kit_parse_u64(const char *text, uint64_t *value);
// A count of cells: "N" or a share of the board "P%" (P may have decimals)
// rounded to whole cells. Returns 0, or -1.
int kit_parse_amount(const char *text, int board_cells, int *count);

// The arguments after the command word, split into options that take a value
// ("--name value" or "--name=value") and positional words.
struct KIT_ARGS {
  std::vector<std::string> names;     // option names, without "--"
  std::vector<std::string> values;    // the value of each option
  std::vector<std::string> words;     // positional arguments
  int help;                           // --help or -h was given
};

// Splits argv[first..argc-1]. Returns 0, or -1 with why set (an option left
// without its value, one not in known).
int kit_split_args(int argc, char **argv, int first, const std::vector<std::string> &known,
                   KIT_ARGS *args, std::string *why);

// The last value given for option name, or null.
const char *kit_option(const KIT_ARGS *args, const char *name);
