#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "UiSession.h"
#include "ui/NumberText.h"
#include "ui/RecorderView.h"
#include "ui/TemplateEditor.h"

using namespace keyferry;
using namespace keyferry::testing;

TEST(NumberText, DecimalCommaAndStrictIntegers) {
    EXPECT_EQ(formatDecimal(0.3), "0,3");
    EXPECT_EQ(formatDecimal(2), "2,0");
    EXPECT_EQ(formatDecimal(0.05), "0,05");
    EXPECT_EQ(formatDecimal(1500), "1500");
    EXPECT_EQ(parseDecimal("0.5"), 0.5);
    EXPECT_EQ(parseDecimal("0,5"), 0.5);
    EXPECT_EQ(parseDecimal("abc"), std::nullopt);
    EXPECT_EQ(parseDecimal(""), std::nullopt);
    EXPECT_EQ(parseDecimal("1,5x"), std::nullopt);
    EXPECT_EQ(parseInteger("7"), 7);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-3"), -3);
    for (const char* bad : {"", "7x", " 7", "0x7", "99999999999999999999", "+", "1.0"})
        EXPECT_EQ(parseInteger(bad), std::nullopt) << bad;
}

namespace {

class EditorTest : public UiSession {
protected:
    void SetUp() override {
        open();
        store->addTemplate();
        QApplication::processEvents();
    }
    TemplateEditor& editor() { return *detail().editor(); }
    const Template& draft() { return *detail().draft(); }
    void setSteps(std::vector<Step> steps) {
        detail().editDraft([&](Template& item) { item.steps = std::move(steps); });
    }
    template <class W>
    W* child(int row, const QString& accessibleName) {
        for (W* widget : editor().stepRow(row)->findChildren<W*>())
            if (widget->accessibleName() == accessibleName)
                return widget;
        return nullptr;
    }
    static Step input(std::string label) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        return step;
    }
    void record(std::vector<Key> keys) {
        editor().toolbarButton(QStringLiteral("Record"))->click();
        // Advance a little: the permission poll repeats forever, so the clock is never idle.
        for (Key key : keys) {
            desktop.userKey(key);
            clock.advance(std::chrono::milliseconds(100));
        }
        desktop.userKey(Key::escape);
        clock.advance(std::chrono::milliseconds(100));
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(EditorTest, DuplicateColumnNamesAreFlagged) {
    setSteps({input("Name"), input("Name")});
    EXPECT_FALSE(editor().duplicateWarning()->isHidden());
    Step fixed = input("Name");
    fixed.fixedValue = "x";
    setSteps({input("Name"), fixed});
    EXPECT_TRUE(editor().duplicateWarning()->isHidden()) << "a fixed step needs no column";
}

TEST_F(EditorTest, NumberFieldsKeepTheLastGoodValue) {
    setSteps({Step::ofType(StepType::skipTabs)});
    QLineEdit* delay = child<QLineEdit>(0, QStringLiteral("Step 1 delay (sec)"));
    QLineEdit* repeat = child<QLineEdit>(0, QStringLiteral("Step 1 repeat count"));
    ASSERT_TRUE(delay && repeat);
    EXPECT_EQ(delay->text(), QStringLiteral("0,3"));
    for (const auto& [typed, stored] : std::vector<std::pair<const char*, double>>{
             {"0.5", 0.5}, {"0,75", 0.75}, {"abc", 0.75}, {"-1", 0.75}, {"inf", 0.75}}) {
        delay->clear();
        QTest::keyClicks(delay, QString::fromLatin1(typed));
        EXPECT_EQ(draft().steps[0].postDelay, stored) << typed;
    }
    Q_EMIT delay->editingFinished();
    EXPECT_EQ(delay->text(), QStringLiteral("0,75")) << "the stored value is shown again";

    repeat->clear();
    QTest::keyClicks(repeat, QStringLiteral("7"));
    EXPECT_EQ(draft().steps[0].repeatCount, 7);
    for (const char* bad : {"7x", "", "-2"}) {
        repeat->clear();
        QTest::keyClicks(repeat, QString::fromLatin1(bad));
        EXPECT_EQ(draft().steps[0].repeatCount, 7) << bad;
    }
}

TEST_F(EditorTest, PinsFixValuesAndUnpin) {
    setSteps({input(""), input("City")});
    auto* pin = child<QToolButton>(0, QStringLiteral("Set fixed value"));
    ASSERT_TRUE(pin);
    pin->click();
    EXPECT_EQ(draft().steps[0].fixedValue, "Fixed Value");
    QLineEdit* value = child<QLineEdit>(0, QStringLiteral("Step 1 fixed value"));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->text(), QStringLiteral("Fixed Value"));
    EXPECT_FALSE(child<QLineEdit>(0, QStringLiteral("Step 1 column name"))->isEnabled());
    child<QToolButton>(0, QStringLiteral("Unpin (use CSV value)"))->click();
    EXPECT_FALSE(draft().steps[0].fixedValue);

    child<QToolButton>(1, QStringLiteral("Set fixed value"))->click();
    EXPECT_EQ(draft().steps[1].fixedValue, "City") << "a labelled step starts with its label";
}

TEST_F(EditorTest, MouseStepPositionAndRecordingIt) {
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = 12.7;
    click.mousePositionY = 40.2;
    setSteps({click});
    auto* position = editor().stepRow(0)->findChild<QLabel*>(QStringLiteral("position"));
    EXPECT_EQ(position->text(), QStringLiteral("@ (12, 40)"));
    EXPECT_FALSE(child<QToolButton>(0, QStringLiteral("Record click position"))->isEnabled())
        << "no target application chosen";
    child<QToolButton>(0, QStringLiteral("Clear position (use mouse position)"))->click();
    EXPECT_EQ(editor().stepRow(0)->findChild<QLabel*>(QStringLiteral("position"))->text(),
              QStringLiteral("@ Mouse Position"));

    detail().editDraft([](Template& item) { item.targetAppBundleID = "Yad"; });
    child<QToolButton>(0, QStringLiteral("Record click position"))->click();
    EXPECT_TRUE(editor().isRecordingClick());
    desktop.userClick(MouseButton::left, {140, 125});
    QApplication::processEvents();
    EXPECT_EQ(draft().steps[0].mousePositionX, 40);
    EXPECT_EQ(draft().steps[0].mousePositionY, 25);
    EXPECT_FALSE(editor().isRecordingClick());
}

TEST_F(EditorTest, RecordingIsMergedAsTheUserChooses) {
    record({Key::tab, Key::returnKey}); // into an empty template
    EXPECT_EQ(editor().mainArea(), QStringLiteral("recorded"));
    ASSERT_TRUE(editor().panelButton(QStringLiteral("Apply"))->isVisibleTo(&editor()));
    editor().panelButton(QStringLiteral("Apply"))->click();
    ASSERT_EQ(draft().steps.size(), 2u);
    EXPECT_EQ(draft().steps[0].label, "City") << "named after the field the Tab landed on";
    EXPECT_EQ(draft().targetAppBundleID, "Yad");
    EXPECT_EQ(editor().mainArea(), QStringLiteral("steps"));

    setSteps({input("a"), input("b"), input("c"), input("d"), input("e")});
    record({Key::down, Key::tab, Key::returnKey});
    EXPECT_EQ(editor().recorder().recordedSteps().size(), 3u);
    editor().panelButton(QStringLiteral("Discard"))->click();
    EXPECT_EQ(draft().steps.size(), 5u) << "discard leaves the template alone";

    record({Key::down, Key::tab, Key::returnKey});
    auto* picker = editor().findChild<QComboBox*>();
    (void)picker;
    editor().setInsertPosition(0); // "Beginning"
    editor().panelButton(QStringLiteral("Insert After Step"))->click();
    ASSERT_EQ(draft().steps.size(), 8u);
    EXPECT_EQ(draft().steps[0].type, StepType::arrowKey);
    EXPECT_EQ(draft().steps[3].label, "a");
}

TEST_F(EditorTest, InsertPositionStartsAfterTheLastStep) {
    setSteps({input("a"), input("b"), input("c"), input("d"), input("e")});
    record({Key::down, Key::up, Key::returnKey});
    editor().panelButton(QStringLiteral("Insert After Step"))->click();
    ASSERT_EQ(draft().steps.size(), 8u);
    EXPECT_EQ(draft().steps[4].label, "e");
    EXPECT_EQ(draft().steps[5].type, StepType::arrowKey);
}

TEST_F(EditorTest, DebugRunFromTheEditor) {
    EXPECT_FALSE(editor().toolbarButton(QStringLiteral("Debug"))->isEnabled()) << "no steps";
    detail().editDraft([](Template& item) {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 1;
        Step name = Step::ofType(StepType::textInput);
        name.label = "Name";
        item.steps = {name, Step::ofType(StepType::tab)};
    });
    editor().toolbarButton(QStringLiteral("Debug"))->click();
    EXPECT_TRUE(editor().debugEngine().isRunning());
    EXPECT_FALSE(editor().toolbarButton(QStringLiteral("Debug"))->isEnabled()) << "during a run";
    clock.runUntil([&] { return editor().debugEngine().isWaitingForNext(); });
    QApplication::processEvents();
    EXPECT_EQ(editor().stepRow(0)->objectName(), QStringLiteral("currentStep"))
        << "the current step is highlighted";
    EXPECT_NE(editor().stepRow(1)->objectName(), QStringLiteral("currentStep"));
    editor().panelButton(QStringLiteral("Next"))->click();
    clock.runUntil([&] {
        return editor().debugEngine().isWaitingForNext() &&
               std::get<runner_state::DebugStep>(editor().debugEngine().state()).stepIdx == 1;
    });
    EXPECT_EQ(desktop.form(target)->fields[0].text, "Mustermann GmbH");
    editor().panelButton(QStringLiteral("Next"))->click();
    clock.runUntil([&] { return !editor().debugEngine().isRunning(); });
    QApplication::processEvents();
    EXPECT_TRUE(editor().panelButton(QStringLiteral("OK"))->isVisibleTo(&editor()));
    editor().panelButton(QStringLiteral("OK"))->click();
    EXPECT_TRUE(editor().toolbarButton(QStringLiteral("Debug"))->isEnabled());
}

TEST_F(EditorTest, TargetPickerKeepsAChosenApplicationThatIsNotRunning) {
    detail().editDraft([](Template& item) { item.targetAppBundleID = "Gone"; });
    QComboBox* targets = editor().targetPicker();
    EXPECT_EQ(targets->currentData().toString(), QStringLiteral("Gone"));
    EXPECT_EQ(targets->itemText(0), QStringLiteral("None"));
    EXPECT_GE(targets->findData(QStringLiteral("Yad")), 1);
}

TEST_F(EditorTest, StepsMoveWithTheKeyboard) {
    setSteps({input("a"), input("b"), input("c")});
    editor().stepList()->setCurrentRow(0);
    editor().stepList()->setFocus();
    QTest::keyClick(editor().stepList(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(draft().steps[1].label, "a");
    EXPECT_EQ(editor().stepList()->currentRow(), 1);
}

TEST_F(UiSession, RecorderViewFollowsTheRecording) {
    desktop.reserveCombination({Key::space, Modifier::alt});
    RecorderService recorder(desktop, clock);
    RecorderView view(recorder);
    EXPECT_EQ(view.countLabel()->text(), QStringLiteral("0 steps"));
    EXPECT_TRUE(view.detectedLabel()->isHidden());
    recorder.startRecording();
    EXPECT_FALSE(view.windowManagerLabel()->isHidden()) << "the window manager also gets Alt+Space";
    desktop.form(target)->fields.push_back(SimulatedDesktop::Field::named(""));
    desktop.form(target)->focused = 1;
    desktop.userKey(Key::tab);
    clock.runUntilIdle();
    EXPECT_EQ(view.detectedLabel()->text(), QStringLiteral("\u2336 Detected: Feld_1"));
    for (int i = 0; i < 3; ++i)
        desktop.userKey(Key::down);
    EXPECT_EQ(view.countLabel()->text(), QStringLiteral("2 steps"));
    EXPECT_EQ(view.list()->count(), 2);
    EXPECT_TRUE(view.detectedLabel()->isHidden());
    desktop.userKey(Key::returnKey);
    EXPECT_TRUE(view.list()->item(2)->text().contains(QStringLiteral("Return")));
    EXPECT_TRUE(RecorderView::hintText().contains(QStringLiteral("Alt+Space = toggle field type")));
}

TEST_F(EditorTest, DraggedStepsMoveInTheTemplate) {
    setSteps({input("a"), input("b"), input("c")});
    // What a drop in the list does to its model: the template follows.
    ASSERT_TRUE(editor().stepList()->model()->moveRow(QModelIndex(), 0, QModelIndex(), 3));
    QApplication::processEvents();
    ASSERT_EQ(draft().steps.size(), 3u);
    EXPECT_EQ(draft().steps[0].label, "b");
    EXPECT_EQ(draft().steps[2].label, "a");
    EXPECT_TRUE(editor().stepRow(2)) << "the rows are drawn again";
}

TEST_F(EditorTest, TypingSettingsAreTogglesInAdvancedSettings) {
    const auto box = [&](const QString& name) -> QCheckBox* {
        for (QCheckBox* candidate : editor().findChildren<QCheckBox*>())
            if (candidate->accessibleName() == name)
                return candidate;
        return nullptr;
    };
    QCheckBox* verify = box(QStringLiteral("Check typed text"));
    QCheckBox* clear = box(QStringLiteral("Clear field before typing"));
    ASSERT_TRUE(verify && clear);
    EXPECT_TRUE(verify->isChecked() && clear->isChecked()) << "on for a new template";
    EXPECT_FALSE(verify->toolTip().isEmpty() || clear->toolTip().isEmpty());
    clear->click();
    EXPECT_FALSE(draft().settings.clearFieldFirst);
    EXPECT_TRUE(draft().settings.verifyTypedText);
    detail().editDraft([](Template& item) { item.settings.verifyTypedText = false; });
    EXPECT_FALSE(verify->isChecked()) << "the toggle follows the template";
}
