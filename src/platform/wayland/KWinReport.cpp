#include "platform/wayland/KWinReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace keyferry::wayland {

namespace {

using nlohmann::json;

std::optional<Rect> box(const json& value) {
    if (!value.is_array() || value.size() != 4)
        return std::nullopt;
    if (!std::ranges::all_of(value, [](const json& number) { return number.is_number(); }))
        return std::nullopt;
    return Rect{value[0].get<double>(), value[1].get<double>(), value[2].get<double>(),
                value[3].get<double>()};
}

std::string text(const json& object, const char* key) {
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

bool flag(const json& object, const char* key) {
    const auto found = object.find(key);
    return found != object.end() && found->is_boolean() && found->get<bool>();
}

Expected<KWinWindow> readWindow(const json& object) {
    if (!object.is_object())
        return Unexpected{std::string("a window that is not an object")};
    KWinWindow window;
    window.id = text(object, "id");
    if (window.id.empty())
        return Unexpected{std::string("a window without an id")};
    const auto frame = box(object.value("frame", json()));
    if (!frame)
        return Unexpected{"window " + window.id + " without a frame"};
    window.frame = *frame;
    window.client = box(object.value("client", json())).value_or(*frame);
    window.resourceClass = text(object, "resourceClass");
    window.caption = text(object, "caption");
    const json pid = object.value("pid", json());
    // KWin says -1 or 0 for a window whose process it does not know.
    if (pid.is_number_integer() && pid.get<std::int64_t>() > 0)
        window.processID = static_cast<int>(pid.get<std::int64_t>());
    window.active = flag(object, "active");
    window.normal = flag(object, "normal");
    window.minimized = flag(object, "minimized");
    window.skipTaskbar = flag(object, "skipTaskbar");
    window.popup = flag(object, "popup");
    if (const std::string parent = text(object, "transientFor"); !parent.empty())
        window.transientFor = parent;
    return window;
}

} // namespace

const KWinWindow* KWinReport::find(std::string_view id) const {
    const auto found = std::ranges::find(windows, id, &KWinWindow::id);
    return found == windows.end() ? nullptr : &*found;
}

const KWinWindow* KWinReport::active() const {
    const auto found = std::ranges::find_if(windows, &KWinWindow::active);
    return found == windows.end() ? nullptr : &*found;
}

Expected<KWinReport> parseKWinReport(std::string_view text) {
    const json document = json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_object())
        return Unexpected{std::string("the KWin script's report is not a JSON object")};
    KWinReport report;
    const json sequence = document.value("sequence", json());
    if (!sequence.is_number_unsigned())
        return Unexpected{std::string("the KWin script's report has no sequence number")};
    report.sequence = sequence.get<std::uint64_t>();
    const json windows = document.value("windows", json());
    if (!windows.is_array())
        return Unexpected{std::string("the KWin script's report has no window list")};
    for (const json& object : windows) {
        auto window = readWindow(object);
        if (!window)
            return Unexpected{"the KWin script's report has " + window.error()};
        report.windows.push_back(std::move(*window));
    }
    report.screen = box(document.value("screen", json()));
    if (const json activated = document.value("activated", json()); activated.is_boolean())
        report.activated = activated.get<bool>();
    return report;
}

} // namespace keyferry::wayland
