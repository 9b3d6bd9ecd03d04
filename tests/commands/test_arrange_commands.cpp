// Drops, moves, copies and sorts as the user makes them in the main window,
// with their undo and the window's modified mark.
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QMimeData>

#include <set>

#include "commands/arrange_commands.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

enum ListIndex { TvBase = 0, TvFavorite = 2 };

using Stations = QVector<svl_station *>;

StationListWidget *listWidget(const MainWindow &window, int listIndex)
{
    return window.stationTableWidget()->listWidgets().value(listIndex);
}

StationListModel *model(const MainWindow &window, int listIndex)
{
    StationListWidget *widget = listWidget(window, listIndex);
    return widget ? widget->stationModel() : nullptr;
}

Stations stationsOf(const StationListModel *model)
{
    const svl_list *list = model->stationList();
    return Stations(list->stations, list->stations + list->count);
}

// The payload a drag of these rows of the list carries.
std::unique_ptr<QMimeData> dragRows(const StationListModel *model, const QVector<int> &rows)
{
    QModelIndexList indexes;
    for (int row : rows)
        indexes << model->index(row, 0);
    return std::unique_ptr<QMimeData>(model->mimeData(indexes));
}

QVector<int> selectedRows(const MainWindow &window, int listIndex)
{
    QVector<int> rows;
    for (const QModelIndex &index : listWidget(window, listIndex)->viewSelectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QVector<int> run(int first, int count)
{
    QVector<int> rows;
    for (int i = 0; i < count; ++i)
        rows << first + i;
    return rows;
}

} // namespace

class TestArrangeCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void copiesBaseRowsIntoAFavoriteList_data();
    void copiesBaseRowsIntoAFavoriteList();
    void dropInTableViewSelectsWholeRows();
    void movesWithinAList_data();
    void movesWithinAList();
    void favoriteRowsOnABaseListPushNothing();
    void sortsWithoutMarkingTheWindow();
    void switchingToTableViewSortsNothing();
    void onlyTheFirstCommandUndoneClearsTheMark();
    void commandsWithoutTheirListDoNothing();

private:
    std::unique_ptr<Sandbox> m_sandbox;
    std::unique_ptr<MainWindow> m_window;
};

void TestArrangeCommands::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends multicast: run inside scripts/in-netns");
    describeProgram();
}

void TestArrangeCommands::init()
{
    m_sandbox = std::make_unique<Sandbox>();
    const QString path = m_sandbox->writeTable(QStringLiteral("stations.svl50"), SVL_VERSION_50, 2, 1, 40);
    QVERIFY(!path.isEmpty());
    m_sandbox->setSetting(QStringLiteral("language"), QStringLiteral("English"));
    m_window = openWindow(path);
    QVERIFY(model(*m_window, TvFavorite));
    QVERIFY(!m_window->isWindowModified());
}

void TestArrangeCommands::cleanup()
{
    m_window.reset();
    m_sandbox.reset();
}

void TestArrangeCommands::copiesBaseRowsIntoAFavoriteList_data()
{
    QTest::addColumn<QVector<int>>("dragged");
    QTest::addColumn<int>("row");     // the drop's row; -1 for none
    QTest::addColumn<int>("onto");    // the row dropped onto; -1 for none
    QTest::addColumn<int>("placed");  // where the copies go; -1 for the end
    QTest::newRow("before the first row") << QVector<int>{5, 2, 9} << 0 << -1 << 0;
    QTest::newRow("onto a row") << QVector<int>{4} << -1 << 2 << 2;
    QTest::newRow("below the last row") << QVector<int>{0, 1} << -1 << -1 << -1;
}

// The copies stand at the drop in the base list's order and are the
// selected rows; undo takes exactly them out again.
void TestArrangeCommands::copiesBaseRowsIntoAFavoriteList()
{
    QFETCH(QVector<int>, dragged);
    QFETCH(int, row);
    QFETCH(int, onto);
    QFETCH(int, placed);
    StationListModel *base = model(*m_window, TvBase);
    StationListModel *favorite = model(*m_window, TvFavorite);
    const Stations baseStations = stationsOf(base);
    const Stations before = stationsOf(favorite);
    if (placed < 0)
        placed = before.size();
    Stations copies;
    for (int dragRow : std::set<int>(dragged.begin(), dragged.end()))
        copies << baseStations[dragRow];
    int baseRepaints = 0;
    QObject counter;
    connect(base, &QAbstractItemModel::layoutChanged, &counter, [&baseRepaints] { ++baseRepaints; });
    std::unique_ptr<QMimeData> data = dragRows(base, dragged);
    const QModelIndex parent = onto < 0 ? QModelIndex() : favorite->index(onto, 0);
    QVERIFY(favorite->dropMimeData(data.get(), Qt::CopyAction, row, row < 0 ? -1 : 0, parent));

    QUndoStack *stack = m_window->undoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->text(0), QStringLiteral("Copy %1 station(s) to list '%2'").arg(copies.size()).arg(favorite->listName()));
    QCOMPARE(stationsOf(favorite), before.mid(0, placed) + copies + before.mid(placed));
    QCOMPARE(selectedRows(*m_window, TvFavorite), run(placed, copies.size()));
    QVERIFY(m_window->isWindowModified());
    QCOMPARE(baseRepaints, 1);  // its favorite marks

    stack->undo();
    QCOMPARE(baseRepaints, 2);
    QCOMPARE(stationsOf(favorite), before);
    QVERIFY(!m_window->isWindowModified());
    QCOMPARE(stationsOf(base), baseStations);
}

void TestArrangeCommands::dropInTableViewSelectsWholeRows()
{
    m_window->stationTableWidget()->switchToTableView();
    StationListModel *base = model(*m_window, TvBase);
    StationListModel *favorite = model(*m_window, TvFavorite);
    QCOMPARE(favorite->columnCount(), 25);
    std::unique_ptr<QMimeData> data = dragRows(base, {0, 1});
    QVERIFY(favorite->dropMimeData(data.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    const QItemSelectionModel *selection = listWidget(*m_window, TvFavorite)->viewSelectionModel();
    QCOMPARE(selection->selectedRows().size(), 2);
    QCOMPARE(selection->selectedIndexes().size(), 2 * 25);
}

void TestArrangeCommands::movesWithinAList_data()
{
    QTest::addColumn<QVector<int>>("moved");
    QTest::addColumn<int>("target");
    QTest::newRow("down") << QVector<int>{0, 1} << 5;
    QTest::newRow("around the target") << QVector<int>{2, 7} << 5;
    QTest::newRow("up") << QVector<int>{6, 8, 11} << 1;
    QTest::newRow("onto itself") << QVector<int>{3, 4} << 4;
    QTest::newRow("to the end") << QVector<int>{0, 9} << -1;
}

// The moved stations stand together at the target, in their former order,
// and are the selected rows; undo gives back the exact former order.
void TestArrangeCommands::movesWithinAList()
{
    QFETCH(QVector<int>, moved);
    QFETCH(int, target);
    StationListModel *base = model(*m_window, TvBase);
    const Stations before = stationsOf(base);
    const int targetRow = target == -1 ? before.size() : target;
    Stations movedStations, expected;
    for (int row : moved)
        movedStations << before[row];
    for (int row = 0; row <= before.size(); ++row) {
        if (row == targetRow)
            expected += movedStations;
        if (row < before.size() && !moved.contains(row))
            expected << before[row];
    }
    std::unique_ptr<QMimeData> data = dragRows(base, moved);
    QVERIFY(base->dropMimeData(data.get(), Qt::MoveAction, target, 0, QModelIndex()));

    QUndoStack *stack = m_window->undoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->text(0), QStringLiteral("Move %1 station(s) in list 'ALL_TV'").arg(moved.size()));
    QCOMPARE(stationsOf(base), expected);
    const int first = int(expected.indexOf(movedStations[0]));
    QCOMPARE(selectedRows(*m_window, TvBase), run(first, moved.size()));
    QVERIFY(m_window->isWindowModified());

    stack->undo();
    QCOMPARE(stationsOf(base), before);
    QVERIFY(!m_window->isWindowModified());
    stack->redo();
    QCOMPARE(stationsOf(base), expected);
    stack->undo();
    QCOMPARE(stationsOf(base), before);
}

void TestArrangeCommands::favoriteRowsOnABaseListPushNothing()
{
    StationListModel *base = model(*m_window, TvBase);
    StationListModel *favorite = model(*m_window, TvFavorite);
    const Stations before = stationsOf(base);
    std::unique_ptr<QMimeData> data = dragRows(favorite, {0, 1});
    QVERIFY(base->dropMimeData(data.get(), Qt::CopyAction, 3, 0, QModelIndex()));
    QCOMPARE(m_window->undoStack()->count(), 0);
    QCOMPARE(stationsOf(base), before);
    QVERIFY(selectedRows(*m_window, TvBase).isEmpty());
    QVERIFY(!m_window->isWindowModified());

    // Later moves in the base list still work.
    data = dragRows(base, {0});
    QVERIFY(base->dropMimeData(data.get(), Qt::CopyAction, 3, 0, QModelIndex()));
    QCOMPARE(stationsOf(base)[2], before[0]);
}

void TestArrangeCommands::sortsWithoutMarkingTheWindow()
{
    m_window->stationTableWidget()->switchToTableView();
    StationListModel *base = model(*m_window, TvBase);
    QVERIFY(base);
    QCOMPARE(base->columnCount(), int(StationColumnCount));
    const Stations before = stationsOf(base);
    base->sort(NameColumn, Qt::DescendingOrder);

    QUndoStack *stack = m_window->undoStack();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->text(0), QStringLiteral("Sort list 'ALL_TV'"));
    const Stations sorted = stationsOf(base);
    QVERIFY(sorted != before);
    for (int i = 1; i < sorted.size(); ++i)
        QVERIFY(svl_compare_stations(sorted[i - 1], sorted[i], NameColumn) >= 0);
    QVERIFY(!m_window->isWindowModified());

    stack->undo();
    QCOMPARE(stationsOf(base), before);
    QVERIFY(!m_window->isWindowModified());
    stack->redo();
    QCOMPARE(stationsOf(base), sorted);
}

// Making a table view sortable must not sort any list by itself.
void TestArrangeCommands::switchingToTableViewSortsNothing()
{
    const Stations before = stationsOf(model(*m_window, TvBase));
    m_window->stationTableWidget()->switchToTableView();
    QCOMPARE(m_window->undoStack()->count(), 0);
    QCOMPARE(stationsOf(model(*m_window, TvBase)), before);
}

void TestArrangeCommands::onlyTheFirstCommandUndoneClearsTheMark()
{
    StationListModel *base = model(*m_window, TvBase);
    StationListModel *favorite = model(*m_window, TvFavorite);
    std::unique_ptr<QMimeData> first = dragRows(base, {1});
    std::unique_ptr<QMimeData> second = dragRows(base, {2});
    QVERIFY(favorite->dropMimeData(first.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    QVERIFY(favorite->dropMimeData(second.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    QUndoStack *stack = m_window->undoStack();
    QCOMPARE(stack->count(), 2);
    stack->undo();
    QVERIFY(m_window->isWindowModified());
    stack->undo();
    QVERIFY(!m_window->isWindowModified());
    stack->redo();
    QVERIFY(m_window->isWindowModified());
}

void TestArrangeCommands::commandsWithoutTheirListDoNothing()
{
    const int missing = m_window->stationTableWidget()->listWidgets().size();
    StationListModel *base = model(*m_window, TvBase);
    const QList<QVariant> stations{base->data(base->index(0, 0), Qt::UserRole)};
    QUndoStack *stack = m_window->undoStack();
    stack->push(new CopyCommand(m_window.get(), missing, stations, base->insertionIndex(0)));
    stack->push(new MoveCommand(m_window.get(), missing, {0}, stations, base->insertionIndex(1)));
    stack->push(new SortCommand(m_window.get(), missing, NameColumn, Qt::AscendingOrder));
    QVERIFY(!m_window->isWindowModified());
    stack->undo();
    stack->undo();
    QVERIFY(!m_window->isWindowModified());
}

QTEST_MAIN(TestArrangeCommands)
#include "test_arrange_commands.moc"
