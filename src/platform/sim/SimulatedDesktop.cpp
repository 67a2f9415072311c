#include "platform/sim/SimulatedDesktop.h"

#include <algorithm>

namespace keyferry {

class SimulatedDesktop::Handle final : public InputListener {
public:
    Handle(SimulatedDesktop& desktop, std::size_t id) : desktop_(desktop), id_(id) {}
    ~Handle() override { desktop_.removeListener(id_); }
    bool reenable() override {
        const auto found = desktop_.listeners_.find(id_);
        if (found == desktop_.listeners_.end())
            return false;
        found->second.enabled = true;
        return true;
    }
    std::vector<KeyCombination> unconsumable() const override {
        std::vector<KeyCombination> refused;
        const auto found = desktop_.listeners_.find(id_);
        if (found == desktop_.listeners_.end())
            return refused;
        for (const auto& combination : found->second.consumed)
            if (std::ranges::find(desktop_.reserved_, combination) != desktop_.reserved_.end())
                refused.push_back(combination);
        return refused;
    }

private:
    SimulatedDesktop& desktop_;
    std::size_t id_;
};

SimulatedDesktop::SimulatedDesktop(Scheduler& scheduler) : scheduler_(scheduler) {}

int SimulatedDesktop::addApplication(std::string bundleID, std::string name, bool regular) {
    const int pid = nextProcessID_++;
    Application application;
    application.info = {std::move(bundleID), std::move(name), pid, regular};
    applications_.emplace(pid, std::move(application));
    applicationOrder_.push_back(pid);
    return pid;
}

WindowID SimulatedDesktop::addWindow(int processID, Rect frame, bool visible) {
    const WindowID id = nextWindowID_++;
    windows_.insert(windows_.begin(), Window{id, processID, frame, visible, std::nullopt});
    return id;
}

WindowID SimulatedDesktop::openWindow(int processID, Rect frame,
                                      std::optional<WindowID> transientFor) {
    const WindowID id = nextWindowID_++;
    windows_.insert(windows_.begin(), Window{id, processID, frame, true, transientFor});
    front_ = processID;
    focused_ = id;
    return id;
}

WindowID SimulatedDesktop::openWindowReusing(WindowID id, int processID, Rect frame) {
    windows_.insert(windows_.begin(), Window{id, processID, frame, true, std::nullopt});
    front_ = processID;
    focused_ = id;
    return id;
}

void SimulatedDesktop::closeWindow(WindowID window) {
    const auto found = std::ranges::find(windows_, window, &Window::id);
    if (found == windows_.end())
        return;
    const Window closed = *found;
    windows_.erase(found);
    if (focused_ != window)
        return;
    focused_.reset();
    if (closed.transientFor &&
        std::ranges::find(windows_, *closed.transientFor, &Window::id) != windows_.end()) {
        focusWindow(*closed.transientFor);
        return;
    }
    for (const Window& w : windows_)
        if (w.processID == closed.processID && w.visible) {
            focusWindow(w.id);
            return;
        }
}

void SimulatedDesktop::raise(WindowID window) {
    const auto found = std::ranges::find(windows_, window, &Window::id);
    if (found != windows_.end())
        std::rotate(windows_.begin(), found, found + 1);
}

void SimulatedDesktop::focusWindow(WindowID window) {
    const auto found = std::ranges::find(windows_, window, &Window::id);
    if (found == windows_.end())
        return;
    front_ = found->processID;
    focused_ = window;
    raise(window);
}

void SimulatedDesktop::onKey(int processID, std::function<void(Key, Modifiers)> reaction) {
    applications_.at(processID).reaction = std::move(reaction);
}

SimulatedDesktop::Form& SimulatedDesktop::addForm(int processID, std::vector<Field> fields) {
    const auto window = std::ranges::find(windows_, processID, &Window::processID);
    const Rect area = window != windows_.end() ? window->frame : Rect{0, 0, 400, 300};
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].frame.width <= 0)
            fields[i].frame = {area.x + 10, area.y + 10 + 30 * static_cast<double>(i),
                               area.width - 20, 24};
    auto& application = applications_.at(processID);
    application.form = Form{};
    application.form->fields = std::move(fields);
    return *application.form;
}

SimulatedDesktop::Form* SimulatedDesktop::form(int processID) {
    const auto found = applications_.find(processID);
    if (found == applications_.end() || !found->second.form)
        return nullptr;
    return &*found->second.form;
}

void SimulatedDesktop::quitApplication(int processID) {
    applications_.erase(processID);
    std::erase(applicationOrder_, processID);
    std::erase_if(windows_, [&](const Window& w) { return w.processID == processID; });
    if (front_ == processID)
        front_.reset();
    if (focused_ && std::ranges::find(windows_, *focused_, &Window::id) == windows_.end())
        focused_.reset();
}

void SimulatedDesktop::bringToFront(int processID) {
    if (!applications_.contains(processID))
        return;
    front_ = processID;
    // Its windows move to the front, keeping their own order.
    std::stable_partition(windows_.begin(), windows_.end(),
                          [&](const Window& w) { return w.processID == processID; });
    focused_.reset();
    for (const Window& w : windows_)
        if (w.processID == processID && w.visible) {
            focused_ = w.id;
            break;
        }
}

void SimulatedDesktop::setActivationRefused(int processID, bool refused) {
    applications_.at(processID).refusesActivation = refused;
}

std::vector<std::string> SimulatedDesktop::heldDown() const {
    std::map<std::string, int> balance;
    for (const PostedEvent& event : posted_) {
        using K = PostedEvent::Kind;
        if (event.kind == K::keyDown || event.kind == K::keyUp)
            balance["key " + std::to_string(static_cast<int>(event.key))] +=
                event.kind == K::keyDown ? 1 : -1;
        if (event.kind == K::mouseDown || event.kind == K::mouseUp)
            balance["button " + std::to_string(static_cast<int>(event.button))] +=
                event.kind == K::mouseDown ? 1 : -1;
    }
    std::vector<std::string> held;
    for (const auto& [name, count] : balance)
        if (count > 0)
            held.push_back(name);
    return held;
}

// ---- listeners ----

std::size_t SimulatedDesktop::addListener(Listener listener) {
    const std::size_t id = nextListenerID_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void SimulatedDesktop::removeListener(std::size_t id) {
    listeners_.erase(id);
}

bool SimulatedDesktop::deliver(const InputEvent& original) {
    InputEvent event = original;
    event.ownApplicationActive = front_ && front_ == ownProcessID_;
    bool consumed = false;
    std::vector<std::size_t> ids;
    for (const auto& [id, listener] : listeners_)
        ids.push_back(id);
    for (std::size_t id : ids) {
        const auto found = listeners_.find(id); // an earlier callback may have removed it
        if (found == listeners_.end() || !found->second.enabled)
            continue;
        const Listener& listener = found->second;
        if (listener.kind == Listener::Kind::monitor) {
            if (event.type != InputEvent::Type::keyDown || front_ == ownProcessID_)
                continue;
        } else if (std::ranges::find(listener.types, event.type) == listener.types.end()) {
            continue;
        }
        if (listener.kind == Listener::Kind::filteringTap &&
            event.type == InputEvent::Type::keyDown) {
            const KeyCombination combination{event.key, event.modifiers};
            if (std::ranges::find(listener.consumed, combination) != listener.consumed.end() &&
                std::ranges::find(reserved_, combination) == reserved_.end())
                consumed = true;
        }
        const Callback callback = listener.callback; // the listener may go away inside
        callback(event);
    }
    return consumed;
}

std::unique_ptr<InputListener> SimulatedDesktop::listen(std::vector<InputEvent::Type> types,
                                                        Callback callback) {
    if (!trusted_)
        return nullptr;
    const auto id = addListener({Listener::Kind::tap, std::move(types), {}, std::move(callback)});
    return std::make_unique<Handle>(*this, id);
}

std::unique_ptr<InputListener>
SimulatedDesktop::listenAndConsume(std::vector<InputEvent::Type> types,
                                   std::vector<KeyCombination> consume, Callback callback) {
    if (!trusted_)
        return nullptr;
    const auto id = addListener(
        {Listener::Kind::filteringTap, std::move(types), std::move(consume), std::move(callback)});
    return std::make_unique<Handle>(*this, id);
}

std::unique_ptr<InputListener> SimulatedDesktop::monitorKeys(Callback callback) {
    if (!trusted_)
        return nullptr;
    const auto id = addListener({Listener::Kind::monitor, {}, {}, std::move(callback)});
    return std::make_unique<Handle>(*this, id);
}

void SimulatedDesktop::disableTaps() {
    for (auto& [id, listener] : listeners_)
        if (listener.kind != Listener::Kind::monitor)
            listener.enabled = false;
    InputEvent disabled;
    disabled.type = InputEvent::Type::tapDisabled;
    std::vector<std::size_t> ids;
    for (const auto& [id, listener] : listeners_)
        if (listener.kind != Listener::Kind::monitor)
            ids.push_back(id);
    for (std::size_t id : ids)
        if (const auto found = listeners_.find(id); found != listeners_.end()) {
            const Callback callback = found->second.callback;
            callback(disabled);
        }
}

// ---- the user's input ----

void SimulatedDesktop::userKey(Key key, Modifiers modifiers) {
    pressKey(key, modifiers, false);
}

void SimulatedDesktop::pressKey(Key key, Modifiers modifiers, bool synthetic) {
    InputEvent event;
    event.type = InputEvent::Type::keyDown;
    event.key = key;
    event.modifiers = modifiers;
    event.position = pointer_;
    event.synthetic = synthetic;
    if (deliver(event)) // a filtering tap kept it from the form
        return;
    keyToForm(key, modifiers);
    if (front_)
        if (const auto found = applications_.find(*front_);
            found != applications_.end() && found->second.reaction) {
            const auto reaction = found->second.reaction; // it may replace itself
            reaction(key, modifiers);
        }
}

void SimulatedDesktop::userClick(MouseButton button, Point position, int clickState) {
    pointer_ = position;
    InputEvent event;
    event.type = button == MouseButton::left ? InputEvent::Type::leftMouseDown
                                             : InputEvent::Type::rightMouseDown;
    event.position = position;
    event.clickState = clickState;
    deliver(event);
    if (button == MouseButton::left)
        clickToForm(position);
}

// ---- synthesis ----

void SimulatedDesktop::log(PostedEvent event) {
    if (auto moveFocus = std::exchange(beforeNextEventLands, nullptr))
        moveFocus();
    event.time = scheduler_.now();
    event.frontProcessID = front_.value_or(0);
    const bool mouse =
        event.kind == PostedEvent::Kind::mouseDown || event.kind == PostedEvent::Kind::mouseUp;
    event.window = (mouse ? windowAt(event.position) : focused_).value_or(0);
    const bool pressed =
        event.kind == PostedEvent::Kind::keyDown || event.kind == PostedEvent::Kind::character;
    if (pressed && checkedFocus_ && focused_ != checkedFocus_ && !stray_) {
        const auto facts = focused_ ? windowFacts(*focused_) : std::nullopt;
        const auto application = facts ? applications_.find(facts->processID) : applications_.end();
        stray_ = application != applications_.end() ? application->second.info.bundleID
                                                    : "another window";
    }
    posted_.push_back(std::move(event));
    if (afterEachPost)
        afterEachPost();
}

std::optional<WindowID> SimulatedDesktop::focusedWindow() {
    checkedFocus_ = focused_;
    return focused_;
}

Posted SimulatedDesktop::holdInputRouting() {
    checkedFocus_.reset(); // only a check made for this event counts
    return stray_ ? confirmDelivery() : Posted{};
}

Posted SimulatedDesktop::confirmDelivery() {
    if (const auto stray = std::exchange(stray_, std::nullopt))
        return Posted::failure("a key may have reached " + *stray);
    return {};
}

Posted SimulatedDesktop::postKey(Key key, Modifiers modifiers, bool down) {
    if (postingFails_)
        return Posted::failure("the simulated desktop refuses events");
    PostedEvent event;
    event.kind = down ? PostedEvent::Kind::keyDown : PostedEvent::Kind::keyUp;
    event.key = key;
    event.modifiers = modifiers;
    log(event);
    if (down)
        pressKey(key, modifiers, true);
    return {};
}

InputAccess SimulatedDesktop::requestInput() {
    ++inputRequests_;
    if (!consent_)
        return {};
    if (!consent_->askedAt)
        consent_->askedAt = scheduler_.now();
    if (!consent_->after || scheduler_.now() - *consent_->askedAt < *consent_->after)
        return {InputAccess::State::asking, {}};
    const InputAccess answer = consent_->answer;
    if (answer.state == InputAccess::State::refused)
        consent_->askedAt.reset();
    return answer;
}

Posted SimulatedDesktop::postCharacter(std::string_view character) {
    if (postingFails_)
        return Posted::failure("the simulated desktop refuses events");
    if (!canType(character))
        return Posted::failure("the character is not in the keyboard layout");
    PostedEvent event;
    event.kind = PostedEvent::Kind::character;
    event.text = std::string(character);
    log(event);
    textToForm(character);
    return {};
}

Posted SimulatedDesktop::postMouseButton(MouseButton button, Point position, bool down,
                                         int clickState) {
    if (postingFails_)
        return Posted::failure("the simulated desktop refuses events");
    PostedEvent event;
    event.kind = down ? PostedEvent::Kind::mouseDown : PostedEvent::Kind::mouseUp;
    event.button = button;
    event.position = position;
    event.clickState = clickState;
    log(event);
    if (down) {
        InputEvent tapped;
        tapped.type = button == MouseButton::left ? InputEvent::Type::leftMouseDown
                                                  : InputEvent::Type::rightMouseDown;
        tapped.position = position;
        tapped.clickState = clickState;
        tapped.synthetic = true;
        deliver(tapped);
        if (button == MouseButton::left)
            clickToForm(position);
    }
    return {};
}

// ---- forms ----

SimulatedDesktop::Form* SimulatedDesktop::frontForm() {
    return front_ ? form(*front_) : nullptr;
}

namespace {

// Whether the open suggestion list took the key.
bool keyToSuggestions(SimulatedDesktop::Form& form, Key key) {
    auto& list = *form.suggesting;
    SimulatedDesktop::Field& owner = form.fields[list.field];
    const std::size_t count = owner.suggestions.size();
    switch (key) {
    case Key::down:
    case Key::up:
        if (count == 0)
            return true;
        if (!list.highlighted)
            list.highlighted = key == Key::down ? 0 : count - 1;
        else
            list.highlighted = key == Key::down
                                   ? std::min(*list.highlighted + 1, count - 1)
                                   : (*list.highlighted == 0 ? 0 : *list.highlighted - 1);
        owner.text = owner.suggestions[*list.highlighted];
        return true;
    case Key::escape:
    case Key::returnKey:
        form.suggesting.reset();
        return true;
    default:
        return false;
    }
}

} // namespace

void SimulatedDesktop::keyToForm(Key key, Modifiers modifiers) {
    Form* target = frontForm();
    if (!target || target->fields.empty() || target->loading || // a loading page drops keys
        scheduler_.now() < target->deafUntil)
        return;
    if (target->suggesting && keyToSuggestions(*target, key))
        return;
    Field& field = target->fields[target->focused];
    const std::size_t count = target->fields.size();
    switch (key) {
    case Key::tab: {
        field.allSelected = false;
        const std::size_t next = modifiers.contains(Modifier::shift)
                                     ? (target->focused + count - 1) % count
                                     : (target->focused + 1) % count;
        if (target->focusLag > Scheduler::Duration{0}) {
            const int process = *front_;
            scheduler_.runAfter(target->focusLag, [this, process, next] {
                if (Form* later = form(process); later && next < later->fields.size())
                    later->focused = next;
            });
        } else {
            target->focused = next;
        }
        break;
    }
    case Key::a:
        if (modifiers.contains(Modifier::control))
            field.allSelected = true;
        else
            textToForm(modifiers.contains(Modifier::shift) ? "A" : "a");
        break;
    case Key::backspace:
        if (!field.acceptsText)
            break;
        if (field.allSelected) {
            field.text.clear();
        } else if (!field.text.empty()) {
            std::size_t cut = field.text.size() - 1; // one code point
            while (cut > 0 && (static_cast<unsigned char>(field.text[cut]) & 0xC0) == 0x80)
                --cut;
            field.text.erase(cut);
        }
        field.allSelected = false;
        break;
    case Key::returnKey: {
        std::vector<std::string> values;
        for (const Field& f : target->fields)
            values.push_back(f.role == ElementRole::checkBox ? (f.checked ? "x" : "") : f.text);
        target->announced = target->check ? target->check(values) : std::vector<std::string>{};
        for (Field& f : target->fields) {
            f.allSelected = false;
            if (!target->announced.empty())
                continue; // sent back as it was
            f.text.clear();
            f.checked = false;
        }
        target->submissions.push_back(std::move(values));
        if (target->reloadTime > Scheduler::Duration{0}) {
            target->loading = true;
            const int process = *front_;
            scheduler_.runAfter(target->reloadTime, [this, process] {
                Form* later = form(process);
                if (!later)
                    return;
                later->loading = false;
                later->focused = 0;
                later->stillLost = later->charactersLostAfterLoad;
                later->deafUntil = scheduler_.now() + later->deafAfterLoad;
                if (later->documentFirst <= Scheduler::Duration{0})
                    return;
                later->documentFocused = true;
                scheduler_.runAfter(later->documentFirst, [this, process] {
                    if (Form* loaded = form(process))
                        loaded->documentFocused = false;
                });
            });
        } else {
            target->focused = 0; // the form starts over for the next record
        }
        break;
    }
    case Key::up:
    case Key::down:
        if ((field.role == ElementRole::comboBox || field.role == ElementRole::list) &&
            !field.choices.empty()) {
            const auto current = std::ranges::find(field.choices, field.text);
            std::size_t index = current == field.choices.end()
                                    ? 0
                                    : static_cast<std::size_t>(current - field.choices.begin());
            if (current != field.choices.end())
                index = key == Key::down ? std::min(index + 1, field.choices.size() - 1)
                                         : (index == 0 ? 0 : index - 1);
            field.text = field.choices[index];
        }
        break;
    case Key::space:
        if (field.role == ElementRole::checkBox)
            field.checked = !field.checked;
        else
            textToForm(" ");
        break;
    default:
        break;
    }
}

void SimulatedDesktop::textToForm(std::string_view text) {
    Form* target = frontForm();
    if (!target || target->fields.empty() || target->loading ||
        scheduler_.now() < target->deafUntil)
        return;
    Field& field = target->fields[target->focused];
    if (!field.acceptsText)
        return;
    if (target->stillLost > 0) {
        --target->stillLost;
        return;
    }
    if (field.allSelected)
        field.text.clear();
    field.allSelected = false;
    const auto characters = [](std::string_view t) {
        return std::ranges::count_if(t, [](char c) { return (c & 0xC0) != 0x80; });
    };
    if (field.refused.find(text) != std::string::npos ||
        (field.maxLength &&
         static_cast<std::size_t>(characters(field.text) + characters(text)) > *field.maxLength))
        return;
    field.text += text;
    const bool suggests = std::ranges::any_of(field.suggestions, [&](const std::string& s) {
        return s.starts_with(field.text) && s != field.text;
    });
    if (suggests)
        target->suggesting = Form::SuggestionList{target->focused, std::nullopt};
    else if (target->suggesting && target->suggesting->field == target->focused)
        target->suggesting.reset();
}

void SimulatedDesktop::clickToForm(Point position) {
    const auto window = std::ranges::find_if(
        windows_, [&](const Window& w) { return w.visible && w.frame.contains(position); });
    if (window == windows_.end())
        return;
    const int processID = window->processID;
    if (focused_ != window->id)
        focusWindow(window->id);
    if (Form* target = form(processID)) {
        for (std::size_t i = 0; i < target->fields.size(); ++i)
            if (target->fields[i].frame.contains(position)) {
                target->fields[target->focused].allSelected = false;
                target->focused = i;
            }
    }
}

// ---- windows and applications ----

std::vector<WindowInfo> SimulatedDesktop::windowList() {
    std::vector<WindowInfo> list;
    for (const Window& window : windows_)
        if (window.visible)
            list.push_back({window.processID, window.frame});
    return list;
}

std::optional<WindowID> SimulatedDesktop::windowAt(Point position) {
    for (const Window& window : windows_)
        if (window.visible && window.frame.contains(position))
            return window.id;
    return std::nullopt;
}

std::vector<WindowID> SimulatedDesktop::topLevelWindows() {
    std::vector<WindowID> ids;
    for (const Window& window : windows_)
        ids.push_back(window.id);
    return ids;
}

std::optional<WindowFacts> SimulatedDesktop::windowFacts(WindowID id) {
    const auto window = std::ranges::find(windows_, id, &Window::id);
    if (window == windows_.end())
        return std::nullopt;
    const auto application = applications_.find(window->processID);
    WindowFacts facts;
    facts.processID = window->processID;
    if (application != applications_.end())
        facts.bundleID = application->second.info.bundleID;
    facts.transientFor = window->transientFor;
    return facts;
}

std::vector<RunningApplication> SimulatedDesktop::runningApplications() {
    std::vector<RunningApplication> list;
    for (int pid : applicationOrder_)
        list.push_back(applications_.at(pid).info);
    return list;
}

std::optional<RunningApplication> SimulatedDesktop::frontmostApplication() {
    if (!front_)
        return std::nullopt;
    return applications_.at(*front_).info;
}

bool SimulatedDesktop::activate(const RunningApplication& application) {
    const auto found = applications_.find(application.processID);
    if (found == applications_.end() || found->second.refusesActivation)
        return false;
    const int pid = application.processID;
    if (activationLag_ <= Scheduler::Duration{0})
        bringToFront(pid);
    else
        scheduler_.runAfter(activationLag_, [this, pid] { bringToFront(pid); });
    return true;
}

std::vector<Rect> SimulatedDesktop::ownVisibleWindows() {
    std::vector<Rect> frames;
    for (const Window& window : windows_)
        if (window.visible && window.processID == ownProcessID_)
            frames.push_back(window.frame);
    return frames;
}

bool SimulatedDesktop::isTrustedWithPrompt() {
    ++prompts_;
    return trusted_;
}

std::optional<FocusedElement> SimulatedDesktop::focusedElement() {
    Form* target = frontForm();
    if (!target || target->fields.empty())
        return std::nullopt;
    FocusedElement element;
    if (target->documentFocused) {
        element.role = ElementRole::other;
        element.processID = *front_;
        return element;
    }
    const Field& field = target->fields[target->focused];
    element.role = field.role;
    element.title = field.name;
    element.description = field.description;
    element.placeholder = field.placeholder;
    element.processID = *front_;
    element.id = field.id;
    element.context = field.context;
    element.place = std::to_string(target->focused);
    element.ready = !target->loading;
    return element;
}

std::optional<FieldText> SimulatedDesktop::focusedFieldText() {
    Form* target = frontForm();
    if (!target || target->fields.empty())
        return std::nullopt;
    const Field& field = target->fields[target->focused];
    if (!field.acceptsText || !field.readable)
        return std::nullopt;
    return FieldText{field.name, field.shown(), *front_};
}

namespace {

// A field of one form as it was when held: a form sent since is another document.
class HeldSimulatedField : public FieldReading {
public:
    HeldSimulatedField(std::function<SimulatedDesktop::Form*()> form, int processID,
                       std::size_t index)
        : form_(std::move(form)), processID_(processID), index_(index),
          sent_(form_()->submissions.size()) {}

    std::optional<FieldText> read() override {
        const SimulatedDesktop::Form* now = form_();
        if (!now || now->submissions.size() != sent_ || index_ >= now->fields.size() ||
            !now->fields[index_].readable)
            return std::nullopt;
        const auto& field = now->fields[index_];
        return FieldText{field.name, field.shown(), 0};
    }

    bool isSameField(const FieldReading& other) const override {
        const auto* held = dynamic_cast<const HeldSimulatedField*>(&other);
        return held && held->processID_ == processID_ && held->index_ == index_ &&
               held->sent_ == sent_;
    }

private:
    std::function<SimulatedDesktop::Form*()> form_;
    int processID_;
    std::size_t index_;
    std::size_t sent_;
};

} // namespace

std::unique_ptr<FieldReading> SimulatedDesktop::holdFocusedField() {
    if (!focusedFieldText())
        return nullptr;
    const int process = *front_;
    return std::make_unique<HeldSimulatedField>([this, process] { return form(process); }, process,
                                                frontForm()->focused);
}

std::optional<bool> SimulatedDesktop::focusedCheckState() {
    Form* target = frontForm();
    if (!target || target->fields.empty())
        return std::nullopt;
    const Field& field = target->fields[target->focused];
    if (field.role != ElementRole::checkBox || !field.readable)
        return std::nullopt;
    return field.checked;
}

std::optional<FieldChoices> SimulatedDesktop::focusedChoices() {
    Form* target = frontForm();
    if (!target || target->fields.empty())
        return std::nullopt;
    const Field& field = target->fields[target->focused];
    if ((field.role != ElementRole::comboBox && field.role != ElementRole::list) ||
        field.acceptsText || field.choices.empty() || !field.readable)
        return std::nullopt;
    FieldChoices choices{field.choices, std::nullopt};
    if (const auto found = std::ranges::find(field.choices, field.text);
        found != field.choices.end())
        choices.selected = static_cast<std::size_t>(found - field.choices.begin());
    return choices;
}

bool SimulatedDesktop::selectChoice(std::size_t index) {
    Form* target = frontForm();
    if (!target || target->fields.empty() || target->loading)
        return false;
    Field& field = target->fields[target->focused];
    if (!field.selectable || !focusedChoices() || index >= field.choices.size())
        return false;
    field.text = field.choices[index];
    return true;
}

std::vector<std::string> SimulatedDesktop::shownPopups() {
    const Form* target = frontForm();
    if (!target || !target->suggesting)
        return {};
    return {"suggestions for field " + std::to_string(target->suggesting->field)};
}

std::vector<std::string> SimulatedDesktop::announcedErrors() {
    const Form* target = frontForm();
    if (!target || target->loading)
        return {};
    return target->announced;
}

} // namespace keyferry
