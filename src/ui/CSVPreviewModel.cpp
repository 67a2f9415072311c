#include "ui/CSVPreviewModel.h"

#include <algorithm>

namespace keyferry {

void CSVPreviewModel::setTable(const CSVData* table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

int CSVPreviewModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_)
        return 0;
    return static_cast<int>(std::min<std::size_t>(table_->rowCount(), shownRows));
}

int CSVPreviewModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_)
        return 0;
    return static_cast<int>(table_->columnCount()) + 1;
}

QVariant CSVPreviewModel::data(const QModelIndex& index, int role) const {
    if (!table_ || !index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (index.column() == 0)
        return index.row() + 1;
    const auto field = table_->field(static_cast<std::size_t>(index.row()),
                                     static_cast<std::size_t>(index.column() - 1));
    return QString::fromUtf8(field.data(), static_cast<qsizetype>(field.size()));
}

QVariant CSVPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!table_ || orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("#");
    const auto column = static_cast<std::size_t>(section - 1);
    if (column >= table_->columnCount())
        return {};
    // One name, not a copy of them all: a wide table asks for every header as it paints.
    const std::string_view name = table_->header(column);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace keyferry
