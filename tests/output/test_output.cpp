// The output functions over a list: CSV bytes, and printed pages read back
// from a PDF file with pdftotext.
#include <QPrinter>
#include <QtTest>

#include "output/csv_export.h"
#include "output/list_printer.h"
#include "tests/views/test_stationlistwidget_support.h"

namespace {

// Names with their CharSelCode; a null name is a slot without a station.
using Names = QVector<QPair<int, QByteArray>>;

void fill(viewsupport::HandTable *hand, const Names &names)
{
    for (const auto &name : names) {
        if (name.second.isNull())
            svl_append_station(hand->base(), nullptr);
        else
            hand->addStation(name.second)->CharSelCode = uint8_t(name.first);
    }
}

// The text of every page, laid out as printed.
QStringList readPdf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished();
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();  // what follows the last page
    return pages;
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes();
    void printedPages_data();
    void printedPages();
};

// Quotes inside a name are doubled, the slot without a station keeps its
// number, every line ends in CR LF, and the bytes are UTF-8 without a BOM.
void TestOutput::csvBytes()
{
    viewsupport::HandTable hand;
    QCOMPARE(::csvBytes(hand.base()), QByteArray());
    fill(&hand, {{0, "Z\xC8urich \"Q\", 1"}, {1, "\xBF\xD5\xE0\xD2\xEB\xD9"}, {0, QByteArray()}, {2, "\xC7\xE4\xCC"},
                 {3, "\xC5\xD1\xD4"}, {4, "\xF2\xF8\xE5"}, {5, "\xD0\xDD\xFE"}, {22, "\xA3\xF3" "d\xBC"}});
    QCOMPARE(::csvBytes(hand.base()), QString::fromUtf8("1,\"Zürich \"\"Q\"\", 1\"\r\n2,\"Первый\"\r\n4,\"الج\"\r\n"
                                                        "5,\"ΕΡΤ\"\r\n6,\"ערו\"\r\n7,\"Ğİş\"\r\n8,\"Łódź\"\r\n").toUtf8());
}

void TestOutput::printedPages_data()
{
    QTest::addColumn<int>("stations");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("pages");
    QTest::newRow("1,000 stations on A4") << 1000 << QSizeF(210, 297) << 2 << 13;
    QTest::newRow("a page narrower than a column") << 60 << QSizeF(100, 150) << 1 << 4;
}

// Numbers run down each column, then across, page after page, each beside
// its name; every seventh slot holds no station and keeps its number. The
// title heads page 1, and every page ends in it and "- N -".
void TestOutput::printedPages()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QFETCH(int, stations);
    QFETCH(QSizeF, paper);
    QFETCH(int, columns);
    QFETCH(int, pages);
    const QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFileName(dir.filePath(QStringLiteral("list.pdf")));
    printer.setPageSize(QPageSize(paper, QPageSize::Millimeter));
    viewsupport::HandTable hand;
    for (int i = 1; i <= stations; ++i)
        fill(&hand, {{5, i % 7 == 3 ? QByteArray() : "S" + QByteArray::number(i)}});
    QCOMPARE(printStationList(&printer, QStringLiteral("Title"), hand.base()), pages);
    // A file that cannot be written is a failure, not an empty print.
    QPrinter unwritable(QPrinter::ScreenResolution);
    unwritable.setOutputFileName(dir.filePath(QStringLiteral("missing/list.pdf")));
    QCOMPARE(printStationList(&unwritable, QStringLiteral("Title"), hand.base()), -1);

    const QStringList printed = readPdf(printer.outputFileName());
    QCOMPARE(printed.size(), pages);
    static const QRegularExpression entry(QStringLiteral("(\\d+) +S(\\d+)"));
    int expected = 1;
    for (int page = 0; page < pages; ++page) {
        QStringList lines = printed[page].split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("\\S")));
        if (page == 0)
            QCOMPARE(lines.takeFirst().trimmed(), QStringLiteral("Title"));
        QCOMPARE(lines.takeLast().remove(QLatin1Char(' ')), QStringLiteral("Title-%1-").arg(page + 1));
        QVector<QStringList> numbers(columns);  // by column, then line
        for (const QString &line : lines) {
            int column = 0;
            for (auto match = entry.globalMatch(line); match.hasNext(); ++column) {
                const QRegularExpressionMatch found = match.next();
                QVERIFY(column < columns);
                QCOMPARE(found.captured(1), found.captured(2));
                numbers[column] << found.captured(1);
            }
        }
        QVERIFY(page + 1 == pages || !numbers.last().isEmpty());
        for (const QStringList &column : numbers) {
            for (const QString &number : column) {
                expected += expected % 7 == 3;
                QCOMPARE(number.toInt(), expected++);
            }
        }
    }
    QCOMPARE(expected + (expected % 7 == 3), stations + 1);
}

QTEST_MAIN(TestOutput)
#include "test_output.moc"
