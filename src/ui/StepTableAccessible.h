#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class QTableView;

namespace keyferry {

/// What assistive technologies see of the step table: a table of cells, each with its
/// accessible name ("Step 2 name"), its text (the value shown) and, where the cell can be
/// edited, editable text that writes through the model. Qt's own item view cells carry a
/// name only, so a screen reader could neither read a value apart from its name nor change
/// it.
class StepTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit StepTableAccessible(QTableView* view);
    ~StepTableAccessible() override;

    /// Makes every StepTableView use this interface. Call once per application.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QTableView* view() const;

    /// By child index: a cell stands for a position, whatever step is there now.
    mutable QHash<int, QAccessible::Id> cells_;
};

} // namespace keyferry
