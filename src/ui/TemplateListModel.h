#pragma once

#include <QAbstractListModel>

#include "model/TemplateStore.h"

namespace keyferry {

/// The store's templates as a list for views: one row per template, in store order. Its
/// data follows the store; an edit of a row renames that template and saves. While a save
/// has failed, a template the file lacks is marked "not saved".
class TemplateListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int IdRole = Qt::UserRole + 1;

    explicit TemplateListModel(TemplateStore& store, QObject* parent = nullptr);
    ~TemplateListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// The row of a template, or -1.
    int rowOf(const Uuid& id) const;
    Uuid idAt(int row) const;

private:
    bool showsNotSaved(const Template& item) const;

    TemplateStore& store_;
    Signal<>::ConnectionId connection_;
    Signal<>::ConnectionId fileStatusConnection_;
};

} // namespace keyferry
