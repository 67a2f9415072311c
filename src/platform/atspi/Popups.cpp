#include "platform/atspi/Popups.h"

#include <algorithm>
#include <atspi/atspi.h>
#include <memory>

namespace keyferry::atspi {

namespace {

struct Unref {
    void operator()(void* object) const { g_object_unref(object); }
};
using AccessiblePtr = std::unique_ptr<AtspiAccessible, Unref>;

// Popups lie a few levels below a top-level window (Firefox's: 2, Chromium's: 1, GTK's: 2);
// a window's own content is not searched further, nor a page's, which may be thousands of
// elements.
constexpr int popupDepth = 3;
constexpr int walkBudget = 400;

bool hasState(AtspiAccessible* accessible, AtspiStateType state) {
    AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
    if (!states)
        return false;
    const bool contains = atspi_state_set_contains(states, state);
    g_object_unref(states);
    return contains;
}

bool isListOrMenu(AtspiRole role) {
    switch (role) {
    case ATSPI_ROLE_MENU:
    case ATSPI_ROLE_LIST_BOX:
    case ATSPI_ROLE_LIST:
    case ATSPI_ROLE_TREE:
    case ATSPI_ROLE_TREE_TABLE:
    case ATSPI_ROLE_TABLE:
        return true;
    default:
        return false;
    }
}

bool takesSelection(AtspiAccessible* accessible) {
    AtspiSelection* selection = atspi_accessible_get_selection_iface(accessible);
    if (!selection)
        return false;
    g_object_unref(selection);
    return true;
}

// Stays the same for an element while it lives, unlike the address of its proxy object.
std::string idOf(AtspiAccessible* accessible) {
    const AtspiObject* object = ATSPI_OBJECT(accessible);
    const char* bus = object->app && object->app->bus_name ? object->app->bus_name : "";
    return std::string(bus) + (object->path ? object->path : "");
}

void collect(AtspiAccessible* node, int depth, std::vector<std::string>& found, int& budget) {
    const int count = std::min(atspi_accessible_get_child_count(node, nullptr), 200);
    for (int i = 0; i < count && budget-- > 0; ++i) {
        AccessiblePtr child(atspi_accessible_get_child_at_index(node, i, nullptr));
        if (!child || !hasState(child.get(), ATSPI_STATE_SHOWING))
            continue;
        const AtspiRole role = atspi_accessible_get_role(child.get(), nullptr);
        if (role == ATSPI_ROLE_DOCUMENT_WEB || role == ATSPI_ROLE_DOCUMENT_FRAME)
            continue;
        if (isListOrMenu(role) && takesSelection(child.get()))
            found.push_back(idOf(child.get()));
        else if (depth < popupDepth)
            collect(child.get(), depth + 1, found, budget);
    }
}

} // namespace

std::vector<std::string> shownPopups(AtspiAccessible* focused) {
    std::vector<std::string> found;
    if (hasState(focused, ATSPI_STATE_EXPANDED) && hasState(focused, ATSPI_STATE_EDITABLE))
        found.push_back(idOf(focused));
    AccessiblePtr application(atspi_accessible_get_application(focused, nullptr));
    if (!application)
        return found;
    int budget = walkBudget;
    collect(application.get(), 0, found, budget);
    return found;
}

} // namespace keyferry::atspi
