// The maps the game ships, known to the editor by their names and bytes, so
// that it recognises one wherever it runs: linked into the player's folder,
// read-only beside the installed game, or a plain file in the build's data.
#pragma once

#include <string>

// 1 when a map file called name (no folders) holds exactly bytes that the
// game ships under that name.
int map_is_shipped(const std::string &name, const std::string &bytes);
// 1 when the game ships a map called name.
int map_name_is_shipped(const std::string &name);
// The longest shipped map, in bytes: reading one more tells a longer file.
size_t shipped_map_longest(void);
