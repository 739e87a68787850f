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

// The file's name without its folders; Windows paths may use either slash.
static std::string base_name(const std::string &path)
{
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ui_init(EDIT_UI *ui, EDITOR *ed)
{
  ui->ed = ed;
  editor_new(ed);
  fairness_init(&ui->fair, 4);
  ui->fair_stale = 1;
  ui->tool = TOOL_STROKE;
  ui->dialog = DIALOG_NONE;
  ui->after = AFTER_NOTHING;
  ui->opened_link = 0;
  ui->opened_text = 0;
  ui->loads = 0;
  ui->kept_any = 0;
  ui->kept_loads = 0;
  ui->rect_on = 0;
  ui->hover_cell = -1;
  ui->hover = CTL_NONE;
  ui->buttons_before = 0;
  press_guard_init(&ui->guard);
  ui->pointer_col = ui->pointer_row = -1;
  ui->random_ready = 0;
  ui->first_name = 0;
  ui->random_field = 0;
  ui->quit = 0;
  ui->message = "Nova mapa: vyber druh v palete (klavesy 0 az 7)";
  ui->message_said = ui->message;
  ui->message_serial = -1;
}

// The undo serial of the board as it is.
static int board_serial(const EDITOR *ed)
{
  return ed->serials[(ed->first + ed->at) % EDIT_HISTORY];
}

void ui_settle_message(EDIT_UI *ui)
{
  int serial = board_serial(ui->ed);
  if (ui->message_serial < 0)
    ui->message_serial = serial;
  // What the line said before this change no longer holds; a line written
  // with the change (an opened map, a fill) stays.
  if (serial != ui->message_serial && ui->message == ui->message_said && !ui->rect_on)
    ui->message.clear();
  ui->message_serial = serial;
  ui->message_said = ui->message;
}

void ui_open_path(EDIT_UI *ui, const std::string &path)
{
  std::string bytes;
  std::string name = base_name(path);
  int outcome = map_open(path.c_str(), &bytes);
  ui->message = map_open_message(outcome, name);
  if (outcome != OPEN_OK && outcome != OPEN_LONG)
    return;
  editor_load_bytes(ui->ed, bytes);
  ui->loads++;
  ui->name = name;
  ui->opened_path = path;
  ui->opened_link = path_is_shipped(path.c_str());
  ui->opened_text = bytes_look_like_text(bytes);
  if (ui->opened_link)
    ui->message += " (mapa ze hry: ulozi se pod novym jmenem)";
  else if (ui->opened_text)
    ui->message += " (vypada jako text, ne jako mapa)";
}

// Carries out what waited on the unsaved question (or needed none).
static void carry_out(EDIT_UI *ui, int after, const std::string &path)
{
  ui->dialog = DIALOG_NONE;
  ui->after = AFTER_NOTHING;
  if (after == AFTER_QUIT) {
    ui->quit = 1;
  } else if (after == AFTER_OPEN) {
    ui_open_path(ui, path);
  } else if (after == AFTER_NEW) {
    editor_new(ui->ed);
    ui->loads++;
    ui->name.clear();
    ui->opened_path.clear();
    ui->opened_link = 0;
    ui->opened_text = 0;
    ui->message = "Nova mapa";
  }
}

void ui_request(EDIT_UI *ui, int after, const std::string &path)
{
  editor_stroke_end(ui->ed);
  ui->rect_on = 0;
  if (editor_unsaved(ui->ed)) {
    ui->after = after;
    ui->after_path = path;
    ui->dialog = DIALOG_UNSAVED;
    return;
  }
  carry_out(ui, after, path);
}

void ui_begin_save(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->rect_on = 0;
  ui->field = ui->name;
  ui->reason.clear();
  ui->dialog = DIALOG_SAVE;
}

int ui_confirm_save(EDIT_UI *ui, int overwrite)
{
  const char *problem = map_name_problem(ui->field.c_str());
  if (problem) {
    ui->reason = problem;
    ui->dialog = DIALOG_SAVE;
    return 0;
  }
  std::string path = maps_path(ui->field);
  if (path_is_shipped(path.c_str())) {
    // A shipped map: writing there would replace it (and an upgrade would
    // bring the shipped one back over the author's), so the author picks
    // another name.
    ui->reason = "To je mapa ze hry, zvol jine jmeno";
    ui->dialog = DIALOG_SAVE;
    return 0;
  }
  // Saving back to the file the map came from needs no question; any
  // other file there does.
  if (!overwrite && path_exists(path.c_str()) && !same_file(path.c_str(), ui->opened_path.c_str())) {
    ui->dialog = DIALOG_OVERWRITE;
    return 0;
  }
  // The file it came from looked like text (a map text, notes): one save
  // would turn it into a map, so the first one asks.
  if (!overwrite && ui->opened_text && same_file(path.c_str(), ui->opened_path.c_str())) {
    ui->dialog = DIALOG_TEXT;
    return 0;
  }
  std::string why;
  if (map_save(path.c_str(), editor_save_bytes(ui->ed), &why) != 0) {
    ui->reason = why;
    ui->dialog = DIALOG_SAVE;
    return 0;
  }
  editor_mark_saved(ui->ed);
  ui->name = ui->field;
  ui->opened_path = path;
  ui->opened_link = 0;
  ui->opened_text = 0;
  ui->message = "Ulozeno: " + path;
  int after = ui->after;
  carry_out(ui, after, ui->after_path);
  return 1;
}

void ui_show_open_list(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->rect_on = 0;
  ui->maps = map_list(MAPS_FOLDER);
  ui->first_name = 0;
  ui->dialog = DIALOG_OPEN;
}

void ui_begin_random(EDIT_UI *ui)
{
  editor_stroke_end(ui->ed);
  ui->rect_on = 0;
  if (!ui->random_ready) {
    // The kit's counts the first time, then what was last typed.
    MAP_RECIPE recipe = {};
    recipe.rows = BOARD_ROWS;
    map_recipe_defaults(&recipe);
    for (int v = 1; v <= 6; v++)
      ui->random_text[v - 1] = std::to_string(recipe.finds[v]);
    ui->random_text[RANDOM_TRAPS] = std::to_string(recipe.traps);
    ui->random_text[RANDOM_SEED] = "1";
    ui->random_ready = 1;
  }
  ui->random_field = 0;
  ui->reason.clear();
  ui->dialog = DIALOG_RANDOM;
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
    long long n = field_number(ui->random_text[i], 4);
    if (n < 0 || n > BOARD_CELLS) {
      ui->reason = "Pocty musi byt 0 az 1400";
      return;
    }
    if (i == RANDOM_TRAPS)
      recipe.traps = int(n);
    else
      recipe.finds[i + 1] = int(n);
  }
  if (editor_parse_seed(ui->random_text[RANDOM_SEED].c_str(), &recipe.seed) != 0) {
    ui->reason = "Seme musi byt cislo 0 az 18446744073709551615";
    return;
  }
  if (editor_fill_random(ui->ed, &recipe) != 0) {
    ui->reason = "Tolik poli deska nema (1400)";
    return;
  }
  ui->dialog = DIALOG_NONE;
  ui->message = "Nahodne vyplneno, seme " + ui->random_text[RANDOM_SEED];
}

void ui_fairness_step(EDIT_UI *ui, int budget_us)
{
  if (ui->fair_stale || memcmp(ui->fair_board, ui->ed->board, BOARD_CELLS) != 0) {
    ui->fair_stale = 0;
    memcpy(ui->fair_board, ui->ed->board, BOARD_CELLS);
    int cells[BOARD_CELLS];
    editor_cells(ui->ed, cells);
    fairness_restart(&ui->fair, cells);
  }
  fairness_slice(&ui->fair, budget_us);
}

void ui_offer_recovery(EDIT_UI *ui)
{
  std::string data, name, path, bytes;
  if (recovery_read(&data) != 0)
    return;
  if (recovery_decode(data, &name, &path, &bytes) != 0) {
    recovery_remove();
    ui->message = "Kopie neulozenych zmen byla poskozena a je smazana";
    return;
  }
  ui->recovered = data;
  ui->dialog = DIALOG_RECOVER;
}

void ui_answer_recovery(EDIT_UI *ui, int restore)
{
  std::string name, path, bytes;
  ui->dialog = DIALOG_NONE;
  if (restore && recovery_decode(ui->recovered, &name, &path, &bytes) == 0) {
    editor_load_bytes(ui->ed, bytes);
    editor_mark_unsaved(ui->ed);
    ui->loads++;
    ui->name = name;
    ui->opened_path = path;
    ui->opened_link = !path.empty() && path_is_shipped(path.c_str());
    // A text file the copy was made over still gets its question.
    std::string on_disk;
    int opened = path.empty() ? OPEN_MISSING : map_open(path.c_str(), &on_disk);
    ui->opened_text = (opened == OPEN_OK || opened == OPEN_LONG) && bytes_look_like_text(on_disk);
    ui->message = "Obnoveny neulozene zmeny";
  } else {
    ui->message = "Kopie neulozenych zmen je zahozena";
  }
  // The restored changes now live in the editor, which keeps a new copy
  // should it be stopped again.
  recovery_remove();
  ui->recovered.clear();
}

void ui_recovery_refresh(EDIT_UI *ui, int now)
{
  EDITOR *ed = ui->ed;
  // While a stroke paints, the copy follows it frame by frame, unless the map
  // is long enough past its board to make that a cost: it then waits for the
  // stroke's end.
  if (ed->stroke_on && !now && ed->tail.size() > RECOVERY_FOLLOW_TAIL)
    return;
  if (ed->stroke_on && now)
    editor_stroke_end(ed);  // the stroke so far is a change to keep
  if (!editor_unsaved(ed)) {
    if (ui->kept_any)
      recovery_keep("");
    ui->kept_any = 0;
    return;
  }
  if (ui->kept_any && ui->kept_loads == ui->loads && memcmp(ui->kept_board, ed->board, BOARD_CELLS) == 0 &&
      ui->kept_name == ui->name && ui->kept_path == ui->opened_path)
    return;
  recovery_keep(recovery_encode(ui->name, ui->opened_path, editor_save_bytes(ed)));
  ui->kept_any = 1;
  ui->kept_loads = ui->loads;
  memcpy(ui->kept_board, ed->board, BOARD_CELLS);
  ui->kept_name = ui->name;
  ui->kept_path = ui->opened_path;
}
