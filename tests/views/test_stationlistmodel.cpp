// The item model over one station list: what it hands the views, the drag
// payload, inserting and removing rows, and the drops it refuses. Drops that
// become undo commands are tested with the commands.
#include "views/stationlistmodel.h"

#include <QAbstractItemModelTester>
#include <QMimeData>
#include <QtTest>

#include "app/strings.h"
#include "tests/views/test_stationlistwidget_support.h"
#include "tools/gen/svl_generate.h"
#include "views/station_fields.h"

using viewsupport::Stations;
using viewsupport::stationsOf;

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
        m_ok = svl_generate_table(&m_table, options) == 0 && m_table.list_count == 6;
    }
    ~Document() { svl_free_table(&m_table, 1); }

    bool ok() const { return m_ok; }
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

QByteArray entries(std::initializer_list<std::pair<qint32, qint32>> rowsAndKinds)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const auto &entry : rowsAndKinds)
        stream << entry.first << entry.second;
    return bytes;
}

} // namespace

class TestStationListModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<Document> m_document;

private slots:
    void initTestCase() { Strings::load(); }

    void init()
    {
        m_document = std::make_unique<Document>();
        QVERIFY(m_document->ok());
    }

    void passesTheModelTester_data()
    {
        QTest::addColumn<int>("columns");
        QTest::newRow("list view") << 1;
        QTest::newRow("table view") << 25;
    }

    // The tester watches every signal while rows come and go.
    void passesTheModelTester()
    {
        QFETCH(int, columns);
        auto model = m_document->model(TvFavorite, columns);
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        svl_station *station = m_document->list(TvBase)->stations[3];
        QVERIFY(model->setData(model->insertionIndex(1), QVariant::fromValue(station)));
        QVERIFY(model->setData(model->insertionIndex(model->rowCount()), QVariant::fromValue(station)));
        QVERIFY(model->removeRows(0, 2));
        model->removeStation(station);
        svl_list *saved = svl_copy_list(m_document->list(TvFavorite));
        QVERIFY(saved);
        std::reverse(saved->stations, saved->stations + saved->count);
        QVERIFY(model->setStationList(saved));
        model->sortList(NameColumn, Qt::DescendingOrder);
        model->refreshLayout();
        model->stationChanged(1);
        model->stationChanged(model->rowCount());
    }

    // Stations as pointers under Qt::UserRole and no text of the model's own.
    void handsOutStationPointersOnly()
    {
        auto model = m_document->model(TvBase, 25);
        const int rows = model->rowCount();
        const svl_station *last = m_document->list(TvBase)->stations[rows - 1];
        QCOMPARE(StationListModel::stationOf(model->data(model->index(rows - 1, 24), Qt::UserRole)), last);
        QCOMPARE(model->data(model->index(0, 0), Qt::UserRole).userType(), QMetaType::type("struct svl_station*"));
        QVERIFY(!model->data(model->index(0, 0), Qt::DisplayRole).isValid());
        QVERIFY(!model->index(rows, 0).isValid() && !model->index(0, 25).isValid() && !model->index(-1, 0).isValid());
        QCOMPARE(model->fieldText(model->index(rows - 1, UidColumn)), QString::number(last->uid));
        QCOMPARE(m_document->model(TvBase)->fieldText(model->index(rows - 1, 0)), stationNameText(last));
    }

    // A table view hands every selected cell; only column 0 names a row.
    void payloadListsRowsAscendingWithTheKind()
    {
        auto model = m_document->model(TvBase, 25);
        const std::unique_ptr<QMimeData> data(model->mimeData(
            {model->index(5, 0), model->index(5, 3), model->index(2, 0), model->index(9, 7), model->index(9, 0)}));
        const QByteArray expected("\0\0\0\x02\0\0\0\x01\0\0\0\x05\0\0\0\x01\0\0\0\x09\0\0\0\x01", 24);
        QCOMPARE(data->data(QStringLiteral("application/x-stationcListmodel")), expected);
        QCOMPARE(model->mimeTypes(), QStringList{QStringLiteral("application/x-stationcListmodel")});
    }

    // Only stations, only as display data, only within the list, only
    // through its own indexes; failures change nothing.
    void refusesBadInsertionsAndRemovals()
    {
        auto model = m_document->model(TvFavorite);
        auto other = m_document->model(OtherTvFavorite);
        const Stations before = stationsOf(m_document->list(TvFavorite));
        const QVariant station = QVariant::fromValue(m_document->list(TvBase)->stations[0]);
        QVERIFY(!model->setData(model->insertionIndex(0), station, Qt::EditRole));
        QVERIFY(!model->setData(model->insertionIndex(0), QVariant(42)));
        QVERIFY(!model->setData(model->insertionIndex(0), QVariant::fromValue<svl_station *>(nullptr)));
        QVERIFY(!model->setData(model->insertionIndex(model->rowCount() + 1), station));
        QVERIFY(!model->setData(other->insertionIndex(0), station));
        const int rows = model->rowCount();
        QVERIFY(!model->removeRows(rows - 1, 2));
        QVERIFY(!model->removeRows(-1, 1));
        QVERIFY(!model->removeRows(0, 0));
        QVERIFY(!model->removeRows(0, 1, model->index(0, 0)));
        QCOMPARE(stationsOf(m_document->list(TvFavorite)), before);
        QVERIFY(!m_document->window()->isWindowModified());
        QVERIFY(model->removeRows(rows - 3, 3));
        QCOMPARE(stationsOf(m_document->list(TvFavorite)), before.mid(0, rows - 3));
        QVERIFY(m_document->window()->isWindowModified());
    }

    void findsAndRemovesEveryRowOfAStation()
    {
        auto model = m_document->model(TvFavorite);
        svl_station *station = m_document->list(TvBase)->stations[7];
        model->removeStation(station);
        QVERIFY(!model->containsStation(station));
        const int rows = model->rowCount();
        for (int row : {3, 0, rows + 2})
            QVERIFY(model->setData(model->insertionIndex(row), QVariant::fromValue(station)));
        QVERIFY(model->containsStation(station));
        const QList<QModelIndex> indexes = model->indexesOfStation(station);
        QCOMPARE(indexes, (QList<QModelIndex>{model->index(0, 0), model->index(4, 0), model->index(rows + 2, 0)}));
        model->removeStation(station);
        QCOMPARE(model->rowCount(), rows);
        QVERIFY(model->indexesOfStation(station).isEmpty());
    }

    // An undo gives the model a saved copy of its list; a saved record of
    // another list is no record of this one.
    void takesOverASavedList()
    {
        svl_list *list = m_document->list(TvBase);
        auto model = m_document->model(TvBase);
        svl_list *saved = svl_copy_list(list);
        QVERIFY(saved);
        const Stations order = stationsOf(list);
        svl_station *first = list->stations[0];
        QVERIFY(model->removeRows(0, 1));
        QVERIFY(model->setData(model->insertionIndex(model->rowCount()), QVariant::fromValue(first)));
        QVERIFY(svl_set_list_name(list, "renamed") == 0);
        int relayouts = 0;
        QObject::connect(model.get(), &QAbstractItemModel::layoutChanged, [&relayouts] { ++relayouts; });
        QVERIFY(model->setStationList(saved));
        QCOMPARE(m_document->list(TvBase), list);
        QCOMPARE(stationsOf(list), order);
        QCOMPARE(model->listName(), QStringLiteral("ALL_TV"));
        QCOMPARE(relayouts, 1);
        QVERIFY(!model->setStationList(svl_copy_list(m_document->list(TvFavorite))));
        QVERIFY(!model->setStationList(nullptr));
        QCOMPARE(stationsOf(list), order);
    }

    // Payloads may come from another program: nothing in them may change a
    // list unless every entry names a station that list can take.
    void refusesDrops()
    {
        const QByteArray twoRows = entries({{1, SVL_KIND_TV}, {3, SVL_KIND_TV}});
        const struct {
            const char *name;
            int list;
            QByteArray bytes;
            Qt::DropAction action;
            int row, column;
        } drops[] = {
            {"ignore action", TvFavorite, twoRows, Qt::IgnoreAction, 0, 0},
            {"column 1", TvFavorite, twoRows, Qt::CopyAction, 0, 1},
            {"beyond the end", TvFavorite, twoRows, Qt::CopyAction, 1000, 0},
            {"empty payload", TvFavorite, QByteArray(), Qt::CopyAction, 0, 0},
            {"broken entry", TvFavorite, twoRows.left(12), Qt::CopyAction, 0, 0},
            {"rows descending", TvFavorite, entries({{3, SVL_KIND_TV}, {1, SVL_KIND_TV}}), Qt::CopyAction, 0, 0},
            {"row twice", TvBase, entries({{1, SVL_KIND_TV}, {1, SVL_KIND_TV}}), Qt::CopyAction, 0, 0},
            {"kinds mixed", TvFavorite, entries({{1, SVL_KIND_TV}, {3, SVL_KIND_TV_FAV}}), Qt::CopyAction, 0, 0},
            {"row outside the source", TvBase, entries({{1, SVL_KIND_TV}, {5000, SVL_KIND_TV}}), Qt::MoveAction, 0, 0},
            {"negative row", TvFavorite, entries({{-1, SVL_KIND_TV}}), Qt::CopyAction, 0, 0},
            {"unknown kind", TvFavorite, entries({{0, 7}}), Qt::CopyAction, 0, 0},
            {"radio rows into a TV favorite list", TvFavorite, entries({{0, SVL_KIND_RADIO}}), Qt::CopyAction, 0, 0},
            {"rows of a radio favorite list", TvFavorite, entries({{0, SVL_KIND_RADIO_FAV}}), Qt::CopyAction, 0, 0},
            {"TV rows into a radio favorite list", RadioFavorite, entries({{0, SVL_KIND_TV}}), Qt::CopyAction, 0, 0},
        };
        for (const auto &drop : drops) {
            auto model = m_document->model(drop.list);
            const Stations before = stationsOf(m_document->list(drop.list));
            const std::unique_ptr<QMimeData> data(model->mimeData({}));
            data->setData(QLatin1String(StationListModel::mimeType), drop.bytes);
            QVERIFY2(!model->dropMimeData(data.get(), drop.action, drop.row, drop.column, QModelIndex()), drop.name);
            QVERIFY2(stationsOf(m_document->list(drop.list)) == before, drop.name);
        }
        QVERIFY(!m_document->window()->isWindowModified());
    }

    // Rows dragged from another Kanvio window name stations of another
    // table; here they would copy whatever stands at those rows.
    void refusesRowsFromAnotherProgram()
    {
        auto base = m_document->model(TvBase);
        auto favorite = m_document->model(TvFavorite);
        const Stations before = stationsOf(m_document->list(TvFavorite));
        const std::unique_ptr<QMimeData> own(base->mimeData({base->index(1, 0), base->index(3, 0)}));
        const QString rowsType = QLatin1String(StationListModel::mimeType);
        for (bool marked : {false, true}) {
            QMimeData foreign;
            for (const QString &format : own->formats()) {
                if (format == rowsType)
                    foreign.setData(format, own->data(format));
                else if (marked)
                    foreign.setData(format, QByteArray::number(QCoreApplication::applicationPid() + 1));
            }
            QVERIFY(!favorite->dropMimeData(&foreign, Qt::CopyAction, 0, 0, QModelIndex()));
        }
        QCOMPARE(stationsOf(m_document->list(TvFavorite)), before);
        QVERIFY(!m_document->window()->isWindowModified());
        // The same rows dragged within this program are taken.
        QVERIFY(favorite->dropMimeData(own.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    }

    // The drop carries out the whole change; a drag that ended as a move
    // would let the source view remove its selected rows afterwards.
    void dragsNeverEndAsMoves()
    {
        auto model = m_document->model(TvBase);
        QCOMPARE(model->supportedDragActions(), Qt::DropActions(Qt::CopyAction));
        QCOMPARE(model->supportedDropActions(), Qt::CopyAction | Qt::MoveAction);
        const Qt::ItemFlags flags = model->flags(model->index(0, 0));
        QVERIFY((flags & Qt::ItemIsDragEnabled) && !(flags & Qt::ItemIsEditable));
        QVERIFY(model->flags(QModelIndex()) & Qt::ItemIsDropEnabled);
    }
};

QTEST_MAIN(TestStationListModel)
#include "test_stationlistmodel.moc"
