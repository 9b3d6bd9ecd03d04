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
    const QString base = tvBackupFolder() + QLatin1Char('/') + name + QLatin1Char(' ')
        + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    // A second export within the same second must not replace the first
    // backup: that one holds what the set had before either.
    QString unique = base;
    for (int n = 2; QFile::exists(unique + QLatin1String(".svl40")) || QFile::exists(unique + QLatin1String(".svl50"));
         ++n)
        unique = base + QStringLiteral(" (%1)").arg(n);
    return unique;
}

void pruneTvBackups()
{
    const QFileInfoList backups = QDir(tvBackupFolder()).entryInfoList(
        {QStringLiteral("*.svl40"), QStringLiteral("*.svl50")}, QDir::Files, QDir::Time);
    for (int i = KeptTvBackups; i < backups.size(); ++i)
        QFile::remove(backups[i].filePath());
}
