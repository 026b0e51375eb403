// The player's preferences in "qvlgam.cfg".
#include "persist/persist.h"

#include "input/input.h"

#include <allegro.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

SettingsData Settings;
SettingsData SettingsBackup;

struct SettingKey {
  const char *section;
  const char *name;
  int defaultValue;
  int SettingsData::*field;
};

// File order; the defaults apply to keys missing from the file.
static const SettingKey KEYS[13] = {
    {"general", "online_scores", 1, &SettingsData::online_scores},
    {"general", "cpu_usage", 0, &SettingsData::cpu_usage},
    {"general", "difficulty", 0, &SettingsData::difficulty},
    {"graphics", "windowed", 0, &SettingsData::windowed},
    {"graphics", "forcerate", 0, &SettingsData::forcerate},
    {"sound", "soundvolume", 8, &SettingsData::soundvolume},
    {"sound", "musicvolume", 8, &SettingsData::musicvolume},
    {"controls", "up", KEY_UP, &SettingsData::up},
    {"controls", "down", KEY_DOWN, &SettingsData::down},
    {"controls", "left", KEY_LEFT, &SettingsData::left},
    {"controls", "right", KEY_RIGHT, &SettingsData::right},
    {"controls", "fire", KEY_SPACE, &SettingsData::fire},
    {"controls", "quit", KEY_ESC, &SettingsData::quit},
};

// Read only: a save leaves the player's line as it stands, since every line
// of the file is kept and this key is never written.
static const SettingKey ZOOM_KEY = {"graphics", "zoom", 2, &SettingsData::zoom};

static int clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A decimal integer as the file gives it (a fraction is cut at its point),
// held to the range of an int; a value that is not a number at all is taken
// as missing.
static int read_value(const SettingKey &k) {
  const char *text = get_config_string(k.section, k.name, nullptr);
  if (!text) return k.defaultValue;
  char *end = nullptr;
  long long v = strtoll(text, &end, 10);
  if (end == text) return k.defaultValue;
  return (int)(v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : v));
}

static bool is_binding(const SettingKey &k) { return k.section[0] == 'c'; }

int load_settings(void) {
  if (!exists(CONFIG_FILE)) return 0;
  set_config_file(CONFIG_FILE);
  for (const SettingKey &k : KEYS) {
    int v = read_value(k);
    // A binding to no key or joystick input could never be pressed: fire
    // alone would lock the player out of the game.
    if (is_binding(k) && !input_code_valid(v)) v = k.defaultValue;
    Settings.*k.field = v;
  }
  // A hand-edited file must not send the volume pictures or the difficulty
  // screen past their ranges.
  Settings.soundvolume = clamp(Settings.soundvolume, 0, 8);
  Settings.musicvolume = clamp(Settings.musicvolume, 0, 8);
  Settings.difficulty = clamp(Settings.difficulty, 0, 2);
  Settings.zoom = read_value(ZOOM_KEY);
  return 1;
}

static void set_all_keys(void) {
  for (const SettingKey &k : KEYS) set_config_int(k.section, k.name, Settings.*k.field);
}

static bool file_holds_settings(void) {
  for (const SettingKey &k : KEYS) {
    if (get_config_string(k.section, k.name, nullptr) == nullptr) return false;
    if (get_config_int(k.section, k.name, 0) != Settings.*k.field) return false;
  }
  return true;
}

// The current file's lines, so that lines the game does not know survive.
// Allegro adds a missing key before the first blank line after its section
// header, or at the very end: without a blank line before each section a
// new key would land in the last section of the file.
static bool copy_file_into(int fd, const char *path) {
  FILE *in = fopen(path, "rb");
  if (!in) return true;
  char line[1024];
  bool ok = true, lineStart = true, lastBlank = true;
  while (ok && fgets(line, sizeof line, in)) {
    size_t n = strlen(line);
    if (lineStart && line[0] == '[' && !lastBlank) ok = write_fully(fd, (const unsigned char *)"\n", 1);
    if (lineStart) lastBlank = strspn(line, " \t\r\n") == n;
    ok = ok && write_fully(fd, (const unsigned char *)line, (long)n);
    lineStart = n > 0 && line[n - 1] == '\n';
  }
  ok = !ferror(in) && ok;
  fclose(in);
  return ok;
}

// Allegro writes the temporary file; it is read back before it may replace
// the real one, since Allegro does not report a failed write.
static bool write_temp(const char *target, const char *temp, int fd) {
  bool ok = copy_file_into(fd, target);
  ok = close(fd) == 0 && ok;
  if (ok) {
    set_config_file(temp);
    set_all_keys();
    flush_config_file();
    set_config_file(temp);
    ok = file_holds_settings();
  }
  if (!ok) unlink(temp);
  return ok;
}

void save_settings(void) {
  char target[PATH_MAX], temp[PATH_MAX + 8];
  if (!save_target(CONFIG_FILE, target, sizeof target)) return;
  int fd = open_temp(target, temp, sizeof temp);
  if (fd >= 0) {
    // A failed write leaves the old file alone rather than cutting it.
    if (write_temp(target, temp, fd) && !commit_temp(temp, target)) fd = -1;
  }
  if (fd < 0) {
    set_config_file(CONFIG_FILE);
    set_all_keys();
  }
  // Allegro's current configuration is the real file again, written now
  // rather than at exit so a crash cannot lose the player's choice.
  set_config_file(CONFIG_FILE);
}

void backup_settings(void) { SettingsBackup = Settings; }

void restore_settings(void) { Settings = SettingsBackup; }
