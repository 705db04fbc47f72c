#include "app/ui_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>

#include "toolkit/worker.h"

namespace roomdesk {

WindowThread::WindowThread() = default;

bool WindowThread::OnThread() const { return QThread::currentThread() == anchor_.thread(); }

bool WindowThread::Dispatch(const std::function<void()>& call) {
    if (OnThread()) {
        call();
        return true;
    }
    {
        std::lock_guard lock(mutex_);
        if (closing_) return false;
        ++pending_;
    }
    bool ran = false;
    // If the anchor went away with the event still queued, Qt releases the caller without
    // running the call: `ran` stays false.
    QMetaObject::invokeMethod(
        &anchor_,
        [&] {
            bool refused;
            {
                std::lock_guard lock(mutex_);
                --pending_;
                refused = closing_;
            }
            if (refused) return;
            ++runningForeign_;
            call();
            --runningForeign_;
            ran = true;
        },
        Qt::BlockingQueuedConnection);
    return ran;
}

void WindowThread::BeginClosing() {
    std::lock_guard lock(mutex_);
    closing_ = true;
}

bool WindowThread::Closing() const {
    std::lock_guard lock(mutex_);
    return closing_;
}

void WindowThread::DrainPending() {
    while (true) {
        {
            std::lock_guard lock(mutex_);
            if (pending_ == 0) return;
        }
        // A call counted as pending is queued or about to be; its posting wakes this wait.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
}

void WindowThread::Yield() {
    if (OnThread()) QCoreApplication::processEvents();
}

void WindowThread::Wait(int ms) {
    if (ms <= 0) return;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    if (!OnThread()) {
        std::mutex mutex;
        std::unique_lock lock(mutex);
        std::condition_variable_any().wait_until(lock, ThisWorkerStopToken(), deadline,
                                                 [] { return false; });
        return;
    }
    // The timer only wakes the wait at the deadline; it is restarted with the time left, since
    // its own clock may fire a moment before the steady clock has reached the deadline.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        wake.start(static_cast<int>(left.count()));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace roomdesk
