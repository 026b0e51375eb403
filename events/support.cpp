// What the events share: the lanes' pace, the speech bubble, the verdict,
// the logic-rate keys, the frame around the playfield and the race of the
// sprint and the swim.
#include <stdio.h>

#include "events/support.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

PaceController Lanes[LANE_COUNT];
int Verdict = VERDICT_NONE;

#define BACKBUFFER_W 320
#define BACKBUFFER_H 240
#define SPEECH_TICKS 300
#define SPEECH_FIRST_PAIR_UNTIL 200

static const char *const SPEECH_LINES[SPEECH_COUNT][2][2] = {
    {{"Don't start", "until I say!"}, {"You have one", "more chance."}},
    {{"Pelk you are", "disqualified"}, {"Go and take an", "early shower!"}},
    {{"Pelk, slow down", "you idiot!"}, {"This isn't the", "100 metres!!"}},
    {{"Pelk, you are", "too slow"}, {"You are", "disqualified!"}},
};

// --- Pace ---

void init_pace_controller(PaceController *pace, int x, int y, int type, int aiMinGap,
                          int aiMaxGap) {
  *pace = PaceController();
  pace->object = object_at(add_object(x, y, 2, type, 0));
  pace->aiMinGap = aiMinGap;
  pace->aiMaxGap = aiMaxGap;
  pace->direction = 1;
  pace->breath = -1;
}

static int pace_advances(PaceController *pace) {
  if (pace->divider <= 0) return 1;
  pace->dividerCount--;
  if (pace->dividerCount >= 0) return 0;
  pace->dividerCount = pace->divider;
  return 1;
}

static int computer_press(PaceController *pace) {
  pace->aiCountdown--;
  if (pace->aiCountdown > 0) return 0;
  pace->aiCountdown = rand_int(pace->aiMinGap, pace->aiMaxGap);
  return 1;
}

// Presses are read from the level of the controls: a held side counts once.
static int player_press(PaceController *pace) {
  if (pace->breath == 0 || pace->breath < -1 || pace->breathHold) return 0;
  if (Controls.left && !Controls.right && pace->nextSide == 0) {
    pace->nextSide = 1;
    return 1;
  }
  if (Controls.right && !Controls.left && pace->nextSide == 1) {
    pace->nextSide = 0;
    return 1;
  }
  return 0;
}

static void recount_presses(PaceController *pace) {
  int presses = 0;
  for (int i = 0; i < PACE_HISTORY; i++) presses += pace->history[i];
  pace->presses = presses;
  pace->meter = presses > 50 ? 50 : presses;
}

void update_pace_controller(PaceController *pace, int computer) {
  int advances = 1;
  if (pace->finished) {
    pace->history[pace->head] = 0;
  } else {
    advances = pace_advances(pace);
    if (advances)
      pace->history[pace->head] = computer ? computer_press(pace) : player_press(pace);
  }
  if (advances) pace->head = (pace->head + 1) % PACE_HISTORY;
  recount_presses(pace);
}

int all_lanes_finished(void) {
  for (int i = 0; i < LANE_COUNT; i++) {
    const PaceController *pace = &Lanes[i];
    if (!pace->finished && (pace->object || i == PLAYER_LANE)) return 0;
  }
  return 1;
}

void clear_pace_history(PaceController *pace) {
  for (int i = 0; i < PACE_HISTORY; i++) pace->history[i] = 0;
  pace->meter = 0;
  pace->presses = 0;
}

// --- Speech bubble ---

static const char *speech_line(int message, int part, int line) {
  if (message < 0 || message >= SPEECH_COUNT) return "";
  return SPEECH_LINES[message][part ? 1 : 0][line ? 1 : 0];
}

// The bubble on show: over a saved scene (or the frame as it stands), where
// and what it says, and the ticks it has left.
struct SpeechBubble {
  BITMAP *scene;
  int x, y;
  int message;
  int countdown;
};

static SpeechBubble Bubble;

static void bubble_tick(void) {
  read_controls();
  if (Bubble.countdown == SPEECH_TICKS - 1) play_effect(SoundEffects[SND_SPEECH], 0, 44100);
  Bubble.countdown--;
}

static void bubble_draw(void) {
  const SpeechBubble &b = Bubble;
  if (b.scene) blit(b.scene, Backbuffer, 0, 0, 0, 0, BACKBUFFER_W, BACKBUFFER_H);
  if (BITMAP *bubble = dat_bitmap(ENTRY_SPEECH_BUBBLE)) draw_sprite(Backbuffer, bubble, b.x, b.y);
  if (!TextFont) return;
  int part = b.countdown > SPEECH_FIRST_PAIR_UNTIL ? 0 : 1;
  int white = makecol(255, 255, 255);
  textout_centre_ex(Backbuffer, TextFont, speech_line(b.message, part, 0), b.x + 42, b.y + 6, white, _textmode);
  textout_centre_ex(Backbuffer, TextFont, speech_line(b.message, part, 1), b.x + 42, b.y + 14, white, _textmode);
}

static int bubble_over(void) { return Bubble.countdown < 1; }

// Owed steps stop with the bubble; the event's own loop takes the rest.
static const ScreenLoop BUBBLE_SCREEN = {bubble_tick, bubble_draw, bubble_over, OWED_STOP_AT_DECISION, DECISION_DRAWN,
                                         nullptr};

void speech_bubble_over(BITMAP *scene, int x, int y, int message) {
  Bubble = SpeechBubble{scene, x, y, message, SPEECH_TICKS};
  run_screen(&BUBBLE_SCREEN);
}

void show_speech_bubble(int x, int y, int message) {
  // Without a copy of the scene the bubble still shows, over the frame as
  // it stands.
  BITMAP *scene = create_bitmap(BACKBUFFER_W, BACKBUFFER_H);
  if (scene) blit(Backbuffer, scene, 0, 0, 0, 0, BACKBUFFER_W, BACKBUFFER_H);
  speech_bubble_over(scene, x, y, message);
  if (scene) destroy_bitmap(scene);
}

// --- Verdict ---

void announce_verdict(int verdict) {
  Verdict = verdict;
  if (verdict == VERDICT_QUALIFIED) play_music(MusicSamples[MUS_QUALIFIED], 0);
  if (verdict == VERDICT_FAILED) play_music(MusicSamples[MUS_FAILED], 0);
}

void draw_verdict_badge(void) {
  int entry = Verdict == VERDICT_QUALIFIED ? ENTRY_BADGE_QUALIFIED
              : Verdict == VERDICT_FAILED  ? ENTRY_BADGE_FAILED
                                           : -1;
  if (entry < 0) return;
  if (BITMAP *badge = dat_bitmap(entry)) draw_sprite(Backbuffer, badge, 6, 6);
}

// --- Logic rate ---

void handle_logic_rate_keys(void) {
  static const int KEYS[5] = {KEY_F1, KEY_F2, KEY_F3, KEY_F4, KEY_F5};
  static const int RATES[5] = {1, 5, 10, 20, 60};
  for (int i = 0; i < 5; i++) {
    if (!key_held(KEYS[i])) continue;
    set_logic_rate(RATES[i]);
    // A closed window must still end the wait.
    while (key_held(KEYS[i]) && !QuitFlag) idle_pass();
  }
}

// --- The race of the sprint and the swim ---

void begin_race(RaceRun *race, int falseStarts, int countdown) {
  *race = RaceRun();
  race->falseStarts = falseStarts;
  race->startCountdown = countdown;
  race->viewX = falseStarts > 0 ? 3 : 323;
  race->headerY = falseStarts > 0 ? 0 : -48;
}

void race_controls(RaceRun *race, int bubbleX, int bubbleY) {
  read_controls();
  if (Controls.quit) race->outcome = OUTCOME_QUIT;
  handle_logic_rate_keys();
  if (race->startCountdown <= 0 || !(Controls.left || Controls.right)) return;
  show_speech_bubble(bubbleX, bubbleY, race->falseStarts);
  race->outcome = OUTCOME_FALSE_START;
}

void tick_race_clock(RaceRun *race, int running) {
  if (running) {
    race->ticks++;
    if (race->ticks == 60) {
      race->seconds++;
      race->ticks = 0;
    }
  }
  race->time = (float)(race->seconds + race->ticks * 1.666 / 100);
}

// Only a finished race has a finishing time: a runner stopped as too slow at
// 30 seconds has none to keep.
void keep_best_race_time(float *best, const RaceRun *race, int finished) {
  float time = race->time;
  if (QuitFlag || race->outcome == OUTCOME_QUIT || time <= 0 || !finished) return;
  if (time < *best || *best == -1.0f) {
    *best = time;
    save_records();
  }
}

void format_race_time(float seconds, char *out, int size) { snprintf(out, size, "%3.2f", seconds); }

// --- The frame around the playfield ---

static void blit_entry(int entry, int x, int y, int w, int h) {
  if (BITMAP *bmp = dat_bitmap(entry)) blit(bmp, Backbuffer, 0, 0, x, y, w, h);
}

static void draw_header_texts(const EventFrame *frame) {
  if (!TextFont) return;
  int white = makecol(255, 255, 255);
  int y = frame->headerY;
  if (Verdict == VERDICT_NONE && frame->mark) {
    textout_centre_ex(Backbuffer, TextFont, "TO QUALIFY", 59, y + 14, white, _textmode);
    textout_centre_ex(Backbuffer, TextFont, frame->mark, 59, y + 28, white, _textmode);
  }
  textout_centre_ex(Backbuffer, TextFont, "PERSONAL BEST", 170, y + 14, white, _textmode);
  textout_centre_ex(Backbuffer, TextFont, frame->best, 170, y + 28, white, _textmode);
}

void draw_event_frame(const EventFrame *frame) {
  clear_to_color(Backbuffer, makecol(0, 0, 0));
  blit_entry(ENTRY_HEADER_PANEL, 0, frame->headerY, 320, 48);
  draw_header_texts(frame);
  if (ScoreFont)
    textout_right_ex(Backbuffer, ScoreFont, frame->figure, 309, frame->headerY + 12,
                     makecol(255, 255, 255), -1);
  draw_verdict_badge();
  blit_entry(ENTRY_BOTTOM_PANEL, 0, 216, 320, 24);
  if (frame->meter > 0) blit_entry(ENTRY_SPEED_BAR, 8, 225, frame->meter, 6);
  blit_entry(frame->label, 75, 220, 230, 16);
  render_camera(0);
  blit_camera(Backbuffer, 0, frame->viewX, 51, 1);
}

void slide_frame_in(int *viewX, int *headerY) {
  if (*viewX > 3) *viewX -= 20;
  if (*headerY < 0) *headerY += 2;
}

void draw_race_frame(const RaceRun *race, int mark, float best, int meter, int label) {
  char markText[32], bestText[32], figure[32];
  snprintf(markText, sizeof markText, "%i.00 secs", mark);
  if (best <= -1.0f)
    snprintf(bestText, sizeof bestText, "------");
  else
    snprintf(bestText, sizeof bestText, "%3.2f secs", best);
  format_race_time(race->time, figure, sizeof figure);
  EventFrame frame = {race->headerY, race->viewX, markText, bestText, figure, meter, label};
  draw_event_frame(&frame);
}
