#pragma once

#include "platform/x11/InputJournal.h"
#include "platform/x11/KeymapJournalFile.h"
#include "platform/x11/guardian/GuardianState.h"

#include <X11/Xlib.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace keyferry::x11 {

/// The journal of a run that a guardian watches: a small separate process (keyferry-guardian)
/// that learns every press and binding before it reaches the X server, and gives the keyboard
/// back — releases what is held, restores what is bound — when this process ends without
/// doing so (killed, crashed). The guardian starts with the first commit that has something
/// to deliver. Bound keycodes are also kept in a journal file under $XDG_RUNTIME_DIR/Keyferry
/// for a later start to restore should the guardian die too (restoreLeftoverKeymaps).
class GuardianJournal final : public InputJournal {
public:
    /// Watches what is synthesised through `display`. Construct it before anything is sent
    /// through that connection (it syncs it once) and destroy it before the connection is
    /// closed. It marks the connection with one unmapped window, so that the guardian can
    /// close the connection of a killed run before it undoes anything.
    explicit GuardianJournal(Display* display);
    /// Without a connection to mark: the guardian opens `displayName` and undoes as soon as
    /// this process ends, even if requests the run sent last are still on their way.
    explicit GuardianJournal(std::string displayName);
    GuardianJournal(const GuardianJournal&) = delete;
    GuardianJournal& operator=(const GuardianJournal&) = delete;
    /// Tells the guardian the run has ended; it undoes what is still noted (nothing, after a
    /// clean end) and exits, waited for up to 2 s.
    ~GuardianJournal() override;

    void pressing(KeyCode keycode) override;
    void released(KeyCode keycode) override;
    void pressingButton(unsigned int button) override;
    void releasedButton(unsigned int button) override;
    void binding(KeyCode keycode, std::vector<KeySym> original, std::vector<KeySym> bound) override;
    void restored(KeyCode keycode) override;
    /// One write to the guardian when something was noted, nothing otherwise (and the journal
    /// file rewritten when the bound keycodes changed). Starts the guardian the first time,
    /// and again if it has gone, telling the new one the whole state.
    bool commit() override;
    /// Starts the guardian when none runs or the one that ran has gone (its channel closed),
    /// telling it the whole state.
    bool ready() override;

    /// Why the last commit failed, as a phrase for a message: "the keyboard guardian could
    /// not start (it cannot open display :1)". Empty after a commit that succeeded.
    const std::string& failure() const override { return failure_; }
    /// The guardian process; -1 while none runs.
    pid_t guardianProcess() const { return guardian_; }
    /// The journal file of bound keycodes; nothing without XDG_RUNTIME_DIR.
    std::optional<std::filesystem::path> journalFile() const;

    /// keyferry-guardian: $KEYFERRY_GUARDIAN when set (and only there), else beside the
    /// running program, else where it is installed relative to it, else where this build put
    /// it, else where it was to be installed.
    static std::optional<std::filesystem::path> locateGuardian();

private:
    bool start();
    bool startFailed(std::string why);
    void stop();
    bool send(std::string_view bytes);
    void waitForGuardian();

    Display* display_ = nullptr;
    Window watch_ = None;
    std::string token_;
    std::string displayName_;
    std::optional<KeymapJournalFile> file_;
    GuardianState state_;
    std::string unsent_;
    bool bindingsChanged_ = false;
    int socket_ = -1;
    pid_t guardian_ = -1;
    std::string failure_;
};

} // namespace keyferry::x11
