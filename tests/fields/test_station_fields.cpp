#include "fields/station_fields.h"

#include "svl/svl.h"

#include <QLocale>
#include <QtTest>

#include <cstdlib>

namespace {

char sampleName[] = "S\xC8uddeutsche";

// A station whose numeric fields all differ, so that a column showing the
// wrong field is noticed. Every enumerated field holds 0 when zeroOptions is
// set, a value of its own otherwise.
svl_station sampleStation(int networkType, bool zeroOptions)
{
    svl_station s{};
    s.version = SVL_VERSION_50;
    s.NetworkType = uint8_t(networkType);
    s.name = sampleName;
    s.name_len = uint8_t(sizeof sampleName - 1);
    s.uid = 65535;
    s.epg = 1;
    s.encrypted = 200;
    s.cni = 0x1a2b;
    s.analog_frequency = 804;
    s.frequency = 4294967295u;
    s.audio_pid = 101;
    s.video_pid = 8191;
    s.pcr_pid = 102;
    s.teletext_pid = 104;
    s.service_id = 28106;
    s.transport_stream_id = 1101;
    s.original_network_id = 7;
    s.symbol_rate = 22000;
    if (!zeroOptions) {
        s.HiDef = 4;
        s.VidDecType = 2;
        s.Modulation = 3;
        s.Constellation = 4;
        s.Satellite = 3;
        s.Polarisation = 1;
        s.CodeRateHP = 6;
        s.GuardIntervall = 2;
        s.TransMode = 5;
        s.AudioType = 1;
    }
    return s;
}

// The texts of the sample station's columns that stay the same whatever its
// kind: uid, name, EPG, encrypted, and CNI to symbol rate but the frequency.
QStringList withCommonTexts(const QString &network, const QStringList &videoDecoder,
                            const QString &frequency, const QStringList &rest)
{
    return QStringList{"65535", QStringLiteral("S\u00FCddeutsche"), network, "1", "200"}
        << videoDecoder << "0x1a2b" << frequency << "101" << "8191" << "102" << "104" << "28106"
        << "1101" << "7" << "22000" << rest;
}

} // namespace

class TestStationFields : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fieldTexts_data();
    void fieldTexts();
    void missingDataGivesEmptyText();
    void namesInEachCharacterSet_data();
    void namesInEachCharacterSet();
};

// A German locale must not turn the frequency's decimal point into a comma.
void TestStationFields::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestStationFields::fieldTexts_data()
{
    QTest::addColumn<int>("networkType");
    QTest::addColumn<bool>("zeroOptions");
    QTest::addColumn<QStringList>("texts");
    const QString digital = QStringLiteral("4294967295.000");
    const QString analogue = QStringLiteral("50.250");
    QTest::newRow("DVB-S2") << 5 << false
        << withCommonTexts("DVB-S2", {"HEVC", "UHD"}, digital,
                           {"64QAM", "32QAM", "D", "vertical", "4/5", "1/8", "32k", "AC3"});
    QTest::newRow("DVB-S, options 0") << 2 << true
        << withCommonTexts("DVB-S", {"SD", "SD"}, digital,
                           {"---", "---", "A", "horizontal", "---", "---", "---", "MPEG"});
    QTest::newRow("unknown analogue") << 0 << false
        << withCommonTexts("---", {"---", "---"}, analogue,
                           {"64QAM", "32QAM", "---", "---", "4/5", "1/8", "32k", "---"});
    QTest::newRow("terrestric") << 7 << false
        << withCommonTexts("Terrestric", {"HEVC", "UHD"}, analogue,
                           {"64QAM", "32QAM", "---", "---", "4/5", "1/8", "32k", "AC3"});
}

void TestStationFields::fieldTexts()
{
    QFETCH(int, networkType);
    QFETCH(bool, zeroOptions);
    QFETCH(QStringList, texts);
    const svl_station station = sampleStation(networkType, zeroOptions);
    QStringList shown;
    for (int column = 0; column < StationColumnCount; ++column)
        shown << stationFieldText(&station, column);
    QCOMPARE(shown, texts);
}

void TestStationFields::missingDataGivesEmptyText()
{
    svl_station beyondTables = sampleStation(3, false);
    beyondTables.HiDef = 9;
    beyondTables.Modulation = 7;
    const svl_station unnamed{};
    const QString texts[] = {
        stationFieldText(&beyondTables, VideoColumn), stationFieldText(&beyondTables, ModulationColumn),
        stationFieldText(&beyondTables, -1), stationFieldText(&beyondTables, StationColumnCount),
        stationColumnHeader(StationColumnCount), stationFieldText(nullptr, UidColumn), stationNameText(nullptr),
        stationFieldText(&unnamed, NameColumn), nameToUnicode(0, nullptr),
    };
    for (const QString &text : texts)
        QCOMPARE(text, QString());
    QCOMPARE(nameFromUnicode(QStringLiteral("ZDF"), nullptr, 0), static_cast<char *>(nullptr));
}

void TestStationFields::namesInEachCharacterSet_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QByteArray utf8("Caf\xC3\xA9");
    QTest::newRow("1 Cyrillic") << 1 << QByteArray("\xBF\xD5\xE0\xD2\xEB\xD9")
                                << QStringLiteral("\u041F\u0435\u0440\u0432\u044B\u0439");
    QTest::newRow("2 Arabic") << 2 << QByteArray("\xC7") << QStringLiteral("\u0627");
    QTest::newRow("3 Greek") << 3 << QByteArray("\xC5\xD1\xD4") << QStringLiteral("\u0395\u03A1\u03A4");
    QTest::newRow("4 Hebrew") << 4 << QByteArray("\xF2\xF8") << QStringLiteral("\u05E2\u05E8");
    QTest::newRow("5 Turkish") << 5 << QByteArray("\xDDstanbul") << QStringLiteral("\u0130stanbul");
    QTest::newRow("22 East European") << 22 << QByteArray("\xA3\xF3" "d\xBC") << QStringLiteral("\u0141\u00F3d\u017A");
    QTest::newRow("6 UTF-8") << 6 << utf8 << QStringLiteral("Caf\u00E9");
    QTest::newRow("23 UTF-8") << 23 << utf8 << QStringLiteral("Caf\u00E9");
    QTest::newRow("-1 UTF-8") << -1 << utf8 << QStringLiteral("Caf\u00E9");
    QTest::newRow("empty") << 0 << QByteArray() << QString();
}

// The bytes read as the text, and the text written back as a new block of
// the same bytes; the block it replaced is not the function's to release.
void TestStationFields::namesInEachCharacterSet()
{
    QFETCH(int, code);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(nameToUnicode(code, bytes.constData()), text);

    char previous[] = "kept";
    char *out = previous;
    char *written = nameFromUnicode(text, &out, code);
    QVERIFY(written);
    QCOMPARE(out, written);
    QCOMPARE(QByteArray(written, bytes.size() + 1), bytes + '\0');
    free(written);
}

QTEST_MAIN(TestStationFields)
#include "test_station_fields.moc"
