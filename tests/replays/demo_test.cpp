// Demos through the game's own recorder and player: a whole day's replay
// recorded as the game records a player, played back headless at both
// paces, and read by the replay runner as it is; playing leaves the
// player's files alone.
#include <gtest/gtest.h>

#include "replay.h"

#include "game/demo.h"
#include "game/game.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string REPLAYS = QVL_SOURCE_DIR "/tests/replays/";

std::string text_of(const std::string &path) {
  std::string text;
  read_text(path, &text);
  return text;
}

// The report's line that starts with the word.
std::string report_line(const std::string &report, const std::string &start) {
  std::istringstream in(report);
  std::string line;
  while (std::getline(in, line))
    if (line.compare(0, start.size(), start) == 0) return line;
  return "";
}

class DemoTest : public ::testing::Test {
protected:
  void SetUp() override {
    char templ[] = "/tmp/qvl-demo-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir_ = templ;
  }
  void TearDown() override { fs::remove_all(dir_); }
  // The day recorded while the replay runs; its report unchanged by it.
  std::string record(const char *name) {
    Replay replay;
    std::string error;
    EXPECT_TRUE(load_replay(REPLAYS + name + ".replay", &replay, &error)) << error;
    replay.name = name;
    ReplayCapture capture;
    capture.demoFile = dir_ + "/" + name + ".demo";
    report_ = run_replay(replay, capture);
    EXPECT_EQ(report_, text_of(REPLAYS + name + ".expected")) << "recording a demo changed the run";
    return capture.demoFile;
  }
  // The game's player in a folder of its own holding these files; what it
  // printed, and its exit status.
  std::string play(const std::string &demo, int mode, int *status) {
    HeadlessOptions options;
    options.workDir = dir_ + "/player";
    options.seed = 777;
    EXPECT_TRUE(headless_start(options));
    CommandLine line = {mode, demo.c_str()};
    testing::internal::CaptureStdout();
    *status = demo_prepare(&line) ? 0 : -1;
    if (*status == 0) {
      demo_begin();
      run_title_loop();
      *status = demo_finish();
    }
    std::string out = testing::internal::GetCapturedStdout();
    headless_stop();
    return out;
  }
  std::string dir_, report_;
};

TEST_F(DemoTest, ChampionDayPlaysBackToItsRecordsAndFramesAndLeavesTheFiles) {
  std::string demo = record("day-champion");
  std::string records = report_line(report_, "records sprint");
  ASSERT_NE(records, "");
  // A player's own files, with a better sprint than the demo's: playing
  // starts from the demo's records and writes neither file.
  fs::create_directories(dir_ + "/player");
  std::ofstream(dir_ + "/player/qvlgam.cfg") << "[general]\ndifficulty=0\n[controls]\nfire=3\n";
  const unsigned char better[16] = {0, 0, 0x20, 0x41, 0xff, 0xff, 0xff, 0xff, 0, 0, 0x80, 0xbf, 0, 0, 0x80, 0xbf};
  std::ofstream(dir_ + "/player/qvlgam.rec", std::ios::binary).write((const char *)better, 16);
  std::string cfg = text_of(dir_ + "/player/qvlgam.cfg"), rec = text_of(dir_ + "/player/qvlgam.rec");
  for (int mode : {DEMO_TIME, DEMO_PLAY}) {
    int status = -1;
    std::string out = play(demo, mode, &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\nframes as recorded\nverified\n"), std::string::npos) << out;
    EXPECT_EQ(text_of(dir_ + "/player/qvlgam.cfg"), cfg);
    EXPECT_EQ(text_of(dir_ + "/player/qvlgam.rec"), rec);
  }
  // The replay runner plays the demo file as it is, to the same records.
  Replay asDemo;
  std::string error;
  ASSERT_TRUE(load_replay(demo, &asDemo, &error)) << error;
  std::string report = run_replay(asDemo);
  EXPECT_EQ(report_line(report, "records sprint"), records);
  EXPECT_NE(report.find("the demo's claim reached"), std::string::npos);
}

// A demo whose claim was edited, or whose input was cut, does not verify;
// one cut short of its last line is not played at all.
TEST_F(DemoTest, AnEditedOrCutDemoIsNotVerified) {
  std::string demo = record("day-novice");
  std::string text = text_of(demo);
  size_t claim = text.rfind("claim ");
  ASSERT_NE(claim, std::string::npos);
  std::ofstream(dir_ + "/edited.demo") << text.substr(0, claim) << "claim 9.5 750 20 80\n";
  // The input stops at tick 900: holds reaching past it are dropped.
  std::istringstream in(text.substr(0, claim));
  std::ofstream early(dir_ + "/early.demo");
  std::string line, word;
  for (int a, b, c; std::getline(in, line);) {
    std::istringstream l(line);
    l >> word >> a >> b >> c;
    bool past = (word == "hold" && c >= 900) || (word == "owe" && a + b > 900);
    if (word == "end") line = "end 900";
    if (!past) early << line << "\n";
  }
  early << text.substr(claim);
  early.close();
  std::ofstream(dir_ + "/cut.demo") << text.substr(0, claim + 8);
  int status = 0;
  std::string out = play(dir_ + "/edited.demo", DEMO_TIME, &status);
  EXPECT_EQ(status, EXIT_NOT_VERIFIED) << out;
  EXPECT_NE(out.find("claimed sprint 9.50 catapult 750"), std::string::npos) << out;
  EXPECT_NE(out.find("\ndoes not match\n"), std::string::npos) << out;
  out = play(dir_ + "/early.demo", DEMO_TIME, &status);
  EXPECT_EQ(status, EXIT_NOT_VERIFIED) << out;
  EXPECT_NE(out.find("ticks 899\n"), std::string::npos) << out;
  play(dir_ + "/cut.demo", DEMO_TIME, &status);
  EXPECT_EQ(status, -1);
}

}  // namespace
