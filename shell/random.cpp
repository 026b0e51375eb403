// The shared random helpers; all randomness comes from rand().
#include "shell/shell.h"

#include <cstdlib>

int rand_below(int n) {
  if (n == 0) return 0;
  return rand() % n;
}

int rand_int(int a, int b) {
  if (b > a) return a + rand_below(b - a + 1);
  return a;
}

float rand_float(float a, float b) {
  float span = b - a;
  return (float)(a + rand() * span / 32768.0);
}

int rects_overlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  return x1 + w1 > x2 && x1 < x2 + w2 && y1 + h1 > y2 && y1 < y2 + h2;
}
