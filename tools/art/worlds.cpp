// World backgrounds: throw 1700 x 162, catapult 628 x 162, swim 612 x 162,
// sprint 3000 x 162, each matching where its event puts things.
#include "art/worlds.h"
#include "shell/entries.h"

#include <cstdio>

static const int WORLD_H = 162;

// Sky, trees, school and spectators behind every field.
static void backdrop(Image &img, int horizon, Rng &r) {
  sky(img, horizon + 8, r);
  tree_line(img, -10, img.w + 10, horizon + 4, r);
  for (int x = 150; x + 200 < img.w; x += 1300) school(img, x, horizon + 6, 200, 30);
  // The day's banner on the first school front.
  if (img.w > 400 && horizon >= 30) {
    fill_rect(img, 200, horizon - 20, 100, 9, pal::YELLOW);
    rect_outline(img, 200, horizon - 20, 100, 9, pal::RED);
    draw_text5(img, 250 - text5_width("SPORTS DAY") / 2, horizon - 19, "SPORTS DAY", pal::RED);
  }
  // Down to the ground's first row: a row left clear would show through
  // the masked playfield.
  hedge(img, 0, img.w, horizon + 4, horizon + 10);
}

static void stands_with_bunting(Image &img, int x0, int x1, int base, Rng &r) {
  for (int x = x0; x + 150 <= x1; x += 190) {
    crowd(img, x, x + 150, base, r);
    bunting(img, x - 10, x + 160, base - 26, 10);
  }
}

// A mown lawn with daisies under the backdrop, spectators along its back.
static void open_field(Image &img, int w, int horizon, int lawnBottom, int standsFrom, int standsTo, Rng &r) {
  img_new(img, w, WORLD_H);
  backdrop(img, horizon, r);
  grass(img, 0, horizon + 10, w, lawnBottom);
  daisies(img, 0, 70, w, lawnBottom - 3, r);
  stands_with_bunting(img, standsFrom, standsTo, 66, r);
}

static void track_lanes(Image &img, int x0, int x1) {
  fill_rect(img, x0, TRACK_TOP - 2, x1 - x0, 2, pal::STONE);
  for (int y = TRACK_TOP; y < LANE_LINES[4] + 1; y++)
    for (int x = x0; x < x1; x++) {
      uint32_t c = ((x * 31 + y * 17) % 11) == 0 ? pal::TRACK_DARK : pal::TRACK;
      if (((x * 13 + y * 7) % 19) == 0) c = shade(pal::TRACK, 112);
      put(img, x, y, c);
    }
  for (int i = 0; i < 5; i++) fill_rect(img, x0, LANE_LINES[i], x1 - x0, 1, pal::WHITE);
}

static void sprint_lines(Image &img) {
  int top = LANE_LINES[0], h = LANE_LINES[4] - LANE_LINES[0] + 1;
  fill_rect(img, SPRINT_START_X, top, 2, h, pal::WHITE);
  for (int i = 0; i < 4; i++) {
    char n[16];
    snprintf(n, sizeof n, "%d", i + 1);
    draw_text5(img, SPRINT_START_X + 6, LANE_LINES[i] + 3, n, pal::WHITE);
  }
  for (int y = top; y < top + h; y++)
    for (int x = 0; x < 4; x++)
      put(img, SPRINT_FINISH_X + x, y, ((x / 2 + (y - top) / 2) % 2) ? pal::OUTLINE : pal::WHITE);
  // Finish gantry at the near kerb: a post and a banner.
  int px = SPRINT_FINISH_X + 1;
  fill_rect(img, px, 66, 2, TRACK_TOP - 66, pal::WHITE);
  fill_rect(img, px - 20, 58, 42, 11, pal::RED);
  rect_outline(img, px - 20, 58, 42, 11, pal::OUTLINE);
  draw_text5(img, px - 20 + (42 - text5_width("FINISH")) / 2, 60, "FINISH", pal::WHITE);
}

static void sprint_world(Image &img) {
  Rng r = {3};
  open_field(img, 3000, 40, TRACK_TOP - 2, 120, 3000 - 40, r);
  static const uint32_t HOUSES[4] = {pal::RED, pal::BLUE, pal::YELLOW, pal::GREEN};
  // House flags halfway between the distance markers, tents further back.
  static const int TENTS[3] = {800, 1750, 2250};
  for (int i = 0; i < 3; i++) marquee(img, TENTS[i], 92, i % 2 ? pal::RED : pal::BLUE);
  for (int j = 0; 451 + 252 * j < SPRINT_FINISH_X; j++) house_flag(img, 451 + 252 * j, TRACK_TOP - 3, HOUSES[j % 4]);
  track_lanes(img, 0, img.w);
  grass(img, 0, LANE_LINES[4] + 1, img.w, WORLD_H);
  sprint_lines(img);
}

// The pool from the side: deck and teacher's walk above, four lanes of
// water between the walls, starting blocks on the left.
static void pool_water(Image &img) {
  for (int y = POOL_TOP; y < 160; y++)
    for (int x = POOL_LEFT; x < POOL_RIGHT; x++) {
      uint32_t c = mix(pal::WATER_LIGHT, pal::WATER, (y - POOL_TOP) * 100 / 30 > 100 ? 100 : (y - POOL_TOP) * 100 / 30);
      if (((x + (y * 3) % 17) % 29) < 2 && y % 4 == 0) c = mix(c, pal::WATER_LIGHT, 60);
      put(img, x, y, c);
    }
  static const int FLOOR_LINES[4] = {79, 101, 121, 144};
  for (int i = 0; i < 4; i++) {
    int y = FLOOR_LINES[i];
    fill_rect(img, POOL_LEFT + 24, y, POOL_RIGHT - POOL_LEFT - 48, 2, pal::WATER_DARK);
    fill_rect(img, POOL_LEFT + 24, y - 3, 2, 8, pal::WATER_DARK);
    fill_rect(img, POOL_RIGHT - 26, y - 3, 2, 8, pal::WATER_DARK);
  }
  fill_rect(img, POOL_LEFT, POOL_TOP, POOL_RIGHT - POOL_LEFT, 2, pal::WATER_DARK);
  fill_rect(img, POOL_LEFT - 2, POOL_TOP - 2, 2, 162 - POOL_TOP, pal::WHITE);
  fill_rect(img, POOL_RIGHT, POOL_TOP - 2, 3, 162 - POOL_TOP, pal::WHITE);
}

static void tiles(Image &img, int x0, int y0, int x1, int y1) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) put(img, x, y, (x % 8 == 0 || y % 6 == 0) ? 0xFFC0B8A8 : pal::STONE);
}

// Starting blocks: a slab tilted towards the water on a numbered post.
static void start_blocks(Image &img) {
  for (int i = 0; i < 4; i++) {
    int top = 91 + 20 * i;
    Image block;
    img_new(block, 22, 14);
    int slab[] = {0, 1, 21, 3, 21, 6, 0, 4};
    fill_polygon(block, slab, 4, pal::WHITE);
    fill_rect(block, 4, 5, 12, 8, pal::BLUE);
    fill_rect(block, 4, 5, 1, 8, shade(pal::BLUE, 130));
    char n[16];
    snprintf(n, sizeof n, "%d", i + 1);
    draw_text5(block, 8, 6, n, pal::WHITE);
    outline_opaque(block);
    blit_over(img, block, 0, top - 1);
  }
}

// A tall white chair for the lifeguard, seen from the side.
static void lifeguard_chair(Image &img, int x, int base) {
  thick_line(img, x, base, x + 10, base - 40, 2, pal::WHITE);
  thick_line(img, x + 24, base, x + 16, base - 40, 2, pal::WHITE);
  for (int y = base - 8; y > base - 40; y -= 8) fill_rect(img, x + 4 + (base - y) / 8, y, 16 - (base - y) / 5, 1, pal::WHITE);
  fill_rect(img, x + 7, base - 42, 14, 3, pal::RED);
  fill_rect(img, x + 17, base - 54, 2, 12, pal::RED);
  fill_rect(img, x + 4, base - 60, 20, 6, pal::YELLOW);  // sunshade
  fill_rect(img, x + 4, base - 55, 20, 1, shade(pal::YELLOW, 80));
}

static void towel(Image &img, int x, int y, uint32_t c) {
  fill_rect(img, x, y, 24, 7, c);
  for (int i = x + 3; i < x + 24; i += 6) fill_rect(img, i, y, 2, 7, pal::WHITE);
  rect_outline(img, x - 1, y - 1, 26, 9, shade(c, 60));
}

static void swim_world(Image &img) {
  Rng r = {5};
  img_new(img, 612, WORLD_H);
  backdrop(img, 14, r);
  tiles(img, 0, 24, img.w, POOL_TOP);
  tiles(img, 0, POOL_TOP, POOL_LEFT - 2, WORLD_H);
  tiles(img, POOL_RIGHT + 3, POOL_TOP, img.w, WORLD_H);
  fill_rect(img, 0, 24, img.w, 2, pal::WHITE);
  pool_water(img);
  tiles(img, 0, 160, img.w, WORLD_H);
  start_blocks(img);
  for (int x = 60; x + 120 <= img.w; x += 150) {
    crowd(img, x, x + 110, 44, r);
    bunting(img, x - 8, x + 118, 20, 5);
  }
  lifeguard_chair(img, 556, 118);
  towel(img, 538, 140, pal::RED);
  towel(img, 580, 146, pal::BLUE);
}

static void catapult_world(Image &img) {
  Rng r = {7};
  open_field(img, 628, 44, WORLD_H, 20, 330, r);
  picket_fence(img, 440, img.w, 70);
  // Sand under the five balloon places.
  fill_ellipse(img, 555, 156, 80, 8, 0xFFE0C890);
}

static void throw_markings(Image &img) {
  fill_rect(img, THROW_LINE_X, 120, 2, WORLD_H - 120, pal::WHITE);
  for (int m = 5; THROW_LINE_X + m * THROW_PX_PER_M < img.w - 4; m += 5) {
    int x = THROW_LINE_X + (int)(m * THROW_PX_PER_M + 0.5f);
    for (int y = 122; y < WORLD_H; y += 2) put(img, x, y, pal::WHITE);
    int cone[] = {x - 3, 121, x + 3, 121, x + 1, 115, x - 1, 115};
    fill_polygon(img, cone, 4, pal::ORANGE);
    fill_rect(img, x - 2, 118, 4, 1, pal::WHITE);
    char n[16];
    snprintf(n, sizeof n, "%dm", m);
    draw_text5_outlined(img, x - text5_width(n) / 2, 104, n, pal::WHITE, pal::GRASS_DARK);
  }
}

static void throw_world(Image &img) {
  Rng r = {11};
  open_field(img, 1700, 40, WORLD_H, 40, 1700 - 40, r);
  marquee(img, 240, 96, pal::RED);
  marquee(img, 1250, 96, pal::BLUE);
  // Run-up strip up to the line.
  for (int y = 140; y < 160; y++)
    for (int x = 100; x < THROW_LINE_X; x++) put(img, x, y, ((x * 31 + y * 17) % 11) ? pal::TRACK : pal::TRACK_DARK);
  fill_rect(img, 100, 139, THROW_LINE_X - 100, 1, pal::WHITE);
  fill_rect(img, 100, 160, THROW_LINE_X - 100, 1, pal::WHITE);
  throw_markings(img);
}

bool world_entry(int index, Image &out) {
  switch (index) {
  case ENTRY_WORLD_THROW: throw_world(out); return true;
  case ENTRY_WORLD_CATAPULT: catapult_world(out); return true;
  case ENTRY_WORLD_SWIM: swim_world(out); return true;
  case ENTRY_WORLD_SPRINT: sprint_world(out); return true;
  default: return false;
  }
}
