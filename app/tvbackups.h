#ifndef KANVIO_APP_TVBACKUPS_H
#define KANVIO_APP_TVBACKUPS_H

#include <QDateTime>
#include <QString>

// The backups of what TV sets held before an export overwrote it: ordinary
// station table files in a folder of the user's data folder, named by the
// set and the time, of which the newest KeptTvBackups stay.
enum { KeptTvBackups = 20 };

// "tv-backups" in the user's data folder.
QString tvBackupFolder();

// The path, without its extension, of the backup of the set named setName
// (its friendly name or address) made at when. Characters a file name
// cannot hold on every system become "_"; a number follows the time when
// a backup of that name exists.
QString tvBackupBase(const QString &setName, const QDateTime &when);

// Removes every station table file of the folder but the newest
// KeptTvBackups.
void pruneTvBackups();

#endif
