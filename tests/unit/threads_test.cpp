// Worker threads: waited for with a time-out, and free to outlive the wait.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>

#include "host/threads.h"

namespace quarvel {
namespace {

TEST(ThreadsTest, AWaitEndsWhenTheWorkerEnds) {
  std::atomic<int> ran = 0;
  auto handle = StartThread([&] { ++ran; });
  ASSERT_TRUE(handle);
  EXPECT_TRUE(WaitThread(*handle, 10000));
  EXPECT_TRUE(ThreadEnded(*handle));
  EXPECT_EQ(ran, 1);
  CloseThreadHandle(*handle);
  EXPECT_FALSE(*handle);
}

TEST(ThreadsTest, AWorkerOutlivesATimedOutWaitAndItsHandleAndStillStoresItsResult) {
  std::mutex lock;
  std::string stored;  // the hand-over variable, guarded by its lock
  std::mutex gate;
  gate.lock();  // the worker may not finish before the wait has timed out
  auto handle = StartThread([&] {
    std::lock_guard released(gate);
    std::lock_guard guard(lock);
    stored = "late text";
  });
  ASSERT_TRUE(handle);
  EXPECT_TRUE(WaitThread(*handle, 20));  // a time-out is no failure
  EXPECT_FALSE(ThreadEnded(*handle));
  {
    std::lock_guard guard(lock);
    EXPECT_EQ(stored, "");
  }
  ThreadHandle keep = *handle;  // to see it end after the caller has let go
  CloseThreadHandle(*handle);
  gate.unlock();
  EXPECT_TRUE(WaitThread(keep, 10000));
  EXPECT_TRUE(ThreadEnded(keep));
  std::lock_guard guard(lock);
  EXPECT_EQ(stored, "late text");
}

}  // namespace
}  // namespace quarvel
