#pragma once

#include <QObject>
#include <QStringList>

#include "automation/DesktopServices.h"
#include "model/Expected.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry::wayland {

class ExitCleanup;

/// Key combinations as global shortcuts of KDE's (the kglobalaccel service, inside KWin on
/// Plasma 5.27), each press reported as that key press while this object lives. KDE keeps a
/// global shortcut's key from the applications.
class KGlobalShortcuts final : public QObject, public InputListener {
    Q_OBJECT
public:
    static constexpr KeyCombination stopShortcut{Key::escape, Modifier::control | Modifier::shift};
    /// How Keyferry's component is named to kglobalaccel.
    static constexpr const char* component = "keyferry";

    /// Registers one action per combination, named `purpose`, a number and this process's id:
    /// one set per process, so that one Keyferry ending leaves another's alone (and a second
    /// one is told a key is taken). A key that belongs to another global shortcut stays with
    /// it and is listed by unconsumable(). Fails with why when the service cannot be reached or
    /// every key is taken; then none stays registered.
    static Expected<std::unique_ptr<KGlobalShortcuts>> start(const std::string& purpose,
                                                             std::vector<KeyCombination> keys,
                                                             DesktopServices::Callback callback);
    /// The action name kglobalaccel knows the `index`th key of `purpose` by, in this process.
    static std::string actionName(const std::string& purpose, std::size_t index);
    /// Whether kglobalaccel is on the session bus.
    static bool serviceIsThere();
    /// Why `key` cannot be registered now; nothing when it can.
    static std::optional<std::string> unavailable(KeyCombination key);
    ~KGlobalShortcuts() override;
    std::vector<KeyCombination> unconsumable() const override { return refused_; }

private Q_SLOTS:
    void pressed(const QString& componentUnique, const QString& actionUnique, qlonglong time);

private:
    KGlobalShortcuts(std::vector<KeyCombination> keys, DesktopServices::Callback callback);

    std::vector<KeyCombination> keys_;
    std::vector<QStringList> actions_;    ///< one per key, registered; empty for a refused key
    std::vector<KeyCombination> refused_; ///< keys another global shortcut has
    DesktopServices::Callback callback_;
    QString componentPath_;
    std::vector<std::unique_ptr<ExitCleanup>> unregisterAtExit_; ///< should Keyferry not do it
};

} // namespace keyferry::wayland
