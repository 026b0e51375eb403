// Persistence: the settings in "qvlgam.cfg" and the personal bests in
// "qvlgam.rec".
#pragma once

#define CONFIG_FILE "qvlgam.cfg"
#define RECORDS_FILE "qvlgam.rec"

// Thirteen fields, named and ordered as the configuration keys.
struct SettingsData {
  int online_scores;
  int cpu_usage;
  int difficulty;
  int windowed;
  int forcerate;
  int soundvolume;
  int musicvolume;
  int up;
  int down;
  int left;
  int right;
  int fire;
  int quit;
};

extern SettingsData Settings;
extern SettingsData SettingsBackup;

int load_settings(void);
void save_settings(void);
void backup_settings(void);
void restore_settings(void);

// Four 32-bit values; -1 (or -1.0) means no record yet.
struct RecordData {
  float best_sprint_time;
  int best_catapult_points;
  float best_swim_time;
  float best_throw_distance;
};

extern RecordData RecordTable;

void load_records(void);
void save_records(void);
// The 16 bytes of the file for a table.
void encode_records(const RecordData &records, unsigned char out[16]);
