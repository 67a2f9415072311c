#include "platform/wayland/ActivationWatch.h"

#include "platform/wayland/ToplevelStates.h"
#include "platform/wayland/WaylandConnection.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <algorithm>
#include <wayland-client.h>

namespace keyferry::wayland {

void ActivationWatch::destroyManager(zwlr_foreign_toplevel_manager_v1* manager) {
    zwlr_foreign_toplevel_manager_v1_destroy(manager);
}

std::unique_ptr<ActivationWatch> ActivationWatch::create(WaylandConnection& connection) {
    const auto global = connection.foreignToplevelGlobal();
    if (!global)
        return nullptr;
    std::unique_ptr<ActivationWatch> watch(new ActivationWatch(connection));
    watch->manager_.reset(static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        connection.registry(), global->name, &zwlr_foreign_toplevel_manager_v1_interface, 1)));
    static const zwlr_foreign_toplevel_manager_v1_listener listener = {
        .toplevel = &ActivationWatch::onToplevel,
        .finished = &ActivationWatch::onFinished,
    };
    zwlr_foreign_toplevel_manager_v1_add_listener(watch->manager_.get(), &listener, watch.get());
    // Every window that exists now, then which one is active.
    if (!connection.roundtrip() || !connection.roundtrip())
        return nullptr;
    return watch;
}

ActivationWatch::~ActivationWatch() {
    for (const auto& mark : marks_)
        wl_callback_destroy(mark->callback);
    for (const auto& toplevel : toplevels_)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
}

std::uint64_t ActivationWatch::changes() {
    connection_.dispatch();
    return changes_;
}

void ActivationWatch::markSent(std::uint64_t checkedAt) {
    auto mark = std::make_unique<Mark>();
    mark->owner = this;
    mark->checkedAt = checkedAt;
    mark->callback = wl_display_sync(connection_.display());
    static const wl_callback_listener listener = {.done = &ActivationWatch::onHandled};
    wl_callback_add_listener(mark->callback, &listener, mark.get());
    marks_.push_back(std::move(mark));
    connection_.flush();
}

std::optional<ActivationWatch::Stray> ActivationWatch::takeStray(bool wait) {
    connection_.dispatch();
    if ((wait || stray_) && !marks_.empty())
        connection_.roundtrip();
    if (wait && !marks_.empty()) {
        // The connection broke before the compositor answered: assume the worst.
        Stray& stray = stray_ ? *stray_ : stray_.emplace();
        stray.keys += static_cast<int>(marks_.size());
    }
    return std::exchange(stray_, std::nullopt);
}

void ActivationWatch::onHandled(void* data, wl_callback* callback, std::uint32_t) {
    auto* mark = static_cast<Mark*>(data);
    ActivationWatch* self = mark->owner;
    // The key went out with its mark, so the compositor handled both before anything else:
    // a change counted by now came before the key.
    if (self->changes_ != mark->checkedAt) {
        Stray& stray = self->stray_ ? *self->stray_ : self->stray_.emplace();
        stray.appID = self->activeAppID_;
        ++stray.keys;
    }
    wl_callback_destroy(callback);
    std::erase_if(self->marks_, [&](const auto& m) { return m.get() == mark; });
}

void ActivationWatch::onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                 zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ActivationWatch*>(data);
    static const zwlr_foreign_toplevel_handle_v1_listener listener = {
        .title = [](void*, zwlr_foreign_toplevel_handle_v1*, const char*) {},
        .app_id = &ActivationWatch::onAppID,
        .output_enter = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .output_leave = [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        .state = &ActivationWatch::onState,
        .done = [](void*, zwlr_foreign_toplevel_handle_v1*) {},
        .closed = &ActivationWatch::onClosed,
        .parent = [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
    };
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, self);
    self->toplevels_.push_back(std::move(toplevel));
}

void ActivationWatch::onFinished(void* data, zwlr_foreign_toplevel_manager_v1*) {
    static_cast<ActivationWatch*>(data)->manager_.reset();
}

void ActivationWatch::onAppID(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                              const char* appID) {
    if (Toplevel* toplevel = static_cast<ActivationWatch*>(data)->find(handle))
        toplevel->appID = appID;
}

void ActivationWatch::onState(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                              wl_array* states) {
    auto* self = static_cast<ActivationWatch*>(data);
    Toplevel* toplevel = self->find(handle);
    if (!toplevel)
        return;
    // Counted as the state arrives, not at `done`: the compositor sends it in the same
    // moment it moves the keyboard focus.
    const bool activated =
        hasToplevelState(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
    if (activated == toplevel->activated)
        return;
    toplevel->activated = activated;
    self->activeChanged(*toplevel);
}

void ActivationWatch::onClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<ActivationWatch*>(data);
    if (Toplevel* toplevel = self->find(handle); toplevel && toplevel->activated) {
        toplevel->activated = false;
        self->activeChanged(*toplevel);
    }
    std::erase_if(self->toplevels_,
                  [&](const auto& toplevel) { return toplevel->handle == handle; });
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

void ActivationWatch::activeChanged(const Toplevel& toplevel) {
    ++changes_;
    if (toplevel.activated)
        activeAppID_ = toplevel.appID;
    else if (activeAppID_ == toplevel.appID)
        activeAppID_.clear();
}

ActivationWatch::Toplevel* ActivationWatch::find(zwlr_foreign_toplevel_handle_v1* handle) {
    for (const auto& toplevel : toplevels_)
        if (toplevel->handle == handle)
            return toplevel.get();
    return nullptr;
}

} // namespace keyferry::wayland
