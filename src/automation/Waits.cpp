#include "automation/Waits.h"

#include <algorithm>
#include <utility>

namespace keyferry {

void Cancellation::cancel() {
    if (state_->cancelled)
        return;
    state_->cancelled = true;
    auto callbacks = std::move(state_->callbacks);
    state_->callbacks.clear();
    for (auto& [id, callback] : callbacks)
        callback();
}

std::size_t Cancellation::onCancel(std::function<void()> callback) {
    const std::size_t id = state_->nextId++;
    state_->callbacks.emplace_back(id, std::move(callback));
    return id;
}

void Cancellation::removeOnCancel(std::size_t id) {
    std::erase_if(state_->callbacks, [id](const auto& entry) { return entry.first == id; });
}

SleepAwaiter::SleepAwaiter(Scheduler& scheduler, Scheduler::Duration duration,
                           Cancellation cancellation)
    : scheduler_(scheduler), duration_(duration), cancellation_(std::move(cancellation)) {}

SleepAwaiter::~SleepAwaiter() {
    // A run abandoned while it sleeps must not be resumed later.
    if (pending_) {
        scheduler_.cancel(timer_);
        cancellation_.removeOnCancel(cancelHook_);
    }
}

bool SleepAwaiter::await_ready() const {
    return cancellation_.isCancelled();
}

void SleepAwaiter::await_suspend(std::coroutine_handle<> handle) {
    handle_ = handle;
    pending_ = true;
    timer_ = scheduler_.runAfter(duration_, [this] {
        cancellation_.removeOnCancel(cancelHook_);
        finish();
    });
    cancelHook_ = cancellation_.onCancel([this] {
        scheduler_.cancel(timer_);
        timer_ = scheduler_.runAfter(Scheduler::Duration{0}, [this] { finish(); });
    });
}

void SleepAwaiter::finish() {
    pending_ = false;
    handle_.resume();
}

OneShot::~OneShot() {
    if (resumeTimer_)
        scheduler_.cancel(resumeTimer_);
}

bool OneShot::resume() {
    if (!handle_)
        return false;
    const auto handle = std::exchange(handle_, {});
    resumeTimer_ = scheduler_.runAfter(Scheduler::Duration{0}, [this, handle] {
        resumeTimer_ = 0;
        handle.resume();
    });
    return true;
}

} // namespace keyferry
