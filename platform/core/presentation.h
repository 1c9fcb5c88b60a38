// When a frame of page 0 is made: the one rule that both front ends follow.
//
// Automatic (the start): a change of page 0 makes a frame once kAutoFrameMs have passed
// since the last frame; a page unchanged since the frame on show makes none. Manual
// (after scr_display): frames only on request, one per request, changed or not.
//
// The game thread notes changes and switches the mode; the front end's thread asks when
// a frame is due and reports each frame it makes.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace platform {

class Presentation {
 public:
  static constexpr std::int64_t kAutoFrameMs = 33;
  static constexpr std::int64_t kNoFrameDue = -1;

  // ---- Game thread ----
  void set_manual(bool manual);
  bool manual() const { return manual_.load(); }
  // Page 0 changed; true when the front end is to be woken to schedule a frame.
  bool note_change();

  // ---- Front end ----
  // Milliseconds until an automatic frame is due (0: now), or kNoFrameDue.
  std::int64_t wait_before_frame(std::int64_t now_ms) const;
  // Settles the change when an automatic frame is due now; true when it was. The page is
  // read after this, so that a change made meanwhile is noted afresh.
  bool take_due(std::int64_t now_ms);
  // Whether the page at `generation` differs from the frame on show.
  bool is_new(std::uint64_t generation) const { return shown_generation_ != generation; }
  // A frame of the page at `generation` was made at `now_ms`.
  void frame_made(std::int64_t now_ms, std::uint64_t generation);
  // The next frame is made whatever the page (a new window or texture to fill).
  void forget_shown() {
    shown_generation_.reset();
    changed_.store(true);
  }

 private:
  std::atomic<bool> manual_{false};
  std::atomic<bool> changed_{false};  // a change not yet settled by a frame
  std::int64_t last_frame_ms_ = -kAutoFrameMs;
  std::optional<std::uint64_t> shown_generation_;  // none before the first frame
};

}  // namespace platform
