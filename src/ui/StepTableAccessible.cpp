#include "ui/StepTableAccessible.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

#include "ui/StepTableView.h"

namespace keyferry {

namespace {

// One cell, by position: it reads whatever step is at its row now.
class StepCellAccessible final : public QAccessibleInterface,
                                 public QAccessibleTableCellInterface,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface {
public:
    StepCellAccessible(QTableView* view, int row, int column)
        : view_(view), row_(row), column_(column) {}

    QModelIndex index() const {
        return view_ && view_->model() ? view_->model()->index(row_, column_) : QModelIndex();
    }
    bool editable() const { return index().flags() & Qt::ItemIsEditable; }
    QString value() const { return index().data(Qt::DisplayRole).toString(); }
    void write(const QString& text) {
        if (editable())
            view_->model()->setData(index(), text, Qt::EditRole);
    }

    // QAccessibleInterface
    bool isValid() const override { return index().isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return view_ && view_->window() ? view_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return index().data(Qt::AccessibleTextRole).toString();
        case QAccessible::Description:
            return index().data(Qt::AccessibleDescriptionRole).toString();
        case QAccessible::Value:
            return value();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t == QAccessible::Value)
            write(text);
    }
    QRect rect() const override {
        if (!view_)
            return {};
        const QRect r = view_->visualRect(index());
        if (r.isNull())
            return {};
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!view_)
            return s;
        const QModelIndex cell = index();
        s.focusable = true;
        s.selectable = true;
        s.selected = view_->selectionModel() && view_->selectionModel()->isSelected(cell);
        s.focused = view_->hasFocus() && view_->currentIndex() == cell;
        s.editable = editable();
        s.readOnly = !editable();
        if (cell.flags() & Qt::ItemIsUserCheckable) {
            s.checkable = true;
            s.checked = cell.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        }
        s.invisible = view_->isColumnHidden(column_) || !view_->isVisible();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        switch (type) {
        case QAccessible::TableCellInterface:
            return static_cast<QAccessibleTableCellInterface*>(this);
        case QAccessible::TextInterface:
            return static_cast<QAccessibleTextInterface*>(this);
        case QAccessible::EditableTextInterface:
            return editable() ? static_cast<QAccessibleEditableTextInterface*>(this) : nullptr;
        default:
            return nullptr;
        }
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleTextInterface: the value shown, read only through this interface.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString all = value();
        const int end =
            endOffset < 0 || endOffset > all.size() ? static_cast<int>(all.size()) : endOffset;
        const int start = std::clamp(startOffset, 0, end);
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(value().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // QAccessibleEditableTextInterface: each change is one edit of the step.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        QString all = value();
        const int end = std::clamp(endOffset < 0 ? static_cast<int>(all.size()) : endOffset, 0,
                                   static_cast<int>(all.size()));
        const int start = std::clamp(startOffset, 0, end);
        write(all.replace(start, end - start, text));
    }

private:
    QPointer<QTableView> view_;
    int row_, column_;
};

// A column heading, a row heading (the row headings are hidden) or the corner between them:
// the table's children are laid out as Qt's own tables are, so that the child a focus event
// names is the cell that has the focus.
class StepHeaderAccessible final : public QAccessibleInterface {
public:
    StepHeaderAccessible(QTableView* view, int row, int column)
        : view_(view), row_(row), column_(column) {}

    bool isValid() const override { return view_ && view_->model(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !view_ || !view_->model())
            return {};
        if (row_ == 0 && column_ > 0)
            return view_->model()->headerData(column_ - 1, Qt::Horizontal).toString();
        if (column_ == 0 && row_ > 0)
            return QCoreApplication::translate("keyferry::StepTableAccessible", "Step %1")
                .arg(row_);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!view_ || row_ != 0 || column_ == 0)
            return {};
        const QHeaderView* header = view_->horizontalHeader();
        const int x = header->sectionViewportPosition(column_ - 1);
        return QRect(header->mapToGlobal(QPoint(x, 0)),
                     QSize(header->sectionSize(column_ - 1), header->height()));
    }
    QAccessible::Role role() const override {
        return column_ == 0 && row_ > 0 ? QAccessible::RowHeader : QAccessible::ColumnHeader;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !view_ || row_ != 0 || column_ == 0 || view_->isColumnHidden(column_ - 1);
        return s;
    }
    int row() const { return row_; }
    int column() const { return column_; }

private:
    QPointer<QTableView> view_;
    int row_, column_;
};

QAccessibleInterface* stepTableFactory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<StepTableView*>(object))
        return new StepTableAccessible(view);
    return nullptr;
}

} // namespace

StepTableAccessible::StepTableAccessible(QTableView* view)
    : QAccessibleWidget(view, QAccessible::Table) {}

StepTableAccessible::~StepTableAccessible() {
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
}

void StepTableAccessible::install() {
    QAccessible::installFactory(stepTableFactory);
}

QTableView* StepTableAccessible::view() const {
    return static_cast<QTableView*>(widget());
}

void* StepTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int StepTableAccessible::rowCount() const {
    return view()->model() ? view()->model()->rowCount() : 0;
}

int StepTableAccessible::columnCount() const {
    return view()->model() ? view()->model()->columnCount() : 0;
}

// Children row by row, with a heading row first and a heading column first, as in Qt's own
// tables: child (r + 1) * (columns + 1) + c + 1 is the cell at row r, column c.
int StepTableAccessible::childCount() const {
    return (rowCount() + 1) * (columnCount() + 1);
}

QAccessibleInterface* StepTableAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto known = cells_.constFind(index); known != cells_.constEnd())
        return QAccessible::accessibleInterface(*known);
    const int row = index / (columnCount() + 1);
    const int column = index % (columnCount() + 1);
    QAccessibleInterface* made = nullptr;
    if (row == 0 || column == 0)
        made = new StepHeaderAccessible(view(), row, column);
    else
        made = new StepCellAccessible(view(), row - 1, column - 1);
    cells_.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

int StepTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->parent() == nullptr || child->parent()->object() != view())
        return -1;
    if (const auto* header = dynamic_cast<const StepHeaderAccessible*>(child))
        return header->row() * (columnCount() + 1) + header->column();
    const QAccessibleTableCellInterface* cell =
        const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell)
        return -1;
    return (cell->rowIndex() + 1) * (columnCount() + 1) + cell->columnIndex() + 1;
}

QAccessibleInterface* StepTableAccessible::childAt(int x, int y) const {
    const QPoint local = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = view()->indexAt(local);
    return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
}

QAccessibleInterface* StepTableAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return child((row + 1) * (columnCount() + 1) + column + 1);
}

int StepTableAccessible::selectedCellCount() const {
    return static_cast<int>(selectedCells().size());
}

QList<QAccessibleInterface*> StepTableAccessible::selectedCells() const {
    QList<QAccessibleInterface*> result;
    if (view()->selectionModel())
        for (const QModelIndex& index : view()->selectionModel()->selectedIndexes())
            result.append(cellAt(index.row(), index.column()));
    return result;
}

QString StepTableAccessible::columnDescription(int column) const {
    // The full name, where the header itself may show an abbreviation.
    return view()->model()
               ? view()->model()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString()
               : QString();
}

QString StepTableAccessible::rowDescription(int row) const {
    return QCoreApplication::translate("keyferry::StepTableAccessible", "Step %1").arg(row + 1);
}

int StepTableAccessible::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

QList<int> StepTableAccessible::selectedRows() const {
    QList<int> rows;
    if (view()->selectionModel())
        for (const QModelIndex& index : view()->selectionModel()->selectedRows())
            rows.append(index.row());
    return rows;
}

bool StepTableAccessible::isRowSelected(int row) const {
    return view()->selectionModel() && view()->selectionModel()->isRowSelected(row, {});
}

bool StepTableAccessible::selectRow(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    view()->selectRow(row);
    return true;
}

bool StepTableAccessible::unselectRow(int row) {
    if (!isRowSelected(row))
        return false;
    view()->selectionModel()->clearSelection();
    return true;
}

} // namespace keyferry
