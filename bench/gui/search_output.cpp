// Searching, exporting and printing: one keystroke in the search bar, an
// advanced search with every filter, and the TV base list exported as CSV
// and printed to a PDF file.
#include "gui_bench.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "views/searchdialog.h"
#include "views/searchwidget.h"
#include "views/stationtablewidget.h"

namespace {

QLineEdit *searchText(MainWindow &window)
{
    return tables(window)->searchWidget()->findChild<QLineEdit *>();
}

void openWithSearchBar(MainWindow &window, const QString &table)
{
    openInListView(window, table);
    if (tables(window)->searchWidget()->isHidden())
        tables(window)->searchWidget()->toggleVisibility();
}

// The first letter typed finds the most stations.
void typeLetter(MainWindow &window, const QString &)
{
    searchText(window)->insert(QStringLiteral("e"));
}

// The dialog of the last set-up; the one before goes with it.
SearchDialog *&dialog()
{
    static SearchDialog *open = nullptr;
    return open;
}

// Satellite HD stations named with an "e", locked, with EPG, encrypted.
void openEveryFilter(MainWindow &window, const QString &table)
{
    openInListView(window, table);
    delete dialog();
    dialog() = new SearchDialog(&window);
    dialog()->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QStringLiteral("e"));
    dialog()->findChild<QComboBox *>(QStringLiteral("receiveModeBox"))->setCurrentIndex(3);
    for (const char *box : {"hdBox", "childLockBox", "epgBox", "encryptedBox"})
        dialog()->findChild<QCheckBox *>(QLatin1String(box))->setChecked(true);
}

QString outputPath(const char *name)
{
    static const QTemporaryDir dir;
    return dir.filePath(QLatin1String(name));
}

void printToPdf(MainWindow &window, const QString &)
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFileName(outputPath("list.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    tables(window)->printCurrentList(&printer);
}

const BenchOperations operations = {
    {"search_keystroke", openWithSearchBar, typeLetter},
    {"advanced_search", openEveryFilter, [](MainWindow &, const QString &) { dialog()->doSearch(); }},
    {"csv_export_tv", openInTableView,
     [](MainWindow &window, const QString &) { tables(window)->writeCsv(outputPath("list.csv")); }},
    {"print_tv_pdf", openInTableView, printToPdf},
};

} // namespace
