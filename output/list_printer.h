#ifndef KANVIO_OUTPUT_LIST_PRINTER_H
#define KANVIO_OUTPUT_LIST_PRINTER_H

#include <QString>

class QPrinter;
struct svl_list;

// Prints a station list as numbered names, set in as many columns of 32
// average characters as fit across the page and at least one, numbered
// down each column and then across the columns, page after page. The title
// stands at the top of the first page; every page ends in a footer of the
// title and "- N -", N being the page. An entry without a station prints
// nothing but keeps its number. The printer must be in screen resolution
// mode: the layout is measured in its units of 1/96 inch. Returns the
// number of pages printed; 0 for a null or empty list; -1 when the printer
// cannot be painted on or the printing ends in an error (an output file
// that cannot be written, a printer that went away).
int printStationList(QPrinter *printer, const QString &title, const svl_list *list);

#endif
