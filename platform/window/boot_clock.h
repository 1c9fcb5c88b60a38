// The window's clocks: milliseconds since boot (suspended time included), the local time
// of day, and waits measured on the boot-time clock.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// Milliseconds since boot, the time the machine was suspended included.
std::int64_t boot_time_ms();
// Local wall-clock milliseconds after midnight.
std::int64_t local_ms_after_midnight();

// Waits run on the steady clock, which stands still while the machine is suspended; each
// step is this short so that a wait ends on time by the boot-time clock after a resume.
constexpr std::int64_t kLongestWaitStepMs = 100;

// Waits on `wake` until `done` holds or the boot-time clock reaches `until_ms`.
template <typename Done>
void wait_until_boot_time(std::condition_variable& wake, std::unique_lock<std::mutex>& lock,
                          std::int64_t until_ms, Done done) {
  for (std::int64_t left = until_ms - boot_time_ms(); !done() && left > 0; left = until_ms - boot_time_ms()) {
    wake.wait_for(lock, std::chrono::milliseconds(std::min(left, kLongestWaitStepMs)), done);
  }
}

}  // namespace platform
