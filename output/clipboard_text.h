#ifndef KANVIO_OUTPUT_CLIPBOARD_TEXT_H
#define KANVIO_OUTPUT_CLIPBOARD_TEXT_H

#include <QModelIndexList>
#include <QString>

#include <functional>

// The text of selected stations as spreadsheets paste it: one line per
// row, the row number (from 1), a tab and the texts of the row's cells
// separated by tabs; lines separated by line feeds, none after the last.
// indexes are the selected indexes in ascending row, then column order;
// cellText gives the text of one. A row whose first index is not in
// column 0 gets no number. Empty without indexes.
QString clipboardText(const QModelIndexList &indexes, const std::function<QString(const QModelIndex &)> &cellText);

#endif
