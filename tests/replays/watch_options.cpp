// What a replay's report shows of the options menu.
#include "replay.h"

const ReplayWatcher OPTIONS_WATCHER = {nullptr, nullptr, nullptr};
