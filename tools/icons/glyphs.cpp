#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const qreal strokeWidth = 2.0;

void useStroke(QPainter &painter)
{
    painter.setPen(QPen(painter.brush().color(), strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
}

void useFill(QPainter &painter, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
}

} // namespace

void paintSatelliteDish(QPainter &painter)
{
    const QColor colour = painter.brush().color();
    painter.save();

    // The bowl opens to the upper right, towards the sky; the feed arm
    // points from its centre to where the signal gathers.
    painter.save();
    painter.translate(7.5, 7.5);
    painter.rotate(45.0);
    QPainterPath bowl;
    bowl.moveTo(-7.0, -0.5);
    bowl.arcTo(QRectF(-7.0, -4.5, 14.0, 8.0), 180.0, 180.0);
    bowl.closeSubpath();
    useFill(painter, colour);
    painter.drawPath(bowl);
    painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0.0, -0.5), QPointF(0.0, -5.5));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(0.0, -6.0), 1.75, 1.75);
    painter.restore();

    useStroke(painter);
    painter.drawLine(QPointF(5.0, 11.0), QPointF(5.0, 14.5));
    painter.drawLine(QPointF(1.5, 15.0), QPointF(8.5, 15.0));
    painter.restore();
}

void paintAnalogTv(QPainter &painter)
{
    const QColor colour = painter.brush().color();
    painter.save();
    useStroke(painter);
    painter.drawRoundedRect(QRectF(1.0, 7.0, 14.0, 8.0), 2.0, 2.0);
    painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8.0, 6.0), QPointF(4.0, 1.5));
    painter.drawLine(QPointF(8.0, 6.0), QPointF(12.0, 1.5));
    useFill(painter, colour);
    painter.drawEllipse(QPointF(8.0, 6.0), 1.5, 1.0);
    painter.restore();
}

void paintCablePlug(QPainter &painter)
{
    const QColor colour = painter.brush().color();
    painter.save();
    useFill(painter, colour);
    painter.drawRoundedRect(QRectF(4.0, 4.0, 8.0, 2.0), 0.5, 0.5);
    painter.drawRoundedRect(QRectF(5.0, 6.5, 6.0, 4.5), 1.0, 1.0);
    painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8.0, 0.5), QPointF(8.0, 4.0));
    painter.setPen(QPen(colour, strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(8.0, 11.0);
    cable.cubicTo(8.0, 14.5, 12.0, 12.5, 13.5, 15.0);
    painter.drawPath(cable);
    painter.restore();
}

void paintTable(QPainter &painter)
{
    const QColor colour = painter.brush().color();
    painter.save();
    useFill(painter, colour);
    painter.drawRoundedRect(QRectF(1.0, 2.0, 14.0, 4.0), 2.0, 2.0);
    painter.drawRect(QRectF(1.0, 4.0, 14.0, 2.0));
    useStroke(painter);
    painter.drawRoundedRect(QRectF(2.0, 3.0, 12.0, 11.0), 1.5, 1.5);
    painter.drawLine(QPointF(6.5, 6.0), QPointF(6.5, 14.0));
    painter.drawLine(QPointF(2.0, 10.0), QPointF(14.0, 10.0));
    painter.restore();
}
