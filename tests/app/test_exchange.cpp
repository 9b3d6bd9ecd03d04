// TV exchange end to end against kanvio-tvsim: the dialog's list of sets,
// import and export through it, every fault of a set, the backup of the
// set's table, and closing the dialog or the window while a transfer runs.
#include <QDesktopServices>
#include <QLineEdit>
#include <QListWidget>

#include <csignal>

#include "app/ssdpdialog.h"
#include "app/tvbackups.h"
#include "views/searchdialog.h"
#include "tests/app/test_mainwindow_support.h"
#include "tests/support/runners.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

using testsupport::action;
using testsupport::imageOfFile;
using testsupport::MessageCatcher;

namespace {

constexpr int ShortWaitMs = 300;

// A simulated set on port 1938 of the address, as the editor expects it.
std::unique_ptr<TvSim> startSet(const QString &address, std::vector<std::string> more)
{
    more.insert(more.begin(), {"--address", address.toStdString()});
    auto sim = std::make_unique<TvSim>(more);
    return sim->wait_ready() ? std::move(sim) : nullptr;
}

QByteArray documentImage(MainWindow &window, const testsupport::Sandbox &sandbox)
{
    const QString path = sandbox.path(QStringLiteral("document"));
    return window.stationTableWidget()->saveFile(path) == 0 ? imageOfFile(path) : QByteArray("none");
}

std::unique_ptr<MainWindow> openWindow(const QString &file, bool backup = true)
{
    auto window = testsupport::openWindow(file);
    window->stationTableWidget()->setTransferOptions({TV_PORT, ShortWaitMs});
    action(*window, "tvBackupAct")->setChecked(backup);
    return window;
}

QStringList listedNames(const SsdpDialog &dialog)
{
    QStringList names;
    const auto *list = dialog.findChild<QListWidget *>();
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    names.sort();
    return names;
}

// Plays the user in the exchange dialog that the action opens: starts the
// exchange with the set listed under name, or with the typed address when
// no name is given, and closes the dialog at once when told so.
bool exchange(MainWindow &window, const char *actionName, const QString &address, const QString &name = QString(),
              bool closeAtOnce = false)
{
    testsupport::ModalDriver driver([&](QWidget *modal) {
        auto *dialog = qobject_cast<SsdpDialog *>(modal);
        if (!dialog || (!name.isNull() && !listedNames(*dialog).contains(name)))
            return false;
        auto *list = dialog->findChild<QListWidget *>();
        if (name.isNull()) {
            dialog->findChild<QLineEdit *>()->setText(address);
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                if (button->text() != Strings::text(Strings::RefreshButton))
                    button->click();
        } else {
            const QRect item = list->visualItemRect(list->findItems(name, Qt::MatchExactly).first());
            // A double click begins with a click.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
        }
        if (closeAtOnce)
            dialog->reject();
        return true;
    });
    action(window, actionName)->trigger();
    return driver.handled();
}

int cachedDevices(ssdp_engine &engine)
{
    int count = 0;
    if (ssdp_lock(&engine) != 0)
        return 0;
    for (const ssdp_device *device = engine.devices; device; device = device->next)
        ++count;
    ssdp_unlock(&engine);
    return count;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::prepareWindowTests(); }

    // The backups go to the data folder of the test's own sandbox.
    void init()
    {
        m_sandbox = std::make_unique<testsupport::Sandbox>();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_sandbox->path(QStringLiteral("data"))));
    }

    // Gone before the next case's is made, whose settings variable it would
    // otherwise clear.
    void cleanup() { m_sandbox.reset(); }

    // Two devices on one host are one entry, kept while either is there; a set
    // that never sends its description stays unlisted without holding up the
    // others.
    void dialogListsSetsByName()
    {
        const auto living = startSet("127.0.0.2", {"--ssdp", "--name", "Living room", "--generate", "3"});
        const auto second = startSet("127.0.0.2", {"--ssdp", "--name", "Second", "--port", "0", "--http-port", "0",
                                                   "--generate", "3"});
        const auto kitchen = startSet("127.0.0.3", {"--ssdp", "--name", "Kitchen", "--generate", "3"});
        const auto mute = startSet("127.0.0.4", {"--ssdp", "--fault", "mute-description", "--generate", "3"});
        QVERIFY(living && second && kitchen && mute);
        ssdp_engine engine = {};
        QCOMPARE(ssdp_start(&engine, testsupport::discoveryWaitMs), 0);
        {
            SsdpDialog dialog(QString(), QString(), QString(), &engine, nullptr, ShortWaitMs);
            dialog.searchTvs();
            QTRY_COMPARE(cachedDevices(engine), 4);
            QTRY_VERIFY(listedNames(dialog).contains(QStringLiteral("Kitchen")) && listedNames(dialog).size() == 2);
            QCoreApplication::processEvents();
            QCOMPARE(listedNames(dialog).size(), 2);
            const QString host2 = dialog.deviceName(QStringLiteral("127.0.0.2"));
            QVERIFY(host2 == QLatin1String("Living room") || host2 == QLatin1String("Second"));
            second->stop(SIGTERM);
            kitchen->stop(SIGTERM);
            QTRY_COMPARE(listedNames(dialog), QStringList{host2});
        }
        ssdp_stop(&engine);
    }

    // The set's table becomes the document, which has no file yet: the prompt's
    // "Save" asks for one. The address and the backup choice outlast a restart.
    void importReplacesDocument()
    {
        const QString tvTable = m_sandbox->writeTable(QStringLiteral("tv.svl50"), SVL_VERSION_50, 3, 5);
        const auto set = startSet("127.0.0.5", {"--ssdp", "--name", "Den", tvTable.toStdString()});
        QVERIFY(set);
        auto window = openWindow(m_sandbox->writeTable(QStringLiteral("mine.svl40"), SVL_VERSION_40));
        testsupport::selectRows(testsupport::listWidget(*window, SVL_TV_LIST_INDEX), 0, 0);
        QVERIFY(action(*window, "deleteAct")->isEnabled());
        QVERIFY(exchange(*window, "importAct", QString(), QStringLiteral("Den")));
        for (const char *selectionAction : {"copyAct", "deleteAct", "optionsAct", "defaultAct", "moveUpAct", "moveDownAct",
                                            "moveToTopAct", "moveToBottomAct", "moveToPositionAct"})
            QVERIFY2(!action(*window, selectionAction)->isEnabled(), selectionAction);
        QCOMPARE(documentImage(*window, *m_sandbox), imageOfFile(tvTable));
        QCOMPARE(window->windowFilePath(), Strings::text(Strings::NetworkDeviceTitle) + "127.0.0.5");

        MessageCatcher prompt(Strings::text(Strings::SaveAction));
        testsupport::triggerChoosingFile(*window, "newAct", m_sandbox->path(QStringLiteral("saved")));
        QVERIFY(prompt.seen());
        QCOMPARE(imageOfFile(m_sandbox->path(QStringLiteral("saved.svl50"))), imageOfFile(tvTable));

        action(*window, "tvBackupAct")->setChecked(false);
        window = testsupport::openWindow();
        QVERIFY(!action(*window, "tvBackupAct")->isChecked());
        QString offered;
        const auto restarted = testsupport::onNextDialog<SsdpDialog>([&offered](SsdpDialog *dialog) {
            offered = dialog->findChild<QLineEdit *>()->text();
            dialog->reject();
        });
        action(*window, "importAct")->trigger();
        QCOMPARE(offered, QStringLiteral("127.0.0.5"));
    }

    // What the set held before the export is kept, named after the set,
    // among the newest 20 backups.
    void exportWritesDocumentAfterBackup()
    {
        const QString tvTable = m_sandbox->writeTable(QStringLiteral("tv.svl40"), SVL_VERSION_40, 0, 5);
        const QString written = m_sandbox->path(QStringLiteral("written.svl50"));
        const auto set = startSet("127.0.0.6", {"--ssdp", "--name", "Den: TV/2", "--save", written.toStdString(),
                                                tvTable.toStdString()});
        QVERIFY(set);
        auto window = openWindow(m_sandbox->writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50));
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openedUrl");
        action(*window, "backupFolderAct")->trigger();
        const QString folder = m_openedUrl.toLocalFile();
        for (int i = 0; i < KeptTvBackups; ++i) {
            QFile old(folder + QStringLiteral("/old %1.svl50").arg(i, 2, 10, QLatin1Char('0')));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.setFileTime(QDateTime::currentDateTime().addDays(i - 30), QFileDevice::FileModificationTime);
        }

        MessageCatcher done(QString(), Strings::text(Strings::ExportDoneTitle));
        QVERIFY(exchange(*window, "exportAct", QString(), QStringLiteral("Den: TV/2")));
        const QStringList kept = QDir(folder).entryList(QDir::Files);
        QCOMPARE(kept.size(), int(KeptTvBackups));
        QVERIFY(!kept.contains(QStringLiteral("old 00.svl50")));
        const QString backup = folder + QLatin1Char('/') + kept.filter(QStringLiteral("Den_ TV_2 ")).value(0);
        QVERIFY2(backup.endsWith(QStringLiteral(".svl40")), qPrintable(backup));
        QCOMPARE(imageOfFile(backup), imageOfFile(tvTable));
        QVERIFY(done.message().text.contains(QDir::toNativeSeparators(backup)));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        // A second backup of the same set in the same second keeps the first.
        const QDateTime now = QDateTime::currentDateTime();
        QFile first(tvBackupBase(QStringLiteral("Den"), now) + QStringLiteral(".svl50"));
        QVERIFY(first.open(QIODevice::WriteOnly));
        QCOMPARE(tvBackupBase(QStringLiteral("Den"), now) + QStringLiteral(".svl50"),
                 first.fileName().chopped(6) + QStringLiteral(" (2).svl50"));

        QFile::remove(written);
        const auto unreadable = startSet("127.0.0.7", {"--fault", "bad-image", "--save", written.toStdString(),
                                                       "--generate", "3"});
        MessageCatcher stopped;
        QVERIFY(unreadable && exchange(*window, "exportAct", QStringLiteral("127.0.0.7")));
        QCOMPARE(stopped.message().text, Strings::text(Strings::ReadingBackupMessage) + QStringLiteral("127.0.0.7")
                                             + Strings::text(Strings::NotExportedSuffix));
        QVERIFY(!QFile::exists(written));
    }

    void faultsGiveMessagesAndKeepDocument_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("importResult");
        QTest::addColumn<int>("exportResult");

        // One fault for each outcome the window tells apart; the library's
        // transfer tests pin every fault of a set.
        QTest::newRow("none") << "127.0.1.1" << 0 << 0;
        QTest::newRow("refuse") << "127.0.1.2" << 1 << 1;
        QTest::newRow("truncated") << "127.0.1.3" << 2 << 2;
        QTest::newRow("bad-image") << "127.0.1.4" << 2 << 0;
    }

    // The transfer itself, without the backup: a failure is told with the
    // address and changes nothing; a success says nothing.
    void faultsGiveMessagesAndKeepDocument()
    {
        QFETCH(QString, address);
        QFETCH(int, importResult);
        QFETCH(int, exportResult);
        const auto set = startSet(address, {"--fault", QTest::currentDataTag(), "--generate", "3"});
        QVERIFY(set);
        const auto window = openWindow(m_sandbox->writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50), false);
        const QByteArray before = documentImage(*window, *m_sandbox);
        auto check = [&](const char *actionName, int result, int transferTextId) {
            MessageCatcher error;
            QVERIFY(exchange(*window, actionName, address));
            const int textId = result == 1 ? int(Strings::ConnectingMessage) : transferTextId;
            QCOMPARE(error.message().text, result ? testsupport::failureText(textId, address) : QString());
            if (result != 0)
                QCOMPARE(documentImage(*window, *m_sandbox), before);
            QVERIFY(action(*window, "importAct")->isEnabled() && window->stationTableWidget()->isEnabled());
        };
        check("exportAct", exportResult, Strings::WritingToTvMessage);
        check("importAct", importResult, Strings::ReadingFromTvMessage);
    }

    // The document stays the worker's until it is done, whatever the user
    // closes meanwhile: the window closes once the transfer has ended, or, when
    // it goes at once, waits for the worker first.
    void closingDuringTransferIsSafe()
    {
        const auto set = startSet("127.0.0.8", {"--fault", "stall", "--generate", "3"});
        QVERIFY(set);
        auto window = openWindow(m_sandbox->writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50));
        window->show();
        QVERIFY(exchange(*window, "exportAct", QStringLiteral("127.0.0.8"), QString(), true));
        QVERIFY(!window->stationTableWidget()->isEnabled() && !action(*window, "newAct")->isEnabled());
        QVERIFY(!action(*window, "exportAct")->isEnabled() && !action(*window, "undoAct")->isEnabled());
        window->close();
        QVERIFY(window->isVisible());
        MessageCatcher error;
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(error.message().title, Strings::text(Strings::ExportErrorTitle));

        QVERIFY(exchange(*window, "exportAct", QStringLiteral("127.0.0.8"), QString(), true));
        window.reset();
    }

    // While an export runs, nothing the user can reach changes the document:
    // every action, and the advanced search with the selection it makes. The
    // set receives the bytes a save wrote when the export began. The set
    // trickles its answers, so the backup read before the write takes seconds.
    void nothingChangesTheDocumentDuringAnExport()
    {
        const QString written = m_sandbox->path(QStringLiteral("written.svl50"));
        const auto set = startSet("127.0.0.9", {"--fault", "trickle", "--save", written.toStdString(), "--generate", "10"});
        QVERIFY(set);
        auto window = openWindow(m_sandbox->writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50, 2, 3, 200));
        StationTableWidget *tables = window->stationTableWidget();
        const QByteArray before = documentImage(*window, *m_sandbox);
        QVERIFY(exchange(*window, "exportAct", QStringLiteral("127.0.0.9"), QString(), true));
        QVERIFY(tables->isTransferRunning());

        tables->startAdvancedSearch();
        auto *search = window->findChild<SearchDialog *>();
        QVERIFY(search);
        search->doSearch();
        QVERIFY(tables->selectedListWidget()->viewSelectionModel()->hasSelection());
        const QStringList leftAlone = {"exitAct", "aboutAct", "backupFolderAct", "englishAct", "germanAct"};
        // Qt 5 triggers disabled actions too; a user reaches the enabled ones.
        for (QAction *each : window->findChildren<QAction *>()) {
            if (each->isEnabled() && !leftAlone.contains(each->objectName()))
                each->trigger();
        }
        search->reject();
        QVERIFY2(tables->isTransferRunning(), "the export ended before everything was tried");
        QCOMPARE(documentImage(*window, *m_sandbox), before);

        MessageCatcher done(QString(), Strings::text(Strings::ExportDoneTitle));
        QTRY_VERIFY_WITH_TIMEOUT(!tables->isTransferRunning(), 30000);
        QVERIFY(done.seen());
        QCOMPARE(imageOfFile(written), before);
        QVERIFY(action(*window, "deleteAct")->isEnabled());
    }

public slots:
    void openedUrl(const QUrl &url) { m_openedUrl = url; }

private:
    std::unique_ptr<testsupport::Sandbox> m_sandbox;
    QUrl m_openedUrl;
};

QTEST_MAIN(TestExchange)
#include "test_exchange.moc"
