#include "Browser.h"

#include "TrustDesktop.h"

#include <unistd.h>
#include <vector>

namespace keyferry::testing {

std::unique_ptr<Process> openBrowser(const std::string& browser,
                                     const std::filesystem::path& folder, const std::string& url,
                                     WindowSize size) {
    const std::string width = std::to_string(size.width);
    const std::string height = std::to_string(size.height);
    std::vector<std::string> command;
    if (browser == "chromium") {
        // Chromium shows web pages to assistive technologies only when asked to.
        command = {"/usr/bin/chromium",
                   "--user-data-dir=" + (folder / "chromium").string(),
                   "--force-renderer-accessibility",
                   "--no-first-run",
                   "--no-default-browser-check",
                   "--disable-background-networking",
                   "--disable-component-update",
                   "--disable-sync",
                   "--disable-gpu",
                   "--password-store=basic",
                   "--ozone-platform=x11",
                   "--disable-features=Translate,AutofillServerCommunication",
                   "--window-position=40,40",
                   "--window-size=" + width + "," + height,
                   "--app=" + url};
        if (::geteuid() == 0)
            command.insert(command.begin() + 1, "--no-sandbox"); // refuses to start as root
    } else {
        const auto profile = folder / "firefox";
        std::filesystem::create_directories(profile);
        // No first-run pages: they open tabs that load from the network this machine lacks.
        writeText(profile / "user.js",
                  "user_pref(\"datareporting.policy.firstRunURL\", \"\");\n"
                  "user_pref(\"datareporting.policy.dataSubmissionEnabled\", false);\n"
                  "user_pref(\"toolkit.telemetry.reportingpolicy.firstRun\", false);\n"
                  "user_pref(\"browser.aboutwelcome.enabled\", false);\n"
                  "user_pref(\"startup.homepage_welcome_url\", \"\");\n"
                  "user_pref(\"browser.startup.homepage_override.mstone\", \"ignore\");\n"
                  "user_pref(\"browser.shell.checkDefaultBrowser\", false);\n"
                  "user_pref(\"app.update.enabled\", false);\n");
        command = {"firefox-esr", "--no-remote", "--profile", profile.string(), "--width",
                   width,         "--height",    height,      "--new-window",   url};
    }
    std::string line = "exec";
    for (const auto& part : command)
        line += " " + shellQuote(part);
    return std::make_unique<Process>(std::vector<std::string>{
        "sh", "-c", line + " >" + shellQuote((folder / (browser + ".log")).string()) + " 2>&1"});
}

} // namespace keyferry::testing
