// What a map holds, as the game will see it: cells per value, points on the
// board, traps, and how the file's size compares with a full board.
#pragma once

#include <cstddef>
#include <string>

struct MAP_SUMMARY {
  long file_size;         // bytes in the file, all of them
  int cells_from_file;    // board cells the file fills, 0..1400
  int count[256];         // board cells per value; cells past a short file count as 0
  int find_cells;         // cells holding 1..6
  int points;             // sum of all finds
  int traps;
};

// Summarises a map file of file_size bytes whose first bytes (at most 1400)
// are given.
MAP_SUMMARY map_summarise(const unsigned char *bytes, long file_size);

// The summary as lines starting with "# ", so that the text render prints
// stays a valid map text.
std::string map_summary_text(const MAP_SUMMARY *summary);
