// The central widget's document and lists: replacing, merging, writing and
// converting the table, its two presentations and their tabs, the list
// index arithmetic, favorite lists and the table view's working copy; in its
// station views the actions, selections, context menus and favorite mark.
#include <QAccessible>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include "tests/app/test_mainwindow_support.h"
#include "fields/station_fields.h"
#include "views/stationlistdelegate.h"

using namespace testsupport;

namespace {

// Every list of the file as its name and the names of its stations, in
// order, joined by "|"; empty when the file holds no table.
QStringList contentsOf(const QString &path)
{
    OwnedTable table;
    QStringList lists;
    if (svl_load_file(&table.table, QFile::encodeName(path).constData()) == 0) {
        for (uint32_t i = 0; i < table->list_count; ++i) {
            QStringList names{QString::fromUtf8(table.list(i)->name)};
            for (uint32_t j = 0; j < table.list(i)->count; ++j)
                names << stationNameText(table.list(i)->stations[j]);
            lists << names.join(QLatin1Char('|'));
        }
    }
    return lists;
}

QStringList numbered(const QString &name, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << name + QString::number(i);
    return names;
}

// The two tab widgets and the two buttons of the central widget.
struct Tabs {
    QTabWidget *favorites;
    QTabWidget *base;
    QWidget *add;
    QPushButton *apply;
};

Tabs tabsOf(StationTableWidget *widget)
{
    const auto tabs = widget->findChildren<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly);
    const auto buttons = widget->findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    return {tabs.value(0), tabs.value(1), tabs.value(0)->cornerWidget(), buttons.value(0)};
}

QStringList tabTexts(const QTabWidget *tabs)
{
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

// The lists stand in kind order, each widget at its index; the favorite
// tabs show the lists of the current base tab's medium, at most eight, of
// which one may be closed only while there are two.
void checkLists(StationTableWidget *widget)
{
    const Tabs tabs = tabsOf(widget);
    const QList<StationListWidget *> widgets = widget->listWidgets();
    const uint32_t favoriteKind = SVL_KIND_TV_FAV + uint32_t(tabs.base->currentIndex());
    QStringList shown;
    int first = -1;
    for (int i = 0; i < widgets.size(); ++i) {
        // Commands and drops find their list by the widget's index.
        QCOMPARE(widgets[i]->listIndex(), i);
        const uint32_t kind = widgets[i]->stationModel()->listKind();
        QVERIFY(i < 2 ? kind == uint32_t(i + 1) : kind >= qMax(3u, widgets[i - 1]->stationModel()->listKind()));
        if (kind == favoriteKind && first < 0)
            first = i;
        if (kind == favoriteKind)
            shown << widgets[i]->stationModel()->listName();
    }
    QCOMPARE(tabTexts(tabs.favorites), shown);
    QVERIFY(shown.size() <= SVL_MAX_FAV_LISTS);
    QCOMPARE(widget->countListsOfKind(favoriteKind), shown.size());
    QCOMPARE(widget->currentFavListIndex(), shown.isEmpty() ? -1 : first + tabs.favorites->currentIndex());
    QCOMPARE(widget->currentFavListWidget(), widgets.value(widget->currentFavListIndex()));
    QCOMPARE(widget->currentBaseListWidget(), widgets.value(tabs.base->currentIndex()));
    QCOMPARE(tabs.favorites->tabsClosable(), shown.size() >= 2);
    QCOMPARE(tabs.add->isEnabled(), shown.size() < SVL_MAX_FAV_LISTS);
}

// Copy, Delete, Options and Defaults: which are enabled.
QString enabledStationActions(const MainWindow &window)
{
    QString state;
    for (const char *name : {"copyAct", "deleteAct", "optionsAct", "defaultAct"})
        state += action(window, name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return state;
}

svl_station *stationAt(const StationListWidget *widget, int row)
{
    return widget->stationModel()->stationList()->stations[row];
}

// What a screen reader reads for a cell of a station view.
QString cellText(StationListWidget *widget, int row, int column)
{
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(widget->view());
    return view->tableInterface()->cellAt(row, column)->text(QAccessible::Name);
}

} // namespace

class TestStationTableWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<Sandbox> m_sandbox;
    std::unique_ptr<MainWindow> m_window;

    // A table of 60 stations, with two favorite lists per medium in version 50.
    QString table(uint16_t version)
    {
        return m_sandbox->writeTable(QStringLiteral("s.svl%1").arg(version), version, 2, 1, 60);
    }

    // A version-50 table of 40 stations with favorite lists of the names.
    QString favorites(const QStringList &tv, const QStringList &radio)
    {
        return m_sandbox->writeNamedFavorites(QStringLiteral("t.svl50"), tv, radio, 40);
    }

    // A window on the file; its central widget.
    StationTableWidget *open(const QString &path = QString())
    {
        m_window = openWindow(path);
        return m_window->stationTableWidget();
    }

private slots:
    void initTestCase() { prepareWindowTests(); }

    void init() { m_sandbox = std::make_unique<Sandbox>(); }

    void cleanup()
    {
        m_window.reset();
        m_sandbox.reset();
    }

    // A file that cannot be read or merged, or a conversion of a table that
    // needs none, leaves the document as it was, down to what is saved (the
    // window's tests hold the failures it reports). Files are written
    // whatever characters their paths hold.
    void failedChangesLeaveTheDocumentAndSaveWritesIt()
    {
        const QString document = m_sandbox->writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50, 3);
        const QString unusual = m_sandbox->path(QString::fromUtf8("Sender \xd0\xa1\xd0\xbf\xd0\xb8\xd1\x81\xd0\xbe\xd0\xba "
                                                               "\xe2\x9c\x93 \xc3\xa4\xc4\x9f.svl50"));
        StationTableWidget *widget = open(document);
        const QList<StationListWidget *> widgets = widget->listWidgets();
        QCOMPARE(widget->appendFile(m_sandbox->path(QStringLiteral("missing.svl50"))), 1);
        widget->convertTableToNewVersion();
        QCOMPARE(widget->listWidgets(), widgets);
        QVERIFY(!m_window->isWindowModified());
        QCOMPARE(widget->saveFile(unusual), 0);
        QCOMPARE(contentsOf(unusual), contentsOf(document));
        widget->newTable();
        QCOMPARE(widget->openFile(unusual), 0);
        QCOMPARE(widget->appendFile(unusual), 0);
    }

    // Appended favorite lists get a digit when their name is taken.
    void appendMergesAndNamesListsUniquely()
    {
        const QString table = m_sandbox->writeNamedFavorites(QStringLiteral("a.svl50"), {"News"}, {"Sports"});
        StationTableWidget *widget = open(table);
        QCOMPARE(widget->appendFile(table), 0);
        const auto rows = [widget](int list) { return widget->listWidgets()[list]->stationModel()->rowCount(); };
        QCOMPARE(rows(0) + rows(1), 2 * 20);
        QCOMPARE(listNames(widget), (QStringList{"ALL_TV", "ALL_Radio", "News", "News1", "Sports", "Sports1"}));
    }

    void favoriteListsKeepTheirOrder_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    // Random additions, removals, reinsertions, renames and tab changes on
    // tables with 0 to 8 favorite lists per medium; after each the lists
    // and tabs are as checkLists says.
    void favoriteListsKeepTheirOrder()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const int tvLists = random.bounded(9);
        StationTableWidget *widget = open(favorites(numbered("tv", tvLists), numbered("radio", random.bounded(9))));
        for (int step = 0; step < 40 && !QTest::currentTestFailed(); ++step) {
            QStringList names = listNames(widget);
            const int index = random.bounded(names.size() + 1);
            const QString name = QStringLiteral("list%1").arg(step);
            switch (random.bounded(4)) {
            case 0: {
                const uint32_t kind = 1 + random.bounded(4);
                const bool room = svl_is_favorite_kind(kind) && widget->countListsOfKind(kind) < SVL_MAX_FAV_LISTS;
                QCOMPARE(widget->addFavoriteList(name, kind), room ? 0 : 1);
                // Behind the last favorite list of its medium.
                const int added = listNames(widget).indexOf(name);
                QCOMPARE(added >= 0, room);
                if (room && widget->listWidgets().value(added + 1))
                    QVERIFY(widget->listWidgets()[added + 1]->stationModel()->listKind() != kind);
                break;
            }
            case 1: {
                // Taken out, then put back in its place or released.
                svl_list *list = widget->removeListAt(index);
                QCOMPARE(list != nullptr, index >= 2 && index < names.size());
                if (!list)
                    break;
                QCOMPARE(listNames(widget), names.mid(0, index) + names.mid(index + 1));
                QCOMPARE(widget->insertListAt(random.bounded(2), list), 1);
                if (random.bounded(2) && widget->insertListAt(index, list) == 0)
                    QCOMPARE(listNames(widget), names);
                else
                    svl_free_list(list, 0);
                break;
            }
            case 2: {
                const QString newName = QStringList{"tv1", "radio1", "ALL_TV", name, ""}[random.bounded(5)];
                const bool notFavorite = index < 2 || index >= names.size();
                const bool taken = !notFavorite && names.contains(newName) && names[index] != newName;
                const int result = taken ? 2 : notFavorite || newName.isEmpty() ? 1 : 0;
                QCOMPARE(widget->renameList(index, newName), result);
                if (result == 0)
                    names[index] = newName;
                QCOMPARE(listNames(widget), names);
                break;
            }
            default:
                widget->toggleBaseList(random.bounded(2));
            }
            checkLists(widget);
        }
    }

    // Edits take the list with the selection, or else the favorite list in
    // front; unknown lists leave everything where it is. A click on the
    // other base tab brings its favorites and clears the selection; the tab
    // in front keeps it when clicked again.
    void selectionAndTabsChooseTheList()
    {
        StationTableWidget *widget = open(favorites(numbered("tv", 2), numbered("radio", 3)));
        m_window->show();
        widget->showList(3);
        StationListWidget *base = widget->listWidgets()[0];
        StationListWidget *favorite = widget->listWidgets()[3];
        const auto chosen = [widget] { return qMakePair(widget->selectedListWidget(), widget->otherListWidget()); };
        QCOMPARE(chosen(), qMakePair(favorite, base));
        for (StationListWidget *selected : {base, favorite}) {
            selectRows(selected, 0, 0);
            QCOMPARE(chosen(), qMakePair(selected, selected == base ? favorite : base));
            QCOMPARE(widget->selectedListIndex(), selected->listIndex());
        }
        widget->showList(-1);
        widget->showList(widget->listWidgets().size());
        QCOMPARE(widget->currentFavListIndex(), 3);
        QTabBar *bar = tabsOf(widget).base->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
        QVERIFY(favorite->viewSelectionModel()->hasSelection());
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
        QCOMPARE(tabTexts(tabsOf(widget).favorites), (QStringList{"radio1", "radio2", "radio3"}));
        QCOMPARE(widget->currentFavListIndex(), 4);
        QVERIFY(!favorite->viewSelectionModel()->hasSelection());
    }

    // An addition that finds no unique name adds nothing and leaves every
    // widget at its list; the kinds and counts refused are tried at random
    // in favoriteListsKeepTheirOrder.
    void refusedAdditionsChangeNothing()
    {
        const QStringList taken = QStringList("new tab") + numbered("new tab", 7);
        StationTableWidget *widget = open(favorites(taken, {"radio1"}));
        QCOMPARE(widget->renameList(10, QStringLiteral("new tab8")), 0);
        QCOMPARE(widget->addFavoriteList(QStringLiteral("new tab"), SVL_KIND_RADIO_FAV), 0);
        QCOMPARE(listNames(widget).last(), QStringLiteral("new tab9"));
        const QStringList before = listNames(widget);
        QCOMPARE(widget->addFavoriteList(QStringLiteral("new tab"), SVL_KIND_RADIO_FAV), 1);
        QCOMPARE(listNames(widget), before);
        checkLists(widget);
    }

    // The new format needs favorite lists: one per medium holding its
    // stations. Only a trailing ".svl40" of the file name is replaced.
    void conversionAddsFavoritesAndRenamesTheFile()
    {
        QVERIFY(QDir().mkpath(m_sandbox->path(QStringLiteral("tables.svl40"))));
        const QString path = m_sandbox->writeTable(QStringLiteral("tables.svl40/old.svl40"), SVL_VERSION_40);
        StationTableWidget *widget = open(path);
        const Stations stations = stationsOf(widget->listWidgets()[0]) + stationsOf(widget->listWidgets()[1]);
        QVERIFY(!tabsOf(widget).favorites->isVisibleTo(m_window.get()));
        action(*m_window, "convertAct")->trigger();
        QCOMPARE(stationsOf(widget->listWidgets()[2]) + stationsOf(widget->listWidgets()[3]), stations);
        checkLists(widget);
        QVERIFY(tabsOf(widget).favorites->isVisibleTo(m_window.get()) && !action(*m_window, "convertAct")->isEnabled());
        const QString renamed = m_sandbox->path(QStringLiteral("tables.svl40/old.svl50"));
        QCOMPARE(m_window->currentFile(), renamed);
        QVERIFY(m_window->isWindowModified() && QFile::exists(path) && !QFile::exists(renamed));
        // The converted table is written in the new format and reads back whole.
        QCOMPARE(widget->saveFile(renamed), 0);
        QCOMPARE(contentsOf(renamed).mid(2), contentsOf(renamed).mid(0, 2).replaceInStrings("ALL_TV|", "ALL_TV1|")
                                                 .replaceInStrings("ALL_Radio|", "ALL_Radio1|"));
    }

    // The table view shows a tab for every list, its columns fitted, and an
    // apply button that makes its copy the document, which is then marked; a
    // view switch without applying drops the copy (whose contents the editing
    // session of test_arrange_commands follows).
    void tableViewWorksOnACopy()
    {
        for (bool apply : {false, true}) {
            StationTableWidget *widget = open(favorites({"tv1"}, {"radio1"}));
            const Tabs tabs = tabsOf(widget);
            widget->switchToTableView();
            QCOMPARE(tabTexts(tabs.base), (QStringList{"ALL_TV", "ALL_Radio", "tv1", "radio1"}));
            QVERIFY(tabs.apply->isVisibleTo(m_window.get()) && !tabs.favorites->isVisibleTo(m_window.get()));
            // Columns are fitted when a tab first comes to the front; a width
            // the user chose stays when the tab comes back.
            const auto nameColumn = [widget](int list) {
                return static_cast<QTableView *>(widget->listWidgets()[list]->view())->columnWidth(NameColumn);
            };
            for (int list : {3, 1, 2})
                widget->showList(list);
            static_cast<QTableView *>(widget->listWidgets()[1]->view())->setColumnWidth(NameColumn, 321);
            widget->showList(1);
            QCOMPARE(QVector<int>({nameColumn(0), nameColumn(1), nameColumn(2), nameColumn(3)}),
                     QVector<int>({200, 321, 200, 200}));
            widget->showList(2);
            widget->listWidgets()[2]->stationModel()->sort(NameColumn, Qt::DescendingOrder);
            if (apply) {
                QTest::mouseClick(tabs.apply, Qt::LeftButton);
                QCOMPARE(tabs.base->currentIndex(), 2);
            }
            widget->switchToListView();
            QVERIFY(!tabs.apply->isVisibleTo(m_window.get()) && tabs.favorites->isVisibleTo(m_window.get()));
            QCOMPARE(m_window->isWindowModified(), apply);
        }
    }

    // Copy, Delete, Options and Defaults follow the selection; Options needs
    // it made as one range. A view switch leaves nothing to act on. A flag
    // action is ticked when any selected station has the flag. A right click
    // opens the menu over the selection where it was made, ticking the CA
    // module the selected stations agree on; with none selected, no menu.
    void actionsAndMenuFollowSelection()
    {
        const QList<QPair<QList<int>, QList<int>>> modulesAndTicked = {
            {{}, {}}, {{0}, {0}}, {{3, 3, 3}, {3}}, {{1, 2, 1}, {}}};
        const auto window = openWindow(table(SVL_VERSION_50));
        for (const char *view : {"tableViewAct", "listViewAct"}) {
            selectRows(listWidget(*window, 0), 3, 3);
            action(*window, view)->trigger();
            QCOMPARE(enabledStationActions(*window).mid(1), QStringLiteral("000"));
            const StationListWidget *base = listWidget(*window, 0);
            // Ranges of rows, first and last, selected at once.
            const auto select = [base, &window](const QVector<QPair<int, int>> &ranges) {
                QItemSelection selection;
                for (const auto &range : ranges)
                    selection.select(base->stationModel()->index(range.first, 0),
                                     base->stationModel()->index(range.second, 0));
                base->viewSelectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
                return enabledStationActions(*window);
            };
            const QStringList states{select({{3, 3}}), select({{1, 4}}), select({{1, 1}, {5, 6}}), select({})};
            QCOMPARE(states, (QStringList{"1111", "1111", "1101", "0000"}));
            for (int flags : {0, 1, 2, 3}) {  // 1: the second station locked, 2: the last one in the EPG
                for (int i = 0; i < 3; ++i) {
                    stationAt(base, 2 + i)->childlock = i == 1 && (flags & 1);
                    stationAt(base, 2 + i)->epg = i == 2 && (flags & 2);
                }
                // The opposite state first, so that every expected state must be set.
                action(*window, "childLockAct")->setChecked(!(flags & 1));
                action(*window, "epgAct")->setChecked(!(flags & 2));
                select({{2, 4}});
                QCOMPARE(action(*window, "childLockAct")->isChecked(), bool(flags & 1));
                QCOMPARE(action(*window, "epgAct")->isChecked(), bool(flags & 2));
            }
            for (const auto &[modules, ticked] : modulesAndTicked) {
                select({});
                for (int i = 0; i < modules.size(); ++i)
                    stationAt(base, 4 + i)->CANumber = uint8_t(modules[i]);
                if (!modules.isEmpty())
                    selectRows(base, 4, 4 + modules.size() - 1);
                PopupCatcher popup;
                emit base->view()->customContextMenuRequested(QPoint(5, 5));
                QTest::qWait(20);
                QCOMPARE(popup.seen(), !modules.isEmpty());
                if (popup.seen()) {
                    QCOMPARE(popup.position(), base->view()->viewport()->mapToGlobal(QPoint(5, 5)));
                    QCOMPARE(popup.checked(), ticked);
                }
            }
        }
    }

    // In svl50 tables a selection in the current base list and one in the
    // current favorite list exclude each other; the radio base list is
    // neither and keeps its selection.
    void baseAndFavoriteSelectionsExclusiveInSvl50()
    {
        for (bool svl50 : {true, false}) {
            const auto window = openWindow(table(svl50 ? SVL_VERSION_50 : SVL_VERSION_40));
            StationTableWidget *tables = window->stationTableWidget();
            if (!svl50)
                QCOMPARE(tables->addFavoriteList(QStringLiteral("Mine"), SVL_KIND_TV_FAV), 0);
            StationListWidget *base = listWidget(*window, 0);
            StationListWidget *favorite = listWidget(*window, 2);
            QCOMPARE(tables->currentFavListWidget(), favorite);
            if (!svl50)
                favorite->stationModel()->setData(favorite->stationModel()->insertionIndex(0),
                                                  QVariant::fromValue(stationAt(base, 0)));
            selectRows(listWidget(*window, 1), 0, 0);
            for (const StationListWidget *first : {base, favorite}) {
                const StationListWidget *second = first == base ? favorite : base;
                selectRows(first, 0, 0);
                selectRows(second, 0, 0);
                QVERIFY(second->viewSelectionModel()->hasSelection());
                QCOMPARE(first->viewSelectionModel()->hasSelection(), !svl50);
                // The actions describe the selection made last.
                QVERIFY(action(*window, "optionsAct")->isEnabled());
            }
            QVERIFY(listWidget(*window, 1)->viewSelectionModel()->hasSelection());
        }
    }

    // The close buttons of the favorite tabs, of tabs made later too, draw
    // their cross in the palette's button text colour: light on a dark theme.
    void closeButtonsTakeThePalettesTextColour()
    {
        StationTableWidget *tables = open(table(SVL_VERSION_50));
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        m_window->setPalette(dark);
        tables->addFavoriteTab();
        QTabBar *bar = tabsOf(tables).favorites->tabBar();
        for (int tab = 0; tab < 3; ++tab) {
            bar->setCurrentIndex(tab);
            const QImage cross = bar->tabButton(tab, QTabBar::RightSide)->grab().toImage();
            int lightest = 0;
            for (int y = 0; y < cross.height(); ++y) {
                for (int x = 0; x < cross.width(); ++x)
                    lightest = qMax(lightest, qGray(cross.pixel(x, y)));
            }
            QVERIFY(lightest > 200);  // a little dimmed by the smoothing of the lines
        }
    }

    // The keys open the menu once, below the current row of the focused
    // list, which is scrolled into view first, or below the first selected
    // row when no row is current. The context menu event some platforms
    // send for the Menu key as well opens none of its own.
    void contextMenuKeysOpenMenuAtCurrentRow()
    {
        // The Menu key in the list view, Shift+F10 in the table view.
        for (const bool tableView : {false, true}) {
            const auto window = openWindow(table(SVL_VERSION_50));
            if (tableView)
                action(*window, "tableViewAct")->trigger();
            window->setGeometry(0, 0, 800, 500);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            StationListWidget *base = listWidget(*window, 0);
            QAbstractItemView *view = base->view();
            view->setFocus();
            const QModelIndex current = base->stationModel()->index(5, tableView ? 2 : 0);
            for (const QModelIndex &row : {current, QModelIndex()}) {
                selectRows(base, 3, 7);
                view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
                view->scrollToBottom();
                PopupCatcher popup;
                QTest::keyClick(view, tableView ? Qt::Key_F10 : Qt::Key_Menu,
                                tableView ? Qt::ShiftModifier : Qt::NoModifier);
                QVERIFY(popup.seen());
                const QRect rect = view->visualRect(row.isValid() ? row : base->stationModel()->index(3, 0));
                QVERIFY(view->viewport()->rect().contains(rect));
                QCOMPARE(popup.position(), view->viewport()->mapToGlobal(rect.bottomLeft()));
            }
            PopupCatcher popup;
            QContextMenuEvent fromKey(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
            QApplication::sendEvent(view, &fromKey);
            QTest::qWait(20);
            QVERIFY(!popup.seen());
        }
    }

    // The base list marks the stations of the current favorite list; the
    // favorite list itself and svl40 tables show no mark. A list view row
    // reads as number, name and its icons in words, a table cell as its
    // text; the display role stays empty.
    void rowsReadAloudWithTheFavoriteMark()
    {
        const QString mark = rowImageWord(RowImage::Favorite);
        for (uint16_t version : {SVL_VERSION_50, SVL_VERSION_40}) {
            const auto window = openWindow(table(version));
            StationListWidget *base = listWidget(*window, 0);
            const StationListWidget *favorites = window->stationTableWidget()->currentFavListWidget();
            for (int row = 0; row < base->stationModel()->rowCount(); ++row) {
                const bool marked = favorites && favorites->stationModel()->containsStation(stationAt(base, row));
                QCOMPARE(cellText(base, row, 0).contains(mark), marked);
            }
            if (favorites)
                QVERIFY(!cellText(listWidget(*window, 2), 0, 0).contains(mark));
        }
        const auto window = openWindow(table(SVL_VERSION_50));
        StationListWidget *base = listWidget(*window, 0);
        svl_station *station = stationAt(base, 0);
        station->ProgramDataByte = 3;
        station->HiDef = station->childlock = station->epg = 1;
        station->encrypted = 0;
        const bool favorite = window->stationTableWidget()->currentFavListWidget()->stationModel()->containsStation(station);
        Strings::setLanguage(Strings::English);
        const QStringList words{"in favorite list", "HD", "child lock", "EPG", "satellite"};
        QCOMPARE(cellText(base, 0, 0), (QStringList{"1", stationNameText(station)} + words.mid(!favorite)).join(", "));
        QVERIFY(!base->stationModel()->data(base->stationModel()->index(0, 0), Qt::DisplayRole).isValid());
        window->stationTableWidget()->switchToTableView();
        for (int column : {int(UidColumn), int(NameColumn), int(FrequencyColumn)})
            QCOMPARE(cellText(listWidget(*window, 0), 0, column), stationFieldText(station, column));
    }
};

QTEST_MAIN(TestStationTableWidget)
#include "test_stationtablewidget.moc"
