// The lists of the central widget: base and favorite tabs, the list index
// arithmetic, renaming, adding and removing favorite lists, the conversion
// to the new format and the working copy of the table view.
#include <QAbstractItemView>
#include <QMimeData>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <memory>

#include "tests/app/test_mainwindow_support.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

using Stations = QVector<const svl_station *>;

// Writes a version-50 table of 40 stations with the given numbers of TV and
// radio favorite lists, named "tv1", "tv2" … and "radio1" … unless names are
// given.
QString writeFavorites(const Sandbox &sandbox, const QString &fileName, int tv, int radio,
                       const QStringList &tvNames = QStringList())
{
    QStringList tvLists;
    for (int i = 0; i < tv; ++i)
        tvLists << (i < tvNames.size() ? tvNames[i] : QStringLiteral("tv") + QString::number(i + 1));
    QStringList radioLists;
    for (int i = 0; i < radio; ++i)
        radioLists << QStringLiteral("radio") + QString::number(i + 1);
    return sandbox.writeNamedFavorites(fileName, tvLists, radioLists, 40);
}

// The two tab widgets and the add button of the central widget.
struct Tabs {
    QTabWidget *favorites = nullptr;
    QTabWidget *base = nullptr;
    QPushButton *add = nullptr;
    QPushButton *apply = nullptr;
};

Tabs tabsOf(StationTableWidget *widget)
{
    Tabs tabs;
    const QList<QTabWidget *> tabWidgets = widget->findChildren<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly);
    if (tabWidgets.size() == 2) {
        tabs.favorites = tabWidgets[0];
        tabs.base = tabWidgets[1];
    }
    for (QPushButton *button : widget->findChildren<QPushButton *>())
        (button->text() == QLatin1String("+") ? tabs.add : tabs.apply) = button;
    return tabs;
}

QStringList tabTexts(const QTabWidget *tabs)
{
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

bool closeButtonShown(const QTabWidget *tabs, int tab)
{
    const QTabBar *bar = tabs->tabBar();
    return bar->tabButton(tab, QTabBar::RightSide) || bar->tabButton(tab, QTabBar::LeftSide);
}

Stations stationsOf(const StationListWidget *widget)
{
    Stations stations;
    const svl_list *list = widget->stationModel()->stationList();
    for (uint32_t i = 0; i < list->count; ++i)
        stations << list->stations[i];
    return stations;
}

QStringList listNames(const StationTableWidget *widget)
{
    QStringList names;
    for (const StationListWidget *list : widget->listWidgets())
        names << list->stationModel()->listName();
    return names;
}

// Every widget must know its own position: commands and drops find their
// list by it.
bool indexesMatch(const StationTableWidget *widget)
{
    const QList<StationListWidget *> widgets = widget->listWidgets();
    for (int i = 0; i < widgets.size(); ++i) {
        if (widgets[i]->listIndex() != i)
            return false;
    }
    return true;
}

void selectRow(StationListWidget *widget, int row)
{
    const QModelIndex index = widget->stationModel()->index(row, 0);
    widget->viewSelectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace

class TestStationTableWidgetLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void favoriteTabsFollowTheBaseTab_data();
    void favoriteTabsFollowTheBaseTab();
    void clickedBaseTabBringsItsFavorites();
    void emptyFavoriteTabsNameNoList();
    void showListBringsItToTheFront_data();
    void showListBringsItToTheFront();
    void selectionChoosesTheList();
    void renameList_data();
    void renameList();
    void addedListsStandAfterTheirKind();
    void refusedAdditionsChangeNothing();
    void removedListComesBackInPlace();
    void conversionAddsFavoritesAndNumbersStations();
    void conversionRenamesOnlyTheExtension();
    void unappliedChangesAreLostAtTheSwitch();
    void tablesAreFittedWhenShown();
    void applyCommitsTheWorkingCopy();
};

void TestStationTableWidgetLists::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

void TestStationTableWidgetLists::favoriteTabsFollowTheBaseTab_data()
{
    QTest::addColumn<int>("tv");
    QTest::addColumn<int>("radio");
    QTest::addColumn<int>("baseTab");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<int>("favoriteIndex");

    QTest::newRow("no favorites, TV") << 0 << 0 << 0 << QStringList() << -1;
    QTest::newRow("one each, TV") << 1 << 1 << 0 << QStringList{"tv1"} << 2;
    QTest::newRow("one each, radio") << 1 << 1 << 1 << QStringList{"radio1"} << 3;
    QTest::newRow("TV only, radio tab") << 1 << 0 << 1 << QStringList() << -1;
    QTest::newRow("radio only, radio tab") << 0 << 1 << 1 << QStringList{"radio1"} << 2;
    const QStringList eightRadio{"radio1", "radio2", "radio3", "radio4", "radio5", "radio6", "radio7", "radio8"};
    QTest::newRow("eight each, radio") << 8 << 8 << 1 << eightRadio << 10;
    QTest::newRow("one TV, eight radio") << 1 << 8 << 1 << eightRadio << 3;
}

void TestStationTableWidgetLists::favoriteTabsFollowTheBaseTab()
{
    QFETCH(int, tv);
    QFETCH(int, radio);
    QFETCH(int, baseTab);
    QFETCH(QStringList, tabs);
    QFETCH(int, favoriteIndex);
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), tv, radio));
    StationTableWidget *widget = window->stationTableWidget();
    const Tabs shown = tabsOf(widget);
    QVERIFY(shown.favorites && shown.base && shown.add);
    QCOMPARE(tabTexts(shown.base), (QStringList{"ALL_TV", "ALL_Radio"}));
    QCOMPARE(widget->listWidgets().size(), 2 + tv + radio);

    widget->toggleBaseList(baseTab);
    QCOMPARE(shown.base->currentIndex(), baseTab);
    QCOMPARE(tabTexts(shown.favorites), tabs);
    QCOMPARE(widget->currentFavListIndex(), favoriteIndex);
    QCOMPARE(widget->currentFavListWidget(), widget->listWidgets().value(favoriteIndex));
    QCOMPARE(widget->currentBaseListWidget(), widget->listWidgets().value(baseTab));
    QCOMPARE(widget->countListsOfKind(SVL_KIND_TV_FAV), tv);
    QCOMPARE(widget->countListsOfKind(SVL_KIND_RADIO_FAV), radio);
    // The last favorite list of a medium cannot be closed.
    QCOMPARE(shown.favorites->tabsClosable(), tabs.size() >= 2);
    for (int tab = 0; tab < tabs.size(); ++tab)
        QCOMPARE(closeButtonShown(shown.favorites, tab), tabs.size() >= 2);
    QCOMPARE(shown.add->isEnabled(), tabs.size() < SVL_MAX_FAV_LISTS);
}

void TestStationTableWidgetLists::clickedBaseTabBringsItsFavorites()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 3));
    window->show();
    StationTableWidget *widget = window->stationTableWidget();
    const Tabs shown = tabsOf(widget);
    widget->showList(3);
    selectRow(widget->listWidgets()[3], 0);
    QTabBar *bar = shown.base->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
    QCOMPARE(shown.base->currentIndex(), 1);
    QCOMPARE(tabTexts(shown.favorites), (QStringList{"radio1", "radio2", "radio3"}));
    QCOMPARE(shown.favorites->currentIndex(), 0);
    QCOMPARE(widget->currentFavListIndex(), 4);
    QVERIFY(!widget->listWidgets()[3]->viewSelectionModel()->hasSelection());
}

// An svl40 table has no favorite lists: no other list may be taken for the
// current favorite list, or the base lists would exclude each other's
// selections.
void TestStationTableWidgetLists::emptyFavoriteTabsNameNoList()
{
    Sandbox sandbox;
    const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40));
    window->show();
    StationTableWidget *widget = window->stationTableWidget();
    QVERIFY(!tabsOf(widget).favorites->isVisible());
    QCOMPARE(widget->listWidgets().size(), 2);
    for (int baseTab : {0, 1}) {
        widget->toggleBaseList(baseTab);
        QCOMPARE(widget->currentFavListIndex(), -1);
        QVERIFY(!widget->currentFavListWidget());
    }
}

void TestStationTableWidgetLists::showListBringsItToTheFront_data()
{
    QTest::addColumn<bool>("tableView");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("baseTab");
    QTest::addColumn<int>("favoriteTab");

    QTest::newRow("TV base") << false << 0 << 0 << 0;
    QTest::newRow("radio base") << false << 1 << 1 << 0;
    QTest::newRow("first TV favorite") << false << 2 << 0 << 0;
    QTest::newRow("last TV favorite") << false << 3 << 0 << 1;
    QTest::newRow("first radio favorite") << false << 4 << 1 << 0;
    QTest::newRow("third radio favorite") << false << 6 << 1 << 2;
    QTest::newRow("table view, radio favorite") << true << 5 << 5 << -1;
}

void TestStationTableWidgetLists::showListBringsItToTheFront()
{
    QFETCH(bool, tableView);
    QFETCH(int, listIndex);
    QFETCH(int, baseTab);
    QFETCH(int, favoriteTab);
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 3));
    StationTableWidget *widget = window->stationTableWidget();
    if (tableView)
        widget->switchToTableView();
    const Tabs shown = tabsOf(widget);
    widget->showList(listIndex == 1 ? 4 : 1);
    widget->showList(listIndex);
    QCOMPARE(shown.base->currentIndex(), baseTab);
    if (!tableView)
        QCOMPARE(shown.favorites->currentIndex(), favoriteTab);
    if (listIndex >= 2)
        QCOMPARE(widget->currentFavListIndex(), listIndex);

    // Unknown lists leave everything where it is.
    widget->showList(-1);
    widget->showList(widget->listWidgets().size());
    QCOMPARE(shown.base->currentIndex(), baseTab);
}

void TestStationTableWidgetLists::selectionChoosesTheList()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 1));
    StationTableWidget *widget = window->stationTableWidget();
    widget->showList(3);
    StationListWidget *base = widget->listWidgets()[0];
    StationListWidget *favorite = widget->listWidgets()[3];
    QCOMPARE(widget->selectedListWidget(), favorite);
    QCOMPARE(widget->otherListWidget(), base);

    selectRow(base, 1);
    QCOMPARE(widget->selectedListWidget(), base);
    QCOMPARE(widget->otherListWidget(), favorite);
    QCOMPARE(widget->selectedListIndex(), 0);

    selectRow(favorite, 0);
    QCOMPARE(widget->selectedListWidget(), favorite);
    QCOMPARE(widget->otherListWidget(), base);
    QCOMPARE(widget->selectedListIndex(), 3);
}

void TestStationTableWidgetLists::renameList_data()
{
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("result");

    QTest::newRow("new name") << 3 << "Sport" << 0;
    QTest::newRow("own name") << 3 << "tv2" << 0;
    QTest::newRow("other favorite's name") << 3 << "tv1" << 2;
    QTest::newRow("base list's name") << 4 << "ALL_Radio" << 2;
    QTest::newRow("empty name") << 2 << "" << 1;
    QTest::newRow("base list") << 1 << "Sport" << 1;
    QTest::newRow("beyond the table") << 5 << "Sport" << 1;
}

void TestStationTableWidgetLists::renameList()
{
    QFETCH(int, listIndex);
    QFETCH(QString, name);
    QFETCH(int, result);
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 1));
    StationTableWidget *widget = window->stationTableWidget();
    const QStringList before = listNames(widget);
    QCOMPARE(widget->renameList(listIndex, name), result);
    QStringList expected = before;
    if (result == 0)
        expected[listIndex] = name;
    QCOMPARE(listNames(widget), expected);
    widget->showList(3);
    QCOMPARE(tabTexts(tabsOf(widget).favorites), expected.mid(2, 2));
}

// A TV favorite list goes behind the last TV favorite, before the radio
// favorites, which then stand one index further on.
void TestStationTableWidgetLists::addedListsStandAfterTheirKind()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 2));
    StationTableWidget *widget = window->stationTableWidget();
    const Stations radioFavorite = stationsOf(widget->listWidgets()[4]);
    widget->showList(5);

    QCOMPARE(widget->addFavoriteList(QStringLiteral("news"), SVL_KIND_TV_FAV), 0);
    QCOMPARE(listNames(widget), (QStringList{"ALL_TV", "ALL_Radio", "tv1", "tv2", "news", "radio1", "radio2"}));
    QVERIFY(indexesMatch(widget));
    QCOMPARE(stationsOf(widget->listWidgets()[5]), radioFavorite);
    QCOMPARE(widget->listWidgets()[4]->stationModel()->listKind(), uint32_t(SVL_KIND_TV_FAV));
    QCOMPARE(widget->listWidgets()[4]->stationModel()->rowCount(), 0);
    // The user still looks at the radio favorite list chosen before.
    QCOMPARE(widget->currentFavListIndex(), 6);

    QCOMPARE(widget->addFavoriteList(QStringLiteral("music"), SVL_KIND_RADIO_FAV), 0);
    QCOMPARE(listNames(widget).last(), QStringLiteral("music"));
    QCOMPARE(tabTexts(tabsOf(widget).favorites), (QStringList{"radio1", "radio2", "music"}));
    QVERIFY(indexesMatch(widget));
}

// An addition that would break the list order or the file format, or finds
// no unique name, adds nothing and leaves every widget at its list.
void TestStationTableWidgetLists::refusedAdditionsChangeNothing()
{
    Sandbox sandbox;
    QStringList taken{"new tab"};
    for (int digit = 1; digit <= 7; ++digit)
        taken << QStringLiteral("new tab%1").arg(digit);
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 8, 1, taken));
    StationTableWidget *widget = window->stationTableWidget();
    QCOMPARE(widget->renameList(10, QStringLiteral("new tab8")), 0);
    QCOMPARE(widget->addFavoriteList(QStringLiteral("new tab"), SVL_KIND_RADIO_FAV), 0);
    QCOMPARE(listNames(widget).last(), QStringLiteral("new tab9"));
    const QStringList before = listNames(widget);

    QCOMPARE(widget->addFavoriteList(QStringLiteral("more"), SVL_KIND_TV_FAV), 1);  // a ninth
    QCOMPARE(widget->addFavoriteList(QStringLiteral("new tab"), SVL_KIND_RADIO_FAV), 1);
    QCOMPARE(widget->addFavoriteList(QStringLiteral("base"), SVL_KIND_TV), 1);
    QCOMPARE(listNames(widget), before);
    QVERIFY(indexesMatch(widget));
}

void TestStationTableWidgetLists::removedListComesBackInPlace()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 3, 1));
    StationTableWidget *widget = window->stationTableWidget();
    const Tabs shown = tabsOf(widget);
    const Stations middle = stationsOf(widget->listWidgets()[3]);
    widget->showList(4);

    QVERIFY(!widget->removeListAt(0));
    QVERIFY(!widget->removeListAt(1));
    QVERIFY(!widget->removeListAt(6));
    svl_list *removed = widget->removeListAt(3);
    QVERIFY(removed);
    QCOMPARE(QString::fromUtf8(removed->name), QStringLiteral("tv2"));
    QCOMPARE(tabTexts(shown.favorites), (QStringList{"tv1", "tv3"}));
    QCOMPARE(widget->currentFavListIndex(), 3);
    QVERIFY(indexesMatch(widget));

    QCOMPARE(widget->insertListAt(1, removed), 1);
    QCOMPARE(widget->insertListAt(3, removed), 0);
    QCOMPARE(tabTexts(shown.favorites), (QStringList{"tv1", "tv2", "tv3"}));
    QCOMPARE(stationsOf(widget->listWidgets()[3]), middle);
    QVERIFY(indexesMatch(widget));

    // Down to one list: it can no longer be closed.
    svl_free_list(widget->removeListAt(2), 0);
    QVERIFY(shown.favorites->tabsClosable());
    svl_free_list(widget->removeListAt(2), 0);
    QVERIFY(!shown.favorites->tabsClosable());
    QCOMPARE(tabTexts(shown.favorites), QStringList{"tv3"});
}

void TestStationTableWidgetLists::conversionAddsFavoritesAndNumbersStations()
{
    Sandbox sandbox;
    const QString path = sandbox.writeTable(QStringLiteral("old.svl40"), SVL_VERSION_40);
    const auto window = openWindow(path);
    StationTableWidget *widget = window->stationTableWidget();
    QVERIFY(window->convertTableAction()->isEnabled());
    const Stations tv = stationsOf(widget->listWidgets()[0]);
    const Stations radio = stationsOf(widget->listWidgets()[1]);
    QVERIFY(!tv.isEmpty() && !radio.isEmpty());

    window->convertTableAction()->trigger();
    QCOMPARE(widget->tableVersion(), quint16(SVL_VERSION_50));
    QCOMPARE(listNames(widget), (QStringList{"ALL_TV", "ALL_Radio", "ALL_TV1", "ALL_Radio1"}));
    QCOMPARE(widget->listWidgets()[2]->stationModel()->listKind(), uint32_t(SVL_KIND_TV_FAV));
    QCOMPARE(widget->listWidgets()[3]->stationModel()->listKind(), uint32_t(SVL_KIND_RADIO_FAV));
    QCOMPARE(stationsOf(widget->listWidgets()[2]), tv);
    QCOMPARE(stationsOf(widget->listWidgets()[3]), radio);
    QVERIFY(tabsOf(widget).favorites->isVisibleTo(window.get()));

    QVERIFY(!window->convertTableAction()->isEnabled());
    QCOMPARE(window->currentFile(), sandbox.path(QStringLiteral("old.svl50")));
    QCOMPARE(window->windowFilePath(), sandbox.path(QStringLiteral("old.svl50")));
    QVERIFY(window->isWindowModified());

    // The converted table is written in the new format and reads back whole.
    QVERIFY(QFile::exists(path));
    const QString saved = sandbox.path(QStringLiteral("new.svl50"));
    QCOMPARE(widget->saveFile(saved), 0);
    QCOMPARE(widget->openFile(saved), 0);
    QCOMPARE(widget->tableVersion(), quint16(SVL_VERSION_50));
    QCOMPARE(listNames(widget), (QStringList{"ALL_TV", "ALL_Radio", "ALL_TV1", "ALL_Radio1"}));
    QCOMPARE(widget->listWidgets()[3]->stationModel()->rowCount(), radio.size());
}

void TestStationTableWidgetLists::conversionRenamesOnlyTheExtension()
{
    Sandbox sandbox;
    QVERIFY(QDir().mkpath(sandbox.path(QStringLiteral("tables.svl40"))));
    const QString path = sandbox.writeTable(QStringLiteral("tables.svl40/old.svl40"), SVL_VERSION_40);
    const auto window = openWindow(path);
    window->stationTableWidget()->convertTableToNewVersion();
    QCOMPARE(window->currentFile(), sandbox.path(QStringLiteral("tables.svl40/old.svl50")));
}

void TestStationTableWidgetLists::unappliedChangesAreLostAtTheSwitch()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 1, 1));
    StationTableWidget *widget = window->stationTableWidget();
    const svl_list *documentList = widget->listWidgets()[0]->stationModel()->stationList();
    const Stations document = stationsOf(widget->listWidgets()[0]);

    widget->switchToTableView();
    QCOMPARE(widget->listWidgets().size(), 4);
    QCOMPARE(tabTexts(tabsOf(widget).base), (QStringList{"ALL_TV", "ALL_Radio", "tv1", "radio1"}));
    StationListModel *model = widget->listWidgets()[0]->stationModel();
    QCOMPARE(model->columnCount(), int(StationColumnCount));
    QVERIFY(model->stationList() != documentList);
    model->sort(NameColumn, Qt::DescendingOrder);
    QVERIFY(stationsOf(widget->listWidgets()[0]) != document);
    QCOMPARE(window->undoStack()->count(), 1);

    widget->switchToListView();
    QCOMPARE(stationsOf(widget->listWidgets()[0]), document);
    // The sort belonged to the discarded working copy: nothing is left to undo.
    QCOMPARE(window->undoStack()->count(), 0);
    QVERIFY(!window->isWindowModified());
}

void TestStationTableWidgetLists::tablesAreFittedWhenShown()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 2, 2));
    StationTableWidget *widget = window->stationTableWidget();
    widget->switchToTableView();
    const auto nameWidth = [widget](int listIndex) {
        return static_cast<QTableView *>(widget->listWidgets()[listIndex]->view())->columnWidth(NameColumn);
    };
    QCOMPARE(nameWidth(0), 200);
    for (int listIndex = 1; listIndex < widget->listWidgets().size(); ++listIndex) {
        widget->showList(listIndex);
        QCOMPARE(nameWidth(listIndex), 200);
    }
    // A width the user chose stays when the tab comes back.
    static_cast<QTableView *>(widget->listWidgets()[0]->view())->setColumnWidth(NameColumn, 321);
    widget->showList(0);
    QCOMPARE(nameWidth(0), 321);
}

void TestStationTableWidgetLists::applyCommitsTheWorkingCopy()
{
    Sandbox sandbox;
    const auto window = openWindow(writeFavorites(sandbox, QStringLiteral("t.svl50"), 1, 1));
    StationTableWidget *widget = window->stationTableWidget();
    widget->switchToTableView();
    const Tabs shown = tabsOf(widget);
    widget->showList(2);
    StationListModel *model = widget->listWidgets()[2]->stationModel();
    model->sort(NameColumn, Qt::AscendingOrder);
    const Stations sorted = stationsOf(widget->listWidgets()[2]);
    QVERIFY(!window->isWindowModified());

    QTest::mouseClick(shown.apply, Qt::LeftButton);
    QCOMPARE(window->undoStack()->count(), 0);
    QVERIFY(window->isWindowModified());
    QCOMPARE(shown.base->currentIndex(), 2);
    QCOMPARE(stationsOf(widget->listWidgets()[2]), sorted);

    widget->switchToListView();
    QCOMPARE(stationsOf(widget->listWidgets()[2]), sorted);
    const QString saved = sandbox.path(QStringLiteral("sorted.svl50"));
    QCOMPARE(widget->saveFile(saved), 0);
    QCOMPARE(widget->openFile(saved), 0);
    QCOMPARE(stationsOf(widget->listWidgets()[2]).size(), sorted.size());
}

QTEST_MAIN(TestStationTableWidgetLists)
#include "test_stationtablewidget_lists.moc"
