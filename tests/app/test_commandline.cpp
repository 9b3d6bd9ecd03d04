// Starts the program itself, as a desktop entry does, on files whose names
// a careless argument reader would break.
#include <QProcess>

#include "tests/app/test_mainwindow_support.h"

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(testsupport::insideNetworkNamespace(), "the program sends discovery datagrams");
    }

    void opensTheFileItIsGiven_data()
    {
        QTest::addColumn<QStringList>("before"); // arguments before the file name
        QTest::addColumn<QString>("fileName");
        QTest::newRow("blanks and non-ASCII") << QStringList() << QStringLiteral("Sender Küche 東京.svl50");
        QTest::newRow("leading dash after --") << QStringList{QStringLiteral("--")} << QStringLiteral("-Sender.svl50");
    }

    // An opened file is remembered at once among the recent files. The
    // program inherits the name of the sandbox's settings file.
    void opensTheFileItIsGiven()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, fileName);
        const testsupport::Sandbox sandbox;
        const QString file = sandbox.writeTable(fileName, SVL_VERSION_50);
        QVERIFY(!file.isEmpty());
        qputenv("LC_ALL", "C.UTF-8");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setWorkingDirectory(sandbox.path(QString()));
        program.start(QStringLiteral(KANVIO_PROGRAM), before << fileName);
        const auto recentFiles = [&sandbox] { return sandbox.setting(QStringLiteral("recentFiles")).toStringList(); };
        QTRY_VERIFY_WITH_TIMEOUT(!recentFiles().isEmpty(), 20000);
        program.kill();
        program.waitForFinished();
        QCOMPARE(recentFiles().value(0), file);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
