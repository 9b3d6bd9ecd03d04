// Every edit through the main window's actions and commands, at random over
// a generated table: each undone and redone on the spot down to the bytes of
// the table, all of them undone and redone at the end, and the modified
// mark checked after every step. Then the favorite lists' commands from the
// tabs, the changes the undo stack does not hold, and who releases the
// stations of a deletion still in force when the history ends.
#include <QInputDialog>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabBar>

#include <set>

#include "commands/arrange_commands.h"
#include "commands/favorite_commands.h"
#include "svl/svl_internal.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/station_fields.h"

using namespace testsupport;

namespace {

// The image of the shown table (the working copy in table view), its uids
// numbered from 1, as a save of it would write it.
QByteArray shownImage(const MainWindow &window)
{
    QVector<svl_list *> lists;
    for (const StationListWidget *widget : window.stationTableWidget()->listWidgets())
        lists << widget->stationModel()->stationList();
    svl_table table{lists.data(), uint32_t(lists.size()), window.stationTableWidget()->tableVersion()};
    svl_set_next_uid(1);
    size_t length = 0;
    uint8_t *image = svl_build_table(&table, &length);
    const QByteArray bytes(reinterpret_cast<const char *>(image), int(length));
    svl_free_image(image);
    return bytes;
}

QAction *caModuleAction(const MainWindow &window, int module)
{
    for (const QMenu *menu : window.findChildren<QMenu *>()) {
        if (menu->title() == Strings::text(Strings::CaModuleMenu))
            return menu->actions().value(module);
    }
    return nullptr;
}

QString lastCommandText(MainWindow &window)
{
    return window.undoStack()->text(window.undoStack()->index() - 1);
}

// Random edits of the window's table, each checked as it is made.
class Editor
{
public:
    Editor(MainWindow &window, quint32 seed) : m_window(window), m_random(seed) {}

    // Makes one edit, undoes and redoes it, and checks the mark.
    void step()
    {
        const QByteArray before = shownImage(m_window);
        const int commands = m_window.undoStack()->count();
        edit();
        if (QTest::currentTestFailed() || m_window.undoStack()->count() == commands)
            return;
        const QByteArray after = shownImage(m_window);
        m_changes << m_counts;
        checkMark();
        m_window.undoStack()->undo();
        QCOMPARE(shownImage(m_window), before);
        m_window.undoStack()->redo();
        QCOMPARE(shownImage(m_window), after);
        checkMark();
    }

    // The document differs from its file exactly when a change stands
    // between the history's position and the one it was saved at.
    void checkMark()
    {
        const int index = m_window.undoStack()->index();
        bool changed = m_savedAt < 0;
        for (int i = qMin(index, m_savedAt); !changed && i < qMax(index, m_savedAt); ++i)
            changed = m_changes[i];
        QCOMPARE(m_window.isWindowModified(), changed);
    }

    void saved() { m_savedAt = m_window.undoStack()->index(); }

private:
    void edit()
    {
        m_counts = true;
        const bool tableView = !m_window.stationTableWidget()->isListMode();
        switch (m_random.bounded(tableView ? 9 : 8)) {
        case 0:
            return deleteStations();
        case 1:
            return setFlag(action(m_window, "epgAct"), &svl_station::epg, Strings::EpgCommandText);
        case 2:
            return setFlag(action(m_window, "childLockAct"), &svl_station::childlock, Strings::ChildLockCommandText);
        case 3:
            return setCaModule();
        case 4:
            return setDefaults();
        case 5:
            return arrange(false);
        case 6:
            return arrange(true);
        case 7:
            return rename();
        default:
            m_counts = false;
            return sort();
        }
    }

    // Selects up to five rows of a random list, which becomes the selected one.
    QVector<int> select(int *listIndex)
    {
        StationTableWidget *tables = m_window.stationTableWidget();
        *listIndex = m_random.bounded(tables->listWidgets().size());
        for (const StationListWidget *widget : tables->listWidgets())
            widget->viewSelectionModel()->clearSelection();
        tables->showList(*listIndex);
        const StationListWidget *widget = listWidget(m_window, *listIndex);
        std::set<int> rows;
        const int rowCount = widget->stationModel()->rowCount();
        for (int i = 0; rowCount > 0 && i < 1 + m_random.bounded(5); ++i)
            rows.insert(m_random.bounded(rowCount));
        for (int row : rows)
            selectRows(widget, row, row, QItemSelectionModel::Select);
        return QVector<int>(rows.begin(), rows.end());
    }

    QVector<svl_station *> stationsAt(int listIndex, const QVector<int> &rows)
    {
        return listModel(m_window, listIndex)->stationsAt(rows);
    }

    QString listName(int listIndex) { return listModel(m_window, listIndex)->listName(); }

    void deleteStations()
    {
        int listIndex = 0;
        const QVector<int> rows = select(&listIndex);
        const QVector<svl_station *> deleted = stationsAt(listIndex, rows);
        Stations expected = stationsOf(listWidget(m_window, listIndex));
        for (int i = rows.size(); i-- > 0;)
            expected.remove(rows[i]);
        action(m_window, "deleteAct")->trigger();
        if (rows.isEmpty())
            return;
        QCOMPARE(stationsOf(listWidget(m_window, listIndex)), expected);
        const bool base = listIndex < SVL_FIRST_FAV_INDEX;
        for (const StationListWidget *widget : m_window.stationTableWidget()->listWidgets()) {
            for (const svl_station *station : deleted)
                QVERIFY(!base || !stationsOf(widget).contains(station));
        }
        QCOMPARE(lastCommandText(m_window),
                 Strings::text(Strings::DeleteCommandText).arg(rows.size()).arg(listName(listIndex)));
    }

    // The toggle is switched to a random state; every station gets it.
    void setFlag(QAction *toggle, uint8_t svl_station::*field, int textId)
    {
        int listIndex = 0;
        const QVector<int> rows = select(&listIndex);
        const bool state = m_random.bounded(2);
        toggle->setChecked(!state);
        toggle->trigger();
        if (rows.isEmpty())
            return;
        for (const svl_station *station : stationsAt(listIndex, rows))
            QCOMPARE(station->*field, uint8_t(state));
        const QString text = Strings::text(textId).arg(rows.size());
        QCOMPARE(lastCommandText(m_window), textId == Strings::EpgCommandText ? text.arg(listName(listIndex)) : text);
    }

    void setCaModule()
    {
        int listIndex = 0;
        const QVector<int> rows = select(&listIndex);
        const int module = m_random.bounded(int(MainWindow::CaModuleCount));
        caModuleAction(m_window, module)->trigger();
        if (rows.isEmpty())
            return;
        for (const svl_station *station : stationsAt(listIndex, rows))
            QCOMPARE(station->CANumber, uint8_t(module));
        QCOMPARE(lastCommandText(m_window), Strings::text(Strings::CaModuleCommandText).arg(rows.size()));
    }

    void setDefaults()
    {
        int listIndex = 0;
        const QVector<int> rows = select(&listIndex);
        action(m_window, "defaultAct")->trigger();
        if (rows.isEmpty())
            return;
        for (const svl_station *station : stationsAt(listIndex, rows)) {
            QCOMPARE(station->CANumber + station->PictureFormat + station->VideoProfile, 3 + 2 + 7);
            QCOMPARE(station->volume_correction + station->contrast + station->colour_offset + station->aux2, 0);
        }
        QCOMPARE(lastCommandText(m_window),
                 Strings::text(Strings::DefaultSettingsCommandText).arg(rows.size()).arg(listName(listIndex)));
    }

    // A move within a list, or a copy from its base list into a favorite list.
    void arrange(bool copy)
    {
        int from = 0;
        const QVector<int> rows = select(&from);
        const int to = copy ? m_random.bounded(SVL_FIRST_FAV_INDEX, m_window.stationTableWidget()->listWidgets().size()) : from;
        if (copy)
            from = svl_base_index_of(listModel(m_window, to)->listKind());
        StationListModel *source = listModel(m_window, from);
        QVector<int> sourceRows;
        for (int row : rows) {
            if (row < source->rowCount())
                sourceRows << row;
        }
        if (sourceRows.isEmpty())
            return;
        QList<QVariant> stations;
        for (int row : sourceRows)
            stations << source->data(source->index(row, 0), Qt::UserRole);
        StationListModel *target = listModel(m_window, to);
        const QModelIndex place = target->insertionIndex(m_random.bounded(target->rowCount() + 1));
        QUndoCommand *command = copy ? static_cast<QUndoCommand *>(new CopyCommand(&m_window, to, stations, place))
                                     : new MoveCommand(&m_window, to, sourceRows, stations, place);
        m_window.undoStack()->push(command);
    }

    void rename()
    {
        const int listIndex = m_random.bounded(SVL_FIRST_FAV_INDEX, m_window.stationTableWidget()->listWidgets().size());
        const QString name = QStringLiteral("renamed %1").arg(++m_renames);
        m_window.undoStack()->push(new RenameFavlistCommand(&m_window, listIndex, listName(listIndex), name));
        QCOMPARE(listName(listIndex), name);
        QCOMPARE(lastCommandText(m_window), Strings::text(Strings::RenameFavoriteListCommandText).arg(name));
    }

    void sort()
    {
        const int listIndex = m_random.bounded(m_window.stationTableWidget()->listWidgets().size());
        listModel(m_window, listIndex)->sort(m_random.bounded(int(StationColumnCount)),
                                             m_random.bounded(2) ? Qt::DescendingOrder : Qt::AscendingOrder);
    }

    MainWindow &m_window;
    QRandomGenerator m_random;
    QVector<bool> m_changes;  // per command of the history: does it change the document
    bool m_counts = true;
    int m_savedAt = 0;
    int m_renames = 0;
};

// Answers the next input dialog with the text.
class InputAnswer
{
public:
    explicit InputAnswer(const QString &text)
        : m_driver([this, text](QWidget *widget) { return answer(widget, text); })
    {
    }
    QString label() const { return m_label; }
    QString offered() const { return m_offered; }

private:
    bool answer(QWidget *widget, const QString &text)
    {
        auto *dialog = qobject_cast<QInputDialog *>(widget);
        if (!dialog)
            return false;
        m_label = dialog->labelText();
        m_offered = dialog->textValue();
        dialog->setTextValue(text);
        dialog->accept();
        return true;
    }

    QString m_label;
    QString m_offered;
    ModalDriver m_driver;
};

QTabWidget *favoriteTabs(const MainWindow &window)
{
    return window.stationTableWidget()->findChildren<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly).value(0);
}

QStringList listNames(const MainWindow &window)
{
    QStringList names;
    for (const StationListWidget *widget : window.stationTableWidget()->listWidgets())
        names << widget->stationModel()->listName();
    return names;
}

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the main window sends multicast: run inside scripts/in-netns");
        describeProgram();
    }

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
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, seed, 40));
        if (tableView)
            window->stationTableWidget()->switchToTableView();
        const QByteArray initial = shownImage(*window);
        Editor editor(*window, seed);
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
        QCOMPARE(shownImage(*window), initial);
        while (stack->canRedo()) {
            stack->redo();
            editor.checkMark();
        }
        QCOMPARE(shownImage(*window), edited);
    }

    // From the tabs: the add button in either medium, a tab's close button
    // and a double click that asks for the name. Adding or removing ends
    // the history before it.
    void favoriteListsFromTheTabs()
    {
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), {"a", "b", "c"}, {"r"}));
        StationTableWidget *tables = window->stationTableWidget();
        QTabWidget *tabs = favoriteTabs(*window);
        QUndoStack *stack = window->undoStack();
        auto *add = qobject_cast<QPushButton *>(tabs->cornerWidget());
        stack->push(new MarkerCommand);
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(listNames(*window), (QStringList{"ALL_TV", "ALL_Radio", "a", "b", "c", "new tab", "new tab1", "r"}));
        QCOMPARE(stack->count(), 1);
        QCOMPARE(stack->text(0), Strings::text(Strings::AddFavoriteListCommandText));
        stack->undo();
        QVERIFY(!listNames(*window).contains(QStringLiteral("new tab1")));
        stack->redo();
        QCOMPARE(listNames(*window)[6], QStringLiteral("new tab1"));
        tables->showList(SVL_RADIO_LIST_INDEX);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(listNames(*window).mid(7), (QStringList{"r", "new tab2"}));
        QCOMPARE(listModel(*window, 8)->listKind(), uint32_t(SVL_KIND_RADIO_FAV));
        stack->undo();
        QCOMPARE(listNames(*window).size(), 8);

        // The second TV favorite list goes with its stations and comes back
        // between the other two.
        tables->showList(SVL_TV_LIST_INDEX);
        const Stations second = stationsOf(listWidget(*window, 3));
        qobject_cast<QAbstractButton *>(tabs->tabBar()->tabButton(1, QTabBar::RightSide))->click();
        QCOMPARE(listNames(*window).mid(2, 2), (QStringList{"a", "c"}));
        QCOMPARE(stack->text(0), Strings::text(Strings::RemoveFavoriteListCommandText));
        stack->undo();
        QCOMPARE(listNames(*window).mid(2, 3), (QStringList{"a", "b", "c"}));
        QCOMPARE(stationsOf(listWidget(*window, 3)), second);
        QCOMPARE(tabs->tabText(1), QStringLiteral("b"));

        // A name another list has, base lists included, is refused without
        // a trace; a free one is taken, in the radio lists too.
        action(*window, "saveAct")->trigger();
        for (const QString &name : {QStringLiteral("ALL_TV"), QStringLiteral("c")}) {
            InputAnswer input(name);
            MessageCatcher refusal;
            emit tabs->tabBarDoubleClicked(1);
            QCOMPARE(input.offered(), QStringLiteral("b"));
            QCOMPARE(refusal.message().title, Strings::text(Strings::RenameErrorTitle));
            QCOMPARE(refusal.message().text, Strings::text(Strings::FavoriteNameExistsMessage));
            QCOMPARE(stack->count() + stack->index(), 1);
            QVERIFY(!window->isWindowModified());
        }
        tables->showList(SVL_RADIO_LIST_INDEX);
        InputAnswer input(QStringLiteral("Radio"));
        emit tabs->tabBarDoubleClicked(0);
        QCOMPARE(input.label(), Strings::text(Strings::InsertNewNameLabel));
        QCOMPARE(listNames(*window).last(), QStringLiteral("Radio"));
        QCOMPARE(lastCommandText(*window), Strings::text(Strings::RenameFavoriteListCommandText).arg("Radio"));
        QVERIFY(window->isWindowModified());
        stack->undo();
        QCOMPARE(listNames(*window).last(), QStringLiteral("r"));
        QVERIFY(!window->isWindowModified());
    }

    // An addition that fails adds nothing, is not kept on the stack, and
    // undone anyway leaves the list standing at its index alone.
    void failedAdditionUndoesNothing()
    {
        Sandbox sandbox;
        QStringList eight;
        for (int i = 1; i <= SVL_MAX_FAV_LISTS; ++i)
            eight << QStringLiteral("tv%1").arg(i);
        const auto window = openWindow(sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), eight, {"r"}));
        const QStringList names = listNames(*window);
        window->undoStack()->push(new AddFavoritelistCommand(window.get()));
        QCOMPARE(window->undoStack()->count(), 0);
        AddFavoritelistCommand failed(window.get());
        failed.redo();
        failed.undo();
        QCOMPARE(listNames(*window), names);
        QVERIFY(!window->isWindowModified());
    }

    void changesOutsideTheHistoryStayMarked_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change : {"append", "convert", "apply", "import", "switch view", "add list"})
            QTest::newRow(change) << change;
    }

    // Undoing what followed such a change leaves it marked; only a save
    // clears the mark.
    void changesOutsideTheHistoryStayMarked()
    {
        QFETCH(QString, change);
        Sandbox sandbox;
        const QString table = sandbox.writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40);
        const auto window = openWindow(table);
        StationTableWidget *tables = window->stationTableWidget();
        if (change == QLatin1String("apply"))
            tables->switchToTableView();
        if (change == QLatin1String("switch view") || change == QLatin1String("add list")) {
            tables->convertTableToNewVersion();
            action(*window, "saveAct")->trigger();
            QVERIFY(!window->isWindowModified());
            selectRows(listWidget(*window, 0), 0, 0);
            action(*window, "deleteAct")->trigger();
        }
        if (change == QLatin1String("append"))
            trigger(*window, table);
        else if (change == QLatin1String("convert"))
            action(*window, "convertAct")->trigger();
        else if (change == QLatin1String("apply"))
            tables->applyTableModifications();
        else if (change == QLatin1String("import"))
            QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, 0));
        else if (change == QLatin1String("switch view"))
            tables->switchToTableView();
        else
            tables->addFavoriteTab();
        selectRows(listWidget(*window, 0), 0, 0);
        action(*window, "epgAct")->trigger();
        window->undoStack()->undo();
        QVERIFY(window->isWindowModified());
        FileDialogAnswer name(sandbox.path(QStringLiteral("saved")));
        action(*window, "saveAct")->trigger();
        QVERIFY(!window->isWindowModified());
    }

    void deletionInForceWhenTheHistoryEnds_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("tableView");
        QTest::addColumn<bool>("deleted");  // whether the document has lost the stations
        for (const char *end : {"add list", "remove list", "switch view", "new document", "close"})
            QTest::newRow(end) << end << false << true;
        QTest::newRow("apply") << "apply" << true << true;
        QTest::newRow("table view dropped") << "switch view" << true << false;
    }

    // Stations deleted from the base list belong to the command while the
    // deletion is in force. It releases them when it goes, unless the
    // document still holds them (the deletion was made in a working copy
    // that was dropped); the sanitizers watch for leaks and double frees.
    void deletionInForceWhenTheHistoryEnds()
    {
        QFETCH(QString, end);
        QFETCH(bool, tableView);
        QFETCH(bool, deleted);
        Sandbox sandbox;
        auto window = openWindow(sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 10));
        StationTableWidget *tables = window->stationTableWidget();
        if (tableView)
            tables->switchToTableView();
        const int stations = listModel(*window, 0)->rowCount();
        QVERIFY(stations > 3);
        selectRows(listWidget(*window, 0), 1, 2);
        action(*window, "deleteAct")->trigger();
        if (end == QLatin1String("add list"))
            tables->addFavoriteTab();
        else if (end == QLatin1String("remove list"))
            tables->deleteFavoriteTab(0);
        else if (end == QLatin1String("switch view"))
            tableView ? tables->switchToListView() : tables->switchToTableView();
        else if (end == QLatin1String("apply"))
            tables->applyTableModifications();
        else if (end == QLatin1String("new document"))
            tables->newTable();
        else
            window.reset();
        if (!window || end == QLatin1String("new document"))
            return;
        QCOMPARE(window->undoStack()->count(), end.endsWith(QLatin1String("list")) ? 1 : 0);
        QCOMPARE(listModel(*window, 0)->rowCount(), deleted ? stations - 2 : stations);
        QCOMPARE(tables->saveFile(sandbox.path(QStringLiteral("after.svl50"))), 0);
    }

private:
    static void trigger(MainWindow &window, const QString &path)
    {
        FileDialogAnswer answer(path);
        action(window, "appendAct")->trigger();
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_edit_commands.moc"
