// What single library calls cost on this machine: the parts every frame is
// made of, each timed on its own in a tight loop.
#pragma once

struct LIBRARY_FACT {
  const char *what;  // the call, as the report names it
  double us;         // median microseconds per call
};

enum { FACT_MAX = 16 };

struct LIBRARY_FACTS {
  LIBRARY_FACT facts[FACT_MAX];
  int count;
};

// Times the calls a frame is made of. small_maps and large_maps are working
// folders whose maps folders hold 1 and many entries (large_entries of them);
// the working folder is left as it was. Needs init_game to have run.
void measure_library_facts(LIBRARY_FACTS *out, const char *small_maps, const char *large_maps,
                           int large_entries);
