#ifndef KANVIO_COMMANDS_DELETE_COMMAND_H
#define KANVIO_COMMANDS_DELETE_COMMAND_H

#include <QVector>

#include "commands/stationcommand.h"
#include "svl/svl.h"

// Deletes the selected stations of the selected list. Deleting from a base
// list takes the stations out of every favorite list too, and undo puts
// each back at every row it stood at. Every list is changed in one pass,
// its rows removed and put back as runs.
//
// The stations deleted from a base list are in no list while the deletion
// is in force, so the command owns them then: when it goes in that state
// (the stack is cleared by "Apply", a favorite list change, a view switch
// or a new document), it releases those the document no longer holds.
class DeleteCommand : public StationCommand
{
public:
    explicit DeleteCommand(EditorWindow *mainWindow);
    ~DeleteCommand() override;

    void undo() override;
    void redo() override;

private:
    // The rows a list lost and the stations that stood there.
    struct Removal {
        int listIndex;
        QVector<int> rows;
        QVector<svl_station *> stations;
    };

    void removeFromFavorites();
    bool makeRoomForUndo();
    void showRowAfterDeletion();

    QVector<int> m_rows;  // the selected rows, ascending
    bool m_baseList = false;
    QVector<svl_station *> m_stations;  // those of m_rows
    QVector<Removal> m_favoriteRemovals;
    bool m_inForce = false;
};

#endif
