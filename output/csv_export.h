#ifndef KANVIO_OUTPUT_CSV_EXPORT_H
#define KANVIO_OUTPUT_CSV_EXPORT_H

#include <QByteArray>
#include <QString>

struct svl_list;

// A station list as CSV, as spreadsheets read it: one line per station in
// list order, its position in the list (from 1), a comma and its decoded
// name in double quotes, with every double quote inside the name doubled.
// Each line ends in CR LF. An entry without a station gives no line but
// keeps its position, so the numbers of the lines after it stay as they
// are. UTF-8 without a byte order mark, so that every name survives.
// Empty for a null or empty list.
QByteArray csvBytes(const svl_list *list);

// Writes csvBytes(list) to the file through a save file: the file is
// replaced only once everything is written, and any failure leaves an
// older file as it was. False on any failure.
bool writeCsvFile(const svl_list *list, const QString &path);

#endif
