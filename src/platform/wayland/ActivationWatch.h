#pragma once

#include "platform/wayland/WaylandHandles.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct wl_array;
struct wl_callback;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace keyferry::wayland {

class WaylandConnection;

/// Which window the compositor activates, told on the connection that carries Keyferry's
/// keys. A Wayland client cannot hold the focus still while it checks it and sends a key, as
/// an X11 server grab does; but the compositor answers each connection in order, so what
/// arrives here before the answer to a key tells whether the focus moved before the key was
/// handled: a key that may have reached another window is never passed over in silence.
class ActivationWatch {
public:
    /// Nothing when the compositor does not offer the foreign toplevel protocol.
    static std::unique_ptr<ActivationWatch> create(WaylandConnection& connection);
    ActivationWatch(const ActivationWatch&) = delete;
    ActivationWatch& operator=(const ActivationWatch&) = delete;
    ~ActivationWatch();

    /// Handles what has arrived without waiting; how often the active window has changed.
    std::uint64_t changes();
    /// Asks the compositor to say when it has handled what was sent so far, which was sent
    /// on the strength of a focus check made when changes() was `checkedAt`.
    void markSent(std::uint64_t checkedAt);
    /// Keys handled after the focus had moved away from where they were checked.
    struct Stray {
        std::string appID; ///< of the window active then; "" when none or unknown
        int keys = 0;
    };
    /// What was marked sent and handled after the focus moved; reported once. `wait` first
    /// waits until the compositor has handled everything marked; so does a stray found
    /// without waiting, so that every key of it is counted.
    std::optional<Stray> takeStray(bool wait);

private:
    struct Toplevel {
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        std::string appID;
        bool activated = false;
    };
    struct Mark {
        ActivationWatch* owner = nullptr;
        wl_callback* callback = nullptr;
        std::uint64_t checkedAt = 0;
    };

    explicit ActivationWatch(WaylandConnection& connection) : connection_(connection) {}
    static void destroyManager(zwlr_foreign_toplevel_manager_v1* manager);
    Toplevel* find(zwlr_foreign_toplevel_handle_v1* handle);
    void activeChanged(const Toplevel& toplevel);

    static void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                           zwlr_foreign_toplevel_handle_v1* handle);
    static void onFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);
    static void onAppID(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appID);
    static void onState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states);
    static void onClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void onHandled(void* data, wl_callback* callback, std::uint32_t);

    WaylandConnection& connection_;
    Handle<zwlr_foreign_toplevel_manager_v1, destroyManager> manager_;
    std::vector<std::unique_ptr<Toplevel>> toplevels_;
    std::vector<std::unique_ptr<Mark>> marks_;
    std::uint64_t changes_ = 0;
    std::string activeAppID_;
    std::optional<Stray> stray_;
};

} // namespace keyferry::wayland
