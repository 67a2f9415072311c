#include "ui/TemplateEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "automation/AutomationEngine.h"
#include "platform/DesktopServicesLoader.h"
#include "ui/CoreText.h"
#include "ui/Icons.h"
#include "ui/NumberText.h"
#include "ui/RecorderView.h"
#include "ui/RecordingPanelWidget.h"
#include "ui/StepTableModel.h"
#include "ui/StepTableView.h"

#include <cmath>
#include <set>

namespace keyferry {

namespace {

const QColor orange(0xE6, 0x7E, 0x22);

// A number field that refuses what does not parse or lies outside the limits, and shows
// the stored value again when editing ends.
template <class Parse, class Format, class Accept>
QLineEdit* numberField(QWidget* parent, const QString& name, int width, Parse parse, Format format,
                       Accept accept) {
    auto* field = new QLineEdit(parent);
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

TemplateEditor::TemplateEditor(EditSession& session, DesktopServices& desktop,
                               RecorderService& recorder, QWidget* parent)
    : QWidget(parent), session_(session), desktop_(desktop), recorder_(recorder),
      nameField_(new QLineEdit(this)),
      targetPicker_(new TargetPicker(this, [this] { refreshTargets(); })),
      duplicateWarning_(new QLabel(this)), mainArea_(new QStackedWidget(this)),
      stepModel_(new StepTableModel(
          session, [&desktop] { return describeDesktop(desktop); }, this)),
      stepTable_(new StepTableView(
          *stepModel_, [this](const QModelIndex& index) { activate(index); }, this)),
      debugPanel_(new QWidget(this)), debugText_(new QLabel(this)), debugStatus_(new QLabel(this)),
      recorderView_(new RecorderView(recorder, this)), recordedPanel_(new QWidget(this)),
      recordedCount_(new QLabel(this)), existingCount_(new QLabel(this)),
      insertPicker_(new QComboBox(this)), advancedToggle_(new QToolButton(this)),
      advanced_(new QWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(12, 0, 12, 0);
    nameField_->setPlaceholderText(tr("Template Name"));
    nameField_->setMaximumWidth(300);
    nameField_->setAccessibleName(tr("Template name"));
    nameField_->setToolTip(tr("The name shown in the sidebar"));
    connect(nameField_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        editInPlace([&](Template& item) { item.name = typed.toStdString(); });
    });
    header->addWidget(nameField_);
    header->addStretch();
    header->addWidget(new QLabel(tr("Target App"), this));
    targetPicker_->setMaximumWidth(250);
    targetPicker_->setAccessibleName(tr("Target App"));
    targetPicker_->setToolTip(tr("The application that receives the input"));
    connect(targetPicker_, &QComboBox::activated, this, [this](int index) {
        const QVariant id = targetPicker_->itemData(index);
        session_.edit([&](Template& item) {
            item.targetAppBundleID =
                id.isNull() ? std::nullopt : std::optional(id.toString().toStdString());
        });
    });
    header->addWidget(targetPicker_);
    layout->addLayout(header);

    QPalette warning = duplicateWarning_->palette();
    warning.setColor(QPalette::WindowText, orange);
    duplicateWarning_->setPalette(warning);
    duplicateWarning_->setText(tr("⚠ Duplicate column names found!"));
    duplicateWarning_->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(duplicateWarning_);

    // The step table, with the debug panel below it.
    auto* stepsPage = new QWidget(mainArea_);
    auto* stepsLayout = new QVBoxLayout(stepsPage);
    stepsLayout->setContentsMargins(0, 0, 0, 0);
    stepTable_->setParent(stepsPage);
    stepTable_->setAccessibleName(tr("Steps"));
    stepTable_->setToolTip(
        tr("Drag a step, or press Ctrl+Up or Ctrl+Down, to move it; F2 or typing edits a cell"));
    stepsLayout->addWidget(stepTable_, 1);

    auto* debugRow = new QHBoxLayout(debugPanel_);
    debugRow->setContentsMargins(12, 6, 12, 6);
    debugRow->setSpacing(12);
    debugText_->setParent(debugPanel_);
    debugText_->setTextFormat(Qt::RichText);
    debugText_->setAccessibleName(tr("Debug step"));
    debugRow->addWidget(debugText_, 1);
    for (const auto& [which, label, symbol, tip, action] : std::initializer_list<
             std::tuple<Button, QString, const char*, QString, std::function<void()>>>{
             {Button::next, tr("Next"), "forward.frame.fill", tr("Execute the step shown"),
              [this] { session_.debugNext(); }},
             {Button::stop, tr("Stop"), nullptr, tr("End the debug run"),
              [this] { session_.stopDebug(); }},
             {Button::cancel, tr("Cancel"), nullptr, tr("Do not start the debug run"),
              [this] { session_.stopDebug(); }},
             {Button::ok, tr("OK"), nullptr, tr("Close the debug result"),
              [this] { session_.dismissDebug(); }}}) {
        QPushButton* button = addButton(which, debugPanel_, label, tip, action);
        if (symbol)
            button->setIcon(symbolIcon(symbol));
        debugRow->addWidget(button);
    }
    stepsLayout->addWidget(debugPanel_);
    debugStatus_->setForegroundRole(QPalette::PlaceholderText);
    debugStatus_->setContentsMargins(12, 0, 12, 0);
    debugStatus_->setAccessibleName(tr("Debug status"));
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
    choices->addWidget(addButton(Button::apply, recordedPanel_, tr("Apply"),
                                 tr("Use the recorded steps"),
                                 [this] { session_.replaceWithRecording(); }));
    choices->addWidget(addButton(Button::replaceAll, recordedPanel_, tr("Replace All"),
                                 tr("Replace every step by the recorded ones"),
                                 [this] { session_.replaceWithRecording(); }));
    choices->addWidget(addButton(Button::discard, recordedPanel_, tr("Discard"),
                                 tr("Keep the template as it was"),
                                 [this] { session_.discardRecording(); }));
    choices->addStretch();
    recorded->addLayout(choices);
    auto* insertRow = new QHBoxLayout;
    insertRow->addWidget(addButton(Button::insertAfter, recordedPanel_, tr("Insert After Step"),
                                   tr("Insert the recorded steps after the step chosen"),
                                   [this] { session_.insertRecording(); }));
    insertPicker_->setParent(recordedPanel_);
    insertPicker_->setMaximumWidth(200);
    insertPicker_->setAccessibleName(tr("Insert position"));
    insertPicker_->setToolTip(tr("Where the recorded steps go"));
    connect(insertPicker_, &QComboBox::activated, this,
            [this](int index) { session_.setInsertPosition(static_cast<std::size_t>(index)); });
    insertRow->addWidget(insertPicker_);
    insertRow->addStretch();
    recorded->addLayout(insertRow);
    recorded->addStretch();
    mainArea_->addWidget(recordedPanel_);
    layout->addWidget(mainArea_, 1);

    auto* toolbar = new QHBoxLayout;
    toolbar->setContentsMargins(12, 0, 12, 0);
    const auto toolButton = [this, toolbar](Button which, const QString& label, const char* symbol,
                                            const QColor& tint, const QString& tip,
                                            std::function<void()> action) {
        QPushButton* button = addButton(which, this, label, tip, std::move(action));
        button->setIcon(symbolIcon(symbol, tint));
        toolbar->addWidget(button);
    };
    toolButton(Button::addStep, tr("Add Step"), "plus", {}, tr("Append a Tab step"),
               [this] { session_.addStep(); });
    toolButton(Button::deleteAll, tr("Delete All"), "trash", {}, tr("Remove every step"),
               [this] { session_.deleteAllSteps(); });
    toolButton(Button::debug, tr("Debug"), "ant", {},
               tr("Test workflow step-by-step in the target app (with placeholder data)"),
               [this] { session_.startDebug(); });
    toolButton(Button::record, tr("Record"), "record.circle", QColor(0xDC, 0x26, 0x26),
               tr("Record the steps while you work through the form (Esc in the form stops)"),
               [this] { session_.startRecording(); });
    toolbar->addStretch();
    layout->addLayout(toolbar);

    auto* toggleRow = new QHBoxLayout;
    toggleRow->setContentsMargins(12, 0, 12, 0);
    advancedToggle_->setText(tr("Advanced Settings"));
    advancedToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    advancedToggle_->setAutoRaise(true);
    advancedToggle_->setAccessibleName(tr("Advanced Settings"));
    advancedToggle_->setToolTip(tr("Show or hide the timing settings"));
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
    const auto current = [this] { return session_.draft().value_or(Template{}); };
    settings->addWidget(new QLabel(tr("Countdown (sec)"), advanced_));
    countdown_ = numberField(
        advanced_, tr("Countdown (sec)"), 50, parseInteger,
        [current] { return formatInteger(current().settings.countdownSeconds); },
        [this](std::int64_t value) {
            editInPlace([&](Template& item) { item.settings.countdownSeconds = value; });
        });
    settings->addWidget(countdown_);
    // The two delays: finite and not negative, or refused.
    const auto delayField = [this, current](const QString& name,
                                            double Template::Settings::*member) {
        return numberField(
            advanced_, name, 80, parseDecimal,
            [current, member] { return formatDecimal(current().settings.*member); },
            [this, member](double value) {
                if (std::isfinite(value) && value >= 0)
                    editInPlace([&](Template& item) { item.settings.*member = value; });
            });
    };
    settings->addWidget(new QLabel(tr("Char Delay (sec)"), advanced_));
    charDelay_ = delayField(tr("Char Delay (sec)"), &Template::Settings::interCharDelay);
    settings->addWidget(charDelay_);
    settings->addWidget(new QLabel(tr("Default Post-Delay (sec)"), advanced_));
    defaultDelay_ =
        delayField(tr("Default Post-Delay (sec)"), &Template::Settings::defaultPostDelay);
    settings->addWidget(defaultDelay_);
    settings->addStretch();
    const auto toggle = [this](const QString& label, const QString& tip,
                               bool Template::Settings::*member) {
        auto* box = new QCheckBox(label, advanced_);
        box->setAccessibleName(label);
        box->setToolTip(tip);
        connect(box, &QCheckBox::toggled, this, [this, member](bool on) {
            editInPlace([&](Template& item) { item.settings.*member = on; });
        });
        return box;
    };
    verifyTyped_ = toggle(tr("Check typed text"),
                          tr("Read each field back after typing and pause the run "
                             "when it does not show what was typed"),
                          &Template::Settings::verifyTypedText);
    clearFirst_ = toggle(tr("Clear field before typing"),
                         tr("Select all and delete before typing a value; turn off "
                            "for spreadsheets, where select-all takes the whole sheet"),
                         &Template::Settings::clearFieldFirst);
    waitForField_ = toggle(tr("Wait for the next field"),
                           tr("Go on as soon as the next step's recorded field has the focus and "
                              "is ready, instead of waiting each step's delay"),
                           &Template::Settings::waitForNextField);
    auto* checks = new QHBoxLayout;
    checks->addWidget(verifyTyped_);
    checks->addWidget(clearFirst_);
    checks->addWidget(waitForField_);
    // Beside the toggle it belongs to; the delays' row has no room left.
    checks->addWidget(new QLabel(tr("Longest Field Wait (sec)"), advanced_));
    longestFieldWait_ =
        delayField(tr("Longest Field Wait (sec)"), &Template::Settings::longestFieldWait);
    longestFieldWait_->setToolTip(
        tr("How long a run waits for the next step's field before it pauses"));
    checks->addWidget(longestFieldWait_);
    checks->addStretch();
    rows->addLayout(checks);
    layout->addWidget(advanced_);

    draftConnection_ = session_.draftChanged.connect([this] { draftChanged(); });
    stateConnection_ = session_.stateChanged.connect([this] { refresh(); });
    draftChanged();
}

TemplateEditor::~TemplateEditor() {
    // Child widgets outlive the members they watch unless they go first.
    delete recorderView_;
    delete stepTable_;
    delete stepModel_;
    clickRecorder_.reset();
    fieldPicker_.reset();
    session_.draftChanged.disconnect(draftConnection_);
    session_.stateChanged.disconnect(stateConnection_);
}

QPushButton* TemplateEditor::addButton(Button which, QWidget* parent, const QString& label,
                                       const QString& tip, std::function<void()> action) {
    auto* button = new QPushButton(label, parent);
    button->setToolTip(tip);
    button->setAccessibleName(label);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    buttons_[which] = button;
    return button;
}

void TemplateEditor::editInPlace(const std::function<void(Template&)>& change) {
    editingInPlace_ = true;
    session_.edit(change);
    editingInPlace_ = false;
}

void TemplateEditor::draftChanged() {
    if (!editingInPlace_) { // the field being typed in already shows it; keep its cursor
        const Template item = session_.draft().value_or(Template{});
        if (nameField_->text().toStdString() != item.name)
            nameField_->setText(QString::fromStdString(item.name));
        countdown_->setText(QString::fromStdString(formatInteger(item.settings.countdownSeconds)));
        charDelay_->setText(QString::fromStdString(formatDecimal(item.settings.interCharDelay)));
        defaultDelay_->setText(
            QString::fromStdString(formatDecimal(item.settings.defaultPostDelay)));
        longestFieldWait_->setText(
            QString::fromStdString(formatDecimal(item.settings.longestFieldWait)));
        const QSignalBlocker verifyBlocker(verifyTyped_), clearBlocker(clearFirst_),
            waitBlocker(waitForField_);
        verifyTyped_->setChecked(item.settings.verifyTypedText);
        clearFirst_->setChecked(item.settings.clearFieldFirst);
        waitForField_->setChecked(item.settings.waitForNextField);
        refreshTargets();
    }
    refresh();
}

void TemplateEditor::refreshTargets() {
    const Template item = session_.draft().value_or(Template{});
    targetPicker_->clear();
    targetPicker_->addItem(tr("None"));
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

void TemplateEditor::activate(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == StepTableModel::remove)
        session_.deleteStep(row);
    else if (index.column() == StepTableModel::position)
        recordClickPosition(row);
    else if (index.column() == StepTableModel::field)
        recordField(row);
}

void TemplateEditor::recordField(std::size_t index) {
    const auto& steps = session_.steps();
    const auto target = session_.draft() ? session_.draft()->targetAppBundleID : std::nullopt;
    if (!target || index >= steps.size())
        return;
    const Uuid stepID = steps[index].id;
    fieldPicker_ = std::make_unique<FieldPicker>(desktop_, session_.scheduler(),
                                                 RecordingPanelWidget::factory());
    fieldPicker_->pick(target, [this, stepID](std::optional<FieldIdentity> field) {
        // The step may have moved while the field was awaited.
        if (const auto at = session_.indexOf(stepID); field && at)
            session_.setField(*at, std::move(field));
        QMetaObject::invokeMethod(
            this, [this] { fieldPicker_.reset(); }, Qt::QueuedConnection);
    });
}

void TemplateEditor::recordClickPosition(std::size_t index) {
    const auto& steps = session_.steps();
    const auto target = session_.draft() ? session_.draft()->targetAppBundleID : std::nullopt;
    if (!target || index >= steps.size() || steps[index].type != StepType::mouseClick)
        return;
    const Uuid stepID = steps[index].id;
    clickRecorder_ =
        std::make_unique<ClickPositionRecorder>(desktop_, RecordingPanelWidget::factory());
    clickRecorder_->record(target, [this, stepID](std::optional<Point> point) {
        // The step may have moved while the click was awaited.
        if (const auto at = session_.indexOf(stepID); point && at)
            session_.setPosition(*at, *point);
        // Dropped after this completion has returned: it is the recorder's own call.
        QMetaObject::invokeMethod(
            this, [this] { clickRecorder_.reset(); }, Qt::QueuedConnection);
    });
}

QString TemplateEditor::mainArea() const {
    if (mainArea_->currentWidget() == recorderView_)
        return QStringLiteral("recording");
    if (mainArea_->currentWidget() == recordedPanel_)
        return QStringLiteral("recorded");
    return QStringLiteral("steps");
}

void TemplateEditor::refresh() {
    const Template item = session_.draft().value_or(Template{});
    const auto labels = item.textInputLabels();
    const std::set<std::string> distinct(labels.begin(), labels.end());
    duplicateWarning_->setVisible(distinct.size() < labels.size());

    if (recorder_.state() == RecorderState::recording)
        mainArea_->setCurrentWidget(recorderView_);
    else if (session_.offersRecording())
        mainArea_->setCurrentWidget(recordedPanel_);
    else
        mainArea_->setCurrentIndex(0);

    // The after-recording panel.
    const std::size_t recorded = recorder_.recordedSteps().size();
    recordedCount_->setText(tr("%n steps recorded", nullptr, static_cast<int>(recorded)));
    const bool empty = item.steps.empty();
    existingCount_->setVisible(!empty);
    existingCount_->setText(
        tr("Existing workflow has %n steps", nullptr, static_cast<int>(item.steps.size())));
    button(Button::apply)->setVisible(empty);
    button(Button::replaceAll)->setVisible(!empty);
    for (const Button which : {Button::apply, Button::replaceAll, Button::insertAfter})
        button(which)->setEnabled(recorded > 0);
    button(Button::insertAfter)->setVisible(!empty);
    insertPicker_->setVisible(!empty);
    insertPicker_->clear();
    insertPicker_->addItem(tr("Beginning"));
    for (std::size_t i = 0; i < item.steps.size(); ++i) {
        const Step& step = item.steps[i];
        insertPicker_->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(
            step.label.empty() ? displayText(step.type) : QString::fromStdString(step.label)));
    }
    insertPicker_->setCurrentIndex(static_cast<int>(session_.insertPosition()));

    // The debug panel for the debug run's phase.
    std::set<Button> shown;
    switch (session_.debugPhase()) {
    case EditSession::DebugPhase::step: {
        const runner_state::DebugStep& step = *session_.debugStep();
        QString line =
            QStringLiteral(
                "<b>Step %1/%2</b> <span style='background:#ede9fe'>&nbsp;%3&nbsp;</span>")
                .arg(step.stepIdx + 1)
                .arg(item.steps.size())
                .arg(QString::fromStdString(step.stepType).toHtmlEscaped());
        if (!step.value.empty())
            line += QStringLiteral(" <span style='color:#7c3aed'>\u2192 \"%1\"</span>")
                        .arg(QString::fromStdString(step.value).toHtmlEscaped());
        debugText_->setText(line);
        shown = {Button::next, Button::stop};
        break;
    }
    case EditSession::DebugPhase::countdown:
        debugText_->setText(tr("Debug starts in %1...").arg(session_.debugCountdown().value_or(0)));
        shown = {Button::cancel};
        break;
    case EditSession::DebugPhase::finished:
        debugText_->setText(QStringLiteral("<span style='color:#2ea043'>\u2714</span> ") +
                            tr("Debug complete"));
        shown = {Button::ok};
        break;
    case EditSession::DebugPhase::none:
        break;
    }
    debugPanel_->setVisible(!shown.empty());
    for (const Button which : {Button::next, Button::stop, Button::cancel, Button::ok})
        button(which)->setVisible(shown.contains(which));
    const QString status = translatedCoreText(session_.debugMessage());
    debugStatus_->setText(status);
    debugStatus_->setVisible(!status.isEmpty());

    button(Button::deleteAll)->setVisible(!item.steps.empty());
    button(Button::debug)->setEnabled(session_.canStartDebug());
    advancedToggle_->setIcon(symbolIcon(showAdvanced_ ? "chevron.down" : "chevron.right"));
    advanced_->setVisible(showAdvanced_);
}

} // namespace keyferry
