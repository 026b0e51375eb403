// The real game binary under a private Xvfb server: start-up failures with
// their message and exit status, the window with its title and splash, and
// closing through the window manager protocol.
#include "headless/headless.h"
#include "persist/persist.h"
#include "game/demo.h"
#include "game/game.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void sleep_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class Xserver {
public:
  bool start(const char *screen = "1024x768x16") {
    int fds[2];
    if (pipe(fds) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, 2);
      char fd[16];
      snprintf(fd, sizeof fd, "%d", fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd, "-screen", "0", screen, "-nolisten", "tcp", "-noreset", (char *)nullptr);
      _exit(127);
    }
    close(fds[1]);
    // The server writes its display number once it is ready for clients.
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return false;
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
    return display_ != nullptr;
  }
  void stop() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }
  Display *display() { return display_; }
  const std::string &name() { return name_; }
  // The server dies at once, as in a logout; this side's connection first.
  void crash() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
    if (pid_ > 0) kill(pid_, SIGKILL);
    stop();
  }

private:
  pid_t pid_ = -1;
  Display *display_ = nullptr;
  std::string name_;
};

Window find_named(Display *d, Window w, const std::string &name) {
  char *n = nullptr;
  if (XFetchName(d, w, &n) && n) {
    bool match = name == n;
    XFree(n);
    if (match) return w;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; i++) found = find_named(d, children[i], name);
    if (children) XFree(children);
  }
  return found;
}

Window wait_for_window(Display *d, const std::string &name, int timeoutMs) {
  for (int t = 0; t < timeoutMs; t += 50) {
    Window w = find_named(d, DefaultRootWindow(d), name);
    if (w) return w;
    sleep_ms(50);
  }
  return 0;
}

// Runs the game in its own folder; stderr goes to a file there.
class Game {
public:
  // With an option and its file (a demo), stdout goes to stdout.txt.
  pid_t start(const std::string &dir, const std::string &display, const char *option = nullptr,
              const char *file = nullptr) {
    dir_ = dir;
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(err, 2);
      int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (option) dup2(out, 1);
      setenv("DISPLAY", display.c_str(), 1);
      execl(QVL_GAME_BINARY, "qvlgam", option, file, (char *)nullptr);
      _exit(127);
    }
    return pid_;
  }
  // Exit status, or -1 when it has not ended within the time.
  int wait_exit(int timeoutMs) {
    for (int t = 0; t < timeoutMs; t += 20) {
      int status;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      sleep_ms(20);
    }
    return -1;
  }
  std::string stdout_text() {
    std::ifstream f(dir_ + "/stdout.txt");
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  std::string stderr_text() {
    std::ifstream f(dir_ + "/stderr.txt");
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  ~Game() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

private:
  pid_t pid_ = -1;
  std::string dir_;
};

// Processes still running in a folder (a leaked helper or a stuck game).
int processes_in(const std::string &dir) {
  int n = 0;
  DIR *proc = opendir("/proc");
  if (!proc) return 0;
  while (dirent *e = readdir(proc)) {
    char link[320], target[4096];
    snprintf(link, sizeof link, "/proc/%s/cwd", e->d_name);
    ssize_t len = readlink(link, target, sizeof target - 1);
    if (len > 0) {
      target[len] = 0;
      if (dir == target) n++;
    }
  }
  closedir(proc);
  return n;
}

class EndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(x_.start()) << "cannot start Xvfb";
    char templ[] = "/tmp/qvl-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir_ = templ;
  }
  void TearDown() override {
    x_.stop();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void lay_out(bool cfg, bool dat, bool dat2) {
    if (cfg) fs::copy_file(QVL_SOURCE_DIR "/qvlgam.cfg", dir_ + "/qvlgam.cfg");
    if (dat) fs::copy_file(QVL_RUN_DIR "/qvlgam.dat", dir_ + "/qvlgam.dat");
    if (dat2) fs::copy_file(QVL_RUN_DIR "/qvlgam2.dat", dir_ + "/qvlgam2.dat");
  }
  // A failing start shows its modal message; closing it ends the program.
  void expect_failure(int code, const char *text) {
    Game game;
    game.start(dir_, x_.name());
    Window box = wait_for_window(x_.display(), "Initialisation error", 15000);
    ASSERT_NE(box, 0u) << "no message window";
    EXPECT_EQ(game.wait_exit(300), -1) << "the message must hold the program";
    XKillClient(x_.display(), box);
    XSync(x_.display(), False);
    EXPECT_EQ(game.wait_exit(10000), code);
    std::string err = game.stderr_text();
    EXPECT_NE(err.find("Initialisation error"), std::string::npos) << err;
    EXPECT_NE(err.find(text), std::string::npos) << err;
    EXPECT_NE(err.find("'Quorvale - Sports Day' failed to start due to the following reason:"), std::string::npos);
  }
  Xserver x_;
  std::string dir_;
};

TEST_F(EndToEnd, WithoutConfigurationTheStartFailsWithCode12) {
  lay_out(false, true, true);
  expect_failure(12, "Error 12, an unknown error occured");
  EXPECT_FALSE(fs::exists(dir_ + "/qvlgam.cfg"));
}

TEST_F(EndToEnd, WithoutTheDatafileTheStartFailsWithCode6) {
  lay_out(true, false, true);
  expect_failure(6, "Error 6, failed to read data file");
}

void send_delete_window(Display *d, Window w) {
  XEvent ev = {};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &ev);
  XSync(d, False);
}

// The splash as the datafile holds it, in the X server's 5.6.5 pixels.
bool load_splash(unsigned short *pixels) {
  if (!headless_start_bare()) return false;
  DATAFILE *d = load_datafile(QVL_RUN_DIR "/qvlgam2.dat");
  bool ok = d && d[1].type == DAT_BITMAP;
  if (ok) {
    BITMAP *b = (BITMAP *)d[1].dat;
    for (int y = 0; y < 480; y++)
      for (int x = 0; x < 640; x++) {
        int c = getpixel(b, x, y);
        pixels[y * 640 + x] = (unsigned short)((getr16(c) >> 3) << 11 | (getg16(c) >> 2) << 5 | getb16(c) >> 3);
      }
  }
  if (d) unload_datafile(d);
  headless_stop();
  return ok;
}

TEST_F(EndToEnd, WindowShowsTheSplashAndClosesCleanly) {
  static unsigned short splash[640 * 480];
  ASSERT_TRUE(load_splash(splash));
  lay_out(true, true, true);
  Game game;
  game.start(dir_, x_.name());
  Display *d = x_.display();
  Window w = wait_for_window(d, "Quorvale - Sports Day", 15000);
  ASSERT_NE(w, 0u) << "no game window";
  sleep_ms(1500);

  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(d, w, &a));
  EXPECT_EQ(a.width, 640);
  EXPECT_EQ(a.height, 480);
  int left, top;
  Window child;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &left, &top, &child);
  EXPECT_EQ(left, (1024 - 640) / 2);
  EXPECT_EQ(top, (768 - 480) / 2);

  XImage *img = XGetImage(d, w, 0, 0, 640, 480, AllPlanes, ZPixmap);
  ASSERT_NE(img, nullptr);
  int same = 0, total = 0;
  for (int y = 5; y < 440; y += 7)
    for (int x = 3; x < 640; x += 11) {
      total++;
      same += (unsigned short)XGetPixel(img, x, y) == splash[y * 640 + x];
    }
  XDestroyImage(img);
  EXPECT_GT(same * 100, total * 95) << same << " of " << total << " pixels match the splash";

  send_delete_window(d, w);
  EXPECT_EQ(game.wait_exit(10000), 0);
  sleep_ms(200);
  EXPECT_EQ(processes_in(dir_), 0);
}

}  // namespace

namespace {

TEST_F(EndToEnd, MissingSplashFileIsSkipped) {
  lay_out(true, true, false);
  Game game;
  game.start(dir_, x_.name());
  Window w = wait_for_window(x_.display(), "Quorvale - Sports Day", 15000);
  ASSERT_NE(w, 0u) << "the game did not start without its splash";
  sleep_ms(500);
  EXPECT_EQ(game.wait_exit(10), -1);
  send_delete_window(x_.display(), w);
  EXPECT_EQ(game.wait_exit(10000), 0);
}

}  // namespace

namespace {

// xdotool commands for the private server, run to their end.
void xdo(const std::string &display, const std::string &args) {
  std::string command = "DISPLAY=" + display + " xdotool " + args + " >/dev/null 2>&1";
  EXPECT_EQ(system(command.c_str()), 0) << command;
}

void tap(const std::string &display, const char *keyName) {
  xdo(display, std::string("keydown ") + keyName + " sleep 0.12 keyup " + keyName + " sleep 0.25");
}

// Every screen between two others is black while a control is still held.
bool window_black(Display *d, Window w) {
  XImage *img = XGetImage(d, w, 0, 0, 640, 480, AllPlanes, ZPixmap);
  if (!img) return false;
  bool black = true;
  for (int y = 3; y < 480 && black; y += 9)
    for (int x = 5; x < 640 && black; x += 13) black = XGetPixel(img, x, y) == 0;
  XDestroyImage(img);
  return black;
}

// Holds the key for up to holdMs; true when the screen went (and stayed)
// black, that is the key ended the screen on show.
bool key_ends_screen(Display *d, Window w, const std::string &display, const char *keyName, int holdMs) {
  xdo(display, std::string("keydown ") + keyName);
  bool ended = false;
  for (int t = 0; t < holdMs && !ended; t += 100) {
    sleep_ms(100);
    ended = window_black(d, w) && (sleep_ms(150), window_black(d, w));
  }
  xdo(display, std::string("keyup ") + keyName);
  sleep_ms(500);
  return ended;
}

// Past the splash and the logo drop to the title menu, with the mouse out
// of the way: the game's window, or 0.
Window reach_title(Display *d, const std::string &x) {
  Window w = wait_for_window(d, "Quorvale - Sports Day", 15000);
  if (!w) return 0;
  xdo(x, "mousemove 512 384");
  sleep_ms(1000);
  if (!key_ends_screen(d, w, x, "space", 5000)) return 0;
  key_ends_screen(d, w, x, "space", 3000);  // the logo drop
  return w;
}

float best_sprint_time(const std::string &dir) {
  unsigned char bytes[16] = {};
  std::ifstream f(dir + "/qvlgam.rec", std::ios::binary);
  if (!f.read((char *)bytes, sizeof bytes)) return -1.0f;
  uint32_t bits = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | (uint32_t)bytes[3] << 24;
  float time;
  memcpy(&time, &bits, sizeof time);
  return time;
}

int config_value(const std::string &dir, const char *section, const char *name) {
  if (!headless_start_bare()) return -1;
  push_config_state();
  set_config_file((dir + "/qvlgam.cfg").c_str());
  int value = get_config_int(section, name, -1);
  pop_config_state();
  headless_stop();
  return value;
}

// Left, right and fire redefined to A, S and D in the options menu; the
// sprint is then run with A and S alone, and the file keeps the new keys.
// The screens before the sprint are passed with the new fire key: each one
// it ends goes black while the key is held; the sprint does not.
TEST_F(EndToEnd, RedefinedKeysPlayTheSprintAndStayInTheFile) {
  lay_out(true, true, true);
  Game game;
  game.start(dir_, x_.name());
  Display *d = x_.display();
  const std::string &x = x_.name();
  Window w = reach_title(d, x);
  ASSERT_NE(w, 0u) << "no game window, or the splash did not end";
  for (const char *k : {"Right", "space", "Up", "Up", "space", "a", "s", "d", "Down", "d"}) tap(x, k);
  sleep_ms(800);
  EXPECT_EQ(config_value(dir_, "controls", "left"), KEY_A) << "saved as soon as the third key is given";

  tap(x, "Left");  // play
  int screens = 0;
  auto sprintStart = std::chrono::steady_clock::now();
  while (screens < 8 && key_ends_screen(d, w, x, "d", 2500)) {
    screens++;
    sprintStart = std::chrono::steady_clock::now();
  }
  ASSERT_LT(screens, 8) << "fire never stopped ending screens";
  ASSERT_GE(screens, 1) << "fire on play ends the title menu";
  // The countdown runs 500 ticks (8.3 s) from the sprint's start; a press
  // before its end would be a false start.
  std::this_thread::sleep_until(sprintStart + std::chrono::milliseconds(10000));
  std::string strides;
  for (int i = 0; i < 8; i++) strides += "keydown a sleep 0.06 keyup a keydown s sleep 0.06 keyup s ";
  float best = -1.0f;
  for (int burst = 0; burst < 15 && best <= 0; burst++) {
    xdo(x, strides);
    best = best_sprint_time(dir_);
  }
  // The time is kept when the event ends, after the last runner is in.
  for (int t = 0; t < 40000 && best <= 0; t += 250) {
    sleep_ms(250);
    best = best_sprint_time(dir_);
  }
  EXPECT_GT(best, 0.0f) << "the runner never finished";
  EXPECT_LT(best, 30.0f);

  send_delete_window(d, w);
  EXPECT_EQ(game.wait_exit(10000), 0);
  EXPECT_EQ(config_value(dir_, "controls", "left"), KEY_A);
  EXPECT_EQ(config_value(dir_, "controls", "right"), KEY_S);
  EXPECT_EQ(config_value(dir_, "controls", "fire"), KEY_D);
}

}  // namespace

namespace {

// Full screen chosen in the options menu on a server that may not offer it:
// either the new mode is set or the window comes back; the game goes on,
// answers the keys and closes cleanly, and the file names the mode in use.
TEST_F(EndToEnd, ChangedScreenModeLeavesAWorkingGame) {
  lay_out(true, true, true);
  Game game;
  game.start(dir_, x_.name());
  Display *d = x_.display();
  const std::string &x = x_.name();
  Window w = reach_title(d, x);
  ASSERT_NE(w, 0u) << "no game window, or the splash did not end";
  for (const char *k : {"Right", "space", "Down", "Down", "space", "Up", "Up", "Up", "space"}) tap(x, k);
  sleep_ms(2000);
  EXPECT_EQ(game.wait_exit(10), -1) << "the game ended: " << game.stderr_text();
  int windowed = config_value(dir_, "graphics", "windowed");
  Window now = wait_for_window(d, "Quorvale - Sports Day", 5000);
  if (windowed) {
    EXPECT_NE(now, 0u) << "the window did not come back";
  }
  xdo(x, "mousemove 512 384");
  tap(x, "Escape");  // the title menu still answers: quit
  EXPECT_EQ(game.wait_exit(10000), 0) << game.stderr_text();
}

}  // namespace

namespace {

// --- Leaving when told to: a signal or a lost display in every screen ---
//   QVL_DESKTOP_RUNS=N   runs of each kind (default 12)
//   QVL_DESKTOP_SEED=S   the seed of the moments chosen (default 17)
// Fewer runs than screens are spread over them, the lost display's shifted
// so that the two kinds together reach every screen; more go round again.

enum Screen {
  AT_START, AT_SPLASH, AT_LOGO, AT_TITLE, AT_OPTIONS, AT_REDEFINE, AT_DIFFICULTY, AT_INTRO,
  AT_SPRINT, AT_BUBBLE, AT_GAME_OVER, AT_CATAPULT, AT_SWIM, AT_THROW, AT_END, SCREEN_COUNT
};
const char *const SCREEN_NAMES[] = {"start-up", "splash", "logo drop", "title menu", "options",
                                    "key redefinition", "difficulty", "introduction", "sprint",
                                    "false start bubble", "game over", "catapult", "swim", "throw",
                                    "congratulations"};

int env_number(const char *name, int fallback) {
  const char *v = getenv(name);
  return v && *v ? atoi(v) : fallback;
}

// Options, and the redefinition with one key of three given.
bool walk_options(const std::string &x, Screen target) {
  for (const char *k : {"Right", "space"}) tap(x, k);
  if (target == AT_OPTIONS) return true;
  for (const char *k : {"Up", "Up", "space", "a"}) tap(x, k);
  return true;
}

// Two false starts: the speech bubble, then GAME OVER.
bool false_starts(const std::string &x, Screen target) {
  sleep_ms(1000);
  tap(x, "Left");
  if (target == AT_BUBBLE) return true;
  sleep_ms(6500);
  tap(x, "Left");
  sleep_ms(6000);
  return true;
}

// With the cheat held on the title menu, Escape in each event qualifies.
bool cheat_through(const std::string &x, Screen target) {
  for (Screen s : {AT_CATAPULT, AT_SWIM, AT_THROW}) {
    sleep_ms(600);
    tap(x, "Escape");
    sleep_ms(800);
    tap(x, "space");
    if (target == s) return true;
  }
  sleep_ms(600);
  tap(x, "Escape");
  return true;
}

// Into the screen with the keys a player would press; false when the
// window never came or a screen did not end when it should.
bool walk_to(Display *d, const std::string &x, Screen target) {
  if (target == AT_START) return true;
  Window w = wait_for_window(d, "Quorvale - Sports Day", 15000);
  if (!w || target == AT_SPLASH) return w != 0;
  xdo(x, "mousemove 512 384");
  sleep_ms(800);
  if (!key_ends_screen(d, w, x, "space", 5000)) return false;  // the splash
  if (target == AT_LOGO) return true;
  key_ends_screen(d, w, x, "space", 3000);  // the logo drop
  if (target == AT_TITLE) return true;
  if (target <= AT_REDEFINE) return walk_options(x, target);
  if (target >= AT_CATAPULT)
    xdo(x, "keydown Control_R keydown Shift_R keydown 4 keydown 6 sleep 0.3 keyup 6 keyup 4 keyup Shift_R keyup Control_R");
  if (!key_ends_screen(d, w, x, "space", 2500)) return false;  // play
  if (target == AT_DIFFICULTY) return true;
  if (!key_ends_screen(d, w, x, "space", 2500)) return false;  // the difficulty
  if (target == AT_INTRO) return true;
  tap(x, "space");
  if (target == AT_SPRINT) return true;
  return target <= AT_GAME_OVER ? false_starts(x, target) : cheat_through(x, target);
}

// The records a run starts with: none, an emptied file, or earlier bests.
const char *const START_RECORDS[] = {nullptr, "", "\x00\x00\x48\x41\x5e\x01\x00\x00\x00\x00\xf2\x41\x00\x00\xc6\x41"};

// No temporary file is left; the settings hold every key with the values
// they started with; the records file, where there is one, holds a record
// or none in each field, never worse than before.
void expect_files_whole(const std::string &dir, const std::string &cfgBefore, int records) {
  for (const auto &e : fs::directory_iterator(dir)) EXPECT_NE(e.path().extension(), ".tmp") << e.path();
  std::ifstream c(dir + "/qvlgam.cfg", std::ios::binary);
  std::string cfg((std::istreambuf_iterator<char>(c)), std::istreambuf_iterator<char>());
  SettingsData now, before;
  parse_settings(cfg.data(), (long)cfg.size(), &now);
  parse_settings(cfgBefore.data(), (long)cfgBefore.size(), &before);
  EXPECT_EQ(memcmp(&now, &before, sizeof now), 0) << cfg;
  for (const char *key : {"online_scores", "windowed", "soundvolume", "fire"}) EXPECT_NE(cfg.find(key), std::string::npos);
  std::ifstream r(dir + "/qvlgam.rec", std::ios::binary);
  std::string rec((std::istreambuf_iterator<char>(r)), std::istreambuf_iterator<char>());
  if (!r.is_open() || (records == 1 && rec.empty())) return;
  ASSERT_EQ(rec.size(), 16u);
  RecordData got, was = {-1.0f, -1, -1.0f, -1.0f};
  memcpy(&got, rec.data(), 16);
  if (records == 2) memcpy(&was, START_RECORDS[2], 16);
  RecordData best = better_records(got, was);
  EXPECT_EQ(memcmp(&best, &got, sizeof got), 0) << "a record was lost";
  for (float t : {got.best_sprint_time, got.best_swim_time}) EXPECT_TRUE(t == -1.0f || t > 0.0f) << t;
}

class Desktop : public EndToEnd {
protected:
  // Fresh files for run i; the settings text it starts with.
  std::string lay_out_run(int i) {
    for (const auto &e : fs::directory_iterator(dir_)) fs::remove_all(e.path());
    lay_out(true, true, true);
    if (START_RECORDS[i % 3]) {
      std::ofstream r(dir_ + "/qvlgam.rec", std::ios::binary);
      r.write(START_RECORDS[i % 3], i % 3 == 2 ? 16 : 0);
    }
    std::ifstream c(dir_ + "/qvlgam.cfg", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(c)), std::istreambuf_iterator<char>());
  }
  int runs() { return env_number("QVL_DESKTOP_RUNS", 12); }
  Screen screen_of(int i, int shift) {
    int n = runs();
    return (Screen)((shift + (n < SCREEN_COUNT ? i * SCREEN_COUNT / n : i)) % SCREEN_COUNT);
  }
};

TEST_F(Desktop, StopSignalsEndEveryScreenInOrder) {
  const int SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
  unsigned seed = (unsigned)env_number("QVL_DESKTOP_SEED", 17);
  for (int i = 0; i < runs(); i++) {
    Screen at = screen_of(i, 0);
    int sig = SIGNALS[i % 3], delay = 100 + (int)(rand_r(&seed) % 1100);
    SCOPED_TRACE(std::string(SCREEN_NAMES[at]) + ", signal " + std::to_string(sig) + " after " + std::to_string(delay) + " ms");
    std::string cfg = lay_out_run(i);
    Game game;
    pid_t pid = game.start(dir_, x_.name());
    ASSERT_TRUE(walk_to(x_.display(), x_.name(), at));
    sleep_ms(delay);
    ASSERT_EQ(game.wait_exit(1), -1) << "ended before the signal: " << game.stderr_text();
    kill(pid, sig);
    EXPECT_EQ(game.wait_exit(2000), 0) << game.stderr_text();
    expect_files_whole(dir_, cfg, i % 3);
  }
}

TEST_F(Desktop, LostDisplayEndsEveryScreenAtOnce) {
  unsigned seed = (unsigned)env_number("QVL_DESKTOP_SEED", 17) + 1;
  for (int i = 0; i < runs(); i++) {
    Screen at = screen_of(i, 2);
    int delay = 100 + (int)(rand_r(&seed) % 1100);
    SCOPED_TRACE(std::string(SCREEN_NAMES[at]) + ", display lost after " + std::to_string(delay) + " ms");
    ASSERT_TRUE(i == 0 || x_.start());
    std::string cfg = lay_out_run(i);
    Game game;
    game.start(dir_, x_.name());
    ASSERT_TRUE(walk_to(x_.display(), x_.name(), at));
    sleep_ms(delay);
    ASSERT_EQ(game.wait_exit(1), -1) << "ended before the display went: " << game.stderr_text();
    x_.crash();
    int status = game.wait_exit(2000);
    EXPECT_NE(status, 0);
    EXPECT_NE(status, -1) << "still running";
    // Before the game had its window it fails to start instead.
    if (at != AT_START) {
      EXPECT_EQ(status, 69);
      EXPECT_NE(game.stderr_text().find("the connection to the display was lost"), std::string::npos);
    }
    expect_files_whole(dir_, cfg, i % 3);
  }
}

// Allegro's own sections in the settings file reach none of its drivers: a
// keycode far out of range, an unknown joystick type and sound settings no
// card offers used to crash the game on a key press, abort it, or stop its
// start with error 7.
TEST_F(Desktop, AllegroSectionsInTheSettingsFileChangeNothing) {
  lay_out(true, true, true);
  std::ofstream(dir_ + "/qvlgam.cfg", std::ios::app)
      << "\n[xkeymap]\nkeycode38 = 99999999\nkeycode65 = -99999999\n[joystick]\njoytype = 99999\n"
         "[sound]\ndigi_voices = 99999\nsound_freq = -5\n[system]\nkeyboard = zz\n";
  Game game;
  game.start(dir_, x_.name());
  Window w = reach_title(x_.display(), x_.name());
  ASSERT_NE(w, 0u) << game.stderr_text();
  for (const char *k : {"a", "space", "Right", "Left"}) tap(x_.name(), k);
  send_delete_window(x_.display(), w);
  EXPECT_EQ(game.wait_exit(10000), 0) << game.stderr_text();
}

// A signal while the start-up failure's message is up closes it too.
TEST_F(Desktop, StopSignalClosesTheStartUpMessage) {
  lay_out(true, false, true);
  Game game;
  pid_t pid = game.start(dir_, x_.name());
  ASSERT_NE(wait_for_window(x_.display(), "Initialisation error", 15000), 0u);
  kill(pid, SIGTERM);
  EXPECT_EQ(game.wait_exit(2000), 6);
  sleep_ms(200);
  EXPECT_EQ(processes_in(dir_), 0) << "the message was left on the screen";
}

// The splash at zoom 3 in a true-colour window, in the display's 8.8.8
// pixels: each 5.6.5 colour of the datafile widened as the presenter does.
bool splash_pixel_true(BITMAP *splash, int x, int y, unsigned long *out) {
  int c = getpixel(splash, x, y);
  *out = (unsigned long)getr16(c) << 16 | (unsigned long)getg16(c) << 8 | (unsigned long)getb16(c);
  return true;
}

// How many sampled pixels of the window match a 5.6.5 picture scaled to it.
int matching_pixels(Display *d, Window w, BITMAP *picture, int rows, int *total) {
  XImage *img = XGetImage(d, w, 0, 0, 960, 720, AllPlanes, ZPixmap);
  if (!img) return 0;
  int same = 0;
  *total = 0;
  for (int y = 1; y < rows; y += 7)
    for (int x = 2; x < 960; x += 11) {
      unsigned long want;
      splash_pixel_true(picture, x * picture->w / 960, y * picture->w / 960, &want);
      (*total)++;
      same += (XGetPixel(img, x, y) & 0xffffff) == want;
    }
  XDestroyImage(img);
  return same;
}

// The real presenter on a 24-bit display: the window is the picture times
// the zoom; the splash fills it scaled, colour for colour, and so does the
// title's background above the banner once the menu has settled.
TEST_F(EndToEnd, ZoomThreeWindowOnATrueColourDisplay) {
  x_.stop();
  ASSERT_TRUE(x_.start("1920x1080x24"));
  lay_out(true, true, true);
  {
    std::ifstream in(dir_ + "/qvlgam.cfg");
    std::stringstream text;
    text << in.rdbuf();
    std::string cfg = text.str();
    size_t at = cfg.find("zoom = 2");
    ASSERT_NE(at, std::string::npos);
    cfg.replace(at, 8, "zoom = 3");
    std::ofstream(dir_ + "/qvlgam.cfg") << cfg;
  }
  ASSERT_TRUE(headless_start_bare());
  DATAFILE *data = load_datafile(QVL_RUN_DIR "/qvlgam2.dat");
  ASSERT_NE(data, nullptr);
  Game game;
  game.start(dir_, x_.name());
  Display *d = x_.display();
  Window w = wait_for_window(d, "Quorvale - Sports Day", 15000);
  ASSERT_NE(w, 0u) << "no game window";
  sleep_ms(1500);
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(d, w, &a));
  EXPECT_EQ(a.width, 960);
  EXPECT_EQ(a.height, 720);
  int total = 0;
  int same = matching_pixels(d, w, (BITMAP *)data[1].dat, 660, &total);
  EXPECT_GT(same * 100, total * 95) << same << " of " << total << " pixels match the splash";
  unload_datafile(data);
  data = load_datafile(QVL_RUN_DIR "/qvlgam.dat");
  ASSERT_NE(data, nullptr);
  ASSERT_EQ(reach_title(d, x_.name()), w);
  sleep_ms(1500);
  same = matching_pixels(d, w, (BITMAP *)data[13].dat, 190 * 3, &total);
  EXPECT_GT(same * 100, total * 95) << same << " of " << total << " pixels match the title's background";
  unload_datafile(data);
  headless_stop();
  send_delete_window(d, w);
  EXPECT_EQ(game.wait_exit(10000), 0);
}

std::string file_text(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// The game's own player, headless in a scratch folder: what it printed.
std::string play_headless(const std::string &demo, int mode) {
  HeadlessOptions options;
  if (!headless_start(options)) return "headless start failed";
  CommandLine line = {mode, demo.c_str()};
  testing::internal::CaptureStdout();
  if (demo_prepare(&line)) {
    demo_begin();
    run_title_loop();
    demo_finish();
  }
  std::string out = testing::internal::GetCapturedStdout();
  headless_stop();
  return out;
}

// A player's run recorded in the window, from the title menu through the
// sprint (its time kept) until the window is closed, plays back to the same
// records and the same frames: headless, and in the window at full speed
// and at the normal pace, which leave the player's files as they were.
TEST_F(EndToEnd, ARunRecordedInTheWindowPlaysBackAlikeEverywhere) {
  lay_out(true, true, true);
  const std::string demo = dir_ + "/sprint.demo";
  Display *d = x_.display();
  const std::string &x = x_.name();
  {
    Game game;
    game.start(dir_, x, "-record", demo.c_str());
    Window w = reach_title(d, x);
    ASSERT_NE(w, 0u) << "no game window, or the splash did not end";
    int screens = 0;
    auto sprintStart = std::chrono::steady_clock::now();
    while (screens < 8 && key_ends_screen(d, w, x, "space", 2500)) {
      screens++;
      sprintStart = std::chrono::steady_clock::now();
    }
    ASSERT_GE(screens, 1) << "fire on play ends the title menu";
    std::this_thread::sleep_until(sprintStart + std::chrono::milliseconds(10000));
    std::string strides;
    for (int i = 0; i < 8; i++) strides += "keydown Left sleep 0.06 keyup Left keydown Right sleep 0.06 keyup Right ";
    for (int burst = 0; burst < 15 && best_sprint_time(dir_) <= 0; burst++) xdo(x, strides);
    for (int t = 0; t < 40000 && best_sprint_time(dir_) <= 0; t += 250) sleep_ms(250);
    ASSERT_GT(best_sprint_time(dir_), 0.0f) << "the runner never finished";
    send_delete_window(d, w);
    ASSERT_EQ(game.wait_exit(10000), 0) << game.stderr_text();
  }
  std::string text = file_text(demo);
  char claim[80];
  RecordData reached = {best_sprint_time(dir_), -1, -1.0f, -1.0f};
  demo_records_text("claim", reached, claim, sizeof claim);
  ASSERT_NE(text.find(claim), std::string::npos) << "the claim is the time kept:\n" << claim;
  const std::string alike = "frames as recorded\nverified\n";
  std::string out = play_headless(demo, DEMO_TIME);
  EXPECT_NE(out.find(alike), std::string::npos) << out;
  if (out.find(alike) == std::string::npos) fs::copy_file(demo, "/tmp/qvl-e2e-failed.demo", fs::copy_options::overwrite_existing);
  std::string cfg = file_text(dir_ + "/qvlgam.cfg"), rec = file_text(dir_ + "/qvlgam.rec");
  for (const char *option : {"-timedemo", "-playdemo"}) {
    Game game;
    game.start(dir_, x, option, demo.c_str());
    EXPECT_EQ(game.wait_exit(90000), 0) << option << "\n" << game.stderr_text();
    EXPECT_NE(game.stdout_text().find(alike), std::string::npos) << option << "\n" << game.stdout_text();
    EXPECT_EQ(file_text(dir_ + "/qvlgam.cfg"), cfg) << option;
    EXPECT_EQ(file_text(dir_ + "/qvlgam.rec"), rec) << option;
  }
}

// The command line through the real binary, with no display needed: help,
// the version, a wrong option and demos that cannot be played each get
// their answer and exit status, and nothing starts.
TEST(CommandLine, EachAnswerAndItsExitStatus) {
  char templ[] = "/tmp/qvl-cmd-XXXXXX";
  ASSERT_NE(mkdtemp(templ), nullptr);
  const std::string dir = templ;
  auto run = [&](const std::string &args, std::string *out, std::string *err) {
    std::string command = "cd " + dir + " && env -u DISPLAY " QVL_GAME_BINARY " " + args + " >out.txt 2>err.txt";
    int status = system(command.c_str());
    *out = file_text(dir + "/out.txt");
    *err = file_text(dir + "/err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::ofstream(dir + "/old.demo") << "demo 0\n";
  std::ofstream(dir + "/cut.demo") << "demo 1\nseed 4\ndifficulty 1\nhold 75 3";
  std::ofstream(dir + "/picture.demo") << "\x89PNG\r\n\x1a\n";
  const struct {
    const char *args;
    int status;
    const char *out, *err;
  } CASES[] = {
      {"--help", 0, "  qvlgam -timedemo FILE ", ""},
      {"-h", 0, "Playing a demo never changes qvlgam.rec or qvlgam.cfg.\n", ""},
      {"--version", 0, "Quorvale - Sports Day 1.", ""},
      {"-fullscreen", 2, "", "qvlgam: unknown option -fullscreen; usage: qvlgam [-record FILE"},
      {"-playdemo", 2, "", "qvlgam: a file must follow -playdemo; usage:"},
      {"-timedemo a.demo b.demo", 2, "", "qvlgam: one option only; not b.demo; usage:"},
      {"--help -record x", 2, "", "qvlgam: nothing may follow --help;"},
      {"-timedemo missing.demo", 3, "", "qvlgam: demo missing.demo: no such file\n"},
      {"-playdemo .", 3, "", "qvlgam: demo .: cannot be read\n"},
      {"-timedemo old.demo", 3, "", "qvlgam: demo old.demo: a demo of version 0; this game plays version 1\n"},
      {"-playdemo cut.demo", 3, "", "qvlgam: demo cut.demo: line 4 cannot be read\n"},
      {"-timedemo picture.demo", 3, "", "qvlgam: demo picture.demo: not a demo (its first line is not \"demo 1\")\n"},
      {"-record no/such/folder.demo", 3, "", "qvlgam: the demo no/such/folder.demo cannot be written\n"},
  };
  for (const auto &c : CASES) {
    std::string out, err;
    EXPECT_EQ(run(c.args, &out, &err), c.status) << c.args;
    EXPECT_NE(out.find(c.out), std::string::npos) << c.args << ": " << out;
    EXPECT_NE(err.find(c.err), std::string::npos) << c.args << ": " << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), c.status == 0 ? 0 : 1) << err;
    EXPECT_TRUE(c.status != 0 || err.empty()) << c.args;
  }
  EXPECT_FALSE(fs::exists(dir + "/qvlgam.rec"));
  fs::remove_all(dir);
}

}  // namespace
