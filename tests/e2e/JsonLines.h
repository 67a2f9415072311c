#pragma once

#include "Desktop.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

// The JSON-lines logs the test applications (gtk_form.py, click_grid.py) write of what they
// received, one object with a "kind" per line.

namespace keyferry::testing {

/// Records of a JSON-lines log of `kind`.
inline std::vector<nlohmann::json> recordsOf(const std::filesystem::path& log,
                                             const std::string& kind) {
    std::vector<nlohmann::json> records;
    std::istringstream lines(readText(log));
    for (std::string line; std::getline(lines, line);) {
        auto record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_object() && record.value("kind", "") == kind)
            records.push_back(std::move(record));
    }
    return records;
}

/// Waits until the log holds `count` records of `kind`.
inline bool waitForRecord(const std::filesystem::path& log, const std::string& kind,
                          std::size_t count = 1,
                          std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    return spinUntil([&] { return recordsOf(log, kind).size() >= count; }, timeout);
}

} // namespace keyferry::testing
