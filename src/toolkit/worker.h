// Worker threads of a window: a handle that the starter keeps in its slot, and the pool that owns
// the threads so that the window's shut-down can stop and join every one of them.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace roomdesk {

namespace detail {
struct WorkerState;
}

// The handle of one worker thread. A default-constructed handle holds no worker (an empty slot).
// Handles are cheap to copy; every copy refers to the same worker.
class WorkerHandle {
public:
    WorkerHandle() = default;

    // True when the handle holds a worker, whether or not it still runs.
    explicit operator bool() const { return state_ != nullptr; }
    // True from the start until the worker's routine has returned.
    bool Running() const;
    // Asks the worker to stop: its ThisWorkerStopToken() reports the request. Nothing is forced.
    void RequestStop() const;
    // Returns once the worker's routine has returned; at once for an empty handle, and at once
    // when called from the worker itself.
    void Join() const;

private:
    friend class WorkerPool;
    explicit WorkerHandle(std::shared_ptr<detail::WorkerState> state) : state_(std::move(state)) {}

    std::shared_ptr<detail::WorkerState> state_;
};

// The stop token of the worker that calls it; a token that never reports a stop on any thread
// that is not a worker of a WorkerPool. Long loops and transfers of a worker check it.
std::stop_token ThisWorkerStopToken();

// Owns the threads that it starts. Threads whose routine has returned are joined at the next
// start, so a long-running window does not collect finished threads.
class WorkerPool {
public:
    WorkerPool() = default;
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;
    // Stops and joins every worker.
    ~WorkerPool();

    // Starts a thread running `routine`. After StopAll has begun, starts nothing and gives an
    // empty handle.
    WorkerHandle Start(std::function<void()> routine);
    // True while any worker's routine has not returned.
    bool AnyRunning() const;
    // Asks every worker to stop and refuses further starts; returns at once.
    void RequestStopAll();
    // RequestStopAll, then waits for every worker to end. A window whose workers make blocking
    // calls to its own thread keeps processing its events until AnyRunning() is false first.
    void StopAll();

private:
    struct Entry {
        std::thread thread;
        std::shared_ptr<detail::WorkerState> state;
    };

    mutable std::mutex mutex_;
    std::vector<Entry> workers_;
    bool stopping_ = false;
};

}  // namespace roomdesk
