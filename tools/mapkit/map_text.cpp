// Parsing and writing the map text notation.
#include "map_text.h"

#include <cstdio>

enum { BRAILLE_FIRST = 0x2800 };

std::string cell_notation(int value)
{
  if (value == CELL_EMPTY)
    return ".";
  if (value >= CELL_FIND_MIN && value <= CELL_FIND_MAX)
    return std::string(1, static_cast<char>('0' + value));
  if (value == CELL_TRAP)
    return "X";
  int cp = BRAILLE_FIRST + (value & 0xff);
  std::string s;
  s += static_cast<char>(0xE0 | (cp >> 12));
  s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  s += static_cast<char>(0x80 | (cp & 0x3F));
  return s;
}

// A readable name for the character that starts at p, for error messages.
static std::string describe(const unsigned char *p, size_t left)
{
  char buf[32];
  if (p[0] >= 0x21 && p[0] < 0x7f)
    snprintf(buf, sizeof buf, "'%c'", p[0]);
  else if (p[0] == ' ')
    snprintf(buf, sizeof buf, "a space");
  else if (p[0] == '\t')
    snprintf(buf, sizeof buf, "a tab");
  else if (p[0] >= 0xE0 && p[0] < 0xF0 && left >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80)
    snprintf(buf, sizeof buf, "U+%04X", ((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
  else
    snprintf(buf, sizeof buf, "byte 0x%02X", p[0]);
  return buf;
}

// Reads one cell at p: its value, or -1. *used is the number of bytes taken.
static int read_cell(const unsigned char *p, size_t left, size_t *used)
{
  *used = 1;
  switch (p[0]) {
  case '.': return CELL_EMPTY;
  case 'X': return CELL_TRAP;
  default: break;
  }
  if (p[0] >= '1' && p[0] <= '6')
    return p[0] - '0';
  // Braille U+2800..U+28FF is E2 A0..A3 80..BF in UTF-8.
  if (left >= 3 && p[0] == 0xE2 && p[1] >= 0xA0 && p[1] <= 0xA3 && (p[2] & 0xC0) == 0x80) {
    *used = 3;
    return ((p[1] - 0xA0) << 6) | (p[2] & 0x3F);
  }
  return -1;
}

// Fills error and returns -1.
static int fail(MAP_TEXT_ERROR *error, int line, int column, const std::string &message)
{
  error->line = line;
  error->column = column;
  error->message = message;
  return -1;
}

// Parses the row in [p, end) as row number row (0-based) into bytes.
static int parse_row(const unsigned char *p, const unsigned char *end, int line, unsigned char *row_bytes,
                     MAP_TEXT_ERROR *error)
{
  int cells = 0;
  while (p < end) {
    if (cells == BOARD_COLUMNS)
      return fail(error, line, cells + 1, "row is longer than 40 cells");
    size_t used;
    int value = read_cell(p, end - p, &used);
    if (value < 0)
      return fail(error, line, cells + 1,
                  "bad character " + describe(p, end - p) + " (a cell is . 1-6 X or a Braille U+28xx)");
    row_bytes[cells++] = static_cast<unsigned char>(value);
    p += used;
  }
  if (cells < BOARD_COLUMNS)
    return fail(error, line, 0,
                (cells == 0 ? std::string("empty row") : "row has only " + std::to_string(cells) + " cells") +
                    ", a row needs 40");
  return 0;
}

int map_text_parse(const char *text, size_t length, unsigned char *bytes, MAP_TEXT_ERROR *error)
{
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  const unsigned char *end = p + length;
  // Trailing empty lines (and a missing last newline) are not rows.
  while (end > p && (end[-1] == '\n' || end[-1] == '\r'))
    end--;
  int rows = 0;
  int line = 0;
  while (p < end) {
    line++;
    const unsigned char *eol = p;
    while (eol < end && *eol != '\n')
      eol++;
    const unsigned char *stop = eol;
    if (stop > p && stop[-1] == '\r')
      stop--;
    if (!(stop > p && *p == '#')) {
      if (rows == BOARD_ROWS)
        return fail(error, line, 0, "more than 35 rows");
      if (parse_row(p, stop, line, bytes + rows * BOARD_COLUMNS, error) < 0)
        return -1;
      rows++;
    }
    p = eol < end ? eol + 1 : end;
  }
  if (rows == 0)
    return fail(error, line > 0 ? line : 1, 0, "no rows: a map needs at least one row of 40 cells");
  return rows * BOARD_COLUMNS;
}

std::string map_text_render(const unsigned char *bytes, size_t count)
{
  size_t shown = count < size_t(MAP_MAX_BYTES) ? count : size_t(MAP_MAX_BYTES);
  size_t rows = (shown + BOARD_COLUMNS - 1) / BOARD_COLUMNS;
  std::string text;
  for (size_t r = 0; r < rows; r++) {
    for (size_t c = 0; c < BOARD_COLUMNS; c++) {
      size_t i = r * BOARD_COLUMNS + c;
      text += cell_notation(i < shown ? int(bytes[i]) : int(CELL_EMPTY));
    }
    text += '\n';
  }
  return text;
}
