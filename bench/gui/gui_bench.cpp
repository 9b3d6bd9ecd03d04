// The program of kanvio-bench-gui. Headless (QT_QPA_PLATFORM=offscreen);
// the window sends an SSDP search, so run it inside scripts/in-netns.
#include "gui_bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#include "app/mainwindow.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "texts/settings.h"
#include "texts/strings.h"
#include "tools/gen/svl_generate.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

constexpr int Runs = 7;
constexpr int DiscoveryWaitMs = 20;

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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(MainWindow &window, const BenchOperation &operation, const QString &table, uint32_t stations)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        operation.prepare(window, table);
        settle();
        QElapsedTimer timer;
        timer.start();
        operation.run(window, table);
        settle();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("%s %u %.1f\n", operation.name, stations, median(times));
    std::fflush(stdout);
}

} // namespace

BenchOperations::BenchOperations(std::initializer_list<BenchOperation> operations)
{
    registry().insert(registry().end(), operations);
}

const std::vector<BenchOperation> &BenchOperations::all()
{
    return registry();
}

std::vector<BenchOperation> &BenchOperations::registry()
{
    static std::vector<BenchOperation> operations;
    return operations;
}

StationTableWidget *tables(MainWindow &window)
{
    return window.stationTableWidget();
}

StationListModel *modelAt(MainWindow &window, int listIndex)
{
    StationListWidget *widget = tables(window)->listWidgets().value(listIndex);
    return widget ? widget->stationModel() : nullptr;
}

void openTable(MainWindow &window, const QString &table)
{
    tables(window)->openFile(table);
}

void openInListView(MainWindow &window, const QString &table)
{
    tables(window)->switchToListView();
    openTable(window, table);
}

void openInTableView(MainWindow &window, const QString &table)
{
    openTable(window, table);
    tables(window)->switchToTableView();
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList chosen = QApplication::arguments().mid(1);
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
        const QString table = writeTable(dir, stations);
        if (table.isEmpty()) {
            std::fprintf(stderr, "kanvio-bench-gui: cannot write a table of %u stations\n", stations);
            return 1;
        }
        for (const BenchOperation &operation : BenchOperations::all()) {
            if (chosen.isEmpty() || chosen.contains(QLatin1String(operation.name)))
                measure(window, operation, table, stations);
        }
    }
    // The window asks before closing over unsaved changes.
    window.setWindowModified(false);
    return 0;
}
