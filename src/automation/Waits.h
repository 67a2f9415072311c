#pragma once

#include "automation/Scheduler.h"

#include <coroutine>
#include <functional>
#include <memory>
#include <vector>

namespace keyferry {

/// Cancellation of one run: once cancelled, every pending wait registered with it ends at
/// once (at the next turn of the loop) and every later wait does not wait at all.
class Cancellation {
public:
    bool isCancelled() const { return state_->cancelled; }
    void cancel();

    /// Called once on cancellation unless removed first; returns a handle for removal.
    std::size_t onCancel(std::function<void()> callback);
    void removeOnCancel(std::size_t id);

private:
    struct State {
        bool cancelled = false;
        std::size_t nextId = 1;
        std::vector<std::pair<std::size_t, std::function<void()>>> callbacks;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

/// `co_await sleep(...)`: a wait of `duration` that a cancellation ends early.
class SleepAwaiter {
public:
    SleepAwaiter(Scheduler& scheduler, Scheduler::Duration duration, Cancellation cancellation);
    SleepAwaiter(const SleepAwaiter&) = delete;
    SleepAwaiter& operator=(const SleepAwaiter&) = delete;
    ~SleepAwaiter();

    bool await_ready() const;
    void await_suspend(std::coroutine_handle<> handle);
    void await_resume() const noexcept {}

private:
    void finish();

    Scheduler& scheduler_;
    Scheduler::Duration duration_;
    Cancellation cancellation_;
    std::coroutine_handle<> handle_;
    Scheduler::TimerId timer_ = 0;
    std::size_t cancelHook_ = 0;
    bool pending_ = false;
};

inline SleepAwaiter sleepFor(Scheduler& scheduler, Scheduler::Duration duration,
                             const Cancellation& cancellation) {
    return SleepAwaiter(scheduler, duration, cancellation);
}

/// A one-shot resumption handle (the debug run's Next, the click wait): whoever calls
/// resume() first resumes the waiting task, at the next turn of the loop; later calls do
/// nothing.
class OneShot {
public:
    explicit OneShot(Scheduler& scheduler) : scheduler_(scheduler) {}
    OneShot(const OneShot&) = delete;
    OneShot& operator=(const OneShot&) = delete;
    ~OneShot();

    bool isPending() const { return static_cast<bool>(handle_); }
    /// Resumes the waiting task once; false when nothing was waiting.
    bool resume();

    auto wait() {
        struct Awaiter {
            OneShot& shot;
            std::coroutine_handle<> waiting;
            Awaiter(OneShot& s) : shot(s) {}
            Awaiter(const Awaiter&) = delete;
            Awaiter& operator=(const Awaiter&) = delete;
            // An abandoned waiter must not stay registered.
            ~Awaiter() {
                if (waiting && shot.handle_ == waiting)
                    shot.handle_ = {};
            }
            bool await_ready() const noexcept { return false; }
            void await_suspend(std::coroutine_handle<> handle) {
                waiting = handle;
                shot.handle_ = handle;
            }
            void await_resume() const noexcept {}
        };
        return Awaiter{*this};
    }

private:
    Scheduler& scheduler_;
    std::coroutine_handle<> handle_;
    Scheduler::TimerId resumeTimer_ = 0;
};

} // namespace keyferry
