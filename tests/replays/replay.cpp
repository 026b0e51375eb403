#include "replay.h"

#include "events/events.h"
#include "events/sprint.h"
#include "events/catapult.h"
#include "events/swim.h"
#include "events/throw.h"
#include "frontend/frontend.h"
#include "game/demo.h"
#include "game/game.h"
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>

// --- Reading ---

static int key_code(const std::string &name) {
  static const std::map<std::string, int> NAMES = {
      {"LEFT", KEY_LEFT},   {"RIGHT", KEY_RIGHT}, {"UP", KEY_UP},             {"DOWN", KEY_DOWN},
      {"SPACE", KEY_SPACE}, {"ESC", KEY_ESC},     {"ENTER", KEY_ENTER},       {"RCONTROL", KEY_RCONTROL},
      {"RSHIFT", KEY_RSHIFT}, {"LCONTROL", KEY_LCONTROL}, {"LSHIFT", KEY_LSHIFT},
  };
  auto it = NAMES.find(name);
  if (it != NAMES.end()) return it->second;
  // A recorded demo names keys by their code, two digits at least ("4" is
  // the key 4).
  if (name.size() >= 2 && name.size() <= 3 && name.find_first_not_of("0123456789") == std::string::npos)
    return std::stoi(name) < KEY_MAX ? std::stoi(name) : 0;
  char c = name.size() == 1 ? name[0] : 0;
  if (c >= 'A' && c <= 'Z') return KEY_A + (c - 'A');
  if (c >= '0' && c <= '9') return KEY_0 + (c - '0');
  if (name.size() == 2 && name[0] == 'F' && name[1] >= '1' && name[1] <= '9') return KEY_F1 + (name[1] - '1');
  return 0;
}

struct Reader {
  std::map<std::string, ReplayTick> names;
  Replay *replay;
};

// A tick is a number, a name given by "let", or an anchor "@NAME" or
// "@NAME:RUN", each optionally followed by +N or -N.
static bool tick_value(Reader *r, const std::string &text, ReplayTick *out) {
  size_t op = text.find_first_of("+-", 1);
  std::string base = text.substr(0, op);
  char *end = nullptr;
  long offset = op == std::string::npos ? 0 : strtol(text.c_str() + op, &end, 10);
  if ((end && *end) || base.empty()) return false;
  ReplayTick tick;
  if (base[0] == '@') {
    size_t hash = base.find(':');
    tick.anchor = base.substr(1, hash == std::string::npos ? std::string::npos : hash - 1);
    if (hash != std::string::npos && (tick.run = atoi(base.c_str() + hash + 1)) < 1) return false;
  } else {
    long value = strtol(base.c_str(), &end, 10);
    if (*end) {
      auto it = r->names.find(base);
      if (it == r->names.end()) return false;
      tick = it->second;
      value = tick.offset;
    }
    tick.offset = (int)value;
  }
  tick.offset += (int)offset;
  *out = tick;
  return true;
}

// Both ends of a span count from the same place.
static bool span_value(Reader *r, const std::string &from, const std::string &to, ReplayTick *start,
                       int *length) {
  ReplayTick last;
  if (!tick_value(r, from, start) || !tick_value(r, to, &last)) return false;
  if (start->anchor != last.anchor || start->run != last.run) return false;
  *length = last.offset - start->offset;
  return true;
}

static bool read_hold(Reader *r, std::istringstream &in) {
  std::string name, from, to;
  ReplayTick start;
  int k, length;
  in >> name >> from >> to;
  if (!(k = key_code(name)) || !span_value(r, from, to, &start, &length)) return false;
  r->replay->holds.push_back(ReplayHold{k, start, length});
  return true;
}

// alternate A B FROM TO PERIOD: A for PERIOD ticks, then B, and so on.
static bool read_alternate(Reader *r, std::istringstream &in) {
  std::string nameA, nameB, from, to;
  ReplayTick start;
  int length, period = 0;
  in >> nameA >> nameB >> from >> to >> period;
  int keys[2] = {key_code(nameA), key_code(nameB)};
  if (!keys[0] || !keys[1] || period < 1 || !span_value(r, from, to, &start, &length)) return false;
  for (int t = 0, side = 0; t <= length; t += period, side ^= 1) {
    ReplayTick at = start;
    at.offset += t;
    r->replay->holds.push_back(ReplayHold{keys[side], at, std::min(period - 1, length - t)});
  }
  return true;
}

static bool read_binding(Replay *p, std::istringstream &in) {
  std::string item;
  while (in >> item) {
    size_t eq = item.find('=');
    std::string control = item.substr(0, eq);
    int *slot = control == "left" ? &p->left : control == "right" ? &p->right
                : control == "fire" ? &p->fire : control == "quit" ? &p->quit
                : control == "up" ? &p->up : control == "down" ? &p->down : nullptr;
    int code = eq == std::string::npos ? 0 : key_code(item.substr(eq + 1));
    if (!slot || !code) return false;
    *slot = code;
  }
  return true;
}

static const char *const EVENT_NAMES[] = {"sprint", "catapult", "swim", "throw"};
static_assert(sizeof EVENT_NAMES / sizeof EVENT_NAMES[0] == EVENT_COUNT, "a name for every event");

static int event_named(const std::string &name) {
  for (int i = 0; i < EVENT_COUNT; i++)
    if (name == EVENT_NAMES[i]) return i;
  return -1;
}

static bool start_known(const std::string &start) {
  return start == "title" || start == "splash" || start == "logo" || start == "day" || start == "intro" ||
         event_named(start) >= 0;
}

static bool add_frame(Replay *p, const std::string &name, const ReplayTick &tick) {
  for (const ReplayFrame &f : p->frames)
    if (f.name == name) return false;
  p->frames.push_back(ReplayFrame{name, tick});
  return true;
}

static bool read_skips(Replay *p, std::istringstream &in) {
  std::string name;
  bool any = false;
  while (in >> name) {
    int event = event_named(name);
    if (event < 0) return false;
    p->skip[event] = any = true;
  }
  return any;
}

// owe N every [FROM], or owe N TICK.
static bool read_owe(Reader *r, std::istringstream &in) {
  ReplayOwe owe{0, false, ReplayTick()};
  std::string at;
  if (!(in >> owe.n >> at) || owe.n < 1) return false;
  owe.every = at == "every";
  if (owe.every && !(in >> at)) at = "0";
  if (!tick_value(r, at, &owe.tick)) return false;
  r->replay->owes.push_back(owe);
  return true;
}

// close TICK [TICK...]: one run for each.
static bool read_closes(Reader *r, std::istringstream &in) {
  std::string at;
  ReplayTick tick;
  bool any = false;
  while (in >> at) {
    if (!tick_value(r, at, &tick)) return false;
    r->replay->closes.push_back(tick);
    any = true;
  }
  return any;
}

static bool read_line(Reader *r, const std::string &line) {
  std::istringstream in(line.substr(0, line.find('#')));
  std::string word, a, b;
  ReplayTick v;
  if (!(in >> word)) return true;
  Replay *p = r->replay;
  if (word == "seed") return bool(in >> p->seed);
  if (word == "difficulty") return bool(in >> p->difficulty);
  if (word == "start") return (in >> p->start) && start_known(p->start);
  if (word == "arg") return bool(in >> p->arg);
  if (word == "failmodes") return bool(in >> p->failModes);
  if (word == "skip") return read_skips(p, in);
  if (word == "frame") return (in >> a >> b) && tick_value(r, b, &v) && add_frame(p, a, v);
  if (word == "end") {
    if (!(in >> a) || !tick_value(r, a, &v) || !v.anchor.empty()) return false;
    p->endTick = v.offset;
    return true;
  }
  if (word == "keys") return read_binding(p, in);
  if (word == "hold") return read_hold(r, in);
  if (word == "alternate") return read_alternate(r, in);
  if (word == "owe") return read_owe(r, in);
  if (word == "close") return read_closes(r, in);
  if (word == "records") {
    p->presetRecords = true;
    return bool(in >> p->records[0] >> p->records[1] >> p->records[2] >> p->records[3]);
  }
  // A player's demo: its version, and what the run showed and reached.
  if (word == "demo") return (in >> a) && a == "1";
  if (word == "frames") return bool(in >> a >> b);
  if (word == "claim") {
    p->claimed = true;
    return bool(in >> p->claim[0] >> p->claim[1] >> p->claim[2] >> p->claim[3]);
  }
  if (word != "let" || !(in >> a >> b) || !tick_value(r, b, &v)) return false;
  r->names[a] = v;
  return true;
}

bool parse_replay(const std::string &text, Replay *replay, std::string *error) {
  Reader r;
  r.replay = replay;
  std::istringstream in(text);
  std::string line;
  for (int n = 1; std::getline(in, line); n++) {
    if (read_line(&r, line)) continue;
    *error = "line " + std::to_string(n) + ": cannot read \"" + line + "\"";
    return false;
  }
  return true;
}

bool read_text(const std::string &path, std::string *text) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  *text = s.str();
  return bool(in);
}

bool load_replay(const std::string &path, Replay *replay, std::string *error) {
  std::string text;
  if (!read_text(path, &text)) {
    *error = "cannot open " + path;
    return false;
  }
  size_t slash = path.find_last_of('/'), dot = path.find_last_of('.');
  replay->name = path.substr(slash + 1, dot - slash - 1);
  if (parse_replay(text, replay, error)) return true;
  *error = path + " " + *error;
  return false;
}

// --- Watching ---

static std::string Report;

void replay_say(const char *format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof line, format, args);
  va_end(args);
  (Report += line) += '\n';
}

static const ReplayWatcher *const WATCHERS[] = {
    &SPRINT_WATCHER, &CATAPULT_WATCHER, &SWIM_WATCHER, &THROW_WATCHER, &SCREENS_WATCHER, &OPTIONS_WATCHER,
};

static const char *const OUTCOME_NAMES[6] = {"NONE", "FALSE_START", "QUALIFIED", "QUIT", "FAILED", "ALL_DONE"};
static const char *outcome_name(int outcome) {
  return outcome >= 0 && outcome <= 5 ? OUTCOME_NAMES[outcome] : "?";
}

struct Watch {
  int choice, cheat, verdict, hz;
};
static Watch Seen;

// What the pool holds, as the events see it (sizes come from the art, so
// they are left out).
static unsigned pool_hash(void) {
  unsigned h = 2166136261u;
  auto mix = [&h](const void *data, size_t size) {
    const unsigned char *p = (const unsigned char *)data;
    for (size_t i = 0; i < size; i++) h = (h ^ p[i]) * 16777619u;
  };
  for (int i = 0; i < MAX_OBJECTS; i++) {
    const GameObject &o = ObjectPool[i];
    if (!o.active) continue;
    int ints[9] = {i, o.type, o.layer, o.cur.id, o.cur.frame, o.cur.timer, o.cur.delay, o.lifetime, o.flipped};
    float floats[4] = {o.x, o.y, o.vx, o.vy};
    mix(ints, sizeof ints);
    mix(floats, sizeof floats);
  }
  return h;
}

static void watch_change(int tick, int *seen, int now, const char *what) {
  if (*seen == now) return;
  *seen = now;
  replay_say("t=%d %s %d", tick, what, now);
}

// --- The window closed: what still happens after it ---

static const Replay *Playing;
static const ReplayTick *Closing;

struct AfterClose {
  int tick, frames, lit;
  std::string entered;
};
static AfterClose Closed;

static void note_frame_after_close(BITMAP *frame) {
  if (QuitFlag && Closed.tick < 0) Closed.tick = headless_tick();
  if (Closed.tick < 0) return;
  Closed.frames++;
  bool black = true;
  for (int y = 0; y < frame->h && black; y++)
    for (int x = 0; x < frame->w && black; x++) black = ((const unsigned short *)frame->line[y])[x] == 0;
  Closed.lit += !black;
}

static void note_entered_after_close(const char *anchor) {
  if (QuitFlag && Closed.tick < 0) Closed.tick = headless_tick();
  if (Closed.tick >= 0) Closed.entered += std::string(" ") + anchor;
}

// Seen at the start of a virtual tick: what the logic of the tick before did.
static void on_tick(int next) {
  int tick = next - 1;
  if (QuitFlag && Closed.tick < 0 && next <= Playing->endTick) Closed.tick = next;
  sounds_say(tick);
  watch_change(tick, &Seen.choice, TitleMenu.choice, "title choice");
  watch_change(tick, &Seen.cheat, CheatMode, "cheat");
  watch_change(tick, &Seen.verdict, Verdict, "verdict");
  watch_change(tick, &Seen.hz, headless_timer_hz(), "logic rate");
  for (const ReplayWatcher *w : WATCHERS)
    if (w->tick) w->tick(tick);
  if (tick % 60 == 0) replay_say("t=%d pool %08x", tick, pool_hash());
  frames_flush(next);
}

// --- Golden frames ---

static std::string ReplayName;

struct FrameDue {
  std::string name;
  int tick;
};
static std::vector<FrameDue> FramesDue;

// Each 16-bit pixel as the four bytes of an int.
static unsigned frame_hash(BITMAP *frame) {
  unsigned h = 2166136261u;
  for (int y = 0; y < frame->h; y++)
    for (int x = 0; x < frame->w; x++) {
      unsigned pixel = ((const unsigned short *)frame->line[y])[x];
      for (int b = 0; b < 4; b++) h = (h ^ ((pixel >> (8 * b)) & 0xff)) * 16777619u;
    }
  return h;
}

#define FRAMES_DIR QVL_BINARY_DIR "/replays/frames"

// Each golden frame is also saved, to be looked at, as
// build/replays/frames/<replay>-<frame>.png.
static void take_frames(BITMAP *frame, int tick) {
  frame_presented(frame, tick);
  note_frame_after_close(frame);
  for (size_t i = 0; i < FramesDue.size();) {
    if (tick < FramesDue[i].tick) {
      i++;
      continue;
    }
    replay_say("t=%d frame %s %08x", tick, FramesDue[i].name.c_str(), frame_hash(frame));
    headless_save_png(frame, FRAMES_DIR "/" + ReplayName + "-" + FramesDue[i].name + ".png");
    FramesDue.erase(FramesDue.begin() + i);
  }
}

// --- Anchors: holds and frames counted from where a screen or event starts ---

static std::map<std::string, int> AnchorRuns;

static bool due_at(const ReplayTick &t, const char *anchor, int run) {
  return t.anchor == anchor && (t.run == 0 || t.run == run);
}

// Everything the replay times from this anchor (empty: absolute ticks),
// counted from now.
static void schedule(const char *anchor, int run, int now) {
  for (const ReplayHold &h : Playing->holds)
    if (due_at(h.from, anchor, run)) headless_hold(h.key, now + h.from.offset, now + h.from.offset + h.length);
  for (const ReplayFrame &f : Playing->frames)
    if (due_at(f.tick, anchor, run)) FramesDue.push_back(FrameDue{f.name, now + f.tick.offset});
  for (const ReplayOwe &o : Playing->owes)
    if (due_at(o.tick, anchor, run)) headless_owe(now + o.tick.offset, o.n, o.every);
  if (Closing && due_at(*Closing, anchor, run)) headless_close_at(now + Closing->offset);
}

void replay_anchor(const char *anchor) {
  note_entered_after_close(anchor);
  schedule(anchor, ++AnchorRuns[anchor], headless_tick());
}

// --- Events, watched on their way in and out ---

static EventFunction RealEvents[EVENT_COUNT];

template <int EVENT>
static int watched_event(int arg) {
  replay_anchor(EVENT_NAMES[EVENT]);
  replay_say("t=%d %s(%d) begins", headless_tick(), EVENT_NAMES[EVENT], arg);
  int outcome = RealEvents[EVENT](arg);
  replay_say("t=%d %s(%d) -> %s", headless_tick(), EVENT_NAMES[EVENT], arg, outcome_name(outcome));
  for (const ReplayWatcher *w : WATCHERS)
    if (w->eventEnded) w->eventEnded(EVENT, outcome);
  return outcome;
}

// The screens around the events set anchors and tell the screens watcher
// when they return.
static int watched_difficulty(void) {
  replay_anchor("difficulty");
  int chosen = SPORTS_DAY_DEFAULT.selectDifficulty();
  screen_ended("difficulty");
  return chosen;
}

static void watched_intro(int event) {
  replay_anchor("intro");
  SPORTS_DAY_DEFAULT.showEventIntro(event);
  screen_ended("intro");
}

static void watched_game_over(void) {
  replay_anchor("end");
  SPORTS_DAY_DEFAULT.gameOverScreen();
  screen_ended("end");
}

static void watched_congratulations(void) {
  replay_anchor("end");
  SPORTS_DAY_DEFAULT.congratulationsScreen();
  screen_ended("end");
}

static void watched_celebration(void) {
  replay_anchor("end");
  SPORTS_DAY_DEFAULT.championCelebration();
  screen_ended("end");
}

static void watch_screens(void) {
  SportsDay.selectDifficulty = watched_difficulty;
  SportsDay.showEventIntro = watched_intro;
  SportsDay.gameOverScreen = watched_game_over;
  SportsDay.congratulationsScreen = watched_congratulations;
  SportsDay.championCelebration = watched_celebration;
}

// The day the game is handed: its own events in its own order and with its
// rules, each watched, less those the replay skips.
static DayEvent WatchedDay[EVENT_COUNT];

static void watch_events(const Replay &replay) {
  static const EventFunction WATCHED[] = {watched_event<0>, watched_event<1>, watched_event<2>, watched_event<3>};
  static_assert(sizeof WATCHED / sizeof WATCHED[0] == EVENT_COUNT, "every event watched");
  SportsDay = SPORTS_DAY_DEFAULT;
  watch_screens();
  int count = 0;
  for (int i = 0; i < SPORTS_DAY_DEFAULT.eventCount; i++) {
    DayEvent e = SPORTS_DAY_DEFAULT.events[i];
    RealEvents[e.event] = e.run;
    e.run = WATCHED[e.event];
    if (!replay.skip[e.event]) WatchedDay[count++] = e;
  }
  SportsDay.events = WatchedDay;
  SportsDay.eventCount = count;
}

static const DayEvent *day_event(int event) {
  for (int i = 0; i < SportsDay.eventCount; i++)
    if (SportsDay.events[i].event == event) return &SportsDay.events[i];
  return nullptr;
}

// --- Running ---

static void set_up(const Replay &replay, size_t run, const ReplayCapture &capture) {
  Settings.difficulty = replay.difficulty;
  if (replay.left) Settings.left = replay.left;
  if (replay.right) Settings.right = replay.right;
  if (replay.fire) Settings.fire = replay.fire;
  if (replay.quit) Settings.quit = replay.quit;
  if (replay.up) Settings.up = replay.up;
  if (replay.down) Settings.down = replay.down;
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  set_qualifying_marks(NOVICE);
  if (replay.presetRecords) {
    RecordTable.best_sprint_time = replay.records[0];
    RecordTable.best_catapult_points = (int)replay.records[1];
    RecordTable.best_swim_time = replay.records[2];
    RecordTable.best_throw_distance = replay.records[3];
    save_records();
  }
  headless_fail_gfx_modes(replay.failModes);
  reset_pool_full_report();
  for (GameObject &o : ObjectPool) o = GameObject();
  for (PaceController &lane : Lanes) lane = PaceController();
  Verdict = VERDICT_NONE;
  TitleMenu = TitleMenuState();
  Sprint = RaceRun();
  Seen = Watch();
  sounds_reset();
  watch_events(replay);
  for (const ReplayWatcher *w : WATCHERS)
    if (w->reset) w->reset();
  ReplayName = replay.name;
  mkdir(QVL_BINARY_DIR "/replays", 0755);
  mkdir(FRAMES_DIR, 0755);
  std::string runName = replay.closes.size() > 1 ? "-run" + std::to_string(run) : "";
  frames_reset(capture.run == (int)run ? capture.window : -1, FRAMES_DIR "/" + replay.name + runName);
  Closed = AfterClose{-1, 0, 0, ""};
  Playing = &replay;
  Closing = replay.closes.empty() ? nullptr : &replay.closes[run - 1];
  AnchorRuns.clear();
  FramesDue.clear();
  schedule("", 0, 0);
  headless_on_tick(on_tick);
  headless_on_present(take_frames);
}

// The outcome first: the line carries the tick the day ended on.
static void play_day(void) {
  replay_anchor("day");
  int outcome = run_sports_day();
  replay_say("t=%d sports day -> %s", headless_tick(), outcome_name(outcome));
}

// One event alone, as the sports day would run it on the replay's
// difficulty.
static void play_event(int event, int arg, int difficulty) {
  load_records();
  set_qualifying_marks(difficulty);
  load_music_set(MUSIC_SET_SPORTS_DAY);
  const DayEvent *e = day_event(event);
  if (!e) {
    replay_say("%s is not in the sports day", EVENT_NAMES[event]);
    return;
  }
  e->run(arg);
}

// One event's introduction alone, with the sports day's tunes.
static void play_intro(int event) {
  load_music_set(MUSIC_SET_SPORTS_DAY);
  SportsDay.showEventIntro(event);
}

// The splash from the real "qvlgam2.dat", held as the game holds it.
static void play_splash(void) {
  if (symlink(QVL_RUN_DIR "/" SPLASH_DATAFILE, SPLASH_DATAFILE) != 0) replay_say("no %s", SPLASH_DATAFILE);
  show_splash();
  wait_splash();
  replay_say("t=%d splash over", headless_tick());
}

static void play(const Replay &replay) {
  if (replay.start == "day") return play_day();
  if (replay.start == "intro") return play_intro(replay.arg);
  int event = event_named(replay.start);
  if (event >= 0) return play_event(event, replay.arg, replay.difficulty);
  if (replay.start == "splash") play_splash();
  if (replay.start == "logo" || replay.start == "splash") {
    title_logo_drop();
    replay_say("t=%d logo drop over", headless_tick());
  }
  int choice = 0;
  while (choice != MENU_QUIT && !QuitFlag) {
    replay_anchor("title");
    choice = title_menu();
    replay_say("t=%d title menu -> %d", headless_tick(), choice);
    if (choice == MENU_PLAY) play_day();
  }
}

static std::string file_bytes(const char *name) {
  std::string bytes, hex;
  if (!read_text(name, &bytes)) return "(none)";
  char byte[4];
  for (unsigned char c : bytes) {
    snprintf(byte, sizeof byte, hex.empty() ? "%02x" : " %02x", c);
    hex += byte;
  }
  return hex;
}

static std::string tick_text(const ReplayTick &t) {
  if (t.anchor.empty()) return "t=" + std::to_string(t.offset);
  std::string run = t.run ? ":" + std::to_string(t.run) : "";
  return "@" + t.anchor + run + (t.offset < 0 ? "" : "+") + std::to_string(t.offset);
}

static void summarise(void) {
  frames_flush(INT_MAX);
  for (const FrameDue &f : FramesDue) replay_say("frame %s never shown (due at t=%d)", f.name.c_str(), f.tick);
  if (Closing && Closed.tick < 0) replay_say("the window was not closed: the replay ended first");
  if (Closing && Closed.tick >= 0)
    replay_say("after the window closed at t=%d: %d frames shown, %d not black; entered:%s", Closed.tick,
               Closed.frames, Closed.lit, Closed.entered.empty() ? " nothing" : Closed.entered.c_str());
  replay_say("end t=%d quit flag %d cheat %d logic rate %d footsteps %d", headless_tick(), (int)QuitFlag,
      CheatMode, headless_timer_hz(), sounds_footsteps());
  replay_say("marks sprint %d catapult %d swim %d throw %d", SprintMark, CatapultMark, SwimMark, ThrowMark);
  replay_say("records sprint %.6f catapult %d swim %.6f throw %.6f", RecordTable.best_sprint_time,
      RecordTable.best_catapult_points, RecordTable.best_swim_time, RecordTable.best_throw_distance);
  const float *c = Playing->claim;
  if (Playing->claimed)
    replay_say("the demo's claim %s", RecordTable.best_sprint_time == c[0] && RecordTable.best_catapult_points == (int)c[1] &&
               RecordTable.best_swim_time == c[2] && RecordTable.best_throw_distance == c[3] ? "reached" : "not reached");
  replay_say("qvlgam.rec %s", file_bytes(RECORDS_FILE).c_str());
  std::string config;
  if (!read_text(CONFIG_FILE, &config)) config = "(none)\n";
  replay_say("qvlgam.cfg:");
  Report += config;
}

static void run_once(const Replay &replay, size_t run, const ReplayCapture &capture) {
  HeadlessOptions options;
  options.seed = replay.seed;
  options.tickLimit = replay.endTick;
  if (!headless_start(options)) {
    Report += "headless start failed\n";
    return;
  }
  replay_say("replay %s seed %u difficulty %d start %s", replay.name.c_str(), replay.seed,
      replay.difficulty, replay.start.c_str());
  if (!replay.closes.empty())
    replay_say("run %zu of %zu: the window is closed at %s", run, replay.closes.size(),
               tick_text(replay.closes[run - 1]).c_str());
  set_up(replay, run, capture);
  CommandLine demo = {DEMO_RECORD, capture.demoFile.c_str()};
  bool recording = !capture.demoFile.empty() && demo_prepare(&demo);
  if (recording) demo_begin();
  play(replay);
  if (recording) demo_finish();
  // What the last tick did, as the next tick would have told it.
  on_tick(headless_tick() + 1);
  headless_on_tick(nullptr);
  headless_on_present(nullptr);
  summarise();
  SportsDay = SPORTS_DAY_DEFAULT;
  headless_stop();
}

std::string run_replay(const Replay &replay, const ReplayCapture &capture) {
  Report.clear();
  for (size_t run = 1; run == 1 || run <= replay.closes.size(); run++) run_once(replay, run, capture);
  return Report;
}
