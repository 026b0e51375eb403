// What a replay's report shows of the swim.
#include "replay.h"

const ReplayWatcher SWIM_WATCHER = {nullptr, nullptr, nullptr};
