// The main window: its actions, menus, toolbars, settings and language
// (Qt's own texts too);
// the document file operations (new, open, recent files, save, save as,
// append, the save prompt), the outcome of TV exchanges and the actions
// each of them enables.
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QMenuBar>
#include <QToolBar>

#include "texts/version.h"
#include "tests/app/test_mainwindow_support.h"

using namespace testsupport;

namespace {

// A menu or toolbar as one line: its title, then its entries as action
// object names, "-" for a separator, the title of a submenu, "recent" for
// a recent-file entry.
QString layoutOf(const QString &title, const QList<QAction *> &actions)
{
    QStringList names{title + QLatin1Char(':')};
    for (const QAction *action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (action->menu())
            names << action->menu()->title();
        else
            names << (action->objectName().isEmpty() ? QStringLiteral("recent") : action->objectName());
    }
    return names.join(QLatin1Char(' '));
}

QList<QMenu *> menuBarMenus(const MainWindow &window)
{
    QList<QMenu *> menus;
    for (QAction *action : window.menuBar()->actions())
        menus << action->menu();
    return menus;
}

QList<QToolBar *> toolBars(const MainWindow &window)
{
    return window.findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly);
}

// The text Qt itself gives the Cancel button of a dialog made now. The
// dialog makes its buttons when it is shown.
QString qtCancelText()
{
    QInputDialog dialog;
    dialog.show();
    const auto *buttons = dialog.findChild<QDialogButtonBox *>();
    return buttons ? buttons->button(QDialogButtonBox::Cancel)->text() : QString();
}

// The colours of the pixmap's fully opaque pixels.
QSet<QRgb> opaqueColours(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255)
                colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

QMenu *caModuleMenu(const MainWindow &window)
{
    for (QMenu *menu : window.findChildren<QMenu *>())
        if (menu->actions().size() == MainWindow::CaModuleCount && menu->actions().last()->data() == QVariant(3))
            return menu;
    return nullptr;
}


QStringList enabledActions(const MainWindow &window)
{
    QStringList enabled;
    for (const char *name : {"saveAct", "saveAsAct", "exportCsvAct", "importAct", "exportAct", "appendAct",
                             "searchAct", "advancedSearchAct", "printAct", "convertAct", "childLockAct", "epgAct",
                             "deleteAct", "optionsAct", "defaultAct", "copyAct"})
        if (action(window, name)->isEnabled())
            enabled << QLatin1String(name);
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

void trigger(MainWindow &window, const char *actionName, const QString &chosenFile)
{
    FileDialogAnswer answer(chosenFile);
    action(window, actionName)->trigger();
    QVERIFY(answer.answered());
}

QString fileErrorText(int messageId, const QString &path)
{
    return Strings::text(messageId) + path + Strings::text(Strings::FailedSuffix);
}

QStringList recentFiles(const Sandbox &sandbox)
{
    return sandbox.setting(QStringLiteral("recentFiles")).toStringList();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!insideNetworkNamespace())
            QSKIP("the window sends an SSDP search: run inside scripts/in-netns");
        describeProgram();
    }

    // Every action has its texts, an image that is built in when it shows
    // one, and a shortcut of its own: a shortcut two actions share fires
    // neither.
    void actionsHaveTextsImagesAndOwnShortcuts()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        QHash<QString, QString> shortcutOwners;
        int named = 0;
        for (const QAction *act : window->findChildren<QAction *>()) {
            const QString name = act->objectName();
            if (name.isEmpty())
                continue;
            ++named;
            QVERIFY2(!act->text().isEmpty() && !act->statusTip().isEmpty(), qPrintable(name));
            QVERIFY2(act->icon().isNull() || !act->icon().pixmap(24, 24).isNull(), qPrintable(name));
            for (const QKeySequence &key : act->shortcuts()) {
                const QString owner = shortcutOwners.value(key.toString());
                QVERIFY2(owner.isEmpty(), qPrintable(name + QLatin1String(" and ") + owner));
                shortcutOwners.insert(key.toString(), name);
            }
        }
        QCOMPARE(named, 36);
        QVERIFY(!shortcutOwners.isEmpty());
    }

    // The first toolbar names them all for the toolbars' context menu. The
    // "Used CA module" menu is not in the menu bar; the list context menu
    // shows it.
    void menusAndToolBars()
    {
        Sandbox sandbox;
        sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
        const auto window = openWindow();
        QStringList layout;
        for (const QMenu *menu : menuBarMenus(*window))
            layout << layoutOf(menu->title(), menu->actions());
        for (QToolBar *bar : toolBars(*window)) {
            layout << layoutOf(bar->windowTitle(), bar->actions());
            QCOMPARE(window->toolBarArea(bar), Qt::TopToolBarArea);
        }
        QCOMPARE(layout, (QStringList{
            "&File: newAct openAct - saveAct saveAsAct - recent recent recent recent recent - exportCsvAct printAct "
            "- backupFolderAct - exitAct",
            "&Edit: undoAct redoAct - copyAct deleteAct - childLockAct epgAct defaultAct - optionsAct - searchAct "
            "advancedSearchAct - moveUpAct moveDownAct moveToTopAct moveToBottomAct moveToPositionAct",
            "Station table: importAct exportAct - appendAct convertAct - orderLikeReferenceAct",
            "&Settings: Language tvBackupAct fileBackupAct",
            "&View: listViewAct tableViewAct - showToolBarAct",
            "&Help: aboutAct",
            "Show toolbar: newAct openAct saveAct exportCsvAct printAct - importAct exportAct appendAct",
            ": undoAct redoAct - optionsAct copyAct deleteAct searchAct - childLockAct epgAct",
            ": listViewAct tableViewAct",
        }));
        QMenu *caMenu = caModuleMenu(*window);
        QVERIFY(caMenu && !menuBarMenus(*window).contains(caMenu));
        QCOMPARE(caMenu->title(), QStringLiteral("Used CA module"));
        QStringList modules;
        for (const QAction *module : caMenu->actions())
            modules << QStringLiteral("%1=%2").arg(module->text()).arg(module->data().toInt());
        QCOMPARE(modules, (QStringList{"None=0", "1=1", "2=2", "Auto=3"}));
    }

    void startsAsTheSettingsFileSays_data()
    {
        QTest::addColumn<QVariant>("language");
        QTest::addColumn<QVariant>("view");
        QTest::addColumn<bool>("english");
        QTest::addColumn<bool>("listMode");
        QTest::newRow("nothing stored") << QVariant() << QVariant() << false << true;
        QTest::newRow("English, table") << QVariant("English") << QVariant("table") << true << false;
        QTest::newRow("German, list") << QVariant("German") << QVariant("list") << false << true;
        // Any other language is German, any other view the table view.
        QTest::newRow("unknown texts") << QVariant("english") << QVariant("List") << false << false;
    }

    void startsAsTheSettingsFileSays()
    {
        QFETCH(QVariant, language);
        QFETCH(QVariant, view);
        QFETCH(bool, english);
        QFETCH(bool, listMode);
        Sandbox sandbox;
        if (language.isValid()) {
            sandbox.setSetting(QStringLiteral("language"), language);
            sandbox.setSetting(QStringLiteral("view"), view);
        }
        const auto window = openWindow();
        QCOMPARE(action(*window, "englishAct")->isChecked(), english);
        QCOMPARE(action(*window, "germanAct")->isChecked(), !english);
        QCOMPARE(action(*window, "openAct")->text(), english ? QStringLiteral("Open...") : QStringLiteral("Öffnen..."));
        QCOMPARE(window->stationTableWidget()->isListMode(), listMode);
        QCOMPARE(action(*window, "listViewAct")->isChecked(), listMode);
        QCOMPARE(action(*window, "tableViewAct")->isChecked(), !listMode);
        QCOMPARE(window->pos(), QPoint(200, 200));
        QCOMPARE(window->windowFilePath(), Strings::text(Strings::UntitledName));
        QVERIFY(!window->isWindowModified());
    }

    // What one window chose, the next one starts with.
    void settingsPersistAcrossStarts()
    {
        Sandbox sandbox;
        for (int start = 0; start < 2; ++start) {
            const auto window = openWindow();
            QCOMPARE(action(*window, "englishAct")->isChecked(), start == 1);
            QCOMPARE(window->stationTableWidget()->isListMode(), start == 0);
            QCOMPARE(window->geometry(), start == 0 ? QRect(200, 200, 1000, 600) : QRect(120, 140, 800, 500));
            action(*window, "englishAct")->trigger();
            action(*window, "tableViewAct")->trigger();
            window->setGeometry(120, 140, 800, 500);
            QVERIFY(window->close());
        }
        QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("English"));
        QCOMPARE(sandbox.setting(QStringLiteral("view")).toString(), QStringLiteral("table"));
    }

    // Menus, toolbars, the central widget's buttons, the window's file name
    // and Qt's own texts follow the language at once.
    void languageSwitchRetranslates()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        QPushButton *add = nullptr;
        QPushButton *apply = nullptr;
        for (QPushButton *button : window->stationTableWidget()->findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("+"))
                add = button;
            else if (button->parent() == window->stationTableWidget())
                apply = button;
        }
        QVERIFY(add && apply);
        const QString germanApply = apply->text();
        QCOMPARE(qtCancelText(), QStringLiteral("Abbrechen"));
        action(*window, "englishAct")->trigger();
        QCOMPARE(qtCancelText(), QStringLiteral("Cancel"));
        QCOMPARE(window->windowFilePath(), QStringLiteral("Untitled"));
        QCOMPARE(menuBarMenus(*window)[2]->title(), QStringLiteral("Station table"));
        QCOMPARE(action(*window, "exitAct")->statusTip(), QStringLiteral("Quits Kanvio"));
        QCOMPARE(apply->text(), QStringLiteral("Apply modifications"));
        QCOMPARE(add->statusTip(), QStringLiteral("Creates a new favorite list"));
        action(*window, "germanAct")->trigger();
        QVERIFY(action(*window, "germanAct")->isChecked() && !action(*window, "englishAct")->isChecked());
        QCOMPARE(menuBarMenus(*window)[2]->title(), QStringLiteral("Sender-Tabelle"));
        QCOMPARE(toolBars(*window)[0]->windowTitle(), QStringLiteral("Zeige Symbolleiste"));
        QCOMPARE(caModuleMenu(*window)->title(), QStringLiteral("Verw. CA-Modul"));
        QCOMPARE(apply->text(), germanApply);
        QVERIFY(germanApply != QLatin1String("Apply modifications"));
        QCOMPARE(add->statusTip(), Strings::text(Strings::AddFavoriteListTip));
        QCOMPARE(add->text(), QStringLiteral("+"));
        QCOMPARE(qtCancelText(), QStringLiteral("Abbrechen"));
    }

    // The symbols of the actions take the window palette's button text
    // colour, the disabled one when disabled, and follow a new palette; the
    // coloured signs keep their colours. Each icon has its image with twice
    // the pixels as well.
    void actionSymbolsFollowThePalette()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Active, QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
        const QColor importSign(0x2e, 0xc2, 0x7e);
        for (const QPalette &palette : {dark, QApplication::palette()}) {
            window->setPalette(palette);
            const QIcon icon = action(*window, "importAct")->icon();
            QCOMPARE(icon.availableSizes(), (QList<QSize>{QSize(24, 24), QSize(48, 48)}));
            const QSet<QRgb> normal = opaqueColours(icon.pixmap(24, QIcon::Normal));
            QVERIFY(normal.contains(palette.color(QPalette::Active, QPalette::ButtonText).rgb()));
            QVERIFY(normal.contains(importSign.rgb()));
            QVERIFY(!normal.contains(qRgb(0x3d, 0x38, 0x46)));  // the ink the images are drawn in
            const QSet<QRgb> disabled = opaqueColours(icon.pixmap(24, QIcon::Disabled));
            QCOMPARE(disabled, QSet<QRgb>{palette.color(QPalette::Disabled, QPalette::ButtonText).rgb()});
        }
    }

    // "Show toolbar" hides every toolbar and is ticked while all are shown;
    // in a menu only the left mouse button chooses.
    void showToolbarFollowsToolbars()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QAction *showToolBar = action(*window, "showToolBarAct");
        QMenu *view = menuBarMenus(*window)[4];
        view->popup(window->mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(view));
        const QPoint entry = view->actionGeometry(showToolBar).center();
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            QVERIFY(showToolBar->isChecked());
            QTest::mouseClick(view, button, Qt::NoModifier, entry);
        }
        const QList<QToolBar *> bars = toolBars(*window);
        for (const QToolBar *bar : bars)
            QVERIFY(bar->isHidden() && !showToolBar->isChecked());
        bars[2]->show();
        QVERIFY(showToolBar->isChecked());
        bars[1]->hide();
        QVERIFY(!showToolBar->isChecked());
    }

    // Cancelling "Save modifications?" keeps the window and writes no
    // settings; discarding closes it and writes them.
    void cancelledCloseKeepsWindowAndSettings()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        window->show();
        window->undoStack()->push(new MarkerCommand);
        MessageCatcher cancel(Strings::text(Strings::CancelButton));
        QVERIFY(!window->close());
        QVERIFY(cancel.seen() && window->isVisible());
        QVERIFY(!QFile::exists(sandbox.settingsPath()));
        MessageCatcher discard(Strings::text(Strings::DiscardButton));
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("German"));
    }

    // The about box names the program, the running version and the licence.
    void aboutNamesVersionAndLicence()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        MessageCatcher about;
        action(*window, "aboutAct")->trigger();
        QCOMPARE(about.message().title, action(*window, "aboutAct")->text());
        QVERIFY(about.message().text.contains(QLatin1String("<b>Kanvio</b>")));
        QVERIFY(about.message().text.contains(QLatin1String("<p><b>Version: " KANVIO_VERSION "</b></p>")));
        QVERIFY(about.message().text.contains(QLatin1String("GNU General Public License")));
    }

    void saveAsGivesTheFormatsExtension_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("50, no extension") << 50 << "list" << "list.svl50";
        QTest::newRow("50, svl40") << 50 << "list.svl40" << "list.svl50";
        QTest::newRow("50, other case") << 50 << "list.SVL50" << "list.SVL50.svl50";
        QTest::newRow("40, svl50") << 40 << "list.svl50" << "list.svl40";
        QTest::newRow("40, svl40") << 40 << "list.svl40" << "list.svl40";
        QTest::newRow("extension in a folder name") << 50 << "old.svl40/list.svl40" << "old.svl40/list.svl50";
    }

    // Only the ending of the chosen name is replaced.
    void saveAsGivesTheFormatsExtension()
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
        QCOMPARE(answer.filters(), QStringList{Strings::text(Strings::SvlFileFilter)});
        QCOMPARE(answer.directory(), QFileInfo(source).canonicalPath());
        const QString expected = sandbox.path(written);
        QVERIFY(QFile::exists(expected));
        QCOMPARE(window->currentFile(), expected);
        QCOMPARE(window->windowFilePath(), expected);
        QVERIFY(!window->isWindowModified() && action(*window, "saveAct")->isEnabled());
        QCOMPARE(recentFiles(sandbox), QStringList{source});
    }

    // The menu shows the five files opened last, newest first, with a "&"
    // of their names shown as it is; one opens over unsaved changes only
    // once the user lets them go.
    void recentFilesKeepFiveNewestFirst()
    {
        Sandbox sandbox;
        QStringList files;
        for (int i = 1; i <= 6; ++i)
            files << sandbox.writeTable(QStringLiteral("t&%1.svl%2").arg(i).arg(i == 2 ? 40 : 50),
                                        i == 2 ? SVL_VERSION_40 : SVL_VERSION_50);
        const auto window = openWindow();
        for (const QString &file : files)
            trigger(*window, "openAct", file);
        trigger(*window, "openAct", files[3]);
        const QStringList expected = {files[3], files[5], files[4], files[2], files[1]};
        QCOMPARE(recentFiles(sandbox), expected);
        const QList<QAction *> recent = recentFileActions(*window);
        QCOMPARE(recent.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(recent[i]->isVisible());
            const QString name = QFileInfo(expected[i]).fileName().replace(QLatin1Char('&'), QLatin1String("&&"));
            QCOMPARE(recent[i]->text(), QStringLiteral("%1 %2").arg(i + 1).arg(name));
            QCOMPARE(recent[i]->data().toString(), expected[i]);
        }
        window->undoStack()->push(new MarkerCommand);
        {
            MessageCatcher cancel(Strings::text(Strings::CancelButton), Strings::text(Strings::SaveModificationsTitle));
            recent[4]->trigger();
            QVERIFY(cancel.seen());
            QCOMPARE(window->currentFile(), files[3]);
        }
        MessageCatcher discard(Strings::text(Strings::DiscardButton), Strings::text(Strings::SaveModificationsTitle));
        recent[4]->trigger();
        QVERIFY(discard.seen());
        QCOMPARE(window->currentFile(), files[1]);
        QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(SVL_VERSION_40));
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("t&2.svl40[*]"));

        sandbox.setSetting(QStringLiteral("recentFiles"), QStringList{files[0]});
        const auto next = openWindow();
        QVERIFY(recentFileActions(*next)[0]->isVisible() && !recentFileActions(*next)[1]->isVisible());
    }

    void savePrompt_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("withoutFile");
        QTest::addColumn<bool>("failingSave");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("save") << int(Strings::SaveAction) << false << false << true << true;
        QTest::newRow("discard") << int(Strings::DiscardButton) << false << false << false << true;
        QTest::newRow("cancel") << int(Strings::CancelButton) << false << false << false << false;
        QTest::newRow("save without a file, dialog cancelled") << int(Strings::SaveAction) << true << false << false
                                                               << false;
        QTest::newRow("save without a file, save failed") << int(Strings::SaveAction) << true << true << false
                                                          << false;
    }

    // The prompt guards "New file"; the document's file was removed from
    // disk, so whether it comes back shows whether the prompt saved. After
    // "New file" the document has no file: "Save" asks for a name, and a
    // cancelled dialog or a failed save stops what asked.
    void savePrompt()
    {
        QFETCH(int, button);
        QFETCH(bool, withoutFile);
        QFETCH(bool, failingSave);
        QFETCH(bool, written);
        QFETCH(bool, replaced);
        Sandbox sandbox;
        const QString file = sandbox.writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
        const auto window = openWindow(file);
        QVERIFY(QFile::remove(file));
        if (withoutFile)
            action(*window, "newAct")->trigger();
        window->undoStack()->push(new MarkerCommand);
        // An empty table has no base lists and cannot be written.
        const QString target = sandbox.path(QStringLiteral("empty.svl50"));
        MessageCatcher prompt(Strings::text(button), Strings::text(Strings::SaveModificationsTitle));
        FileDialogAnswer dialog(failingSave ? target : QString());
        MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
        action(*window, "newAct")->trigger();
        QCOMPARE(prompt.message().text, Strings::text(Strings::SaveChangesQuestion));
        const QStringList buttons = prompt.buttons();
        QCOMPARE(QSet<QString>(buttons.begin(), buttons.end()),
                 (QSet<QString>{Strings::text(Strings::SaveAction), Strings::text(Strings::DiscardButton),
                                Strings::text(Strings::CancelButton)}));
        QCOMPARE(dialog.answered(), withoutFile);
        QCOMPARE(error.message().text, failingSave ? fileErrorText(Strings::SavingNewFileMessage, target) : QString());
        QCOMPARE(QFile::exists(file), written);
        QCOMPARE(window->isWindowModified(), !replaced);
        QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(replaced || withoutFile ? 0 : SVL_VERSION_50));
    }

    void failuresNameTheFileAndChangeNothing_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("message");
        QTest::addColumn<QString>("file");
        QTest::newRow("open, not a table") << "open" << int(Strings::LoadingFileMessage) << "garbage.svl40";
        QTest::newRow("open, missing") << "open" << int(Strings::LoadingFileMessage) << "missing.svl50";
        QTest::newRow("save over a folder") << "save" << int(Strings::SavingFileMessage) << "doc.svl50";
        QTest::newRow("save as, empty table") << "saveAs" << int(Strings::SavingNewFileMessage) << "empty.svl50";
        QTest::newRow("append, other version") << "append" << int(Strings::AppendingFileMessage) << "other.svl40";
    }

    void failuresNameTheFileAndChangeNothing()
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
        window->undoStack()->push(new MarkerCommand);
        // A recent file opens over the changes only once they may go.
        MessageCatcher discard(Strings::text(Strings::DiscardButton), Strings::text(Strings::SaveModificationsTitle));
        MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
        if (step == QLatin1String("open")) {
            recentFileActions(*window)[1]->trigger();
        } else if (step == QLatin1String("save")) {
            // A folder in the file's place cannot be replaced by a table.
            QVERIFY(QFile::remove(document) && QDir().mkdir(document));
            action(*window, "saveAct")->trigger();
        } else if (step == QLatin1String("saveAs")) {
            window->stationTableWidget()->newTable();
            trigger(*window, "saveAsAct", sandbox.path(QStringLiteral("empty")));
        } else {
            trigger(*window, "appendAct", path);
        }
        QCOMPARE(discard.seen(), step == QLatin1String("open"));
        QCOMPARE(error.message().text, fileErrorText(message, path));
        QCOMPARE(window->currentFile(), document);
        QCOMPARE(window->windowFilePath(), document);
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->undoStack()->count(), step == QLatin1String("saveAs") ? 0 : 1);
        QStringList recent{document, path};
        recent.removeDuplicates();
        QCOMPARE(recentFiles(sandbox), recent);
    }

    void unreadableCommandLineFileLeavesNoDocument()
    {
        Sandbox sandbox;
        const QString missing = sandbox.path(QStringLiteral("missing.svl50"));
        MessageCatcher error;
        const auto window = openWindow(missing);
        QCOMPARE(error.message().text, fileErrorText(Strings::LoadingFileMessage, missing));
        QVERIFY(window->windowFilePath().isEmpty() && window->currentFile().isNull());
        QCOMPARE(enabledActions(*window), QStringList{"importAct"});
    }

    // No exchange has run, so the address in the texts is empty.
    void exchangeMessages()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        const QString failed = Strings::text(Strings::FailedSuffix);
        const struct {
            bool import;
            int result;
            QString text;
        } outcomes[] = {
            {true, 1, Strings::text(Strings::ConnectingMessage) + failed},
            {true, 2, Strings::text(Strings::ReadingFromTvMessage) + failed},
            {true, -1, Strings::text(Strings::UnknownImportErrorMessage) + "'!"},
            {false, 1, Strings::text(Strings::ConnectingMessage) + failed},
            {false, 2, Strings::text(Strings::WritingToTvMessage) + failed},
            {false, 3, Strings::text(Strings::ReadingBackupMessage) + Strings::text(Strings::NotExportedSuffix)},
            {false, 4, Strings::text(Strings::WritingBackupMessage) + Strings::text(Strings::NotExportedSuffix)},
            {false, -1, Strings::text(Strings::UnknownExportErrorMessage) + "'!"},
        };
        for (const auto &outcome : outcomes) {
            QSignalSpy finished(window.get(), outcome.import ? SIGNAL(importFinished()) : SIGNAL(exportFinished()));
            MessageCatcher error;
            QMetaObject::invokeMethod(window.get(), outcome.import ? "importFinished" : "exportFinished",
                                      Q_ARG(int, outcome.result));
            const int title = outcome.import ? Strings::ImportErrorTitle : Strings::ExportErrorTitle;
            QCOMPARE(error.message().title, Strings::text(title));
            QCOMPARE(error.message().text, outcome.text);
            QCOMPARE(finished.count(), 1);
        }
    }

    void enabling_data()
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
        const QStringList fresh{"saveAsAct", "importAct"};
        QTest::newRow("fresh start") << QStringList{} << fresh << false;
        QTest::newRow("loaded 50") << QStringList{"load50"} << loaded << false;
        QTest::newRow("loaded 40") << QStringList{"load40"} << loaded40 << false;
        QTest::newRow("loaded, then new") << QStringList{"load40", "new"}
                                          << QStringList{"saveAsAct", "importAct", "childLockAct", "epgAct"} << false;
        QTest::newRow("appended") << QStringList{"load40", "append40"} << loaded40 << true;
        QTest::newRow("saved as") << QStringList{"load50", "saveAs"} << loaded << false;
        QTest::newRow("imported") << QStringList{"import"} << imported << true;
        // No transfer ran, so the table is still the version-40 one.
        QTest::newRow("loaded 40, then imported") << QStringList{"load40", "import"} << imported40 << true;
        QTest::newRow("import failed") << QStringList{"importFailed"} << fresh << false;
        QTest::newRow("export finished") << QStringList{"export"} << QStringList{"saveAsAct", "importAct", "exportAct"}
                                         << false;
    }

    void enabling()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, enabled);
        QFETCH(bool, modified);
        Sandbox sandbox;
        const QString table40 = sandbox.writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40);
        const QString table50 = sandbox.writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50);
        const auto window = openWindow();
        for (const QString &step : steps) {
            MessageCatcher error;
            if (step.startsWith(QLatin1String("load")))
                trigger(*window, "openAct", step.endsWith(QLatin1String("40")) ? table40 : table50);
            else if (step == QLatin1String("new"))
                action(*window, "newAct")->trigger();
            else if (step == QLatin1String("append40"))
                trigger(*window, "appendAct", table40);
            else if (step == QLatin1String("saveAs"))
                trigger(*window, "saveAsAct", sandbox.path(QStringLiteral("copy")));
            else if (step.startsWith(QLatin1String("import")))
                QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, step == "import" ? 0 : 1));
            else
                QMetaObject::invokeMethod(window.get(), "exportFinished", Q_ARG(int, 0));
            QCOMPARE(error.seen(), step == QLatin1String("importFailed"));
        }
        QCOMPARE(enabledActions(*window), enabled);
        QCOMPARE(window->isWindowModified(), modified);
        if (steps.endsWith(QStringLiteral("import"))) {
            QCOMPARE(window->currentFile(), Strings::text(Strings::NetworkDeviceTitle));
            QCOMPARE(window->windowFilePath(), window->currentFile());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
