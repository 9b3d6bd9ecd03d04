#include "options/option_tables.h"
#include "options/option_tables_internal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QScopedPointer>
#include <QTranslator>
#include <QtTest>

namespace {

// Translates one option name in the generic context, like a catalogue that
// carried option names would.
class OptionNameTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        if (QLatin1String(context) == QLatin1String("QObject")
            && QLatin1String(sourceText) == QLatin1String("QPSK"))
            return QStringLiteral("QPSK (translated)");
        return QString();
    }

    bool isEmpty() const override { return false; }
};

}  // namespace

class TestOptionTables : public QObject
{
    Q_OBJECT

private slots:
    void tableContents_data();
    void tableContents();
    void comboBoxShowsEveryName_data();
    void comboBoxShowsEveryName();
    void valuesOutsideTableGiveEmptyText_data();
    void valuesOutsideTableGiveEmptyText();
    void unknownTableGivesNothing_data();
    void unknownTableGivesNothing();
    void namesFollowInstalledTranslator();
    void parserRejectsForeignDocuments_data();
    void parserRejectsForeignDocuments();
    void parserReadsTables();
};

void TestOptionTables::tableContents_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("name");

    QTest::newRow("ProgramDataByte") << "ProgramDataByte" << 12 << 11 << "TV AV";
    QTest::newRow("CharSelCode") << "CharSelCode" << 7 << 6 << "ISO-8859-2 (east european)";
    QTest::newRow("SoundFilter") << "SoundFilter" << 4 << 3 << "Auto";
    QTest::newRow("CTI") << "CTI" << 3 << 1 << "On";
    QTest::newRow("Combfilter") << "Combfilter" << 3 << 2 << "Off";
    QTest::newRow("PictureFormat") << "PictureFormat" << 6 << 2 << "16:9";
    QTest::newRow("VideoProfile") << "VideoProfile" << 8 << 7 << "General";
    QTest::newRow("VCR") << "VCR" << 3 << 2 << "Option 2";
    QTest::newRow("ColorNorm") << "ColorNorm" << 8 << 7 << "PAL N";
    QTest::newRow("Standard") << "Standard" << 6 << 5 << "M/N";
    QTest::newRow("CANumber") << "CANumber" << 4 << 3 << "Auto";
    QTest::newRow("VidDecType") << "VidDecType" << 4 << 2 << "UHD";
    QTest::newRow("NetworkType") << "NetworkType" << 8 << 7 << "Terrestric";
    QTest::newRow("Polarisation") << "Polarisation" << 2 << 1 << "vertical";
    QTest::newRow("Satellite") << "Satellite" << 4 << 3 << "D";
    QTest::newRow("Modulation") << "Modulation" << 7 << 6 << "QPSK";
    QTest::newRow("Constellation") << "Constellation" << 7 << 4 << "32QAM";
    QTest::newRow("CodeRateHP value 3") << "CodeRateHP" << 8 << 3 << "4/5";
    QTest::newRow("CodeRateHP value 6") << "CodeRateHP" << 8 << 6 << "4/5";
    QTest::newRow("TransMode") << "TransMode" << 6 << 5 << "32k";
    QTest::newRow("GuardIntervall") << "GuardIntervall" << 7 << 6 << "19/256";
    QTest::newRow("HiDef") << "HiDef" << 5 << 4 << "HEVC";
    QTest::newRow("AudioType") << "AudioType" << 6 << 5 << "DTS";
    QTest::newRow("SatModulation") << "SatModulation" << 4 << 2 << "8PSK";
    QTest::newRow("SatModulationSystem") << "SatModulationSystem" << 2 << 1 << "DVB-S2";
    QTest::newRow("SatRollOff") << "SatRollOff" << 3 << 2 << "0.20";
    QTest::newRow("SatFecInner") << "SatFecInner" << 14 << 9 << "9/10";
    QTest::newRow("SatFecInner last") << "SatFecInner" << 14 << 13 << "3/5";
}

void TestOptionTables::tableContents()
{
    QFETCH(QString, table);
    QFETCH(int, count);
    QFETCH(int, value);
    QFETCH(QString, name);

    QScopedPointer<QComboBox> box(createOptionComboBox(table));
    QVERIFY(box);
    QCOMPARE(box->count(), count);
    QCOMPARE(box->itemText(value), name);
    QCOMPARE(optionText(table, value), name);
    QCOMPARE(optionText(table, count), QString());
}

void TestOptionTables::comboBoxShowsEveryName_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("ProgramDataByte") << "ProgramDataByte";
    QTest::newRow("GuardIntervall") << "GuardIntervall";
    QTest::newRow("SatFecInner") << "SatFecInner";
}

// The combo box and the text lookup must agree value for value: the settings
// dialog shows one, the table view the other.
void TestOptionTables::comboBoxShowsEveryName()
{
    QFETCH(QString, table);
    QScopedPointer<QComboBox> box(createOptionComboBox(table));
    QVERIFY(box);
    QVERIFY(!box->parent());
    for (int value = 0; value < box->count(); ++value) {
        box->setCurrentIndex(value);
        QCOMPARE(optionText(table, value), box->currentText());
        QVERIFY(!box->currentText().isEmpty());
    }
}

void TestOptionTables::valuesOutsideTableGiveEmptyText_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("value");
    QTest::newRow("Satellite 4") << "Satellite" << 4;
    QTest::newRow("negative") << "Satellite" << -1;
    QTest::newRow("HiDef 9") << "HiDef" << 9;
    QTest::newRow("byte maximum") << "NetworkType" << 255;
}

void TestOptionTables::valuesOutsideTableGiveEmptyText()
{
    QFETCH(QString, table);
    QFETCH(int, value);
    QVERIFY(optionText(table, value).isEmpty());
}

void TestOptionTables::unknownTableGivesNothing_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("unknown") << "Unknown";
    QTest::newRow("case differs") << "modulation";
    QTest::newRow("root element") << "svl_options";
    QTest::newRow("option element") << "option";
    QTest::newRow("empty") << "";
}

void TestOptionTables::unknownTableGivesNothing()
{
    QFETCH(QString, table);
    QScopedPointer<QComboBox> box(createOptionComboBox(table));
    QVERIFY(!box);
    QVERIFY(optionText(table, 0).isEmpty());
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
    QScopedPointer<QComboBox> box(createOptionComboBox(table));
    QCOMPARE(box->itemText(1), QStringLiteral("QPSK (translated)"));
    QCOMPARE(optionText(table, 2), QStringLiteral("8PSK"));

    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCOMPARE(optionText(table, 1), QStringLiteral("QPSK"));
}

void TestOptionTables::parserRejectsForeignDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("version 4.0")
        << QByteArray("<svl_options version=\"4.0\"><CTI><option>On</option></CTI></svl_options>");
    QTest::newRow("no version")
        << QByteArray("<svl_options><CTI><option>On</option></CTI></svl_options>");
    QTest::newRow("other root")
        << QByteArray("<options version=\"5.0\"><CTI><option>On</option></CTI></options>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not xml") << QByteArray("CTI: On, Off");
}

void TestOptionTables::parserRejectsForeignDocuments()
{
    QFETCH(QByteArray, document);
    OptionTableMap tables;
    tables.insert(QStringLiteral("stale"), {QStringLiteral("left over")});
    QVERIFY(!parseOptionTables(document, &tables));
    QVERIFY(tables.isEmpty());
}

void TestOptionTables::parserReadsTables()
{
    const QByteArray document =
        "<?xml version=\"1.0\"?>\n"
        "<!-- heading -->\n"
        "<svl_options version=\"5.0\">\n"
        "  <CTI><option>General</option><!-- note --><option>On</option></CTI>\n"
        "  <!-- between tables -->\n"
        "  <VCR><option>Off</option><note/><option>ignored</option></VCR>\n"
        "  <CTI><option>second table of the same name</option></CTI>\n"
        "  <Empty></Empty>\n"
        "</svl_options>\n";
    OptionTableMap tables;
    QVERIFY(parseOptionTables(document, &tables));
    QCOMPARE(tables.value(QStringLiteral("CTI")),
             QStringList({QStringLiteral("General"), QStringLiteral("On")}));
    QCOMPARE(tables.value(QStringLiteral("VCR")), QStringList({QStringLiteral("Off")}));
    QVERIFY(tables.contains(QStringLiteral("Empty")));
    QVERIFY(tables.value(QStringLiteral("Empty")).isEmpty());
    QCOMPARE(tables.size(), 3);
}

QTEST_MAIN(TestOptionTables)
#include "test_option_tables.moc"
