// A station list widget without a main window: its model (what it hands the
// views, the drag payload, rows in and out, the drops it refuses), its
// painting (row icons, the palette's colours, fitted cell texts, the drop
// indicator) and how it equips its view. Drops that become undo commands
// are tested with the commands.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QTableView>
#include <QtTest>

#include "texts/strings.h"
#include "fields/station_fields.h"
#include "tests/support/tables.h"
#include "tests/views/test_stationlistwidget_support.h"
#include "tools/gen/svl_generate.h"
#include "views/dropindicator.h"
#include "views/stationlistdelegate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"

using viewsupport::HandTable;
using viewsupport::Stations;
using viewsupport::stationsOf;

namespace {

enum ListIndex { TvBase = 0, RadioBase = 1, TvFavorite = 2, OtherTvFavorite = 3, RadioFavorite = 4 };

// A generated table (see init) whose lists the tests make models of.
struct Document : OwnedTable {
    // A model of the list as the list view (1 column) or the table view
    // (25 columns) makes it.
    std::unique_ptr<StationListModel> model(int index, int columns = 1)
    {
        return std::make_unique<StationListModel>(nullptr, index, list(uint32_t(index)), &table, columns, nullptr);
    }
};

QByteArray entries(std::initializer_list<std::pair<qint32, qint32>> rowsAndKinds)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    for (const auto &entry : rowsAndKinds)
        stream << entry.first << entry.second;
    return bytes;
}

const QColor background(Qt::white);

// The item painted on the background into an image of the size.
QImage paintItem(const StationListDelegate &delegate, const QModelIndex &index, const QSize &size,
                 const QPalette &palette = QApplication::palette(), bool selected = false)
{
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = selected ? QStyle::State_Enabled | QStyle::State_Selected : QStyle::State_Enabled;
    option.palette = palette;
    // Unsmoothed text takes nothing but the text colour.
    option.font.setStyleStrategy(QFont::NoAntialias);
    option.fontMetrics = QFontMetrics(option.font);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    delegate.paint(&painter, option, index);
    return image;
}

// The colours painted inside the rectangle.
QSet<QRgb> coloursIn(const QImage &image, const QRect &rect)
{
    QSet<QRgb> colours;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours;
}

bool paintedIn(const QImage &image, const QRect &rect)
{
    return coloursIn(image, rect) != QSet<QRgb>{background.rgba()};
}

} // namespace

class TestStationListWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<Document> m_document;

private slots:
    void initTestCase() { Strings::load(); }

    // A version-50 table with two favorite lists per medium.
    void init()
    {
        svl_generate_options options;
        options.stations = 40;
        options.favorites = 2;
        options.favorite_percent = 30;
        m_document = std::make_unique<Document>();
        QCOMPARE(svl_generate_table(&m_document->table, options), 0);
        QCOMPARE(m_document->table.list_count, 6u);
    }

    // The tester watches every signal while rows come and go, in the list
    // view's model and the table view's.
    void passesTheModelTester()
    {
        for (int columns : {1, 25}) {
            init();
            auto model = m_document->model(TvFavorite, columns);
            QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            // A station may stand in a list more than once; it is found and
            // removed at every row.
            svl_station *station = m_document->list(TvBase)->stations[7];
            model->removeStation(station);
            QVERIFY(!model->containsStation(station));
            const int rows = model->rowCount();
            for (int row : {3, 0, rows + 2})
                QVERIFY(model->setData(model->insertionIndex(row), QVariant::fromValue(station)));
            QVERIFY(model->containsStation(station));
            QCOMPARE(model->indexesOfStation(station),
                     (QList<QModelIndex>{model->index(0, 0), model->index(4, 0), model->index(rows + 2, 0)}));
            QVERIFY(model->removeRows(0, 2));
            model->removeStation(station);
            QCOMPARE(model->rowCount(), rows - 1);
            QVERIFY(model->indexesOfStation(station).isEmpty());
            svl_list *saved = svl_copy_list(m_document->list(TvFavorite));
            QVERIFY(saved);
            std::reverse(saved->stations, saved->stations + saved->count);
            QVERIFY(model->setStationList(saved));
            model->sortList(NameColumn, Qt::DescendingOrder);
            model->refreshLayout();
            model->stationChanged(1);
            model->stationChanged(model->rowCount());
            model->stationsChanged({0, 2});

            // Row sets go and come back in runs; the rows between the runs keep
            // their stations and indexes at every notification.
            auto base = m_document->model(TvBase, columns);
            QAbstractItemModelTester baseTester(base.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
            const Stations all = stationsOf(m_document->list(TvBase));
            const QVector<int> rowSet{0, 1, 5, 7, 9, 10, 11, int(all.size()) - 1};
            const QVector<svl_station *> taken = base->stationsAt(rowSet);
            const QPersistentModelIndex kept = base->index(8, 0);
            QVERIFY(!base->removeRowSet({3, 2}) && !base->insertAtRows({0}, {nullptr}));
            QVERIFY(base->removeRowSet(rowSet));
            QCOMPARE(kept.row(), 4);
            QVERIFY(base->insertAtRows(rowSet, taken));
            QCOMPARE(stationsOf(m_document->list(TvBase)), all);
            QCOMPARE(kept.row(), 8);
        }
    }

    // Stations as pointers under Qt::UserRole and no text of the model's own.
    // A table view's drag hands every selected cell; only column 0 names a
    // row. The drop carries out the whole change: a drag that ended as a
    // move would let the source view remove its selected rows afterwards.
    void handsOutStationsAndDragsTheirRows()
    {
        auto model = m_document->model(TvBase, 25);
        const int rows = model->rowCount();
        const svl_station *last = m_document->list(TvBase)->stations[rows - 1];
        QCOMPARE(StationListModel::stationOf(model->data(model->index(rows - 1, 24), Qt::UserRole)), last);
        QVERIFY(!model->data(model->index(0, 0), Qt::DisplayRole).isValid());
        QVERIFY(!model->index(rows, 0).isValid() && !model->index(0, 25).isValid() && !model->index(-1, 0).isValid());
        QCOMPARE(model->fieldText(model->index(rows - 1, UidColumn)), QString::number(last->uid));
        QCOMPARE(m_document->model(TvBase)->fieldText(model->index(rows - 1, 0)), stationNameText(last));
        const std::unique_ptr<QMimeData> data(model->mimeData(
            {model->index(5, 0), model->index(5, 3), model->index(2, 0), model->index(9, 7), model->index(9, 0)}));
        const QByteArray expected("\0\0\0\x02\0\0\0\x01\0\0\0\x05\0\0\0\x01\0\0\0\x09\0\0\0\x01", 24);
        QCOMPARE(data->data(QStringLiteral("application/x-stationcListmodel")), expected);
        QCOMPARE(model->supportedDragActions(), Qt::DropActions(Qt::CopyAction));
        QCOMPARE(model->supportedDropActions(), Qt::CopyAction | Qt::MoveAction);
        const Qt::ItemFlags flags = model->flags(model->index(0, 0));
        QVERIFY((flags & Qt::ItemIsDragEnabled) && !(flags & Qt::ItemIsEditable));
        QVERIFY(model->flags(QModelIndex()) & Qt::ItemIsDropEnabled);
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
        QVERIFY(!model->removeRows(rows - 1, 2) && !model->removeRows(-1, 1) && !model->removeRows(0, 0));
        QVERIFY(!model->removeRows(0, 1, model->index(0, 0)));
        QCOMPARE(stationsOf(m_document->list(TvFavorite)), before);
        QVERIFY(model->removeRows(rows - 3, 3));
        QCOMPARE(stationsOf(m_document->list(TvFavorite)), before.mid(0, rows - 3));
    }

    // An undo gives the model a saved copy of its list; a saved record of
    // another list is no record of this one.
    void takesOverASavedList()
    {
        svl_list *list = m_document->list(TvBase);
        auto model = m_document->model(TvBase);
        svl_list *saved = svl_copy_list(list);
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
        // The same rows dragged within this program are taken.
        QVERIFY(favorite->dropMimeData(own.get(), Qt::CopyAction, 0, 0, QModelIndex()));
    }

    // The icons of a row, left to right, from the station's flags.
    void rowIconsFollowStationFlags()
    {
        using R = RowImage;
        const struct {
            int hiDef, flags;  // 1 child lock, 2 EPG, 4 encrypted, 8 favorite
            int programDataByte;
            QList<RowImage> images;
        } rows[] = {
            {1, 0, 4, {R::Hd, R::TerrestrialReception}},
            {3, 0, 5, {R::CableReception}},  // HiDef 3 has no video icon
            {4, 0, 5, {R::Hevc, R::CableReception}},
            {9, 0, 1, {R::AnalogReception}},
            {0, 2, 9, {R::Epg, R::TerrestrialReception}},  // DVB-T radio
            {0, 4, 10, {R::Encrypted, R::CableReception}},  // DVB-C radio
            {0, 0, 2, {}},
            {2, 15, 8, {R::Favorite, R::Hd, R::ChildLock, R::Epg, R::Encrypted, R::SatelliteReception}},
        };
        for (const auto &row : rows) {
            svl_station station = svl_station();
            station.HiDef = uint8_t(row.hiDef);
            station.childlock = row.flags & 1;
            station.epg = (row.flags & 2) ? 1 : 0;
            station.encrypted = (row.flags & 4) ? 1 : 0;
            station.ProgramDataByte = uint8_t(row.programDataByte);
            const RowIcons icons = rowIcons(station, row.flags & 8);
            QList<RowImage> shown;
            for (int i = 0; i < icons.size(); ++i) {
                shown << icons[i].image;
                QVERIFY(i == 0 || icons[i - 1].rightOffset > icons[i].rightOffset);
            }
            QCOMPARE(shown, row.images);
        }
    }

    // Each icon of a list row stands at its offset; a long name stops before
    // the icons. A cell's text is fitted to the cell's width each time anew,
    // ending in an ellipsis when it is cut; past the last column there is no
    // text. Rows and cells, selected or not, paint their background, text and
    // separator in the palette's colours, so they read in a dark theme too.
    void rowsAndCellsArePainted()
    {
        HandTable table;
        svl_station *flagged = table.addStation("Flagged");
        flagged->HiDef = 2;
        flagged->childlock = flagged->epg = flagged->encrypted = 1;
        table.addStation(QByteArray(200, 'W'))->ProgramDataByte = 2;  // no reception icon either
        StationListModel model(nullptr, 0, table.base(), table.table(), 1, nullptr);
        StationListModel cells(nullptr, 0, table.base(), table.table(), StationColumnCount, nullptr);
        const StationListDelegate delegate(&model, nullptr);
        const StationListDelegate cellDelegate(&cells, nullptr);
        const QSize row(500, 38);
        const QImage flaggedRow = paintItem(delegate, model.index(0, 0), row);
        for (const RowIcon &icon : rowIcons(*flagged, false)) {
            const QSize size = rowImageData(icon.image).size();
            QCOMPARE(rowImageData(icon.image, 2.0).size(), size * 2);
            const QRect area(QPoint(row.width() - 1 - icon.rightOffset, 19 - size.height() / 2), size);
            QVERIFY2(paintedIn(flaggedRow, area), rowImagePath(icon.image));
        }
        const int iconsStart = row.width() - 1 - 210;
        const QImage longName = paintItem(delegate, model.index(1, 0), row);
        QVERIFY(paintedIn(longName, QRect(80, 0, 100, 37)));
        QVERIFY(!paintedIn(longName, QRect(iconsStart, 0, row.width() - iconsStart, 37)));

        const QModelIndex name = cells.index(1, NameColumn);
        const QImage wide = paintItem(cellDelegate, name, QSize(300, 24));
        const QImage narrow = paintItem(cellDelegate, name, QSize(60, 24));
        QVERIFY(wide.copy(0, 0, 60, 24) != narrow);
        QCOMPARE(paintItem(cellDelegate, name, QSize(300, 24)), wide);
        QVERIFY(!paintedIn(paintItem(cellDelegate, cells.index(1, 25), QSize(120, 24)), QRect(0, 0, 120, 24)));

        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::black);
        const QRect bottom(0, 37, 500, 1);
        for (const QPalette &palette : {QApplication::palette(), dark}) {
            const QRgb separator = palette.color(QPalette::Midlight).rgba();
            for (const bool selected : {false, true}) {
                const QRgb back = palette.color(selected ? QPalette::Highlight : QPalette::Base).rgba();
                const QRgb text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text).rgba();
                // A line parts a row from the next, not the last one nor a selected one.
                const QImage parted = paintItem(delegate, model.index(0, 0), row, palette, selected);
                QCOMPARE(coloursIn(parted, bottom).contains(separator), !selected);
                for (const QImage &image : {paintItem(delegate, model.index(1, 0), row, palette, selected),
                                            paintItem(cellDelegate, cells.index(0, NameColumn), QSize(160, 38), palette,
                                                      selected)}) {
                    QCOMPARE(image.pixel(2, 2), back);
                    QVERIFY(coloursIn(image, QRect(0, 0, 160, 37)).contains(text));
                    QVERIFY(!coloursIn(image, bottom).contains(separator));
                }
            }
        }
    }

    // A line between rows, a translucent box with an outline onto a row.
    void dropIndicatorBetweenAndOnRows()
    {
        DropIndicator style(QApplication::style()->objectName());
        QStyleOption option;
        option.palette = QApplication::palette();
        const QRgb highlight = option.palette.color(QPalette::Highlight).rgba();
        const auto paint = [&style, &option](const QRect &rect) {
            QImage image(200, 40, QImage::Format_ARGB32);
            image.fill(background);
            option.rect = rect;
            QPainter painter(&image);
            style.drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &option, &painter);
            return image;
        };
        const QImage line = paint(QRect(QPoint(20, 20), QSize(150, 0)));
        QCOMPARE(line.pixel(100, 20), highlight);
        QVERIFY(!paintedIn(line, QRect(0, 28, 200, 12)) && !paintedIn(line, QRect(175, 0, 25, 40)));
        const QImage box = paint(QRect(10, 5, 150, 30));
        QCOMPARE(box.pixel(10, 20), highlight);
        QVERIFY(!QSet<QRgb>({background.rgba(), highlight}).contains(box.pixel(80, 20)));
    }

    // Rows can be dragged and dropped in either view. The table view sorts
    // by a click on a header but claims no order the list does not have,
    // and fits its columns to their texts (the name column's width is seen
    // in test_stationtablewidget). The first selected station is the topmost.
    void listWidgetEquipsItsView()
    {
        HandTable table;
        table.addStations(6);
        table.base()->stations[1]->HiDef = 3;  // "HD-MPEG4", longer than its header
        table.base()->stations[2]->cni = 0xabcd;
        const StationListWidget list(nullptr, table.base(), table.table(), true);
        QCOMPARE(list.view()->dragDropMode(), QAbstractItemView::DragDrop);
        StationListWidget widget(nullptr, table.base(), table.table(), false);
        auto *view = qobject_cast<QTableView *>(widget.view());
        QCOMPARE(view->dragDropMode(), QAbstractItemView::DragDrop);
        QVERIFY(view->isSortingEnabled() && view->horizontalHeader()->sortIndicatorSection() == -1);
        widget.resizeTableColumns();
        const QFontMetrics metrics(view->font());
        StationListModel *model = widget.stationModel();
        for (int column = 0; column < StationColumnCount; ++column) {
            for (int row = 0; row < 3 && column != NameColumn; ++row) {
                const QString text = model->fieldText(model->index(row, column));
                // Padding on both sides and the grid line.
                QVERIFY2(view->columnWidth(column) >= metrics.horizontalAdvance(text) + 10, qPrintable(text));
            }
        }
        QVERIFY(!widget.firstSelectedStation());
        for (int row : {4, 2})
            widget.viewSelectionModel()->select(model->index(row, 0), QItemSelectionModel::Select);
        QCOMPARE(widget.firstSelectedStation(), table.base()->stations[2]);
        // In table view each flag has a column of its own: a changed station's
        // whole row is painted again, not only the cell of the index.
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        model->stationChanged(1);
        model->stationChanged(6);  // past the last row
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model->index(1, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model->index(1, StationColumnCount - 1));
    }

    void scrollToRemovedRowOnlyWhileTheRowExists()
    {
        HandTable table;
        table.addStations(100);
        StationListWidget widget(nullptr, table.base(), table.table(), true);
        widget.resize(300, 200);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.scrollToRemovedRow(widget.stationModel()->index(100, 0));
        QCOMPARE(widget.view()->indexAt(QPoint(5, 5)).row(), 0);
        widget.scrollToRemovedRow(widget.stationModel()->index(50, 0));
        QCOMPARE(widget.view()->indexAt(QPoint(5, 5)).row(), 50);
    }
};

QTEST_MAIN(TestStationListWidget)
#include "test_stationlistwidget.moc"
