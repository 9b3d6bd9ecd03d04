// The station views inside the main window: the actions that follow the
// selection, the exclusion of base and favorite selections in svl50 tables,
// the list context menu, the favorite mark and the view after a drop.
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTableView>

#include "tests/app/test_mainwindow_support.h"
#include "views/stationlistdelegate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

StationListWidget *listWidget(const MainWindow &window, int listIndex)
{
    return window.stationTableWidget()->listWidgets().value(listIndex);
}

svl_station *stationAt(const StationListWidget *widget, int row)
{
    const StationListModel *model = widget->stationModel();
    return StationListModel::stationOf(model->data(model->index(row, 0), Qt::UserRole));
}

QItemSelection rowRange(const StationListWidget *widget, int top, int bottom)
{
    const StationListModel *model = widget->stationModel();
    return QItemSelection(model->index(top, 0), model->index(bottom, model->columnCount() - 1));
}

void selectRows(const StationListWidget *widget, int top, int bottom,
                QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect)
{
    widget->viewSelectionModel()->select(rowRange(widget, top, bottom), command);
}

struct ActionState {
    bool copy, erase, options, defaults;
};

ActionState actionState(const MainWindow &window)
{
    return {window.copyAction()->isEnabled(), window.deleteAction()->isEnabled(),
            window.optionsAction()->isEnabled(), window.defaultSettingsAction()->isEnabled()};
}

bool operator==(const ActionState &a, const ActionState &b)
{
    return a.copy == b.copy && a.erase == b.erase && a.options == b.options && a.defaults == b.defaults;
}

char *toString(const ActionState &s)
{
    return qstrdup(QStringLiteral("copy %1 delete %2 options %3 defaults %4")
                       .arg(s.copy).arg(s.erase).arg(s.options).arg(s.defaults).toLatin1().constData());
}

// What the next popup menu offered: its entries (a separator as "-") and
// the checked entries of its submenu. The menu is closed at once.
class PopupCatcher : public QObject
{
public:
    PopupCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, &PopupCatcher::poll);
        m_timer.start(5);
    }
    bool seen() const { return m_seen; }
    QStringList entries() const { return m_entries; }
    QList<int> checkedModules() const { return m_checkedModules; }

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        m_timer.stop();
        m_seen = true;
        for (QAction *action : menu->actions()) {
            m_entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (!action->menu())
                continue;
            for (QAction *module : action->menu()->actions()) {
                if (module->isChecked())
                    m_checkedModules << module->data().toInt();
            }
        }
        menu->close();
    }

    QTimer m_timer;
    bool m_seen = false;
    QStringList m_entries;
    QList<int> m_checkedModules;
};

// Whether the row of the view paints anything in the favorite mark's place.
bool paintsFavoriteMark(StationListWidget *widget, int row)
{
    const QSize size(500, 38);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.palette = QApplication::palette();
    option.fontMetrics = QFontMetrics(QApplication::font());
    {
        QPainter painter(&image);
        widget->view()->itemDelegate()->paint(&painter, option, widget->stationModel()->index(row, 0));
    }
    const QRect mark(size.width() - 1 - 210, 7, 24, 24);
    for (int y = mark.top(); y <= mark.bottom(); ++y) {
        for (int x = mark.left(); x <= mark.right(); ++x) {
            if (image.pixelColor(x, y) != QColor(Qt::white))
                return true;
        }
    }
    return false;
}

} // namespace

class TestStationListWidgetSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void actionsFollowSelection_data();
    void actionsFollowSelection();
    void flagActionsTickedByAnySelectedStation_data();
    void flagActionsTickedByAnySelectedStation();
    void baseAndFavoriteSelectionsExclusiveInSvl50_data();
    void baseAndFavoriteSelectionsExclusiveInSvl50();
    void contextMenuTicksUniformCaModule_data();
    void contextMenuTicksUniformCaModule();
    void rightClickOpensContextMenuOverTheSelection();
    void favoriteMarkShowsCurrentFavoriteList();
    void dropLeavesNoCurrentIndex_data();
    void dropLeavesNoCurrentIndex();

private:
    std::unique_ptr<Sandbox> m_sandbox;
    QString m_svl50;
    QString m_svl40;
};

void TestStationListWidgetSelection::initTestCase()
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

void TestStationListWidgetSelection::actionsFollowSelection_data()
{
    QTest::addColumn<bool>("listView");
    QTest::newRow("list view") << true;
    QTest::newRow("table view") << false;
}

void TestStationListWidgetSelection::actionsFollowSelection()
{
    QFETCH(bool, listView);
    const auto window = openWindow(m_svl50);
    if (!listView)
        action(*window, "tableViewAct")->trigger();
    const StationListWidget *base = listWidget(*window, 0);
    QVERIFY(base);
    QCOMPARE(actionState(*window), (ActionState{false, false, false, false}));

    selectRows(base, 3, 3);
    QCOMPARE(actionState(*window), (ActionState{true, true, true, true}));
    selectRows(base, 1, 4);
    QCOMPARE(actionState(*window), (ActionState{true, true, true, true}));

    QItemSelection twoRanges = rowRange(base, 1, 1);
    twoRanges.merge(rowRange(base, 5, 6), QItemSelectionModel::Select);
    base->viewSelectionModel()->select(twoRanges, QItemSelectionModel::ClearAndSelect);
    QCOMPARE(actionState(*window), (ActionState{true, true, false, true}));

    // Taking back the last selected row leaves nothing to show options for.
    selectRows(base, 2, 2);
    selectRows(base, 2, 2, QItemSelectionModel::Deselect);
    QCOMPARE(actionState(*window), (ActionState{false, false, false, false}));

    selectRows(base, 2, 2);
    base->viewSelectionModel()->clearSelection();
    QCOMPARE(actionState(*window), (ActionState{false, false, false, false}));
}

void TestStationListWidgetSelection::flagActionsTickedByAnySelectedStation_data()
{
    QTest::addColumn<QList<int>>("childLocks");
    QTest::addColumn<QList<int>>("epgs");
    QTest::addColumn<bool>("childLockTicked");
    QTest::addColumn<bool>("epgTicked");
    QTest::newRow("none") << QList<int>{0, 0, 0} << QList<int>{0, 0, 0} << false << false;
    QTest::newRow("one locked of three") << QList<int>{0, 1, 0} << QList<int>{0, 0, 0} << true << false;
    QTest::newRow("last in EPG") << QList<int>{0, 0, 0} << QList<int>{0, 0, 1} << false << true;
    QTest::newRow("both on different stations") << QList<int>{1, 0, 0} << QList<int>{0, 0, 1} << true << true;
    QTest::newRow("single station with both") << QList<int>{1} << QList<int>{1} << true << true;
}

void TestStationListWidgetSelection::flagActionsTickedByAnySelectedStation()
{
    QFETCH(QList<int>, childLocks);
    QFETCH(QList<int>, epgs);
    QFETCH(bool, childLockTicked);
    QFETCH(bool, epgTicked);
    const auto window = openWindow(m_svl50);
    for (bool listView : {true, false}) {
        action(*window, listView ? "listViewAct" : "tableViewAct")->trigger();
        const StationListWidget *base = listWidget(*window, 0);
        for (int i = 0; i < childLocks.size(); ++i) {
            stationAt(base, 2 + i)->childlock = uint8_t(childLocks[i]);
            stationAt(base, 2 + i)->epg = uint8_t(epgs[i]);
        }
        // The opposite state first, so that every expected state must be set.
        window->childLockAction()->setChecked(!childLockTicked);
        window->epgAction()->setChecked(!epgTicked);
        selectRows(base, 2, 2 + childLocks.size() - 1);
        QCOMPARE(window->childLockAction()->isChecked(), childLockTicked);
        QCOMPARE(window->epgAction()->isChecked(), epgTicked);
    }
}

void TestStationListWidgetSelection::baseAndFavoriteSelectionsExclusiveInSvl50_data()
{
    QTest::addColumn<bool>("svl50");
    QTest::addColumn<bool>("baseFirst");
    QTest::newRow("svl50, base then favorite") << true << true;
    QTest::newRow("svl50, favorite then base") << true << false;
    QTest::newRow("svl40, base then favorite") << false << true;
    QTest::newRow("svl40, favorite then base") << false << false;
}

void TestStationListWidgetSelection::baseAndFavoriteSelectionsExclusiveInSvl50()
{
    QFETCH(bool, svl50);
    QFETCH(bool, baseFirst);
    const auto window = openWindow(svl50 ? m_svl50 : m_svl40);
    StationTableWidget *tables = window->stationTableWidget();
    if (!svl50)
        QCOMPARE(tables->addFavoriteList(QStringLiteral("Mine"), SVL_KIND_TV_FAV), 0);
    const StationListWidget *base = listWidget(*window, 0);
    const StationListWidget *radio = listWidget(*window, 1);
    StationListWidget *favorite = listWidget(*window, 2);
    QVERIFY(base && radio && favorite);
    QCOMPARE(tables->currentFavListWidget(), favorite);
    if (!svl50) {
        const svl_station *station = stationAt(base, 0);
        favorite->stationModel()->setData(favorite->stationModel()->insertionIndex(0),
                                          QVariant::fromValue(const_cast<svl_station *>(station)));
    }
    QVERIFY(favorite->stationModel()->rowCount() > 0);

    selectRows(radio, 0, 0);
    const StationListWidget *first = baseFirst ? base : favorite;
    const StationListWidget *second = baseFirst ? favorite : base;
    selectRows(first, 0, 0);
    selectRows(second, 0, 0);
    QVERIFY(second->viewSelectionModel()->hasSelection());
    QCOMPARE(first->viewSelectionModel()->hasSelection(), !svl50);
    // The radio base list is neither the current base list nor a favorite list.
    QVERIFY(radio->viewSelectionModel()->hasSelection());
    // The actions describe the selection made last.
    QCOMPARE(window->optionsAction()->isEnabled(), true);
}

void TestStationListWidgetSelection::contextMenuTicksUniformCaModule_data()
{
    QTest::addColumn<QList<int>>("modules");
    QTest::addColumn<QList<int>>("ticked");
    QTest::newRow("single station, module 2") << QList<int>{2} << QList<int>{2};
    QTest::newRow("single station, none") << QList<int>{0} << QList<int>{0};
    QTest::newRow("uniform") << QList<int>{3, 3, 3} << QList<int>{3};
    QTest::newRow("mixed") << QList<int>{1, 1, 3} << QList<int>{};
    QTest::newRow("mixed, last like first") << QList<int>{1, 2, 1} << QList<int>{};
}

void TestStationListWidgetSelection::contextMenuTicksUniformCaModule()
{
    QFETCH(QList<int>, modules);
    QFETCH(QList<int>, ticked);
    const auto window = openWindow(m_svl50);
    for (bool listView : {true, false}) {
        action(*window, listView ? "listViewAct" : "tableViewAct")->trigger();
        const StationListWidget *base = listWidget(*window, 0);
        for (int i = 0; i < modules.size(); ++i)
            stationAt(base, 4 + i)->CANumber = uint8_t(modules[i]);
        selectRows(base, 4, 4 + modules.size() - 1);
        PopupCatcher popup;
        QMetaObject::invokeMethod(window.get(), "showListContextMenu");
        QVERIFY(popup.seen());
        QCOMPARE(popup.checkedModules(), ticked);
        const QStringList expected{window->copyAction()->text(),
                                   window->deleteAction()->text(),
                                   QStringLiteral("-"),
                                   window->childLockAction()->text(),
                                   window->epgAction()->text(),
                                   QStringLiteral("-"),
                                   Strings::text(Strings::CaModuleMenu),
                                   QStringLiteral("-"),
                                   window->defaultSettingsAction()->text(),
                                   QStringLiteral("-"),
                                   window->optionsAction()->text()};
        QCOMPARE(popup.entries(), expected);
    }
}

// A right click in a view opens the menu over its selection, and without
// a selection no menu at all.
void TestStationListWidgetSelection::rightClickOpensContextMenuOverTheSelection()
{
    const auto window = openWindow(m_svl50);
    const StationListWidget *favorite = listWidget(*window, 2);
    {
        PopupCatcher popup;
        emit favorite->view()->customContextMenuRequested(QPoint(5, 5));
        QTest::qWait(20);
        QVERIFY(!popup.seen());
    }
    selectRows(favorite, 0, 0);
    PopupCatcher popup;
    emit favorite->view()->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(popup.seen());
}

void TestStationListWidgetSelection::favoriteMarkShowsCurrentFavoriteList()
{
    for (const QString &path : {m_svl50, m_svl40}) {
        const auto window = openWindow(path);
        StationListWidget *base = listWidget(*window, 0);
        const StationListWidget *favorites = window->stationTableWidget()->currentFavListWidget();
        int member = -1;
        int other = -1;
        for (int row = 0; row < base->stationModel()->rowCount(); ++row) {
            const bool contained = favorites && favorites->stationModel()->containsStation(stationAt(base, row));
            (contained ? member : other) = row;
        }
        QVERIFY(other >= 0);
        QVERIFY(!paintsFavoriteMark(base, other));
        if (path == m_svl40) {
            QVERIFY(member < 0);
            continue;
        }
        QVERIFY(member >= 0);
        QVERIFY(paintsFavoriteMark(base, member));
        // The favorite list itself shows no mark.
        QVERIFY(!paintsFavoriteMark(listWidget(*window, 2), 0));
    }
}

void TestStationListWidgetSelection::dropLeavesNoCurrentIndex_data()
{
    QTest::addColumn<int>("target");
    QTest::newRow("copy into a favorite list") << 2;
    QTest::newRow("move within the base list") << 0;
}

void TestStationListWidgetSelection::dropLeavesNoCurrentIndex()
{
    QFETCH(int, target);
    const auto window = openWindow(m_svl50);
    const StationListWidget *base = listWidget(*window, 0);
    const StationListWidget *into = listWidget(*window, target);
    StationListModel *model = into->stationModel();
    const int rowsBefore = model->rowCount();
    into->view()->setCurrentIndex(model->index(1, 0));
    QVERIFY(into->view()->currentIndex().isValid());

    const std::unique_ptr<QMimeData> payload(
        base->stationModel()->mimeData({base->stationModel()->index(5, 0), base->stationModel()->index(6, 0)}));
    QVERIFY(model->dropMimeData(payload.get(), Qt::MoveAction, 0, 0, QModelIndex()));
    QCOMPARE(model->rowCount(), target == 0 ? rowsBefore : rowsBefore + 2);
    QVERIFY(!into->view()->currentIndex().isValid());
    // The placed rows stay selected.
    QVERIFY(into->viewSelectionModel()->isRowSelected(0, QModelIndex()));
    QVERIFY(into->viewSelectionModel()->isRowSelected(1, QModelIndex()));

    window->undoStack()->undo();
    QVERIFY(!into->view()->currentIndex().isValid());
}

QTEST_MAIN(TestStationListWidgetSelection)
#include "test_stationlistwidget_selection.moc"
