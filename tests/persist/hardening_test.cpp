// Damaged and hostile files, folders and links around the settings and the
// records: each gets a safe answer, and saving never fails where a plain
// write would have worked.
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::string read_text(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void write_text(const std::string &path, const std::string &text) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << text;
}

std::string record_bytes(const RecordData &r) {
  unsigned char b[16];
  encode_records(r, b);
  return std::string((const char *)b, 16);
}

// Runs a step in a child process, as an ordinary user when the tests run as
// root (who may write anywhere), so permissions mean what they say.
int run_unprivileged(const std::function<int()> &step, rlim_t fileSizeLimit = RLIM_INFINITY) {
  pid_t pid = fork();
  if (pid == 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {fileSizeLimit, fileSizeLimit};
    if (fileSizeLimit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &limit);
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    _exit(step());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Hardening : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(headless_start_bare());
    dir_ = headless_work_dir();
    chmod(dir_.c_str(), 0777);
  }
  void TearDown() override {
    chmod(dir_.c_str(), 0777);
    headless_stop();
  }
  std::string dir_;
};

const RecordData OLD_RECORDS = {12.5f, 350, 30.25f, 24.75f};
const RecordData NEW_RECORDS = {11.0f, 400, 29.0f, 30.0f};

// Each way a file can stand in the way; after a save of new values the
// file that the player sees must hold them (or, where nothing may be
// written, the old contents), and the game keeps its values in memory.
struct SaveCase {
  const char *what;
  std::function<void(const std::string &file)> setup;
  // Where the saved contents must be read from; empty: nowhere.
  const char *landsIn;
  bool unprivileged;
};

void make_link(const std::string &file) {
  ASSERT_EQ(mkdir("real", 0777), 0);
  rename(file.c_str(), ("real/" + file).c_str());
  ASSERT_EQ(symlink(("real/" + file).c_str(), file.c_str()), 0);
}

const SaveCase SAVE_CASES[] = {
    {"plain file", [](const std::string &) {}, "", false},
    {"link to a file elsewhere", make_link, "real/", false},
    {"leftover .tmp folder", [](const std::string &f) { mkdir((f + ".tmp").c_str(), 0777); }, "", false},
    {"leftover read-only .tmp file",
     [](const std::string &f) {
       write_text(f + ".tmp", "junk");
       chmod((f + ".tmp").c_str(), 0444);
       chmod(f.c_str(), 0666);
     },
     "", true},
    {"leftover .tmp link",
     [](const std::string &f) { ASSERT_EQ(symlink("elsewhere", (f + ".tmp").c_str()), 0); }, "", false},
    {"writable file in a folder the player cannot write",
     [](const std::string &f) {
       chmod(f.c_str(), 0666);
       chmod(".", 0555);
     },
     "", true},
};

// Records and settings are saved the same way; each case runs for both.
struct Kind {
  const char *file;
  std::function<void()> prepare;
  std::function<void()> save;
  std::function<bool(const std::string &)> holdsNew;
};

const Kind KINDS[] = {
    {RECORDS_FILE,
     [] {
       RecordTable = OLD_RECORDS;
       save_records();
       RecordTable = NEW_RECORDS;
     },
     [] { save_records(); }, [](const std::string &text) { return text == record_bytes(NEW_RECORDS); }},
    {CONFIG_FILE,
     [] {
       write_text(CONFIG_FILE, "[general]\nplayer = Pelk\ndifficulty = 1\n");
       ASSERT_EQ(load_settings(), 1);
       Settings.difficulty = 2;
     },
     [] { save_settings(); },
     [](const std::string &text) {
       return text.find("difficulty = 2") != std::string::npos && text.find("player = Pelk") != std::string::npos;
     }},
};

TEST_F(Hardening, SavesLandWhereverAPlainWriteWould) {
  for (const Kind &kind : KINDS) {
    for (const SaveCase &c : SAVE_CASES) {
      SCOPED_TRACE(std::string(kind.file) + ": " + c.what);
      ASSERT_EQ(system(("rm -rf " + dir_ + "/*").c_str()), 0);
      kind.prepare();
      c.setup(kind.file);
      int rc = c.unprivileged ? run_unprivileged([&] {
        kind.save();
        return 0;
      })
                              : (kind.save(), 0);
      ASSERT_EQ(rc, 0);
      chmod(".", 0777);
      std::string landed = read_text(std::string(c.landsIn) + kind.file);
      EXPECT_TRUE(kind.holdsNew(landed)) << landed;
      struct stat st;
      // A leftover file was cleared away; only a folder can stay.
      std::string temp = std::string(c.landsIn) + kind.file + ".tmp";
      EXPECT_TRUE(lstat(temp.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) << "leftover temporary file";
      if (*c.landsIn) {
        EXPECT_TRUE(lstat(kind.file, &st) == 0 && S_ISLNK(st.st_mode)) << "the link was replaced";
      }
    }
  }
}

// A write that fails half way (here the file size limit, as a full disk
// would) leaves the old file whole.
TEST_F(Hardening, FailedWriteLeavesTheOldFileWhole) {
  for (const Kind &kind : KINDS) {
    SCOPED_TRACE(kind.file);
    kind.prepare();
    kind.save();
    // The old contents, then new values that will not fit.
    std::string before = read_text(kind.file);
    RecordTable = OLD_RECORDS;
    Settings.difficulty = 0;
    std::string pad(400, 'x');
    write_text(kind.file, before);
    if (std::string(kind.file) == CONFIG_FILE) write_text(kind.file, before + "[pad]\nx = " + pad + "\n");
    before = read_text(kind.file);
    ASSERT_EQ(run_unprivileged(
                  [&] {
                    RecordTable = NEW_RECORDS;
                    Settings.difficulty = 2;
                    kind.save();
                    return 0;
                  },
                  8),
              0);
    EXPECT_EQ(read_text(kind.file), before);
  }
}

TEST_F(Hardening, FoldersInPlaceOfTheFilesAreAnsweredSafely) {
  remove(CONFIG_FILE);
  ASSERT_EQ(mkdir(CONFIG_FILE, 0777), 0);
  EXPECT_EQ(load_settings(), 0);  // start-up error 12, as for a missing file
  save_settings();
  ASSERT_EQ(mkdir(RECORDS_FILE, 0777), 0);
  RecordTable = OLD_RECORDS;
  load_records();
  EXPECT_EQ(RecordTable.best_catapult_points, -1);
  save_records();
  struct stat st;
  EXPECT_TRUE(stat(RECORDS_FILE, &st) == 0 && S_ISDIR(st.st_mode));
  EXPECT_TRUE(stat(CONFIG_FILE, &st) == 0 && S_ISDIR(st.st_mode));
}

TEST_F(Hardening, ReadOnlyRunFolderStillPlays) {
  write_text(CONFIG_FILE, "[general]\ndifficulty = 1\n");
  chmod(".", 0555);
  int rc = run_unprivileged([] {
    if (!load_settings() || Settings.difficulty != 1) return 1;
    Settings.difficulty = 2;
    save_settings();
    load_records();
    RecordTable.best_catapult_points = 5;
    save_records();
    return RecordTable.best_catapult_points == 5 && !exists(RECORDS_FILE) ? 0 : 2;
  });
  EXPECT_EQ(rc, 0);
}

// Every length from nothing to twice the file: whole fields only, the
// rest keep their values, bytes past 16 are ignored.
TEST_F(Hardening, RecordsOfEveryLengthFillOnlyWholeFields) {
  std::string full = record_bytes(OLD_RECORDS) + std::string(16, '\x7f');
  const RecordData KEEP = {1.0f, 2, 3.0f, 4.0f};
  for (int length = 0; length <= 32; length++) {
    write_text(RECORDS_FILE, full.substr(0, (size_t)length));
    RecordTable = KEEP;
    load_records();
    int whole = (length < 16 ? length : 16) / 4;
    EXPECT_EQ(RecordTable.best_sprint_time, whole > 0 ? OLD_RECORDS.best_sprint_time : KEEP.best_sprint_time) << length;
    EXPECT_EQ(RecordTable.best_catapult_points, whole > 1 ? 350 : 2) << length;
    EXPECT_EQ(RecordTable.best_swim_time, whole > 2 ? OLD_RECORDS.best_swim_time : KEEP.best_swim_time) << length;
    EXPECT_EQ(RecordTable.best_throw_distance, whole > 3 ? OLD_RECORDS.best_throw_distance : 4.0f) << length;
  }
}

struct FieldCase {
  float sprint;
  int catapult;
  float swim;
  float thrown;
  RecordData want;
};

TEST_F(Hardening, ImpossibleRecordValuesReadAsNoRecord) {
  const float nan = std::nanf(""), inf = INFINITY;
  const FieldCase cases[] = {
      {nan, 751, nan, nan, {-1.0f, -1, -1.0f, -1.0f}},
      {inf, 100000, inf, inf, {-1.0f, -1, -1.0f, -1.0f}},
      {-inf, -2, -inf, -inf, {-1.0f, -1, -1.0f, -1.0f}},
      {-3.0f, INT32_MIN, -0.5f, -7.0f, {-1.0f, -1, -1.0f, -1.0f}},
      {0.0f, INT32_MAX, 0.0f, 0.0f, {-1.0f, -1, -1.0f, 0.0f}},
      {9.5f, 750, 25.0f, 31.5f, {9.5f, 750, 25.0f, 31.5f}},
      {-1.0f, 0, -1.0f, -1.0f, {-1.0f, 0, -1.0f, -1.0f}},
  };
  for (const FieldCase &c : cases) {
    write_text(RECORDS_FILE, record_bytes({c.sprint, c.catapult, c.swim, c.thrown}));
    load_records();
    EXPECT_EQ(record_bytes(RecordTable), record_bytes(c.want)) << c.sprint << " " << c.catapult;
  }
}

struct ConfigCase {
  const char *text;
  int SettingsData::*field;
  int want;
};

TEST_F(Hardening, ConfigValuesAreReadSafely) {
  const ConfigCase cases[] = {
      {"", &SettingsData::soundvolume, 8},
      {"[sound]\nsoundvolume = -4\n", &SettingsData::soundvolume, 0},
      {"[sound]\nsoundvolume = 99999999999999\n", &SettingsData::soundvolume, 8},
      {"[sound]\nmusicvolume = -99999999999999\n", &SettingsData::musicvolume, 0},
      {"[sound]\nmusicvolume = 9\n", &SettingsData::musicvolume, 8},
      {"[sound]\nsoundvolume = 3.9\n", &SettingsData::soundvolume, 3},
      {"[sound]\nsoundvolume = loud\n", &SettingsData::soundvolume, 8},
      {"[sound]\nsoundvolume =\n", &SettingsData::soundvolume, 8},
      {"[general]\ndifficulty = 40000000000\n", &SettingsData::difficulty, 2},
      {"[general]\ndifficulty = -1\n", &SettingsData::difficulty, 0},
      {"[general]\ncpu_usage = 2\ncpu_usage = 3\n", &SettingsData::cpu_usage, 2},
      {"[general]\ncpu_usage = 99999999999\n", &SettingsData::cpu_usage, INT32_MAX},
      {"[controls]\nfire = 0\n", &SettingsData::fire, KEY_SPACE},
      {"[controls]\nfire = -75\n", &SettingsData::fire, KEY_SPACE},
      {"[controls]\nfire = 127\n", &SettingsData::fire, KEY_SPACE},
      {"[controls]\nfire = 126\n", &SettingsData::fire, 126},
      {"[controls]\nleft = 999\n", &SettingsData::left, KEY_LEFT},
      {"[controls]\nleft = 1009\n", &SettingsData::left, JOY_BUTTON_6},
      {"[controls]\nquit = 1010\n", &SettingsData::quit, KEY_ESC},
      {"[controls]\nup = 2.5\n", &SettingsData::up, 2},
      {"[controls]\ndown = x\n", &SettingsData::down, KEY_DOWN},
      {"[controls]\nright = 4294967379\n", &SettingsData::right, KEY_RIGHT},
  };
  for (const ConfigCase &c : cases) {
    write_text(CONFIG_FILE, c.text);
    ASSERT_EQ(load_settings(), 1);
    EXPECT_EQ(Settings.*c.field, c.want) << c.text;
  }
}

// A hand-written file without blank lines between sections still gets
// every key in its own section.
TEST_F(Hardening, KeysAddedToAFileWithoutGapsLandInTheirSections) {
  write_text(CONFIG_FILE, "[general]\ndifficulty = 1\n[extra]\nshoe_size = 3\n");
  ASSERT_EQ(load_settings(), 1);
  Settings.online_scores = 0;
  save_settings();
  Settings = SettingsData();
  ASSERT_EQ(load_settings(), 1);
  EXPECT_EQ(Settings.online_scores, 0);
  EXPECT_EQ(Settings.difficulty, 1);
  EXPECT_NE(read_text(CONFIG_FILE).find("shoe_size = 3"), std::string::npos);
}

}  // namespace
