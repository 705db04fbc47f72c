// How any thread reaches the window: the one rule for every control operation, and the waits.
//
// A call from the window's thread runs at once. A call from any other thread is posted to the
// window's thread and the caller blocks until it has run there, so a change has taken effect when
// the call returns (a blocking queued call).
//
// Closing: once BeginClosing() has run, calls from other threads are refused: they return their
// fallback at once without touching a widget, and calls posted before but not yet run are refused
// when their turn comes. DrainPending() then answers those, so that afterwards no thread waits
// for the window's thread, and the window may join its workers without a deadlock. Calls made on
// the window's thread itself still run, so the close handler can read the controls.
#pragma once

#include <QObject>
#include <functional>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

namespace roomdesk {

class WindowThread {
public:
    // Binds to the calling thread, which runs the window's events.
    WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    bool OnThread() const;

    // Runs `task` on the window's thread and gives its result; gives `fallback` when the call is
    // refused because the window is closing.
    template <class F, class R>
    R Run(F&& task, R fallback) {
        std::optional<R> result;
        if (!Dispatch([&] { result.emplace(task()); })) return fallback;
        return std::move(*result);
    }
    // The same with a value-initialised fallback (the empty text, 0, false), or for a task that
    // gives nothing.
    template <class F>
    auto Run(F&& task) {
        using R = std::invoke_result_t<F&>;
        if constexpr (std::is_void_v<R>) {
            Dispatch(task);
        } else {
            return Run(std::forward<F>(task), R{});
        }
    }

    void BeginClosing();
    bool Closing() const;
    // On the window's thread, after BeginClosing(): answers every call still waiting in the
    // event queue (each is refused), processing other events meanwhile.
    void DrainPending();
    // How many calls of other threads are running on the window's thread right now. More than 0
    // means that the caller sits in an event loop that such a call opened (its message box), and
    // the worker that made it cannot end before that loop does.
    int RunningForeignCalls() const { return runningForeign_; }

    // On the window's thread: processes the pending events, if any. Elsewhere: nothing.
    void Yield();
    // Returns after at least `ms` milliseconds, at once for 0 or less. On the window's thread the
    // events are processed meanwhile; on any other thread it is a pause, which a worker's stop
    // request cuts short.
    void Wait(int ms);

private:
    // Runs `call` as the class comment says; false when it was refused.
    bool Dispatch(const std::function<void()>& call);

    QObject anchor_;  // lives on the window's thread; posted calls run in its context
    mutable std::mutex mutex_;
    bool closing_ = false;
    int pending_ = 0;         // calls posted and not yet answered
    int runningForeign_ = 0;  // window's thread only
};

}  // namespace roomdesk
