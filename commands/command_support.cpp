#include "commands/command_support.h"

#include "app/mainwindow.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

StationListWidget *commandListWidget(MainWindow *mainWindow, int listIndex)
{
    StationTableWidget *central = mainWindow ? mainWindow->stationTableWidget() : nullptr;
    return central ? central->listWidgets().value(listIndex) : nullptr;
}

StationListModel *commandListModel(MainWindow *mainWindow, int listIndex)
{
    StationListWidget *widget = commandListWidget(mainWindow, listIndex);
    return widget ? widget->stationModel() : nullptr;
}

void markRedone(MainWindow *mainWindow)
{
    mainWindow->setWindowModified(true);
}

void markUndone(MainWindow *mainWindow)
{
    // The stack moves its index only after the undo has run.
    if (mainWindow->undoStack()->index() == 1)
        mainWindow->setWindowModified(false);
}
