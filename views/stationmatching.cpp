#include "views/stationmatching.h"

#include <QFile>

#include "fields/station_fields.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"

void MatchKeys::takeList(const svl_list *list)
{
    const int count = list ? int(list->count) : 0;
    m_names.resize(count);
    m_keys.resize(count);
    for (int i = 0; i < count; ++i)
        m_names[i] = stationNameText(list->stations[i]).toUtf8();
    // The keys point into the names, so they are made once no name moves.
    for (int i = 0; i < count; ++i)
        m_keys[i] = svl_key_of_station(list->stations[i], m_names[i].constData());
}

void MatchKeys::takeNames(const svl_name_column &column)
{
    const int count = int(column.count);
    m_names.resize(count);
    m_keys.resize(count);
    for (int i = 0; i < count; ++i)
        m_names[i] = QByteArray(column.names[i]);
    for (int i = 0; i < count; ++i)
        m_keys[i] = svl_key_of_name(m_names[i].constData());
}

namespace {

bool readCsvKeys(const QString &path, MatchKeys *keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > qint64(SVL_MAX_CSV_SIZE))
        return false;
    const QByteArray bytes = file.readAll();
    svl_name_column column = svl_name_column();
    if (svl_read_csv_names(bytes.constData(), size_t(bytes.size()), &column) != 0)
        return false;
    keys->takeNames(column);
    svl_free_name_column(&column);
    return true;
}

bool readTableKeys(const QString &path, uint32_t baseKind, MatchKeys *keys)
{
    svl_table table = svl_table();
    if (svl_load_file(&table, QFile::encodeName(path).constData()) != 0)
        return false;
    keys->takeList(table.lists[svl_base_index_of(baseKind)]);
    svl_free_table(&table, 1);
    return true;
}

} // namespace

bool readReferenceKeys(const QString &path, uint32_t baseKind, MatchKeys *keys)
{
    if (svl_base_index_of(baseKind) < 0)
        return false;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return readCsvKeys(path, keys);
    return readTableKeys(path, baseKind, keys);
}

bool referenceOrder(const svl_list *list, const MatchKeys &reference, QVector<uint32_t> *order,
                    svl_match_counts *counts)
{
    MatchKeys stations;
    stations.takeList(list);
    order->resize(int(stations.count()));
    return svl_reference_order(stations.keys(), stations.count(), reference.keys(), reference.count(),
                               order->data(), counts) == 0;
}

QVector<int> duplicateRows(const svl_list *list)
{
    MatchKeys stations;
    stations.takeList(list);
    QVector<uint8_t> duplicate(int(stations.count()));
    QVector<int> rows;
    if (svl_find_duplicates(stations.keys(), stations.count(), duplicate.data()) < 0)
        return rows;
    for (int row = 0; row < duplicate.size(); ++row)
        if (duplicate[row])
            rows.append(row);
    return rows;
}
