// The WAV decoder over any bytes: no read past the input, and a sample it
// returns holds the frames it claims.
#include "fuzz_common.h"

#include "sound/fsound.h"

#include <allegro.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  SAMPLE *spl = decode_wav(data, (long)size);
  if (!spl) return 0;
  if (spl->len < 1 || (spl->bits != 8 && spl->bits != 16)) fuzz_fail("sample shape");
  // Touch the last value: ASan reports a buffer shorter than claimed.
  volatile unsigned char last = ((unsigned char *)spl->data)[spl->len * (spl->stereo ? 2 : 1) * spl->bits / 8 - 1];
  (void)last;
  destroy_sample(spl);
  return 0;
}
