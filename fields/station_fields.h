#ifndef KANVIO_FIELDS_STATION_FIELDS_H
#define KANVIO_FIELDS_STATION_FIELDS_H

#include <QString>

class QTextCodec;
struct svl_station;

// The columns of the table view: which field of a station each one shows and
// how the value becomes text. The list view has one column, the name.
enum StationColumn {
    UidColumn,
    NameColumn,
    NetworkTypeColumn,
    EpgColumn,
    EncryptedColumn,
    VideoColumn,
    DecoderColumn,
    CniColumn,
    FrequencyColumn,
    AudioPidColumn,
    VideoPidColumn,
    PcrPidColumn,
    TeletextPidColumn,
    ServiceIdColumn,
    TransportStreamIdColumn,
    OriginalNetworkIdColumn,
    SymbolRateColumn,
    ModulationColumn,
    ConstellationColumn,
    SatelliteColumn,
    PolarisationColumn,
    CodeRateColumn,
    GuardIntervalColumn,
    TransModeColumn,
    AudioTypeColumn,
    StationColumnCount
};

// The header text of a table view column in the current language; an empty
// text for a column outside 0 to 24.
QString stationColumnHeader(int column);

// The text of the station's field in a table view column; an empty text for
// a null station or a column outside 0 to 24. A field that does not apply to
// the station shows "---".
QString stationFieldText(const svl_station *station, int column);

// The station's name decoded in its CharSelCode character set; an empty text
// for a null station or a station without a name.
QString stationNameText(const svl_station *station);

// The codec of a CharSelCode (0 to 5, and 22 for ISO 8859-2); null for any
// other code or when the platform has no codec of that name.
QTextCodec *codecForCharSelCode(int code);

// The NUL-terminated bytes decoded in the character set of code, or as UTF-8
// when the code has no codec. Null bytes give an empty text.
QString nameToUnicode(int code, const char *bytes);

// Encodes text in the character set of code (UTF-8 when the code has no
// codec) into a new NUL-terminated block, stores its address in *bytes and
// returns it; the caller releases it with free(). The previous *bytes is not
// released. Returns null, encoding nothing, when bytes is null, and null with
// *bytes set to null when no memory is left.
char *nameFromUnicode(const QString &text, char **bytes, int code);

#endif
