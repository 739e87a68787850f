// The editor's window: its state beside the edited map, where every control
// sits (one table that input and drawing both read), and the steps of its
// loop: input, the fairness slice, drawing.
#pragma once

#include "editor.h"
#include "editor_files.h"
#include "editor_press.h"
#include "fairness.h"

#include <string>
#include <vector>

#define EDITOR_TITLE "Editor map"
#define MAPS_FOLDER "mapy"

enum { TOOL_STROKE = 0, TOOL_RECT = 1, TOOL_FILL = 2 };

enum {
  DIALOG_NONE, DIALOG_SAVE, DIALOG_OVERWRITE, DIALOG_UNSAVED, DIALOG_OPEN, DIALOG_RANDOM,
  DIALOG_TEXT,     // the save would write over a file that looks like text
  DIALOG_RECOVER,  // unsaved changes of an earlier run: restore them?
  DIALOG_COUNT
};

// What waits on the unsaved-changes question.
enum { AFTER_NOTHING, AFTER_QUIT, AFTER_OPEN, AFTER_NEW };

// Controls, each with a place and a caption in the tables of editor_controls.cpp.
enum {
  CTL_NONE = -1,
  // the left column
  CTL_STROKE, CTL_RECT, CTL_FILL, CTL_MIRROR, CTL_FLIP_LR, CTL_FLIP_TB, CTL_RANDOM, CTL_CLEAR, CTL_UNDO, CTL_REDO, CTL_NEW, CTL_OPEN, CTL_SAVE, CTL_QUIT,
  CTL_FEWER, CTL_MORE,
  // the questions and dialogs
  CTL_OK, CTL_DISCARD, CTL_BACK, CTL_PAGE_UP, CTL_PAGE_DOWN,
  CTL_COUNT
};

// The random fill's fields: finds 1..6 at 0..5, traps at 6, the seed at 7.
enum { RANDOM_TRAPS = 6, RANDOM_SEED = 7, RANDOM_FIELDS = 8 };

// The dialog that is open and what its fields hold.
struct EDIT_DIALOG {
  int kind;                      // DIALOG_*
  int after;                     // what the unsaved question was asked for
  std::string after_path;        // the map to open once it is answered
  std::string field;             // the name being typed
  int field_fresh;               // 1 while the field's text is chosen: typing replaces it
  int button;                    // the button Enter presses (Tab moves it), CTL_NONE for none
  std::string reason;            // why the dialog refused, "" for nothing
  int random_field;              // the field being typed, 0..RANDOM_FIELDS-1
  std::string random_text[RANDOM_FIELDS];  // kept from one random fill to the next
  int random_ready;              // 1 once random_text holds values
};

// The open dialog's list of maps and its page.
struct EDIT_LIST {
  std::vector<MAP_ENTRY> maps;
  int first;                     // the first shown
};

// The fairness run and the board it plays.
struct EDIT_FAIRNESS {
  FAIRNESS run;
  unsigned char board[BOARD_CELLS];
  int stale;                     // 1 when the run must start over (new player count)
};

// The file the map belongs to.
struct EDIT_FILE {
  std::string name;              // the map's name in the maps folder, "" for a new map
  std::string path;              // where it was opened or last saved, "" for none
  int shipped;                   // 1 when that is a map the game ships
  int text;                      // 1 when that file looks like text and no save went over it yet
};

// The status line under the board.
struct EDIT_STATUS {
  std::string text;
  std::string said;              // the line as it was when the board last changed
  int serial;                    // the board's undo serial then
};

// What the pointer is over and doing.
struct EDIT_POINTER {
  int rect_on, rect_col, rect_row;  // a rectangle being dragged from this cell
  int cell;                      // board cell under the pointer, -1 for none
  int control;                   // control under the pointer
  int buttons_before;            // mouse_b of the last pass, for clicks
  PRESS_GUARD guard;             // keeps presses made in dialogs off the board
  int col, row;                  // the cell under the pointer, -1 when off the board
};

// The recovery copy: the one offered at start, and what the copy held
// ready was last made from (the board, the name and path, which load).
struct EDIT_RECOVERY {
  std::string offered;
  std::string offered_name;      // the map it belongs to, "" for a new map
  int loads;                     // counts maps opened, restored or begun
  int kept_any, kept_loads;
  unsigned char kept_board[BOARD_CELLS];
  std::string kept_name, kept_path;
  int failing;                   // RECOVERY_WRITES, or how its writes fail
};
enum { RECOVERY_WRITES, RECOVERY_FAILS, RECOVERY_FAILS_SAID };

struct EDIT_UI {
  EDITOR *ed;
  int tool;
  int quit;
  EDIT_FILE file;
  EDIT_DIALOG dialog;
  EDIT_LIST list;
  EDIT_FAIRNESS fairness;
  EDIT_STATUS status;
  EDIT_POINTER pointer;
  EDIT_RECOVERY recovery;
};

// --- layout (editor_controls.cpp)
enum { PALETTE_X = 4, PALETTE_Y = 6, PALETTE_ROW = 20, PALETTE_W = 132 };
enum { PANEL_X = 2, PANEL_Y = 352, PANEL_W = 136, PANEL_H = 246 };
enum { RANDOM_X = 240, RANDOM_Y = 150, RANDOM_W = 440, RANDOM_H = 260, RANDOM_ROW = 20, RANDOM_TOP = 190 };
enum { RANDOM_FIELD_W = 196 };  // room for the longest seed, 20 digits
enum { DIALOG_X = 240, DIALOG_Y = 180, DIALOG_W = 440, DIALOG_H = 200 };
enum { LIST_X = 240, LIST_Y = 40, LIST_W = 440, LIST_H = 520, LIST_ROWS = 30, LIST_ROW = 14, LIST_TOP = 76 };
// The open list's columns, from LIST_X: the shipped mark, the right ends of
// the points and the traps.
enum { LIST_MARK_X = 228, LIST_POINTS_RIGHT = 340, LIST_TRAPS_RIGHT = 420 };
enum { STATUS_Y = 584, STATUS_STRIP_Y = 581 };
struct CONTROL_PLACE { int x, y, w, h; const char *caption; };
// Where a control's caption begins and its icon (if any) sits, inside its
// plank: both together centred.
void caption_place(const CONTROL_PLACE &p, int icon, int *text_x, int *icon_x, int *y);
// Where control sits in dialog (DIALOG_NONE: the main screen), w 0 when absent.
CONTROL_PLACE control_place(int dialog, int control);
// The picture a control shows beside its caption: the symmetry mode, the
// whole board turned left to right or upside down.
enum { ICON_NONE, ICON_MIRROR, ICON_FLIP_LR, ICON_FLIP_TB };
enum { ICON_W = 12, ICON_GAP = 4 };
int control_icon(int control);
// The symmetry button's caption for a MIRROR_* mode.
const char *mirror_caption(int mirror);
// The control under the pointer, CTL_NONE for none.
int control_at(const EDIT_UI *ui, int x, int y);
// The palette row under (x, y), -1 for none.
int palette_at(int x, int y);
// The board cell under (x, y), -1 for none; cell_col_row gives column and
// row for any point, off the board too.
int board_cell_at(int x, int y);
void cell_col_row(int x, int y, int *col, int *row);
// The open list's name under (x, y), -1 for none.
int list_name_at(const EDIT_UI *ui, int x, int y);
// The random fill field under (x, y), -1 for none; where field i's box is.
int random_field_at(int x, int y);
void random_field_box(int i, int *x, int *y);

// --- actions (editor_actions.cpp), also what the keyboard calls
void ui_init(EDIT_UI *ui, EDITOR *ed);
// Opens a dialog with its first button for Enter and its field's text chosen.
void ui_open_dialog(EDIT_UI *ui, int kind);
// Opens the map at path, or says in the status line why it cannot.
void ui_open_path(EDIT_UI *ui, const std::string &path);
// Starts a new empty map, or opening, or quitting: through the unsaved
// question when the map has changes.
void ui_request(EDIT_UI *ui, int after, const std::string &path);
// Shows the save dialog with the map's name to type over.
void ui_begin_save(EDIT_UI *ui);
// Saves under the typed name: refuses bad names and shipped maps, asks
// before overwriting another file. 1 when the map was written.
int ui_confirm_save(EDIT_UI *ui, int overwrite);
void ui_show_open_list(EDIT_UI *ui);
void ui_begin_random(EDIT_UI *ui);
// Fills the board from the random fields, or says why not.
void ui_confirm_random(EDIT_UI *ui);
// Offers the recovery copy an earlier run left, if any (a damaged one is
// removed and said so).
void ui_offer_recovery(EDIT_UI *ui);
// Restores the offered copy (restore 1) under its map's name, the file kept
// until the map is saved, or throws the copy and its file away.
void ui_answer_recovery(EDIT_UI *ui, int restore);
// Keeps the recovery copy ready for the map as it is now, or none when
// nothing is unsaved (recovery_write_due then writes or removes its file);
// cheap when nothing changed. Leaves an offered copy's file alone until it
// is answered. While a stroke paints on a
// map with more than RECOVERY_FOLLOW_TAIL bytes past its board it waits for
// the stroke's end, unless now is 1 (the editor must end: the stroke then
// ends where it is).
enum { RECOVERY_FOLLOW_TAIL = 65536 };
void ui_recovery_refresh(EDIT_UI *ui, int now);
// Takes recovery_write_due's outcome: the first of a run of failed writes
// says on the status line that the changes are not kept (a full disk, a
// folder where the copy goes), as a crash would then lose them.
void ui_recovery_written(EDIT_UI *ui, int outcome);
// Clears the status line once the board has changed since it was written.
void ui_settle_message(EDIT_UI *ui);
// Restarts the fairness run when the board differs from the one it plays,
// then plays a slice of it.
void ui_fairness_step(EDIT_UI *ui, int budget_us);

// --- input (editor_input.cpp)
// Reads the pointer, the keys and the close button once and acts on them.
void editor_input(EDIT_UI *ui);
// Has the library's input thread note every button press for editor_input.
void editor_watch_presses(void);

// --- start-up (editor_start.cpp)
// Opens the window, loads "tarkoni.dat" from the current folder and paints
// the editor's pictures; with_input 0 leaves out the mouse and keyboard (for
// screenshots). A failure ends the process with the game's message.
void editor_start(int with_input);

// --- pictures and drawing (editor_pictures.cpp, editor_draw.cpp)
// Paints the editor's own pictures (planks, parchments) with the game's painters.
void paint_editor_pictures(void);
void free_editor_pictures(void);
// Composes and presents one frame.
void editor_draw(const EDIT_UI *ui);
// Every place a text is written in, with the longest text it can be given
// and its width in pixels (a caption's with its outline and icon).
struct TEXT_ROOM { std::string text; int width; int lettering; };
std::vector<TEXT_ROOM> editor_text_rooms(void);
// text cut to fit width pixels in the editor's font, ".." marking the cut;
// a cut never splits a letter.
std::string fit_text(const std::string &text, int width);
// text in lines of at most width pixels, broken at spaces (a word longer
// than a line is cut).
std::vector<std::string> wrap_text(const std::string &text, int width);
// Drops the last letter of UTF-8 text, however many bytes it takes.
void drop_last_letter(std::string *text);
