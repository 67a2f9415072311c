#pragma once

#include <QAbstractTableModel>

#include "csv/CSVData.h"

#include <optional>

namespace keyferry {

/// The first rows of an imported table for the preview: a "#" column with the 1-based row
/// number, then the fields.
class CSVPreviewModel final : public QAbstractTableModel {
public:
    static constexpr int shownRows = 100;

    using QAbstractTableModel::QAbstractTableModel;
    /// Shows `table`, which must outlive the model or the next call; nullptr shows nothing.
    void setTable(const CSVData* table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CSVData* table_ = nullptr;
};

} // namespace keyferry
