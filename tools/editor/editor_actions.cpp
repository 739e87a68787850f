// What the editor's buttons and keys do: opening, saving with its questions,
// new maps, the random fill and keeping the fairness numbers current.
#include "editor_files.h"
#include "editor_recovery.h"
#include "editor_ui.h"
#include "map_generate.h"

#include <cstdlib>
#include <cstring>

static std::string maps_path(const std::string &name)
{
  return std::string(MAPS_FOLDER) + "/" + name;
}

void ui_init(EDIT_UI *ui, EDITOR *ed)
{
  ui->ed = ed;
  editor_new(ed);
  fairness_init(&ui->fairness.run, 4);
  ui->fairness.stale = 1;
  ui->tool = TOOL_STROKE;
  ui->quit = 0;
  ui->file = EDIT_FILE();
  ui->dialog = EDIT_DIALOG();
  ui->dialog.kind = DIALOG_NONE;
  ui->dialog.after = AFTER_NOTHING;
  ui->dialog.button = CTL_NONE;
  ui->list.first = 0;
  ui->recovery = EDIT_RECOVERY();
  ui->pointer = EDIT_POINTER();
  ui->pointer.cell = -1;
  ui->pointer.control = CTL_NONE;
  press_guard_init(&ui->pointer.guard);
  ui->pointer.col = ui->pointer.row = -1;
  ui->status.text = "Nova mapa: vyber druh v palete (klavesy 0 az 7)";
  ui->status.said = ui->status.text;
  ui->status.serial = -1;
}

void ui_open_dialog(EDIT_UI *ui, int kind)
{
  EDIT_DIALOG *d = &ui->dialog;
  d->kind = kind;
  d->field_fresh = 1;
  d->button = control_place(kind, CTL_OK).w ? CTL_OK : CTL_NONE;
}

// The undo serial of the board as it is.
static int board_serial(const EDITOR *ed)
{
  return ed->serials[(ed->first + ed->at) % EDIT_HISTORY];
}

void ui_settle_message(EDIT_UI *ui)
{
  int serial = board_serial(ui->ed);
  if (ui->status.serial < 0)
    ui->status.serial = serial;
  // What the line said before this change no longer holds; a line written
  // with the change (an opened map, a fill) stays.
  if (serial != ui->status.serial && ui->status.text == ui->status.said && !ui->pointer.rect_on)
    ui->status.text.clear();
  ui->status.serial = serial;
  ui->status.said = ui->status.text;
}

void ui_open_path(EDIT_UI *ui, const std::string &path)
{
  std::string bytes;
  std::string name = path_file_name(path);
  int outcome = map_open(path.c_str(), &bytes);
  ui->status.text = map_open_message(outcome, name);
  if (outcome != OPEN_OK && outcome != OPEN_LONG)
    return;
  editor_load_bytes(ui->ed, bytes);
  ui->recovery.loads++;
  ui->file.name = name;
  ui->file.path = path;
  ui->file.shipped = path_is_shipped(path.c_str());
  ui->file.text = bytes_look_like_text(bytes);
  if (ui->file.shipped)
    ui->status.text += " (mapa ze hry: ulozi se pod novym jmenem)";
  else if (ui->file.text)
    ui->status.text += " (vypada jako text, ne jako mapa)";
  // (A text's letters are all such bytes: its note says enough.)
  int foreign = ui->file.text ? 0 : bytes_foreign_cells(bytes);
  if (foreign)
    ui->status.text += " (v " + std::to_string(foreign) + (foreign == 1 ? " poli je bajt" : " polich jsou bajty") +
                       " mimo hodnoty mapy: hra je hraje jako prazdna pole)";
}

// Carries out what waited on the unsaved question (or needed none).
static void carry_out(EDIT_UI *ui, int after, const std::string &path)
{
  ui->dialog.kind = DIALOG_NONE;
  ui->dialog.after = AFTER_NOTHING;
  if (after == AFTER_QUIT) {
    ui->quit = 1;
  } else if (after == AFTER_OPEN) {
    ui_open_path(ui, path);
  } else if (after == AFTER_NEW) {
    editor_new(ui->ed);
    ui->recovery.loads++;
    ui->file = EDIT_FILE();
    ui->status.text = "Nova mapa";
  }
}

void ui_request(EDIT_UI *ui, int after, const std::string &path)
{
  editor_stroke_end(ui->ed);
  ui->pointer.rect_on = 0;
  if (editor_unsaved(ui->ed)) {
    ui->dialog.after = after;
    ui->dialog.after_path = path;
    ui_open_dialog(ui, DIALOG_UNSAVED);
    return;
  }
  carry_out(ui, after, path);
}

void ui_begin_save(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->pointer.rect_on = 0;
  ui->dialog.field = ui->file.name;
  ui->dialog.reason.clear();
  ui_open_dialog(ui, DIALOG_SAVE);
}

// Why the typed name cannot be saved to, "" when it can: a bad name, or a
// shipped map (writing there would replace it, and an upgrade would bring
// the shipped one back over the author's).
static std::string save_refusal(const std::string &field, const std::string &path)
{
  const char *problem = map_name_problem(field.c_str());
  if (problem)
    return problem;
  if (path_is_shipped(path.c_str()))
    return "To je mapa ze hry, zvol jine jmeno";
  return "";
}

// The question a save to path asks first, DIALOG_NONE for none.
static int save_question(const EDIT_UI *ui, const std::string &path)
{
  // Saving back to the file the map came from needs no question; any
  // other file there does.
  int own = same_file(path.c_str(), ui->file.path.c_str());
  if (path_exists(path.c_str()) && !own)
    return DIALOG_OVERWRITE;
  // The file it came from looked like text (a map text, notes): one save
  // would turn it into a map, so the first one asks.
  if (ui->file.text && own)
    return DIALOG_TEXT;
  return DIALOG_NONE;
}

int ui_confirm_save(EDIT_UI *ui, int overwrite)
{
  EDIT_DIALOG *d = &ui->dialog;
  std::string path = maps_path(d->field), why = save_refusal(d->field, path);
  int question = overwrite || !why.empty() ? DIALOG_NONE : save_question(ui, path);
  if (question != DIALOG_NONE) {
    ui_open_dialog(ui, question);
    return 0;
  }
  if (why.empty() && map_save(path.c_str(), editor_save_bytes(ui->ed), &why) == 0) {
    editor_mark_saved(ui->ed);
    ui->file = {d->field, path, 0, 0};
    ui->status.text = "Ulozeno: " + path;
    carry_out(ui, d->after, d->after_path);
    return 1;
  }
  d->reason = why;
  ui_open_dialog(ui, DIALOG_SAVE);
  d->field_fresh = 0;
  return 0;
}

void ui_show_open_list(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->pointer.rect_on = 0;
  ui->list.maps = map_list(MAPS_FOLDER);
  ui->list.first = 0;
  ui_open_dialog(ui, DIALOG_OPEN);
}

void ui_begin_random(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->pointer.rect_on = 0;
  if (!ui->dialog.random_ready) {
    // The kit's counts the first time, then what was last typed.
    MAP_RECIPE recipe = {};
    recipe.rows = BOARD_ROWS;
    map_recipe_defaults(&recipe);
    for (int v = 1; v <= 6; v++)
      ui->dialog.random_text[v - 1] = std::to_string(recipe.finds[v]);
    ui->dialog.random_text[RANDOM_TRAPS] = std::to_string(recipe.traps);
    ui->dialog.random_text[RANDOM_SEED] = "1";
    ui->dialog.random_ready = 1;
  }
  ui->dialog.random_field = 0;
  ui->dialog.reason.clear();
  ui_open_dialog(ui, DIALOG_RANDOM);
}

// The number in text, -1 when it is empty or too long to be a count.
static long long field_number(const std::string &text, size_t max_digits)
{
  if (text.empty() || text.size() > max_digits)
    return -1;
  return strtoll(text.c_str(), nullptr, 10);
}

void ui_confirm_random(EDIT_UI *ui)
{
  MAP_RECIPE recipe = {};
  recipe.rows = BOARD_ROWS;
  for (int i = 0; i < RANDOM_TRAPS + 1; i++) {
    long long n = field_number(ui->dialog.random_text[i], 4);
    if (n < 0 || n > BOARD_CELLS) {
      ui->dialog.reason = "Pocty musi byt 0 az 1400";
      return;
    }
    if (i == RANDOM_TRAPS)
      recipe.traps = int(n);
    else
      recipe.finds[i + 1] = int(n);
  }
  if (editor_parse_seed(ui->dialog.random_text[RANDOM_SEED].c_str(), &recipe.seed) != 0) {
    ui->dialog.reason = "Seme musi byt cislo 0 az 18446744073709551615";
    return;
  }
  if (editor_fill_random(ui->ed, &recipe) != 0) {
    ui->dialog.reason = "Tolik poli deska nema (1400)";
    return;
  }
  ui->dialog.kind = DIALOG_NONE;
  ui->status.text = "Nahodne vyplneno, seme " + ui->dialog.random_text[RANDOM_SEED];
}

void ui_fairness_step(EDIT_UI *ui, int budget_us)
{
  if (ui->fairness.stale || memcmp(ui->fairness.board, ui->ed->board, BOARD_CELLS) != 0) {
    ui->fairness.stale = 0;
    memcpy(ui->fairness.board, ui->ed->board, BOARD_CELLS);
    int cells[BOARD_CELLS];
    editor_cells(ui->ed, cells);
    fairness_restart(&ui->fairness.run, cells);
  }
  fairness_slice(&ui->fairness.run, budget_us);
}

void ui_offer_recovery(EDIT_UI *ui)
{
  std::string data, name, path, bytes;
  if (recovery_read(&data) != 0)
    return;
  if (recovery_decode(data, &name, &path, &bytes) != 0) {
    recovery_remove();
    ui->status.text = "Kopie neulozenych zmen byla poskozena a je smazana";
    return;
  }
  ui->recovery.offered = data;
  ui->recovery.offered_name = name;
  ui_open_dialog(ui, DIALOG_RECOVER);
}

// Opens the restored copy as the map it belongs to, its changes unsaved.
static void restore_copy(EDIT_UI *ui, const std::string &name, const std::string &path, const std::string &bytes)
{
  editor_load_bytes(ui->ed, bytes);
  editor_mark_unsaved(ui->ed);
  ui->recovery.loads++;
  ui->file.name = name;
  ui->file.path = path;
  ui->file.shipped = !path.empty() && path_is_shipped(path.c_str());
  // A text file the copy was made over still gets its question.
  std::string on_disk;
  int opened = path.empty() ? OPEN_MISSING : map_open(path.c_str(), &on_disk);
  ui->file.text = (opened == OPEN_OK || opened == OPEN_LONG) && bytes_look_like_text(on_disk);
  ui->status.text = "Obnoveny neulozene zmeny " + (name.empty() ? std::string("nove mapy") : "mapy " + name);
}

void ui_answer_recovery(EDIT_UI *ui, int restore)
{
  std::string name, path, bytes;
  ui->dialog.kind = DIALOG_NONE;
  if (restore && recovery_decode(ui->recovery.offered, &name, &path, &bytes) == 0) {
    // The file stays until the map is saved or given up: the editor keeps
    // it current from now on.
    restore_copy(ui, name, path, bytes);
  } else {
    recovery_remove();
    ui->status.text = "Kopie neulozenych zmen je zahozena";
  }
  ui->recovery.offered.clear();
  ui->recovery.offered_name.clear();
}

void ui_recovery_written(EDIT_UI *ui, int outcome)
{
  EDIT_RECOVERY *r = &ui->recovery;
  if (outcome > 0)
    r->failing = RECOVERY_WRITES;
  else if (outcome < 0 && r->failing == RECOVERY_WRITES)
    r->failing = RECOVERY_FAILS;
  // Said once the stroke or rectangle under way has ended: its end changes
  // the board, which would clear a line written before it.
  if (r->failing == RECOVERY_FAILS && !ui->ed->stroke_on && !ui->pointer.rect_on) {
    ui->status.text = "Kopii neulozenych zmen nelze zapsat (" RECOVERY_FILE ")";
    r->failing = RECOVERY_FAILS_SAID;
  }
}

void ui_recovery_refresh(EDIT_UI *ui, int now)
{
  EDITOR *ed = ui->ed;
  if (!ui->recovery.offered.empty())
    return;  // the copy on disk is an earlier run's, waiting for its answer
  // While a stroke paints, the copy follows it frame by frame, unless the map
  // is long enough past its board to make that a cost: it then waits for the
  // stroke's end.
  if (ed->stroke_on && !now && ed->tail.size() > RECOVERY_FOLLOW_TAIL)
    return;
  if (ed->stroke_on && now)
    editor_stroke_end(ed);  // the stroke so far is a change to keep
  if (!editor_unsaved(ed)) {
    if (ui->recovery.kept_any)
      recovery_keep("");
    ui->recovery.kept_any = 0;
    return;
  }
  if (ui->recovery.kept_any && ui->recovery.kept_loads == ui->recovery.loads && memcmp(ui->recovery.kept_board, ed->board, BOARD_CELLS) == 0 &&
      ui->recovery.kept_name == ui->file.name && ui->recovery.kept_path == ui->file.path)
    return;
  recovery_keep(recovery_encode(ui->file.name, ui->file.path, editor_save_bytes(ed)));
  ui->recovery.kept_any = 1;
  ui->recovery.kept_loads = ui->recovery.loads;
  memcpy(ui->recovery.kept_board, ed->board, BOARD_CELLS);
  ui->recovery.kept_name = ui->file.name;
  ui->recovery.kept_path = ui->file.path;
}
