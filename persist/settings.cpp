// The player's preferences in "qvlgam.cfg".
#include "persist/persist.h"

#include <allegro.h>

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

static int clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

int load_settings(void) {
  if (!exists(CONFIG_FILE)) return 0;
  set_config_file(CONFIG_FILE);
  for (const SettingKey &k : KEYS) Settings.*k.field = get_config_int(k.section, k.name, k.defaultValue);
  // A hand-edited file must not send the volume pictures or the difficulty
  // screen past their ranges; bad input codes are refused by the controls.
  Settings.soundvolume = clamp(Settings.soundvolume, 0, 8);
  Settings.musicvolume = clamp(Settings.musicvolume, 0, 8);
  Settings.difficulty = clamp(Settings.difficulty, 0, 2);
  return 1;
}

void save_settings(void) {
  set_config_file(CONFIG_FILE);
  for (const SettingKey &k : KEYS) set_config_int(k.section, k.name, Settings.*k.field);
  // Written now rather than at the next configuration change or at exit, so
  // a crash in between cannot lose the player's choice.
  flush_config_file();
}

void backup_settings(void) { SettingsBackup = Settings; }

void restore_settings(void) { Settings = SettingsBackup; }
