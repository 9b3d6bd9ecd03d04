#ifndef KANVIO_VIEWS_STATIONFILTER_H
#define KANVIO_VIEWS_STATIONFILTER_H

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>

#include "svl/svl.h"

// What the advanced search asks of a station: small conditions that must
// all hold, for a station that has a name. The search dialog builds one
// from its controls; a new kind of filter is one more condition, made by a
// function like those below.
class StationFilter
{
public:
    using Condition = std::function<bool(const svl_station &station)>;

    // The receive modes, in the order the search dialog offers them.
    enum ReceiveMode { AnyReception, AnalogTerrestrial, DvbC, DvbS, DvbT };

    // Adds a condition; returns the filter, so that conditions chain.
    StationFilter &require(Condition condition);

    // True while no condition was added.
    bool isEmpty() const;

    // Whether station is one with a name that meets every condition.
    bool accepts(const svl_station *station) const;

    // The name decoded in its character set contains text, ignoring case.
    static Condition nameContains(const QString &text);
    // Received the way of the mode; AnyReception accepts every station.
    static Condition receivedBy(ReceiveMode mode);
    static Condition isHighDefinition();
    // The flag byte of the station is nonzero (childlock, epg, encrypted).
    static Condition hasFlag(uint8_t svl_station::*flag);

private:
    QVector<Condition> m_conditions;
};

#endif
