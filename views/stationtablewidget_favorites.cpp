// StationTableWidget: the favorite lists. Every list widget knows its list
// by index, so adding or removing a list rebuilds the widgets behind it
// while the user keeps looking at the same tabs.
#include "views/stationtablewidget.h"

#include <QAbstractItemView>
#include <QInputDialog>
#include <QMessageBox>
#include <QTabWidget>
#include <QUndoStack>

#include "views/editorwindow.h"
#include "commands/favorite_commands.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistwidget.h"

// Names are compared as the UTF-8 bytes they are stored as, base lists
// included, so that no two tabs ever read the same.
int StationTableWidget::renameList(int listIndex, const QString &name)
{
    svl_table *table = shownTable();
    if (!table || listIndex < SVL_FIRST_FAV_INDEX || uint32_t(listIndex) >= table->list_count)
        return 1;
    svl_list *list = table->lists[listIndex];
    const QByteArray bytes = name.toUtf8();
    if (bytes.size() > SVL_MAX_LIST_NAME_BYTES)
        return 1;
    if (svl_list_name_exists(table, list, bytes.constData()))
        return 2;
    if (svl_set_list_name(list, bytes.constData()) != 0)
        return 1;
    if (StationListWidget *widget = m_listWidgets.value(listIndex))
        widget->view()->setAccessibleName(name);
    const int baseTab = m_baseTabs->indexOf(m_listWidgets.value(listIndex));
    if (baseTab >= 0)
        m_baseTabs->setTabText(baseTab, name);
    rebuildFavoriteTabs();
    return 0;
}

bool StationTableWidget::isListNameTaken(int listIndex, const QString &name) const
{
    const svl_table *table = shownTable();
    const svl_list *list = table && listIndex >= 0 && uint32_t(listIndex) < table->list_count
                               ? table->lists[listIndex]
                               : nullptr;
    return svl_list_name_exists(table, list, name.toUtf8().constData()) != 0;
}

svl_list *StationTableWidget::removeListAt(int listIndex)
{
    svl_table *table = shownTable();
    if (!table || listIndex < 0)
        return nullptr;
    svl_list *list = svl_remove_list_at(table, uint32_t(listIndex));
    if (list)
        rebuildKeepingTabs();
    return list;
}

int StationTableWidget::insertListAt(int listIndex, svl_list *list)
{
    svl_table *table = shownTable();
    if (!table || !list || listIndex < SVL_FIRST_FAV_INDEX
        || svl_insert_list(table, uint32_t(listIndex), list) != 0)
        return 1;
    rebuildKeepingTabs();
    return 0;
}

// Refuses what would break the list order or the file format: lists
// before the base lists, other kinds, a ninth favorite list of a medium.
int StationTableWidget::addFavoriteList(const QString &name, uint32_t kind)
{
    svl_table *table = shownTable();
    if (!table || table->list_count < SVL_FIRST_FAV_INDEX || !svl_is_favorite_kind(kind)
        || countListsOfKind(kind) >= SVL_MAX_FAV_LISTS)
        return 1;
    svl_list *list = svl_new_list(name.toUtf8().constData(), kind, SVL_ATTR_FAVORITE);
    if (!list)
        return 1;
    const uint32_t position = kind == SVL_KIND_RADIO_FAV ? table->list_count
                                                          : uint32_t(svl_first_favorite_index(table, SVL_KIND_RADIO_FAV));
    if (svl_make_list_name_unique(table, list) != 0 || svl_insert_list(table, position, list) != 0) {
        svl_free_list(list, 0);
        return 1;
    }
    rebuildKeepingTabs();
    return 0;
}


// Adding or removing a list moves the lists behind it, which the commands
// before name by index: the history ends here.
void StationTableWidget::addFavoriteTab()
{
    m_mainWindow->undoStack()->clear();
    m_mainWindow->undoStack()->push(new AddFavoritelistCommand(m_mainWindow));
}

void StationTableWidget::deleteFavoriteTab(int tab)
{
    m_mainWindow->undoStack()->clear();
    m_mainWindow->undoStack()->push(new RemoveFavoritelistCommand(m_mainWindow, tab));
}

// A name another list has, or one longer than a table holds (cut when
// written, it could read like another), is refused before anything is
// pushed, so that a refusal leaves neither a command nor a modified mark
// behind; the list's own name changes nothing.
void StationTableWidget::renameFavoriteTab(int tab)
{
    const svl_table *table = shownTable();
    const int listIndex = svl_first_favorite_index(table, currentFavoriteKind()) + tab;
    if (tab < 0 || listIndex < SVL_FIRST_FAV_INDEX || uint32_t(listIndex) >= table->list_count)
        return;
    const QString oldName = QString::fromUtf8(table->lists[listIndex]->name);
    bool accepted = false;
    const QString name = QInputDialog::getText(this, Strings::text(Strings::RenameFavoriteListTitle),
                                               Strings::text(Strings::InsertNewNameLabel), QLineEdit::Normal,
                                               oldName, &accepted);
    if (!accepted || name.isEmpty() || name == oldName)
        return;
    QString refusal;
    if (name.toUtf8().size() > SVL_MAX_LIST_NAME_BYTES)
        refusal = Strings::text(Strings::ListNameTooLongMessage).arg(int(SVL_MAX_LIST_NAME_BYTES));
    else if (isListNameTaken(listIndex, name))
        refusal = Strings::text(Strings::FavoriteNameExistsMessage);
    if (!refusal.isEmpty()) {
        QMessageBox::critical(m_mainWindow, Strings::text(Strings::RenameErrorTitle), refusal, QMessageBox::Ok);
        return;
    }
    m_mainWindow->undoStack()->push(new RenameFavlistCommand(m_mainWindow, listIndex, oldName, name));
}
