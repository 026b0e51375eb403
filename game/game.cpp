// Start-up in its fixed order with numbered failures, the splash, the loop
// over the title menu, and shutdown.
#include "game/game.h"

#include "frontend/frontend.h"
#include "game/demo.h"
#include "input/input.h"
#include "persist/persist.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/sound.h"

#include <ctime>

// Steps up to the screen mode and the splash.
static int init_display(void) {
  set_uformat(U_ASCII);
  if (start_allegro() != STARTUP_OK) return STARTUP_ALLEGRO;
  if (!load_settings()) return STARTUP_CONFIG;
  restart_pacing(PACING_FROM_SETTINGS);
  set_color_depth(16);
  if (!apply_graphics_mode()) return STARTUP_GRAPHICS;
  Backbuffer = create_bitmap(320, 240);
  if (!Backbuffer) return STARTUP_BACKBUFFER;
  show_splash();
  return STARTUP_OK;
}

int init_game(void) {
  int err = init_display();
  if (err) return err;
  if (!set_logic_rate(60)) return STARTUP_TIMER;
  install_mouse();
  drop_owed_ticks();
  set_close_button_callback(on_close_button);
  set_window_title(GAME_TITLE);
  if (install_keyboard() != 0) return STARTUP_KEYBOARD;
  if (install_joystick(JOY_TYPE_AUTODETECT) != 0) return STARTUP_JOYSTICK;
  init_controls();
  if (load_main_data() != STARTUP_OK) return STARTUP_DATAFILE;
  if (install_sound_driver() != 0) return STARTUP_SOUND_DRIVER;
  if (init_sound() != 0) return STARTUP_SOUND_DATA;
  err = create_fonts();
  if (err) return err;
  game_srand((unsigned)time(nullptr));
  // Whatever a driver installed since, the game's handlers are in place.
  take_signals();
  return STARTUP_OK;
}

void shutdown_game(void) {
  plat_remove_timer();
  free_fonts();
  shutdown_sound();
  free_pictures();
  allegro_exit();
}

void run_title_loop(void) {
  int choice = 0;
  while (choice != MENU_QUIT && !QuitFlag) {
    choice = title_menu();
    if (choice == MENU_PLAY) run_sports_day();
  }
}

// A demo is played from the title menu on, as it was recorded.
static void run_game(int mode) {
  if (mode == DEMO_NONE || mode == DEMO_RECORD) {
    wait_splash();
    if (!QuitFlag) title_logo_drop();
  }
  demo_begin();
  run_title_loop();
}

int game_main(int argc, char **argv) {
  CommandLine line;
  int status = parse_command_line(argc, argv, &line);
  if (status >= 0) return status;
  if (!demo_prepare(&line)) return EXIT_DEMO_FILE;
  take_signals();
  int err = init_game();
  if (err != STARTUP_OK) {
    char message[256];
    format_startup_failure(err, message, sizeof message);
    plat_error_box("Initialisation error", message);
    shutdown_game();
    return err;
  }
  run_game(line.mode);
  status = demo_finish();
  shutdown_game();
  return status;
}
