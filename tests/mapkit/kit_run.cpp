// The map kit's commands run in-process for the tests.
#include "kit_run.h"

#include "commands.h"
#include "temp_folder.h"

#include <cstdlib>
#include <dirent.h>

std::string drain(FILE *f)
{
  std::string s;
  rewind(f);
  int c;
  while ((c = fgetc(f)) != EOF)
    s.push_back(static_cast<char>(c));
  fclose(f);
  return s;
}

RUN kit(std::vector<std::string> words, const std::string &argv0)
{
  words.insert(words.begin(), argv0);
  std::vector<char *> argv;
  for (std::string &w : words)
    argv.push_back(&w[0]);
  argv.push_back(nullptr);
  FILE *out = tmpfile(), *err = tmpfile();
  RUN r;
  r.status = mapkit_main(static_cast<int>(words.size()), argv.data(), out, err);
  r.out = drain(out);
  r.err = drain(err);
  return r;
}

void expect_one_line_failure(const RUN &r, int status, const std::string &mentions)
{
  EXPECT_EQ(r.status, status);
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_EQ(r.err.compare(0, 6, "mapkit"), 0) << r.err;
  EXPECT_NE(r.err.find(mentions), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
}

void Commands::SetUp()
{
  dir = temp_folder("mapkit");
}

void Commands::TearDown()
{
  remove_folder(dir);
}

void Commands::write(const char *name, const std::string &bytes) const
{
  FILE *f = fopen(path(name).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
}

std::string Commands::read(const char *name) const
{
  FILE *f = fopen(path(name).c_str(), "rb");
  if (!f)
    return "<missing>";
  return drain(f);
}

int Commands::entries() const
{
  int n = 0;
  DIR *d = opendir(dir.c_str());
  while (dirent *e = readdir(d))
    n += e->d_name[0] != '.' || (e->d_name[1] && e->d_name[1] != '.');
  closedir(d);
  return n;
}
