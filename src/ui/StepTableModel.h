#pragma once

#include <QAbstractTableModel>

#include "automation/DesktopDescription.h"
#include "editing/EditSession.h"

#include <functional>

namespace keyferry {

/// The edit session's steps as a table, one row per step. Every cell has its text
/// (DisplayRole), its accessible name ("Step 2 delay (sec)") and a tooltip; editable cells
/// write through the session, which refuses values a step cannot hold.
class StepTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        number,
        type,
        name,
        fixedValue,
        option,    ///< the arrow key's direction or the mouse button
        clickType, ///< single or double click
        position,  ///< where a click goes
        field,     ///< the element the step checks before its first key
        delay,
        repeat,
        remove,
        columnCount_
    };
    /// Non-empty for an empty cell that shows a hint in its place ("Column Name").
    static constexpr int placeholderRole = Qt::UserRole + 1;
    /// For a cell chosen from a list: every choice as [shown name, EditRole value].
    static constexpr int choicesRole = Qt::UserRole + 2;
    /// Where a click goes, as a QPointF; an empty value clears it ("where the mouse is").
    static constexpr int positionRole = Qt::UserRole + 3;
    /// The step's recorded field; an empty value clears it (the step is not checked).
    static constexpr int fieldRole = Qt::UserRole + 4;

    StepTableModel(EditSession& session, std::function<DesktopDescription()> describeDesktop,
                   QObject* parent = nullptr);
    ~StepTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    /// Moves one step; the view's selection follows it.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;

    // Dragging a row onto another moves the step there.
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    /// Whether any step shows something in this column (the view hides the others).
    bool columnInUse(Column column) const;

private:
    void draftChanged();
    void sessionStateChanged();
    const Step* stepAt(const QModelIndex& index) const;

    EditSession& session_;
    std::function<DesktopDescription()> describeDesktop_;
    DesktopDescription description_;
    std::vector<Uuid> shownIds_; ///< the steps as the view knows them, for telling edits from moves
    std::optional<std::size_t> debugRow_;
    bool moving_ = false;
    Signal<>::ConnectionId draftConnection_, stateConnection_;
};

} // namespace keyferry
