#include "platform/wayland/SwayTree.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace keyferry::wayland {

namespace {

using nlohmann::json;

Rect rectOf(const json& value) {
    return {value.value("x", 0.0), value.value("y", 0.0), value.value("width", 0.0),
            value.value("height", 0.0)};
}

bool isWindow(const json& node) {
    const std::string type = node.value("type", "");
    return (type == "con" || type == "floating_con") && node.contains("pid") &&
           (node.contains("app_id") || node.contains("window_properties"));
}

struct Walk {
    std::vector<std::pair<SwayWindow, std::size_t>> found; // with the order they were met
    void visit(const json& node, bool floating) {
        if (isWindow(node)) {
            SwayWindow window;
            window.id = node.value("id", WindowID{0});
            window.processID = node["pid"].is_number() ? node["pid"].get<int>() : 0;
            if (node.contains("app_id") && node["app_id"].is_string())
                window.appID = node["app_id"].get<std::string>();
            else if (node.contains("window_properties"))
                window.appID = node["window_properties"].value("class", "");
            if (node.contains("name") && node["name"].is_string())
                window.title = node["name"].get<std::string>();
            const Rect outer = rectOf(node.value("rect", json::object()));
            const Rect inner = rectOf(node.value("window_rect", json::object()));
            window.bounds = {outer.x + inner.x, outer.y + inner.y, inner.width, inner.height};
            window.visible = node.value("visible", false);
            window.floating = floating;
            window.focused = node.value("focused", false);
            found.emplace_back(std::move(window), found.size());
        }
        // Children in the order they last had the focus: the most recent is in front.
        std::vector<std::pair<const json*, bool>> children;
        for (const char* list : {"floating_nodes", "nodes"})
            if (node.contains(list) && node[list].is_array())
                for (const json& child : node[list])
                    children.emplace_back(&child,
                                          floating || std::string(list) == "floating_nodes");
        std::vector<WindowID> focusOrder;
        if (node.contains("focus") && node["focus"].is_array())
            for (const json& id : node["focus"])
                if (id.is_number())
                    focusOrder.push_back(id.get<WindowID>());
        const auto rank = [&](const std::pair<const json*, bool>& child) {
            const auto at = std::ranges::find(focusOrder, child.first->value("id", WindowID{0}));
            return static_cast<std::size_t>(at - focusOrder.begin());
        };
        std::ranges::stable_sort(children, {}, rank);
        for (const auto& [child, isFloating] : children)
            visit(*child, isFloating);
    }
};

} // namespace

const SwayWindow* SwayTree::find(WindowID id) const {
    const auto found = std::ranges::find(windows, id, &SwayWindow::id);
    return found == windows.end() ? nullptr : &*found;
}

Expected<SwayTree> parseSwayTree(std::string_view text) try {
    const json root = json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object() || root.value("type", "") != "root")
        return Unexpected{std::string("sway's tree is not readable")};
    Walk walk;
    walk.visit(root, false);
    // Floating windows are drawn over tiled ones.
    std::ranges::stable_sort(walk.found, {}, [](const auto& entry) {
        return std::pair(entry.first.floating ? 0 : 1, entry.second);
    });
    SwayTree tree;
    for (auto& [window, order] : walk.found) {
        if (window.focused)
            tree.focused = window.id;
        tree.windows.push_back(std::move(window));
    }
    return tree;
} catch (const nlohmann::json::exception&) {
    return Unexpected{std::string("sway's tree has a value of an unexpected type")};
}

std::optional<WindowID> parseSeatFocus(std::string_view text) try {
    const json seats = json::parse(text, nullptr, false);
    if (!seats.is_array() || seats.empty() || !seats[0].is_object() ||
        !seats[0].contains("focus") || !seats[0]["focus"].is_number())
        return std::nullopt;
    return seats[0]["focus"].get<WindowID>();
} catch (const nlohmann::json::exception&) {
    return std::nullopt;
}

std::optional<Rect> parseOutputsBounds(std::string_view text) try {
    const json outputs = json::parse(text, nullptr, false);
    if (!outputs.is_array())
        return std::nullopt;
    std::optional<Rect> box;
    for (const json& output : outputs) {
        if (!output.is_object() || !output.value("active", false) || !output.contains("rect"))
            continue;
        const Rect rect = rectOf(output["rect"]);
        if (!box) {
            box = rect;
            continue;
        }
        const double right = std::max(box->x + box->width, rect.x + rect.width);
        const double bottom = std::max(box->y + box->height, rect.y + rect.height);
        box->x = std::min(box->x, rect.x);
        box->y = std::min(box->y, rect.y);
        box->width = right - box->x;
        box->height = bottom - box->y;
    }
    return box;
} catch (const nlohmann::json::exception&) {
    return std::nullopt;
}

bool parseCommandSuccess(std::string_view text) try {
    const json results = json::parse(text, nullptr, false);
    if (!results.is_array() || results.empty())
        return false;
    return std::ranges::all_of(results, [](const json& result) {
        return result.is_object() && result.value("success", false);
    });
} catch (const nlohmann::json::exception&) {
    return false;
}

} // namespace keyferry::wayland
