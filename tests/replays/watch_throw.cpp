// What a replay's report shows of the tennis ball throw: the plant and the
// line call, the angle, the release, every bounce, the touch-down, the
// measurer's stop and, at the end, the distance and the record.
#include "replay.h"

#include "events/throw.h"
#include "persist/persist.h"

struct ThrowSeen {
  int phase, ball, camTarget, walking, rolling;
  float vy;
};
static ThrowSeen Seen;

static void throw_reset(void) {
  Seen = ThrowSeen();
  Throw = ThrowRun();
}

static void watch_phase(int tick) {
  if (Throw.phase == Seen.phase) return;
  Seen.phase = Throw.phase;
  GameObject *t = Lanes[THROW_LANE].object;
  if (Throw.phase == THROW_AIMING)
    replay_say("t=%d plant x %.2f line call %d presses %d", tick, t ? t->x : 0.0f, Throw.lineCall,
               Lanes[THROW_LANE].presses);
  if (Throw.phase == THROW_THROWN) replay_say("t=%d throw angle %d", tick, Throw.angleCount);
}

static void watch_ball(int tick) {
  GameObject *ball = Throw.ball;
  if (!ball) return;
  if (!Seen.ball) {
    Seen.ball = 1;
    replay_say("t=%d release at %.2f,%.2f vx %.6f vy %.6f", tick, ball->x, ball->y, ball->vx, ball->vy);
  } else if (Seen.vy > 0 && ball->vy < 0) {
    replay_say("t=%d bounce x %.2f vy %.6f", tick, ball->x, ball->vy);
  } else if (Seen.vy > 0 && ball->vy == 0 && !Seen.rolling) {
    // From here on it only skims the ground: one line, not one per skim.
    Seen.rolling = 1;
    replay_say("t=%d bounce x %.2f vy 0, rolling on", tick, ball->x);
  }
  Seen.vy = ball->vy;
  if (Throw.camTarget != Seen.camTarget) {
    Seen.camTarget = Throw.camTarget;
    replay_say("t=%d touch-down x %.2f distance %.6f", tick, ball->x, Throw.distance);
  }
}

static void watch_measurer(int tick) {
  GameObject *m = Throw.measurer;
  int walking = m && m->cur.id == SEQ_MEASURER_WALK;
  if (walking == Seen.walking) return;
  Seen.walking = walking;
  if (walking) replay_say("t=%d measurer walks from %.0f", tick, m->x);
  else if (m) replay_say("t=%d measurer stops at %.0f (mark %d)", tick, m->x, Throw.landingX);
}

static void throw_watch_tick(int tick) {
  if (!Throw.running) return;
  watch_phase(tick);
  watch_ball(tick);
  watch_measurer(tick);
}

static void throw_ended(int event, int) {
  if (event != EVENT_THROW) return;
  replay_say("  distance %.6f line call %d angle %d record %.6f", Throw.distance, Throw.lineCall,
             Throw.angleCount, RecordTable.best_throw_distance);
  Seen = ThrowSeen();
}

const ReplayWatcher THROW_WATCHER = {throw_reset, throw_watch_tick, throw_ended};
