#include "commands/favorite_commands.h"

#include "views/editorwindow.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationtablewidget.h"

namespace {

// The name of every new favorite list; the list's own data, not a text of
// the program's language.
const QString newListName = QStringLiteral("new tab");

// Where a new favorite list of the kind stands: after the last one of it.
int newListIndex(const StationTableWidget *tables, uint32_t kind)
{
    int index = SVL_FIRST_FAV_INDEX + tables->countListsOfKind(SVL_KIND_TV_FAV);
    if (kind == SVL_KIND_RADIO_FAV)
        index += tables->countListsOfKind(SVL_KIND_RADIO_FAV);
    return index;
}

int favoriteTabListIndex(const StationTableWidget *tables, int tab)
{
    int index = SVL_FIRST_FAV_INDEX + tab;
    if (tables->currentFavoriteKind() == SVL_KIND_RADIO_FAV)
        index += tables->countListsOfKind(SVL_KIND_TV_FAV);
    return index;
}

} // namespace

AddFavoritelistCommand::AddFavoritelistCommand(EditorWindow *mainWindow)
    : StationCommand(mainWindow, newListIndex(mainWindow->stationTableWidget(),
                                              mainWindow->stationTableWidget()->currentFavoriteKind())),
      m_kind(mainWindow->stationTableWidget()->currentFavoriteKind())
{
    setText(Strings::text(Strings::AddFavoriteListCommandText));
}

void AddFavoritelistCommand::redo()
{
    m_added = tables()->addFavoriteList(newListName, m_kind) == 0;
    if (!m_added)
        setObsolete(true);
}

void AddFavoritelistCommand::undo()
{
    if (!m_added)
        return;
    svl_free_list(tables()->removeListAt(listIndex()), 0);
    m_added = false;
}

RemoveFavoritelistCommand::RemoveFavoritelistCommand(EditorWindow *mainWindow, int tab)
    : StationCommand(mainWindow, favoriteTabListIndex(mainWindow->stationTableWidget(), tab))
{
    setText(Strings::text(Strings::RemoveFavoriteListCommandText));
}

RemoveFavoritelistCommand::~RemoveFavoritelistCommand()
{
    svl_free_list(m_removed, 0);
}

void RemoveFavoritelistCommand::redo()
{
    m_removed = tables()->removeListAt(listIndex());
    if (!m_removed)
        setObsolete(true);
}

void RemoveFavoritelistCommand::undo()
{
    if (m_removed && tables()->insertListAt(listIndex(), m_removed) == 0)
        m_removed = nullptr;
}

RenameFavlistCommand::RenameFavlistCommand(EditorWindow *mainWindow, int listIndex, const QString &oldName,
                                           const QString &newName)
    : StationCommand(mainWindow, listIndex),
      m_oldName(oldName),
      m_newName(newName)
{
    setText(Strings::text(Strings::RenameFavoriteListCommandText).arg(newName));
}

void RenameFavlistCommand::redo()
{
    if (tables()->renameList(listIndex(), m_newName) != 0)
        setObsolete(true);
}

void RenameFavlistCommand::undo()
{
    tables()->renameList(listIndex(), m_oldName);
}
