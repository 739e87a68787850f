// The recovery copy's bytes, and its file: held ready in memory while there
// are unsaved changes, so that the moment the editor must end it only has to
// be written out.
#include "editor_recovery.h"
#include "editor.h"
#include "kit_files.h"
#include "platform/platform.h"

#include <atomic>
#include <cstdio>
#include <chrono>
#include <cstdlib>

static const char MAGIC[] = "editor-obnova 1";

std::string recovery_encode(const std::string &name, const std::string &path, const std::string &bytes)
{
  char head[96];
  snprintf(head, sizeof head, "%s %llu %llu %llu\n", MAGIC, static_cast<unsigned long long>(name.size()),
           static_cast<unsigned long long>(path.size()), static_cast<unsigned long long>(bytes.size()));
  return head + name + path + bytes;
}

int recovery_decode(const std::string &data, std::string *name, std::string *path, std::string *bytes)
{
  size_t end = data.find('\n');
  if (end == std::string::npos || end > 95)
    return -1;
  std::string head = data.substr(0, end);
  unsigned long long n = 0, p = 0, b = 0;
  char magic[32], version[8], rest;
  if (sscanf(head.c_str(), "%31s %7s %llu %llu %llu%c", magic, version, &n, &p, &b, &rest) != 5 ||
      std::string(magic) + " " + version != MAGIC)
    return -1;
  size_t body = end + 1;
  if (n > EDIT_MAX_FILE || p > EDIT_MAX_FILE || b > EDIT_MAX_FILE || data.size() - body != n + p + b)
    return -1;
  *name = data.substr(body, n);
  *path = data.substr(body + n, p);
  *bytes = data.substr(body + n + p);
  return 0;
}

// Two copies, so that a new one is made while the display-lost hook may be
// writing the other: the hook reads only the one kept_at names. (Two new
// copies made while one hook writes could still meet it; the hook runs once,
// as the process ends.)
static std::string kept[2];
static std::atomic<int> kept_at(-1);

void recovery_keep(const std::string &copy)
{
  if (copy.empty()) {
    kept_at.store(-1);
    return;
  }
  int next = kept_at.load() == 0 ? 1 : 0;
  kept[next] = copy;
  kept_at.store(next);
}

// The copy is written once: a second caller (the watchdog or the display
// hook while the loop writes) waits for the first to finish, at most two
// seconds, so that the process never ends halfway through the write.
enum { WRITE_NONE, WRITE_BUSY, WRITE_DONE };
static std::atomic<int> write_state(WRITE_NONE);

int recovery_write_kept(void)
{
  int expected = WRITE_NONE;
  if (!write_state.compare_exchange_strong(expected, WRITE_BUSY)) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (write_state.load() == WRITE_BUSY && std::chrono::steady_clock::now() < until) {
    }
    return 0;
  }
  int at = kept_at.load();
  char temp[] = RECOVERY_TEMP;  // the safe write's buffer: nothing is allocated
  int written = 0;
  if (at >= 0 && platform_write_file_safely(temp, RECOVERY_FILE, kept[at].data(), kept[at].size()) != PLATFORM_WRITE_OK)
    written = -1;
  write_state.store(WRITE_DONE);
  return written;
}

int recovery_read(std::string *data)
{
  std::string why;
  if (kit_read_file(RECOVERY_FILE, 3 * EDIT_MAX_FILE, data, &why) != 0)
    return -1;
  return 0;
}

void recovery_remove(void)
{
  platform_remove_file(RECOVERY_FILE);
}
