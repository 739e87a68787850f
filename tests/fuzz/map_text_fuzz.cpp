// Fuzz target: render then parse is the identity on any map file, only
// printable text looks like a map text, and any text given to the parser is
// either refused with a line and column, or read as bytes that render back
// to a text that reads as the very same bytes.
#include "map_text.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
  // The input as a map file.
  MAP_TEXT_ERROR error = {};
  std::vector<unsigned char> file;
  std::string text = map_text_render(data, size);
  if (map_text_parse(text.data(), text.size(), &file, &error) != static_cast<int>(size) ||
      file != std::vector<unsigned char>(data, data + size))
    abort();

  // The input as a map file the kit warns about: only printable text is.
  if (map_text_lookalike(data, size))
    for (size_t i = 0; i < size; i++)
      if ((data[i] < 0x20 || data[i] > 0x7e) && data[i] != '\n' && data[i] != '\r')
        abort();

  // The input as a map text.
  std::vector<unsigned char> bytes;
  int count = map_text_parse(reinterpret_cast<const char *>(data), size, &bytes, &error);
  if (count < 0) {
    if (error.line < 1 || error.column < 0 || error.message.empty())
      abort();
    return 0;
  }
  if (static_cast<size_t>(count) != bytes.size() || count > MAP_FILE_LIMIT)
    abort();
  std::string again_text = map_text_render(bytes.data(), bytes.size());
  std::vector<unsigned char> again;
  if (map_text_parse(again_text.data(), again_text.size(), &again, &error) != count || again != bytes)
    abort();
  return 0;
}
