#include "app/settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void fileLocation_data();
    void fileLocation();
    void readOnlyProgramFolderUsesUserFolder();
    void environmentRedirectsFile();
    void fileIsIniAndCreatesItsFolder();
    void defaultDirectoryRoundTrip();

private:
    QTemporaryDir userStore;
};

void TestSettings::initTestCase()
{
    QVERIFY(userStore.isValid());
    qunsetenv(settingsFileVariable);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, userStore.path());
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Kanvio"));
}

void TestSettings::cleanup()
{
    qunsetenv(settingsFileVariable);
}

void TestSettings::fileLocation_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<bool>("beside");
    QTest::newRow("writable folder") << QString() << true;
    QTest::newRow("missing folder") << QStringLiteral("no-such-folder") << false;
    QTest::newRow("file instead of folder") << QStringLiteral("a-file") << false;
}

void TestSettings::fileLocation()
{
    QFETCH(QString, programDir);
    QFETCH(bool, beside);
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    QFile plainFile(temporary.filePath(QStringLiteral("a-file")));
    QVERIFY(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    const QString program = programDir.isEmpty() ? temporary.path() : temporary.filePath(programDir);
    const QString user = temporary.filePath(QStringLiteral("user"));

    const QString expected = (beside ? program : user) + QStringLiteral("/kanvio.ini");
    QCOMPARE(settingsFilePathFor(program, user), expected);
}

void TestSettings::readOnlyProgramFolderUsesUserFolder()
{
    QTemporaryDir program;
    QVERIFY(program.isValid());
    QVERIFY(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool enforced = !QFileInfo(program.path()).isWritable();
    const QString chosen = settingsFilePathFor(program.path(), QStringLiteral("/user"));
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced)
        QSKIP("permissions are not enforced for this user");
    QCOMPARE(chosen, QStringLiteral("/user/kanvio.ini"));
}

void TestSettings::environmentRedirectsFile()
{
    const QString usual = settingsFilePathFor(QCoreApplication::applicationDirPath(),
                                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    QCOMPARE(settingsFilePath(), usual);
    qputenv(settingsFileVariable, "/somewhere/else.ini");
    QCOMPARE(settingsFilePath(), QStringLiteral("/somewhere/else.ini"));
}

// On first start the user's configuration folder may not exist yet.
void TestSettings::fileIsIniAndCreatesItsFolder()
{
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString path = temporary.filePath(QStringLiteral("Tavrel/Kanvio/kanvio.ini"));
    qputenv(settingsFileVariable, QFile::encodeName(path));
    {
        const std::unique_ptr<QSettings> settings = openSettingsFile();
        QCOMPARE(settings->format(), QSettings::IniFormat);
        QCOMPARE(settings->fileName(), path);
        settings->setValue(QStringLiteral("language"), QStringLiteral("English"));
        settings->setValue(QStringLiteral("size"), QSize(1000, 600));
        settings->sync();
        QCOMPARE(settings->status(), QSettings::NoError);
    }
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();
    QVERIFY2(content.contains("language=English"), content.constData());
    QVERIFY2(content.contains("size=@Size(1000 600)"), content.constData());
    QCOMPARE(openSettingsFile()->value(QStringLiteral("language")).toString(), QStringLiteral("English"));
}

void TestSettings::defaultDirectoryRoundTrip()
{
    QVERIFY(defaultDirectory().isEmpty());
    setDefaultDirectory(QStringLiteral("/home/user/tables"));
    QCOMPARE(defaultDirectory(), QStringLiteral("/home/user/tables"));
    QCOMPARE(QSettings().value(QStringLiteral("default_dir")).toString(), QStringLiteral("/home/user/tables"));
    QVERIFY(QSettings().fileName().startsWith(userStore.path()));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
