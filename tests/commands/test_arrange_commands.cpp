// Every edit as the user makes it in the main window (drops, moves,
// copies, sorts, deletions, flags, CA modules, default settings, renamed
// favorite lists): random series of them over a generated table, each
// checked against what it must do, undone and redone on the spot down to
// the bytes of the table, the modified mark checked after every step and
// around a save; then all undone and redone at once. And long sessions of
// them mixed with view switches, saves, applies and exports, in which no
// edit is ever lost without a question.
#include <QMimeData>
#include <QRandomGenerator>

#include <numeric>
#include <set>

#include "commands/arrange_commands.h"
#include "commands/favorite_commands.h"
#include "fields/station_fields.h"
#include "svl/svl_image.h"
#include "svl/svl_internal.h"
#include "tests/app/test_mainwindow_support.h"
#include "tests/support/runners.h"
#include "views/selection.h"

using namespace testsupport;

namespace {

// Lists as they stood at some moment: their records and their stations,
// whose settings are read when the image is made.
struct ListState {
    QByteArray name;
    uint32_t kind;
    uint8_t attr;
    Stations stations;
};
using TableState = QVector<ListState>;

TableState shownState(const MainWindow &window)
{
    TableState lists;
    for (const StationListWidget *widget : window.stationTableWidget()->listWidgets()) {
        const svl_list *list = widget->stationModel()->stationList();
        lists.append({list->name, list->kind, list->attr, stationsOf(list)});
    }
    return lists;
}

// The image of the lists, their uids numbered from 1, as a save of a
// table holding them would write it.
QByteArray imageOf(const TableState &state, uint16_t version)
{
    QVector<svl_list *> lists;
    for (const ListState &each : state) {
        svl_list *list = svl_new_list(each.name.constData(), each.kind, each.attr);
        for (const svl_station *station : each.stations)
            svl_append_station(list, const_cast<svl_station *>(station));
        lists << list;
    }
    svl_table table{lists.data(), uint32_t(lists.size()), version};
    const std::string image = image_of(&table);
    for (svl_list *list : lists)
        svl_free_list(list, 0);
    return QByteArray::fromStdString(image);
}

// The image of the shown table: the working copy in table view.
QByteArray shownImage(const MainWindow &window)
{
    return imageOf(shownState(window), window.stationTableWidget()->tableVersion());
}

QAction *caModuleAction(const MainWindow &window, int module)
{
    for (const QMenu *menu : window.findChildren<QMenu *>()) {
        if (menu->title() == Strings::text(Strings::CaModuleMenu))
            return menu->actions().value(module);
    }
    return nullptr;
}

// Makes random edits in the window's lists and checks each.
class Editor
{
public:
    Editor(MainWindow &window, quint32 seed) : m_window(window), m_random(seed) {}

    // One edit, undone and redone; sorting is possible in table view only.
    void step()
    {
        QUndoStack *stack = m_window.undoStack();
        const QByteArray before = shownImage(m_window);
        const int commands = stack->count();
        m_counts = true;
        edit();
        if (QTest::currentTestFailed() || stack->count() == commands)
            return;
        const QByteArray after = shownImage(m_window);
        m_changes.resize(stack->index() - 1);
        m_changes << m_counts;
        checkMark();
        stack->undo();
        QCOMPARE(shownImage(m_window), before);
        stack->redo();
        QCOMPARE(shownImage(m_window), after);
        checkMark();
    }

    // A session that also switches views and saves keeps its own account
    // of the mark.
    void leaveTheMarkAlone() { m_checksMark = false; }

    // The document differs from its file exactly when a change stands
    // between the history's position and the one it was saved at; the
    // table view's lists are marked while they differ from the document's.
    void checkMark()
    {
        if (!m_checksMark)
            return;
        const int index = m_window.undoStack()->index();
        bool changed = !m_documentLists.isEmpty() && listsOf(m_window) != m_documentLists;
        for (int i = qMin(index, m_savedAt); i < qMax(index, m_savedAt); ++i)
            changed = changed || m_changes[i];
        QCOMPARE(m_window.isWindowModified(), changed);
    }

    void saved() { m_savedAt = m_window.undoStack()->index(); }
    // The lists of the document, when the table view shows a copy of them.
    void showingCopyOf(const QVector<Stations> &lists) { m_documentLists = lists; }

private:
    void edit()
    {
        const int listIndex = m_random.bounded(m_window.stationTableWidget()->listWidgets().size());
        const int base = svl_base_index_of(listModel(m_window, listIndex)->listKind());
        const bool tableView = !m_window.stationTableWidget()->isListMode();
        switch (m_random.bounded(tableView ? 7 : 6)) {
        case 0:
            return dropRows(base, listIndex);  // a copy, or a move within a base list
        case 1:
            return dropRows(listIndex, listIndex);
        case 2:
            return dropFavoriteRowsOnTheirBaseList(listIndex, base);
        case 3:
            return deleteStations(listIndex);
        case 4:
            return changeStations(listIndex, m_random.bounded(4));
        case 5:
            return rename();
        default:
            m_counts = false;
            return sort(listIndex);
        }
    }

    // Selects some rows of the list, which becomes the selected one.
    QVector<int> select(int listIndex)
    {
        for (const StationListWidget *widget : m_window.stationTableWidget()->listWidgets())
            widget->viewSelectionModel()->clearSelection();
        m_window.stationTableWidget()->showList(listIndex);
        const int rowCount = listModel(m_window, listIndex)->rowCount();
        const QVector<int> rows = rowCount > 0 ? someRows(rowCount) : QVector<int>();
        for (int row : rows)
            selectRows(listWidget(m_window, listIndex), row, row, QItemSelectionModel::Select);
        return rows;
    }

    void deleteStations(int listIndex)
    {
        const QVector<int> rows = select(listIndex);
        const QVector<svl_station *> deleted = listModel(m_window, listIndex)->stationsAt(rows);
        Stations expected = stationsOf(listWidget(m_window, listIndex));
        for (int i = rows.size(); i-- > 0;)
            expected.remove(rows[i]);
        action(m_window, "deleteAct")->trigger();
        if (rows.isEmpty())
            return;
        QCOMPARE(stationsOf(listWidget(m_window, listIndex)), expected);
        // From a base list they leave every favorite list too.
        for (const StationListWidget *widget : m_window.stationTableWidget()->listWidgets()) {
            for (const svl_station *station : deleted)
                QVERIFY(listIndex >= SVL_FIRST_FAV_INDEX || !stationsOf(widget).contains(station));
        }
        QCOMPARE(lastCommandText(), Strings::text(Strings::DeleteCommandText).arg(rows.size()).arg(listName(listIndex)));
    }

    // The EPG flag or the child lock switched to a random state, a CA
    // module, or the default settings: every selected station gets them.
    void changeStations(int listIndex, int change)
    {
        const QVector<int> rows = select(listIndex);
        const int value = m_random.bounded(change == 2 ? int(MainWindow::CaModuleCount) : 2);
        QAction *const actions[] = {action(m_window, "epgAct"), action(m_window, "childLockAct"),
                                    caModuleAction(m_window, value), action(m_window, "defaultAct")};
        actions[change]->setChecked(!value);
        actions[change]->trigger();
        if (rows.isEmpty())
            return;
        for (const svl_station *station : listModel(m_window, listIndex)->stationsAt(rows)) {
            const int got[] = {station->epg, station->childlock, station->CANumber,
                               station->CANumber + station->PictureFormat + station->VideoProfile + station->contrast};
            QCOMPARE(got[change], change == 3 ? 3 + 2 + 7 : value);
        }
        const int texts[] = {Strings::EpgCommandText, Strings::ChildLockCommandText, Strings::CaModuleCommandText,
                             Strings::DefaultSettingsCommandText};
        const QString text = Strings::text(texts[change]).arg(rows.size());
        QCOMPARE(lastCommandText(), change == 0 || change == 3 ? text.arg(listName(listIndex)) : text);
    }

    void rename()
    {
        const int lists = m_window.stationTableWidget()->listWidgets().size();
        const int listIndex = m_random.bounded(SVL_FIRST_FAV_INDEX, lists);
        const QString name = QStringLiteral("renamed %1").arg(++m_renames);
        m_window.undoStack()->push(new RenameFavlistCommand(&m_window, listIndex, listName(listIndex), name));
        QCOMPARE(listName(listIndex), name);
        QCOMPARE(lastCommandText(), Strings::text(Strings::RenameFavoriteListCommandText).arg(name));
    }

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
        // A copy has the base list paint its favorite marks again.
        if (from != to)
            QCOMPARE(baseRepaints, 1);
    }

    // Accepted or refused, a base list takes nothing from a favorite list.
    void dropFavoriteRowsOnTheirBaseList(int favorite, int base)
    {
        const int rowCount = listModel(m_window, favorite)->rowCount();
        if (favorite == base || rowCount == 0)
            return;
        const QVector<Stations> before = listsOf(m_window);
        const int commands = m_window.undoStack()->count();
        drop(favorite, someRows(rowCount), base);
        QCOMPARE(m_window.undoStack()->count(), commands);
        QCOMPARE(listsOf(m_window), before);
    }

    // Sorting belongs to the table view; it changes the working copy only.
    void sort(int listIndex)
    {
        StationListModel *model = listModel(m_window, listIndex);
        const int column = m_random.bounded(int(StationColumnCount));
        const bool descending = m_random.bounded(2);
        model->sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        const Stations sorted = stationsOf(model->stationList());
        for (int i = 1; i < sorted.size(); ++i) {
            const int order = svl_compare_stations(sorted[i - 1], sorted[i], column);
            QVERIFY(descending ? order >= 0 : order <= 0);
        }
        QCOMPARE(lastCommandText(), Strings::text(Strings::SortCommandText).arg(model->listName()));
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

    QString listName(int listIndex) { return listModel(m_window, listIndex)->listName(); }
    QString lastCommandText() { return m_window.undoStack()->text(m_window.undoStack()->index() - 1); }

    MainWindow &m_window;
    QRandomGenerator m_random;
    QVector<bool> m_changes;  // per command of the history: does it change the document
    bool m_counts = true;
    int m_savedAt = 0;
    QVector<Stations> m_documentLists;
    bool m_checksMark = true;
    int m_renames = 0;
};

// A user's session: random edits, undos and redos, view switches, saves,
// applies and exports, every question about changes not applied answered
// at random. The session knows the document itself: in list view it is
// what is shown; in table view what was shown when the working copy was
// made or last applied, with the stations' settings as they are now.
class Session
{
public:
    Session(MainWindow &window, const QString &file, TvSim &set, const QString &setFile, quint32 seed)
        : m_window(window), m_tables(window.stationTableWidget()), m_file(file), m_setFile(setFile),
          m_random(seed), m_editor(window, seed), m_document(shownState(window))
    {
        m_editor.leaveTheMarkAlone();
        m_tables->setTransferOptions(*set.options());
    }

    void step()
    {
        switch (m_random.bounded(12)) {
        case 0:
            return switchView();
        case 1:
            return save();
        case 2:
            return apply();
        case 3:
            return undoOrRedo();
        case 4:
            return exportToTheSet();
        default:
            m_editor.step();
            if (m_tables->isListMode())
                m_document = shownState(m_window);
        }
    }

    // Nothing is lost without the mark: the file holds the document, and
    // the table view holds nothing unapplied, or the window is marked.
    void checkNothingUnmarked()
    {
        const bool saved = imageOfFile(m_file) == documentImage();
        const bool applied = m_tables->isListMode() || shownImage(m_window) == documentImage();
        QVERIFY2(m_window.isWindowModified() || (saved && applied), "a change is not marked");
    }

    // Closing asks exactly when something would be lost, and nothing is
    // kept when the user lets it go.
    void close()
    {
        MessageCatcher unapplied(answerText(ContinueWithout), Strings::text(Strings::UnappliedChangesTitle));
        MessageCatcher unsaved(Strings::text(Strings::DiscardButton), Strings::text(Strings::SaveModificationsTitle));
        const bool modified = m_window.isWindowModified();
        QVERIFY(m_window.close());
        QCOMPARE(unapplied.seen() || unsaved.seen(), modified);
    }

private:
    enum Answer { Apply, ContinueWithout, Cancel };

    QByteArray documentImage() const { return imageOf(m_document, m_tables->tableVersion()); }

    QString answerText(Answer answer) const
    {
        const int texts[] = {Strings::ApplyButton, Strings::ContinueWithoutButton, Strings::CancelButton};
        return Strings::text(texts[answer]);
    }

    // Does what the user did, answering a question about changes not
    // applied with a random answer; the answer given, or -1 when none was
    // asked for.
    int answering(const char *actionName)
    {
        const Answer answer = Answer(m_random.bounded(3));
        const TableState shown = shownState(m_window);
        MessageCatcher question(answerText(answer), Strings::text(Strings::UnappliedChangesTitle));
        action(m_window, actionName)->trigger();
        if (!question.seen())
            return -1;
        if (answer == Apply)
            m_document = shown;
        return answer;
    }

    void switchView()
    {
        if (m_tables->isListMode()) {
            action(m_window, "tableViewAct")->trigger();
            return;
        }
        const int answer = answering("listViewAct");
        QCOMPARE(m_tables->isListMode(), answer != Cancel);
        if (m_tables->isListMode())
            QCOMPARE(shownImage(m_window), documentImage());
    }

    void save()
    {
        const QByteArray before = imageOfFile(m_file);
        const int answer = answering("saveAct");
        QCOMPARE(imageOfFile(m_file), answer == Cancel ? before : documentImage());
        if (answer != Cancel)
            QCOMPARE(m_window.isWindowModified(), shownImage(m_window) != documentImage());
    }

    void apply()
    {
        if (m_tables->isListMode())
            return;
        m_document = shownState(m_window);
        m_tables->applyTableModifications();
    }

    void undoOrRedo()
    {
        QUndoStack *stack = m_window.undoStack();
        for (int i = m_random.bounded(4); i > 0; --i)
            m_random.bounded(2) && stack->canRedo() ? stack->redo() : stack->undo();
        if (m_tables->isListMode())
            m_document = shownState(m_window);
    }

    // The set receives the document, never the table view's working copy.
    void exportToTheSet()
    {
        QFile::remove(m_setFile);
        m_tables->startExport(QStringLiteral("127.0.0.4"));
        QTRY_VERIFY_WITH_TIMEOUT(!m_tables->isTransferRunning(), 10000);
        QCOMPARE(imageOfFile(m_setFile), documentImage());
    }

    MainWindow &m_window;
    StationTableWidget *m_tables;
    QString m_file;
    QString m_setFile;
    QRandomGenerator m_random;
    Editor m_editor;
    TableState m_document;
};

} // namespace

class TestArrangeCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    void everyEditUndoesToTheBytes_data()
    {
        QTest::addColumn<bool>("tableView");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QTest::addRow("list view, seed %u", seed) << false << seed;
            QTest::addRow("table view, seed %u", seed) << true << seed;
        }
    }

    // In list view the document is saved halfway; the mark then follows the
    // saved state through the undoing of everything.
    void everyEditUndoesToTheBytes()
    {
        QFETCH(bool, tableView);
        QFETCH(quint32, seed);
        testsupport::Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, seed, 40));
        Editor editor(*window, seed);
        if (tableView) {
            editor.showingCopyOf(listsOf(*window));
            window->stationTableWidget()->switchToTableView();
        }
        const QByteArray initialImage = shownImage(*window);
        QUndoStack *stack = window->undoStack();
        for (int i = 0; i < 40 && !QTest::currentTestFailed(); ++i) {
            editor.step();
            if (i == 20 && !tableView) {
                action(*window, "saveAct")->trigger();
                editor.saved();
                editor.checkMark();
            }
        }
        if (QTest::currentTestFailed())
            return;
        const QByteArray edited = shownImage(*window);
        while (stack->canUndo()) {
            stack->undo();
            editor.checkMark();
        }
        QCOMPARE(shownImage(*window), initialImage);
        while (stack->canRedo()) {
            stack->redo();
            editor.checkMark();
        }
        QCOMPARE(shownImage(*window), edited);
    }

    void aSessionLosesNothingUnasked_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 3; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }

    // Two hundred steps of a user's session; after each, no change is
    // left unmarked, and every save and export writes exactly the document.
    void aSessionLosesNothingUnasked()
    {
        QFETCH(quint32, seed);
        testsupport::Sandbox sandbox;
        const QString file = sandbox.writeTable(QStringLiteral("session.svl50"), SVL_VERSION_50, 2, seed, 40);
        const QString setFile = sandbox.path(QStringLiteral("set.svl50"));
        TvSim set("127.0.0.4", {"--save", setFile.toStdString(), "--generate", "3"});
        QVERIFY(set.wait_ready());
        const auto window = openWindow(file);
        action(*window, "tvBackupAct")->setChecked(false);
        Session session(*window, file, set, setFile, seed);
        for (int step = 0; step < 200 && !QTest::currentTestFailed(); ++step) {
            session.step();
            session.checkNothingUnmarked();
        }
        if (!QTest::currentTestFailed())
            session.close();
    }

    void keyboardMovesKeepTheOrders_data() { everyEditUndoesToTheBytes_data(); }

    // Random selections moved by the keys and to random rows (some past the
    // end): the moved stations stand together in their order, still
    // selected, the others keep theirs; a move that changes nothing pushes
    // nothing; undoing every move gives back the very lists.
    void keyboardMovesKeepTheOrders()
    {
        QFETCH(bool, tableView);
        QFETCH(quint32, seed);
        testsupport::Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, seed, 40));
        StationTableWidget *tables = window->stationTableWidget();
        if (tableView)
            tables->switchToTableView();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const QVector<Stations> initial = listsOf(*window);
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
            if (window->undoStack()->count() == commands)
                continue;
            // Undo and redo take the selection along with the stations.
            QVector<int> placed(moved.size());
            std::iota(placed.begin(), placed.end(), first);
            window->undoStack()->undo();
            QCOMPARE(stationsOf(widget), before);
            QCOMPARE(selectedRowsOf(widget), rows);
            window->undoStack()->redo();
            QCOMPARE(selectedRowsOf(widget), placed);
        }
        window->undoStack()->setIndex(0);
        QCOMPARE(listsOf(*window), initial);
        QVERIFY(!window->isWindowModified());
    }

    // Only stations of a base list go into a favorite list of its medium,
    // appended; any other pair (TV favorite, radio favorite, radio base
    // list) changes nothing and pushes nothing.
    void addingToAFavoriteList()
    {
        for (const QPair<int, int> &lists : {qMakePair(0, 3), qMakePair(0, 4), qMakePair(0, 1), qMakePair(2, 3)}) {
            testsupport::Sandbox sandbox;
            const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 40));
            selectRows(listWidget(*window, lists.first), 1, 3);
            QVector<Stations> expected = listsOf(*window);
            const bool added = lists == qMakePair(0, 3);
            if (added)
                expected[lists.second] << expected[lists.first].mid(1, 3);
            window->stationTableWidget()->addSelectionToFavoriteList(lists.second);
            QCOMPARE(listsOf(*window), expected);
            QCOMPARE(window->undoStack()->count(), int(added));
        }
    }
};

QTEST_MAIN(TestArrangeCommands)
#include "test_arrange_commands.moc"
