// The tennis ball throw: a run-up of alternating presses, the plant at the
// line, the aiming gauge, the ball's flight and bounces, the measurer's walk
// and three attempts at the mark.
#include "events/throw.h"

#include <stdio.h>

#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

ThrowRun Throw;

enum {
  FULL_ANGLE = 64,
};

#define START_COUNTDOWN 150
// Fire plants the thrower from here on.
#define FIRE_FROM_X 450.0f
// A plant past it is a foul.
#define LINE_X 568
// A run-up past it is too far.
#define RUN_UP_END_X 650.0f
// Distances are measured from here, 15.73 pixels a metre.
#define ORIGIN_X 586.0f
#define PIXELS_PER_METRE 15.73
#define GROUND_Y 150.0f
#define GRAVITY 0.03
#define SPIN_TICKS 3
#define SPIN_STEPS 6

static GameObject *thrower(void) { return Lanes[THROW_LANE].object; }

static float thrower_x(void) { return thrower() ? thrower()->x : 0.0f; }

static void build_scene(void) {
  begin_scene(1700, 162, ENTRY_WORLD_THROW);
  setup_camera(0, 314, 162);
  scroll_camera(0, 0);
  setup_camera(1, 32, 18);
  Cameras[1].x = LINE_X;
  Cameras[1].y = 144;
  init_pace_controller(&Lanes[THROW_LANE], 169, 130, TYPE_PLAYER, 4, 6);
  if (GameObject *t = thrower()) {
    t->layer = 4;
    set_sequence(t, SEQ_THROW_STAND);
  }
  Throw.lineFigure = object_at(add_object(537, 105, 3, TYPE_LINE_JUDGE, 0));
  if (Throw.lineFigure) set_sequence(Throw.lineFigure, SEQ_FLAG_DOWN);
  Throw.measurer = object_at(add_object(481, 115, 3, TYPE_MEASURER, 0));
}

void throw_begin(int attempt) {
  Throw = ThrowRun();
  Throw.running = 1;
  Throw.attempt = attempt;
  Throw.startCountdown = START_COUNTDOWN;
  Throw.awaitFirstPress = 1;
  Throw.headerY = -48;
  Throw.viewX = 323;
  Throw.attemptX = -90;
  build_scene();
  // Without a thrower there is nothing to run up: the attempt closes as it
  // stands.
  if (!thrower()) Throw.startCountdown = -1;
  if (attempt > 0) {
    Throw.viewX = 3;
    Throw.headerY = 0;
  }
  announce_verdict(VERDICT_NONE);
  play_music(MusicSamples[MUS_EVENT], 0);
}

// A quit in the same step outlasts whatever else would end the attempt.
static void decide(int outcome) {
  if (Throw.outcome != OUTCOME_QUIT) Throw.outcome = outcome;
}

// The first left or right press is worth eight presses.
static void head_start(void) {
  if (!Throw.awaitFirstPress || !(Controls.left || Controls.right)) return;
  Throw.awaitFirstPress = 0;
  PaceController *pace = &Lanes[THROW_LANE];
  for (int i = 0; i < 32; i += 4) pace->history[i] = 1;
  pace->head = 30;
}

static void plant(void) {
  GameObject *t = thrower();
  if (!t || Throw.phase != THROW_RUN_UP || !(t->x > FIRE_FROM_X)) return;
  if ((int)t->x > LINE_X) {
    Throw.lineCall = LINE_FOUL;
    play_effect(SoundEffects[SND_FOUL], 0, 44100);
  } else {
    Throw.lineCall = LINE_FAIR;
    if (Throw.lineFigure) set_sequence(Throw.lineFigure, SEQ_FLAG_OUT);
  }
  set_sequence(t, SEQ_PLANT);
  Throw.phase = THROW_AIMING;
}

static void start_throw(void) {
  if (GameObject *t = thrower()) set_sequence(t, SEQ_THROW);
  Throw.phase = THROW_THROWN;
}

static void aim(void) {
  if (Controls.fire) {
    plant();
    if (Throw.phase != THROW_AIMING) return;
    Throw.angleCount++;
    if (Throw.angleCount & 1) play_effect(SoundEffects[SND_TICK], 0, 44100);
    if (Throw.angleCount == FULL_ANGLE) start_throw();
  } else if (Throw.phase == THROW_AIMING) {
    start_throw();
  }
}

// The Right arrow itself, whatever the controls are, edges the thrower on.
static void nudge(void) {
  GameObject *t = thrower();
  if (t && key_held(KEY_RIGHT)) t->x = (float)(int)(t->x + 1.0);
}

static void too_far(void) {
  if (!(thrower_x() > RUN_UP_END_X) || Throw.outcome == OUTCOME_QUIT) return;
  show_speech_bubble(100, 100, SPEECH_TOO_FAR);
  decide(OUTCOME_FAILED);
}

static void give_verdict(void) {
  Throw.startCountdown = -1;
  announce_verdict(ThrowMark <= Throw.distance ? VERDICT_QUALIFIED : VERDICT_FAILED);
}

static void set_ball_velocity(GameObject *ball) {
  int s = Lanes[THROW_LANE].presses / 10;
  fixed a = itofix(FULL_ANGLE - Throw.angleCount);
  ball->vx = (float)(int)(s * (double)fixsin(a) / 65536);
  ball->vy = (float)(-s * (double)fixcos(a) / 65536);
}

// The ball leaves the hand on the second frame of the throwing sequence,
// once: the thrower stays on that frame, and a slot freed after a pool had
// no room must not throw a ball after the verdict.
static void release(void) {
  GameObject *t = thrower();
  if (Throw.released || Throw.phase != THROW_THROWN || !t || t->cur.frame != 1) return;
  Throw.released = 1;
  Throw.ball = object_at(add_object((int)(t->x + 20), (int)t->y, 2, TYPE_BALL, 0));
  if (!Throw.ball) {
    // No ball to follow: the throw is measured where it began.
    if (Throw.startCountdown >= 0) give_verdict();
    return;
  }
  Throw.shadow = object_at(add_object((int)Throw.ball->x, 153, 1, TYPE_BALL_SHADOW, 0));
  set_ball_velocity(Throw.ball);
  play_effect(SoundEffects[SND_THROW], 0, 44100);
}

static void run_up(void) {
  GameObject *t = thrower();
  if (!t || Throw.startCountdown > 0 || Throw.phase != THROW_RUN_UP) return;
  int presses = Lanes[THROW_LANE].presses;
  t->x += presses / 10.0;
  t->cur.delay = 15 - presses / 3;
  if (t->cur.delay == 15 && t->cur.id == SEQ_THROW_RUN)
    set_sequence(t, SEQ_THROW_STAND);
  else if (t->cur.delay < 15 && t->cur.id == SEQ_THROW_STAND)
    set_sequence(t, SEQ_THROW_RUN);
}

static void follow(void) {
  if (Throw.ball && Throw.lineCall != LINE_FOUL) {
    scroll_camera(0, Throw.camTarget > 0 ? Throw.camTarget : (int)(Throw.ball->x - 140));
    return;
  }
  float x = thrower_x();
  scroll_camera(0, x > 420.0f ? (int)(x - 140) : (int)((x - 35) - x / 4));
}

static void footsteps(void) {
  GameObject *t = thrower();
  if (!t || t->cur.id != SEQ_THROW_RUN || t->cur.timer != 0) return;
  if (t->cur.frame == 0 || t->cur.frame == 4) play_effect(SoundEffects[SND_FOOTSTEP], 0, 44100);
}

static void touch_down(GameObject *ball) {
  add_object((int)(ball->x - 25), (int)(ball->y - 3), 1, TYPE_DUST, 0);
  Throw.landingX = (int)(ball->x - 1);
  Throw.landingMark = object_at(add_object(Throw.landingX, (int)(ball->y + 2), 1, TYPE_LANDING_MARK, 0));
  Throw.camTarget = (int)(ball->x - 140);
  if (Throw.lineCall == LINE_FOUL && Verdict == VERDICT_NONE) {
    announce_verdict(VERDICT_FAILED);
    Throw.startCountdown = -1;
  } else if (Throw.measurer) {
    Throw.measurer->x = (float)(Cameras[0].x - 24);
    Throw.measurer->y = 122;
    set_sequence(Throw.measurer, SEQ_MEASURER_WALK);
  } else {
    // Nobody to walk out: the distance stands as it is.
    give_verdict();
  }
}

static void bounce(GameObject *ball) {
  ball->y = GROUND_Y;
  if (ball->vy > 1.0) play_effect(SoundEffects[SND_BOUNCE], 0, 44100);
  ball->vy = (float)(-ball->vy * 0.5);
  if (ball->vy > -0.2) ball->vy = 0;
  if (Throw.camTarget == 0) touch_down(ball);
}

// The distance follows the ball until it first touches down, so the one kept
// is that of the last position above the ground.
static void fly_ball(void) {
  GameObject *ball = Throw.ball;
  if (!ball) return;
  ball->vy = (float)(ball->vy + GRAVITY);
  if (ball->y > GROUND_Y) bounce(ball);
  if (Throw.shadow) Throw.shadow->x = ball->x;
  if (Throw.camTarget != 0) return;
  Throw.distance = (float)((ball->x - ORIGIN_X) / PIXELS_PER_METRE);
  if (Throw.distance < 0) Throw.distance = 0;
}

static void measure(void) {
  GameObject *m = Throw.measurer;
  if (!m) return;
  if (m->cur.id == SEQ_MEASURER_WALK && (m->cur.frame & 1) && m->cur.timer == 0)
    play_effect(SoundEffects[SND_TICK], 0, 44100);
  if (m->cur.frame == 0 || !(Throw.landingX - 18 < m->x)) return;
  set_sequence(m, SEQ_MEASURER_STAND);
  give_verdict();
}

static void spin(void) {
  if (++Throw.spinTick < SPIN_TICKS) return;
  Throw.spinTick = 0;
  Throw.spinStep = (Throw.spinStep + 1) % SPIN_STEPS;
}

static void closing_countdown(void) {
  if (Throw.startCountdown > 0) Throw.startCountdown--;
  if (Throw.startCountdown >= 0) return;
  Throw.startCountdown--;
  if (Throw.startCountdown != THROW_CLOSING_END) return;
  int qualified = ThrowMark <= Throw.distance && Throw.lineCall != LINE_FOUL;
  decide(qualified ? OUTCOME_QUALIFIED : OUTCOME_FAILED);
}

static void slides(void) {
  slide_frame_in(&Throw.viewX, &Throw.headerY);
  if (Throw.attemptX < 10) Throw.attemptX += 5;
}

void throw_tick(void) {
  read_controls();
  if (Controls.quit) Throw.outcome = OUTCOME_QUIT;
  handle_logic_rate_keys();
  head_start();
  if (Throw.startCountdown <= 0 && Throw.phase == THROW_RUN_UP)
    update_pace_controller(&Lanes[THROW_LANE], 0);
  aim();
  nudge();
  too_far();
  release();
  run_up();
  follow();
  update_objects();
  footsteps();
  fly_ball();
  measure();
  spin();
  closing_countdown();
  slides();
}

// --- Drawing ---

void format_throw_figure(char *out, int size) {
  GameObject *m = Throw.measurer;
  if (Throw.phase < THROW_THROWN || Throw.lineCall == LINE_FOUL) {
    snprintf(out, size, "00.00");
  } else if (Throw.camTarget == 0) {
    int s = Throw.spinStep;
    snprintf(out, size, "%c%c.%c%c", 'a' + s, 'b' + s, 'c' + s, 'd' + s);
  } else if (m && m->cur.id == SEQ_MEASURER_WALK) {
    double reading = (m->x - ORIGIN_X) / PIXELS_PER_METRE;
    snprintf(out, size, "%02.2f", reading + rand_float(-0.1f, 0.1f));
  } else {
    snprintf(out, size, "%02.2f", Throw.distance);
  }
}

static void blit_entry(int entry, int x, int y, int w, int h) {
  if (BITMAP *bmp = dat_bitmap(entry)) blit(bmp, Backbuffer, 0, 0, x, y, w, h);
}

static void draw_gauge(void) {
  if (Throw.phase != THROW_AIMING) return;
  if (BITMAP *gauge = dat_bitmap(ENTRY_ANGLE_GAUGE)) draw_sprite(Backbuffer, gauge, 143, 146);
  if (TextFont)
    textprintf_ex(Backbuffer, TextFont, 154, 153, makecol(255, 255, 255), _textmode, "%02d$",
                  (int)(Throw.angleCount * 1.4));
}

// The attempt panel: its number during the countdown, then the close-up of
// the line at double size.
static void draw_attempt_panel(void) {
  int x = Throw.attemptX;
  blit_entry(ENTRY_ATTEMPT_PANEL, x, 58, 91, 50);
  if (Throw.lineCall == LINE_FOUL) blit_entry(ENTRY_CALL_FOUL, 82, 69, 18, 28);
  if (Throw.lineCall == LINE_FAIR) blit_entry(ENTRY_CALL_FAIR, 82, 69, 18, 28);
  if (Throw.startCountdown <= 0) {
    render_camera(1);
    blit_camera(Backbuffer, 1, x + 7, 65, 2);
  } else if (TextFont) {
    textprintf_centre_ex(Backbuffer, TextFont, x + 39, 75, 0, _textmode, "ATTEMPT");
    textprintf_centre_ex(Backbuffer, TextFont, x + 39, 86, 0, _textmode, "%i of 3", Throw.attempt + 1);
  }
}

void throw_draw(void) {
  char mark[32], best[32], figure[32];
  snprintf(mark, sizeof mark, "%i.00 metres", ThrowMark);
  if (RecordTable.best_throw_distance <= -1.0f)
    snprintf(best, sizeof best, "------");
  else
    snprintf(best, sizeof best, "%3.2f metres", RecordTable.best_throw_distance);
  format_throw_figure(figure, sizeof figure);
  EventFrame frame = {Throw.headerY, Throw.viewX, mark, best, figure,
                      Lanes[THROW_LANE].meter, ENTRY_EVENT_LABEL + EVENT_THROW};
  draw_event_frame(&frame);
  draw_gauge();
  draw_attempt_panel();
}

// --- Ending ---

// A foul never counts; an attempt that ends with no throw keeps its 0.00.
static void keep_best_distance(void) {
  if (QuitFlag || Throw.outcome == OUTCOME_QUIT || Throw.lineCall == LINE_FOUL) return;
  if (!(Throw.distance > RecordTable.best_throw_distance)) return;
  RecordTable.best_throw_distance = Throw.distance;
  save_records();
}

int throw_end(void) {
  keep_best_distance();
  end_scene();
  Throw.running = 0;
  if (CheatMode) Throw.outcome = OUTCOME_QUALIFIED;
  wait_controls_released(1);
  return Throw.outcome;
}

static int throw_decided(void) { return Throw.outcome != OUTCOME_NONE; }

static const ScreenLoop THROW_SCREEN = {throw_tick, throw_draw, throw_decided, OWED_STOP_AT_DECISION,
                                        DECISION_NOT_DRAWN, nullptr};

int run_throw(int attempt) {
  throw_begin(attempt);
  run_screen(&THROW_SCREEN);
  return throw_end();
}
