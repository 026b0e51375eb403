// The yardstick for presenting: a bare Allegro program that only stretches
// a 320x240 16-bit picture into a 640x480 window 60 times a second, as the
// game's presenting did before it had its own.
//   bare_stretch <seconds> [idle]   (idle: the same program drawing nothing)
#include <allegro.h>

#include <cstdlib>
#include <cstring>

static volatile int Ticks = 0;
static void tick(void) { Ticks++; }
END_OF_FUNCTION(tick)

int main(int argc, char **argv) {
  int seconds = argc > 1 ? atoi(argv[1]) : 5;
  int idle = argc > 2 && strcmp(argv[2], "idle") == 0;
  if (allegro_init() != 0 || install_timer() != 0) return 1;
  set_color_depth(16);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) return 2;
  BITMAP *picture = create_bitmap(320, 240);
  if (!picture) return 3;
  for (int y = 0; y < 240; y++)
    for (int x = 0; x < 320; x++) putpixel(picture, x, y, makecol(x * 255 / 319, y * 255 / 239, (x ^ y) & 255));
  LOCK_VARIABLE(Ticks);
  LOCK_FUNCTION(tick);
  install_int_ex(tick, BPS_TO_TIMER(60));
  for (int frames = 0; frames < seconds * 60;) {
    while (Ticks == 0) rest(1);
    Ticks = 0;
    if (!idle) stretch_blit(picture, screen, 0, 0, 320, 240, 0, 0, 640, 480);
    frames++;
  }
  destroy_bitmap(picture);
  return 0;
}
END_OF_MAIN()
