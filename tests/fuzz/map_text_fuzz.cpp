// Fuzz target: any text given to the map kit's parser is either refused
// with a line and column, or read as whole rows that render back to a text
// that reads as the very same bytes.
#include "map_text.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
  unsigned char bytes[MAP_MAX_BYTES];
  MAP_TEXT_ERROR error = {};
  int count = map_text_parse(reinterpret_cast<const char *>(data), size, bytes, &error);
  if (count < 0) {
    if (error.line < 1 || error.column < 0 || error.message.empty())
      abort();
    return 0;
  }
  if (count > MAP_MAX_BYTES || count % BOARD_COLUMNS != 0)
    abort();
  std::string text = map_text_render(bytes, count);
  unsigned char again[MAP_MAX_BYTES];
  MAP_TEXT_ERROR error_again = {};
  int count_again = map_text_parse(text.data(), text.size(), again, &error_again);
  if (count_again != count || memcmp(bytes, again, count) != 0)
    abort();
  return 0;
}
