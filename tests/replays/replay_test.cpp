// Every *.replay here is played twice (the reports must match byte for
// byte) and compared with its committed *.expected report. QVL_RERECORD=1
// writes the expected reports afresh instead.
#include <allegro.h>
#include <gtest/gtest.h>

#include "replay.h"

#include <dirent.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

static const std::string REPLAY_DIR = QVL_SOURCE_DIR "/tests/replays";
static const std::string ACTUAL_DIR = QVL_BINARY_DIR "/replays";

static std::vector<std::string> replay_names(void) {
  std::vector<std::string> names;
  if (DIR *dir = opendir(REPLAY_DIR.c_str())) {
    while (dirent *e = readdir(dir)) {
      std::string file = e->d_name;
      if (file.size() > 7 && file.compare(file.size() - 7, 7, ".replay") == 0)
        names.push_back(file.substr(0, file.size() - 7));
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

static bool read_text(const std::string &path, std::string *text) {
  std::ifstream in(path);
  if (!in) return false;
  std::stringstream s;
  s << in.rdbuf();
  *text = s.str();
  return true;
}

static void write_text(const std::string &path, const std::string &text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << text;
}

static bool rerecording(void) {
  const char *flag = getenv("QVL_RERECORD");
  return flag && flag[0] == '1';
}

class ReplayTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ReplayTest, MatchesItsExpectedReport) {
  Replay replay;
  std::string error;
  ASSERT_TRUE(load_replay(REPLAY_DIR + "/" + GetParam() + ".replay", &replay, &error)) << error;
  std::string report = run_replay(replay);
  std::string again = run_replay(replay);
  std::string lineA, lineB;
  int line = first_difference(report, again, &lineA, &lineB);
  ASSERT_EQ(line, 0) << "two runs differ at line " << line << ":\n  first:  " << lineA
                     << "\n  second: " << lineB;

  std::string expectedPath = REPLAY_DIR + "/" + GetParam() + ".expected";
  std::string actualPath = ACTUAL_DIR + "/" + GetParam() + ".actual";
  if (rerecording()) {
    write_text(expectedPath, report);
    return;
  }
  write_text(actualPath, report);
  std::string expected;
  ASSERT_TRUE(read_text(expectedPath, &expected))
      << "no " << expectedPath << " (scripts/rerecord-replays.sh writes it)";
  line = first_difference(expected, report, &lineA, &lineB);
  EXPECT_EQ(line, 0) << "report differs from the expected one at line " << line
                     << ":\n  expected: " << lineA << "\n  actual:   " << lineB
                     << "\n  diff " << expectedPath << " " << actualPath;
}

INSTANTIATE_TEST_SUITE_P(Replays, ReplayTest, ::testing::ValuesIn(replay_names()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(ReplayFormat, ReadsTicksNamesAndPatterns) {
  Replay r;
  std::string error;
  ASSERT_TRUE(parse_replay("seed 9  # comment\nlet S 100\nhold LEFT S+1 S+3\n"
                           "alternate LEFT RIGHT S+10 S+14 2\nend S+500\nkeys fire=Z\n",
                           &r, &error))
      << error;
  EXPECT_EQ(r.seed, 9u);
  EXPECT_EQ(r.endTick, 600);
  EXPECT_EQ(r.fire, KEY_Z);
  ASSERT_EQ(r.holds.size(), 4u);
  EXPECT_EQ(r.holds[0].from, 101);
  EXPECT_EQ(r.holds[0].to, 103);
  EXPECT_EQ(r.holds[1].key, KEY_LEFT);
  EXPECT_EQ(r.holds[2].key, KEY_RIGHT);
  EXPECT_EQ(r.holds[2].from, 112);
  EXPECT_EQ(r.holds[3].to, 114) << "the last step is cut at the end";
  EXPECT_FALSE(parse_replay("hold LEFT X 3\n", &r, &error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
  EXPECT_FALSE(parse_replay("start nowhere\n", &r, &error));
}

TEST(ReplayFormat, FirstDifferenceNamesTheLine) {
  std::string a, b;
  EXPECT_EQ(first_difference("x\ny\n", "x\ny\n", &a, &b), 0);
  EXPECT_EQ(first_difference("x\ny\n", "x\nz\n", &a, &b), 2);
  EXPECT_EQ(a, "y");
  EXPECT_EQ(b, "z");
  EXPECT_EQ(first_difference("x\n", "x\ny\n", &a, &b), 2);
}
