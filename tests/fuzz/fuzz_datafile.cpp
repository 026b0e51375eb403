// The datafile check: whatever it lets through, Allegro's own loader reads
// without a fault. The input is the file after its 4-byte pack magic.
#include "fuzz_common.h"

#include "shell/shell.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  if (!datafile_bytes_ok(data, (long)size)) return 0;
  static const uint8_t PLAIN[4] = {0x73, 0x6C, 0x68, 0x2E};
  uint8_t *file = new uint8_t[size + 4];
  memcpy(file, PLAIN, 4);
  memcpy(file + 4, data, size);
  fuzz_write_file("fuzz.dat", file, size + 4);
  delete[] file;
  if (!datafile_file_ok("fuzz.dat")) fuzz_fail("file and bytes disagree");
  DATAFILE *d = load_datafile("fuzz.dat");
  if (d) unload_datafile(d);
  return 0;
}
