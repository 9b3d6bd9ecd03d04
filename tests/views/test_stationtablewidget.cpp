// The document core of the central widget: replacing, merging and writing
// the station table, and the two presentations.
#include <QPushButton>
#include <QTabWidget>

#include "tests/app/test_mainwindow_support.h"
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
    QList<uint32_t> kinds() const
    {
        QList<uint32_t> kinds;
        for (uint32_t i = 0; i < m_table.list_count; ++i)
            kinds << m_table.lists[i]->kind;
        return kinds;
    }

private:
    svl_table m_table = svl_table();
    int m_result;
};

uint32_t stationCount(const svl_table &table)
{
    return table.lists[0]->count + table.lists[1]->count;
}

QStringList numbered(const QString &name, int last)
{
    QStringList names{name};
    for (int digit = 1; digit <= last; ++digit)
        names << name + QString::number(digit);
    return names;
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
    void failedOpenKeepsTable();
    void saveWritesDocument();
    void pathsWithAnyCharacters();
    void appendMergesAndNamesListsUniquely();
    void appendCountsUpToDigitNine();
    void appendKeepsNameThatCannotBeMadeUnique();
    void appendOfOtherVersionChangesNothing();
    void presentationsShowTheirControls();
    void retranslateSetsButtonTexts();
};

void TestStationTableWidget::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the main window sends an SSDP search: run inside scripts/in-netns");
    describeApplication();
}

void TestStationTableWidget::failedOpenKeepsTable()
{
    Sandbox sandbox;
    const QString table = sandbox.writeTable(QStringLiteral("a.svl40"), SVL_VERSION_40);
    const QString garbage = sandbox.path(QStringLiteral("garbage.svl50"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(300, '\x7f'));
    file.close();
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    QCOMPARE(widget->openFile(table), 0);
    QCOMPARE(widget->openFile(garbage), 1);
    QCOMPARE(widget->openFile(sandbox.path(QStringLiteral("missing.svl50"))), 1);
    QCOMPARE(widget->tableVersion(), quint16(SVL_VERSION_40));

    const QString copy = sandbox.path(QStringLiteral("copy.svl40"));
    QCOMPARE(widget->saveFile(copy), 0);
    const ReadTable original(table);
    const ReadTable saved(copy);
    QVERIFY(saved.ok());
    QCOMPARE(stationCount(saved.table()), stationCount(original.table()));
}

void TestStationTableWidget::saveWritesDocument()
{
    Sandbox sandbox;
    const QString table = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50, 3);
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    QCOMPARE(widget->openFile(table), 0);
    widget->switchToTableView();
    const QString copy = sandbox.path(QStringLiteral("copy.svl50"));
    QCOMPARE(widget->saveFile(copy), 0);
    const ReadTable original(table);
    const ReadTable saved(copy);
    QVERIFY(saved.ok());
    QCOMPARE(saved.names(), original.names());
    QCOMPARE(stationCount(saved.table()), stationCount(original.table()));
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
    QCOMPARE(result.kinds(), (QList<uint32_t>{1, 2, 3, 3, 4, 4}));
}

void TestStationTableWidget::appendCountsUpToDigitNine()
{
    Sandbox sandbox;
    const QString document = sandbox.writeNamedFavorites(QStringLiteral("a.svl50"), numbered("f", 7), {"f8"});
    const QString appended = sandbox.writeNamedFavorites(QStringLiteral("b.svl50"), {}, {"f"});
    const QString merged = appendAndSave(sandbox, document, appended);
    QVERIFY(!merged.isNull());
    const ReadTable result(merged);
    QCOMPARE(result.names().last(), QStringLiteral("f9"));
}

// Every name from "f" to "f9" is taken: the appended list keeps its name,
// and the stations already merged stay in the document.
void TestStationTableWidget::appendKeepsNameThatCannotBeMadeUnique()
{
    Sandbox sandbox;
    const QString document = sandbox.writeNamedFavorites(QStringLiteral("a.svl50"), numbered("f", 7), {"f8", "f9"});
    const QString appended = sandbox.writeNamedFavorites(QStringLiteral("b.svl50"), {}, {"f"});
    const QString merged = appendAndSave(sandbox, document, appended);
    QVERIFY(!merged.isNull());
    const ReadTable before(document);
    const ReadTable added(appended);
    const ReadTable result(merged);
    QCOMPARE(stationCount(result.table()), stationCount(before.table()) + stationCount(added.table()));
    QCOMPARE(result.names().count(QStringLiteral("f")), 2);
}

void TestStationTableWidget::appendOfOtherVersionChangesNothing()
{
    Sandbox sandbox;
    const QString table50 = sandbox.writeTable(QStringLiteral("a.svl50"), SVL_VERSION_50);
    const QString table40 = sandbox.writeTable(QStringLiteral("b.svl40"), SVL_VERSION_40);
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    QCOMPARE(widget->openFile(table50), 0);
    QCOMPARE(widget->appendFile(table40), 1);
    QCOMPARE(widget->appendFile(sandbox.path(QStringLiteral("missing.svl50"))), 1);
    const QString saved = sandbox.path(QStringLiteral("saved.svl50"));
    QCOMPARE(widget->saveFile(saved), 0);
    const ReadTable original(table50);
    const ReadTable result(saved);
    QCOMPARE(result.names(), original.names());
    QCOMPARE(stationCount(result.table()), stationCount(original.table()));
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

void TestStationTableWidget::retranslateSetsButtonTexts()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow();
    StationTableWidget *widget = window->stationTableWidget();
    QPushButton *add = nullptr;
    for (QPushButton *button : widget->findChildren<QPushButton *>())
        if (button->text() == QLatin1String("+"))
            add = button;
    QVERIFY(add);
    QCOMPARE(add->statusTip(), QStringLiteral("Creates a new favorite list"));
    Strings::setLanguage(Strings::German);
    widget->retranslate();
    QCOMPARE(add->statusTip(), Strings::text(Strings::AddFavoriteListTip));
    QVERIFY(add->statusTip() != QLatin1String("Creates a new favorite list"));
    QCOMPARE(add->text(), QStringLiteral("+"));
    Strings::setLanguage(Strings::English);
}

QTEST_MAIN(TestStationTableWidget)
#include "test_stationtablewidget.moc"
