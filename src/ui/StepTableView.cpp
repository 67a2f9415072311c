#include "ui/StepTableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include "ui/CoreText.h"
#include "ui/StepDelegate.h"
#include "ui/StepTableAccessible.h"
#include "ui/StepTableModel.h"

#include <algorithm>

namespace keyferry {

StepTableView::StepTableView(StepTableModel& model,
                             std::function<void(const QModelIndex&)> activate, QWidget* parent)
    : QTableView(parent), model_(model) {
    static const bool installed = [] {
        StepTableAccessible::install();
        return true;
    }();
    (void)installed;
    setModel(&model);
    setItemDelegate(new StepDelegate(activate, this));
    connect(this, &QAbstractItemView::activated, this,
            [activate](const QModelIndex& index) { activate(index); });

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setDragDropOverwriteMode(false);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab leaves the table, as everywhere else in the window
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 14);

    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(28);
    // Narrow enough that every column of a template with every kind of step fits the pane
    // next to a stretching Name column.
    const std::pair<StepTableModel::Column, int> widths[] = {
        {StepTableModel::number, 44},     {StepTableModel::type, 112},
        {StepTableModel::fixedValue, 94}, {StepTableModel::option, 52},
        {StepTableModel::clickType, 58},  {StepTableModel::position, 126},
        {StepTableModel::field, 72},      {StepTableModel::delay, 70},
        {StepTableModel::repeat, 50},     {StepTableModel::remove, 28}};
    // A caption wider than its column (a translated one, a larger font) widens the column.
    const int captionMargins =
        2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 6;
    for (const auto& [column, width] : widths) {
        const QString caption =
            model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(
            column,
            std::max(width, header->fontMetrics().horizontalAdvance(caption) + captionMargins));
    }
    header->setSectionResizeMode(StepTableModel::name, QHeaderView::Stretch);
    header->setSectionResizeMode(StepTableModel::remove, QHeaderView::Fixed);

    connect(&model, &QAbstractItemModel::modelReset, this, &StepTableView::showUsedColumns);
    connect(&model, &QAbstractItemModel::dataChanged, this, &StepTableView::showUsedColumns);
    showUsedColumns();
}

void StepTableView::showUsedColumns() {
    for (int column = 0; column < StepTableModel::columnCount_; ++column)
        setColumnHidden(column, !model_.columnInUse(static_cast<StepTableModel::Column>(column)));
    // Named values whole in the user's language ("Tabs überspringen", "Двойной"): a column
    // narrower than what the template's steps show in it widens.
    const int cellMargins = cellMargin();
    // The position's cell draws its marker before the text.
    const std::pair<StepTableModel::Column, int> named[] = {{StepTableModel::type, 0},
                                                            {StepTableModel::option, 0},
                                                            {StepTableModel::clickType, 0},
                                                            {StepTableModel::position, 14}};
    for (const auto& [column, extra] : named) {
        int wanted = 0;
        for (int row = 0; row < model_.rowCount(); ++row)
            wanted = std::max(wanted, fontMetrics().horizontalAdvance(
                                          model_.index(row, column).data().toString()) +
                                          cellMargins + extra);
        if (horizontalHeader()->sectionSize(column) < wanted)
            horizontalHeader()->resizeSection(column, wanted);
    }
    fitNameColumn();
}

int StepTableView::cellMargin() const {
    return 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
}

void StepTableView::fitNameColumn() {
    QHeaderView* header = horizontalHeader();
    int others = 0;
    for (int column = 0; column < StepTableModel::columnCount_; ++column)
        if (column != StepTableModel::name && !isColumnHidden(column))
            others += header->sectionSize(column);
    const int cellMargins = cellMargin();
    // Long names may still be cut, not short ones: up to a dozen characters show whole.
    const int longest = fontMetrics().horizontalAdvance(QString(12, QLatin1Char('n')));
    int wanted =
        fontMetrics().horizontalAdvance(
            model_.headerData(StepTableModel::name, Qt::Horizontal, Qt::DisplayRole).toString()) +
        cellMargins;
    for (int row = 0; row < model_.rowCount(); ++row)
        wanted = std::max(
            wanted,
            std::min(longest, fontMetrics().horizontalAdvance(
                                  model_.index(row, StepTableModel::name).data().toString())) +
                cellMargins);
    if (viewport()->width() - others >= wanted) {
        header->setSectionResizeMode(StepTableModel::name, QHeaderView::Stretch);
    } else {
        header->setSectionResizeMode(StepTableModel::name, QHeaderView::Interactive);
        header->resizeSection(StepTableModel::name, wanted);
    }
}

void StepTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitNameColumn();
}

bool StepTableView::moveCurrent(int delta) {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return false;
    const int to = current.row() + delta;
    if (to < 0 || to >= model_.rowCount())
        return false;
    // A move before row `to`, or after it when moving down.
    if (!model_.moveRows({}, current.row(), 1, {}, delta > 0 ? to + 1 : to))
        return false;
    setCurrentIndex(model_.index(to, current.column()));
    return true;
}

void StepTableView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (event->modifiers() == Qt::ControlModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        moveCurrent(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    const bool clears = (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
                        state() != QAbstractItemView::EditingState;
    if (current.isValid() && current.column() == StepTableModel::position && clears) {
        model_.setData(current, QVariant(), StepTableModel::positionRole);
        event->accept();
        return;
    }
    if (current.isValid() && current.column() == StepTableModel::field && clears) {
        model_.setData(current, QVariant(), StepTableModel::fieldRole);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace keyferry
