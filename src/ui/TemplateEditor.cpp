#include "ui/TemplateEditor.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "automation/AutomationEngine.h"
#include "automation/StepNeeds.h"
#include "platform/DesktopServicesLoader.h"
#include "ui/Icons.h"
#include "ui/NumberText.h"
#include "ui/RecorderView.h"
#include "ui/RecordingPanelWidget.h"

#include <cmath>
#include <set>

namespace keyferry {

namespace {

const QColor orange(0xE6, 0x7E, 0x22);

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

template <class E>
QComboBox* picker(QWidget* parent, E current, const QString& name, int width) {
    auto* box = new QComboBox(parent);
    for (E value : allCases<E>())
        box->addItem(text(displayName(value)), static_cast<int>(value));
    box->setCurrentIndex(box->findData(static_cast<int>(current)));
    box->setFixedWidth(width);
    box->setAccessibleName(name);
    box->setToolTip(name);
    return box;
}

QToolButton* plainButton(QWidget* parent, const char* symbol, const QString& tip,
                         const QColor& tint = {}) {
    auto* button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol, tint));
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

// A number field that refuses what does not parse or lies outside the limits, and shows
// the stored value again when editing ends.
template <class Parse, class Format, class Accept>
QLineEdit* numberField(QWidget* parent, const QString& shown, const QString& name, int width,
                       Parse parse, Format format, Accept accept) {
    auto* field = new QLineEdit(shown, parent);
    field->setFixedWidth(width);
    field->setAccessibleName(name);
    field->setToolTip(name);
    QObject::connect(field, &QLineEdit::textEdited, field, [parse, accept](const QString& typed) {
        if (const auto value = parse(typed.toStdString()))
            accept(*value);
    });
    QObject::connect(field, &QLineEdit::editingFinished, field,
                     [field, format] { field->setText(QString::fromStdString(format())); });
    return field;
}

bool validDelay(double value) {
    return std::isfinite(value) && value >= 0;
}

// The target picker lists the applications running when it opens.
class TargetPicker final : public QComboBox {
public:
    TargetPicker(QWidget* parent, std::function<void()> beforeOpening)
        : QComboBox(parent), beforeOpening_(std::move(beforeOpening)) {}
    void showPopup() override {
        beforeOpening_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> beforeOpening_;
};

} // namespace

TemplateEditor::TemplateEditor(DesktopServices& desktop, Scheduler& scheduler,
                               std::function<Template()> current, Edit edit, QWidget* parent)
    : QWidget(parent), desktop_(desktop), current_(std::move(current)), edit_(std::move(edit)),
      recorder_(desktop, scheduler), debugEngine_(desktop, scheduler),
      nameField_(new QLineEdit(this)),
      targetPicker_(new TargetPicker(this, [this] { refreshTargets(); })),
      duplicateWarning_(new QLabel(this)), mainArea_(new QStackedWidget(this)),
      stepList_(new QListWidget(this)), debugPanel_(new QWidget(this)),
      debugText_(new QLabel(this)), debugStatus_(new QLabel(this)),
      recorderView_(new RecorderView(recorder_, this)), recordedPanel_(new QWidget(this)),
      recordedCount_(new QLabel(this)), existingCount_(new QLabel(this)),
      insertPicker_(new QComboBox(this)), deleteAll_(nullptr), debug_(nullptr),
      advancedToggle_(new QToolButton(this)), advanced_(new QWidget(this)) {
    debugEngine_.describeDesktopWith([this] { return describeDesktop(desktop_); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(12, 0, 12, 0);
    nameField_->setPlaceholderText(QStringLiteral("Template Name"));
    nameField_->setMaximumWidth(300);
    nameField_->setAccessibleName(QStringLiteral("Template name"));
    nameField_->setToolTip(QStringLiteral("The name shown in the sidebar"));
    connect(nameField_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        editInPlace([&](Template& item) { item.name = typed.toStdString(); });
    });
    header->addWidget(nameField_);
    header->addStretch();
    header->addWidget(new QLabel(QStringLiteral("Target App"), this));
    targetPicker_->setMaximumWidth(250);
    targetPicker_->setAccessibleName(QStringLiteral("Target App"));
    targetPicker_->setToolTip(QStringLiteral("The application that receives the input"));
    connect(targetPicker_, &QComboBox::activated, this, [this](int index) {
        const QVariant id = targetPicker_->itemData(index);
        edit_([&](Template& item) {
            item.targetAppBundleID =
                id.isNull() ? std::nullopt : std::optional(id.toString().toStdString());
        });
    });
    header->addWidget(targetPicker_);
    layout->addLayout(header);

    QPalette warning = duplicateWarning_->palette();
    warning.setColor(QPalette::WindowText, orange);
    duplicateWarning_->setPalette(warning);
    duplicateWarning_->setText(QStringLiteral("\u26A0 Duplicate column names found!"));
    duplicateWarning_->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(duplicateWarning_);

    // The step list, with the debug panel below it.
    auto* stepsPage = new QWidget(mainArea_);
    auto* stepsLayout = new QVBoxLayout(stepsPage);
    stepsLayout->setContentsMargins(0, 0, 0, 0);
    auto* captions =
        new QLabel(QStringLiteral("      #     Type                      Name"), stepsPage);
    captions->setForegroundRole(QPalette::PlaceholderText);
    stepsLayout->addWidget(captions);
    stepList_->setDragDropMode(QAbstractItemView::InternalMove);
    stepList_->setDefaultDropAction(Qt::MoveAction);
    stepList_->setAccessibleName(QStringLiteral("Steps"));
    stepList_->setToolTip(QStringLiteral("Drag a step, or press Ctrl+Up or Ctrl+Down, to move it"));
    connect(stepList_->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int start, int, const QModelIndex&, int row) {
                moveStep(start, row > start ? row - 1 : row);
            });
    for (const auto& [keys, delta] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Up), -1},
                                      std::pair{QKeySequence(Qt::CTRL | Qt::Key_Down), 1}}) {
        auto* move = new QAction(stepList_);
        move->setShortcut(keys);
        move->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(move, &QAction::triggered, this, [this, delta = delta] {
            const int row = stepList_->currentRow();
            if (row >= 0 && row + delta >= 0 && row + delta < stepList_->count())
                moveStep(row, row + delta);
        });
        stepList_->addAction(move);
    }
    stepsLayout->addWidget(stepList_, 1);

    auto* debugRow = new QHBoxLayout(debugPanel_);
    debugRow->setContentsMargins(12, 6, 12, 6);
    debugRow->setSpacing(12);
    debugText_->setParent(debugPanel_);
    debugText_->setTextFormat(Qt::RichText);
    debugRow->addWidget(debugText_, 1);
    const auto debugButton = [this, debugRow](const QString& label, const char* symbol,
                                              const QString& tip, std::function<void()> action) {
        auto* button = new QPushButton(label, debugPanel_);
        if (symbol)
            button->setIcon(symbolIcon(symbol));
        button->setToolTip(tip);
        button->setAccessibleName(label);
        connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
        debugRow->addWidget(button);
        buttons_.push_back(button);
    };
    debugButton(QStringLiteral("Next"), "forward.frame.fill",
                QStringLiteral("Execute the step shown"), [this] { debugEngine_.next(); });
    debugButton(QStringLiteral("Stop"), nullptr, QStringLiteral("End the debug run"),
                [this] { debugEngine_.stop(); });
    debugButton(QStringLiteral("Cancel"), nullptr, QStringLiteral("Do not start the debug run"),
                [this] { debugEngine_.stop(); });
    debugButton(QStringLiteral("OK"), nullptr, QStringLiteral("Close the debug result"),
                [this] { debugEngine_.setState(runner_state::Idle{}); });
    stepsLayout->addWidget(debugPanel_);
    debugStatus_->setForegroundRole(QPalette::PlaceholderText);
    debugStatus_->setContentsMargins(12, 0, 12, 0);
    stepsLayout->addWidget(debugStatus_);
    mainArea_->addWidget(stepsPage);
    mainArea_->addWidget(recorderView_);

    auto* recorded = new QVBoxLayout(recordedPanel_);
    recorded->setContentsMargins(12, 8, 12, 8);
    QFont headline = recordedCount_->font();
    headline.setBold(true);
    recordedCount_->setFont(headline);
    recordedCount_->setParent(recordedPanel_);
    recorded->addWidget(recordedCount_);
    existingCount_->setParent(recordedPanel_);
    recorded->addWidget(existingCount_);
    auto* choices = new QHBoxLayout;
    const auto panelButton = [this, choices](const QString& label, const QString& tip,
                                             std::function<void()> action) {
        auto* button = new QPushButton(label, recordedPanel_);
        button->setToolTip(tip);
        button->setAccessibleName(label);
        connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
        choices->addWidget(button);
        buttons_.push_back(button);
        return button;
    };
    panelButton(QStringLiteral("Apply"), QStringLiteral("Use the recorded steps"),
                [this] { applyRecording(true); });
    panelButton(QStringLiteral("Replace All"),
                QStringLiteral("Replace every step by the recorded ones"),
                [this] { applyRecording(true); });
    panelButton(QStringLiteral("Discard"), QStringLiteral("Keep the template as it was"), [this] {
        showRecordingFinished_ = false;
        refresh();
    });
    choices->addStretch();
    recorded->addLayout(choices);
    auto* insertRow = new QHBoxLayout;
    auto* insert = new QPushButton(QStringLiteral("Insert After Step"), recordedPanel_);
    insert->setToolTip(QStringLiteral("Insert the recorded steps after the step chosen"));
    insert->setAccessibleName(QStringLiteral("Insert After Step"));
    connect(insert, &QPushButton::clicked, this, [this] { applyRecording(false); });
    buttons_.push_back(insert);
    insertRow->addWidget(insert);
    insertPicker_->setParent(recordedPanel_);
    insertPicker_->setMaximumWidth(200);
    insertPicker_->setAccessibleName(QStringLiteral("Insert position"));
    insertPicker_->setToolTip(QStringLiteral("Where the recorded steps go"));
    connect(insertPicker_, &QComboBox::activated, this,
            [this](int index) { insertPosition_ = index; });
    insertRow->addWidget(insertPicker_);
    insertRow->addStretch();
    recorded->addLayout(insertRow);
    recorded->addStretch();
    mainArea_->addWidget(recordedPanel_);
    layout->addWidget(mainArea_, 1);

    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(12, 0, 12, 0);
    const auto toolButton = [this, toolbar](const QString& label, const char* symbol,
                                            const QColor& tint, const QString& tip,
                                            std::function<void()> action) {
        auto* button = new QPushButton(symbolIcon(symbol, tint), label, this);
        button->setToolTip(tip);
        button->setAccessibleName(label);
        connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
        toolbar->addWidget(button);
        buttons_.push_back(button);
        return button;
    };
    toolButton(QStringLiteral("Add Step"), "plus", {}, QStringLiteral("Append a Tab step"), [this] {
        edit_([](Template& item) { item.steps.push_back(Step::ofType(StepType::tab)); });
    });
    deleteAll_ =
        toolButton(QStringLiteral("Delete All"), "trash", {}, QStringLiteral("Remove every step"),
                   [this] { edit_([](Template& item) { item.steps.clear(); }); });
    debug_ = toolButton(
        QStringLiteral("Debug"), "ant", {},
        QStringLiteral("Test workflow step-by-step in the target app (with placeholder data)"),
        [this] {
            debugRefused_ = !debugEngine_.startDebug(current_());
            refresh(); // no second run before this one has begun
        });
    toolButton(
        QStringLiteral("Record"), "record.circle", QColor(0xDC, 0x26, 0x26),
        QStringLiteral("Record the steps while you work through the form (Esc in the form stops)"),
        [this] { recorder_.startRecording(); });
    toolbar->addStretch();
    layout->addLayout(toolbar);

    auto* toggleRow = new QHBoxLayout;
    toggleRow->setContentsMargins(12, 0, 12, 0);
    advancedToggle_->setText(QStringLiteral("Advanced Settings"));
    advancedToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    advancedToggle_->setAutoRaise(true);
    advancedToggle_->setAccessibleName(QStringLiteral("Advanced Settings"));
    advancedToggle_->setToolTip(QStringLiteral("Show or hide the timing settings"));
    connect(advancedToggle_, &QToolButton::clicked, this, [this] {
        showAdvanced_ = !showAdvanced_;
        refresh();
    });
    toggleRow->addWidget(advancedToggle_);
    toggleRow->addStretch();
    layout->addLayout(toggleRow);

    auto* rows = new QVBoxLayout(advanced_);
    rows->setContentsMargins(12, 0, 12, 0);
    auto* settings = new QHBoxLayout;
    rows->addLayout(settings);
    settings->addWidget(new QLabel(QStringLiteral("Countdown (sec)"), advanced_));
    countdown_ = numberField(
        advanced_, {}, QStringLiteral("Countdown (sec)"), 50, parseInteger,
        [this] { return formatInteger(current_().settings.countdownSeconds); },
        [this](std::int64_t value) {
            editInPlace([&](Template& item) { item.settings.countdownSeconds = value; });
        });
    settings->addWidget(countdown_);
    // The two delays: finite and not negative, or refused.
    const auto delayField = [this](const QString& name, double Template::Settings::*member) {
        return numberField(
            advanced_, {}, name, 80, parseDecimal,
            [this, member] { return formatDecimal(current_().settings.*member); },
            [this, member](double value) {
                if (validDelay(value))
                    editInPlace([&](Template& item) { item.settings.*member = value; });
            });
    };
    settings->addWidget(new QLabel(QStringLiteral("Char Delay (sec)"), advanced_));
    charDelay_ =
        delayField(QStringLiteral("Char Delay (sec)"), &Template::Settings::interCharDelay);
    settings->addWidget(charDelay_);
    settings->addWidget(new QLabel(QStringLiteral("Default Post-Delay (sec)"), advanced_));
    defaultDelay_ = delayField(QStringLiteral("Default Post-Delay (sec)"),
                               &Template::Settings::defaultPostDelay);
    settings->addWidget(defaultDelay_);
    settings->addStretch();
    const auto toggle = [this](const QString& text, const QString& tip,
                               bool Template::Settings::*member) {
        auto* box = new QCheckBox(text, advanced_);
        box->setAccessibleName(text);
        box->setToolTip(tip);
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
            if (current_().settings.*member != on)
                editInPlace([&](Template& item) { item.settings.*member = on; });
        });
        return box;
    };
    verifyTyped_ = toggle(QStringLiteral("Check typed text"),
                          QStringLiteral("Read each field back after typing and pause the run "
                                         "when it does not show what was typed"),
                          &Template::Settings::verifyTypedText);
    clearFirst_ = toggle(QStringLiteral("Clear field before typing"),
                         QStringLiteral("Select all and delete before typing a value; turn off "
                                        "for spreadsheets, where select-all takes the whole sheet"),
                         &Template::Settings::clearFieldFirst);
    auto* checks = new QHBoxLayout;
    checks->addWidget(verifyTyped_);
    checks->addWidget(clearFirst_);
    checks->addStretch();
    rows->addLayout(checks);
    layout->addWidget(advanced_);

    recorderConnection_ = recorder_.changed.connect([this] { recorderChanged(); });
    stateConnection_ = debugEngine_.stateChanged.connect([this] {
        rebuildSteps(); // the highlighted step follows the debug run
        refresh();
    });
    statusConnection_ = debugEngine_.statusMessageChanged.connect([this] { refresh(); });
    templateChanged();
}

TemplateEditor::~TemplateEditor() {
    // Child widgets outlive the members they watch unless they go first.
    delete recorderView_;
    clickRecorder_.reset();
    recorder_.changed.disconnect(recorderConnection_);
    debugEngine_.stateChanged.disconnect(stateConnection_);
    debugEngine_.statusMessageChanged.disconnect(statusConnection_);
}

void TemplateEditor::templateChanged() {
    debugRefused_ = false; // the refusal was about the template as it was
    if (editingInRow_) {   // the field being typed in already shows it; keep its focus
        refresh();
        return;
    }
    const Template item = current_();
    if (nameField_->text().toStdString() != item.name)
        nameField_->setText(QString::fromStdString(item.name));
    countdown_->setText(QString::fromStdString(formatInteger(item.settings.countdownSeconds)));
    charDelay_->setText(QString::fromStdString(formatDecimal(item.settings.interCharDelay)));
    defaultDelay_->setText(QString::fromStdString(formatDecimal(item.settings.defaultPostDelay)));
    verifyTyped_->setChecked(item.settings.verifyTypedText);
    clearFirst_->setChecked(item.settings.clearFieldFirst);
    refreshTargets();
    rebuildSteps();
    refresh();
}

void TemplateEditor::refreshTargets() {
    const Template item = current_();
    targetPicker_->clear();
    targetPicker_->addItem(QStringLiteral("None"));
    bool chosenListed = false;
    for (const auto& app : AutomationEngine::runningApps(desktop_)) {
        targetPicker_->addItem(QString::fromStdString(app.name),
                               QString::fromStdString(app.bundleID));
        chosenListed = chosenListed || item.targetAppBundleID == app.bundleID;
    }
    // A chosen application that is not running now stays a choice.
    if (item.targetAppBundleID && !chosenListed)
        targetPicker_->addItem(QString::fromStdString(*item.targetAppBundleID + " (not running)"),
                               QString::fromStdString(*item.targetAppBundleID));
    const int index = item.targetAppBundleID
                          ? targetPicker_->findData(QString::fromStdString(*item.targetAppBundleID))
                          : 0;
    targetPicker_->setCurrentIndex(std::max(index, 0));
}

void TemplateEditor::editInPlace(const std::function<void(Template&)>& change) {
    // The field being typed in already shows the change: the rows are not rebuilt under it.
    editingInRow_ = true;
    edit_(change);
    editingInRow_ = false;
}

void TemplateEditor::editStep(const Uuid& id, const std::function<void(Step&)>& change,
                              bool rebuild) {
    const auto apply = [&](Template& item) {
        for (Step& step : item.steps)
            if (step.id == id)
                change(step);
    };
    if (!rebuild) {
        editInPlace(apply);
        return;
    }
    edit_(apply);
    rebuildSteps();
}

void TemplateEditor::moveStep(int from, int to) {
    edit_([&](Template& item) {
        if (from < 0 || to < 0 || from >= static_cast<int>(item.steps.size()) ||
            to >= static_cast<int>(item.steps.size()))
            return;
        Step moved = item.steps[static_cast<std::size_t>(from)];
        item.steps.erase(item.steps.begin() + from);
        item.steps.insert(item.steps.begin() + to, moved);
    });
    rebuildSteps();
    stepList_->setCurrentRow(to);
}

QWidget* TemplateEditor::makeRow(const Template& item, std::size_t index) {
    const Step& step = item.steps[index];
    const Uuid id = step.id;
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(4);
    const auto* debug = std::get_if<runner_state::DebugStep>(&debugEngine_.state());
    if (debug && debug->stepIdx == index) {
        // Purple at 15 %, mixed onto white; on this row only, not its fields.
        row->setObjectName(QStringLiteral("currentStep"));
        row->setAttribute(Qt::WA_StyledBackground);
        row->setStyleSheet(QStringLiteral("#currentStep { background-color: #e4d8fb; }"));
    }
    auto* handle = new QLabel(row);
    handle->setPixmap(symbolIcon("line.3.horizontal").pixmap(16, 16));
    handle->setToolTip(QStringLiteral("Drag to move"));
    layout->addWidget(handle);
    auto* number = new QLabel(QString::number(index + 1), row);
    number->setFixedWidth(30);
    layout->addWidget(number);

    auto* type =
        picker<StepType>(row, step.type, QStringLiteral("Step %1 type").arg(index + 1), 150);
    connect(type, &QComboBox::activated, this, [this, id, type](int i) {
        const auto chosen = static_cast<StepType>(type->itemData(i).toInt());
        editStep(
            id, [&](Step& s) { s.type = chosen; }, true);
    });
    layout->addWidget(type);
    if (const auto warning = stepWarning(step, description_)) {
        // Said in the editor, not only when a run is refused.
        const QString why = QString::fromStdString(*warning);
        QToolButton* flag = plainButton(
            row, "exclamationmark.triangle.fill",
            QStringLiteral("Step %1 cannot run on this desktop").arg(index + 1), orange);
        flag->setObjectName(QStringLiteral("missingCapability"));
        flag->setToolTip(why);
        flag->setAccessibleDescription(why);
        flag->setFocusPolicy(Qt::StrongFocus);
        connect(flag, &QToolButton::clicked, flag, [flag, why] {
            QToolTip::showText(flag->mapToGlobal(QPoint(0, flag->height())), why, flag);
        });
        layout->addWidget(flag);
    }

    const bool fixed = step.isFixed();
    switch (step.type) {
    case StepType::textInput: {
        auto* label = new QLineEdit(QString::fromStdString(step.label), row);
        label->setPlaceholderText(QStringLiteral("Column Name"));
        label->setAccessibleName(QStringLiteral("Step %1 column name").arg(index + 1));
        label->setToolTip(QStringLiteral("The CSV column this step types"));
        label->setEnabled(!fixed);
        connect(label, &QLineEdit::textEdited, this, [this, id](const QString& t) {
            editStep(
                id, [&](Step& s) { s.label = t.toStdString(); }, false);
        });
        layout->addWidget(label, 1);
        QToolButton* pin = plainButton(row, fixed ? "pin.fill" : "pin",
                                       fixed ? QStringLiteral("Unpin (use CSV value)")
                                             : QStringLiteral("Set fixed value"),
                                       fixed ? orange : QColor());
        connect(pin, &QToolButton::clicked, this, [this, id, fixed] {
            editStep(
                id,
                [&](Step& s) {
                    if (fixed)
                        s.fixedValue.reset();
                    else // pinned with its label as the first fixed value, else "Fixed Value"
                        s.fixedValue = s.label.empty() ? std::string("Fixed Value") : s.label;
                },
                true);
        });
        layout->addWidget(pin);
        if (fixed) {
            auto* value = new QLineEdit(QString::fromStdString(*step.fixedValue), row);
            value->setPlaceholderText(QStringLiteral("Fixed Value"));
            value->setMaximumWidth(120);
            value->setAccessibleName(QStringLiteral("Step %1 fixed value").arg(index + 1));
            value->setToolTip(QStringLiteral("Typed in every row instead of a CSV value"));
            QPalette palette = value->palette();
            palette.setColor(QPalette::Text, orange);
            value->setPalette(palette);
            connect(value, &QLineEdit::textEdited, this, [this, id](const QString& t) {
                editStep(
                    id, [&](Step& s) { s.fixedValue = t.toStdString(); }, t.isEmpty());
            });
            layout->addWidget(value);
        }
        break;
    }
    case StepType::arrowKey: {
        auto* direction =
            picker<ArrowDirection>(row, step.arrowDirection.value_or(ArrowDirection::down),
                                   QStringLiteral("Step %1 arrow").arg(index + 1), 80);
        connect(direction, &QComboBox::activated, this, [this, id, direction](int i) {
            const auto chosen = static_cast<ArrowDirection>(direction->itemData(i).toInt());
            editStep(
                id, [&](Step& s) { s.arrowDirection = chosen; }, false);
        });
        layout->addWidget(direction);
        layout->addStretch(1);
        break;
    }
    case StepType::mouseClick: {
        auto* button =
            picker<MouseButton>(row, step.mouseButton.value_or(MouseButton::left),
                                QStringLiteral("Step %1 mouse button").arg(index + 1), 70);
        connect(button, &QComboBox::activated, this, [this, id, button](int i) {
            const auto chosen = static_cast<MouseButton>(button->itemData(i).toInt());
            editStep(
                id, [&](Step& s) { s.mouseButton = chosen; }, false);
        });
        layout->addWidget(button);
        auto* clicks =
            picker<MouseClickType>(row, step.mouseClickType.value_or(MouseClickType::single),
                                   QStringLiteral("Step %1 click type").arg(index + 1), 80);
        connect(clicks, &QComboBox::activated, this, [this, id, clicks](int i) {
            const auto chosen = static_cast<MouseClickType>(clicks->itemData(i).toInt());
            editStep(
                id, [&](Step& s) { s.mouseClickType = chosen; }, false);
        });
        layout->addWidget(clicks);
        const bool placed = step.mousePositionX && step.mousePositionY;
        auto* position =
            new QLabel(placed ? QStringLiteral("@ (%1, %2)")
                                    .arg(static_cast<long long>(std::trunc(*step.mousePositionX)))
                                    .arg(static_cast<long long>(std::trunc(*step.mousePositionY)))
                              : QStringLiteral("@ Mouse Position"),
                       row);
        position->setObjectName(QStringLiteral("position"));
        layout->addWidget(position, 1);
        QToolButton* record = plainButton(row, "scope", QStringLiteral("Record click position"));
        record->setEnabled(item.targetAppBundleID.has_value());
        connect(record, &QToolButton::clicked, this, [this, id] { recordClickPosition(id); });
        layout->addWidget(record);
        if (placed) {
            QToolButton* clear = plainButton(row, "xmark.circle",
                                             QStringLiteral("Clear position (use mouse position)"));
            connect(clear, &QToolButton::clicked, this, [this, id] {
                editStep(
                    id,
                    [](Step& s) {
                        s.mousePositionX.reset();
                        s.mousePositionY.reset();
                    },
                    true);
            });
            layout->addWidget(clear);
        }
        break;
    }
    default: {
        auto* label = new QLineEdit(QString::fromStdString(step.label), row);
        label->setEnabled(needsLabel(step.type));
        label->setAccessibleName(QStringLiteral("Step %1 caption").arg(index + 1));
        label->setToolTip(QStringLiteral("Only Text Input steps name a column"));
        layout->addWidget(label, 1);
        break;
    }
    }

    auto* delay = numberField(
        row, QString::fromStdString(formatDecimal(step.postDelay)),
        QStringLiteral("Step %1 delay (sec)").arg(index + 1), 60, parseDecimal,
        [this, id] {
            for (const Step& s : current_().steps)
                if (s.id == id)
                    return formatDecimal(s.postDelay);
            return std::string();
        },
        [this, id](double value) {
            if (validDelay(value))
                editStep(
                    id, [&](Step& s) { s.postDelay = value; }, false);
        });
    layout->addWidget(delay);
    auto* repeat = numberField(
        row, QString::fromStdString(formatInteger(step.repeatCount)),
        QStringLiteral("Step %1 repeat count").arg(index + 1), 50, parseInteger,
        [this, id] {
            for (const Step& s : current_().steps)
                if (s.id == id)
                    return formatInteger(s.repeatCount);
            return std::string();
        },
        [this, id](std::int64_t value) {
            if (value >= 0)
                editStep(
                    id, [&](Step& s) { s.repeatCount = value; }, false);
        });
    repeat->setEnabled(needsRepeatCount(step.type));
    layout->addWidget(repeat);
    QToolButton* remove =
        plainButton(row, "minus.circle.fill", QStringLiteral("Delete step %1").arg(index + 1),
                    QColor(0xDC, 0x26, 0x26));
    connect(remove, &QToolButton::clicked, this, [this, id] {
        edit_([&](Template& t) {
            std::erase_if(t.steps, [&](const Step& s) { return s.id == id; });
        });
    });
    layout->addWidget(remove);
    return row;
}

void TemplateEditor::rebuildSteps() {
    description_ = describeDesktop(desktop_);
    const Template item = current_();
    const int current = stepList_->currentRow();
    stepList_->clear();
    for (std::size_t i = 0; i < item.steps.size(); ++i) {
        auto* entry = new QListWidgetItem(stepList_);
        QWidget* row = makeRow(item, i);
        entry->setSizeHint(row->sizeHint());
        entry->setData(
            Qt::AccessibleTextRole,
            QStringLiteral("Step %1: %2").arg(i + 1).arg(text(displayName(item.steps[i].type))));
        stepList_->setItemWidget(entry, row);
    }
    if (current >= 0 && current < stepList_->count())
        stepList_->setCurrentRow(current);
}

QWidget* TemplateEditor::stepRow(int index) const {
    QListWidgetItem* entry = stepList_->item(index);
    return entry ? stepList_->itemWidget(entry) : nullptr;
}

void TemplateEditor::recorderChanged() {
    const RecorderState state = recorder_.state();
    if (state == RecorderState::idle && lastRecorderState_ == RecorderState::recording &&
        !recorder_.recordedSteps().empty()) {
        insertPosition_ = static_cast<int>(current_().steps.size());
        showRecordingFinished_ = true;
    }
    lastRecorderState_ = state;
    refresh();
}

void TemplateEditor::setInsertPosition(int position) {
    insertPosition_ = position;
    refresh();
}

void TemplateEditor::applyRecording(bool replaceAll) {
    const auto& recorded = recorder_.recordedSteps();
    const auto detected = recorder_.detectedBundleID();
    edit_([&](Template& item) {
        if (replaceAll) {
            item.steps = recorded;
        } else {
            const auto at = std::clamp<std::size_t>(
                static_cast<std::size_t>(std::max(insertPosition_, 0)), 0, item.steps.size());
            item.steps.insert(item.steps.begin() + static_cast<std::ptrdiff_t>(at),
                              recorded.begin(), recorded.end());
        }
        if (detected)
            item.targetAppBundleID = detected;
    });
    showRecordingFinished_ = false;
    templateChanged();
}

void TemplateEditor::recordClickPosition(const Uuid& stepID) {
    const auto target = current_().targetAppBundleID;
    if (!target)
        return;
    clickRecorder_ =
        std::make_unique<ClickPositionRecorder>(desktop_, RecordingPanelWidget::factory());
    clickRecorder_->record(target, [this, stepID](std::optional<Point> point) {
        if (point)
            editStep(
                stepID,
                [&](Step& s) {
                    s.mousePositionX = point->x;
                    s.mousePositionY = point->y;
                },
                true);
        // Dropped after this completion has returned: it is the recorder's own call.
        QMetaObject::invokeMethod(
            this, [this] { clickRecorder_.reset(); }, Qt::QueuedConnection);
    });
}

QPushButton* TemplateEditor::toolbarButton(const QString& label) const {
    for (QPushButton* button : buttons_)
        if (button->text() == label && button->parentWidget() == this)
            return button;
    return nullptr;
}

QPushButton* TemplateEditor::panelButton(const QString& label) const {
    for (QPushButton* button : buttons_)
        if (button->text() == label && button->parentWidget() != this)
            return button;
    return nullptr;
}

QString TemplateEditor::mainArea() const {
    if (mainArea_->currentWidget() == recorderView_)
        return QStringLiteral("recording");
    if (mainArea_->currentWidget() == recordedPanel_)
        return QStringLiteral("recorded");
    return QStringLiteral("steps");
}

void TemplateEditor::refresh() {
    const Template item = current_();
    const auto labels = item.textInputLabels();
    const std::set<std::string> distinct(labels.begin(), labels.end());
    duplicateWarning_->setVisible(distinct.size() < labels.size());

    if (recorder_.state() == RecorderState::recording)
        mainArea_->setCurrentWidget(recorderView_);
    else if (showRecordingFinished_)
        mainArea_->setCurrentWidget(recordedPanel_);
    else
        mainArea_->setCurrentIndex(0);

    // The after-recording panel.
    const std::size_t recorded = recorder_.recordedSteps().size();
    recordedCount_->setText(QStringLiteral("%1 steps recorded").arg(recorded));
    const bool empty = item.steps.empty();
    existingCount_->setVisible(!empty);
    existingCount_->setText(
        QStringLiteral("Existing workflow has %1 steps").arg(item.steps.size()));
    panelButton(QStringLiteral("Apply"))->setVisible(empty);
    panelButton(QStringLiteral("Replace All"))->setVisible(!empty);
    for (const char* name : {"Apply", "Replace All", "Insert After Step"})
        panelButton(QString::fromLatin1(name))->setEnabled(recorded > 0);
    panelButton(QStringLiteral("Insert After Step"))->setVisible(!empty);
    insertPicker_->setVisible(!empty);
    insertPicker_->clear();
    insertPicker_->addItem(QStringLiteral("Beginning"));
    for (std::size_t i = 0; i < item.steps.size(); ++i) {
        const Step& step = item.steps[i];
        insertPicker_->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(
            step.label.empty() ? text(displayName(step.type))
                               : QString::fromStdString(step.label)));
    }
    insertPicker_->setCurrentIndex(std::clamp(insertPosition_, 0, insertPicker_->count() - 1));

    // The debug panel for the debug engine's state.
    const RunnerState& state = debugEngine_.state();
    QStringList shown;
    if (const auto* step = std::get_if<runner_state::DebugStep>(&state)) {
        QString line =
            QStringLiteral(
                "<b>Step %1/%2</b> <span style='background:#ede9fe'>&nbsp;%3&nbsp;</span>")
                .arg(step->stepIdx + 1)
                .arg(item.steps.size())
                .arg(QString::fromStdString(step->stepType).toHtmlEscaped());
        if (!step->value.empty())
            line += QStringLiteral(" <span style='color:#7c3aed'>\u2192 \"%1\"</span>")
                        .arg(QString::fromStdString(step->value).toHtmlEscaped());
        debugText_->setText(line);
        shown = {QStringLiteral("Next"), QStringLiteral("Stop")};
    } else if (const auto* countdown = std::get_if<runner_state::Countdown>(&state)) {
        debugText_->setText(QStringLiteral("Debug starts in %1...").arg(countdown->remaining));
        shown = {QStringLiteral("Cancel")};
    } else if (std::holds_alternative<runner_state::Finished>(state)) {
        debugText_->setText(
            QStringLiteral("<span style='color:#2ea043'>\u2714</span> Debug complete"));
        shown = {QStringLiteral("OK")};
    }
    debugPanel_->setVisible(!shown.isEmpty());
    for (const char* name : {"Next", "Stop", "Cancel", "OK"})
        panelButton(QString::fromLatin1(name))
            ->setVisible(shown.contains(QString::fromLatin1(name)));
    const QString status = QString::fromStdString(debugEngine_.statusMessage());
    debugStatus_->setText(status);
    debugStatus_->setVisible(!status.isEmpty() &&
                             (debugRefused_ || !std::holds_alternative<runner_state::Idle>(state)));

    deleteAll_->setVisible(!item.steps.empty());
    debug_->setEnabled(!item.steps.empty() && std::holds_alternative<runner_state::Idle>(state) &&
                       !debugEngine_.isRunning());
    advancedToggle_->setIcon(symbolIcon(showAdvanced_ ? "chevron.down" : "chevron.right"));
    advanced_->setVisible(showAdvanced_);
}

} // namespace keyferry
