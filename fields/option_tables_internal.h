#ifndef KANVIO_FIELDS_OPTION_TABLES_INTERNAL_H
#define KANVIO_FIELDS_OPTION_TABLES_INTERNAL_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// Untranslated option names by table name.
using OptionTableMap = QHash<QString, QStringList>;

// Reads an option tables document into tables. False, with tables left
// empty, when the root element is not svl_options of version "5.0". A table
// ends at its first child that is not an option; when a name occurs twice the
// first table counts. Tables read before an XML error are kept.
bool parseOptionTables(const QByteArray &document, OptionTableMap *tables);

#endif
