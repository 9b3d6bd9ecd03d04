// The main window's document file operations: new, open, recent files,
// save, save as, append, the save prompt, and the outcome of TV exchanges.
#include <QDir>
#include <QMenu>
#include <QMenuBar>

#include "tests/app/test_mainwindow_support.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

const QStringList trackedActions = {
    "saveAct",  "saveAsAct", "exportCsvAct", "importAct",    "exportAct",  "appendAct",
    "searchAct", "advancedSearchAct", "printAct", "convertAct", "childLockAct", "epgAct",
    "deleteAct", "optionsAct", "defaultAct", "copyAct",
};

QStringList enabledActions(const MainWindow &window)
{
    QStringList enabled;
    for (const QString &name : trackedActions)
        if (action(window, name.toLatin1().constData())->isEnabled())
            enabled << name;
    return enabled;
}

QList<QAction *> recentFileActions(const MainWindow &window)
{
    QList<QAction *> recent;
    for (QAction *act : window.menuBar()->actions().first()->menu()->actions())
        if (!act->isSeparator() && act->objectName().isEmpty())
            recent << act;
    return recent;
}

void openThroughDialog(MainWindow &window, const QString &path)
{
    FileDialogAnswer answer(path);
    action(window, "openAct")->trigger();
    QVERIFY(answer.answered());
}

QString fileErrorText(int messageId, const QString &path)
{
    return Strings::text(messageId) + path + Strings::text(Strings::FailedSuffix);
}

} // namespace

class TestMainWindowFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void saveAsGivesTheFormatsExtension_data();
    void saveAsGivesTheFormatsExtension();
    void recentFilesKeepFiveNewestFirst();
    void recentFileReplacesModifiedDocumentWithoutPrompt();
    void savePrompt_data();
    void savePrompt();
    void promptSaveWithoutFileAsksForName();
    void failedSaveInPromptKeepsWindowOpen();
    void failuresNameTheFileAndChangeNothing_data();
    void failuresNameTheFileAndChangeNothing();
    void unreadableCommandLineFileLeavesNoDocument();
    void failedSaveAsNamesFile();
    void appendMarksModifiedAndClearsUndo();
    void exchangeMessages_data();
    void exchangeMessages();
    void enabling_data();
    void enabling();
};

void TestMainWindowFiles::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

void TestMainWindowFiles::saveAsGivesTheFormatsExtension_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");

    QTest::newRow("50, no extension") << 50 << "list" << "list.svl50";
    QTest::newRow("50, svl40") << 50 << "list.svl40" << "list.svl50";
    QTest::newRow("50, svl50") << 50 << "list.svl50" << "list.svl50";
    QTest::newRow("50, other case") << 50 << "list.SVL50" << "list.SVL50.svl50";
    QTest::newRow("40, svl50") << 40 << "list.svl50" << "list.svl40";
    QTest::newRow("40, no extension") << 40 << "list" << "list.svl40";
    QTest::newRow("40, svl40") << 40 << "list.svl40" << "list.svl40";
    QTest::newRow("extension in a folder name") << 50 << "old.svl40/list.svl40" << "old.svl40/list.svl50";
}

void TestMainWindowFiles::saveAsGivesTheFormatsExtension()
{
    QFETCH(int, version);
    QFETCH(QString, chosen);
    QFETCH(QString, written);

    Sandbox sandbox;
    QVERIFY(QDir(sandbox.path(QString())).mkpath(QStringLiteral("old.svl40")));
    const QString source = sandbox.writeTable(QStringLiteral("source.table"), quint16(version));
    const auto window = openWindow(source);
    window->setWindowModified(true);

    FileDialogAnswer answer(sandbox.path(chosen));
    action(*window, "saveAsAct")->trigger();
    QVERIFY(answer.answered());
    QCOMPARE(answer.caption(), Strings::text(Strings::OpenSvlFileTitle));
    QCOMPARE(answer.filters(), QStringList{Strings::text(Strings::SvlFileFilter)});
    QCOMPARE(answer.directory(), QFileInfo(source).canonicalPath());

    const QString expected = sandbox.path(written);
    QVERIFY(QFile::exists(expected));
    QCOMPARE(window->currentFile(), expected);
    QCOMPARE(window->windowFilePath(), expected);
    QVERIFY(!window->isWindowModified());
    QVERIFY(action(*window, "saveAct")->isEnabled());
    QCOMPARE(sandbox.setting(QStringLiteral("recentFiles")).toStringList(), QStringList{source});
}

void TestMainWindowFiles::recentFilesKeepFiveNewestFirst()
{
    Sandbox sandbox;
    QStringList files;
    for (int i = 1; i <= 6; ++i)
        files << sandbox.writeTable(QStringLiteral("t%1.svl50").arg(i), SVL_VERSION_50);
    const auto window = openWindow();
    for (const QString &file : files)
        openThroughDialog(*window, file);
    QCOMPARE(sandbox.setting(QStringLiteral("recentFiles")).toStringList(),
             (QStringList{files[5], files[4], files[3], files[2], files[1]}));

    openThroughDialog(*window, files[3]);
    const QStringList expected = {files[3], files[5], files[4], files[2], files[1]};
    QCOMPARE(sandbox.setting(QStringLiteral("recentFiles")).toStringList(), expected);

    const QList<QAction *> recent = recentFileActions(*window);
    QCOMPARE(recent.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QVERIFY(recent[i]->isVisible());
        QCOMPARE(recent[i]->text(), QStringLiteral("%1 %2").arg(i + 1).arg(QFileInfo(expected[i]).fileName()));
        QCOMPARE(recent[i]->data().toString(), expected[i]);
    }
}

void TestMainWindowFiles::recentFileReplacesModifiedDocumentWithoutPrompt()
{
    Sandbox sandbox;
    const QString first = sandbox.writeTable(QStringLiteral("first.svl40"), SVL_VERSION_40);
    const QString second = sandbox.writeTable(QStringLiteral("second.svl50"), SVL_VERSION_50);
    sandbox.setSetting(QStringLiteral("recentFiles"), QStringList{first});
    const auto window = openWindow(second);
    const QList<QAction *> recent = recentFileActions(*window);
    QCOMPARE(recent[0]->text(), QStringLiteral("1 second.svl50"));
    QCOMPARE(recent[1]->text(), QStringLiteral("2 first.svl40"));
    QVERIFY(!recent[2]->isVisible());

    window->setWindowModified(true);
    MessageCatcher unexpected;
    recent[1]->trigger();
    QVERIFY(!unexpected.seen());
    QCOMPARE(window->currentFile(), first);
    QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(SVL_VERSION_40));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(window->windowTitle(), QStringLiteral("first.svl40[*]"));
}

void TestMainWindowFiles::savePrompt_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("save") << int(Strings::SaveAction) << true << true;
    QTest::newRow("discard") << int(Strings::DiscardButton) << false << true;
    QTest::newRow("cancel") << int(Strings::CancelButton) << false << false;
}

// The prompt guards "New file": the document's file was removed from disk,
// so whether it comes back shows whether the prompt saved.
void TestMainWindowFiles::savePrompt()
{
    QFETCH(int, button);
    QFETCH(bool, written);
    QFETCH(bool, replaced);

    Sandbox sandbox;
    const QString file = sandbox.writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
    const auto window = openWindow(file);
    QVERIFY(QFile::remove(file));
    window->setWindowModified(true);

    MessageCatcher prompt(Strings::text(button));
    action(*window, "newAct")->trigger();
    QVERIFY(prompt.seen());
    QCOMPARE(prompt.message().title, Strings::text(Strings::SaveModificationsTitle));
    QCOMPARE(prompt.message().text, Strings::text(Strings::SaveChangesQuestion));
    QStringList buttons = prompt.buttons();
    buttons.sort();
    QStringList expectedButtons = {Strings::text(Strings::SaveAction), Strings::text(Strings::DiscardButton),
                                   Strings::text(Strings::CancelButton)};
    expectedButtons.sort();
    QCOMPARE(buttons, expectedButtons);

    QCOMPARE(QFile::exists(file), written);
    QCOMPARE(window->currentFile().isEmpty(), replaced);
    QCOMPARE(window->isWindowModified(), !replaced);
    QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(replaced ? 0 : SVL_VERSION_50));
}

// After "New file" the earlier file is no longer the document's: saving
// from the prompt asks for a name, and cancelling that keeps the window.
void TestMainWindowFiles::promptSaveWithoutFileAsksForName()
{
    Sandbox sandbox;
    const QString file = sandbox.writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
    const auto window = openWindow(file);
    action(*window, "newAct")->trigger();
    window->setWindowModified(true);
    window->show();
    const QDateTime before = QFileInfo(file).lastModified();

    MessageCatcher prompt(Strings::text(Strings::SaveAction));
    FileDialogAnswer dialog{QString()};
    QVERIFY(!window->QWidget::close());
    QVERIFY(prompt.seen());
    QVERIFY(dialog.answered());
    QVERIFY(window->isVisible());
    QCOMPARE(QFileInfo(file).lastModified(), before);
    QVERIFY(sandbox.setting(QStringLiteral("language")).isNull());
}

void TestMainWindowFiles::failedSaveInPromptKeepsWindowOpen()
{
    Sandbox sandbox;
    const auto window = openWindow();
    window->setWindowModified(true);
    window->show();
    const QString target = sandbox.path(QStringLiteral("empty.svl50"));

    MessageCatcher prompt(Strings::text(Strings::SaveAction), Strings::text(Strings::SaveModificationsTitle));
    FileDialogAnswer dialog(target);
    MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
    QVERIFY(!window->QWidget::close());
    QVERIFY(dialog.answered());
    QCOMPARE(error.message().text, fileErrorText(Strings::SavingNewFileMessage, target));
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindowModified());
}

void TestMainWindowFiles::failuresNameTheFileAndChangeNothing_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("file");
    QTest::newRow("open, not a table") << "open" << int(Strings::LoadingFileMessage) << "garbage.svl40";
    QTest::newRow("open, missing") << "open" << int(Strings::LoadingFileMessage) << "missing.svl50";
    QTest::newRow("save over a folder") << "save" << int(Strings::SavingFileMessage) << "doc.svl50";
    QTest::newRow("append, other version") << "append" << int(Strings::AppendingFileMessage) << "other.svl40";
}

void TestMainWindowFiles::failuresNameTheFileAndChangeNothing()
{
    QFETCH(QString, step);
    QFETCH(int, message);
    QFETCH(QString, file);
    Sandbox sandbox;
    const QString document = sandbox.writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
    QVERIFY(!sandbox.writeTable(QStringLiteral("other.svl40"), SVL_VERSION_40).isEmpty());
    QFile garbage(sandbox.path(QStringLiteral("garbage.svl40")));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not a station table") > 0);
    garbage.close();
    const QString path = sandbox.path(file);
    sandbox.setSetting(QStringLiteral("recentFiles"), QStringList{path});
    const auto window = openWindow(document);
    window->setWindowModified(true);
    window->undoStack()->push(new MarkerCommand);

    MessageCatcher error;
    if (step == QLatin1String("open")) {
        recentFileActions(*window)[1]->trigger();
    } else if (step == QLatin1String("save")) {
        // A folder in the file's place cannot be replaced by a table.
        QVERIFY(QFile::remove(document) && QDir().mkdir(document));
        action(*window, "saveAct")->trigger();
    } else {
        FileDialogAnswer dialog(path);
        action(*window, "appendAct")->trigger();
    }
    QCOMPARE(error.message().title, Strings::text(Strings::FileErrorTitle));
    QCOMPARE(error.message().text, fileErrorText(message, path));
    QCOMPARE(window->currentFile(), document);
    QCOMPARE(window->windowFilePath(), document);
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->undoStack()->count(), 1);
    QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(SVL_VERSION_50));
    QStringList recent{document, path};
    recent.removeDuplicates();
    QCOMPARE(sandbox.setting(QStringLiteral("recentFiles")).toStringList(), recent);
}

void TestMainWindowFiles::unreadableCommandLineFileLeavesNoDocument()
{
    Sandbox sandbox;
    const QString missing = sandbox.path(QStringLiteral("missing.svl50"));
    MessageCatcher error;
    const auto window = openWindow(missing);
    QCOMPARE(error.message().text, fileErrorText(Strings::LoadingFileMessage, missing));
    QVERIFY(window->windowFilePath().isEmpty());
    QVERIFY(window->currentFile().isNull());
    QCOMPARE(enabledActions(*window), QStringList{"importAct"});
}

// An empty table has no base lists and cannot be written.
void TestMainWindowFiles::failedSaveAsNamesFile()
{
    Sandbox sandbox;
    const auto window = openWindow();
    const QString target = sandbox.path(QStringLiteral("empty.svl50"));
    FileDialogAnswer dialog(sandbox.path(QStringLiteral("empty")));
    MessageCatcher error;
    action(*window, "saveAsAct")->trigger();
    QCOMPARE(error.message().text, fileErrorText(Strings::SavingNewFileMessage, target));
    QCOMPARE(window->windowFilePath(), Strings::text(Strings::UntitledName));
    QVERIFY(!action(*window, "saveAct")->isEnabled());
}

void TestMainWindowFiles::appendMarksModifiedAndClearsUndo()
{
    Sandbox sandbox;
    const QString file = sandbox.writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
    const QString other = sandbox.writeTable(QStringLiteral("other.svl50"), SVL_VERSION_50, 2, 7);
    const auto window = openWindow(file);
    window->undoStack()->push(new MarkerCommand);

    FileDialogAnswer dialog(other);
    MessageCatcher unexpected;
    action(*window, "appendAct")->trigger();
    QVERIFY(!unexpected.seen());
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->undoStack()->count(), 0);
    QCOMPARE(window->currentFile(), file);
    QCOMPARE(sandbox.setting(QStringLiteral("recentFiles")).toStringList(), QStringList{file});
}

void TestMainWindowFiles::exchangeMessages_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("title");
    QTest::addColumn<QString>("text");

    const QString failed = Strings::text(Strings::FailedSuffix);
    QTest::newRow("import, no connection") << "importFinished" << 1 << int(Strings::ImportErrorTitle)
                                           << Strings::text(Strings::ConnectingMessage) + failed;
    QTest::newRow("import, transfer") << "importFinished" << 2 << int(Strings::ImportErrorTitle)
                                      << Strings::text(Strings::ReadingFromTvMessage) + failed;
    QTest::newRow("import, other") << "importFinished" << -1 << int(Strings::ImportErrorTitle)
                                   << Strings::text(Strings::UnknownImportErrorMessage) + "'!";
    QTest::newRow("export, no connection") << "exportFinished" << 1 << int(Strings::ExportErrorTitle)
                                           << Strings::text(Strings::ConnectingMessage) + failed;
    QTest::newRow("export, transfer") << "exportFinished" << 2 << int(Strings::ExportErrorTitle)
                                      << Strings::text(Strings::WritingToTvMessage) + failed;
    QTest::newRow("export, backup unreadable") << "exportFinished" << 3 << int(Strings::ExportErrorTitle)
                                               << Strings::text(Strings::ReadingBackupMessage)
                                                      + Strings::text(Strings::NotExportedSuffix);
    QTest::newRow("export, backup unwritable") << "exportFinished" << 4 << int(Strings::ExportErrorTitle)
                                               << Strings::text(Strings::WritingBackupMessage)
                                                      + Strings::text(Strings::NotExportedSuffix);
    QTest::newRow("export, other") << "exportFinished" << -1 << int(Strings::ExportErrorTitle)
                                   << Strings::text(Strings::UnknownExportErrorMessage) + "'!";
}

// No exchange has run, so the address in the texts is empty.
void TestMainWindowFiles::exchangeMessages()
{
    QFETCH(QString, slot);
    QFETCH(int, result);
    QFETCH(int, title);
    QFETCH(QString, text);

    Sandbox sandbox;
    const auto window = openWindow();
    QSignalSpy finished(window.get(), qPrintable(QStringLiteral("2%1()").arg(slot)));
    MessageCatcher error;
    QVERIFY(QMetaObject::invokeMethod(window.get(), qPrintable(slot), Q_ARG(int, result)));
    QCOMPARE(error.message().title, Strings::text(title));
    QCOMPARE(error.message().text, text);
    QCOMPARE(finished.count(), 1);
}

void TestMainWindowFiles::enabling_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<bool>("modified");

    const QStringList loaded = {"saveAct",  "saveAsAct", "exportCsvAct",      "importAct", "exportAct",  "appendAct",
                                "searchAct", "advancedSearchAct", "printAct", "childLockAct", "epgAct"};
    QStringList loaded40 = loaded;
    loaded40.insert(9, QStringLiteral("convertAct"));
    QStringList imported = loaded;
    imported.removeOne(QStringLiteral("saveAct"));
    QStringList imported40 = loaded40;
    imported40.removeOne(QStringLiteral("saveAct"));

    QTest::newRow("fresh start") << QStringList{} << QStringList{"saveAsAct", "importAct"} << false;
    QTest::newRow("loaded 50") << QStringList{"load50"} << loaded << false;
    QTest::newRow("loaded 40") << QStringList{"load40"} << loaded40 << false;
    QTest::newRow("loaded, then new")
        << QStringList{"load40", "new"} << QStringList{"saveAsAct", "importAct", "childLockAct", "epgAct"} << false;
    QTest::newRow("appended") << QStringList{"load40", "append40"} << loaded40 << true;
    QTest::newRow("saved as") << QStringList{"load50", "saveAs"} << loaded << false;
    QTest::newRow("imported") << QStringList{"import"} << imported << true;
    // No transfer ran, so the table is still the version-40 one.
    QTest::newRow("loaded 40, then imported") << QStringList{"load40", "import"} << imported40 << true;
    QTest::newRow("import failed") << QStringList{"importFailed"} << QStringList{"saveAsAct", "importAct"} << false;
    QTest::newRow("export finished") << QStringList{"export"} << QStringList{"saveAsAct", "importAct", "exportAct"}
                                     << false;
}

void TestMainWindowFiles::enabling()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, enabled);
    QFETCH(bool, modified);

    Sandbox sandbox;
    const QString table40 = sandbox.writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40);
    const QString table50 = sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50);
    const auto window = openWindow();
    for (const QString &step : steps) {
        if (step == QLatin1String("load40") || step == QLatin1String("load50")) {
            openThroughDialog(*window, step.endsWith(QLatin1String("40")) ? table40 : table50);
        } else if (step == QLatin1String("new")) {
            action(*window, "newAct")->trigger();
        } else if (step == QLatin1String("append40")) {
            FileDialogAnswer answer(table40);
            action(*window, "appendAct")->trigger();
        } else if (step == QLatin1String("saveAs")) {
            FileDialogAnswer answer(sandbox.path(QStringLiteral("copy")));
            action(*window, "saveAsAct")->trigger();
        } else if (step == QLatin1String("import")) {
            QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, 0));
        } else if (step == QLatin1String("importFailed")) {
            MessageCatcher error;
            QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, 1));
        } else if (step == QLatin1String("export")) {
            QMetaObject::invokeMethod(window.get(), "exportFinished", Q_ARG(int, 0));
        }
    }
    QCOMPARE(enabledActions(*window), enabled);
    QCOMPARE(window->isWindowModified(), modified);
    if (steps.endsWith(QStringLiteral("import"))) {
        QCOMPARE(window->currentFile(), Strings::text(Strings::NetworkDeviceTitle));
        QCOMPARE(window->windowFilePath(), window->currentFile());
    }
}

QTEST_MAIN(TestMainWindowFiles)
#include "test_mainwindow_files.moc"
