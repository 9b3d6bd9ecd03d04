#include "output/csv_export.h"

#include <QSaveFile>

#include "fields/station_fields.h"
#include "svl/svl.h"

namespace {

// A field in double quotes, each quote inside it doubled.
QString quoted(QString field)
{
    field.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

} // namespace

QByteArray csvBytes(const svl_list *list)
{
    QString text;
    for (uint32_t position = 1; list && position <= list->count; ++position) {
        const svl_station *station = list->stations[position - 1];
        if (station)
            text += QString::number(position) + QLatin1Char(',') + quoted(stationNameText(station))
                + QLatin1String("\r\n");
    }
    return text.toUtf8();
}

bool writeCsvFile(const svl_list *list, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // Qt 5's commit() misses a write that fails while it flushes (a full
    // disk cuts the file short and commit() still reports success), so
    // the bytes are flushed and checked first. The destructor drops the
    // unfinished file.
    const QByteArray bytes = csvBytes(list);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
