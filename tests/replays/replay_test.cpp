// Every *.replay here is played twice (the reports must match byte for
// byte) and compared with its committed *.expected report. QVL_RERECORD=1
// writes the expected reports afresh instead.
#include <allegro.h>
#include <gtest/gtest.h>

#include "replay.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

static const std::string REPLAY_DIR = QVL_SOURCE_DIR "/tests/replays";
static const std::string ACTUAL_DIR = QVL_BINARY_DIR "/replays";

static std::vector<std::string> replay_names(void) {
  std::vector<std::string> names;
  for (const fs::directory_entry &e : fs::directory_iterator(REPLAY_DIR))
    if (e.path().extension() == ".replay") names.push_back(e.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

static void write_text(const std::string &path, const std::string &text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << text;
}

// The first line where two texts differ (1-based), or 0 when equal.
static int first_difference(const std::string &a, const std::string &b, std::string *lineA, std::string *lineB) {
  std::istringstream inA(a), inB(b);
  for (int n = 1;; n++) {
    bool moreA = bool(std::getline(inA, *lineA)), moreB = bool(std::getline(inB, *lineB));
    if (!moreA) lineA->clear();
    if (!moreB) lineB->clear();
    if (!moreA && !moreB) return 0;
    if (!moreA || !moreB || *lineA != *lineB) return n;
  }
}

// The frame windows of a report in order, each with its run.
static std::vector<std::pair<int, std::string>> frame_windows(const std::string &report) {
  std::vector<std::pair<int, std::string>> windows;
  std::istringstream in(report);
  std::string line;
  int run = 0;
  while (std::getline(in, line)) {
    run += line.compare(0, 7, "replay ") == 0;
    if (line.find(" frames ") != std::string::npos && line[0] == 't') windows.emplace_back(run, line);
  }
  return windows;
}

// Names the first frame window that differs and plays the replay again to
// save that window's frames as PNG; empty when every window matches.
static std::string first_window_differing(const Replay &replay, const std::string &expected,
                                          const std::string &actual) {
  auto was = frame_windows(expected), now = frame_windows(actual);
  size_t i = 0;
  while (i < was.size() && i < now.size() && was[i] == now[i]) i++;
  if (i == was.size() && i == now.size()) return "";
  const auto &at = i < now.size() ? now[i] : was[i];
  ReplayCapture capture;
  capture.run = at.first;
  capture.window = atoi(at.second.c_str() + at.second.find(" frames ") + 8);
  run_replay(replay, capture);
  std::string run = replay.closes.size() > 1 ? "-run" + std::to_string(at.first) : "";
  return "\n  first frame window that differs:\n    expected: " + (i < was.size() ? was[i].second : "(none)") +
         "\n    actual:   " + (i < now.size() ? now[i].second : "(none)") + "\n  its frames, as shown now: " +
         QVL_BINARY_DIR "/replays/frames/" + replay.name + run + "-t<tick>.png";
}

class ReplayTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ReplayTest, MatchesItsExpectedReport) {
  Replay replay;
  std::string error, lineA, lineB, expected;
  ASSERT_TRUE(load_replay(REPLAY_DIR + "/" + GetParam() + ".replay", &replay, &error)) << error;
  std::string report = run_replay(replay);
  int line = first_difference(report, run_replay(replay), &lineA, &lineB);
  ASSERT_EQ(line, 0) << "two runs differ at line " << line << ":\n  first:  " << lineA
                     << "\n  second: " << lineB;

  std::string expectedPath = REPLAY_DIR + "/" + GetParam() + ".expected";
  std::string actualPath = ACTUAL_DIR + "/" + GetParam() + ".actual";
  const char *rerecord = getenv("QVL_RERECORD");
  write_text(rerecord && rerecord[0] == '1' ? expectedPath : actualPath, report);
  if (rerecord && rerecord[0] == '1') return;
  ASSERT_TRUE(read_text(expectedPath, &expected))
      << "no " << expectedPath << " (scripts/rerecord-replays.sh writes it)";
  line = first_difference(expected, report, &lineA, &lineB);
  if (line == 0) return;
  ADD_FAILURE() << "report differs from the expected one at line " << line << ":\n  expected: " << lineA
                << "\n  actual:   " << lineB << first_window_differing(replay, expected, report)
                << "\n  diff " << expectedPath << " " << actualPath;
}

INSTANTIATE_TEST_SUITE_P(Replays, ReplayTest, ::testing::ValuesIn(replay_names()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(ReplayFormat, ReadsTicksNamesAnchorsAndPatterns) {
  Replay r;
  std::string error;
  ASSERT_TRUE(parse_replay("seed 9  # comment\nlet S 100\nhold LEFT S+1 S+3\n"
                           "alternate LEFT RIGHT S+10 S+14 2\nend S+500\nkeys fire=Z\n"
                           "let C @catapult+5\nhold SPACE C C+7\nhold ESC @throw:2-1 @throw:2+1\n",
                           &r, &error))
      << error;
  EXPECT_EQ(r.seed, 9u);
  EXPECT_EQ(r.endTick, 600);
  EXPECT_EQ(r.fire, KEY_Z);
  ASSERT_EQ(r.holds.size(), 6u);
  EXPECT_EQ(r.holds[0].from.offset, 101);
  EXPECT_EQ(r.holds[0].length, 2);
  EXPECT_EQ(r.holds[1].key, KEY_LEFT);
  EXPECT_EQ(r.holds[2].key, KEY_RIGHT);
  EXPECT_EQ(r.holds[2].from.offset, 112);
  EXPECT_EQ(r.holds[3].length, 0) << "the last step is cut at the end";
  EXPECT_EQ(r.holds[4].from.anchor, "catapult");
  EXPECT_EQ(r.holds[4].from.run, 0);
  EXPECT_EQ(r.holds[4].from.offset, 5);
  EXPECT_EQ(r.holds[4].length, 7);
  EXPECT_EQ(r.holds[5].from.run, 2);
  EXPECT_EQ(r.holds[5].from.offset, -1);
  EXPECT_FALSE(parse_replay("hold LEFT X 3\n", &r, &error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(parse_replay("start nowhere\n", &r, &error));
  EXPECT_FALSE(parse_replay("hold LEFT @swim+1 40\n", &r, &error)) << "both ends from one place";
  EXPECT_FALSE(parse_replay("end @swim+1\n", &r, &error));

  Replay e;
  ASSERT_TRUE(parse_replay("start throw\narg 2\nlet T 40\nframe gauge T+5\n", &e, &error)) << error;
  EXPECT_EQ(e.start, "throw");
  EXPECT_EQ(e.arg, 2);
  ASSERT_EQ(e.frames.size(), 1u);
  EXPECT_EQ(e.frames[0].name, "gauge");
  EXPECT_EQ(e.frames[0].tick.offset, 45);
  EXPECT_FALSE(parse_replay("frame gauge 1\nframe gauge 2\n", &e, &error)) << "a frame name is used once";
  ASSERT_TRUE(parse_replay("skip sprint swim\n", &e, &error)) << error;
  EXPECT_TRUE(e.skip[0] && !e.skip[1] && e.skip[2] && !e.skip[3]);
  EXPECT_FALSE(parse_replay("skip hurdles\n", &e, &error));

  Replay o;
  ASSERT_TRUE(parse_replay("owe 3 every\nowe 5 @throw+300\nowe 2 every @swim:2\nclose 40 @end+499\n", &o, &error))
      << error;
  ASSERT_EQ(o.owes.size(), 3u);
  EXPECT_TRUE(o.owes[0].every && o.owes[0].n == 3 && o.owes[0].tick.offset == 0 && o.owes[0].tick.anchor.empty());
  EXPECT_TRUE(!o.owes[1].every && o.owes[1].n == 5 && o.owes[1].tick.anchor == "throw" && o.owes[1].tick.offset == 300);
  EXPECT_TRUE(o.owes[2].every && o.owes[2].tick.run == 2);
  ASSERT_EQ(o.closes.size(), 2u);
  EXPECT_EQ(o.closes[0].offset, 40);
  EXPECT_EQ(o.closes[1].anchor, "end");
  EXPECT_FALSE(parse_replay("owe 0 every\n", &o, &error));
  EXPECT_FALSE(parse_replay("owe 2\n", &o, &error));
  EXPECT_FALSE(parse_replay("close\n", &o, &error));
}

TEST(ReplayFormat, FirstDifferenceNamesTheLine) {
  std::string a, b;
  EXPECT_EQ(first_difference("x\ny\n", "x\ny\n", &a, &b), 0);
  EXPECT_EQ(first_difference("x\ny\n", "x\nz\n", &a, &b), 2);
  EXPECT_EQ(a, "y");
  EXPECT_EQ(b, "z");
  EXPECT_EQ(first_difference("x\n", "x\ny\n", &a, &b), 2);
}
