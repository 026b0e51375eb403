// The records loader: every field reads as a record a result could beat,
// or as no record.
#include "fuzz_common.h"
#include "persist/persist.h"

#include <cmath>

static bool time_ok(float t) { return t == -1.0f || (std::isfinite(t) && t > 0.0f); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  fuzz_write_file(RECORDS_FILE, data, size);
  RecordTable = RecordData{-1.0f, -1, -1.0f, -1.0f};
  load_records();
  const RecordData &r = RecordTable;
  if (!time_ok(r.best_sprint_time) || !time_ok(r.best_swim_time)) fuzz_fail("time");
  if (r.best_catapult_points < -1 || r.best_catapult_points > 750) fuzz_fail("points");
  float d = r.best_throw_distance;
  if (d != -1.0f && !(std::isfinite(d) && d >= 0.0f)) fuzz_fail("distance");
  return 0;
}
