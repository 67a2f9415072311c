#include "ui/StepTableModel.h"

#include <QSignalSpy>

#include "UiSession.h"
#include "editing/EditSession.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

using Column = StepTableModel::Column;

// The model over an edit session, without a window: an edit changes cells, a move moves a
// row, and only a new list of steps resets the model, so that an editor open in a cell
// stays open while other steps change.
class StepTableModelTest : public UiSession {
protected:
    StepTableModelTest() {
        store = std::make_unique<TemplateStore>(temp.path(), diagnostics);
        store->addTemplate();
        session = std::make_unique<EditSession>(*store, clock, engine, recording);
        setSteps({input("a"), input("b"), Step::ofType(StepType::tab)});
        model = std::make_unique<StepTableModel>(
            *session, [] { return describeAllExcept(DesktopKind::simulated, {}); });
    }
    ~StepTableModelTest() override {
        model.reset();
        session.reset();
    }
    static Step input(std::string label) {
        Step step = Step::ofType(StepType::textInput);
        step.label = std::move(label);
        return step;
    }
    void setSteps(std::vector<Step> steps) {
        session->edit([&](Template& item) { item.steps = std::move(steps); });
    }
    QString shown(int row, Column column) { return model->index(row, column).data().toString(); }

    RunnerEngine engine{desktop, clock};
    RecorderService recording{desktop, clock};
    std::unique_ptr<EditSession> session;
    std::unique_ptr<StepTableModel> model;
};

} // namespace

TEST_F(StepTableModelTest, EditsChangeCellsMovesMoveRowsNewStepsReset) {
    QSignalSpy resets(model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy moves(model.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changes(model.get(), &QAbstractItemModel::dataChanged);
    const QPersistentModelIndex b(model->index(1, Column::name));

    ASSERT_TRUE(session->setLabel(0, "x"));
    EXPECT_EQ(shown(0, Column::name), QStringLiteral("x"));
    EXPECT_EQ(resets.count(), 0);
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(b.row(), 1);

    ASSERT_TRUE(model->moveRows({}, 1, 1, {}, 0));
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(b.row(), 0) << "what points at a step follows it";
    EXPECT_EQ(session->steps()[0].label, "b");
    EXPECT_EQ(shown(0, Column::number), QStringLiteral("1"));
    EXPECT_FALSE(model->moveRows({}, 0, 1, {}, 0)) << "no move onto itself";
    EXPECT_FALSE(model->moveRows({}, 0, 1, {}, 4));

    session->addStep();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model->rowCount(), 4);
}

TEST_F(StepTableModelTest, RefusedValuesChangeNothing) {
    const Template before = *session->draft();
    struct Case {
        int row;
        Column column;
        QVariant value;
        int role;
    };
    for (const auto& [row, column, value, role] : std::vector<Case>{
             {0, Column::type, QStringLiteral("Jump"), Qt::EditRole},
             {0, Column::type, 99, Qt::EditRole},
             {2, Column::name, QStringLiteral("Tab names no column"), Qt::EditRole},
             {2, Column::repeat, QStringLiteral("3"), Qt::EditRole},
             {0, Column::delay, QStringLiteral("soon"), Qt::EditRole},
             {0, Column::option, QStringLiteral("Left"), Qt::EditRole},
             {0, Column::position, QVariant(), StepTableModel::positionRole},
             {2, Column::fixedValue, Qt::Checked, Qt::CheckStateRole},
             {0, Column::number, QStringLiteral("7"), Qt::EditRole},
             {3, Column::name, QStringLiteral("past the end"), Qt::EditRole},
         }) {
        EXPECT_FALSE(model->setData(model->index(row, column), value, role))
            << row << " " << column;
    }
    EXPECT_EQ(*session->draft(), before);

    EXPECT_TRUE(
        model->setData(model->index(0, Column::type), QStringLiteral("arrow key"), Qt::EditRole))
        << "a type by its shown name, in any case";
    EXPECT_EQ(session->steps()[0].type, StepType::arrowKey);
    EXPECT_TRUE(
        model->setData(model->index(0, Column::option), QStringLiteral("Left"), Qt::EditRole));
    EXPECT_EQ(session->steps()[0].arrowDirection, ArrowDirection::left);
}
