// The personal bests in "qvlgam.rec": 16 bytes, four little-endian 32-bit
// values, no header.
#include "persist/persist.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

RecordData RecordTable;

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

// Only whole fields are taken from a short file; the rest keep their values.
static void decode_records(const unsigned char *in, int length, RecordData &r) {
  if (length >= 4) r.best_sprint_time = time_or_none(bits_float(get_le32(in)));
  if (length >= 8) r.best_catapult_points = points_or_none((int)get_le32(in + 4));
  if (length >= 12) r.best_swim_time = time_or_none(bits_float(get_le32(in + 8)));
  if (length >= 16) r.best_throw_distance = distance_or_none(bits_float(get_le32(in + 12)));
}

void load_records(void) {
  if (!exists(RECORDS_FILE)) {
    RecordTable.best_sprint_time = -1.0f;
    RecordTable.best_catapult_points = -1;
    RecordTable.best_swim_time = -1.0f;
    RecordTable.best_throw_distance = -1.0f;
    save_records();
    return;
  }
  FILE *f = fopen(RECORDS_FILE, "rb");
  if (!f) return;
  unsigned char buf[RECORDS_SIZE];
  int length = (int)fread(buf, 1, RECORDS_SIZE, f);
  fclose(f);
  decode_records(buf, length, RecordTable);
}

// A crash or a full disk mid-write never leaves a cut-short file. A file the
// player made read-only stays as it is.
void save_records(void) {
  unsigned char buf[RECORDS_SIZE];
  encode_records(RecordTable, buf);
  save_file_safely(RECORDS_FILE, buf, RECORDS_SIZE);
}
