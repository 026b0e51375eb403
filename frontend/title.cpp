// The title logo drop and the title menu with its slides, animated choices
// and the hidden cheat.
#include "frontend/frontend.h"
#include "input/input.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

TitleMenuState TitleMenu;

enum {
  IMAGE_BANNER = 0,
  IMAGE_FIRST_CHOICE = 1,
};

#define LOGO_TICKS 240
#define CHOICE_SETTLED_Y 195

// Datafile entries of the images, in the order of TitleMenuState::images.
static const int IMAGE_ENTRIES[TITLE_IMAGE_COUNT] = {
    ENTRY_TITLE_BANNER,
    ENTRY_TITLE_PLAY, ENTRY_TITLE_PLAY + 1, ENTRY_TITLE_PLAY + 2, ENTRY_TITLE_PLAY + 3,
    ENTRY_TITLE_OPTIONS, ENTRY_TITLE_OPTIONS + 1, ENTRY_TITLE_OPTIONS + 2, ENTRY_TITLE_OPTIONS + 3,
    ENTRY_TITLE_QUIT, ENTRY_TITLE_QUIT + 1, ENTRY_TITLE_QUIT + 2, ENTRY_TITLE_QUIT + 3,
};
static const int CHOICE_X[CHOICE_COUNT] = {14, 98, 212};

// --- Logo drop ---

struct LogoDrop {
  int y;
  int ticks;
  int done;
};

static LogoDrop Logo;

static void logo_tick(void) {
  read_controls();
  if (Controls.fire || Controls.quit) {
    Logo.done = 1;
    return;
  }
  if (Logo.y < 20) Logo.y += 10;
  Logo.ticks++;
  if (Logo.ticks >= LOGO_TICKS) Logo.done = 1;
}

static void logo_draw(void) {
  clear_to_color(Backbuffer, makecol(0, 0, 0));
  if (BITMAP *bmp = dat_bitmap(ENTRY_LOGO)) draw_sprite(Backbuffer, bmp, 94, Logo.y);
}

static int logo_done(void) { return Logo.done; }

// Fire, read in every step, ends the drop as it ends the menus after it.
static const ScreenLoop LOGO_SCREEN = {logo_tick, logo_draw, logo_done, OWED_STOP_AT_DECISION, DECISION_DRAWN,
                                       nullptr};

void title_logo_drop(void) {
  wait_controls_released(0);
  Logo = LogoDrop{-196, 0, 0};
  run_screen(&LOGO_SCREEN);
  wait_controls_released(1);
}

// --- Title menu ---

static void open_menu(TitleMenuState *m) {
  *m = TitleMenuState();
  m->choiceStep = 1;
  m->backgroundY = 240;
  m->bannerX = 640;
  m->playY = 331;
  m->optionsY = 371;
  m->quitY = 411;
  m->versionX = 340.0f;
  set_color_conversion(COLORCONV_NONE);
  for (int i = 0; i < TITLE_IMAGE_COUNT; i++) m->images[i] = load_png_entry(IMAGE_ENTRIES[i]);
  set_alpha_blender();
  load_music_set(MUSIC_SET_TITLE);
  m->musicChannel = play_music(MusicSamples[MUS_TITLE], 1);
}

static void close_menu(TitleMenuState *m) {
  for (int i = 0; i < TITLE_IMAGE_COUNT; i++) {
    if (m->images[i]) destroy_bitmap(m->images[i]);
    m->images[i] = 0;
  }
}

static void play_menu_sound(void) { play_effect(SoundEffects[SND_MENU], 0, 44100); }

static void move_choice(TitleMenuState *m, int by) {
  m->choice = (m->choice + by + CHOICE_COUNT) % CHOICE_COUNT;
  m->choiceFrame = 0;
  m->choiceStep = 1;
  m->choiceTimer = 0;
  m->sideHeld = 1;
  play_menu_sound();
}

// A held side moves once; both must be released before the next move.
static void menu_sides(TitleMenuState *m) {
  if (m->sideHeld) {
    if (!Controls.left && !Controls.right) m->sideHeld = 0;
    return;
  }
  if (Controls.left) move_choice(m, -1);
  if (Controls.right) move_choice(m, 1);
}

static void slide(int *value, int by, int stop) {
  if (*value > stop) *value -= by;
}

static void menu_slides(TitleMenuState *m) {
  slide(&m->bannerX, 10, 0);
  slide(&m->playY, 4, CHOICE_SETTLED_Y);
  slide(&m->optionsY, 4, CHOICE_SETTLED_Y);
  slide(&m->quitY, 4, CHOICE_SETTLED_Y);
  slide(&m->backgroundY, 10, 0);
  if (m->versionX > 319.0f) m->versionX -= 0.25f;
}

static void menu_animation(TitleMenuState *m) {
  m->choiceTimer++;
  if (m->choiceTimer < 4) return;
  m->choiceTimer = 0;
  m->choiceFrame += m->choiceStep;
  if (m->choiceFrame == 0 || m->choiceFrame == 3) m->choiceStep = -m->choiceStep;
}

static int cheat_keys_held(void) {
  return key_held(KEY_4) && key_held(KEY_6) && key_held(KEY_RCONTROL) && key_held(KEY_RSHIFT);
}

static void menu_tick(void) {
  TitleMenuState *m = &TitleMenu;
  read_controls();
  if (Controls.quit) m->result = MENU_QUIT;
  if (Controls.fire) {
    play_menu_sound();
    if (m->choice == CHOICE_OPTIONS) {
      options_menu(m->musicChannel);
      // The time spent in the options is not caught up.
      drop_owed_ticks();
    } else {
      m->result = m->choice + 1;
    }
  }
  menu_sides(m);
  if (cheat_keys_held()) CheatMode = 1;
  menu_slides(m);
  menu_animation(m);
}

static void draw_image(BITMAP *image, int x, int y) {
  if (image) draw_alpha_sprite(Backbuffer, image, x, y);
}

static void menu_draw(void) {
  const TitleMenuState *m = &TitleMenu;
  clear_to_color(Backbuffer, makecol(0, 0, 0));
  if (BITMAP *bg = dat_bitmap(ENTRY_TITLE_BACKGROUND))
    blit(bg, Backbuffer, 0, 0, 0, m->backgroundY, 320, 240);
  draw_image(m->images[IMAGE_BANNER], m->bannerX, 195);
  const int ys[CHOICE_COUNT] = {m->playY, m->optionsY, m->quitY};
  for (int c = 0; c < CHOICE_COUNT; c++) {
    int frame = c == m->choice ? m->choiceFrame : 0;
    draw_image(m->images[IMAGE_FIRST_CHOICE + 4 * c + frame], CHOICE_X[c], ys[c]);
  }
  if (TitleFont)
    textprintf_right_ex(Backbuffer, TitleFont, (int)m->versionX, 232, 0, _textmode, "V%i.%i", 1,
                        0);
  if (CheatMode && TextFont) textout_ex(Backbuffer, TextFont, "CHEAT", 2, 2, 0, _textmode);
}

static int menu_chosen(void) { return TitleMenu.result != 0; }

// Fire still held after the choice sounds only once.
static const ScreenLoop MENU_SCREEN = {menu_tick, menu_draw, menu_chosen, OWED_STOP_AT_DECISION, DECISION_DRAWN,
                                       nullptr};

int title_menu(void) {
  TitleMenuState *m = &TitleMenu;
  open_menu(m);
  run_screen(&MENU_SCREEN);
  close_menu(m);
  stop_all_sounds();
  wait_controls_released(1);
  return m->result;
}
