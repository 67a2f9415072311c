#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/DesktopServicesLoader.h"
#include "ui/AccessibilityPrompt.h"
#include "ui/CSVPanel.h"
#include "ui/CapabilityNoticeView.h"
#include "ui/HelpWindow.h"
#include "ui/Icons.h"
#include "ui/StoreStatusView.h"
#include "ui/TemplateDetailView.h"
#include "ui/TemplateSidebar.h"

namespace keyferry {

MainWindow::MainWindow(TemplateStore& store, AccessibilityChecker& checker,
                       DesktopServices& desktop, Scheduler& scheduler, RunnerEngine& runner,
                       RecorderService& recorder, QWidget* parent)
    : QMainWindow(parent), store_(store), checker_(checker), desktop_(desktop),
      scheduler_(scheduler), runner_(runner), recorder_(recorder), splitter_(new QSplitter(this)),
      sidebar_(new TemplateSidebar(store, splitter_)), right_(new QStackedWidget(splitter_)),
      placeholder_(new QLabel(tr("No Template Selected"), right_)) {
    // A template the desktop cannot run is refused, the reason in the status line.
    runner_.describeDesktopWith([&desktop] { return describeDesktop(desktop); });
    setWindowTitle(QStringLiteral("Keyferry"));
    setWindowIcon(applicationIcon());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    notice_ = new CapabilityNoticeView(true, central);
    centralLayout->addWidget(notice_);
    centralLayout->addWidget(splitter_, 1); // the notice takes only the height it needs
    // Below the panes rather than in a QStatusBar, which gives wrapped text a fixed height.
    storeStatus_ = new StoreStatusView(store_, central);
    centralLayout->addWidget(storeStatus_);
    splitter_->setChildrenCollapsible(false);
    sidebar_->setMinimumWidth(180);
    sidebar_->setMaximumWidth(280);
    splitter_->addWidget(sidebar_);
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->setForegroundRole(QPalette::PlaceholderText);
    right_->addWidget(placeholder_);
    splitter_->addWidget(right_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({220, 780});
    setMinimumSize(800, 500);
    resize(1000, 680);

    auto* file = menuBar()->addMenu(tr("&File"));
    QAction* quit = file->addAction(tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    auto* edit = menuBar()->addMenu(tr("&Edit"));
    pasteRows_ = edit->addAction(symbolIcon("doc.on.clipboard"), tr("&Paste Rows"));
    // Ctrl+V itself pastes rows only in the CSV panel; in the editor's fields it pastes text.
    pasteRows_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    pasteRows_->setToolTip(tr("Take the rows on the clipboard, copied from a "
                              "spreadsheet with the header row, as the table"));
    connect(pasteRows_, &QAction::triggered, this, [this] {
        if (detail_)
            detail_->csvPanel()->pasteFromClipboard();
    });
    auto* help = menuBar()->addMenu(tr("&Help"));
    QAction* openHelp = help->addAction(symbolIcon("questionmark.circle"), tr("Keyferry Help"));
    openHelp->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Question), QKeySequence(Qt::Key_F1)});
    openHelp->setShortcutContext(Qt::ApplicationShortcut);
    connect(openHelp, &QAction::triggered, this, [] { HelpWindowController::shared().show(); });

    // The prompt lies above everything else in the window, outside the layout.
    prompt_ = new AccessibilityPrompt(desktop_, checker_, central);

    grantConnection_ = checker_.isGrantedChanged.connect([this](bool) { refreshNotice(); });
    refreshNotice();
    selectionConnection_ = store_.selectedTemplateIDChanged.connect([this] { followSelection(); });
    followSelection();
}

MainWindow::~MainWindow() {
    checker_.isGrantedChanged.disconnect(grantConnection_);
    store_.selectedTemplateIDChanged.disconnect(selectionConnection_);
}

void MainWindow::refreshNotice() {
    // While Keyferry may not type at all, the prompt covers the window with the same list.
    if (checker_.isGranted())
        notice_->show(capabilityNotice(describeDesktop(desktop_)));
    else
        notice_->show(std::nullopt);
}

bool MainWindow::showsPlaceholder() const {
    return right_->currentWidget() == placeholder_;
}

void MainWindow::followSelection() {
    pasteRows_->setEnabled(store_.selectedTemplateID().has_value());
    if (store_.selectedTemplateID()) {
        if (!detail_) {
            detail_ = new TemplateDetailView(store_, desktop_, scheduler_, &checker_, runner_,
                                             recorder_, right_);
            right_->addWidget(detail_);
        }
        right_->setCurrentWidget(detail_);
    } else {
        right_->setCurrentWidget(placeholder_);
        if (detail_) { // the pane goes away: it commits its draft as it goes
            right_->removeWidget(detail_);
            delete detail_;
            detail_ = nullptr;
        }
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!monitoring_) {
        monitoring_ = true;
        checker_.startMonitoring(2);
    }
    prompt_->follow();
    refreshNotice();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (detail_)
        detail_->commitDraft(); // quitting loses no edit
    if (QWidget* help = HelpWindowController::shared().window())
        help->close();
    event->accept();
}

} // namespace keyferry
