// The map text notation: every byte value survives render and parse, and a
// bad text is refused with the line and column of the fault.
#include "map_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

int parse(const std::string &text, std::vector<unsigned char> *bytes, MAP_TEXT_ERROR *error)
{
  bytes->assign(MAP_MAX_BYTES, 0xEE);
  return map_text_parse(text.data(), text.size(), bytes->data(), error);
}

std::string rows(int n, const std::string &row = std::string(40, '.'))
{
  std::string text;
  for (int i = 0; i < n; i++)
    text += row + "\n";
  return text;
}

TEST(Notation, EveryByteValueRoundTrips)
{
  std::vector<unsigned char> board(MAP_MAX_BYTES);
  for (int i = 0; i < MAP_MAX_BYTES; i++)
    board[i] = static_cast<unsigned char>((i * 7 + i / 256) & 0xff);
  std::set<int> seen(board.begin(), board.end());
  ASSERT_EQ(seen.size(), 256u);

  std::string text = map_text_render(board.data(), board.size());
  std::vector<unsigned char> back;
  MAP_TEXT_ERROR error;
  ASSERT_EQ(parse(text, &back, &error), MAP_MAX_BYTES) << error.message;
  EXPECT_EQ(back, board);
}

TEST(Notation, LettersForTheGameValuesAndOneDistinctCharacterForEveryOther)
{
  EXPECT_EQ(cell_notation(0), ".");
  EXPECT_EQ(cell_notation(1), "1");
  EXPECT_EQ(cell_notation(6), "6");
  EXPECT_EQ(cell_notation(10), "X");
  EXPECT_EQ(cell_notation(7), "\xE2\xA0\x87");     // U+2807
  EXPECT_EQ(cell_notation(255), "\xE2\xA3\xBF");   // U+28FF
  std::set<std::string> all;
  for (int v = 0; v < 256; v++)
    all.insert(cell_notation(v));
  EXPECT_EQ(all.size(), 256u);

  // The Braille form is accepted for the lettered values too.
  std::vector<unsigned char> bytes;
  MAP_TEXT_ERROR error;
  std::string row = "\xE2\xA0\x8A\xE2\xA0\x80" + std::string(38, '6');
  ASSERT_EQ(parse(row, &bytes, &error), 40) << error.message;
  EXPECT_EQ(bytes[0], 10);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[2], 6);
}

TEST(Notation, ShortTextsGiveShortMapsAndRenderOnlyTheirRows)
{
  std::vector<unsigned char> bytes;
  MAP_TEXT_ERROR error;
  EXPECT_EQ(parse(rows(8, "X" + std::string(39, '.')), &bytes, &error), 320);
  EXPECT_EQ(bytes[280], 10);

  std::string back = map_text_render(bytes.data(), 320);
  EXPECT_EQ(back, rows(8, "X" + std::string(39, '.')));
  // A part row is completed with empty cells, as the game sees it.
  EXPECT_EQ(map_text_render(bytes.data(), 41), rows(1, "X" + std::string(39, '.')) + "X" + std::string(39, '.') + "\n");
  // Bytes past a full board are not shown.
  std::vector<unsigned char> long_file(1500, 3);
  EXPECT_EQ(map_text_render(long_file.data(), long_file.size()), rows(35, std::string(40, '3')));
  EXPECT_EQ(map_text_render(nullptr, 0), "");
}

TEST(Notation, CommentsCarriageReturnsAndTrailingEmptyLinesAreAccepted)
{
  std::vector<unsigned char> bytes;
  MAP_TEXT_ERROR error;
  std::string text = "# a comment\r\n" + std::string(40, '1') + "\r\n# between\n" + std::string(40, '2') + "\n\n\n";
  ASSERT_EQ(parse(text, &bytes, &error), 80) << error.message;
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[79], 2);
  // No newline after the last row.
  EXPECT_EQ(parse(std::string(40, '5'), &bytes, &error), 40);
  EXPECT_EQ(parse(rows(35), &bytes, &error), 1400);
}

struct BAD_TEXT {
  const char *name;
  std::string text;
  int line, column;
  const char *says;
};

TEST(Notation, FaultsNameTheirLineAndColumn)
{
  std::string good = std::string(40, '.');
  std::vector<BAD_TEXT> cases = {
    {"letter", rows(2) + std::string(16, '.') + "q" + std::string(23, '.') + "\n", 3, 17, "'q'"},
    {"space", rows(1) + std::string(39, '.') + " \n", 2, 40, "a space"},
    {"lower-case trap", "x" + std::string(39, '.'), 1, 1, "'x'"},
    {"digit 7", rows(1) + "7" + std::string(39, '.'), 2, 1, "'7'"},
    {"other Unicode", "\xE2\x98\x85" + std::string(39, '.'), 1, 1, "U+2605"},
    {"cut Braille", std::string(39, '.') + "\xE2\xA0", 1, 40, "byte 0xE2"},
    {"short row", rows(4) + std::string(39, '.') + "\n", 5, 0, "only 39 cells"},
    {"long row", rows(1) + std::string(41, '.') + "\n", 2, 41, "longer than 40"},
    {"too many rows", rows(35) + good + "\n", 36, 0, "more than 35 rows"},
    {"empty line inside", rows(3) + "\n" + rows(2), 4, 0, "empty row"},
    {"comment lines count", "# one\n# two\n" + std::string(10, '.') + "\n", 3, 0, "only 10 cells"},
    {"no rows", "", 1, 0, "no rows"},
    {"only comments", "# nothing\n# here\n", 2, 0, "no rows"},
  };
  for (const BAD_TEXT &c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> bytes;
    MAP_TEXT_ERROR error = {};
    EXPECT_EQ(parse(c.text, &bytes, &error), -1);
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.column, c.column);
    EXPECT_NE(error.message.find(c.says), std::string::npos) << error.message;
  }
}

}  // namespace
