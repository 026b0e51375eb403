// The demo reader: anything it accepts keeps every hold and batch inside
// the demo's ticks, in order, with codes the game can read.
#include "fuzz_common.h"
#include "game/demo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Demo d;
  char error[160];
  error[0] = 0;
  if (!demo_parse((const char *)data, (long)size, &d, error, sizeof error)) {
    if (!error[0]) fuzz_fail("refused without a reason");
    return 0;
  }
  if (d.end < 1 || d.end > DEMO_MAX_TICKS || d.difficulty < 0 || d.difficulty > 2) fuzz_fail("end or difficulty");
  for (int i = 0; i < BIND_COUNT; i++)
    if (!input_code_valid(d.bindings[i])) fuzz_fail("binding");
  for (int i = 0; i < d.holdCount; i++) {
    const DemoHold &h = d.holds[i];
    if (!input_code_valid(h.code) || h.from < 1 || h.to < h.from || h.to >= d.end) fuzz_fail("hold");
  }
  for (int i = 0; i < d.oweCount; i++) {
    const DemoOwe &o = d.owes[i];
    if (o.n < 2 || o.tick < 1 || o.tick + o.n - 1 >= d.end) fuzz_fail("batch");
    if (i > 0 && o.tick <= d.owes[i - 1].tick + d.owes[i - 1].n - 1) fuzz_fail("batches overlap");
  }
  demo_free(&d);
  return 0;
}
