#include "commands/arrange_commands.h"

#include "views/editorwindow.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

// Room for all stations of the command at once, so that no insert can fail
// halfway and leave the list half changed.
bool reserveRoom(StationListModel *model, int stations)
{
    svl_list *list = model->stationList();
    return svl_reserve_stations(list, list->count + uint32_t(stations)) == 0;
}

void insertStations(StationListModel *model, int targetRow, const QList<QVariant> &stations)
{
    for (int i = 0; i < stations.size(); ++i)
        model->setData(model->insertionIndex(targetRow + i), stations[i], Qt::DisplayRole);
}

// Replaces *backup by a fresh copy of the model's list; false when no memory.
bool renewBackup(StationListModel *model, svl_list **backup)
{
    svl_list *copy = svl_copy_list(model->stationList());
    if (!copy)
        return false;
    svl_free_list(*backup, 0);
    *backup = copy;
    return true;
}

// Gives the model its list as the backup holds it; the model takes the
// backup over.
void restoreBackup(StationListModel *model, svl_list **backup)
{
    model->setStationList(*backup);
    *backup = nullptr;
}

} // namespace

MoveCommand::MoveCommand(EditorWindow *mainWindow, int listIndex, const QVector<int> &movedRows,
                         const QList<QVariant> &stations, const QModelIndex &target)
    : StationCommand(mainWindow, listIndex),
      m_movedRows(movedRows),
      m_stations(stations),
      m_targetRow(target.row())
{
    setText(Strings::text(Strings::MoveCommandText).arg(stations.size()).arg(listName()));
}

MoveCommand::~MoveCommand()
{
    svl_free_list(m_backup, 0);
}

void MoveCommand::redo()
{
    StationListModel *model = listModel();
    // A list that no longer has the stations this move was made for at its
    // rows stays as it is.
    if (!model || !holdsMovedStations(model) || !renewBackup(model, &m_backup)
        || !model->moveStations(m_movedRows, m_targetRow))
        setObsolete(true);
}

bool MoveCommand::holdsMovedStations(const StationListModel *model) const
{
    if (m_movedRows.size() != m_stations.size())
        return false;
    for (int i = 0; i < m_movedRows.size(); ++i) {
        const QModelIndex row = model->index(m_movedRows[i], 0);
        if (!row.isValid() || StationListModel::stationOf(m_stations[i]) != model->stationList()->stations[row.row()])
            return false;
    }
    return true;
}

void MoveCommand::undo()
{
    StationListModel *model = listModel();
    if (!model || !m_backup)
        return;
    restoreBackup(model, &m_backup);
}

CopyCommand::CopyCommand(EditorWindow *mainWindow, int listIndex, const QList<QVariant> &stations,
                         const QModelIndex &target)
    : StationCommand(mainWindow, listIndex),
      m_stations(stations),
      m_targetRow(target.row())
{
    setText(Strings::text(Strings::CopyCommandText).arg(stations.size()).arg(listName()));
}

void CopyCommand::redo()
{
    StationListModel *model = listModel();
    if (!model || m_targetRow < 0 || m_targetRow > model->rowCount() || !reserveRoom(model, m_stations.size())) {
        setObsolete(true);
        return;
    }
    insertStations(model, m_targetRow, m_stations);
    repaintFavoriteMarks();
}

void CopyCommand::undo()
{
    StationListModel *model = listModel();
    if (!model)
        return;
    model->removeRows(m_targetRow, m_stations.size());
    repaintFavoriteMarks();
}

// The base list beside a favorite list marks the stations that stand in it.
void CopyCommand::repaintFavoriteMarks()
{
    if (StationListWidget *base = mainWindow()->stationTableWidget()->currentBaseListWidget())
        base->refreshLayout();
}

SortCommand::SortCommand(EditorWindow *mainWindow, int listIndex, int column, Qt::SortOrder order)
    : StationCommand(mainWindow, listIndex),
      m_column(column),
      m_order(order)
{
    setText(Strings::text(Strings::SortCommandText).arg(listName()));
}

SortCommand::~SortCommand()
{
    svl_free_list(m_backup, 0);
}

bool SortCommand::countsAsChange() const
{
    return false;
}

void SortCommand::redo()
{
    StationListModel *model = listModel();
    if (!model || !renewBackup(model, &m_backup)) {
        setObsolete(true);
        return;
    }
    model->sortList(m_column, m_order);
}

void SortCommand::undo()
{
    StationListModel *model = listModel();
    if (!model || !m_backup)
        return;
    restoreBackup(model, &m_backup);
}
