#include "WaylandSession.h"

#include "Desktop.h"
#include "TrustDesktop.h"

#include <nlohmann/json.hpp>

namespace keyferry::testing {

namespace {

void collect(const nlohmann::json& node, std::vector<SwayView>& views) {
    if (node.contains("pid") && node["pid"].is_number()) {
        SwayView view;
        view.id = node.value("id", 0LL);
        view.pid = node["pid"].get<pid_t>();
        if (node.contains("app_id") && node["app_id"].is_string())
            view.appID = node["app_id"].get<std::string>();
        view.focused = node.value("focused", false);
        view.visible = node.value("visible", false);
        const auto& rect = node["rect"];
        const auto& inner = node["window_rect"];
        view.x = rect.value("x", 0) + inner.value("x", 0);
        view.y = rect.value("y", 0) + inner.value("y", 0);
        view.width = inner.value("width", 0);
        view.height = inner.value("height", 0);
        views.push_back(view);
    }
    for (const char* list : {"nodes", "floating_nodes"})
        if (node.contains(list))
            for (const auto& child : node[list])
                collect(child, views);
}

} // namespace

std::vector<SwayView> swayViews() {
    const auto tree = nlohmann::json::parse(shell("swaymsg -r -t get_tree"), nullptr, false);
    std::vector<SwayView> views;
    if (tree.is_object())
        collect(tree, views);
    return views;
}

std::optional<SwayView> waitForViewOf(pid_t pid, std::chrono::milliseconds timeout) {
    std::optional<SwayView> found;
    spinUntil(
        [&] {
            for (const SwayView& view : swayViews())
                if (view.pid == pid)
                    found = view;
            return found.has_value();
        },
        timeout);
    return found;
}

bool waitForFocusOf(pid_t pid, std::chrono::milliseconds timeout) {
    return spinUntil(
        [&] {
            for (const SwayView& view : swayViews())
                if (view.pid == pid && view.focused)
                    return true;
            return false;
        },
        timeout);
}

bool swayCommand(const std::string& command) {
    const auto reply =
        nlohmann::json::parse(shell("swaymsg -r " + shellQuote(command)), nullptr, false);
    return reply.is_array() && !reply.empty() && reply[0].value("success", false);
}

} // namespace keyferry::testing
