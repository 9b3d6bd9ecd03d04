#include "desktop_icons.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <cstdio>
#include <memory>

namespace {

const qreal grid = 64.0;
const QColor blue(0x35, 0x84, 0xe4);
const QColor white(0xff, 0xff, 0xff);
const QColor paper(0xfa, 0xfa, 0xfa);
const QColor paperEdge(0x9a, 0x99, 0x96);
const QColor paperFold(0xde, 0xdd, 0xda);
const QColor ink(0x3d, 0x38, 0x46);

const int pixelSizes[] = {16, 24, 32, 48, 64, 128, 256};
const char applicationName[] = "com.tavrel.Kanvio";

// The theme symbol with its one colour replaced, so that it renders as
// vector paths in that colour: recolouring pixels would leave an SVG icon
// with a bitmap inside.
std::shared_ptr<QSvgRenderer> recolouredSymbol(const QString &path, const QColor &colour)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QString svg = QString::fromUtf8(file.readAll());
    svg.replace(QRegularExpression(QStringLiteral("(fill[:=]\"?)#[0-9a-fA-F]{3,6}")),
                QStringLiteral("\\1") + colour.name());
    auto renderer = std::make_shared<QSvgRenderer>(svg.toUtf8());
    return renderer->isValid() ? renderer : nullptr;
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QLinearGradient tileGradient(const QRectF &rect, const QColor &colour)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, colour.lighter(115));
    gradient.setColorAt(1.0, colour.darker(110));
    return gradient;
}

// A TV whose screen shows a station list, on a blue tile filling the grid.
void paintApplication(QPainter &painter, QSvgRenderer &tv)
{
    const QRectF tile(3.0, 3.0, 58.0, 58.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tileGradient(tile, blue));
    painter.drawRoundedRect(tile, 13.0, 13.0);
    tv.render(&painter, QRectF(12.0, 13.0, 40.0, 40.0));
    painter.setBrush(white);
    for (int row = 0; row < 3; ++row) {
        const qreal y = 21.0 + row * 5.5;
        painter.drawEllipse(QPointF(21.0, y + 1.25), 1.5, 1.5);
        painter.drawRoundedRect(QRectF(25.0, y, 18.0 - row * 4.0, 2.5), 1.25, 1.25);
    }
}

// A sheet with a folded corner, the application's tile on it and the format
// version below.
void paintFileType(QPainter &painter, QSvgRenderer &tv, const QString &version)
{
    QPainterPath sheet;
    sheet.moveTo(11.5, 3.5);
    sheet.lineTo(41.5, 3.5);
    sheet.lineTo(53.5, 15.5);
    sheet.lineTo(53.5, 60.5);
    sheet.lineTo(11.5, 60.5);
    sheet.closeSubpath();
    painter.setPen(QPen(paperEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    painter.setBrush(paper);
    painter.drawPath(sheet);
    painter.setBrush(paperFold);
    painter.drawPolygon(QPolygonF({QPointF(41.5, 3.5), QPointF(41.5, 15.5), QPointF(53.5, 15.5)}));

    painter.save();
    painter.translate(18.5, 15.0);
    painter.scale(28.0 / grid, 28.0 / grid);
    paintApplication(painter, tv);
    painter.restore();

    // The version as outlines, so that the SVG needs no font.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    QPainterPath label;
    label.addText(0.0, 0.0, font, version);
    const QRectF bounds = label.boundingRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(label.translated(32.5 - bounds.center().x(), 52.5 - bounds.center().y()));
}

bool report(bool written, const QString &path)
{
    if (!written)
        std::fprintf(stderr, "kanvio-icons: cannot write %s\n", qPrintable(path));
    return written;
}

bool writeSvg(const VectorIcon &icon, const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return report(false, path);
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(QSize(int(grid), int(grid)));
    generator.setViewBox(QRectF(0.0, 0.0, grid, grid));
    QPainter painter(&generator);
    prepare(painter);
    icon(painter);
    return report(painter.end(), path);
}

bool writePng(const QImage &image, const QString &path)
{
    return report(QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG"), path);
}

// One icon of the theme: PNGs at every size and the SVG, under hicolor.
bool writeThemeIcon(const QDir &resources, const QString &context, const QString &name, const VectorIcon &icon)
{
    for (int size : pixelSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/").arg(size) + context;
        if (!writePng(iconImage(icon, size), resources.filePath(folder + QLatin1Char('/') + name + ".png")))
            return false;
    }
    return writeSvg(icon, resources.filePath(QStringLiteral("hicolor/scalable/") + context + QLatin1Char('/') + name
                                             + ".svg"));
}

VectorIcon fileTypeIcon(const QString &tvSymbol, const QString &version)
{
    const auto tv = recolouredSymbol(tvSymbol, white);
    return [tv, version](QPainter &painter) { paintFileType(painter, *tv, version); };
}

} // namespace

VectorIcon applicationIcon(const QString &tvSymbol)
{
    const auto tv = recolouredSymbol(tvSymbol, white);
    return [tv](QPainter &painter) { paintApplication(painter, *tv); };
}

QImage iconImage(const VectorIcon &icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    prepare(painter);
    painter.scale(size / grid, size / grid);
    icon(painter);
    return image;
}

bool writeDesktopIcons(const QDir &resources, const QString &tvSymbol)
{
    if (!recolouredSymbol(tvSymbol, white)) {
        std::fprintf(stderr, "kanvio-icons: cannot read %s\n", qPrintable(tvSymbol));
        return false;
    }
    return writeThemeIcon(resources, QStringLiteral("apps"), QLatin1String(applicationName), applicationIcon(tvSymbol))
        && writeThemeIcon(resources, QStringLiteral("mimetypes"), QStringLiteral("application-x-tavrel-svl40"),
                          fileTypeIcon(tvSymbol, QStringLiteral("4.0")))
        && writeThemeIcon(resources, QStringLiteral("mimetypes"), QStringLiteral("application-x-tavrel-svl50"),
                          fileTypeIcon(tvSymbol, QStringLiteral("5.0")));
}
