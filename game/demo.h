// Player demos: a run's input recorded tick by tick from the title menu to
// the exit, played back through the same screens, timed, and proved by the
// records it reached. A demo is a replay file the test runner reads as it is
// (key codes written with two digits at least: a lone digit there is a
// digit key).
#pragma once

#include "persist/persist.h"

#include <cstdio>

#define DEMO_VERSION 1
// Bounds a file must keep: its size, a line's length and the ticks it holds
// (more than four hours of play).
#define DEMO_MAX_BYTES (16L << 20)
#define DEMO_MAX_LINE 200
#define DEMO_MAX_TICKS 1000000

// The six bindings, in the settings' order.
enum { BIND_UP, BIND_DOWN, BIND_LEFT, BIND_RIGHT, BIND_FIRE, BIND_QUIT, BIND_COUNT };

// An input code (key or joystick) held on ticks from..to.
struct DemoHold {
  int code, from, to;
};
// The pass that reaches tick runs n steps at once, all reading the input of
// its last tick.
struct DemoOwe {
  int tick, n;
};

struct Demo {
  unsigned seed;
  int difficulty;
  int bindings[BIND_COUNT];
  RecordData start;  // the records the run started from
  int end;           // the first tick the demo has no input for
  DemoHold *holds;
  int holdCount;
  DemoOwe *owes;  // in order, not overlapping
  int oweCount;
  int frames;  // frames presented while it was recorded, and their hash
  unsigned long long frameHash;
  RecordData claim;  // the records the run reached
};

// Reads a demo; 0 with a one-line reason in error when it is not one this
// version plays. The demo owns its arrays until demo_free.
int demo_parse(const char *text, long size, Demo *out, char *error, int errorSize);
void demo_free(Demo *demo);
// The records as a demo line states them ("records ..." or "claim ...").
void demo_records_text(const char *word, const RecordData &r, char *out, int size);
int records_equal(const RecordData &a, const RecordData &b);

// What the command line asked for.
enum DemoMode { DEMO_NONE, DEMO_RECORD, DEMO_PLAY, DEMO_TIME };
#define EXIT_USAGE 2
// The claim was not reached; a demo that cannot be read or written.
#define EXIT_NOT_VERIFIED 1
#define EXIT_DEMO_FILE 3

struct CommandLine {
  int mode;
  const char *file;
};
// -1 to go on with the game; otherwise the exit status after help, the
// version or a usage message.
int parse_command_line(int argc, char **argv, CommandLine *out);

// Before start-up: a demo to play is read (a message on stderr and 0 when it
// cannot be), a demo to record can be written.
int demo_prepare(const CommandLine *line);
// From the title menu on: seeds the run and takes over the passes.
void demo_begin(void);
// After the title menu's loop: the demo written, or the playback's figures
// and verdict printed. The exit status.
int demo_finish(void);
// The figures of the last playback (ticks from the title menu to the exit,
// frames drawn, seconds since demo_begin), as demo_finish prints them.
struct DemoFigures {
  int ticks, frames;
  double seconds;
  int sameFrames, verified;
};
extern DemoFigures LastPlayback;
// Where demo_finish prints; null for stdout.
extern FILE *DemoReport;
// A frame's hash, chained onto h.
unsigned long long frame_hash(const void *bitmap, unsigned long long h);
