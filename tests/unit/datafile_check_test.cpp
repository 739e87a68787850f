// The image set's layout check used where the library's loader cannot be
// run apart (the web): every file it passes is one the loader reads within
// its bytes; damaged, cut or compressed files and unknown objects fail.
#include "shell/datafile_check.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string be32(long long v)
{
  unsigned long long u = static_cast<unsigned long long>(v) & 0xFFFFFFFFULL;
  return std::string{static_cast<char>(u >> 24), static_cast<char>(u >> 16), static_cast<char>(u >> 8),
                     static_cast<char>(u)};
}

std::string be16(int v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v)}; }

// An object as the library's dat tool writes it: properties, type, the
// chunk's two sizes (equal when uncompressed), the body.
std::string object(const std::string &type, const std::string &body, const std::string &props = "")
{
  return props + type + be32(static_cast<long long>(body.size())) + be32(static_cast<long long>(body.size())) + body;
}

std::string prop(const std::string &type, const std::string &value)
{
  return "prop" + type + be32(static_cast<long long>(value.size())) + value;
}

std::string bitmap(int bits, int w, int h, int bytes_per_pixel)
{
  return be16(bits) + be16(w) + be16(h) + std::string(static_cast<size_t>(w * h * bytes_per_pixel), '\x5a');
}

std::string datafile(const std::string &objects, int count)
{
  return "slh.ALL." + be32(count) + objects;
}

int sound(const std::string &bytes)
{
  return datafile_layout_sound(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
}

const std::string BMP16 = object("BMP ", bitmap(16, 3, 2, 2), prop("NAME", "00_BMP"));
const std::string GOOD = datafile(BMP16 + object("BMP ", bitmap(16, 4, 4, 2)), 2);

TEST(DatafileLayout, WhatTheLoaderReadsWholeAndNothingElse)
{
  struct ROW {
    const char *name;
    std::string bytes;
    int want;
  };
  const ROW rows[] = {
      {"two 16-bit bitmaps, one named", GOOD, 1},
      {"bytes after the last object", GOOD + "tail", 1},
      {"every bitmap depth", datafile(object("BMP ", bitmap(8, 2, 2, 1)) + object("BMP ", bitmap(15, 2, 2, 2)) +
                                          object("BMP ", bitmap(24, 2, 2, 3)) + object("BMP ", bitmap(32, 2, 2, 4)) +
                                          object("BMP ", bitmap(-32, 2, 2, 4)), 5), 1},
      {"raw data and a nested datafile", datafile(object("DATA", "text") + object("FILE", be32(1) + BMP16), 2), 1},
      {"no objects", datafile("", 0), 1},
      {"empty", "", 0},
      {"compressed", "slh!" + GOOD.substr(4), 0},
      {"not a datafile", "random bytes, not a datafile at all", 0},
      {"more objects counted than there are", datafile(BMP16, 2), 0},
      {"a negative count", datafile(BMP16, -1), 0},
      {"a property longer than the file", datafile(prop("NAME", "x").substr(0, 12) + be32(1000) + "x", 1), 0},
      {"a compressed chunk", datafile("BMP " + be32(20) + be32(-40) + std::string(20, 'x'), 1), 0},
      {"a chunk longer than the file", datafile("BMP " + be32(500) + be32(500) + bitmap(16, 3, 2, 2), 1), 0},
      {"pixels past the chunk", datafile(object("BMP ", be16(16) + be16(100) + be16(100) + "xy"), 1), 0},
      {"a bitmap too short for its header", datafile(object("BMP ", be16(16) + be16(1)), 1), 0},
      {"an unknown depth", datafile(object("BMP ", bitmap(12, 2, 2, 2)), 1), 0},
      {"a font (its loader is not checked)", datafile(object("FONT", std::string(40, '\0')), 1), 0},
      {"a damaged nested datafile", datafile(object("FILE", be32(3) + BMP16), 1), 0},
  };
  for (const ROW &row : rows)
    EXPECT_EQ(sound(row.bytes), row.want) << row.name;
}

TEST(DatafileLayout, EveryCutFails)
{
  for (size_t size = 0; size < GOOD.size(); size++)
    EXPECT_EQ(sound(GOOD.substr(0, size)), 0) << "cut after " << size << " bytes";
}

TEST(DatafileLayout, NestingHasALimit)
{
  std::string inner = be32(0);
  for (int depth = 1; depth <= 7; depth++)
    inner = be32(1) + object("FILE", inner);
  EXPECT_EQ(sound("slh.ALL." + inner), 1) << "8 levels";
  EXPECT_EQ(sound("slh.ALL." + be32(1) + object("FILE", inner)), 0) << "9 levels";
}

TEST(DatafileLayout, FilesAreReadWholeUpToALimit)
{
  std::string name = temp_folder("datafile") + "/tarkoni.dat";
  const char *path = name.c_str();
  FILE *f = fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(fwrite(GOOD.data(), 1, GOOD.size(), f), GOOD.size());
  fclose(f);
  EXPECT_EQ(datafile_file_sound(path, GOOD.size()), 1);
  EXPECT_EQ(datafile_file_sound(path, GOOD.size() - 1), 0) << "longer than the limit";
  unlink(path);
  EXPECT_EQ(datafile_file_sound(path, 1 << 20), 0) << "missing";
  EXPECT_EQ(datafile_file_sound("/tmp", 1 << 20), 0) << "a folder";
}

}  // namespace
