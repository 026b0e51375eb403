// The three screens a sports day can end on: GAME OVER, congratulations
// short of the podium, and the champion's celebration with its banner and
// falling confetti.
#include "frontend/frontend.h"
#include "input/input.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

EndScreenState EndScreen;

static const char *const CONGRATULATIONS_LINES[4] = {
    "CONGRATULATIONS ON COMPLETING",
    "ALL EVENTS, BUT FOR A PLACE ON",
    "THE PODIUM, YOU MUST QUALIFY AS",
    "- - CHAMPION - -",
};

// --- Drawing ---

static void clear_black(void) { clear_to_color(Backbuffer, makecol(0, 0, 0)); }

static void menu_text(const char *text, int y) {
  if (MenuFont) textout_centre_ex(Backbuffer, MenuFont, text, 160, y, 0, _textmode);
}

static void congratulations_draw(void) {
  clear_black();
  for (int i = 0; i < 4; i++) menu_text(CONGRATULATIONS_LINES[i], 90 + 20 * i);
}

static void game_over_draw(void) {
  clear_black();
  if (BITMAP *picture = dat_bitmap(ENTRY_GAME_OVER)) blit(picture, Backbuffer, 0, 0, 40, 35, 240, 147);
  menu_text("GAME OVER", 180);
}

void celebration_draw(void) {
  clear_black();
  for (const Confetti &c : EndScreen.confetti) {
    if (c.y == CONFETTI_PARKED) continue;
    if (BITMAP *piece = dat_bitmap(ENTRY_CONFETTI + c.frame))
      draw_sprite(Backbuffer, piece, (int)c.x, (int)c.y);
  }
  if (BITMAP *banner = dat_bitmap(ENTRY_CHAMPION_BANNER))
    draw_sprite(Backbuffer, banner, 40, (int)EndScreen.bannerY);
}

// --- Confetti ---

// Every piece starts above the screen on the first frame of a colour group.
static void set_up_confetti(void) {
  for (Confetti &c : EndScreen.confetti) {
    c.x = rand_float(0, 320);
    c.y = rand_float(-600, -40);
    c.frame = 4 * rand_below(4);
    c.tick = 0;
    c.delay = rand_int(3, 7);
  }
  EndScreen.bannerY = 240.0f;
}

static void flutter(Confetti *c) {
  c->x += rand_float(-0.5f, 0.5f);
  c->y += rand_float(0, 0.5f);
  c->tick++;
  if (c->tick != c->delay) return;
  c->tick = 0;
  c->frame++;
  if (c->frame % 4 == 0) c->frame -= 4;
}

// Fallen pieces come back on top (in the first colour group) until the
// confetti runs out.
static void fall(Confetti *c, int t) {
  if (c->y != CONFETTI_PARKED) flutter(c);
  if (c->y <= 240.0f) return;
  if (t > CONFETTI_LAST_RETURN) {
    c->y = CONFETTI_PARKED;
    return;
  }
  c->x = (float)rand_int(0, 320);
  c->y = (float)rand_int(-100, -20);
  c->frame = rand_below(4);
}

static void celebrate(void) {
  int t = EndScreen.ticks;
  for (Confetti &c : EndScreen.confetti) fall(&c, t);
  // The banner rises into place, waits, then leaves with the last confetti.
  if (t < 1080) EndScreen.bannerY -= 0.2;
  if (t > CONFETTI_LAST_RETURN) EndScreen.bannerY -= 0.2;
}

int confetti_falling(void) {
  int n = 0;
  for (const Confetti &c : EndScreen.confetti) n += c.y != CONFETTI_PARKED;
  return n;
}

// --- The screens ---

struct EndScreenKindInfo {
  int music;
  int limit;  // 0: none
  void (*draw)(void);
  void (*work)(void);
};

static const EndScreenKindInfo END_SCREENS[3] = {
    {MUS_CONGRATULATIONS, CONGRATULATIONS_TICKS, congratulations_draw, nullptr},
    {MUS_GAME_OVER, GAME_OVER_TICKS, game_over_draw, nullptr},
    {MUS_CHAMPION, 0, celebration_draw, celebrate},
};

static void end_begin(int kind) {
  EndScreen = EndScreenState();
  EndScreen.kind = kind;
  EndScreen.running = 1;
  if (kind == END_CELEBRATION) set_up_confetti();
  load_music_set(MUSIC_SET_FINALE);
  play_music(MusicSamples[END_SCREENS[kind].music], 0);
}

static void end_tick(void) {
  const EndScreenKindInfo *info = &END_SCREENS[EndScreen.kind];
  read_controls();
  if (Controls.fire || Controls.quit) EndScreen.done = EndScreen.left = 1;
  EndScreen.ticks++;
  if (EndScreen.ticks == info->limit) EndScreen.done = 1;
  if (info->work) info->work();
}

static void end_draw(void) { END_SCREENS[EndScreen.kind].draw(); }

static int end_done(void) { return EndScreen.done; }

// The celebration's own limit is looked at between frames, not in a step,
// so steps owed past it still run.
static int celebration_over(void) {
  return EndScreen.kind == END_CELEBRATION && EndScreen.ticks >= CELEBRATION_TICKS;
}

// Fire, quit or a step's limit ends the screen.
static const ScreenLoop END_SCREEN = {end_tick, end_draw, end_done, OWED_STOP_AT_DECISION, DECISION_DRAWN,
                                      celebration_over};

static void run_end_screen(int kind) {
  end_begin(kind);
  run_screen(&END_SCREEN);
  EndScreen.running = 0;
  stop_all_sounds();
  wait_controls_released(1);
}

void congratulations_screen(void) { run_end_screen(END_CONGRATULATIONS); }
void game_over_screen(void) { run_end_screen(END_GAME_OVER); }
void champion_celebration(void) { run_end_screen(END_CELEBRATION); }

void celebration_begin(void) { end_begin(END_CELEBRATION); }
void celebration_tick(void) { end_tick(); }
