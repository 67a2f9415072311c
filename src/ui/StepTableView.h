#pragma once

#include <QTableView>

#include <functional>

namespace keyferry {

class StepTableModel;

/// The steps of the open template as a table. Rows move by dragging or with Ctrl+Up and
/// Ctrl+Down; F2 or typing edits a cell; Space pins a Text Input step; Enter on the position
/// records a click position and on the delete sign deletes the step; Delete on the position
/// clears it.
class StepTableView final : public QTableView {
public:
    /// `activate`: Enter, a double click or a click on an action icon in a cell that is not
    /// edited (the position, the delete sign).
    StepTableView(StepTableModel& model, std::function<void(const QModelIndex&)> activate,
                  QWidget* parent = nullptr);

    /// Moves the current step by `delta` rows; it stays current.
    bool moveCurrent(int delta);
    /// Hides the columns no step uses.
    void showUsedColumns();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// The Name column takes the room the others leave, but never so little that the names
    /// are cut to a letter: then it keeps its own width and the table scrolls sideways.
    void fitNameColumn();
    /// The room a cell takes beside its text.
    int cellMargin() const;

    StepTableModel& model_;
};

} // namespace keyferry
