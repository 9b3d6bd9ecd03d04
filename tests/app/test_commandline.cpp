// Starts the program itself, as a desktop entry does, on files whose names
// a careless argument reader would break.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "tools/gen/svl_generate.h"

namespace {

bool writeTable(const QString &path)
{
    svl_table table = {};
    svl_generate_options options;
    options.stations = 5;
    const bool written = svl_generate_table(&table, options) == 0
        && svl_save_file(&table, QFile::encodeName(path).constData()) == 0;
    svl_free_table(&table, 1);
    return written;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensTheFileItIsGiven_data();
    void opensTheFileItIsGiven();
};

void TestCommandLine::initTestCase()
{
    QVERIFY2(qgetenv("KANVIO_IN_NETNS") == "1", "the program sends discovery datagrams");
}

void TestCommandLine::opensTheFileItIsGiven_data()
{
    QTest::addColumn<QStringList>("before"); // arguments before the file name
    QTest::addColumn<QString>("fileName");
    QTest::newRow("blanks and non-ASCII") << QStringList() << QStringLiteral("Sender Küche 東京.svl50");
    QTest::newRow("leading dash after --") << QStringList{QStringLiteral("--")} << QStringLiteral("-Sender.svl50");
}

// An opened file is remembered at once among the recent files; a file that
// fails to open shows an error box instead.
void TestCommandLine::opensTheFileItIsGiven()
{
    QFETCH(QStringList, before);
    QFETCH(QString, fileName);
    QTemporaryDir sandbox;
    QVERIFY(writeTable(sandbox.filePath(fileName)));

    const QString settings = sandbox.filePath(QStringLiteral("kanvio.ini"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("KANVIO_SETTINGS_FILE"), settings);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(sandbox.path());
    program.start(QStringLiteral(KANVIO_PROGRAM), before << fileName);
    const auto recentFiles = [&settings] {
        return QSettings(settings, QSettings::IniFormat).value(QStringLiteral("recentFiles")).toStringList();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!recentFiles().isEmpty(), 20000);
    program.kill();
    program.waitForFinished();
    QCOMPARE(recentFiles().value(0), sandbox.filePath(fileName));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
