// The rules of the datafiles' entries: one table read by the game's
// datafile check and by the data builder (which is why nothing here needs
// Allegro).
#include "shell/entries.h"

// A rule for a single entry sized or not, and for a group.
#define ONE(entry, kind, w, h) {entry, entry, kind, w, h}
#define GROUP(first, count, kind) {first, first + (count) - 1, kind, 0, 0}

// Sized entries come before the groups around them: the first rule that
// covers an entry is its own.
const EntryRule MAIN_ENTRY_RULES[] = {
    ONE(ENTRY_WORLD_THROW, KIND_BITMAP, 1700, 162),
    ONE(ENTRY_WORLD_CATAPULT, KIND_BITMAP, 628, 162),
    ONE(ENTRY_WORLD_SWIM, KIND_BITMAP, 612, 162),
    ONE(ENTRY_WORLD_SPRINT, KIND_BITMAP, 3000, 162),
    ONE(ENTRY_LOGO, KIND_BITMAP, 0, 0),
    {ENTRY_FONT_TEXT, ENTRY_FONT_TITLE, KIND_FONT, 0, 0},
    ONE(ENTRY_GAME_OVER, KIND_BITMAP, -240, -147),
    {ENTRY_CHAMPION_BANNER, ENTRY_SPLASH_PROMPT, KIND_BITMAP, 0, 0},
    {ENTRY_TITLE_BACKGROUND, ENTRY_OPTIONS_BACKGROUND, KIND_BITMAP, 320, 240},
    GROUP(ENTRY_TUNE_INTRO, TUNE_COUNT, KIND_SOUND),
    {ENTRY_DIFFICULTY_PANEL, ENTRY_LAST_PNG, KIND_PNG, 0, 0},
    ONE(ENTRY_BOTTOM_PANEL, KIND_BITMAP, 320, 24),
    {ENTRY_MEASURER, ENTRY_LAST_KID_FRAME, KIND_BITMAP, 0, 0},
    GROUP(ENTRY_INTRO_TITLE, EVENT_CARDS, KIND_BITMAP),
    {ENTRY_EVENT_LABEL, ENTRY_EVENT_LABEL + EVENT_CARDS - 1, KIND_BITMAP, 230, 16},
    ONE(ENTRY_BADGE_FAILED, KIND_BITMAP, 0, 0),
    ONE(ENTRY_ATTEMPT_PANEL, KIND_BITMAP, 91, 50),
    {ENTRY_CALL_FAIR, ENTRY_CALL_FOUL, KIND_BITMAP, 18, 28},
    GROUP(ENTRY_LINE_JUDGE, ENTRY_CONFETTI + CONFETTI_COLOURS * CONFETTI_FRAMES - ENTRY_LINE_JUDGE, KIND_BITMAP),
    ONE(ENTRY_HEADER_PANEL, KIND_BITMAP, 320, 48),
    GROUP(ENTRY_VOLUME, VOLUME_LEVELS, KIND_BITMAP),
    GROUP(ENTRY_SOUND_BALLOON, SOUND_EFFECT_COUNT, KIND_SOUND),
};
const int MAIN_ENTRY_RULE_COUNT = (int)(sizeof MAIN_ENTRY_RULES / sizeof MAIN_ENTRY_RULES[0]);

const EntryRule SPLASH_ENTRY_RULES[] = {ONE(SPLASH_ENTRY_PICTURE, KIND_BITMAP, 640, 480)};
const int SPLASH_ENTRY_RULE_COUNT = 1;

static const EntryRule *rule_for(const EntryRule *rules, int count, int index) {
  for (int i = 0; i < count; i++)
    if (index >= rules[i].first && index <= rules[i].last) return &rules[i];
  return nullptr;
}

const EntryRule *main_entry_rule(int index) { return rule_for(MAIN_ENTRY_RULES, MAIN_ENTRY_RULE_COUNT, index); }

const EntryRule *splash_entry_rule(int index) {
  return rule_for(SPLASH_ENTRY_RULES, SPLASH_ENTRY_RULE_COUNT, index);
}
