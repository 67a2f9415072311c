// keyferry-guardian: gives the keyboard back when the Keyferry process that started it ends
// without doing so itself. GuardianJournal starts it with its end of a socket pair as fd 3
// and tells it, line by line, what the run holds and has bound; at the end of that stream it
// releases and restores whatever is still recorded, then exits.
//
// Usage: keyferry-guardian --display NAME [--watch WINDOW:TOKEN] [--journal FILE]

#include "platform/x11/guardian/GuardianState.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

using namespace keyferry::x11;

namespace {

constexpr int channel = 3;

struct Options {
    std::string display;
    Window watch = None;
    std::string token;
    std::string journal;
};

// Read by the I/O error handler, which may run at any X call. The temporary file (named as
// KeymapJournalFile names it) is there if the run was killed while replacing the journal.
const char* journalFile = nullptr;
const char* journalTemporary = nullptr;

void removeJournal() {
    if (journalFile)
        ::unlink(journalFile);
    if (journalTemporary)
        ::unlink(journalTemporary);
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0; // a window or keycode that went away: nothing to give back there
}

int serverGone(Display*) {
    // The X server ended, and with it every key and keycode it held.
    removeJournal();
    ::_exit(0);
}

std::optional<Options> parseArguments(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        const std::string_view value = argv[i + 1];
        if (name == "--display") {
            options.display = value;
        } else if (name == "--journal") {
            options.journal = value;
        } else if (name == "--watch") {
            const std::size_t colon = value.find(':');
            if (colon == std::string_view::npos)
                return std::nullopt;
            options.watch = std::strtoul(std::string(value.substr(0, colon)).c_str(), nullptr, 0);
            options.token = value.substr(colon + 1);
        } else {
            return std::nullopt;
        }
    }
    if (argc % 2 == 0 || options.display.empty())
        return std::nullopt;
    return options;
}

void writeAll(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(channel, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Requests the run sent just before it was killed may still wait in its socket; the server
// would carry them out after our undo. Closing its connection first discards them. The
// server is grabbed so that the window cannot pass to another client between check and kill.
void closeWatchedConnection(Display* display, const Options& options) {
    if (options.watch == None)
        return;
    const Atom property = XInternAtom(display, guardianWatchProperty, True);
    if (property == None)
        return;
    XGrabServer(display);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, options.watch, property, 0, 64, False, XA_STRING,
                                         &type, &format, &count, &after, &data) == Success;
    const bool ours = read && data && format == 8 &&
                      std::string_view(reinterpret_cast<char*>(data), count) == options.token;
    if (data)
        XFree(data);
    if (ours)
        XKillClient(display, options.watch);
    XUngrabServer(display);
    XSync(display, False);
}

// The channel closed without "end". A process that ends closes its descriptors a moment
// before its children pass to another parent, so give it that moment; a run that is still
// our parent after it let go of the channel while alive, and its connection stays.
bool runHasEnded(pid_t run) {
    for (int waited = 0; waited < 500; ++waited) {
        if (::getppid() != run)
            return true;
        ::usleep(1000);
    }
    return false;
}

void giveBack(Display* display, const GuardianState& state) {
    const auto& keys = state.heldKeys();
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        XTestFakeKeyEvent(display, *key, False, CurrentTime);
    for (unsigned int button : state.heldButtons())
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    for (const BorrowedKeycode& borrowed : state.borrowed())
        borrowed.restoreIn(display);
    XSync(display, False);
}

} // namespace

int main(int argc, char** argv) {
    // Out of the terminal's process group: Ctrl+C there is for Keyferry, not for us. And
    // "pkill keyferry" matches us too, yet Keyferry may need us most right then. We end when
    // the run's end closes our channel.
    ::setsid();
    for (int ignored : {SIGINT, SIGHUP, SIGPIPE, SIGTERM})
        std::signal(ignored, SIG_IGN);

    struct stat channelInfo {};
    const auto options = parseArguments(argc, argv);
    if (::fstat(channel, &channelInfo) != 0 || !S_ISSOCK(channelInfo.st_mode) || !options) {
        std::fputs("keyferry-guardian is started by Keyferry; it is not a command.\n", stderr);
        if (S_ISSOCK(channelInfo.st_mode))
            writeAll("error bad arguments\n");
        return 2;
    }
    const std::string temporary = options->journal + ".tmp";
    if (!options->journal.empty()) {
        journalFile = options->journal.c_str();
        journalTemporary = temporary.c_str();
    }

    XSetErrorHandler(ignoreErrors);
    XSetIOErrorHandler(serverGone);
    Display* display = XOpenDisplay(options->display.c_str());
    if (!display) {
        writeAll("error cannot open display " + options->display + "\n");
        return 1;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        writeAll("error the display has no XTest\n");
        XCloseDisplay(display);
        return 1;
    }
    // The run's process: once it has ended, we belong to another parent.
    const pid_t run = ::getppid();
    writeAll("ready " + std::to_string(guardianProtocolVersion) + "\n");

    GuardianState state;
    std::string pending;
    char chunk[1 << 16];
    pollfd sources[2] = {{channel, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
    for (;;) {
        if (::poll(sources, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        // Events we did not ask for (MappingNotify goes to everyone); reading also notices a
        // server that went away.
        if (sources[1].revents) {
            while (XPending(display)) {
                XEvent ignored;
                XNextEvent(display, &ignored);
            }
        }
        if (!sources[0].revents)
            continue;
        const ssize_t got = ::read(channel, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // the run's process ended, or let go of us
        pending.append(chunk, static_cast<std::size_t>(got));
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos;
             start = end + 1)
            state.apply(std::string_view(pending).substr(start, end - start));
        pending.erase(0, start);
    }

    if (!state.endedCleanly() && runHasEnded(run))
        closeWatchedConnection(display, *options);
    giveBack(display, state);
    removeJournal();
    XCloseDisplay(display);
    return 0;
}
