// Catapulting: the children walk in, balloons rise three rounds of five, and
// the player times the release of a level shot; the closer to a balloon's
// middle, the more points.
#include "events/catapult.h"

#include <stdio.h>

#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

CatapultRun Catapult;

#define START_COUNTDOWN 400
#define CLOSING_END (-300)
// Where the shot leaves the World.
#define SHOT_END_X 624.0f
#define NORMAL_RATE 44100
// A hit that leaves the balloon's sequence as it is.
#define SEQ_UNCHANGED (-1)

// The four children: type, start, layer and where each stops walking.
struct Kid {
  int type;
  int x;
  int y;
  int layer;
  int stopX;
};

static const Kid KIDS[CATAPULT_KIDS] = {
    {TYPE_PLAYER, 292, 68, 5, 404},
    {TYPE_OPPONENT_B, 224, 65, 2, 308},
    {TYPE_OPPONENT_C, 182, 66, 2, 322},
    {TYPE_OPPONENT_A, 220, 65, 2, 332},
};

// What a hit at d = -5..5 does; 50 points pops the balloon.
struct HitEffect {
  int points;
  float vx;
  float vy;
  int seq;
  int rate;
};

static const HitEffect HITS[11] = {
    {1, 1.0f, -2.0f, SEQ_UNCHANGED, 42100},
    {5, 2.0f, -1.5f, SEQ_UNCHANGED, 44100},
    {10, 3.0f, -1.0f, SEQ_BALLOON_WOBBLE, 46100},
    {20, 4.0f, -0.5f, SEQ_BALLOON_WOBBLE, 48100},
    {50, 0, 0, SEQ_UNCHANGED, 0},
    {50, 0, 0, SEQ_UNCHANGED, 0},
    {50, 0, 0, SEQ_UNCHANGED, 0},
    {20, 4.0f, 0.5f, SEQ_BALLOON_WOBBLE, 48100},
    {10, 3.0f, 1.0f, SEQ_BALLOON_WOBBLE, 46100},
    {5, 2.0f, 1.5f, SEQ_UNCHANGED, 44100},
    {1, 1.0f, 2.0f, SEQ_UNCHANGED, 42100},
};

#define POP_POINTS 50

// Each round's balloons rise faster.
static const float RISE[CATAPULT_ROUNDS] = {-0.4f, -0.75f, -1.0f};

static GameObject *player(void) { return Catapult.kids[0]; }

// The catapult, its operator and the five balloon stands.
static void add_scenery(void) {
  add_object(365, 52, 7, TYPE_CATAPULT, 0);
  add_object(375, 48, 2, TYPE_LINE_JUDGE, 0);
  for (int i = 0; i < CATAPULT_PLACES; i++) add_object(495 + 25 * i, 149, 4, TYPE_BALLOON_STAND, 0);
}

static void build_scene(void) {
  begin_scene(628, 162, ENTRY_WORLD_CATAPULT);
  setup_camera(0, 314, 162);
  scroll_camera(0, 0);
  add_scenery();
  for (int i = 0; i < CATAPULT_KIDS; i++) {
    const Kid *k = &KIDS[i];
    Catapult.kids[i] = object_at(add_object(k->x, k->y, k->layer, k->type, 0));
    if (Catapult.kids[i]) set_sequence(Catapult.kids[i], SEQ_WALK);
  }
}

void catapult_begin(void) {
  Catapult = CatapultRun();
  Catapult.startCountdown = START_COUNTDOWN;
  Catapult.headerY = -48;
  Catapult.viewX = 323;
  build_scene();
  announce_verdict(VERDICT_NONE);
}

// --- The catapult ---

static void draw_back(void) {
  GameObject *p = player();
  if (!p || !Controls.fire || p->cur.id == SEQ_DRAW_BACK || Catapult.shot) return;
  if (p->cur.mode == ANIM_STILL || p->cur.id == SEQ_STAND) set_sequence(p, SEQ_DRAW_BACK);
}

// Let go before the arm was fully back and nothing flies.
static void let_go(void) {
  GameObject *p = player();
  if (!p || Controls.fire || p->cur.id != SEQ_DRAW_BACK) return;
  if (p->cur.frame == 1) {
    Catapult.shot = object_at(add_object(420, 72, 5, TYPE_SHOT, 0));
    play_effect(SoundEffects[SND_CATAPULT], 0, NORMAL_RATE);
  }
  set_sequence(p, SEQ_LET_GO);
}

// The walk changes frame in this step's update: that is when a child steps.
static void walk_in(void) {
  for (int i = 0; i < CATAPULT_KIDS; i++) {
    GameObject *kid = Catapult.kids[i];
    if (!kid || kid->cur.id != SEQ_WALK || kid->cur.timer != kid->cur.delay - 1) continue;
    kid->x += 4.0f;
    if (kid->x == (float)KIDS[i].stopX) set_sequence(kid, SEQ_STAND);
    if (i == 0 && (kid->cur.frame & 1)) play_effect(SoundEffects[SND_FOOTSTEP], 0, NORMAL_RATE);
  }
}

static void shot_leaves(void) {
  if (!Catapult.shot || Catapult.shot->x < SHOT_END_X) return;
  remove_object(Catapult.shot);
  Catapult.shot = 0;
}

// --- Hits ---

static void note_hit(double diff, int points, int rate) {
  if (Catapult.hitCount >= CATAPULT_BALLOONS) return;
  CatapultHit hit = {Catapult.steps, diff, (int)diff, points, rate};
  Catapult.hits[Catapult.hitCount++] = hit;
}

static void pop(GameObject *balloon, double diff) {
  add_object((int)(balloon->x - 2), (int)balloon->y, 5, TYPE_BURST, 0);
  remove_object(balloon);
  int rate = NORMAL_RATE + rand_int(0, 3999);
  play_effect(SoundEffects[SND_BULLSEYE], 0, rate);
  note_hit(diff, POP_POINTS, rate);
}

static void knock(GameObject *balloon, const HitEffect *effect, double diff) {
  balloon->vx = effect->vx;
  balloon->vy = effect->vy;
  if (effect->seq != SEQ_UNCHANGED) set_sequence(balloon, effect->seq);
  play_effect(SoundEffects[SND_POP], 0, effect->rate);
  note_hit(diff, effect->points, effect->rate);
}

// The label goes where the current balloon of the round stands, which is
// not always the balloon that was hit.
static void score(const GameObject *shot, int points) {
  add_object(489 + 25 * Catapult.balloonIndex, (int)(shot->y - 3), 5, TYPE_POINTS_LABEL, points);
  Catapult.score += points;
  if (Catapult.score >= CatapultMark && Verdict == VERDICT_NONE) announce_verdict(VERDICT_QUALIFIED);
}

// Returns 1 when the shot is spent on this balloon.
static int hit(GameObject *shot, GameObject *balloon) {
  balloon->armed = 0;
  double diff = balloon->y + 5.0 - shot->y;
  int d = (int)diff;
  if (d < -5 || d > 5) {
    note_hit(diff, 0, 0);
    return 0;
  }
  const HitEffect *effect = &HITS[d + 5];
  if (effect->points == POP_POINTS)
    pop(balloon, diff);
  else
    knock(balloon, effect, diff);
  score(shot, effect->points);
  remove_object(shot);
  if (Catapult.shot == shot) Catapult.shot = 0;
  return 1;
}

static void shot_hits(GameObject *shot) {
  for (int j = 0; j < MAX_OBJECTS; j++) {
    GameObject *balloon = &ObjectPool[j];
    if (!balloon->active || balloon->type != TYPE_BALLOON || !balloon->armed) continue;
    if (objects_collide(shot, balloon) && hit(shot, balloon)) return;
  }
}

static void hits(void) {
  for (int i = 0; i < MAX_OBJECTS; i++)
    if (ObjectPool[i].active && ObjectPool[i].type == TYPE_SHOT) shot_hits(&ObjectPool[i]);
}

// --- Balloon timeline ---

static void clear_labels(void) {
  for (int i = 0; i < MAX_OBJECTS; i++)
    if (ObjectPool[i].active && ObjectPool[i].type == TYPE_POINTS_LABEL) remove_object(&ObjectPool[i]);
}

static void release_balloon(void) {
  int place = Catapult.balloonIndex;
  if (GameObject *b = object_at(add_object(490 + 25 * place, 132, 4, TYPE_BALLOON, Catapult.round)))
    b->targetVy = RISE[Catapult.round];
  play_effect(SoundEffects[SND_BALLOON], 0, NORMAL_RATE);
  if (Catapult.released < CATAPULT_BALLOONS) Catapult.releaseSteps[Catapult.released++] = Catapult.steps;
}

static void next_balloon(void) {
  Catapult.balloonIndex++;
  if (Catapult.balloonIndex < CATAPULT_PLACES) {
    Catapult.balloonTimer = rand_int(0, 19);
    return;
  }
  Catapult.balloonIndex = 0;
  Catapult.round++;
  if (Catapult.round == CATAPULT_ROUNDS) {
    Catapult.startCountdown = -1;
    if (Verdict == VERDICT_NONE) announce_verdict(VERDICT_FAILED);
  }
  Catapult.balloonTimer = -200;
}

static void balloon_timeline(void) {
  if (Catapult.startCountdown != 0) return;
  Catapult.balloonTimer++;
  int t = Catapult.balloonTimer;
  if (t == 1) Catapult.banner = object_at(add_object(383, 32, 2, TYPE_SIGN, START_SIGNS + Catapult.round));
  if (t == 10 && Catapult.balloonIndex == 0) clear_labels();
  if (t == 50) release_balloon();
  if (t == 100 && Catapult.banner) {
    remove_object(Catapult.banner);
    Catapult.banner = 0;
  }
  if (t == 300) next_balloon();
}

// --- One step ---

static void countdowns(void) {
  if (Catapult.startCountdown > 0) Catapult.startCountdown--;
  if (Catapult.startCountdown >= 0) return;
  Catapult.startCountdown--;
  if (Catapult.startCountdown == CLOSING_END)
    Catapult.outcome = Catapult.score >= CatapultMark ? OUTCOME_QUALIFIED : OUTCOME_FAILED;
}

static void slides(void) {
  if (Cameras[0].x < 314) scroll_camera(0, Cameras[0].x + 1);
  if (Catapult.shownScore < Catapult.score) Catapult.shownScore++;
  slide_frame_in(&Catapult.viewX, &Catapult.headerY);
}

void catapult_tick(void) {
  Catapult.steps++;
  read_controls();
  if (Controls.quit) Catapult.outcome = OUTCOME_QUIT;
  draw_back();
  let_go();
  walk_in();
  shot_leaves();
  hits();
  balloon_timeline();
  update_objects();
  countdowns();
  slides();
}

void catapult_draw(void) {
  char mark[32], best[32], figure[32];
  snprintf(mark, sizeof mark, "%i points", CatapultMark);
  if (RecordTable.best_catapult_points < 0)
    snprintf(best, sizeof best, "------");
  else
    snprintf(best, sizeof best, "%i points", RecordTable.best_catapult_points);
  snprintf(figure, sizeof figure, "%i", Catapult.shownScore);
  EventFrame frame = {Catapult.headerY, Catapult.viewX, mark, best, figure,
                      Lanes[PLAYER_LANE].meter, ENTRY_EVENT_LABEL + EVENT_CATAPULT};
  draw_event_frame(&frame);
}

// An equal score keeps the old record; a failed run may still set one.
static void keep_best_score(void) {
  if (QuitFlag || Catapult.outcome == OUTCOME_QUIT) return;
  if (Catapult.score <= RecordTable.best_catapult_points) return;
  RecordTable.best_catapult_points = Catapult.score;
  save_records();
}

// The scene's slots go to the next event: forget them.
static void forget_objects(void) {
  Catapult.shot = Catapult.banner = 0;
  for (int i = 0; i < CATAPULT_KIDS; i++) Catapult.kids[i] = 0;
}

int catapult_end(void) {
  keep_best_score();
  end_scene();
  forget_objects();
  if (CheatMode) Catapult.outcome = OUTCOME_QUALIFIED;
  wait_controls_released(1);
  return Catapult.outcome;
}

static int catapult_decided(void) { return Catapult.outcome != OUTCOME_NONE; }

// Unlike the other events, steps owed when quit is pressed still run, so a
// shot in the air still lands; only the drawing stops.
static const ScreenLoop CATAPULT_SCREEN = {catapult_tick, catapult_draw, catapult_decided, OWED_RUN_ALL,
                                           DECISION_NOT_DRAWN, nullptr};

int run_catapult(int) {
  catapult_begin();
  run_screen(&CATAPULT_SCREEN);
  return catapult_end();
}
