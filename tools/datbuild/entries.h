// What every entry of the two datafiles is: its kind and, where the game
// relies on one, its size. The data builder writes by this table and the
// datafile test checks the built files against it.
#pragma once

#define MAIN_ENTRY_COUNT 414

enum EntryKind {
  KIND_BITMAP,  // 16-bit bitmap, magenta (0xF81F) is transparent
  KIND_PNG,     // raw PNG file data, 32-bit RGBA
  KIND_FONT,    // 16-bit bitmap laid out for grab_font_from_bitmap
  KIND_SOUND,   // raw sound file data: WAV effects, Ogg Vorbis music
};

struct EntrySpec {
  int kind;
  // Exact size the game relies on; 0 when any size will do.
  int width;
  int height;
  // Size the picture must at least have (GAME OVER copies 240x147 of it).
  int minWidth;
  int minHeight;
};

EntrySpec main_entry_spec(int index);
// "qvlgam2.dat": entry 0 unused (a small bitmap), entry 1 the 640x480 splash.
EntrySpec splash_entry_spec(int index);
