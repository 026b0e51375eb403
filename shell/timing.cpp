// The logic clock, the screen loop, presenting and frame pacing. Only this
// file writes TickCounter (the timer's callback aside) and NeedsRedraw.
#include "shell/shell.h"
#include "shell/platform.h"
#include "input/input.h"
#include "persist/persist.h"

#include <chrono>

std::atomic<int> TickCounter(0);
int NeedsRedraw = 0;

int FrameRestMs = 0;
int AutoRestFrames = 600;
int AutoRestCountdown = 0;
int LateTicks = 0;
int LateTicksMark = 0;

std::atomic<void (*)(void)> PassHook(nullptr);
std::atomic<int> ClockTicks(0);
void (*FrameHook)(BITMAP *frame) = nullptr;
int Unpaced = 0;

// While a pass hook is set the clock's ticks wait in ClockTicks until the
// hook hands them on at a pass.
void tick_timer(void) {
  if (PassHook)
    ClockTicks++;
  else
    TickCounter++;
}
END_OF_FUNCTION(tick_timer)

void idle_pass(void) {
  void (*hook)(void) = PassHook;
  if (hook)
    hook();
  else
    plat_idle();
}

int set_logic_rate(int hz) {
  plat_remove_timer();
  return plat_install_timer(tick_timer, hz);
}

void drop_owed_ticks(void) {
  TickCounter = 0;
  ClockTicks = 0;
}

// --- The screen loop ---

static int screen_on(const ScreenLoop *s) {
  return !s->decided() && !(s->timeUp && s->timeUp()) && !QuitFlag;
}

static int step_owed(const ScreenLoop *s) {
  return TickCounter >= 1 && !QuitFlag && (s->owedRule == OWED_RUN_ALL || !s->decided());
}

static int frame_due(const ScreenLoop *s) {
  return NeedsRedraw && !QuitFlag && (s->decisionFrame == DECISION_DRAWN || !s->decided());
}

void run_screen(const ScreenLoop *s) {
  drop_owed_ticks();
  while (screen_on(s)) {
    idle_pass();
    while (step_owed(s)) {
      s->tick();
      NeedsRedraw = 1;
      TickCounter--;
    }
    if (frame_due(s)) {
      s->draw();
      present_frame();
    }
  }
}

// --- Presenting ---

// Unpaced, a frame reaches the display at most 60 times a second.
static int present_due(void) {
  static std::chrono::steady_clock::time_point last;
  if (!Unpaced) return 1;
  auto now = std::chrono::steady_clock::now();
  if (now - last < std::chrono::microseconds(16667)) return 0;
  last = now;
  return 1;
}

void present_frame(void) {
  if (FrameHook) FrameHook(Backbuffer);
  if (present_due()) plat_present(Backbuffer);
  NeedsRedraw = 0;
  frame_rest();
}

void blank_and_present(void) {
  if (Backbuffer) clear_to_color(Backbuffer, 0);
  present_frame();
}

static int any_control_held(void) {
  return Controls.quit || Controls.up || Controls.down || Controls.left || Controls.right || Controls.fire;
}

void wait_controls_released(int blank) {
  if (blank) blank_and_present();
  // The last reading decides whether to wait at all.
  while (!QuitFlag && any_control_held()) {
    idle_pass();
    read_controls();
  }
  TickCounter = 1;
}

// Shrinks the sleep while the machine falls behind, during the first 600
// presents after the pacing was (re)started with cpu_usage 4.
static void adjust_rest(void) {
  if (AutoRestCountdown == 0) {
    if (LateTicks - LateTicksMark > 2 && FrameRestMs > 0) FrameRestMs--;
    LateTicksMark = LateTicks;
    AutoRestCountdown = 60;
  } else {
    AutoRestCountdown--;
  }
  AutoRestFrames--;
  if (AutoRestFrames == 0) {
    FrameRestMs -= 2;
    if (FrameRestMs < 0) FrameRestMs = 0;
  }
}

void frame_rest(void) {
  if (FrameRestMs > 0 && !Unpaced) plat_rest(FrameRestMs);
  int owed = TickCounter;
  if (owed > 1) LateTicks += owed - 1;
  if (AutoRestFrames >= 1 && Settings.cpu_usage == 4) adjust_rest();
}

static void apply_cpu_usage(void) {
  switch (Settings.cpu_usage) {
  case 1: FrameRestMs = 0; break;
  case 2: FrameRestMs = 6; break;
  case 3: FrameRestMs = 12; break;
  case 4: FrameRestMs = 15; break;
  default: break;
  }
}

void restart_pacing(int start) {
  if (start == PACING_NEW_DAY && Settings.cpu_usage != 4) return;
  AutoRestFrames = 600;
  if (start == PACING_NEW_DAY)
    FrameRestMs = 12;
  else
    apply_cpu_usage();
}
