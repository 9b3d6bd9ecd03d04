#ifndef KANVIO_COMMANDS_FAVORITE_COMMANDS_H
#define KANVIO_COMMANDS_FAVORITE_COMMANDS_H

#include <QString>

#include "commands/stationcommand.h"
#include "svl/svl.h"

// Adding, removing and renaming favorite lists. Adding or removing moves
// the lists behind, so the central widget clears the undo stack before it
// pushes either: they can only be undone back to where they were made.

// Adds an empty favorite list "new tab" (made unique) to the medium whose
// base tab is current, after its last favorite list.
class AddFavoritelistCommand : public StationCommand
{
public:
    explicit AddFavoritelistCommand(EditorWindow *mainWindow);

    void undo() override;
    void redo() override;

private:
    uint32_t m_kind;
    // Whether the redo added the list: after a failed one, the list at the
    // index is another one, which undo must leave alone.
    bool m_added = false;
};

// Removes the favorite list of the tab; the command keeps the list, with
// its stations, while it is removed and releases it when it goes then.
class RemoveFavoritelistCommand : public StationCommand
{
public:
    RemoveFavoritelistCommand(EditorWindow *mainWindow, int tab);
    ~RemoveFavoritelistCommand() override;

    void undo() override;
    void redo() override;

private:
    svl_list *m_removed = nullptr;  // owned while removed
};

// Renames a favorite list. The caller has checked the name: no other list
// has it.
class RenameFavlistCommand : public StationCommand
{
public:
    RenameFavlistCommand(EditorWindow *mainWindow, int listIndex, const QString &oldName, const QString &newName);

    void undo() override;
    void redo() override;

private:
    QString m_oldName;
    QString m_newName;
};

#endif
