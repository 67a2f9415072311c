#include "platform/common/AccessibilityBus.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>

namespace keyferry {

namespace {

QDBusInterface busProperties() {
    return QDBusInterface(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                          QStringLiteral("org.freedesktop.DBus.Properties"),
                          QDBusConnection::sessionBus());
}

} // namespace

std::optional<bool> accessibilityEnabled() {
    QDBusInterface bus = busProperties();
    if (!bus.isValid())
        return std::nullopt;
    const QDBusReply<QDBusVariant> reply = bus.call(
        QStringLiteral("Get"), QStringLiteral("org.a11y.Status"), QStringLiteral("IsEnabled"));
    if (!reply.isValid())
        return std::nullopt;
    return reply.value().variant().toBool();
}

bool enableAccessibility() {
    QDBusInterface bus = busProperties();
    if (!bus.isValid())
        return false;
    const QDBusMessage reply =
        bus.call(QStringLiteral("Set"), QStringLiteral("org.a11y.Status"),
                 QStringLiteral("IsEnabled"), QVariant::fromValue(QDBusVariant(true)));
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace keyferry
