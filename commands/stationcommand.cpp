#include "commands/stationcommand.h"

#include "app/mainwindow.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

StationCommand::StationCommand(MainWindow *mainWindow, int listIndex)
    : m_mainWindow(mainWindow),
      m_listIndex(listIndex)
{
}

MainWindow *StationCommand::mainWindow() const
{
    return m_mainWindow;
}

int StationCommand::listIndex() const
{
    return m_listIndex;
}

StationListWidget *StationCommand::listWidget() const
{
    StationTableWidget *central = m_mainWindow ? m_mainWindow->stationTableWidget() : nullptr;
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

void StationCommand::markRedone()
{
    m_mainWindow->setWindowModified(true);
}

void StationCommand::markUndone()
{
    // The stack moves its index only after the undo has run.
    if (m_mainWindow->undoStack()->index() == 1)
        m_mainWindow->setWindowModified(false);
}
