#include "platform/wayland/KWinChannel.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QThread>

#include "platform/wayland/ExitCleanup.h"
#include "platform/wayland/kwin/KWinScripts.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <unistd.h>

namespace keyferry::wayland {

namespace {

using namespace std::chrono_literals;

const QString kwinService = QStringLiteral("org.kde.KWin");
const QString scriptingPath = QStringLiteral("/Scripting");
const QString scriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString objectPath = QStringLiteral("/org/keyferry/KWinWindows");
const QString objectInterface = QStringLiteral("org.keyferry.KWinWindows");

// KWin gives up on a call after D-Bus's default 25 s, and then drops the script's callback:
// a waiting "next" is answered well before that.
constexpr auto idleAnswer = 10s;
constexpr auto answerTimeout = 3s;
constexpr auto startTimeout = 5s;

std::string errorText(const QDBusMessage& reply) {
    return reply.errorName().toStdString() + ": " + reply.errorMessage().toStdString();
}

} // namespace

/// What the main thread and the service thread share.
struct KWinChannel::State {
    std::mutex mutex;
    std::condition_variable changed;
    QDBusConnection connection{QString()};
    QString connectionName;
    QString kwinName; ///< KWin's unique bus name: only its calls are taken
    QString pluginName;
    QString scriptFile;
    std::optional<QDBusMessage> waitingNext; ///< the script's "next", unanswered
    std::chrono::steady_clock::time_point waitingSince;
    std::deque<QString> requests;    ///< for the script, oldest first
    std::deque<std::string> reports; ///< from the script, not read yet
    bool started = false;            ///< the script asked for a request once
    std::uint64_t sequence = 0;
    std::mutex requesting; ///< one request at a time, whichever thread asks
    QThread thread;
    std::unique_ptr<Service> service;
    std::unique_ptr<ExitCleanup> unloadAtExit; ///< should Keyferry end without unloading

    /// Answers the waiting "next" with the oldest request, if both are there.
    void passRequest() {
        if (!waitingNext || requests.empty())
            return;
        connection.send(waitingNext->createReply(requests.front()));
        requests.pop_front();
        waitingNext.reset();
    }
};

/// The D-Bus object the script calls, living on the channel's thread.
class KWinChannel::Service final : public QDBusVirtualObject {
public:
    explicit Service(State& state) : state_(state) {}

    QString introspect(const QString&) const override {
        return QStringLiteral("<interface name=\"org.keyferry.KWinWindows\">"
                              "<method name=\"next\"><arg type=\"s\" direction=\"out\"/></method>"
                              "<method name=\"report\"><arg type=\"s\" direction=\"in\"/></method>"
                              "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != objectInterface || message.service() != state_.kwinName)
            return false;
        std::lock_guard lock(state_.mutex);
        if (message.member() == QStringLiteral("next")) {
            message.setDelayedReply(true);
            if (state_.waitingNext) // a second one replaces the first, which KWin gave up on
                connection.send(state_.waitingNext->createReply(QStringLiteral("idle")));
            state_.waitingNext = message;
            state_.waitingSince = std::chrono::steady_clock::now();
            state_.started = true;
            state_.passRequest();
            state_.changed.notify_all();
            return true;
        }
        if (message.member() == QStringLiteral("report") && message.arguments().size() == 1) {
            state_.reports.push_back(message.arguments().front().toString().toStdString());
            connection.send(message.createReply());
            state_.changed.notify_all();
            return true;
        }
        return false;
    }

protected:
    void timerEvent(QTimerEvent*) override {
        std::lock_guard lock(state_.mutex);
        if (state_.waitingNext &&
            std::chrono::steady_clock::now() - state_.waitingSince >= idleAnswer) {
            state_.connection.send(state_.waitingNext->createReply(QStringLiteral("idle")));
            state_.waitingNext.reset();
        }
    }

private:
    State& state_;
};

KWinChannel::KWinChannel(std::unique_ptr<State> state) : state_(std::move(state)) {}

Expected<std::unique_ptr<KWinChannel>> KWinChannel::open() {
    static std::atomic<int> opened{0};
    const int number = opened++;
    auto state = std::make_unique<State>();
    State& shared = *state;
    shared.connectionName = QStringLiteral("keyferry-kwin-%1").arg(number);
    // Its own connection: calls to it are dispatched on the channel's thread, whatever the
    // main thread is doing.
    shared.connection =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, shared.connectionName);
    std::unique_ptr<KWinChannel> channel(new KWinChannel(std::move(state)));
    if (!shared.connection.isConnected())
        return Unexpected{std::string("the session bus cannot be reached")};

    QDBusMessage ownerOf = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    ownerOf << kwinService;
    const QDBusMessage owner = shared.connection.call(ownerOf);
    if (owner.type() != QDBusMessage::ReplyMessage || owner.arguments().isEmpty())
        return Unexpected{std::string("KWin is not on the session bus")};
    // Any program of the session may call Keyferry's object; only KWin's answers count.
    shared.kwinName = owner.arguments().front().toString();

    shared.service = std::make_unique<Service>(shared);
    shared.service->moveToThread(&shared.thread);
    shared.thread.start();
    Service* service = shared.service.get();
    QMetaObject::invokeMethod(
        service, [service] { service->startTimer(1s); }, Qt::BlockingQueuedConnection);
    if (!shared.connection.registerVirtualObject(objectPath, service))
        return Unexpected{std::string("Keyferry's D-Bus object for KWin cannot be registered")};

    QString folder = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (folder.isEmpty())
        folder = QDir::tempPath();
    shared.pluginName = QStringLiteral("keyferry-windows-%1-%2").arg(getpid()).arg(number);
    shared.scriptFile = folder + QStringLiteral("/") + shared.pluginName + QStringLiteral(".js");
    QFile file(shared.scriptFile);
    QString script = QString::fromUtf8(kwinWindowsScript);
    script.replace(QStringLiteral("KEYFERRY_SERVICE"), shared.connection.baseService());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(script.toUtf8()) < 0 ||
        !file.flush())
        return Unexpected{"Keyferry's KWin script cannot be written to " +
                          shared.scriptFile.toStdString()};
    file.close();

    QDBusMessage load = QDBusMessage::createMethodCall(
        kwinService, scriptingPath, scriptingInterface, QStringLiteral("loadScript"));
    load << shared.scriptFile << shared.pluginName;
    const QDBusMessage loaded = shared.connection.call(load);
    if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty())
        return Unexpected{"KWin's scripting cannot be reached (" + errorText(loaded) + ")"};
    const int id = loaded.arguments().front().toInt();
    if (id < 0) {
        shared.pluginName.clear(); // not Keyferry's to unload
        return Unexpected{std::string("KWin refused to load Keyferry's script")};
    }
    shared.unloadAtExit = std::make_unique<ExitCleanup>(std::vector<std::string>{
        "dbus-send", "--session", "--type=method_call", "--dest=" + kwinService.toStdString(),
        scriptingPath.toStdString(), scriptingInterface.toStdString() + ".unloadScript",
        "string:" + shared.pluginName.toStdString()});
    // KWin 5 names the script's object by its number; later versions put it under /Scripting.
    bool running = false;
    for (const QString& path :
         {QStringLiteral("/%1").arg(id), QStringLiteral("/Scripting/Script%1").arg(id)}) {
        const QDBusMessage run = shared.connection.call(QDBusMessage::createMethodCall(
            kwinService, path, QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run")));
        if (run.type() == QDBusMessage::ReplyMessage) {
            running = true;
            break;
        }
    }
    if (!running)
        return Unexpected{std::string("KWin did not run Keyferry's script")};

    std::unique_lock lock(shared.mutex);
    if (!shared.changed.wait_for(lock, startTimeout, [&] { return shared.started; }))
        return Unexpected{std::string("Keyferry's script in KWin did not start")};
    lock.unlock();
    QFile::remove(shared.scriptFile); // KWin has read it
    shared.scriptFile.clear();
    return channel;
}

KWinChannel::~KWinChannel() {
    State& shared = *state_;
    {
        std::lock_guard lock(shared.mutex);
        shared.requests.assign(1, QStringLiteral("quit"));
        shared.passRequest();
    }
    if (!shared.pluginName.isEmpty() && shared.connection.isConnected()) {
        QDBusMessage unload = QDBusMessage::createMethodCall(
            kwinService, scriptingPath, scriptingInterface, QStringLiteral("unloadScript"));
        unload << shared.pluginName;
        shared.connection.call(unload);
    }
    shared.unloadAtExit.reset();
    if (shared.service) {
        shared.connection.unregisterObject(objectPath);
        // Its timer belongs to its thread: it ends there.
        Service* service = shared.service.release();
        QMetaObject::invokeMethod(
            service, [service] { delete service; }, Qt::BlockingQueuedConnection);
    }
    shared.thread.quit();
    shared.thread.wait();
    if (!shared.scriptFile.isEmpty())
        QFile::remove(shared.scriptFile);
    shared.connection = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(shared.connectionName);
}

std::string KWinChannel::scriptName() const {
    return state_->pluginName.toStdString();
}

Expected<KWinReport> KWinChannel::report() {
    return request("report", {});
}

Expected<KWinReport> KWinChannel::activate(const std::string& windowID) {
    return request("activate", windowID);
}

Expected<KWinReport> KWinChannel::request(const std::string& verb, const std::string& argument) {
    State& shared = *state_;
    std::lock_guard one(shared.requesting);
    std::unique_lock lock(shared.mutex);
    const std::uint64_t sequence = ++shared.sequence;
    std::string text = verb + " " + std::to_string(sequence);
    if (!argument.empty())
        text += " " + argument;
    shared.requests.push_back(QString::fromStdString(text));
    shared.passRequest();
    const auto deadline = std::chrono::steady_clock::now() + answerTimeout;
    for (;;) {
        while (!shared.reports.empty()) {
            const std::string answer = std::move(shared.reports.front());
            shared.reports.pop_front();
            auto report = parseKWinReport(answer);
            if (!report)
                return Unexpected{report.error()};
            if (report->sequence == sequence)
                return report;
            // an answer to an earlier request that was given up on
        }
        if (shared.changed.wait_until(lock, deadline) == std::cv_status::timeout &&
            shared.reports.empty()) {
            std::erase(shared.requests, QString::fromStdString(text));
            return Unexpected{std::string("KWin did not answer Keyferry's script in time")};
        }
    }
}

} // namespace keyferry::wayland
