// Damaged and hostile files, folders and links around the settings and the
// records: each gets a safe answer, and saving never fails where a plain
// write would have worked.
#include "headless/headless.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/shell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sched.h>
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

// Runs a step in a child process: as an ordinary user when asked and the
// tests run as root (who may write anywhere), so permissions mean what they
// say; ended after 20 seconds, so a step that would hang fails instead.
// What the child says on stderr is kept in said.
int run_child(const std::function<int()> &step, bool unprivileged, rlim_t fileSizeLimit = RLIM_INFINITY,
              std::string *said = nullptr) {
  int err[2];
  if (pipe(err) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    alarm(20);
    signal(SIGXFSZ, SIG_IGN);
    if (said) dup2(err[1], 2);
    struct rlimit limit = {fileSizeLimit, fileSizeLimit};
    if (fileSizeLimit != RLIM_INFINITY) setrlimit(RLIMIT_FSIZE, &limit);
    if (unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
    _exit(step());
  }
  close(err[1]);
  char buf[512];
  for (ssize_t n; (n = read(err[0], buf, sizeof buf)) > 0;)
    if (said) said->append(buf, (size_t)n);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int run_unprivileged(const std::function<int()> &step, rlim_t fileSizeLimit = RLIM_INFINITY) {
  return run_child(step, true, fileSizeLimit);
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
const RecordData NONE = {-1.0f, -1, -1.0f, -1.0f};

// Each way a file can stand in the way; after a save of new values the
// file that the player sees must hold them, and the game keeps its values
// in memory.
struct SaveCase {
  const char *what;
  std::function<void(const std::string &file)> setup;
  // The folder the saved contents must be read from.
  const char *landsIn;
  bool unprivileged;
  // The old file is gone, so only the new values can be looked for.
  bool fresh;
};

void make_link(const std::string &file) {
  ASSERT_EQ(mkdir("real", 0777), 0);
  rename(file.c_str(), ("real/" + file).c_str());
  ASSERT_EQ(symlink(("real/" + file).c_str(), file.c_str()), 0);
}

// Two links, the last pointing nowhere yet: the file it names is made.
void make_dangling_link(const std::string &file) {
  ASSERT_EQ(mkdir("real", 0777), 0);
  unlink(file.c_str());
  ASSERT_EQ(symlink(file.c_str(), ("real/" + file + ".first").c_str()), 0);
  ASSERT_EQ(symlink(("real/" + file + ".first").c_str(), file.c_str()), 0);
}

const SaveCase SAVE_CASES[] = {
    {"plain file", [](const std::string &) {}, "", false, false},
    {"link to a file elsewhere", make_link, "real/", false, false},
    {"chain of links to a file not made yet", make_dangling_link, "real/", false, true},
    {"leftover .tmp folder", [](const std::string &f) { mkdir((f + ".tmp").c_str(), 0777); }, "", false, false},
    {"leftover read-only .tmp file",
     [](const std::string &f) {
       write_text(f + ".tmp", "junk");
       chmod((f + ".tmp").c_str(), 0444);
       chmod(f.c_str(), 0666);
     },
     "", true, false},
    {"leftover .tmp link",
     [](const std::string &f) { ASSERT_EQ(symlink("elsewhere", (f + ".tmp").c_str()), 0); }, "", false, false},
    {"leftover .tmp FIFO", [](const std::string &f) { ASSERT_EQ(mkfifo((f + ".tmp").c_str(), 0666), 0); }, "", false,
     false},
    {"writable file in a folder the player cannot write",
     [](const std::string &f) {
       chmod(f.c_str(), 0666);
       chmod(".", 0555);
     },
     "", true, false},
};

// Records and settings are saved the same way; each case runs for both.
struct Kind {
  const char *file;
  std::function<void()> prepare;
  std::function<void()> save;
  std::function<bool(const std::string &, bool fresh)> holdsNew;
};

SettingsData SavedSettings;

const Kind KINDS[] = {
    {RECORDS_FILE,
     [] {
       RecordTable = OLD_RECORDS;
       save_records();
       RecordTable = NEW_RECORDS;
     },
     [] { save_records(); }, [](const std::string &text, bool) { return text == record_bytes(NEW_RECORDS); }},
    {CONFIG_FILE,
     [] {
       write_text(CONFIG_FILE, "[general]\nplayer = Pelk\ndifficulty = 1\n");
       ASSERT_EQ(load_settings(), 1);
       Settings.difficulty = 2;
       Settings.windowed = 1;
       SavedSettings = Settings;
     },
     [] { save_settings(); },
     // Every value read back from its own section; the player's line kept.
     [](const std::string &text, bool fresh) {
       SettingsData back;
       parse_settings(text.data(), (long)text.size(), &back);
       return !memcmp(&back, &SavedSettings, sizeof back) && (fresh || text.find("player = Pelk") != std::string::npos);
     }},
};

TEST_F(Hardening, SavesLandWhereverAPlainWriteWould) {
  for (const Kind &kind : KINDS) {
    for (const SaveCase &c : SAVE_CASES) {
      SCOPED_TRACE(std::string(kind.file) + ": " + c.what);
      ASSERT_EQ(system(("rm -rf " + dir_ + "/*").c_str()), 0);
      kind.prepare();
      c.setup(kind.file);
      int rc = run_child(
          [&] {
            kind.save();
            return 0;
          },
          c.unprivileged);
      ASSERT_EQ(rc, 0);
      chmod(".", 0777);
      std::string landed = read_text(std::string(c.landsIn) + kind.file);
      EXPECT_TRUE(kind.holdsNew(landed, c.fresh)) << landed;
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
// would) leaves the old file whole and says so.
TEST_F(Hardening, FailedWriteLeavesTheOldFileWholeAndSaysSo) {
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
    std::string said;
    int rc = run_child(
        [&] {
          RecordTable = NEW_RECORDS;
          Settings.difficulty = 2;
          kind.save();
          return 0;
        },
        true, 8, &said);
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(read_text(kind.file), before);
    EXPECT_NE(said.find(std::string(kind.file) + ": not saved"), std::string::npos) << said;
  }
}

// A FIFO, a folder or a device where a file should be is refused at once:
// nothing waits on it, nothing is written into it, and it stays as it was.
struct OddFile {
  const char *what;
  std::function<int(const char *)> make;
  mode_t type;
};

const OddFile ODD_FILES[] = {
    {"FIFO", [](const char *f) { return mkfifo(f, 0666); }, S_IFIFO},
    {"folder", [](const char *f) { return mkdir(f, 0777); }, S_IFDIR},
    {"link to a device", [](const char *f) { return symlink("/dev/zero", f); }, S_IFLNK},
    {"link to itself", [](const char *f) { return symlink(f, f); }, S_IFLNK},
};

// Each file's reader, run on the odd file; 0 when it answered safely.
const std::pair<const char *, std::function<int()>> READERS[] = {
    {CONFIG_FILE,
     [] {
       int loaded = load_settings();  // 0: start-up error 12
       save_settings();
       return loaded;
     }},
    {RECORDS_FILE,
     [] {
       RecordTable = OLD_RECORDS;
       load_records();
       save_records();
       return memcmp(&RecordTable, &OLD_RECORDS, sizeof RecordTable) != 0;
     }},
    {MAIN_DATAFILE, [] { return load_checked_datafile(MAIN_DATAFILE, main_entries_ok) != nullptr; }},
    {SPLASH_DATAFILE, [] { return load_checked_datafile(SPLASH_DATAFILE, splash_entries_ok) != nullptr; }},
};

TEST_F(Hardening, OddFilesAreRefusedAtOnce) {
  for (const OddFile &odd : ODD_FILES) {
    for (const auto &reader : READERS) {
      SCOPED_TRACE(std::string(reader.first) + " a " + odd.what);
      remove(reader.first);
      ASSERT_EQ(odd.make(reader.first), 0);
      EXPECT_EQ(run_child(reader.second, false), 0);
      struct stat st;
      EXPECT_TRUE(lstat(reader.first, &st) == 0 && (st.st_mode & S_IFMT) == odd.type);
      EXPECT_EQ(system(("rm -rf " + std::string(reader.first)).c_str()), 0);
    }
  }
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

// Every length from nothing to twice the file: whole fields are read, the
// others are no record (never the zeros of an empty file, which nothing
// could beat), bytes past 16 are ignored; a record set then is kept.
TEST_F(Hardening, RecordsOfEveryLengthReadMissingFieldsAsNoRecord) {
  std::string full = record_bytes(OLD_RECORDS) + std::string(16, '\x7f');
  for (int length = 0; length <= 32; length++) {
    SCOPED_TRACE(length);
    write_text(RECORDS_FILE, full.substr(0, (size_t)length));
    RecordTable = NONE;
    load_records();
    int whole = (length < 16 ? length : 16) / 4;
    RecordData want = {whole > 0 ? 12.5f : -1.0f, whole > 1 ? 350 : -1, whole > 2 ? 30.25f : -1.0f,
                       whole > 3 ? 24.75f : -1.0f};
    EXPECT_EQ(record_bytes(RecordTable), record_bytes(want));
    RecordTable.best_sprint_time = 14.0f;  // a sprint run in 14 s
    save_records();
    want.best_sprint_time = whole > 0 ? 12.5f : 14.0f;
    EXPECT_EQ(read_text(RECORDS_FILE), record_bytes(want));
  }
}

// The file changed by someone else between loading and saving: each field
// keeps the better of the file and memory, and memory (so the event
// headers) takes the result.
struct MergeCase {
  const char *what;
  RecordData atLoad, inMemory;
  // Saved by a second copy of the game (a process of its own) or, when
  // not, put in place as it stands.
  bool bySecondCopy;
  RecordData atSave, want;
};

const MergeCase MERGE_CASES[] = {
    {"a second copy saved better and worse bests", OLD_RECORDS, {12.0f, 360, 30.25f, 24.75f}, true,
     {11.0f, 340, 31.0f, 30.0f}, {11.0f, 360, 30.25f, 30.0f}},
    {"a second copy set records where there were none", NONE, {-1.0f, 0, -1.0f, -1.0f}, true,
     {15.5f, -1, 39.0f, 0.0f}, {15.5f, 0, 39.0f, 0.0f}},
    {"an older file put back", NEW_RECORDS, NEW_RECORDS, false, OLD_RECORDS, NEW_RECORDS},
    {"a file emptied", OLD_RECORDS, OLD_RECORDS, false, NONE, OLD_RECORDS},
};

TEST_F(Hardening, RecordsAreOnlyEverImproved) {
  for (const MergeCase &c : MERGE_CASES) {
    SCOPED_TRACE(c.what);
    write_text(RECORDS_FILE, record_bytes(c.atLoad));
    RecordTable = NONE;
    load_records();
    if (c.bySecondCopy)
      ASSERT_EQ(run_child(
                    [&] {
                      RecordTable = c.atSave;
                      save_records();
                      return 0;
                    },
                    false),
                0);
    else
      write_text(RECORDS_FILE, record_bytes(c.atSave));
    RecordTable = c.inMemory;
    save_records();
    EXPECT_EQ(read_text(RECORDS_FILE), record_bytes(c.want));
    EXPECT_EQ(record_bytes(RecordTable), record_bytes(c.want));
    // The next day's load keeps them too, whatever the file went back to.
    write_text(RECORDS_FILE, record_bytes(c.atLoad));
    load_records();
    EXPECT_EQ(record_bytes(RecordTable), record_bytes(c.want));
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
    RecordTable = NONE;
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
      // As editors leave them.
      {"\xEF\xBB\xBF[graphics]\nwindowed = 1\n", &SettingsData::windowed, 1},
      {"[graphics]\r\nwindowed = 1\r\n", &SettingsData::windowed, 1},
      {"[graphics]\rforcerate = 1\r", &SettingsData::forcerate, 1},
      {"[sound]\n# soundvolume = 2\n  #musicvolume = 1\nsoundvolume = 5 # a comment\n", &SettingsData::soundvolume, 5},
      {"[sound]\n# old\nmusicvolume = 3\n", &SettingsData::musicvolume, 3},
      {"[general]\ndifficulty = 1\n[controls]", &SettingsData::difficulty, 1},
      {"[controls]\nfire = 30\n[sound]\n[controls]\nfire = 31\nleft = 32\n", &SettingsData::left, 32},
      {"[controls]\nfire = 30\n[sound]\n[controls]\nfire = 31\n", &SettingsData::fire, 30},
      {"[Controls]\nFIRE=33\n", &SettingsData::fire, 33},
      {"fire = 34\n[controls]\n", &SettingsData::fire, KEY_SPACE},
      {"[controls\nfire = 35\n", &SettingsData::fire, KEY_SPACE},
      {"[controls] ; keys\n\tfire\t==\t36\t\n", &SettingsData::fire, 36},
      {"[controls]x\nfire = 37\n", &SettingsData::fire, KEY_SPACE},
  };
  for (const ConfigCase &c : cases) {
    write_text(CONFIG_FILE, c.text);
    ASSERT_EQ(load_settings(), 1);
    EXPECT_EQ(Settings.*c.field, c.want) << c.text;
  }
}

// Files as people edit them, saved with new values: every value lands in its
// own section, read back by the game and by Allegro's own reader alike, the
// player's other lines and the file's line ends stay, and a second save
// changes nothing.
const char *const EDITED_FILES[] = {
    "\xEF\xBB\xBF[general]\ndifficulty = 1\n# player = Pelk\n",
    "[general]\r\n# player = Pelk\r\ndifficulty = 1\r\n[controls]\r\nfire = 30\r\n",
    "[graphics]\rwindowed = 1\r# player = Pelk\r",
    "# player = Pelk\n[general]\ndifficulty = 1\n[controls]",
    "[controls]\nfire = 30\nfire = 31\n[extra]\n# player = Pelk\n[controls]\nfire = 32\nleft = 33\n",
    "[controls]\nup = 1\n[sound]\nmusicvolume = 2\n[graphics]\n[general]\n# player = Pelk\n",
    "[GENERAL]\nDifficulty=1\n[general]\ncpu_usage = 2\n[extra]\nshoe_size = 3 # player = Pelk",
    "online_scores = 0\n# player = Pelk\n[general]\n[graphics\nwindowed = 1\n",
};

// The thirteen values a save writes, in file order up to quit.
const size_t SAVED_FIELDS = offsetof(SettingsData, quit) + sizeof(int);

SettingsData allegro_settings(const std::string &text) {
  size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  push_config_state();
  set_config_data(text.data() + skip, (int)(text.size() - skip));
  SettingsData s;
  const char *sections[] = {"general", "general", "general", "graphics", "graphics", "sound", "sound"};
  const char *names[] = {"online_scores", "cpu_usage", "difficulty", "windowed", "forcerate", "soundvolume",
                         "musicvolume", "up", "down", "left", "right", "fire", "quit"};
  for (int i = 0; i < 13; i++) (&s.online_scores)[i] = get_config_int(i < 7 ? sections[i] : "controls", names[i], -1);
  pop_config_state();
  return s;
}

TEST_F(Hardening, EditedSettingsFilesAreWrittenBackWithEveryValueInItsSection) {
  // The zoom last: the game reads it but never writes it.
  const SettingsData NEW = {0, 3, 2, 1, 1, 4, 5, 6, 7, 8, 9, 10, 11, 2};
  for (const char *edited : EDITED_FILES) {
    SCOPED_TRACE(edited);
    write_text(CONFIG_FILE, edited);
    ASSERT_EQ(load_settings(), 1);
    Settings = NEW;
    save_settings();
    std::string text = read_text(CONFIG_FILE);
    Settings = SettingsData();
    ASSERT_EQ(load_settings(), 1);
    EXPECT_EQ(memcmp(&Settings, &NEW, SAVED_FIELDS), 0) << text;
    SettingsData allegro = allegro_settings(text);
    EXPECT_EQ(memcmp(&allegro, &NEW, SAVED_FIELDS), 0) << text;
    EXPECT_NE(text.find("# player = Pelk"), std::string::npos) << text;
    EXPECT_EQ(text.compare(0, 3, "\xEF\xBB\xBF") == 0, std::string(edited).compare(0, 3, "\xEF\xBB\xBF") == 0);
    const char *ends = strstr(edited, "\r\n") ? "\r\n" : strchr(edited, '\r') ? "\r" : "\n";
    EXPECT_EQ(text.find(strcmp(ends, "\n") ? "\n" : "\r"), strcmp(ends, "\r\n") ? std::string::npos : text.find("\r\n") + 1);
    save_settings();
    EXPECT_EQ(read_text(CONFIG_FILE), text);
  }
}

// --- The in-place rewrite on a disk with no room ---

// The settings file fills its 4 KiB page but for two bytes.
std::string page_filling_settings(void) {
  std::string text = "[general]\nonline_scores = 1\ncpu_usage = 4444\ndifficulty = 1\n\n[graphics]\n"
                     "windowed = 0\nforcerate = 0\n\n[sound]\nsoundvolume = 8\nmusicvolume = 8\n\n"
                     "[controls]\nup = 84\ndown = 85\nleft = 82\nright = 83\nfire = 75\nquit = 59\n\n# ";
  return text + std::string(4094 - 1 - text.size(), 'x') + "\n";
}

// A small tmpfs of its own, in a mount namespace of its own so nothing is
// left mounted whatever happens, over the test's folder: no free inode (no
// temporary file can be made) and no free page (no file can grow).
int with_full_tmpfs(const std::function<int()> &step) {
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 77;
  if (mount("tmpfs", headless_work_dir().c_str(), "tmpfs", 0, "size=64k,nr_inodes=5") != 0) return 77;
  if (chdir(headless_work_dir().c_str()) != 0) return 2;
  write_text(CONFIG_FILE, page_filling_settings());
  write_text(RECORDS_FILE, record_bytes(OLD_RECORDS));
  {
    std::ofstream fill("fill", std::ios::binary);
    for (int i = 0; i < 100 && fill.write(std::string(1024, 'x').data(), 1024).flush(); i++) {
    }
  }
  write_text("extra", "");
  std::ofstream spare("spare");
  if (spare) return 3;  // an inode still free
  return step();
}

int saves_on_a_full_disk(void) {
  std::string before = read_text(CONFIG_FILE);
  if (!load_settings() || Settings.cpu_usage != 4444) return 10;
  Settings.cpu_usage = 44444444;  // longer: a new page would be needed
  save_settings();
  if (read_text(CONFIG_FILE) != before) return 11;
  Settings.cpu_usage = 4444;
  Settings.difficulty = 2;  // as long: rewritten in place
  save_settings();
  Settings.cpu_usage = 4;  // shorter: rewritten in place
  save_settings();
  SettingsData written = Settings;
  if (!load_settings() || memcmp(&written, &Settings, sizeof written) != 0) return 12;
  if (read_text(CONFIG_FILE).size() != before.size() - 3) return 13;
  RecordTable = NEW_RECORDS;
  save_records();
  return read_text(RECORDS_FILE) == record_bytes(NEW_RECORDS) ? 0 : 14;
}

TEST_F(Hardening, InPlaceSaveOnAFullDiskKeepsTheOldFileWhole) {
  std::string said;
  int rc = run_child([] { return with_full_tmpfs(saves_on_a_full_disk); }, false, RLIM_INFINITY, &said);
  if (rc == 77) GTEST_SKIP() << "skipped: no small tmpfs can be mounted here (needs root and a mount namespace)";
  EXPECT_EQ(rc, 0) << said;
  EXPECT_NE(said.find("qvlgam.cfg: not saved (No space left on device)"), std::string::npos) << said;
}

}  // namespace
