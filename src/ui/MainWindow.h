#pragma once

#include <QMainWindow>

#include "automation/AccessibilityChecker.h"
#include "automation/DesktopServices.h"
#include "automation/RunnerEngine.h"
#include "automation/Scheduler.h"
#include "model/TemplateStore.h"
#include "recording/RecorderService.h"

class QAction;
class QLabel;
class QSplitter;
class QStackedWidget;

namespace keyferry {

class AccessibilityPrompt;
class CapabilityNoticeView;
class StoreStatusView;
class TemplateDetailView;
class TemplateSidebar;

/// The application's one main window: the sidebar, the detail pane, the help command, what
/// the desktop lacks and the permission prompt.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    /// `runner` and `recorder` are the window's one runner (table runs and the debug run)
    /// and one recorder; they outlive the window. The window has the runner refuse what the
    /// desktop cannot run.
    MainWindow(TemplateStore& store, AccessibilityChecker& checker, DesktopServices& desktop,
               Scheduler& scheduler, RunnerEngine& runner, RecorderService& recorder,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    TemplateSidebar* sidebar() const { return sidebar_; }
    TemplateDetailView* detail() const { return detail_; }
    AccessibilityPrompt* prompt() const { return prompt_; }
    /// What the desktop lacks, above the panes; hidden while the prompt covers the window.
    CapabilityNoticeView* notice() const { return notice_; }
    QSplitter* splitter() const { return splitter_; }
    /// The status area at the bottom: problems with the templates file.
    StoreStatusView* storeStatus() const { return storeStatus_; }
    bool showsPlaceholder() const;
    /// Edit > Paste Rows: the rows on the clipboard as the selected template's table.
    QAction* pasteRowsAction() const { return pasteRows_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void followSelection();
    void refreshNotice();

    TemplateStore& store_;
    AccessibilityChecker& checker_;
    DesktopServices& desktop_;
    Scheduler& scheduler_;
    RunnerEngine& runner_;
    RecorderService& recorder_;
    QSplitter* splitter_;
    TemplateSidebar* sidebar_;
    QStackedWidget* right_;
    QLabel* placeholder_;
    TemplateDetailView* detail_ = nullptr;
    AccessibilityPrompt* prompt_;
    CapabilityNoticeView* notice_;
    StoreStatusView* storeStatus_;
    QAction* pasteRows_;
    Signal<bool>::ConnectionId grantConnection_;
    bool monitoring_ = false;
    Signal<>::ConnectionId selectionConnection_;
};

} // namespace keyferry
