#include "event_fixture.h"

int plays_of(const FSOUND_SAMPLE *sample) {
  int plays = 0;
  FsoundLogEntry entry;
  FsoundChannelInfo info;
  for (int i = 0; fsound_log_entry(i, &entry); i++) {
    if (entry.call != FCALL_PLAY || !fsound_channel_info(entry.channel, &info)) continue;
    if (sample && info.sample == sample) plays++;
  }
  return plays;
}

int objects_of_type(int type) {
  int n = 0;
  for (int i = 0; i < MAX_OBJECTS; i++)
    if (ObjectPool[i].active && ObjectPool[i].type == type) n++;
  return n;
}
