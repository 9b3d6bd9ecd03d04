// The document of the central widget: replacing, merging and writing the
// station table, and the two presentations.
#include <QPushButton>
#include <QTabWidget>

#include "tests/app/test_mainwindow_support.h"
#include "views/station_fields.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

// A table read back from a file; released with the object.
class ReadTable
{
public:
    explicit ReadTable(const QString &path)
    {
        m_result = svl_load_file(&m_table, QFile::encodeName(path).constData());
    }
    ~ReadTable() { svl_free_table(&m_table, 1); }
    bool ok() const { return m_result == 0; }
    const svl_table &table() const { return m_table; }

    QStringList names() const
    {
        QStringList names;
        for (uint32_t i = 0; i < m_table.list_count; ++i)
            names << QString::fromUtf8(m_table.lists[i]->name);
        return names;
    }
    // Every list as its name and the names of its stations, in order.
    QStringList contents() const
    {
        QStringList lists;
        for (uint32_t i = 0; i < m_table.list_count; ++i) {
            QStringList names{QString::fromUtf8(m_table.lists[i]->name)};
            for (uint32_t j = 0; j < m_table.lists[i]->count; ++j)
                names << stationNameText(m_table.lists[i]->stations[j]);
            lists << names.join(QLatin1Char('|'));
        }
        return lists;
    }

private:
    svl_table m_table = svl_table();
    int m_result;
};

uint32_t stationCount(const svl_table &table)
{
    return table.lists[0]->count + table.lists[1]->count;
}

// Opens the document in a fresh window, appends the other file and saves
// the merge; returns the merged file's path, or a null string on failure.
QString appendAndSave(const Sandbox &sandbox, const QString &document, const QString &appended)
{
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    if (widget->openFile(document) != 0 || widget->appendFile(appended) != 0)
        return QString();
    const QString merged = sandbox.path(QStringLiteral("merged.svl50"));
    return widget->saveFile(merged) == 0 ? merged : QString();
}

} // namespace

class TestStationTableWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedChangesLeaveTheDocument();
    void replacingTheDocumentEndsTheUndoHistory_data();
    void replacingTheDocumentEndsTheUndoHistory();
    void saveWritesTheDocumentNotTheWorkingCopy();
    void pathsWithAnyCharacters();
    void appendMergesAndNamesListsUniquely();
    void appendKeepsNameThatCannotBeMadeUnique();
    void presentationsShowTheirControls();
};

void TestStationTableWidget::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

// A file that cannot be read or merged, or a conversion of a table that
// needs none, leaves the document as it was.
void TestStationTableWidget::failedChangesLeaveTheDocument()
{
    Sandbox sandbox;
    const QString document = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50);
    const QString other = sandbox.writeTable(QStringLiteral("b.svl40"), SVL_VERSION_40);
    const QString garbage = sandbox.path(QStringLiteral("garbage.svl50"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(300, '\x7f')) == 300);
    file.close();
    const QString missing = sandbox.path(QStringLiteral("missing.svl50"));
    const auto window = openWindow(document);
    StationTableWidget *widget = window->stationTableWidget();
    const QString before = sandbox.path(QStringLiteral("before.svl50"));
    QCOMPARE(widget->saveFile(before), 0);
    const QList<StationListWidget *> widgets = widget->listWidgets();

    QCOMPARE(widget->openFile(garbage), 1);
    QCOMPARE(widget->openFile(missing), 1);
    QCOMPARE(widget->appendFile(other), 1);
    QCOMPARE(widget->appendFile(missing), 1);
    widget->convertTableToNewVersion();
    QCOMPARE(widget->listWidgets(), widgets);
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->currentFile(), document);
    const QString after = sandbox.path(QStringLiteral("after.svl50"));
    QCOMPARE(widget->saveFile(after), 0);
    QCOMPARE(ReadTable(after).contents(), ReadTable(before).contents());
}

void TestStationTableWidget::replacingTheDocumentEndsTheUndoHistory_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("new") << "new";
    QTest::newRow("open") << "open";
    QTest::newRow("append") << "append";
    QTest::newRow("convert") << "convert";
    QTest::newRow("apply") << "apply";
}

// The commands name lists of the table they were made on; undoing one
// after the table was replaced would change lists that are gone.
void TestStationTableWidget::replacingTheDocumentEndsTheUndoHistory()
{
    QFETCH(QString, change);
    Sandbox sandbox;
    const QString table40 = sandbox.writeTable(QStringLiteral("a.svl40"), SVL_VERSION_40);
    const auto window = openWindow(table40);
    StationTableWidget *widget = window->stationTableWidget();
    if (change == QLatin1String("apply"))
        widget->switchToTableView();
    window->undoStack()->push(new MarkerCommand);
    if (change == QLatin1String("new"))
        widget->newTable();
    else if (change == QLatin1String("open"))
        QCOMPARE(widget->openFile(table40), 0);
    else if (change == QLatin1String("append"))
        QCOMPARE(widget->appendFile(table40), 0);
    else if (change == QLatin1String("convert"))
        widget->convertTableToNewVersion();
    else
        widget->applyTableModifications();
    QCOMPARE(window->undoStack()->count(), 0);
}

void TestStationTableWidget::saveWritesTheDocumentNotTheWorkingCopy()
{
    Sandbox sandbox;
    const QString table = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50, 3);
    const auto window = openWindow(table);
    StationTableWidget *widget = window->stationTableWidget();
    widget->switchToTableView();
    widget->listWidgets()[0]->stationModel()->sort(NameColumn, Qt::DescendingOrder);
    const QString copy = sandbox.path(QStringLiteral("copy.svl50"));
    QCOMPARE(widget->saveFile(copy), 0);
    const ReadTable original(table);
    const ReadTable saved(copy);
    QVERIFY(saved.ok());
    QCOMPARE(saved.contents(), original.contents());
    QCOMPARE(widget->saveFile(sandbox.path(QStringLiteral("no/such/folder.svl50"))), -1);
}

void TestStationTableWidget::pathsWithAnyCharacters()
{
    Sandbox sandbox;
    const QString source = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50);
    const QString unusual = sandbox.path(QString::fromUtf8("Sender \xd0\xa1\xd0\xbf\xd0\xb8\xd1\x81\xd0\xbe\xd0\xba "
                                                           "\xe2\x9c\x93 \xc3\xa4\xc4\x9f.svl50"));
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    QCOMPARE(widget->openFile(source), 0);
    QCOMPARE(widget->saveFile(unusual), 0);
    QVERIFY(QFile::exists(unusual));
    widget->newTable();
    QCOMPARE(widget->openFile(unusual), 0);
    QCOMPARE(widget->tableVersion(), quint16(SVL_VERSION_50));
    QCOMPARE(widget->appendFile(unusual), 0);
}

void TestStationTableWidget::appendMergesAndNamesListsUniquely()
{
    Sandbox sandbox;
    const QString table = sandbox.writeNamedFavorites(QStringLiteral("a.svl50"), {"News"}, {"Sports"});
    const QString merged = appendAndSave(sandbox, table, table);
    QVERIFY(!merged.isNull());
    const ReadTable original(table);
    const ReadTable result(merged);
    QVERIFY(result.ok());
    QCOMPARE(stationCount(result.table()), 2 * stationCount(original.table()));
    QCOMPARE(result.names(), (QStringList{"ALL_TV", "ALL_Radio", "News", "News1", "Sports", "Sports1"}));
}

// Every name from "f" to "f9" is taken: the appended list keeps its name,
// and the stations already merged stay in the document.
void TestStationTableWidget::appendKeepsNameThatCannotBeMadeUnique()
{
    Sandbox sandbox;
    const QStringList taken{"f", "f1", "f2", "f3", "f4", "f5", "f6", "f7"};
    const QString document = sandbox.writeNamedFavorites(QStringLiteral("a.svl50"), taken, {"f8", "f9"});
    const QString appended = sandbox.writeNamedFavorites(QStringLiteral("b.svl50"), {}, {"f"});
    const QString merged = appendAndSave(sandbox, document, appended);
    QVERIFY(!merged.isNull());
    const ReadTable before(document);
    const ReadTable added(appended);
    const ReadTable result(merged);
    QCOMPARE(stationCount(result.table()), stationCount(before.table()) + stationCount(added.table()));
    QCOMPARE(result.names().count(QStringLiteral("f")), 2);
}

void TestStationTableWidget::presentationsShowTheirControls()
{
    Sandbox sandbox;
    const QString table50 = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50);
    const QString table40 = sandbox.writeTable(QStringLiteral("b.svl40"), SVL_VERSION_40);
    const auto window = openWindow();
    window->show();
    StationTableWidget *widget = window->stationTableWidget();
    const QList<QTabWidget *> tabs = widget->findChildren<QTabWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(tabs.size(), 2);
    QTabWidget *favorites = tabs[0];
    QPushButton *apply = nullptr;
    for (QPushButton *button : widget->findChildren<QPushButton *>())
        if (button->parent() == widget)
            apply = button;
    QVERIFY(apply);

    QCOMPARE(widget->openFile(table50), 0);
    QVERIFY(favorites->isVisible());
    QVERIFY(!apply->isVisible());
    widget->switchToTableView();
    QVERIFY(!widget->isListMode());
    QVERIFY(!favorites->isVisible());
    QVERIFY(apply->isVisible());
    widget->switchToListView();
    QVERIFY(widget->isListMode());
    QVERIFY(!apply->isVisible());
    QCOMPARE(widget->openFile(table40), 0);
    QVERIFY(!favorites->isVisible());
}

QTEST_MAIN(TestStationTableWidget)
#include "test_stationtablewidget.moc"
