// The maps that ship with the game: each text builds to a full board (the
// short one to a few whole rows), renders back to itself, and matches the
// file the build put in data/mapy/. Comment lines in a source are allowed.
#include "map_summary.h"
#include "map_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string slurp(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text with its comment lines left out (a rendered map carries its
// summary as comments).
std::string without_comments(const std::string &text)
{
  std::string kept;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.empty() || line[0] != '#')
      kept += line + "\n";
  return kept;
}

std::vector<std::string> map_names()
{
  std::vector<std::string> names;
  DIR *d = opendir(MAPS_SOURCE_DIR);
  if (!d)
    return names;
  while (dirent *e = readdir(d)) {
    std::string n = e->d_name;
    if (n.size() > 4 && n.compare(n.size() - 4, 4, ".txt") == 0)
      names.push_back(n.substr(0, n.size() - 4));
  }
  closedir(d);
  return names;
}

TEST(ShippedMaps, EachBuildsAndRendersBackToItsSource)
{
  std::vector<std::string> names = map_names();
  EXPECT_GE(names.size(), 6u);
  int short_maps = 0;
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    // The menu shows the file name as it is: a place name such as
    // "Zlaty ostrov", ASCII words with single spaces between them.
    EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -"),
              std::string::npos);
    EXPECT_TRUE(name[0] >= 'A' && name[0] <= 'Z');
    EXPECT_NE(name.back(), ' ');
    EXPECT_EQ(name.find("  "), std::string::npos);
    EXPECT_LE(name.size(), 22u) << "the menu's map field shows 22 characters";
    std::string text = slurp(std::string(MAPS_SOURCE_DIR) + "/" + name + ".txt");
    std::vector<unsigned char> bytes;
    MAP_TEXT_ERROR error;
    int count = map_text_parse(text.data(), text.size(), &bytes, &error);
    ASSERT_GT(count, 0) << error.line << ":" << error.column << " " << error.message;
    if (count < MAP_MAX_BYTES)
      short_maps++;
    else
      EXPECT_EQ(count, 1400);
    EXPECT_EQ(map_text_render(bytes.data(), count), without_comments(text));
    EXPECT_EQ(slurp(std::string(BUILT_MAPS_DIR) + "/" + name), std::string(bytes.begin(), bytes.end()));
    MAP_SUMMARY s = map_summarise(bytes.data(), count);
    EXPECT_GT(s.points, 0);
  }
  EXPECT_EQ(short_maps, 1);
  EXPECT_TRUE(std::find(names.begin(), names.end(), "Zlaty ostrov") != names.end());
}

}  // namespace
