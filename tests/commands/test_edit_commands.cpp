// The favorite lists' commands from the tabs, the changes the undo stack
// does not hold, who releases the stations of a deletion still in force
// when the history ends, and "Save" in the station settings dialog. The
// edits themselves, at random, are in test_arrange_commands.
#include <QInputDialog>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>

#include "commands/arrange_commands.h"
#include "commands/favorite_commands.h"
#include "fields/station_fields.h"
#include "options/svl_options_dialog.h"
#include "tests/app/test_mainwindow_support.h"

using namespace testsupport;

namespace {

// Answers the next input dialog with the text; *offered takes the text the
// dialog offered.
std::unique_ptr<ModalDriver> answerInput(const QString &text, QString *offered)
{
    return onNextDialog<QInputDialog>([text, offered](QInputDialog *dialog) {
        *offered = dialog->textValue();
        dialog->setTextValue(text);
        dialog->accept();
    });
}

using Record = std::unique_ptr<svl_station, void (*)(svl_station *)>;

// Runs "Options" for the selected station and lets edit change the dialog
// before it saves.
void saveOptions(const MainWindow &window, const std::function<void(SvlOptionsDialog *)> &edit)
{
    const auto driver = onNextDialog<SvlOptionsDialog>([&edit](SvlOptionsDialog *dialog) {
        edit(dialog);
        dialog->saveChanges();
    });
    action(window, "optionsAct")->trigger();
    QVERIFY(driver->handled());
}

void stepVolume(SvlOptionsDialog *dialog)
{
    auto *volume = dialog->findChild<QSpinBox *>(QStringLiteral("volume_correction"));
    volume->stepBy(volume->value() < volume->maximum() ? 1 : -1);
}

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    // From the tabs: the add button in either medium, a tab's close button
    // and a double click that asks for the name. Adding or removing ends
    // the history before it.
    void favoriteListsFromTheTabs()
    {
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), {"a", "b", "c"}, {"r"}));
        StationTableWidget *tables = window->stationTableWidget();
        QTabWidget *tabs = tables->findChildren<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly).value(0);
        QUndoStack *stack = window->undoStack();
        auto *add = qobject_cast<QPushButton *>(tabs->cornerWidget());
        stack->push(new QUndoCommand);
        QTest::mouseClick(add, Qt::LeftButton);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(listNames(tables), (QStringList{"ALL_TV", "ALL_Radio", "a", "b", "c", "new tab", "new tab1", "r"}));
        QCOMPARE(stack->count(), 1);
        stack->undo();
        stack->redo();
        QCOMPARE(listNames(tables)[6], QStringLiteral("new tab1"));
        tables->showList(SVL_RADIO_LIST_INDEX);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(listNames(tables).mid(7), (QStringList{"r", "new tab2"}));
        stack->undo();
        QCOMPARE(listNames(tables).size(), 8);

        // The second TV favorite list goes with its stations and comes back
        // between the other two.
        tables->showList(SVL_TV_LIST_INDEX);
        const Stations second = stationsOf(listWidget(*window, 3));
        qobject_cast<QAbstractButton *>(tabs->tabBar()->tabButton(1, QTabBar::RightSide))->click();
        QCOMPARE(listNames(tables).mid(2, 2), (QStringList{"a", "c"}));
        stack->undo();
        QCOMPARE(listNames(tables).mid(2, 3), (QStringList{"a", "b", "c"}));
        QCOMPARE(stationsOf(listWidget(*window, 3)), second);

        // A name another list has, base lists included, or one longer than
        // a table holds (254 bytes; "ä" takes two), is refused without a
        // trace; a free one is taken, in the radio lists too.
        action(*window, "saveAct")->trigger();
        QString offered;
        const QString tooLong = QString(SVL_MAX_LIST_NAME_BYTES / 2, QChar(0xE4)) + QLatin1Char('x');
        for (const QString &name : {QStringLiteral("ALL_TV"), QStringLiteral("c"), tooLong}) {
            const auto input = answerInput(name, &offered);
            MessageCatcher refusal;
            emit tabs->tabBarDoubleClicked(1);
            QCOMPARE(offered, QStringLiteral("b"));
            QCOMPARE(refusal.message().title, Strings::text(Strings::RenameErrorTitle));
            QCOMPARE(refusal.message().text, name == tooLong ? Strings::text(Strings::ListNameTooLongMessage).arg(254)
                                                             : Strings::text(Strings::FavoriteNameExistsMessage));
            QCOMPARE(stack->count() + stack->index(), 1);
            QVERIFY(!window->isWindowModified());
        }
        tables->showList(SVL_RADIO_LIST_INDEX);
        const auto input = answerInput(QStringLiteral("Radio"), &offered);
        emit tabs->tabBarDoubleClicked(0);
        QCOMPARE(listNames(tables).last(), QStringLiteral("Radio"));
    }

    // A command that cannot make its change (a ninth list, the removal of a
    // tab that is not there, a move whose rows no longer hold its stations,
    // a copy, move or sort in a list that is not there) changes nothing and
    // is dropped, leaving the stack as it was; a failed addition undone
    // anyway leaves the list at its index alone. The same commands made
    // right are kept.
    void failedCommandsLeaveTheStack()
    {
        Sandbox sandbox;
        const QStringList eight{"1", "2", "3", "4", "5", "6", "7", "8"};
        const auto window = openWindow(sandbox.writeNamedFavorites(QStringLiteral("t.svl50"), eight, {"r"}));
        QUndoStack *stack = window->undoStack();
        stack->push(new QUndoCommand);
        stack->setClean();
        const QStringList names = listNames(window->stationTableWidget());
        const Stations base = stationsOf(listWidget(*window, 0));
        StationListModel *model = listModel(*window, 0);
        const QList<QVariant> third{model->data(model->index(2, 0), Qt::UserRole)};
        stack->push(new AddFavoritelistCommand(window.get()));
        stack->push(new RemoveFavoritelistCommand(window.get(), 9));
        stack->push(new MoveCommand(window.get(), 0, {3}, third, model->insertionIndex(0)));
        const int missing = names.size();
        stack->push(new CopyCommand(window.get(), missing, third, model->insertionIndex(0)));
        stack->push(new MoveCommand(window.get(), missing, {2}, third, model->insertionIndex(0)));
        stack->push(new SortCommand(window.get(), missing, NameColumn, Qt::AscendingOrder));
        AddFavoritelistCommand failed(window.get());
        failed.redo();
        failed.undo();
        QCOMPARE(stack->count() + stack->index(), 2);
        QVERIFY(stack->isClean() && !window->isWindowModified());
        QCOMPARE(listNames(window->stationTableWidget()), names);
        QCOMPARE(stationsOf(listWidget(*window, 0)), base);
        stack->push(new MoveCommand(window.get(), 0, {2}, third, model->insertionIndex(0)));
        stack->push(new RemoveFavoritelistCommand(window.get(), 0));
        QCOMPARE(stack->count(), 3);
    }

    void historyEndsAfterADeletion_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("tableView");
        QTest::addColumn<bool>("deleted");  // whether the document has lost the stations
        for (const char *end : {"add list", "remove list", "switch view", "append", "import", "new document", "close"})
            QTest::newRow(end) << end << false << true;
        QTest::newRow("apply") << "apply" << true << true;
        QTest::newRow("table view dropped") << "switch view" << true << false;
    }

    // Stations deleted from a base list belong to the command while the
    // deletion is in force. It releases them when it goes, unless the
    // document still holds them (the deletion was made in a working copy
    // that was dropped); the sanitizers watch for leaks and double frees.
    // The unsaved deletion stays marked however the history ended, through
    // the undoing of what followed, until a save.
    void historyEndsAfterADeletion()
    {
        QFETCH(QString, end);
        QFETCH(bool, tableView);
        QFETCH(bool, deleted);
        Sandbox sandbox;
        const QString table = sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50, 2, 1, 10);
        auto window = openWindow(table);
        StationTableWidget *tables = window->stationTableWidget();
        if (tableView)
            tables->switchToTableView();
        const int stations = listModel(*window, 0)->rowCount();
        selectRows(listWidget(*window, 0), 1, 2);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(listWidget(*window, 0)->view(), Qt::Key_Delete);
        if (end == QLatin1String("add list"))
            tables->addFavoriteTab();
        else if (end == QLatin1String("remove list"))
            tables->deleteFavoriteTab(0);
        else if (end == QLatin1String("switch view"))
            tableView ? tables->switchToListView() : tables->switchToTableView();
        else if (end == QLatin1String("apply"))
            tables->applyTableModifications();
        else if (end == QLatin1String("append"))
            triggerChoosingFile(*window, "appendAct", table);
        else if (end == QLatin1String("import"))
            QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, 0));
        else if (end == QLatin1String("new document"))
            return tables->newTable();
        else
            return window.reset();
        QCOMPARE(window->undoStack()->count(), end.endsWith(QLatin1String("list")) ? 1 : 0);
        const int appended = end == QLatin1String("append") ? stations : 0;
        QCOMPARE(listModel(*window, 0)->rowCount(), (deleted ? stations - 2 : stations) + appended);
        selectRows(listWidget(*window, 0), 0, 0);
        action(*window, "epgAct")->trigger();
        window->undoStack()->undo();
        QVERIFY(window->isWindowModified());
        // An imported table has no file yet, so Save is off and the user saves it under a name.
        FileDialogAnswer name(sandbox.path(QStringLiteral("saved")));
        action(*window, end == QLatin1String("import") ? "saveAsAct" : "saveAct")->trigger();
        QVERIFY(!window->isWindowModified());
    }

    // Saving the settings dialog of a station of every kind pushes one
    // command that marks the document and whose undo gives back the
    // station's old bytes; an unchanged station pushes nothing. The command
    // is the same for every version; the dialog's test covers both.
    void settingsSaveIsOneUndoableEdit()
    {
        const Sandbox sandbox;
        const QString table = sandbox.writeTable(QStringLiteral("every-kind"), SVL_VERSION_50, 2, 1, 24, true);
        const auto window = openWindow(table);
        QUndoStack *stack = window->undoStack();
        for (int list : {SVL_TV_LIST_INDEX, SVL_RADIO_LIST_INDEX}) {
            window->stationTableWidget()->showList(list);
            const StationListModel *model = listModel(*window, list);
            for (int row = 0; row < model->rowCount(); ++row) {
                selectRows(listWidget(*window, list), row, row);
                svl_station *station = model->stationList()->stations[row];
                const Record before(svl_clone_station(station), svl_free_station);

                // Untouched, only the fields set by rule may change the station.
                saveOptions(*window, [](SvlOptionsDialog *) {});
                const bool changedByRule = !svl_stations_equal(station, before.get());
                QCOMPARE(stack->count(), changedByRule ? 1 : 0);
                if (changedByRule)
                    stack->undo();

                const QSignalSpy repainted(model, &QAbstractItemModel::dataChanged);
                saveOptions(*window, stepVolume);
                const int step = before->volume_correction < 30 ? 1 : -1;
                QCOMPARE((QVector<int>{stack->index(), window->isWindowModified(), station->volume_correction,
                                       repainted.isEmpty()}),
                         (QVector<int>{1, true, before->volume_correction + step, false}));
                const Record after(svl_clone_station(station), svl_free_station);
                stack->undo();
                QVERIFY(svl_stations_equal(station, before.get()) && !window->isWindowModified());
                stack->redo();
                QVERIFY(svl_stations_equal(station, after.get()));
                stack->undo();
                stack->clear();
            }
        }
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_edit_commands.moc"
