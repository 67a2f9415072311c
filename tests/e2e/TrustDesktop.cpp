#include "TrustDesktop.h"

#include "model/TemplateJson.h"
#include "support/Shell.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <cstdio>
#include <set>
#include <sys/stat.h>

namespace keyferry::testing {

namespace {

// Windows of the tests come and go; a request on one that has just gone must not end the
// test program (Xlib's default handler exits).
int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

std::vector<unsigned long> cardinals(Display* display, Window window, const char* name, Atom type) {
    std::vector<unsigned long> values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 65536, False,
                           type, &actualType, &format, &count, &remaining, &data) == Success &&
        data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

} // namespace

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string csvOf(const std::vector<std::string>& labels,
                  const std::vector<std::vector<std::string>>& rows) {
    std::string csv;
    for (std::size_t i = 0; i < labels.size(); ++i)
        csv += (i ? ";" : "") + csvField(labels[i]);
    csv += "\n";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            csv += (i ? ";" : "") + csvField(row[i]);
        csv += "\n";
    }
    return csv;
}

std::string escaped(const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

std::string repeatedTo(const std::string& pattern, std::size_t scalars) {
    std::string text;
    std::size_t count = 0;
    for (std::size_t i = 0;; i = (i + 1) % pattern.size()) {
        const bool startsCharacter = (static_cast<unsigned char>(pattern[i]) & 0xC0) != 0x80;
        if (startsCharacter && count++ == scalars)
            return text;
        text += pattern[i];
    }
}

void settle(std::chrono::milliseconds duration) {
    spinUntil([] { return false; }, duration);
}

std::size_t fileSize(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

Step makeStep(StepType type, std::string label, double postDelay) {
    Step step = Step::ofType(type);
    step.label = std::move(label);
    step.postDelay = postDelay;
    return step;
}

std::vector<std::string> catTerminal(const std::filesystem::path& file,
                                     const std::vector<std::string>& xtermOptions) {
    std::vector<std::string> command = {"env", "LANG=C.UTF-8", "LC_ALL=C.UTF-8", "xterm", "-u8"};
    command.insert(command.end(), xtermOptions.begin(), xtermOptions.end());
    command.insert(command.end(),
                   {"-e", "sh", "-c", "stty raw -echo && exec cat >" + shellQuote(file.string())});
    return command;
}

// KeyferryRun

KeyferryRun::KeyferryRun(std::filesystem::path folder, const Template& item, const std::string& csv)
    : folder_(std::move(folder)), templateName_(item.name) {
    std::filesystem::create_directories(folder_ / "data" / "Keyferry");
    writeText(folder_ / "data" / "Keyferry" / "templates.json", *encodeTemplates({item}));
    writeText(folder_ / "rows.csv", csv);
}

KeyferryRun::~KeyferryRun() {
    // A test that gave up midway stops the run as Ctrl+C would, so it gives the keyboard
    // back; it is killed only if it does not end.
    if (process_ && running()) {
        signal(SIGTERM);
        wait(std::chrono::seconds(5));
    }
}

void KeyferryRun::start() {
    ++runs_;
    // Signals go to Keyferry itself, so the shell only redirects and replaces itself.
    const std::string command =
        "export XDG_DATA_HOME=" + shellQuote((folder_ / "data").string()) +
        " XDG_STATE_HOME=" + shellQuote((folder_ / "state").string()) +
        " XDG_CONFIG_HOME=" + shellQuote((folder_ / "config").string()) + "; exec " +
        shellQuote(KEYFERRY_BINARY) + " run --template " + shellQuote(templateName_) + " --csv " +
        shellQuote((folder_ / "rows.csv").string()) + " >" +
        shellQuote((folder_ / ("run-" + std::to_string(runs_) + ".txt")).string()) + " 2>&1";
    process_ = std::make_unique<Process>(std::vector<std::string>{"sh", "-c", command});
}

int KeyferryRun::wait(std::chrono::milliseconds timeout) {
    return process_ ? process_->wait(timeout) : -1;
}

bool KeyferryRun::running() {
    if (!process_)
        return false;
    // A zombie is a child that has ended; its state letter is Z.
    const std::string stat = readText("/proc/" + std::to_string(process_->pid()) + "/stat");
    const auto close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

void KeyferryRun::signal(int number) {
    if (process_)
        ::kill(process_->pid(), number);
}

std::string KeyferryRun::output() const {
    return readText(folder_ / ("run-" + std::to_string(runs_) + ".txt"));
}

// KeyboardLayout

KeyboardLayout::KeyboardLayout(const std::string& layout) {
    shell("setxkbmap " + shellQuote(layout) + " 2>&1");
    const std::string query = shell("setxkbmap -query");
    active_ = query.find("layout:     " + layout + "\n") != std::string::npos;
}

KeyboardLayout::~KeyboardLayout() {
    shell("setxkbmap us 2>&1");
}

bool keymapBecomes(const std::string& before, std::chrono::milliseconds timeout) {
    return spinUntil([&] { return shell("xmodmap -pke") == before; }, timeout);
}

// XSession

XSession::XSession() {
    XSetErrorHandler(ignoreXErrors);
    display_ = XOpenDisplay(nullptr);
}

XSession::~XSession() {
    if (display_)
        XCloseDisplay(display_);
}

std::vector<XWindow> XSession::clients() {
    return cardinals(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST", XA_WINDOW);
}

std::string XSession::windowClass(XWindow window) {
    XClassHint hint{};
    std::string name;
    if (XGetClassHint(display_, window, &hint)) {
        if (hint.res_class)
            name = hint.res_class;
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return name;
}

pid_t XSession::windowProcess(XWindow window) {
    const auto pid = cardinals(display_, window, "_NET_WM_PID", XA_CARDINAL);
    return pid.empty() ? -1 : static_cast<pid_t>(pid.front());
}

std::optional<XWindow> XSession::waitForWindowOf(pid_t pid, std::chrono::milliseconds timeout) {
    std::optional<XWindow> found;
    spinUntil(
        [&] {
            for (const XWindow window : clients())
                if (windowProcess(window) == pid) {
                    found = window;
                    return true;
                }
            return false;
        },
        timeout);
    return found;
}

XWindow XSession::focusedClient() {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const auto managed = clients();
    const std::set<XWindow> clientSet(managed.begin(), managed.end());
    const Window root = DefaultRootWindow(display_);
    // The focus may sit on a child (a toolkit's focus proxy); its managed ancestor counts.
    while (focus != None && focus != PointerRoot && focus != root) {
        if (clientSet.contains(focus))
            return focus;
        Window parent = None, rootReturn = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, focus, &rootReturn, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        focus = parent;
    }
    return 0;
}

void XSession::requestActivation(XWindow window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // a pager: the window manager does not second-guess it
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
}

XWindow XSession::activeWindow() {
    const auto active =
        cardinals(display_, DefaultRootWindow(display_), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? 0 : active.front();
}

bool XSession::activate(XWindow window, std::chrono::milliseconds timeout) {
    // Asked once: a window manager that lags behind would carry out repeated requests
    // later, in the middle of what comes next.
    requestActivation(window);
    return spinUntil([&] { return focusedClient() == window && activeWindow() == window; },
                     timeout);
}

bool XSession::windowManagerResponds(std::chrono::milliseconds timeout) {
    // A request the manager answers on a window of ours: once the answer is there, it has
    // handled everything sent before.
    const Window root = DefaultRootWindow(display_);
    const Window probe = XCreateSimpleWindow(display_, root, -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display_, probe, PropertyChangeMask);
    const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display_, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display_);
    const bool answered = spinUntil(
        [&] {
            XEvent event;
            while (XCheckTypedWindowEvent(display_, probe, PropertyNotify, &event))
                if (event.xproperty.atom == extents)
                    return true;
            return false;
        },
        timeout);
    XDestroyWindow(display_, probe);
    XSync(display_, False);
    return answered;
}

void XSession::takeFocus(XWindow window) {
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
    requestActivation(window);
}

std::string XSession::describe() {
    std::string text = "windows:";
    for (const XWindow window : clients()) {
        char* name = nullptr;
        XFetchName(display_, window, &name);
        text += "\n  " + std::to_string(window) + " " + windowClass(window) + " pid " +
                std::to_string(windowProcess(window)) + " \"" + (name ? name : "") + "\"";
        if (name)
            XFree(name);
    }
    return text + "\nactive " + std::to_string(activeWindow()) + ", focus in " +
           std::to_string(focusedClient());
}

std::vector<int> XSession::keysDown() {
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    std::vector<int> down;
    for (int code = 0; code < 256; ++code)
        if (keys[code / 8] & (1 << (code % 8)))
            down.push_back(code);
    return down;
}

void XSession::parkPointer() {
    const Window root = DefaultRootWindow(display_);
    XWarpPointer(display_, None, root, 0, 0, 0, 0, DisplayWidth(display_, 0) - 1,
                 DisplayHeight(display_, 0) - 1);
    XSync(display_, False);
}

// KeyPressSpy

KeyPressSpy::KeyPressSpy() {
    XSetErrorHandler(ignoreXErrors);
    display_ = XOpenDisplay(nullptr);
    if (!display_)
        return;
    int event = 0, error = 0, opcode = 0;
    int major = 2, minor = 2;
    if (XQueryExtension(display_, "XInputExtension", &opcode, &event, &error) &&
        XIQueryVersion(display_, &major, &minor) == Success)
        opcode_ = opcode;
    // The server announces mapping changes to this connection only once it has read the
    // keyboard mapping through XKB, as the key names below do.
    int first = 0, last = 0;
    XDisplayKeycodes(display_, &first, &last);
    XkbKeycodeToKeysym(display_, static_cast<KeyCode>(first), 0, 0);
}

KeyPressSpy::~KeyPressSpy() {
    if (display_)
        XCloseDisplay(display_);
}

void KeyPressSpy::select(unsigned long window, std::size_t& count) {
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_KeyPress);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, window, &mask, 1);
    ++count;
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int childCount = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &childCount))
        return;
    for (unsigned int i = 0; i < childCount; ++i)
        select(children[i], count);
    if (children)
        XFree(children);
}

std::size_t KeyPressSpy::watch(XWindow topLevel) {
    std::size_t count = 0;
    if (ready())
        select(topLevel, count);
    XSync(display_, False);
    return count;
}

std::size_t KeyPressSpy::presses() {
    while (ready() && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == MappingNotify) {
            ++mappingChanges_;
            XRefreshKeyboardMapping(&event.xmapping);
            continue;
        }
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != opcode_ ||
            !XGetEventData(display_, cookie))
            continue;
        if (cookie->evtype == XI_KeyPress) {
            const auto* key = static_cast<const XIDeviceEvent*>(cookie->data);
            ++presses_;
            const KeySym symbol =
                XkbKeycodeToKeysym(display_, static_cast<KeyCode>(key->detail), 0, 0);
            const char* name = symbol != NoSymbol ? XKeysymToString(symbol) : nullptr;
            if (keys_.size() < 2000)
                keys_ += (keys_.empty() ? "" : " ") +
                         (name ? std::string(name) : "#" + std::to_string(key->detail));
        }
        XFreeEventData(display_, cookie);
    }
    return presses_;
}

void KeyPressSpy::reset() {
    presses();
    presses_ = 0;
    mappingChanges_ = 0;
    keys_.clear();
}

unsigned portalVersion() {
    const std::string reply =
        shell("gdbus call --session --dest org.freedesktop.portal.Desktop --object-path "
              "/org/freedesktop/portal/desktop --method org.freedesktop.DBus.Properties.Get "
              "org.freedesktop.portal.RemoteDesktop version 2>/dev/null");
    // (<uint32 2>,)
    const auto number = reply.find_first_of("0123456789", reply.find("uint32"));
    return number == std::string::npos ? 0
                                       : static_cast<unsigned>(std::stoul(reply.substr(number)));
}

} // namespace keyferry::testing
