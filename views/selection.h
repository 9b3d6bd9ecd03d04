#ifndef KANVIO_VIEWS_SELECTION_H
#define KANVIO_VIEWS_SELECTION_H

#include <QModelIndexList>

class QItemSelectionModel;

// The selected indexes of a view in ascending row, then column order. In
// table view a selected row gives one index per column. Empty for a null
// selection model.
QModelIndexList sortedSelectedIndexes(const QItemSelectionModel *selectionModel);

#endif
