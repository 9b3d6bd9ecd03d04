#include "views/stationlistselectionmodel.h"

#include "views/editorwindow.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

bool holdsSelection(const StationListWidget *widget)
{
    return widget && widget->viewSelectionModel()->hasSelection();
}

} // namespace

StationListSelectionModel::StationListSelectionModel(StationListModel *model, EditorWindow *mainWindow,
                                                     QObject *parent)
    : QItemSelectionModel(model, parent),
      m_mainWindow(mainWindow),
      m_model(model)
{
}

// The other lists' selections are cleared before the actions are set: each
// clearing comes back through select() of that list, and the actions must
// end up describing this selection, not an emptied one.
void StationListSelectionModel::select(const QItemSelection &selection,
                                       QItemSelectionModel::SelectionFlags command)
{
    StationTableWidget *tables = m_mainWindow ? m_mainWindow->stationTableWidget() : nullptr;
    StationListWidget *baseWidget = tables ? tables->currentBaseListWidget() : nullptr;
    StationListWidget *favoriteWidget = tables ? tables->currentFavListWidget() : nullptr;

    QItemSelectionModel::select(selection, command);
    if (!tables || !model())
        return;
    excludeOtherSelections(tables, baseWidget, favoriteWidget);
    updateActions(tables);
}

// In an svl50 table a base list and a favorite list are shown side by side;
// only one of them may hold the selection the actions work on.
void StationListSelectionModel::excludeOtherSelections(StationTableWidget *tables, StationListWidget *baseWidget,
                                                       StationListWidget *favoriteWidget)
{
    if (tables->tableVersion() <= SVL_VERSION_40)
        return;
    const uint32_t kind = m_model->listKind();
    if (svl_is_base_kind(kind) && holdsSelection(baseWidget)) {
        const QList<StationListWidget *> widgets = tables->listWidgets();
        for (int i = SVL_FIRST_FAV_INDEX; i < widgets.size(); ++i)
            widgets[i]->viewSelectionModel()->clearSelection();
    } else if (svl_is_favorite_kind(kind) && holdsSelection(favoriteWidget) && favoriteWidget != baseWidget) {
        if (baseWidget)
            baseWidget->viewSelectionModel()->clearSelection();
    }
}

// The whole selection counts, not the part this call added: a second row
// picked with Ctrl makes two ranges, and "Options" is for one station.
void StationListSelectionModel::updateActions(StationTableWidget *tables)
{
    const StationListWidget *selected = tables->selectedListWidget();
    const bool selectedAny = holdsSelection(selected);
    bool childLock = false;
    bool epg = false;
    findSelectedFlags(selected, &childLock, &epg);
    m_mainWindow->selectionChanged(selectedAny, selectedAny && selected->viewSelectionModel()->selection().size() == 1,
                                   childLock, epg);
}

// Whether at least one selected station has the flag. The selection is
// walked by rows, one cell per row, so that a table view selection costs
// no more than a list view one.
void StationListSelectionModel::findSelectedFlags(const StationListWidget *selected, bool *childLock, bool *epg)
{
    if (!selected)
        return;
    const StationListModel *model = selected->stationModel();
    for (const QItemSelectionRange &range : selected->viewSelectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const svl_station *station =
                StationListModel::stationOf(model->data(model->index(row, range.left()), Qt::UserRole));
            if (!station)
                return;
            *childLock = *childLock || station->childlock;
            *epg = *epg || station->epg;
            if (*childLock && *epg)
                return;
        }
    }
}
