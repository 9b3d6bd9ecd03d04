// Moving a spread selection one row down from the keyboard (Alt+Down) in
// either view: every second of the TV list's first 10,000 stations, which
// close up into one run as they move.
#include "gui_bench.h"

#include <QAction>
#include <QItemSelectionModel>

#include "app/mainwindow.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

constexpr int SpreadRows = 10000;

void selectEverySecondRow(MainWindow &window, const QString &)
{
    StationListModel *model = modelAt(window, 0);
    QItemSelection selection;
    const int last = qMin(SpreadRows, model->rowCount()) - 1;
    for (int row = 0; row <= last; row += 2)
        selection.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
    tables(window)->listWidgets().value(0)->viewSelectionModel()->select(selection,
                                                                       QItemSelectionModel::ClearAndSelect);
}

void pressAltDown(MainWindow &window, const QString &)
{
    window.findChild<QAction *>(QStringLiteral("moveDownAct"))->trigger();
}

BenchStep spreadIn(const BenchStep &open)
{
    return [open](MainWindow &window, const QString &table) {
        open(window, table);
        selectEverySecondRow(window, table);
    };
}

const BenchOperations operations = {
    {"move_down_list", spreadIn(openInListView), pressAltDown},
    {"move_down_table", spreadIn(openInTableView), pressAltDown},
};

} // namespace
