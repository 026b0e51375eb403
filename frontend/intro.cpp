// The card that introduces each event: the title rises, the text panel and
// its three lines slide in, over the scrolling tiles.
#include "events/events.h"
#include "frontend/frontend.h"
#include "input/input.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

IntroScreenState IntroScreen;

#define TITLE_SETTLED_Y 25

static const char *const INTRO_LINES[][3] = {
    {"Hit left and right as fast as you can. Don't jump",
     "the gun. You don't have to win the race, just", "finish inside the qualification time."},
    {"Fire at each balloon as it rises. A dead centre",
     "shot will pop the balloon for maximum points. There", "are three rounds of five balloons."},
    {"Hit left and right as fast as you can to", "complete four lengths of the pool. Press fire",
     "to breath when prompted. Don't breath too early!"},
    {"Run to the line as fast as you can, then press",
     "fire to set the throwing angle. If you overstep", "the mark then the throw won't count."},
};

// A fifth event needs its card's lines here and its title and label pictures
// in the datafile.
static_assert(sizeof INTRO_LINES / sizeof INTRO_LINES[0] == EVENT_COUNT, "lines for every event's card");
static_assert((int)EVENT_CARDS == (int)EVENT_COUNT, "a title and a label picture for every event");

void intro_begin(int event) {
  IntroScreenState *s = &IntroScreen;
  *s = IntroScreenState();
  // Out of range shows the sprint's card rather than reading past the table.
  s->event = event >= 0 && event < EVENT_COUNT ? event : 0;
  s->titleY = 245;
  s->titleVel = -22;
  s->panelX = -330;
  s->textX = 490;
  s->textPanel = load_png_entry(ENTRY_INTRO_TEXT_PANEL);
  s->titlePanel = load_png_entry(ENTRY_INTRO_TITLE_PANEL);
  set_alpha_blender();
  s->lines = INTRO_LINES[s->event];
  play_effect(SoundEffects[SND_SCREEN], 0, 44100);
  play_music(MusicSamples[MUS_INTRO], 0);
}

static void intro_slides(IntroScreenState *s) {
  if (s->titleVel < -1) s->titleVel++;
  if (s->titleY > TITLE_SETTLED_Y) {
    s->titleY += s->titleVel;
    if (s->titleY < TITLE_SETTLED_Y) s->titleY = TITLE_SETTLED_Y;
  }
  if (s->panelX < 0) s->panelX += 15;
  if (s->textX > 160) s->textX -= 15;
}

void intro_tick(void) {
  IntroScreenState *s = &IntroScreen;
  read_controls();
  if (Controls.fire) s->done = s->firePressed = 1;
  intro_slides(s);
  scroll_tiles(&s->tiles);
  s->ticks++;
  if (s->ticks == INTRO_TICKS) s->done = 1;
}

void intro_draw(void) {
  const IntroScreenState *s = &IntroScreen;
  draw_tiles(&s->tiles);
  if (s->textPanel) draw_trans_sprite(Backbuffer, s->textPanel, s->panelX, 175);
  if (s->titlePanel) draw_trans_sprite(Backbuffer, s->titlePanel, 88, s->titleY + 8);
  if (BITMAP *title = dat_bitmap(ENTRY_INTRO_TITLE + s->event))
    draw_sprite(Backbuffer, title, 80, s->titleY);
  if (!TextFont) return;
  for (int i = 0; i < 3; i++)
    textout_centre_ex(Backbuffer, TextFont, s->lines[i], s->textX, 181 + 11 * i, 0, _textmode);
}

static void destroy_image(BITMAP **image) {
  if (*image) destroy_bitmap(*image);
  *image = 0;
}

void intro_end(void) {
  IntroScreenState *s = &IntroScreen;
  destroy_image(&s->textPanel);
  destroy_image(&s->titlePanel);
  stop_all_sounds();
  wait_controls_released(1);
}

static int intro_done(void) { return IntroScreen.done; }

// Unlike the menus, steps still owed after fire run before the last frame:
// they only move the card on.
static const ScreenLoop INTRO_SCREEN = {intro_tick, intro_draw, intro_done, OWED_RUN_ALL, DECISION_DRAWN, nullptr};

void show_event_intro(int event) {
  intro_begin(event);
  run_screen(&INTRO_SCREEN);
  intro_end();
}
