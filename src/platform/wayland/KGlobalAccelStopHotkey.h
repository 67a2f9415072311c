#pragma once

#include <QObject>
#include <QStringList>

#include "automation/DesktopServices.h"
#include "model/Expected.h"

#include <memory>
#include <optional>
#include <string>

namespace keyferry::wayland {

class ExitCleanup;

/// The stop shortcut Ctrl+Shift+Esc as a global shortcut of KDE's (the kglobalaccel service,
/// inside KWin on Plasma 5.27), reported as that key press while this object lives. KDE
/// keeps a global shortcut's key from the applications.
class KGlobalAccelStopHotkey final : public QObject, public InputListener {
    Q_OBJECT
public:
    static constexpr KeyCombination combination{Key::escape, Modifier::control | Modifier::shift};
    /// How Keyferry's component is named to kglobalaccel.
    static constexpr const char* component = "keyferry";
    /// The action of this process: one per process, so that one Keyferry ending leaves
    /// another's shortcut alone (and a second one is told the key is taken).
    static std::string actionName();

    /// Registers the shortcut; fails with why when the service cannot be reached or the key
    /// belongs to another global shortcut.
    static Expected<std::unique_ptr<KGlobalAccelStopHotkey>>
    start(DesktopServices::Callback callback);
    /// Why the shortcut cannot be registered now; nothing when it can.
    static std::optional<std::string> unavailable();
    ~KGlobalAccelStopHotkey() override;

private Q_SLOTS:
    void pressed(const QString& componentUnique, const QString& actionUnique, qlonglong time);

private:
    explicit KGlobalAccelStopHotkey(DesktopServices::Callback callback);

    DesktopServices::Callback callback_;
    QString componentPath_;
    bool registered_ = false;
    std::unique_ptr<ExitCleanup> unregisterAtExit_; ///< should Keyferry end without doing it
};

} // namespace keyferry::wayland
