#ifndef KANVIO_COMMANDS_STATIONCOMMAND_H
#define KANVIO_COMMANDS_STATIONCOMMAND_H

#include <QString>
#include <QUndoCommand>

class MainWindow;
class StationListModel;
class StationListWidget;

// What every undoable change of the document shares. A command keeps only
// the main window and a list index, never a list widget or a model: the
// central widget rebuilds those whenever the view changes, so a command
// finds its list again at every redo and undo, and does nothing when the
// list is gone. The stations belong to the base lists; commands move
// pointers and change station fields in place, and own what they took out.
class StationCommand : public QUndoCommand
{
public:
    StationCommand(MainWindow *mainWindow, int listIndex);

protected:
    MainWindow *mainWindow() const;
    int listIndex() const;
    // The list widget at the list index; null when there is none.
    StationListWidget *listWidget() const;
    // The model of that list widget; null when there is none.
    StationListModel *listModel() const;
    // The name of the list, for the command's text; empty without a list.
    QString listName() const;

    // Every redo leaves the document modified.
    void markRedone();
    // Undoing the first command on the stack returns the document to its
    // saved state; undoing any later one does not. Call it during the undo.
    void markUndone();

private:
    MainWindow *m_mainWindow;
    int m_listIndex;
};

#endif
