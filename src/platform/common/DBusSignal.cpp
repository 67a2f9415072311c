#include "platform/common/DBusSignal.h"

namespace keyferry {

DBusSignal::DBusSignal(QDBusConnection connection, QString service, QString path, QString interface,
                       QString name, Callback callback)
    : connection_(std::move(connection)), service_(std::move(service)), path_(std::move(path)),
      interface_(std::move(interface)), name_(std::move(name)), callback_(std::move(callback)) {
    connected_ =
        connection_.connect(service_, path_, interface_, name_, this, SLOT(deliver(QDBusMessage)));
}

DBusSignal::~DBusSignal() {
    if (connected_)
        connection_.disconnect(service_, path_, interface_, name_, this,
                               SLOT(deliver(QDBusMessage)));
}

void DBusSignal::deliver(const QDBusMessage& message) {
    callback_(message);
}

} // namespace keyferry
