// The Ogg Vorbis decoder over any bytes.
#include "fuzz_common.h"

#include "sound/fsound.h"

#include <allegro.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  SAMPLE *spl = decode_ogg(data, (long)size);
  if (!spl) return 0;
  if (spl->len < 1 || spl->bits != 16) fuzz_fail("sample shape");
  volatile unsigned short last = ((unsigned short *)spl->data)[spl->len * (spl->stereo ? 2 : 1) - 1];
  (void)last;
  destroy_sample(spl);
  return 0;
}
