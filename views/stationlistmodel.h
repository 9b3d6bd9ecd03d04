#ifndef KANVIO_VIEWS_STATIONLISTMODEL_H
#define KANVIO_VIEWS_STATIONLISTMODEL_H

#include <QAbstractItemModel>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>
#include <QVector>

#include "svl/svl.h"

class EditorWindow;

Q_DECLARE_METATYPE(svl_station *)

// The item model over one station list of the shown table. It hands out
// station pointers (Qt::UserRole) and no display text of its own: the
// delegate paints every cell with fieldText. Screen readers get each cell
// in words (Qt::AccessibleTextRole). Drags carry row numbers, not stations, and every
// drop becomes an undoable command on the main window's undo stack. The model
// owns neither the list, the table nor the stations.
class StationListModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    static const char *const mimeType;  // "application/x-stationcListmodel"

    // The parent is the view showing the model: a drop selects the placed
    // rows in it. table resolves rows dragged from a base list; in table view
    // it is the working copy. Without a window (a model on its own) drops
    // and sorting push nothing.
    StationListModel(EditorWindow *mainWindow, int listIndex, svl_list *list, svl_table *table,
                     int columnCount, QObject *parent);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Inserts the station of value at the index's row (which may be one past
    // the last row); never replaces. Only Qt::DisplayRole is accepted.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::DisplayRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Pushes a SortCommand; the list is sorted by its first redo.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The id of the metatype registered as "struct svl_station*".
    static int stationMetaType();
    // The station a variant holds; null when it holds none.
    static svl_station *stationOf(const QVariant &value);

    // The display text of a cell.
    QString fieldText(QModelIndex index) const;
    // The station that row denotes in the payload entry decoded last (see
    // dropSourceKind): a variant holding a null station when there is none.
    QVariant stationAt(int row) const;
    // An index where setData inserts: rows 0 to rowCount(), column 0. Invalid
    // for any other row.
    QModelIndex insertionIndex(int row) const;
    // Moves the stations of rows (strictly ascending) together to where the
    // row targetRow stood (rowCount(): the end), in one change of the
    // layout: views keep their selection and current row on the same
    // stations. False, changing nothing, for rows or a target out of range.
    bool moveStations(const QVector<int> &rows, int targetRow);
    // Column-0 indexes of every row holding station, ascending.
    QList<QModelIndex> indexesOfStation(const svl_station *station) const;
    // Removes every row holding station, from the last to the first.
    void removeStation(const svl_station *station);
    bool containsStation(const svl_station *station) const;
    QString listName() const;
    uint32_t listKind() const;
    svl_list *stationList() const;
    // Sorts the list by a table view column (see svl_sort_list) inside the
    // model's own layout notifications; the views' selections and current
    // rows stay on their stations.
    void sortList(int column, Qt::SortOrder order);
    // Puts the rows in a new order (see svl_reorder_list) as sortList does;
    // false, and nothing changed, for an order that is no permutation of
    // the rows or when memory runs out.
    bool reorderList(const QVector<uint32_t> &order);
    // Has the views lay out and paint every row again: what the rows show
    // depends on more than the list (the favorite marks of a base list).
    void refreshLayout();
    // Tells the views that the fields of the station at row were changed
    // in place; its whole row is painted again.
    void stationChanged(int row);
    // The stations at the rows; a null entry for a row out of range.
    QVector<svl_station *> stationsAt(const QVector<int> &rows) const;
    // Room for that many more rows, so that the next insertions up to it
    // cannot fail; false when memory runs out.
    bool makeRoomFor(int rows);
    // Removes the rows (strictly ascending) as runs of neighbouring rows,
    // with one removal notification per run, each remaining station moving
    // once: removing every other row of a long list stays linear. False,
    // with nothing removed, for rows out of order or range.
    bool removeRowSet(const QVector<int> &rows);
    // The inverse: puts stations[i] at rows[i] (strictly ascending, the rows
    // they stand at afterwards), one insertion notification per run. False,
    // with nothing inserted, for rows out of order or range, a null station
    // or no memory.
    bool insertAtRows(const QVector<int> &rows, const QVector<svl_station *> &stations);
    // Tells the views that the stations of the rows (ascending) were changed
    // in place: one notification over the span they cover.
    void stationsChanged(const QVector<int> &rows);
    // Takes over the contents of saved (stations, count, name, attr, kind)
    // and releases saved together with what it replaced: saved belongs to the
    // model from the call on. The views' selections and current rows go
    // with their stations to the rows saved has them at. A saved list of
    // another length or kind is a record of some other list; it is released
    // and changes nothing (false).
    bool setStationList(svl_list *saved);

private:
    QString accessibleText(const QModelIndex &index) const;
    struct Payload;
    struct PendingRuns;
    svl_station *stationAtRow(int row) const;
    template <typename Announce>
    void announceRuns(const QVector<int> &rows, Announce announce);
    bool readPayload(const QMimeData *data, Payload *payload);
    bool payloadFits(const Payload &payload) const;
    int dropTargetRow(int row, const QModelIndex &parent) const;
    void pushDropCommand(const Payload &payload, const QModelIndex &target);
    void selectPlacedRows(const Payload &payload, int targetRow);
    void followMovedRows(const QVector<int> &rows, int targetRow);
    // A station and which of its rows, counted from 0: a favorite list may
    // hold a station more than once.
    using StationPlace = QPair<const svl_station *, int>;
    // Runs change, which puts the rows of the list in another order, inside
    // one layout change that moves every persistent index to its station.
    template <typename Change>
    void changeOrder(Change change);
    QVector<StationPlace> placesOf(const QModelIndexList &indexes) const;
    void moveIndexesTo(const QModelIndexList &indexes, const QVector<StationPlace> &places);

    EditorWindow *m_mainWindow;
    int m_listIndex;
    svl_table *m_table;
    svl_list *m_list;
    int m_dropSourceKind = 0;
    int m_columnCount;
    // Set while the runs of a removal or insertion are announced one by one.
    PendingRuns *m_pending = nullptr;
};

#endif
