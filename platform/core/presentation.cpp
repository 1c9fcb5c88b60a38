#include "presentation.h"

#include <algorithm>

namespace platform {

void Presentation::set_manual(bool manual) {
  manual_.store(manual);
  // Back to automatic: the page as it now stands is due, changed or not since the last request.
  if (!manual) changed_.store(true);
}

bool Presentation::note_change() {
  changed_.store(true);
  return !manual_.load();
}

std::int64_t Presentation::wait_before_frame(std::int64_t now_ms) const {
  if (manual_.load() || !changed_.load()) return kNoFrameDue;
  return std::max<std::int64_t>(0, last_frame_ms_ + kAutoFrameMs - now_ms);
}

bool Presentation::take_due(std::int64_t now_ms) {
  if (wait_before_frame(now_ms) != 0) return false;
  changed_.store(false);
  return true;
}

void Presentation::frame_made(std::int64_t now_ms, std::uint64_t generation) {
  last_frame_ms_ = now_ms;
  shown_generation_ = generation;
}

}  // namespace platform
