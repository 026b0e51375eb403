// Replays: a seed, the settings that matter and a timeline of held keys,
// played through the real title menu and sports day under the headless
// host, giving a text report of everything that happened.
#pragma once

#include <allegro.h>

#include "events/events.h"

#include <string>
#include <vector>

// A tick of the script: absolute, or counted from an anchor, the virtual
// tick at which a screen or event is entered ("@catapult+30"): "title",
// "day", "difficulty", "intro", "end" (an end screen), "sprint", "catapult",
// "swim", "throw", and those the watchers set: "balloon" (catapulting),
// "breathless" (the swim's marker goes up), "options" (the options menu is
// open). "@throw:2+30" counts from the second entry only; without ":N" the
// tick recurs at every entry.
struct ReplayTick {
  std::string anchor;  // empty: absolute
  int run = 0;         // 0: every entry
  int offset = 0;
};

struct ReplayHold {
  int key;
  ReplayTick from;
  int length;  // ticks held after from
};

// A golden frame: the report gives a hash of the Backbuffer as first
// presented at or after the tick.
struct ReplayFrame {
  std::string name;
  ReplayTick tick;
};

// Catch-up: before the frame after tick, the clock owes n ticks at once;
// with every, before each frame from tick on.
struct ReplayOwe {
  int n;
  bool every;
  ReplayTick tick;
};

struct Replay {
  std::string name;
  unsigned seed = 1;
  int difficulty = 0;
  // Bindings as Allegro key codes; 0 keeps the default.
  int left = 0, right = 0, fire = 0, quit = 0, up = 0, down = 0;
  // "title": the title menu loop as the game runs it; "logo": the logo drop
  // first; "splash": the splash and its prompt before that; "day": one
  // sports day; "sprint", "catapult", "swim" or "throw": that event alone,
  // called with arg, on the difficulty's marks; "intro": the introduction
  // of event arg alone.
  std::string start = "title";
  int arg = 0;
  // Events left out of the day ("skip sprint catapult"): the runner hands
  // the game a day without them, so a day can begin at a later event.
  bool skip[EVENT_COUNT] = {};
  // Screen mode sets that fail before they succeed again.
  int failModes = 0;
  int endTick = 20000;
  bool presetRecords = false;
  float records[4] = {-1, -1, -1, -1};
  // A demo's last line: the records it reached.
  bool claimed = false;
  float claim[4] = {-1, -1, -1, -1};
  std::vector<ReplayHold> holds;
  std::vector<ReplayFrame> frames;
  std::vector<ReplayOwe> owes;
  // The window is closed as the clock reaches the tick: one run for each.
  std::vector<ReplayTick> closes;
};

// A frame window whose frames are saved as PNG (under
// build/replays/frames/), in one run of the replay (counted from 1).
struct ReplayCapture {
  int run = 0;
  int window = -1;
  // Also recorded by the game's demo recorder into this file, when named.
  std::string demoFile;
};

// A whole text file; false when it cannot be opened.
bool read_text(const std::string &path, std::string *text);
// Reads a replay file; on failure returns false with a message naming the
// line.
bool load_replay(const std::string &path, Replay *replay, std::string *error);
bool parse_replay(const std::string &text, Replay *replay, std::string *error);

// Plays the replay from a fresh start (once for each close tick) and
// returns its report.
std::string run_replay(const Replay &replay, const ReplayCapture &capture = ReplayCapture());

// Marks an anchor reached now: holds and frames counted from it are
// scheduled. A watcher may set anchors of its own ("@balloon+20"), counted
// from the virtual tick after the one whose logic it has just seen.
void replay_anchor(const char *anchor);

// Adds a line to the report of the replay being played.
void replay_say(const char *format, ...) __attribute__((format(printf, 1, 2)));

// What a report shows of one part of the game. Each watcher lives in its own
// file (watch_*.cpp): reset before every run, looked at after every virtual
// tick (tick is the tick whose logic has just run), and told when an event
// returns. Any of the three may be null.
struct ReplayWatcher {
  void (*reset)(void);
  void (*tick)(int tick);
  void (*eventEnded)(int event, int outcome);
};

// Told by the runner when a screen around the events returns, named by its
// anchor (watch_screens.cpp).
void screen_ended(const char *anchor);

// The streams (streams.cpp). Frames: one line per window of 30 ticks with
// the frames presented in it and a hash over them; the window starting at
// captureStart is also saved, frame by frame, as <capturePrefix>-t<tick>.png.
void frames_reset(int captureStart, const std::string &capturePrefix);
void frame_presented(BITMAP *frame, int tick);
// Reports the window that ended before tick.
void frames_flush(int tick);
// Sounds: every sound call the game makes, told with its tick (footsteps
// are also counted).
void sounds_reset(void);
void sounds_say(int tick);
int sounds_footsteps(void);

extern const ReplayWatcher SPRINT_WATCHER;
extern const ReplayWatcher CATAPULT_WATCHER;
extern const ReplayWatcher SWIM_WATCHER;
extern const ReplayWatcher THROW_WATCHER;
extern const ReplayWatcher SCREENS_WATCHER;
extern const ReplayWatcher OPTIONS_WATCHER;
