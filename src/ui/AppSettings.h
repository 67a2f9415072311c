#pragma once

namespace keyferry {

/// Keyferry's own preferences, shared by the window and the command line
/// (`$XDG_CONFIG_HOME/Keyferry/Keyferry.ini`).
class AppSettings {
public:
    /// Whether a key press or click of the user's pauses a run. On unless switched off.
    static bool pauseOnUserInput();
    static void setPauseOnUserInput(bool pause);
};

} // namespace keyferry
