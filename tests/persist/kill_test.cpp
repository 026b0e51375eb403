// A writer saving over and over is killed at random moments, a thousand
// times for each file: afterwards the file is always one whole state, never
// an empty, cut or mixed one, and never older than one seen before.
#include "headless/headless.h"
#include "persist/persist.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int KILLS = 1000;

// Values the writer saves in state k, and the state a file holds (-1 when
// its values belong to no single state).
struct StateFile {
  std::function<void(int k)> set;
  std::function<void()> save;
  std::function<int()> load;
};

// Each state beats the one before in every field, since a save keeps the
// better of memory and the file.
RecordData records_of(int k) { return RecordData{1000.5f - k, k, 1000.25f - k, k + 0.75f}; }

int records_state(void) {
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  load_records();
  int k = RecordTable.best_catapult_points;
  RecordData want = records_of(k);
  return k >= 0 && memcmp(&RecordTable, &want, sizeof want) == 0 ? k : -1;
}

int settings_state(void) {
  std::ifstream f(CONFIG_FILE);
  std::stringstream text;
  text << f.rdbuf();
  if (text.str().find("player = Pelk") == std::string::npos || !load_settings()) return -1;
  int k = Settings.online_scores;
  const SettingsData &s = Settings;
  bool whole = s.cpu_usage == k && s.windowed == k && s.forcerate == k && s.difficulty == k % 3 &&
               s.soundvolume == k % 9 && s.musicvolume == k % 9 && s.fire == 1 + k % 100;
  return whole ? k : -1;
}

const StateFile FILES[] = {
    {[](int k) { RecordTable = records_of(k); }, [] { save_records(); }, records_state},
    {[](int k) {
       Settings.online_scores = Settings.cpu_usage = Settings.windowed = Settings.forcerate = k;
       Settings.difficulty = k % 3;
       Settings.soundvolume = Settings.musicvolume = k % 9;
       Settings.fire = 1 + k % 100;
     },
     [] { save_settings(); }, settings_state},
};

// The writer counts on from the state it finds, so states only grow.
pid_t start_writer(const StateFile &file, int from) {
  pid_t pid = fork();
  if (pid == 0) {
    for (int k = from + 1; k < 700; k = k + 1 == 700 ? from + 1 : k + 1) {
      file.set(k);
      file.save();
    }
    _exit(0);
  }
  return pid;
}

// Microseconds one save takes here, so the kills spread over a few saves
// however fast the machine (or slow the sanitizers) make them.
unsigned save_micros(const StateFile &file) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; i++) file.save();
  auto spent = std::chrono::steady_clock::now() - start;
  return (unsigned)(std::chrono::duration_cast<std::chrono::microseconds>(spent).count() / 5) + 1;
}

TEST(KillTest, EveryKillLeavesAWholeState) {
  for (const StateFile &file : FILES) {
    ASSERT_TRUE(headless_start_bare());
    std::ofstream(CONFIG_FILE) << "[general]\nplayer = Pelk\n";
    ASSERT_EQ(load_settings(), 1);
    file.set(0);
    file.save();
    unsigned seed = 14, span = 3 * save_micros(file) + 500;
    int last = 0, moved = 0;
    for (int i = 0; i < KILLS; i++) {
      pid_t pid = start_writer(file, last);
      ASSERT_GT(pid, 0);
      usleep(rand_r(&seed) % span);
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      int now = file.load();
      ASSERT_GE(now, 0) << "kill " << i << " left a broken file";
      // Wrapping round (past 699) is the only way back.
      ASSERT_TRUE(now >= last || now < 10) << "kill " << i << ": " << now << " after " << last;
      moved += now != last;
      last = now;
    }
    // The writer really got to save between kills (how often depends on the
    // machine's load, so only that it did).
    EXPECT_GT(moved, 0);
    headless_stop();
  }
}

}  // namespace
