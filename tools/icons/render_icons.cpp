// Writes every image of the program into the given resources folder.
//
// Toolbar and menu symbols come from the Adwaita icon theme (GNOME Project,
// CC-BY-SA 3.0 or LGPL 3), recoloured; status marks and page tiles are
// composed around them so that the whole set shares one look.

#include "desktop_icons.h"
#include "glyphs.h"

#include <QDir>
#include <QDirIterator>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const char themeFolder[] = "/usr/share/icons/Adwaita/scalable";
const char badgeFont[] = "DejaVu Sans";
const char narrowBadgeFont[] = "DejaVu Sans Condensed";

// GNOME's palette, so that the colours match the theme's own.
const QColor ink(0x3d, 0x38, 0x46);
const QColor white(0xff, 0xff, 0xff);
const QColor blue(0x35, 0x84, 0xe4);
const QColor green(0x2e, 0xc2, 0x7e);
const QColor yellow(0xf5, 0xc2, 0x11);
const QColor orange(0xff, 0x78, 0x00);
const QColor red(0xe0, 0x1b, 0x24);
const QColor purple(0x91, 0x41, 0xac);
const QColor teal(0x21, 0x90, 0xa4);
const QColor slate(0x5e, 0x5c, 0x64);
const QColor navy(0x1a, 0x5f, 0xb4);
const QColor brown(0x98, 0x6a, 0x44);

const int toolSize = 24;
const int toolGlyphSize = 22;
const int tileImageSize = 48;
const int tileSize = 36;
const int tileGlyphSize = 24;

using GlyphPainter = std::function<void(QPainter &)>;

// Every image is written twice: as its name gives it, and with twice the
// pixels for high-resolution screens ("@2x"). Sizes and coordinates stay in
// the units of the first, so both passes draw the same picture.
const qreal pixelRatios[] = {1.0, 2.0};
qreal pixelRatio = 1.0;

QImage emptyImage(int size)
{
    const int pixels = qRound(size * pixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    return image;
}

QRectF imageRect(const QPointF &topLeft, const QImage &image)
{
    return QRectF(topLeft, QSizeF(image.size()) / image.devicePixelRatio());
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QString themeFile(const QString &name)
{
    const QString fileName = name + QLatin1String("-symbolic.svg");
    QDirIterator files(QLatin1String(themeFolder), QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        if (files.fileName() == fileName)
            return files.filePath();
    }
    return QString();
}

// The file of a theme symbol; an unknown name is fatal, since a silently
// missing symbol would ship an empty icon.
QString requiredThemeFile(const QString &name)
{
    const QString path = themeFile(name);
    if (path.isEmpty()) {
        std::fprintf(stderr, "kanvio-icons: theme symbol not found: %s\n", qPrintable(name));
        std::exit(1);
    }
    return path;
}

GlyphPainter themeSymbol(const QString &name)
{
    const QString path = requiredThemeFile(name);
    return [path](QPainter &painter) {
        QSvgRenderer renderer(path);
        renderer.render(&painter, QRectF(0.0, 0.0, 16.0, 16.0));
    };
}

// Draws a glyph of the 16-unit grid at the given size in one colour.
QImage glyphImage(const GlyphPainter &paintGlyph, int size, const QColor &colour)
{
    QImage image = emptyImage(size);
    QPainter painter(&image);
    prepare(painter);
    painter.scale(size / 16.0, size / 16.0);
    painter.setBrush(colour);
    paintGlyph(painter);
    painter.resetTransform();
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), colour);
    return image;
}

void drawCentred(QPainter &painter, const QImage &image, const QPointF &centre)
{
    QRectF rect = imageRect(QPointF(), image);
    rect.moveCenter(centre);
    painter.drawImage(rect, image);
}

QImage toolIcon(const GlyphPainter &glyph, const QColor &colour = ink)
{
    QImage image = emptyImage(toolSize);
    QPainter painter(&image);
    prepare(painter);
    drawCentred(painter, glyphImage(glyph, toolGlyphSize, colour), QPointF(toolSize / 2.0, toolSize / 2.0));
    return image;
}

void paintPlus(QPainter &painter)
{
    painter.setPen(QPen(painter.brush().color(), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8.0, 3.5), QPointF(8.0, 12.5));
    painter.drawLine(QPointF(3.5, 8.0), QPointF(12.5, 8.0));
}

void paintArrow(QPainter &painter, bool down)
{
    painter.setPen(QPen(painter.brush().color(), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal tip = down ? 12.5 : 3.5;
    const qreal tail = down ? 3.5 : 12.5;
    const qreal wing = down ? 8.5 : 7.5;
    painter.drawLine(QPointF(8.0, tail), QPointF(8.0, tip));
    painter.drawPolyline(QPolygonF({ QPointF(4.0, wing), QPointF(8.0, tip), QPointF(12.0, wing) }));
}

// A tool symbol with a small round sign in its lower right corner, cut
// free of the symbol so that both stay legible at 24 pixels.
QImage toolIconWithSign(const GlyphPainter &glyph, const QColor &signColour, const GlyphPainter &sign)
{
    QImage image = emptyImage(toolSize);
    QPainter painter(&image);
    prepare(painter);
    const QImage symbol = glyphImage(glyph, toolGlyphSize, ink);
    painter.drawImage(imageRect(QPointF(0.0, 0.0), symbol), symbol);
    const QPointF centre(17.5, 17.5);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, 7.0, 7.0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(signColour);
    painter.drawEllipse(centre, 5.75, 5.75);
    drawCentred(painter, glyphImage(sign, 9, white), centre);
    return image;
}

QPainterPath roundedSquare(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QLinearGradient tileGradient(const QRectF &rect, const QColor &colour)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, colour.lighter(115));
    gradient.setColorAt(1.0, colour.darker(110));
    return gradient;
}

// A status mark of the station list: white text on a coloured plate.
QImage textMark(const QString &text, const QColor &colour, const char *family, int pixelSize)
{
    QImage image = emptyImage(toolSize);
    QPainter painter(&image);
    prepare(painter);
    const QRectF plate(0.5, 4.5, 23.0, 15.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tileGradient(plate, colour));
    painter.drawPath(roundedSquare(plate, 3.5));
    QFont font{ QString::fromLatin1(family) };
    font.setPixelSize(pixelSize);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(white);
    painter.drawText(plate, Qt::AlignCenter, text);
    return image;
}

// A status mark of the station list: a white symbol on a coloured plate.
QImage symbolMark(const GlyphPainter &glyph, const QColor &colour)
{
    QImage image = emptyImage(toolSize);
    QPainter painter(&image);
    prepare(painter);
    const QRectF plate(1.5, 1.5, 21.0, 21.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tileGradient(plate, colour));
    painter.drawPath(roundedSquare(plate, 5.0));
    drawCentred(painter, glyphImage(glyph, 16, white), plate.center());
    return image;
}

// A page or reception image: a white symbol on a coloured tile, small enough
// to fit a 38-pixel list row although the image is 48 pixels square.
QImage tileIcon(const GlyphPainter &glyph, const QColor &colour)
{
    QImage image = emptyImage(tileImageSize);
    QPainter painter(&image);
    prepare(painter);
    const qreal margin = (tileImageSize - tileSize) / 2.0;
    const QRectF tile(margin, margin, tileSize, tileSize);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tileGradient(tile, colour));
    painter.drawPath(roundedSquare(tile, 8.0));
    drawCentred(painter, glyphImage(glyph, tileGlyphSize, white), tile.center());
    return image;
}

struct ImageFile {
    const char *path;
    std::function<QImage()> draw;
};

GlyphPainter arrow(bool down)
{
    return [down](QPainter &painter) { paintArrow(painter, down); };
}

std::vector<ImageFile> imageFiles()
{
    const auto theme = themeSymbol;
    return {
        { "images/new-24x24.png", [=] { return toolIcon(theme("document-new")); } },
        { "images/open-24x24.png", [=] { return toolIcon(theme("document-open")); } },
        { "images/save-24x24.png", [=] { return toolIcon(theme("document-save")); } },
        { "images/exportcsv-24x24.png", [=] { return toolIcon(theme("x-office-spreadsheet")); } },
        { "images/printer-24x24.png", [=] { return toolIcon(theme("document-print")); } },
        { "images/import-24x24.png", [=] { return toolIconWithSign(theme("tv"), green, arrow(true)); } },
        { "images/export-24x24.png", [=] { return toolIconWithSign(theme("tv"), blue, arrow(false)); } },
        { "images/add-table-24x24.png", [=] { return toolIconWithSign(theme("view-list"), green, paintPlus); } },
        { "images/undo-24x24.png", [=] { return toolIcon(theme("edit-undo")); } },
        { "images/redo-24x24.png", [=] { return toolIcon(theme("edit-redo")); } },
        { "images/options-24x24.png", [=] { return toolIcon(theme("document-properties")); } },
        { "images/copy-24x24.png", [=] { return toolIcon(theme("edit-copy")); } },
        { "images/remove-24x24.png", [=] { return toolIcon(theme("edit-delete")); } },
        { "images/search-24x24.png", [=] { return toolIcon(theme("edit-find")); } },
        { "images/view-side-by-side-24x24.png", [=] { return toolIcon(theme("view-dual")); } },
        { "images/view-as-table-24x24.png", [=] { return toolIcon(paintTable); } },
        { "images/child-lock-24x24.png", [=] { return symbolMark(theme("system-lock-screen"), orange); } },
        { "images/epg-text-only-24x24.png", [=] { return textMark(QStringLiteral("EPG"), green, narrowBadgeFont, 10); } },
        { "images/encrypted-sender-24x24.png", [=] { return symbolMark(theme("dialog-password"), red); } },
        { "images/hd-24x24.png", [=] { return textMark(QStringLiteral("HD"), blue, badgeFont, 11); } },
        { "images/hevc-24x24.png", [=] { return textMark(QStringLiteral("HEVC"), purple, narrowBadgeFont, 8); } },
        { "images/favorite-24x24.png", [=] { return toolIcon(theme("starred"), yellow); } },
        { "images/tv-48x48.png", [=] { return tileIcon(theme("tv"), blue); } },
        { "images/system-settings-48x48.png", [=] { return tileIcon(theme("emblem-system"), slate); } },
        { "images/reception-general-48x48.png", [=] { return tileIcon(theme("network-wireless"), navy); } },
        { "images/reception-48x48.png", [=] { return tileIcon(theme("network-transmit-receive"), purple); } },
        { "images/reception-analog-list-48x48.png", [=] { return tileIcon(paintAnalogTv, brown); } },
        { "images/reception-sattelite-list-48x48.png", [=] { return tileIcon(paintSatelliteDish, orange); } },
        { "images/reception-terrestrial-list-48x48.png", [=] { return tileIcon(theme("network-cellular"), green); } },
        { "images/reception-cable-list-48x48.png", [=] { return tileIcon(paintCablePlug, teal); } },
        { "iconset/icon_64x64.png", [] { return iconImage(applicationIcon(requiredThemeFile(QStringLiteral("tv"))), qRound(64 * pixelRatio)); } },
    };
}

// The file of an image at the current pixel ratio: "name@2x.png" beside
// "name.png".
QString imagePath(const QDir &resources, const ImageFile &file)
{
    QString path = resources.filePath(QLatin1String(file.path));
    if (pixelRatio != 1.0)
        path.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(pixelRatio));
    return path;
}

bool writeImage(const QDir &resources, const ImageFile &file)
{
    const QString path = imagePath(resources, file);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.draw().save(path, "PNG")) {
        std::fprintf(stderr, "kanvio-icons: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kanvio-icons RESOURCES-FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    for (const qreal ratio : pixelRatios) {
        pixelRatio = ratio;
        for (const ImageFile &file : imageFiles()) {
            if (!writeImage(resources, file))
                return 1;
        }
    }
    return writeDesktopIcons(resources, requiredThemeFile(QStringLiteral("tv"))) ? 0 : 1;
}
