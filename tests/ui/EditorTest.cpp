#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "UiSession.h"
#include "ui/NumberText.h"
#include "ui/RecorderView.h"
#include "ui/StepTableModel.h"
#include "ui/StepTableView.h"
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

using Column = StepTableModel::Column;
using Button = TemplateEditor::Button;

class EditorTest : public UiSession {
protected:
    void SetUp() override {
        open();
        store->addTemplate();
        QApplication::processEvents();
    }
    TemplateEditor& editor() { return *detail().editor(); }
    StepTableModel& model() { return *editor().stepModel(); }
    StepTableView& table() { return *editor().stepTable(); }
    const Template& draft() { return *detail().draft(); }
    void setSteps(std::vector<Step> steps) {
        detail().editDraft([&](Template& item) { item.steps = std::move(steps); });
        QApplication::processEvents();
    }
    QModelIndex cell(int row, Column column) { return model().index(row, column); }
    QString shown(int row, Column column) { return cell(row, column).data().toString(); }
    /// Makes a cell current with the keyboard focus in the table, then presses a key there.
    void press(int row, Column column, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        table().setFocus();
        table().setCurrentIndex(cell(row, column));
        QTest::keyClick(table().viewport(), key, modifiers);
        QApplication::processEvents();
    }
    /// The editor F2 opens on a cell.
    template <class W>
    W* openEditor(int row, Column column) {
        press(row, column, Qt::Key_F2);
        return qobject_cast<W*>(table().indexWidget(cell(row, column)));
    }
    static Step input(std::string label) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        return step;
    }
    void record(std::vector<Key> keys) {
        editor().button(Button::record)->click();
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

TEST_F(EditorTest, EveryStepTypeHasItsCells) {
    struct Expect {
        StepType type;
        bool name, fixed, option, clickType, position, repeat; // editable or in use
    };
    const std::vector<Expect> expectations = {
        {StepType::textInput, true, true, false, false, false, false},
        {StepType::tab, false, false, false, false, false, false},
        {StepType::returnKey, false, false, false, false, false, false},
        {StepType::wait, false, false, false, false, false, false},
        {StepType::pause, false, false, false, false, false, false},
        {StepType::arrowKey, false, false, true, false, false, true},
        {StepType::skipTabs, false, false, false, false, false, true},
        {StepType::selectAllClear, false, false, false, false, false, false},
        {StepType::mouseClick, false, false, true, true, true, false},
    };
    ASSERT_EQ(expectations.size(), allCases<StepType>().size()) << "one line per step type";
    for (const Expect& expect : expectations) {
        SCOPED_TRACE(std::string(rawValue(expect.type)));
        Step step = Step::ofType(expect.type);
        step.label = "Label";
        setSteps({Step::ofType(StepType::tab), step});
        ASSERT_EQ(model().rowCount(), 2);
        EXPECT_EQ(shown(1, Column::number), QStringLiteral("2"));
        EXPECT_EQ(shown(1, Column::type), QString::fromUtf8(displayName(expect.type).data()));
        EXPECT_EQ(shown(1, Column::name), QStringLiteral("Label"));
        EXPECT_EQ(shown(1, Column::delay), QStringLiteral("0,3"));
        EXPECT_EQ(shown(1, Column::repeat), QStringLiteral("1"));
        const auto editable = [&](Column column) {
            return bool(cell(1, column).flags() & Qt::ItemIsEditable);
        };
        EXPECT_TRUE(editable(Column::type));
        EXPECT_TRUE(editable(Column::delay));
        EXPECT_EQ(editable(Column::name), expect.name);
        EXPECT_EQ(bool(cell(1, Column::fixedValue).flags() & Qt::ItemIsUserCheckable),
                  expect.fixed);
        EXPECT_EQ(editable(Column::option), expect.option);
        EXPECT_EQ(editable(Column::clickType), expect.clickType);
        EXPECT_EQ(!shown(1, Column::position).isEmpty(), expect.position);
        EXPECT_EQ(editable(Column::repeat), expect.repeat);
        // Columns no step uses are hidden; the others keep their header.
        EXPECT_EQ(table().isColumnHidden(Column::fixedValue), !expect.fixed);
        EXPECT_EQ(table().isColumnHidden(Column::option), !expect.option);
        EXPECT_EQ(table().isColumnHidden(Column::position), !expect.position);
        for (int column = 0; column < Column::columnCount_; ++column) {
            const QModelIndex index = cell(1, static_cast<Column>(column));
            EXPECT_TRUE(index.data(Qt::AccessibleTextRole).toString().contains(QStringLiteral("2")))
                << "column " << column << " names its step";
            EXPECT_FALSE(index.data(Qt::ToolTipRole).toString().isEmpty() &&
                         !table().isColumnHidden(column))
                << "column " << column << " has a tooltip";
        }
    }
    EXPECT_EQ(model().headerData(Column::type, Qt::Horizontal, Qt::DisplayRole),
              QStringLiteral("Type"));
    EXPECT_EQ(table().horizontalHeader()->sectionViewportPosition(Column::name),
              table().columnViewportPosition(Column::name))
        << "the header sits over its column";
}

TEST_F(EditorTest, NumbersThatDoNotParseAreRefused) {
    setSteps({Step::ofType(StepType::skipTabs)});
    struct Case {
        const char* typed;
        double stored;
    };
    for (const auto& [typed, stored] : std::vector<Case>{{"0.5", 0.5},
                                                         {"0,75", 0.75},
                                                         {"abc", 0.75},
                                                         {"-1", 0.75},
                                                         {"inf", 0.75},
                                                         {"", 0.75}}) {
        model().setData(cell(0, Column::delay), QString::fromLatin1(typed), Qt::EditRole);
        EXPECT_EQ(draft().steps[0].postDelay, stored) << typed;
    }
    EXPECT_EQ(shown(0, Column::delay), QStringLiteral("0,75"));
    for (const auto& [typed, stored] : std::vector<std::pair<const char*, std::int64_t>>{
             {"7", 7}, {"7x", 7}, {"", 7}, {"-2", 7}, {"0", 0}}) {
        model().setData(cell(0, Column::repeat), QString::fromLatin1(typed), Qt::EditRole);
        EXPECT_EQ(draft().steps[0].repeatCount, stored) << typed;
    }

    // Through the cell's own editor: the stored value stays and shows again.
    auto* delay = openEditor<QLineEdit>(0, Column::delay);
    ASSERT_TRUE(delay);
    EXPECT_EQ(delay->accessibleName(), QStringLiteral("Step 1 delay (sec)"));
    delay->selectAll();
    QTest::keyClicks(delay, QStringLiteral("abc"));
    QTest::keyClick(delay, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(draft().steps[0].postDelay, 0.75);
    EXPECT_EQ(shown(0, Column::delay), QStringLiteral("0,75"));
}

TEST_F(EditorTest, PinsFixValuesAndUnpinFromTheKeyboard) {
    setSteps({input(""), input("City")});
    EXPECT_EQ(cell(0, Column::name).data(StepTableModel::placeholderRole),
              QStringLiteral("Column Name"));
    press(0, Column::fixedValue, Qt::Key_Space);
    EXPECT_EQ(draft().steps[0].fixedValue, "Fixed Value");
    EXPECT_EQ(shown(0, Column::fixedValue), QStringLiteral("Fixed Value"));
    EXPECT_EQ(cell(0, Column::fixedValue).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(cell(0, Column::name).flags() & Qt::ItemIsEditable)
        << "a pinned step reads no column";
    EXPECT_TRUE(cell(0, Column::fixedValue).flags() & Qt::ItemIsEditable);

    auto* value = openEditor<QLineEdit>(0, Column::fixedValue);
    ASSERT_TRUE(value);
    value->selectAll();
    QTest::keyClicks(value, QStringLiteral("Bonn"));
    QTest::keyClick(value, Qt::Key_Return);
    QApplication::processEvents(); // the delegate commits on the next turn of the loop
    EXPECT_EQ(draft().steps[0].fixedValue, "Bonn");

    press(0, Column::fixedValue, Qt::Key_Space);
    EXPECT_FALSE(draft().steps[0].fixedValue);
    press(1, Column::fixedValue, Qt::Key_Space);
    EXPECT_EQ(draft().steps[1].fixedValue, "City") << "a labelled step starts with its label";
}

TEST_F(EditorTest, TypeAndNameChangeWithoutAMouse) {
    setSteps({input("a")});
    auto* type = openEditor<QComboBox>(0, Column::type);
    ASSERT_TRUE(type);
    EXPECT_EQ(type->accessibleName(), QStringLiteral("Step 1 type"));
    EXPECT_EQ(type->currentText(), QStringLiteral("Text Input"));
    QTest::keyClick(type, Qt::Key_Down); // the next type, taken at once
    QApplication::processEvents();
    EXPECT_EQ(draft().steps[0].type, StepType::tab);

    setSteps({input("a")});
    table().setFocus();
    table().setCurrentIndex(cell(0, Column::name));
    QTest::keyClicks(table().viewport(), QStringLiteral("C")); // typing opens the editor
    auto* name = qobject_cast<QLineEdit*>(table().indexWidget(cell(0, Column::name)));
    ASSERT_TRUE(name);
    QTest::keyClicks(name, QStringLiteral("ity"));
    QTest::keyClick(name, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(draft().steps[0].label, "City");
}

TEST_F(EditorTest, MouseStepPositionAndRecordingIt) {
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = 12.7;
    click.mousePositionY = 40.2;
    setSteps({click});
    EXPECT_EQ(shown(0, Column::position), QStringLiteral("@ (12, 40)"));
    EXPECT_EQ(shown(0, Column::option), QStringLiteral("Left"));
    press(0, Column::position, Qt::Key_Return);
    EXPECT_FALSE(editor().isRecordingClick()) << "no target application chosen";
    press(0, Column::position, Qt::Key_Delete);
    EXPECT_EQ(shown(0, Column::position), QStringLiteral("@ Mouse Position"));
    EXPECT_FALSE(draft().steps[0].mousePositionX);

    detail().editDraft([](Template& item) { item.targetAppBundleID = "Yad"; });
    press(0, Column::position, Qt::Key_Return);
    EXPECT_TRUE(editor().isRecordingClick());
    desktop.userClick(MouseButton::left, {140, 125});
    QApplication::processEvents();
    EXPECT_EQ(draft().steps[0].mousePositionX, 40);
    EXPECT_EQ(draft().steps[0].mousePositionY, 25);
    EXPECT_FALSE(editor().isRecordingClick());
}

TEST_F(EditorTest, TheFieldColumnShowsARecordedFieldDeleteClearsItAndEnterRecordsItAgain) {
    Step city = Step::ofType(StepType::textInput);
    city.label = "City";
    city.field = FieldIdentity{"text", "City", "id_city", {"Delivery"}, ""};
    Step name = city;
    name.id = Uuid::random();
    name.label = "Name";
    name.field = FieldIdentity{"text", "Name", "", {}, ""};
    setSteps({Step::ofType(StepType::tab)});
    EXPECT_TRUE(table().isColumnHidden(Column::field)) << "no step knows its field";
    setSteps({Step::ofType(StepType::tab), city, name});
    EXPECT_FALSE(table().isColumnHidden(Column::field));
    EXPECT_EQ(shown(0, Column::field), QString());
    EXPECT_EQ(shown(1, Column::field), QStringLiteral("City"));
    const QString tip = cell(1, Column::field).data(Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.contains(QStringLiteral("id_city")) && tip.contains(QStringLiteral("Delivery")))
        << tip.toStdString();
    EXPECT_EQ(cell(1, Column::field).data(Qt::AccessibleTextRole), QStringLiteral("Step 2 field"));
    press(1, Column::field, Qt::Key_Delete);
    EXPECT_FALSE(draft().steps[1].field);
    EXPECT_EQ(draft().steps[1].label, "City") << "only the field went";

    // Enter records the step's field again, in the target: the one the user focuses there.
    press(1, Column::field, Qt::Key_Return);
    EXPECT_FALSE(editor().isRecordingField()) << "no target application chosen";
    detail().editDraft([](Template& item) { item.targetAppBundleID = "Yad"; });
    QApplication::processEvents();
    press(1, Column::field, Qt::Key_Return);
    EXPECT_TRUE(editor().isRecordingField());
    desktop.form(target)->focused = 1;
    desktop.bringToFront(target);
    clock.advance(FieldPicker::poll);
    QApplication::processEvents();
    ASSERT_TRUE(draft().steps[1].field);
    EXPECT_EQ(draft().steps[1].field->name, "City");
    EXPECT_FALSE(editor().isRecordingField());

    press(1, Column::field, Qt::Key_Delete);
    press(2, Column::field, Qt::Key_Delete);
    EXPECT_TRUE(table().isColumnHidden(Column::field)) << "no step knows its field any more";
}

TEST_F(EditorTest, StepsAreDeletedFromTheirRow) {
    setSteps({input("a"), input("b")});
    press(0, Column::remove, Qt::Key_Return);
    ASSERT_EQ(draft().steps.size(), 1u);
    EXPECT_EQ(draft().steps[0].label, "b");
    EXPECT_EQ(cell(0, Column::remove).data(Qt::AccessibleTextRole),
              QStringLiteral("Delete step 1"));
    editor().button(Button::deleteAll)->click();
    EXPECT_TRUE(draft().steps.empty());
    EXPECT_TRUE(editor().button(Button::deleteAll)->isHidden());
}

TEST_F(EditorTest, ActionIconsActOnceAClick) {
    setSteps({input("a"), input("b"), input("c"), input("d")});
    const auto centre = [&](int row, Column column) {
        return table().visualRect(cell(row, column)).center();
    };
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, centre(0, Column::remove));
    ASSERT_EQ(draft().steps.size(), 3u);
    EXPECT_EQ(draft().steps[0].label, "b");
    QTest::mouseDClick(table().viewport(), Qt::LeftButton, {}, centre(0, Column::remove));
    QTest::mouseRelease(table().viewport(), Qt::LeftButton, {}, centre(0, Column::remove));
    EXPECT_EQ(draft().steps.size(), 2u) << "a double click deletes one step";

    // The pin is at the start of its cell.
    const QRect pinCell = table().visualRect(cell(0, Column::fixedValue));
    const QPoint pin(pinCell.left() + 10, pinCell.center().y());
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, pin);
    EXPECT_EQ(draft().steps[0].fixedValue, "c");
    QTest::mouseClick(table().viewport(), Qt::LeftButton, {}, pin);
    EXPECT_FALSE(draft().steps[0].fixedValue);
}

TEST_F(EditorTest, RecordingIsMergedAsTheUserChooses) {
    record({Key::tab, Key::returnKey}); // into an empty template
    EXPECT_EQ(editor().mainArea(), QStringLiteral("recorded"));
    ASSERT_TRUE(editor().button(Button::apply)->isVisibleTo(&editor()));
    editor().button(Button::apply)->click();
    // Recording started with the focus in Name: that field comes first.
    ASSERT_EQ(draft().steps.size(), 3u);
    EXPECT_EQ(draft().steps[0].label, "Name") << "the field the recording started in";
    EXPECT_EQ(draft().steps[1].label, "City") << "named after the field the Tab landed on";
    EXPECT_EQ(draft().targetAppBundleID, "Yad");
    EXPECT_EQ(editor().mainArea(), QStringLiteral("steps"));

    setSteps({input("a"), input("b"), input("c"), input("d"), input("e")});
    record({Key::down, Key::tab, Key::returnKey});
    EXPECT_EQ(recorder->recordedSteps().size(), 4u) << "Name, the arrow key, City, Return";
    editor().button(Button::discard)->click();
    EXPECT_EQ(draft().steps.size(), 5u) << "discard leaves the template alone";

    record({Key::down, Key::tab, Key::returnKey});
    QComboBox* picker = editor().insertPicker();
    EXPECT_EQ(picker->currentIndex(), 5) << "after the last step at first";
    EXPECT_EQ(picker->itemText(0), QStringLiteral("Beginning"));
    picker->setCurrentIndex(0);
    Q_EMIT picker->activated(0);
    editor().button(Button::insertAfter)->click();
    ASSERT_EQ(draft().steps.size(), 9u);
    EXPECT_EQ(draft().steps[0].label, "Name");
    EXPECT_EQ(draft().steps[1].type, StepType::arrowKey);
    EXPECT_EQ(draft().steps[4].label, "a");
}

TEST_F(EditorTest, DebugRunFromTheEditor) {
    EXPECT_FALSE(editor().button(Button::debug)->isEnabled()) << "no steps";
    detail().editDraft([](Template& item) {
        item.targetAppBundleID = "Yad";
        item.settings.countdownSeconds = 1;
        Step name = Step::ofType(StepType::textInput);
        name.label = "Name";
        item.steps = {name, Step::ofType(StepType::tab)};
    });
    editor().button(Button::debug)->click();
    EXPECT_TRUE(runner->isRunning()) << "on the window's one runner";
    EXPECT_FALSE(editor().button(Button::debug)->isEnabled()) << "during a run";
    clock.runUntil([&] { return runner->isWaitingForNext(); });
    QApplication::processEvents();
    EXPECT_TRUE(cell(0, Column::name).data(Qt::BackgroundRole).isValid())
        << "the current step is highlighted";
    EXPECT_FALSE(cell(1, Column::name).data(Qt::BackgroundRole).isValid());
    editor().button(Button::next)->click();
    clock.runUntil([&] {
        return runner->isWaitingForNext() &&
               std::get<runner_state::DebugStep>(runner->state()).stepIdx == 1;
    });
    EXPECT_EQ(desktop.form(target)->fields[0].text, "Mustermann GmbH");
    EXPECT_TRUE(cell(1, Column::name).data(Qt::BackgroundRole).isValid());
    editor().button(Button::next)->click();
    clock.runUntil([&] { return !runner->isRunning(); });
    QApplication::processEvents();
    EXPECT_TRUE(editor().button(Button::ok)->isVisibleTo(&editor()));
    editor().button(Button::ok)->click();
    EXPECT_TRUE(editor().button(Button::debug)->isEnabled());
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
    press(0, Column::name, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(draft().steps[1].label, "a");
    EXPECT_EQ(table().currentIndex().row(), 1) << "the moved step stays current";
    press(1, Column::name, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(draft().steps[0].label, "a");
    press(0, Column::name, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(draft().steps[0].label, "a") << "the first step stays first";
}

TEST_F(UiSession, RecorderViewFollowsTheRecording) {
    desktop.reserveCombination({Key::space, Modifier::alt});
    RecorderService recorder(desktop, clock);
    RecorderView view(recorder);
    EXPECT_EQ(view.countLabel()->text(), QStringLiteral("0 steps"));
    EXPECT_TRUE(view.detectedLabel()->isHidden());
    // Started on a button: no field to begin with.
    desktop.form(target)->fields.push_back(SimulatedDesktop::Field::named(""));
    auto save = SimulatedDesktop::Field::named("Save", ElementRole::other);
    save.acceptsText = false;
    desktop.form(target)->fields.push_back(save);
    desktop.form(target)->focused = 3;
    recorder.startRecording();
    EXPECT_FALSE(view.windowManagerLabel()->isHidden()) << "the window manager also gets Alt+Space";
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
    // What a drop does to the model: the template follows.
    ASSERT_TRUE(model().moveRow(QModelIndex(), 0, QModelIndex(), 3));
    QApplication::processEvents();
    ASSERT_EQ(draft().steps.size(), 3u);
    EXPECT_EQ(draft().steps[0].label, "b");
    EXPECT_EQ(draft().steps[2].label, "a");
    EXPECT_EQ(shown(2, Column::number), QStringLiteral("3"));

    // Dropped onto a row, the step takes its place.
    std::unique_ptr<QMimeData> dragged(model().mimeData({cell(2, Column::number)}));
    ASSERT_TRUE(model().dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, cell(0, Column::name)));
    EXPECT_EQ(draft().steps[0].label, "a");
    EXPECT_EQ(draft().steps[1].label, "b");
}

// What assistive technologies read and write: each cell's name, its text, and editable text
// for the cells that can be edited.
TEST_F(EditorTest, CellsAreReadAndWrittenThroughAccessibility) {
    Step fixed = input("Zip");
    fixed.fixedValue = "12345";
    Step arrow = Step::ofType(StepType::arrowKey);
    arrow.repeatCount = 3;
    setSteps({input("City"), fixed, arrow});
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&table());
    ASSERT_TRUE(view && view->tableInterface());
    EXPECT_EQ(view->text(QAccessible::Name), QStringLiteral("Steps"));
    QAccessibleTableInterface* cells = view->tableInterface();
    EXPECT_EQ(cells->rowCount(), 3);
    EXPECT_EQ(cells->columnDescription(Column::delay), QStringLiteral("Delay (sec)"));
    const auto read = [&](int row, Column column) -> std::pair<QString, QString> {
        QAccessibleInterface* found = cells->cellAt(row, column);
        if (!found || !found->textInterface())
            return {};
        return {found->text(QAccessible::Name),
                found->textInterface()->text(0, found->textInterface()->characterCount())};
    };
    using Seen = std::pair<QString, QString>;
    EXPECT_EQ(read(0, Column::number), Seen(QStringLiteral("Step 1"), QStringLiteral("1")));
    EXPECT_EQ(read(0, Column::type),
              Seen(QStringLiteral("Step 1 type"), QStringLiteral("Text Input")));
    EXPECT_EQ(read(0, Column::name), Seen(QStringLiteral("Step 1 name"), QStringLiteral("City")));
    EXPECT_EQ(read(1, Column::fixedValue),
              Seen(QStringLiteral("Step 2 fixed value"), QStringLiteral("12345")));
    EXPECT_EQ(read(2, Column::delay),
              Seen(QStringLiteral("Step 3 delay (sec)"), QStringLiteral("0,3")));
    EXPECT_EQ(read(2, Column::repeat),
              Seen(QStringLiteral("Step 3 repeat count"), QStringLiteral("3")));
    EXPECT_TRUE(cells->cellAt(1, Column::fixedValue)->state().checked) << "pinned";
    // Numbered as Qt numbers the children of its tables in focus events: headings first.
    const int repeatChild = 3 * (Column::columnCount_ + 1) + Column::repeat + 1;
    EXPECT_EQ(view->indexOfChild(cells->cellAt(2, Column::repeat)), repeatChild);
    EXPECT_EQ(view->child(repeatChild), cells->cellAt(2, Column::repeat));
    EXPECT_EQ(view->child(Column::delay + 1)->text(QAccessible::Name),
              QStringLiteral("Delay (sec)"));
    EXPECT_EQ(view->child(Column::delay + 1)->role(), QAccessible::ColumnHeader);

    QAccessibleInterface* name = cells->cellAt(0, Column::name);
    ASSERT_TRUE(name->editableTextInterface());
    name->editableTextInterface()->replaceText(0, name->textInterface()->characterCount(),
                                               QStringLiteral("Town"));
    EXPECT_EQ(draft().steps[0].label, "Town");
    name->editableTextInterface()->insertText(4, QStringLiteral("s"));
    EXPECT_EQ(draft().steps[0].label, "Towns");
    QAccessibleInterface* type = cells->cellAt(0, Column::type);
    type->editableTextInterface()->replaceText(0, -1, QStringLiteral("Return"));
    EXPECT_EQ(draft().steps[0].type, StepType::returnKey);
    type->editableTextInterface()->replaceText(0, -1, QStringLiteral("no such type"));
    EXPECT_EQ(draft().steps[0].type, StepType::returnKey) << "refused";
    EXPECT_FALSE(cells->cellAt(0, Column::name)->editableTextInterface())
        << "a Return step names no column";
    EXPECT_FALSE(cells->cellAt(0, Column::number)->editableTextInterface());
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

    QCheckBox* wait = box(QStringLiteral("Wait for the next field"));
    ASSERT_TRUE(wait);
    EXPECT_TRUE(wait->isChecked()) << "on for a new template";
    EXPECT_FALSE(wait->toolTip().isEmpty());
    wait->click();
    EXPECT_FALSE(draft().settings.waitForNextField);
    QLineEdit* longest = nullptr;
    for (QLineEdit* candidate : editor().findChildren<QLineEdit*>())
        if (candidate->accessibleName() == QStringLiteral("Longest Field Wait (sec)"))
            longest = candidate;
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->text(), QStringLiteral("10,0"));
    EXPECT_FALSE(longest->toolTip().isEmpty());
}
