// Parsing and writing the map text notation.
#include "map_text.h"

#include <cstdio>
#include <string>

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

// Reads the cells of the row in [p, end) into row_bytes (room for 40).
// Returns their count, or -1 on a bad character or a row of more than 40.
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
  return cells;
}

static const char LENGTH_FORM[] = "'#! length N' with N a whole number 0..1048576";

// Whether the line [p, stop) is the length directive: "#!", blanks, "length".
// Any other line starting with '#' is a comment, as it always was.
static bool is_directive(const unsigned char *p, const unsigned char *stop)
{
  if (stop - p < 2 || p[0] != '#' || p[1] != '!')
    return false;
  p += 2;
  while (p < stop && (*p == ' ' || *p == '\t'))
    p++;
  return stop - p >= 6 && std::string(reinterpret_cast<const char *>(p), 6) == "length";
}

// Reads the directive line [p, stop) ("#! length N") into *length.
static int parse_directive(const unsigned char *p, const unsigned char *stop, int line, long *length,
                           MAP_TEXT_ERROR *error)
{
  std::string words(reinterpret_cast<const char *>(p) + 2, stop - p - 2);
  size_t at = words.find_first_not_of(" \t") + 6;
  size_t digits = words.find_first_not_of(" \t", at);
  if (digits == at || digits == std::string::npos)
    return fail(error, line, 0, std::string("bad length: write ") + LENGTH_FORM);
  size_t after = words.find_first_not_of("0123456789", digits);
  if (after == std::string::npos)
    after = words.size();
  size_t trail = words.find_first_not_of(" \t", after);
  if (after == digits || trail != std::string::npos || after - digits > 7 ||
      std::stol(words.substr(digits, after - digits)) > MAP_FILE_LIMIT)
    return fail(error, line, 0, std::string("bad length: write ") + LENGTH_FORM);
  *length = std::stol(words.substr(digits, after - digits));
  return 0;
}

int map_text_parse(const char *text, size_t length, std::vector<unsigned char> *bytes, MAP_TEXT_ERROR *error)
{
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  const unsigned char *end = p + length;
  // Trailing empty lines (and a missing last newline) are not rows.
  while (end > p && (end[-1] == '\n' || end[-1] == '\r'))
    end--;
  bytes->clear();
  long declared = -1;  // the "#! length" given, -1 for none
  int declared_line = 0;
  long rows = 0;
  int line = 0;
  while (p < end) {
    line++;
    const unsigned char *eol = p;
    while (eol < end && *eol != '\n')
      eol++;
    const unsigned char *stop = eol;
    if (stop > p && stop[-1] == '\r')
      stop--;
    const unsigned char *next = eol < end ? eol + 1 : end;
    if (is_directive(p, stop)) {
      if (declared >= 0)
        return fail(error, line, 0, "a second directive line (the first is on line " +
                                        std::to_string(declared_line) + ")");
      if (rows > 0)
        return fail(error, line, 0, "'#! length' must come before the first row");
      if (parse_directive(p, stop, line, &declared, error) < 0)
        return -1;
      declared_line = line;
      p = next;
      continue;
    }
    if (stop > p && *p == '#') {
      p = next;
      continue;
    }
    // A row: 40 cells, except that the last row of a declared length may
    // stop where the file does, or go on with '.' to the full 40.
    long room = declared >= 0 ? declared - rows * BOARD_COLUMNS : long(BOARD_COLUMNS);
    if (declared < 0 && rows == BOARD_ROWS)
      return fail(error, line, 0, "more than 35 rows (a longer file needs '#! length N' above its rows)");
    if (declared >= 0 && room <= 0)
      return fail(error, line, 0, "more rows than '#! length " + std::to_string(declared) + "' on line " +
                                      std::to_string(declared_line) + " takes");
    unsigned char row[BOARD_COLUMNS];
    int cells = parse_row(p, stop, line, row, error);
    if (cells < 0)
      return -1;
    int wanted = room < BOARD_COLUMNS ? static_cast<int>(room) : BOARD_COLUMNS;
    if (cells != wanted && cells != BOARD_COLUMNS) {
      std::string says = cells == 0 ? std::string("empty row") : "row has only " + std::to_string(cells) + " cells";
      if (wanted == BOARD_COLUMNS)
        return fail(error, line, 0, says + ", a row needs 40");
      return fail(error, line, 0, says + ": at '#! length " + std::to_string(declared) + "' the last row holds " +
                                      std::to_string(wanted) + " (or 40, ending in '.')");
    }
    for (int c = wanted; c < cells; c++)
      if (row[c] != CELL_EMPTY)
        return fail(error, line, c + 1, "cell past '#! length " + std::to_string(declared) + "': only '.' may stand there");
    bytes->insert(bytes->end(), row, row + wanted);
    rows++;
    p = next;
  }
  if (declared >= 0 && static_cast<long>(bytes->size()) != declared) {
    long needed = (declared + BOARD_COLUMNS - 1) / BOARD_COLUMNS;
    return fail(error, declared_line, 0, "'#! length " + std::to_string(declared) + "' takes " +
                                             std::to_string(needed) + " rows, the text has " + std::to_string(rows));
  }
  if (declared < 0 && rows == 0)
    return fail(error, line > 0 ? line : 1, 0,
                "no rows: a map needs at least one row of 40 cells (an empty file is '#! length 0')");
  return static_cast<int>(bytes->size());
}

std::string map_text_render(const unsigned char *bytes, size_t count)
{
  std::string text;
  if (count == 0 || count % BOARD_COLUMNS != 0 || count > size_t(MAP_MAX_BYTES))
    text += "#! length " + std::to_string(count) + "\n";
  size_t rows = (count + BOARD_COLUMNS - 1) / BOARD_COLUMNS;
  for (size_t r = 0; r < rows; r++) {
    if (r == size_t(BOARD_ROWS))
      text += "# past the board: the game reads only the 1400 bytes above\n";
    for (size_t c = 0; c < BOARD_COLUMNS; c++) {
      size_t i = r * BOARD_COLUMNS + c;
      text += cell_notation(i < count ? int(bytes[i]) : int(CELL_EMPTY));
    }
    text += '\n';
  }
  return text;
}

int map_text_lookalike(const unsigned char *bytes, size_t count)
{
  int rows = 0;
  size_t start = 0;
  for (size_t i = 0; i <= count; i++) {
    if (i < count && bytes[i] != '\n') {
      if ((bytes[i] < 0x20 || bytes[i] > 0x7e) && bytes[i] != '\r')
        return 0;
      continue;
    }
    size_t length = i - start;
    if (length > 0 && bytes[i - 1] == '\r')
      length--;
    int comment = length > 0 && bytes[start] == '#';
    if (i == count)
      return rows > 0 && (comment || length <= size_t(BOARD_COLUMNS));
    if (length != 0 && !comment) {
      if (length != size_t(BOARD_COLUMNS))
        return 0;
      rows++;
    }
    start = i + 1;
  }
  return 0;
}
