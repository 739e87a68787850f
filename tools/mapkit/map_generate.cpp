// Scattering finds and traps: shuffle the cell order with the seeded
// generator, then hand out values along it.
#include "map_generate.h"
#include "match/match.h"

uint64_t kit_random_next(uint64_t *state)
{
  uint64_t z = (*state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t kit_random_below(uint64_t *state, uint64_t bound)
{
  // Draws from the top of the range that is a whole multiple of bound.
  uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
  uint64_t r;
  do
    r = kit_random_next(state);
  while (r >= limit);
  return r % bound;
}

// Default shares of the board in tenths of a percent: traps, then finds 1..6.
static const int DEFAULT_PERMILLE[7] = {20, 80, 50, 30, 20, 10, 5};

// permille tenths of a percent of cells, rounded to whole cells.
static int permille_of(int cells, int permille)
{
  return (cells * permille + 500) / 1000;
}

void map_recipe_defaults(MAP_RECIPE *recipe)
{
  int cells = recipe->rows * BOARD_COLUMNS;
  recipe->traps = permille_of(cells, DEFAULT_PERMILLE[0]);
  for (int v = CELL_FIND_MIN; v <= CELL_FIND_MAX; v++)
    recipe->finds[v] = permille_of(cells, DEFAULT_PERMILLE[v]);
}

int map_generate(const MAP_RECIPE *recipe, unsigned char *bytes)
{
  int cells = recipe->rows * BOARD_COLUMNS;
  long wanted = recipe->traps;
  for (int v = CELL_FIND_MIN; v <= CELL_FIND_MAX; v++)
    wanted += recipe->finds[v];
  if (recipe->rows < 1 || recipe->rows > BOARD_ROWS || wanted > cells)
    return -1;

  int order[BOARD_CELLS];
  for (int i = 0; i < cells; i++) {
    order[i] = i;
    bytes[i] = CELL_EMPTY;
  }
  uint64_t state = recipe->seed;
  for (int i = cells - 1; i > 0; i--) {
    int j = static_cast<int>(kit_random_below(&state, static_cast<uint64_t>(i) + 1));
    int t = order[i];
    order[i] = order[j];
    order[j] = t;
  }
  int next = 0;
  for (int n = 0; n < recipe->traps; n++)
    bytes[order[next++]] = CELL_TRAP;
  for (int v = CELL_FIND_MIN; v <= CELL_FIND_MAX; v++)
    for (int n = 0; n < recipe->finds[v]; n++)
      bytes[order[next++]] = static_cast<unsigned char>(v);
  return cells;
}
