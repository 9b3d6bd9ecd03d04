// The editing commands: deleting every other station of the TV base list
// and undoing it, child lock and default settings on the same selection,
// and adding, removing and renaming a favorite list. The table has the
// stations of the run's size, with 8 favorite lists per medium each
// holding a fifth of its medium's stations, so that a deletion reaches
// into every favorite list.
#include "gui_bench.h"

#include <QFile>
#include <QHash>
#include <QItemSelectionModel>
#include <QUndoStack>

#include "app/mainwindow.h"
#include "commands/favorite_commands.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

constexpr uint32_t FavoritePercent = 20;

// A table of as many stations as the run's, written once beside it.
QString tableWithFullerFavorites(const QString &table)
{
    static QHash<QString, QString> written;
    if (written.contains(table))
        return written.value(table);
    svl_table loaded = svl_table();
    const bool ok = svl_load_file(&loaded, QFile::encodeName(table).constData()) == 0;
    const uint32_t stations = ok ? loaded.lists[0]->count + loaded.lists[1]->count : 0;
    svl_free_table(&loaded, 1);
    svl_generate_options options;
    options.stations = stations;
    options.favorites = SVL_MAX_FAV_LISTS;
    options.favorite_percent = FavoritePercent;
    svl_table generated = svl_table();
    const QString path = table + QStringLiteral(".fifths.svl50");
    if (svl_generate_table(&generated, options) == 0)
        svl_save_file(&generated, QFile::encodeName(path).constData());
    svl_free_table(&generated, 1);
    written.insert(table, path);
    return path;
}

void openEditedTable(MainWindow &window, const QString &table)
{
    openInListView(window, tableWithFullerFavorites(table));
}

// Every other station of the TV base list, as one selection of single rows.
void selectEveryOtherTvStation(MainWindow &window, const QString &table)
{
    openEditedTable(window, table);
    StationListWidget *base = tables(window)->listWidgets().value(0);
    QItemSelection selection;
    for (int row = 0; row < base->stationModel()->rowCount(); row += 2)
        selection.append(QItemSelectionRange(base->stationModel()->index(row, 0)));
    base->viewSelectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void deleteSelected(MainWindow &window, const QString &)
{
    tables(window)->deleteStation();
}

// With 8 TV favorite lists there is no room for another one.
void openWithSevenTvFavorites(MainWindow &window, const QString &table)
{
    openEditedTable(window, table);
    tables(window)->deleteFavoriteTab(0);
}

void renameFirstTvFavorite(MainWindow &window, const QString &)
{
    const QString name = tables(window)->listWidgets().value(2)->stationModel()->listName();
    window.undoStack()->push(new RenameFavlistCommand(&window, 2, name, name + QStringLiteral(" renamed")));
}

const BenchOperations operations = {
    {"delete_every_other", selectEveryOtherTvStation, deleteSelected},
    {"undo_delete",
     [](MainWindow &window, const QString &table) {
         selectEveryOtherTvStation(window, table);
         deleteSelected(window, table);
     },
     [](MainWindow &window, const QString &) { window.undoStack()->undo(); }},
    {"child_lock", selectEveryOtherTvStation,
     [](MainWindow &window, const QString &) { tables(window)->toggleChildLock(true); }},
    {"default_settings", selectEveryOtherTvStation,
     [](MainWindow &window, const QString &) { tables(window)->setDefaultSettings(); }},
    {"add_favorite_list", openWithSevenTvFavorites,
     [](MainWindow &window, const QString &) { tables(window)->addFavoriteTab(); }},
    {"remove_favorite_list", openEditedTable,
     [](MainWindow &window, const QString &) { tables(window)->deleteFavoriteTab(0); }},
    {"rename_favorite_list", openEditedTable, renameFirstTvFavorite},
};

} // namespace
