// The settings writer over any old text: what it writes reads back as the
// values it was given (the ones read from the text, and others), Allegro's
// own configuration reader finds the same values in it, and writing the
// result again changes nothing.
#include "fuzz_common.h"
#include "persist/persist.h"

#include <allegro.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The thirteen values a save writes, in file order up to quit.
static bool same(const SettingsData &a, const SettingsData &b) {
  return memcmp(&a, &b, offsetof(SettingsData, quit) + sizeof(int)) == 0;
}

// Values the reader keeps as they are, drawn from the input.
static SettingsData other_values(const uint8_t *data, size_t size) {
  unsigned h = 2166136261u;
  for (size_t i = 0; i < size; i++) h = (h ^ data[i]) * 16777619u;
  SettingsData s = {(int)(h % 7) - 3, (int)(h >> 3) % 5, (int)(h >> 5) % 3, (int)(h >> 7) % 2, (int)(h >> 8) % 2,
                    (int)(h >> 9) % 9, (int)(h >> 13) % 9, 1 + (int)(h >> 4) % 126, 1 + (int)(h >> 6) % 126,
                    1000 + (int)(h >> 10) % 10, 1 + (int)(h >> 12) % 126, 1 + (int)(h >> 14) % 126,
                    1 + (int)(h >> 16) % 126, 2};
  return s;
}

// Allegro's reader on the text (without its byte-order mark, which it does
// not know) gives every value the game wrote.
static void allegro_reads(const char *text, long size, const SettingsData &s) {
  long skip = size >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
  push_config_state();
  set_config_data(text + skip, (int)(size - skip));
  SettingsData seen;
  const char *sections[13] = {"general", "general", "general", "graphics", "graphics", "sound", "sound",
                              "controls", "controls", "controls", "controls", "controls", "controls"};
  const char *names[13] = {"online_scores", "cpu_usage", "difficulty", "windowed", "forcerate",
                           "soundvolume", "musicvolume", "up", "down", "left", "right", "fire", "quit"};
  int *field = &seen.online_scores;
  for (int i = 0; i < 13; i++) field[i] = get_config_int(sections[i], names[i], -12345);
  pop_config_state();
  if (!same(seen, s)) fuzz_fail("Allegro reads other values");
}

static const char *SECTIONS[13] = {"general", "general", "general", "graphics", "graphics", "sound", "sound",
                                   "controls", "controls", "controls", "controls", "controls", "controls"};
static const char *NAMES[13] = {"online_scores", "cpu_usage", "difficulty", "windowed", "forcerate",
                                "soundvolume", "musicvolume", "up", "down", "left", "right", "fire", "quit"};

// The hand-edited text gives each key the value Allegro's reader gives it.
static void read_as_allegro(const char *text, long size) {
  long skip = size >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
  push_config_state();
  set_config_data(text + skip, (int)(size - skip));
  for (int i = 0; i < 13; i++) {
    const char *theirs = get_config_string(SECTIONS[i], NAMES[i], nullptr), *ours;
    long n;
    int found = config_value(text, size, SECTIONS[i], NAMES[i], &ours, &n);
    if (!found != !theirs || (found && (strlen(theirs) != (size_t)n || memcmp(theirs, ours, (size_t)n)))) {
      fprintf(stderr, "key %s: allegro '%s' ours '%.*s'\n", NAMES[i], theirs ? theirs : "(none)", (int)(found ? n : 6), found ? ours : "(none)");
      fuzz_fail("read differently from Allegro");
    }
  }
  pop_config_state();
}

static char *write_checked(const char *old, long oldSize, const SettingsData &s, long *size) {
  char *text = settings_file_text(old, oldSize, s, size);
  if (!text) fuzz_fail("no text");
  SettingsData back;
  parse_settings(text, *size, &back);
  if (!same(back, s)) fuzz_fail("the values do not read back");
  return text;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_start();
  // Allegro's reader stops at a NUL; the game's does not, and both are fine.
  if (memchr(data, 0, size)) return 0;
  read_as_allegro((const char *)data, (long)size);
  SettingsData read;
  parse_settings((const char *)data, (long)size, &read);
  long n1, n2, n3;
  char *first = write_checked((const char *)data, (long)size, read, &n1);
  SettingsData other = other_values(data, size);
  char *second = write_checked(first, n1, other, &n2);
  allegro_reads(second, n2, other);
  char *third = write_checked(second, n2, other, &n3);
  if (n3 != n2 || memcmp(second, third, (size_t)n2) != 0) fuzz_fail("a second save changed the text");
  free(first);
  free(second);
  free(third);
  return 0;
}
