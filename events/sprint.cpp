// The 100 metre sprint: a starter's countdown, four lanes of alternating
// presses, the race clock and the personal best.
#include "events/sprint.h"

#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

RaceRun Sprint;

#define CLOSING_END (-500)
// A runner still going at 30 seconds is too slow.
#define RACE_LIMIT_SECONDS 30

// Computer lanes: type, y, fewest and most ticks between presses, running
// animation delay.
struct ComputerLane {
  int lane;
  int type;
  int y;
  int minGap;
  int maxGap;
  int runDelay;
};

static const ComputerLane COMPUTER_LANES[3] = {
    {0, TYPE_OPPONENT_A, 94, 4, 6, 6},
    {1, TYPE_OPPONENT_C, 106, 5, 6, 8},
    {3, TYPE_OPPONENT_B, 132, 4, 5, 4},
};

static GameObject *runner(int lane) { return Lanes[lane].object; }

static void add_computer_lane(const ComputerLane *c) {
  int r = rand_int(0, 5);
  init_pace_controller(&Lanes[c->lane], -10 - 4 * r, c->y, c->type, c->minGap, c->maxGap);
  GameObject *obj = runner(c->lane);
  if (!obj) return;
  obj->seqs[SEQ_RUN].delay = c->runDelay;
  obj->vx = 0;
  set_sequence(obj, SEQ_WALK);
}

// Distance boards every 10 metres.
static void add_scenery(void) {
  for (int i = 0; i < DISTANCE_MARKERS; i++) add_object(325 + 252 * i, 101, 1, TYPE_DISTANCE_MARKER, i);
}

static void build_scene(void) {
  begin_scene(3000, 162, ENTRY_WORLD_SPRINT);
  setup_camera(0, 314, 162);
  add_scenery();
  if (GameObject *starter = object_at(add_object(20, 69, 1, TYPE_STARTER, 0)))
    set_sequence(starter, SEQ_STARTER_SIGNAL);
  add_computer_lane(&COMPUTER_LANES[0]);
  add_computer_lane(&COMPUTER_LANES[1]);
  init_pace_controller(&Lanes[PLAYER_LANE], 50, 118, TYPE_PLAYER, 4, 6);
  if (GameObject *player = runner(PLAYER_LANE)) set_sequence(player, SEQ_STAND);
  add_computer_lane(&COMPUTER_LANES[2]);
  add_object(54, 93, 5, TYPE_START_LINE, 0);
}

void sprint_begin(int falseStarts) {
  begin_race(&Sprint, falseStarts, SPRINT_START_COUNTDOWN);
  build_scene();
  play_music(MusicSamples[MUS_EVENT], 0);
  announce_verdict(VERDICT_NONE);
}

static void pace_runner(int lane) {
  PaceController *pace = &Lanes[lane];
  GameObject *obj = pace->object;
  if (!obj) return;
  obj->x += pace->presses / 10.0;
  obj->cur.delay = 15 - pace->presses / 3;
  if (obj->cur.delay == 15 && obj->cur.id == SEQ_RUN)
    set_sequence(obj, SEQ_STAND);
  else if (obj->cur.delay < 15 && obj->cur.id == SEQ_CROUCH)
    set_sequence(obj, SEQ_RUN);
  if (obj->x > SPRINT_FINISH_X && !pace->finished) {
    pace->finished = 1;
    // The time of the previous tick: the clock has not moved yet.
    if (lane == PLAYER_LANE) announce_verdict(Sprint.time > SprintMark ? VERDICT_FAILED : VERDICT_QUALIFIED);
  }
}

static void run_lanes(void) {
  for (int i = 0; i < LANE_COUNT; i++) update_pace_controller(&Lanes[i], i != PLAYER_LANE);
  for (int i = 0; i < LANE_COUNT; i++) pace_runner(i);
  if (all_lanes_finished() && Sprint.startCountdown == 0) Sprint.startCountdown = -1;
}

// Before the start the computer runners walk in, 4 pixels a step, and stop
// on the start line.
static void walk_in(void) {
  for (int i = 0; i < 3; i++) {
    GameObject *obj = runner(COMPUTER_LANES[i].lane);
    if (!obj || obj->cur.id != SEQ_WALK || obj->cur.timer != obj->cur.delay - 1) continue;
    obj->x += 4.0f;
    if (obj->x == 50.0f) set_sequence(obj, SEQ_STAND);
  }
}

static void follow_player(void) {
  GameObject *player = runner(PLAYER_LANE);
  if (!player) return;
  float x = player->x;
  float cam = x <= 420.0f ? x - 35 - x / 4 : x - 140;
  scroll_camera(0, (int)cam);
}

static void show_sign(int param) {
  Sprint.startSign = object_at(add_object(26, 52, 1, TYPE_SIGN, param));
}

static void hide_sign(void) {
  remove_object(Sprint.startSign);
  Sprint.startSign = 0;
}

static void starter_countdown(void) {
  switch (Sprint.startCountdown) {
  case 260: show_sign(0); break;
  case 160: hide_sign(); break;
  case 130:
    show_sign(1);
    for (int i = 0; i < LANE_COUNT; i++)
      if (GameObject *obj = runner(i)) set_sequence(obj, SEQ_CROUCH);
    break;
  case 30: hide_sign(); break;
  case 1:
    show_sign(2);
    play_effect(SoundEffects[SND_START], 0, 44100);
    break;
  default: break;
  }
}

static void footsteps(void) {
  GameObject *player = runner(PLAYER_LANE);
  if (!player || player->cur.id != SEQ_RUN || player->cur.timer != 0) return;
  if (player->cur.frame == 0 || player->cur.frame == 4)
    play_effect(SoundEffects[SND_FOOTSTEP], 0, 44100);
}

static void closing_countdown(void) {
  if (Sprint.startCountdown > 0) Sprint.startCountdown--;
  if (Sprint.startCountdown >= 0) return;
  Sprint.startCountdown--;
  if (Sprint.startCountdown == CLOSING_END)
    Sprint.outcome = Sprint.time <= SprintMark ? OUTCOME_QUALIFIED : OUTCOME_FAILED;
}

void sprint_tick(void) {
  race_controls(&Sprint, 22, 98);
  if (Sprint.startCountdown <= 0) run_lanes();
  if (Sprint.startCountdown > 0) walk_in();
  follow_player();
  starter_countdown();
  update_objects();
  footsteps();
  tick_race_clock(&Sprint, Sprint.startCountdown == 0 && !Lanes[PLAYER_LANE].finished);
  if (Sprint.seconds == RACE_LIMIT_SECONDS) {
    show_speech_bubble(30, 100, SPEECH_TOO_SLOW);
    Sprint.outcome = OUTCOME_FAILED;
  }
  closing_countdown();
  slide_frame_in(&Sprint.viewX, &Sprint.headerY);
}

void sprint_draw(void) {
  draw_race_frame(&Sprint, SprintMark, RecordTable.best_sprint_time, Lanes[PLAYER_LANE].meter,
                  ENTRY_EVENT_LABEL + EVENT_SPRINT);
}

static int sprint_decided(void) { return Sprint.outcome != OUTCOME_NONE; }

static const ScreenLoop SPRINT_SCREEN = {sprint_tick, sprint_draw, sprint_decided, OWED_STOP_AT_DECISION,
                                         DECISION_NOT_DRAWN, nullptr};

int sprint_end(void) {
  keep_best_race_time(&RecordTable.best_sprint_time, &Sprint, Lanes[PLAYER_LANE].finished);
  end_scene();
  if (CheatMode) Sprint.outcome = OUTCOME_QUALIFIED;
  wait_controls_released(1);
  return Sprint.outcome;
}

int run_sprint(int falseStarts) {
  sprint_begin(falseStarts);
  run_screen(&SPRINT_SCREEN);
  return sprint_end();
}
