#include "views/stationlistmodel.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDataStream>
#include <QHash>
#include <QIODevice>
#include <QItemSelectionModel>
#include <QMimeData>

#include <algorithm>
#include <utility>
#include <vector>

#include "views/editorwindow.h"
#include "commands/arrange_commands.h"
#include "fields/station_fields.h"
#include "svl/svl_ops.h"
#include "views/stationlistdelegate.h"

const char *const StationListModel::mimeType = "application/x-stationcListmodel";

namespace {

constexpr int payloadEntrySize = 8;  // row and list kind, 32 bits each

// A payload names rows, not stations, and rows mean something only in the
// table they were dragged from. Each payload is marked with the process
// that made it, so that rows dragged from another Kanvio window never
// move or copy the stations that happen to stand at those rows here.
const char payloadOriginType[] = "application/x-kanvio-payload-origin";

QByteArray thisProcess()
{
    return QByteArray::number(QCoreApplication::applicationPid());
}

bool madeByThisProcess(const QMimeData *data)
{
    return data->data(QLatin1String(payloadOriginType)) == thisProcess();
}

bool ascendingRowsBelow(const QVector<int> &rows, int limit)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] >= limit || (i > 0 && rows[i] <= rows[i - 1]))
            return false;
    }
    return true;
}

std::vector<uint32_t> listRows(const QVector<int> &rows)
{
    return std::vector<uint32_t>(rows.begin(), rows.end());
}

} // namespace

// While the runs of a removal or an insertion are announced one by one, the
// list itself is still as it was: it changes in one pass at the end. Until
// then the rows the views know are read through the runs announced so far.
struct StationListModel::PendingRuns {
    struct Run {
        int first;   // the run's first row as the views know it now
        int last;    // its last inserted row; first - 1 for a removal
        int shift;   // a later row stands at row + shift in the list
        int offset;  // where the run's stations start in inserted
    };
    QVector<Run> runs;
    const QVector<svl_station *> *inserted = nullptr;

    int shift() const { return runs.isEmpty() ? 0 : runs.last().shift; }
};

// What a drop payload says, once it has been checked against this list.
struct StationListModel::Payload {
    QVector<int> rows;
    uint32_t kind = 0;
    QList<QVariant> stations;
};

StationListModel::StationListModel(EditorWindow *mainWindow, int listIndex, svl_list *list, svl_table *table,
                                   int columnCount, QObject *parent)
    : QAbstractItemModel(parent),
      m_mainWindow(mainWindow),
      m_listIndex(listIndex),
      m_table(table),
      m_list(list),
      m_columnCount(columnCount)
{
}

int StationListModel::stationMetaType()
{
    static const int id = qRegisterMetaType<svl_station *>("struct svl_station*");
    return id;
}

svl_station *StationListModel::stationOf(const QVariant &value)
{
    return value.value<svl_station *>();
}

QModelIndex StationListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex StationListModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int StationListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_list)
        return 0;
    return int(m_list->count) - (m_pending ? m_pending->shift() : 0);
}

int StationListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columnCount;
}

// The display role stays empty: the delegate paints. Screen readers get
// the row in words instead.
QVariant StationListModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= rowCount() || index.column() < 0)
        return QVariant();
    if (role == Qt::AccessibleTextRole)
        return accessibleText(index);
    if (role != Qt::UserRole)
        return QVariant();
    stationMetaType();
    return QVariant::fromValue(stationAtRow(index.row()));
}

// A list view row reads as it looks: number, name, then what its icons
// show, left to right. A table cell reads as its text.
QString StationListModel::accessibleText(const QModelIndex &index) const
{
    if (m_columnCount != 1)
        return fieldText(index);
    const svl_station *station = stationAtRow(index.row());
    QStringList words{QString::number(index.row() + 1)};
    if (station) {
        words << stationNameText(station);
        const bool favorite =
            favoriteMarkShown(m_mainWindow ? m_mainWindow->stationTableWidget() : nullptr, *this, *station);
        for (const RowIcon &icon : rowIcons(*station, favorite))
            words << rowImageWord(icon.image);
    }
    return words.join(QLatin1String(", "));
}

bool StationListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::DisplayRole || !index.isValid() || index.model() != this || index.row() > rowCount())
        return false;
    svl_station *station = stationOf(value);
    // Room first, so that the insert cannot fail once the views were told.
    if (!station || svl_reserve_stations(m_list, m_list->count + 1) != 0)
        return false;
    beginInsertRows(QModelIndex(), index.row(), index.row());
    svl_insert_station(m_list, station, uint32_t(index.row()));
    endInsertRows();
    return true;
}

QVariant StationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractItemModel::headerData(section, orientation, role);
    if (section < 0 || section >= StationColumnCount)
        return QVariant();
    return stationColumnHeader(section);
}

QStringList StationListModel::mimeTypes() const
{
    return {QLatin1String(mimeType)};
}

// The payload names rows of this list, not stations: a drop resolves them
// again, so nothing but positions ever leaves the program.
QMimeData *StationListModel::mimeData(const QModelIndexList &indexes) const
{
    QModelIndexList sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const QModelIndex &index : qAsConst(sorted)) {
        if (index.isValid() && index.column() == 0)
            stream << qint32(index.row()) << qint32(listKind());
    }
    auto *data = new QMimeData;
    data->setData(QLatin1String(mimeType), bytes);
    data->setData(QLatin1String(payloadOriginType), thisProcess());
    return data;
}

bool StationListModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                    const QModelIndex &parent)
{
    if (action == Qt::IgnoreAction || !data || !data->hasFormat(QLatin1String(mimeType)) || column > 0
        || !madeByThisProcess(data))
        return false;
    const int targetRow = dropTargetRow(row, parent);
    Payload payload;
    if (targetRow < 0 || !readPayload(data, &payload) || !payloadFits(payload))
        return false;
    // A base list takes nothing from a favorite list: such a drop is done.
    if (payload.kind != listKind() && !svl_is_favorite_kind(listKind()))
        return true;
    pushDropCommand(payload, insertionIndex(targetRow));
    selectPlacedRows(payload, targetRow);
    return true;
}

Qt::DropActions StationListModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

// A drop carries out the whole change as an undoable command. Were a drag
// allowed to end as a move, the source view would afterwards remove its
// selected rows, which after a drop within a list are the moved stations.
Qt::DropActions StationListModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

bool StationListModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row > rowCount() - count)
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i)
        svl_remove_station_at(m_list, uint32_t(row));
    endRemoveRows();
    return true;
}

// The empty area below the last row (the invalid index) takes drops too.
Qt::ItemFlags StationListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return QAbstractItemModel::flags(index) | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

void StationListModel::sort(int column, Qt::SortOrder order)
{
    if (m_mainWindow)
        m_mainWindow->undoStack()->push(new SortCommand(m_mainWindow, m_listIndex, column, order));
}

QString StationListModel::fieldText(QModelIndex index) const
{
    const svl_station *station = stationOf(data(index, Qt::UserRole));
    if (!station)
        return QString();
    if (m_columnCount == 1)
        return stationNameText(station);
    return stationFieldText(station, index.column());
}

// A base-list row is looked up in the base list of this list's medium, a
// favorite-list row in this list itself.
QVariant StationListModel::stationAt(int row) const
{
    const svl_list *source = nullptr;
    if (svl_is_base_kind(uint32_t(m_dropSourceKind))) {
        const int base = svl_base_index_of(listKind());
        if (m_table && base >= 0 && m_table->list_count > uint32_t(base))
            source = m_table->lists[base];
    } else if (svl_is_favorite_kind(uint32_t(m_dropSourceKind))) {
        source = m_list;
    }
    svl_station *station = nullptr;
    if (source && row >= 0 && uint32_t(row) < source->count)
        station = source->stations[row];
    stationMetaType();
    return QVariant::fromValue(station);
}

QModelIndex StationListModel::insertionIndex(int row) const
{
    if (row < 0 || row > rowCount())
        return QModelIndex();
    return createIndex(row, 0);
}

bool StationListModel::moveStations(const QVector<int> &rows, int targetRow)
{
    const std::vector<uint32_t> moved(rows.begin(), rows.end());
    if (!m_list || rows.isEmpty() || targetRow < 0 || targetRow > rowCount() || rows.first() < 0)
        return false;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    if (svl_move_stations(m_list, moved.data(), uint32_t(moved.size()), uint32_t(targetRow)) != 0) {
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        return false;
    }
    followMovedRows(rows, targetRow);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

// Every persistent index (the views' selections and current rows) goes
// with its station: a moved row into the placed run, any other row up or
// down by the moved rows that passed it.
void StationListModel::followMovedRows(const QVector<int> &rows, int targetRow)
{
    const int count = rowCount();
    const int first = targetRow - int(std::lower_bound(rows.begin(), rows.end(), targetRow) - rows.begin());
    QVector<int> newRow(count);
    int placed = 0, stayed = 0;
    for (int row = 0; row < count; ++row) {
        if (placed < rows.size() && rows[placed] == row)
            newRow[row] = first + placed++;
        else
            newRow[row] = stayed < first ? stayed++ : rows.size() + stayed++;
    }
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after << createIndex(newRow[index.row()], index.column());
    changePersistentIndexList(before, after);
}

QList<QModelIndex> StationListModel::indexesOfStation(const svl_station *station) const
{
    QList<QModelIndex> indexes;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_list->stations[row] == station)
            indexes << index(row, 0);
    }
    return indexes;
}

void StationListModel::removeStation(const svl_station *station)
{
    const QList<QModelIndex> indexes = indexesOfStation(station);
    for (int i = indexes.size(); i-- > 0;)
        removeRows(indexes[i].row(), 1);
}

bool StationListModel::containsStation(const svl_station *station) const
{
    return svl_index_of_station(m_list, station) != -1;
}

QString StationListModel::listName() const
{
    return m_list ? QString::fromUtf8(m_list->name) : QString();
}

uint32_t StationListModel::listKind() const
{
    return m_list ? m_list->kind : 0;
}

svl_list *StationListModel::stationList() const
{
    return m_list;
}

void StationListModel::sortList(int column, Qt::SortOrder order)
{
    changeOrder([this, column, order] { svl_sort_list(m_list, column, order == Qt::DescendingOrder); });
}

bool StationListModel::reorderList(const QVector<uint32_t> &order)
{
    if (order.size() != rowCount())
        return false;
    bool reordered = false;
    changeOrder([this, &order, &reordered] { reordered = svl_reorder_list(m_list, order.constData()) == 0; });
    return reordered;
}

// The views make their selections and current rows persistent when the
// layout is about to change, so the places are taken after that.
template <typename Change>
void StationListModel::changeOrder(Change change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList indexes = persistentIndexList();
    const QVector<StationPlace> places = placesOf(indexes);
    change();
    moveIndexesTo(indexes, places);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// Only the stations under an index are counted, so that a small selection
// in a long list costs one pass over the list and no table of every row.
QVector<StationListModel::StationPlace> StationListModel::placesOf(const QModelIndexList &indexes) const
{
    QHash<int, int> occurrenceAt;
    QHash<const svl_station *, int> occurrences;
    for (const QModelIndex &index : indexes) {
        occurrenceAt.insert(index.row(), 0);
        occurrences.insert(m_list->stations[index.row()], 0);
    }
    for (int row = 0; row < rowCount() && !indexes.isEmpty(); ++row) {
        const auto counted = occurrences.find(m_list->stations[row]);
        if (counted == occurrences.end())
            continue;
        if (occurrenceAt.contains(row))
            occurrenceAt[row] = counted.value();
        ++counted.value();
    }
    QVector<StationPlace> places;
    places.reserve(indexes.size());
    for (const QModelIndex &index : indexes)
        places << StationPlace(m_list->stations[index.row()], occurrenceAt.value(index.row()));
    return places;
}

void StationListModel::moveIndexesTo(const QModelIndexList &indexes, const QVector<StationPlace> &places)
{
    QHash<const svl_station *, int> occurrences;
    for (const StationPlace &place : places)
        occurrences.insert(place.first, 0);
    QHash<StationPlace, int> rowOf;
    for (int row = 0; row < rowCount() && !places.isEmpty(); ++row) {
        const auto counted = occurrences.find(m_list->stations[row]);
        if (counted != occurrences.end())
            rowOf.insert(StationPlace(counted.key(), counted.value()++), row);
    }
    QModelIndexList moved;
    moved.reserve(indexes.size());
    for (int i = 0; i < indexes.size(); ++i)
        moved << createIndex(rowOf.value(places[i], indexes[i].row()), indexes[i].column());
    changePersistentIndexList(indexes, moved);
}

void StationListModel::refreshLayout()
{
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

void StationListModel::stationChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, m_columnCount - 1));
}

bool StationListModel::setStationList(svl_list *saved)
{
    if (!saved)
        return false;
    if (saved->count != m_list->count || saved->kind != m_list->kind) {
        svl_free_list(saved, 0);
        return false;
    }
    changeOrder([this, saved] {
        std::swap(*m_list, *saved);
        svl_free_list(saved, 0);
    });
    return true;
}

int StationListModel::dropTargetRow(int row, const QModelIndex &parent) const
{
    if (row == -1)
        return parent.isValid() ? parent.row() : rowCount();
    return row <= rowCount() ? row : -1;
}

// The payload comes from outside the model, maybe from another program: it
// is read only whole 8-byte entries and must be one non-empty run of rows of
// a single list kind.
bool StationListModel::readPayload(const QMimeData *data, Payload *payload)
{
    const QByteArray bytes = data->data(QLatin1String(mimeType));
    if (bytes.isEmpty() || bytes.size() % payloadEntrySize != 0)
        return false;
    QDataStream stream(bytes);
    while (!stream.atEnd()) {
        qint32 row = 0;
        qint32 kind = 0;
        stream >> row >> kind;
        if (!payload->rows.isEmpty() && (uint32_t(kind) != payload->kind || row <= payload->rows.last()))
            return false;
        m_dropSourceKind = kind;
        payload->kind = uint32_t(kind);
        payload->rows << row;
        payload->stations << stationAt(row);
        if (!stationOf(payload->stations.last()))
            return false;
    }
    return true;
}

// Only rows of this list (a move) or of the base list of its own medium (a
// copy into a favorite list) make sense here; rows of a favorite list
// dropped on a base list are accepted and change nothing.
bool StationListModel::payloadFits(const Payload &payload) const
{
    const uint32_t kind = listKind();
    if (payload.kind == kind || svl_is_base_kind(kind))
        return true;
    return payload.kind == svl_base_kind_of(kind);
}

void StationListModel::pushDropCommand(const Payload &payload, const QModelIndex &target)
{
    EditorWindow *window = m_mainWindow;
    if (!window)
        return;
    QUndoCommand *command = nullptr;
    if (payload.kind == listKind())
        command = new MoveCommand(window, m_listIndex, payload.rows, payload.stations, target);
    else
        command = new CopyCommand(window, m_listIndex, payload.stations, target);
    window->undoStack()->push(command);
}

// Selects the stations where the drop placed them, and only them, whole
// rows so that the table view shows them as the user's rows; no row is
// current, as after any insertion. Moved rows that stood before the target
// have left their places, so the placed run starts that many rows higher.
void StationListModel::selectPlacedRows(const Payload &payload, int targetRow)
{
    auto *view = qobject_cast<QAbstractItemView *>(QObject::parent());
    if (!view || !view->selectionModel())
        return;
    view->setCurrentIndex(QModelIndex());
    int first = targetRow;
    if (payload.kind == listKind())
        first -= int(std::count_if(payload.rows.begin(), payload.rows.end(),
                                   [targetRow](int row) { return row < targetRow; }));
    const int last = qMin(first + payload.rows.size(), rowCount()) - 1;
    if (first <= last)
        view->selectionModel()->select(QItemSelection(index(first, 0), index(last, 0)),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

svl_station *StationListModel::stationAtRow(int row) const
{
    if (!m_pending)
        return m_list->stations[row];
    const QVector<PendingRuns::Run> &runs = m_pending->runs;
    const auto after = std::upper_bound(runs.begin(), runs.end(), row,
                                        [](int r, const PendingRuns::Run &run) { return r < run.first; });
    if (after == runs.begin())
        return m_list->stations[row];
    const PendingRuns::Run &run = *(after - 1);
    if (row <= run.last)
        return (*m_pending->inserted)[run.offset + row - run.first];
    return m_list->stations[row + run.shift];
}

QVector<svl_station *> StationListModel::stationsAt(const QVector<int> &rows) const
{
    QVector<svl_station *> stations;
    stations.reserve(rows.size());
    for (int row : rows)
        stations << (row >= 0 && row < rowCount() ? stationAtRow(row) : nullptr);
    return stations;
}

bool StationListModel::makeRoomFor(int rows)
{
    return m_list && rows >= 0 && svl_reserve_stations(m_list, m_list->count + uint32_t(rows)) == 0;
}

// Calls announce(first, last, offset) for every run of neighbouring rows,
// offset being the position of the run's first row in rows.
template <typename Announce>
void StationListModel::announceRuns(const QVector<int> &rows, Announce announce)
{
    for (int start = 0, end = 0; start < rows.size(); start = end) {
        end = start + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1)
            ++end;
        announce(rows[start], rows[end - 1], start);
    }
}

bool StationListModel::removeRowSet(const QVector<int> &rows)
{
    if (!m_list || m_pending || !ascendingRowsBelow(rows, rowCount()))
        return false;
    PendingRuns pending;
    m_pending = &pending;
    int removed = 0;
    announceRuns(rows, [this, &pending, &removed](int first, int last, int) {
        const int shown = first - removed;
        beginRemoveRows(QModelIndex(), shown, shown + last - first);
        removed += last - first + 1;
        pending.runs.append({shown, shown - 1, removed, 0});
        endRemoveRows();
    });
    const std::vector<uint32_t> removedRows = listRows(rows);
    svl_remove_stations_at(m_list, removedRows.data(), uint32_t(removedRows.size()));
    m_pending = nullptr;
    return true;
}

bool StationListModel::insertAtRows(const QVector<int> &rows, const QVector<svl_station *> &stations)
{
    if (!m_list || m_pending || rows.size() != stations.size() || stations.contains(nullptr)
        || !ascendingRowsBelow(rows, rowCount() + rows.size()) || !makeRoomFor(rows.size()))
        return false;
    PendingRuns pending;
    pending.inserted = &stations;
    m_pending = &pending;
    int inserted = 0;
    announceRuns(rows, [this, &pending, &inserted](int first, int last, int offset) {
        beginInsertRows(QModelIndex(), first, last);
        inserted += last - first + 1;
        pending.runs.append({first, last, -inserted, offset});
        endInsertRows();
    });
    // Cannot fail: the rows were checked and the room is made.
    const std::vector<uint32_t> insertedRows = listRows(rows);
    svl_insert_stations_at(m_list, insertedRows.data(), stations.data(), uint32_t(insertedRows.size()));
    m_pending = nullptr;
    return true;
}

void StationListModel::stationsChanged(const QVector<int> &rows)
{
    if (!rows.isEmpty() && rows.first() >= 0 && rows.last() < rowCount())
        emit dataChanged(index(rows.first(), 0), index(rows.last(), m_columnCount - 1));
}
