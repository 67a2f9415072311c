#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace keyferry {

/// Draws and edits the cells of the step table. Editors open on demand: a choice list for
/// the type, the arrow or mouse button and the click type, a line edit for texts and
/// numbers, each named like its cell. The pin, the position's target and the delete sign are
/// drawn as icons that act on a click.
class StepDelegate final : public QStyledItemDelegate {
public:
    /// `activate` is called for a click on the position's target or the delete sign.
    StepDelegate(std::function<void(const QModelIndex&)> activate, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    std::function<void(const QModelIndex&)> activate_;
    bool swallowRelease_ = false;
};

} // namespace keyferry
