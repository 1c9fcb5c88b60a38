#include "headless.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace platform {

namespace {
constexpr std::int64_t kIdleAfterScriptMs = 60'000;
constexpr int kPauseUsage = 72;

KeyEvent key_down_event(int usage, char32_t symbol, KeyModifiers modifiers = {}) {
  KeyEvent event;
  event.usage = usage;
  event.symbol = symbol;
  event.modifiers = modifiers;
  return event;
}

// The event of a scripted key's going up.
KeyEvent released(const ScriptedKey& key) {
  KeyEvent up = key.event;
  up.down = false;
  return up;
}
}  // namespace

HeadlessHost::HeadlessHost(std::int64_t wall_ms_after_midnight) : wall_start_ms_(wall_ms_after_midnight) {}

void HeadlessHost::schedule(Event event) {
  auto later = std::upper_bound(events_.begin(), events_.end(), event.at_ms,
                                [](std::int64_t at, const Event& e) { return at < e.at_ms; });
  events_.insert(later, event);
  last_scheduled_ms_ = std::max(last_scheduled_ms_, event.at_ms);
}

ScriptedKey typed_key(char character) {
  // US keys by USB usage: letters from 4, digits 1 to 9 and 0 from 30; punctuation below.
  static constexpr std::string_view kPunctuation = "-=[]\\;'`,./";
  static constexpr std::string_view kShiftedPunctuation = "_+{}|:\"~<>?";
  static constexpr int kPunctuationUsage[] = {45, 46, 47, 48, 49, 51, 52, 53, 54, 55, 56};
  static constexpr std::string_view kDigits = "1234567890";
  static constexpr std::string_view kShiftedDigits = "!@#$%^&*()";
  const auto byte = static_cast<unsigned char>(character);
  if (character == '\r') return {key_down_event(40, U'\r'), ""};
  if (character == '\b') return {key_down_event(42, U'\b'), ""};
  ScriptedKey key{key_down_event(0, 0), std::string(1, character)};
  const auto use = [&](int usage, char symbol, bool shift) {
    key.event.usage = usage;
    key.event.symbol = static_cast<unsigned char>(symbol);
    key.event.modifiers.shift = shift;
  };
  if (std::isalpha(byte))
    use(4 + std::tolower(byte) - 'a', static_cast<char>(std::tolower(byte)), std::isupper(byte));
  if (character == ' ') use(44, ' ', false);
  if (const auto at = kDigits.find(character); at != std::string_view::npos) {
    use(30 + static_cast<int>(at), character, false);
  }
  if (const auto at = kShiftedDigits.find(character); at != std::string_view::npos) {
    use(30 + static_cast<int>(at), kDigits[at], true);
  }
  if (const auto at = kPunctuation.find(character); at != std::string_view::npos) {
    use(kPunctuationUsage[at], character, false);
  }
  if (const auto at = kShiftedPunctuation.find(character); at != std::string_view::npos) {
    use(kPunctuationUsage[at], kPunctuation[at], true);
  }
  return key;
}

ScriptedKey usb_key(int usage, KeyModifiers modifiers) { return {key_down_event(usage, 0, modifiers), ""}; }

void HeadlessHost::key(std::int64_t at_ms, const ScriptedKey& key, std::int64_t hold_ms) {
  press(at_ms, key);
  release(at_ms + hold_ms, key);
}

void HeadlessHost::press(std::int64_t at_ms, const ScriptedKey& key) {
  key_event(at_ms, key.event);
  if (!key.text.empty()) text_event(at_ms, key.text);
}

void HeadlessHost::release(std::int64_t at_ms, const ScriptedKey& key) { key_event(at_ms, released(key)); }

void HeadlessHost::key_now(const ScriptedKey& key) {
  runtime_->apply(keys_.key(key.event));
  if (!key.text.empty()) runtime_->apply(keys_.text(key.text));
  runtime_->apply(keys_.key(released(key)));
}

std::int64_t HeadlessHost::type(std::int64_t at_ms, std::string_view text, std::int64_t gap_ms) {
  for (char character : text) {
    key(at_ms, typed_key(character), gap_ms / 2);
    at_ms += gap_ms;
  }
  return at_ms;
}

void HeadlessHost::stop_at(std::int64_t at_ms) { schedule({at_ms, Kind::stop, {}, {}}); }

void HeadlessHost::pause_at(std::int64_t at_ms) { key(at_ms, usb_key(kPauseUsage), 1); }

void HeadlessHost::deliver(const Event& event) {
  switch (event.kind) {
    case Kind::key: runtime_->apply(keys_.key(event.key)); break;
    case Kind::text: runtime_->apply(keys_.text(event.text)); break;
    case Kind::stop: runtime_->request_stop(); break;
  }
}

void HeadlessHost::advance(std::int64_t to_ms, bool until_input) {
  const std::uint64_t inputs = runtime_->input_count();
  while (!events_.empty() && events_.front().at_ms <= to_ms) {
    now_ms_ = std::max(now_ms_, events_.front().at_ms);
    const Event event = events_.front();
    events_.pop_front();
    deliver(event);
    const bool more_now = !events_.empty() && events_.front().at_ms <= now_ms_;
    if (until_input && !more_now && runtime_->input_count() != inputs) {
      break;
    }
  }
  if (!until_input || runtime_->input_count() == inputs) {
    now_ms_ = std::max(now_ms_, to_ms);
  }
  if (std::optional<Page> page = runtime_->take_due_frame(now_ms_)) record_frame(false, std::move(*page));
  if (now_ms_ >= (end_at_ms_ >= 0 ? end_at_ms_ : last_scheduled_ms_ + kIdleAfterScriptMs))
    throw HeadlessRunEnded{};
}

void HeadlessHost::leap(std::int64_t by_ms) {
  now_ms_ += by_ms;
  for (Event& event : events_) event.at_ms += by_ms;
  last_scheduled_ms_ += by_ms;
  if (end_at_ms_ >= 0) end_at_ms_ += by_ms;
}

void HeadlessHost::wait_for_input(std::int64_t until_ms, std::uint64_t seen_inputs) {
  if (runtime_->input_count() != seen_inputs) return;
  advance(until_ms, true);
}

void HeadlessHost::sleep_until(std::int64_t until_ms) { advance(until_ms, false); }

void HeadlessHost::record_frame(bool requested, Page page) {
  ++frames_made_;
  if (requested) ++requested_frames_;
  Frame frame{now_ms_, requested, std::move(page)};
  if (observer_) observer_(frame);
  if (frames_kept_ == 0) return;
  frames_.push_back(std::move(frame));
  if (frames_.size() > frames_kept_) frames_.pop_front();
}

void HeadlessHost::present_frame() { record_frame(true, runtime_->take_frame(now_ms_)); }

void HeadlessHost::set_screen_size(int width, int height) {
  width_ = width;
  height_ = height;
}

bool HeadlessHost::show_box(const std::string& title, const std::string& text) {
  if (box_answer_ == BoxAnswer::not_shown) return false;
  boxes_.push_back({title, text});
  if (box_answer_ != BoxAnswer::never) return true;
  while (!runtime_->stop_requested()) advance(Runtime::kNoDeadline, true);
  return false;
}

std::optional<bool> HeadlessHost::ask_yes_no(const std::string& title, const std::string& text) {
  if (!show_box(title, text)) return std::nullopt;
  return box_answer_ == BoxAnswer::yes;
}

bool HeadlessHost::show_message(const std::string& title, const std::string& text) {
  return show_box(title, text);
}

int HeadlessSession::run(const std::function<void()>& entry) {
  bool ran_out = false;
  const int exit_code = run_program([&] {
    try {
      entry();
    } catch (const HeadlessRunEnded&) {
      ran_out = true;
    }
  });
  return ran_out ? -1 : exit_code;
}

}  // namespace platform
