#include "views/symbol_images.h"

#include <QImage>
#include <QPixmap>

namespace {

// GNOME's ink, the colour tools/icons draws symbols in.
const QColor drawnInk(0x3d, 0x38, 0x46);
// How far a channel may stray from the ink and still count as ink: the
// edges of a symbol, stored with little opacity, keep their colour only
// roughly.
const int inkTolerance = 24;

bool isInk(QRgb pixel)
{
    return qAlpha(pixel) > 0 && qAbs(qRed(pixel) - drawnInk.red()) <= inkTolerance
        && qAbs(qGreen(pixel) - drawnInk.green()) <= inkTolerance
        && qAbs(qBlue(pixel) - drawnInk.blue()) <= inkTolerance;
}

// The other pixels keep their colour and take opacity times their own.
QPixmap recoloured(const QImage &image, const QColor &colour, qreal opacity)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = isInk(pixel) ? qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(pixel))
                                   : qRgba(qRed(pixel), qGreen(pixel), qBlue(pixel), qRound(qAlpha(pixel) * opacity));
        }
    }
    return QPixmap::fromImage(result);
}

} // namespace

QString sharperImagePath(const QString &path)
{
    QString sharper = path;
    sharper.insert(sharper.lastIndexOf(QLatin1Char('.')), QLatin1String("@2x"));
    return sharper;
}

// The reader takes the pixel ratio 2 from the "@2x" in the name, so the
// icon offers the twin for the same size in units.
QIcon symbolIcon(const QString &path, const QPalette &palette)
{
    const QColor normal = palette.color(QPalette::Active, QPalette::ButtonText);
    const QColor disabled = palette.color(QPalette::Disabled, QPalette::ButtonText);
    QIcon icon;
    for (const QString &file : {path, sharperImagePath(path)}) {
        const QImage image(file);
        if (image.isNull())
            continue;
        icon.addPixmap(recoloured(image, normal, 1.0), QIcon::Normal);
        icon.addPixmap(recoloured(image, disabled, 0.5), QIcon::Disabled);
    }
    return icon;
}
