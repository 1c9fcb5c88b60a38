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

void Runtime::key_down(const KeyStroke& key) {
  const std::int32_t code = key_code_of(key);
  pressed_codes_[static_cast<std::uint8_t>(key.scan)] = code;
  key_events.push(code);
  keyboard.push(buffer_entry_of(key));
  presses_.fetch_add(1);
  host_.input_arrived();
}

void Runtime::key_up(const KeyStroke& key) {
  std::int32_t& code = pressed_codes_[static_cast<std::uint8_t>(key.scan)];
  key_events.push(-(code != 0 ? code : key_code_of(key)));
  code = 0;
}

void Runtime::request_stop() {
  stop_.store(true);
  host_.input_arrived();
}

void Runtime::request_pause() { pause_.store(true); }

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
