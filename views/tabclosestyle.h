#ifndef KANVIO_VIEWS_TABCLOSESTYLE_H
#define KANVIO_VIEWS_TABCLOSESTYLE_H

#include <QProxyStyle>

// The style of the favorite tabs' close buttons. The styles draw them from
// a small dark picture, which is lost on a dark theme and blurred on a
// screen of scale 2; this one draws a cross of lines in the palette's button
// text colour, fainter on the tabs behind, on the highlight while the
// pointer is over it, and leaves everything else to the wrapped style.
class TabCloseStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps a new instance of the style named by key (as QStyleFactory knows
    // it), owned by this object.
    explicit TabCloseStyle(const QString &key);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    static void drawCross(const QStyleOption *option, QPainter *painter);
};

#endif
