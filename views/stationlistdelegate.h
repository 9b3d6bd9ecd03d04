#ifndef KANVIO_VIEWS_STATIONLISTDELEGATE_H
#define KANVIO_VIEWS_STATIONLISTDELEGATE_H

#include <QFontMetrics>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStyledItemDelegate>
#include <QVarLengthArray>

#include "svl/svl.h"

class QImage;
class StationListModel;
class StationTableWidget;

// The images a list-view row can show beside the station name.
enum class RowImage {
    None,
    Hd,
    Hevc,
    ChildLock,
    Epg,
    Encrypted,
    AnalogReception,
    SatelliteReception,
    TerrestrialReception,
    CableReception,
    Favorite,
};

// One image of a row and where it stands: its left edge lies this many
// pixels left of the row's right edge.
struct RowIcon {
    RowImage image;
    int rightOffset;
};

using RowIcons = QVarLengthArray<RowIcon, 8>;

// The icons of a station's row from left to right: the favorite mark when
// favoriteMark is true, video (HD or HEVC), child lock, EPG, encryption and
// reception. Images that do not apply are left out.
RowIcons rowIcons(const svl_station &station, bool favoriteMark);

// The resource path of an image; null for RowImage::None.
const char *rowImagePath(RowImage image);

// The image for a paint device of the pixel ratio (devicePixelRatioF): above
// 1, the one with twice the pixels, its devicePixelRatio 2. Read from the
// resources once and kept; a null image for RowImage::None.
const QImage &rowImageData(RowImage image, qreal devicePixelRatio = 1.0);

// What the image says, in words of the current language, for screen
// readers; an empty text for RowImage::None.
QString rowImageWord(RowImage image);

// Whether a row of the model shows the favorite mark for station: a base
// list marks its version-50 stations that stand in the favorite list on the
// current favorite tab.
bool favoriteMarkShown(const StationTableWidget *tables, const StationListModel &model, const svl_station &station);

// Paints the rows of a station view: in list view a card of row number,
// station name and status icons, in table view the text of each cell.
class StationListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum { ListRowWidth = 100, ListRowHeight = 38 };
    // Space left and right of a table cell's text.
    enum { CellPadding = 4 };

    StationListDelegate(StationListModel *model, StationTableWidget *tableWidget, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // 100 x 38 in list view; an invalid size in table view, which leaves
    // the size to the view.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    bool isListView() const;
    static QPalette::ColorRole backgroundRole(const QStyleOptionViewItem &option);
    void paintSeparator(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintListRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void paintTableCell(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    bool favoriteMark(const svl_station &station) const;
    QString fittedText(const QString &text, const QFontMetrics &metrics, int width) const;

    StationListModel *m_model;
    StationTableWidget *m_tableWidget;
    // The texts as fitted to a width, for the font of fittedMetrics.
    mutable QHash<QPair<QString, int>, QString> m_fitted;
    mutable QFontMetrics m_fittedMetrics;
};

#endif
