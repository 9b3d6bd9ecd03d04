// Opening the station settings dialog: building its pages for a DVB-S TV
// station, the type with the most pages and inputs, and showing it.
#include "gui_bench.h"

#include <QPointer>

#include "app/mainwindow.h"
#include "options/svl_options_dialog.h"
#include "views/stationlistmodel.h"

namespace {

// A child of the window, which deletes it when the program ends.
QPointer<SvlOptionsDialog> openedDialog;
QString openedTable;

const svl_station *firstDvbsTvStation(MainWindow &window)
{
    const svl_list *tv = modelAt(window, 0)->stationList();
    for (uint32_t i = 0; i < tv->count; ++i) {
        if (tv->stations[i]->ProgramDataByte == 3)
            return tv->stations[i];
    }
    return nullptr;
}

// The table is opened once per size: the dialog does not change it.
void closeDialog(MainWindow &window, const QString &table)
{
    delete openedDialog;
    if (table != openedTable)
        openInListView(window, table);
    openedTable = table;
}

void openDialog(MainWindow &window, const QString &)
{
    if (const svl_station *station = firstDvbsTvStation(window)) {
        openedDialog = new SvlOptionsDialog(station, &window);
        openedDialog->show();
    }
}

const BenchOperations operations = {
    {"open_station_settings", closeDialog, openDialog},
};

} // namespace
