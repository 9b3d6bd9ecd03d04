// kanvio-bench-gui: how long the main window takes for what a user does to
// a large table. Headless (QT_QPA_PLATFORM=offscreen); the window sends an
// SSDP search, so run it inside scripts/in-netns. Prints one line per
// operation and table size: OPERATION STATIONS MILLISECONDS (median).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTemporaryDir>
#include <QUndoStack>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/strings.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

constexpr int Runs = 7;
constexpr int DroppedStations = 1000;
constexpr int DiscoveryWaitMs = 20;
constexpr int FirstTvFavorite = 2;

QString writeTable(const QTemporaryDir &dir, uint32_t stations)
{
    svl_generate_options options;
    options.stations = stations;
    options.favorites = SVL_MAX_FAV_LISTS;
    options.favorite_percent = 5;
    svl_table table = svl_table();
    const QString path = dir.filePath(QStringLiteral("bench-%1.svl50").arg(stations));
    const bool written = svl_generate_table(&table, options) == 0
        && svl_save_file(&table, QFile::encodeName(path).constData()) == 0;
    svl_free_table(&table, 1);
    return written ? path : QString();
}

// Lets the window lay out and paint what the last step changed, as the
// event loop of the program would before the user sees it.
void settle()
{
    QApplication::processEvents();
}

double milliseconds(const std::function<void()> &operation)
{
    QElapsedTimer timer;
    timer.start();
    operation();
    settle();
    return double(timer.nsecsElapsed()) / 1e6;
}

// One timed operation with the set-up that brings the window to the state
// it starts from; set-up time is not counted.
struct Operation {
    const char *name;
    std::function<void(MainWindow &)> prepare;
    std::function<void(MainWindow &)> run;
};

StationTableWidget *tables(MainWindow &window)
{
    return window.stationTableWidget();
}

StationListModel *modelAt(MainWindow &window, int listIndex)
{
    StationListWidget *widget = tables(window)->listWidgets().value(listIndex);
    return widget ? widget->stationModel() : nullptr;
}

// The base list's first stations, dragged as the view would drag them.
std::unique_ptr<QMimeData> dragFromTvBase(MainWindow &window, int count)
{
    StationListModel *base = modelAt(window, 0);
    QModelIndexList indexes;
    for (int row = 0; row < count && row < base->rowCount(); ++row)
        indexes << base->index(row, 0);
    return std::unique_ptr<QMimeData>(base->mimeData(indexes));
}

void dropIntoTvFavorite(MainWindow &window)
{
    const std::unique_ptr<QMimeData> data = dragFromTvBase(window, DroppedStations);
    modelAt(window, FirstTvFavorite)->dropMimeData(data.get(), Qt::CopyAction, 0, 0, QModelIndex());
}

void render(MainWindow &window)
{
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    window.render(&painter);
}

std::vector<Operation> operations(const QString &path)
{
    // Commands of the table opened before must not outlive it.
    const auto open = [path](MainWindow &window) {
        window.undoStack()->clear();
        tables(window)->openFile(path);
    };
    const auto tableView = [](MainWindow &window) { tables(window)->switchToTableView(); };
    const auto listView = [](MainWindow &window) { tables(window)->switchToListView(); };
    const auto sortByName = [](MainWindow &window) { modelAt(window, 0)->sort(NameColumn, Qt::AscendingOrder); };
    return {
        {"open", [listView](MainWindow &window) { listView(window); tables(window)->newTable(); }, open},
        {"table_view", [open, listView](MainWindow &window) { listView(window); open(window); }, tableView},
        {"list_view", [open, tableView](MainWindow &window) { open(window); tableView(window); }, listView},
        {"sort_by_name", [open, tableView](MainWindow &window) { open(window); tableView(window); }, sortByName},
        {"apply",
         [open, tableView, sortByName](MainWindow &window) {
             open(window);
             tableView(window);
             sortByName(window);
         },
         [](MainWindow &window) { tables(window)->applyTableModifications(); }},
        {"drop_1000", [open, listView](MainWindow &window) { listView(window); open(window); }, dropIntoTvFavorite},
        {"undo_drop",
         [open, listView](MainWindow &window) {
             listView(window);
             open(window);
             dropIntoTvFavorite(window);
         },
         [](MainWindow &window) { window.undoStack()->undo(); }},
        {"render_list", [open, listView](MainWindow &window) { listView(window); open(window); }, render},
        {"render_table", [open, tableView](MainWindow &window) { open(window); tableView(window); }, render},
    };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(MainWindow &window, const Operation &operation, uint32_t stations)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        operation.prepare(window);
        settle();
        times.push_back(milliseconds([&] { operation.run(window); }));
    }
    std::printf("%s %u %.1f\n", operation.name, stations, median(times));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir dir;
    // A settings file of its own, so that the user's view and language
    // choices neither slant the figures nor get overwritten.
    qputenv(settingsFileVariable, QFile::encodeName(dir.filePath(QStringLiteral("kanvio.ini"))));
    Strings::load();

    MainWindow window(QString(), nullptr, DiscoveryWaitMs);
    window.resize(1280, 800);
    window.show();
    settle();
    for (uint32_t stations : {10000u, 50000u}) {
        const QString path = writeTable(dir, stations);
        if (path.isEmpty()) {
            std::fprintf(stderr, "kanvio-bench-gui: cannot write a table of %u stations\n", stations);
            return 1;
        }
        for (const Operation &operation : operations(path))
            measure(window, operation, stations);
    }
    // The window asks before closing over unsaved changes.
    window.setWindowModified(false);
    return 0;
}
