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

// A control's binding, an input code: 1 to 126 are Allegro key codes; these
// name joystick inputs.
enum {
  JOY_UP = 1000,
  JOY_DOWN = 1001,
  JOY_LEFT = 1002,
  JOY_RIGHT = 1003,
  JOY_BUTTON_1 = 1004,
  JOY_BUTTON_6 = 1009,
};
// 1 for a code that names a key or a joystick input.
int input_code_valid(int code);

// 1 when the file is there (a regular file) and was read; Settings are
// untouched otherwise.
int load_settings(void);
// Writes all thirteen values into the file, every other line kept; a save
// that fails or cannot be verified is said on stderr.
void save_settings(void);
// The thirteen values a settings text gives, as load_settings takes them.
void parse_settings(const char *text, long size, SettingsData *out);
// The text save_settings writes over an old one (which may be empty), in
// memory the caller frees; null when out of memory.
char *settings_file_text(const char *old, long oldSize, const SettingsData &s, long *size);

// Settings texts, read as Allegro's configuration reader reads them (and a
// byte-order mark skipped). The first value of name in any block of
// section; 0 when missing or empty.
int config_value(const char *text, long size, const char *section, const char *name, const char **value,
                 long *length);
// Entries are grouped by section, in the order new ones are written.
struct ConfigEntry {
  const char *section;
  const char *name;
  int value;
};
// The text with each entry's first value replaced (later values of the same
// key dropped), missing keys added to the first block of their section and
// missing sections at the end; null when out of memory.
char *config_rewrite(const char *text, long size, const ConfigEntry *entries, int count, long *outSize);
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

// While a demo is recorded or played, the run's records are only those it
// started from and those it reached: the file is not read into memory.
extern int RecordsInMemory;
// While a demo is played, no file is written at all.
extern int FilesKept;

// Each field read from the file merged into memory, keeping the better; a
// missing file is created.
void load_records(void);
// Writes the better of memory and the file in each field (memory takes it
// too).
void save_records(void);
// Field by field, the better of two tables (lower times, higher points and
// distance; no record is worse than any record).
RecordData better_records(const RecordData &a, const RecordData &b);

// Crash-safe saving (written beside, read back, synced, renamed over, folder
// synced), falling back to an in-place rewrite that puts the old bytes back
// if it fails. A symbolic link keeps pointing at its target, which gets the
// new contents (and is created when missing). 1 when the file was written;
// a failure is said on stderr.
int save_file_safely(const char *path, const unsigned char *data, long size);
// Tells on stderr that a file was not saved, and why.
void save_failed(const char *path, const char *why);

// At most limit bytes of a regular file, NUL-terminated, in memory the
// caller frees: 1 when read, 0 when there is no such file, -1 when it
// cannot be read or is no regular file.
int read_whole_file(const char *path, unsigned char **data, long *size, long limit);

// A save from reading the file to writing it: save_begin locks the folder
// against another copy of the game (the lock, or -1 without one) or
// refuses with SAVE_REFUSED once saving has stopped; save_end undoes it.
#define SAVE_REFUSED (-2)
int save_begin(const char *path);
void save_end(int lock);
// No save starts any more; one under way gets up to waitMs to end. Safe
// where only async-signal-safe calls may be made.
void stop_saving(int waitMs);

// The 16 bytes of the file for a table.
void encode_records(const RecordData &records, unsigned char out[16]);
