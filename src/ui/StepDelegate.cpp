#include "ui/StepDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>

#include "ui/StepTableModel.h"

namespace keyferry {

StepDelegate::StepDelegate(std::function<void(const QModelIndex&)> activate, QObject* parent)
    : QStyledItemDelegate(parent), activate_(std::move(activate)) {}

QWidget* StepDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    QWidget* editor = nullptr;
    const QVariantList choices = index.data(StepTableModel::choicesRole).toList();
    if (!choices.isEmpty()) {
        auto* box = new QComboBox(parent);
        for (const QVariant& choice : choices) {
            const QVariantList pair = choice.toList();
            box->addItem(pair.value(0).toString(), pair.value(1));
        }
        // A choice is taken as it is made, by mouse or keyboard.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<StepDelegate*>(this);
            Q_EMIT self->commitData(box);
            Q_EMIT self->closeEditor(box);
        });
        editor = box;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setPlaceholderText(index.data(StepTableModel::placeholderRole).toString());
    }
    if (editor) {
        editor->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
        editor->setToolTip(index.data(Qt::ToolTipRole).toString());
    }
    return editor;
}

void StepDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(box->findData(index.data(Qt::EditRole)));
        return;
    }
    // Text being typed stays as it is when the step changes elsewhere to the same value.
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line && line->text() == index.data(Qt::EditRole).toString())
        return;
    QStyledItemDelegate::setEditorData(editor, index);
}

void StepDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, box->currentData(), Qt::EditRole);
        return;
    }
    // A number that does not parse is refused by the model; the cell shows the stored one.
    QStyledItemDelegate::setModelData(editor, model, index);
}

void StepDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The pin stands for the check box.
    option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QString placeholder = index.data(StepTableModel::placeholderRole).toString();
    if (option->text.isEmpty() && !placeholder.isEmpty()) {
        option->text = placeholder;
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::PlaceholderText));
    }
}

bool StepDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    const QRect icon = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &item, item.widget);
    const QPoint at = mouse->position().toPoint();
    const bool left = mouse->button() == Qt::LeftButton;
    const bool onIcon = left && icon.adjusted(-2, -2, 2, 2).contains(at);
    const int column = index.column();
    const bool pin =
        column == StepTableModel::fixedValue && onIcon && (index.flags() & Qt::ItemIsUserCheckable);
    const bool target = column == StepTableModel::position && onIcon;
    const bool remove = column == StepTableModel::remove && left && option.rect.contains(at);
    if (!pin && !target && !remove)
        return QStyledItemDelegate::editorEvent(event, model, option, index);

    // The first click of a double click has acted already: the rest of it does nothing, so
    // that a double click deletes one step, not two.
    if (type == QEvent::MouseButtonDblClick) {
        swallowRelease_ = true;
        return true;
    }
    if (swallowRelease_) {
        swallowRelease_ = false;
        return true;
    }
    if (pin) {
        const bool pinned = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        model->setData(index, pinned ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    } else {
        activate_(index);
    }
    return true;
}

} // namespace keyferry
