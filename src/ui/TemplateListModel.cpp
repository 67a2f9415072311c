#include "ui/TemplateListModel.h"

#include <QPainter>

#include "ui/Icons.h"

#include <algorithm>

namespace keyferry {

namespace {

constexpr int markSize = 10;

QPixmap transparentMark() {
    QPixmap blank(markSize, markSize);
    blank.fill(Qt::transparent);
    return blank;
}

// The same orange dot as "Unsaved Changes", left untinted on the selected row.
QIcon notSavedMark() {
    const QPixmap dot = symbolIcon("circle.fill", QColor(0xF5, 0x9E, 0x0B)).pixmap(8, 8);
    QPixmap mark = transparentMark();
    QPainter painter(&mark);
    painter.drawPixmap((markSize - dot.width()) / 2, (markSize - dot.height()) / 2, dot);
    painter.end();
    QIcon icon;
    icon.addPixmap(mark, QIcon::Normal);
    icon.addPixmap(mark, QIcon::Selected);
    return icon;
}

} // namespace

TemplateListModel::TemplateListModel(TemplateStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {
    connection_ = store_.templatesChanged.connect([this] {
        beginResetModel();
        endResetModel();
    });
    // The not-saved mark follows each save; the rows stay, and so does the selection.
    fileStatusConnection_ = store_.fileStatusChanged.connect([this] {
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0), index(rowCount() - 1),
                               {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
    });
}

TemplateListModel::~TemplateListModel() {
    store_.templatesChanged.disconnect(connection_);
    store_.fileStatusChanged.disconnect(fileStatusConnection_);
}

bool TemplateListModel::showsNotSaved(const Template& item) const {
    return store_.lastSaveError() && !store_.isStored(item.id);
}

int TemplateListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(store_.templates().size());
}

QVariant TemplateListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Template& item = store_.templates()[static_cast<std::size_t>(index.row())];
    const QString name = QString::fromStdString(item.name);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return name;
    case Qt::ToolTipRole:
        return showsNotSaved(item) ? tr("%1 (not saved: %2)")
                                         .arg(name, QString::fromStdString(*store_.lastSaveError()))
                                   : name;
    case Qt::AccessibleTextRole: {
        const QString spoken = item.name.empty() ? tr("Unnamed template") : name;
        return showsNotSaved(item) ? spoken + tr(", not saved") : spoken;
    }
    case Qt::DecorationRole:
        if (!store_.lastSaveError())
            return {};
        // While saves fail every row gets room for the mark, so the names stay aligned.
        return showsNotSaved(item) ? notSavedMark() : QIcon(transparentMark());
    case IdRole:
        return QString::fromStdString(item.id.toString());
    default:
        return {};
    }
}

bool TemplateListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    // Exactly as typed: no trimming, and the empty name is a name too.
    Template renamed = store_.templates()[static_cast<std::size_t>(index.row())];
    renamed.name = value.toString().toStdString();
    if (!store_.replaceTemplate(renamed))
        return false;
    store_.save();
    return true;
}

Qt::ItemFlags TemplateListModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | Qt::ItemIsEditable;
}

int TemplateListModel::rowOf(const Uuid& id) const {
    const auto& templates = store_.templates();
    const auto found = std::ranges::find(templates, id, &Template::id);
    return found == templates.end() ? -1 : static_cast<int>(found - templates.begin());
}

Uuid TemplateListModel::idAt(int row) const {
    return store_.templates().at(static_cast<std::size_t>(row)).id;
}

} // namespace keyferry
