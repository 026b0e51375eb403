// What a replay's report shows of the tennis ball throw.
#include "replay.h"

const ReplayWatcher THROW_WATCHER = {nullptr, nullptr, nullptr};
