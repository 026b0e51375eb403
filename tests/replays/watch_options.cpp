// What a replay's report shows of the options menu: the pointer, every
// Setting the menu changes, the redefinition steps and codes, the settings
// file as it is written, the title music's volume and how the menu was left.
#include "replay.h"

#include "frontend/frontend.h"
#include "headless/headless.h"
#include "persist/persist.h"
#include "shell/shell.h"
#include "sound/fsound.h"

#include <map>
#include <sstream>
#include <string>

struct OptionsSeen {
  OptionsMenuState menu;
  SettingsData settings;
  std::map<std::string, std::string> file;
  int musicVolume;
};
static OptionsSeen Seen;

static const struct {
  const char *name;
  int SettingsData::*field;
} FIELDS[] = {
    {"online_scores", &SettingsData::online_scores}, {"cpu_usage", &SettingsData::cpu_usage},
    {"difficulty", &SettingsData::difficulty},       {"windowed", &SettingsData::windowed},
    {"forcerate", &SettingsData::forcerate},         {"soundvolume", &SettingsData::soundvolume},
    {"musicvolume", &SettingsData::musicvolume},     {"up", &SettingsData::up},
    {"down", &SettingsData::down},                   {"left", &SettingsData::left},
    {"right", &SettingsData::right},                 {"fire", &SettingsData::fire},
    {"quit", &SettingsData::quit},
};
static const char *const CONTROL_NAMES[3] = {"left", "right", "fire"};
static const char *const MODE_CHANGES[4] = {"unchanged", "set", "restored", "lost"};

// "key = value" lines of the settings file as it stands.
static std::map<std::string, std::string> file_values(void) {
  std::map<std::string, std::string> values;
  std::string text, line;
  read_text(CONFIG_FILE, &text);
  std::istringstream in(text);
  while (std::getline(in, line)) {
    size_t eq = line.find(" = ");
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 3);
  }
  return values;
}

static int music_volume(void) {
  FsoundChannelInfo info;
  return fsound_channel_info(OptionsMenu.musicChannel, &info) ? info.volume : -1;
}

static void watch_int(int tick, int seen, int now, const char *what) {
  if (seen != now) replay_say("t=%d options %s %d", tick, what, now);
}

static void watch_menu(int tick) {
  const OptionsMenuState &o = OptionsMenu, &was = Seen.menu;
  watch_int(tick, was.selection, o.selection, "pointer");
  watch_int(tick, was.redefineStep, o.redefineStep, "redefine step");
  for (int i = 0; i < 3; i++)
    if (was.captured[i] != o.captured[i])
      replay_say("t=%d options captured %s %d", tick, CONTROL_NAMES[i], o.captured[i]);
  Seen.menu = o;
}

static void watch_settings(int tick) {
  for (const auto &f : FIELDS)
    if (Seen.settings.*f.field != Settings.*f.field) replay_say("t=%d options %s %d", tick, f.name, Settings.*f.field);
  Seen.settings = Settings;
  std::map<std::string, std::string> file = file_values();
  std::string changed;
  for (const auto &kv : file)
    if (Seen.file[kv.first] != kv.second) changed += " " + kv.first + "=" + kv.second;
  if (!changed.empty()) replay_say("t=%d options file now%s", tick, changed.c_str());
  Seen.file = file;
  int volume = music_volume();
  watch_int(tick, Seen.musicVolume, volume, "title music volume");
  Seen.musicVolume = volume;
}

static void opened(int tick) {
  // A scripted player can answer the menu: "@options+10".
  replay_anchor("options");
  Seen = OptionsSeen();
  Seen.menu = OptionsMenu;
  Seen.settings = Settings;
  Seen.file = file_values();
  Seen.musicVolume = music_volume();
  replay_say("t=%d options open: music %d sound %d windowed %d forcerate %d cpu %d keys %d %d %d", tick,
             Settings.musicvolume, Settings.soundvolume, Settings.windowed, Settings.forcerate,
             Settings.cpu_usage, Settings.left, Settings.right, Settings.fire);
}

static const char *card_name(int card) {
  return card == GFX_AUTODETECT_WINDOWED ? "windowed" : card == GFX_AUTODETECT_FULLSCREEN ? "full screen" : "-";
}

static void closed(int tick) {
  const OptionsMenuState &o = OptionsMenu;
  replay_say("t=%d options left by %s, mode %s, mode sets %d, last %s, screen %s, rest %d ms, auto frames %d",
             tick, o.accept ? "accept" : "quit", MODE_CHANGES[o.modeChange], headless_gfx_modes(),
             card_name(headless_gfx_card()), screen ? "yes" : "none", FrameRestMs, AutoRestFrames);
}

static void options_reset(void) {
  OptionsMenu = OptionsMenuState();
  Seen = OptionsSeen();
}

static void options_tick_seen(int tick) {
  bool wasOpen = Seen.menu.open;
  if (!OptionsMenu.open && !wasOpen) return;
  if (!wasOpen) opened(tick);
  watch_menu(tick);
  watch_settings(tick);
  if (wasOpen && !OptionsMenu.open) closed(tick);
}

const ReplayWatcher OPTIONS_WATCHER = {options_reset, options_tick_seen, nullptr};
