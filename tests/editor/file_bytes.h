// A whole file's bytes, read and written as they are, for the tests of the
// map files (on Linux and, cross-built, on Windows).
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// The file's bytes, or "<none>" when it cannot be opened.
inline std::string file_bytes(const std::string &path)
{
  FILE *f = fopen(path.c_str(), "rb");
  if (!f)
    return "<none>";
  std::string bytes;
  int c;
  while ((c = fgetc(f)) != EOF)
    bytes += static_cast<char>(c);
  fclose(f);
  return bytes;
}

// Writes bytes as the whole file at path; a failure fails the test.
inline void put_file_bytes(const std::string &path, const std::string &bytes)
{
  FILE *f = fopen(path.c_str(), "wb");
  ASSERT_TRUE(f) << path;
  EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size()) << path;
  EXPECT_EQ(fclose(f), 0) << path;
}
