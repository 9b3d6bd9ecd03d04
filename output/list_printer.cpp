#include "output/list_printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include "fields/station_fields.h"
#include "svl/svl.h"

namespace {

// Layout units per millimetre at screen resolution (96 / 25.4).
constexpr double UnitsPerMm = 3.78;
constexpr double LeftMargin = 25 * UnitsPerMm;
constexpr double TopMargin = 15 * UnitsPerMm;
// The right and bottom margins are 15 and 20 mm.
constexpr double HorizontalMargins = 40 * UnitsPerMm;
constexpr double VerticalMargins = 35 * UnitsPerMm;
constexpr double TitleGap = 5 * UnitsPerMm;
constexpr double LineSpacing = 2 * UnitsPerMm;
constexpr int ColumnCharacters = 32;
// Boxes that reach as far as text may go; the column's clip cuts them.
constexpr int Unbounded = 32767;
// The clip of every column starts here, just above the top margin.
constexpr int ClipTop = 56;

const QFont &titleFont()
{
    static const QFont font(QStringLiteral("Arial"), 16, QFont::Bold, true);
    return font;
}

const QFont &entryFont()
{
    static const QFont font(QStringLiteral("Arial"), 12);
    return font;
}

const QFont &footerFont()
{
    static const QFont font(QStringLiteral("Arial"), 10);
    return font;
}

// Walks the entries of one list onto the pages of one painter.
class ListPrinter
{
public:
    ListPrinter(QPrinter *printer, QPainter *painter, const QString &title);
    int print(const svl_list *list);

private:
    void beginPage(bool first);
    void beginColumn();
    void drawEntry(uint32_t position, const svl_station *station);
    bool columnFull() const;
    void finishPage();

    QPrinter *m_printer;
    QPainter *m_painter;
    QString m_title;
    double m_width;   // usable width of a page
    double m_height;  // usable height of a page
    QFontMetricsF m_entryMetrics;
    double m_columnWidth = 0;
    double m_digitWidth = 0;
    double m_top = 0;     // top of the entries on this page
    double m_bottom = 0;  // height of the entries' area on this page
    double m_x = 0;
    double m_y = 0;
    int m_page = 0;
};

ListPrinter::ListPrinter(QPrinter *printer, QPainter *painter, const QString &title)
    : m_printer(printer),
      m_painter(painter),
      m_title(title),
      m_entryMetrics(entryFont(), printer)
{
    const QRectF page = printer->pageRect(QPrinter::Millimeter);
    m_width = UnitsPerMm * page.width() - HorizontalMargins;
    m_height = UnitsPerMm * page.height() - VerticalMargins;
    // A page narrower than one column still gets one, cut at its edge.
    const int columns = qMax(1, int(m_width / (ColumnCharacters * m_entryMetrics.averageCharWidth())));
    m_columnWidth = m_width / columns - 1;
    m_digitWidth = m_entryMetrics.horizontalAdvance(QLatin1Char('0'));
}

int ListPrinter::print(const svl_list *list)
{
    bool newPage = true;
    for (uint32_t i = 0; i < list->count; ++i) {
        if (newPage)
            beginPage(i == 0);
        newPage = false;
        drawEntry(i + 1, list->stations[i]);
        const bool last = i + 1 == list->count;
        if (!last && !columnFull())
            continue;
        m_x += m_columnWidth;
        if (!last && m_x + m_columnWidth < LeftMargin + m_width) {
            beginColumn();
            continue;
        }
        finishPage();
        if (!last)
            m_printer->newPage();
        newPage = true;
    }
    return m_page;
}

// The first page carries the title above its columns.
void ListPrinter::beginPage(bool first)
{
    ++m_page;
    m_top = TopMargin;
    if (first) {
        const QFontMetricsF title(titleFont(), m_printer);
        m_painter->setFont(titleFont());
        const int halfTitle = int(title.horizontalAdvance(m_title)) / 2;
        m_painter->drawText(QPointF(LeftMargin + m_width * 0.5 - halfTitle, TopMargin + title.ascent()), m_title);
        m_top += title.height() + TitleGap;
    }
    const QFontMetricsF footer(footerFont(), m_printer);
    m_bottom = (m_height + TopMargin) - (footer.height() + TitleGap) - m_top;
    m_painter->setFont(entryFont());
    m_x = LeftMargin;
    beginColumn();
}

// Names too long for their column are cut at its right edge.
void ListPrinter::beginColumn()
{
    m_y = m_top + m_entryMetrics.ascent();
    m_painter->setClipRect(QRect(int(m_x), ClipTop, int(m_columnWidth), int(m_height)));
    m_painter->setClipping(true);
}

void ListPrinter::drawEntry(uint32_t position, const svl_station *station)
{
    if (!station)
        return;
    const QRect number(int(m_x - 2 * m_digitWidth), int(m_y), int(6 * m_digitWidth), Unbounded);
    m_painter->drawText(number, Qt::AlignRight | Qt::AlignTop, QString::number(position));
    const QRect name(int(m_x + 6 * m_digitWidth), int(m_y), Unbounded, Unbounded);
    m_painter->drawText(name, Qt::AlignLeft | Qt::AlignTop, stationNameText(station));
    m_y += m_entryMetrics.height() + LineSpacing;
}

bool ListPrinter::columnFull() const
{
    return m_y > m_top + m_bottom - m_entryMetrics.descent();
}

void ListPrinter::finishPage()
{
    m_painter->setClipping(false);
    m_painter->setFont(footerFont());
    const QFontMetricsF footer(footerFont(), m_printer);
    const double baseline = TopMargin + m_height - footer.descent();
    m_painter->drawText(QPointF(LeftMargin, baseline), m_title);
    const QString pageText = QStringLiteral("- %1 -").arg(m_page);
    m_painter->drawText(QPointF(LeftMargin + m_width - footer.horizontalAdvance(pageText), baseline), pageText);
    m_painter->setFont(entryFont());
}

} // namespace

int printStationList(QPrinter *printer, const QString &title, const svl_list *list)
{
    QPainter painter;
    if (!printer || !painter.begin(printer))
        return -1;
    const int pages = list ? ListPrinter(printer, &painter, title).print(list) : 0;
    if (!painter.end() || printer->printerState() == QPrinter::Error)
        return -1;
    return pages;
}
