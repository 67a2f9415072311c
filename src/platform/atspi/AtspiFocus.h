#pragma once

#include "automation/DesktopServices.h"
#include "model/Signal.h"

#include <chrono>
#include <deque>
#include <memory>
#include <optional>

typedef struct _AtspiAccessible AtspiAccessible;
typedef struct _AtspiEventListener AtspiEventListener;

namespace keyferry::atspi {

/// Follows keyboard focus through the accessibility bus: the last object that reported
/// being focused, kept while it still says so.
class AtspiFocus {
public:
    AtspiFocus();
    AtspiFocus(const AtspiFocus&) = delete;
    AtspiFocus& operator=(const AtspiFocus&) = delete;
    ~AtspiFocus();

    bool isAvailable() const { return listener_ != nullptr; }
    std::optional<FocusedElement> focusedElement() const;
    /// The same; when no focus event told of an element in the process of the desktop's
    /// focused window (the focus moved there before Keyferry listened), that application's
    /// windows are searched for it.
    std::optional<FocusedElement> focusedElement(DesktopServices& desktop);
    /// The same for a caller that asks again within moments: while the element known has just
    /// lost the focus, the answer is nothing until the application tells where the focus went,
    /// or until announceGrace has passed without word.
    std::optional<FocusedElement> focusedElementOnceAnnounced(DesktopServices& desktop);
    /// How long an application gets to announce where the focus went before it is searched.
    /// Measured: Firefox announced a field reached by Tab within 10-20 ms, while searching its
    /// window for it took 60-85 ms of round trips it had to answer meanwhile.
    static constexpr std::chrono::milliseconds announceGrace{100};
    /// The focused editable field's text; nothing for anything else or a password field.
    /// When the focus last reported is not in the process given (0: any), that
    /// application's windows are searched for it.
    std::optional<FieldText> focusedFieldText(int processID);
    /// The same, looking in the process of the desktop's focused window.
    std::optional<FieldText> focusedFieldText(DesktopServices& desktop);
    /// The focused editable field, held to be read once the focus has moved on; nothing
    /// where focusedFieldText() gives nothing. Looks in the process of the desktop's focused
    /// window.
    std::unique_ptr<FieldReading> holdFocusedField(DesktopServices& desktop);
    /// The name of the toolkit the focused element's application says it is built with
    /// ("Chromium", "Gecko", "GTK", "Qt"); nothing when the focus known is not in the process
    /// given.
    std::optional<std::string> focusedToolkit(int processID) const;
    /// Whether the focused check box is ticked; nothing for anything else. Looks in the process
    /// of the desktop's focused window.
    std::optional<bool> focusedCheckState(DesktopServices& desktop);
    /// Whether the focused element is a terminal (whose paste key is Ctrl+Shift+V). Looks in
    /// the process of the desktop's focused window.
    bool focusIsTerminal(DesktopServices& desktop);
    /// The options of the focused list or combo box that takes no text, and the selected one.
    std::optional<FieldChoices> focusedChoices(DesktopServices& desktop);
    /// The lists and menus the focused element's application shows: see Popups.h.
    std::vector<std::string> shownPopups(DesktopServices& desktop);
    /// What the page (or window) of the focused element announces as wrong: see PageErrors.h.
    /// Looks in the process of the desktop's focused window.
    std::vector<std::string> announcedErrors(DesktopServices& desktop);
    /// Reports each element as it takes the focus, while the handle lives.
    std::unique_ptr<InputListener> watch(DesktopServices::FocusCallback callback);

private:
    struct Described;
    static constexpr std::size_t describedKept = 32;

    static void onFocus(void* event, void* self);
    FocusedElement describe(AtspiAccessible* accessible) const;
    static Described describeAnew(AtspiAccessible* accessible);
    void setFocused(AtspiAccessible* accessible);
    /// Makes sure the focus known is in the process given (0: any), searching it if not;
    /// `mayAwaitAnnouncement`: not while the element known lost its focus within announceGrace.
    void lookIn(int processID, bool mayAwaitAnnouncement = false);
    /// The focused element when it is an editable field whose text may be read.
    AtspiAccessible* focusedTextField(int processID);
    static int processOfFocus(DesktopServices& desktop);

    AtspiEventListener* listener_ = nullptr;
    AtspiAccessible* focused_ = nullptr;
    /// When focused_ was first found to have lost its focus, with no word since of where it went.
    std::optional<std::chrono::steady_clock::time_point> lossNoticed_;
    /// The elements described last, newest first.
    mutable std::deque<Described> described_;
    /// Shared with the handles of watch(), which may outlive this object.
    std::shared_ptr<Signal<const FocusedElement&>> moved_ =
        std::make_shared<Signal<const FocusedElement&>>();
};

} // namespace keyferry::atspi
