#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include "UiSession.h"
#include "ui/CSVPanel.h"
#include "ui/RunnerPanel.h"
#include "ui/TemplateEditor.h"

using namespace keyferry;
using namespace keyferry::testing;
using namespace keyferry::runner_state;

namespace {

class PanelsTest : public UiSession {
protected:
    void SetUp() override {
        open();
        store->addTemplate();
        QApplication::processEvents();
    }
    void useLabels(std::vector<std::string> labels) {
        detail().editDraft([&](Template& item) {
            item.steps.clear();
            item.targetAppBundleID = "Yad";
            item.settings.countdownSeconds = 2;
            for (auto& label : labels) {
                Step step = Step::ofType(StepType::textInput);
                step.label = label;
                item.steps.push_back(step);
            }
        });
    }
    QString csvFile(const std::string& name, std::size_t rows) {
        std::string text = "Name;City\n";
        for (std::size_t i = 1; i <= rows; ++i)
            text += "n" + std::to_string(i) + ";c" + std::to_string(i) + "\n";
        writeText(temp.path() / name, text);
        return QString::fromStdString((temp.path() / name).string());
    }
    CSVPanel& csv() { return *detail().csvPanel(); }
};

} // namespace

TEST_F(PanelsTest, CsvPanelEnablingRulesAndHint) {
    EXPECT_FALSE(csv().exportButton()->isEnabled());
    EXPECT_FALSE(csv().copyButton()->isEnabled());
    EXPECT_TRUE(csv().importButton()->isEnabled());
    EXPECT_FALSE(csv().hintLabel()->isHidden());
    csv().loadFile(csvFile("rows.csv", 2));
    EXPECT_EQ(csv().messageLabel()->accessibleName(),
              QStringLiteral("CSV has 2 columns, template expects 0: "));

    detail().editDraft([](Template& item) {
        Step fixed = Step::ofType(StepType::textInput);
        fixed.fixedValue = "ACME";
        item.steps = {fixed};
    });
    EXPECT_TRUE(csv().exportButton()->isEnabled()) << "a fixed text input still counts";
    EXPECT_TRUE(csv().hintLabel()->isHidden());
    csv().copyHeader();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
}

TEST_F(PanelsTest, CsvPanelCounterPreviewAndMessages) {
    useLabels({"Name", "City"});
    csv().loadFile(csvFile("many.csv", 101));
    EXPECT_TRUE(csv().messageLabel()->isHidden());
    EXPECT_EQ(csv().counterButton()->text(), QStringLiteral("101 entries"));
    EXPECT_TRUE(csv().preview()->isVisibleTo(&csv())) << "a successful import opens the preview";
    EXPECT_EQ(csv().preview()->model()->rowCount(), 100);
    EXPECT_EQ(csv().preview()->model()->index(99, 0).data().toInt(), 100);
    EXPECT_EQ(csv().moreRowsLabel()->text(), QStringLiteral("... and 1 more rows"));
    EXPECT_FALSE(csv().moreRowsLabel()->isHidden());
    EXPECT_TRUE(detail().runnerButton()->isEnabled());

    csv().loadFile(csvFile("hundred.csv", 100));
    EXPECT_TRUE(csv().moreRowsLabel()->isHidden());
    csv().togglePreview();
    EXPECT_FALSE(csv().preview()->isVisibleTo(&csv()));

    writeText(temp.path() / "bad.csv", "Name;City\na;b;c\n");
    csv().loadFile(QString::fromStdString((temp.path() / "bad.csv").string()));
    EXPECT_EQ(csv().messageLabel()->accessibleName(),
              QStringLiteral("Import failed: Invalid input"));
    EXPECT_TRUE(csv().messageLabel()->toolTip().contains(QStringLiteral("Row index: 2")))
        << "the tooltip tells which row: " << csv().messageLabel()->toolTip().toStdString();
    EXPECT_TRUE(csv().counterButton()->isHidden()) << "a failed import removes the table";
    EXPECT_FALSE(detail().runnerButton()->isEnabled());

    csv().loadFile(csvFile("empty-table.csv", 0));
    EXPECT_EQ(csv().counterButton()->text(), QStringLiteral("0 entries"));
    EXPECT_FALSE(detail().runnerButton()->isEnabled()) << "no rows: nothing to run";

    csv().exportTo(QString::fromStdString((temp.path() / "no" / "x.csv").string()));
    EXPECT_TRUE(
        csv().messageLabel()->accessibleName().startsWith(QStringLiteral("Export failed: ")));
    EXPECT_FALSE(csv().counterButton()->isHidden()) << "a failed export leaves the table";
}

TEST_F(PanelsTest, RunnerPanelControlsFollowTheRun) {
    useLabels({"Name", "City"});
    csv().loadFile(csvFile("ten.csv", 10));
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    ASSERT_TRUE(runner);
    EXPECT_EQ(runner->pageName(), QStringLiteral("idle"));
    runner->fromEntry()->setValue(11);
    EXPECT_FALSE(runner->button(QStringLiteral("Start"))->isEnabled()) << "beyond the last row";
    EXPECT_TRUE(runner->button(QStringLiteral("Start"))->toolTip().contains(QStringLiteral("10")));
    runner->fromEntry()->setValue(4);
    ASSERT_TRUE(runner->button(QStringLiteral("Test Run"))->isEnabled());

    runner->button(QStringLiteral("Test Run"))->click();
    advance(0ms);
    EXPECT_EQ(runner->pageName(), QStringLiteral("countdown"));
    advance(2000ms);
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("finished"); });
    QApplication::processEvents();
    EXPECT_EQ(runner->engine().state(), RunnerState(Finished{1, 0, 4}));
    EXPECT_EQ(desktop.form(target)->fields[0].text, "n4");
    QPushButton* resume = runner->button(QStringLiteral("Resume from"));
    ASSERT_TRUE(resume);
    EXPECT_EQ(resume->text(), QStringLiteral("Resume from 5"));
    EXPECT_FALSE(resume->isHidden());

    resume->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("running"); });
    runner->button(QStringLiteral("Pause"))->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("paused"); });
    QApplication::processEvents();
    const auto paused = std::get<Paused>(runner->engine().state());
    EXPECT_EQ(paused.row, 5u);
    runner->button(QStringLiteral("Stop"))->click();
    QApplication::processEvents();
    EXPECT_EQ(runner->pageName(), QStringLiteral("paused")) << "Stop leaves the paused view";
    runner->engine().setState(Finished{10, 0, 10});
    EXPECT_TRUE(runner->button(QStringLiteral("Resume from"))->isHidden())
        << "nothing left to resume";
    runner->button(QStringLiteral("Back"))->click();
    EXPECT_EQ(runner->pageName(), QStringLiteral("idle"));

    desktop.quitApplication(target);
    runner->button(QStringLiteral("Start"))->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("finished"); });
    QApplication::processEvents();
    EXPECT_EQ(runner->statusLabel()->text(), QStringLiteral("Target app not found!"));
}

TEST_F(PanelsTest, RunnerPanelShowsWhatLandedAndRunsTheFailedRowsAgain) {
    useLabels({"Name", "City"});
    const QString file = csvFile("three.csv", 3);
    csv().loadFile(file);
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    ASSERT_TRUE(runner);
    SimulatedDesktop::Field& city = desktop.form(target)->fields[1];
    city.refused = "2"; // the field drops the 2 of "c2"

    runner->button(QStringLiteral("Start"))->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("running"); });
    QApplication::processEvents();
    EXPECT_TRUE(runner->progressLabel()->text().contains(QStringLiteral("0 of 3 done")))
        << runner->progressLabel()->text().toStdString();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("paused"); });
    QApplication::processEvents();
    EXPECT_EQ(runner->statusLabel()->text(),
              QStringLiteral("Field \"City\" shows \"c\", expected \"c2\""));
    const QString summary = runner->resultSummary()->text();
    EXPECT_TRUE(summary.contains(QStringLiteral("1 verified")) &&
                summary.contains(QStringLiteral("1 mismatch")) &&
                summary.contains(QStringLiteral("1 not attempted")))
        << summary.toStdString();
    ASSERT_EQ(runner->problemRows()->count(), 1);
    EXPECT_TRUE(
        runner->problemRows()->item(0)->text().startsWith(QStringLiteral("Entry 2: mismatch")));
    ASSERT_FALSE(runner->runFailedRows()->isHidden());

    // The user mends the field and goes back to the form's start; only entries 2 and 3 run.
    city.refused.clear();
    desktop.form(target)->focused = 0;
    desktop.bringToFront(target);
    runner->runFailedRows()->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("finished"); });
    QApplication::processEvents();
    ASSERT_TRUE(runner->lastRun());
    std::vector<std::size_t> entries;
    for (const JournalRow& row : runner->lastRun()->rows)
        entries.push_back(row.outcome.entry);
    EXPECT_EQ(entries, (std::vector<std::size_t>{2, 3}));
    EXPECT_TRUE(runner->resultSummary()->text().contains(QStringLiteral("2 verified")));
    EXPECT_TRUE(runner->runFailedRows()->isHidden()) << "nothing left to run again";
}

TEST_F(PanelsTest, FailedRowsRunOnlyAgainstTheSameUnchangedFile) {
    useLabels({"Name", "City"});
    const QString file = csvFile("two.csv", 2);
    csv().loadFile(file);
    detail().toggleRunner();
    RunnerPanel* runner = detail().runnerPanel();
    desktop.form(target)->fields[0].refused = "1";
    runner->button(QStringLiteral("Start"))->click();
    clock.runUntil([&] { return runner->pageName() == QStringLiteral("paused"); });
    QApplication::processEvents();
    ASSERT_FALSE(runner->runFailedRows()->isHidden());
    writeText(temp.path() / "two.csv", "Name;City\nx1;y1\nx2;y2\n"); // edited since the run
    const auto before = desktop.postedEvents().size();
    runner->runFailedRows()->click();
    clock.runUntilIdle(100);
    QApplication::processEvents();
    EXPECT_EQ(desktop.postedEvents().size(), before) << "nothing typed";
    EXPECT_TRUE(runner->resultSummary()->text().contains(QStringLiteral("has changed")))
        << runner->resultSummary()->text().toStdString();
}

// The runner panel and the editor's debug run share the window's one runner: while the debug
// run goes on, the panel offers nothing to start and does not take the debug run for its own.
TEST_F(PanelsTest, DebugRunAndTableRunShareOneRunner) {
    useLabels({"Name", "City"});
    csv().loadFile(csvFile("ten.csv", 10));
    detail().toggleRunner();
    RunnerPanel* panel = detail().runnerPanel();
    ASSERT_TRUE(panel);
    TemplateEditor& editor = *detail().editor();
    const auto start = [&] { return detail().runnerPanel()->button(QStringLiteral("Start")); };

    editor.button(TemplateEditor::Button::debug)->click();
    advance(0ms);
    EXPECT_EQ(panel->pageName(), QStringLiteral("idle")) << "the countdown is the editor's";
    EXPECT_FALSE(start()->isEnabled());
    clock.runUntil([&] { return runner->isWaitingForNext(); });
    QApplication::processEvents();
    EXPECT_EQ(panel->pageName(), QStringLiteral("idle"));
    EXPECT_TRUE(panel->statusLabel()->isHidden()) << "the debug run's words are the editor's";

    detail().toggleRunner(); // hiding the runner leaves the debug run alone
    EXPECT_TRUE(runner->isWaitingForNext());
    detail().toggleRunner();
    for (int step = 0; step < 2; ++step) {
        editor.button(TemplateEditor::Button::next)->click();
        clock.runUntil([&] { return runner->isWaitingForNext() || !runner->isRunning(); });
    }
    QApplication::processEvents();
    EXPECT_TRUE(std::holds_alternative<Finished>(runner->state()));
    EXPECT_EQ(detail().runnerPanel()->pageName(), QStringLiteral("idle"))
        << "the debug result is shown in the editor";
    EXPECT_FALSE(start()->isEnabled()) << "until it is closed";
    editor.button(TemplateEditor::Button::ok)->click();
    EXPECT_TRUE(start()->isEnabled());

    start()->click();
    advance(0ms);
    EXPECT_EQ(detail().runnerPanel()->pageName(), QStringLiteral("countdown"));
    EXPECT_FALSE(editor.button(TemplateEditor::Button::debug)->isEnabled()) << "one run at a time";
    runner->stop();
}
