#include "views/tabclosestyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

// How faint the cross of a tab behind the current one is.
const qreal behindOpacity = 0.6;

} // namespace

TabCloseStyle::TabCloseStyle(const QString &key)
    : QProxyStyle(key)
{
}

void TabCloseStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (element == PE_IndicatorTabClose)
        drawCross(option, painter);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void TabCloseStyle::drawCross(const QStyleOption *option, QPainter *painter)
{
    const bool pointed = option->state & (State_Raised | State_Sunken);
    const qreal side = qMin(option->rect.width(), option->rect.height()) - 2;
    QRectF box(0, 0, side, side);
    box.moveCenter(QRectF(option->rect).center());
    QColor ink = option->palette.color(pointed ? QPalette::HighlightedText : QPalette::ButtonText);
    if (!pointed && !(option->state & State_Selected))
        ink.setAlphaF(behindOpacity);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (pointed) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(option->palette.color(QPalette::Highlight));
        painter->drawRoundedRect(box, 3, 3);
    }
    const qreal inset = side * 0.3;
    const QRectF cross = box.adjusted(inset, inset, -inset, -inset);
    painter->setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter->drawLine(cross.topLeft(), cross.bottomRight());
    painter->drawLine(cross.topRight(), cross.bottomLeft());
    painter->restore();
}
