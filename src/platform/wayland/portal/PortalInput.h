#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include "platform/wayland/DesktopParts.h"
#include "platform/wayland/XkbLayout.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace keyferry {
class DBusSignal;
} // namespace keyferry

namespace keyferry::wayland {

class WaylandConnection;
class EiSender;
class PortalClipboard;

/// Keys through the desktop portal's RemoteDesktop interface, the route GNOME and KDE Plasma
/// offer applications on Wayland.
///
/// One portal session per Keyferry process, asked for on the first need and kept while the
/// process lives, so that the user consents once per start (where the portal offers a restore
/// token, version 2 on, it is kept for the next start). Two routes, by what the portal offers:
/// - version 2 on (GNOME 45+, Plasma 6.1+), where Keyferry was built with libei: the portal
///   connects Keyferry to the desktop's EIS server, whose keyboard takes keycodes of the
///   keymap it sends and whose absolute pointer places clicks;
/// - else keysyms (NotifyKeyboardKeysym), which the desktop finds in the user's layout. Clicks
///   at a position would need a screen cast stream, which Keyferry does not ask for: no clicks.
/// KEYFERRY_PORTAL_INPUT=keysyms keeps to keysyms where libei is offered (to compare the
/// routes, or to work around a desktop whose EIS server misbehaves).
/// Either way only the layout's characters can be typed by keys. Where the portal has a
/// clipboard (GNOME 45 on), the others are pasted: offered on the clipboard, Ctrl+V (in a
/// terminal Ctrl+Shift+V), the keys after it held back until the application fetched the
/// text, and the user's clipboard put back once the text ends.
class PortalInput final : public InputSynthesis {
public:
    /// Nothing when no portal on the session bus offers remote keyboards; `why` then says so.
    static std::unique_ptr<PortalInput> probe(WaylandConnection& connection, std::string& why);
    PortalInput(const PortalInput&) = delete;
    PortalInput& operator=(const PortalInput&) = delete;
    /// Releases what is held and closes the session.
    ~PortalInput() override;

    /// Starts asking for a session on the first call; says whether it has been granted.
    InputAccess requestAccess();
    /// Whether the character can be typed: the user's layout has its keysym, or it can be
    /// pasted.
    bool canType(std::string_view character);
    /// Whether characters the layout lacks are pasted (before the session: whether the
    /// portal has a clipboard to ask for).
    bool pastes() const;
    /// Says whether the focused element is a terminal, whose paste key is Ctrl+Shift+V.
    void setTerminalCheck(std::function<bool()> focusIsTerminal) {
        focusIsTerminal_ = std::move(focusIsTerminal);
    }

    Posted postKey(Key key, Modifiers modifiers, bool down) override;
    Posted postCharacter(std::string_view character) override;
    Expected<Duration> prepareText(std::string_view text) override;
    bool isPrepared(std::string_view character) override;
    Expected<Duration> prepareKey(Key, Modifiers) override;
    void endText() override;
    Posted postMouseButton(MouseButton button, Point position, bool down,
                           std::optional<Rect> layout) override;
    std::optional<Point> pointerLocation() override { return std::nullopt; }
    void releaseAll() override;
    std::optional<std::string> keyboardUnavailable() const override { return std::nullopt; }
    std::optional<std::string> pointerUnavailable() const override;

    /// The interface version the portal offers (1 on Debian 12's portal 1.16).
    unsigned version() const { return version_; }
    /// How keys and clicks travel, for the user: libei or keysyms.
    std::string route() const;

private:
    enum class Stage { idle, creating, selecting, starting, ready };
    using Clock = std::chrono::steady_clock;
    /// Characters the layout lacks, at the point the text has reached, on the clipboard.
    struct Paste {
        std::vector<std::string> characters;
        std::size_t next = 0;                     ///< the next of them the text reaches
        std::optional<Clock::time_point> pasted;  ///< when the paste key went
        std::optional<Clock::time_point> fetched; ///< when the application was seen fetching
    };
    enum class PasteWait { none, awaited };
    using Answer = std::function<void(unsigned response, const QVariantMap& results)>;

    PortalInput(WaylandConnection& connection, unsigned version);
    /// Calls a portal method that answers later on a Request object with Response. Why the
    /// portal refused the call itself, if it did.
    std::optional<std::string> request(const QString& method, QList<QVariant> arguments,
                                       QVariantMap options, Answer answer);
    void created(unsigned response, const QVariantMap& results);
    /// Asks for the devices, presenting the permission kept from before where there is one
    /// and `presentToken`.
    void selectDevices(bool presentToken);
    void selected(unsigned response, const QVariantMap& results);
    void started(unsigned response, const QVariantMap& results);
    void closeSession(QDBus::CallMode mode);
    void refuse(std::string why);
    void sessionClosed();
    bool keysym(Keysym keysym, bool down, std::string* error = nullptr);
    /// Whether the libei route is to be tried: the portal offers it and Keyferry has libei.
    bool offersEi() const;
    /// Asks the portal for the EIS connection of the started session; on failure the keysym
    /// route stays and eiProblem_ says why.
    void connectEi();
    /// Types a character by the key and level the EIS server's keymap has it on.
    Posted typeByKeycode(Keysym symbol);
    std::optional<XkbLayout>& layout();
    bool typableByKeys(std::string_view character);
    Posted pressPasteKey();
    /// Whether keys must wait for a paste the application has not fetched yet; one not
    /// fetched in time leaves pasteProblem_.
    PasteWait awaitPaste();
    void finishPaste();
    /// What a key or text must do first about a paste: wait a little more, or fail because
    /// the application never took it; nothing when it may go.
    std::optional<Expected<Duration>> waitForPaste();
    void putBackUsersClipboard();
    /// A short wait while the desktop's own copy of an offer has yet to be fetched; else 0.
    Duration desktopCopyWait() const;

    WaylandConnection& connection_;
    QDBusConnection bus_;
    unsigned version_ = 1;
    bool keysymsChosen_ = false; ///< the user chose the keysym route where libei is offered
    bool restoring_ = false;     ///< a restore token was presented for this session
    Stage stage_ = Stage::idle;
    std::optional<std::string> refusal_; ///< given once to requestAccess, then asked anew
    QString session_;
    std::unique_ptr<DBusSignal> pendingResponse_;
    std::vector<std::unique_ptr<DBusSignal>> answered_; ///< ended after their callback
    std::unique_ptr<DBusSignal> closed_;
    unsigned tokens_ = 0;
    std::optional<XkbLayout> layout_;
    std::uint64_t layoutChanges_ = 0;
    std::multiset<Keysym> held_;
    // Built without libei, no EiSender exists: its deletion is defined where libei is known.
    struct EiSenderDelete {
        void operator()(EiSender* sender) const;
    };
    std::unique_ptr<EiSender, EiSenderDelete> ei_;
    std::optional<std::string> eiProblem_;
    bool clipboardOffered_ = false; ///< the portal has a clipboard to ask for
    std::unique_ptr<PortalClipboard> clipboard_;
    std::optional<Paste> paste_;
    std::optional<std::string> pasteProblem_; ///< given once to the next preparation
    bool offeredInText_ = false;              ///< the clipboard changed for the text being typed
    bool putBackDue_ = false;                 ///< the text ended; waits for its paste's fetch
    std::function<bool()> focusIsTerminal_;
};

} // namespace keyferry::wayland
