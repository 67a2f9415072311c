#include "KWinSession.h"

#include "Desktop.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

namespace keyferry::testing {

namespace {

std::string kwinLog() {
    const char* log = std::getenv("KEYFERRY_KWIN_LOG");
    return log ? log : "";
}

std::string scripting(const std::string& method, const std::string& arguments) {
    return shell("gdbus call --session --dest org.kde.KWin --object-path /Scripting --method "
                 "org.kde.kwin.Scripting." +
                 method + " " + arguments + " 2>&1");
}

} // namespace

std::string shellWord(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::optional<std::vector<std::string>> runKWinScript(const std::string& body) {
    static int scripts = 0;
    const std::string name =
        "keyferry-test-" + std::to_string(::getpid()) + "-" + std::to_string(scripts++);
    const std::string marker = "KFTEST " + name + " ";
    const std::filesystem::path file = std::filesystem::temp_directory_path() / (name + ".js");
    {
        std::ofstream out(file);
        // KWin 6 renamed the window list and the active window; the tests' scripts use the
        // new names, which stand for the old ones on KWin 5.
        out << "function report(value) { print(\"" << marker << "\" + JSON.stringify(value)); }\n"
            << "var kwin6 = typeof workspace.windowList === \"function\";\n"
            << "function windowList() { return kwin6 ? workspace.windowList() : "
               "workspace.clientList(); }\n"
            << "function activate(w) { if (kwin6) workspace.activeWindow = w; else "
               "workspace.activeClient = w; }\n"
            << body << "\nprint(\"" << marker << "end\");\n";
    }
    std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    std::smatch number;
    const std::string loaded = scripting("loadScript", shellWord(file.string()) + " " + name);
    std::optional<std::vector<std::string>> values;
    if (std::regex_search(loaded, number, std::regex(R"(\((\d+),\))"))) {
        // KWin 5 names a loaded script's object by its number, KWin 6 puts it under /Scripting.
        for (const std::string& path :
             {"/" + number[1].str(), "/Scripting/Script" + number[1].str()})
            shell("gdbus call --session --dest org.kde.KWin --object-path " + path +
                  " --method org.kde.kwin.Script.run >/dev/null 2>&1");
        const auto lines = [&] {
            std::vector<std::string> found;
            std::istringstream log(readText(kwinLog()));
            for (std::string line; std::getline(log, line);)
                if (const auto at = line.find(marker); at != std::string::npos)
                    found.push_back(line.substr(at + marker.size()));
            return found;
        };
        if (spinUntil([&] { return !lines().empty() && lines().back() == "end"; })) {
            values = lines();
            values->pop_back();
        }
    }
    scripting("unloadScript", name);
    std::filesystem::remove(file);
    return values;
}

std::vector<KWinView> kwinViews() {
    const auto values = runKWinScript(R"(
var list = windowList();
for (var i = 0; i < list.length; ++i) {
    var w = list[i], g = w.frameGeometry, c = g;
    if (w.clientGeometry)
        c = w.clientGeometry;
    else if (w.clientPos && w.clientSize)
        c = {x: g.x + w.clientPos.x, y: g.y + w.clientPos.y,
             width: w.clientSize.width, height: w.clientSize.height};
    report({id: String(w.internalId), pid: w.pid, resourceClass: String(w.resourceClass),
            caption: String(w.caption), active: w.active, minimized: w.minimized,
            frame: [g.x, g.y, g.width, g.height], client: [c.x, c.y, c.width, c.height]});
})");
    std::vector<KWinView> views;
    if (!values)
        return views;
    for (const std::string& text : *values) {
        const auto value = nlohmann::json::parse(text, nullptr, false);
        if (!value.is_object())
            continue;
        KWinView view;
        view.id = value.value("id", "");
        view.pid = value.value("pid", 0);
        view.resourceClass = value.value("resourceClass", "");
        view.caption = value.value("caption", "");
        view.active = value.value("active", false);
        view.minimized = value.value("minimized", false);
        const auto& frame = value["frame"];
        view.x = frame[0].get<double>();
        view.y = frame[1].get<double>();
        view.width = frame[2].get<double>();
        view.height = frame[3].get<double>();
        const auto& client = value["client"];
        view.clientX = client[0].get<double>();
        view.clientY = client[1].get<double>();
        view.clientWidth = client[2].get<double>();
        view.clientHeight = client[3].get<double>();
        views.push_back(view);
    }
    return views;
}

std::optional<KWinView> waitForKWinViewOf(pid_t pid, std::chrono::milliseconds timeout) {
    std::optional<KWinView> found;
    spinUntil(
        [&] {
            for (const KWinView& view : kwinViews())
                if (view.pid == pid && view.width > 0)
                    found = view;
            return found.has_value();
        },
        timeout);
    return found;
}

bool waitForActiveKWinView(pid_t pid, std::chrono::milliseconds timeout) {
    return spinUntil(
        [&] {
            for (const KWinView& view : kwinViews())
                if (view.pid == pid && view.active)
                    return true;
            return false;
        },
        timeout);
}

bool activateInKWin(pid_t pid) {
    const auto values =
        runKWinScript("var list = windowList();\n"
                      "for (var i = 0; i < list.length; ++i)\n"
                      "    if (list[i].pid == " +
                      std::to_string(pid) + ") { activate(list[i]); report(true); }");
    return values && !values->empty();
}

bool kwinScriptLoaded(const std::string& name) {
    return scripting("isScriptLoaded", shellWord(name)).find("true") != std::string::npos;
}

} // namespace keyferry::testing
