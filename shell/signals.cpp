// Signals. The ones that ask a program to stop (a logout, Ctrl+C, kill)
// only set QuitFlag, so the screen on show ends as on the close button and
// the game shuts down in order. Allegro's own handlers, which run its whole
// shutdown inside the signal and can hang on its locks, never stay in
// place.
#include "shell/shell.h"

#include <csignal>

static_assert(std::atomic<int>::is_always_lock_free, "QuitFlag is set inside a signal handler");

static const int STOP_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
// A fault ends the program as the system would, without Allegro's shutdown.
static const int FAULT_SIGNALS[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS};
// A closed pipe or socket and a file size limit become failed calls that
// the game answers (a lost display, a save that did not fit).
static const int IGNORED_SIGNALS[] = {SIGPIPE, SIGXFSZ};

static struct sigaction FaultActions[sizeof FAULT_SIGNALS / sizeof FAULT_SIGNALS[0]];
static int FaultActionsKept = 0;

static void on_stop_signal(int) { QuitFlag = 1; }

static void set_action(int sig, void (*handler)(int)) {
  struct sigaction sa = {};
  sa.sa_handler = handler;
  sigemptyset(&sa.sa_mask);
  // Saves under way carry on: their reads and writes are restarted.
  sa.sa_flags = SA_RESTART;
  sigaction(sig, &sa, nullptr);
}

static void set_stop_signals_blocked(int how) {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : STOP_SIGNALS) sigaddset(&set, sig);
  sigprocmask(how, &set, nullptr);
}

void hold_stop_signals(void) { set_stop_signals_blocked(SIG_BLOCK); }

// The fault handlers found at the first call (the system's, or a
// sanitizer's) are the ones put back each time.
void take_signals(void) {
  const int faults = (int)(sizeof FAULT_SIGNALS / sizeof FAULT_SIGNALS[0]);
  for (int i = 0; i < faults; i++) {
    if (!FaultActionsKept) sigaction(FAULT_SIGNALS[i], nullptr, &FaultActions[i]);
    sigaction(FAULT_SIGNALS[i], &FaultActions[i], nullptr);
  }
  FaultActionsKept = 1;
  for (int sig : STOP_SIGNALS) set_action(sig, on_stop_signal);
  for (int sig : IGNORED_SIGNALS) set_action(sig, SIG_IGN);
  set_stop_signals_blocked(SIG_UNBLOCK);
}
