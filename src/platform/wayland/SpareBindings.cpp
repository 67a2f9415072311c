#include "platform/wayland/SpareBindings.h"

#include <algorithm>
#include <set>

namespace keyferry::wayland {

std::optional<Keycode> SpareBindings::keycodeOf(Keysym keysym) const {
    for (const auto& [keycode, bound] : bound_)
        if (bound == keysym)
            return keycode;
    return std::nullopt;
}

void SpareBindings::typed(Keycode keycode) {
    lastUse_[keycode] = ++clock_;
}

void SpareBindings::clear() {
    changed_ = changed_ || !bound_.empty();
    bound_.clear();
    lastUse_.clear();
}

std::size_t SpareBindings::bind(const std::vector<Keysym>& wanted) {
    // Only what fits in one round is kept: a text with more symbols than spares needs later
    // ones again after earlier ones, and those must give way to the ones it needs first.
    std::set<Keysym> needed;
    for (Keysym keysym : wanted) {
        if (needed.size() == spares_.size())
            break;
        needed.insert(keysym);
    }
    std::vector<Keycode> free, reusable;
    for (Keycode keycode : spares_) {
        const auto bound = bound_.find(keycode);
        if (bound == bound_.end())
            free.push_back(keycode);
        else if (!needed.contains(bound->second))
            reusable.push_back(keycode);
    }
    // Those typed longest ago (or never) are taken over first.
    std::ranges::stable_sort(reusable, {}, [&](Keycode keycode) {
        const auto use = lastUse_.find(keycode);
        return use == lastUse_.end() ? 0 : use->second;
    });
    std::size_t covered = 0;
    std::set<Keysym> seen;
    for (Keysym keysym : wanted) {
        if (seen.contains(keysym) || keycodeOf(keysym)) {
            seen.insert(keysym);
            ++covered;
            continue;
        }
        std::vector<Keycode>& source = free.empty() ? reusable : free;
        if (source.empty())
            break;
        const Keycode keycode = source.front();
        source.erase(source.begin());
        bound_[keycode] = keysym;
        lastUse_.erase(keycode);
        changed_ = true;
        seen.insert(keysym);
        ++covered;
    }
    return covered;
}

} // namespace keyferry::wayland
