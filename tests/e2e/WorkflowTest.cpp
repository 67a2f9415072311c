#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "Desktop.h"
#include "automation/AccessibilityChecker.h"
#include "ui/CSVPanel.h"
#include "ui/MainWindow.h"
#include "ui/RunnerPanel.h"
#include "ui/StepTableModel.h"
#include "ui/StepTableView.h"
#include "ui/TemplateDetailView.h"
#include "ui/TemplateEditor.h"
#include "ui/TemplateSidebar.h"

using namespace keyferry;
using namespace keyferry::testing;

// The whole workflow in Keyferry's own window against a real GTK form: create a template,
// record it by working through the form with real key presses, apply the recording,
// import a CSV file, run it, then step through it in debug mode.
TEST_F(DesktopTest, WholeWorkflowThroughTheWindow) {
    std::ostringstream diagnostics;
    TemplateStore store(temp.path() / "store", diagnostics);
    AccessibilityChecker checker(*desktop, scheduler);
    RunnerEngine runner(*desktop, scheduler, &checker);
    RecorderService recorder(*desktop, scheduler);
    MainWindow window(store, checker, *desktop, scheduler, runner, recorder);
    window.show();
    ASSERT_TRUE(spinUntil([&] { return desktop->isOwnApplicationActive(); }));

    QTest::mouseClick(window.sidebar()->addButton(), Qt::LeftButton);
    ASSERT_TRUE(window.detail());
    TemplateDetailView& detail = *window.detail();
    TemplateEditor& editor = *detail.editor();
    detail.nameField()->clear();
    QTest::keyClicks(detail.nameField(), QStringLiteral("People"));

    // Record: the user presses Record, goes to the form and works through it. The form
    // starts on a button, so the Tabs land on Name and City.
    Process recordingForm(
        {"yad", "--form", "--field=Go:BTN", "--field=Name", "--field=City", "--button=OK:0"});
    ASSERT_TRUE(waitForWindowOf(recordingForm));
    editor.button(TemplateEditor::Button::record)->click();
    ASSERT_EQ(editor.mainArea(), QStringLiteral("recording"));
    shell("xdotool search --class Yad windowactivate --sync");
    ASSERT_TRUE(waitForFrontOf(recordingForm));
    pause(500);
    for (const char* key : {"Tab", "Tab", "Return"}) {
        shell(std::string("xdotool key ") + key);
        pause(300);
    }
    recordingForm.wait();

    // The forms the run fills, one after the other; Escape there ends the recording.
    const auto out = temp.path() / "forms.txt";
    Process forms({"sh", "-c",
                   "for i in 1 2 3 4; do yad --form --field=Name --field=City --button=OK:0 >> '" +
                       out.string() + "'; done"});
    // Between two dialogs no application is in front.
    ASSERT_TRUE(spinUntil([&] {
        const auto front = desktop->frontmostApplication();
        return front && front->bundleID == "Yad";
    }));
    pause(300);
    shell("xdotool key Escape");
    ASSERT_TRUE(spinUntil([&] { return editor.mainArea() == QStringLiteral("recorded"); }));

    editor.button(TemplateEditor::Button::apply)->click();
    const Template& draft = *detail.draft();
    std::string recorded;
    for (const Step& step : draft.steps)
        recorded += std::string(rawValue(step.type)) + ":" + step.label + " ";
    ASSERT_EQ(draft.steps.size(), 3u) << recorded;
    EXPECT_EQ(draft.steps[0].label, "Name");
    EXPECT_EQ(draft.steps[1].label, "City");
    EXPECT_EQ(draft.steps[2].type, StepType::returnKey);
    EXPECT_EQ(draft.targetAppBundleID, "Yad");

    // The next form needs a moment to open after Return: a longer delay on that step, and a
    // short countdown, typed into the editor.
    pause(200); // the step table lays itself out again
    // Back in Keyferry's window, as the user is: an editor closes when its window is not
    // the active one.
    window.activateWindow();
    ASSERT_TRUE(spinUntil([&] { return desktop->isOwnApplicationActive(); }));
    StepTableView& steps = *editor.stepTable();
    steps.setFocus();
    steps.setCurrentIndex(editor.stepModel()->index(2, StepTableModel::delay));
    shell("xdotool key F2"); // through the X server, as the user presses it
    QLineEdit* returnDelay = nullptr;
    spinUntil([&] {
        returnDelay = qobject_cast<QLineEdit*>(steps.indexWidget(steps.currentIndex()));
        return returnDelay != nullptr;
    });
    ASSERT_TRUE(returnDelay) << "F2 opens the cell's editor";
    EXPECT_EQ(returnDelay->accessibleName(), QStringLiteral("Step 3 delay (sec)"));
    returnDelay->selectAll();
    QTest::keyClicks(returnDelay, QStringLiteral("1,5"));
    QTest::keyClick(returnDelay, Qt::Key_Return);
    EXPECT_TRUE(spinUntil([&] { return detail.draft()->steps[2].postDelay == 1.5; }))
        << "the cell's value reaches the template when its editor closes";
    detail.editDraft([](Template& item) { item.settings.countdownSeconds = 1; });

    writeText(
        temp.path() / "people.csv",
        "Name;City\nJ\u00FCrgen Wei\u00DF;K\u00F6ln\nZo\u00EB \u674E;\u6771\u4EAC\nAnna;Bonn\n");
    detail.csvPanel()->loadFile(QString::fromStdString((temp.path() / "people.csv").string()));
    ASSERT_FALSE(detail.csvPanel()->state().validationError)
        << *detail.csvPanel()->state().validationError;
    ASSERT_TRUE(detail.runnerButton()->isEnabled());
    detail.runnerButton()->click();
    RunnerPanel& panel = *detail.runnerPanel();
    panel.button(QStringLiteral("Start"))->click();
    ASSERT_TRUE(spinUntil([&] { return panel.pageName() == QStringLiteral("finished"); },
                          std::chrono::seconds(60)))
        << panel.statusLabel()->text().toStdString();
    EXPECT_EQ(runner.state(), RunnerState(runner_state::Finished{3, 0, 3}))
        << panel.statusLabel()->text().toStdString();
    ASSERT_TRUE(spinUntil([&] {
        return readText(out) ==
               "J\u00FCrgen Wei\u00DF|K\u00F6ln|\nZo\u00EB \u674E|\u6771\u4EAC|\nAnna|Bonn|\n";
    })) << readText(out);

    // A debug run of the same template into the fourth form, with placeholder values.
    // Between two dialogs no application is in front.
    ASSERT_TRUE(spinUntil([&] {
        const auto front = desktop->frontmostApplication();
        return front && front->bundleID == "Yad";
    }));
    // The window has one runner: its result is closed before a debug run may start.
    EXPECT_FALSE(editor.button(TemplateEditor::Button::debug)->isEnabled());
    panel.button(QStringLiteral("Back"))->click();
    ASSERT_TRUE(editor.button(TemplateEditor::Button::debug)->isEnabled());
    editor.button(TemplateEditor::Button::debug)->click();
    for (int step = 0; step < 3; ++step) {
        ASSERT_TRUE(spinUntil([&] { return runner.isWaitingForNext(); }, std::chrono::seconds(10)))
            << "step " << step << ": " << runner.statusMessage();
        editor.button(TemplateEditor::Button::next)->click();
        pause(200);
    }
    ASSERT_TRUE(spinUntil([&] { return !runner.isRunning(); }, std::chrono::seconds(10)));
    EXPECT_EQ(runner.statusMessage(), "Debug complete");
    EXPECT_EQ(forms.wait(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(readText(out).ends_with("Mustermann GmbH|Testdaten|\n")) << readText(out);
    window.close();
}
