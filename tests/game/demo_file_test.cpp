// The demo reader over whole files and damaged ones: each damage gets its
// one-line reason, never a demo half read.
#include <gtest/gtest.h>

#include "game/demo.h"

#include <string>

namespace {

const std::string GOOD =
    "demo 1\n# a short run\nseed 43\ndifficulty 2\nkeys up=84 down=85 left=82 right=83 fire=75 quit=59\n"
    "records 6.5 -1 -1 30.25\nstart title\nhold 75 30 30\nowe 3 40\nhold 82 41 44\nhold 1004 50 52\n"
    "end 100\nframes 98 00ff00ff00ff00ff\nclaim 6.25 700 -1 30.25\n";

std::string refusal(const std::string &text) {
  Demo d;
  char error[160] = "";
  if (demo_parse(text.data(), (long)text.size(), &d, error, sizeof error)) {
    demo_free(&d);
    return "read";
  }
  EXPECT_EQ(d.holds, nullptr);
  return error;
}

std::string replaced(std::string text, const std::string &from, const std::string &to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(DemoFile, AWholeDemoReadsAsWritten) {
  Demo d;
  char error[160];
  ASSERT_TRUE(demo_parse(GOOD.data(), (long)GOOD.size(), &d, error, sizeof error)) << error;
  EXPECT_EQ(d.seed, 43u);
  EXPECT_EQ(d.difficulty, 2);
  EXPECT_EQ(d.bindings[BIND_LEFT], 82);
  EXPECT_EQ(d.bindings[BIND_QUIT], 59);
  EXPECT_EQ(d.start.best_sprint_time, 6.5f);
  EXPECT_EQ(d.claim.best_catapult_points, 700);
  ASSERT_EQ(d.holdCount, 3);
  EXPECT_EQ(d.holds[2].code, 1004);
  EXPECT_EQ(d.holds[1].from, 41);
  EXPECT_EQ(d.holds[1].to, 44);
  ASSERT_EQ(d.oweCount, 1);
  EXPECT_EQ(d.owes[0].tick, 40);
  EXPECT_EQ(d.owes[0].n, 3);
  EXPECT_EQ(d.end, 100);
  EXPECT_EQ(d.frames, 98);
  EXPECT_EQ(d.frameHash, 0x00ff00ff00ff00ffULL);
  demo_free(&d);
  char line[80];
  demo_records_text("claim", d.claim, line, sizeof line);
  EXPECT_STREQ(line, "claim 6.25 700 -1 30.25\n");
}

TEST(DemoFile, DamagedDemosAreRefusedWithTheirReason) {
  EXPECT_EQ(refusal(""), "not a demo (it is empty)");
  EXPECT_EQ(refusal("\x89PNG\r\n"), "not a demo (its first line is not \"demo 1\")");
  EXPECT_EQ(refusal(std::string("demo 1\nseed 4\0\n", 15)), "not a demo (binary data)");
  EXPECT_EQ(refusal(replaced(GOOD, "demo 1", "demo 2")), "a demo of version 2; this game plays version 1");
  const std::string cut = "cut short or incomplete (the last line states the records it reached)";
  EXPECT_EQ(refusal(GOOD.substr(0, GOOD.find("claim"))), cut);
  EXPECT_EQ(refusal(replaced(GOOD, "start title\n", "")), cut);
  EXPECT_EQ(refusal(GOOD.substr(0, GOOD.size() - 4)), cut);  // cut inside the claim
  EXPECT_EQ(refusal(GOOD.substr(0, GOOD.size() - 1)), cut);
  EXPECT_EQ(refusal(GOOD + "hold 75 60 61\n"), "line 15 cannot be read");      // input after the claim
  EXPECT_EQ(refusal(replaced(GOOD, "hold 82 41 44", "hold 82 41 100")), "input past the demo's end");
  EXPECT_EQ(refusal(replaced(GOOD, "owe 3 40", "owe 3 98")), "input past the demo's end");
  EXPECT_EQ(refusal(replaced(GOOD, "hold 82 41 44", "owe 2 41")), "line 10 cannot be read");  // batches overlap
  EXPECT_EQ(refusal(replaced(GOOD, "hold 82 41 44", "hold 82 44 41")), "line 10 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "hold 75", "hold 127")), "line 8 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "fire=75", "fire=999")), "line 5 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "difficulty 2", "difficulty 3")), "line 4 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "seed 43", "seed 43\nseed 44")), "line 4 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "records 6.5", "records nan")), "line 6 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "start title", "start swim")), "line 7 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "end 100", "end 100x")), "line 12 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "# a short run", std::string(300, 'x'))), "line 2 cannot be read");
  EXPECT_EQ(refusal(replaced(GOOD, "\n# a short run", "\r\n#" + std::string(300, 'x'))), "read");
}

}  // namespace
