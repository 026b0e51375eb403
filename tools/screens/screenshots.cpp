// Writes screenshots of the game's screens, run for real under the headless
// driver with scripted keys, at twice their size as the window shows them.
//   screenshots <output folder>
#include "events/events.h"
#include "events/sprint.h"
#include "events/swim.h"
#include "events/throw.h"
#include "frontend/frontend.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/shell.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

struct Shot {
  int tick;
  std::string name;
};

static std::string OutDir;
static std::vector<Shot> Shots;

static void save_doubled(BITMAP *bmp, const std::string &name) {
  BITMAP *big = create_bitmap(bmp->w * 2, bmp->h * 2);
  if (!big) return;
  stretch_blit(bmp, big, 0, 0, bmp->w, bmp->h, 0, 0, big->w, big->h);
  std::string path = OutDir + "/" + name + ".png";
  if (headless_save_png(big, path)) printf("%s\n", path.c_str());
  destroy_bitmap(big);
}

static void take_shots(int tick) {
  for (const Shot &s : Shots)
    if (s.tick == tick) save_doubled(Backbuffer, s.name);
}

static bool start(unsigned seed) {
  HeadlessOptions o;
  o.seed = seed;
  if (!headless_start(o)) return false;
  headless_on_tick(take_shots);
  load_records();
  return true;
}

static void splash(void) {
  if (!start(1)) return;
  fs::copy_file(QVL_RUN_DIR "/qvlgam2.dat", headless_work_dir() + "/qvlgam2.dat");
  show_splash();
  if (BITMAP *prompt = dat_bitmap(ENTRY_SPLASH_PROMPT)) draw_sprite(screen, prompt, 182, 444);
  std::string path = OutDir + "/splash.png";
  if (headless_save_png(screen, path)) printf("%s\n", path.c_str());
  headless_stop();
}

static void title(void) {
  Shots = {{24, "logo"}};
  if (!start(2)) return;
  title_logo_drop();
  int from = headless_tick();
  Shots = {{from + 130, "title"}};
  headless_hold(KEY_ESC, from + 132, from + 140);
  title_menu();
  headless_stop();
}

// Left and right swapped on every tick: a player at full pace.
static void alternate_sides(int from, int to) {
  for (int t = from; t <= to; t += 2) {
    headless_hold(KEY_LEFT, t, t);
    headless_hold(KEY_RIGHT, t + 1, t + 1);
  }
}

static void sprint(void) {
  Shots = {{400, "sprint-start"}, {640, "sprint-race"}, {734, "sprint-finish"}};
  if (!start(3)) return;
  alternate_sides(501, 1400);
  headless_hold(KEY_ESC, 820, 830);
  SprintMark = 16;
  run_sprint(0);
  headless_stop();
}

static void false_start(void) {
  Shots = {{450, "sprint-false-start"}};
  if (!start(4)) return;
  headless_hold(KEY_LEFT, 300, 300);
  headless_hold(KEY_ESC, 600, 610);
  run_sprint(0);
  headless_stop();
}

// Fire held 7 ticks and let go at each given step.
static void release_at(const std::vector<int> &steps) {
  for (int step : steps) headless_hold(KEY_SPACE, step - 7, step - 1);
}

static void catapult(void) {
  Shots = {{668, "catapult-shot"}, {1560, "catapult-round"}};
  if (!start(5)) return;
  // The first stone on its way to the balloon; three pops, then a shot a
  // little late that knocks the fourth balloon.
  release_at({654, 932, 1215, 1501});
  headless_hold(KEY_ESC, 1600, 1610);
  set_qualifying_marks(NOVICE);
  run_catapult(0);
  headless_stop();
}

// The fair 45-degree throw of the replays: run-up, aiming with the gauge and
// the close-up of the line, and the measurer walking out.
static void tennis_throw(void) {
  Shots = {{230, "throw-run-up"}, {270, "throw-aiming"}, {560, "throw-measuring"}};
  if (!start(5)) return;
  for (int t = 151; t <= 260; t += 6) {
    headless_hold(KEY_LEFT, t, t + 2);
    headless_hold(KEY_RIGHT, t + 3, t + 5);
  }
  headless_hold(KEY_SPACE, 240, 283);
  headless_hold(KEY_ESC, 600, 610);
  ThrowMark = 16;
  run_throw(0);
  headless_stop();
}

// A swimmer at full pace who never breathes: the marker goes up on tick 750.
static void swim(void) {
  Shots = {{400, "swim-start"}, {770, "swim-race"}};
  if (!start(5)) return;
  alternate_sides(451, 800);
  headless_hold(KEY_ESC, 780, 790);
  SwimMark = 40;
  run_swim(0);
  headless_stop();
}

// A screen run until a shot of it is taken, then left with fire and
// Escape together (an introduction has no quit).
static void screen_shot(unsigned seed, int tick, const std::string &name, void (*run)(void)) {
  Shots = {{tick, name}};
  if (!start(seed)) return;
  headless_hold(KEY_ESC, tick + 2, tick + 2);
  headless_hold(KEY_SPACE, tick + 2, tick + 2);
  run();
  headless_stop();
}

static void difficulty(void) {
  Settings.difficulty = AMATEUR;
  select_difficulty();
}

static int IntroEvent;
static void intro(void) { show_event_intro(IntroEvent); }

static void front_screens(void) {
  screen_shot(5, 40, "difficulty", difficulty);
  static const char *const NAMES[EVENT_COUNT] = {"sprint", "catapult", "swim", "throw"};
  for (IntroEvent = 0; IntroEvent < EVENT_COUNT; IntroEvent++)
    screen_shot(6, 120, std::string("intro-") + NAMES[IntroEvent], intro);
  screen_shot(7, 100, "game-over", game_over_screen);
  screen_shot(8, 100, "congratulations", congratulations_screen);
  screen_shot(9, 1500, "champion", champion_celebration);
}

// The options menu as a player sets it up, then the redefinition panel with
// its prompt showing.
static void options(void) {
  Shots = {{60, "options"}, {125, "options-keys"}};
  if (!start(5)) return;
  Settings.windowed = 1;
  Settings.cpu_usage = 4;
  Settings.musicvolume = 6;
  headless_hold(KEY_DOWN, 20, 20);
  headless_hold(KEY_DOWN, 30, 30);
  headless_hold(KEY_UP, 70, 70);
  headless_hold(KEY_UP, 80, 80);
  headless_hold(KEY_UP, 90, 90);
  headless_hold(KEY_UP, 100, 100);
  headless_hold(KEY_SPACE, 110, 110);
  headless_hold(KEY_ESC, 130, 130);
  options_menu(-1);
  headless_stop();
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: screenshots <output folder>\n");
    return 2;
  }
  OutDir = fs::absolute(argv[1]).string();
  fs::create_directories(OutDir);
  splash();
  title();
  sprint();
  false_start();
  catapult();
  tennis_throw();
  swim();
  front_screens();
  options();
  return 0;
}
