// What the desktop description says a desktop lacks, why and what the user can do, as the
// platforms word it. Listed here so that lupdate finds them; translatedCoreText looks them up
// by their English text. A reason that carries a detail only known at run time (an error from
// the bus) is matched by a pattern in CoreText.cpp instead.

#include <QtGlobal>

#include <array>

namespace keyferry {

namespace {

[[maybe_unused]] constexpr std::array desktopTexts = {
    // One missing capability in a step's or a run's refusal.
    QT_TRANSLATE_NOOP("keyferry::CoreText", "“%1” is missing: %2. What you can do: %3."),
    // Desktops and capabilities, by name.
    QT_TRANSLATE_NOOP("keyferry::CoreText", "other wlroots compositor"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "simulated"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "unknown"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "type layout text"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "type any text"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "click"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "list windows"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "activate"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "window bounds"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "stop hotkey"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "record keys"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "record fields"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "pause on user input"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "see the user's clicks"),
    // Why a capability is missing.
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the X server lacks XTest or XInput2, or assistive technologies are off"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "this desktop is not one Keyferry knows"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Keyferry's GNOME Shell extension is not running"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "KDE Plasma on Wayland does not offer its virtual keyboard to applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "KDE Plasma on Wayland does not offer its virtual pointer to applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the desktop portal types only the characters of your keyboard layout"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the size of the desktop is unknown without sway's IPC"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "this compositor tells applications no window positions"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "no Wayland compositor lets an application see keys meant for others, and "
                      "only sway's IPC can make a shortcut for Keyferry"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "no Wayland compositor lets an application watch the keys typed into other "
                      "applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the recorder follows the focus from field to field through the "
                      "accessibility bus, which cannot be reached"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "a recording ends with Esc, which only Keyferry's GNOME Shell extension can "
                      "keep from the applications for Keyferry"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "a recording ends with Esc, which only sway's IPC or KDE's global shortcuts "
                      "can keep from the applications for Keyferry"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "Wayland shows Keyferry none of your own key presses and clicks, so a run "
                      "does not pause when you type or click (it still pauses when the focus "
                      "leaves the target window)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "no Wayland compositor lets an application see clicks made in other "
                      "applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the compositor offers no virtual keyboard to applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the compositor offers no virtual pointer to applications"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "the keymap could not be uploaded"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "no sway IPC socket (SWAYSOCK is not set)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "the desktop portal places clicks only within a screen cast, which Keyferry "
                      "does not ask for"),
    // What the user can do about it.
    QT_TRANSLATE_NOOP("keyferry::CoreText", "use a desktop that offers it"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "turn on assistive technologies (accessibility) in the desktop's settings "
                      "and log in again"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "log in to an X11 (Xorg) session, or use sway or another wlroots compositor"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "turn on Keyferry's GNOME Shell extension (Keyferry's start script installs "
                      "it): gnome-extensions enable keyferry@keyferry.org, then log out and in "
                      "again"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "keep to your layout's characters or add a layout that has them; a run "
                      "names the characters it cannot type before it starts"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "install xdg-desktop-portal and xdg-desktop-portal-gnome"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "use Tab and arrow keys instead of clicks, or run on an X11 session"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "start Keyferry from inside the sway session, so that SWAYSOCK is set, or "
                      "use sway"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "use templates without clicks at window positions, or use sway"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "stop a run with Ctrl+C in its terminal or the Stop button in Keyferry's "
                      "window"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "record the template on an X11 session, or write its steps in the template "
                      "editor"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "turn on assistive technologies in your session, or add the fields as steps "
                      "in the template editor"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "record on sway, started so that SWAYSOCK is set, or add the fields as steps "
                      "in the template editor"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "keep your hands off the keyboard and mouse during a run, or stop it first"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "use a Pause step instead of waiting for a click, or run on an X11 session"),
};

} // namespace

} // namespace keyferry
