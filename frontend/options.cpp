// The options menu: volumes, screen mode, frame pacing and the redefinition
// of left, right and fire.
#include "frontend/frontend.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/entries.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

OptionsMenuState OptionsMenu;

enum {
  VALUE_X = 173,
  BLINK_TICKS = 30,
  BLINK_SHOWN = 20,
  REDEFINE_DONE = 4,
};

#define MODE_LOST_TEXT \
  "The screen mode could not be changed, nor the previous one set again. The game will now close."

static const char *const CPU_USAGE_WORDS[4] = {"MEATY", "AVERAGE", "LEAN", "DON'T CARE!"};
static const char *const REDEFINE_PROMPTS[3] = {
    "PRESS 'RUN LEFT'...", "PRESS 'RUN RIGHT'...", "PRESS 'FIRE/THROW'..."};

void options_begin(int musicChannel) {
  OptionsMenu = OptionsMenuState();
  OptionsMenu.open = 1;
  OptionsMenu.held = 1;
  OptionsMenu.mustRelease = 1;
  OptionsMenu.musicChannel = musicChannel;
  backup_settings();
}

// --- Menu mode ---

static int any_control_down(void) {
  return Controls.down || Controls.up || Controls.left || Controls.right || Controls.fire || Controls.quit;
}

static void move_pointer(OptionsMenuState *o, int by) {
  o->selection = (o->selection + by + OPTION_COUNT) % OPTION_COUNT;
  o->wobble = 20;
  o->held = 1;
  play_effect(SoundEffects[SND_MENU], 0, 44100);
}

static void step_volume(int *level) { *level = *level >= 8 ? 0 : *level + 1; }

static void toggle(int *value) { *value = *value ? 0 : 1; }

static void start_redefinition(OptionsMenuState *o) {
  for (int &code : o->captured) code = 0;
  o->mustRelease = 1;
  o->redefineStep = 1;
  o->blink = 0;
}

static void entry_action(OptionsMenuState *o) {
  switch (o->selection) {
  case OPTION_MUSIC_VOLUME:
    step_volume(&Settings.musicvolume);
    set_channel_volume(o->musicChannel, 1);
    break;
  case OPTION_SOUND_VOLUME: step_volume(&Settings.soundvolume); break;
  case OPTION_WINDOWED: toggle(&Settings.windowed); break;
  case OPTION_FORCERATE: toggle(&Settings.forcerate); break;
  case OPTION_CPU_USAGE:
    Settings.cpu_usage = Settings.cpu_usage >= 1 && Settings.cpu_usage <= 3 ? Settings.cpu_usage + 1 : 1;
    break;
  case OPTION_REDEFINE: start_redefinition(o); break;
  default:
    o->accept = 1;
    o->leave = 1;
    break;
  }
}

static void menu_controls(OptionsMenuState *o) {
  if (o->held) {
    if (!any_control_down()) o->held = 0;
    return;
  }
  if (Controls.quit) o->leave = 1;
  if (Controls.down || Controls.right) move_pointer(o, 1);
  if (Controls.up || Controls.left) move_pointer(o, -1);
  if (Controls.fire) {
    play_effect(SoundEffects[SND_MENU], 0, 49100);
    entry_action(o);
    o->held = 1;
  }
}

// --- Redefinition ---

static int already_captured(const OptionsMenuState *o, int code) {
  for (int taken : o->captured)
    if (taken == code) return 1;
  return 0;
}

static void store_bindings(OptionsMenuState *o) {
  Settings.left = o->captured[0];
  Settings.right = o->captured[1];
  Settings.fire = o->captured[2];
  save_settings();
  o->held = 1;
  o->redefineStep = 0;
}

// The fire press that chose the entry must go up first; after that a code
// still held from the step before is refused as already taken.
static void redefine_controls(OptionsMenuState *o) {
  if (Controls.quit) {
    o->redefineStep = 0;
    o->held = 1;
    return;
  }
  int code = first_input_down();
  if (code > 0 && !o->mustRelease && !already_captured(o, code)) {
    play_effect(SoundEffects[SND_MENU], 0, 10000);
    o->captured[o->redefineStep - 1] = code;
    if (++o->redefineStep == REDEFINE_DONE) store_bindings(o);
  }
  if (code == 0 && o->mustRelease) o->mustRelease = 0;
}

void options_tick(void) {
  OptionsMenuState *o = &OptionsMenu;
  read_controls();
  if (o->redefineStep == 0) menu_controls(o);
  if (o->redefineStep > 0) redefine_controls(o);
  if (o->wobble > 0) o->wobble--;
  o->blink = (o->blink + 1) % BLINK_TICKS;
}

// --- Drawing ---

static void sprite_at(int entry, int x, int y) {
  if (BITMAP *bmp = dat_bitmap(entry)) draw_sprite(Backbuffer, bmp, x, y);
}

static void text_at(const char *text, int x, int y) {
  if (text && MenuFont) textout_ex(Backbuffer, MenuFont, text, x, y, 0, _textmode);
}

static void centred_text_at(const char *text, int x, int y) {
  if (MenuFont) textout_centre_ex(Backbuffer, MenuFont, text, x, y, 0, _textmode);
}

// A hand-edited level was clamped on reading; this keeps the lookup safe
// whatever Settings hold.
static void volume_at(int level, int y) {
  sprite_at(ENTRY_VOLUME + (level < 0 ? 0 : level > 8 ? 8 : level), VALUE_X, y);
}

static void draw_values(void) {
  volume_at(Settings.musicvolume, 53);
  volume_at(Settings.soundvolume, 71);
  text_at(Settings.windowed ? "WINDOWED" : "FULLSCREEN", VALUE_X, 89);
  text_at(Settings.forcerate ? "YES PLEASE" : "NO THANKS", VALUE_X, 107);
  int cpu = Settings.cpu_usage;
  text_at(cpu >= 1 && cpu <= 4 ? CPU_USAGE_WORDS[cpu - 1] : nullptr, VALUE_X, 125);
}

static void draw_redefinition(const OptionsMenuState *o) {
  sprite_at(ENTRY_REDEFINE_PANEL, 100, 165);
  centred_text_at(REDEFINE_PROMPTS[o->redefineStep - 1], 205, 183);
  if (o->blink < BLINK_SHOWN) centred_text_at("???", 205, 204);
}

void options_draw(void) {
  const OptionsMenuState *o = &OptionsMenu;
  if (BITMAP *bg = dat_bitmap(ENTRY_OPTIONS_BACKGROUND)) blit(bg, Backbuffer, 0, 0, 0, 0, 320, 240);
  int shake = rand_int(-(o->wobble / 5), o->wobble / 5);
  if (o->selection == OPTION_ACCEPT)
    sprite_at(ENTRY_ARROWHEAD, 118, 182 + shake);
  else
    sprite_at(ENTRY_POINTER, 46, 49 + 18 * o->selection + shake);
  draw_values();
  if (o->redefineStep > 0) draw_redefinition(o);
}

// --- Leaving ---

// A 60 Hz request stays in force until taken back, so "NO THANKS" takes it
// back before the mode is set.
static bool set_mode(void) {
  if (!Settings.forcerate) request_refresh_rate(0);
  return apply_graphics_mode();
}

// A mode that cannot be set leaves no screen: the previous mode comes back,
// in Settings and the file too. Without either the game cannot go on.
static int change_mode(void) {
  if (set_mode()) return MODE_SET;
  Settings.windowed = SettingsBackup.windowed;
  Settings.forcerate = SettingsBackup.forcerate;
  save_settings();
  if (set_mode()) return MODE_RESTORED;
  QuitFlag = 1;
  plat_error_box(GAME_TITLE, MODE_LOST_TEXT);
  return MODE_LOST;
}

static void accept_settings(OptionsMenuState *o) {
  save_settings();
  if (Settings.windowed != SettingsBackup.windowed || Settings.forcerate != SettingsBackup.forcerate) {
    o->modeChange = change_mode();
    if (o->modeChange != MODE_LOST) restart_pacing(PACING_FROM_SETTINGS);
  }
  if (Settings.cpu_usage != SettingsBackup.cpu_usage) restart_pacing(PACING_FROM_SETTINGS);
}

void options_end(void) {
  OptionsMenuState *o = &OptionsMenu;
  if (o->accept)
    accept_settings(o);
  else
    restore_settings();
  wait_controls_released(1);
  o->open = 0;
}

static int options_left(void) { return OptionsMenu.leave; }

static const ScreenLoop OPTIONS_SCREEN = {options_tick, options_draw, options_left, OWED_STOP_AT_DECISION,
                                          DECISION_DRAWN, nullptr};

void options_menu(int musicChannel) {
  options_begin(musicChannel);
  run_screen(&OPTIONS_SCREEN);
  options_end();
}
