// The station views inside the main window: the actions that follow the
// selection, the exclusion of base and favorite selections in svl50 tables,
// the list context menu and the favorite mark.
#include <QPainter>

#include "tests/app/test_mainwindow_support.h"

using namespace testsupport;

namespace {

// Copy, Delete, Options and Defaults: which are enabled.
QString enabledStationActions(const MainWindow &window)
{
    QString state;
    for (const QAction *act : {window.copyAction(), window.deleteAction(), window.optionsAction(),
                               window.defaultSettingsAction()})
        state += act->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return state;
}

svl_station *stationAt(const StationListWidget *widget, int row)
{
    return widget->stationModel()->stationList()->stations[row];
}

// Whether the row of the view paints anything in the favorite mark's place.
bool paintsFavoriteMark(StationListWidget *widget, int row)
{
    QImage image(500, 38, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.palette = QApplication::palette();
    option.fontMetrics = QFontMetrics(QApplication::font());
    {
        QPainter painter(&image);
        widget->view()->itemDelegate()->paint(&painter, option, widget->stationModel()->index(row, 0));
    }
    const QImage mark = image.copy(image.width() - 1 - 210, 7, 24, 24);
    QImage blank(mark.size(), mark.format());
    blank.fill(Qt::white);
    return mark != blank;
}

} // namespace

class TestStationListWidgetSelection : public QObject
{
    Q_OBJECT

    std::unique_ptr<Sandbox> m_sandbox;
    QString m_svl50;
    QString m_svl40;

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the main window sends multicast: run inside scripts/in-netns");
        describeProgram();
        m_sandbox = std::make_unique<Sandbox>();
        m_sandbox->setSetting(QStringLiteral("language"), QStringLiteral("English"));
        m_svl50 = m_sandbox->writeTable(QStringLiteral("table.svl50"), SVL_VERSION_50, 2, 1, 60);
        m_svl40 = m_sandbox->writeTable(QStringLiteral("table.svl40"), SVL_VERSION_40, 0, 1, 60);
        QVERIFY(!m_svl50.isEmpty() && !m_svl40.isEmpty());
    }

    // Options needs a selection made as one range; taking back the last
    // selected row, or a view switch, leaves nothing to act on.
    void actionsFollowSelection()
    {
        const auto window = openWindow(m_svl50);
        for (const char *view : {"tableViewAct", "listViewAct"}) {
            selectRows(listWidget(*window, 0), 3, 3);
            action(*window, view)->trigger();
            QVERIFY(action(*window, view)->isChecked());
            QCOMPARE(enabledStationActions(*window).mid(1), QStringLiteral("000"));
            const StationListWidget *base = listWidget(*window, 0);
            selectRows(base, 3, 3);
            QCOMPARE(enabledStationActions(*window), QStringLiteral("1111"));
            selectRows(base, 1, 4);
            QCOMPARE(enabledStationActions(*window), QStringLiteral("1111"));
            QItemSelection twoRanges(base->stationModel()->index(1, 0), base->stationModel()->index(1, 0));
            twoRanges.select(base->stationModel()->index(5, 0), base->stationModel()->index(6, 0));
            base->viewSelectionModel()->select(twoRanges, QItemSelectionModel::ClearAndSelect);
            QCOMPARE(enabledStationActions(*window), QStringLiteral("1101"));
            selectRows(base, 2, 2);
            selectRows(base, 2, 2, QItemSelectionModel::Deselect);
            QCOMPARE(enabledStationActions(*window), QStringLiteral("0000"));
            selectRows(base, 2, 2);
            base->viewSelectionModel()->clearSelection();
            QCOMPARE(enabledStationActions(*window), QStringLiteral("0000"));
        }
    }

    // A flag action is ticked when any selected station has the flag.
    void flagActionsTickedByAnySelectedStation()
    {
        const auto window = openWindow(m_svl50);
        for (const char *view : {"listViewAct", "tableViewAct"}) {
            action(*window, view)->trigger();
            const StationListWidget *base = listWidget(*window, 0);
            for (int flags : {0, 1, 2, 3}) {  // 1: the second station locked, 2: the last one in the EPG
                for (int i = 0; i < 3; ++i) {
                    stationAt(base, 2 + i)->childlock = i == 1 && (flags & 1);
                    stationAt(base, 2 + i)->epg = i == 2 && (flags & 2);
                }
                // The opposite state first, so that every expected state must be set.
                window->childLockAction()->setChecked(!(flags & 1));
                window->epgAction()->setChecked(!(flags & 2));
                selectRows(base, 2, 4);
                QCOMPARE(window->childLockAction()->isChecked(), bool(flags & 1));
                QCOMPARE(window->epgAction()->isChecked(), bool(flags & 2));
            }
        }
    }

    // In svl50 tables a selection in the current base list and one in the
    // current favorite list exclude each other; the radio base list is
    // neither and keeps its selection.
    void baseAndFavoriteSelectionsExclusiveInSvl50()
    {
        for (bool svl50 : {true, false}) {
            const auto window = openWindow(svl50 ? m_svl50 : m_svl40);
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
                QVERIFY(window->optionsAction()->isEnabled());
            }
            QVERIFY(listWidget(*window, 1)->viewSelectionModel()->hasSelection());
        }
    }

    void contextMenuTicksUniformCaModule_data()
    {
        QTest::addColumn<QList<int>>("modules");
        QTest::addColumn<QList<int>>("ticked");
        QTest::newRow("single station, none") << QList<int>{0} << QList<int>{0};
        QTest::newRow("uniform") << QList<int>{3, 3, 3} << QList<int>{3};
        QTest::newRow("mixed, last like first") << QList<int>{1, 2, 1} << QList<int>{};
    }

    void contextMenuTicksUniformCaModule()
    {
        QFETCH(QList<int>, modules);
        QFETCH(QList<int>, ticked);
        const auto window = openWindow(m_svl50);
        const QString separator = QStringLiteral("-");
        const QStringList entries{window->copyAction()->text(),          window->deleteAction()->text(),
                                  separator,                             window->childLockAction()->text(),
                                  window->epgAction()->text(),           separator,
                                  Strings::text(Strings::CaModuleMenu),  separator,
                                  window->defaultSettingsAction()->text(), separator,
                                  window->optionsAction()->text()};
        for (const char *view : {"listViewAct", "tableViewAct"}) {
            action(*window, view)->trigger();
            const StationListWidget *base = listWidget(*window, 0);
            for (int i = 0; i < modules.size(); ++i)
                stationAt(base, 4 + i)->CANumber = uint8_t(modules[i]);
            selectRows(base, 4, 4 + modules.size() - 1);
            PopupCatcher popup;
            window->showListContextMenu();
            QVERIFY(popup.seen());
            QCOMPARE(popup.checked(), ticked);
            QCOMPARE(popup.entries(), entries);
        }
    }

    // A right click in a view opens the menu over its selection, and
    // without a selection no menu at all.
    void rightClickOpensContextMenuOverTheSelection()
    {
        const auto window = openWindow(m_svl50);
        const StationListWidget *favorite = listWidget(*window, 2);
        for (bool selected : {false, true}) {
            if (selected)
                selectRows(favorite, 0, 0);
            PopupCatcher popup;
            emit favorite->view()->customContextMenuRequested(QPoint(5, 5));
            QTest::qWait(20);
            QCOMPARE(popup.seen(), selected);
        }
    }

    // The base list marks the stations of the current favorite list; the
    // favorite list itself and svl40 tables show no mark.
    void favoriteMarkShowsCurrentFavoriteList()
    {
        for (const QString &path : {m_svl50, m_svl40}) {
            const auto window = openWindow(path);
            StationListWidget *base = listWidget(*window, 0);
            const StationListWidget *favorites = window->stationTableWidget()->currentFavListWidget();
            QVector<int> rows[2];
            for (int row = 0; row < base->stationModel()->rowCount(); ++row)
                rows[favorites && favorites->stationModel()->containsStation(stationAt(base, row))] << row;
            QVERIFY(!rows[0].isEmpty() && rows[1].isEmpty() == (path == m_svl40));
            QVERIFY(!paintsFavoriteMark(base, rows[0].first()));
            if (favorites) {
                QVERIFY(paintsFavoriteMark(base, rows[1].first()));
                QVERIFY(!paintsFavoriteMark(listWidget(*window, 2), 0));
            }
        }
    }
};

QTEST_MAIN(TestStationListWidgetSelection)
#include "test_stationlistwidget_selection.moc"
