// Every entry of the two datafiles by name, and what the game relies on in
// each: its kind and, where it matters, its size. The game, the datafile
// check, the data builder and the tests all take entries from here, so a
// renumbered picture is changed in this one place.
#pragma once

enum EntryKind {
  KIND_BITMAP,  // 16-bit bitmap, magenta (0xF81F) is transparent
  KIND_PNG,     // raw PNG file data, 32-bit RGBA
  KIND_FONT,    // 16-bit bitmap laid out for grab_font_from_bitmap
  KIND_SOUND,   // raw sound file data: WAV effects, Ogg Vorbis music
};

// Each child's frames lie in one row, in this order from its first entry.
// The opponents' rows end with a cheer; the player's goes on with the
// catapult and the throw instead.
enum KidFrame {
  KID_STAND = 0,
  KID_WALK = 1,     // three frames, after the standing one
  KID_RUN = 4,      // eight
  KID_CROUCH = 12,
  KID_MARKS = 13,
  KID_TREAD = 14,   // three
  KID_SWIM = 17,    // ten
  KID_BREATH = 27,
  KID_READY = 28,
  KID_DIVE = 29,    // four
  KID_CHEER = 33,   // six, the opponents only
  KID_PULL = 33,    // two, the player only from here on
  KID_HOLD = 35,
  KID_RUNUP = 36,   // eight
  KID_PLANT = 44,
  KID_THROW = 45,   // two
  PLAYER_FRAMES = 47,
};

// Balloons come in three colours of nine frames: floating (two), wobbling,
// then blowing up (six).
enum BalloonFrame {
  BALLOON_FLOAT = 0,
  BALLOON_WOBBLE = 2,
  BALLOON_INFLATE = 3,
  BALLOON_FRAMES = 9,
  BALLOON_COLOURS = 3,
};

// "qvlgam.dat". Groups name their first entry; the comment gives how many.
enum MainEntry {
  // The four Worlds, each as wide as its event's field.
  ENTRY_WORLD_THROW = 0,
  ENTRY_WORLD_CATAPULT = 1,
  ENTRY_WORLD_SWIM = 2,
  ENTRY_WORLD_SPRINT = 3,
  ENTRY_LOGO = 4,
  ENTRY_FONT_TEXT = 6,
  ENTRY_FONT_MENU = 7,
  ENTRY_FONT_SCORE = 8,
  ENTRY_FONT_TITLE = 9,
  ENTRY_GAME_OVER = 10,
  ENTRY_CHAMPION_BANNER = 11,
  ENTRY_SPLASH_PROMPT = 12,
  ENTRY_TITLE_BACKGROUND = 13,
  ENTRY_OPTIONS_BACKGROUND = 14,
  // The nine tunes, in the order of the game's MusicId.
  ENTRY_TUNE_INTRO = 15,
  ENTRY_TUNE_EVENT = 16,
  ENTRY_TUNE_GAME_OVER = 17,
  ENTRY_TUNE_CONGRATULATIONS = 18,
  ENTRY_TUNE_SPARE = 19,
  ENTRY_TUNE_FAILED = 20,
  ENTRY_TUNE_CHAMPION = 21,
  ENTRY_TUNE_QUALIFIED = 22,
  ENTRY_TUNE_TITLE = 23,
  // Pictures with alpha, decoded when their screen opens.
  ENTRY_DIFFICULTY_PANEL = 24,
  ENTRY_INTRO_TITLE_PANEL = 25,
  ENTRY_INTRO_TEXT_PANEL = 26,
  ENTRY_TITLE_BANNER = 27,
  ENTRY_TITLE_OPTIONS = 28,  // four frames each
  ENTRY_TITLE_QUIT = 32,
  ENTRY_TITLE_PLAY = 36,
  ENTRY_LAST_PNG = 39,
  // Object frames and the pieces among them.
  ENTRY_MEASURER = 40,  // three
  ENTRY_OPPONENT_A = 43,  // a child's row
  ENTRY_ANGLE_GAUGE = 82,
  ENTRY_START_LINE = 83,  // five
  ENTRY_BALL = 88,
  ENTRY_DUST = 89,  // five
  ENTRY_LANDING_MARK = 94,
  ENTRY_BALLOON = 95,  // three colours
  ENTRY_POINTS_50 = 122,
  ENTRY_POINTS_20 = 123,
  ENTRY_POINTS_10 = 124,
  ENTRY_POINTS_5 = 125,
  ENTRY_POINTS_1 = 126,
  ENTRY_BALL_SHADOW = 127,
  ENTRY_BOTTOM_PANEL = 128,
  ENTRY_OPPONENT_B = 129,
  ENTRY_BREATH_MARKER = 168,
  ENTRY_DISTANCE_MARKER = 169,  // ten
  ENTRY_CATAPULT = 179,
  ENTRY_OPPONENT_C = 180,
  ENTRY_PLAYER = 219,
  ENTRY_LAST_KID_FRAME = ENTRY_PLAYER + PLAYER_FRAMES - 1,
  // The event's cards and frame.
  ENTRY_INTRO_TITLE = 271,  // one for each event
  ENTRY_EVENT_LABEL = 276,  // one for each event
  ENTRY_BADGE_FAILED = 281,
  ENTRY_LINE_JUDGE = 284,  // two
  ENTRY_ATTEMPT_PANEL = 287,
  ENTRY_CALL_FAIR = 288,
  ENTRY_CALL_FOUL = 289,
  ENTRY_POINTER = 303,
  ENTRY_ARROWHEAD = 304,
  ENTRY_SHOT = 312,
  ENTRY_FLOAT = 313,  // six
  ENTRY_BURST = 319,  // three
  ENTRY_BALLOON_STAND = 322,
  ENTRY_BADGE_QUALIFIED = 323,
  ENTRY_REDEFINE_PANEL = 324,
  ENTRY_RIPPLE = 325,  // five, of five frames each
  ENTRY_STARTER = 350,  // five
  ENTRY_SPEECH_BUBBLE = 355,
  ENTRY_START_SIGN = 357,  // three
  ENTRY_ROUND_BANNER = 360,  // three
  ENTRY_SPEED_BAR = 364,
  ENTRY_SPLASH = 365,
  ENTRY_TILE = 366,
  ENTRY_CONFETTI = 367,  // four colours of four frames
  ENTRY_HEADER_PANEL = 383,
  ENTRY_VOLUME = 387,  // levels 0 to 8
  // The eighteen sound effects.
  ENTRY_SOUND_BALLOON = 396,
  ENTRY_SOUND_BOUNCE = 397,
  ENTRY_SOUND_BULLSEYE = 398,
  ENTRY_SOUND_FOUL = 399,
  ENTRY_SOUND_MENU = 400,
  ENTRY_SOUND_POP = 401,
  ENTRY_SOUND_CATAPULT = 402,
  ENTRY_SOUND_TICK = 403,
  ENTRY_SOUND_SPEECH = 404,
  ENTRY_SOUND_FOOTSTEP = 405,
  ENTRY_SOUND_SPARE = 406,
  ENTRY_SOUND_START = 407,
  ENTRY_SOUND_SCREEN = 408,
  ENTRY_SOUND_DIVE = 409,
  ENTRY_SOUND_THROW = 410,
  ENTRY_SOUND_SWIM_A = 411,
  ENTRY_SOUND_SWIM_B = 412,
  ENTRY_SOUND_SWIM_C = 413,
  MAIN_ENTRY_COUNT = 414,
};

// The numbers of the groups above.
enum EntryCounts {
  MEASURER_FRAMES = 3,
  START_LINE_FRAMES = 5,
  DUST_FRAMES = 5,
  POINTS_LABELS = 5,
  DISTANCE_MARKERS = 10,
  EVENT_CARDS = 4,  // intro titles and event labels
  LINE_JUDGE_FRAMES = 2,
  LANE_FLOATS = 6,
  BURST_FRAMES = 3,
  RIPPLES = 5,
  RIPPLE_FRAMES = 5,
  STARTER_FRAMES = 5,
  START_SIGNS = 3,
  ROUND_BANNERS = 3,
  CONFETTI_COLOURS = 4,
  CONFETTI_FRAMES = 4,
  VOLUME_LEVELS = 9,
  TITLE_CHOICE_FRAMES = 4,
  TUNE_COUNT = 9,
  SOUND_EFFECT_COUNT = 18,
};

// "qvlgam2.dat": only the splash is used.
enum SplashEntry {
  SPLASH_ENTRY_UNUSED = 0,
  SPLASH_ENTRY_PICTURE = 1,
  SPLASH_ENTRY_COUNT = 2,
};

// What the game relies on in entries first to last (the ranges between are
// free): the kind, and a size of 0 (any), exact (positive) or at least
// (negative: GAME OVER copies a fixed part of its picture).
struct EntryRule {
  int first;
  int last;
  int kind;
  int width;
  int height;
};

extern const EntryRule MAIN_ENTRY_RULES[];
extern const int MAIN_ENTRY_RULE_COUNT;
extern const EntryRule SPLASH_ENTRY_RULES[];
extern const int SPLASH_ENTRY_RULE_COUNT;

// The rule an entry follows, the first that covers it; null for a free one.
const EntryRule *main_entry_rule(int index);
const EntryRule *splash_entry_rule(int index);
