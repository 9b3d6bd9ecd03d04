// The output functions over a list: CSV bytes and printed pages, the pages
// read back from a PDF with pdftotext.
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

#include "output/csv_export.h"
#include "output/list_printer.h"
#include "svl/svl_ops.h"

namespace {

// Names with their CharSelCode; a null name is a slot without a station.
using Names = QVector<QPair<int, QByteArray>>;

// A list that owns its stations.
class OwnedList
{
public:
    explicit OwnedList(const Names &names)
    {
        for (const auto &name : names) {
            svl_station *station = nullptr;
            if (!name.second.isNull()) {
                station = svl_new_station(SVL_VERSION_50);
                station->CharSelCode = uint8_t(name.first);
                svl_set_station_name(station, name.second.constData());
            }
            svl_append_station(m_list, station);
        }
    }
    ~OwnedList() { svl_free_list(m_list, 1); }
    const svl_list *list() const { return m_list; }

private:
    svl_list *m_list = svl_new_list("ALL_TV", SVL_KIND_TV, SVL_ATTR_BASE);
};

// Stations named "S" and their position, every seventh slot empty.
Names numberedNames(int count)
{
    Names names;
    for (int i = 1; i <= count; ++i)
        names.append({5, i % 7 == 3 ? QByteArray() : "S" + QByteArray::number(i)});
    return names;
}

struct Word {
    double x, y;
    QString text;
};
using Page = QVector<Word>;

// The words of every page of the PDF, by pdftotext, with their positions.
QVector<Page> readPdf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished();
    QVector<Page> pages;
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>(.*)</word>"));
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            pages.append(Page());
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch() && !pages.isEmpty())
            pages.last().append({match.captured(1).toDouble(), match.captured(2).toDouble(), match.captured(3)});
    }
    return pages;
}

} // namespace

class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes_data();
    void csvBytes();
    void printedPages_data();
    void printedPages();
};

void TestOutput::csvBytes_data()
{
    QTest::addColumn<Names>("names");
    QTest::addColumn<QByteArray>("csv");
    QTest::newRow("empty list") << Names() << QByteArray();
    QTest::newRow("every character set")
        << Names{{0, "Z\xC8urich \"Q\", 1"}, {1, "\xBF\xD5\xE0\xD2\xEB\xD9"}, {0, QByteArray()},
                                           {2, "\xC7\xE4\xCC"}, {3, "\xC5\xD1\xD4"}, {4, "\xF2\xF8\xE5"},
                                           {5, "\xD0\xDD\xFE"}, {22, "\xA3\xF3" "d\xBC"}}
        << QString::fromUtf8("1,\"Zürich \"\"Q\"\", 1\"\r\n2,\"Первый\"\r\n4,\"الج\"\r\n5,\"ΕΡΤ\"\r\n"
                             "6,\"ערו\"\r\n7,\"Ğİş\"\r\n8,\"Łódź\"\r\n").toUtf8();
}

// Quotes inside a name are doubled, the slot without a station keeps its
// number, every line ends in CR LF, and the bytes are UTF-8 without a BOM.
void TestOutput::csvBytes()
{
    QFETCH(Names, names);
    QFETCH(QByteArray, csv);
    QCOMPARE(::csvBytes(OwnedList(names).list()), csv);
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

// Numbers run down each column, then across, page after page, each with
// its name; slots without a station keep their numbers. The title heads
// page 1, and every page ends in it and "- N -".
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
    const OwnedList list(numberedNames(stations));
    QCOMPARE(printStationList(&printer, QStringLiteral("Title"), list.list()), pages);

    const QVector<Page> printed = readPdf(printer.outputFileName());
    QCOMPARE(printed.size(), pages);
    int expected = 1;
    for (int page = 0; page < pages; ++page) {
        Page words = printed[page];
        std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) { return a.y < b.y; });
        if (page == 0)
            QCOMPARE(words.first().text, QStringLiteral("Title"));
        QStringList footer;
        for (const Word &word : words) {
            if (word.y > words.last().y - 1)
                footer << word.text;
        }
        QCOMPARE(footer, QStringList({"Title", "-", QString::number(page + 1), "-"}));
        QMap<QPair<double, double>, QString> names;  // by column, then line
        QSet<double> left;
        for (const Word &word : words) {
            if (!word.text.startsWith(QLatin1Char('S')))
                continue;
            const QString number = word.text.mid(1);
            QVERIFY(std::any_of(words.begin(), words.end(), [&](const Word &other) {
                return other.text == number && qAbs(other.y - word.y) < 1 && other.x < word.x;
            }));
            names.insert({word.x, word.y}, number);
            left.insert(word.x);
        }
        if (page + 1 < pages)
            QCOMPARE(left.size(), columns);
        for (const QString &number : names) {
            expected += expected % 7 == 3;
            QCOMPARE(number.toInt(), expected++);
        }
    }
    QCOMPARE(expected + (expected % 7 == 3), stations + 1);
}

QTEST_MAIN(TestOutput)
#include "test_output.moc"
