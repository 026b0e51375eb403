// Recording and playing demos. The demo owns the passes (idle_pass): each
// pass hands the clock's ticks to the screens in one batch, with one copy of
// the input that every step of the batch reads. Recording writes down the
// copy and the batch; playback feeds them back at the same point.
#include "game/demo.h"

#include "input/input.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/fsound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#define INPUT_CODES (KEY_MAX + JOY_INPUTS)

// An input code going down (or up) at a tick, for playback.
struct DemoChange {
  int tick, code, down;
};

struct DemoState {
  int mode;
  const char *file;
  Demo demo;
  DemoChange *changes;
  int changeCount, nextChange, nextOwe;
  int held[INPUT_CODES];
  int downSince[INPUT_CODES];  // recording: the tick a code went down, or 0
  InputCopy input;
  int ticks;  // ticks handed on so far
  int credit;  // playback at the normal pace: clock ticks not yet played
  int viewerQuit;
  volatile int closeAsked;
  char *text;  // recording: the demo so far
  long textSize, textRoom;
  int lost;  // recording: memory ran out, the demo is not whole
  int frames;  // frames presented so far, and their hash
  unsigned long long frameHash;
  std::chrono::steady_clock::time_point began;
};

static DemoState Dm;

static int code_index(int code) { return code >= JOY_UP ? KEY_MAX + code - JOY_UP : code; }
static int index_code(int i) { return i >= KEY_MAX ? JOY_UP + i - KEY_MAX : i; }

static void set_held(InputCopy *c, int i, int down) {
  if (i < KEY_MAX)
    c->keys[i] = (char)down;
  else
    c->joy[i - KEY_MAX] = (char)down;
}

static int copy_held(const InputCopy *c, int i) { return i < KEY_MAX ? c->keys[i] : c->joy[i - KEY_MAX]; }

typedef unsigned Lanes4 __attribute__((vector_size(16)));
typedef unsigned short Pixels8 __attribute__((vector_size(16)));

// A row of 16-bit pixels as red-green-blue 5-6-5, whatever order the
// display gave Allegro's bitmaps (an X server may keep blue on top): the
// same frame hashes alike on every display and headless.
static void canonical_row(const unsigned char *line, unsigned char *out, int bytes) {
  const int r = _rgb_r_shift_16, g = _rgb_g_shift_16, b = _rgb_b_shift_16;
  if (r == 11 && g == 5 && b == 0) {
    memcpy(out, line, (size_t)bytes);
    return;
  }
  for (int i = 0; i < bytes; i += 16) {
    Pixels8 p;
    memcpy(&p, line + i, sizeof p);
    if (r == 0 && g == 5 && b == 11)
      p = (p << 11) | (p & 0x07E0) | (p >> 11);
    else
      p = (((p >> r) & 31) << 11) | (((p >> g) & 63) << 5) | ((p >> b) & 31);
    memcpy(out + i, &p, sizeof p);
  }
}

// Thirty-two lanes over the rows' 32-bit words, each step a bijection of
// the lane and of the word (so one word changed changes the hash), cheap
// enough for every frame of a timedemo.
unsigned long long frame_hash(const void *bitmap, unsigned long long h) {
  const BITMAP *bmp = (const BITMAP *)bitmap;
  Lanes4 lane[8];
  for (int v = 0; v < 8; v++) lane[v] = Lanes4{0, 1, 2, 3} + (2166136261u ^ (unsigned)(h >> (4 * v)) ^ (unsigned)(v << 4));
  unsigned char row[2048];
  int bytes = bmp->w * 2 / 128 * 128;
  if (bytes > (int)sizeof row) bytes = (int)sizeof row;
  for (int y = 0; y < bmp->h; y++) {
    canonical_row(bmp->line[y], row, bytes);
    for (int i = 0; i < bytes; i += 128)
      for (int v = 0; v < 8; v++) {
        Lanes4 words;
        memcpy(&words, row + i + 16 * v, sizeof words);
        lane[v] ^= words;
        lane[v] += lane[v] << 5;
      }
  }
  for (int v = 0; v < 8; v++)
    for (int j = 0; j < 4; j++) h = (h ^ lane[v][j]) * 0x100000001b3ULL;
  return h ^ (h >> 29);
}

// A batch of ticks reaches the screens, and the sounds move on with it.
static void hand_on(int n) {
  Dm.ticks += n;
  fsound_tick_advance(n * (44100 / 60));
  TickCounter += n;
}

static void hash_frame(BITMAP *frame) {
  if (frame && frame->w == 320) Dm.frameHash = frame_hash(frame, Dm.frameHash);
  Dm.frames++;
}

// --- Recording ---

static void add_text(const char *line) {
  long n = (long)strlen(line);
  if (Dm.textSize + n + 1 > Dm.textRoom) {
    long room = (Dm.textRoom ? Dm.textRoom * 2 : 65536) + n;
    char *bigger = (char *)realloc(Dm.text, room);
    if (!bigger) {
      Dm.lost = 1;
      return;
    }
    Dm.text = bigger;
    Dm.textRoom = room;
  }
  memcpy(Dm.text + Dm.textSize, line, n + 1);
  Dm.textSize += n;
}

static void add_line(const char *format, long long a, long long b, long long c) {
  char line[DEMO_MAX_LINE];
  snprintf(line, sizeof line, format, a, b, c);
  add_text(line);
}

// What went up is written as a hold; what went down is noted.
static void note_changes(const InputCopy *now, int first) {
  for (int i = 1; i < INPUT_CODES; i++) {
    int was = copy_held(&Dm.input, i), is = copy_held(now, i);
    if (is && !was) Dm.downSince[i] = first;
    if (was && !is) add_line("hold %02lld %lld %lld\n", index_code(i), Dm.downSince[i], first - 1);
  }
}

static void record_pass(void) {
  plat_idle();
  if (Dm.closeAsked) QuitFlag = 1;
  int n = ClockTicks.exchange(0);
  if (n < 1 || QuitFlag) return;
  if (Dm.ticks + n >= DEMO_MAX_TICKS - 1) {
    fprintf(stderr, "qvlgam: the demo is full (%d ticks): the game ends\n", DEMO_MAX_TICKS);
    QuitFlag = 1;
    return;
  }
  InputCopy now;
  copy_live_input(&now);
  note_changes(&now, Dm.ticks + 1);
  if (n > 1) add_line("owe %lld %lld\n", n, Dm.ticks + 1, 0);
  Dm.input = now;
  hand_on(n);
}

// The window's close button ends the run at the next pass, where playback
// ends it too.
static void record_close(void) { Dm.closeAsked = 1; }

static int write_demo(void) {
  if (Dm.lost) {
    fprintf(stderr, "qvlgam: the demo %s was not written: out of memory\n", Dm.file);
    return 0;
  }
  if (save_file_safely(Dm.file, (const unsigned char *)Dm.text, Dm.textSize)) return 1;
  fprintf(stderr, "qvlgam: the demo %s could not be written\n", Dm.file);
  return 0;
}

static void write_header(void) {
  char line[DEMO_MAX_LINE];
  add_text("demo 1\n# Quorvale - Sports Day: a run from the title menu, tick by tick\n");
  add_line("seed %lld\ndifficulty %lld\n", Dm.demo.seed, Dm.demo.difficulty, 0);
  const int *b = Dm.demo.bindings;
  snprintf(line, sizeof line, "keys up=%02d down=%02d left=%02d right=%02d fire=%02d quit=%02d\n", b[0], b[1], b[2], b[3], b[4],
           b[5]);
  add_text(line);
  demo_records_text("records", Dm.demo.start, line, sizeof line);
  add_text(line);
  add_text("start title\n");
}

static int finish_recording(void) {
  InputCopy none;
  memset(&none, 0, sizeof none);
  note_changes(&none, Dm.ticks + 1);
  char line[DEMO_MAX_LINE];
  add_line("end %lld\n", Dm.ticks + 1, 0, 0);
  snprintf(line, sizeof line, "frames %d %016llx\n", Dm.frames, Dm.frameHash);
  add_text(line);
  demo_records_text("claim", RecordTable, line, sizeof line);
  add_text(line);
  int ok = write_demo();
  free(Dm.text);
  Dm.text = nullptr;
  return ok ? 0 : EXIT_DEMO_FILE;
}

// --- Playback ---

static int by_tick(const void *a, const void *b) {
  int ta = ((const DemoChange *)a)->tick, tb = ((const DemoChange *)b)->tick;
  return (ta > tb) - (ta < tb);
}

static int build_changes(void) {
  const Demo *d = &Dm.demo;
  Dm.changes = (DemoChange *)malloc(sizeof(DemoChange) * (size_t)(d->holdCount * 2 + 1));
  if (!Dm.changes) return 0;
  for (int i = 0; i < d->holdCount; i++) {
    const DemoHold &h = d->holds[i];
    Dm.changes[Dm.changeCount++] = DemoChange{h.from, code_index(h.code), 1};
    Dm.changes[Dm.changeCount++] = DemoChange{h.to + 1, code_index(h.code), 0};
  }
  qsort(Dm.changes, Dm.changeCount, sizeof(DemoChange), by_tick);
  return 1;
}

// The input of the last tick of a batch, and the batch's size.
static int next_batch(void) {
  int first = Dm.ticks + 1, n = 1;
  if (Dm.nextOwe < Dm.demo.oweCount && Dm.demo.owes[Dm.nextOwe].tick == first) n = Dm.demo.owes[Dm.nextOwe++].n;
  while (Dm.nextChange < Dm.changeCount && Dm.changes[Dm.nextChange].tick <= first + n - 1) {
    const DemoChange &c = Dm.changes[Dm.nextChange++];
    Dm.held[c.code] += c.down ? 1 : -1;
    set_held(&Dm.input, c.code, Dm.held[c.code] > 0);
  }
  return n;
}

static int viewer_quits(void) {
  if (key[KEY_ESC]) return 1;
  return Dm.viewerQuit > 0 && Dm.viewerQuit < KEY_MAX && key[Dm.viewerQuit];
}

// One batch, or the end once the input has run out.
static void play_batch(void) {
  if (Dm.ticks + 1 >= Dm.demo.end) {
    QuitFlag = 1;
    return;
  }
  int n = next_batch();
  hand_on(n);
  Dm.credit -= n;
}

// At the normal pace a batch waits for the clock; playback falling behind
// slows down rather than hurrying.
static void play_pass(void) {
  plat_idle();
  if (viewer_quits()) QuitFlag = 1;
  Dm.credit += ClockTicks.exchange(0);
  if (Dm.credit < 1 || QuitFlag) return;
  play_batch();
  if (Dm.credit > 0) Dm.credit = 0;
}

static void time_pass(void) {
  if (viewer_quits()) QuitFlag = 1;
  if (!QuitFlag) play_batch();
}

static int load_demo(const char *file) {
  unsigned char *text = nullptr;
  long size = 0;
  char error[160];
  int found = read_whole_file(file, &text, &size, DEMO_MAX_BYTES + 1);
  if (found <= 0) {
    fprintf(stderr, "qvlgam: demo %s: %s\n", file, found == 0 ? "no such file" : "cannot be read");
    return 0;
  }
  int ok = demo_parse((const char *)text, size, &Dm.demo, error, sizeof error);
  free(text);
  if (!ok) fprintf(stderr, "qvlgam: demo %s: %s\n", file, error);
  return ok && build_changes();
}

// --- The run ---

// Said before the game starts rather than after the run; a demo already
// there is kept until the new one replaces it.
static int can_write(const char *file) {
  struct stat st;
  int ok = 0;
  if (stat(file, &st) == 0) {
    ok = S_ISREG(st.st_mode) && access(file, W_OK) == 0;
  } else {
    int fd = open(file, O_WRONLY | O_CREAT | O_EXCL, 0644);
    ok = fd >= 0 && close(fd) == 0 && unlink(file) == 0;
  }
  if (!ok) fprintf(stderr, "qvlgam: the demo %s cannot be written\n", file);
  return ok;
}

int demo_prepare(const CommandLine *line) {
  Dm = DemoState();
  Dm.mode = line->mode;
  Dm.file = line->file;
  if (Dm.mode == DEMO_PLAY || Dm.mode == DEMO_TIME) return load_demo(Dm.file);
  return Dm.mode != DEMO_RECORD || can_write(Dm.file);
}

static void take_run_settings(void) {
  int *b = Dm.demo.bindings;
  int *s[BIND_COUNT] = {&Settings.up, &Settings.down, &Settings.left, &Settings.right, &Settings.fire, &Settings.quit};
  Dm.viewerQuit = Settings.quit;
  for (int i = 0; i < BIND_COUNT; i++) {
    if (Dm.mode == DEMO_RECORD) b[i] = *s[i];
    *s[i] = b[i];
  }
  if (Dm.mode == DEMO_RECORD) Dm.demo.difficulty = Settings.difficulty;
  Settings.difficulty = Dm.demo.difficulty;
}

static void begin_recording(void) {
  // Start-up seeded the game from the time of day.
  Dm.demo.seed = game_rand_state();
  load_records();
  Dm.demo.start = RecordTable;
  RecordsInMemory = 1;
  take_run_settings();
  write_header();
  set_close_button_callback(record_close);
  PassHook = record_pass;
}

static void begin_playback(void) {
  RecordTable = Dm.demo.start;
  FilesKept = RecordsInMemory = 1;
  take_run_settings();
  PassHook = Dm.mode == DEMO_TIME ? time_pass : play_pass;
  Unpaced = Dm.mode == DEMO_TIME;
}

void demo_begin(void) {
  if (Dm.mode == DEMO_NONE) return;
  if (Dm.mode == DEMO_RECORD)
    begin_recording();
  else
    begin_playback();
  FrameHook = hash_frame;
  game_srand(Dm.demo.seed);
  ClockTicks = 0;
  Dm.began = std::chrono::steady_clock::now();
  InputFrozen = &Dm.input;
  fsound_tick_clock(1);
}

DemoFigures LastPlayback;
FILE *DemoReport = nullptr;

static void print_records(FILE *out, const char *word, const RecordData &r) {
  fprintf(out, "%s sprint %.2f catapult %d swim %.2f throw %.2f\n", word, r.best_sprint_time,
          r.best_catapult_points, r.best_swim_time, r.best_throw_distance);
}

// The figures of a playback, and whether it reached what the demo claims.
static int report_playback(void) {
  DemoFigures &f = LastPlayback;
  f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Dm.began).count();
  f.ticks = Dm.ticks;
  f.frames = Dm.frames;
  f.sameFrames = Dm.frames == Dm.demo.frames && Dm.frameHash == Dm.demo.frameHash;
  f.verified = records_equal(RecordTable, Dm.demo.claim);
  FILE *out = DemoReport ? DemoReport : stdout;
  fprintf(out, "ticks %d\nframes %d\nseconds %.3f\n", f.ticks, f.frames, f.seconds);
  if (f.seconds > 0) fprintf(out, "ticks/s %.0f\n", f.ticks / f.seconds);
  print_records(out, "records", RecordTable);
  if (f.sameFrames)
    fprintf(out, "frames as recorded\n");
  else
    fprintf(out, "frames differ from the recording (%d recorded)\n", Dm.demo.frames);
  if (!f.verified) print_records(out, "claimed", Dm.demo.claim);
  fprintf(out, "%s\n", f.verified ? "verified" : "does not match");
  fflush(out);
  return f.verified ? 0 : EXIT_NOT_VERIFIED;
}

static void end_demo_state(void) {
  PassHook = nullptr;
  FrameHook = nullptr;
  InputFrozen = nullptr;
  Unpaced = 0;
  fsound_tick_clock(0);
  FilesKept = RecordsInMemory = 0;
  demo_free(&Dm.demo);
  free(Dm.changes);
  Dm.changes = nullptr;
}

int demo_finish(void) {
  int status = 0;
  if (Dm.mode == DEMO_RECORD) status = finish_recording();
  // Watching ends as the viewer likes; timing proves the claim.
  if (Dm.mode == DEMO_PLAY) report_playback();
  if (Dm.mode == DEMO_TIME) status = report_playback();
  end_demo_state();
  Dm.mode = DEMO_NONE;
  return status;
}
