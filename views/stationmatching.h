#ifndef KANVIO_VIEWS_STATIONMATCHING_H
#define KANVIO_VIEWS_STATIONMATCHING_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include "svl/svl_match.h"

// The library's matching over names decoded as the editor shows them: the
// order of a reference list and the duplicates of a list.

// The matching keys of stations or names, with the UTF-8 names they point at.
class MatchKeys
{
public:
    MatchKeys() = default;
    MatchKeys(const MatchKeys &) = delete;
    MatchKeys &operator=(const MatchKeys &) = delete;

    // The keys of a list's stations.
    void takeList(const svl_list *list);
    // The keys of bare names.
    void takeNames(const svl_name_column &column);

    const svl_station_key *keys() const { return m_keys.constData(); }
    uint32_t count() const { return uint32_t(m_keys.size()); }

private:
    QVector<QByteArray> m_names;
    QVector<svl_station_key> m_keys;
};

// Reads a reference list into keys: the names of a CSV file when the path
// ends in ".csv" (any case), else the base list of the given kind of a
// station table file. False when the file cannot be read or is no table.
bool readReferenceKeys(const QString &path, uint32_t baseKind, MatchKeys *keys);

// The order of the list after the reference (see svl_reference_order):
// order[k] is the row that comes to row k. False when memory runs out.
bool referenceOrder(const svl_list *list, const MatchKeys &reference, QVector<uint32_t> *order,
                    svl_match_counts *counts);

// The rows of the list that repeat an earlier station (see
// svl_find_duplicates), ascending; empty when memory runs out.
QVector<int> duplicateRows(const svl_list *list);

#endif
