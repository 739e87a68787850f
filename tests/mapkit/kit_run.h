// Running the map kit's commands in-process for the tests, in a scratch
// folder of their own, with what they print caught.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

struct RUN {
  int status;
  std::string out, err;
};

// The whole content of f from its start; closes f.
std::string drain(FILE *f);

// Runs the kit on words as if started as argv0.
RUN kit(std::vector<std::string> words, const std::string &argv0 = "mapkit");

// A failure says so on one line of the error stream and nothing on the other.
void expect_one_line_failure(const RUN &r, int status, const std::string &mentions);

// A scratch folder per test, removed afterwards.
class Commands : public ::testing::Test {
protected:
  std::string dir;
  void SetUp() override;
  void TearDown() override;
  std::string path(const char *name) const { return dir + "/" + name; }
  // Writes bytes to the file name in the folder.
  void write(const char *name, const std::string &bytes) const;
  // The file's content, or "<missing>".
  std::string read(const char *name) const;
  // The number of entries in the folder.
  int entries() const;
};
