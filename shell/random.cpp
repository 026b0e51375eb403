// The game's random numbers. The C library's rand() differs from one
// library to the next (glibc's reaches 2^31); the game's arithmetic expects
// 0 to 32767, and replays expect the same sequence everywhere, so the
// classic 15-bit generator is kept here.
#include "shell/shell.h"

static unsigned RandState = 1;

void game_srand(unsigned seed) { RandState = seed; }
unsigned game_rand_state(void) { return RandState; }

int game_rand(void) {
  RandState = RandState * 214013u + 2531011u;
  return (int)((RandState >> 16) & 0x7FFF);
}

int rand_below(int n) {
  if (n == 0) return 0;
  return game_rand() % n;
}

int rand_int(int a, int b) {
  if (b > a) return a + rand_below(b - a + 1);
  return a;
}

float rand_float(float a, float b) {
  float span = b - a;
  return (float)(a + game_rand() * span / 32768.0);
}

int rects_overlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  return x1 + w1 > x2 && x1 < x2 + w2 && y1 + h1 > y2 && y1 < y2 + h2;
}
