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
#include "ui/TemplateDetailView.h"
#include "ui/TemplateEditor.h"
#include "ui/TemplateSidebar.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

void pause(int milliseconds) {
    spinUntil([] { return false; }, std::chrono::milliseconds(milliseconds));
}

QLineEdit* field(TemplateEditor& editor, int row, const QString& name) {
    for (auto* candidate : editor.stepRow(row)->findChildren<QLineEdit*>())
        if (candidate->accessibleName() == name)
            return candidate;
    return nullptr;
}

} // namespace

// The whole workflow in Keyferry's own window against a real GTK form: create a template,
// record it by working through the form with real key presses, apply the recording,
// import a CSV file, run it, then step through it in debug mode.
TEST_F(DesktopTest, WholeWorkflowThroughTheWindow) {
    std::ostringstream diagnostics;
    TemplateStore store(temp.path() / "store", diagnostics);
    AccessibilityChecker checker(*desktop, scheduler);
    MainWindow window(store, checker, *desktop, scheduler);
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
    editor.toolbarButton(QStringLiteral("Record"))->click();
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

    editor.panelButton(QStringLiteral("Apply"))->click();
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
    pause(200); // the step list lays itself out again
    QLineEdit* returnDelay = field(editor, 2, QStringLiteral("Step 3 delay (sec)"));
    ASSERT_TRUE(returnDelay);
    returnDelay->setText(QStringLiteral("1,5"));
    Q_EMIT returnDelay->textEdited(returnDelay->text());
    detail.editDraft([](Template& item) { item.settings.countdownSeconds = 1; });
    EXPECT_EQ(detail.draft()->steps[2].postDelay, 1.5);

    writeText(
        temp.path() / "people.csv",
        "Name;City\nJ\u00FCrgen Wei\u00DF;K\u00F6ln\nZo\u00EB \u674E;\u6771\u4EAC\nAnna;Bonn\n");
    detail.csvPanel()->loadFile(QString::fromStdString((temp.path() / "people.csv").string()));
    ASSERT_FALSE(detail.csvPanel()->state().validationError)
        << *detail.csvPanel()->state().validationError;
    ASSERT_TRUE(detail.runnerButton()->isEnabled());
    detail.runnerButton()->click();
    RunnerPanel& runner = *detail.runnerPanel();
    runner.button(QStringLiteral("Start"))->click();
    ASSERT_TRUE(spinUntil([&] { return runner.pageName() == QStringLiteral("finished"); },
                          std::chrono::seconds(60)))
        << runner.statusLabel()->text().toStdString();
    EXPECT_EQ(runner.engine().state(), RunnerState(runner_state::Finished{3, 0, 3}))
        << runner.statusLabel()->text().toStdString();
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
    editor.toolbarButton(QStringLiteral("Debug"))->click();
    for (int step = 0; step < 3; ++step) {
        ASSERT_TRUE(spinUntil([&] { return editor.debugEngine().isWaitingForNext(); },
                              std::chrono::seconds(10)))
            << "step " << step << ": " << editor.debugEngine().statusMessage();
        editor.panelButton(QStringLiteral("Next"))->click();
        pause(200);
    }
    ASSERT_TRUE(
        spinUntil([&] { return !editor.debugEngine().isRunning(); }, std::chrono::seconds(10)));
    EXPECT_EQ(editor.debugEngine().statusMessage(), "Debug complete");
    EXPECT_EQ(forms.wait(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(readText(out).ends_with("Mustermann GmbH|Testdaten|\n")) << readText(out);
    window.close();
}
