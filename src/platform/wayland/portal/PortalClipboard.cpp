#include "platform/wayland/portal/PortalClipboard.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

#include "platform/common/DBusSignal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace keyferry::wayland {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString clipboardInterface = QStringLiteral("org.freedesktop.portal.Clipboard");

constexpr int callTimeoutMs = 5000;
// An owner that has not answered within this has nothing Keyferry could put back.
constexpr int transferTimeoutMs = 1000;
// Kept for putting back: a picture of a few screens fits, a video copied from a file
// manager does not, and is then left out rather than held in memory.
constexpr std::size_t maxKeptBytes = 64 << 20;
constexpr std::size_t maxKeptTypes = 32;
// The portal names the clipboard's owner within this of the session's start (31 ms measured
// on GNOME 48); without news by then, nobody owns it.
constexpr std::chrono::milliseconds ownerNewsPatience{500};
// GNOME's clipboard keeper fetches a copy of each offer, 11 to 22 ms after it (measured on
// GNOME 48): the paste key waits for that fetch, at most this long.
constexpr std::chrono::milliseconds desktopCopyPatience{250};

// The names text goes by between Wayland and X11 applications.
const std::vector<std::string> textTypes = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING",
                                            "STRING", "TEXT"};

/// What is left of `patience` since `since`; nothing once it has passed.
std::optional<std::chrono::milliseconds> leftOf(std::chrono::milliseconds patience,
                                                std::chrono::steady_clock::time_point since) {
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - since);
    if (waited >= patience)
        return std::nullopt;
    return patience - waited;
}

/// A descriptor of a reply, owned by the caller; -1 when there is none.
int descriptorOf(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    const auto fd = reply.arguments().first().value<QDBusUnixFileDescriptor>();
    return fd.isValid() ? ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
}

/// Waits for `fd` to be ready for `events` within what is left of `deadlineMs`.
bool ready(int fd, short events, int timeoutMs) {
    pollfd wanted{fd, events, 0};
    int result = 0;
    do
        result = ::poll(&wanted, 1, timeoutMs);
    while (result < 0 && errno == EINTR);
    return result > 0;
}

/// Everything the other end writes until it closes, up to `limit` bytes; nothing when it did
/// not finish in time or wrote more.
std::optional<std::string> readToEnd(int fd, std::size_t limit) {
    std::string bytes;
    char buffer[65536];
    while (ready(fd, POLLIN, transferTimeoutMs)) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        if (bytes.size() + static_cast<std::size_t>(got) > limit)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return std::nullopt;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        if (!ready(fd, POLLOUT, transferTimeoutMs))
            return false;
        const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        written += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace

bool PortalClipboard::offered(QDBusConnection& bus) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << clipboardInterface << QStringLiteral("version");
    return bus.call(get, QDBus::Block, callTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

PortalClipboard::PortalClipboard(QDBusConnection bus, QString session)
    : bus_(std::move(bus)), session_(std::move(session)) {
    ownerChanged_ = std::make_unique<DBusSignal>(
        bus_, portalService, portalPath, clipboardInterface,
        QStringLiteral("SelectionOwnerChanged"),
        [this](const QDBusMessage& message) { ownerChanged(message); });
    transfer_ = std::make_unique<DBusSignal>(
        bus_, portalService, portalPath, clipboardInterface, QStringLiteral("SelectionTransfer"),
        [this](const QDBusMessage& message) { transfer(message); });
}

PortalClipboard::~PortalClipboard() = default;

QDBusMessage PortalClipboard::call(const char* method, QList<QVariant> arguments, int timeoutMs) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(portalService, portalPath, clipboardInterface, method);
    arguments.prepend(QVariant::fromValue(QDBusObjectPath(session_)));
    message.setArguments(arguments);
    return bus_.call(message, QDBus::Block, timeoutMs);
}

std::optional<std::string> PortalClipboard::request() {
    const QDBusMessage reply = call("RequestClipboard", {QVariantMap()}, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return "the desktop portal refused the clipboard: " + reply.errorMessage().toStdString();
    return std::nullopt;
}

namespace {

bool isSession(const QDBusMessage& message, const QString& session) {
    return !message.arguments().isEmpty() &&
           message.arguments().first().value<QDBusObjectPath>().path() == session;
}

/// The types an owner offers. An array inside a vardict arrives as a D-Bus argument still to
/// be read; GNOME 48 sends it wrapped in a structure, "(as)", where the portal documents "as".
std::vector<std::string> mimeTypesOf(const QVariant& listed) {
    QStringList names;
    if (listed.canConvert<QDBusArgument>()) {
        const auto argument = listed.value<QDBusArgument>();
        if (argument.currentSignature() == QLatin1String("(as)")) {
            argument.beginStructure();
            argument >> names;
            argument.endStructure();
        } else if (argument.currentSignature() == QLatin1String("as")) {
            argument >> names;
        }
    } else {
        names = listed.toStringList();
    }
    std::vector<std::string> types;
    for (const QString& type : names)
        types.push_back(type.toStdString());
    return types;
}

} // namespace

void PortalClipboard::ownerChanged(const QDBusMessage& message) {
    if (!isSession(message, session_) || message.arguments().size() < 2)
        return;
    const auto options = qdbus_cast<QVariantMap>(message.arguments().at(1));
    ownerTypes_ = mimeTypesOf(options.value(QStringLiteral("mime_types")));
    sessionOwns_ = options.value(QStringLiteral("session_is_owner")).toBool();
    // Somebody copied something since Keyferry last put the user's back: that is the user's
    // clipboard now, kept anew before the next offer.
    if (!sessionOwns_)
        users_.reset();
}

PortalClipboard::Clipboard PortalClipboard::readAll() {
    Clipboard content;
    // The portal names the owner when the session starts: without that news nobody owns the
    // clipboard, and asking to read it then ends GNOME 48's portal backend, and the session.
    if (!ownerTypes_)
        return content;
    std::size_t kept = 0;
    for (const std::string& type : *ownerTypes_) {
        if (content.size() == maxKeptTypes)
            break;
        const int fd =
            descriptorOf(call("SelectionRead", {QString::fromStdString(type)}, callTimeoutMs));
        if (fd < 0)
            continue;
        auto bytes = readToEnd(fd, maxKeptBytes - kept);
        ::close(fd);
        if (!bytes)
            continue;
        kept += bytes->size();
        content.emplace(type, std::move(*bytes));
    }
    return content;
}

bool PortalClipboard::own(const Clipboard& content) {
    serving_ = content;
    QStringList types;
    for (const auto& entry : content)
        types << QString::fromStdString(entry.first);
    QVariantMap options;
    options.insert(QStringLiteral("mime_types"), types);
    return call("SetSelection", {options}, callTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::optional<std::string> PortalClipboard::offer(const std::string& text) {
    if (!enabled_)
        return "the desktop did not give Keyferry the clipboard";
    if (!users_ && !sessionOwns_)
        users_ = readAll();
    Clipboard content;
    for (const std::string& type : textTypes)
        content.emplace(type, text);
    if (!own(content))
        return "the desktop portal did not take the text to paste";
    transfersAtOffer_ = transfers_;
    offeredAt_ = std::chrono::steady_clock::now();
    return std::nullopt;
}

std::optional<std::chrono::milliseconds> PortalClipboard::ownerNewsDue() const {
    if (!enabled_ || ownerTypes_ || users_)
        return std::nullopt;
    return leftOf(ownerNewsPatience, startedAt_);
}

std::optional<std::chrono::milliseconds> PortalClipboard::desktopCopyDue() const {
    if (transfers_ > transfersAtOffer_)
        return std::nullopt;
    return leftOf(desktopCopyPatience, offeredAt_);
}

void PortalClipboard::putBack() {
    if (users_ && serving_ != *users_)
        (void)own(*users_); // an empty clipboard is offered as one with nothing in it
}

void PortalClipboard::transfer(const QDBusMessage& message) {
    if (!isSession(message, session_) || message.arguments().size() < 3)
        return;
    const std::string type = message.arguments().at(1).toString().toStdString();
    const unsigned serial = message.arguments().at(2).toUInt();
    const auto found = serving_.find(type);
    bool written = false;
    if (const int fd = descriptorOf(call("SelectionWrite", {serial}, callTimeoutMs)); fd >= 0) {
        written = found != serving_.end() && writeAll(fd, found->second);
        ::close(fd); // the reader's end of the text
    }
    call("SelectionWriteDone", {serial, written}, callTimeoutMs);
    ++transfers_;
}

} // namespace keyferry::wayland
