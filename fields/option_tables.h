#ifndef KANVIO_FIELDS_OPTION_TABLES_H
#define KANVIO_FIELDS_OPTION_TABLES_H

#include <QString>

class QComboBox;

// The names of the enumerated station fields. A value is the 0-based position
// of its name in the option table that bears the field's name; the tables are
// the resource ":/svl_station_options.xml". Names are translated in the
// generic context "QObject".

// A new combo box without parent holding the names of the table in value
// order, or null when the table does not exist or the tables cannot be
// loaded. The caller owns the box.
QComboBox *createOptionComboBox(const QString &table);

// The name of value in the table; an empty text for a negative value, a value
// beyond the last option, an unknown table or tables that cannot be loaded.
QString optionText(const QString &table, int value);

#endif
