#ifndef KANVIO_VIEWS_DROPINDICATOR_H
#define KANVIO_VIEWS_DROPINDICATOR_H

#include <QProxyStyle>

// The style of the station views: it draws the drop indicator as a marker
// line with a small circle between rows, or as a translucent box over the
// row a drop lands on, and leaves everything else to the wrapped style.
class DropIndicator : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps a new instance of the style named by key (as QStyleFactory knows
    // it), owned by this object, so that the application's own style is
    // never handed over to a view's proxy.
    explicit DropIndicator(const QString &key);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    static void drawDropIndicator(const QStyleOption *option, QPainter *painter);
};

#endif
