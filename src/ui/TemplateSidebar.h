#pragma once

#include <QWidget>

#include "model/TemplateStore.h"

class QListView;
class QToolButton;

namespace keyferry {

class TemplateListModel;

/// The left pane: every template by name, the selection, and add, rename, duplicate and
/// delete.
class TemplateSidebar final : public QWidget {
    Q_OBJECT

public:
    explicit TemplateSidebar(TemplateStore& store, QWidget* parent = nullptr);
    ~TemplateSidebar() override;

    QListView* list() const { return list_; }
    QToolButton* addButton() const { return addButton_; }
    /// Turns the row of the template into a name field, as the context menu's Rename does.
    void startRename(const Uuid& id);
    void duplicate(const Uuid& id) {
        store_.duplicateTemplate(id, tr("%1 (Copy)", "a duplicated template's name").toStdString());
    }
    void remove(const Uuid& id) { store_.deleteTemplate(id); }

private:
    void showContextMenu(const QPoint& position);
    void applyStoreSelection();

    TemplateStore& store_;
    TemplateListModel* model_;
    QListView* list_;
    QToolButton* addButton_;
    Signal<>::ConnectionId selectionConnection_;
    Signal<>::ConnectionId listConnection_;
    bool updatingSelection_ = false;
};

} // namespace keyferry
