#include "platform/wayland/KGlobalAccelStopHotkey.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>

#include "platform/wayland/ExitCleanup.h"

#include <unistd.h>

namespace keyferry::wayland {

namespace {

const QString service = QStringLiteral("org.kde.kglobalaccel");
const QString accelPath = QStringLiteral("/kglobalaccel");
const QString accelInterface = QStringLiteral("org.kde.KGlobalAccel");
const QString componentInterface = QStringLiteral("org.kde.kglobalaccel.Component");

// kglobalaccel names keys as Qt 5 does: modifiers and key code in one int.
constexpr int qtControl = 0x04000000;
constexpr int qtShift = 0x02000000;
constexpr int qtKeyEscape = 0x01000000;
constexpr int stopKey = qtControl | qtShift | qtKeyEscape;

// KGlobalAccel::SetShortcutFlag: the key given is the default and the current one (not one the
// user saved earlier), and the action is there while Keyferry is.
constexpr uint isDefault = 1;
constexpr uint setPresent = 2;
constexpr uint noAutoloading = 4;

QStringList actionID() {
    return {QString::fromLatin1(KGlobalAccelStopHotkey::component),
            QString::fromStdString(KGlobalAccelStopHotkey::actionName()),
            QStringLiteral("Keyferry"), QStringLiteral("Stop the run")};
}

QDBusMessage call(const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(service, accelPath, accelInterface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().call(message);
}

std::string errorText(const QDBusMessage& reply) {
    return reply.errorMessage().isEmpty() ? reply.errorName().toStdString()
                                          : reply.errorMessage().toStdString();
}

} // namespace

namespace {

bool serviceIsThere() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service);
}

const std::string noService =
    "KDE's global shortcut service (kglobalaccel) is not on the session bus";
const std::string keyTaken = "Ctrl+Shift+Esc is another global shortcut in this session";

} // namespace

std::string KGlobalAccelStopHotkey::actionName() {
    return "stop-run-" + std::to_string(getpid());
}

std::optional<std::string> KGlobalAccelStopHotkey::unavailable() {
    if (!serviceIsThere())
        return noService;
    const QDBusMessage available =
        call(QStringLiteral("isGlobalShortcutAvailable"),
             {stopKey, QString::fromLatin1(KGlobalAccelStopHotkey::component)});
    if (available.type() != QDBusMessage::ReplyMessage || available.arguments().isEmpty())
        return "kglobalaccel does not answer: " + errorText(available);
    if (!available.arguments().front().toBool())
        return keyTaken;
    return std::nullopt;
}

Expected<std::unique_ptr<KGlobalAccelStopHotkey>>
KGlobalAccelStopHotkey::start(DesktopServices::Callback callback) {
    if (!serviceIsThere())
        return Unexpected{noService};
    std::unique_ptr<KGlobalAccelStopHotkey> hotkey(new KGlobalAccelStopHotkey(std::move(callback)));
    const QDBusMessage registered = call(QStringLiteral("doRegister"), {actionID()});
    if (registered.type() != QDBusMessage::ReplyMessage)
        return Unexpected{"kglobalaccel refused Keyferry's shortcut: " + errorText(registered)};
    hotkey->registered_ = true;
    // From the moment the action exists, a killed Keyferry leaves none.
    hotkey->unregisterAtExit_ = std::make_unique<ExitCleanup>(std::vector<std::string>{
        "dbus-send", "--session", "--type=method_call", "--dest=" + service.toStdString(),
        accelPath.toStdString(), accelInterface.toStdString() + ".unRegister",
        "array:string:" + actionID().join(QLatin1Char(',')).toStdString()});

    const QDBusMessage set = call(QStringLiteral("setShortcut"),
                                  {actionID(), QVariant::fromValue(QList<int>{stopKey}),
                                   QVariant::fromValue(isDefault | setPresent | noAutoloading)});
    if (set.type() != QDBusMessage::ReplyMessage || set.arguments().isEmpty())
        return Unexpected{"kglobalaccel refused Keyferry's shortcut: " + errorText(set)};
    // What it gave: nothing when another global shortcut has the key.
    const auto given = qdbus_cast<QList<int>>(set.arguments().front());
    if (!given.contains(stopKey))
        return Unexpected{keyTaken};

    const QDBusMessage component = call(QStringLiteral("getComponent"),
                                        {QString::fromLatin1(KGlobalAccelStopHotkey::component)});
    if (component.type() != QDBusMessage::ReplyMessage || component.arguments().isEmpty())
        return Unexpected{"kglobalaccel does not name Keyferry's component: " +
                          errorText(component)};
    hotkey->componentPath_ = qdbus_cast<QDBusObjectPath>(component.arguments().front()).path();
    if (!QDBusConnection::sessionBus().connect(service, hotkey->componentPath_, componentInterface,
                                               QStringLiteral("globalShortcutPressed"),
                                               hotkey.get(),
                                               SLOT(pressed(QString, QString, qlonglong))))
        return Unexpected{std::string("kglobalaccel's key presses cannot be followed")};
    return hotkey;
}

KGlobalAccelStopHotkey::KGlobalAccelStopHotkey(DesktopServices::Callback callback)
    : callback_(std::move(callback)) {}

KGlobalAccelStopHotkey::~KGlobalAccelStopHotkey() {
    if (!componentPath_.isEmpty())
        QDBusConnection::sessionBus().disconnect(service, componentPath_, componentInterface,
                                                 QStringLiteral("globalShortcutPressed"), this,
                                                 SLOT(pressed(QString, QString, qlonglong)));
    // Gone from the session's shortcuts, so the key reaches the applications again.
    if (registered_)
        call(QStringLiteral("unRegister"), {actionID()});
    unregisterAtExit_.reset();
}

void KGlobalAccelStopHotkey::pressed(const QString& componentUnique, const QString& actionUnique,
                                     qlonglong) {
    if (componentUnique != QLatin1String(component) ||
        actionUnique != QString::fromStdString(actionName()))
        return;
    if (!callback_)
        return;
    InputEvent press;
    press.type = InputEvent::Type::keyDown;
    press.key = combination.key;
    press.modifiers = combination.modifiers;
    // The callback may end this object: a copy is called.
    const DesktopServices::Callback callback = callback_;
    callback(press);
}

} // namespace keyferry::wayland
