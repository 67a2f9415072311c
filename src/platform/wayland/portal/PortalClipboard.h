#pragma once

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry {
class DBusSignal;
} // namespace keyferry

namespace keyferry::wayland {

/// The desktop portal's clipboard, joined to a remote desktop session (GNOME 45 on): Keyferry
/// offers a text for the target to paste, and afterwards puts back what the user had there.
///
/// What the user had is read from its owner before Keyferry's first offer, and read again
/// only once somebody else has taken the clipboard since. Put back, it is served by this
/// session while it lasts; the desktop keeps a copy of text once its owner has gone.
class PortalClipboard {
public:
    using Clipboard = std::map<std::string, std::string>; ///< bytes by MIME type

    /// Whether the portal has a clipboard to join sessions to.
    static bool offered(QDBusConnection& bus);
    /// Listens for the session's clipboard requests from here on.
    PortalClipboard(QDBusConnection bus, QString session);
    ~PortalClipboard();
    PortalClipboard(const PortalClipboard&) = delete;
    PortalClipboard& operator=(const PortalClipboard&) = delete;

    /// Asks for the clipboard with the session; before it starts. Why not, if refused.
    std::optional<std::string> request();
    /// The session started, with the clipboard (the user may not have allowed it).
    void started(bool enabled) {
        enabled_ = enabled;
        startedAt_ = std::chrono::steady_clock::now();
    }
    bool enabled() const { return enabled_; }
    /// How long to wait before the first offer for the portal to say who owns the clipboard
    /// (what the user had is read from that owner); nothing when there is no need to.
    std::optional<std::chrono::milliseconds> ownerNewsDue() const;

    /// Keeps what the clipboard holds, unless it is Keyferry's own or kept already; then
    /// offers `text` in its place. Why not, if it could not be offered.
    std::optional<std::string> offer(const std::string& text);
    /// How long the paste key should still wait for the desktop's own copy of the last offer
    /// (GNOME keeps one): fetched before the key, it is not taken for the target's fetch.
    /// Nothing once it came, or after a patience for desktops that keep none.
    std::optional<std::chrono::milliseconds> desktopCopyDue() const;
    /// The paste key is about to go: fetches from here on are the target's.
    void pasting() { transfersAtPaste_ = transfers_; }
    /// Whether the text offered was fetched since the paste key went.
    bool taken() const { return transfers_ > transfersAtPaste_; }
    /// Offers again what the user had before Keyferry's first offer.
    void putBack();

private:
    void ownerChanged(const QDBusMessage& message);
    void transfer(const QDBusMessage& message);
    /// Calls a method of the portal's clipboard with the session as the first argument.
    QDBusMessage call(const char* method, QList<QVariant> arguments, int timeoutMs);
    /// What the clipboard holds now, MIME type by MIME type, as far as it could be read.
    Clipboard readAll();
    bool own(const Clipboard& content);

    QDBusConnection bus_;
    QString session_;
    std::unique_ptr<DBusSignal> ownerChanged_;
    std::unique_ptr<DBusSignal> transfer_;
    bool enabled_ = false;
    std::chrono::steady_clock::time_point startedAt_;
    /// The types the clipboard's owner offers, as the portal last told; nothing before it has.
    std::optional<std::vector<std::string>> ownerTypes_;
    bool sessionOwns_ = false;
    std::optional<Clipboard> users_; ///< what the user had; nothing until kept
    Clipboard serving_;              ///< what this session offers now
    unsigned transfers_ = 0;
    unsigned transfersAtOffer_ = 0;
    std::chrono::steady_clock::time_point offeredAt_;
    unsigned transfersAtPaste_ = 0;
};

} // namespace keyferry::wayland
