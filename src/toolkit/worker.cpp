#include "toolkit/worker.h"

#include <algorithm>
#include <condition_variable>

namespace roomdesk {

namespace detail {

struct WorkerState {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread::id id;
    std::stop_source stop;
};

}  // namespace detail

namespace {

thread_local std::stop_token currentStopToken;

}  // namespace

bool WorkerHandle::Running() const {
    if (!state_) return false;
    std::lock_guard lock(state_->mutex);
    return !state_->done;
}

void WorkerHandle::RequestStop() const {
    if (state_) state_->stop.request_stop();
}

void WorkerHandle::Join() const {
    if (!state_) return;
    std::unique_lock lock(state_->mutex);
    if (state_->id == std::this_thread::get_id()) return;
    state_->ended.wait(lock, [this] { return state_->done; });
}

std::stop_token ThisWorkerStopToken() { return currentStopToken; }

WorkerPool::~WorkerPool() { StopAll(); }

WorkerHandle WorkerPool::Start(std::function<void()> routine) {
    std::lock_guard lock(mutex_);
    if (stopping_) return {};
    // Threads whose routine has returned end right after; joining them here is quick.
    auto isFinished = [](const Entry& entry) {
        std::lock_guard stateLock(entry.state->mutex);
        return entry.state->done;
    };
    auto firstFinished = std::stable_partition(workers_.begin(), workers_.end(),
                                               [&](const Entry& e) { return !isFinished(e); });
    for (auto it = firstFinished; it != workers_.end(); ++it) it->thread.join();
    workers_.erase(firstFinished, workers_.end());

    auto state = std::make_shared<detail::WorkerState>();
    // The id is written under the state's lock, so a Join from the routine itself sees it.
    std::unique_lock stateLock(state->mutex);
    std::thread thread([state, routine = std::move(routine)] {
        currentStopToken = state->stop.get_token();
        routine();
        std::lock_guard doneLock(state->mutex);
        state->done = true;
        state->ended.notify_all();
    });
    state->id = thread.get_id();
    stateLock.unlock();
    workers_.push_back({std::move(thread), state});
    return WorkerHandle(std::move(state));
}

bool WorkerPool::AnyRunning() const {
    std::lock_guard lock(mutex_);
    return std::any_of(workers_.begin(), workers_.end(), [](const Entry& entry) {
        std::lock_guard stateLock(entry.state->mutex);
        return !entry.state->done;
    });
}

void WorkerPool::RequestStopAll() {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (const Entry& entry : workers_) entry.state->stop.request_stop();
}

void WorkerPool::StopAll() {
    RequestStopAll();
    std::vector<Entry> workers;
    {
        std::lock_guard lock(mutex_);
        workers.swap(workers_);
    }
    for (Entry& entry : workers) {
        if (entry.thread.get_id() == std::this_thread::get_id()) {
            entry.thread.detach();  // a worker that stops the pool cannot join itself
        } else {
            entry.thread.join();
        }
    }
}

}  // namespace roomdesk
