#pragma once

#include <coroutine>
#include <exception>
#include <optional>
#include <utility>

namespace keyferry {

namespace detail {

template <class Promise>
struct FinalAwaiter {
    bool await_ready() const noexcept { return false; }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> handle) noexcept {
        if (auto continuation = handle.promise().continuation)
            return continuation;
        return std::noop_coroutine();
    }
    void await_resume() const noexcept {}
};

struct PromiseBase {
    std::coroutine_handle<> continuation;
    std::suspend_always initial_suspend() const noexcept { return {}; }
    // Runs are sequences of waits and posted events; nothing in them throws.
    void unhandled_exception() const noexcept { std::terminate(); }
};

template <class T>
struct Promise : PromiseBase {
    std::optional<T> value;
    void return_value(T result) { value = std::move(result); }
};

template <>
struct Promise<void> : PromiseBase {
    void return_void() const noexcept {}
};

} // namespace detail

/// A piece of sequential work that suspends at its waits: run, debug run and step
/// sequences. It starts when awaited by another task or when start() is called, and owns
/// its coroutine frame: destroying an unfinished task abandons it (its pending waits
/// unregister themselves).
template <class T = void>
class [[nodiscard]] Task {
public:
    struct promise_type : detail::Promise<T> {
        Task get_return_object() {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        detail::FinalAwaiter<promise_type> final_suspend() const noexcept { return {}; }
    };

    Task() = default;
    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    ~Task() { reset(); }

    /// Begins a top-level task; it runs until its first wait.
    void start() {
        if (handle_ && !handle_.done())
            handle_.resume();
    }
    bool valid() const { return static_cast<bool>(handle_); }
    bool done() const { return !handle_ || handle_.done(); }
    /// The result of a finished task.
    const std::optional<T>& result() const requires(!std::is_void_v<T>) {
        return handle_.promise().value;
    }

    auto operator co_await() && noexcept {
        struct Awaiter {
            std::coroutine_handle<promise_type> handle;
            bool await_ready() const noexcept { return !handle || handle.done(); }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<> caller) noexcept {
                handle.promise().continuation = caller;
                return handle;
            }
            T await_resume() {
                if constexpr (!std::is_void_v<T>)
                    return std::move(*handle.promise().value);
            }
        };
        return Awaiter{handle_};
    }

private:
    explicit Task(std::coroutine_handle<promise_type> handle) : handle_(handle) {}
    void reset() {
        if (handle_)
            handle_.destroy();
        handle_ = {};
    }
    std::coroutine_handle<promise_type> handle_;
};

} // namespace keyferry
