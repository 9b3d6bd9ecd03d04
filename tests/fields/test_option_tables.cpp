#include "fields/option_tables.h"
#include "fields/option_tables_internal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QScopedPointer>
#include <QTranslator>
#include <QtTest>

namespace {

// Translates one option name in the generic context, as a catalogue that
// carried option names would.
class OptionNameTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        const bool qpsk = QLatin1String(context) == QLatin1String("QObject")
            && QLatin1String(sourceText) == QLatin1String("QPSK");
        return qpsk ? QStringLiteral("QPSK (translated)") : QString();
    }

    bool isEmpty() const override { return false; }
};

} // namespace

class TestOptionTables : public QObject
{
    Q_OBJECT

private slots:
    void namesByValue();
    void unknownTableOrValueGivesNothing();
    void namesFollowInstalledTranslator();
    void parserReadsTables_data();
    void parserReadsTables();
};

// The settings dialog shows the combo box, the table view the text lookup:
// for every table of the program's document both name every value alike.
void TestOptionTables::namesByValue()
{
    QFile file(QStringLiteral(":/svl_station_options.xml"));
    OptionTableMap tables;
    QVERIFY(file.open(QIODevice::ReadOnly) && parseOptionTables(file.readAll(), &tables));
    QVERIFY(tables.contains(QStringLiteral("CharSelCode")));
    for (auto table = tables.cbegin(); table != tables.cend(); ++table) {
        QScopedPointer<QComboBox> box(createOptionComboBox(table.key()));
        QVERIFY(box && !box->parent());
        QCOMPARE(box->count(), table.value().size());
        for (int v = 0; v < box->count(); ++v) {
            QCOMPARE(box->itemText(v), table.value()[v]);
            QCOMPARE(optionText(table.key(), v), box->itemText(v));
        }
    }
}

// A name that differs in case and the document's root element are no
// tables; a known table has no negative values.
void TestOptionTables::unknownTableOrValueGivesNothing()
{
    for (const QString table : {"modulation", "svl_options"}) {
        QCOMPARE(optionText(table, 0), QString());
        QVERIFY(QScopedPointer<QComboBox>(createOptionComboBox(table)).isNull());
    }
    QCOMPARE(optionText(QStringLiteral("Satellite"), -1), QString());
}

// Names are kept between lookups; a translator installed or removed later
// must still be seen.
void TestOptionTables::namesFollowInstalledTranslator()
{
    const QString table = QStringLiteral("SatModulation");
    QCOMPARE(optionText(table, 1), QStringLiteral("QPSK"));
    OptionNameTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCOMPARE(optionText(table, 1), QStringLiteral("QPSK (translated)"));
    QCOMPARE(optionText(table, 2), QStringLiteral("8PSK"));
    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCOMPARE(optionText(table, 1), QStringLiteral("QPSK"));
}

// Comments are ignored, a table ends at its first element that is not an
// option, and of two tables with one name the first counts. A document of
// another kind or version gives no tables at all.
void TestOptionTables::parserReadsTables_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<OptionTableMap>("tables");
    const QByteArray cti("<CTI><option>On</option></CTI>");
    QTest::newRow("version 4.0") << "<svl_options version=\"4.0\">" + cti + "</svl_options>" << false << OptionTableMap();
    QTest::newRow("no version") << "<svl_options>" + cti + "</svl_options>" << false << OptionTableMap();
    QTest::newRow("other root") << "<options version=\"5.0\">" + cti + "</options>" << false << OptionTableMap();
    QTest::newRow("tables") << QByteArray("<?xml version=\"1.0\"?>\n<!-- heading -->\n<svl_options version=\"5.0\">\n"
                                          "  <CTI><option>General</option><!-- note --><option>On</option></CTI>\n"
                                          "  <VCR><option>Off</option><note/><option>ignored</option></VCR>\n"
                                          "  <CTI><option>second table of the same name</option></CTI>\n"
                                          "</svl_options>\n")
                            << true << OptionTableMap{{"CTI", {"General", "On"}}, {"VCR", {"Off"}}};
}

void TestOptionTables::parserReadsTables()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, accepted);
    QFETCH(OptionTableMap, tables);
    OptionTableMap read{{QStringLiteral("stale"), {QStringLiteral("left over")}}};
    QCOMPARE(parseOptionTables(document, &read), accepted);
    QCOMPARE(read, tables);
}

QTEST_MAIN(TestOptionTables)
#include "test_option_tables.moc"
