#include "platform/common/ApplicationNames.h"

#include "model/FileIO.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

namespace keyferry {

namespace {

constexpr std::uint64_t maxEntryBytes = 1 << 20;

std::string lowercase(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::filesystem::path> applicationFolders() {
    std::vector<std::filesystem::path> folders;
    const char* home = std::getenv("XDG_DATA_HOME");
    if (home && *home == '/')
        folders.emplace_back(std::filesystem::path(home) / "applications");
    else if (const char* user = std::getenv("HOME"))
        folders.emplace_back(std::filesystem::path(user) / ".local/share/applications");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    for (std::string dir; std::getline(list, dir, ':');)
        if (!dir.empty())
            folders.emplace_back(std::filesystem::path(dir) / "applications");
    return folders;
}

} // namespace

std::string applicationName(const std::string& applicationID) {
    const std::string wanted = lowercase(applicationID);
    for (const auto& folder : applicationFolders()) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (entry.path().extension() != ".desktop")
                continue;
            // Bounded: a .desktop entry is a few kilobytes; a pipe or device there is skipped.
            const auto text = readRegularFile(entry.path(), maxEntryBytes);
            if (!text)
                continue;
            std::istringstream file(*text);
            std::string line, name, wmClass;
            bool inMainGroup = false;
            while (std::getline(file, line)) {
                if (line.starts_with('['))
                    inMainGroup = line == "[Desktop Entry]";
                else if (inMainGroup && line.starts_with("Name=") && name.empty())
                    name = line.substr(5);
                else if (inMainGroup && line.starts_with("StartupWMClass="))
                    wmClass = line.substr(15);
            }
            const bool matches =
                lowercase(wmClass) == wanted || lowercase(entry.path().stem().string()) == wanted;
            if (matches && !name.empty())
                return name;
        }
    }
    return applicationID;
}

} // namespace keyferry
