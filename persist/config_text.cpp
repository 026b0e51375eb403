// Settings files as people edit them. Read the way Allegro's configuration
// reader reads them, so a file means what it meant before: "[section]"
// lines, "name = value" lines, '#' comments, names compared without case,
// the first value of a key in any block of its section winning, keys before
// the first section in none, lines ended by LF, CRLF or CR; and a
// byte-order mark skipped. Written back with every other line as it was.
#include "persist/persist.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

enum LineKind { LINE_BLANK, LINE_COMMENT, LINE_SECTION, LINE_KEY };

struct Span {
  const char *p;
  long n;  // -1: matches no name
};

struct ParsedLine {
  int kind;
  Span name;
  Span value;
};

// One line: its content is [start, end), its line end [end, next).
struct Walk {
  const char *text;
  long size;
  long pos;
  long start, end, next;
  Span section;
  ParsedLine line;
};

static const char BOM[] = "\xEF\xBB\xBF";

static int is_blank_char(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

static int span_is(Span s, const char *word) {
  long n = (long)strlen(word);
  return s.n == n && strncasecmp(s.p, word, (size_t)n) == 0;
}

// A line's first word ends at a blank, '=' or '#'. A word in brackets
// names a section (the rest of the line is passed over); any other names a
// key, whose value follows after blanks and '=' signs, trailing blanks cut.
static ParsedLine parse_line(const char *p, long n) {
  ParsedLine l = {LINE_BLANK, {p, 0}, {p, 0}};
  long i = 0;
  while (i < n && is_blank_char(p[i])) i++;
  if (i == n) return l;
  if (p[i] == '#') {
    l.kind = LINE_COMMENT;
    return l;
  }
  long word = i;
  while (i < n && !is_blank_char(p[i]) && p[i] != '=' && p[i] != '#') i++;
  if (i - word >= 2 && p[word] == '[' && p[i - 1] == ']') {
    l.kind = LINE_SECTION;
    l.name = Span{p + word + 1, i - word - 2};
    return l;
  }
  l.kind = LINE_KEY;
  l.name = Span{p + word, i - word};
  while (i < n && (is_blank_char(p[i]) || p[i] == '=')) i++;
  long e = n;
  while (e > i && is_blank_char(p[e - 1])) e--;
  l.value = Span{p + i, e - i};
  return l;
}

static long bom_length(const char *text, long size) { return size >= 3 && memcmp(text, BOM, 3) == 0 ? 3 : 0; }

static Walk walk_start(const char *text, long size) {
  Walk w = {};
  w.text = text;
  w.size = size;
  w.pos = bom_length(text, size);
  w.section = Span{text, -1};  // keys before any section belong to none
  return w;
}

static int walk_next(Walk *w) {
  if (w->pos >= w->size) return 0;
  long e = w->pos;
  while (e < w->size && w->text[e] != '\n' && w->text[e] != '\r') e++;
  w->start = w->pos;
  w->end = e;
  if (e < w->size && w->text[e] == '\r') e++;
  if (e < w->size && w->text[e] == '\n') e++;
  w->next = w->pos = e;
  w->line = parse_line(w->text + w->start, w->end - w->start);
  if (w->line.kind == LINE_SECTION) w->section = w->line.name;
  return 1;
}

static int walk_at_key(const Walk *w, const char *section, const char *name) {
  return w->line.kind == LINE_KEY && span_is(w->section, section) && span_is(w->line.name, name);
}

int config_value(const char *text, long size, const char *section, const char *name, const char **value,
                 long *length) {
  Walk w = walk_start(text, size);
  while (walk_next(&w)) {
    if (!walk_at_key(&w, section, name)) continue;
    *value = w.line.value.p;
    *length = w.line.value.n;
    return w.line.value.n > 0;
  }
  return 0;
}

// --- Writing ---

struct TextOut {
  char *p;
  long len, cap;
  int failed;
  const char *newline;  // the file's own line end
};

static void put(TextOut *o, const char *s, long n) {
  if (o->failed || n <= 0) return;
  if (o->len + n + 1 > o->cap) {
    long cap = (o->len + n + 1) * 2;
    char *bigger = (char *)realloc(o->p, (size_t)cap);
    if (!bigger) {
      o->failed = 1;
      return;
    }
    o->p = bigger;
    o->cap = cap;
  }
  memcpy(o->p + o->len, s, (size_t)n);
  o->len += n;
  o->p[o->len] = '\0';
}

static int ends_line(const TextOut *o) { return o->len == 0 || o->p[o->len - 1] == '\n' || o->p[o->len - 1] == '\r'; }

static void end_line(TextOut *o) {
  if (!ends_line(o)) put(o, o->newline, (long)strlen(o->newline));
}

// The output ends in an empty line (or is empty): a new section needs none.
static int ends_blank(const TextOut *o) {
  long n = o->len;
  if (n > 0 && o->p[n - 1] == '\n') n--;
  if (n > 0 && o->p[n - 1] == '\r') n--;
  return n == 0 || o->p[n - 1] == '\n' || o->p[n - 1] == '\r';
}

static void put_entry(TextOut *o, const ConfigEntry *e) {
  char line[96];
  int n = snprintf(line, sizeof line, "%s = %d", e->name, e->value);
  put(o, line, n);
}

static const char *newline_of(const char *text, long size) {
  const char *cr = (const char *)memchr(text, '\r', (size_t)size);
  const char *lf = (const char *)memchr(text, '\n', (size_t)size);
  if (!cr || (lf && lf < cr)) return "\n";
  return lf == cr + 1 ? "\r\n" : "\r";
}

// Where an entry's line is (its first value, -1 when missing) and where a
// missing one goes: after the last key (or the header) of the first block
// of its section, -1 when there is no such section.
struct Place {
  long first;
  long insertAt;
};

static Place locate(const char *text, long size, const ConfigEntry *e) {
  Place place = {-1, -1};
  Walk w = walk_start(text, size);
  int block = 0;  // 0 before the section's first header, 1 in it, 2 after
  while (walk_next(&w)) {
    if (w.line.kind == LINE_SECTION) block = block == 0 ? span_is(w.section, e->section) : 2;
    if (block == 1 && (w.line.kind == LINE_SECTION || w.line.kind == LINE_KEY)) place.insertAt = w.next;
    if (place.first < 0 && walk_at_key(&w, e->section, e->name)) place.first = w.start;
  }
  return place;
}

// One line of the old text: the entry whose first value it holds takes its
// new value; a later value of the same key (which nothing reads) goes.
static void copy_line(TextOut *o, const Walk *w, const ConfigEntry *entries, const Place *places, int count) {
  for (int i = 0; i < count; i++) {
    if (!walk_at_key(w, entries[i].section, entries[i].name)) continue;
    if (places[i].first != w->start) return;
    put_entry(o, &entries[i]);
    put(o, w->text + w->end, w->next - w->end);
    return;
  }
  put(o, w->text + w->start, w->next - w->start);
}

static void insert_missing(TextOut *o, long at, const ConfigEntry *entries, const Place *places, int count) {
  for (int i = 0; i < count; i++) {
    if (places[i].first >= 0 || places[i].insertAt != at) continue;
    end_line(o);
    put_entry(o, &entries[i]);
    put(o, o->newline, (long)strlen(o->newline));
  }
}

// Sections the file lacks go at its end, each after an empty line.
static void append_sections(TextOut *o, const ConfigEntry *entries, const Place *places, int count) {
  for (int i = 0; i < count; i++) {
    if (places[i].insertAt >= 0 || (i > 0 && !strcmp(entries[i].section, entries[i - 1].section))) continue;
    end_line(o);
    if (!ends_blank(o)) put(o, o->newline, (long)strlen(o->newline));
    put(o, "[", 1);
    put(o, entries[i].section, (long)strlen(entries[i].section));
    put(o, "]", 1);
    put(o, o->newline, (long)strlen(o->newline));
    for (int j = i; j < count && !strcmp(entries[j].section, entries[i].section); j++) {
      put_entry(o, &entries[j]);
      put(o, o->newline, (long)strlen(o->newline));
    }
  }
}

char *config_rewrite(const char *text, long size, const ConfigEntry *entries, int count, long *outSize) {
  Place *places = (Place *)malloc(sizeof(Place) * (size_t)(count > 0 ? count : 1));
  TextOut o = {nullptr, 0, 0, places == nullptr, newline_of(text, size)};
  for (int i = 0; places && i < count; i++) places[i] = locate(text, size, &entries[i]);
  put(&o, text, bom_length(text, size));
  Walk w = walk_start(text, size);
  while (!o.failed && walk_next(&w)) {
    copy_line(&o, &w, entries, places, count);
    insert_missing(&o, w.next, entries, places, count);
  }
  if (places) append_sections(&o, entries, places, count);
  free(places);
  if (o.failed || !o.p) {
    free(o.p);
    o.p = o.failed ? nullptr : (char *)calloc(1, 1);
    o.len = 0;
  }
  *outSize = o.len;
  return o.p;
}
