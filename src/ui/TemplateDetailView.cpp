#include "ui/TemplateDetailView.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "csv/CSVData.h"
#include "ui/CSVPanel.h"
#include "ui/Divider.h"
#include "ui/Icons.h"
#include "ui/RunnerPanel.h"
#include "ui/TemplateEditor.h"

#include <algorithm>

namespace keyferry {

TemplateDetailView::TemplateDetailView(TemplateStore& store, DesktopServices& desktop,
                                       Scheduler& scheduler, AccessibilityChecker* checker,
                                       RunnerEngine& runner, RecorderService& recorder,
                                       QWidget* parent)
    : QWidget(parent), store_(store), desktop_(desktop), scheduler_(scheduler), checker_(checker),
      runner_(runner), session_(std::make_unique<EditSession>(store, scheduler, runner, recorder)),
      statusIcon_(new QLabel(this)), statusText_(new QLabel(this)),
      saveButton_(new QPushButton(this)), runnerButton_(new QPushButton(this)),
      runnerDivider_(horizontalDivider(this)), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(10, 4, 10, 4);
    header->addWidget(statusIcon_);
    QFont caption = statusText_->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    statusText_->setFont(caption);
    statusText_->setForegroundRole(QPalette::PlaceholderText);
    statusText_->setAccessibleName(tr("Save status"));
    header->addWidget(statusText_);
    header->addStretch();
    saveButton_->setIcon(symbolIcon("square.and.arrow.down"));
    saveButton_->setText(tr("Save"));
    saveButton_->setToolTip(tr("Save the template now (Ctrl+S)"));
    saveButton_->setAccessibleName(tr("Save"));
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveDraft(); });
    // Ctrl+S anywhere in the window, doing nothing while there is nothing to save.
    auto* save = new QAction(tr("Save"), this);
    save->setShortcut(QKeySequence::Save);
    save->setShortcutContext(Qt::WindowShortcut);
    connect(save, &QAction::triggered, this, [this] {
        if (hasUnsavedChanges())
            saveDraft();
    });
    addAction(save);
    header->addWidget(saveButton_);
    layout_->addLayout(header);
    layout_->addWidget(horizontalDivider(this));

    editor_ = new TemplateEditor(*session_, desktop_, recorder, this);
    layout_->addWidget(editor_, 1);
    layout_->addWidget(horizontalDivider(this));

    csvPanel_ = new CSVPanel([this] { return draft().value_or(Template{}); },
                             [this] { tableChanged(); }, this);
    layout_->addWidget(csvPanel_);

    auto* runnerBar = new QHBoxLayout;
    runnerBar->setContentsMargins(10, 4, 10, 4);
    runnerBar->addStretch();
    runnerButton_->setAccessibleName(tr("Runner"));
    connect(runnerButton_, &QPushButton::clicked, this, &TemplateDetailView::toggleRunner);
    runnerBar->addWidget(runnerButton_);
    layout_->addLayout(runnerBar);
    layout_->addWidget(runnerDivider_);

    draftConnection_ = session_->draftChanged.connect([this] { draftChanged(); });
    stateConnection_ = session_->stateChanged.connect([this] {
        // A debug run just asked for holds the runner before its first state change.
        if (runnerPanel_)
            runnerPanel_->refresh();
        refresh();
    });
    refresh();
}

TemplateDetailView::~TemplateDetailView() {
    session_->draftChanged.disconnect(draftConnection_);
    session_->stateChanged.disconnect(stateConnection_);
    // The panels watch the session and the runner: they go first. The session commits its
    // draft as it ends, so nothing edited is lost.
    delete runnerPanel_;
    delete editor_;
    delete csvPanel_;
    session_.reset();
}

QLineEdit* TemplateDetailView::nameField() const {
    return editor_->nameField();
}

void TemplateDetailView::draftChanged() {
    csvPanel_->templateChanged();
    if (!session_->draft() && runnerPanel_) { // the pane is gone for now: its runner with it
        delete runnerPanel_;
        runnerPanel_ = nullptr;
        showRunner_ = false;
    }
    refresh();
}

void TemplateDetailView::tableChanged() {
    const auto& table = csvPanel_->state().csvData;
    if (!table && runnerPanel_) {
        delete runnerPanel_;
        runnerPanel_ = nullptr;
        showRunner_ = false;
    }
    refresh();
}

void TemplateDetailView::toggleRunner() {
    showRunner_ = !showRunner_;
    if (showRunner_ && !runnerPanel_) {
        // Created afresh each time it is shown; it runs the draft as it is on screen.
        runnerPanel_ = new RunnerPanel(
            runner_, desktop_, [this] { return session_->isDebugging(); },
            [this] { return draft().value_or(Template{}); },
            [this]() -> const CSVData* {
                const auto& table = csvPanel_->state().csvData;
                return table ? &*table : nullptr;
            },
            [this] { return csvPanel_->fileForRun(); }, this);
        layout_->addWidget(runnerPanel_);
    } else if (!showRunner_ && runnerPanel_) {
        if (!session_->isDebugging()) // a debug run goes on
            runner_.stop();
        runnerPanel_->hide();
        runnerPanel_->deleteLater();
        runnerPanel_ = nullptr;
    }
    refresh();
}

void TemplateDetailView::refresh() {
    const bool unsaved = hasUnsavedChanges();
    const bool savedFeedback = showsSavedFeedback();
    if (unsaved) {
        statusIcon_->setPixmap(symbolIcon("circle.fill", QColor(0xF5, 0x9E, 0x0B)).pixmap(8, 8));
        statusText_->setText(tr("Unsaved Changes"));
    } else if (savedFeedback) {
        statusIcon_->setPixmap(
            symbolIcon("checkmark.circle.fill", QColor(0x2E, 0xA0, 0x43)).pixmap(10, 10));
        statusText_->setText(tr("Saved"));
    } else {
        statusIcon_->clear();
        statusText_->clear();
    }
    statusIcon_->setVisible(unsaved || savedFeedback);
    const auto& saveError = store_.lastSaveError();
    statusText_->setToolTip(unsaved && saveError
                                ? tr("Not saved: %1").arg(QString::fromStdString(*saveError))
                                : tr("Whether the template is saved"));
    saveButton_->setEnabled(unsaved);

    const auto& table = csvPanel_->state().csvData;
    runnerButton_->setEnabled(table && table->rowCount() > 0);
    runnerButton_->setIcon(symbolIcon(showRunner_ ? "stop.fill" : "play.fill"));
    runnerButton_->setText(showRunner_ ? tr("Hide Runner") : tr("Runner"));
    runnerButton_->setToolTip(runnerButton_->isEnabled()
                                  ? tr("Show or hide the runner")
                                  : tr("Import a CSV file with entries first"));
    runnerDivider_->setVisible(showRunner_ && runnerPanel_);
}

} // namespace keyferry
