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
  int count = map_text_parse(text.data(), text.size(), bytes, error);
  if (count >= 0) {
    EXPECT_EQ(bytes->size(), static_cast<size_t>(count));
  }
  return count;
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
}

// Whole rows say only multiples of 40 up to 1400; the length line says the
// rest, and render writes it exactly then.
TEST(Notation, TheLengthLineSaysWhatWholeRowsCannot)
{
  std::string x_row = "X" + std::string(39, '.');
  // A part row is completed with empty cells, as the game sees it.
  std::vector<unsigned char> traps(41, CELL_TRAP);
  EXPECT_EQ(map_text_render(traps.data(), traps.size()), "#! length 41\n" + rows(1, std::string(40, 'X')) + x_row + "\n");
  std::vector<unsigned char> long_file(1500, 3);
  EXPECT_EQ(map_text_render(long_file.data(), long_file.size()),
            "#! length 1500\n" + rows(35, std::string(40, '3')) +
                "# past the board: the game reads only the 1400 bytes above\n" + rows(2, std::string(40, '3')) +
                std::string(20, '3') + std::string(20, '.') + "\n");
  EXPECT_EQ(map_text_render(nullptr, 0), "#! length 0\n");

  std::vector<unsigned char> bytes;
  MAP_TEXT_ERROR error;
  EXPECT_EQ(parse("#! length 0\n", &bytes, &error), 0) << error.message;
  EXPECT_EQ(parse("# an empty map\n#!length 0\n\n", &bytes, &error), 0) << error.message;
  // The last row may stop where the file does, or go on with '.'.
  ASSERT_EQ(parse("#! length 43\n" + rows(1, x_row) + "6X1\n", &bytes, &error), 43) << error.message;
  EXPECT_EQ(bytes[40], 6);
  EXPECT_EQ(bytes[42], 1);
  EXPECT_EQ(parse("#! length 43\n" + rows(1, x_row) + "6X1" + std::string(37, '.') + "\n", &bytes, &error), 43);
  EXPECT_EQ(parse("#!\tlength   1 \r\n5\r\n", &bytes, &error), 1) << error.message;
  // A whole number of rows may carry the line too.
  EXPECT_EQ(parse("#! length 80\n" + rows(2), &bytes, &error), 80);
  // Any other line starting with '#', "#!" included, stays a comment.
  EXPECT_EQ(parse("#!! note\n#! width 20\n#!\n" + rows(1) + "# lengthy\n", &bytes, &error), 40) << error.message;
  // Rows past the 35th, and with them any length up to the limit.
  ASSERT_EQ(parse("#! length 1441\n" + rows(36, x_row) + "4\n", &bytes, &error), 1441) << error.message;
  EXPECT_EQ(bytes[1400], 10);
  EXPECT_EQ(bytes[1440], 4);
  std::vector<unsigned char> biggest(MAP_FILE_LIMIT, 200);
  ASSERT_EQ(parse(map_text_render(biggest.data(), biggest.size()), &bytes, &error), MAP_FILE_LIMIT);
  EXPECT_EQ(bytes, biggest);
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
    {"length without a number", "#! length\n", 1, 0, "bad length"},
    {"negative length", "#! length -5\n", 1, 0, "bad length"},
    {"length with a unit", "#! length 5 bytes\n", 1, 0, "bad length"},
    {"length past the limit", "#! length 1048577\n", 1, 0, "0..1048576"},
    {"second length", "#! length 40\n#! length 40\n" + rows(1), 2, 0, "second directive line"},
    {"length below a row", rows(1) + "#! length 40\n", 2, 0, "before the first row"},
    {"rows short of the length", "#! length 81\n" + rows(2), 1, 0, "takes 3 rows, the text has 2"},
    {"a row past the length", "#! length 40\n" + rows(2), 3, 0, "more rows than '#! length 40'"},
    {"rows for length 0", "# x\n#! length 0\n" + rows(1), 3, 0, "more rows"},
    {"short row before the last", "#! length 85\n" + std::string(5, '.') + "\n" + rows(2), 2, 0, "only 5 cells, a row needs 40"},
    {"last row between", "#! length 45\n" + rows(1) + "......\n", 3, 0, "the last row holds 5"},
    {"find past the length", "#! length 45\n" + rows(1) + "......3" + std::string(33, '.'), 3, 7, "only '.' may stand"},
    {"36 rows without length", rows(36), 36, 0, "'#! length N'"},
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
