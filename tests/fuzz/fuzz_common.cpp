#include "fuzz_common.h"

#include "headless/headless.h"

#include <cstdio>
#include <cstdlib>

void fuzz_start(void) {
  static bool started = false;
  if (started) return;
  started = true;
  if (!headless_start_bare()) fuzz_fail("headless start");
}

void fuzz_write_file(const char *name, const uint8_t *data, size_t size) {
  FILE *f = fopen(name, "wb");
  if (!f) fuzz_fail("scratch file");
  if (size && fwrite(data, 1, size, f) != size) fuzz_fail("scratch write");
  fclose(f);
}

void fuzz_fail(const char *what) {
  fprintf(stderr, "fuzz check failed: %s\n", what);
  abort();
}
