#include "views/station_fields.h"

#include "app/strings.h"
#include "svl/svl.h"

#include <QLocale>
#include <QTextCodec>
#include <QtTest>

#include <cstdlib>
#include <cstring>

namespace {

// Puts value into the field that column shows.
void setColumnField(svl_station *station, int column, uint32_t value)
{
    switch (column) {
    case UidColumn: station->uid = uint16_t(value); break;
    case NetworkTypeColumn: station->NetworkType = uint8_t(value); break;
    case EpgColumn: station->epg = uint8_t(value); break;
    case EncryptedColumn: station->encrypted = uint8_t(value); break;
    case VideoColumn: station->HiDef = uint8_t(value); break;
    case DecoderColumn: station->VidDecType = uint8_t(value); break;
    case CniColumn: station->cni = uint16_t(value); break;
    case AudioPidColumn: station->audio_pid = uint16_t(value); break;
    case VideoPidColumn: station->video_pid = uint16_t(value); break;
    case PcrPidColumn: station->pcr_pid = uint16_t(value); break;
    case TeletextPidColumn: station->teletext_pid = uint16_t(value); break;
    case ServiceIdColumn: station->service_id = uint16_t(value); break;
    case TransportStreamIdColumn: station->transport_stream_id = uint16_t(value); break;
    case OriginalNetworkIdColumn: station->original_network_id = uint16_t(value); break;
    case SymbolRateColumn: station->symbol_rate = uint16_t(value); break;
    case ModulationColumn: station->Modulation = uint8_t(value); break;
    case ConstellationColumn: station->Constellation = uint8_t(value); break;
    case SatelliteColumn: station->Satellite = uint8_t(value); break;
    case PolarisationColumn: station->Polarisation = uint8_t(value); break;
    case CodeRateColumn: station->CodeRateHP = uint8_t(value); break;
    case GuardIntervalColumn: station->GuardIntervall = uint8_t(value); break;
    case TransModeColumn: station->TransMode = uint8_t(value); break;
    case AudioTypeColumn: station->AudioType = uint8_t(value); break;
    default: QFAIL("column without a plain field");
    }
}

enum NetworkType : uint8_t {
    Analogue = 0,
    DvbC = 1,
    DvbS = 2,
    DvbT = 3,
    DvbS2 = 5,
    Terrestric = 7,
};

}  // namespace

class TestStationFields : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void columnHeaders_data();
    void columnHeaders();
    void headersFollowLanguage();
    void fieldTexts_data();
    void fieldTexts();
    void frequencyIgnoresLocale_data();
    void frequencyIgnoresLocale();
    void nameColumnDecodesName();
    void missingStationOrColumnGivesEmptyText();
    void codecsOfCharSelCodes_data();
    void codecsOfCharSelCodes();
    void namesToUnicode_data();
    void namesToUnicode();
    void namesFromUnicode_data();
    void namesFromUnicode();
    void nameFromUnicodeWithoutOutParameter();
};

void TestStationFields::initTestCase()
{
    Strings::load();
}

void TestStationFields::columnHeaders_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("header");
    const char *const headers[] = {
        "ID", "Station name", "Network", "EPG", "Enc.", "Video", "Decoder", "CNI",
        "Frequency (kHz)", "Audio PID", "Video PID", "PCR PID", "Teletext PID", "SID",
        "TSID", "ONID", "Symbols", "Mod.", "Const.", "Satellite", "Pol.", "Code rate",
        "Guard", "Trans.", "Audio",
    };
    for (int column = 0; column < StationColumnCount; ++column)
        QTest::addRow("%d", column) << column << QString::fromLatin1(headers[column]);
    QTest::newRow("25") << 25 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void TestStationFields::columnHeaders()
{
    QFETCH(int, column);
    QFETCH(QString, header);
    QCOMPARE(stationColumnHeader(column), header);
}

// Headers are asked for whenever a view is built, so a language switch must
// reach them; "ID" and "Decoder" are the same in every language.
void TestStationFields::headersFollowLanguage()
{
    Strings::setLanguage(Strings::German);
    const QString germanName = stationColumnHeader(NameColumn);
    const QString germanId = stationColumnHeader(UidColumn);
    const QString germanDecoder = stationColumnHeader(DecoderColumn);
    svl_station station{};
    station.NetworkType = DvbC;
    station.Modulation = 3;
    const QString germanModulation = stationFieldText(&station, ModulationColumn);
    Strings::setLanguage(Strings::English);

    QCOMPARE(germanName, QStringLiteral("Sendername"));
    QCOMPARE(germanId, QStringLiteral("ID"));
    QCOMPARE(germanDecoder, QStringLiteral("Decoder"));
    QCOMPARE(germanModulation, QStringLiteral("64QAM"));
    QCOMPARE(stationColumnHeader(NameColumn), QStringLiteral("Station name"));
}

void TestStationFields::fieldTexts_data()
{
    QTest::addColumn<int>("networkType");
    QTest::addColumn<int>("column");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("uid") << int(DvbC) << int(UidColumn) << 65535u << "65535";
    QTest::newRow("network zero") << int(Analogue) << int(NetworkTypeColumn) << 0u << "---";
    QTest::newRow("network DVB-S2") << int(DvbS2) << int(NetworkTypeColumn) << 5u << "DVB-S2";
    QTest::newRow("network terrestric") << int(Terrestric) << int(NetworkTypeColumn) << 7u << "Terrestric";
    QTest::newRow("EPG") << int(Analogue) << int(EpgColumn) << 1u << "1";
    QTest::newRow("encrypted") << int(DvbC) << int(EncryptedColumn) << 1u << "1";
    QTest::newRow("flag byte shown as stored") << int(DvbC) << int(EncryptedColumn) << 200u << "200";
    QTest::newRow("video analogue") << int(Analogue) << int(VideoColumn) << 1u << "---";
    QTest::newRow("video SD") << int(DvbC) << int(VideoColumn) << 0u << "SD";
    QTest::newRow("video HEVC") << int(DvbT) << int(VideoColumn) << 4u << "HEVC";
    QTest::newRow("video beyond table") << int(DvbT) << int(VideoColumn) << 9u << "";
    QTest::newRow("decoder analogue") << int(Analogue) << int(DecoderColumn) << 1u << "---";
    QTest::newRow("decoder SD") << int(DvbS) << int(DecoderColumn) << 0u << "SD";
    QTest::newRow("decoder terrestric") << int(Terrestric) << int(DecoderColumn) << 2u << "UHD";
    QTest::newRow("CNI 255") << int(Analogue) << int(CniColumn) << 255u << "0x00ff";
    QTest::newRow("CNI 0x1a2b") << int(Analogue) << int(CniColumn) << 0x1a2bu << "0x1a2b";
    QTest::newRow("audio PID analogue") << int(Analogue) << int(AudioPidColumn) << 101u << "101";
    QTest::newRow("video PID") << int(DvbT) << int(VideoPidColumn) << 8191u << "8191";
    QTest::newRow("PCR PID") << int(DvbT) << int(PcrPidColumn) << 0u << "0";
    QTest::newRow("teletext PID") << int(DvbT) << int(TeletextPidColumn) << 104u << "104";
    QTest::newRow("SID analogue") << int(Analogue) << int(ServiceIdColumn) << 28106u << "28106";
    QTest::newRow("TSID") << int(DvbS) << int(TransportStreamIdColumn) << 1101u << "1101";
    QTest::newRow("ONID") << int(DvbS) << int(OriginalNetworkIdColumn) << 65535u << "65535";
    QTest::newRow("symbols") << int(DvbS) << int(SymbolRateColumn) << 22000u << "22000";
    QTest::newRow("mod. zero") << int(DvbC) << int(ModulationColumn) << 0u << "---";
    QTest::newRow("mod. 64QAM") << int(DvbC) << int(ModulationColumn) << 3u << "64QAM";
    QTest::newRow("mod. of satellite station") << int(DvbS) << int(ModulationColumn) << 2u << "32QAM";
    QTest::newRow("mod. beyond table") << int(DvbC) << int(ModulationColumn) << 7u << "";
    QTest::newRow("const. zero") << int(DvbT) << int(ConstellationColumn) << 0u << "---";
    QTest::newRow("const. 64QAM") << int(DvbT) << int(ConstellationColumn) << 3u << "64QAM";
    QTest::newRow("satellite on DVB-S2") << int(DvbS2) << int(SatelliteColumn) << 0u << "A";
    QTest::newRow("satellite on DVB-S") << int(DvbS) << int(SatelliteColumn) << 3u << "D";
    QTest::newRow("satellite on DVB-T") << int(DvbT) << int(SatelliteColumn) << 0u << "---";
    QTest::newRow("satellite analogue") << int(Analogue) << int(SatelliteColumn) << 1u << "---";
    QTest::newRow("satellite beyond table") << int(DvbS) << int(SatelliteColumn) << 4u << "";
    QTest::newRow("pol. on DVB-S2") << int(DvbS2) << int(PolarisationColumn) << 1u << "vertical";
    QTest::newRow("pol. horizontal") << int(DvbS) << int(PolarisationColumn) << 0u << "horizontal";
    QTest::newRow("pol. on DVB-T") << int(DvbT) << int(PolarisationColumn) << 1u << "---";
    QTest::newRow("pol. analogue") << int(Analogue) << int(PolarisationColumn) << 1u << "---";
    QTest::newRow("code rate zero") << int(DvbT) << int(CodeRateColumn) << 0u << "---";
    QTest::newRow("code rate 6") << int(DvbT) << int(CodeRateColumn) << 6u << "4/5";
    QTest::newRow("guard zero") << int(DvbT) << int(GuardIntervalColumn) << 0u << "---";
    QTest::newRow("guard 1/8") << int(DvbT) << int(GuardIntervalColumn) << 2u << "1/8";
    QTest::newRow("trans. zero") << int(DvbT) << int(TransModeColumn) << 0u << "---";
    QTest::newRow("trans. 8k") << int(DvbT) << int(TransModeColumn) << 2u << "8k";
    QTest::newRow("audio analogue") << int(Analogue) << int(AudioTypeColumn) << 1u << "---";
    QTest::newRow("audio MPEG") << int(DvbC) << int(AudioTypeColumn) << 0u << "MPEG";
    QTest::newRow("audio AC3") << int(DvbS2) << int(AudioTypeColumn) << 1u << "AC3";
}

void TestStationFields::fieldTexts()
{
    QFETCH(int, networkType);
    QFETCH(int, column);
    QFETCH(uint, value);
    QFETCH(QString, text);

    svl_station station{};
    station.version = SVL_VERSION_50;
    station.NetworkType = uint8_t(networkType);
    setColumnField(&station, column, value);
    QCOMPARE(stationFieldText(&station, column), text);
}

void TestStationFields::frequencyIgnoresLocale_data()
{
    QTest::addColumn<int>("networkType");
    QTest::addColumn<uint>("analogFrequency");
    QTest::addColumn<uint>("frequency");
    QTest::addColumn<QString>("text");

    QTest::newRow("terrestric 804") << int(Terrestric) << 804u << 650u << "50.250";
    QTest::newRow("unknown 804") << int(Analogue) << 804u << 0u << "50.250";
    QTest::newRow("analogue half MHz") << int(Analogue) << 8u << 0u << "0.500";
    QTest::newRow("analogue maximum") << int(Analogue) << 65528u << 0u << "4095.500";
    QTest::newRow("DVB-T 650") << int(DvbT) << 804u << 650u << "650.000";
    QTest::newRow("DVB-S kHz") << int(DvbS) << 0u << 11494000u << "11494000.000";
    QTest::newRow("unsigned 32 bit") << int(DvbC) << 0u << 4294967295u << "4294967295.000";
}

void TestStationFields::frequencyIgnoresLocale()
{
    QFETCH(int, networkType);
    QFETCH(uint, analogFrequency);
    QFETCH(uint, frequency);
    QFETCH(QString, text);

    svl_station station{};
    station.NetworkType = uint8_t(networkType);
    station.analog_frequency = uint16_t(analogFrequency);
    station.frequency = frequency;

    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString shown = stationFieldText(&station, FrequencyColumn);
    QLocale::setDefault(previous);
    QCOMPARE(shown, text);
}

void TestStationFields::nameColumnDecodesName()
{
    char name[] = "S\xC8uddeutsche";
    svl_station station{};
    station.name = name;
    station.name_len = uint8_t(strlen(name));
    QCOMPARE(stationFieldText(&station, NameColumn), QStringLiteral("S\u00FCddeutsche"));
    QCOMPARE(stationNameText(&station), QStringLiteral("S\u00FCddeutsche"));

    station.CharSelCode = 6;
    QCOMPARE(stationNameText(&station), QString::fromUtf8(name));

    svl_station unnamed{};
    QCOMPARE(stationFieldText(&unnamed, NameColumn), QString());
    QCOMPARE(stationNameText(nullptr), QString());
}

void TestStationFields::missingStationOrColumnGivesEmptyText()
{
    svl_station station{};
    station.uid = 7;
    QCOMPARE(stationFieldText(&station, -1), QString());
    QCOMPARE(stationFieldText(&station, StationColumnCount), QString());
    for (int column = 0; column < StationColumnCount; ++column)
        QCOMPARE(stationFieldText(nullptr, column), QString());
}

void TestStationFields::codecsOfCharSelCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("0") << 0 << QByteArray("ISO 6937");
    QTest::newRow("1") << 1 << QByteArray("ISO-8859-5");
    QTest::newRow("2") << 2 << QByteArray("ISO-8859-6");
    QTest::newRow("3") << 3 << QByteArray("ISO-8859-7");
    QTest::newRow("4") << 4 << QByteArray("ISO-8859-8");
    QTest::newRow("5") << 5 << QByteArray("ISO-8859-9");
    QTest::newRow("22") << 22 << QByteArray("ISO-8859-2");
    QTest::newRow("6") << 6 << QByteArray();
    QTest::newRow("21") << 21 << QByteArray();
    QTest::newRow("23") << 23 << QByteArray();
    QTest::newRow("-1") << -1 << QByteArray();
}

void TestStationFields::codecsOfCharSelCodes()
{
    QFETCH(int, code);
    QFETCH(QByteArray, codec);
    QTextCodec *found = codecForCharSelCode(code);
    QCOMPARE(found ? found->name() : QByteArray(), codec);
}

void TestStationFields::namesToUnicode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QByteArray cyrillic("\xBF\xD5\xE0\xD2\xEB\xD9");
    QTest::newRow("ISO 6937") << 0 << QByteArray("T\xC2" "el\xC2" "e") << QStringLiteral("T\u00E9l\u00E9");
    QTest::newRow("Cyrillic") << 1 << cyrillic << QStringLiteral("\u041F\u0435\u0440\u0432\u044B\u0439");
    QTest::newRow("Arabic") << 2 << QByteArray("\xC7") << QStringLiteral("\u0627");
    QTest::newRow("Greek") << 3 << QByteArray("\xC5\xD1\xD4") << QStringLiteral("\u0395\u03A1\u03A4");
    QTest::newRow("Hebrew") << 4 << QByteArray("\xF2\xF8\xE5\xF5") << QStringLiteral("\u05E2\u05E8\u05D5\u05E5");
    QTest::newRow("Turkish") << 5 << QByteArray("\xDDstanbul") << QStringLiteral("\u0130stanbul");
    QTest::newRow("East European") << 22 << QByteArray("\xA3\xF3" "d\xBC") << QStringLiteral("\u0141\u00F3d\u017A");
    QTest::newRow("code 6 is UTF-8") << 6 << cyrillic << QString::fromUtf8(cyrillic);
    QTest::newRow("code 6 UTF-8 text") << 6 << QByteArray("Caf\xC3\xA9") << QStringLiteral("Caf\u00E9");
    QTest::newRow("stops at NUL") << 1 << QByteArray("AB\0CD", 5) << QStringLiteral("AB");
}

void TestStationFields::namesToUnicode()
{
    QFETCH(int, code);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(nameToUnicode(code, bytes.constData()), text);
}

void TestStationFields::namesFromUnicode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ISO 6937") << 0 << QStringLiteral("S\u00FCddeutsche") << QByteArray("S\xC8uddeutsche");
    QTest::newRow("Cyrillic") << 1 << QStringLiteral("\u041F\u0435\u0440\u0432\u044B\u0439")
                              << QByteArray("\xBF\xD5\xE0\xD2\xEB\xD9");
    QTest::newRow("path in ISO 8859-9") << 5 << QStringLiteral("/home/\u00DCmit/a.svl50")
                                        << QByteArray("/home/\xDCmit/a.svl50");
    QTest::newRow("East European") << 22 << QStringLiteral("\u0141\u00F3d\u017A") << QByteArray("\xA3\xF3" "d\xBC");
    QTest::newRow("UTF-8 for code 6") << 6 << QStringLiteral("Caf\u00E9") << QByteArray("Caf\xC3\xA9");
    QTest::newRow("empty") << 0 << QString() << QByteArray();
}

void TestStationFields::namesFromUnicode()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);

    // The old pointer is not the function's to release.
    char previous[] = "kept";
    char *out = previous;
    char *result = nameFromUnicode(text, &out, code);
    QVERIFY(result);
    QCOMPARE(out, result);
    QCOMPARE(QByteArray(result), bytes);
    QCOMPARE(result[bytes.size()], '\0');
    QCOMPARE(nameToUnicode(code, result), text);
    free(result);
}

void TestStationFields::nameFromUnicodeWithoutOutParameter()
{
    QCOMPARE(nameFromUnicode(QStringLiteral("ZDF"), nullptr, 0), static_cast<char *>(nullptr));
}

QTEST_MAIN(TestStationFields)
#include "test_station_fields.moc"
