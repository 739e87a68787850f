// Checking an image set before the game relies on it.
#include "shell/image_set.h"
#include "shell/images.h"
#include "platform/platform.h"
#include "shell/datafile_check.h"

#include <cerrno>

enum { TRIAL_LOAD_TIMEOUT_MS = 10000 };
// Larger than any image set the game could show (the shipped one is 2 MB).
enum { LARGEST_IMAGE_SET = 64 * 1024 * 1024 };

int image_set_usable(const DATAFILE *data)
{
  if (!data)
    return 0;
  int count = 0;
  while (count < IMG_COUNT && data[count].type != DAT_END)
    count++;
  if (count < IMG_COUNT)
    return 0;
  for (int i = 0; i < IMG_COUNT; i++)
    if (data[i].type != DAT_BITMAP || !data[i].dat)
      return 0;
  return 1;
}

int image_set_trial_load(const char *path)
{
  return image_set_usable(load_datafile(path));
}

int image_set_trial_load_alone(const char *path)
{
  // The loader needs the library but neither a window nor a display mode.
  if (install_allegro(SYSTEM_NONE, &errno, nullptr) != 0)
    return 0;
  set_color_depth(16);
  return image_set_trial_load(path);
}

// What the web checks in place of a trial load: the file's layout.
static int image_set_layout_sound(const char *path)
{
  return datafile_file_sound(path, LARGEST_IMAGE_SET);
}

int image_set_loads_safely(const char *path)
{
  return platform_trial_load(path, TRIAL_LOAD_TIMEOUT_MS, image_set_trial_load, image_set_layout_sound);
}
