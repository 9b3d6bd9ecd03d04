// The station views without a main window: which icons a row gets and where
// they are painted, the row separators, the drop indicator, the sorted
// selection and how a list widget equips its view.
#include <QApplication>
#include <QHeaderView>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include "tests/views/test_stationlistwidget_support.h"
#include "views/dropindicator.h"
#include "views/selection.h"
#include "views/station_fields.h"
#include "views/stationlistdelegate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistselectionmodel.h"
#include "views/stationlistwidget.h"

using viewsupport::HandTable;

Q_DECLARE_METATYPE(RowImage)

namespace {

const QColor background(Qt::white);
const QSize listRow(500, 38);

QStyleOptionViewItem itemOption(const QSize &size, QStyle::State state = QStyle::State_Enabled)
{
    QStyleOptionViewItem option;
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    option.palette = QApplication::palette();
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    return option;
}

QImage paintItem(const StationListDelegate &delegate, const QModelIndex &index, const QSize &size,
                 QStyle::State state = QStyle::State_Enabled)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    delegate.paint(&painter, itemOption(size, state), index);
    return image;
}

// Whether anything but the background was painted inside the rectangle.
bool paintedIn(const QImage &image, const QRect &rect)
{
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                return true;
        }
    }
    return false;
}

// Where an icon of the given image stands in a list row of listRow's width.
QRect iconArea(RowImage image, int rightOffset)
{
    const QSize size = rowImageData(image).size();
    const int right = listRow.width() - 1;
    return QRect(QPoint(right - rightOffset, 19 - size.height() / 2), size);
}

QList<RowImage> imagesOf(const RowIcons &icons)
{
    QList<RowImage> images;
    for (const RowIcon &icon : icons)
        images << icon.image;
    return images;
}

} // namespace

class TestStationListWidgetPaint : public QObject
{
    Q_OBJECT

private slots:
    void rowIconsFollowStationFlags_data();
    void rowIconsFollowStationFlags();
    void iconsStandAtTheirOffsets();
    void everyRowImageIsBuiltInAndReadOnce();
    void separatorUnderEveryRowButTheLast_data();
    void separatorUnderEveryRowButTheLast();
    void longNamesStopBeforeTheIcons();
    void selectedRowIsHighlighted();
    void tableCellShowsFittedFieldText();
    void dropIndicatorBetweenAndOnRows();
    void sortedSelectedIndexesAscend();
    void listWidgetEquipsItsView_data();
    void listWidgetEquipsItsView();
    void listIndexIsThePositionInTheTable();
    void setFlagOfStationAtIndex_data();
    void setFlagOfStationAtIndex();
    void tableColumnsFitTheirTextsWithNameAt200();
    void firstSelectedStationIsTheTopmost();
    void scrollToRemovedRowOnlyWhileTheRowExists();
};

void TestStationListWidgetPaint::rowIconsFollowStationFlags_data()
{
    QTest::addColumn<int>("hiDef");
    QTest::addColumn<int>("flags");  // 1 child lock, 2 EPG, 4 encrypted
    QTest::addColumn<int>("programDataByte");
    QTest::addColumn<bool>("favorite");
    QTest::addColumn<QList<RowImage>>("images");

    using R = RowImage;
    QTest::newRow("plain SD") << 0 << 0 << 3 << false << QList<R>{R::SatelliteReception};
    QTest::newRow("HD 1") << 1 << 0 << 3 << false << QList<R>{R::Hd, R::SatelliteReception};
    QTest::newRow("HD 2") << 2 << 0 << 4 << false << QList<R>{R::Hd, R::TerrestrialReception};
    QTest::newRow("HiDef 3 no video icon") << 3 << 0 << 5 << false << QList<R>{R::CableReception};
    QTest::newRow("HEVC") << 4 << 0 << 5 << false << QList<R>{R::Hevc, R::CableReception};
    QTest::newRow("HiDef 9") << 9 << 0 << 1 << false << QList<R>{R::AnalogReception};
    QTest::newRow("child lock") << 0 << 1 << 3 << false << QList<R>{R::ChildLock, R::SatelliteReception};
    QTest::newRow("EPG, DVB-T radio") << 0 << 2 << 9 << false << QList<R>{R::Epg, R::TerrestrialReception};
    QTest::newRow("encrypted, DVB-C radio") << 0 << 4 << 10 << false << QList<R>{R::Encrypted, R::CableReception};
    QTest::newRow("no reception type") << 0 << 0 << 2 << false << QList<R>{};
    QTest::newRow("no reception type, radio") << 0 << 0 << 6 << false << QList<R>{};
    QTest::newRow("everything") << 2 << 7 << 8 << true
                                << QList<R>{R::Favorite, R::Hd, R::ChildLock, R::Epg, R::Encrypted,
                                            R::SatelliteReception};
}

void TestStationListWidgetPaint::rowIconsFollowStationFlags()
{
    QFETCH(int, hiDef);
    QFETCH(int, flags);
    QFETCH(int, programDataByte);
    QFETCH(bool, favorite);
    QFETCH(QList<RowImage>, images);

    svl_station station = svl_station();
    station.HiDef = uint8_t(hiDef);
    station.childlock = flags & 1;
    station.epg = (flags & 2) ? 1 : 0;
    station.encrypted = (flags & 4) ? 1 : 0;
    station.ProgramDataByte = uint8_t(programDataByte);
    const RowIcons icons = rowIcons(station, favorite);
    QCOMPARE(imagesOf(icons), images);
    // Left to right, as listed.
    for (int i = 1; i < icons.size(); ++i)
        QVERIFY(icons[i - 1].rightOffset > icons[i].rightOffset);
}

void TestStationListWidgetPaint::iconsStandAtTheirOffsets()
{
    HandTable table;
    svl_station *flagged = table.addStation("Flagged");
    flagged->HiDef = 2;
    flagged->childlock = 1;
    flagged->epg = 1;
    flagged->encrypted = 1;
    svl_station *plain = table.addStation("Plain");
    plain->ProgramDataByte = 2;
    StationListModel model(nullptr, 0, table.base(), table.table(), 1, nullptr);
    StationListDelegate delegate(&model, nullptr);

    const QImage flaggedRow = paintItem(delegate, model.index(0, 0), listRow);
    const QImage plainRow = paintItem(delegate, model.index(1, 0), listRow);
    for (const RowIcon &icon : rowIcons(*flagged, false)) {
        const QRect area = iconArea(icon.image, icon.rightOffset);
        QVERIFY2(paintedIn(flaggedRow, area), rowImagePath(icon.image));
        QVERIFY2(!paintedIn(plainRow, area), rowImagePath(icon.image));
    }
    // Nothing right of the reception tile's image.
    QVERIFY(!paintedIn(flaggedRow, QRect(listRow.width() - 12, 0, 12, listRow.height() - 1)));
}

void TestStationListWidgetPaint::everyRowImageIsBuiltInAndReadOnce()
{
    QVERIFY(rowImageData(RowImage::None).isNull());
    QVERIFY(!rowImagePath(RowImage::None));
    for (int i = int(RowImage::Hd); i <= int(RowImage::Favorite); ++i) {
        const auto image = RowImage(i);
        QVERIFY2(QFile::exists(QLatin1String(rowImagePath(image))), rowImagePath(image));
        QVERIFY(!rowImageData(image).isNull());
        QCOMPARE(&rowImageData(image), &rowImageData(image));
    }
}

void TestStationListWidgetPaint::separatorUnderEveryRowButTheLast_data()
{
    QTest::addColumn<int>("stations");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("separator");
    QTest::newRow("first of three") << 3 << 0 << true;
    QTest::newRow("middle of three") << 3 << 1 << true;
    QTest::newRow("last of three") << 3 << 2 << false;
    QTest::newRow("only row") << 1 << 0 << false;
}

void TestStationListWidgetPaint::separatorUnderEveryRowButTheLast()
{
    QFETCH(int, stations);
    QFETCH(int, row);
    QFETCH(bool, separator);
    HandTable table;
    table.addStations(stations);
    StationListModel model(nullptr, 0, table.base(), table.table(), 1, nullptr);
    const StationListDelegate delegate(&model, nullptr);
    const QImage image = paintItem(delegate, model.index(row, 0), listRow);
    const int bottom = listRow.height() - 1;
    const QColor line(230, 230, 230);
    QCOMPARE(image.pixelColor(listRow.width() / 2, bottom) == line, separator);
    QCOMPARE(image.pixelColor(12, bottom) == line, separator);
    // The line keeps 12 pixels from either end.
    QCOMPARE(image.pixelColor(11, bottom), background);
    QCOMPARE(image.pixelColor(listRow.width() - 12, bottom), background);
}

void TestStationListWidgetPaint::longNamesStopBeforeTheIcons()
{
    HandTable table;
    table.addStation(QByteArray(200, 'W'));
    table.base()->stations[0]->ProgramDataByte = 2;  // no reception icon either
    StationListModel model(nullptr, 0, table.base(), table.table(), 1, nullptr);
    const StationListDelegate delegate(&model, nullptr);
    const QImage image = paintItem(delegate, model.index(0, 0), listRow);
    QVERIFY(paintedIn(image, QRect(80, 0, 100, 37)));
    const int iconsStart = listRow.width() - 1 - 210;
    QVERIFY(!paintedIn(image, QRect(iconsStart, 0, listRow.width() - iconsStart, 37)));
}

void TestStationListWidgetPaint::selectedRowIsHighlighted()
{
    HandTable table;
    table.addStations(2);
    StationListModel model(nullptr, 0, table.base(), table.table(), 1, nullptr);
    const StationListDelegate delegate(&model, nullptr);
    const QColor highlight = QApplication::palette().color(QPalette::Current, QPalette::Highlight);
    const QImage selected = paintItem(delegate, model.index(0, 0), listRow,
                                      QStyle::State_Enabled | QStyle::State_Selected);
    QCOMPARE(selected.pixelColor(2, 2), highlight);
    const QImage plain = paintItem(delegate, model.index(0, 0), listRow);
    QCOMPARE(plain.pixelColor(2, 2), background);
}

// A cell paints its field text as drawText paints it, ending in an
// ellipsis exactly when it does not fit; the same text at another width is
// fitted anew.
void TestStationListWidgetPaint::tableCellShowsFittedFieldText()
{
    HandTable table;
    table.addStation("A station with a long name");
    StationListModel model(nullptr, 0, table.base(), table.table(), 25, nullptr);
    const StationListDelegate delegate(&model, nullptr);
    const QModelIndex name = model.index(0, NameColumn);
    for (int width : {300, 60, 300, 20}) {
        const QSize cell(width, 24);
        QImage expected(cell, QImage::Format_ARGB32);
        expected.fill(background);
        {
            QPainter painter(&expected);
            const QRect textRect = QRect(QPoint(0, 0), cell).adjusted(4, 0, -4, 0);
            const QString text = painter.fontMetrics().elidedText(model.fieldText(name), Qt::ElideRight,
                                                                  textRect.width());
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
        }
        QCOMPARE(paintItem(delegate, name, cell), expected);
    }
    // Past the last column there is no text.
    const QSize cell(120, 24);
    QVERIFY(!paintedIn(paintItem(delegate, model.index(0, 25), cell), QRect(QPoint(0, 0), cell)));
}

void TestStationListWidgetPaint::dropIndicatorBetweenAndOnRows()
{
    DropIndicator style(QApplication::style()->objectName());
    QStyleOption option;
    option.palette = QApplication::palette();
    const QColor highlight = option.palette.color(QPalette::Current, QPalette::Highlight);

    QImage between(200, 40, QImage::Format_ARGB32);
    between.fill(background);
    option.rect = QRect(QPoint(20, 20), QSize(150, 0));
    {
        QPainter painter(&between);
        style.drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &option, &painter);
    }
    QCOMPARE(between.pixelColor(100, 20), highlight);   // the line
    QVERIFY(between.pixelColor(15, 20) != background);  // the circle's left side
    QCOMPARE(between.pixelColor(100, 30), background);

    QImage onto(200, 40, QImage::Format_ARGB32);
    onto.fill(background);
    option.rect = QRect(10, 5, 150, 30);
    {
        QPainter painter(&onto);
        style.drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &option, &painter);
    }
    QCOMPARE(onto.pixelColor(10, 20), highlight);  // the outline
    const QColor inside = onto.pixelColor(80, 20);
    QVERIFY(inside != background && inside != highlight);  // translucent fill
    QCOMPARE(onto.pixelColor(190, 20), background);
}

void TestStationListWidgetPaint::sortedSelectedIndexesAscend()
{
    QVERIFY(sortedSelectedIndexes(nullptr).isEmpty());
    QStandardItemModel model(6, 3);
    QItemSelectionModel selection(&model);
    for (int row : {4, 1, 3})
        selection.select(QItemSelection(model.index(row, 0), model.index(row, 2)), QItemSelectionModel::Select);
    QModelIndexList expected;
    for (int row : {1, 3, 4}) {
        for (int column = 0; column < 3; ++column)
            expected << model.index(row, column);
    }
    QCOMPARE(sortedSelectedIndexes(&selection), expected);
}

void TestStationListWidgetPaint::listWidgetEquipsItsView_data()
{
    QTest::addColumn<bool>("listMode");
    QTest::addColumn<int>("columns");
    QTest::newRow("list view") << true << 1;
    QTest::newRow("table view") << false << 25;
}

void TestStationListWidgetPaint::listWidgetEquipsItsView()
{
    QFETCH(bool, listMode);
    QFETCH(int, columns);
    HandTable table;
    table.addStations(3);
    StationListWidget widget(nullptr, table.base(), table.table(), listMode);
    QAbstractItemView *view = widget.view();
    QCOMPARE(qobject_cast<QListView *>(view) != nullptr, listMode);
    QCOMPARE(qobject_cast<QTableView *>(view) != nullptr, !listMode);
    QCOMPARE(widget.stationModel()->columnCount(), columns);
    QCOMPARE(widget.stationModel()->rowCount(), 3);
    QCOMPARE(view->model(), widget.stationModel());
    QVERIFY(qobject_cast<StationListSelectionModel *>(widget.viewSelectionModel()));
    QCOMPARE(view->selectionModel(), widget.viewSelectionModel());
    QVERIFY(qobject_cast<StationListDelegate *>(view->itemDelegate()));
    QVERIFY(qobject_cast<DropIndicator *>(view->style()));
    QCOMPARE(view->dragDropMode(), QAbstractItemView::DragDrop);
    if (auto *tableView = qobject_cast<QTableView *>(view)) {
        QVERIFY(tableView->isSortingEnabled());
        // No column claims an order the list does not have.
        QCOMPARE(tableView->horizontalHeader()->sortIndicatorSection(), -1);
    }
}

void TestStationListWidgetPaint::listIndexIsThePositionInTheTable()
{
    HandTable table;
    StationListWidget favorites(nullptr, table.favorites(), table.table(), true);
    QCOMPARE(favorites.listIndex(), 2);
    svl_list *stray = svl_new_list("Stray", SVL_KIND_TV_FAV, SVL_ATTR_FAVORITE);
    {
        StationListWidget widget(nullptr, stray, table.table(), true);
        QCOMPARE(widget.listIndex(), 0);
    }
    svl_free_list(stray, 0);
}

void TestStationListWidgetPaint::setFlagOfStationAtIndex_data()
{
    QTest::addColumn<int>("flag");  // 0 EPG, 1 child lock, 2 CA module
    QTest::newRow("EPG") << 0;
    QTest::newRow("child lock") << 1;
    QTest::newRow("CA module") << 2;
}

// In table view the flag has a column of its own: the whole row is painted
// again, not only the cell of the index.
void TestStationListWidgetPaint::setFlagOfStationAtIndex()
{
    QFETCH(int, flag);
    HandTable table;
    table.addStations(3);
    StationListWidget widget(nullptr, table.base(), table.table(), false);
    const StationListModel *model = widget.stationModel();
    const auto set = [&](const QModelIndex &index, int value) {
        if (flag == 0)
            widget.setStationEpg(index, value);
        else if (flag == 1)
            widget.setStationChildLock(index, value);
        else
            widget.setStationCaModule(index, value);
    };
    const auto field = [&](int row) {
        const svl_station *station = table.base()->stations[row];
        return flag == 0 ? station->epg : flag == 1 ? station->childlock : station->CANumber;
    };
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    set(model->index(1, 0), 3);
    QCOMPARE(int(field(1)), 3);
    QCOMPARE(int(field(0)), 0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed[0][0].toModelIndex(), model->index(1, 0));
    QCOMPARE(changed[0][1].toModelIndex(), model->index(1, StationColumnCount - 1));

    set(model->index(3, 0), 1);  // past the last row
    QCOMPARE(changed.count(), 1);
}

void TestStationListWidgetPaint::tableColumnsFitTheirTextsWithNameAt200()
{
    HandTable table;
    table.addStations(3);
    table.base()->stations[1]->HiDef = 3;  // "HD-MPEG4", longer than its header
    table.base()->stations[2]->cni = 0xabcd;
    StationListWidget tableWidget(nullptr, table.base(), table.table(), false);
    tableWidget.resizeTableColumns();
    auto *view = qobject_cast<QTableView *>(tableWidget.view());
    QCOMPARE(view->columnWidth(1), 200);
    const QFontMetrics metrics(view->font());
    QVERIFY(view->rowHeight(0) >= metrics.height());
    QCOMPARE(view->rowHeight(2), view->rowHeight(0));
    const StationListModel *model = tableWidget.stationModel();
    for (int column = 0; column < 25; ++column) {
        if (column == 1)
            continue;
        for (int row = 0; row < 3; ++row) {
            const QString text = model->fieldText(model->index(row, column));
            // Padding on both sides and the grid line.
            QVERIFY2(view->columnWidth(column) >= metrics.horizontalAdvance(text) + 10, qPrintable(text));
        }
    }
}

void TestStationListWidgetPaint::firstSelectedStationIsTheTopmost()
{
    HandTable table;
    table.addStations(6);
    StationListWidget widget(nullptr, table.base(), table.table(), false);
    QVERIFY(!widget.firstSelectedStation());
    const StationListModel *model = widget.stationModel();
    for (int row : {4, 2})
        widget.viewSelectionModel()->select(model->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(widget.firstSelectedStation(), table.base()->stations[2]);
}

void TestStationListWidgetPaint::scrollToRemovedRowOnlyWhileTheRowExists()
{
    HandTable table;
    table.addStations(100);
    StationListWidget widget(nullptr, table.base(), table.table(), true);
    widget.resize(300, 200);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QAbstractItemView *view = widget.view();
    widget.scrollToRemovedRow(widget.stationModel()->index(100, 0));
    QCOMPARE(view->indexAt(QPoint(5, 5)).row(), 0);
    widget.scrollToRemovedRow(widget.stationModel()->index(50, 0));
    QCOMPARE(view->indexAt(QPoint(5, 5)).row(), 50);
}

QTEST_MAIN(TestStationListWidgetPaint)
#include "test_stationlistwidget_paint.moc"
