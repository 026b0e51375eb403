// What a replay's report shows of catapulting.
#include "replay.h"

const ReplayWatcher CATAPULT_WATCHER = {nullptr, nullptr, nullptr};
