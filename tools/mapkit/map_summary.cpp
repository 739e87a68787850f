// Counting a map's cells and describing them.
#include "map_summary.h"
#include "map_text.h"
#include "match/play.h"

void map_board_from_bytes(const unsigned char *bytes, size_t count, int cells[BOARD_CELLS])
{
  for (size_t i = 0; i < size_t(BOARD_CELLS); i++)
    cells[i] = i < count ? int(bytes[i]) : int(CELL_EMPTY);
}

MAP_SUMMARY map_summarise(const unsigned char *bytes, size_t count)
{
  MAP_SUMMARY s = {};
  s.file_size = count;
  s.cells_from_file = count < size_t(MAP_MAX_BYTES) ? static_cast<int>(count) : MAP_MAX_BYTES;
  int cells[BOARD_CELLS];
  map_board_from_bytes(bytes, count, cells);
  for (int value : cells) {
    s.count[value]++;
    if (value >= CELL_FIND_MIN && value <= CELL_FIND_MAX) {
      s.find_cells++;
      s.points += value;
    } else if (value == CELL_TRAP) {
      s.traps++;
    }
  }
  return s;
}

std::string map_summary_text(const MAP_SUMMARY *s)
{
  std::string t = "# file: " + std::to_string(s->file_size) + " bytes, ";
  if (s->file_size < size_t(MAP_MAX_BYTES))
    t += "short: cells " + std::to_string(s->cells_from_file) + " to 1399 are empty in the game\n";
  else if (s->file_size > size_t(MAP_MAX_BYTES))
    t += "long: the bytes past 1400 are ignored\n";
  else
    t += "a full board\n";
  t += "# empty: " + std::to_string(s->count[CELL_EMPTY]) + " cells\n";
  for (int v = CELL_FIND_MIN; v <= CELL_FIND_MAX; v++)
    t += "# find " + std::to_string(v) + ": " + std::to_string(s->count[v]) + " cells, " +
         std::to_string(s->count[v] * v) + " points\n";
  t += "# finds: " + std::to_string(s->find_cells) + " cells, " + std::to_string(s->points) + " points\n";
  t += "# traps: " + std::to_string(s->traps) + "\n";
  // The rules count every other byte as nothing; the game draws them all as
  // an empty cell but CELL_HOVER, which shows as the pointer's highlight.
  std::string empty, highlight;
  for (int v = 0; v < 256; v++) {
    int special = v == CELL_EMPTY || v == CELL_TRAP || (v >= CELL_FIND_MIN && v <= CELL_FIND_MAX);
    if (!special && s->count[v])
      (v == CELL_HOVER ? highlight : empty) +=
        " " + cell_notation(v) + "=" + std::to_string(v) + " x" + std::to_string(s->count[v]);
  }
  if (!empty.empty())
    t += "# other values, empty in the game:" + empty + "\n";
  if (!highlight.empty())
    t += "# other values, shown as the pointer's highlight picture in the game, worth nothing:" + highlight + "\n";
  return t;
}
