#include "Desktop.h"
#include "support/FolderBlocker.h"
#include "support/TemporaryFolder.h"

#include <nlohmann/json.hpp>
#include <sys/stat.h>

using namespace keyferry;
using namespace keyferry::testing;

// The application as the user starts it, with a data folder it cannot write: the template
// made stays in the list, marked, and the window says why, read the way a screen reader
// reads it. The reader presses "New template" itself.
TEST_F(DesktopTest, ApplicationSaysWhyASaveFailed) {
    const std::filesystem::path dataHome = temp.path() / "data";
    const std::filesystem::path folder = dataHome / "Keyferry";
    std::filesystem::create_directories(folder);
    // Read-only where that stops this process; as root, a file takes the folder's place.
    FolderBlocker blocker(folder, FolderBlocker::strongestWay(folder));
    ASSERT_TRUE(blocker.blocks());

    Process app({"env", "XDG_DATA_HOME=" + dataHome.string(), "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1",
                 KEYFERRY_BINARY});
    ASSERT_TRUE(waitForWindowOf(app));
    const std::string output =
        shell("/usr/bin/python3 " KEYFERRY_STORE_STATUS " 'New template' 20 2>/dev/null");
    const auto seen = nlohmann::json::parse(output, nullptr, false);
    ASSERT_TRUE(seen.is_object() && !seen.contains("error")) << output;

    ASSERT_TRUE(seen["saveProblem"].is_string()) << output;
    const std::string problem = seen["saveProblem"];
    EXPECT_TRUE(problem.starts_with("Not saved: ")) << problem;
    EXPECT_NE(problem.find(folder.string()), std::string::npos) << problem;
    EXPECT_NE(problem.find(blocker.reason()), std::string::npos) << problem;

    ASSERT_EQ(seen["dialogs"].size(), 1u) << output;
    const std::string dialog = seen["dialogs"][0];
    EXPECT_NE(dialog.find("The templates could not be saved."), std::string::npos) << dialog;
    EXPECT_NE(dialog.find(folder.string()), std::string::npos) << dialog;

    EXPECT_EQ(seen["templates"], nlohmann::json::array({"New Template, not saved"})) << output;
    EXPECT_FALSE(std::filesystem::exists(folder / "templates.json"));
}

// A templates file that cannot be read, a named pipe or a link to /dev/zero: the window comes
// up without waiting on it, says what is wrong where the user looks, and the file stays.
TEST_F(DesktopTest, AnUnreadableTemplatesFileIsAnnouncedInTheWindowAtOnce) {
    const struct {
        const char* name;
        void (*make)(const std::filesystem::path&);
        const char* said;
    } cases[] = {
        {"named pipe", [](const auto& file) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
         "named pipe"},
        {"link to /dev/zero",
         [](const auto& file) { std::filesystem::create_symlink("/dev/zero", file); },
         "character device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder home;
        const std::filesystem::path folder = home.path() / "Keyferry";
        std::filesystem::create_directories(folder);
        c.make(folder / "templates.json");
        Process app({"env", "XDG_DATA_HOME=" + home.path().string(),
                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1", KEYFERRY_BINARY});
        // Opening a pipe nobody writes to blocks for ever, so any finite wait tells a window
        // that waits on the file from one that does not; no tighter clock, since a sanitized
        // build starts slowly on a busy machine.
        ASSERT_TRUE(waitForWindowOf(app)) << "no window: the start waits on the file";
        const std::string output =
            shell("/usr/bin/python3 " KEYFERRY_STORE_STATUS " - 20 2>/dev/null");
        const auto seen = nlohmann::json::parse(output, nullptr, false);
        ASSERT_TRUE(seen.is_object() && !seen.contains("error")) << output;
        ASSERT_TRUE(seen["loadProblem"].is_string()) << output;
        const std::string problem = seen["loadProblem"];
        EXPECT_NE(problem.find(c.said), std::string::npos) << problem;
        EXPECT_NE(problem.find((folder / "templates.json").string()), std::string::npos) << problem;
        EXPECT_EQ(seen["templates"], nlohmann::json::array()) << output;
        const auto status = std::filesystem::symlink_status(folder / "templates.json");
        EXPECT_TRUE(std::filesystem::is_fifo(status) || std::filesystem::is_symlink(status))
            << "the file was left as it was";
    }
}
