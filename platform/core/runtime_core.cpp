#include "runtime_core.h"

#include <filesystem>
#include <stdexcept>

namespace platform {

namespace {
std::atomic<Runtime*> installed{nullptr};
}

Runtime::Runtime(Host& host)
    : host_(host), start_monotonic_ms_(host.monotonic_ms()), start_wall_ms_(host.wall_ms_after_midnight()) {}

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
  key_events_.push(press.code);
  if (press.buffered) keyboard_.push(press.entry, press.repeat);
  presses_.fetch_add(1);
  input_arrived();
}

void Runtime::key_up(const KeyPress& press) { key_events_.push(-press.code); }

void Runtime::request_stop() {
  stop_.store(true);
  input_arrived();
}

void Runtime::end_pause() {
  pause_.store(false);
  input_arrived();
}

void Runtime::input_arrived() {
  inputs_.fetch_add(1);
  host_.input_arrived();
}

void Runtime::set_manual_display(bool manual) {
  presentation_.set_manual(manual);
  if (!manual) host_.screen_changed();
}

std::optional<Page> Runtime::take_due_frame(std::int64_t now_ms) {
  if (!presentation_.take_due(now_ms)) return std::nullopt;
  std::lock_guard lock(screen_mutex_);
  if (!presentation_.is_new(screen_.generation())) return std::nullopt;
  presentation_.frame_made(now_ms, screen_.generation());
  return screen_.visible();
}

Page Runtime::take_frame(std::int64_t now_ms) {
  std::lock_guard lock(screen_mutex_);
  presentation_.frame_made(now_ms, screen_.generation());
  return screen_.visible();
}

Page Runtime::snapshot() const {
  std::lock_guard lock(screen_mutex_);
  return screen_.visible();
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

std::filesystem::path program_path() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}

void enter_program_folder() {
  std::error_code error;
  const std::filesystem::path program = program_path();
  if (!program.empty()) std::filesystem::current_path(program.parent_path(), error);
}

}  // namespace platform
