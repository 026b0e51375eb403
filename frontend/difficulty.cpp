// The difficulty screen that opens every sports day: a panel slides up over
// the scrolling tiles and a trembling pointer picks NOVICE, AMATEUR or
// CHAMPION.
#include "events/events.h"
#include "frontend/frontend.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

DifficultyScreenState DifficultyScreen;

#define PANEL_X 80
#define PANEL_START_Y 245
#define PANEL_SETTLED_Y 66
#define SHAKE_TICKS 20

static const char *const DIFFICULTY_NAMES[3] = {"NOVICE", "AMATEUR", "CHAMPION"};

// --- Scrolling tiles ---

void scroll_tiles(TileScroll *tiles) {
  tiles->x += 0.5f;
  if (tiles->x >= 294.0f) tiles->x = 0.0f;
  tiles->y += 0.25f;
  if (tiles->y >= 80.0f) tiles->y = 0.0f;
}

// Rows 80 apart, every other one drifting the other way.
void draw_tiles(const TileScroll *tiles) {
  clear_to_color(Backbuffer, makecol(0, 85, 0));
  BITMAP *tile = dat_bitmap(ENTRY_TILE);
  if (!tile) return;
  for (int y = (int)(-80.0f + tiles->y); y < 240; y += 80) {
    draw_sprite(Backbuffer, tile, (int)tiles->x, y);
    draw_sprite(Backbuffer, tile, (int)(tiles->x - 294.0f), y);
    draw_sprite(Backbuffer, tile, (int)-tiles->x, y + 40);
    draw_sprite(Backbuffer, tile, (int)(294.0f - tiles->x), y + 40);
  }
}

// --- Difficulty screen ---

// A stored difficulty out of range starts on the nearest one.
static int stored_difficulty(void) {
  int d = Settings.difficulty;
  return d < NOVICE ? NOVICE : d > CHAMPION ? CHAMPION : d;
}

void difficulty_begin(void) {
  DifficultyScreenState *d = &DifficultyScreen;
  *d = DifficultyScreenState();
  d->selected = stored_difficulty();
  d->chosen = -1;
  d->held = 1;
  d->panelY = PANEL_START_Y;
  d->panelSpeed = -22;
  d->running = 1;
  d->panel = load_png_entry(ENTRY_DIFFICULTY_PANEL);
  set_alpha_blender();
  play_effect(SoundEffects[SND_SCREEN], 0, 44100);
}

static void move_pointer(DifficultyScreenState *d, int by) {
  d->selected = (d->selected + by + 3) % 3;
  d->shake = SHAKE_TICKS;
  d->held = 1;
  play_effect(SoundEffects[SND_MENU], 0, 44100);
}

static int any_control_down(void) {
  const ControlsData &c = Controls;
  return c.down || c.up || c.left || c.right || c.fire || c.quit;
}

// All four tests on the same tick: quit and fire together choose, and a
// move with fire still moves the pointer.
static void difficulty_input(DifficultyScreenState *d) {
  if (d->held) {
    if (!any_control_down()) d->held = 0;
    return;
  }
  if (Controls.quit) d->done = 1;
  if (Controls.fire) {
    d->chosen = d->selected;
    d->done = 1;
  }
  if (Controls.down || Controls.right) move_pointer(d, 1);
  if (Controls.up || Controls.left) move_pointer(d, -1);
}

static void slide_panel(DifficultyScreenState *d) {
  if (d->panelSpeed < -1) d->panelSpeed++;
  if (d->panelY <= PANEL_SETTLED_Y) return;
  d->panelY += d->panelSpeed;
  if (d->panelY < PANEL_SETTLED_Y) d->panelY = PANEL_SETTLED_Y;
}

void difficulty_tick(void) {
  DifficultyScreenState *d = &DifficultyScreen;
  read_controls();
  difficulty_input(d);
  if (d->shake > 0) d->shake--;
  slide_panel(d);
  scroll_tiles(&d->tiles);
}

void difficulty_draw(void) {
  DifficultyScreenState *d = &DifficultyScreen;
  draw_tiles(&d->tiles);
  if (d->panel) draw_trans_sprite(Backbuffer, d->panel, PANEL_X, d->panelY);
  if (MenuFont)
    for (int i = 0; i < 3; i++)
      textout_centre_ex(Backbuffer, MenuFont, DIFFICULTY_NAMES[i], 160, d->panelY + 45 + 18 * i,
                        0, _textmode);
  int tremble = d->shake / 5;
  int y = d->panelY + 18 * d->selected + 41 + rand_int(-tremble, tremble);
  if (BITMAP *pointer = dat_bitmap(ENTRY_ARROWHEAD)) draw_sprite(Backbuffer, pointer, 117, y);
}

int difficulty_end(void) {
  DifficultyScreenState *d = &DifficultyScreen;
  if (d->panel) destroy_bitmap(d->panel);
  d->panel = 0;
  d->running = 0;
  stop_all_sounds();
  wait_controls_released(1);
  return d->chosen;
}

static int difficulty_done(void) { return DifficultyScreen.done; }

static const ScreenLoop DIFFICULTY_SCREEN = {difficulty_tick, difficulty_draw, difficulty_done,
                                             OWED_STOP_AT_DECISION, DECISION_DRAWN, nullptr};

int select_difficulty(void) {
  difficulty_begin();
  run_screen(&DIFFICULTY_SCREEN);
  return difficulty_end();
}
