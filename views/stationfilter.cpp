#include "views/stationfilter.h"

#include "fields/station_fields.h"

StationFilter &StationFilter::require(Condition condition)
{
    m_conditions.append(std::move(condition));
    return *this;
}

bool StationFilter::isEmpty() const
{
    return m_conditions.isEmpty();
}

bool StationFilter::accepts(const svl_station *station) const
{
    if (!station || !station->name)
        return false;
    for (const Condition &condition : m_conditions) {
        if (!condition(*station))
            return false;
    }
    return true;
}

StationFilter::Condition StationFilter::nameContains(const QString &text)
{
    return [text](const svl_station &station) {
        return stationNameText(&station).contains(text, Qt::CaseInsensitive);
    };
}

// A medium's analogue and digital stations of one reception kind count
// alike: ProgramDataByte 5 and 10 are cable TV and radio, and so on.
StationFilter::Condition StationFilter::receivedBy(ReceiveMode mode)
{
    return [mode](const svl_station &station) {
        switch (mode) {
        case AnalogTerrestrial: return station.ProgramDataByte == 1;
        case DvbC: return station.ProgramDataByte == 5 || station.ProgramDataByte == 10;
        case DvbS: return station.ProgramDataByte == 3 || station.ProgramDataByte == 8;
        case DvbT: return station.ProgramDataByte == 4 || station.ProgramDataByte == 9;
        case AnyReception: break;
        }
        return true;
    };
}

// HiDef 4 marks HEVC, which is not counted as HD.
StationFilter::Condition StationFilter::isHighDefinition()
{
    return [](const svl_station &station) { return station.HiDef == 1 || station.HiDef == 2; };
}

StationFilter::Condition StationFilter::hasFlag(uint8_t svl_station::*flag)
{
    return [flag](const svl_station &station) { return station.*flag != 0; };
}
