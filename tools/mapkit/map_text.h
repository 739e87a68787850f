// The map kit's text notation: one character per cell, 40 to a row, at most
// 35 rows, top row first. "." is nothing, "1".."6" a find of that worth, "X"
// a trap. Any byte value at all may also be written as the Braille
// character U+2800 + value (the dot pattern spells the byte's bits); render
// uses that form for every value without a letter of its own.
#pragma once

#include "match/match.h"

#include <cstddef>
#include <string>

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

// Reads a map text into bytes (room for MAP_MAX_BYTES). Lines starting with
// "#" are comments; empty lines at the end are ignored; a CR before a line
// end is dropped. Every row must hold exactly 40 cells; fewer than 35 rows
// give a short map of rows x 40 bytes. Returns the byte count, or -1 with
// error filled in.
int map_text_parse(const char *text, size_t length, unsigned char *bytes, MAP_TEXT_ERROR *error);

// The rows a map file of count bytes fills, as text: count / 40 rows rounded
// up (a part row is completed with "." since the game leaves those cells
// empty), never more than 35. Every line ends with a newline.
std::string map_text_render(const unsigned char *bytes, size_t count);
