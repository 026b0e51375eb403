// The 50 metre swim: the teacher's countdown, four lengths of alternating
// presses with breathing, splashes, ripples, race sounds and the clock.
#include "events/swim.h"

#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

SwimRun Swim;

#define FAR_WALL 498.0f
#define NEAR_WALL 17.0f
// Touches of the near wall after turning: two make four lengths.
#define TURNS 2
#define FIRST_BREATH 300
#define WORLD_W 612
#define VIEW_W 314
#define SIGN_LIFETIME 100
#define EARLY_BREATH_HOLD 90
#define OUT_OF_BREATH_DIVIDER 2
#define FLYING_START_SPACING 7

// The four lanes, top to bottom: type, y and the computers' gaps between
// presses (the player's are not used).
struct SwimLane {
  int type;
  int y;
  int minGap;
  int maxGap;
};

static const SwimLane SWIM_LANES[LANE_COUNT] = {
    {TYPE_OPPONENT_A, 70, 5, 7},
    {TYPE_OPPONENT_C, 90, 5, 6},
    {TYPE_PLAYER, 110, 4, 6},
    {TYPE_OPPONENT_B, 130, 5, 7},
};

static GameObject *swimmer(int lane) { return Lanes[lane].object; }

static void set_all_swimmers(int seq) {
  for (int i = 0; i < LANE_COUNT; i++)
    if (GameObject *obj = swimmer(i)) set_sequence(obj, seq);
}

static void add_lane(int lane) {
  const SwimLane *l = &SWIM_LANES[lane];
  init_pace_controller(&Lanes[lane], 13, l->y, l->type, l->minGap, l->maxGap);
  Lanes[lane].breath = FIRST_BREATH;
  if (GameObject *obj = swimmer(lane)) set_sequence(obj, SEQ_TREAD);
}

// The lane ropes' floats: five columns of three, each of any colour.
static void add_scenery(void) {
  static const int ROWS[3] = {89, 109, 129};
  for (int c = 0; c < 5; c++) {
    for (int r = 0; r < 3; r++) {
      int param = rand_int(0, LANE_FLOATS - 1);
      add_object(20 + 100 * c, ROWS[r], 2, TYPE_FLOAT, param);
    }
  }
}

static void build_scene(void) {
  begin_scene(WORLD_W, 162, ENTRY_WORLD_SWIM);
  Swim.teacher = object_at(add_object(9, 13, 1, TYPE_STARTER, 0));
  if (Swim.teacher) {
    Swim.teacher->autoFace = 1;
    set_sequence(Swim.teacher, SEQ_STARTER_STAND);
  }
  setup_camera(0, VIEW_W, 162);
  add_scenery();
  for (int i = 0; i < LANE_COUNT; i++) add_lane(i);
  add_object(18, 91, 5, TYPE_START_LINE, 0);
}

void swim_begin(int falseStarts) {
  Swim = SwimRun();
  begin_race(&Swim.race, falseStarts, SWIM_START_COUNTDOWN);
  Swim.teacherStep = 5;
  build_scene();
  announce_verdict(VERDICT_NONE);
}

// --- Breathing ---

static void take_breath(PaceController *pace) {
  pace->divider = 0;
  pace->breath = rand_int(SWIM_BREATH_MIN, SWIM_BREATH_MAX);
  remove_object(Swim.breathWarning);
  Swim.breathWarning = 0;
  if (GameObject *obj = pace->object) set_sequence(obj, SEQ_SWIM);
}

// One breath per press of fire; a breath taken too soon costs a spell of
// treading water. A finished swimmer has no more breaths to take.
static void answer_fire(void) {
  PaceController *pace = &Lanes[PLAYER_LANE];
  if (!Controls.fire) {
    Swim.fireHeld = 0;
    return;
  }
  if (!Swim.fireHeld && !pace->finished) {
    if (pace->breath == 0 && pace->breathHold == 0) {
      take_breath(pace);
    } else if (pace->breathHold == 0) {
      if (GameObject *obj = pace->object) set_sequence(obj, SEQ_TREAD);
      pace->breathHold = EARLY_BREATH_HOLD;
    }
  }
  Swim.fireHeld = 1;
}

static void show_breath_warning(PaceController *pace, GameObject *obj) {
  Swim.breathWarning = object_at(add_object((int)obj->x, (int)(obj->y - 11.0), 7, TYPE_BREATH_MARKER, 0));
  // Out of breath, the strokes fade three times more slowly.
  pace->divider = OUT_OF_BREATH_DIVIDER;
}

static void player_breath(void) {
  PaceController *pace = &Lanes[PLAYER_LANE];
  GameObject *obj = pace->object;
  if (pace->finished || !obj) {
    remove_object(Swim.breathWarning);
    Swim.breathWarning = 0;
    return;
  }
  if (pace->breath > 0 && pace->breathHold == 0) pace->breath--;
  if (pace->breath == 0 && !Swim.breathWarning) show_breath_warning(pace, obj);
  if (Swim.breathWarning) Swim.breathWarning->x = obj->x;
  if (pace->breathHold > 0 && --pace->breathHold == 0) {
    set_sequence(obj, SEQ_SWIM);
    pace->breath = rand_int(SWIM_BREATH_MIN, SWIM_BREATH_MAX);
  }
}

// --- The lanes ---

static void finish_lane(int lane) {
  PaceController *pace = &Lanes[lane];
  set_sequence(pace->object, SEQ_TREAD);
  pace->object->x = NEAR_WALL;
  pace->finished = 1;
  clear_pace_history(pace);
  // The time of the previous tick: the clock has not moved yet.
  if (lane == PLAYER_LANE && Verdict == VERDICT_NONE)
    announce_verdict(Swim.race.time > SwimMark ? VERDICT_FAILED : VERDICT_QUALIFIED);
}

static void touch_walls(int lane) {
  PaceController *pace = &Lanes[lane];
  GameObject *obj = pace->object;
  if (obj->x > FAR_WALL) {
    obj->x = FAR_WALL;
    obj->flipped = 1;
    pace->direction = -1;
  }
  if (obj->x < NEAR_WALL && obj->flipped) {
    if (++pace->turns == TURNS) {
      finish_lane(lane);
    } else {
      obj->x = NEAR_WALL;
      pace->direction = 1;
      obj->flipped = 0;
    }
  }
}

static void splash(GameObject *obj) {
  int sx = (int)(obj->x + rand_below(13));
  if (sx <= 20 || sx >= 510) return;
  int param = rand_below(5);
  int y = (int)(obj->y + 13.0 + rand_below(2));
  add_object(sx + rand_below(9), y, 6, TYPE_SPLASH, param);
}

static void stroke(int lane) {
  PaceController *pace = &Lanes[lane];
  GameObject *obj = pace->object;
  if (!obj) return;
  touch_walls(lane);
  if (pace->direction == 1)
    obj->x += pace->presses / 30.0;
  else
    obj->x -= pace->presses / 30.0;
  if (obj->cur.id == SEQ_SWIM) obj->cur.delay = 15 - pace->presses / 3;
  if (!pace->finished && pace->breath == 0 && obj->cur.id != SEQ_READY && pace->breathHold == 0)
    set_sequence(obj, SEQ_OUT_OF_BREATH);
  if (obj->cur.id == SEQ_SWIM) splash(obj);
}

static void race(void) {
  for (int i = 0; i < LANE_COUNT; i++) update_pace_controller(&Lanes[i], i != PLAYER_LANE);
  answer_fire();
  for (int i = 0; i < LANE_COUNT; i++) stroke(i);
  player_breath();
}

// --- Around the pool ---

static void follow_player(void) {
  if (GameObject *player = swimmer(PLAYER_LANE)) scroll_camera(0, (int)(player->x - 140.0));
}

static void ripple(void) {
  int rx = rand_int(Cameras[0].x + 20, Cameras[0].x + 300);
  if (rx >= 510) return;
  int param = rand_below(5);
  add_object(rx, rand_int(80, 142), 1, TYPE_RIPPLE, param);
}

static void show_sign(int param) {
  Swim.race.startSign = object_at(add_object(19, 2, 1, TYPE_SIGN, param));
  if (Swim.race.startSign) Swim.race.startSign->lifetime = SIGN_LIFETIME;
}

static void teacher_countdown(void) {
  switch (Swim.race.startCountdown) {
  case 260: show_sign(0); break;
  case 130:
    show_sign(1);
    play_effect(SoundEffects[SND_SWIM_B], 0, 44100);
    set_all_swimmers(SEQ_READY);
    break;
  case 1:
    show_sign(2);
    play_effect(SoundEffects[SND_START], 0, 44100);
    break;
  default: break;
  }
}

// The teacher sets off as the last sign goes. The sign then removes itself
// and its slot is soon another object's, so it is forgotten here.
static void teacher_sets_off(void) {
  if (Swim.race.startCountdown != 0 || !Swim.race.startSign || Swim.race.startSign->lifetime != 1) return;
  if (Swim.teacher) set_sequence(Swim.teacher, SEQ_STARTER_WALK);
  Swim.race.startSign = 0;
}

// A step of TeacherStep pixels once per animation step, turning at the ends.
static void teacher_walks(void) {
  GameObject *t = Swim.teacher;
  if (!t) return;
  if (t->cur.id != SEQ_STARTER_WALK || t->cur.timer != t->cur.delay - 1) {
    t->vx = 0;
    return;
  }
  if (t->x > 500.0f || t->x < 5.0f) Swim.teacherStep = -Swim.teacherStep;
  t->vx = Swim.teacherStep;
}

// The dive: a flying start of 26 presses in every lane, fading as the
// history is overwritten.
static void dive(void) {
  Swim.lastSwimChannel = play_effect(SoundEffects[SND_DIVE], 0, 44100);
  set_all_swimmers(SEQ_DIVE);
  for (int i = 0; i < LANE_COUNT; i++)
    for (int h = 0; h < PACE_HISTORY; h += FLYING_START_SPACING) Lanes[i].history[h] = 1;
}

// One race sound after another, each at its own pitch.
static void race_sounds(void) {
  static const int SOUNDS[3] = {SND_SWIM_A, SND_SWIM_B, SND_SWIM_C};
  if (Swim.race.startCountdown != 0 || FSOUND_IsPlaying(Swim.lastSwimChannel)) return;
  int k = rand_int(0, 2);
  Swim.lastSwimChannel = play_effect(SoundEffects[SOUNDS[k]], 0, 42100 + rand_below(4000));
}

static void countdowns(void) {
  if (Swim.race.startCountdown > 0 && --Swim.race.startCountdown == 0) dive();
  race_sounds();
  if (Swim.race.startCountdown == 0 && all_lanes_finished()) Swim.race.startCountdown = -1;
  if (Swim.race.startCountdown < 0 && --Swim.race.startCountdown == SWIM_CLOSING_END)
    Swim.race.outcome = Swim.race.time <= SwimMark ? OUTCOME_QUALIFIED : OUTCOME_FAILED;
}

void swim_tick(void) {
  Swim.tick++;
  race_controls(&Swim.race, 30, 54);
  if (Swim.race.startCountdown == 0) race();
  follow_player();
  ripple();
  teacher_countdown();
  teacher_sets_off();
  teacher_walks();
  update_objects();
  tick_race_clock(&Swim.race, Swim.race.startCountdown == 0 && !Lanes[PLAYER_LANE].finished);
  countdowns();
  slide_frame_in(&Swim.race.viewX, &Swim.race.headerY);
}

void swim_draw(void) {
  draw_race_frame(&Swim.race, SwimMark, RecordTable.best_swim_time, Lanes[PLAYER_LANE].meter,
                  ENTRY_EVENT_LABEL + EVENT_SWIM);
}

static int swim_decided(void) { return Swim.race.outcome != OUTCOME_NONE; }

static const ScreenLoop SWIM_SCREEN = {swim_tick, swim_draw, swim_decided, OWED_STOP_AT_DECISION, DECISION_NOT_DRAWN,
                                       nullptr};

int swim_end(void) {
  keep_best_race_time(&RecordTable.best_swim_time, &Swim.race, Lanes[PLAYER_LANE].finished);
  end_scene();
  if (CheatMode) Swim.race.outcome = OUTCOME_QUALIFIED;
  wait_controls_released(1);
  return Swim.race.outcome;
}

int run_swim(int falseStarts) {
  swim_begin(falseStarts);
  run_screen(&SWIM_SCREEN);
  return swim_end();
}
