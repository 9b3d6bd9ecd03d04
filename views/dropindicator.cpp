#include "views/dropindicator.h"

#include <QPainter>
#include <QStyleOption>

DropIndicator::DropIndicator(const QString &key)
    : QProxyStyle(key)
{
}

void DropIndicator::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (element == PE_IndicatorItemViewItemDrop)
        drawDropIndicator(option, painter);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// A zero-height rectangle means a drop between two rows.
void DropIndicator::drawDropIndicator(const QStyleOption *option, QPainter *painter)
{
    const QColor colour = option->palette.brush(QPalette::Current, QPalette::Highlight).color();
    QColor fill = colour;
    fill.setAlpha(50);
    painter->save();
    painter->setPen(QPen(colour, 2));
    painter->setBrush(QBrush(fill, Qt::SolidPattern));
    painter->setRenderHint(QPainter::Antialiasing, true);

    const QRect &rect = option->rect;
    if (rect.height() == 0) {
        painter->drawEllipse(QRect(QPoint(rect.left() - 5, rect.top() - 5), QPoint(rect.left() + 4, rect.top() + 4)));
        painter->drawLine(QPoint(rect.left() + 5, rect.top()), QPoint(rect.right(), rect.top()));
    } else {
        painter->drawRect(rect);
    }
    painter->restore();
}
