#include "views/stationlistdelegate.h"

#include <QImage>
#include <QPainter>

#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"
#include "views/symbol_images.h"

namespace {

// Where each icon of a list row stands, as distance from the right edge.
enum IconOffset {
    ReceptionOffset = 60,
    EncryptedOffset = 90,
    EpgOffset = 120,
    ChildLockOffset = 150,
    VideoOffset = 180,
    FavoriteOffset = 210,
};

enum {
    RowNumberLeft = 20,
    NameLeft = 80,
    // The name ends this far left of the leftmost icon.
    NameGap = 6,
    SeparatorInset = 12,
};

struct ImageEntry {
    RowImage image;
    const char *path;
    int word;  // what the image says, for those who cannot see it
};

const ImageEntry imageEntries[] = {
    {RowImage::Hd, ":/images/hd-24x24.png", Strings::HdText},
    {RowImage::Hevc, ":/images/hevc-24x24.png", Strings::HevcWord},
    {RowImage::ChildLock, ":/images/child-lock-24x24.png", Strings::ChildLockWord},
    {RowImage::Epg, ":/images/epg-text-only-24x24.png", Strings::EpgLabel},
    {RowImage::Encrypted, ":/images/encrypted-sender-24x24.png", Strings::EncryptedWord},
    {RowImage::AnalogReception, ":/images/reception-analog-list-48x48.png", Strings::AnalogueWord},
    {RowImage::SatelliteReception, ":/images/reception-sattelite-list-48x48.png", Strings::SatelliteWord},
    {RowImage::TerrestrialReception, ":/images/reception-terrestrial-list-48x48.png", Strings::TerrestrialWord},
    {RowImage::CableReception, ":/images/reception-cable-list-48x48.png", Strings::CableWord},
    {RowImage::Favorite, ":/images/favorite-24x24.png", Strings::FavoriteWord},
};

constexpr int rowImageCount = int(RowImage::Favorite) + 1;

// The images with twice the pixels, for screens of more than one pixel per
// unit; a missing one leaves the plain image in its place.
QImage sharperImage(const char *path)
{
    QImage image(sharperImagePath(QLatin1String(path)));
    if (image.isNull())
        return QImage(QLatin1String(path));
    image.setDevicePixelRatio(2.0);
    return image;
}

QVector<QImage> loadRowImages(bool sharper)
{
    QVector<QImage> loaded(rowImageCount);
    for (const ImageEntry &entry : imageEntries)
        loaded[int(entry.image)] = sharper ? sharperImage(entry.path) : QImage(QLatin1String(entry.path));
    return loaded;
}

RowImage videoImage(uint8_t hiDef)
{
    switch (hiDef) {
    case 1:
    case 2:
        return RowImage::Hd;
    case 4:
        return RowImage::Hevc;
    default:
        return RowImage::None;
    }
}

// The reception image of a station type (ProgramDataByte): analogue,
// satellite, terrestrial or cable; none for every other type.
RowImage receptionImage(int programDataByte)
{
    switch (programDataByte) {
    case 1:
        return RowImage::AnalogReception;
    case 3:
    case 8:
        return RowImage::SatelliteReception;
    case 4:
    case 9:
        return RowImage::TerrestrialReception;
    case 5:
    case 10:
        return RowImage::CableReception;
    default:
        return RowImage::None;
    }
}

} // namespace

RowIcons rowIcons(const svl_station &station, bool favoriteMark)
{
    RowIcons icons;
    if (favoriteMark)
        icons.append({RowImage::Favorite, FavoriteOffset});
    const RowImage video = videoImage(station.HiDef);
    if (video != RowImage::None)
        icons.append({video, VideoOffset});
    if (station.childlock)
        icons.append({RowImage::ChildLock, ChildLockOffset});
    if (station.epg)
        icons.append({RowImage::Epg, EpgOffset});
    if (station.encrypted)
        icons.append({RowImage::Encrypted, EncryptedOffset});
    const RowImage reception = receptionImage(station.ProgramDataByte);
    if (reception != RowImage::None)
        icons.append({reception, ReceptionOffset});
    return icons;
}

const char *rowImagePath(RowImage image)
{
    for (const ImageEntry &entry : imageEntries) {
        if (entry.image == image)
            return entry.path;
    }
    return nullptr;
}

QString rowImageWord(RowImage image)
{
    for (const ImageEntry &entry : imageEntries) {
        if (entry.image == image)
            return Strings::text(entry.word);
    }
    return QString();
}

bool favoriteMarkShown(const StationTableWidget *tables, const StationListModel &model, const svl_station &station)
{
    if (!tables || station.version <= SVL_VERSION_40 || !svl_is_base_kind(model.listKind()))
        return false;
    const StationListWidget *favorites = tables->currentFavListWidget();
    return favorites && favorites->stationModel()->containsStation(&station);
}

// Every row paints several icons, so each image is decoded once and kept.
const QImage &rowImageData(RowImage image, qreal devicePixelRatio)
{
    static const QVector<QImage> plain = loadRowImages(false);
    static const QVector<QImage> sharper = loadRowImages(true);
    return (devicePixelRatio > 1.0 ? sharper : plain)[int(image)];
}

StationListDelegate::StationListDelegate(StationListModel *model, StationTableWidget *tableWidget,
                                         QObject *parent)
    : QStyledItemDelegate(parent),
      m_model(model),
      m_tableWidget(tableWidget),
      m_fittedMetrics(QFont())
{
}

bool StationListDelegate::isListView() const
{
    return m_model->columnCount() < 2;
}

QSize StationListDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return isListView() ? QSize(ListRowWidth, ListRowHeight) : QSize();
}

// Every colour comes from the view's palette, so that rows read as well in
// a dark desktop theme as in a light one.
void StationListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const QStyleOptionViewItem item(option);
    const bool selected = item.state & QStyle::State_Selected;
    painter->save();
    painter->fillRect(item.rect, item.palette.brush(QPalette::Current, backgroundRole(item)));
    if (isListView() && !selected)
        paintSeparator(painter, item, index);
    painter->setPen(item.palette.color(QPalette::Current, selected ? QPalette::HighlightedText : QPalette::Text));
    if (isListView())
        paintListRow(painter, item, index);
    else
        paintTableCell(painter, item, index);
    painter->restore();
}

QPalette::ColorRole StationListDelegate::backgroundRole(const QStyleOptionViewItem &option)
{
    if (option.state & QStyle::State_Selected)
        return QPalette::Highlight;
    return option.features & QStyleOptionViewItem::Alternate ? QPalette::AlternateBase : QPalette::Base;
}

// The cards of the list view are parted by a thin line; the last card
// needs none.
void StationListDelegate::paintSeparator(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.row() >= m_model->rowCount() - 1)
        return;
    const QRect &rect = option.rect;
    painter->save();
    painter->setPen(option.palette.color(QPalette::Current, QPalette::Midlight));
    painter->drawLine(rect.left() + SeparatorInset, rect.bottom(), rect.right() - SeparatorInset, rect.bottom());
    painter->restore();
}

void StationListDelegate::paintListRow(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    const QRect &rect = option.rect;
    const int textFlags = Qt::AlignVCenter | Qt::AlignLeft;
    painter->drawText(rect.adjusted(RowNumberLeft, 0, 0, 0), textFlags, QString::number(index.row() + 1));

    const svl_station *station = StationListModel::stationOf(m_model->data(index, Qt::UserRole));
    if (!station)
        return;

    // Long names are shortened before the icons rather than painted under them.
    const QRect nameRect(QPoint(rect.left() + NameLeft, rect.top()),
                         QPoint(rect.right() - FavoriteOffset - NameGap, rect.bottom()));
    const QString name = fittedText(m_model->fieldText(index), option.fontMetrics, nameRect.width());
    painter->drawText(nameRect, textFlags, name);

    // Images are placed by their size in units, whatever their pixels; a
    // pixel ratio between one and two scales the sharper ones down smoothly.
    const int centre = rect.top() + ListRowHeight / 2;
    const qreal ratio = painter->device()->devicePixelRatioF();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    for (const RowIcon &icon : rowIcons(*station, favoriteMark(*station))) {
        const QImage &image = rowImageData(icon.image, ratio);
        if (image.isNull())
            continue;
        const QSize size = image.size() / image.devicePixelRatio();
        painter->drawImage(QRect(QPoint(rect.right() - icon.rightOffset, centre - size.height() / 2), size), image);
    }
}

bool StationListDelegate::favoriteMark(const svl_station &station) const
{
    return favoriteMarkShown(m_tableWidget, *m_model, station);
}

void StationListDelegate::paintTableCell(QPainter *painter, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    // A text wider than its column ends in an ellipsis, so that a cut-off
    // value is never taken for a whole one.
    const QRect textRect = option.rect.adjusted(CellPadding, 0, -CellPadding, 0);
    const QString text = fittedText(m_model->fieldText(index), option.fontMetrics, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
}

// Whether a text fits its cell takes laying the text out, as long as drawing
// it, and a view asks again for every cell at every repaint, mostly for the
// same few texts ("---", option names, small numbers). The answer depends
// only on the text, the width and the font, so it is kept.
QString StationListDelegate::fittedText(const QString &text, const QFontMetrics &metrics, int width) const
{
    enum { KeptTexts = 8192 };
    if (metrics != m_fittedMetrics || m_fitted.size() >= KeptTexts) {
        m_fitted.clear();
        m_fittedMetrics = metrics;
    }
    const QPair<QString, int> key(text, width);
    auto kept = m_fitted.constFind(key);
    if (kept == m_fitted.constEnd())
        kept = m_fitted.insert(key, metrics.elidedText(text, Qt::ElideRight, width));
    return kept.value();
}
