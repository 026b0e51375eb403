// The player's preferences in "qvlgam.cfg".
#include "persist/persist.h"

#include <allegro.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

int input_code_valid(int code) {
  return (code >= 1 && code < KEY_MAX) || (code >= JOY_UP && code <= JOY_BUTTON_6);
}

static int clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A decimal integer as strtoll reads it (a fraction is cut at its point),
// held to the range of an int; 0 when the value is not a number at all.
static int number_in(const char *p, long n, int *out) {
  long i = 0;
  bool negative = false;
  if (i < n && (p[i] == '+' || p[i] == '-')) negative = p[i++] == '-';
  if (i == n || p[i] < '0' || p[i] > '9') return 0;
  long long v = 0;
  for (; i < n && p[i] >= '0' && p[i] <= '9'; i++)
    if (v <= INT_MAX) v = v * 10 + (p[i] - '0');
  v = negative ? -v : v;
  *out = (int)(v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : v));
  return 1;
}

// The number as the file gives it; 0 when missing or not a number.
static int raw_value(const char *text, long size, const SettingKey &k, int *out) {
  const char *value;
  long length;
  return config_value(text, size, k.section, k.name, &value, &length) && number_in(value, length, out);
}

static bool is_binding(const SettingKey &k) { return k.section[0] == 'c'; }

void parse_settings(const char *text, long size, SettingsData *out) {
  for (const SettingKey &k : KEYS) {
    int v = k.defaultValue;
    raw_value(text, size, k, &v);
    // A binding to no key or joystick input could never be pressed: fire
    // alone would lock the player out of the game.
    if (is_binding(k) && !input_code_valid(v)) v = k.defaultValue;
    out->*k.field = v;
  }
  // A hand-edited file must not send the volume pictures or the difficulty
  // screen past their ranges.
  out->soundvolume = clamp(out->soundvolume, 0, 8);
  out->musicvolume = clamp(out->musicvolume, 0, 8);
  out->difficulty = clamp(out->difficulty, 0, 2);
  out->zoom = ZOOM_KEY.defaultValue;
  raw_value(text, size, ZOOM_KEY, &out->zoom);
}

int load_settings(void) {
  unsigned char *text = nullptr;
  long size = 0;
  if (read_whole_file(CONFIG_FILE, &text, &size, LONG_MAX - 1) != 1) return 0;
  parse_settings((const char *)text, size, &Settings);
  free(text);
  return 1;
}

char *settings_file_text(const char *old, long oldSize, const SettingsData &s, long *size) {
  ConfigEntry entries[13];
  for (int i = 0; i < 13; i++) entries[i] = ConfigEntry{KEYS[i].section, KEYS[i].name, s.*KEYS[i].field};
  return config_rewrite(old, oldSize, entries, 13, size);
}

// Every value reads back from the new text as it stands in memory.
static bool text_holds(const char *text, long size, const SettingsData &s) {
  for (const SettingKey &k : KEYS) {
    int v;
    if (!raw_value(text, size, k, &v) || v != s.*k.field) return false;
  }
  return true;
}

// Lines the game does not know survive; a file that exists but cannot be
// read is not replaced, since they would be lost.
static void save_over(const char *old, long oldSize) {
  long size = 0;
  char *text = settings_file_text(old, oldSize, Settings, &size);
  if (!text)
    save_failed(CONFIG_FILE, "out of memory");
  else if (!text_holds(text, size, Settings))
    save_failed(CONFIG_FILE, "the new text did not give back the settings");
  else
    save_file_safely(CONFIG_FILE, (const unsigned char *)text, size);
  free(text);
}

void save_settings(void) {
  if (FilesKept) return;
  int lock = save_begin(CONFIG_FILE);
  if (lock == SAVE_REFUSED) return;
  unsigned char *old = nullptr;
  long oldSize = 0;
  int found = read_whole_file(CONFIG_FILE, &old, &oldSize, LONG_MAX - 1);
  if (found < 0)
    save_failed(CONFIG_FILE, errno == EINVAL ? "not a regular file" : "the file cannot be read");
  else
    save_over(found ? (const char *)old : "", oldSize);
  free(old);
  save_end(lock);
}

void backup_settings(void) { SettingsBackup = Settings; }

void restore_settings(void) { Settings = SettingsBackup; }
