#pragma once

#include <atspi/atspi.h>
#include <memory>
#include <string>

namespace keyferry::atspi {

/// Owns one reference to a GObject of libatspi's (an accessible, a state set, a match rule).
struct Unref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using ObjectPtr = std::unique_ptr<T, Unref>;
using AccessiblePtr = ObjectPtr<AtspiAccessible>;

/// A string libatspi handed over, freed; empty for none.
inline std::string text(gchar* owned) {
    std::string result = owned ? owned : "";
    g_free(owned);
    return result;
}

inline bool hasState(AtspiAccessible* accessible, AtspiStateType state) {
    const ObjectPtr<AtspiStateSet> states(atspi_accessible_get_state_set(accessible));
    return states && atspi_state_set_contains(states.get(), state);
}

} // namespace keyferry::atspi
