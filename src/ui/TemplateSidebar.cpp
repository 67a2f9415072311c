#include "ui/TemplateSidebar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/Divider.h"
#include "ui/Icons.h"
#include "ui/TemplateListModel.h"

namespace keyferry {

namespace {

// The rename field: rounded, with the placeholder "Name".
class RenameDelegate final : public QStyledItemDelegate {
    Q_DECLARE_TR_FUNCTIONS(keyferry::RenameDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor =
            static_cast<QLineEdit*>(QStyledItemDelegate::createEditor(parent, option, index));
        editor->setPlaceholderText(tr("Name"));
        editor->setAccessibleName(tr("Template name"));
        editor->setToolTip(tr("Press Return to rename"));
        return editor;
    }
};

} // namespace

TemplateSidebar::TemplateSidebar(TemplateStore& store, QWidget* parent)
    : QWidget(parent), store_(store), model_(new TemplateListModel(store, this)),
      list_(new QListView(this)), addButton_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(12, 8, 12, 8);
    auto* title = new QLabel(tr("Templates"), this);
    QFont headline = title->font();
    headline.setBold(true);
    title->setFont(headline);
    header->addWidget(title);
    header->addStretch();
    addButton_->setIcon(symbolIcon("plus"));
    addButton_->setAutoRaise(true);
    addButton_->setToolTip(tr("New template"));
    addButton_->setAccessibleName(tr("New template"));
    connect(addButton_, &QToolButton::clicked, this, [this] {
        store_.addTemplate(tr("New Template", "a new template's name").toStdString());
    });
    header->addWidget(addButton_);
    layout->addLayout(header);
    layout->addWidget(horizontalDivider(this));

    list_->setModel(model_);
    list_->setIconSize(QSize(10, 10)); // the not-saved mark
    list_->setItemDelegate(new RenameDelegate(list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setAccessibleName(tr("Templates"));
    list_->setToolTip(tr("Right-click a template to rename, duplicate or delete it"));
    connect(list_, &QListView::customContextMenuRequested, this, &TemplateSidebar::showContextMenu);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (updatingSelection_ || !current.isValid())
                    return;
                store_.setSelectedTemplateID(model_->idAt(current.row()));
            });
    // Assistive technologies select an item without making it current: it opens all the same.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList chosen = list_->selectionModel()->selectedIndexes();
        if (!updatingSelection_ && chosen.size() == 1 && chosen.front() != list_->currentIndex())
            list_->selectionModel()->setCurrentIndex(chosen.front(), QItemSelectionModel::NoUpdate);
    });
    layout->addWidget(list_, 1);
    layout->addWidget(horizontalDivider(this));

    auto* footer = new QVBoxLayout;
    footer->setContentsMargins(0, 12, 0, 12);
    footer->setSpacing(8);
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(QStringLiteral("Keyferry"));
    footer->addWidget(icon);
    auto* sloganTop = new QLabel(QStringLiteral("Stop Quaytype."), this);
    QFont medium = sloganTop->font();
    medium.setPointSize(9);
    medium.setWeight(QFont::Medium);
    sloganTop->setFont(medium);
    sloganTop->setForegroundRole(QPalette::PlaceholderText);
    sloganTop->setAlignment(Qt::AlignCenter);
    auto* sloganBottom = new QLabel(QStringLiteral("Start Ferrytype."), this);
    QFont bold = medium;
    bold.setBold(true);
    sloganBottom->setFont(bold);
    sloganBottom->setForegroundRole(QPalette::Highlight);
    sloganBottom->setAlignment(Qt::AlignCenter);
    auto* slogans = new QVBoxLayout;
    slogans->setSpacing(2);
    slogans->addWidget(sloganTop);
    slogans->addWidget(sloganBottom);
    footer->addLayout(slogans);
    layout->addLayout(footer);

    selectionConnection_ =
        store_.selectedTemplateIDChanged.connect([this] { applyStoreSelection(); });
    listConnection_ = store_.templatesChanged.connect([this] { applyStoreSelection(); });
    applyStoreSelection();
}

TemplateSidebar::~TemplateSidebar() {
    store_.selectedTemplateIDChanged.disconnect(selectionConnection_);
    store_.templatesChanged.disconnect(listConnection_);
}

void TemplateSidebar::applyStoreSelection() {
    updatingSelection_ = true;
    const auto& selected = store_.selectedTemplateID();
    const int row = selected ? model_->rowOf(*selected) : -1;
    if (row < 0)
        list_->selectionModel()->clearSelection();
    else
        list_->selectionModel()->setCurrentIndex(model_->index(row),
                                                 QItemSelectionModel::ClearAndSelect);
    updatingSelection_ = false;
}

void TemplateSidebar::startRename(const Uuid& id) {
    const int row = model_->rowOf(id);
    if (row < 0)
        return;
    // Only one row is renamed at a time: starting another leaves the first unchanged.
    list_->closePersistentEditor(list_->currentIndex());
    list_->edit(model_->index(row));
}

void TemplateSidebar::showContextMenu(const QPoint& position) {
    const QModelIndex index = list_->indexAt(position);
    if (!index.isValid())
        return;
    const Uuid id = model_->idAt(index.row());
    QMenu menu(this);
    menu.addAction(tr("Rename"), this, [this, id] { startRename(id); });
    menu.addAction(tr("Duplicate"), this, [this, id] { duplicate(id); });
    menu.addSeparator();
    QAction* remove = menu.addAction(symbolIcon("trash"), tr("Delete"));
    connect(remove, &QAction::triggered, this, [this, id] { this->remove(id); });
    menu.exec(list_->viewport()->mapToGlobal(position));
}

} // namespace keyferry
