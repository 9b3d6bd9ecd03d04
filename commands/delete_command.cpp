#include "commands/delete_command.h"

#include <QItemSelectionModel>
#include <QSet>

#include "views/editorwindow.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

DeleteCommand::DeleteCommand(EditorWindow *mainWindow)
    : StationCommand(mainWindow, mainWindow->stationTableWidget()->selectedListIndex())
{
    m_rows = rowsSelectedInList();
    m_baseList = listModel() && svl_is_base_kind(listModel()->listKind());
    setText(Strings::text(Strings::DeleteCommandText).arg(m_rows.size()).arg(listName()));
}

DeleteCommand::~DeleteCommand()
{
    if (m_inForce && m_baseList && tables())
        tables()->releaseUnheldStations(m_stations);
}

void DeleteCommand::redo()
{
    StationListModel *model = listModel();
    if (!model || m_rows.isEmpty() || m_rows.last() >= model->rowCount()) {
        setObsolete(true);
        return;
    }
    m_stations = model->stationsAt(m_rows);
    // The rows go anyway; a selection of thousands of single rows would
    // otherwise be reworked at every run that is removed.
    listWidget()->viewSelectionModel()->clearSelection();
    m_favoriteRemovals.clear();
    if (m_baseList)
        removeFromFavorites();
    model->removeRowSet(m_rows);
    showRowAfterDeletion();
    m_inForce = true;
}

// One pass over every favorite list, whichever medium it has: what matters
// is which stations it holds.
void DeleteCommand::removeFromFavorites()
{
    const QSet<const svl_station *> deleted(m_stations.cbegin(), m_stations.cend());
    const QList<StationListWidget *> widgets = tables()->listWidgets();
    for (int index = SVL_FIRST_FAV_INDEX; index < widgets.size(); ++index) {
        StationListModel *favorites = widgets[index]->stationModel();
        const svl_list *list = favorites->stationList();
        Removal removal{index, {}, {}};
        for (uint32_t row = 0; row < list->count; ++row) {
            if (deleted.contains(list->stations[row])) {
                removal.rows << int(row);
                removal.stations << list->stations[row];
            }
        }
        if (!removal.rows.isEmpty()) {
            favorites->removeRowSet(removal.rows);
            m_favoriteRemovals << removal;
        }
    }
}

void DeleteCommand::showRowAfterDeletion()
{
    StationListWidget *widget = listWidget();
    widget->scrollToRemovedRow(widget->stationModel()->index(m_rows.first(), 0));
}

void DeleteCommand::undo()
{
    StationListModel *model = listModel();
    if (!m_inForce || !model || !makeRoomForUndo())
        return;
    model->insertAtRows(m_rows, m_stations);
    for (const Removal &removal : qAsConst(m_favoriteRemovals))
        tables()->listWidgets()[removal.listIndex]->stationModel()->insertAtRows(removal.rows, removal.stations);
    m_inForce = false;
}

// Room in every list first, so that the undo cannot stop halfway with
// stations in some lists and not in others.
bool DeleteCommand::makeRoomForUndo()
{
    if (!listModel()->makeRoomFor(m_rows.size()))
        return false;
    const QList<StationListWidget *> widgets = tables()->listWidgets();
    for (const Removal &removal : qAsConst(m_favoriteRemovals)) {
        StationListWidget *widget = widgets.value(removal.listIndex);
        if (!widget || !widget->stationModel()->makeRoomFor(removal.rows.size()))
            return false;
    }
    return true;
}
