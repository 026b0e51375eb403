// Replays: a seed, the settings that matter and a timeline of held keys,
// played through the real title menu and sports day under the headless
// host, giving a text report of everything that happened.
#pragma once

#include <string>
#include <vector>

struct ReplayHold {
  int key;
  int from;
  int to;
};

struct Replay {
  std::string name;
  unsigned seed = 1;
  int difficulty = 0;
  // Bindings as Allegro key codes; 0 keeps the default.
  int left = 0, right = 0, fire = 0, quit = 0;
  // "title": the title menu loop as the game runs it; "logo": the logo drop
  // first; "day": one sports day.
  std::string start = "title";
  int endTick = 20000;
  bool presetRecords = false;
  float records[4] = {-1, -1, -1, -1};
  std::vector<ReplayHold> holds;
};

// A whole text file; false when it cannot be opened.
bool read_text(const std::string &path, std::string *text);
// Reads a replay file; on failure returns false with a message naming the
// line.
bool load_replay(const std::string &path, Replay *replay, std::string *error);
bool parse_replay(const std::string &text, Replay *replay, std::string *error);

// Plays the replay from a fresh start and returns its report.
std::string run_replay(const Replay &replay);
