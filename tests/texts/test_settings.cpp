#include "texts/settings.h"
#include "texts/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileLocation();
    void fileIsIniAndCreatesItsFolder();
    void defaultDirectoryIsPerUser();

private:
    QTemporaryDir userStore;
};

void TestSettings::initTestCase()
{
    QVERIFY(userStore.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userStore.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Kanvio"));
}

// A portable copy keeps its settings beside the program; an installed one,
// whose folder the user cannot write, in the user's configuration folder.
void TestSettings::fileLocation()
{
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    const QString user = folder.filePath(QStringLiteral("user"));
    const QString userFile = user + QStringLiteral("/kanvio.ini");
    QVERIFY(QFile(folder.filePath(QStringLiteral("a-file"))).open(QIODevice::WriteOnly));
    QVERIFY(folder.mkdir(QStringLiteral("read-only")));
    QVERIFY(QFile::setPermissions(folder.filePath(QStringLiteral("read-only")), QFile::ReadOwner | QFile::ExeOwner));

    // An installed program's bin folder is shared and, for root, writable.
    QVERIFY(folder.mkpath(QStringLiteral("prefix/bin")));
    QVERIFY(folder.mkpath(QStringLiteral("prefix/share/applications")));
    QVERIFY(QFile(folder.filePath(QStringLiteral("prefix/share/applications/" KANVIO_APP_ID ".desktop")))
                .open(QIODevice::WriteOnly));

    QCOMPARE(settingsFilePathFor(folder.path(), user), folder.filePath(QStringLiteral("kanvio.ini")));
    for (const QString elsewhere : {"missing", "a-file", "read-only", "prefix/bin"}) {
        // Permissions do not bind root.
        if (elsewhere != QLatin1String("read-only") || !QFileInfo(folder.filePath(elsewhere)).isWritable())
            QCOMPARE(settingsFilePathFor(folder.filePath(elsewhere), user), userFile);
    }
}

// On first start the user's configuration folder may not exist yet. Tests
// name a file of their own; the program uses the folders above.
void TestSettings::fileIsIniAndCreatesItsFolder()
{
    QTemporaryDir temporary;
    const QString path = temporary.filePath(QStringLiteral("Tavrel/Kanvio/kanvio.ini"));
    qputenv(settingsFileVariable, QFile::encodeName(path));
    openSettingsFile()->setValue(QStringLiteral("language"), QStringLiteral("English"));
    qunsetenv(settingsFileVariable);
    QCOMPARE(settingsFilePath(), settingsFilePathFor(QCoreApplication::applicationDirPath(),
                                                     QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));

    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().trimmed(), QByteArray("[General]\nlanguage=English"));
}

void TestSettings::defaultDirectoryIsPerUser()
{
    QCOMPARE(defaultDirectory(), QString());
    setDefaultDirectory(QStringLiteral("/home/user/tables"));
    QCOMPARE(defaultDirectory(), QStringLiteral("/home/user/tables"));
    QSettings store;
    QVERIFY(store.fileName().startsWith(userStore.path()));
    QCOMPARE(store.value(QStringLiteral("default_dir")).toString(), QStringLiteral("/home/user/tables"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
