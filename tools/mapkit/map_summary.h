// What a map holds, as the game will see it: cells per value, points on the
// board, traps, and how the file's size compares with a full board.
#pragma once

#include "match/match.h"

#include <cstddef>
#include <string>

struct MAP_SUMMARY {
  size_t file_size;       // bytes in the file, all of them
  int cells_from_file;    // board cells the file fills, 0..1400
  int count[256];         // board cells per value; cells past a short file count as 0
  int find_cells;         // cells holding 1..6
  int points;             // sum of all finds
  int traps;
};

// Summarises a map file from its count bytes, all of them as read.
MAP_SUMMARY map_summarise(const unsigned char *bytes, size_t count);

// The board the game loads from a map file of count bytes: one cell per
// byte in index order, the cells past a short file empty.
void map_board_from_bytes(const unsigned char *bytes, size_t count, int cells[BOARD_CELLS]);

// The summary as lines starting with "# ", so that the text render prints
// stays a valid map text.
std::string map_summary_text(const MAP_SUMMARY *summary);
