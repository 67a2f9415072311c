#include "platform/wayland/gnome/GnomeShell.h"

#include <QDBusMessage>

namespace keyferry::wayland {

const QString GnomeShell::service = QStringLiteral("org.keyferry.Shell");
const QString GnomeShell::path = QStringLiteral("/org/keyferry/Shell");
const QString GnomeShell::interface = QStringLiteral("org.keyferry.Shell1");

namespace {

constexpr int callTimeoutMs = 2000;

QDBusMessage call(const QDBusConnection& bus, const QString& method, QList<QVariant> arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(GnomeShell::service, GnomeShell::path,
                                                          GnomeShell::interface, method);
    message.setArguments(std::move(arguments));
    return QDBusConnection(bus).call(message, QDBus::Block, callTimeoutMs);
}

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

} // namespace

Expected<GnomeShell> GnomeShell::connect() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Unexpected{std::string("no session bus")};
    GnomeShell shell(bus);
    const QDBusMessage reply = call(bus, QStringLiteral("Windows"), {});
    if (!answered(reply))
        return Unexpected{"it does not answer on the session bus: " +
                          reply.errorMessage().toStdString()};
    return shell;
}

Expected<ShellWindowList> GnomeShell::windows() const {
    const QDBusMessage reply = call(bus_, QStringLiteral("Windows"), {});
    if (!answered(reply))
        return Unexpected{"the shell extension did not answer: " +
                          reply.errorMessage().toStdString()};
    return parseShellWindows(reply.arguments().first().toString().toStdString());
}

bool GnomeShell::activate(WindowID window) const {
    const QDBusMessage reply =
        call(bus_, QStringLiteral("Activate"), {QVariant::fromValue<qulonglong>(window)});
    return answered(reply) && reply.arguments().first().toBool();
}

std::optional<Point> GnomeShell::pointerPosition() const {
    const QDBusMessage reply = call(bus_, QStringLiteral("PointerPosition"), {});
    if (!answered(reply) || reply.arguments().size() < 2)
        return std::nullopt;
    return Point{static_cast<double>(reply.arguments().at(0).toInt()),
                 static_cast<double>(reply.arguments().at(1).toInt())};
}

Expected<std::uint32_t> GnomeShell::grab(const std::string& accelerator) const {
    const QDBusMessage reply =
        call(bus_, QStringLiteral("Grab"), {QString::fromStdString(accelerator)});
    if (!answered(reply))
        return Unexpected{reply.errorMessage().toStdString()};
    return reply.arguments().first().toUInt();
}

void GnomeShell::ungrab(std::uint32_t action) const {
    call(bus_, QStringLiteral("Ungrab"), {QVariant::fromValue(action)});
}

} // namespace keyferry::wayland
