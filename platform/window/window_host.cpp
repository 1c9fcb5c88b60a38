#include "window_host.h"

#include "boot_clock.h"
#include "runtime_core.h"
#include "video.h"

namespace platform {

WindowHost::WindowHost(Video& video, std::function<void()> wake)
    : video_(video), wake_(std::move(wake)), work_(wake_) {}

std::int64_t WindowHost::monotonic_ms() { return boot_time_ms(); }

std::int64_t WindowHost::wall_ms_after_midnight() { return local_ms_after_midnight(); }

void WindowHost::wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) {
  std::unique_lock lock(wait_mutex_);
  wait_until_boot_time(input_, lock, until_ms, [&] { return runtime_->input_count() != seen_inputs; });
}

void WindowHost::sleep_until(std::int64_t until_ms) {
  std::unique_lock lock(wait_mutex_);
  wait_until_boot_time(input_, lock, until_ms, [&] { return runtime_->stop_requested(); });
}

void WindowHost::input_arrived() {
  { std::lock_guard lock(wait_mutex_); }
  input_.notify_all();
  { std::lock_guard lock(reply_mutex_); }
  replied_.notify_all();
}

void WindowHost::present_frame() {
  std::unique_lock lock(reply_mutex_);
  const std::uint64_t wanted = ++frames_requested_;
  wake_();
  // A stop ends the wait too: the game stops even while the display hangs.
  replied_.wait(lock, [&] { return frames_made_ >= wanted || released_locked(); });
}

void WindowHost::screen_changed() {
  if (!wake_pending_.exchange(true)) wake_();
}

void WindowHost::set_title(const std::string& title) {
  work_.post([this, title] { video_.set_title(title); });
}

void WindowHost::set_icon() {
  work_.post([this] { video_.set_icon(); });
}

void WindowHost::set_screen_size(int width, int height) {
  work_.post([this, width, height] {
    video_.resize_screen(width, height);
    runtime_->forget_shown_frame();
  });
}

std::optional<bool> WindowHost::ask_yes_no(const std::string& title, const std::string& text) {
  // The box gets copies: a stop can end the caller's wait while the box is still up.
  return call<std::optional<bool>>([this, title, text] { return video_.ask_yes_no(title, text); })
      .value_or(std::nullopt);
}

bool WindowHost::show_message(const std::string& title, const std::string& text) {
  return call<bool>([this, title, text] { return video_.show_message(title, text); }).value_or(false);
}

std::uint64_t WindowHost::frame_requested() {
  std::lock_guard lock(reply_mutex_);
  return frames_made_ < frames_requested_ ? frames_requested_ : 0;
}

void WindowHost::frames_made(std::uint64_t request) {
  {
    std::lock_guard lock(reply_mutex_);
    frames_made_ = request;
  }
  replied_.notify_all();
}

void WindowHost::close() {
  {
    std::lock_guard lock(reply_mutex_);
    closed_ = true;
  }
  replied_.notify_all();
  work_.drop_pending();
}

bool WindowHost::released() {
  std::lock_guard lock(reply_mutex_);
  return released_locked();
}

bool WindowHost::released_locked() const { return closed_ || runtime_->stop_requested(); }

}  // namespace platform
