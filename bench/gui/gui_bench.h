// kanvio-bench-gui: how long the main window takes for what a user does to
// a large table. Each area of the editor adds its operations in a file of
// its own in this folder, through a static BenchOperations object; the
// program runs every operation on generated tables of 10,000 and 50,000
// stations and prints one line per operation and size:
// OPERATION STATIONS MILLISECONDS (the median of several runs). Operations
// named on the command line run alone.
#ifndef KANVIO_BENCH_GUI_GUI_BENCH_H
#define KANVIO_BENCH_GUI_GUI_BENCH_H

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class MainWindow;
class StationListModel;
class StationTableWidget;

// One step of an operation, given the window and the path of the generated
// table of the size being measured.
using BenchStep = std::function<void(MainWindow &window, const QString &table)>;

// prepare brings the window to the state the operation starts from and is
// not timed; run is timed, together with the event processing it causes.
struct BenchOperation {
    const char *name;
    BenchStep prepare;
    BenchStep run;
};

// Adds operations to the program's run, in the order given; files of
// operations run in the order they are linked.
class BenchOperations
{
public:
    BenchOperations(std::initializer_list<BenchOperation> operations);
    static const std::vector<BenchOperation> &all();

private:
    static std::vector<BenchOperation> &registry();
};

// Steps that many operations start from.
StationTableWidget *tables(MainWindow &window);
// The model of the list at the index; null when there is none.
StationListModel *modelAt(MainWindow &window, int listIndex);
// Opens the table in the view the window shows; the commands of the table
// opened before go with it.
void openTable(MainWindow &window, const QString &table);
void openInListView(MainWindow &window, const QString &table);
void openInTableView(MainWindow &window, const QString &table);

#endif
