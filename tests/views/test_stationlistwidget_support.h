// Small station tables built by hand for the station view tests, released
// with the object, and the stations of a list in their order.
#ifndef KANVIO_TESTS_VIEWS_TEST_STATIONLISTWIDGET_SUPPORT_H
#define KANVIO_TESTS_VIEWS_TEST_STATIONLISTWIDGET_SUPPORT_H

#include <QByteArray>
#include <QVector>

#include "svl/svl_ops.h"

namespace viewsupport {

using Stations = QVector<const svl_station *>;

inline Stations stationsOf(const svl_list *list)
{
    return Stations(list->stations, list->stations + list->count);
}

// A version-50 table of the two base lists and a TV and a radio favorite
// list; stations are added to their base list.
class HandTable
{
public:
    HandTable()
    {
        m_table.version = SVL_VERSION_50;
        svl_append_list(&m_table, svl_new_list(SVL_TV_LIST_NAME, SVL_KIND_TV, SVL_ATTR_BASE));
        svl_append_list(&m_table, svl_new_list(SVL_RADIO_LIST_NAME, SVL_KIND_RADIO, SVL_ATTR_BASE));
        svl_append_list(&m_table, svl_new_list("Favorites", SVL_KIND_TV_FAV, SVL_ATTR_FAVORITE));
        svl_append_list(&m_table, svl_new_list("Radio favorites", SVL_KIND_RADIO_FAV, SVL_ATTR_FAVORITE));
    }
    ~HandTable() { svl_free_table(&m_table, 1); }
    HandTable(const HandTable &) = delete;
    HandTable &operator=(const HandTable &) = delete;

    svl_table *table() { return &m_table; }
    svl_list *list(int index) { return m_table.lists[index]; }
    svl_list *base() { return list(0); }

    // Appends a digital satellite TV or radio station to its base list.
    svl_station *addStation(const QByteArray &name, bool radio = false)
    {
        svl_station *station = svl_new_station(SVL_VERSION_50);
        station->ProgramDataByte = radio ? 8 : 3;
        station->NetworkType = 2;
        station->CharSelCode = 5;
        svl_set_station_name(station, name.constData());
        svl_append_station(list(radio ? 1 : 0), station);
        return station;
    }
    void addStations(int count)
    {
        for (int i = 0; i < count; ++i)
            addStation("Station " + QByteArray::number(i + 1));
    }

private:
    svl_table m_table = svl_table();
};

} // namespace viewsupport

#endif
