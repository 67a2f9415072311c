#include "platform/wayland/ForeignToplevelWindows.h"

#include "platform/common/ApplicationNames.h"
#include "platform/wayland/ToplevelStates.h"
#include "platform/wayland/WaylandConnection.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <algorithm>
#include <wayland-client.h>

namespace keyferry::wayland {

void ForeignToplevelWindows::destroyManager(zwlr_foreign_toplevel_manager_v1* manager) {
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
}

std::unique_ptr<ForeignToplevelWindows>
ForeignToplevelWindows::create(WaylandConnection& connection) {
    const auto global = connection.foreignToplevelGlobal();
    if (!global)
        return nullptr;
    std::unique_ptr<ForeignToplevelWindows> windows(new ForeignToplevelWindows(connection));
    windows->manager_.reset(static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        connection.registry(), global->name, &zwlr_foreign_toplevel_manager_v1_interface,
        std::min<std::uint32_t>(global->version, 3))));
    static const zwlr_foreign_toplevel_manager_v1_listener listener = {
        .toplevel = &ForeignToplevelWindows::onToplevel,
        .finished = &ForeignToplevelWindows::onFinished,
    };
    zwlr_foreign_toplevel_manager_v1_add_listener(windows->manager_.get(), &listener,
                                                  windows.get());
    // Every window that exists now, then its details.
    if (!connection.roundtrip() || !connection.roundtrip())
        return nullptr;
    return windows;
}

ForeignToplevelWindows::ForeignToplevelWindows(WaylandConnection& connection)
    : connection_(connection) {}

ForeignToplevelWindows::~ForeignToplevelWindows() {
    for (const auto& toplevel : toplevels_)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
}

void ForeignToplevelWindows::onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                        zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ForeignToplevelWindows*>(data);
    static const zwlr_foreign_toplevel_handle_v1_listener listener = {
        .title = [](void*, zwlr_foreign_toplevel_handle_v1*, const char*) {},
        .app_id = &ForeignToplevelWindows::onAppID,
        .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .state = &ForeignToplevelWindows::onState,
        .done = &ForeignToplevelWindows::onDone,
        .closed = &ForeignToplevelWindows::onClosed,
        .parent = &ForeignToplevelWindows::onParent,
    };
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->id = self->nextID_++; // never reused: a window that comes later is another one
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, self);
    self->toplevels_.push_back(std::move(toplevel));
}

void ForeignToplevelWindows::onFinished(void* data, zwlr_foreign_toplevel_manager_v1*) {
    // The compositor announces no more windows; the handles known stay until closed.
    static_cast<ForeignToplevelWindows*>(data)->manager_.reset();
}

void ForeignToplevelWindows::onAppID(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                                     const char* appID) {
    if (Toplevel* toplevel = static_cast<ForeignToplevelWindows*>(data)->find(handle))
        toplevel->pendingAppID = appID;
}

void ForeignToplevelWindows::onState(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                                     wl_array* states) {
    Toplevel* toplevel = static_cast<ForeignToplevelWindows*>(data)->find(handle);
    if (!toplevel)
        return;
    toplevel->pendingActivated =
        hasToplevelState(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
    toplevel->pendingMinimized =
        hasToplevelState(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED);
}

void ForeignToplevelWindows::onDone(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ForeignToplevelWindows*>(data);
    Toplevel* toplevel = self->find(handle);
    if (!toplevel)
        return;
    toplevel->appID = toplevel->pendingAppID;
    if (toplevel->pendingActivated && !toplevel->activated)
        toplevel->lastActivated = ++self->activations_;
    toplevel->activated = toplevel->pendingActivated;
    toplevel->minimized = toplevel->pendingMinimized;
}

void ForeignToplevelWindows::onClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ForeignToplevelWindows*>(data);
    std::erase_if(self->toplevels_,
                  [&](const auto& toplevel) { return toplevel->handle == handle; });
    for (const auto& toplevel : self->toplevels_)
        if (toplevel->parent == handle)
            toplevel->parent = nullptr;
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

void ForeignToplevelWindows::onParent(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                                      zwlr_foreign_toplevel_handle_v1* parent) {
    if (Toplevel* toplevel = static_cast<ForeignToplevelWindows*>(data)->find(handle))
        toplevel->parent = parent;
}

ForeignToplevelWindows::Toplevel*
ForeignToplevelWindows::find(zwlr_foreign_toplevel_handle_v1* handle) {
    for (const auto& toplevel : toplevels_)
        if (toplevel->handle == handle)
            return toplevel.get();
    return nullptr;
}

const ForeignToplevelWindows::Toplevel* ForeignToplevelWindows::find(WindowID id) const {
    for (const auto& toplevel : toplevels_)
        if (toplevel->id == id)
            return toplevel.get();
    return nullptr;
}

const std::vector<std::unique_ptr<ForeignToplevelWindows::Toplevel>>&
ForeignToplevelWindows::current() {
    connection_.dispatch();
    // The active window first, then the others by when they were last active.
    std::ranges::stable_sort(toplevels_, std::greater<>{},
                             [](const auto& toplevel) { return toplevel->lastActivated; });
    return toplevels_;
}

std::vector<WindowInfo> ForeignToplevelWindows::windowList() {
    std::vector<WindowInfo> list;
    for (const auto& toplevel : current())
        if (!toplevel->minimized)
            list.push_back({0, Rect{}}); // neither process nor position is known
    return list;
}

std::vector<RunningApplication> ForeignToplevelWindows::runningApplications() {
    std::vector<RunningApplication> applications;
    for (const auto& toplevel : current()) {
        if (toplevel->appID.empty() ||
            std::ranges::find(applications, std::optional(toplevel->appID),
                              &RunningApplication::bundleID) != applications.end())
            continue;
        applications.push_back({toplevel->appID, applicationName(toplevel->appID), 0, true});
    }
    return applications;
}

std::optional<RunningApplication> ForeignToplevelWindows::frontmostApplication() {
    const auto focus = focusedWindow();
    const Toplevel* toplevel = focus ? find(*focus) : nullptr;
    if (!toplevel)
        return std::nullopt;
    if (toplevel->appID.empty())
        return RunningApplication{std::nullopt, std::nullopt, 0, true};
    return RunningApplication{toplevel->appID, applicationName(toplevel->appID), 0, true};
}

bool ForeignToplevelWindows::activate(const RunningApplication& application) {
    if (!application.bundleID)
        return false;
    // The application's window that was active last.
    for (const auto& toplevel : current()) {
        if (toplevel->appID != *application.bundleID)
            continue;
        zwlr_foreign_toplevel_handle_v1_activate(toplevel->handle, connection_.seat());
        return connection_.flush();
    }
    return false;
}

std::optional<WindowID> ForeignToplevelWindows::focusedWindow() {
    for (const auto& toplevel : current())
        if (toplevel->activated)
            return toplevel->id;
    return std::nullopt;
}

std::optional<WindowID> ForeignToplevelWindows::windowAt(Point) {
    return std::nullopt; // the protocol tells no positions
}

std::vector<WindowID> ForeignToplevelWindows::topLevelWindows() {
    std::vector<WindowID> windows;
    for (const auto& toplevel : current())
        windows.push_back(toplevel->id);
    return windows;
}

std::optional<WindowFacts> ForeignToplevelWindows::windowFacts(WindowID id) {
    current();
    const Toplevel* toplevel = find(id);
    if (!toplevel)
        return std::nullopt;
    WindowFacts facts;
    if (!toplevel->appID.empty())
        facts.bundleID = toplevel->appID;
    if (toplevel->parent)
        if (const Toplevel* parent = find(toplevel->parent))
            facts.transientFor = parent->id;
    return facts;
}

} // namespace keyferry::wayland
