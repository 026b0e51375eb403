// The settings loader: whatever the file holds, every value the game looks
// up with lands in its range.
#include "fuzz_common.h"
#include "input/input.h"
#include "persist/persist.h"

#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  fuzz_write_file(CONFIG_FILE, data, size);
  if (!load_settings()) fuzz_fail("an existing file was not read");
  const SettingsData &s = Settings;
  if (s.soundvolume < 0 || s.soundvolume > 8 || s.musicvolume < 0 || s.musicvolume > 8) fuzz_fail("volume");
  if (s.difficulty < 0 || s.difficulty > 2) fuzz_fail("difficulty");
  for (int code : {s.up, s.down, s.left, s.right, s.fire, s.quit}) {
    if (!input_code_valid(code)) fuzz_fail("binding");
  }
  return 0;
}
