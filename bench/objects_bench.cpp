// The per-tick cost of a full object pool and of rendering the sprint's
// main view. Goals: a full-pool update under 10 us, a render under 200 us.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <unistd.h>

#include "headless/headless.h"
#include "objects/objects.h"
#include "shell/entries.h"
#include "shell/shell.h"

// Every picture entry (the sounds come after them).
#define BENCH_ENTRIES ENTRY_SOUND_BALLOON

// Stand-in frames when the real datafile is not built: sprite-sized,
// half see-through, with the sprint's 3000-pixel track at entry 3.
static DATAFILE FakeData[BENCH_ENTRIES + 1];

static BITMAP *fake_frame(int entry) {
  int w = entry == ENTRY_WORLD_SPRINT ? 3000 : 16 + entry % 17;
  int h = entry == ENTRY_WORLD_SPRINT ? 162 : 24 + entry % 23;
  BITMAP *bmp = create_bitmap_ex(16, w, h);
  clear_to_color(bmp, 0x0400 + entry);
  for (int y = 0; y < h; y += 2) hline(bmp, 0, y, w / 3, MASK_COLOUR_16);
  return bmp;
}

static void use_fake_data(void) {
  for (int i = 0; i < BENCH_ENTRIES; i++) FakeData[i] = DATAFILE{fake_frame(i), DAT_BITMAP, 0, nullptr};
  FakeData[BENCH_ENTRIES] = DATAFILE{nullptr, DAT_END, 0, nullptr};
  set_main_datafile(FakeData);
}

// The real datafile when it is built and has the sprint's track.
static const char *start_host(void) {
  static const char *source = nullptr;
  if (source) return source;
  HeadlessOptions options;
  options.loadData = access(QVL_RUN_DIR "/qvlgam.dat", R_OK) == 0;
  if (options.loadData && headless_start(options)) {
    BITMAP *track = dat_bitmap(ENTRY_WORLD_SPRINT);
    if (track && track->w >= 3000 && dat_bitmap(ENTRY_PLAYER + KID_RUN) && dat_bitmap(ENTRY_DISTANCE_MARKER))
      return source = "qvlgam.dat";
    headless_stop();
  }
  options.loadData = false;
  headless_start(options);
  use_fake_data();
  return source = "made-up frames";
}

// Types that stay in the pool however long they run.
static const int LASTING_TYPES[] = {
    TYPE_PLAYER,       TYPE_OPPONENT_A, TYPE_OPPONENT_B, TYPE_OPPONENT_C,      TYPE_STARTER, TYPE_LINE_JUDGE,
    TYPE_MEASURER,     TYPE_SIGN,       TYPE_SHOT,       TYPE_BALLOON,         TYPE_BALLOON_STAND,
    TYPE_POINTS_LABEL, TYPE_BALL,       TYPE_BALL_SHADOW, TYPE_LANDING_MARK,   TYPE_DISTANCE_MARKER,
    TYPE_FLOAT,        TYPE_BREATH_MARKER, TYPE_CATAPULT};

static void fill_pool(void) {
  begin_scene(3000, 162, ENTRY_WORLD_SPRINT);
  const int n = (int)(sizeof LASTING_TYPES / sizeof LASTING_TYPES[0]);
  for (int i = 0; i < MAX_OBJECTS; i++) {
    int type = LASTING_TYPES[i % n];
    GameObject *obj = object_at(add_object(i * 17 % 3000, 20 + i % 120, i % 10, type, type == TYPE_POINTS_LABEL ? 10 : i % 3));
    if (!obj) continue;
    if (type >= TYPE_PLAYER && type <= TYPE_OPPONENT_C) set_sequence(obj, i % 8);
    if (type == TYPE_MEASURER) set_sequence(obj, SEQ_MEASURER_WALK);
    if (type == TYPE_BALLOON) set_sequence(obj, SEQ_BALLOON_FLOAT);
    obj->autoFace = i % 2;
    obj->vx = (float)(i % 5) * 0.25f;
  }
}

static int active_objects(void) {
  int n = 0;
  for (int i = 0; i < MAX_OBJECTS; i++) n += ObjectPool[i].active;
  return n;
}

static void BM_UpdateFullPool(benchmark::State &state) {
  state.SetLabel(start_host());
  fill_pool();
  for (auto _ : state) {
    update_objects();
    benchmark::ClobberMemory();
  }
  if (active_objects() != MAX_OBJECTS) state.SkipWithError("objects left the pool");
  state.counters["objects"] = MAX_OBJECTS;
  state.counters["goal_us"] = 10;
  end_scene();
}
BENCHMARK(BM_UpdateFullPool)->Unit(benchmark::kMicrosecond);

static void add_sprint_scene(void) {
  begin_scene(3000, 162, ENTRY_WORLD_SPRINT);
  setup_camera(0, 314, 162);
  for (int i = 0; i < DISTANCE_MARKERS; i++) add_object(325 + 252 * i, 101, 1, TYPE_DISTANCE_MARKER, i);
  if (GameObject *starter = object_at(add_object(20, 69, 1, TYPE_STARTER, 0))) set_sequence(starter, SEQ_STARTER_SIGNAL);
  const int lanes[4][2] = {{TYPE_OPPONENT_A, 94}, {TYPE_OPPONENT_C, 106}, {TYPE_PLAYER, 118}, {TYPE_OPPONENT_B, 132}};
  for (const auto &lane : lanes) add_object(50, lane[1], 2, lane[0], 0);
  add_object(54, 93, 5, TYPE_START_LINE, 0);
}

static void BM_RenderSprintCamera(benchmark::State &state) {
  state.SetLabel(start_host());
  add_sprint_scene();
  scroll_camera(0, (int)state.range(0));
  for (auto _ : state) {
    render_camera(0);
    benchmark::ClobberMemory();
  }
  state.counters["goal_us"] = 200;
  end_scene();
}
BENCHMARK(BM_RenderSprintCamera)->Arg(0)->Arg(1300)->Unit(benchmark::kMicrosecond);
