// The search bar and the advanced search dialog over the window's lists.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCodec>

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

StationListWidget *listWidget(const MainWindow &window, int index)
{
    return window.stationTableWidget()->listWidgets().value(index);
}

QSet<int> selectedRows(const StationListWidget *widget)
{
    QSet<int> rows;
    for (const QModelIndex &index : widget->viewSelectionModel()->selectedIndexes())
        rows.insert(index.row());
    return rows;
}

QStringList selectedNames(const StationListWidget *widget)
{
    QStringList names;
    for (const QModelIndex &index : widget->viewSelectionModel()->selectedRows())
        names << widget->stationModel()->fieldText(index);
    names.sort();
    return names;
}

// A version-50 table of TV stations with the names, one radio station and
// a favorite list of each medium, written to a file in the sandbox.
QString writeStations(const Sandbox &sandbox, const QList<QByteArray> &names,
                      const std::function<void(svl_station *, int)> &set = nullptr)
{
    viewsupport::HandTable hand;
    for (int i = 0; i < names.size(); ++i) {
        svl_station *station = hand.addStation(names[i]);
        if (set)
            set(station, i);
    }
    svl_append_station(hand.favorites(), hand.base()->stations[0]);
    svl_station *radio = svl_new_station(SVL_VERSION_50);
    radio->ProgramDataByte = 8;
    svl_set_station_name(radio, "Radio Eins");
    svl_append_station(hand.table()->lists[1], radio);
    svl_list *radioFavorites = svl_new_list("Radio favorites", SVL_KIND_RADIO_FAV, SVL_ATTR_FAVORITE);
    svl_append_station(radioFavorites, radio);
    svl_append_list(hand.table(), radioFavorites);
    const QString path = sandbox.path(QStringLiteral("hand.svl50"));
    return svl_save_file(hand.table(), QFile::encodeName(path).constData()) == 0 ? path : QString();
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void searchBarStepsThroughHits();
    void searchBarFindsDecodedNamesAndRawBytes();
    void switchingTabsOrTablesClearsHits();
    void dialogFilters_data();
    void dialogFilters();
};

void TestSearch::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

void TestSearch::searchBarStepsThroughHits()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow(writeStations(sandbox, {"KARL", "Beta", "Marta"}));
    action(*window, "searchAct")->trigger();
    SearchWidget *bar = window->stationTableWidget()->searchWidget();
    QVERIFY(!bar->isHidden());
    auto *label = bar->findChild<QLabel *>();
    QTest::keyClicks(bar->findChild<QLineEdit *>(), QStringLiteral("ar"));
    StationListWidget *base = listWidget(*window, 0);
    QCOMPARE(selectedRows(base), QSet<int>({0, 2}));
    const QList<QPushButton *> buttons = bar->findChildren<QPushButton *>();
    QPushButton *previous = buttons[0], *next = buttons[1];
    const struct {
        QPushButton *button;
        QString label;
        int row;
    } steps[] = {{nullptr, "1 of 2", 0}, {next, "2 of 2", 2}, {next, "1 of 2", 0}, {previous, "2 of 2", 2}};
    for (const auto &step : steps) {
        if (step.button)
            step.button->click();
        QCOMPARE(label->text(), step.label);
        QCOMPARE(base->viewSelectionModel()->currentIndex().row(), step.row);
        QCOMPARE(selectedRows(base), QSet<int>({0, 2}));
    }
    bar->findChild<QLineEdit *>()->clear();
    QCOMPARE(label->text(), QStringLiteral("0 of 0"));
    QVERIFY(!base->viewSelectionModel()->hasSelection());
}

// Whatever the raw bytes of a name contain, compared as ISO 8859-9 text,
// is found, and so is every name whose decoded text contains the typed
// text, ignoring case, in whatever character set the name is stored.
void TestSearch::searchBarFindsDecodedNamesAndRawBytes()
{
    Sandbox sandbox;
    const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 7, 3000));
    StationListWidget *base = listWidget(*window, 0);
    const svl_list *list = base->stationModel()->stationList();
    QTextCodec *latin5 = QTextCodec::codecForName("ISO 8859-9");
    for (const char *typed : {"ü", "ZÜR", "köln", "ΕΡΤ", "первый", "hd", "\\"}) {
        const QString text = QString::fromUtf8(typed);
        QSet<int> expected;
        uint32_t *indexes = nullptr;
        const int found = latin5->canEncode(text)
            ? svl_find_stations_by_name(list, latin5->fromUnicode(text).constData(), &indexes) : 0;
        for (int i = 0; i < found; ++i)
            expected.insert(int(indexes[i]));
        svl_free_indexes(indexes);
        for (uint32_t row = 0; row < list->count; ++row) {
            if (stationNameText(list->stations[row]).contains(text, Qt::CaseInsensitive))
                expected.insert(int(row));
        }
        window->stationTableWidget()->searchWidget()->doSearch(text);
        QCOMPARE(selectedRows(base), expected);
        QVERIFY2(!expected.isEmpty() || text == "\\", qPrintable(text));
    }
}

void TestSearch::switchingTabsOrTablesClearsHits()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const QString file = sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 200);
    const auto window = openWindow(file);
    StationTableWidget *tables = window->stationTableWidget();
    auto *text = tables->searchWidget()->findChild<QLineEdit *>();
    auto *label = tables->searchWidget()->findChild<QLabel *>();
    const std::function<void()> changes[] = {
        [&] {
            QTabBar *tabs = tables->findChildren<QTabWidget *>().last()->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        },
        [&] { tables->openFile(file); },
    };
    for (const auto &change : changes) {
        text->setText(QStringLiteral("a"));
        QVERIFY(label->text() != QLatin1String("0 of 0"));
        change();
        QCOMPARE(text->text(), QString());
        QCOMPARE(label->text(), QStringLiteral("0 of 0"));
    }
}

void TestSearch::dialogFilters_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("everything named") << 0 << "" << 0 << "" << QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo"};
    QTest::newRow("name part") << 0 << "RAV" << 0 << "" << QStringList{"Bravo"};
    QTest::newRow("DVB-S and HD, not HEVC") << 0 << "" << 3 << "hdBox" << QStringList{"Alpha"};
    QTest::newRow("Terrestric") << 0 << "" << 1 << "" << QStringList{"Echo"};
    QTest::newRow("DVB-C and child lock") << 0 << "" << 2 << "childLockBox" << QStringList{"Charlie"};
    QTest::newRow("DVB-T and EPG") << 0 << "" << 4 << "epgBox" << QStringList{"Delta"};
    QTest::newRow("encrypted") << 0 << "" << 0 << "encryptedBox" << QStringList{"Echo"};
    QTest::newRow("no hit") << 0 << "" << 4 << "hdBox" << QStringList();
    QTest::newRow("radio favorite list") << 3 << "eins" << 0 << "" << QStringList{"Radio Eins"};
}

// The hits are selected in the chosen list, brought to the front; every
// other selection is cleared, also when nothing is found.
void TestSearch::dialogFilters()
{
    QFETCH(int, list);
    QFETCH(QString, name);
    QFETCH(int, mode);
    QFETCH(QString, boxes);
    QFETCH(QStringList, found);
    Sandbox sandbox;
    // Alpha DVB-S HD, Bravo DVB-S HEVC, Charlie DVB-C HD locked, Delta
    // DVB-T with EPG, Echo analogue encrypted, one more without a name.
    const auto window = openWindow(writeStations(
        sandbox, {"Alpha", "Bravo", "Charlie", "Delta", "Echo", QByteArray()}, [](svl_station *station, int i) {
            const uint8_t types[] = {3, 3, 5, 4, 1, 3}, hiDefs[] = {1, 4, 2, 0, 0, 1};
            station->ProgramDataByte = types[i];
            station->HiDef = hiDefs[i];
            station->childlock = i == 2;
            station->epg = i == 3;
            station->encrypted = i == 4;
        }));
    StationTableWidget *tables = window->stationTableWidget();
    listWidget(*window, 0)->viewSelectionModel()->select(
        listWidget(*window, 0)->stationModel()->index(5, 0), QItemSelectionModel::Select);
    tables->startAdvancedSearch();
    auto *dialog = qobject_cast<SearchDialog *>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->findChild<QLineEdit *>(QStringLiteral("nameEdit"))->setText(name);
    dialog->findChild<QComboBox *>(QStringLiteral("listBox"))->setCurrentIndex(list);
    dialog->findChild<QComboBox *>(QStringLiteral("receiveModeBox"))->setCurrentIndex(mode);
    if (!boxes.isEmpty())
        dialog->findChild<QCheckBox *>(boxes)->setChecked(true);
    dialog->findChild<QPushButton *>()->click();
    for (StationListWidget *widget : tables->listWidgets())
        QCOMPARE(selectedNames(widget), widget->listIndex() == list ? found : QStringList());
    if (!found.isEmpty() && list >= SVL_FIRST_FAV_INDEX)
        QCOMPARE(tables->currentFavListWidget(), listWidget(*window, list));
    dialog->reject();
}

QTEST_MAIN(TestSearch)
#include "test_search.moc"
