// The map kit's commands. Each takes the whole argument vector (argv[1] is
// the command word) and the streams to print on, and returns the exit
// status: 0 done, 1 failed, 2 used wrongly. Failures print one line on err.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct KIT_ARGS;

// Dispatches to the command named by argv[1]; messages and help texts name
// the kit by the file name in argv[0].
int mapkit_main(int argc, char **argv, FILE *out, FILE *err);

int cmd_render(int argc, char **argv, FILE *out, FILE *err);
int cmd_build(int argc, char **argv, FILE *out, FILE *err);
int cmd_generate(int argc, char **argv, FILE *out, FILE *err);
int cmd_stats(int argc, char **argv, FILE *out, FILE *err);

enum { KIT_OK = 0, KIT_FAILED = 1, KIT_USAGE = 2 };

// Prints "KIT COMMAND: message" on err (KIT: the kit's own name) and returns KIT_FAILED.
int kit_fail(FILE *err, const char *command, const std::string &message);
// Prints the same with a pointer to --help and returns KIT_USAGE.
int kit_usage(FILE *err, const char *command, const std::string &message);
// Warns on err when the bytes read from the map file at path look like a
// map text; the command goes on.
void kit_warn_if_text(FILE *err, const char *command, const char *path, const std::string &data);

// Flushes and closes out, the kit's standard output. When a write to it
// failed, then or before, prints why on err and returns KIT_FAILED (or
// status, if that is already a failure); else returns status.
int mapkit_close_output(int status, FILE *out, FILE *err);

// The start every command shares: splits the arguments after the command
// word (options from known), prints help on --help, and checks that there
// are exactly words positional arguments (usage_message otherwise). Returns
// -1 when the command goes on, else the exit status to return at once.
int kit_begin(int argc, char **argv, const char *command, const std::vector<std::string> &known,
              size_t words, const char *usage_message, const char *help, FILE *out, FILE *err,
              KIT_ARGS *args);
