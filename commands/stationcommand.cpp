#include "commands/stationcommand.h"

#include "views/editorwindow.h"
#include "views/selection.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

StationCommand::StationCommand(EditorWindow *mainWindow, int listIndex)
    : m_mainWindow(mainWindow),
      m_listIndex(listIndex)
{
}

EditorWindow *StationCommand::mainWindow() const
{
    return m_mainWindow;
}

int StationCommand::listIndex() const
{
    return m_listIndex;
}

bool StationCommand::countsAsChange() const
{
    return true;
}

StationTableWidget *StationCommand::tables() const
{
    return m_mainWindow ? m_mainWindow->stationTableWidget() : nullptr;
}

StationListWidget *StationCommand::listWidget() const
{
    StationTableWidget *central = tables();
    return central ? central->listWidgets().value(m_listIndex) : nullptr;
}

StationListModel *StationCommand::listModel() const
{
    StationListWidget *widget = listWidget();
    return widget ? widget->stationModel() : nullptr;
}

QString StationCommand::listName() const
{
    StationListModel *model = listModel();
    return model ? model->listName() : QString();
}

QVector<int> StationCommand::rowsSelectedInList() const
{
    StationListWidget *widget = listWidget();
    return widget ? selectedRows(widget->viewSelectionModel()) : QVector<int>();
}
