// What a replay's report shows of the sprint: its race time when it ends.
#include "replay.h"

#include "events/sprint.h"

static void sprint_ended(int event, int) {
  if (event != EVENT_SPRINT) return;
  char shown[16];
  format_race_time(Sprint.time, shown, sizeof shown);
  replay_say("  race time %s (%d s %d ticks, %.6f)", shown, Sprint.seconds, Sprint.ticks,
             Sprint.time);
}

const ReplayWatcher SPRINT_WATCHER = {nullptr, nullptr, sprint_ended};
