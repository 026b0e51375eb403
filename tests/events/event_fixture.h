// The headless host with the real datafile, started afresh for each test.
#pragma once

#include <gtest/gtest.h>

#include "events/catapult.h"
#include "events/sprint.h"
#include "events/swim.h"
#include "events/throw.h"
#include "headless/headless.h"
#include "input/input.h"
#include "shell/platform.h"
#include "shell/shell.h"
#include "sound/fsound.h"
#include "sound/sound.h"

class EventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessOptions options;
    options.seed = 1234;
    ASSERT_TRUE(headless_start(options));
    sound_log_clear();
    reset_pool_full_report();
    begin_scene(3000, 162, -1);
    setup_camera(0, 314, 162);
  }
  void TearDown() override {
    end_scene();
    headless_stop();
  }
};

// Times the sample was started since the sound log was last cleared.
inline int plays_of(const FSOUND_SAMPLE *sample) {
  int plays = 0;
  FsoundLogEntry entry;
  FsoundChannelInfo info;
  for (int i = 0; sound_log_entry(i, &entry); i++)
    plays += entry.call == FCALL_PLAY && fsound_channel_info(entry.channel, &info) && sample && info.sample == sample;
  return plays;
}

// Number of active objects of a type in the pool.
inline int objects_of_type(int type) {
  int n = 0;
  for (const GameObject &obj : ObjectPool) n += obj.active && obj.type == type;
  return n;
}
