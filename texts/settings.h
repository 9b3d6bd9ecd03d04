#ifndef KANVIO_TEXTS_SETTINGS_H
#define KANVIO_TEXTS_SETTINGS_H

#include <QSettings>
#include <QString>

#include <memory>

// Names the program, its maker and its version for Qt, which also finds
// the per-user settings store by these names. Call it once, right after
// the application object is made.
void describeApplication();

// Key of the per-user start directory of the file dialogs.
extern const char defaultDirKey[];

// Environment variable naming a settings file to use instead of the usual one.
extern const char settingsFileVariable[];

// Path of "kanvio.ini": the file named by KANVIO_SETTINGS_FILE when set;
// otherwise beside the executable when its folder is writable (a portable
// copy), else in the user's configuration folder.
QString settingsFilePath();

// The choice of settingsFilePath() for given folders, without the override.
QString settingsFilePathFor(const QString &programDir, const QString &userConfigDir);

// The settings file at settingsFilePath(), in INI format.
std::unique_ptr<QSettings> openSettingsFile();

// The per-user start directory of the open, save and export dialogs; empty
// when none was stored yet.
QString defaultDirectory();
void setDefaultDirectory(const QString &directory);

#endif
