#include "texts/settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

#include "texts/version.h"

const char defaultDirKey[] = "default_dir";
const char settingsFileVariable[] = "KANVIO_SETTINGS_FILE";

namespace {

const char settingsFileName[] = "kanvio.ini";

QString fileIn(const QString &directory)
{
    return directory + QLatin1Char('/') + QLatin1String(settingsFileName);
}

} // namespace

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Kanvio"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kanvio"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tavrel.com"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KANVIO_VERSION));
}

// An installed program sits in a bin folder beside share/, where its
// desktop entry lies. That folder is shared with other programs, and most
// users cannot write it: settings kept there would litter it, or silently
// never be saved.
bool isInstalledProgramFolder(const QString &programDir)
{
    return QFileInfo::exists(programDir + QLatin1String("/../share/applications/" KANVIO_APP_ID ".desktop"));
}

QString settingsFilePathFor(const QString &programDir, const QString &userConfigDir)
{
    const QFileInfo folder(programDir);
    if (folder.isDir() && folder.isWritable() && !isInstalledProgramFolder(programDir))
        return fileIn(programDir);
    return fileIn(userConfigDir);
}

QString settingsFilePath()
{
    const QString override = qEnvironmentVariable(settingsFileVariable);
    if (!override.isEmpty())
        return override;
    return settingsFilePathFor(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

std::unique_ptr<QSettings> openSettingsFile()
{
    return std::make_unique<QSettings>(settingsFilePath(), QSettings::IniFormat);
}

QString defaultDirectory()
{
    return QSettings().value(QLatin1String(defaultDirKey)).toString();
}

void setDefaultDirectory(const QString &directory)
{
    QSettings().setValue(QLatin1String(defaultDirKey), directory);
}
