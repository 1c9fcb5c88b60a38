// Work for the main thread, posted from any thread: the window's requests (title, icon,
// screen size) and the message boxes, which only the thread that owns the window may make.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace platform {

class WorkQueue {
 public:
  // `wake` is called after each post, to rouse the main thread.
  explicit WorkQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

  // Any thread: `work` runs on the main thread at its next run_pending.
  void post(std::function<void()> work);

  // Main thread: runs the work posted so far, in the order it was posted.
  void run_pending();
  // Drops the work not yet run.
  void drop_pending();

 private:
  std::function<void()> wake_;
  std::mutex mutex_;
  std::deque<std::function<void()>> work_;
};

}  // namespace platform
