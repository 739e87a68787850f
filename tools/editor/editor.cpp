// The edited map's board, its undo history and the bytes of a save.
#include "editor.h"

#include <cstring>

int kind_value(int kind)
{
  return kind == KIND_TRAP ? CELL_TRAP : kind;
}

int value_kind(int value)
{
  if (value == CELL_TRAP)
    return KIND_TRAP;
  if (value >= CELL_FIND_MIN && value <= CELL_FIND_MAX)
    return value;
  return KIND_NOTHING;
}

static unsigned char *state_at(EDITOR *ed, int i)
{
  return ed->states[(ed->first + i) % EDIT_HISTORY];
}

// Starts the history afresh with the current board as its only state.
static void history_reset(EDITOR *ed)
{
  ed->first = 0;
  ed->count = 1;
  ed->at = 0;
  memcpy(ed->states[0], ed->board, BOARD_CELLS);
  ed->serials[0] = ed->next_serial++;
  ed->saved_serial = ed->serials[0];
  ed->stroke_on = 0;
}

void editor_new(EDITOR *ed)
{
  memset(ed->board, CELL_EMPTY, BOARD_CELLS);
  ed->tail.clear();
  ed->kind = 1;
  history_reset(ed);
}

void editor_load_bytes(EDITOR *ed, const std::string &bytes)
{
  memset(ed->board, CELL_EMPTY, BOARD_CELLS);
  size_t n = bytes.size() < size_t(BOARD_CELLS) ? bytes.size() : size_t(BOARD_CELLS);
  memcpy(ed->board, bytes.data(), n);
  ed->tail = bytes.size() > BOARD_CELLS ? bytes.substr(BOARD_CELLS) : std::string();
  history_reset(ed);
}

std::string editor_save_bytes(const EDITOR *ed)
{
  return std::string(reinterpret_cast<const char *>(ed->board), BOARD_CELLS) + ed->tail;
}

void editor_mark_saved(EDITOR *ed)
{
  ed->saved_serial = ed->serials[(ed->first + ed->at) % EDIT_HISTORY];
}

int editor_unsaved(const EDITOR *ed)
{
  return ed->serials[(ed->first + ed->at) % EDIT_HISTORY] != ed->saved_serial;
}

// Makes the board a new undo step when it differs from the current state;
// the steps that could be redone are dropped, the oldest when it is full.
void editor_commit(EDITOR *ed)
{
  if (memcmp(ed->board, state_at(ed, ed->at), BOARD_CELLS) == 0)
    return;
  ed->count = ed->at + 1;
  if (ed->count == EDIT_HISTORY) {
    ed->first = (ed->first + 1) % EDIT_HISTORY;
    ed->count--;
  }
  ed->at = ed->count++;
  memcpy(state_at(ed, ed->at), ed->board, BOARD_CELLS);
  ed->serials[(ed->first + ed->at) % EDIT_HISTORY] = ed->next_serial++;
}

int editor_can_undo(const EDITOR *ed)
{
  return ed->at > 0;
}

int editor_can_redo(const EDITOR *ed)
{
  return ed->at < ed->count - 1;
}

int editor_undo(EDITOR *ed)
{
  if (ed->stroke_on)
    editor_stroke_end(ed);
  if (!editor_can_undo(ed))
    return 0;
  ed->at--;
  memcpy(ed->board, state_at(ed, ed->at), BOARD_CELLS);
  return 1;
}

int editor_redo(EDITOR *ed)
{
  if (ed->stroke_on)
    editor_stroke_end(ed);
  if (!editor_can_redo(ed))
    return 0;
  ed->at++;
  memcpy(ed->board, state_at(ed, ed->at), BOARD_CELLS);
  return 1;
}

EDIT_COUNTS editor_counts(const EDITOR *ed)
{
  EDIT_COUNTS counts = {};
  for (int i = 0; i < BOARD_CELLS; i++) {
    int kind = value_kind(ed->board[i]);
    counts.kind[kind]++;
    if (kind >= CELL_FIND_MIN && kind <= CELL_FIND_MAX)
      counts.points += kind;
  }
  counts.traps = counts.kind[KIND_TRAP];
  return counts;
}

void editor_cells(const EDITOR *ed, int cells[BOARD_CELLS])
{
  for (int i = 0; i < BOARD_CELLS; i++)
    cells[i] = ed->board[i];
}

const char *map_name_problem(const char *name)
{
  if (!name[0])
    return "Jmeno je prazdne";
  if (strchr(name, '/'))
    return "Jmeno nesmi obsahovat '/'";
  // A folder separator on Windows: such a name would not travel there.
  if (strchr(name, '\\'))
    return "Jmeno nesmi obsahovat '\\'";
  if (name[0] == '.')
    return "Jmeno nesmi zacinat teckou";
  if (strlen(name) > 255)
    return "Jmeno je delsi nez 255 bajtu";
  return nullptr;
}
