#include "app/tvbackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString tvBackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1String("/tv-backups");
}

QString tvBackupBase(const QString &setName, const QDateTime &when)
{
    QString name = setName.trimmed();
    for (QChar &c : name) {
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || QStringLiteral("-_.()").contains(c))
            continue;
        c = QLatin1Char('_');
    }
    if (name.startsWith(QLatin1Char('.')))
        name.prepend(QLatin1Char('_'));
    return tvBackupFolder() + QLatin1Char('/') + name + QLatin1Char(' ')
        + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
}

void pruneTvBackups()
{
    const QFileInfoList backups = QDir(tvBackupFolder()).entryInfoList(
        {QStringLiteral("*.svl40"), QStringLiteral("*.svl50")}, QDir::Files, QDir::Time);
    for (int i = KeptTvBackups; i < backups.size(); ++i)
        QFile::remove(backups[i].filePath());
}
