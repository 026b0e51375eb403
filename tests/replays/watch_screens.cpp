// What a replay's report shows of the screens around the events.
#include "replay.h"

const ReplayWatcher SCREENS_WATCHER = {nullptr, nullptr, nullptr};
