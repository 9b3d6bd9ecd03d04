// The item model over one station list: what it hands the views, the drag
// payload, inserting and removing rows, and the drops it refuses. Drops that
// become undo commands are tested with the commands.
#include "views/stationlistmodel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>

#include "app/strings.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"
#include "views/station_fields.h"

namespace {

enum ListIndex { TvBase = 0, RadioBase = 1, TvFavorite = 2, OtherTvFavorite = 3, RadioFavorite = 4 };

// A generated version-50 table with two favorite lists per medium, and a
// window that stands in for the main window's modified mark.
class Document
{
public:
    Document()
    {
        svl_generate_options options;
        options.stations = 40;
        options.favorites = 2;
        options.favorite_percent = 30;
        m_ok = svl_generate_table(&m_table, options) == 0;
    }
    ~Document() { svl_free_table(&m_table, 1); }
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    bool ok() const { return m_ok && m_table.list_count == 6; }
    svl_table *table() { return &m_table; }
    svl_list *list(int index) { return m_table.lists[index]; }
    QWidget *window() { return &m_window; }

    // A model of the list as the list view (1 column) or the table view
    // (25 columns) makes it.
    std::unique_ptr<StationListModel> model(int index, int columns = 1)
    {
        return std::make_unique<StationListModel>(&m_window, index, list(index), &m_table, columns, nullptr);
    }

private:
    svl_table m_table = svl_table();
    bool m_ok = false;
    QWidget m_window;
};

svl_station *stationIn(const StationListModel &model, int row)
{
    return StationListModel::stationOf(model.data(model.index(row, 0), Qt::UserRole));
}

QVector<svl_station *> stationsOf(const svl_list *list)
{
    return QVector<svl_station *>(list->stations, list->stations + list->count);
}

QByteArray entries(std::initializer_list<std::pair<qint32, qint32>> rowsAndKinds)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const auto &entry : rowsAndKinds)
        stream << entry.first << entry.second;
    return bytes;
}

// A payload of this program, as a drag from one of its lists carries it,
// holding the given entries.
std::unique_ptr<QMimeData> payload(const StationListModel &model, const QByteArray &bytes)
{
    std::unique_ptr<QMimeData> data(model.mimeData({}));
    data->setData(QLatin1String(StationListModel::mimeType), bytes);
    return data;
}

} // namespace

class TestStationListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void passesTheModelTester_data();
    void passesTheModelTester();
    void handsOutStationPointersOnly();
    void payloadListsRowsAscendingWithTheKind();
    void insertsBeforeARowOrAtTheEnd();
    void removesRowsAndMarksTheWindow();
    void removesMovedOriginalsFromTheLast_data();
    void removesMovedOriginalsFromTheLast();
    void findsAndRemovesEveryRowOfAStation();
    void takesOverASavedList();
    void resolvesDraggedRowsByTheirKind();
    void refusesDrops_data();
    void refusesDrops();
    void refusesRowsFromAnotherProgram_data();
    void refusesRowsFromAnotherProgram();
    void dragsNeverEndAsMoves();

private:
    std::unique_ptr<Document> m_document;
};

void TestStationListModel::initTestCase()
{
    Strings::load();
}

void TestStationListModel::init()
{
    m_document = std::make_unique<Document>();
    QVERIFY(m_document->ok());
}

void TestStationListModel::cleanup()
{
    m_document.reset();
}

void TestStationListModel::passesTheModelTester_data()
{
    QTest::addColumn<int>("columns");
    QTest::newRow("list view") << 1;
    QTest::newRow("table view") << 25;
}

// The tester watches every signal while rows come and go.
void TestStationListModel::passesTheModelTester()
{
    QFETCH(int, columns);
    Document &document = *m_document;
    auto model = document.model(TvFavorite, columns);
    QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    svl_station *station = document.list(TvBase)->stations[3];
    QVERIFY(model->setData(model->insertionIndex(1), QVariant::fromValue(station)));
    QVERIFY(model->setData(model->insertionIndex(model->rowCount()), QVariant::fromValue(station)));
    QVERIFY(model->removeRows(0, 2));
    model->removeStation(station);
    svl_list *saved = svl_copy_list(document.list(TvFavorite));
    QVERIFY(saved);
    std::reverse(saved->stations, saved->stations + saved->count);
    QVERIFY(model->setStationList(saved));
    model->sortList(NameColumn, Qt::DescendingOrder);
    model->refreshLayout();
    model->stationChanged(1);
    model->stationChanged(model->rowCount());
}

void TestStationListModel::handsOutStationPointersOnly()
{
    Document &document = *m_document;
    auto model = document.model(TvBase, 25);
    const int last = model->rowCount() - 1;
    QCOMPARE(model->rowCount(), int(document.list(TvBase)->count));
    QCOMPARE(stationIn(*model, last), document.list(TvBase)->stations[last]);
    QCOMPARE(model->data(model->index(0, 24), Qt::UserRole).userType(), QMetaType::type("struct svl_station*"));
    QVERIFY(!model->data(model->index(0, 0), Qt::DisplayRole).isValid());
    QVERIFY(!model->data(model->index(model->rowCount(), 0), Qt::UserRole).isValid());
    QVERIFY(!model->index(model->rowCount(), 0).isValid());
    QVERIFY(!model->index(0, 25).isValid());
    QCOMPARE(model->rowCount(model->index(0, 0)), 0);
    QCOMPARE(model->listName(), QStringLiteral("ALL_TV"));
    QCOMPARE(model->listKind(), uint32_t(SVL_KIND_TV));
    QCOMPARE(model->stationList(), document.list(TvBase));
    QCOMPARE(model->headerData(NameColumn, Qt::Horizontal).toString(), stationColumnHeader(NameColumn));
    QVERIFY(!model->headerData(StationColumnCount, Qt::Horizontal).isValid());
    // The list view's one column shows the name.
    const svl_station *station = document.list(TvBase)->stations[2];
    QCOMPARE(document.model(TvBase, 1)->fieldText(model->index(2, 0)), stationNameText(station));
    QCOMPARE(model->fieldText(model->index(2, UidColumn)), QString::number(station->uid));
}

void TestStationListModel::payloadListsRowsAscendingWithTheKind()
{
    Document &document = *m_document;
    auto model = document.model(TvBase, 25);
    // A table view hands every selected cell; only column 0 names a row.
    const QModelIndexList indexes{model->index(5, 0), model->index(5, 3), model->index(2, 0),
                                  model->index(9, 7), model->index(9, 0)};
    std::unique_ptr<QMimeData> data(model->mimeData(indexes));
    QVERIFY(data->hasFormat(QStringLiteral("application/x-stationcListmodel")));
    const QByteArray expected("\0\0\0\x02\0\0\0\x01\0\0\0\x05\0\0\0\x01\0\0\0\x09\0\0\0\x01", 24);
    QCOMPARE(data->data(QStringLiteral("application/x-stationcListmodel")), expected);
    QCOMPARE(model->mimeTypes(), QStringList{QStringLiteral("application/x-stationcListmodel")});
}

void TestStationListModel::insertsBeforeARowOrAtTheEnd()
{
    Document &document = *m_document;
    auto model = document.model(TvFavorite);
    const QVector<svl_station *> before = stationsOf(document.list(TvFavorite));
    svl_station *first = document.list(TvBase)->stations[0];
    svl_station *second = document.list(TvBase)->stations[1];
    QVERIFY(model->setData(model->insertionIndex(1), QVariant::fromValue(first)));
    QVERIFY(model->setData(model->insertionIndex(model->rowCount()), QVariant::fromValue(second)));
    QVector<svl_station *> expected = before;
    expected.insert(1, first);
    expected.append(second);
    QCOMPARE(stationsOf(document.list(TvFavorite)), expected);
    QVERIFY(document.window()->isWindowModified());

    // Only stations, only as display data, only within the list, only
    // through its own indexes.
    auto other = document.model(OtherTvFavorite);
    const QVariant station = QVariant::fromValue(first);
    QVERIFY(!model->setData(model->insertionIndex(0), station, Qt::EditRole));
    QVERIFY(!model->setData(model->insertionIndex(0), QVariant(42)));
    QVERIFY(!model->setData(model->insertionIndex(0), QVariant::fromValue<svl_station *>(nullptr)));
    QVERIFY(!model->setData(model->insertionIndex(model->rowCount() + 1), station));
    QVERIFY(!model->setData(other->insertionIndex(0), station));
    QCOMPARE(stationsOf(document.list(TvFavorite)), expected);
}

void TestStationListModel::removesRowsAndMarksTheWindow()
{
    Document &document = *m_document;
    svl_list *list = svl_new_list("ten", SVL_KIND_TV_FAV, SVL_ATTR_FAVORITE);
    QVERIFY(list);
    for (uint32_t i = 0; i < 10; ++i)
        QCOMPARE(svl_append_station(list, document.list(TvBase)->stations[i]), 0);
    const QVector<svl_station *> before = stationsOf(list);
    {
        StationListModel model(document.window(), TvFavorite, list, document.table(), 1, nullptr);
        QVERIFY(!model.removeRows(9, 2));
        QVERIFY(!model.removeRows(-1, 1));
        QVERIFY(!model.removeRows(0, 0));
        QVERIFY(!model.removeRows(0, 1, model.index(0, 0)));
        QVERIFY(!document.window()->isWindowModified());
        QVERIFY(model.removeRows(4, 3));
        QCOMPARE(model.rowCount(), 7);
    }
    QCOMPARE(stationsOf(list), before.mid(0, 4) + before.mid(7));
    QVERIFY(document.window()->isWindowModified());
    svl_free_list(list, 0);
}

void TestStationListModel::removesMovedOriginalsFromTheLast_data()
{
    QTest::addColumn<QVector<int>>("moved");
    QTest::addColumn<int>("target");
    QTest::addColumn<QVector<int>>("removed");
    QTest::newRow("around the target") << QVector<int>{2, 7} << 5 << QVector<int>{9, 2};
    QTest::newRow("all before") << QVector<int>{0, 1} << 5 << QVector<int>{1, 0};
    QTest::newRow("all after") << QVector<int>{6, 8} << 3 << QVector<int>{10, 8};
    QTest::newRow("onto a moved row") << QVector<int>{2, 3} << 3 << QVector<int>{5, 2};
}

void TestStationListModel::removesMovedOriginalsFromTheLast()
{
    QFETCH(QVector<int>, moved);
    QFETCH(int, target);
    QFETCH(QVector<int>, removed);
    Document &document = *m_document;
    // A list of its own, as the base list keeps every station it loses.
    svl_list *list = svl_copy_list(document.list(TvBase));
    QVERIFY(list);
    QVector<int> rows;
    {
        StationListModel model(document.window(), TvBase, list, document.table(), 1, nullptr);
        QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
        model.removeMovedRows(model.insertionIndex(target), moved);
        for (const QList<QVariant> &removal : qAsConst(removals))
            rows << removal[1].toInt();
    }
    svl_free_list(list, 0);
    QCOMPARE(rows, removed);
}

void TestStationListModel::findsAndRemovesEveryRowOfAStation()
{
    Document &document = *m_document;
    auto model = document.model(TvFavorite);
    svl_station *station = document.list(TvBase)->stations[7];
    model->removeStation(station);
    QVERIFY(!model->containsStation(station));
    QVERIFY(model->indexesOfStation(station).isEmpty());
    const QVariant value = QVariant::fromValue(station);
    QVERIFY(model->setData(model->insertionIndex(3), value));
    QVERIFY(model->setData(model->insertionIndex(0), value));
    QVERIFY(model->setData(model->insertionIndex(model->rowCount()), value));
    QVERIFY(model->containsStation(station));
    const QList<QModelIndex> indexes = model->indexesOfStation(station);
    QCOMPARE(indexes.size(), 3);
    QCOMPARE(indexes[0].row(), 0);
    QCOMPARE(indexes[1].row(), 4);
    QCOMPARE(indexes[2].row(), model->rowCount() - 1);
    const int rows = model->rowCount();
    model->removeStation(station);
    QCOMPARE(model->rowCount(), rows - 3);
    QVERIFY(!model->containsStation(station));
}

void TestStationListModel::takesOverASavedList()
{
    Document &document = *m_document;
    svl_list *list = document.list(TvBase);
    auto model = document.model(TvBase);
    svl_list *saved = svl_copy_list(list);
    QVERIFY(saved);
    const QVector<svl_station *> order = stationsOf(list);
    QVERIFY(model->removeRows(0, 1));
    QVERIFY(model->setData(model->insertionIndex(model->rowCount()), QVariant::fromValue(order[0])));
    QVERIFY(svl_set_list_name(list, "renamed") == 0);
    int relayouts = 0;
    QObject::connect(model.get(), &QAbstractItemModel::layoutChanged, [&relayouts] { ++relayouts; });
    QVERIFY(model->setStationList(saved));
    QCOMPARE(document.list(TvBase), list);
    QCOMPARE(stationsOf(list), order);
    QCOMPARE(model->listName(), QStringLiteral("ALL_TV"));
    QCOMPARE(relayouts, 1);

    // A saved record of another list is no record of this one.
    QVERIFY(!model->setStationList(svl_copy_list(document.list(TvFavorite))));
    QVERIFY(!model->setStationList(nullptr));
    QCOMPARE(stationsOf(list), order);
}

void TestStationListModel::resolvesDraggedRowsByTheirKind()
{
    Document &document = *m_document;
    auto tvFavorite = document.model(TvFavorite);
    auto radioFavorite = document.model(RadioFavorite);
    // Nothing decoded yet: a row means no station.
    QCOMPARE(StationListModel::stationOf(tvFavorite->stationAt(0)), nullptr);
    QCOMPARE(tvFavorite->stationAt(0).userType(), StationListModel::stationMetaType());
    auto decode = [](StationListModel &model, qint32 row, qint32 kind) {
        std::unique_ptr<QMimeData> data = payload(model, entries({{row, kind}}));
        model.dropMimeData(data.get(), Qt::CopyAction, -1, -1, QModelIndex());
        return StationListModel::stationOf(model.stationAt(row));
    };
    QCOMPARE(decode(*tvFavorite, 4, SVL_KIND_TV), document.list(TvBase)->stations[4]);
    QCOMPARE(decode(*radioFavorite, 1, SVL_KIND_RADIO), document.list(RadioBase)->stations[1]);
    QCOMPARE(decode(*tvFavorite, 0, SVL_KIND_TV_FAV), document.list(TvFavorite)->stations[0]);
    QCOMPARE(decode(*tvFavorite, 0, 7), nullptr);
    QCOMPARE(decode(*tvFavorite, 100000, SVL_KIND_TV), nullptr);
}

void TestStationListModel::refusesDrops_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    const QByteArray twoRows = entries({{1, SVL_KIND_TV}, {3, SVL_KIND_TV}});
    QTest::newRow("ignore action") << int(TvFavorite) << twoRows << int(Qt::IgnoreAction) << 0 << 0;
    QTest::newRow("column 1") << int(TvFavorite) << twoRows << int(Qt::CopyAction) << 0 << 1;
    QTest::newRow("beyond the end") << int(TvFavorite) << twoRows << int(Qt::CopyAction) << 1000 << 0;
    QTest::newRow("empty payload") << int(TvFavorite) << QByteArray() << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("broken entry") << int(TvFavorite) << twoRows.left(12) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("rows descending")
        << int(TvFavorite) << entries({{3, SVL_KIND_TV}, {1, SVL_KIND_TV}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("row twice")
        << int(TvBase) << entries({{1, SVL_KIND_TV}, {1, SVL_KIND_TV}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("kinds mixed")
        << int(TvFavorite) << entries({{1, SVL_KIND_TV}, {3, SVL_KIND_TV_FAV}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("row outside the source")
        << int(TvBase) << entries({{1, SVL_KIND_TV}, {5000, SVL_KIND_TV}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("negative row") << int(TvFavorite) << entries({{-1, SVL_KIND_TV}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("radio rows into a TV favorite list")
        << int(TvFavorite) << entries({{0, SVL_KIND_RADIO}}) << int(Qt::CopyAction) << 0 << 0;
    QTest::newRow("rows of a radio favorite list")
        << int(TvFavorite) << entries({{0, SVL_KIND_RADIO_FAV}}) << int(Qt::CopyAction) << 0 << 0;
}

// Payloads may come from another program: nothing in them may change a list
// unless every entry names a station.
void TestStationListModel::refusesDrops()
{
    QFETCH(int, list);
    QFETCH(QByteArray, bytes);
    QFETCH(int, action);
    QFETCH(int, row);
    QFETCH(int, column);
    Document &document = *m_document;
    auto model = document.model(list);
    const QVector<svl_station *> before = stationsOf(document.list(list));
    std::unique_ptr<QMimeData> data = payload(*model, bytes);
    QVERIFY(!model->dropMimeData(data.get(), Qt::DropAction(action), row, column, QModelIndex()));
    QCOMPARE(stationsOf(document.list(list)), before);
    QVERIFY(!document.window()->isWindowModified());
}

void TestStationListModel::refusesRowsFromAnotherProgram_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<bool>("marked");
    QTest::newRow("unmarked, onto the base list") << int(TvBase) << false;
    QTest::newRow("unmarked, onto a favorite list") << int(TvFavorite) << false;
    QTest::newRow("another process, onto the base list") << int(TvBase) << true;
    QTest::newRow("another process, onto a favorite list") << int(TvFavorite) << true;
}

// Rows dragged from another Kanvio window name stations of another table;
// here they would move or copy whatever stands at those rows.
void TestStationListModel::refusesRowsFromAnotherProgram()
{
    QFETCH(int, list);
    QFETCH(bool, marked);
    Document &document = *m_document;
    auto model = document.model(list);
    const QVector<svl_station *> before = stationsOf(document.list(list));
    const std::unique_ptr<QMimeData> own(document.model(TvBase)->mimeData(
        {document.model(TvBase)->index(1, 0), document.model(TvBase)->index(3, 0)}));
    QMimeData foreign;
    foreign.setData(QLatin1String(StationListModel::mimeType), own->data(QLatin1String(StationListModel::mimeType)));
    for (const QString &format : own->formats()) {
        if (marked && format != QLatin1String(StationListModel::mimeType))
            foreign.setData(format, QByteArray::number(QCoreApplication::applicationPid() + 1));
    }
    QVERIFY(!model->dropMimeData(&foreign, Qt::CopyAction, 0, 0, QModelIndex()));
    QCOMPARE(stationsOf(document.list(list)), before);
    QVERIFY(!document.window()->isWindowModified());
    // The same rows dragged within this program are taken.
    QVERIFY(model->dropMimeData(own.get(), Qt::CopyAction, 0, 0, QModelIndex()));
}

// The drop carries out the whole change; a drag that ended as a move would
// let the source view remove its selected rows afterwards.
void TestStationListModel::dragsNeverEndAsMoves()
{
    Document &document = *m_document;
    auto model = document.model(TvBase);
    QCOMPARE(model->supportedDragActions(), Qt::DropActions(Qt::CopyAction));
    QCOMPARE(model->supportedDropActions(), Qt::CopyAction | Qt::MoveAction);
    const Qt::ItemFlags flags = model->flags(model->index(0, 0));
    QVERIFY(flags & Qt::ItemIsDragEnabled);
    QVERIFY(!(flags & Qt::ItemIsEditable));
    QVERIFY(model->flags(QModelIndex()) & Qt::ItemIsDropEnabled);
}

QTEST_MAIN(TestStationListModel)
#include "test_stationlistmodel.moc"
