#include "views/selection.h"

#include <QItemSelectionModel>

#include <algorithm>

QModelIndexList sortedSelectedIndexes(const QItemSelectionModel *selectionModel)
{
    if (!selectionModel)
        return QModelIndexList();
    QModelIndexList indexes = selectionModel->selectedIndexes();
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

QVector<int> selectedRows(const QItemSelectionModel *selectionModel)
{
    QVector<int> rows;
    if (!selectionModel)
        return rows;
    for (const QItemSelectionRange &range : selectionModel->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}
