#include "platform/wayland/KGlobalShortcuts.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>

#include "platform/wayland/ExitCleanup.h"
#include "platform/wayland/KdeKeyCodes.h"

#include <unistd.h>

namespace keyferry::wayland {

namespace {

const QString service = QStringLiteral("org.kde.kglobalaccel");
const QString accelPath = QStringLiteral("/kglobalaccel");
const QString accelInterface = QStringLiteral("org.kde.KGlobalAccel");
const QString componentInterface = QStringLiteral("org.kde.kglobalaccel.Component");

// KGlobalAccel::SetShortcutFlag: the key given is the default and the current one (not one the
// user saved earlier), and the action is there while Keyferry is.
constexpr uint isDefault = 1;
constexpr uint setPresent = 2;
constexpr uint noAutoloading = 4;

const std::string noService =
    "KDE's global shortcut service (kglobalaccel) is not on the session bus";

std::string keyTaken(KeyCombination key) {
    return key == KGlobalShortcuts::stopShortcut
               ? "Ctrl+Shift+Esc is another global shortcut in this session"
               : "the key is another global shortcut in this session";
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

bool KGlobalShortcuts::serviceIsThere() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(service);
}

std::string KGlobalShortcuts::actionName(const std::string& purpose, std::size_t index) {
    return purpose + "-" + std::to_string(index) + "-" + std::to_string(getpid());
}

std::optional<std::string> KGlobalShortcuts::unavailable(KeyCombination key) {
    if (!serviceIsThere())
        return noService;
    const auto code = kdeKeyCode(key);
    if (!code)
        return std::string("KDE's global shortcuts do not name that key");
    const QDBusMessage available =
        call(QStringLiteral("isGlobalShortcutAvailable"), {*code, QString::fromLatin1(component)});
    if (available.type() != QDBusMessage::ReplyMessage || available.arguments().isEmpty())
        return "kglobalaccel does not answer: " + errorText(available);
    if (!available.arguments().front().toBool())
        return keyTaken(key);
    return std::nullopt;
}

Expected<std::unique_ptr<KGlobalShortcuts>>
KGlobalShortcuts::start(const std::string& purpose, std::vector<KeyCombination> keys,
                        DesktopServices::Callback callback) {
    if (!serviceIsThere())
        return Unexpected{noService};
    std::unique_ptr<KGlobalShortcuts> shortcuts(
        new KGlobalShortcuts(std::move(keys), std::move(callback)));
    for (std::size_t index = 0; index < shortcuts->keys_.size(); ++index) {
        const KeyCombination key = shortcuts->keys_[index];
        const auto code = kdeKeyCode(key);
        if (!code)
            return Unexpected{std::string("KDE's global shortcuts do not name that key")};
        const QStringList action = {QString::fromLatin1(component),
                                    QString::fromStdString(actionName(purpose, index)),
                                    QStringLiteral("Keyferry"), QString::fromStdString(purpose)};
        const QDBusMessage registered = call(QStringLiteral("doRegister"), {action});
        if (registered.type() != QDBusMessage::ReplyMessage)
            return Unexpected{"kglobalaccel refused Keyferry's shortcut: " + errorText(registered)};
        shortcuts->actions_.push_back(action);
        // From the moment the action exists, a killed Keyferry leaves none.
        shortcuts->unregisterAtExit_.push_back(
            std::make_unique<ExitCleanup>(std::vector<std::string>{
                "dbus-send", "--session", "--type=method_call", "--dest=" + service.toStdString(),
                accelPath.toStdString(), accelInterface.toStdString() + ".unRegister",
                "array:string:" + action.join(QLatin1Char(',')).toStdString()}));
        const QDBusMessage set =
            call(QStringLiteral("setShortcut"),
                 {action, QVariant::fromValue(QList<int>{*code}),
                  QVariant::fromValue(isDefault | setPresent | noAutoloading)});
        if (set.type() != QDBusMessage::ReplyMessage || set.arguments().isEmpty())
            return Unexpected{"kglobalaccel refused Keyferry's shortcut: " + errorText(set)};
        // What it gave: nothing when another global shortcut has the key. That key stays with
        // its owner and is said to be so; the others are kept.
        if (!qdbus_cast<QList<int>>(set.arguments().front()).contains(*code)) {
            call(QStringLiteral("unRegister"), {action});
            shortcuts->actions_.back().clear();
            shortcuts->refused_.push_back(key);
        }
    }
    if (shortcuts->refused_.size() == shortcuts->keys_.size())
        return Unexpected{keyTaken(shortcuts->refused_.front())};

    const QDBusMessage path =
        call(QStringLiteral("getComponent"), {QString::fromLatin1(component)});
    if (path.type() != QDBusMessage::ReplyMessage || path.arguments().isEmpty())
        return Unexpected{"kglobalaccel does not name Keyferry's component: " + errorText(path)};
    shortcuts->componentPath_ = qdbus_cast<QDBusObjectPath>(path.arguments().front()).path();
    if (!QDBusConnection::sessionBus().connect(
            service, shortcuts->componentPath_, componentInterface,
            QStringLiteral("globalShortcutPressed"), shortcuts.get(),
            SLOT(pressed(QString, QString, qlonglong))))
        return Unexpected{std::string("kglobalaccel's key presses cannot be followed")};
    return shortcuts;
}

KGlobalShortcuts::KGlobalShortcuts(std::vector<KeyCombination> keys,
                                   DesktopServices::Callback callback)
    : keys_(std::move(keys)), callback_(std::move(callback)) {}

KGlobalShortcuts::~KGlobalShortcuts() {
    if (!componentPath_.isEmpty())
        QDBusConnection::sessionBus().disconnect(service, componentPath_, componentInterface,
                                                 QStringLiteral("globalShortcutPressed"), this,
                                                 SLOT(pressed(QString, QString, qlonglong)));
    // Gone from the session's shortcuts, so the keys reach the applications again.
    for (const QStringList& action : actions_)
        if (!action.isEmpty())
            call(QStringLiteral("unRegister"), {action});
    unregisterAtExit_.clear();
}

void KGlobalShortcuts::pressed(const QString& componentUnique, const QString& actionUnique,
                               qlonglong) {
    if (componentUnique != QLatin1String(component) || !callback_)
        return;
    for (std::size_t index = 0; index < actions_.size(); ++index) {
        if (actions_[index].isEmpty() || actions_[index].at(1) != actionUnique)
            continue;
        InputEvent press;
        press.type = InputEvent::Type::keyDown;
        press.key = keys_[index].key;
        press.modifiers = keys_[index].modifiers;
        // The callback may end this object: a copy is called, and nothing of this after it.
        const DesktopServices::Callback callback = callback_;
        callback(press);
        return;
    }
}

} // namespace keyferry::wayland
