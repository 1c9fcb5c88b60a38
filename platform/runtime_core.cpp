#include "runtime_core.h"

#include <filesystem>
#include <stdexcept>

namespace platform {

namespace {
std::atomic<Runtime*> installed{nullptr};
}

Runtime::Runtime(Host& host) : host_(host) {
  start_monotonic_ms = host_.monotonic_ms();
  start_wall_ms = host_.wall_ms_after_midnight();
}

Runtime::~Runtime() {
  Runtime* self = this;
  installed.compare_exchange_strong(self, nullptr);
}

void Runtime::install() { installed.store(this); }

Runtime& Runtime::current() {
  Runtime* runtime = installed.load();
  if (runtime == nullptr) throw std::logic_error("no runtime installed");
  return *runtime;
}

void Runtime::apply(const std::vector<KeyAction>& actions) {
  for (const KeyAction& action : actions) {
    switch (action.kind) {
      case KeyAction::Kind::press: key_down(action.press); break;
      case KeyAction::Kind::release: key_up(action.press); break;
      case KeyAction::Kind::pause: request_pause(); break;
      case KeyAction::Kind::end_pause: end_pause(); break;
      case KeyAction::Kind::stop: request_stop(); break;
    }
  }
}

void Runtime::key_down(const KeyPress& press) {
  key_events.push(press.code);
  if (press.buffered) keyboard.push(press.entry, press.repeat);
  presses_.fetch_add(1);
  inputs_.fetch_add(1);
  host_.input_arrived();
}

void Runtime::key_up(const KeyPress& press) { key_events.push(-press.code); }

void Runtime::request_stop() {
  stop_.store(true);
  inputs_.fetch_add(1);
  host_.input_arrived();
}

void Runtime::end_pause() {
  pause_.store(false);
  inputs_.fetch_add(1);
  host_.input_arrived();
}

Page Runtime::snapshot(std::uint64_t* generation) const {
  std::lock_guard lock(screen_mutex_);
  if (generation != nullptr) *generation = screen_.generation();
  return screen_.visible();
}

std::uint64_t Runtime::generation() const {
  std::lock_guard lock(screen_mutex_);
  return screen_.generation();
}

double Pacer::wait_needed(double now_ms, double period_ms) {
  if (!started_) {
    started_ = true;
    stored_ms_ = now_ms;
    return 0;
  }
  const double elapsed = now_ms - stored_ms_;
  if (elapsed >= 0 && elapsed < period_ms) return period_ms - elapsed;
  if (elapsed >= period_ms && elapsed <= period_ms + 32) {
    stored_ms_ += period_ms;  // lost time is caught up on the next passes
  } else {
    stored_ms_ = now_ms;  // too far behind, or the clock went back
  }
  return 0;
}

std::string program_file_name() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("valewarden") : path.filename().string();
}

}  // namespace platform
