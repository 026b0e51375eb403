// The demo file: a replay of the whole run with absolute ticks only, read
// strictly, since it comes from anywhere.
#include "game/demo.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char *const BIND_NAMES[BIND_COUNT] = {"up", "down", "left", "right", "fire", "quit"};

// What the reader has seen so far, beyond the demo itself.
struct DemoReader {
  Demo *demo;
  int holdRoom, oweRoom;
  int seen;  // bit per line kind that must come once
  int claimed;
  int lastOweEnd;
};

enum { SEEN_VERSION = 1, SEEN_SEED = 2, SEEN_DIFFICULTY = 4, SEEN_KEYS = 8, SEEN_RECORDS = 16, SEEN_START = 32,
       SEEN_END = 64, SEEN_FRAMES = 128, SEEN_ALL = 255 };

static const char *skip_space(const char *p) {
  while (*p == ' ' || *p == '\t') p++;
  return p;
}

static int take_long(const char **p, long long lo, long long hi, long long *out) {
  const char *s = skip_space(*p);
  char *end;
  errno = 0;
  long long v = strtoll(s, &end, 10);
  if (end == s || errno || v < lo || v > hi || (*end && *end != ' ' && *end != '\t')) return 0;
  *out = v;
  *p = end;
  return 1;
}

static int take_int(const char **p, long long lo, long long hi, int *out) {
  long long v;
  if (!take_long(p, lo, hi, &v)) return 0;
  *out = (int)v;
  return 1;
}

static int take_float(const char **p, float *out) {
  const char *s = skip_space(*p);
  char *end;
  float v = strtof(s, &end);
  if (end == s || !std::isfinite(v) || (*end && *end != ' ' && *end != '\t')) return 0;
  *out = v;
  *p = end;
  return 1;
}

static int at_end(const char *p) { return *skip_space(p) == 0; }

static int take_records(const char *p, RecordData *r) {
  return take_float(&p, &r->best_sprint_time) && take_int(&p, -1, 750, &r->best_catapult_points) &&
         take_float(&p, &r->best_swim_time) && take_float(&p, &r->best_throw_distance) && at_end(p);
}

// keys up=N down=N left=N right=N fire=N quit=N, in that order.
static int take_keys(const char *p, int *bindings) {
  for (int i = 0; i < BIND_COUNT; i++) {
    p = skip_space(p);
    size_t n = strlen(BIND_NAMES[i]);
    if (strncmp(p, BIND_NAMES[i], n) != 0 || p[n] != '=') return 0;
    p += n + 1;
    if (!take_int(&p, 1, JOY_BUTTON_6, &bindings[i]) || !input_code_valid(bindings[i])) return 0;
  }
  return at_end(p);
}

static int grow(void **array, int *room, int count, size_t item) {
  if (count < *room) return 1;
  int more = *room ? *room * 2 : 256;
  void *bigger = realloc(*array, (size_t)more * item);
  if (!bigger) return 0;
  *array = bigger;
  *room = more;
  return 1;
}

static int take_hold(DemoReader *r, const char *p) {
  DemoHold h;
  if (!take_int(&p, 1, JOY_BUTTON_6, &h.code) || !input_code_valid(h.code) ||
      !take_int(&p, 1, DEMO_MAX_TICKS, &h.from) || !take_int(&p, h.from, DEMO_MAX_TICKS, &h.to) || !at_end(p))
    return 0;
  Demo *d = r->demo;
  if (!grow((void **)&d->holds, &r->holdRoom, d->holdCount, sizeof h)) return 0;
  d->holds[d->holdCount++] = h;
  return 1;
}

static int take_owe(DemoReader *r, const char *p) {
  DemoOwe o;
  if (!take_int(&p, 2, DEMO_MAX_TICKS, &o.n) || !take_int(&p, 1, DEMO_MAX_TICKS, &o.tick) || !at_end(p)) return 0;
  if (o.tick <= r->lastOweEnd) return 0;
  r->lastOweEnd = o.tick + o.n - 1;
  Demo *d = r->demo;
  if (!grow((void **)&d->owes, &r->oweRoom, d->oweCount, sizeof o)) return 0;
  d->owes[d->oweCount++] = o;
  return 1;
}

static int take_frames(Demo *d, const char *p) {
  char *end;
  if (!take_int(&p, 0, 0x7fffffff, &d->frames)) return 0;
  p = skip_space(p);
  errno = 0;
  d->frameHash = strtoull(p, &end, 16);
  return end != p && !errno && at_end(end);
}

// A line kind that comes once, and only before the claim.
static int once(DemoReader *r, int kind, int ok) {
  if (!ok || (r->seen & kind) || r->claimed) return 0;
  r->seen |= kind;
  return 1;
}

static int is_word(const char **p, const char *word) {
  size_t n = strlen(word);
  if (strncmp(*p, word, n) != 0 || (*p)[n] != ' ') return 0;
  *p += n;
  return 1;
}

static int read_directive(DemoReader *r, const char *p) {
  Demo *d = r->demo;
  long long v;
  if (is_word(&p, "seed")) return once(r, SEEN_SEED, take_long(&p, 0, 0xffffffffLL, &v) && at_end(p)) &&
                                   ((d->seed = (unsigned)v), 1);
  if (is_word(&p, "difficulty")) return once(r, SEEN_DIFFICULTY, take_int(&p, 0, 2, &d->difficulty) && at_end(p));
  if (is_word(&p, "keys")) return once(r, SEEN_KEYS, take_keys(p, d->bindings));
  if (is_word(&p, "records")) return once(r, SEEN_RECORDS, take_records(p, &d->start));
  if (is_word(&p, "start")) return once(r, SEEN_START, strcmp(skip_space(p), "title") == 0);
  if (is_word(&p, "end")) return once(r, SEEN_END, take_int(&p, 1, DEMO_MAX_TICKS, &d->end) && at_end(p));
  if (is_word(&p, "frames")) return once(r, SEEN_FRAMES, take_frames(d, p));
  if (is_word(&p, "hold")) return !r->claimed && take_hold(r, p);
  if (is_word(&p, "owe")) return !r->claimed && take_owe(r, p);
  if (is_word(&p, "claim")) return !r->claimed && take_records(p, &d->claim) && (r->claimed = 1);
  return 0;
}

// The first line names the format and its version.
static int read_line(DemoReader *r, const char *line, char *error, int errorSize) {
  if (!(r->seen & SEEN_VERSION)) {
    long long version;
    const char *p = line;
    if (!is_word(&p, "demo") || !take_long(&p, 0, 1L << 30, &version) || !at_end(p)) {
      snprintf(error, errorSize, "not a demo (its first line is not \"demo %d\")", DEMO_VERSION);
      return 0;
    }
    if (version != DEMO_VERSION) {
      snprintf(error, errorSize, "a demo of version %lld; this game plays version %d", version, DEMO_VERSION);
      return 0;
    }
    r->seen |= SEEN_VERSION;
    return 1;
  }
  return read_directive(r, line);
}

// A line without its comment and trailing blanks; 0 when it is too long.
static int next_line(const char **p, const char *end, char *line) {
  const char *eol = (const char *)memchr(*p, '\n', end - *p);
  if (!eol) eol = end;
  long n = eol - *p;
  const char *hash = (const char *)memchr(*p, '#', n);
  if (hash) n = hash - *p;
  if (n >= DEMO_MAX_LINE) return 0;
  memcpy(line, *p, n);
  while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\t' || line[n - 1] == '\r')) n--;
  line[n] = 0;
  *p = eol < end ? eol + 1 : end;
  return 1;
}

// Every hold and owe inside the demo's ticks.
static int ticks_inside(const Demo *d) {
  for (int i = 0; i < d->holdCount; i++)
    if (d->holds[i].to >= d->end) return 0;
  return d->oweCount == 0 || d->owes[d->oweCount - 1].tick + d->owes[d->oweCount - 1].n - 1 < d->end;
}

static int whole(const DemoReader *r, char *error, int errorSize) {
  if (!r->claimed || (r->seen & SEEN_ALL) != SEEN_ALL) {
    snprintf(error, errorSize, "cut short or incomplete (the last line states the records it reached)");
    return 0;
  }
  if (!ticks_inside(r->demo)) {
    snprintf(error, errorSize, "input past the demo's end");
    return 0;
  }
  return 1;
}

static int read_lines(DemoReader *r, const char *text, long size, char *error, int errorSize) {
  const char *p = text, *end = text + size;
  char line[DEMO_MAX_LINE];
  for (int n = 1; p < end; n++) {
    int fits = next_line(&p, end, line);
    if (fits && (!line[0] || read_line(r, line, error, errorSize))) continue;
    if (fits && !(r->seen & SEEN_VERSION)) return 0;
    snprintf(error, errorSize, "line %d cannot be read", n);
    return 0;
  }
  if (!(r->seen & SEEN_VERSION)) snprintf(error, errorSize, "not a demo (it is empty)");
  // A file cut inside its last number could still read as one.
  if (text[size - 1] != '\n') r->claimed = 0;
  return (r->seen & SEEN_VERSION) && whole(r, error, errorSize);
}

int demo_parse(const char *text, long size, Demo *out, char *error, int errorSize) {
  memset(out, 0, sizeof *out);
  if (size > DEMO_MAX_BYTES || memchr(text, 0, size)) {
    snprintf(error, errorSize, size > DEMO_MAX_BYTES ? "too large for a demo" : "not a demo (binary data)");
    return 0;
  }
  DemoReader r = {out, 0, 0, 0, 0, 0};
  if (size > 0 && read_lines(&r, text, size, error, errorSize)) return 1;
  if (size <= 0) snprintf(error, errorSize, "not a demo (it is empty)");
  demo_free(out);
  return 0;
}

void demo_free(Demo *demo) {
  free(demo->holds);
  free(demo->owes);
  demo->holds = nullptr;
  demo->owes = nullptr;
  demo->holdCount = demo->oweCount = 0;
}

void demo_records_text(const char *word, const RecordData &r, char *out, int size) {
  snprintf(out, size, "%s %.9g %d %.9g %.9g\n", word, r.best_sprint_time, r.best_catapult_points, r.best_swim_time,
           r.best_throw_distance);
}

int records_equal(const RecordData &a, const RecordData &b) {
  return a.best_sprint_time == b.best_sprint_time && a.best_catapult_points == b.best_catapult_points &&
         a.best_swim_time == b.best_swim_time && a.best_throw_distance == b.best_throw_distance;
}
