// Signals that ask the game to stop (a logout, Ctrl+C, kill), raised at
// seeded random ticks in every screen and event: the screen ends on that
// tick as on the close button, and nothing is saved that Escape would not
// save (a run not yet over keeps no record, the options go back).
#include "events/events.h"
#include "frontend/frontend.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const int STOP_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
const int OTHER_SIGNALS[] = {SIGPIPE, SIGXFSZ, SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};

int SignalTick = 0, SignalNumber = 0, SignalledAt = 0;

void signal_on_tick(int tick) {
  if (tick != SignalTick) return;
  SignalledAt = tick;
  raise(SignalNumber);
}

std::string file_bytes(const char *name) {
  std::ifstream f(name, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void alternate(int from, int to) {
  for (int t = from; t <= to; t += 2) {
    headless_hold(KEY_LEFT, t, t);
    headless_hold(KEY_RIGHT, t + 1, t + 1);
  }
}

// A screen or event with the keys a player might press in it, and the
// ticks a signal is drawn between.
struct Screen {
  const char *name;
  void (*run)(void);
  void (*script)(void);
  int from, to;
};

const Screen SCREENS[] = {
    {"splash hold", [] { wait_splash(); }, nullptr, 1, 590},
    {"logo drop", [] { title_logo_drop(); }, nullptr, 1, 230},
    {"title menu", [] { title_menu(); }, [] { headless_hold(KEY_RIGHT, 40, 45); }, 1, 600},
    {"options, volume raised", [] { options_menu(-1); },
     [] {
       headless_hold(KEY_SPACE, 30, 31);
       headless_hold(KEY_SPACE, 60, 61);
     },
     62, 400},
    {"key redefinition, one key given", [] { options_menu(-1); },
     [] {
       headless_hold(KEY_UP, 20, 21);
       headless_hold(KEY_UP, 40, 41);
       headless_hold(KEY_SPACE, 60, 61);
       headless_hold(KEY_A, 90, 91);
     },
     92, 400},
    {"difficulty", [] { select_difficulty(); }, [] { headless_hold(KEY_DOWN, 100, 101); }, 1, 400},
    {"introduction", [] { show_event_intro(2); }, nullptr, 1, 410},
    {"sprint, a record run to its end", [] { run_sprint(0); }, [] { alternate(502, 1400); }, 1, 1700},
    {"false start bubble", [] { run_sprint(0); }, [] { headless_hold(KEY_LEFT, 100, 101); }, 102, 390},
    {"catapult", [] { run_catapult(0); },
     [] {
       for (int t = 200; t < 3000; t += 150) headless_hold(KEY_SPACE, t, t + 8);
     },
     1, 3000},
    {"swim", [] { run_swim(0); },
     [] {
       alternate(452, 2400);
       for (int t = 600; t < 2400; t += 45) headless_hold(KEY_SPACE, t, t);
     },
     1, 2400},
    {"throw", [] { run_throw(0); },
     [] {
       alternate(60, 400);
       headless_hold(KEY_SPACE, 330, 360);
     },
     1, 520},
    {"game over", [] { game_over_screen(); }, nullptr, 1, 330},
    {"congratulations", [] { congratulations_screen(); }, nullptr, 1, 400},
    {"champion celebration", [] { champion_celebration(); }, nullptr, 1, 3000},
    {"program error screen", [] { program_error_screen("Object array full"); }, nullptr, 1, 300},
};

class Signals : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < 4; i++) sigaction(STOP_SIGNALS[i], nullptr, &old_[i]);
    ASSERT_TRUE(headless_start());
    take_signals();
  }
  void TearDown() override {
    headless_on_tick(nullptr);
    headless_stop();
    // Ctrl+C ends the test program again.
    for (int i = 0; i < 4; i++) sigaction(STOP_SIGNALS[i], &old_[i], nullptr);
  }
  struct sigaction old_[4];
};

// Each screen ends on the signal's tick; files and memory are as they were.
TEST_F(Signals, EveryScreenEndsAsOnTheCloseButton) {
  unsigned seed = 17;
  int run = 0;
  for (const Screen &screen : SCREENS) {
    for (int draw = 0; draw < 3; draw++, run++) {
      SCOPED_TRACE(screen.name);
      ASSERT_TRUE(headless_start());
      Settings.cpu_usage = 3;
      save_settings();
      RecordTable = RecordData{40.0f, 10, 90.0f, 1.0f};
      save_records();
      const SettingsData settings = Settings;
      const RecordData records = RecordTable;
      const std::string cfg = file_bytes(CONFIG_FILE), rec = file_bytes(RECORDS_FILE);
      load_music_set(MUSIC_SET_SPORTS_DAY);
      if (screen.script) screen.script();
      SignalTick = screen.from + (int)(rand_r(&seed) % (unsigned)(screen.to - screen.from + 1));
      SignalNumber = STOP_SIGNALS[run % 4];
      SignalledAt = 0;
      headless_on_tick(signal_on_tick);
      screen.run();
      headless_on_tick(nullptr);
      EXPECT_EQ(SignalledAt, SignalTick) << "the screen ended before the signal";
      EXPECT_EQ(headless_tick(), SignalTick) << "signal " << SignalNumber;
      EXPECT_EQ(QuitFlag, 1);
      EXPECT_EQ(memcmp(&Settings, &settings, sizeof settings), 0);
      EXPECT_EQ(memcmp(&RecordTable, &records, sizeof records), 0);
      EXPECT_EQ(file_bytes(CONFIG_FILE), cfg);
      EXPECT_EQ(file_bytes(RECORDS_FILE), rec);
    }
  }
}

// Held through Allegro's start, a signal arrives once the game's handlers
// are in place; faults keep the handlers they had, a closed pipe and a file
// size limit become failed calls.
TEST_F(Signals, HeldSignalsArriveAfterTheHandlersAreTaken) {
  struct sigaction before[7], after;
  for (int i = 0; i < 7; i++) sigaction(OTHER_SIGNALS[i], nullptr, &before[i]);
  for (int sig : STOP_SIGNALS) {
    QuitFlag = 0;
    hold_stop_signals();
    raise(sig);
    EXPECT_EQ(QuitFlag, 0) << sig;
    take_signals();
    EXPECT_EQ(QuitFlag, 1) << sig;
  }
  for (int i = 0; i < 7; i++) {
    sigaction(OTHER_SIGNALS[i], nullptr, &after);
    void (*want)(int) = i < 2 ? SIG_IGN : before[i].sa_handler;
    EXPECT_EQ((void *)after.sa_handler, (void *)want) << OTHER_SIGNALS[i];
  }
}

}  // namespace
