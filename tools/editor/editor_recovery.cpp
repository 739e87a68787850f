// The recovery copy's bytes, and its file: held ready in memory while there
// are unsaved changes, written a moment after each change, and written once
// more when the editor must end.
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
static std::atomic<int> kept_serial(0);  // counts the copies held

void recovery_keep(const std::string &copy)
{
  if (copy.empty()) {
    kept_at.store(-1);
    kept_serial++;
    return;
  }
  int next = kept_at.load() == 0 ? 1 : 0;
  kept[next] = copy;
  kept_at.store(next);
  kept_serial++;
}

// The loop writes the copy while the map is unsaved; the last words write it
// once more as the process ends. Only one writes at a time: the last words
// wait for a loop's write to finish, at most two seconds, so that the
// process never ends halfway through a write; after them nothing writes.
enum { WRITE_NONE, WRITE_BUSY, WRITE_DONE };
static std::atomic<int> write_state(WRITE_NONE);
static int written_serial = 0;           // the one last written (or removed) by the loop
static long long written_ms = -RECOVERY_PAUSE_MS;

static int write_copy_at(int at)
{
  char temp[] = RECOVERY_TEMP;  // the safe write's buffer: nothing is allocated
  return platform_write_file_safely(temp, RECOVERY_FILE, kept[at].data(), kept[at].size()) == PLATFORM_WRITE_OK ? 0 : -1;
}

int recovery_write_due(long long now_ms)
{
  int serial = kept_serial.load(), at = kept_at.load();
  if (serial == written_serial || (at >= 0 && now_ms - written_ms < RECOVERY_PAUSE_MS))
    return 0;
  int expected = WRITE_NONE;
  if (!write_state.compare_exchange_strong(expected, WRITE_BUSY))
    return 0;
  int written = 0;
  if (at < 0)
    recovery_remove();  // nothing unsaved any more: the copy is done with
  else
    written = write_copy_at(at);
  write_state.store(WRITE_NONE);
  written_ms = now_ms;
  if (written == 0)
    written_serial = serial;  // a failed write is tried again after the pause
  return written == 0 ? 1 : -1;
}

int recovery_write_kept(void)
{
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  int expected = WRITE_NONE;
  while (!write_state.compare_exchange_strong(expected, WRITE_BUSY)) {
    if (expected == WRITE_DONE || std::chrono::steady_clock::now() >= until)
      return 0;
    expected = WRITE_NONE;
  }
  int at = kept_at.load();
  int written = at < 0 ? 0 : write_copy_at(at);
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
