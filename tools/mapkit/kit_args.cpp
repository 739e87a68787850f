// Parsing numbers and options for the map kit.
#include "kit_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

int kit_parse_int(const char *text, long lo, long hi, long *value)
{
  if (!text || !*text || (*text != '-' && (*text < '0' || *text > '9')))
    return -1;
  errno = 0;
  char *end;
  long v = strtol(text, &end, 10);
  if (errno || *end || v < lo || v > hi)
    return -1;
  *value = v;
  return 0;
}

int kit_parse_u64(const char *text, uint64_t *value)
{
  if (!text || *text < '0' || *text > '9')
    return -1;
  errno = 0;
  char *end;
  unsigned long long v = strtoull(text, &end, 10);
  if (errno || *end)
    return -1;
  *value = v;
  return 0;
}

int kit_parse_amount(const char *text, int board_cells, int *count)
{
  size_t n = text ? strlen(text) : 0;
  if (n >= 2 && text[n - 1] == '%') {
    std::string number(text, n - 1);
    if (number.find_first_not_of("0123456789.") != std::string::npos || number[0] == '.')
      return -1;
    char *end;
    double p = strtod(number.c_str(), &end);
    if (*end || !(p >= 0 && p <= 100))
      return -1;
    *count = static_cast<int>(std::floor(board_cells * p / 100 + 0.5));
    return 0;
  }
  long v;
  if (kit_parse_int(text, 0, board_cells, &v) != 0)
    return -1;
  *count = static_cast<int>(v);
  return 0;
}

int kit_split_args(int argc, char **argv, int first, const std::vector<std::string> &known,
                   KIT_ARGS *args, std::string *why)
{
  args->help = 0;
  for (int i = first; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      args->help = 1;
      continue;
    }
    if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
      args->words.push_back(a);
      continue;
    }
    std::string name = a.substr(2), value;
    size_t eq = name.find('=');
    int has_value = eq != std::string::npos;
    if (has_value) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    int found = 0;
    for (const std::string &k : known)
      found |= k == name;
    if (!found) {
      *why = "unknown option --" + name;
      return -1;
    }
    if (!has_value) {
      if (i + 1 >= argc) {
        *why = "option --" + name + " needs a value";
        return -1;
      }
      value = argv[++i];
    }
    args->names.push_back(name);
    args->values.push_back(value);
  }
  return 0;
}

const char *kit_option(const KIT_ARGS *args, const char *name)
{
  const char *found = nullptr;
  for (size_t i = 0; i < args->names.size(); i++)
    if (args->names[i] == name)
      found = args->values[i].c_str();
  return found;
}
