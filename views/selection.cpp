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
