// Ordering the current base list like a reference list, moving to a
// position, the duplicates filter of the advanced search, and the backup
// kept at the first save.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>

#include "output/csv_export.h"
#include "fields/station_fields.h"
#include "tests/app/test_mainwindow_support.h"
#include "views/searchdialog.h"

using namespace testsupport;

namespace {

// Answers every message box: the question with the button of the given
// text, any other box with its first button. Stops after an information box.
class MessageAnswers
{
public:
    explicit MessageAnswers(const QString &button)
        : m_driver([this, button](QWidget *widget) { return answer(widget, button); })
    {
    }
    const QStringList &texts() const { return m_texts; }

private:
    bool answer(QWidget *widget, const QString &button)
    {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || box->property("answered").toBool())
            return false;
        box->setProperty("answered", true);
        m_texts << box->text();
        QAbstractButton *chosen = box->buttons().value(0);
        for (QAbstractButton *candidate : box->buttons())
            if (candidate->text() == button)
                chosen = candidate;
        chosen->click();
        return box->icon() == QMessageBox::Information;
    }

    QStringList m_texts;
    ModalDriver m_driver;
};

struct LoadedTable {
    svl_table table = svl_table();
    explicit LoadedTable(const QString &path) { svl_load_file(&table, QFile::encodeName(path).constData()); }
    ~LoadedTable() { svl_free_table(&table, 1); }
    bool save(const QString &path) { return svl_save_file(&table, QFile::encodeName(path).constData()) == 0; }
};

// The table of the file without favorite lists, its TV list reversed but
// for the last three stations, which are left out; and a CSV of that list.
bool writeReversedReference(const QString &from, const QString &table, const QString &csv)
{
    LoadedTable reference(from);
    while (reference.table.list_count > SVL_FIRST_FAV_INDEX)
        svl_free_list(svl_remove_list_at(&reference.table, reference.table.list_count - 1), 0);
    svl_list *tv = reference.table.lists[SVL_TV_LIST_INDEX];
    QVector<uint32_t> reversed;
    for (uint32_t i = tv->count; i-- > 0;)
        reversed << (i + tv->count - 3) % tv->count;
    svl_reorder_list(tv, reversed.constData());
    for (int i = 0; i < 3; ++i)
        svl_free_station(svl_remove_station_at(tv, tv->count - 1));
    QFile out(csv);
    return out.open(QIODevice::WriteOnly) && out.write(csvBytes(tv)) > 0 && reference.save(table);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList namesOf(const Stations &stations)
{
    QStringList names;
    for (const svl_station *station : stations)
        names << stationNameText(station);
    return names;
}

} // namespace

class TestReferenceOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }

    // A table reference pairs every station by its ids, a CSV of the same
    // list pairs the named ones by name; the rest follow in their former
    // order, and undo gives back the exact former order.
    void ordersTheCurrentBaseListLikeTheReferenceInOneUndoableStep()
    {
        Sandbox sandbox;
        const QString file = sandbox.writeTable(QStringLiteral("scan.svl50"), SVL_VERSION_50, 2, 7, 40);
        const QString table = sandbox.path(QStringLiteral("reference.svl50"));
        const QString csv = sandbox.path(QStringLiteral("reference.csv"));
        QVERIFY(writeReversedReference(file, table, csv));
        auto window = openWindow(file);
        StationListWidget *tv = listWidget(*window, SVL_TV_LIST_INDEX);
        QVector<Stations> lists;
        for (const StationListWidget *list : window->stationTableWidget()->listWidgets())
            lists << stationsOf(list);
        const Stations former = lists[SVL_TV_LIST_INDEX];
        const int n = former.size();
        Stations expected(former.rbegin() + 3, former.rend());
        expected << former[n - 3] << former[n - 2] << former[n - 1];

        const QString putAtEnd = Strings::text(Strings::PutAtEndButton);
        const QString deleteThem = Strings::text(Strings::DeleteThemButton);
        for (const auto &round : {qMakePair(table, putAtEnd), qMakePair(csv, putAtEnd), qMakePair(table, deleteThem)}) {
            FileDialogAnswer dialog(round.first);
            MessageAnswers answers(round.second);
            action(*window, "orderLikeReferenceAct")->trigger();
            QVERIFY(dialog.answered());
            QCOMPARE(answers.texts().size(), 2);
            QCOMPARE(answers.texts()[0], Strings::text(Strings::UnmatchedStationsQuestion).arg(3));
            if (round.first == table)
                QCOMPARE(answers.texts()[1], Strings::text(Strings::OrderResultMessage).arg(n - 3).arg(0).arg(3));
            if (round.second == deleteThem)
                QCOMPARE(stationsOf(tv), expected.mid(0, n - 3));
            else if (round.first == table)
                QCOMPARE(stationsOf(tv), expected);
            else
                QCOMPARE(namesOf(stationsOf(tv)).mid(0, n - 3), namesOf(expected).mid(0, n - 3));
            QVERIFY(window->isWindowModified());
            window->undoStack()->undo();
            for (int i = 0; i < lists.size(); ++i)
                QCOMPARE(stationsOf(listWidget(*window, i)), lists[i]);
        }

        // A favorite list in front of the table view: its medium's base
        // list is ordered, the favorite list keeps its order.
        window->stationTableWidget()->switchToTableView();
        window->stationTableWidget()->showList(SVL_FIRST_FAV_INDEX);
        FileDialogAnswer dialog(table);
        MessageAnswers answers(putAtEnd);
        action(*window, "orderLikeReferenceAct")->trigger();
        QCOMPARE(stationsOf(listWidget(*window, SVL_TV_LIST_INDEX)), expected);
        QCOMPARE(stationsOf(listWidget(*window, SVL_FIRST_FAV_INDEX)), lists[SVL_FIRST_FAV_INDEX]);
    }

    // "Move to position..." offers the first selected row, counted from 1.
    void moveToPositionOffersTheFirstSelectedRow()
    {
        Sandbox sandbox;
        const auto window = openWindow(sandbox.writeTable(QStringLiteral("scan.svl50"), SVL_VERSION_50));
        selectRows(listWidget(*window, SVL_TV_LIST_INDEX), 4, 6);
        int offered = 0;
        ModalDriver input([&offered](QWidget *widget) {
            auto *dialog = qobject_cast<QInputDialog *>(widget);
            if (dialog) {
                offered = dialog->intValue();
                dialog->reject();
            }
            return dialog != nullptr;
        });
        action(*window, "moveToPositionAct")->trigger();
        QCOMPARE(offered, 5);
        QCOMPARE(window->undoStack()->count(), 0);
    }

    // Copies of two stations at the end of the TV list are its duplicates;
    // a further filter narrows them down.
    void duplicatesFilterSelectsAllButTheFirstOfEachGroup()
    {
        Sandbox sandbox;
        const QString file = sandbox.writeTable(QStringLiteral("twice.svl50"), SVL_VERSION_50, 2, 3, 40);
        uint32_t count = 0;
        {
            LoadedTable twice(file);
            svl_list *list = twice.table.lists[SVL_TV_LIST_INDEX];
            count = list->count;
            for (uint32_t i = 0; i < 2; ++i) {
                svl_station *copy = svl_new_station(SVL_VERSION_50);
                *copy = *list->stations[i];
                copy->name = copy->origin_name = nullptr;
                copy->name_len = copy->origin_name_len = 0;
                copy->childlock = uint8_t(i);
                svl_set_station_name(copy, list->stations[i]->name);
                svl_append_station(list, copy);
            }
            QVERIFY(twice.save(file));
        }
        auto window = openWindow(file);
        SearchDialog dialog(window.get());
        dialog.findChild<QComboBox *>(QStringLiteral("listBox"))->setCurrentIndex(SVL_TV_LIST_INDEX);
        dialog.findChild<QCheckBox *>(QStringLiteral("duplicatesBox"))->setChecked(true);
        StationListWidget *tv = listWidget(*window, SVL_TV_LIST_INDEX);
        for (bool childLock : {false, true}) {
            dialog.findChild<QCheckBox *>(QStringLiteral("childLockBox"))->setChecked(childLock);
            dialog.doSearch();
            QList<int> rows;
            for (const QModelIndex &index : tv->viewSelectionModel()->selectedRows())
                rows << index.row();
            std::sort(rows.begin(), rows.end());
            QCOMPARE(rows, childLock ? QList<int>{int(count) + 1} : (QList<int>{int(count), int(count) + 1}));
        }
    }

    // The backup holds the bytes the file had when the document was
    // opened; a later save leaves it alone, and with the setting off none
    // is made.
    void keepsTheOpenedFileAsABackupAtTheFirstSave()
    {
        Sandbox sandbox;
        const QString file = sandbox.writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50);
        const QString backup = file + QStringLiteral(".bak");
        const QByteArray opened = readBytes(file);
        auto window = openWindow(file);
        // A backup that cannot be written stops the save.
        QVERIFY(QDir().mkdir(backup));
        {
            MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
            action(*window, "saveAct")->trigger();
            QCOMPARE(error.message().text, Strings::text(Strings::KeepingBackupMessage) + backup
                                               + Strings::text(Strings::FailedSuffix));
        }
        QCOMPARE(readBytes(file), opened);
        QVERIFY(QDir().rmdir(backup));
        action(*window, "saveAct")->trigger();
        QCOMPARE(readBytes(backup), opened);
        QVERIFY2(readBytes(file) != opened, "every save numbers the uids on, so the file changed");

        QFile older(backup);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        older.close();
        action(*window, "saveAct")->trigger();
        QCOMPARE(readBytes(backup), QByteArray("older"));

        action(*window, "fileBackupAct")->trigger();
        QCOMPARE(sandbox.setting(QStringLiteral("fileBackup")), QVariant(false));
        QFile::remove(backup);
        auto again = openWindow(file);
        QVERIFY(!action(*again, "fileBackupAct")->isChecked());
        action(*again, "saveAct")->trigger();
        QVERIFY(!QFile::exists(backup));
    }

};

QTEST_MAIN(TestReferenceOrder)
#include "test_reference_order.moc"
