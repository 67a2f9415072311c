#include "platform/atspi/AtspiFocus.h"

#include "platform/atspi/AtspiObjects.h"
#include "platform/atspi/PageErrors.h"
#include "platform/atspi/Popups.h"

#include <algorithm>
#include <atspi/atspi.h>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace keyferry::atspi {

namespace {

// Names that start with "Gtk" are type names the toolkit fills in, not labels.
bool isTypeName(const std::string& name) {
    return name.rfind("Gtk", 0) == 0;
}

std::string labelledByName(AtspiAccessible* accessible) {
    GArray* relations = atspi_accessible_get_relation_set(accessible, nullptr);
    std::string name;
    if (!relations)
        return name;
    for (guint i = 0; i < relations->len && name.empty(); ++i) {
        AtspiRelation* relation = g_array_index(relations, AtspiRelation*, i);
        if (atspi_relation_get_relation_type(relation) == ATSPI_RELATION_LABELLED_BY &&
            atspi_relation_get_n_targets(relation) > 0) {
            AtspiAccessible* label = atspi_relation_get_target(relation, 0);
            name = text(atspi_accessible_get_name(label, nullptr));
            g_object_unref(label);
        }
    }
    for (guint i = 0; i < relations->len; ++i)
        g_object_unref(g_array_index(relations, AtspiRelation*, i));
    g_array_free(relations, TRUE);
    return name;
}

// Bounds of the walk that searches for the focus where the application cannot be asked. A
// long web page is several thousand elements: Chromium's form below 600 paragraphs with links
// came after more than 3,000 of them (found in 1.6 s). Each costs 0.2-0.3 ms measured (3,000
// in 0.8 s in Chromium), so a window with nothing focused costs at most about 2.5 s; a page's
// body may hold hundreds of children.
constexpr int walkBudget = 8000;
constexpr int walkChildrenKept = 2000;

// The combo box the element is part of (its entry, or the button GTK focuses inside it).
AccessiblePtr comboBoxAround(AtspiAccessible* accessible) {
    AccessiblePtr current(atspi_accessible_get_parent(accessible, nullptr));
    for (int depth = 0; current && depth < 3; ++depth) {
        if (atspi_accessible_get_role(current.get(), nullptr) == ATSPI_ROLE_COMBO_BOX)
            return current;
        current.reset(atspi_accessible_get_parent(current.get(), nullptr));
    }
    return nullptr;
}

bool insideComboBox(AtspiAccessible* accessible) {
    return comboBoxAround(accessible) != nullptr;
}

struct Extents {
    int x = 0, y = 0, width = 0, height = 0;
};

std::optional<Extents> extentsOf(AtspiAccessible* accessible) {
    AtspiComponent* component = atspi_accessible_get_component_iface(accessible);
    if (!component)
        return std::nullopt;
    AtspiRect* rect = atspi_component_get_extents(component, ATSPI_COORD_TYPE_SCREEN, nullptr);
    g_object_unref(component);
    if (!rect)
        return std::nullopt;
    const Extents extents{rect->x, rect->y, rect->width, rect->height};
    g_free(rect);
    if (extents.width <= 0 || extents.height <= 0)
        return std::nullopt;
    return extents;
}

// The label a form lays out beside the element, where no relation names it (yad's combo
// boxes): among its siblings, the nearest label on its left on the same line, else the nearest
// one above it. By position, since toolkits list a grid's children in either order.
std::string labelBeside(AtspiAccessible* accessible) {
    const auto field = extentsOf(accessible);
    AtspiAccessible* parent = field ? atspi_accessible_get_parent(accessible, nullptr) : nullptr;
    if (!parent)
        return {};
    std::string left, above;
    int leftGap = INT_MAX, aboveGap = INT_MAX;
    const int count = std::min(atspi_accessible_get_child_count(parent, nullptr), 60);
    for (int i = 0; i < count; ++i) {
        AtspiAccessible* sibling = atspi_accessible_get_child_at_index(parent, i, nullptr);
        if (!sibling)
            continue;
        if (sibling != accessible &&
            atspi_accessible_get_role(sibling, nullptr) == ATSPI_ROLE_LABEL) {
            if (const auto label = extentsOf(sibling)) {
                const bool sameLine =
                    label->y < field->y + field->height && field->y < label->y + label->height;
                const bool sameColumn =
                    label->x < field->x + field->width && field->x < label->x + label->width;
                const int toLeft = field->x - (label->x + label->width);
                const int toTop = field->y - (label->y + label->height);
                if (sameLine && toLeft >= -2 && toLeft < leftGap) {
                    leftGap = toLeft;
                    left = text(atspi_accessible_get_name(sibling, nullptr));
                } else if (sameColumn && toTop >= -2 && toTop < aboveGap) {
                    aboveGap = toTop;
                    above = text(atspi_accessible_get_name(sibling, nullptr));
                }
            }
        }
        g_object_unref(sibling);
    }
    g_object_unref(parent);
    return !left.empty() ? left : above;
}

// The name a field is known by: its own, else its label's, else the label laid out beside it;
// toolkit type names are none. A combo box's own name is the option it shows (GTK), which
// changes with every row: its label comes first.
std::string fieldName(AtspiAccessible* accessible) {
    const bool isCombo = atspi_accessible_get_role(accessible, nullptr) == ATSPI_ROLE_COMBO_BOX;
    std::string name =
        isCombo ? labelledByName(accessible) : text(atspi_accessible_get_name(accessible, nullptr));
    if (name.empty() || isTypeName(name))
        name = isCombo ? std::string() : labelledByName(accessible);
    if (name.empty() || isTypeName(name))
        name = labelBeside(accessible);
    if ((name.empty() || isTypeName(name)) && isCombo)
        name = text(atspi_accessible_get_name(accessible, nullptr));
    return isTypeName(name) ? std::string() : name;
}

// A group's own name (a group box's title) or its label's (a fieldset's legend); never a
// label merely laid out beside it, which is the first field's.
std::string groupName(AtspiAccessible* group) {
    std::string name = text(atspi_accessible_get_name(group, nullptr));
    if (name.empty() || isTypeName(name))
        name = labelledByName(group);
    return isTypeName(name) ? std::string() : name;
}

// Containers whose name says which part of a form a field belongs to (a fieldset's legend,
// a group box's title, a tab's label).
bool namesAGroup(AtspiRole role) {
    switch (role) {
    case ATSPI_ROLE_PANEL:
    case ATSPI_ROLE_FORM:
    case ATSPI_ROLE_GROUPING:
    case ATSPI_ROLE_SECTION:
    case ATSPI_ROLE_LANDMARK:
    case ATSPI_ROLE_PAGE_TAB:
        return true;
    default:
        return false;
    }
}

// Where the walk up from a field ends: its window, or the web page it is part of.
bool endsTheWalk(AtspiRole role) {
    return role == ATSPI_ROLE_FRAME || role == ATSPI_ROLE_WINDOW || role == ATSPI_ROLE_DIALOG ||
           role == ATSPI_ROLE_APPLICATION || role == ATSPI_ROLE_DOCUMENT_WEB ||
           role == ATSPI_ROLE_DOCUMENT_FRAME;
}

// The id a page or toolkit gives the element: a web page's id attribute, else the toolkit's
// own (a GtkBuildable id, a Qt object name).
std::string elementId(AtspiAccessible* accessible, GHashTable* attributes) {
    if (attributes)
        if (const auto* id = static_cast<const char*>(g_hash_table_lookup(attributes, "id")))
            return id;
    return text(atspi_accessible_get_accessible_id(accessible, nullptr));
}

struct Surroundings {
    std::vector<std::string> groups; ///< outermost first
    std::string place;
    AccessiblePtr page; ///< the web page the element is part of, if any
};

// The named groups around the element and its place, up to its window or page; asked only
// for what the caller needs, since each level up costs round trips on the bus.
Surroundings surroundings(AtspiAccessible* accessible, bool wantPlace) {
    Surroundings found;
    std::vector<int> indices;
    if (wantPlace)
        indices.push_back(atspi_accessible_get_index_in_parent(accessible, nullptr));
    AccessiblePtr current(atspi_accessible_get_parent(accessible, nullptr));
    for (int depth = 0; current && depth < 40; ++depth) {
        const AtspiRole role = atspi_accessible_get_role(current.get(), nullptr);
        if (role == ATSPI_ROLE_DOCUMENT_WEB) {
            g_object_ref(current.get());
            found.page.reset(current.get());
        }
        if (endsTheWalk(role))
            break;
        if (namesAGroup(role)) {
            const std::string name = groupName(current.get());
            if (!name.empty())
                found.groups.push_back(name);
        }
        if (wantPlace)
            indices.push_back(atspi_accessible_get_index_in_parent(current.get(), nullptr));
        current.reset(atspi_accessible_get_parent(current.get(), nullptr));
    }
    std::ranges::reverse(found.groups);
    for (auto index = indices.rbegin(); index != indices.rend(); ++index)
        found.place += (found.place.empty() ? "" : "/") + std::to_string(*index);
    return found;
}

// Keys sent now reach the element: it still has the focus, is enabled, takes text where it
// is a field for text, and its page (if any) is still shown in its window and has finished
// loading. Whether the element itself is shown does not matter: a focused field scrolled out
// of view, or in a window too small for it, takes keys all the same (Firefox then reports it
// without SHOWING). Its page must be: a field of a page hidden or left behind, which may
// still say FOCUSED, is no place for keys.
bool isReady(AtspiAccessible* accessible, ElementRole role, AtspiAccessible* page) {
    AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
    if (!states)
        return false;
    const bool takesText = role == ElementRole::textField || role == ElementRole::textArea ||
                           role == ElementRole::searchField;
    const bool ready = atspi_state_set_contains(states, ATSPI_STATE_FOCUSED) &&
                       atspi_state_set_contains(states, ATSPI_STATE_SENSITIVE) &&
                       (!takesText || atspi_state_set_contains(states, ATSPI_STATE_EDITABLE));
    g_object_unref(states);
    if (!ready || !page)
        return ready;
    AtspiStateSet* pageStates = atspi_accessible_get_state_set(page);
    if (!pageStates)
        return false;
    const bool pageReady = atspi_state_set_contains(pageStates, ATSPI_STATE_SHOWING) &&
                           !atspi_state_set_contains(pageStates, ATSPI_STATE_BUSY) &&
                           !atspi_state_set_contains(pageStates, ATSPI_STATE_DEFUNCT);
    g_object_unref(pageStates);
    return pageReady;
}

// The focused element below `root`, asked of the application in one request: it searches its
// own tree, shown or not, in-process (a field below 600 paragraphs of a page was found and
// described in 13-70 ms in Firefox and Chromium, where the walk below took 0.9-1.6 s). Nothing
// when the application does not offer the request or it failed; a null pointer when
// it answered that nothing is focused.
std::optional<AccessiblePtr> askFocused(AtspiAccessible* root) {
    const ObjectPtr<AtspiCollection> collection(atspi_accessible_get_collection_iface(root));
    if (!collection)
        return std::nullopt;
    GArray* wanted = g_array_new(FALSE, FALSE, sizeof(AtspiStateType));
    const AtspiStateType focused = ATSPI_STATE_FOCUSED;
    g_array_append_val(wanted, focused);
    const ObjectPtr<AtspiStateSet> states(atspi_state_set_new(wanted));
    g_array_free(wanted, TRUE);
    // Empty attribute, role and interface lists match every element.
    const ObjectPtr<AtspiMatchRule> rule(atspi_match_rule_new(
        states.get(), ATSPI_Collection_MATCH_ALL, nullptr, ATSPI_Collection_MATCH_ALL, nullptr,
        ATSPI_Collection_MATCH_ALL, nullptr, ATSPI_Collection_MATCH_ALL, FALSE));
    GError* error = nullptr;
    GArray* matches = atspi_collection_get_matches(
        collection.get(), rule.get(), ATSPI_Collection_SORT_ORDER_CANONICAL, 1, TRUE, &error);
    AccessiblePtr found;
    for (guint i = 0; matches && i < matches->len; ++i) {
        AccessiblePtr match(g_array_index(matches, AtspiAccessible*, i));
        if (!found)
            found = std::move(match);
    }
    if (matches)
        g_array_free(matches, TRUE);
    if (error) {
        g_error_free(error);
        return std::nullopt;
    }
    return found;
}

struct WalkStates {
    bool focused = false;
    bool managesDescendants = false;
};

WalkStates walkStatesOf(AtspiAccessible* accessible) {
    AtspiStateSet* states = atspi_accessible_get_state_set(accessible);
    if (!states)
        return {};
    const WalkStates found{atspi_state_set_contains(states, ATSPI_STATE_FOCUSED) != FALSE,
                           atspi_state_set_contains(states, ATSPI_STATE_MANAGES_DESCENDANTS) !=
                               FALSE};
    g_object_unref(states);
    return found;
}

// The focused element at or below `root`, searched element by element where the application
// cannot be asked. Shown or not: Firefox marks a table's body not SHOWING though its fields
// are, and a focused field scrolled out of view is still focused. Containers that manage their
// descendants (a spreadsheet's cells, a long list's items) are not entered: they can hold
// millions, and they report the focus themselves.
AccessiblePtr findFocused(AtspiAccessible* root, int& budget) {
    if (budget-- <= 0)
        return nullptr;
    const WalkStates states = walkStatesOf(root);
    if (states.focused) {
        g_object_ref(root);
        return AccessiblePtr(root);
    }
    if (states.managesDescendants)
        return nullptr;
    const int count = std::min(atspi_accessible_get_child_count(root, nullptr), walkChildrenKept);
    for (int i = 0; i < count && budget > 0; ++i) {
        AccessiblePtr child(atspi_accessible_get_child_at_index(root, i, nullptr));
        if (!child)
            continue;
        if (auto found = findFocused(child.get(), budget))
            return found;
    }
    return nullptr;
}

// The focused element of the application with this process id, asked of its windows (the
// active one first) instead of learnt from an event, which a just-started application may
// send before it knows anyone listens, and an application already focused never sends.
AccessiblePtr focusedIn(int processID) {
    AccessiblePtr desktop(atspi_get_desktop(0));
    if (!desktop)
        return nullptr;
    // Applications started since the list was last read are missing from libatspi's cache
    // unless it is dropped: nothing here listens for their arrival.
    atspi_accessible_clear_cache(desktop.get());
    const int applications = atspi_accessible_get_child_count(desktop.get(), nullptr);
    for (int a = 0; a < applications; ++a) {
        AccessiblePtr application(atspi_accessible_get_child_at_index(desktop.get(), a, nullptr));
        if (!application || static_cast<int>(atspi_accessible_get_process_id(application.get(),
                                                                             nullptr)) != processID)
            continue;
        std::vector<AccessiblePtr> windows;
        const int count = atspi_accessible_get_child_count(application.get(), nullptr);
        for (int w = 0; w < count; ++w)
            if (AccessiblePtr window{
                    atspi_accessible_get_child_at_index(application.get(), w, nullptr)})
                windows.push_back(std::move(window));
        std::ranges::stable_partition(windows, [](const AccessiblePtr& window) {
            return hasState(window.get(), ATSPI_STATE_ACTIVE);
        });
        int budget = walkBudget;
        for (const AccessiblePtr& window : windows) {
            auto asked = askFocused(window.get());
            if (!asked)
                asked = findFocused(window.get(), budget);
            if (*asked)
                return std::move(*asked);
        }
    }
    return nullptr;
}

} // namespace

namespace {

// The heading of an alert a window shows while it keeps the keyboard focus itself: Firefox's
// "Save address?" bubble takes the focus so, and the user sees the bubble, not the window.
std::string bubbleHeading(AtspiAccessible* window) {
    const int count = std::min(atspi_accessible_get_child_count(window, nullptr), 20);
    for (int i = 0; i < count; ++i) {
        AccessiblePtr child(atspi_accessible_get_child_at_index(window, i, nullptr));
        if (!child || atspi_accessible_get_role(child.get(), nullptr) != ATSPI_ROLE_ALERT ||
            !hasState(child.get(), ATSPI_STATE_SHOWING))
            continue;
        if (std::string name = text(atspi_accessible_get_name(child.get(), nullptr)); !name.empty())
            return name;
        const int parts = std::min(atspi_accessible_get_child_count(child.get(), nullptr), 20);
        for (int j = 0; j < parts; ++j) {
            AccessiblePtr part(atspi_accessible_get_child_at_index(child.get(), j, nullptr));
            if (part && atspi_accessible_get_role(part.get(), nullptr) == ATSPI_ROLE_HEADING)
                if (std::string heading = text(atspi_accessible_get_name(part.get(), nullptr));
                    !heading.empty())
                    return heading;
        }
    }
    return {};
}

} // namespace

// What identifies an element does not change while it lives; asking for it again costs dozens
// of round trips on the bus, and a run asks every few milliseconds while it waits for a field.
// Only readiness is asked anew.
struct AtspiFocus::Described {
    AccessiblePtr element;
    AccessiblePtr page;
    FocusedElement facts;
};

AtspiFocus::AtspiFocus() {
    if (atspi_init() > 1) // 0: started, 1: already running; more: no accessibility bus
        return;
    listener_ =
        atspi_event_listener_new(reinterpret_cast<AtspiEventListenerCB>(
                                     +[](AtspiEvent* event, void* self) { onFocus(event, self); }),
                                 this, nullptr);
    if (!atspi_event_listener_register(listener_, "object:state-changed:focused", nullptr)) {
        g_object_unref(listener_);
        listener_ = nullptr;
    }
}

AtspiFocus::~AtspiFocus() {
    if (listener_) {
        atspi_event_listener_deregister(listener_, "object:state-changed:focused", nullptr);
        g_object_unref(listener_);
    }
    setFocused(nullptr);
}

void AtspiFocus::onFocus(void* rawEvent, void* self) {
    auto* event = static_cast<AtspiEvent*>(rawEvent);
    auto* focus = static_cast<AtspiFocus*>(self);
    if (event->detail1 == 1 && event->source && event->source != focus->focused_) {
        focus->setFocused(event->source); // toolkits often report one change twice
        // Reading the element costs round trips on the bus: only for watchers, who hold
        // the signal too. Not asked whether it is still focused: the focus may have gone
        // already (the keyboard left the window), and the event says it came here.
        if (focus->moved_.use_count() > 1)
            focus->moved_->emit(focus->describe(event->source));
    }
    g_boxed_free(atspi_event_get_type(), event);
}

namespace {

class FocusWatch final : public InputListener {
public:
    FocusWatch(std::shared_ptr<Signal<const FocusedElement&>> signal,
               DesktopServices::FocusCallback callback)
        : signal_(std::move(signal)), connection_(signal_->connect(std::move(callback))) {}
    ~FocusWatch() override { signal_->disconnect(connection_); }

private:
    std::shared_ptr<Signal<const FocusedElement&>> signal_;
    Signal<const FocusedElement&>::ConnectionId connection_;
};

} // namespace

std::unique_ptr<InputListener> AtspiFocus::watch(DesktopServices::FocusCallback callback) {
    if (!isAvailable())
        return nullptr;
    return std::make_unique<FocusWatch>(moved_, std::move(callback));
}

void AtspiFocus::setFocused(AtspiAccessible* accessible) {
    if (accessible)
        g_object_ref(accessible);
    if (focused_)
        g_object_unref(focused_);
    focused_ = accessible;
    lossNoticed_.reset();
}

std::optional<FocusedElement> AtspiFocus::focusedElement() const {
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED))
        return std::nullopt;
    return describe(focused_);
}

FocusedElement AtspiFocus::describe(AtspiAccessible* focused) const {
    auto known =
        std::ranges::find(described_, focused, [](const Described& d) { return d.element.get(); });
    if (known == described_.end()) {
        Described fresh = describeAnew(focused);
        if (described_.size() >= describedKept)
            described_.pop_back();
        described_.push_front(std::move(fresh));
        known = described_.begin();
    }
    FocusedElement element = known->facts;
    element.ready = isReady(focused, element.role, known->page.get());
    // Asked anew each time: a bubble comes and goes while its window lives.
    if (atspi_accessible_get_role(focused, nullptr) == ATSPI_ROLE_FRAME)
        if (std::string bubble = bubbleHeading(focused); !bubble.empty())
            element.title = std::move(bubble);
    return element;
}

AtspiFocus::Described AtspiFocus::describeAnew(AtspiAccessible* focused) {
    FocusedElement element;
    const AtspiRole focusedRole = atspi_accessible_get_role(focused, nullptr);
    // A combo box that takes no text focuses a button inside it: the combo box is the field.
    const bool takesText = focusedRole == ATSPI_ROLE_TEXT || focusedRole == ATSPI_ROLE_ENTRY ||
                           focusedRole == ATSPI_ROLE_PASSWORD_TEXT;
    const AccessiblePtr combo = takesText ? nullptr : comboBoxAround(focused);
    AtspiAccessible* accessible = combo ? combo.get() : focused;
    std::string name = text(atspi_accessible_get_name(accessible, nullptr));
    const AtspiRole role = atspi_accessible_get_role(accessible, nullptr);
    switch (role) {
    case ATSPI_ROLE_TEXT:
    case ATSPI_ROLE_ENTRY:
    case ATSPI_ROLE_PASSWORD_TEXT:
        if (name.rfind("GtkSearchEntry", 0) == 0)
            element.role = ElementRole::searchField;
        else if (hasState(accessible, ATSPI_STATE_MULTI_LINE))
            element.role = ElementRole::textArea;
        else
            element.role =
                insideComboBox(accessible) ? ElementRole::comboBox : ElementRole::textField;
        break;
    case ATSPI_ROLE_COMBO_BOX:
        element.role = ElementRole::comboBox;
        break;
    case ATSPI_ROLE_CHECK_BOX:
        element.role = ElementRole::checkBox;
        break;
    case ATSPI_ROLE_LIST:
    case ATSPI_ROLE_LIST_BOX:
        element.role = ElementRole::list;
        break;
    default:
        element.role = insideComboBox(accessible) ? ElementRole::comboBox : ElementRole::other;
        break;
    }
    element.title = fieldName(accessible);
    element.description = text(atspi_accessible_get_description(accessible, nullptr));
    GHashTable* attributes = atspi_accessible_get_attributes(accessible, nullptr);
    if (attributes)
        if (const auto* placeholder =
                static_cast<const char*>(g_hash_table_lookup(attributes, "placeholder-text")))
            element.placeholder = placeholder;
    element.id = elementId(accessible, attributes);
    if (attributes)
        g_hash_table_unref(attributes);
    element.processID = static_cast<int>(atspi_accessible_get_process_id(accessible, nullptr));
    // The place tells fields apart only where neither name nor id does.
    Surroundings around = surroundings(accessible, element.title.empty() && element.id.empty());
    element.context = around.groups;
    element.place = around.place;
    g_object_ref(focused);
    return Described{AccessiblePtr(focused), std::move(around.page), std::move(element)};
}

} // namespace keyferry::atspi

namespace keyferry::atspi {

int AtspiFocus::processOfFocus(DesktopServices& desktop) {
    // The process of the focused window: where to look when no focus event told of a field.
    const auto window = desktop.focusedWindow();
    const auto facts = window ? desktop.windowFacts(*window) : std::nullopt;
    return facts ? facts->processID : 0;
}

void AtspiFocus::lookIn(int processID, bool mayAwaitAnnouncement) {
    const bool stillFocused = focused_ && hasState(focused_, ATSPI_STATE_FOCUSED);
    const bool inProcess =
        focused_ &&
        (!processID ||
         static_cast<int>(atspi_accessible_get_process_id(focused_, nullptr)) == processID);
    if ((stillFocused && inProcess) || !processID)
        return;
    if (inProcess) {
        // The focus moved on inside the application, which tells where in a moment.
        const auto now = std::chrono::steady_clock::now();
        if (!lossNoticed_)
            lossNoticed_ = now;
        if (mayAwaitAnnouncement && now - *lossNoticed_ < announceGrace)
            return;
    }
    if (AccessiblePtr found = focusedIn(processID))
        setFocused(found.get());
}

std::optional<FocusedElement> AtspiFocus::focusedElement(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    return focusedElement();
}

std::optional<FocusedElement> AtspiFocus::focusedElementOnceAnnounced(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop), true);
    return focusedElement();
}

std::optional<FieldText> AtspiFocus::focusedFieldText(DesktopServices& desktop) {
    return focusedFieldText(processOfFocus(desktop));
}

namespace {

// The text of a field, or nothing when it has no text to read.
std::optional<std::string> readText(AtspiAccessible* accessible) {
    AtspiText* textInterface = atspi_accessible_get_text_iface(accessible);
    if (!textInterface)
        return std::nullopt;
    GError* error = nullptr;
    gchar* content = atspi_text_get_text(textInterface, 0, -1, &error);
    // GTK 4.8 answers "to the end" (-1) with nothing: an empty answer is asked again up to
    // the length the field gives.
    if (!error && (!content || !*content)) {
        const gint length = atspi_text_get_character_count(textInterface, &error);
        if (!error && length > 0) {
            g_free(content);
            content = atspi_text_get_text(textInterface, 0, length, &error);
        }
    }
    g_object_unref(textInterface);
    if (error) {
        g_error_free(error);
        g_free(content);
        return std::nullopt;
    }
    return text(content);
}

// A field held by its accessible object: still readable once the focus has left it.
class HeldField : public FieldReading {
public:
    HeldField(AtspiAccessible* accessible, std::string name)
        : accessible_(static_cast<AtspiAccessible*>(g_object_ref(accessible))),
          name_(std::move(name)),
          processID_(static_cast<int>(atspi_accessible_get_process_id(accessible, nullptr))) {}

    std::optional<FieldText> read() override {
        auto content = readText(accessible_.get());
        if (!content)
            return std::nullopt;
        return FieldText{name_, std::move(*content), processID_};
    }

    // libatspi gives one object for each element while it lives.
    bool isSameField(const FieldReading& other) const override {
        const auto* held = dynamic_cast<const HeldField*>(&other);
        return held && held->accessible_.get() == accessible_.get();
    }

private:
    AccessiblePtr accessible_;
    std::string name_;
    int processID_;
};

} // namespace

AtspiAccessible* AtspiFocus::focusedTextField(int processID) {
    lookIn(processID);
    // Only a field the user could type into; a password field's text is never read.
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED) ||
        !hasState(focused_, ATSPI_STATE_EDITABLE) ||
        atspi_accessible_get_role(focused_, nullptr) == ATSPI_ROLE_PASSWORD_TEXT)
        return nullptr;
    return focused_;
}

std::optional<FieldText> AtspiFocus::focusedFieldText(int processID) {
    AtspiAccessible* field = focusedTextField(processID);
    const auto content = field ? readText(field) : std::nullopt;
    if (!content)
        return std::nullopt;
    FieldText result;
    result.text = *content;
    result.name = fieldName(field);
    result.processID = static_cast<int>(atspi_accessible_get_process_id(field, nullptr));
    return result;
}

std::optional<std::string> AtspiFocus::focusedToolkit(int processID) const {
    if (!focused_ || !processID ||
        static_cast<int>(atspi_accessible_get_process_id(focused_, nullptr)) != processID)
        return std::nullopt;
    return text(atspi_accessible_get_toolkit_name(focused_, nullptr));
}

std::unique_ptr<FieldReading> AtspiFocus::holdFocusedField(DesktopServices& desktop) {
    AtspiAccessible* field = focusedTextField(processOfFocus(desktop));
    if (!field || !readText(field))
        return nullptr;
    return std::make_unique<HeldField>(field, fieldName(field));
}

namespace {

bool isOption(AtspiRole role) {
    return role == ATSPI_ROLE_MENU_ITEM || role == ATSPI_ROLE_LIST_ITEM ||
           role == ATSPI_ROLE_CHECK_MENU_ITEM || role == ATSPI_ROLE_RADIO_MENU_ITEM;
}

// The options below a list or combo box, in order, with the selected one: GTK puts them in a
// menu, web pages in a list (or a menu list popup), a list holds them itself. Bounded like
// the focus search.
void collectOptions(AtspiAccessible* parent, int depth, FieldChoices& choices, int& budget) {
    const int count = std::min(atspi_accessible_get_child_count(parent, nullptr), 500);
    for (int i = 0; i < count && budget-- > 0; ++i) {
        AccessiblePtr child(atspi_accessible_get_child_at_index(parent, i, nullptr));
        if (!child)
            continue;
        const AtspiRole role = atspi_accessible_get_role(child.get(), nullptr);
        if (isOption(role)) {
            if (hasState(child.get(), ATSPI_STATE_SELECTED) && !choices.selected)
                choices.selected = choices.options.size();
            choices.options.push_back(text(atspi_accessible_get_name(child.get(), nullptr)));
        } else if (depth < 3) {
            collectOptions(child.get(), depth + 1, choices, budget);
        }
    }
}

constexpr int optionBudget = 600;

// The list or combo box that takes no text the focused element is, or is part of.
AccessiblePtr choiceListOf(AtspiAccessible* focused) {
    const AtspiRole focusedRole = atspi_accessible_get_role(focused, nullptr);
    const bool listLike = focusedRole == ATSPI_ROLE_COMBO_BOX || focusedRole == ATSPI_ROLE_LIST ||
                          focusedRole == ATSPI_ROLE_LIST_BOX;
    // A combo box that takes text is typed into, not chosen from.
    if (hasState(focused, ATSPI_STATE_EDITABLE))
        return nullptr;
    if (listLike)
        return AccessiblePtr(static_cast<AtspiAccessible*>(g_object_ref(focused)));
    return comboBoxAround(focused);
}

} // namespace

std::optional<bool> AtspiFocus::focusedCheckState(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED) ||
        atspi_accessible_get_role(focused_, nullptr) != ATSPI_ROLE_CHECK_BOX)
        return std::nullopt;
    return hasState(focused_, ATSPI_STATE_CHECKED);
}

bool AtspiFocus::focusIsTerminal(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    return focused_ && hasState(focused_, ATSPI_STATE_FOCUSED) &&
           atspi_accessible_get_role(focused_, nullptr) == ATSPI_ROLE_TERMINAL;
}

std::optional<FieldChoices> AtspiFocus::focusedChoices(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED))
        return std::nullopt;
    const AccessiblePtr list = choiceListOf(focused_);
    if (!list)
        return std::nullopt;
    FieldChoices choices;
    int budget = optionBudget;
    collectOptions(list.get(), 0, choices, budget);
    // GTK marks no option of a closed combo box selected: its own name is the one it shows.
    if (!choices.selected &&
        atspi_accessible_get_role(list.get(), nullptr) == ATSPI_ROLE_COMBO_BOX) {
        const std::string shown = text(atspi_accessible_get_name(list.get(), nullptr));
        if (const auto found = std::ranges::find(choices.options, shown);
            found != choices.options.end())
            choices.selected = static_cast<std::size_t>(found - choices.options.begin());
    }
    if (choices.options.empty())
        return std::nullopt;
    return choices;
}

std::vector<std::string> AtspiFocus::shownPopups(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED))
        return {};
    return atspi::shownPopups(focused_);
}

std::vector<std::string> AtspiFocus::announcedErrors(DesktopServices& desktop) {
    lookIn(processOfFocus(desktop));
    if (!focused_ || !hasState(focused_, ATSPI_STATE_FOCUSED))
        return {};
    return atspi::announcedErrors(focused_);
}

} // namespace keyferry::atspi
