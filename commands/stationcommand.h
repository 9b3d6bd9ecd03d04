#ifndef KANVIO_COMMANDS_STATIONCOMMAND_H
#define KANVIO_COMMANDS_STATIONCOMMAND_H

#include <QString>
#include <QUndoCommand>
#include <QVector>

class EditorWindow;
class StationListModel;
class StationListWidget;
class StationTableWidget;

// What every undoable change of the document shares. A command keeps only
// the main window and a list index, never a list widget or a model: the
// central widget rebuilds those whenever the view changes, so a command
// finds its list again at every redo and undo, and does nothing when the
// list is gone. The stations belong to the base lists; commands move
// pointers and change station fields in place, and own what they took out.
//
// Commands leave the modified mark to the main window, which follows the
// undo stack. A redo that finds nothing to change makes its command
// obsolete, so that the stack drops it instead of keeping a change that
// never happened.
class StationCommand : public QUndoCommand
{
public:
    StationCommand(EditorWindow *mainWindow, int listIndex);

    // Whether the command changes the document. Sorting changes only the
    // table view's working copy, which reaches the document when applied.
    virtual bool countsAsChange() const;

protected:
    EditorWindow *mainWindow() const;
    int listIndex() const;
    // The main window's central widget; null without a main window.
    StationTableWidget *tables() const;
    // The list widget at the list index; null when there is none.
    StationListWidget *listWidget() const;
    // The model of that list widget; null when there is none.
    StationListModel *listModel() const;
    // The name of the list, for the command's text; empty without a list.
    QString listName() const;
    // The rows selected in the list, ascending; empty without a list.
    QVector<int> rowsSelectedInList() const;

private:
    EditorWindow *m_mainWindow;
    int m_listIndex;
};

#endif
