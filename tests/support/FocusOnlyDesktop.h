#pragma once

#include "automation/DesktopServices.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace keyferry::testing {

/// A desktop that cannot watch keys: it follows the focus and binds keys, and a test says
/// where the focus goes and presses the bound keys.
class FocusOnlyDesktop final : public DesktopServices {
public:
    bool followsFocus = true;
    bool bindsKeys = true;
    bool keyferryActive = false;
    int liveHandles = 0;
    std::vector<KeyCombination> bound;

    void focus(const FocusedElement& element) {
        // A copy: the recorder may end the watch from within.
        if (const FocusCallback callback = onFocus_)
            callback(element);
    }
    void press(Key key, Modifiers modifiers = {}) {
        if (const Callback callback = onKey_)
            callback(InputEvent{InputEvent::Type::keyDown, key, modifiers, {}, 1, false, false});
    }
    /// What the desktop says has the focus now; nothing unless set.
    std::optional<FocusedElement> focusedNow;

    bool canWatchKeys() override { return false; }
    std::unique_ptr<InputListener> watchFocus(FocusCallback callback) override {
        if (!followsFocus)
            return nullptr;
        onFocus_ = std::move(callback);
        return std::make_unique<Handle<FocusCallback>>(*this, onFocus_);
    }
    std::unique_ptr<InputListener> bindKeys(std::vector<KeyCombination> keys,
                                            Callback callback) override {
        if (!bindsKeys)
            return nullptr;
        bound = std::move(keys);
        onKey_ = std::move(callback);
        return std::make_unique<Handle<Callback>>(*this, onKey_);
    }

    Posted postKey(Key, Modifiers, bool) override { return {}; }
    Posted postCharacter(std::string_view) override { return {}; }
    Posted postMouseButton(MouseButton, Point, bool, int) override { return {}; }
    std::optional<Point> pointerLocation() override { return std::nullopt; }
    std::unique_ptr<InputListener> listen(std::vector<InputEvent::Type>, Callback) override {
        return nullptr;
    }
    std::unique_ptr<InputListener> listenAndConsume(std::vector<InputEvent::Type>,
                                                    std::vector<KeyCombination>,
                                                    Callback) override {
        ADD_FAILURE() << "the keys were asked for on a desktop that cannot show them";
        return nullptr;
    }
    std::unique_ptr<InputListener> monitorKeys(Callback) override { return nullptr; }
    std::vector<WindowInfo> windowList() override { return {}; }
    std::vector<RunningApplication> runningApplications() override { return {form()}; }
    std::optional<RunningApplication> frontmostApplication() override { return form(); }
    bool activate(const RunningApplication&) override { return true; }
    std::vector<Rect> ownVisibleWindows() override { return {}; }
    bool isOwnApplicationActive() override { return keyferryActive; }
    std::optional<WindowID> focusedWindow() override { return std::nullopt; }
    std::optional<WindowID> windowAt(Point) override { return std::nullopt; }
    std::vector<WindowID> topLevelWindows() override { return {}; }
    std::optional<WindowFacts> windowFacts(WindowID) override { return std::nullopt; }
    bool isTrusted() override { return true; }
    bool isTrustedWithPrompt() override { return true; }
    std::optional<FocusedElement> focusedElement() override { return focusedNow; }
    void beep() override {}

private:
    /// Counts itself live, and stops delivery when it goes.
    template <class Function>
    class Handle final : public InputListener {
    public:
        Handle(FocusOnlyDesktop& desktop, Function& delivery)
            : desktop_(desktop), delivery_(delivery) {
            ++desktop_.liveHandles;
        }
        ~Handle() override {
            --desktop_.liveHandles;
            delivery_ = nullptr;
        }

    private:
        FocusOnlyDesktop& desktop_;
        Function& delivery_;
    };

    static RunningApplication form() { return {"gtk_form.py", "Form", 200, true}; }

    FocusCallback onFocus_;
    Callback onKey_;
};

} // namespace keyferry::testing
