// The main thread's work: run there in the order posted, answers carried back, and a
// caller released when the work is dropped.
#include "work_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using platform::WorkQueue;

TEST(WorkQueue, RunsPostedWorkInOrderOnTheThreadThatRunsIt) {
  int wakes = 0;
  WorkQueue queue([&] { ++wakes; });
  std::string order;
  queue.post([&] { order += 'a'; });
  queue.post([&] { order += 'b'; });
  EXPECT_EQ(wakes, 2);
  EXPECT_EQ(order, "");
  queue.run_pending();
  EXPECT_EQ(order, "ab");
  queue.run_pending();
  EXPECT_EQ(order, "ab");
}

TEST(WorkQueue, CallWaitsForTheAnswerMadeOnTheMainThread) {
  std::atomic<int> wakes{0};
  WorkQueue queue([&] {
    ++wakes;
    wakes.notify_all();
  });
  const std::thread::id main_thread = std::this_thread::get_id();
  std::atomic<bool> ran_on_main{false};
  int answer = 0;
  std::thread caller([&] {
    answer = queue.call<int>([&] {
      ran_on_main = std::this_thread::get_id() == main_thread;
      return 42;
    });
  });
  wakes.wait(0);  // until the caller has posted
  queue.run_pending();
  caller.join();
  EXPECT_EQ(answer, 42);
  EXPECT_TRUE(ran_on_main);
}

TEST(WorkQueue, DroppedCallEndsItsCallersWait) {
  std::atomic<int> wakes{0};
  WorkQueue queue([&] {
    ++wakes;
    wakes.notify_all();
  });
  bool failed = false;
  std::thread caller([&] {
    try {
      queue.call<bool>([] { return true; });
    } catch (const std::future_error&) {
      failed = true;
    }
  });
  wakes.wait(0);  // until the caller has posted
  queue.drop_pending();
  caller.join();
  EXPECT_TRUE(failed);
}

}  // namespace
