#include "fields/station_fields.h"

#include "fields/iso6937_codec.h"
#include "fields/option_tables.h"
#include "svl/svl.h"
#include "texts/strings.h"

#include <QTextCodec>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

enum class TextRule {
    Decimal,
    Hexadecimal,
    Frequency,
    Name,
    Option,               // the option's name
    OptionZeroDashes,     // a stored 0 shows "---"
    OptionTypeZeroDashes, // "---" for an analogue station of NetworkType 0
    OptionSatelliteOnly,  // "---" unless the station is DVB-S or DVB-S2
};

using FieldValue = uint32_t (*)(const svl_station *);

struct ColumnDefinition {
    int headerId;          // Strings id of the header, or -1 for a fixed header
    QString fixedHeader;   // header that is the same in every language
    TextRule rule;
    FieldValue value;      // null for the name and frequency rules
    QString optionTable;   // for the option rules
};

const ColumnDefinition &columnDefinition(int column)
{
    static const ColumnDefinition columns[StationColumnCount] = {
        {-1, QStringLiteral("ID"), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->uid; }, QString()},
        {Strings::StationNameLabel, QString(), TextRule::Name, nullptr, QString()},
        {Strings::NetworkTypeHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->NetworkType; },
         QStringLiteral("NetworkType")},
        {Strings::EpgLabel, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->epg; }, QString()},
        {Strings::EncryptedHeader, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->encrypted; }, QString()},
        {Strings::VideoTypeHeader, QString(), TextRule::OptionTypeZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->HiDef; }, QStringLiteral("HiDef")},
        {-1, QStringLiteral("Decoder"), TextRule::OptionTypeZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->VidDecType; },
         QStringLiteral("VidDecType")},
        {Strings::CniHeader, QString(), TextRule::Hexadecimal,
         [](const svl_station *s) -> uint32_t { return s->cni; }, QString()},
        {Strings::FrequencyKhzLabel, QString(), TextRule::Frequency, nullptr, QString()},
        {Strings::AudioPidLabel, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->audio_pid; }, QString()},
        {Strings::VideoPidLabel, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->video_pid; }, QString()},
        {Strings::PcrPidLabel, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->pcr_pid; }, QString()},
        {Strings::TeletextPidLabel, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->teletext_pid; }, QString()},
        {Strings::ServiceIdHeader, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->service_id; }, QString()},
        {Strings::TransportStreamIdHeader, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->transport_stream_id; }, QString()},
        {Strings::OriginNetworkIdHeader, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->original_network_id; }, QString()},
        {Strings::SymbolRateHeader, QString(), TextRule::Decimal,
         [](const svl_station *s) -> uint32_t { return s->symbol_rate; }, QString()},
        // Satellite stations keep their modulation in the same byte under
        // other names (SatModulation); the table names it as Modulation for
        // every station.
        {Strings::ModulationHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->Modulation; },
         QStringLiteral("Modulation")},
        {Strings::ConstellationHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->Constellation; },
         QStringLiteral("Constellation")},
        {Strings::SatelliteLabel, QString(), TextRule::OptionSatelliteOnly,
         [](const svl_station *s) -> uint32_t { return s->Satellite; },
         QStringLiteral("Satellite")},
        {Strings::PolarisationHeader, QString(), TextRule::OptionSatelliteOnly,
         [](const svl_station *s) -> uint32_t { return s->Polarisation; },
         QStringLiteral("Polarisation")},
        {Strings::CodeRateHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->CodeRateHP; },
         QStringLiteral("CodeRateHP")},
        {Strings::GuardIntervalHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->GuardIntervall; },
         QStringLiteral("GuardIntervall")},
        {Strings::TransmissionModeHeader, QString(), TextRule::OptionZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->TransMode; },
         QStringLiteral("TransMode")},
        {Strings::AudioTypeHeader, QString(), TextRule::OptionTypeZeroDashes,
         [](const svl_station *s) -> uint32_t { return s->AudioType; },
         QStringLiteral("AudioType")},
    };
    return columns[column];
}

bool isColumn(int column)
{
    return column >= 0 && column < StationColumnCount;
}

QString notApplicable()
{
    return QStringLiteral("---");
}

bool isSatellite(const svl_station *station)
{
    return station->NetworkType == 2 || station->NetworkType == 5;
}

// "0x" and four lower-case hexadecimal digits, built in place: this runs for
// every visible cell on every repaint.
QString hexadecimalText(uint16_t value)
{
    static const char digits[] = "0123456789abcdef";
    QString text(6, QLatin1Char('0'));
    text[1] = QLatin1Char('x');
    for (int i = 5; i >= 2; --i, value >>= 4)
        text[i] = QLatin1Char(digits[value & 0xF]);
    return text;
}

// Analogue stations count sixteenths of a MHz in analog_frequency; digital
// ones hold kHz in frequency. QString::number ignores the locale, so the
// separator is '.' everywhere.
QString frequencyText(const svl_station *station)
{
    const double value = svl_station_is_analog(station) ? station->analog_frequency * 0.0625
                                                        : double(station->frequency);
    return QString::number(value, 'f', 3);
}

QString optionRuleText(const ColumnDefinition &definition, const svl_station *station)
{
    const uint32_t value = definition.value(station);
    switch (definition.rule) {
    case TextRule::OptionZeroDashes:
        if (value == 0)
            return notApplicable();
        break;
    case TextRule::OptionTypeZeroDashes:
        if (station->NetworkType == 0)
            return notApplicable();
        break;
    case TextRule::OptionSatelliteOnly:
        if (!isSatellite(station))
            return notApplicable();
        break;
    default:
        break;
    }
    return optionText(definition.optionTable, int(value));
}

// ISO 8859-2 is stored as 22, not 6.
const int highestCharSelCode = 22;

const char *codecName(int code)
{
    switch (code) {
    case 0: return "ISO 6937";
    case 1: return "ISO 8859-5";
    case 2: return "ISO 8859-6";
    case 3: return "ISO 8859-7";
    case 4: return "ISO 8859-8";
    case 5: return "ISO 8859-9";
    case 22: return "ISO 8859-2";
    default: return nullptr;
    }
}

}  // namespace

QString stationColumnHeader(int column)
{
    if (!isColumn(column))
        return QString();
    const ColumnDefinition &definition = columnDefinition(column);
    return definition.headerId < 0 ? definition.fixedHeader : Strings::text(definition.headerId);
}

QString stationFieldText(const svl_station *station, int column)
{
    if (!station || !isColumn(column))
        return QString();
    const ColumnDefinition &definition = columnDefinition(column);
    switch (definition.rule) {
    case TextRule::Decimal:
        return QString::number(definition.value(station));
    case TextRule::Hexadecimal:
        return hexadecimalText(uint16_t(definition.value(station)));
    case TextRule::Frequency:
        return frequencyText(station);
    case TextRule::Name:
        return stationNameText(station);
    default:
        return optionRuleText(definition, station);
    }
}

QString stationNameText(const svl_station *station)
{
    if (!station)
        return QString();
    return nameToUnicode(station->CharSelCode, station->name);
}

QTextCodec *codecForCharSelCode(int code)
{
    // The lookup takes Qt's codec lock and walks its registry; names are
    // decoded for every painted row, so each code is looked up once.
    static const std::array<QTextCodec *, highestCharSelCode + 1> codecs = [] {
        Iso6937Codec::registerCodec();
        std::array<QTextCodec *, highestCharSelCode + 1> found{};
        for (int c = 0; c <= highestCharSelCode; ++c) {
            if (const char *name = codecName(c))
                found[c] = QTextCodec::codecForName(name);
        }
        return found;
    }();
    return code >= 0 && code <= highestCharSelCode ? codecs[code] : nullptr;
}

QString nameToUnicode(int code, const char *bytes)
{
    if (!bytes)
        return QString();
    QTextCodec *codec = codecForCharSelCode(code);
    return codec ? codec->toUnicode(bytes, int(strlen(bytes))) : QString::fromUtf8(bytes);
}

char *nameFromUnicode(const QString &text, char **bytes, int code)
{
    if (!bytes)
        return nullptr;
    QTextCodec *codec = codecForCharSelCode(code);
    const QByteArray encoded = codec ? codec->fromUnicode(text) : text.toUtf8();
    char *block = static_cast<char *>(malloc(size_t(encoded.size()) + 1));
    if (block) {
        memcpy(block, encoded.constData(), size_t(encoded.size()));
        block[encoded.size()] = '\0';
    }
    *bytes = block;
    return block;
}
