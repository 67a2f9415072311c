#include "platform/wayland/KeyPacing.h"

#include <algorithm>

namespace keyferry::wayland {

void KeyPacing::posted(Clock::time_point now) {
    if (sent_ == 0)
        burstStart_ = now;
    ++sent_;
}

KeyPacing::Duration KeyPacing::nextBurst(Clock::time_point now) {
    if (sent_ == 0)
        return Duration{0};
    const Clock::time_point due = burstStart_ + gap_ * static_cast<Duration::rep>(sent_);
    sent_ = 0;
    return std::max(due - now, Duration{0});
}

} // namespace keyferry::wayland
