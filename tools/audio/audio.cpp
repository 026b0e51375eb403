#include "audio/audio.h"

#include "audio/synth.h"
#include "shell/entries.h"

// Low quality keeps the music small and quick to decode; the tunes are
// simple enough not to suffer for it.
static const float MUSIC_QUALITY = 0.0f;

bool audio_main_entry(int index, std::vector<uint8_t> &out) {
  Samples s;
  if (index >= ENTRY_SOUND_BALLOON && index < ENTRY_SOUND_BALLOON + SOUND_EFFECT_COUNT) {
    if (!make_effect(index, s)) return false;
    write_wav(s, out);
    return true;
  }
  if (index >= ENTRY_TUNE_INTRO && index < ENTRY_TUNE_INTRO + TUNE_COUNT) return make_tune(index, s) && write_ogg(s, MUSIC_QUALITY, out);
  return false;
}
