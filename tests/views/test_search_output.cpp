// Searching the window's lists; the list the central widget exports, the
// text it copies, and the report of a failed export.
#include <QtWidgets>

#include <sys/resource.h>

#include <csignal>

#include "output/csv_export.h"
#include "fields/station_fields.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/searchdialog.h"
#include "views/searchwidget.h"

using namespace testsupport;

namespace {

// An English window on TV stations of the names (set() changes each) and a
// radio station, each medium with a favorite list holding its first station.
std::unique_ptr<MainWindow> openStations(const Sandbox &sandbox, const QList<QByteArray> &names,
                                         const std::function<void(svl_station *, int)> &set = [](svl_station *, int) {})
{
    viewsupport::HandTable hand;
    for (int i = 0; i < names.size(); ++i)
        set(hand.addStation(names[i]), i);
    svl_append_station(hand.list(3), hand.addStation("Radio Eins", true));
    svl_append_station(hand.list(2), hand.base()->stations[0]);
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
    void initTestCase() { prepareWindowTests(); }

    // The hits stay selected while the arrows step through them, wrapping at
    // both ends; a click on a base tab, a new table or an empty text clears
    // them. Names are searched as decoded, ignoring case in every character
    // set, and whatever their raw bytes held as ISO 8859-9 text is still found:
    // "W\xFCrz" in ISO 6937 reads "Wŧrz" but holds the Latin-5 byte of "ü".
    void searchBarFindsAndStepsThroughHits()
    {
        Sandbox sandbox;
        const auto window = openStations(
            sandbox, {"KARL", "Beta", "Marta", "M\xFCnchen", "Z\xC8urich", "\xC5\xD1\xD4", "W\xFCrz", "K\xD6LN",
                      "Wer?"},
            [](svl_station *station, int i) { station->CharSelCode = "555503055"[i] - '0'; });
        StationTableWidget *tables = window->stationTableWidget();
        StationListWidget *base = tables->listWidgets()[0];
        action(*window, "searchAct")->trigger();
        auto *label = tables->searchWidget()->findChild<QLabel *>();
        auto *text = tables->searchWidget()->findChild<QLineEdit *>();
        const QList<QPair<QString, QVector<int>>> searches = {
            {"ü", {3, 4, 6}}, {"ZÜR", {4}}, {"ερτ", {5}}, {"köln", {7}}, {"Ж", {}}};
        for (const auto &search : searches) {
            text->setText(search.first);
            QCOMPARE(selectedRowsOf(base), search.second);
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
            QCOMPARE(selectedRowsOf(base), QVector<int>({0, 2}));
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

    // The hits are selected in the chosen list, brought to the front; every
    // other selection is cleared, also when nothing is found. The last two
    // stations are copies, the duplicates; a further filter narrows them down.
    void dialogFilters()
    {
        Sandbox sandbox;
        const auto window = openStations(sandbox,
                                         {"Alpha", "Bravo", "Charlie", "Delta", "Echo", QByteArray(), "Alpha", "Charlie"},
                                         [](svl_station *s, int i) {
                                             s->ProgramDataByte = "33541333"[i] - '0', s->HiDef = "14200100"[i] - '0';
                                             s->childlock = i == 2 || i == 7, s->epg = i == 3, s->encrypted = i == 4;
                                         });
        StationTableWidget *tables = window->stationTableWidget();
        tables->startAdvancedSearch();
        auto *dialog = qobject_cast<SearchDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        const struct { int list; const char *name; int mode; const char *box; QVector<int> found; } searches[] = {
            {0, "RAV", 0, "", {1}}, {0, "", 3, "hdBox", {0}} /* not HEVC */, {0, "", 2, "", {2}},
            {0, "", 4, "", {3}}, {0, "", 1, "", {4}}, {0, "", 0, "childLockBox", {2, 7}}, {0, "", 0, "epgBox", {3}},
            {0, "", 0, "encryptedBox", {4}}, {0, "", 4, "hdBox", {}}, {0, "", 0, "duplicatesBox", {6, 7}},
            {0, "", 0, "duplicatesBox childLockBox", {7}}, {3, "eins", 0, "", {0}} /* a radio favorite list */,
        };
        for (const auto &search : searches) {
            selectRows(tables->listWidgets()[0], 5, 5);
            dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(QLatin1String(search.name));
            dialog->findChild<QComboBox *>(QStringLiteral("listBox"))->setCurrentIndex(search.list);
            dialog->findChild<QComboBox *>(QStringLiteral("receiveModeBox"))->setCurrentIndex(search.mode);
            for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
                box->setChecked(QString::fromLatin1(search.box).split(QLatin1Char(' ')).contains(box->objectName()));
            dialog->findChild<QPushButton *>()->click();
            for (StationListWidget *widget : tables->listWidgets())
                QCOMPARE(selectedRowsOf(widget), widget->listIndex() == search.list ? search.found : QVector<int>());
        }
        QCOMPARE(tables->currentFavListIndex(), 3);
        dialog->reject();
    }

    // Output takes the list beside the base list in list view, the base list
    // when its medium has no favorite list, and the current tab's list of the
    // document in table view, without a row removed there and not applied.
    void outputTakesTheShownListOfTheDocument()
    {
        Sandbox sandbox;
        const QString svl50 = sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 60);
        const QString svl40 = sandbox.writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40, 0, 1, 60);
        const QString tvWithout = sandbox.writeNamedFavorites(QStringLiteral("r.svl50"), {}, {QStringLiteral("R")}, 60);
        const struct { QString file; bool tableView; int baseTab, output; } cases[] = {
            {svl50, false, 1, 4}, {tvWithout, false, 0, 0}, {svl40, false, 1, 1}, {svl50, true, 3, 3}};
        for (const auto &c : cases) {
            const auto window = openWindow(c.file);
            StationTableWidget *tables = window->stationTableWidget();
            if (c.tableView)
                tables->switchToTableView();
            tables->toggleBaseList(c.baseTab);
            QVERIFY(!c.tableView || tables->currentBaseListWidget()->stationModel()->removeRows(0, 1));
            QCOMPARE(tables->writeCsv(sandbox.path(QStringLiteral("out.csv"))), 0);
            OwnedTable document;
            QCOMPARE(svl_load_file(&document.table, QFile::encodeName(c.file).constData()), 0);
            QFile csv(sandbox.path(QStringLiteral("out.csv")));
            QVERIFY(csv.open(QIODevice::ReadOnly));
            QCOMPARE(csv.readAll(), csvBytes(document.list(c.output)));
        }
    }

    void copiesSelectedRows()
    {
        Sandbox sandbox;
        const auto window = openStations(sandbox, {"A", "B", "C", "D", "E"});
        StationTableWidget *tables = window->stationTableWidget();
        selectRows(tables->listWidgets()[0], 4, 4);
        selectRows(tables->listWidgets()[0], 1, 1, QItemSelectionModel::Select);
        action(*window, "copyAct")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2\tB\n5\tE"));
        tables->switchToTableView();
        selectRows(tables->listWidgets()[0], 2, 2);
        action(*window, "copyAct")->trigger();
        const QStringList cells = QApplication::clipboard()->text().split(QLatin1Char('\t'));
        QCOMPARE(cells.size(), 1 + StationColumnCount);
        const svl_station *third = tables->listWidgets()[0]->stationModel()->stationList()->stations[2];
        QCOMPARE(cells.mid(0, 3), QStringList({"3", QString::number(third->uid), "C"}));
    }

    // A file size limit makes the write fail halfway, even for root.
    void failedExportIsReportedAndKeepsTheOldFile()
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
        MessageCatcher replace(QStringLiteral("&Yes"), Strings::text(Strings::OpenSvlFileTitle));
        MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
        triggerChoosingFile(*window, "exportCsvAct", csv.fileName());
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_DFL);
        QVERIFY(replace.seen());
        QCOMPARE(error.message().text, "Exporting station table to CSV file '" + csv.fileName() + "' failed");
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), QByteArray("old"));
        QCOMPARE(QDir(sandbox.path(QString())).entryList({"*.csv*"}, QDir::Files), QStringList("old.csv"));
    }
};

QTEST_MAIN(TestSearchOutput)
#include "test_search_output.moc"
