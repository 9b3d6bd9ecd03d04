// Searching the window's lists; the list the central widget exports, the
// text it copies, and the report of a failed export.
#include <QClipboard>
#include <QtWidgets>

#include <sys/resource.h>

#include <csignal>

#include "output/csv_export.h"
#include "tests/app/test_mainwindow_support.h"
#include "tests/views/test_stationlistwidget_support.h"
#include "views/searchdialog.h"
#include "views/searchwidget.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

QSet<int> selectedRows(const StationListWidget *widget)
{
    QSet<int> rows;
    for (const QModelIndex &index : widget->viewSelectionModel()->selectedIndexes())
        rows.insert(index.row());
    return rows;
}

void selectRow(StationListWidget *widget, int row)
{
    widget->viewSelectionModel()->select(widget->stationModel()->index(row, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// An English window on TV stations of the names (set() changes each) and a
// radio station, each medium with a favorite list holding its first station.
std::unique_ptr<MainWindow> openStations(const Sandbox &sandbox, const QList<QByteArray> &names,
                                         const std::function<void(svl_station *, int)> &set = nullptr)
{
    viewsupport::HandTable hand;
    for (int i = 0; i < names.size(); ++i) {
        svl_station *station = hand.addStation(names[i]);
        if (set)
            set(station, i);
    }
    svl_station *radio = svl_new_station(SVL_VERSION_50);
    radio->ProgramDataByte = 8;
    svl_set_station_name(radio, "Radio Eins");
    svl_append_station(hand.table()->lists[1], radio);
    svl_append_list(hand.table(), svl_new_list("Radio favorites", SVL_KIND_RADIO_FAV, SVL_ATTR_FAVORITE));
    svl_append_station(hand.table()->lists[3], radio);
    svl_append_station(hand.favorites(), hand.base()->stations[0]);
    const QString path = sandbox.path(QStringLiteral("hand.svl50"));
    svl_save_file(hand.table(), QFile::encodeName(path).constData());
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    return openWindow(path);
}

} // namespace

class TestSearchOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
        describeProgram();
    }
    void searchBarFindsAndStepsThroughHits();
    void dialogFilters_data();
    void dialogFilters();
    void outputTakesTheShownListOfTheDocument_data();
    void outputTakesTheShownListOfTheDocument();
    void copiesSelectedRows();
    void failedExportIsReportedAndKeepsTheOldFile();
};

// The hits stay selected while the arrows step through them, wrapping at
// both ends; a click on a base tab, a new table or an empty text clears
// them. Names are searched as decoded, ignoring case in every character
// set, and whatever their raw bytes held as ISO 8859-9 text is still found:
// "W\xFCrz" in ISO 6937 reads "Wŧrz" but holds the Latin-5 byte of "ü".
void TestSearchOutput::searchBarFindsAndStepsThroughHits()
{
    Sandbox sandbox;
    const auto window = openStations(
        sandbox, {"KARL", "Beta", "Marta", "M\xFCnchen", "Z\xC8urich", "\xC5\xD1\xD4", "W\xFCrz", "K\xD6LN", "Wer?"},
        [](svl_station *station, int i) { station->CharSelCode = "555503055"[i] - '0'; });
    StationTableWidget *tables = window->stationTableWidget();
    StationListWidget *base = tables->listWidgets()[0];
    action(*window, "searchAct")->trigger();
    auto *label = tables->searchWidget()->findChild<QLabel *>();
    auto *text = tables->searchWidget()->findChild<QLineEdit *>();
    const QList<QPair<QString, QSet<int>>> searches = {
        {"ü", {3, 4, 6}}, {"ZÜR", {4}}, {"ερτ", {5}}, {"köln", {7}}, {"Ж", {}}};
    for (const auto &search : searches) {
        text->setText(search.first);
        QCOMPARE(selectedRows(base), search.second);
    }
    text->clear();
    QTest::keyClicks(text, QStringLiteral("ar"));
    const QList<QPushButton *> arrows = tables->searchWidget()->findChildren<QPushButton *>();
    const int pressed[] = {-1, 1, 1, 0}, rows[] = {0, 2, 0, 2};  // none, next, next, previous
    for (int i = 0; i < 4; ++i) {
        if (pressed[i] >= 0)
            arrows[pressed[i]]->click();
        QCOMPARE(label->text(), QStringLiteral("%1 of 2").arg(rows[i] / 2 + 1));
        QCOMPARE(base->viewSelectionModel()->currentIndex().row(), rows[i]);
        QCOMPARE(selectedRows(base), QSet<int>({0, 2}));
    }
    QTabBar *tabs = tables->findChildren<QTabWidget *>().last()->tabBar();
    for (int clear = 0; clear < 3; ++clear) {
        text->setText(QStringLiteral("a"));
        QVERIFY(label->text() != QLatin1String("0 of 0"));
        if (clear == 0)
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        else if (clear == 1)
            tables->openFile(window->currentFile());
        else
            text->clear();
        QCOMPARE(text->text() + label->text(), QStringLiteral("0 of 0"));
        QVERIFY(!tables->currentBaseListWidget()->viewSelectionModel()->hasSelection());
    }
}

void TestSearchOutput::dialogFilters_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QSet<int>>("found");
    QTest::newRow("name part, not the unnamed") << 0 << "RAV" << 0 << "" << QSet<int>{1};
    QTest::newRow("DVB-S and HD, not HEVC") << 0 << "" << 3 << "hdBox" << QSet<int>{0};
    QTest::newRow("DVB-C and child lock") << 0 << "" << 2 << "childLockBox" << QSet<int>{2};
    QTest::newRow("DVB-T and EPG") << 0 << "" << 4 << "epgBox" << QSet<int>{3};
    QTest::newRow("Terrestric and encrypted") << 0 << "" << 1 << "encryptedBox" << QSet<int>{4};
    QTest::newRow("no hit") << 0 << "" << 4 << "hdBox" << QSet<int>();
    QTest::newRow("radio favorite list") << 3 << "eins" << 0 << "" << QSet<int>{0};
}

// The hits are selected in the chosen list, brought to the front; every
// other selection is cleared, also when nothing is found.
void TestSearchOutput::dialogFilters()
{
    QFETCH(int, list);
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, box);
    QFETCH(QSet<int>, found);
    Sandbox sandbox;
    const auto window = openStations(sandbox, {"Alpha", "Bravo", "Charlie", "Delta", "Echo", QByteArray()},
                                     [](svl_station *s, int i) {
                                         s->ProgramDataByte = "335413"[i] - '0', s->HiDef = "142001"[i] - '0';
                                         s->childlock = i == 2, s->epg = i == 3, s->encrypted = i == 4;
                                     });
    StationTableWidget *tables = window->stationTableWidget();
    selectRow(tables->listWidgets()[0], 5);
    tables->startAdvancedSearch();
    auto *dialog = qobject_cast<SearchDialog *>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(name);
    dialog->findChild<QComboBox *>(QStringLiteral("listBox"))->setCurrentIndex(list);
    dialog->findChild<QComboBox *>(QStringLiteral("receiveModeBox"))->setCurrentIndex(mode);
    if (!box.isEmpty())
        dialog->findChild<QCheckBox *>(box)->setChecked(true);
    dialog->findChild<QPushButton *>()->click();
    for (StationListWidget *widget : tables->listWidgets())
        QCOMPARE(selectedRows(widget), widget->listIndex() == list ? found : QSet<int>());
    if (!found.isEmpty() && list >= SVL_FIRST_FAV_INDEX)
        QCOMPARE(tables->currentFavListIndex(), list);
    dialog->reject();
}

void TestSearchOutput::outputTakesTheShownListOfTheDocument_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("baseTab");
    QTest::addColumn<int>("output");
    QTest::newRow("svl50 list view: the favorite list") << 50 << 1 << 4;
    QTest::newRow("svl50 list view, no favorite list: the base list") << 0 << 0 << 0;
    QTest::newRow("svl40 list view: the base list") << 40 << 1 << 1;
    QTest::newRow("table view: the current tab's list") << -50 << 3 << 3;
}

// In table view (a negative version) a row removed and not applied is
// still written: the document is, never the working copy.
void TestSearchOutput::outputTakesTheShownListOfTheDocument()
{
    QFETCH(int, version);
    QFETCH(int, baseTab);
    QFETCH(int, output);
    Sandbox sandbox;
    const QString file = version == 0
        ? sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), {}, {QStringLiteral("Radio")}, 60)
        : sandbox.writeTable(QStringLiteral("t.svl%1").arg(qAbs(version)), uint16_t(qAbs(version)), 2, 1, 60);
    const auto window = openWindow(file);
    StationTableWidget *tables = window->stationTableWidget();
    if (version < 0)
        tables->switchToTableView();
    tables->toggleBaseList(baseTab);
    QVERIFY(version >= 0 || tables->currentBaseListWidget()->stationModel()->removeRows(0, 1));
    QCOMPARE(tables->writeCsv(sandbox.path(QStringLiteral("out.csv"))), 0);
    svl_table document = svl_table();
    QCOMPARE(svl_load_file(&document, QFile::encodeName(file).constData()), 0);
    QFile csv(sandbox.path(QStringLiteral("out.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), csvBytes(document.lists[output]));
    svl_free_table(&document, 1);
}

void TestSearchOutput::copiesSelectedRows()
{
    Sandbox sandbox;
    const auto window = openStations(sandbox, {"A", "B", "C", "D", "E"});
    StationTableWidget *tables = window->stationTableWidget();
    selectRow(tables->listWidgets()[0], 4);
    selectRow(tables->listWidgets()[0], 1);
    action(*window, "copyAct")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\tB\n5\tE"));
    tables->switchToTableView();
    selectRow(tables->listWidgets()[0], 2);
    action(*window, "copyAct")->trigger();
    const QStringList cells = QApplication::clipboard()->text().split(QLatin1Char('\t'));
    const uint16_t uid = tables->listWidgets()[0]->stationModel()->stationList()->stations[2]->uid;
    QCOMPARE(cells.size(), 1 + StationColumnCount);
    QCOMPARE(cells.mid(0, 3), QStringList({"3", QString::number(uid), "C"}));
}

// A file size limit makes the write fail halfway, even for root.
void TestSearchOutput::failedExportIsReportedAndKeepsTheOldFile()
{
    Sandbox sandbox;
    const auto window = openStations(sandbox, {"Alpha", "Bravo"});
    QFile csv(sandbox.path(QStringLiteral("old.csv")));
    QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("old") == 3);
    csv.close();
    struct rlimit saved {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const struct rlimit small = {10, saved.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    FileDialogAnswer answer(csv.fileName());
    MessageCatcher replace(QStringLiteral("&Yes"), Strings::text(Strings::OpenSvlFileTitle));
    MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
    action(*window, "exportCsvAct")->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
    QVERIFY(answer.answered() && replace.seen());
    QCOMPARE(error.message().text, "Exporting station table to CSV file '" + csv.fileName() + "' failed");
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), QByteArray("old"));
    QCOMPARE(QDir(sandbox.path(QString())).entryList({"*.csv*"}, QDir::Files), QStringList("old.csv"));
}

QTEST_MAIN(TestSearchOutput)
#include "test_search_output.moc"
