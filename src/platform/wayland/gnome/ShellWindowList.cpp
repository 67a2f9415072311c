#include "platform/wayland/gnome/ShellWindowList.h"

#include <nlohmann/json.hpp>

namespace keyferry::wayland {

const ShellWindow* ShellWindowList::find(WindowID id) const {
    for (const ShellWindow& window : windows)
        if (window.id == id)
            return &window;
    return nullptr;
}

const ShellWindow* ShellWindowList::focused() const {
    for (const ShellWindow& window : windows)
        if (window.focused)
            return &window;
    return nullptr;
}

Expected<ShellWindowList> parseShellWindows(std::string_view json) {
    const auto document = nlohmann::json::parse(json, nullptr, false);
    if (document.is_discarded() || !document.is_object() || !document.contains("windows") ||
        !document["windows"].is_array())
        return Unexpected{std::string("the shell extension's window list is not readable")};
    ShellWindowList list;
    try {
        for (const auto& item : document["windows"]) {
            ShellWindow window;
            window.id = item.at("id").get<WindowID>();
            window.wmClass = item.value("wmClass", "");
            window.processID = item.value("pid", 0);
            window.title = item.value("title", "");
            window.focused = item.value("focused", false);
            window.minimized = item.value("minimized", false);
            window.isDialog = item.value("type", "") == "dialog";
            window.transientFor = item.value("transientFor", WindowID{0});
            const auto& frame = item.at("frame");
            window.frame = {frame.at("x").get<double>(), frame.at("y").get<double>(),
                            frame.at("width").get<double>(), frame.at("height").get<double>()};
            list.windows.push_back(std::move(window));
        }
        if (document.contains("screen")) {
            const auto& screen = document["screen"];
            list.screen =
                Rect{0, 0, screen.at("width").get<double>(), screen.at("height").get<double>()};
        }
    } catch (const nlohmann::json::exception& error) {
        return Unexpected{"the shell extension's window list is not readable (" +
                          std::string(error.what()) + ")"};
    }
    return list;
}

} // namespace keyferry::wayland
