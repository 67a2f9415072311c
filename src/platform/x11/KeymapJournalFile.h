#pragma once

#include "platform/x11/guardian/BorrowedKeycode.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace keyferry::x11 {

/// The keycodes one Keyferry process has bound on one display, kept in
/// $XDG_RUNTIME_DIR/Keyferry/keymap-<pid>-<n>.journal so that a later start can put them back
/// if both the process and its guardian died without doing so. The file is replaced whole
/// (temporary file and rename) and removed when nothing is bound.
class KeymapJournalFile {
public:
    struct Contents {
        std::string display;
        std::vector<BorrowedKeycode> borrowed;
        bool operator==(const Contents&) const = default;
    };

    /// The file of journal `serial` of this process in `folder`.
    KeymapJournalFile(std::filesystem::path folder, unsigned int serial);

    const std::filesystem::path& path() const { return path_; }
    /// Where a new version is written before it replaces the file.
    std::filesystem::path temporaryPath() const { return path_.string() + ".tmp"; }
    /// Writes the borrowed keycodes, or removes the file when there are none; false when the
    /// file could not be written. Not flushed to disk: the file matters only as long as the
    /// X server runs, and a crash of the machine ends that too.
    bool update(const Contents& contents);
    void remove();

    /// $XDG_RUNTIME_DIR/Keyferry, created owner-only; nothing without XDG_RUNTIME_DIR.
    static std::optional<std::filesystem::path> folder();
    static std::string format(const Contents& contents);
    static std::optional<Contents> parse(std::string_view text);
    /// Whether two display names name the same server (":1", ":1.0" and "unix:1" do).
    static bool sameDisplay(std::string_view a, std::string_view b);
    /// The process that wrote a journal file or left a temporary one, from its name.
    static std::optional<pid_t> ownerOf(const std::filesystem::path& file);
    static bool processRunning(pid_t pid);

    struct Leftover {
        std::filesystem::path path;
        /// Nothing when the file cannot be read: it can only be removed.
        std::optional<Contents> contents;
    };
    /// Journal files in `folder` whose process has ended, of `display` (and unreadable ones,
    /// whose display is unknown). Files of running processes and of other displays are not
    /// listed; temporary files of ended processes are removed.
    static std::vector<Leftover>
    leftovers(const std::filesystem::path& folder, std::string_view display,
              const std::function<bool(pid_t)>& isRunning = processRunning);

private:
    std::filesystem::path path_;
};

} // namespace keyferry::x11
