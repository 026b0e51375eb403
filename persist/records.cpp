// The personal bests in "qvlgam.rec": 16 bytes, four little-endian 32-bit
// values, no header.
#include "persist/persist.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define NO_RECORDS RecordData{-1.0f, -1, -1.0f, -1.0f}

// No record in any field until the file is read: a file that cannot be
// read must not leave zeros, which no result could beat.
RecordData RecordTable = NO_RECORDS;

#define RECORDS_SIZE 16

static void put_le32(unsigned char *p, uint32_t v) {
  for (int i = 0; i < 4; i++) p[i] = (unsigned char)(v >> (8 * i));
}

static uint32_t get_le32(const unsigned char *p) {
  return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

static uint32_t float_bits(float f) {
  uint32_t v;
  memcpy(&v, &f, 4);
  return v;
}

static float bits_float(uint32_t v) {
  float f;
  memcpy(&f, &v, 4);
  return f;
}

void encode_records(const RecordData &r, unsigned char out[16]) {
  put_le32(out, float_bits(r.best_sprint_time));
  put_le32(out + 4, (uint32_t)r.best_catapult_points);
  put_le32(out + 8, float_bits(r.best_swim_time));
  put_le32(out + 12, float_bits(r.best_throw_distance));
}

// A damaged value that no result could ever beat (not a number, infinite,
// or a time of zero or less) reads as no record, so play can set one again.
static float time_or_none(float t) { return std::isfinite(t) && t > 0.0f ? t : -1.0f; }

static float distance_or_none(float d) { return std::isfinite(d) && d >= 0.0f ? d : -1.0f; }

// Fifteen balloons at 50 points each is the most a round of catapulting can
// give; a higher record could never be beaten.
#define BEST_POSSIBLE_POINTS 750

static int points_or_none(int p) { return p >= 0 && p <= BEST_POSSIBLE_POINTS ? p : -1; }

// A field the file does not cover whole reads as no record: a file cut
// short (or emptied) must not show 0 as a best nobody can beat.
static RecordData decode_records(const unsigned char *in, long length) {
  RecordData r = NO_RECORDS;
  if (length >= 4) r.best_sprint_time = time_or_none(bits_float(get_le32(in)));
  if (length >= 8) r.best_catapult_points = points_or_none((int)get_le32(in + 4));
  if (length >= 12) r.best_swim_time = time_or_none(bits_float(get_le32(in + 8)));
  if (length >= 16) r.best_throw_distance = distance_or_none(bits_float(get_le32(in + 12)));
  return r;
}

// The file as it stands; every field no record when it is missing, cannot
// be read or is not a regular file. 0 when there is no file at all.
static int read_records_file(RecordData *out) {
  unsigned char *bytes = nullptr;
  long length = 0;
  int found = read_whole_file(RECORDS_FILE, &bytes, &length, RECORDS_SIZE);
  *out = decode_records(bytes, found == 1 ? length : 0);
  free(bytes);
  return found != 0;
}

static float lower_time(float a, float b) {
  if (a <= 0.0f) return b;
  return b > 0.0f && b < a ? b : a;
}

RecordData better_records(const RecordData &a, const RecordData &b) {
  RecordData r;
  r.best_sprint_time = lower_time(a.best_sprint_time, b.best_sprint_time);
  r.best_catapult_points = a.best_catapult_points > b.best_catapult_points ? a.best_catapult_points
                                                                            : b.best_catapult_points;
  r.best_swim_time = lower_time(a.best_swim_time, b.best_swim_time);
  r.best_throw_distance = a.best_throw_distance > b.best_throw_distance ? a.best_throw_distance
                                                                        : b.best_throw_distance;
  return r;
}

// Another copy of the game, or a backup put back, may have changed the
// file since: each field keeps the better of the file and memory, so a best
// is never lost and the headers show the best there is.
int RecordsInMemory = 0;
int FilesKept = 0;

void load_records(void) {
  if (RecordsInMemory) return;
  RecordData disk;
  int found = read_records_file(&disk);
  RecordTable = better_records(RecordTable, disk);
  if (!found) save_records();
}

// A crash or a full disk mid-write never leaves a cut-short file. A file the
// player made read-only stays as it is.
void save_records(void) {
  if (FilesKept) return;
  int lock = save_begin(RECORDS_FILE);
  if (lock == SAVE_REFUSED) return;
  RecordData disk;
  read_records_file(&disk);
  RecordData kept = better_records(RecordTable, disk);
  if (!RecordsInMemory) RecordTable = kept;
  unsigned char buf[RECORDS_SIZE];
  encode_records(kept, buf);
  save_file_safely(RECORDS_FILE, buf, RECORDS_SIZE);
  save_end(lock);
}
