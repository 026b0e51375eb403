// What a replay's report shows of the swim: each lane's turns and finish,
// the player's breaths, early breaths and marker, the teacher's walk and the
// race time at the end.
#include "replay.h"

#include "events/swim.h"

struct SwimSeen {
  int tick;
  int direction[LANE_COUNT];
  int turns[LANE_COUNT];
  int finished[LANE_COUNT];
  int breath;
  int breathHold;
  int marker;
  int teacherWalks;
  int teacherStep;
};
static SwimSeen Seen;

static void watch_reset(void) {
  Swim = SwimRun();
  Seen = SwimSeen();
}

static void lane_changes(int tick, int lane) {
  const PaceController &p = Lanes[lane];
  float x = p.object ? p.object->x : 0.0f;
  if (p.direction == -1 && Seen.direction[lane] != -1)
    replay_say("t=%d swim lane %d turns at the far wall, x %.6f after %d presses / 30", tick, lane, x, p.presses);
  if (p.turns != Seen.turns[lane] && !p.finished)
    replay_say("t=%d swim lane %d turns at the near wall, x %.6f after %d presses / 30", tick, lane, x, p.presses);
  if (p.finished && !Seen.finished[lane]) replay_say("t=%d swim lane %d finishes, x %.6f", tick, lane, x);
}

static void breath_changes(int tick) {
  const PaceController &p = Lanes[PLAYER_LANE];
  // A fresh breath; the count down to 0 is not told.
  if (p.breath > Seen.breath) replay_say("t=%d swim breath %d", tick, p.breath);
  if (p.breathHold && !Seen.breathHold) replay_say("t=%d swim early breath: treading water", tick);
  // A scripted swimmer can answer the marker: "@breathless+1".
  if (Swim.breathWarning && !Seen.marker) {
    replay_say("t=%d swim marker shown at (%.1f, %.1f)", tick, Swim.breathWarning->x, Swim.breathWarning->y);
    replay_anchor("breathless");
  }
  if (!Swim.breathWarning && Seen.marker) replay_say("t=%d swim marker removed", tick);
}

static void teacher_changes(int tick) {
  const GameObject *t = Swim.teacher;
  if (!t) return;
  if (t->cur.id == SEQ_STARTER_WALK && !Seen.teacherWalks) replay_say("t=%d swim teacher sets off", tick);
  if (Swim.teacherStep != Seen.teacherStep) replay_say("t=%d swim teacher turns at x %.1f", tick, t->x - t->vx);
}

static void remember(void) {
  Seen.tick = Swim.tick;
  for (int i = 0; i < LANE_COUNT; i++) {
    Seen.direction[i] = Lanes[i].direction;
    Seen.turns[i] = Lanes[i].turns;
    Seen.finished[i] = Lanes[i].finished;
  }
  Seen.breath = Lanes[PLAYER_LANE].breath;
  Seen.breathHold = Lanes[PLAYER_LANE].breathHold;
  Seen.marker = Swim.breathWarning != nullptr;
  Seen.teacherWalks = Swim.teacher && Swim.teacher->cur.id == SEQ_STARTER_WALK;
  Seen.teacherStep = Swim.teacherStep;
}

// Only ticks the swim itself ran are told; a fresh run is taken as it
// stands.
static void watch_tick(int tick) {
  if (Swim.tick > Seen.tick && Seen.tick > 0) {
    for (int i = 0; i < LANE_COUNT; i++) lane_changes(tick, i);
    breath_changes(tick);
    teacher_changes(tick);
  }
  remember();
}

static void watch_ended(int event, int) {
  if (event != EVENT_SWIM) return;
  char shown[16];
  format_race_time(Swim.race.time, shown, sizeof shown);
  replay_say("  swim race time %s (%d s %d ticks, %.6f), breath %d", shown, Swim.race.seconds,
             Swim.race.ticks, Swim.race.time, Lanes[PLAYER_LANE].breath);
  Seen = SwimSeen();
}

const ReplayWatcher SWIM_WATCHER = {watch_reset, watch_tick, watch_ended};
