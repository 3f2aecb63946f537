#include "host/threads.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace quarvel {

class WorkerThread {
 public:
  void Finish() {
    std::lock_guard lock(mutex_);
    ended_ = true;
    cv_.notify_all();
  }
  void WaitFor(int timeoutMs) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs), [this] { return ended_; });
  }
  bool Ended() {
    std::lock_guard lock(mutex_);
    return ended_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool ended_ = false;
};

std::optional<ThreadHandle> StartThread(std::function<void()> routine) {
  auto state = std::make_shared<WorkerThread>();
  try {
    // The thread keeps its own share of the state, so it may outlive every handle.
    std::thread([state, routine = std::move(routine)] {
      routine();
      state->Finish();
    }).detach();
  } catch (const std::system_error&) {
    return std::nullopt;
  }
  return state;
}

bool WaitThread(const ThreadHandle& handle, int timeoutMs) {
  if (!handle) return false;
  handle->WaitFor(timeoutMs);
  return true;
}

bool ThreadEnded(const ThreadHandle& handle) { return handle && handle->Ended(); }

void CloseThreadHandle(ThreadHandle& handle) { handle.reset(); }

}  // namespace quarvel
