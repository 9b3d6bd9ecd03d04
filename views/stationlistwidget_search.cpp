// StationListWidget: the searches. Both give one selection range per hit,
// a whole row, in ascending row order.
#include "views/stationlistwidget.h"

#include <QTextCodec>
#include <QVector>

#include <cstdlib>

#include "fields/station_fields.h"
#include "svl/svl_ops.h"
#include "views/stationfilter.h"
#include "views/stationlistmodel.h"
#include "views/stationmatching.h"

namespace {

// Quick search texts were once compared with the raw name bytes in this
// character set; whatever that comparison found is still found.
constexpr int LegacySearchCharSelCode = 5;

// Marks the stations whose raw name bytes contain the text encoded in the
// legacy character set, ASCII letters ignoring case. A text that set
// cannot encode would be compared as substitute characters, which no user
// typed, so it marks nothing.
void markByteMatches(const svl_list *list, const QString &text, QVector<bool> *hits)
{
    const QTextCodec *codec = codecForCharSelCode(LegacySearchCharSelCode);
    if (!codec || !codec->canEncode(text))
        return;
    char *pattern = nullptr;
    uint32_t *indexes = nullptr;
    if (!nameFromUnicode(text, &pattern, LegacySearchCharSelCode))
        return;
    const int found = svl_find_stations_by_name(list, pattern, &indexes);
    for (int i = 0; i < found; ++i)
        (*hits)[int(indexes[i])] = true;
    if (found >= 0)
        svl_free_indexes(indexes);
    free(pattern);
}

} // namespace

QItemSelection StationListWidget::findStations(const QString &text) const
{
    const svl_list *list = m_model->stationList();
    if (text.isEmpty() || !list)
        return QItemSelection();
    QVector<bool> hits(int(list->count), false);
    markByteMatches(list, text, &hits);
    const StationFilter decodedName = StationFilter().require(StationFilter::nameContains(text));
    for (int row = 0; row < hits.size(); ++row) {
        if (!hits[row])
            hits[row] = decodedName.accepts(list->stations[row]);
    }
    QItemSelection selection;
    for (int row = 0; row < hits.size(); ++row) {
        if (hits[row])
            selection.append(rowRange(row));
    }
    return selection;
}

QItemSelection StationListWidget::filterStations(const StationFilter &filter) const
{
    const svl_list *list = m_model->stationList();
    QItemSelection selection;
    for (uint32_t row = 0; list && row < list->count; ++row) {
        if (filter.accepts(list->stations[row]))
            selection.append(rowRange(int(row)));
    }
    return selection;
}

QItemSelection StationListWidget::filterDuplicates(const StationFilter &filter) const
{
    const svl_list *list = m_model->stationList();
    QItemSelection selection;
    for (int row : duplicateRows(list)) {
        if (filter.isEmpty() || filter.accepts(list->stations[row]))
            selection.append(rowRange(row));
    }
    return selection;
}

// The list view has one column, the table view one per field.
QItemSelectionRange StationListWidget::rowRange(int row) const
{
    return QItemSelectionRange(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
}
