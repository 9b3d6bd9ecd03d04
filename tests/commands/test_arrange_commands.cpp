// Drops, moves, copies and sorts as the user makes them in the main window:
// random series of them over a generated table, each checked against what
// it must do to its list, then all undone down to the bytes of the file.
#include <QMimeData>
#include <QRandomGenerator>

#include <set>

#include "commands/arrange_commands.h"
#include "svl/svl_internal.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/selection.h"
#include "views/station_fields.h"

using namespace testsupport;

namespace {

// Every list of the shown table, as its stations in order.
QVector<Stations> snapshot(const MainWindow &window)
{
    QVector<Stations> lists;
    for (const StationListWidget *widget : window.stationTableWidget()->listWidgets())
        lists << stationsOf(widget);
    return lists;
}

// The file the window writes, its uids numbered from 1.
QByteArray savedBytes(MainWindow &window, const QString &path)
{
    QFile file(path);
    svl_set_next_uid(1);
    if (window.stationTableWidget()->saveFile(path) != 0 || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Makes random drops and sorts in the window's lists and checks each.
class Arranger
{
public:
    Arranger(MainWindow &window, quint32 seed) : m_window(window), m_random(seed) {}

    // dropsOnly: only moves and copies, each of which makes a command.
    void step(bool dropsOnly)
    {
        const int listIndex = m_random.bounded(m_window.stationTableWidget()->listWidgets().size());
        const int base = svl_base_index_of(listModel(m_window, listIndex)->listKind());
        switch (m_random.bounded(dropsOnly ? 2 : 4)) {
        case 0:
            return dropRows(base, listIndex);  // a copy, or a move within a base list
        case 1:
            return dropRows(listIndex, listIndex);
        case 2:
            return sort(listIndex);
        default:
            return dropFavoriteRowsOnTheirBaseList(listIndex, base);
        }
    }

private:
    void dropRows(int from, int to)
    {
        const StationListModel *source = listModel(m_window, from);
        const StationListWidget *target = listWidget(m_window, to);
        if (source->rowCount() == 0)
            return;
        const QVector<int> rows = someRows(source->rowCount());
        Stations dropped, others = stationsOf(target);
        for (int i = rows.size(); i-- > 0;) {
            dropped.prepend(source->stationList()->stations[rows[i]]);
            if (from == to)
                others.remove(rows[i]);
        }
        int baseRepaints = 0;
        const QMetaObject::Connection counter =
            QObject::connect(m_window.stationTableWidget()->currentBaseListWidget()->stationModel(),
                             &QAbstractItemModel::layoutChanged, [&baseRepaints] { ++baseRepaints; });
        const int place = drop(from, rows, to);
        QObject::disconnect(counter);
        const auto before = [place](int row) { return row < place; };
        const int first = from == to ? place - int(std::count_if(rows.begin(), rows.end(), before)) : place;
        QCOMPARE(stationsOf(target), others.mid(0, first) + dropped + others.mid(first));
        const int text = from == to ? Strings::MoveCommandText : Strings::CopyCommandText;
        QCOMPARE(lastCommandText(), Strings::text(text).arg(rows.size()).arg(target->stationModel()->listName()));
        // The placed rows are selected as whole rows, and no row is current.
        const QItemSelectionModel *selection = target->viewSelectionModel();
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY(selection->isRowSelected(first + i, QModelIndex()));
        QCOMPARE(selection->selectedIndexes().size(), rows.size() * target->stationModel()->columnCount());
        QVERIFY(!target->view()->currentIndex().isValid());
        QVERIFY(m_window.isWindowModified());
        // A copy has the base list paint its favorite marks again.
        if (from != to)
            QCOMPARE(baseRepaints, 1);
    }

    // Accepted and done: a base list takes nothing from a favorite list.
    void dropFavoriteRowsOnTheirBaseList(int favorite, int base)
    {
        const int rowCount = listModel(m_window, favorite)->rowCount();
        if (favorite == base || rowCount == 0)
            return;
        const QVector<Stations> before = snapshot(m_window);
        const int commands = m_window.undoStack()->count();
        QVERIFY(drop(favorite, someRows(rowCount), base) >= 0);
        QCOMPARE(m_window.undoStack()->count(), commands);
        QCOMPARE(snapshot(m_window), before);
    }

    // Sorting belongs to the table view and never marks the document.
    void sort(int listIndex)
    {
        StationListModel *model = listModel(m_window, listIndex);
        const int column = m_random.bounded(int(StationColumnCount));
        const bool descending = m_random.bounded(2);
        const bool modified = m_window.isWindowModified();
        model->sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        const Stations sorted = stationsOf(model->stationList());
        for (int i = 1; i < sorted.size(); ++i) {
            const int order = svl_compare_stations(sorted[i - 1], sorted[i], column);
            QVERIFY(descending ? order >= 0 : order <= 0);
        }
        QCOMPARE(lastCommandText(), Strings::text(Strings::SortCommandText).arg(model->listName()));
        QCOMPARE(m_window.isWindowModified(), modified);
    }

    // Up to five distinct rows below rowCount, ascending.
    QVector<int> someRows(int rowCount)
    {
        std::set<int> rows;
        const int wanted = 1 + m_random.bounded(qMin(5, rowCount));
        while (int(rows.size()) < wanted)
            rows.insert(m_random.bounded(rowCount));
        return QVector<int>(rows.begin(), rows.end());
    }

    // Drags the selected rows and drops them between two rows, onto a row
    // or below the last one; the row the drop landed at, -1 when refused.
    int drop(int from, const QVector<int> &rows, int to)
    {
        for (const StationListWidget *widget : m_window.stationTableWidget()->listWidgets())
            widget->viewSelectionModel()->clearSelection();
        QModelIndexList indexes;
        for (int row : rows) {
            indexes << listModel(m_window, from)->index(row, 0);
            selectRows(listWidget(m_window, from), row, row, QItemSelectionModel::Select);
        }
        const std::unique_ptr<QMimeData> data(listModel(m_window, from)->mimeData(indexes));
        StationListModel *target = listModel(m_window, to);
        listWidget(m_window, to)->view()->setCurrentIndex(target->index(0, 0));
        const int place = m_random.bounded(target->rowCount() + 1);
        const QModelIndex onto = m_random.bounded(2) ? target->index(place, 0) : QModelIndex();
        const bool below = !onto.isValid() && place == target->rowCount() && m_random.bounded(2);
        const int row = onto.isValid() || below ? -1 : place;
        const auto action = m_random.bounded(2) ? Qt::CopyAction : Qt::MoveAction;
        return target->dropMimeData(data.get(), action, row, row < 0 ? -1 : 0, onto) ? place : -1;
    }

    QString lastCommandText() { return m_window.undoStack()->text(m_window.undoStack()->count() - 1); }

    MainWindow &m_window;
    QRandomGenerator m_random;
};

} // namespace

class TestArrangeCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the main window sends multicast: run inside scripts/in-netns");
        describeProgram();
    }

    void undoAllRestoresTheTable_data()
    {
        QTest::addColumn<bool>("tableView");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QTest::addRow("list view, seed %u", seed) << false << seed;
            QTest::addRow("table view, seed %u", seed) << true << seed;
        }
    }

    // After every step the list is as the step must leave it; undoing all
    // steps gives back the very table, redoing all of them the last one.
    void undoAllRestoresTheTable()
    {
        QFETCH(bool, tableView);
        QFETCH(quint32, seed);
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, seed, 40));
        const QVector<Stations> initial = snapshot(*window);
        const QByteArray initialBytes = savedBytes(*window, sandbox.path(QStringLiteral("initial")));
        QVERIFY(!initialBytes.isEmpty());
        if (tableView) {
            window->stationTableWidget()->switchToTableView();
            // Making the table sortable must not sort anything by itself.
            QCOMPARE(snapshot(*window), initial);
        }
        QUndoStack *stack = window->undoStack();
        QCOMPARE(stack->count(), 0);

        Arranger arranger(*window, seed);
        // The first command marks the window; only its undo clears the mark.
        while (stack->count() == 0 && !QTest::currentTestFailed())
            arranger.step(true);
        for (int i = 0; i < 30 && !QTest::currentTestFailed(); ++i)
            arranger.step(false);
        if (QTest::currentTestFailed())
            return;
        const QVector<Stations> arranged = snapshot(*window);
        while (stack->canUndo()) {
            QVERIFY(window->isWindowModified());
            stack->undo();
        }
        QVERIFY(!window->isWindowModified());
        QCOMPARE(snapshot(*window), initial);
        QCOMPARE(savedBytes(*window, sandbox.path(QStringLiteral("undone"))), initialBytes);
        while (stack->canRedo())
            stack->redo();
        QCOMPARE(snapshot(*window), arranged);
        QVERIFY(window->isWindowModified());
    }

    void keyboardMovesKeepTheOrders_data() { undoAllRestoresTheTable_data(); }

    // Random selections moved by the keys and to random rows (some past the
    // end): the moved stations stand together in their order, still
    // selected, the others keep theirs; a move that changes nothing pushes
    // nothing; undoing every move gives back the very lists.
    void keyboardMovesKeepTheOrders()
    {
        QFETCH(bool, tableView);
        QFETCH(quint32, seed);
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, seed, 40));
        StationTableWidget *tables = window->stationTableWidget();
        if (tableView)
            tables->switchToTableView();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const QVector<Stations> initial = snapshot(*window);
        QRandomGenerator random(seed);
        const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
        for (int step = 0; step < 60 && !QTest::currentTestFailed(); ++step) {
            StationListWidget *widget = random.bounded(2) ? tables->currentFavListWidget() : tables->currentBaseListWidget();
            const int rowCount = widget->stationModel()->rowCount();
            QVector<int> rows;
            for (int row = step % 4 ? random.bounded(rowCount) : 0; row < rowCount && rows.size() < 5; row += 1 + random.bounded(3))
                rows << row;
            selectRows(widget, rows.first(), rows.first());
            for (int row : rows)
                selectRows(widget, row, row, QItemSelectionModel::Select);
            const Stations before = stationsOf(widget);
            Stations moved, others = before;
            for (int i = rows.size(); i-- > 0;)
                moved.prepend(others.takeAt(rows[i]));
            const int commands = window->undoStack()->count();
            const int key = random.bounded(5), row = random.bounded(rowCount + 3);
            if (key < 4)
                QTest::keyClick(widget->view(), keys[key], Qt::AltModifier);
            else
                tables->moveSelectedStationsToRow(row);
            Stations after = stationsOf(widget);
            const int first = after.indexOf(moved.first());
            QCOMPARE(after.mid(first, moved.size()), moved);
            after.remove(first, moved.size());
            QCOMPARE(after, others);
            QCOMPARE(window->undoStack()->count() > commands, stationsOf(widget) != before);
            QCOMPARE(sortedSelectedIndexes(widget->viewSelectionModel()).size(), moved.size() * widget->stationModel()->columnCount());
            QVERIFY(widget->viewSelectionModel()->isRowSelected(first, QModelIndex()));
            const int last = rowCount - moved.size();
            QCOMPARE(first, key == 2 ? 0 : key == 3 || (key == 4 && row >= last) ? last : first);
        }
        while (window->undoStack()->canUndo())
            window->undoStack()->undo();
        QCOMPARE(snapshot(*window), initial);
        QVERIFY(!window->isWindowModified());
    }

    // Only stations of a base list go into a favorite list of its medium,
    // appended; any other pair (TV favorite, radio favorite, radio base
    // list) changes nothing and pushes nothing.
    void addingToAFavoriteList()
    {
        for (const QPair<int, int> &lists : {qMakePair(0, 3), qMakePair(0, 4), qMakePair(0, 1), qMakePair(2, 3)}) {
            Sandbox sandbox;
            const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 40));
            selectRows(listWidget(*window, lists.first), 1, 3);
            QVector<Stations> expected = snapshot(*window);
            const bool added = lists == qMakePair(0, 3);
            if (added)
                expected[lists.second] << expected[lists.first].mid(1, 3);
            window->stationTableWidget()->addSelectionToFavoriteList(lists.second);
            QCOMPARE(snapshot(*window), expected);
            QCOMPARE(window->undoStack()->count(), int(added));
        }
    }

    // A command whose list is gone changes nothing.
    void commandsWithoutTheirListDoNothing()
    {
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50));
        const int missing = window->stationTableWidget()->listWidgets().size();
        StationListModel *base = listModel(*window, 0);
        const QList<QVariant> stations{base->data(base->index(0, 0), Qt::UserRole)};
        QUndoStack *stack = window->undoStack();
        stack->push(new CopyCommand(window.get(), missing, stations, base->insertionIndex(0)));
        stack->push(new MoveCommand(window.get(), missing, {0}, stations, base->insertionIndex(1)));
        stack->push(new SortCommand(window.get(), missing, NameColumn, Qt::AscendingOrder));
        stack->undo();
        stack->undo();
        QVERIFY(!window->isWindowModified());
    }
};

QTEST_MAIN(TestArrangeCommands)
#include "test_arrange_commands.moc"
