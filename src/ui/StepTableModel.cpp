#include "ui/StepTableModel.h"

#include <QColor>
#include <QCoreApplication>
#include <QMimeData>

#include "automation/FieldMatch.h"
#include "automation/StepNeeds.h"
#include "ui/CoreText.h"
#include "ui/Icons.h"
#include "ui/NumberText.h"

#include <cmath>

namespace keyferry {

namespace {

const QColor orange(0xE6, 0x7E, 0x22);
const QColor currentStepBackground(0xE4, 0xD8, 0xFB); // purple at 15 %, mixed onto white
const QString rowMimeType = QStringLiteral("application/x-keyferry-step-row");

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// A value from a combo box (the case as a number) or typed text (its shown or stored name).
template <class E>
std::optional<E> enumFrom(const QVariant& value) {
    if (value.typeId() == QMetaType::Int) {
        for (E candidate : allCases<E>())
            if (static_cast<int>(candidate) == value.toInt())
                return candidate;
        return std::nullopt;
    }
    const QString typed = value.toString().trimmed();
    for (E candidate : allCases<E>())
        // The English name is understood in every language, as the journal and help use it.
        if (typed.compare(displayText(candidate), Qt::CaseInsensitive) == 0 ||
            typed.compare(text(displayName(candidate)), Qt::CaseInsensitive) == 0 ||
            typed == text(rawValue(candidate)))
            return candidate;
    return std::nullopt;
}

template <class E>
QVariantList choices() {
    QVariantList result;
    for (E value : allCases<E>())
        result.append(QVariant(QVariantList{displayText(value), static_cast<int>(value)}));
    return result;
}

bool isMouse(const Step& step) {
    return step.type == StepType::mouseClick;
}

QString positionText(const Step& step) {
    if (!step.mousePositionX || !step.mousePositionY)
        return QCoreApplication::translate("keyferry::StepTableModel", "@ Mouse Position");
    return QCoreApplication::translate("keyferry::StepTableModel", "@ (%1, %2)")
        .arg(static_cast<long long>(std::trunc(*step.mousePositionX)))
        .arg(static_cast<long long>(std::trunc(*step.mousePositionY)));
}

// What the field column says about a recorded field: its name, and what else tells it apart.
QString fieldDetails(const FieldIdentity& field) {
    QString details = QCoreApplication::translate("keyferry::StepTableModel",
                                                  "Checked before the step's first key: %1 %2")
                          .arg(QString::fromStdString(field.role),
                               QString::fromStdString(fieldDisplayName(field)));
    if (!field.id.empty() && !field.name.empty())
        details += QCoreApplication::translate("keyferry::StepTableModel", ", id %1")
                       .arg(QString::fromStdString(field.id));
    for (const std::string& group : field.context)
        details += QCoreApplication::translate("keyferry::StepTableModel", ", in “%1”")
                       .arg(QString::fromStdString(group));
    return details + QCoreApplication::translate("keyferry::StepTableModel",
                                                 ". Enter records it again, Delete clears it");
}

} // namespace

StepTableModel::StepTableModel(EditSession& session,
                               std::function<DesktopDescription()> describeDesktop, QObject* parent)
    : QAbstractTableModel(parent), session_(session), describeDesktop_(std::move(describeDesktop)),
      description_(describeDesktop_()) {
    for (const Step& step : session_.steps())
        shownIds_.push_back(step.id);
    debugRow_ = session_.debugStepIndex();
    draftConnection_ = session_.draftChanged.connect([this] { draftChanged(); });
    stateConnection_ = session_.stateChanged.connect([this] { sessionStateChanged(); });
}

StepTableModel::~StepTableModel() {
    session_.draftChanged.disconnect(draftConnection_);
    session_.stateChanged.disconnect(stateConnection_);
}

int StepTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shownIds_.size());
}

int StepTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

const Step* StepTableModel::stepAt(const QModelIndex& index) const {
    const auto& steps = session_.steps();
    if (!index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= steps.size())
        return nullptr;
    return &steps[static_cast<std::size_t>(index.row())];
}

QVariant StepTableModel::data(const QModelIndex& index, int role) const {
    const Step* found = stepAt(index);
    if (!found)
        return {};
    const Step& step = *found;
    const int n = index.row() + 1;
    const bool input = step.type == StepType::textInput;
    const bool fixed = step.isFixed();
    const auto warning = stepWarning(step, description_);

    if (role == Qt::BackgroundRole)
        return debugRow_ == static_cast<std::size_t>(index.row()) ? QVariant(currentStepBackground)
                                                                  : QVariant();
    switch (index.column()) {
    case number:
        switch (role) {
        case Qt::DisplayRole:
            return QString::number(n);
        case Qt::DecorationRole:
            return symbolIcon("line.3.horizontal");
        case Qt::AccessibleTextRole:
            return tr("Step %1").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return tr("Drag to move, or press Ctrl+Up or Ctrl+Down");
        }
        break;
    case type:
        switch (role) {
        case Qt::DisplayRole:
            return displayText(step.type);
        case Qt::EditRole:
            return static_cast<int>(step.type);
        case choicesRole:
            return choices<StepType>();
        case Qt::DecorationRole:
            return warning ? QVariant(symbolIcon("exclamationmark.triangle.fill", orange))
                           : QVariant();
        case Qt::AccessibleTextRole:
            return warning ? tr("Step %1 type, cannot run on this desktop").arg(n)
                           : tr("Step %1 type").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            // Said in the editor, not only when a run is refused.
            return warning ? translatedCoreText(*warning) : tr("What the step does (F2 to change)");
        }
        break;
    case name:
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(step.label);
        case placeholderRole:
            return input && !fixed && step.label.empty() ? tr("Column Name") : QString();
        case Qt::ForegroundRole:
            return flags(index) & Qt::ItemIsEditable ? QVariant() : QVariant(QColor(Qt::gray));
        case Qt::AccessibleTextRole:
            return tr("Step %1 name").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return input ? tr("The CSV column this step types")
                         : tr("Only Text Input steps name a column");
        }
        break;
    case fixedValue:
        if (!input)
            break;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(step.fixedValue.value_or(std::string()));
        case Qt::CheckStateRole:
            return fixed ? Qt::Checked : Qt::Unchecked;
        case Qt::DecorationRole:
            return fixed ? symbolIcon("pin.fill", orange) : symbolIcon("pin");
        case Qt::ForegroundRole:
            return fixed ? QVariant(orange) : QVariant();
        case Qt::AccessibleTextRole:
            return tr("Step %1 fixed value").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return fixed ? tr("Typed in every row instead of a CSV value; Space or the "
                              "pin unpins it (use CSV value)")
                         : tr("Set fixed value: Space or the pin");
        }
        break;
    case option:
        if (step.type == StepType::arrowKey) {
            const ArrowDirection direction = step.arrowDirection.value_or(ArrowDirection::down);
            switch (role) {
            case Qt::DisplayRole:
                return displayText(direction);
            case Qt::EditRole:
                return static_cast<int>(direction);
            case choicesRole:
                return choices<ArrowDirection>();
            case Qt::AccessibleTextRole:
                return tr("Step %1 arrow").arg(n);
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole:
                return tr("The arrow key pressed");
            }
        } else if (isMouse(step)) {
            const MouseButton button = step.mouseButton.value_or(MouseButton::left);
            switch (role) {
            case Qt::DisplayRole:
                return displayText(button);
            case Qt::EditRole:
                return static_cast<int>(button);
            case choicesRole:
                return choices<MouseButton>();
            case Qt::AccessibleTextRole:
                return tr("Step %1 mouse button").arg(n);
            case Qt::ToolTipRole:
            case Qt::AccessibleDescriptionRole:
                return tr("The mouse button pressed");
            }
        }
        break;
    case clickType:
        if (!isMouse(step))
            break;
        switch (role) {
        case Qt::DisplayRole:
            return displayText(step.mouseClickType.value_or(MouseClickType::single));
        case Qt::EditRole:
            return static_cast<int>(step.mouseClickType.value_or(MouseClickType::single));
        case choicesRole:
            return choices<MouseClickType>();
        case Qt::AccessibleTextRole:
            return tr("Step %1 click type").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return tr("A single or a double click");
        }
        break;
    case position:
        if (!isMouse(step))
            break;
        switch (role) {
        case Qt::DisplayRole:
            return positionText(step);
        case Qt::DecorationRole:
            return symbolIcon("scope");
        case Qt::AccessibleTextRole:
            return tr("Step %1 click position").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return session_.draft() && session_.draft()->targetAppBundleID
                       ? tr("Record click position: Enter or the target; Delete "
                            "clears the position (use mouse position)")
                       : tr("Choose a target app to record a click position; "
                            "Delete clears the position (use mouse position)");
        }
        break;
    case field:
        switch (role) {
        case Qt::DisplayRole:
            if (!step.field)
                return QString();
            return QString::fromStdString(!step.field->name.empty() ? step.field->name
                                          : !step.field->id.empty()
                                              ? "#" + step.field->id
                                              : fieldDisplayName(*step.field));
        case Qt::AccessibleTextRole:
            return tr("Step %1 field").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return step.field ? fieldDetails(*step.field)
                              : tr("No recorded field: the step is not checked. "
                                   "Enter records the field in the target app");
        }
        break;
    case delay:
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(formatDecimal(step.postDelay));
        case Qt::AccessibleTextRole:
            return tr("Step %1 delay (sec)").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return tr("Seconds to wait after the step");
        }
        break;
    case repeat:
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(formatInteger(step.repeatCount));
        case Qt::ForegroundRole:
            return needsRepeatCount(step.type) ? QVariant() : QVariant(QColor(Qt::gray));
        case Qt::AccessibleTextRole:
            return tr("Step %1 repeat count").arg(n);
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return needsRepeatCount(step.type) ? tr("How often the step is repeated")
                                               : tr("This step is not repeated");
        }
        break;
    case remove:
        switch (role) {
        case Qt::DecorationRole:
            return symbolIcon("minus.circle.fill", QColor(0xDC, 0x26, 0x26));
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            return tr("Delete step %1").arg(n);
        case Qt::AccessibleDescriptionRole:
            return tr("Enter or a click deletes the step");
        }
        break;
    default:
        break;
    }
    if (role == Qt::AccessibleTextRole) // an empty cell still says what it is
        return tr("Step %1, %2")
            .arg(n)
            .arg(headerData(index.column(), Qt::Horizontal, Qt::ToolTipRole).toString());
    return {};
}

Qt::ItemFlags StepTableModel::flags(const QModelIndex& index) const {
    const Step* step = stepAt(index);
    if (!step)
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags result =
        Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    bool editable = false;
    switch (index.column()) {
    case type:
    case delay:
        editable = true;
        break;
    case name:
        editable = needsLabel(step->type) && !step->isFixed();
        break;
    case fixedValue:
        if (step->type == StepType::textInput)
            result |= Qt::ItemIsUserCheckable;
        editable = step->isFixed();
        break;
    case option:
        editable = step->type == StepType::arrowKey || isMouse(*step);
        break;
    case clickType:
        editable = isMouse(*step);
        break;
    case repeat:
        editable = needsRepeatCount(step->type);
        break;
    default:
        break;
    }
    return editable ? result | Qt::ItemIsEditable : result;
}

bool StepTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const Step* step = stepAt(index);
    if (!step)
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::CheckStateRole && index.column() == fixedValue)
        return session_.setPinned(row, value.toInt() == Qt::Checked);
    if (role == positionRole && index.column() == position && isMouse(*step)) {
        if (!value.isValid())
            return session_.setPosition(row, std::nullopt);
        const QPointF point = value.toPointF();
        return session_.setPosition(row, Point{point.x(), point.y()});
    }
    if (role == fieldRole && index.column() == field)
        return !value.isValid() && step->field && session_.setField(row, std::nullopt);
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const std::string typed = value.toString().toStdString();
    switch (index.column()) {
    case type:
        if (const auto chosen = enumFrom<StepType>(value))
            return session_.setType(row, *chosen);
        return false;
    case name:
        return session_.setLabel(row, typed);
    case fixedValue:
        return session_.setFixedValue(row, typed);
    case option:
        if (step->type == StepType::arrowKey) {
            const auto chosen = enumFrom<ArrowDirection>(value);
            return chosen && session_.setArrowDirection(row, *chosen);
        } else {
            const auto chosen = enumFrom<MouseButton>(value);
            return chosen && session_.setMouseButton(row, *chosen);
        }
    case clickType: {
        const auto chosen = enumFrom<MouseClickType>(value);
        return chosen && session_.setClickType(row, *chosen);
    }
    case delay: {
        const auto seconds = parseDecimal(typed);
        return seconds && session_.setPostDelay(row, *seconds);
    }
    case repeat: {
        const auto count = parseInteger(typed);
        return count && session_.setRepeatCount(row, *count);
    }
    default:
        return false;
    }
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    // The header shows a caption short enough for a narrow column (a translation may
    // abbreviate it); its tooltip and the accessible descriptions give the full name.
    struct Caption {
        const char* source;
        const char* comment;
    };
    static const Caption captions[columnCount_] = {
        {"#", ""},
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Type", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Name", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Fixed Value", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Option", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Click", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Position", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Field", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Delay (sec)", "column header, short"),
        QT_TRANSLATE_NOOP3("keyferry::StepTableModel", "Repeat", "column header, short"),
        {"", ""}};
    [[maybe_unused]] static const char* const fullCaptions[] = {
        QT_TR_NOOP("Type"),   QT_TR_NOOP("Name"),        QT_TR_NOOP("Fixed Value"),
        QT_TR_NOOP("Option"), QT_TR_NOOP("Click"),       QT_TR_NOOP("Position"),
        QT_TR_NOOP("Field"),  QT_TR_NOOP("Delay (sec)"), QT_TR_NOOP("Repeat")};
    if (section < 0 || section >= columnCount_)
        return {};
    if (role == Qt::ToolTipRole && section == remove)
        return tr("Delete the step");
    const Caption& caption = captions[section];
    if (!*caption.source || section == number)
        return QString::fromLatin1(caption.source);
    return role == Qt::ToolTipRole ? tr(caption.source) : tr(caption.source, caption.comment);
}

bool StepTableModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                              const QModelIndex& destinationParent, int destinationChild) {
    const int rows = rowCount();
    if (count != 1 || sourceParent.isValid() || destinationParent.isValid() || sourceRow < 0 ||
        sourceRow >= rows || destinationChild < 0 || destinationChild > rows)
        return false;
    const int to = destinationChild > sourceRow ? destinationChild - 1 : destinationChild;
    if (to == sourceRow || !beginMoveRows({}, sourceRow, sourceRow, {}, destinationChild))
        return false;
    // The ids move first, so that the session's change reads as an edit, not a new list.
    const auto from = static_cast<std::size_t>(sourceRow);
    const auto target = static_cast<std::size_t>(to);
    const Uuid moved = shownIds_[from];
    shownIds_.erase(shownIds_.begin() + sourceRow);
    shownIds_.insert(shownIds_.begin() + to, moved);
    moving_ = true; // no signal of the model's between the begin and end of the move
    session_.moveStep(from, target);
    moving_ = false;
    endMoveRows();
    draftChanged(); // the numbers of the rows in between changed
    return true;
}

QStringList StepTableModel::mimeTypes() const {
    return {rowMimeType};
}

QMimeData* StepTableModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(rowMimeType, QByteArray::number(indexes.front().row()));
    return data;
}

bool StepTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                     const QModelIndex&) const {
    return data && data->hasFormat(rowMimeType) && action == Qt::MoveAction;
}

bool StepTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                  const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, 0, parent))
        return false;
    bool ok = false;
    const int source = data->data(rowMimeType).toInt(&ok);
    if (!ok)
        return false;
    int destination = row;
    if (parent.isValid()) // dropped onto a row: the step takes that row's place
        destination = parent.row() > source ? parent.row() + 1 : parent.row();
    else if (row < 0) // below the last row
        destination = rowCount();
    return moveRows({}, source, 1, {}, destination);
}

bool StepTableModel::columnInUse(Column column) const {
    const auto any = [&](auto predicate) {
        return std::ranges::any_of(session_.steps(), predicate);
    };
    switch (column) {
    case fixedValue:
        return any([](const Step& s) { return s.type == StepType::textInput; });
    case option:
        return any([](const Step& s) { return s.type == StepType::arrowKey || isMouse(s); });
    case clickType:
    case position:
        return any([](const Step& s) { return isMouse(s); });
    case field:
        return any([](const Step& s) { return s.field.has_value(); });
    default:
        return true;
    }
}

void StepTableModel::draftChanged() {
    if (moving_)
        return;
    std::vector<Uuid> ids;
    for (const Step& step : session_.steps())
        ids.push_back(step.id);
    if (ids == shownIds_) {
        if (!ids.empty())
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount_ - 1));
        return;
    }
    beginResetModel();
    shownIds_ = std::move(ids);
    description_ = describeDesktop_();
    endResetModel();
}

void StepTableModel::sessionStateChanged() {
    const auto row = session_.debugStepIndex();
    if (row == debugRow_)
        return;
    const auto previous = debugRow_;
    debugRow_ = row;
    for (const auto changed : {previous, row})
        if (changed && static_cast<int>(*changed) < rowCount())
            Q_EMIT dataChanged(index(static_cast<int>(*changed), 0),
                               index(static_cast<int>(*changed), columnCount_ - 1),
                               {Qt::BackgroundRole});
}

} // namespace keyferry
