#include "headless.h"

#include <algorithm>

namespace platform {

namespace {
constexpr std::int64_t kIdleAfterScriptMs = 60'000;
}

HeadlessHost::HeadlessHost(std::int64_t wall_ms_after_midnight) : wall_start_ms_(wall_ms_after_midnight) {}

void HeadlessHost::schedule(Event event) {
  auto later = std::upper_bound(events_.begin(), events_.end(), event.at_ms,
                                [](std::int64_t at, const Event& e) { return at < e.at_ms; });
  events_.insert(later, event);
  last_scheduled_ms_ = std::max(last_scheduled_ms_, event.at_ms);
}

void HeadlessHost::key(std::int64_t at_ms, KeyStroke key, std::int64_t hold_ms) {
  press(at_ms, key);
  release(at_ms + hold_ms, key);
}

std::int64_t HeadlessHost::type(std::int64_t at_ms, std::string_view text, std::int64_t gap_ms) {
  for (char character : text) {
    key(at_ms, typed_key(character), gap_ms / 2);
    at_ms += gap_ms;
  }
  return at_ms;
}

void HeadlessHost::stop_at(std::int64_t at_ms) { schedule({at_ms, Kind::stop, {}}); }

void HeadlessHost::pause_at(std::int64_t at_ms) { schedule({at_ms, Kind::pause, {}}); }

void HeadlessHost::deliver(const Event& event) {
  switch (event.kind) {
    case Kind::down: runtime_->key_down(event.key); break;
    case Kind::up: runtime_->key_up(event.key); break;
    case Kind::stop: runtime_->request_stop(); break;
    case Kind::pause: runtime_->request_pause(); break;
  }
}

void HeadlessHost::advance(std::int64_t to_ms, bool until_input) {
  const std::int64_t end = end_at_ms_ >= 0 ? end_at_ms_ : last_scheduled_ms_ + kIdleAfterScriptMs;
  const std::uint64_t presses = runtime_->key_presses();
  while (!events_.empty() && events_.front().at_ms <= to_ms) {
    now_ms_ = std::max(now_ms_, events_.front().at_ms);
    const Event event = events_.front();
    events_.pop_front();
    deliver(event);
    const bool more_now = !events_.empty() && events_.front().at_ms <= now_ms_;
    if (until_input && !more_now && (runtime_->key_presses() != presses || runtime_->stop_requested())) {
      break;
    }
  }
  if (!until_input || (runtime_->key_presses() == presses && !runtime_->stop_requested())) {
    now_ms_ = std::max(now_ms_, to_ms);
  }
  if (dirty_ && !runtime_->manual_display && now_ms_ - last_auto_frame_ms_ >= kAutoFrameMs) {
    record_frame(false);
  }
  if (now_ms_ >= end) throw HeadlessRunEnded{};
}

void HeadlessHost::wait_for_key(std::int64_t until_ms, std::uint64_t seen_presses) {
  if (runtime_->key_presses() != seen_presses || runtime_->stop_requested()) return;
  advance(until_ms, true);
}

void HeadlessHost::sleep_until(std::int64_t until_ms) { advance(until_ms, false); }

void HeadlessHost::record_frame(bool requested) {
  dirty_ = false;
  if (!requested) last_auto_frame_ms_ = now_ms_;
  ++frames_made_;
  if (requested) ++requested_frames_;
  if (frames_kept_ == 0) {
    if (observer_) observer_(Frame{now_ms_, requested, runtime_->snapshot()});
    return;
  }
  frames_.push_back(Frame{now_ms_, requested, runtime_->snapshot()});
  if (frames_.size() > frames_kept_) frames_.pop_front();
  if (observer_) observer_(frames_.back());
}

void HeadlessHost::present_frame() { record_frame(true); }

void HeadlessHost::set_screen_size(int width, int height) {
  width_ = width;
  height_ = height;
}

bool HeadlessHost::ask_yes_no(const std::string& title, const std::string& text) {
  boxes_.push_back({title, text});
  return answer_yes_;
}

void HeadlessHost::show_message(const std::string& title, const std::string& text) {
  boxes_.push_back({title, text});
}

int HeadlessSession::run(const std::function<void()>& entry) {
  try {
    entry();
  } catch (const ProgramExit& exit) {
    return exit.exit_code;
  } catch (const HeadlessRunEnded&) {
    return -1;
  }
  return 0;
}

}  // namespace platform
