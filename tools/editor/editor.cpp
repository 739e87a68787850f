// The edited map's board, its undo history and the bytes of a save.
#include "editor.h"

#include <cctype>
#include <cstdio>
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

int bytes_look_like_text(const std::string &bytes)
{
  int printable = 0;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c <= 0x7e)
      printable = 1;
    else if (c != '\n' && c != '\r')
      return 0;
  }
  return printable;
}

int bytes_foreign_cells(const std::string &bytes)
{
  int foreign = 0;
  for (size_t i = 0; i < bytes.size() && i < size_t(BOARD_CELLS); i++) {
    int value = static_cast<unsigned char>(bytes[i]);
    foreign += value != CELL_EMPTY && value != CELL_TRAP && !(value >= CELL_FIND_MIN && value <= CELL_FIND_MAX);
  }
  return foreign;
}

std::string editor_save_bytes(const EDITOR *ed)
{
  return std::string(reinterpret_cast<const char *>(ed->board), BOARD_CELLS) + ed->tail;
}

void editor_mark_saved(EDITOR *ed)
{
  ed->saved_serial = ed->serials[(ed->first + ed->at) % EDIT_HISTORY];
}

void editor_mark_unsaved(EDITOR *ed)
{
  ed->saved_serial = -1;  // no state has it
}

int editor_unsaved(const EDITOR *ed)
{
  int at = (ed->first + ed->at) % EDIT_HISTORY;
  return ed->serials[at] != ed->saved_serial || (ed->stroke_on && memcmp(ed->board, ed->states[at], BOARD_CELLS) != 0);
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

// Counts of the first count cells (at most the board's); the rest are empty.
static EDIT_COUNTS cell_counts(const unsigned char *cells, size_t count)
{
  EDIT_COUNTS counts = {};
  for (int i = 0; i < BOARD_CELLS; i++) {
    int kind = size_t(i) < count ? value_kind(cells[i]) : KIND_NOTHING;
    counts.kind[kind]++;
    if (kind >= CELL_FIND_MIN && kind <= CELL_FIND_MAX)
      counts.points += kind;
  }
  counts.traps = counts.kind[KIND_TRAP];
  return counts;
}

EDIT_COUNTS editor_counts(const EDITOR *ed)
{
  return cell_counts(ed->board, BOARD_CELLS);
}

EDIT_COUNTS bytes_counts(const std::string &bytes)
{
  return cell_counts(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
}

void editor_cells(const EDITOR *ed, int cells[BOARD_CELLS])
{
  for (int i = 0; i < BOARD_CELLS; i++)
    cells[i] = ed->board[i];
}

// Names Windows keeps for its devices, with or without an extension: the
// part before the first dot, spaces at its end dropped as Windows drops them
// ("CON .map" is CON), in any case. COM and LPT take a digit 0..9 or a
// superscript one, two or three (UTF-8), as Windows reads them.
static int windows_device_name(const char *name)
{
  static const char *const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  static const char *const port_numbers[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                             "\xc2\xb9", "\xc2\xb2", "\xc2\xb3"};
  size_t stem = strcspn(name, ".");
  while (stem > 0 && name[stem - 1] == ' ')
    stem--;
  char upper[8] = {0};
  if (stem < 3 || stem > 7)
    return 0;
  for (size_t i = 0; i < stem; i++)
    upper[i] = static_cast<char>(toupper(static_cast<unsigned char>(name[i])));
  for (const char *device : devices)
    if (strcmp(upper, device) == 0)
      return 1;
  if (strncmp(upper, "COM", 3) != 0 && strncmp(upper, "LPT", 3) != 0)
    return 0;
  for (const char *number : port_numbers)
    if (strcmp(upper + 3, number) == 0)
      return 1;
  return 0;
}

const char *map_name_problem(const char *name)
{
  // A map is a file players pass between computers, Linux and Windows
  // alike: a name either system would refuse or change is refused here.
  static char said[40];
  if (!name[0])
    return "Jmeno je prazdne";
  for (const char *c = name; *c; c++) {
    if (static_cast<unsigned char>(*c) < 32 || *c == 127)
      return "Jmeno nesmi obsahovat ridici znaky";
    if (strchr("/\\:*?\"<>|", *c)) {
      snprintf(said, sizeof said, "Jmeno nesmi obsahovat '%c'", *c);
      return said;
    }
  }
  if (name[0] == '.')
    return "Jmeno nesmi zacinat teckou";
  size_t length = strlen(name);
  if (length > 255)
    return "Jmeno je delsi nez 255 bajtu";
  // Windows drops a dot or a space at the end of a name.
  if (name[length - 1] == '.' || name[length - 1] == ' ')
    return "Jmeno nesmi koncit teckou ani mezerou";
  if (windows_device_name(name))
    return "To jmeno patri zarizeni ve Windows";
  return nullptr;
}
