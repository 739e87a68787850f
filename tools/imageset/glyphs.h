// The letters of the pictures' words: the library's 8 x 8 font for plain
// ASCII and for what it draws well, and our own Czech accented letters,
// whose accents over capitals rise above the font's cell.
#pragma once

enum {
  GLYPH_W = 8,
  GLYPH_RISE = 3,                    // rows above the font's cell, for the accents over capitals
  GLYPH_ROWS = GLYPH_RISE + 8,       // a glyph's rows, from GLYPH_RISE above the cell to its bottom
};

// The character at *text in UTF-8, moving *text past it; a byte that starts
// no valid character gives '?' and moves on by one byte. 0 at the end.
int next_char(const char **text);

// How many characters text holds.
int text_chars(const char *text);

// 1 when a letter of text has an accent above the font's cell.
int text_rises(const char *text);

// The pixels of character code: bits[r][x] is 1 where the pixel at column x
// of row r - GLYPH_RISE of the font's cell is set.
void glyph_bits(int code, unsigned char bits[GLYPH_ROWS][GLYPH_W]);
