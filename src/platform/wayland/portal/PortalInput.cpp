#include "platform/wayland/portal/PortalInput.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>

#include "model/FileIO.h"
#include "platform/common/DBusSignal.h"
#include "platform/wayland/Keysyms.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/portal/EiSender.h"
#include "platform/wayland/portal/PortalClipboard.h"
#include "text/UnicodeText.h"
#include "text/Utf8.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <linux/input-event-codes.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace keyferry::wayland {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString remoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");

constexpr unsigned keyboardDevice = 1;
constexpr unsigned pointerDevice = 2;
// The EIS server's devices come within a second of the connection (0.71 s measured on GNOME 48).
constexpr auto eiSetupTimeout = std::chrono::seconds(5);
constexpr int callTimeoutMs = 5000;
// A paste is fetched by the application while it handles the key; the keys after it wait for
// that, then a moment for the text to be inserted, and give up after the patience.
constexpr auto pastePoll = std::chrono::milliseconds(10);
constexpr auto pasteSettle = std::chrono::milliseconds(30);
constexpr auto pastePatience = std::chrono::seconds(3);

QDBusMessage portalCall(const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(portalService, portalPath, interface, method);
}

std::optional<QVariant> portalProperty(QDBusConnection& bus, const QString& name,
                                       std::string& why) {
    QDBusMessage call =
        portalCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << remoteDesktop << name;
    const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        why = reply.errorMessage().toStdString();
        return std::nullopt;
    }
    return reply.arguments().first().value<QDBusVariant>().variant();
}

// From version 2 on, the portal can hand out a token that spares the user the question on the
// next start; kept with Keyferry's other state.
std::filesystem::path restoreTokenFile() {
    return stateFolder() / "portal-restore-token";
}

/// A token the desktop does not honour is not presented again: it would not spare a question.
void forgetRestoreToken() {
    std::error_code ignored; // left, it is refused again next time, and dropped then
    std::filesystem::remove(restoreTokenFile(), ignored);
}

constexpr std::uint64_t maxTokenBytes = 4096;

// Where libei is offered, the keysym route may still be chosen.
constexpr const char* routeVariable = "KEYFERRY_PORTAL_INPUT";

std::string responseWhy(unsigned response) {
    return response == 1 ? "you did not allow it (the desktop's question was cancelled)"
                         : "the desktop ended its question without an answer";
}

} // namespace

std::unique_ptr<PortalInput> PortalInput::probe(WaylandConnection& connection, std::string& why) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        why = "no session bus, so no desktop portal";
        return nullptr;
    }
    std::string error;
    const auto version = portalProperty(bus, QStringLiteral("version"), error);
    if (!version) {
        why = "no desktop portal offers remote input (" + error + ")";
        return nullptr;
    }
    const auto devices = portalProperty(bus, QStringLiteral("AvailableDeviceTypes"), error);
    if (devices && (devices->toUInt() & keyboardDevice) == 0) {
        why = "the desktop portal offers no remote keyboard";
        return nullptr;
    }
    const std::string chosen = std::getenv(routeVariable) ? std::getenv(routeVariable) : "";
    if (!chosen.empty() && chosen != "libei" && chosen != "keysyms") {
        why = std::string(routeVariable) + " must be \"libei\" or \"keysyms\", not \"" + chosen +
              "\"";
        return nullptr;
    }
    auto input = std::unique_ptr<PortalInput>(new PortalInput(connection, version->toUInt()));
    input->keysymsChosen_ = chosen == "keysyms";
    input->clipboardOffered_ = PortalClipboard::offered(bus);
    return input;
}

PortalInput::PortalInput(WaylandConnection& connection, unsigned version)
    : connection_(connection), bus_(QDBusConnection::sessionBus()), version_(version) {}

void PortalInput::EiSenderDelete::operator()([[maybe_unused]] EiSender* sender) const {
#if KEYFERRY_WITH_LIBEI
    delete sender;
#endif
}

PortalInput::~PortalInput() {
    releaseAll();
    if (putBackDue_)
        putBackUsersClipboard();
    clipboard_.reset();
    ei_.reset();
    closeSession(QDBus::Block); // before the process ends, so the desktop lets go of it
}

bool PortalInput::offersEi() const {
#if KEYFERRY_WITH_LIBEI
    return version_ >= 2 && !eiProblem_ && !keysymsChosen_;
#else
    return false;
#endif
}

std::string PortalInput::route() const {
    if (ei_)
        return "libei";
    if (offersEi())
        return "libei, once the desktop allows it";
    if (keysymsChosen_)
        return std::string("keysyms, as ") + routeVariable + " asks";
    return "keysyms";
}

InputAccess PortalInput::requestAccess() {
    answered_.clear(); // their callbacks have returned
    if (refusal_) {
        InputAccess refused{InputAccess::State::refused, std::move(*refusal_)};
        refusal_.reset();
        return refused;
    }
    if (stage_ == Stage::ready)
        return {};
    if (stage_ == Stage::idle) {
        stage_ = Stage::creating;
        QVariantMap options;
        options.insert(QStringLiteral("session_handle_token"),
                       QStringLiteral("keyferry%1").arg(::getpid()));
        if (auto why = request(QStringLiteral("CreateSession"), {}, options,
                               [this](unsigned response, const QVariantMap& results) {
                                   created(response, results);
                               }))
            refuse(std::move(*why));
    }
    if (refusal_) // the call itself failed
        return requestAccess();
    return {InputAccess::State::asking, {}};
}

std::optional<std::string> PortalInput::request(const QString& method, QList<QVariant> arguments,
                                                QVariantMap options, Answer answer) {
    // The answer comes as a signal on a Request object whose path follows from the caller's
    // bus name and the token: listened to before the call, so that it cannot be missed.
    const QString token = QStringLiteral("keyferry%1_%2").arg(::getpid()).arg(++tokens_);
    options.insert(QStringLiteral("handle_token"), token);
    QString sender = bus_.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path =
        portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
    if (pendingResponse_)
        answered_.push_back(std::move(pendingResponse_));
    pendingResponse_ = std::make_unique<DBusSignal>(
        bus_, portalService, path, requestInterface, QStringLiteral("Response"),
        [this, answer = std::move(answer)](const QDBusMessage& message) {
            const auto arguments = message.arguments();
            const unsigned response = arguments.value(0).toUInt();
            QVariantMap results;
            if (arguments.size() > 1)
                results = qdbus_cast<QVariantMap>(arguments.at(1));
            answer(response, results);
        });
    QDBusMessage call = portalCall(remoteDesktop, method);
    arguments.append(options);
    call.setArguments(arguments);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return "the desktop portal refused " + method.toStdString() + ": " +
               reply.errorMessage().toStdString();
    return std::nullopt;
}

void PortalInput::created(unsigned response, const QVariantMap& results) {
    if (response != 0)
        return refuse(responseWhy(response));
    session_ = results.value(QStringLiteral("session_handle")).toString();
    if (session_.isEmpty())
        return refuse("the desktop portal made no session");
    closed_ = std::make_unique<DBusSignal>(bus_, portalService, session_, sessionInterface,
                                           QStringLiteral("Closed"),
                                           [this](const QDBusMessage&) { sessionClosed(); });
    stage_ = Stage::selecting;
    if (clipboardOffered_)
        clipboard_ = std::make_unique<PortalClipboard>(bus_, session_);
    selectDevices(true);
}

void PortalInput::selectDevices(bool presentToken) {
    QVariantMap options;
    // Only a keyboard on the keysym route: clicks there would need a screen cast, and a pointer
    // in the question asks the user for more than Keyferry uses. libei places clicks.
    options.insert(QStringLiteral("types"),
                   offersEi() ? keyboardDevice | pointerDevice : keyboardDevice);
    restoring_ = false;
    if (version_ >= 2) {
        options.insert(QStringLiteral("persist_mode"), 2u); // until the user revokes it
        if (auto token = readRegularFile(restoreTokenFile(), maxTokenBytes);
            presentToken && token && !token->empty()) {
            options.insert(QStringLiteral("restore_token"), QString::fromStdString(*token));
            restoring_ = true;
        }
    }
    auto why =
        request(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(session_))},
                options, [this](unsigned r, const QVariantMap& results) { selected(r, results); });
    if (why && restoring_) {
        // A token the portal cannot read (GNOME: "not a valid UUID string", a damaged file)
        // refuses the call for good: asked without it, the user answers the question again.
        forgetRestoreToken();
        return selectDevices(false);
    }
    if (why)
        refuse(std::move(*why));
}

void PortalInput::selected(unsigned response, const QVariantMap& results) {
    if (response != 0)
        return refuse(responseWhy(response));
    stage_ = Stage::starting;
    // Asked for before the start, so that the user answers one question.
    if (clipboard_ && clipboard_->request())
        clipboard_.reset(); // the characters the layout lacks then fail, naming themselves
    if (auto why = request(QStringLiteral("Start"),
                           {QVariant::fromValue(QDBusObjectPath(session_)), QString()}, {},
                           [this](unsigned r, const QVariantMap& results) { started(r, results); }))
        refuse(std::move(*why));
    (void)results;
}

void PortalInput::started(unsigned response, const QVariantMap& results) {
    if (response != 0 && restoring_) {
        forgetRestoreToken();
        // A token the desktop still honours asks nothing, so nothing to cancel: this one was
        // withdrawn or had expired.
        if (response == 1)
            return refuse(responseWhy(response) +
                          "; the permission given before no longer holds (withdrawn in the "
                          "desktop's settings, or expired), so the desktop asked again");
    }
    if (response != 0)
        return refuse(responseWhy(response));
    if ((results.value(QStringLiteral("devices")).toUInt() & keyboardDevice) == 0)
        return refuse("the desktop did not give Keyferry a keyboard");
    if (const QString token = results.value(QStringLiteral("restore_token")).toString();
        version_ >= 2 && !token.isEmpty()) {
        std::error_code ignored; // without the token the user is asked again next time
        std::filesystem::create_directories(restoreTokenFile().parent_path(), ignored);
        (void)writeFileAtomically(restoreTokenFile(), token.toStdString());
    }
    stage_ = Stage::ready;
    if (clipboard_)
        clipboard_->started(results.value(QStringLiteral("clipboard_enabled")).toBool());
    if (offersEi())
        connectEi();
    // The first key of a new session is lost (seen on GNOME): a Shift tap takes that place.
    keysym(XKB_KEY_Shift_L, true);
    keysym(XKB_KEY_Shift_L, false);
}

void PortalInput::connectEi() {
#if KEYFERRY_WITH_LIBEI
    QDBusMessage call = portalCall(remoteDesktop, QStringLiteral("ConnectToEIS"));
    call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap();
    const QDBusMessage reply = bus_.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        eiProblem_ =
            "the desktop portal gave no libei connection: " + reply.errorMessage().toStdString();
        return;
    }
    const auto descriptor = reply.arguments().first().value<QDBusUnixFileDescriptor>();
    // The message keeps its own descriptor; libei takes this copy.
    const int fd =
        descriptor.isValid() ? ::fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
    if (fd < 0) {
        eiProblem_ = "the desktop portal's libei connection could not be used";
        return;
    }
    auto sender = EiSender::connect(fd, eiSetupTimeout);
    if (!sender) {
        eiProblem_ = sender.error();
        return;
    }
    ei_.reset(sender->release());
#endif
}

void PortalInput::closeSession(QDBus::CallMode mode) {
    if (session_.isEmpty())
        return;
    const QDBusMessage close = QDBusMessage::createMethodCall(
        portalService, session_, sessionInterface, QStringLiteral("Close"));
    bus_.call(close, mode, callTimeoutMs);
}

void PortalInput::refuse(std::string why) {
    ei_.reset();
    paste_.reset();
    clipboard_.reset();
    closeSession(QDBus::NoBlock);
    session_.clear();
    if (closed_)
        answered_.push_back(std::move(closed_));
    stage_ = Stage::idle;
    refusal_ = std::move(why);
}

void PortalInput::sessionClosed() {
    // The desktop (or the user, from its indicator) withdrew the permission: asked anew next
    // time; keys in between fail.
    session_.clear();
    held_.clear();
    ei_.reset(); // its connection ends with the session
    paste_.reset();
    clipboard_.reset();
    if (closed_)
        answered_.push_back(std::move(closed_));
    stage_ = Stage::idle;
}

std::optional<XkbLayout>& PortalInput::layout() {
    if (!layout_ || connection_.userKeymapChanges() != layoutChanges_) {
        layoutChanges_ = connection_.userKeymapChanges();
        auto layout = connection_.userKeymap() ? XkbLayout::fromText(*connection_.userKeymap())
                                               : XkbLayout::fromDefaultNames();
        if (layout)
            layout_ = std::move(*layout);
    }
    return layout_;
}

bool PortalInput::pastes() const {
    // Until the session has started, the clipboard is asked for with it.
    if (stage_ != Stage::ready)
        return clipboardOffered_;
    return clipboard_ && clipboard_->enabled();
}

bool PortalInput::canType(std::string_view character) {
    return typableByKeys(character) || pastes();
}

bool PortalInput::typableByKeys(std::string_view character) {
    const std::vector<char32_t> points = utf8::codePoints(composed(character));
    if (points.size() != 1)
        return false; // a keysym is one code point
    const Keysym symbol = keysymForCodePoint(points.front());
    if (symbol == XKB_KEY_Return || symbol == XKB_KEY_Tab || symbol == XKB_KEY_BackSpace)
        return true;
#if KEYFERRY_WITH_LIBEI
    if (ei_ && ei_->keymap()) // the keys go by the keymap the desktop sent
        return symbol != XKB_KEY_NoSymbol && ei_->keymap()->find(symbol).has_value();
#endif
    auto& keymap = layout();
    return symbol != XKB_KEY_NoSymbol && keymap && keymap->find(symbol, connection_.userGroup());
}

bool PortalInput::keysym(Keysym keysym, bool down, std::string* error) {
    if (stage_ != Stage::ready || session_.isEmpty()) {
        if (error)
            *error = "the desktop has not (or no longer) allowed Keyferry to type";
        return false;
    }
#if KEYFERRY_WITH_LIBEI
    if (ei_) {
        const auto placement = ei_->keymap()->find(keysym);
        if (!placement) {
            if (error)
                *error = "the desktop's keymap has no key for this step";
            return false;
        }
        if (auto problem = ei_->key(placement->keycode, down)) {
            if (error)
                *error = std::move(*problem);
            return false;
        }
    } else
#endif
    {
        QDBusMessage call = portalCall(remoteDesktop, QStringLiteral("NotifyKeyboardKeysym"));
        call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap()
             << static_cast<int>(keysym) << static_cast<unsigned>(down ? 1 : 0);
        // Answered in order: a key is with the desktop before the next one goes.
        const QDBusMessage reply = bus_.call(call, QDBus::Block, callTimeoutMs);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            if (error)
                *error = "the desktop portal refused a key: " + reply.errorMessage().toStdString();
            return false;
        }
    }
    if (down)
        held_.insert(keysym);
    else if (const auto found = held_.find(keysym); found != held_.end())
        held_.erase(found);
    return true;
}

Posted PortalInput::postKey(Key key, Modifiers modifiers, bool down) {
    const Keysym symbol = keysymFor(key);
    if (symbol == XKB_KEY_NoSymbol)
        return Posted::failure("no key for this step on the keyboard");
    std::vector<Keysym> held;
    if (modifiers.contains(Modifier::control))
        held.push_back(XKB_KEY_Control_L);
    if (modifiers.contains(Modifier::shift))
        held.push_back(XKB_KEY_Shift_L);
    if (modifiers.contains(Modifier::alt))
        held.push_back(XKB_KEY_Alt_L);
    std::string error;
    if (down) {
        for (const Keysym modifier : held)
            if (!keysym(modifier, true, &error))
                return Posted::failure(error);
        if (!keysym(symbol, true, &error))
            return Posted::failure(error);
        return {};
    }
    bool released = keysym(symbol, false, &error);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        released = keysym(*it, false, &error) && released;
    return released ? Posted{} : Posted::failure(error);
}

Posted PortalInput::postCharacter(std::string_view character) {
    if (!typableByKeys(character) && paste_ && paste_->next < paste_->characters.size() &&
        paste_->characters[paste_->next] == character) {
        // The first of the characters on the clipboard pastes them all; the rest are there.
        if (paste_->next == 0) {
            clipboard_->pasting();
            if (Posted pasted = pressPasteKey(); !pasted)
                return pasted;
            paste_->pasted = Clock::now();
        }
        ++paste_->next;
        return {};
    }
    if (!typableByKeys(character))
        return Posted::failure("\u201C" + std::string(character) +
                               "\u201D is not in the keyboard layout, and the desktop types only "
                               "the layout's characters");
    const Keysym symbol = keysymForCodePoint(utf8::codePoints(composed(character)).front());
    if (ei_)
        return typeByKeycode(symbol);
    std::string error;
    if (!keysym(symbol, true, &error))
        return Posted::failure(error);
    if (!keysym(symbol, false, &error))
        return Posted::failure(error);
    return {};
}

Posted PortalInput::typeByKeycode([[maybe_unused]] Keysym symbol) {
#if KEYFERRY_WITH_LIBEI
    // The desktop applies the keymap it sent: the level is picked by holding its modifiers.
    const XkbLayout& keymap = *ei_->keymap();
    const auto placement = keymap.find(symbol);
    if (!placement)
        return Posted::failure("the desktop's keymap has no key for this character");
    std::vector<Keysym> modifiers;
    if (placement->modifiers & keymap.shiftMask())
        modifiers.push_back(XKB_KEY_Shift_L);
    if (placement->modifiers & keymap.levelThreeMask())
        modifiers.push_back(XKB_KEY_ISO_Level3_Shift);
    std::string error;
    std::size_t pressed = 0;
    bool typed = true;
    for (; pressed < modifiers.size() && typed; ++pressed)
        typed = keysym(modifiers[pressed], true, &error);
    if (typed) {
        if (auto problem = ei_->key(placement->keycode, true)) {
            error = std::move(*problem);
            typed = false;
        } else if (auto released = ei_->key(placement->keycode, false)) {
            error = std::move(*released);
            typed = false;
        }
    }
    // Whatever was pressed goes up again, also when a later key failed.
    while (pressed > 0)
        keysym(modifiers[--pressed], false);
    return typed ? Posted{} : Posted::failure(error);
#else
    return Posted::failure("Keyferry was built without libei");
#endif
}

Posted PortalInput::postMouseButton([[maybe_unused]] MouseButton button,
                                    [[maybe_unused]] Point position, [[maybe_unused]] bool down,
                                    std::optional<Rect>) {
#if KEYFERRY_WITH_LIBEI
    if (ei_ && ei_->canClick()) {
        const std::uint32_t code = button == MouseButton::right ? BTN_RIGHT : BTN_LEFT;
        if (auto problem = ei_->button(position, code, down))
            return Posted::failure(*problem, Posted::Device::mouse);
        return {};
    }
    if (ei_)
        return Posted::failure("the desktop gave Keyferry no pointer", Posted::Device::mouse);
#endif
    return Posted::failure(pointerUnavailable().value_or("the desktop gave Keyferry no pointer"),
                           Posted::Device::mouse);
}

std::optional<std::string> PortalInput::pointerUnavailable() const {
    // On the libei route clicks are possible until the desktop's answer says otherwise.
    if (offersEi() && (!ei_ || ei_->canClick()))
        return std::nullopt;
    if (keysymsChosen_ && version_ >= 2 && KEYFERRY_WITH_LIBEI)
        return std::string(routeVariable) +
               "=keysyms keeps Keyferry off libei, the only route on which it clicks here";
    if (eiProblem_)
        return "the desktop portal places clicks only within a screen cast, which Keyferry does "
               "not ask for, or through libei, which failed: " +
               *eiProblem_;
    return "the desktop portal places clicks only within a screen cast, which Keyferry does not "
           "ask for";
}

Posted PortalInput::pressPasteKey() {
    std::vector<Keysym> keys = {XKB_KEY_Control_L};
    if (focusIsTerminal_ && focusIsTerminal_())
        keys.push_back(XKB_KEY_Shift_L);
    keys.push_back(XKB_KEY_v);
    std::string error;
    std::size_t pressed = 0;
    while (pressed < keys.size() && keysym(keys[pressed], true, &error))
        ++pressed;
    const bool whole = pressed == keys.size();
    while (pressed > 0) // whatever went down goes up again, also after a failure
        keysym(keys[--pressed], false);
    return whole ? Posted{} : Posted::failure(error);
}

PortalInput::PasteWait PortalInput::awaitPaste() {
    if (!paste_ || !paste_->pasted || paste_->next < paste_->characters.size())
        return PasteWait::none;
    const auto now = Clock::now();
    if (clipboard_ && clipboard_->taken()) {
        if (!paste_->fetched)
            paste_->fetched = now;
        if (now - *paste_->fetched < pasteSettle)
            return PasteWait::awaited;
        finishPaste();
        return PasteWait::none;
    }
    if (now - *paste_->pasted < pastePatience)
        return PasteWait::awaited;
    pasteProblem_ = "the application did not take the text pasted for the characters the "
                    "keyboard layout lacks";
    finishPaste();
    return PasteWait::none;
}

void PortalInput::finishPaste() {
    paste_.reset();
    if (putBackDue_)
        putBackUsersClipboard();
}

void PortalInput::putBackUsersClipboard() {
    putBackDue_ = false;
    if (paste_ && !paste_->pasted)
        paste_.reset(); // offered for a text that did not come: no longer on the clipboard
    if (clipboard_)
        clipboard_->putBack();
}

std::optional<Expected<PortalInput::Duration>> PortalInput::waitForPaste() {
    if (awaitPaste() == PasteWait::awaited)
        return Duration(pastePoll);
    if (pasteProblem_) {
        std::string problem = std::move(*pasteProblem_);
        pasteProblem_.reset();
        return Unexpected{std::move(problem)};
    }
    return std::nullopt;
}

Expected<PortalInput::Duration> PortalInput::prepareText(std::string_view text) {
    if (auto wait = waitForPaste())
        return std::move(*wait);
    std::vector<std::string> missing;
    for (std::string_view character : graphemeClusters(text)) {
        if (typableByKeys(character))
            break;
        missing.emplace_back(character);
    }
    if (missing.empty() || !pastes() || !clipboard_)
        return Duration{0}; // a character that cannot be pasted names itself when typed
    if (paste_ && !paste_->pasted && paste_->characters == missing)
        return desktopCopyWait(); // on the clipboard already
    if (const auto due = clipboard_->ownerNewsDue())
        return Duration(*due); // what the user has there is kept before the offer
    std::string joined;
    for (const std::string& character : missing)
        joined += character;
    paste_.reset();
    if (auto why = clipboard_->offer(joined))
        return Unexpected{std::move(*why)};
    paste_ = Paste{std::move(missing), 0, std::nullopt, std::nullopt};
    offeredInText_ = true;
    return desktopCopyWait();
}

PortalInput::Duration PortalInput::desktopCopyWait() const {
    const auto due = clipboard_ ? clipboard_->desktopCopyDue() : std::nullopt;
    return due ? Duration(std::min<Duration>(*due, pastePoll)) : Duration{0};
}

bool PortalInput::isPrepared(std::string_view character) {
    if (awaitPaste() == PasteWait::awaited || pasteProblem_)
        return false; // keys after a paste would overtake it
    if (typableByKeys(character))
        return true;
    if (paste_ && !paste_->pasted && desktopCopyWait() > Duration{0})
        return false; // its fetch would be taken for the application's
    return paste_ && paste_->next < paste_->characters.size() &&
           paste_->characters[paste_->next] == character;
}

Expected<PortalInput::Duration> PortalInput::prepareKey(Key, Modifiers) {
    // Tab or Return right after a paste would move on before the application took it.
    return waitForPaste().value_or(Duration{0});
}

void PortalInput::endText() {
    if (!offeredInText_)
        return;
    offeredInText_ = false;
    putBackDue_ = true;
    if (awaitPaste() == PasteWait::none)
        putBackUsersClipboard();
}

void PortalInput::releaseAll() {
    // A run stopped in the middle of a text: the user's clipboard goes back, unless the paste
    // key went and the application has yet to fetch the text (it would get the user's instead).
    if (awaitPaste() == PasteWait::awaited)
        putBackDue_ = true;
    else if (paste_ || putBackDue_)
        putBackUsersClipboard();
    while (!held_.empty()) {
        const Keysym symbol = *held_.begin();
        if (!keysym(symbol, false))
            held_.erase(held_.begin()); // the session is gone: nothing is held any more
    }
#if KEYFERRY_WITH_LIBEI
    if (ei_)
        ei_->releaseAll(); // character keys and buttons, held by keycode
#endif
}

} // namespace keyferry::wayland
