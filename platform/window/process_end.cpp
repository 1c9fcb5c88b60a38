#include "process_end.h"

#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <fstream>
#include <string>

namespace platform {

namespace {

// The game's process, known from before any child exists.
const pid_t our_process = getpid();
std::atomic<bool> ending{false};

// In a new child: the kernel kills it when the thread that made it ends, and the main
// thread, which makes SDL's boxes, ends only with the process.
void die_with_parent() {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != our_process) _exit(1);  // the process ended before the line above
}

}  // namespace

void end_children_with_process() { pthread_atfork(nullptr, nullptr, die_with_parent); }

void end_main_thread_children() {
  // Only live children (or unreaped ones, whose numbers are not reused yet) are listed.
  std::ifstream children("/proc/self/task/" + std::to_string(our_process) + "/children");
  for (pid_t child = 0; children >> child;) kill(child, SIGKILL);
}

void end_process(int exit_code, const char* line) {
  if (getpid() != our_process) _exit(1);
  if (ending.exchange(true)) {
    for (;;) pause();  // another thread is ending the process with its own line
  }
  if (line[0] != '\0') {
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, std::strlen(line));
  }
  _exit(exit_code);
}

}  // namespace platform
