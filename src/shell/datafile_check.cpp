// The layout of a datafile, walked with every length checked against what
// is left: the library's loader trusts them.
#include "shell/datafile_check.h"
#include "platform/platform.h"

#include <cstring>
#include <string>

namespace {

enum { MAX_DEPTH = 8, MAX_OBJECTS = 100000 };

struct CURSOR {
  const unsigned char *at;
  std::size_t left;
};

int take(CURSOR *c, std::size_t n)
{
  if (c->left < n)
    return 0;
  c->at += n;
  c->left -= n;
  return 1;
}

// A big-endian 32-bit number, as the library writes them.
int take_long(CURSOR *c, long long *value)
{
  if (c->left < 4)
    return 0;
  unsigned long long raw = (static_cast<unsigned long long>(c->at[0]) << 24) | (c->at[1] << 16) |
                           (c->at[2] << 8) | c->at[3];
  *value = raw >= 0x80000000ULL ? static_cast<long long>(raw) - 0x100000000LL : static_cast<long long>(raw);
  return take(c, 4);
}

int take_tag(CURSOR *c, const char *tag)
{
  return c->left >= 4 && std::memcmp(c->at, tag, 4) == 0 && take(c, 4);
}

// A bitmap object's body: bits, width, height, then the pixels.
int bitmap_sound(const unsigned char *body, std::size_t size)
{
  if (size < 6)
    return 0;
  int bits = static_cast<short>((body[0] << 8) | body[1]);
  unsigned long long w = (body[2] << 8) | body[3], h = (body[4] << 8) | body[5];
  unsigned long long pixels = w * h;
  unsigned long long need;
  switch (bits) {
  case 4: need = pixels / 2; break;
  case 8: need = pixels; break;
  case 15:
  case 16: need = pixels * 2; break;
  case 24: need = pixels * 3; break;
  case 32:
  case -32: need = pixels * 4; break;
  default: return 0;
  }
  return need <= size - 6;
}

int objects_sound(CURSOR *c, int depth);

// One object: its properties, its type and its chunk, which is used whole.
int object_sound(CURSOR *c, int depth)
{
  long long size, data_size;
  while (take_tag(c, "prop")) {
    if (!take(c, 4) || !take_long(c, &size) || size < 0 || !take(c, static_cast<std::size_t>(size)))
      return 0;
  }
  if (c->left < 4)
    return 0;
  std::string type(reinterpret_cast<const char *>(c->at), 4);
  take(c, 4);
  // An uncompressed chunk gives its size twice; a negative one is compressed.
  if (!take_long(c, &size) || !take_long(c, &data_size) || size < 0 || data_size != size ||
      static_cast<unsigned long long>(size) > c->left)
    return 0;
  CURSOR body = {c->at, static_cast<std::size_t>(size)};
  take(c, static_cast<std::size_t>(size));
  if (type == "BMP ")
    return bitmap_sound(body.at, body.left);
  if (type == "DATA")
    return 1;
  if (type == "FILE")
    return depth < MAX_DEPTH && objects_sound(&body, depth + 1);
  return 0;
}

// A count, then that many objects.
int objects_sound(CURSOR *c, int depth)
{
  long long count;
  if (!take_long(c, &count) || count < 0 || count > MAX_OBJECTS)
    return 0;
  for (long long i = 0; i < count; i++)
    if (!object_sound(c, depth))
      return 0;
  return 1;
}

}  // namespace

int datafile_layout_sound(const unsigned char *bytes, std::size_t size)
{
  CURSOR c = {bytes, size};
  return take_tag(&c, "slh.") && take_tag(&c, "ALL.") && objects_sound(&c, 1);
}

int datafile_file_sound(const char *path, std::size_t max_bytes)
{
  int fd = platform_open_read(path);
  if (fd < 0)
    return 0;
  std::string bytes;
  char block[65536];
  long got;
  while ((got = platform_read(fd, block, sizeof block)) > 0 && bytes.size() <= max_bytes)
    bytes.append(block, static_cast<std::size_t>(got));
  platform_close(fd);
  if (got < 0 || bytes.size() > max_bytes)
    return 0;
  return datafile_layout_sound(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
}
