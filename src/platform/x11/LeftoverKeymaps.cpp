#include "platform/x11/LeftoverKeymaps.h"

#include "platform/x11/KeymapJournalFile.h"

#include <unistd.h>

namespace keyferry::x11 {

namespace {

std::string listed(const std::vector<KeyCode>& keycodes) {
    std::string text;
    for (KeyCode keycode : keycodes)
        text += (text.empty() ? "" : ", ") + std::to_string(keycode);
    return text;
}

} // namespace

std::string LeftoverKeymaps::summary() const {
    std::string text;
    if (!restored.empty())
        text = "Restored keycode(s) " + listed(restored) +
               " that an earlier Keyferry left bound to other characters.";
    if (!changedSince.empty())
        text += std::string(text.empty() ? "" : " ") + "Keycode(s) " + listed(changedSince) +
                " that an earlier Keyferry left bound were changed by another program since "
                "and were left as they are.";
    return text;
}

LeftoverKeymaps restoreLeftoverKeymaps(Display* display, std::string_view displayName) {
    const auto folder = KeymapJournalFile::folder();
    if (!folder)
        return {};
    return restoreLeftoverKeymaps(display, displayName, *folder);
}

LeftoverKeymaps restoreLeftoverKeymaps(Display* display, std::string_view displayName,
                                       const std::filesystem::path& folder) {
    LeftoverKeymaps result;
    for (const auto& leftover : KeymapJournalFile::leftovers(folder, displayName)) {
        if (leftover.contents) {
            for (const BorrowedKeycode& borrowed : leftover.contents->borrowed) {
                const auto outcome = borrowed.restoreIn(display);
                if (outcome == BorrowedKeycode::Restore::restored)
                    result.restored.push_back(borrowed.keycode);
                else if (outcome == BorrowedKeycode::Restore::changedSince)
                    result.changedSince.push_back(borrowed.keycode);
            }
            XSync(display, False);
        }
        // Once restored, or unreadable, the file has nothing more to give.
        ::unlink(leftover.path.c_str());
        ++result.journals;
    }
    return result;
}

} // namespace keyferry::x11
