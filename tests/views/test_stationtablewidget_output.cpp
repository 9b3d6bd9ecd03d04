// Which list the central widget exports and prints, the clipboard text of
// a selection, and the main window's report of a failed export.
#include <QClipboard>

#include <sys/resource.h>

#include <csignal>

#include "output/csv_export.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void selectRows(StationListWidget *widget, const QList<int> &rows)
{
    const StationListModel *model = widget->stationModel();
    for (int row : rows)
        widget->viewSelectionModel()->select(model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

class TestStationTableWidgetOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportsTheShownListOfTheDocument_data();
    void exportsTheShownListOfTheDocument();
    void copiesSelectedRows();
    void failedExportIsReportedAndKeepsTheOldFile();
};

void TestStationTableWidgetOutput::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

void TestStationTableWidgetOutput::exportsTheShownListOfTheDocument_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("tvFavorites");
    QTest::addColumn<bool>("listView");
    QTest::addColumn<int>("baseTab");
    QTest::addColumn<int>("exported");
    QTest::newRow("svl50 list view: the favorite list") << 50 << 2 << true << 0 << 2;
    QTest::newRow("svl50 list view, radio: the favorite list") << 50 << 2 << true << 1 << 4;
    QTest::newRow("svl50 list view, TV without favorites: the base list") << 50 << 0 << true << 0 << 0;
    QTest::newRow("svl40 list view: the base list") << 40 << 0 << true << 1 << 1;
    QTest::newRow("table view: the current tab") << 50 << 2 << false << 3 << 3;
}

// In table view a removed row not yet applied is still exported: the
// document is written, never the working copy.
void TestStationTableWidgetOutput::exportsTheShownListOfTheDocument()
{
    QFETCH(int, version);
    QFETCH(int, tvFavorites);
    QFETCH(bool, listView);
    QFETCH(int, baseTab);
    QFETCH(int, exported);
    Sandbox sandbox;
    const QString file = tvFavorites == 0 && version == 50
        ? sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), {}, {QStringLiteral("Radio")}, 60)
        : sandbox.writeTable(QStringLiteral("t.svl") + QString::number(version), uint16_t(version), 2, 1, 60);
    const auto window = openWindow(file);
    StationTableWidget *tables = window->stationTableWidget();
    if (!listView)
        tables->switchToTableView();
    tables->toggleBaseList(baseTab);
    if (!listView)
        QVERIFY(tables->currentBaseListWidget()->stationModel()->removeRows(0, 1));
    const QString csv = sandbox.path(QStringLiteral("out.csv"));
    QCOMPARE(tables->writeCsv(csv), 0);
    svl_table document = svl_table();
    QCOMPARE(svl_load_file(&document, QFile::encodeName(file).constData()), 0);
    QCOMPARE(readAll(csv), csvBytes(document.lists[exported]));
    svl_free_table(&document, 1);
}

void TestStationTableWidgetOutput::copiesSelectedRows()
{
    Sandbox sandbox;
    const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 60));
    StationTableWidget *tables = window->stationTableWidget();
    StationListWidget *base = tables->listWidgets()[0];
    const svl_list *list = base->stationModel()->stationList();
    selectRows(base, {4, 1});
    action(*window, "copyAct")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\t%1\n5\t%2").arg(stationNameText(list->stations[1]),
                                                                                   stationNameText(list->stations[4])));
    tables->switchToTableView();
    selectRows(tables->listWidgets()[0], {2});
    action(*window, "copyAct")->trigger();
    const QStringList cells = QApplication::clipboard()->text().split(QLatin1Char('\t'));
    QCOMPARE(cells.size(), 1 + StationColumnCount);
    QCOMPARE(cells.mid(0, 3), QStringList({"3", QString::number(list->stations[2]->uid), stationNameText(list->stations[2])}));
}

// A file size limit makes the write fail halfway, even for root.
void TestStationTableWidgetOutput::failedExportIsReportedAndKeepsTheOldFile()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 400));
    const QString csv = sandbox.path(QStringLiteral("old.csv"));
    QFile old(csv);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const struct rlimit small = {10, saved.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    FileDialogAnswer answer(csv);
    MessageCatcher replace(QStringLiteral("&Yes"), Strings::text(Strings::OpenSvlFileTitle));
    MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
    action(*window, "exportCsvAct")->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
    QVERIFY(answer.answered() && replace.seen());
    QCOMPARE(error.message().text, "Exporting station table to CSV file '" + csv + "' failed");
    QCOMPARE(readAll(csv), QByteArray("old"));
    QCOMPARE(QDir(sandbox.path(QString())).entryList({"*.csv*"}, QDir::Files), QStringList("old.csv"));
}

QTEST_MAIN(TestStationTableWidgetOutput)
#include "test_stationtablewidget_output.moc"
