// Opening a table, switching the views, sorting, applying, dropping into a
// favorite list and painting a screenful of either view.
#include "gui_bench.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QUndoStack>

#include <memory>

#include "app/mainwindow.h"
#include "fields/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationtablewidget.h"

namespace {

constexpr int DroppedStations = 1000;
constexpr int FirstTvFavorite = 2;

// The base list's first stations, dragged as the view would drag them.
std::unique_ptr<QMimeData> dragFromTvBase(MainWindow &window, int count)
{
    StationListModel *base = modelAt(window, 0);
    QModelIndexList indexes;
    for (int row = 0; row < count && row < base->rowCount(); ++row)
        indexes << base->index(row, 0);
    return std::unique_ptr<QMimeData>(base->mimeData(indexes));
}

void dropIntoTvFavorite(MainWindow &window, const QString &)
{
    const std::unique_ptr<QMimeData> data = dragFromTvBase(window, DroppedStations);
    modelAt(window, FirstTvFavorite)->dropMimeData(data.get(), Qt::CopyAction, 0, 0, QModelIndex());
}

void sortByName(MainWindow &window, const QString &)
{
    modelAt(window, 0)->sort(NameColumn, Qt::AscendingOrder);
}

void render(MainWindow &window, const QString &)
{
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    window.render(&painter);
}

// The first render of a window lays out every widget in it that never was,
// shown or not: the pages behind the current tabs, which the screen lays out
// only when their tab comes to the front (17 full tables in table view).
// That first render is part of the set-up, so that the figure is what
// painting a screenful costs.
BenchStep renderedIn(const BenchStep &open)
{
    return [open](MainWindow &window, const QString &table) {
        open(window, table);
        render(window, table);
    };
}

const BenchOperations operations = {
    {"open",
     [](MainWindow &window, const QString &) {
         tables(window)->switchToListView();
         tables(window)->newTable();
     },
     openTable},
    {"table_view", openInListView, [](MainWindow &window, const QString &) { tables(window)->switchToTableView(); }},
    {"list_view", openInTableView, [](MainWindow &window, const QString &) { tables(window)->switchToListView(); }},
    {"sort_by_name", openInTableView, sortByName},
    {"apply",
     [](MainWindow &window, const QString &table) {
         openInTableView(window, table);
         sortByName(window, table);
     },
     [](MainWindow &window, const QString &) { tables(window)->applyTableModifications(); }},
    {"drop_1000", openInListView, dropIntoTvFavorite},
    {"undo_drop",
     [](MainWindow &window, const QString &table) {
         openInListView(window, table);
         dropIntoTvFavorite(window, table);
     },
     [](MainWindow &window, const QString &) { window.undoStack()->undo(); }},
    {"render_list", renderedIn(openInListView), render},
    {"render_table", renderedIn(openInTableView), render},
};

} // namespace
