// The headless platform driver: no display, no timer, no sound card. The
// game's spinning loops call plat_idle(), which moves a virtual 60 Hz clock
// one tick and sets the keys the script holds on that tick.
#include "headless/headless.h"

#include "game/game.h"

#include "input/input.h"
#include "persist/persist.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

#include <loadpng.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <vector>

struct Hold {
  int key;
  int from;
  int to;
};

struct Owed {
  int tick, n;
  bool every, used;
};

struct Snapshot {
  int tick;
  std::string path;
  bool taken;
};

static int Tick = 0;
static int Frozen = 0;
static int TickLimit = 200000;
static std::vector<Hold> Script;
static std::vector<Owed> Owing;
static std::vector<int> Closes;
static bool Pressed[KEY_MAX];
static void (*OnTick)(int) = nullptr;
static void (*OnPresent)(BITMAP *, int) = nullptr;
static int Presents = 0, Rests = 0, LastRestMs = 0, TimerHz = 0, ErrorBoxes = 0;
static int GfxFailures = 0, GfxModes = 0, GfxCard = 0;
static std::vector<Snapshot> Snapshots;
static std::string WorkDir, OldDir;
static bool OwnWorkDir = false;
static bool Started = false;
static bool TimerBroken = false;
static DisplayInfo Display = {1024, 768, 1024, 768, 1};
static int ViewX = 0, ViewY = 0, ViewZoom = 2, Pictures = 0;
static bool FramesOnScreen = false;
static unsigned ScreenTable[65536];
static std::vector<FsoundLogEntry> SoundLog;

// Bounded, so a long run that never reads it keeps only the latest calls.
static void keep_sound_call(const FsoundLogEntry &call) {
  if (SoundLog.size() >= 65536) SoundLog.erase(SoundLog.begin(), SoundLog.begin() + 32768);
  SoundLog.push_back(call);
}

static void apply_keys(void) {
  bool down[KEY_MAX] = {};
  for (const Hold &h : Script)
    if (Tick >= h.from && Tick <= h.to && h.key > 0 && h.key < KEY_MAX) down[h.key] = true;
  for (int k = 1; k < KEY_MAX; k++) key[k] = (down[k] || Pressed[k]) ? 1 : 0;
}

static void advance_one(void) {
  Tick++;
  apply_keys();
  tick_timer();
  fsound_fake_advance(44100 / 60);
  for (int close : Closes)
    if (Tick == close) on_close_button();
  if (OnTick) OnTick(Tick);
  if (Tick >= TickLimit) QuitFlag = 1;
}

void plat_idle(void) {
  if (Frozen) return;
  int until = Tick + 1;
  for (Owed &o : Owing) {
    if (o.tick > until || o.used) continue;
    until = std::max(until, o.every ? Tick + o.n : o.tick + o.n - 1);
    o.used = !o.every;
  }
  while (Tick < until) advance_one();
}

// Through the game's own scaler, as the real driver's presenter, into the
// 16-bit memory screen.
static void scale_onto_screen(BITMAP *bmp) {
  if (!screen || !bmp) return;
  PixelFormat format = {2, (unsigned)makecol16(255, 0, 0), (unsigned)makecol16(0, 255, 0),
                        (unsigned)makecol16(0, 0, 255)};
  build_colour_table(format, ScreenTable);
  int pitch = screen->h > 1 ? (int)(screen->line[1] - screen->line[0]) : screen->w * 2;
  unsigned char *origin = screen->line[0] + (size_t)ViewY * pitch + (size_t)ViewX * 2;
  if (bmp->w == 320)
    scale_rect(bmp, 0, 0, 320, 240, ViewZoom, ScreenTable, 2, origin, pitch);
  else
    scale_to_size(bmp, 320 * ViewZoom, 240 * ViewZoom, ScreenTable, 2, origin, pitch);
}

void plat_present_picture(BITMAP *picture) {
  Pictures++;
  scale_onto_screen(picture);
  if (OnPresent && picture) OnPresent(picture, Tick);
}

void plat_set_view(int x, int y, int zoom) {
  ViewX = x;
  ViewY = y;
  ViewZoom = zoom;
}

void plat_display_info(DisplayInfo *info) { *info = Display; }

void plat_present(BITMAP *backbuffer) {
  Presents++;
  if (FramesOnScreen) scale_onto_screen(backbuffer);
  if (OnPresent && backbuffer) OnPresent(backbuffer, Tick);
  for (Snapshot &s : Snapshots)
    if (!s.taken && Tick >= s.tick && backbuffer) {
      headless_save_png(backbuffer, s.path);
      s.taken = true;
    }
}

void plat_rest(int ms) {
  Rests++;
  LastRestMs = ms;
}

int plat_install_timer(void (*)(void), int hz) {
  TimerHz = TimerBroken ? 0 : hz;
  return !TimerBroken;
}
void plat_remove_timer(void) { TimerHz = 0; }
void plat_centre_window(void) {}
void plat_watch_display(void) {}
void plat_error_box(const char *, const char *) { ErrorBoxes++; }

int plat_set_gfx_mode(int card, int w, int h) {
  GfxModes++;
  GfxCard = card;
  if (screen) destroy_bitmap(screen);
  screen = nullptr;
  if (GfxFailures > 0) {
    GfxFailures--;
    return -1;
  }
  screen = create_bitmap(w, h);
  if (!screen) return -1;
  clear_to_color(screen, 0);
  return 0;
}

static bool enter_work_dir(const std::string &dir) {
  char cwd[4096];
  OldDir = getcwd(cwd, sizeof cwd) ? cwd : "/";
  if (dir.empty()) {
    char templ[] = "/tmp/qvl-test-XXXXXX";
    if (!mkdtemp(templ)) return false;
    WorkDir = templ;
    OwnWorkDir = true;
  } else {
    WorkDir = dir;
    OwnWorkDir = false;
    std::filesystem::create_directories(WorkDir);
  }
  return chdir(WorkDir.c_str()) == 0;
}

static void reset_state(const HeadlessOptions &options) {
  Tick = 0;
  Frozen = 0;
  TickLimit = options.tickLimit;
  Script.clear();
  Owing.clear();
  Closes.clear();
  for (bool &p : Pressed) p = false;
  OnTick = nullptr;
  OnPresent = nullptr;
  Presents = Rests = LastRestMs = TimerHz = ErrorBoxes = 0;
  TimerBroken = false;
  GfxFailures = GfxModes = GfxCard = 0;
  Display = DisplayInfo{1024, 768, 1024, 768, 1};
  ViewX = ViewY = 0;
  ViewZoom = 2;
  Pictures = 0;
  FramesOnScreen = false;
  Snapshots.clear();
  TickCounter = 0;
  QuitFlag = 0;
  NeedsRedraw = 0;
  CheatMode = 0;
  // As in a fresh process: records are merged into memory on loading.
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  FrameRestMs = 0;
  AutoRestFrames = 600;
  AutoRestCountdown = 0;
  LateTicks = 0;
  LateTicksMark = 0;
}

// Default settings come from the real reader over an empty file, unless the
// test left a file of its own in its folder.
static bool default_settings(void) {
  if (!exists(CONFIG_FILE)) {
    FILE *f = fopen(CONFIG_FILE, "w");
    if (!f) return false;
    fclose(f);
  }
  return load_settings() != 0;
}

bool headless_start(const HeadlessOptions &options) {
  if (Started) headless_stop();
  reset_state(options);
  if (!enter_work_dir(options.workDir)) return false;
  set_uformat(U_ASCII);
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return false;
  Started = true;
  set_color_depth(16);
  screen = create_bitmap(640, 480);
  Backbuffer = create_bitmap(320, 240);
  if (!screen || !Backbuffer || !default_settings()) return false;
  clear_to_color(screen, 0);
  clear_to_color(Backbuffer, 0);
  init_controls();
  apply_keys();
  if (options.loadData) {
    set_main_datafile(load_datafile(QVL_RUN_DIR "/qvlgam.dat"));
    if (!MainData || create_fonts() != 0) return false;
  }
  fsound_use_fake_output(1);
  SoundLog.clear();
  FsoundTrace = keep_sound_call;
  if (init_sound() != 0) return false;
  game_srand(options.seed);
  return true;
}

bool headless_start_bare(void) {
  HeadlessOptions options;
  options.loadData = false;
  return headless_start(options);
}

void headless_stop(void) {
  if (!Started) return;
  if (screen) destroy_bitmap(screen);
  screen = nullptr;
  shutdown_game();
  FsoundTrace = nullptr;
  for (int k = 1; k < KEY_MAX; k++) key[k] = 0;
  Started = false;
  if (!OldDir.empty() && chdir(OldDir.c_str()) != 0) perror("chdir");
  if (OwnWorkDir) {
    std::error_code ec;
    std::filesystem::remove_all(WorkDir, ec);
  }
}

int headless_tick(void) { return Tick; }
void headless_freeze_clock(int frozen) { Frozen = frozen; }
void headless_owe(int tick, int n, bool every) { Owing.push_back(Owed{tick, n, every, false}); }
void headless_close_at(int tick) { Closes.push_back(tick); }

void headless_hold(int keycode, int fromTick, int toTick) { Script.push_back(Hold{keycode, fromTick, toTick}); }
void headless_clear_script(void) { Script.clear(); }

void headless_press(int keycode) {
  if (keycode <= 0 || keycode >= KEY_MAX) return;
  Pressed[keycode] = true;
  key[keycode] = 1;
}

void headless_release(int keycode) {
  if (keycode <= 0 || keycode >= KEY_MAX) return;
  Pressed[keycode] = false;
  apply_keys();
}

void headless_on_tick(void (*callback)(int tick)) { OnTick = callback; }
void headless_on_present(void (*callback)(BITMAP *, int)) { OnPresent = callback; }

int headless_presents(void) { return Presents; }
int headless_rests(void) { return Rests; }
int headless_last_rest_ms(void) { return LastRestMs; }
int headless_timer_hz(void) { return TimerHz; }
void headless_break_timer(int broken) { TimerBroken = broken != 0; }
int headless_error_boxes(void) { return ErrorBoxes; }
void headless_fail_gfx_modes(int count) { GfxFailures = count; }
int headless_gfx_modes(void) { return GfxModes; }
int headless_gfx_card(void) { return GfxCard; }

void headless_set_display(const DisplayInfo &display) { Display = display; }
void headless_frames_on_screen(int on) { FramesOnScreen = on != 0; }
int headless_pictures(void) { return Pictures; }
void headless_view(int *x, int *y, int *zoom) {
  *x = ViewX;
  *y = ViewY;
  *zoom = ViewZoom;
}

void headless_snapshot(int tick, const std::string &pngPath) { Snapshots.push_back(Snapshot{tick, pngPath, false}); }

bool headless_save_png(BITMAP *bmp, const std::string &pngPath) {
  return bmp && save_png(pngPath.c_str(), bmp, nullptr) == 0;
}

int sound_log_count(void) { return (int)SoundLog.size(); }

int sound_log_entry(int i, FsoundLogEntry *entry) {
  if (i < 0 || i >= (int)SoundLog.size() || !entry) return 0;
  *entry = SoundLog[i];
  return 1;
}

void sound_log_clear(void) { SoundLog.clear(); }

const std::string &headless_work_dir(void) { return WorkDir; }
