// Persistence: the settings in "qvlgam.cfg" and the personal bests in
// "qvlgam.rec".
#pragma once

#define CONFIG_FILE "qvlgam.cfg"
#define RECORDS_FILE "qvlgam.rec"

// Thirteen fields, named and ordered as the configuration keys, and the
// zoom, which the game reads but never writes.
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
  int zoom;
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
// Crash-safe saving (written beside, synced, renamed over, folder synced),
// falling back to an in-place write where that cannot be done. A symbolic
// link keeps pointing at its target, which gets the new contents.
// 1 when the file was written.
int save_file_safely(const char *path, const unsigned char *data, long size);
// The file a save lands in (a link's target); 0 when it must not be written.
int save_target(const char *path, char *target, int size);
// A fresh temporary file beside the target; -1 when none can be made.
int open_temp(const char *target, char *temp, int size);
int write_fully(int fd, const unsigned char *data, long size);
// Syncs the temporary file, renames it over the target and syncs the
// folder; on failure the temporary file is removed and 0 returned.
int commit_temp(const char *temp, const char *target);

// The 16 bytes of the file for a table.
void encode_records(const RecordData &records, unsigned char out[16]);
