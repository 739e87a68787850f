// The map kit's text notation: one character per cell, 40 to a row, at most
// 35 rows, top row first. "." is nothing, "1".."6" a find of that worth, "X"
// a trap. Any byte value at all may also be written as the Braille
// character U+2800 + value (the dot pattern spells the byte's bits); render
// uses that form for every value without a letter of its own. A directive
// line "#! length N" above the rows says the file's exact length, for the
// files that whole rows cannot say: empty, ending inside a row, or longer
// than the board.
#pragma once

#include "match/match.h"

#include <cstddef>
#include <string>
#include <vector>

enum { MAP_MAX_BYTES = BOARD_CELLS };
// The longest file the kit turns into text (the game reads only 1400 bytes).
enum { MAP_FILE_LIMIT = 1 << 20 };

// Where and why a text is not a map. line and column count from 1; column is
// 0 when the fault concerns the whole line.
struct MAP_TEXT_ERROR {
  int line;
  int column;
  std::string message;
};

// The notation of one byte value: a one-character UTF-8 string.
std::string cell_notation(int value);

// Reads a map text into bytes. Lines starting with "#!" are directives, other
// lines starting with "#" are comments; empty lines at the end are ignored;
// a CR before a line end is dropped.
// Without a directive every row holds exactly 40 cells, and 1 to 35 rows give
// a file of rows x 40 bytes. With "#! length N" (N in 0..MAP_FILE_LIMIT,
// before the first row) the file is N bytes: the text holds N / 40 rows
// rounded up, all of 40 cells but the last, which may stop where the file
// does or go on to 40 cells with '.' only; rows past the 35th are bytes the
// game does not read. Returns the byte count (the size of bytes), or -1 with
// error filled in.
int map_text_parse(const char *text, size_t length, std::vector<unsigned char> *bytes, MAP_TEXT_ERROR *error);

// 1 when a map file's bytes look like a map text instead: every byte is
// printable ASCII or a line end, and every line that is neither empty nor a
// '#' line holds 40 characters (at least one does). A last line without a
// line end may be shorter, as a read cut off at the map's size leaves it.
int map_text_lookalike(const unsigned char *bytes, size_t count);

// A map file of count bytes as text that parses back to the very same
// bytes: count / 40 rows rounded up (a part row is completed with '.', as
// the game leaves those cells empty), with "#! length N" first when whole
// rows cannot say the length (0 bytes, a part row, or past 1400 bytes), and
// a comment where the rows past the board begin. Every line ends with a
// newline.
std::string map_text_render(const unsigned char *bytes, size_t count);
