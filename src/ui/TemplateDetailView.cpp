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
                                       QWidget* parent)
    : QWidget(parent), store_(store), desktop_(desktop), scheduler_(scheduler), checker_(checker),
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
    statusText_->setAccessibleName(QStringLiteral("Save status"));
    header->addWidget(statusText_);
    header->addStretch();
    saveButton_->setIcon(symbolIcon("square.and.arrow.down"));
    saveButton_->setText(QStringLiteral("Save"));
    saveButton_->setToolTip(QStringLiteral("Save the template now (Ctrl+S)"));
    saveButton_->setAccessibleName(QStringLiteral("Save"));
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveDraft(); });
    // Ctrl+S anywhere in the window, doing nothing while there is nothing to save.
    auto* save = new QAction(QStringLiteral("Save"), this);
    save->setShortcut(QKeySequence::Save);
    save->setShortcutContext(Qt::WindowShortcut);
    connect(save, &QAction::triggered, this, [this] {
        if (hasUnsavedChanges_)
            saveDraft();
    });
    addAction(save);
    header->addWidget(saveButton_);
    layout_->addLayout(header);
    layout_->addWidget(horizontalDivider(this));

    editor_ = new TemplateEditor(
        desktop_, scheduler_, [this] { return draft_.value_or(Template{}); },
        [this](const std::function<void(Template&)>& change) { editDraft(change); }, this);
    layout_->addWidget(editor_, 1);
    layout_->addWidget(horizontalDivider(this));

    csvPanel_ = new CSVPanel([this] { return draft_.value_or(Template{}); },
                             [this] { tableChanged(); }, this);
    layout_->addWidget(csvPanel_);

    auto* runnerBar = new QHBoxLayout;
    runnerBar->setContentsMargins(10, 4, 10, 4);
    runnerBar->addStretch();
    runnerButton_->setAccessibleName(QStringLiteral("Runner"));
    connect(runnerButton_, &QPushButton::clicked, this, &TemplateDetailView::toggleRunner);
    runnerBar->addWidget(runnerButton_);
    layout_->addLayout(runnerBar);
    layout_->addWidget(runnerDivider_);

    selectionConnection_ = store_.selectedTemplateIDChanged.connect([this] { selectionChanged(); });
    storeConnection_ = store_.templatesChanged.connect([this] { storeChanged(); });
    fileStatusConnection_ = store_.fileStatusChanged.connect([this] { fileStatusChanged(); });
    loadDraft();
    refresh();
}

TemplateDetailView::~TemplateDetailView() {
    commitDraft(); // the pane goes away: nothing edited is lost
    store_.selectedTemplateIDChanged.disconnect(selectionConnection_);
    store_.templatesChanged.disconnect(storeConnection_);
    store_.fileStatusChanged.disconnect(fileStatusConnection_);
    if (saveTimer_)
        scheduler_.cancel(saveTimer_);
    if (feedbackTimer_)
        scheduler_.cancel(feedbackTimer_);
}

QLineEdit* TemplateDetailView::nameField() const {
    return editor_->nameField();
}

void TemplateDetailView::loadDraft() {
    const auto& selected = store_.selectedTemplateID();
    const auto& templates = store_.templates();
    const auto found =
        selected ? std::ranges::find(templates, *selected, &Template::id) : templates.end();
    if (found == templates.end()) {
        draft_.reset();
    } else {
        draft_ = *found;
        // A template just loaded has nothing unsaved, unless saves fail and the file lacks it.
        hasUnsavedChanges_ = store_.lastSaveError() && !store_.isStored(draft_->id);
    }
    editor_->templateChanged();
    csvPanel_->templateChanged();
    refresh();
}

bool TemplateDetailView::commitDraft() {
    if (!draft_)
        return false;
    if (!store_.replaceTemplate(*draft_))
        return false; // deleted meanwhile: nothing to write back
    // A failed save leaves the draft unsaved; the window says why.
    hasUnsavedChanges_ = !store_.save();
    refresh();
    return !hasUnsavedChanges_;
}

void TemplateDetailView::saveDraft() {
    if (!commitDraft())
        return;
    showSavedFeedback_ = true;
    if (feedbackTimer_)
        scheduler_.cancel(feedbackTimer_);
    feedbackTimer_ = scheduler_.runAfter(savedFeedbackTime, [this] {
        feedbackTimer_ = 0;
        showSavedFeedback_ = false;
        refresh();
    });
    refresh();
}

void TemplateDetailView::markUnsaved() {
    hasUnsavedChanges_ = true;
    showSavedFeedback_ = false;
    if (saveTimer_)
        scheduler_.cancel(saveTimer_);
    saveTimer_ = scheduler_.runAfter(autosaveDelay, [this] {
        saveTimer_ = 0;
        saveDraft();
    });
    refresh();
}

void TemplateDetailView::editDraft(const std::function<void(Template&)>& change) {
    if (!draft_)
        return;
    const Template before = *draft_;
    change(*draft_);
    if (*draft_ == before)
        return;
    if (draft_->name != before.name) {
        // The sidebar shows the name as it is typed; the file gets it with the next save.
        auto renamed = std::ranges::find(store_.templates(), draft_->id, &Template::id);
        if (renamed != store_.templates().end()) {
            Template stored = *renamed;
            stored.name = draft_->name;
            store_.replaceTemplate(stored);
        }
    }
    editor_->templateChanged();
    csvPanel_->templateChanged();
    markUnsaved();
}

void TemplateDetailView::selectionChanged() {
    commitDraft(); // the previous template keeps its edits, without asking
    loadDraft();
    if (!draft_) { // the pane is gone for now: its table and runner with it
        delete runnerPanel_;
        runnerPanel_ = nullptr;
        showRunner_ = false;
    }
}

void TemplateDetailView::storeChanged() {
    if (!draft_)
        return;
    // A rename in the sidebar reaches the draft, so the next commit does not undo it.
    const auto stored = std::ranges::find(store_.templates(), draft_->id, &Template::id);
    if (stored != store_.templates().end() && stored->name != draft_->name) {
        draft_->name = stored->name;
        editor_->templateChanged();
    }
}

void TemplateDetailView::fileStatusChanged() {
    // Any save says whether the file holds the draft: one from the sidebar (a new template
    // is selected before it is saved) as much as one of the draft's own.
    if (draft_) {
        const auto stored = std::ranges::find(store_.templates(), draft_->id, &Template::id);
        const bool inFile =
            stored != store_.templates().end() && *stored == *draft_ && store_.isStored(draft_->id);
        if (inFile)
            hasUnsavedChanges_ = false;
        else if (store_.lastSaveError())
            hasUnsavedChanges_ = true;
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
            desktop_, scheduler_, checker_, [this] { return draft_.value_or(Template{}); },
            [this]() -> const CSVData* {
                const auto& table = csvPanel_->state().csvData;
                return table ? &*table : nullptr;
            },
            [this] { return csvPanel_->loadedFile(); }, this);
        layout_->addWidget(runnerPanel_);
    } else if (!showRunner_ && runnerPanel_) {
        runnerPanel_->engine().stop();
        runnerPanel_->hide();
        runnerPanel_->deleteLater();
        runnerPanel_ = nullptr;
    }
    refresh();
}

void TemplateDetailView::refresh() {
    if (hasUnsavedChanges_) {
        statusIcon_->setPixmap(symbolIcon("circle.fill", QColor(0xF5, 0x9E, 0x0B)).pixmap(8, 8));
        statusText_->setText(QStringLiteral("Unsaved Changes"));
    } else if (showSavedFeedback_) {
        statusIcon_->setPixmap(
            symbolIcon("checkmark.circle.fill", QColor(0x2E, 0xA0, 0x43)).pixmap(10, 10));
        statusText_->setText(QStringLiteral("Saved"));
    } else {
        statusIcon_->clear();
        statusText_->clear();
    }
    statusIcon_->setVisible(hasUnsavedChanges_ || showSavedFeedback_);
    const auto& saveError = store_.lastSaveError();
    statusText_->setToolTip(
        hasUnsavedChanges_ && saveError
            ? QStringLiteral("Not saved: %1").arg(QString::fromStdString(*saveError))
            : QStringLiteral("Whether the template is saved"));
    saveButton_->setEnabled(hasUnsavedChanges_);

    const auto& table = csvPanel_->state().csvData;
    runnerButton_->setEnabled(table && table->rowCount() > 0);
    runnerButton_->setIcon(symbolIcon(showRunner_ ? "stop.fill" : "play.fill"));
    runnerButton_->setText(showRunner_ ? QStringLiteral("Hide Runner") : QStringLiteral("Runner"));
    runnerButton_->setToolTip(runnerButton_->isEnabled()
                                  ? QStringLiteral("Show or hide the runner")
                                  : QStringLiteral("Import a CSV file with entries first"));
    runnerDivider_->setVisible(showRunner_ && runnerPanel_);
}

} // namespace keyferry
