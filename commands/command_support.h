#ifndef KANVIO_COMMANDS_COMMAND_SUPPORT_H
#define KANVIO_COMMANDS_COMMAND_SUPPORT_H

class MainWindow;
class StationListModel;
class StationListWidget;

// What every station command shares. A command keeps only the main window
// and a list index, because the central widget rebuilds its list widgets
// (and their models) whenever the view changes.

// The list widget at listIndex of the central widget; null when there is none.
StationListWidget *commandListWidget(MainWindow *mainWindow, int listIndex);

// The model of that list widget; null when there is none.
StationListModel *commandListModel(MainWindow *mainWindow, int listIndex);

// Every redo leaves the document modified.
void markRedone(MainWindow *mainWindow);

// Undoing the first command on the stack returns the document to its saved
// state; undoing any later one does not. Called during the undo.
void markUndone(MainWindow *mainWindow);

#endif
