#pragma once
// Worker threads for fetches: started by the user-interface thread, waited for with a plain
// blocking wait and a time-out, and left to finish on their own when they outlive the wait.
#include <functional>
#include <memory>
#include <optional>

namespace quarvel {

class WorkerThread;
using ThreadHandle = std::shared_ptr<WorkerThread>;

// Starts the routine on a new thread; nothing when the thread cannot be started.
std::optional<ThreadHandle> StartThread(std::function<void()> routine);
// Waits until the thread has ended or the time has passed; no window events are handled
// meanwhile. True unless the wait itself failed (a time-out is not a failure).
bool WaitThread(const ThreadHandle& handle, int timeoutMs);
// Whether the thread has ended.
bool ThreadEnded(const ThreadHandle& handle);
// Lets go of the handle; the thread is not stopped and finishes on its own.
void CloseThreadHandle(ThreadHandle& handle);

}  // namespace quarvel
