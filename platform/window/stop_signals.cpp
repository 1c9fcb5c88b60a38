#include "stop_signals.h"

#include <pthread.h>

#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

#include "process_end.h"
#include "runtime_core.h"

namespace platform {

namespace {

enum class Phase { before_game, game_running, after_game };

std::mutex phase_mutex;
Phase phase = Phase::before_game;
Runtime* running_runtime = nullptr;
int game_exit_code = 0;
bool signalled = false;

sigset_t stop_signals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
  return signals;
}

// Asks the game to stop on the first signal, then ends the process if it is still there
// after the grace period. Further signals change nothing.
void take_signals(sigset_t signals) {
  int taken = 0;
  while (sigwait(&signals, &taken) != 0) {
  }
  {
    std::lock_guard lock(phase_mutex);
    signalled = true;
    if (phase == Phase::game_running) {
      running_runtime->request_stop();
      end_main_thread_children();  // a message box on the main thread closes, so it can see the stop
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(kStopGraceMs));
  std::lock_guard lock(phase_mutex);
  if (phase == Phase::game_running) end_late_stop();
  end_process(game_exit_code, "");  // the game stopped, or never ran: only the window's teardown was left
}

}  // namespace

void take_stop_signals() {
  const sigset_t signals = stop_signals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::thread(take_signals, signals).detach();
}

bool game_starting(Runtime& runtime) {
  std::lock_guard lock(phase_mutex);
  if (signalled) return false;
  phase = Phase::game_running;
  running_runtime = &runtime;
  return true;
}

void game_ended(int exit_code) {
  std::lock_guard lock(phase_mutex);
  game_exit_code = exit_code;
  phase = Phase::after_game;
  running_runtime = nullptr;
}

void end_late_stop() { end_process(1, "valewarden: the game did not stop in time\n"); }

}  // namespace platform
