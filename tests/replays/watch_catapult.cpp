// What a replay's report shows of catapulting: each balloon as it is blown
// up (with the event's step, so the timeline can be checked), each touch of
// shot and balloon with its d, points and sound, and the scores at the end.
#include "replay.h"

#include "events/catapult.h"

static int SeenReleased, SeenHits, SeenPlayerSeq, SeenShot;

static void catapult_reset(void) {
  Catapult = CatapultRun();
  SeenReleased = SeenHits = SeenShot = 0;
  SeenPlayerSeq = -1;
}

// The catapult: the player's sequence by number (SEQ_DRAW_BACK, SEQ_LET_GO) and
// the shot in flight.
static void watch_catapult(int tick) {
  const GameObject *p = Catapult.kids[0];
  // Between events there is no one to watch.
  if (!p || !p->active) {
    SeenPlayerSeq = -1;
    SeenShot = 0;
    return;
  }
  int seq = p->cur.id;
  if (seq != SeenPlayerSeq) replay_say("t=%d player sequence %d", tick, seq);
  SeenPlayerSeq = seq;
  int shot = Catapult.shot != nullptr;
  if (shot != SeenShot) replay_say("t=%d shot %s", tick, shot ? "flies" : "gone");
  SeenShot = shot;
}

static void catapult_tick(int tick) {
  const CatapultRun &c = Catapult;
  if (c.released < SeenReleased || c.hitCount < SeenHits) SeenReleased = SeenHits = 0;
  watch_catapult(tick);
  for (; SeenReleased < c.released; SeenReleased++) {
    int n = SeenReleased, step = c.releaseSteps[n];
    int after = n ? step - c.releaseSteps[n - 1] : step;
    replay_say("t=%d balloon %d (round %d place %d) up at step %d, %d after %s", tick, n + 1,
               n / CATAPULT_PLACES, n % CATAPULT_PLACES, step, after, n ? "the last" : "the start");
    // A scripted player can time each shot from it: "@balloon:3+180".
    replay_anchor("balloon");
  }
  for (; SeenHits < c.hitCount; SeenHits++) {
    const CatapultHit &h = c.hits[SeenHits];
    replay_say("t=%d hit at step %d: d %d (%.6f), %d points, sound %d Hz, score now %d", tick,
               h.step, h.d, h.diff, h.points, h.rate, c.score);
  }
}

static void catapult_ended(int event, int) {
  if (event != EVENT_CATAPULT) return;
  replay_say("  score %d shown %d verdict %d after %d steps", Catapult.score, Catapult.shownScore,
             Verdict, Catapult.steps);
}

const ReplayWatcher CATAPULT_WATCHER = {catapult_reset, catapult_tick, catapult_ended};
