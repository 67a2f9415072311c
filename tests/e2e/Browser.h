#pragma once

#include "Desktop.h"

#include <filesystem>
#include <memory>
#include <string>

namespace keyferry::testing {

/// The size of a browser window, in pixels.
struct WindowSize {
    int width = 900;
    int height = 700;
};

/// A browser window ("chromium" or "firefox") on one page, with a profile of its own under
/// `folder`, where it also logs to BROWSER.log.
std::unique_ptr<Process> openBrowser(const std::string& browser,
                                     const std::filesystem::path& folder, const std::string& url,
                                     WindowSize size = {});

} // namespace keyferry::testing
