#include "app/mainwindow.h"

#include <QAction>
#include <QMenu>

#include "views/selection.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

void MainWindow::showListContextMenu(const QPoint &position)
{
    const StationListWidget *selected = m_tableWidget->selectedListWidget();
    if (!selected || !checkCaModuleActions(selected))
        return;
    runListContextMenu(position);
}

// A module entry is ticked only when every selected station uses that
// module. False when there is no selection or a station cannot be read.
bool MainWindow::checkCaModuleActions(const StationListWidget *selected)
{
    const QModelIndexList indexes = sortedSelectedIndexes(selected->viewSelectionModel());
    if (indexes.isEmpty())
        return false;
    const StationListModel *model = selected->stationModel();
    int module = -1;
    bool uniform = true;
    for (const QModelIndex &index : indexes) {
        const svl_station *station = StationListModel::stationOf(model->data(index, Qt::UserRole));
        if (!station)
            return false;
        if (module >= 0 && station->CANumber != module)
            uniform = false;
        module = station->CANumber;
    }
    for (int i = 0; i < CaModuleCount; ++i)
        m_caModuleActs[i]->setChecked(uniform && i == module);
    return true;
}

// The chosen entry does its work through its own connection; the menu only
// has to be shown.
void MainWindow::runListContextMenu(const QPoint &position)
{
    QMenu menu(this);
    menu.installEventFilter(this);
    menu.addActions({m_copyAct, m_deleteAct});
    menu.addSeparator();
    menu.addActions({m_childLockAct, m_epgAct});
    menu.addSeparator();
    menu.addMenu(m_caModuleMenu);
    menu.addSeparator();
    menu.addAction(m_defaultAct);
    menu.addSeparator();
    menu.addAction(m_optionsAct);
    addArrangeEntries(&menu);
    menu.exec(position);
}
