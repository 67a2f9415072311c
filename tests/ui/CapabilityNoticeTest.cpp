#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "UiSession.h"
#include "ui/AccessibilityPrompt.h"
#include "ui/CSVPanel.h"
#include "ui/CapabilityNoticeView.h"
#include "ui/RunnerPanel.h"
#include "ui/StepTableModel.h"
#include "ui/TemplateEditor.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

QStringList texts(const CapabilityNoticeView& view) {
    QStringList result;
    for (const QLabel* line : view.lines())
        result << line->text();
    return result;
}

} // namespace

TEST_F(UiSession, NoticeShowsOnlyWhatTheDesktopLacks) {
    open();
    EXPECT_FALSE(window->notice()->isVisible()) << "nothing to say when everything is there";

    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    desktop.setMissing(Capability::recordKeys, "keys typed elsewhere cannot be seen");
    window->hide();
    window->show(); // the desktop is described again when the window shows
    QApplication::processEvents();
    const CapabilityNoticeView& notice = *window->notice();
    ASSERT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.title()->text(), QStringLiteral("Not available on this desktop (simulated)"));
    EXPECT_EQ(texts(notice),
              (QStringList{QStringLiteral("Record keys: keys typed elsewhere cannot be seen. What "
                                          "you can do: use a desktop that offers it."),
                           QStringLiteral("See the user's clicks: clicks in other applications "
                                          "cannot be seen. What you can do: use a desktop that "
                                          "offers it.")}));
    for (const QLabel* line : notice.lines()) {
        SCOPED_TRACE(line->text().toStdString());
        EXPECT_FALSE(line->accessibleName().isEmpty());
        EXPECT_EQ(line->accessibleDescription(), line->text());
        EXPECT_TRUE(line->toolTip().startsWith(QStringLiteral("What you can do: ")));
        EXPECT_TRUE(line->focusPolicy() & Qt::TabFocus) << "reachable by keyboard";
    }
    EXPECT_FALSE(window->prompt()->isVisible()) << "typing works: nothing covers the window";

    QToolButton* hide = notice.hideButton();
    ASSERT_TRUE(hide);
    EXPECT_FALSE(hide->accessibleName().isEmpty());
    EXPECT_FALSE(hide->toolTip().isEmpty());
    hide->setFocus();
    QTest::keyClick(hide, Qt::Key_Space);
    EXPECT_FALSE(notice.isVisible()) << "the keyboard hides it";
}

TEST_F(UiSession, PromptListsWhatIsMissingAndNoLongerCallsWaylandUnsupported) {
    desktop.setTrusted(false);
    desktop.setMissing(Capability::typeLayoutText, "no virtual keyboard here");
    open();
    ASSERT_TRUE(window->prompt()->isVisible());
    EXPECT_FALSE(window->notice()->isVisible()) << "the prompt covers the window with the list";
    const CapabilityNoticeView& notice = *window->prompt()->notice();
    EXPECT_EQ(texts(notice), QStringList{QStringLiteral(
                                 "Type layout text: no virtual keyboard here. What you can do: "
                                 "use a desktop that offers it.")});
    for (const QLabel* label : window->prompt()->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QStringLiteral("not supported")))
            << label->text().toStdString();
    EXPECT_FALSE(window->prompt()->enableButton()->accessibleName().isEmpty());
    EXPECT_FALSE(window->prompt()->enableButton()->toolTip().isEmpty());
}

TEST_F(UiSession, StepsNeedingWhatIsMissingAreFlaggedInTheEditor) {
    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().editDraft([](Template& item) {
        item.steps = {Step::ofType(StepType::tab), Step::ofType(StepType::wait)};
    });
    QApplication::processEvents();
    StepTableModel& steps = *detail().editor()->stepModel();
    const auto flagged = [&](int row) {
        return steps.index(row, StepTableModel::type).data(Qt::DecorationRole).isValid();
    };
    const auto said = [&](int row, int role) {
        return steps.index(row, StepTableModel::type).data(role).toString();
    };
    EXPECT_FALSE(flagged(0)) << "a Tab runs here";
    EXPECT_EQ(said(0, Qt::AccessibleTextRole), QStringLiteral("Step 1 type"));
    ASSERT_TRUE(flagged(1));
    EXPECT_EQ(said(1, Qt::AccessibleTextRole),
              QStringLiteral("Step 2 type, cannot run on this desktop"));
    const QString why = QStringLiteral(
        "This step cannot run on this desktop (simulated). \u201Csee the user's clicks\u201D is "
        "missing: clicks in other applications cannot be seen. What you can do: use a desktop "
        "that offers it.");
    EXPECT_EQ(said(1, Qt::ToolTipRole), why);
    EXPECT_EQ(said(1, Qt::AccessibleDescriptionRole), why);
    EXPECT_TRUE(steps.index(1, StepTableModel::type).flags() & Qt::ItemIsSelectable)
        << "reachable by keyboard";

    // Once the step is gone, so is the flag.
    detail().editDraft([](Template& item) { item.steps = {Step::ofType(StepType::returnKey)}; });
    QApplication::processEvents();
    EXPECT_FALSE(flagged(0));
}

// Debug of a template with a step the desktop cannot run does not begin (it would wait for a
// click until stopped); the reason shows under the steps until the template changes.
TEST_F(UiSession, DebugOfATemplateTheDesktopCannotRunIsRefusedInView) {
    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().editDraft([](Template& item) {
        item.steps = {Step::ofType(StepType::tab), Step::ofType(StepType::wait)};
    });
    QApplication::processEvents();
    TemplateEditor& editor = *detail().editor();
    QPushButton* debug = editor.button(TemplateEditor::Button::debug);
    ASSERT_TRUE(debug->isEnabled());
    debug->click();
    QApplication::processEvents();
    const auto reason = [&]() -> QLabel* {
        QLabel* status = editor.debugStatus();
        return status->isVisible() && status->text().startsWith(QStringLiteral("Not started:"))
                   ? status
                   : nullptr;
    };
    ASSERT_NE(reason(), nullptr) << "the refusal is shown where the user looks";
    EXPECT_TRUE(reason()->text().contains(QStringLiteral("step 2")))
        << reason()->text().toStdString();
    EXPECT_TRUE(debug->isEnabled()) << "nothing is running";
    EXPECT_TRUE(desktop.postedEvents().empty()) << "not even the first step ran";

    detail().editDraft([](Template& item) { item.steps = {Step::ofType(StepType::tab)}; });
    QApplication::processEvents();
    EXPECT_EQ(reason(), nullptr) << "the reason concerned the template as it was";
}

// Start in the runner panel with a step the desktop cannot run: nothing starts, and the
// status line says which step, what is missing and why.
TEST_F(UiSession, RunnerPanelRefusesATemplateTheDesktopCannotRun) {
    desktop.setMissing(Capability::watchClicks, "clicks in other applications cannot be seen");
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().editDraft([](Template& item) {
        item.targetAppBundleID = "Yad";
        Step name = Step::ofType(StepType::textInput);
        name.label = "Name";
        item.steps = {name, Step::ofType(StepType::wait)};
    });
    writeText(temp.path() / "names.csv", "Name\nAda\nBob\n");
    detail().csvPanel()->loadFile(QString::fromStdString((temp.path() / "names.csv").string()));
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    ASSERT_TRUE(runner);
    QPushButton* start = runner->button(QStringLiteral("Start"));
    ASSERT_TRUE(start && start->isEnabled());

    start->click();
    advance(std::chrono::milliseconds(3000));
    EXPECT_EQ(runner->pageName(), QStringLiteral("idle")) << "no countdown, no run";
    EXPECT_FALSE(runner->engine().isRunning());
    EXPECT_TRUE(desktop.postedEvents().empty());
    EXPECT_TRUE(runner->statusLabel()->isVisible());
    EXPECT_TRUE(runner->statusLabel()->text().startsWith(
        QStringLiteral("Not started: step 2 (Wait (Click)) cannot run on this desktop")))
        << runner->statusLabel()->text().toStdString();
    EXPECT_TRUE(runner->statusLabel()->text().contains(
        QStringLiteral("clicks in other applications cannot be seen")));
}

TEST_F(UiSession, PauseOnInputIsOffWithTheReasonWhereTheDesktopCannotSeeInput) {
    desktop.setMissing(Capability::pauseOnUserInput, "no compositor shows one application "
                                                     "another's input");
    open();
    store->addTemplate();
    QApplication::processEvents();
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    ASSERT_TRUE(runner);
    QCheckBox* pause = nullptr;
    for (QCheckBox* box : runner->findChildren<QCheckBox*>())
        if (box->accessibleName() == QStringLiteral("Pause when I type or click"))
            pause = box;
    ASSERT_TRUE(pause);
    EXPECT_FALSE(pause->isEnabled());
    EXPECT_TRUE(pause->toolTip().contains(QStringLiteral("another's input")))
        << pause->toolTip().toStdString();
    EXPECT_EQ(pause->accessibleDescription(), pause->toolTip());
}
