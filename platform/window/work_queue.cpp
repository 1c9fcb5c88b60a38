#include "work_queue.h"

namespace platform {

void WorkQueue::post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    work_.push_back(std::move(work));
  }
  wake_();
}

void WorkQueue::run_pending() {
  std::deque<std::function<void()>> work;
  {
    std::lock_guard lock(mutex_);
    work.swap(work_);
  }
  for (auto& item : work) item();
}

void WorkQueue::drop_pending() {
  std::lock_guard lock(mutex_);
  work_.clear();
}

}  // namespace platform
