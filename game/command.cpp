// The command line: with no arguments, the game as it always was.
#include "game/demo.h"

#include <cstdio>
#include <cstring>

#ifndef QVL_VERSION
#define QVL_VERSION "unknown"
#endif

static const char USAGE[] = "usage: qvlgam [-record FILE | -playdemo FILE | -timedemo FILE | -h | --version]\n";

static const char HELP[] =
    "Quorvale - Sports Day, a school sports day arcade game.\n"
    "\n"
    "  qvlgam                  play\n"
    "  qvlgam -record FILE     play, and write a demo of the run from the title menu to the exit\n"
    "  qvlgam -playdemo FILE   watch a demo at the normal pace (Esc or your quit key ends it)\n"
    "  qvlgam -timedemo FILE   play a demo as fast as the machine goes, print its figures\n"
    "                          and whether it reached the records it claims (exit status 1 if not)\n"
    "  qvlgam -h, --help       this help\n"
    "  qvlgam --version        the game's version\n"
    "\n"
    "Playing a demo never changes qvlgam.rec or qvlgam.cfg.\n";

static const struct {
  const char *name;
  int mode;
} MODES[] = {{"-record", DEMO_RECORD}, {"-playdemo", DEMO_PLAY}, {"-timedemo", DEMO_TIME}};

static int usage_error(const char *why, const char *arg) {
  fprintf(stderr, "qvlgam: %s %.100s; %s", why, arg, USAGE);
  return EXIT_USAGE;
}

static int demo_option(const char *arg) {
  for (const auto &m : MODES)
    if (strcmp(arg, m.name) == 0) return m.mode;
  return DEMO_NONE;
}

int parse_command_line(int argc, char **argv, CommandLine *out) {
  out->mode = DEMO_NONE;
  out->file = nullptr;
  if (argc <= 1) return -1;
  const char *arg = argv[1];
  if (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0) {
    if (argc > 2) return usage_error("nothing may follow", arg);
    fputs(HELP, stdout);
    return 0;
  }
  if (strcmp(arg, "--version") == 0) {
    if (argc > 2) return usage_error("nothing may follow", arg);
    printf("Quorvale - Sports Day %s\n", QVL_VERSION);
    return 0;
  }
  int mode = demo_option(arg);
  if (mode == DEMO_NONE) return usage_error("unknown option", arg);
  if (argc < 3 || !argv[2][0]) return usage_error("a file must follow", arg);
  if (argc > 3) return usage_error("one option only; not", argv[3]);
  out->mode = mode;
  out->file = argv[2];
  return -1;
}
