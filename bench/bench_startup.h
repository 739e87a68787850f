// Start-up to the first menu frame, measured on fresh processes: the
// benchmark starts itself in a working folder holding the image set, and the
// child reports, on the shared monotonic clock, when its first frame is out.
#pragma once

#include "bench_timing.h"

#define STARTUP_CHILD_ARG "--startup-child"
#define STARTUP_PHASES_ARG "--startup-phases"

// The steps of start-up that the phase run times one by one.
enum { PHASE_ALLEGRO_INIT, PHASE_TIMER, PHASE_MOUSE, PHASE_GFX_MODE, PHASE_CLOSE_BUTTON,
       PHASE_TRIAL_LOAD, PHASE_LOAD, PHASE_BACK_BUFFER, PHASE_FIRST_FRAME, PHASE_COUNT };

struct STARTUP_RESULT {
  SAMPLES total;        // fork to the first menu frame presented
  SAMPLES to_main;      // fork, exec and loading the program up to main
  SAMPLES init_game;    // init_game
  SAMPLES first_frame;  // the first menu_update and menu_draw
  SAMPLES phases[PHASE_COUNT];
};

// Name of a phase for the report.
const char *phase_name(int phase);

// Child side: init_game and the first menu frame in the working folder,
// then the timestamps on standard output. Returns the exit status.
int startup_child_main(void);

// Child side: the same start-up made step by step, each step timed.
int startup_phases_main(void);

// Parent side: runs runs children of each kind in workdir; 0 when one failed.
int startup_measure(const char *workdir, int runs, STARTUP_RESULT *result);
