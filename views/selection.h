#ifndef KANVIO_VIEWS_SELECTION_H
#define KANVIO_VIEWS_SELECTION_H

#include <QModelIndexList>
#include <QVector>

class QItemSelectionModel;

// The selected indexes of a view in ascending row, then column order. In
// table view a selected row gives one index per column. Empty for a null
// selection model.
QModelIndexList sortedSelectedIndexes(const QItemSelectionModel *selectionModel);

// The rows holding a selected index, ascending, each once: what the editing
// commands act on. Read from the selection's ranges, so that thousands of
// selected table rows are not taken apart cell by cell. Empty for a null
// selection model.
QVector<int> selectedRows(const QItemSelectionModel *selectionModel);

#endif
