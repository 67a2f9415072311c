#pragma once

#include "Desktop.h"
#include "model/Template.h"
#include "support/TemporaryFolder.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Helpers of the end-to-end tests that hold a run to what it promises the user: exact text
// in real applications on several keyboard layouts, no key press in a window that took the
// focus, a prompt end on Ctrl+C. They talk to the X server through their own connections,
// never through Keyferry's code, so they can judge it.

struct _XDisplay; // Xlib's Display, kept out of this header for its macros

namespace keyferry::testing {

using XWindow = unsigned long;

/// `text` in single quotes for sh.
std::string shellQuote(const std::string& text);
/// The RemoteDesktop interface version the desktop portal offers; 0 when it does not answer.
unsigned portalVersion();

/// One CSV field as the import reads it: quoted when it holds ';', '"' or a line break.
std::string csvField(const std::string& text);
/// A CSV file's text: the header line, then one line per row.
std::string csvOf(const std::vector<std::string>& labels,
                  const std::vector<std::vector<std::string>>& rows);

/// Bytes shown with C escapes for everything outside printable ASCII, for failure messages.
std::string escaped(const std::string& bytes);

/// `pattern` (UTF-8) repeated up to `scalars` characters.
std::string repeatedTo(const std::string& pattern, std::size_t scalars);

/// Lets `duration` pass with the Qt event loop turning.
void settle(std::chrono::milliseconds duration);

/// Size of a file in bytes, 0 when it is missing.
std::size_t fileSize(const std::filesystem::path& path);

/// A template step of `type` with a label and a delay after it.
Step makeStep(StepType type, std::string label, double postDelay);

/// The command of an xterm in UTF-8 whose terminal hands every byte unchanged to `cat`,
/// which writes them to `file`; the file appears once the terminal is set up. Ctrl+A
/// arrives as 0x01, BackSpace as 0x7F, Tab as 0x09 and Return as 0x0D.
std::vector<std::string> catTerminal(const std::filesystem::path& file,
                                     const std::vector<std::string>& xtermOptions = {});

/// `keyferry run` as the user starts it: the template stored in a data folder of its own,
/// the rows in a CSV file, everything it prints kept in a file.
class KeyferryRun {
public:
    /// Writes the template and `csv` (header line included) under `folder`.
    KeyferryRun(std::filesystem::path folder, const Template& item, const std::string& csv);
    KeyferryRun(const KeyferryRun&) = delete;
    KeyferryRun& operator=(const KeyferryRun&) = delete;
    ~KeyferryRun();

    void start();
    /// The exit code once it has ended; -1 when a signal ended it or it was killed at the
    /// deadline.
    int wait(std::chrono::milliseconds timeout = std::chrono::seconds(120));
    bool running();
    void signal(int number);
    std::string output() const;

private:
    std::filesystem::path folder_;
    std::string templateName_;
    std::unique_ptr<Process> process_;
    int runs_ = 0;
};

/// The keyboard layout of the test desktop set with setxkbmap, and "us" again at the end,
/// whatever happened in between.
class KeyboardLayout {
public:
    explicit KeyboardLayout(const std::string& layout);
    KeyboardLayout(const KeyboardLayout&) = delete;
    KeyboardLayout& operator=(const KeyboardLayout&) = delete;
    ~KeyboardLayout();
    /// Whether the server reports the layout that was asked for.
    bool active() const { return active_; }

private:
    bool active_ = false;
};

/// `xmodmap -pke` equals `before`, checked until the deadline: a restore of borrowed
/// keycodes may land a little after the run has ended.
bool keymapBecomes(const std::string& before,
                   std::chrono::milliseconds timeout = std::chrono::seconds(2));

/// A connection of the test's own to the X server: windows, focus, activation, keys down.
class XSession {
public:
    XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    ~XSession();
    bool connected() const { return display_ != nullptr; }

    /// The managed top-level windows (_NET_CLIENT_LIST).
    std::vector<XWindow> clients();
    /// The class part of WM_CLASS ("XTerm", "Chromium").
    std::string windowClass(XWindow window);
    pid_t windowProcess(XWindow window);
    /// The first managed window of a process, waited for up to `timeout`.
    std::optional<XWindow>
    waitForWindowOf(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    /// The managed window holding the X input focus (what a key press reaches), or 0.
    XWindow focusedClient();
    /// The window the window manager counts as active (_NET_ACTIVE_WINDOW), or 0.
    XWindow activeWindow();
    /// Asks the window manager to activate `window` (as a pager does) and waits until it
    /// holds the input focus and the manager counts it as active.
    bool activate(XWindow window, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    /// Whether the window manager answers a request within `timeout`. One that is still
    /// working through a flood of events (keyboard mapping changes, say) would manage new
    /// windows and carry out activations late.
    bool windowManagerResponds(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    /// Sends the activation request without waiting.
    void requestActivation(XWindow window);
    /// Raises `window` and sets the input focus on it directly, then tells the window
    /// manager: the moment of the change does not depend on how busy the manager is.
    void takeFocus(XWindow window);
    /// Every managed window with its class, process and title, and the focus, for messages.
    std::string describe();
    /// Keycodes the server has down now.
    std::vector<int> keysDown();
    /// The pointer to a corner where no test window is.
    void parkPointer();

private:
    ::_XDisplay* display_ = nullptr;
};

/// Counts the key presses the X server delivers to one application's window: it selects
/// XInput2 key presses of the master keyboard on the window and every window below it,
/// from its own connection. Wherever in that subtree the server delivers a press, this
/// connection gets it, modifiers included. Where the application selected XInput2 key
/// events on the same window (GTK 3) it gets them as well; where it selected core events
/// only (xterm), the server delivers the XInput2 event instead, so such an application
/// sees no key while it is watched. Either way the count is what reached its windows.
class KeyPressSpy {
public:
    KeyPressSpy();
    KeyPressSpy(const KeyPressSpy&) = delete;
    KeyPressSpy& operator=(const KeyPressSpy&) = delete;
    ~KeyPressSpy();
    bool ready() const { return display_ != nullptr && opcode_ >= 0; }

    /// Selects key presses on `topLevel` and its whole subtree; the number of windows.
    std::size_t watch(XWindow topLevel);
    /// Reads what has arrived and returns the presses counted since the last reset.
    std::size_t presses();
    /// Keyboard mapping changes announced (MappingNotify) since the last reset.
    std::size_t mappingChanges() const { return mappingChanges_; }
    /// The keys of those presses by keysym name ("Control_L a b Tab"), for messages.
    std::string pressedKeys() const { return keys_; }
    void reset();

private:
    void select(unsigned long window, std::size_t& count);

    ::_XDisplay* display_ = nullptr;
    int opcode_ = -1;
    std::size_t presses_ = 0;
    std::size_t mappingChanges_ = 0;
    std::string keys_;
};

} // namespace keyferry::testing
