// Settings and records against real files in a scratch folder.
#include "headless/headless.h"
#include "persist/persist.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string read_text(const char *path) {
  std::ifstream f(path);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<unsigned char> read_bytes(const char *path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void write_text(const char *path, const char *text) {
  std::ofstream f(path);
  f << text;
}

// The thirteen fields in file order, then the zoom.
void expect_settings(const SettingsData &want) {
  const int *got = &Settings.online_scores, *w = &want.online_scores;
  for (int i = 0; i < 14; i++) EXPECT_EQ(got[i], w[i]) << "field " << i;
}

class Persist : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start_bare());
  }
  void TearDown() override { headless_stop(); }
};

const std::vector<unsigned char> NO_RECORDS = {0x00, 0x00, 0x80, 0xBF, 0xFF, 0xFF, 0xFF, 0xFF,
                                               0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x80, 0xBF};

TEST_F(Persist, EmptyFileGivesDefaultsAndFirstSaveWritesAllThirteenKeys) {
  write_text(CONFIG_FILE, "");
  Settings = SettingsData{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  ASSERT_EQ(load_settings(), 1);
  // Full screen, no refresh request, no rest, NOVICE, loud, arrows, Space,
  // Escape, today's window size.
  expect_settings({1, 0, 0, 0, 0, 8, 8, 84, 85, 82, 83, 75, 59, 2});

  save_settings();
  std::string text = read_text(CONFIG_FILE);
  const char *lines[] = {"[general]", "online_scores = 1", "cpu_usage = 0", "difficulty = 0", "[graphics]",
                         "windowed = 0", "forcerate = 0", "[sound]", "soundvolume = 8", "musicvolume = 8",
                         "[controls]", "up = 84", "down = 85", "left = 82", "right = 83", "fire = 75", "quit = 59"};
  for (const char *l : lines) EXPECT_NE(text.find(l), std::string::npos) << l << " missing from:\n" << text;
  EXPECT_EQ(text.find("zoom"), std::string::npos) << "the zoom is never written";
}

TEST_F(Persist, SaveKeepsOtherLinesAndReadsBackWhatItWrote) {
  write_text(CONFIG_FILE,
             "[general]\nplayer = Pelk\ndifficulty = 1\n[graphics]\nzoom = 3\n[extra]\nshoe_size = 3\n");
  ASSERT_EQ(load_settings(), 1);
  EXPECT_EQ(Settings.difficulty, 1);
  EXPECT_EQ(Settings.zoom, 3);
  Settings.difficulty = 2;
  Settings.left = KEY_A;
  Settings.zoom = 4;  // never saved: the player's line stands
  save_settings();
  std::string text = read_text(CONFIG_FILE);
  EXPECT_NE(text.find("player = Pelk"), std::string::npos);
  EXPECT_NE(text.find("shoe_size = 3"), std::string::npos);
  EXPECT_NE(text.find("zoom = 3"), std::string::npos);

  Settings = SettingsData();
  ASSERT_EQ(load_settings(), 1);
  EXPECT_EQ(Settings.difficulty, 2);
  EXPECT_EQ(Settings.left, KEY_A);
  EXPECT_EQ(Settings.zoom, 3);
}

TEST_F(Persist, HandEditedValuesAreClampedOnReading) {
  write_text(CONFIG_FILE,
             "[general]\ncpu_usage = 9\ndifficulty = 7\n[sound]\nsoundvolume = 12\nmusicvolume = -3\n"
             "[controls]\nleft = 500\n");
  ASSERT_EQ(load_settings(), 1);
  EXPECT_EQ(Settings.soundvolume, 8);
  EXPECT_EQ(Settings.musicvolume, 0);
  EXPECT_EQ(Settings.difficulty, 2);
  // Kept as read: an unknown pacing value leaves the sleep alone. A binding
  // nothing could press falls back to its default key.
  EXPECT_EQ(Settings.cpu_usage, 9);
  EXPECT_EQ(Settings.left, KEY_LEFT);
}

TEST_F(Persist, MissingFileLeavesSettingsUntouched) {
  remove(CONFIG_FILE);
  Settings.difficulty = 2;
  Settings.windowed = 1;
  EXPECT_EQ(load_settings(), 0);
  EXPECT_EQ(Settings.difficulty, 2);
  EXPECT_EQ(Settings.windowed, 1);
  EXPECT_FALSE(exists(CONFIG_FILE));
}

TEST_F(Persist, BackupAndRestoreCopyEveryField) {
  Settings = SettingsData{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  backup_settings();
  Settings = SettingsData{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  restore_settings();
  expect_settings({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
}

// A fresh game creates the file with no record; a file deleted while the
// game runs gets back the bests the game holds.
TEST_F(Persist, MissingRecordsFileIsCreatedFromWhatTheGameHolds) {
  remove(RECORDS_FILE);
  load_records();
  EXPECT_EQ(read_bytes(RECORDS_FILE), NO_RECORDS);
  EXPECT_EQ(RecordTable.best_sprint_time, -1.0f);
  EXPECT_EQ(RecordTable.best_catapult_points, -1);
  EXPECT_EQ(RecordTable.best_swim_time, -1.0f);
  EXPECT_EQ(RecordTable.best_throw_distance, -1.0f);
  RecordTable = RecordData{12.5f, 350, 30.25f, 24.75f};
  remove(RECORDS_FILE);
  load_records();
  EXPECT_EQ(read_bytes(RECORDS_FILE)[4], 350 & 255);
  EXPECT_EQ(RecordTable.best_sprint_time, 12.5f);
}

TEST_F(Persist, RecordsRoundTripLittleEndian) {
  RecordTable = RecordData{12.5f, 350, 30.25f, 24.75f};
  save_records();
  std::vector<unsigned char> b = read_bytes(RECORDS_FILE);
  ASSERT_EQ(b.size(), 16u);
  EXPECT_EQ(b[4], 350 & 255);
  EXPECT_EQ(b[5], 350 >> 8);
  EXPECT_EQ(b[3], 0x41);  // 12.5f is 0x41480000
  EXPECT_EQ(b[2], 0x48);
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  load_records();
  EXPECT_EQ(RecordTable.best_sprint_time, 12.5f);
  EXPECT_EQ(RecordTable.best_catapult_points, 350);
  EXPECT_EQ(RecordTable.best_swim_time, 30.25f);
  EXPECT_EQ(RecordTable.best_throw_distance, 24.75f);
}

TEST_F(Persist, ReadOnlyRecordsFileIsNeitherReplacedNorLost) {
  RecordTable = RecordData{12.5f, 350, 30.25f, 24.75f};
  save_records();
  std::vector<unsigned char> before = read_bytes(RECORDS_FILE);
  ASSERT_EQ(chmod(RECORDS_FILE, 0444), 0);
  if (access(RECORDS_FILE, W_OK) == 0) GTEST_SKIP() << "running as a user who may write read-only files";
  RecordTable = RecordData{9.0f, 9, 9.0f, 9.0f};
  save_records();
  EXPECT_EQ(read_bytes(RECORDS_FILE), before);
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  load_records();
  EXPECT_EQ(RecordTable.best_catapult_points, 350);
}

TEST_F(Persist, RecordsInAVanishedFolderLoseNothingInMemory) {
  std::string dir = headless_work_dir() + "/gone";
  ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  ASSERT_EQ(rmdir(dir.c_str()), 0);
  RecordTable = RecordData{12.5f, 350, 30.25f, 24.75f};
  save_records();
  EXPECT_FALSE(exists(RECORDS_FILE));
  EXPECT_EQ(RecordTable.best_catapult_points, 350);
  ASSERT_EQ(chdir(headless_work_dir().c_str()), 0);
}

}  // namespace
