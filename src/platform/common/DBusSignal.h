#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <functional>

namespace keyferry {

/// Receives one D-Bus signal while this object lives, on the thread's event loop. The
/// callback must not end this object; end it later (after the callback has returned).
class DBusSignal final : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(const QDBusMessage&)>;
    /// An empty `service` takes the signal from any sender.
    DBusSignal(QDBusConnection connection, QString service, QString path, QString interface,
               QString name, Callback callback);
    ~DBusSignal() override;
    DBusSignal(const DBusSignal&) = delete;
    DBusSignal& operator=(const DBusSignal&) = delete;

    /// Whether the bus accepted the subscription.
    bool isConnected() const { return connected_; }

private Q_SLOTS:
    void deliver(const QDBusMessage& message);

private:
    QDBusConnection connection_;
    QString service_, path_, interface_, name_;
    Callback callback_;
    bool connected_ = false;
};

} // namespace keyferry
