// The headless host with the real datafile, started afresh for each test.
#pragma once

#include <gtest/gtest.h>

#include "events/events.h"
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
    fsound_log_clear();
    reset_pool_full_report();
    begin_scene(3000, 162, -1);
    setup_camera(0, 314, 162);
  }
  void TearDown() override {
    end_scene();
    SportsDay = SPORTS_DAY_DEFAULT;
    headless_stop();
  }
};

// Times the sample was started since the sound log was last cleared.
int plays_of(const FSOUND_SAMPLE *sample);
// Number of active objects of a type in the pool.
int objects_of_type(int type);
