// Checking an image set before the game relies on it.
#include "shell/image_set.h"
#include "shell/images.h"
#include "platform/platform.h"

enum { TRIAL_LOAD_TIMEOUT_MS = 10000 };

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

int image_set_loads_safely(const char *path)
{
  return platform_trial_load(path, TRIAL_LOAD_TIMEOUT_MS);
}
