// The main window: its actions, built-in images, menus, toolbars,
// settings and language (Qt's own texts too); the program started on a
// file; the document file operations (new, open, recent files, save, save
// as, append, the save prompt, the backup kept at the first save);
// ordering the current base list like a reference list, moving to a
// position; the outcome of TV exchanges and the actions each of them
// enables.
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QInputDialog>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>

#include <optional>

#include "fields/station_fields.h"
#include "output/csv_export.h"
#include "texts/version.h"
#include "tests/app/test_mainwindow_support.h"

using namespace testsupport;

namespace {

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

// Every text of the window that follows the language: of its actions,
// menus, toolbars and the central widget's buttons, its file name and Qt's
// own Cancel.
QStringList shownTexts(const MainWindow &window)
{
    QStringList texts{window.windowFilePath(), qtCancelText()};
    for (const QAction *act : window.findChildren<QAction *>())
        texts << act->text() << act->statusTip();
    for (const QMenu *menu : window.findChildren<QMenu *>())
        texts << menu->title();
    for (const QToolBar *bar : toolBars(window))
        texts << bar->windowTitle();
    for (const QPushButton *button : window.stationTableWidget()->findChildren<QPushButton *>())
        texts << button->text() << button->statusTip();
    return texts;
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

QStringList recentFiles(const Sandbox &sandbox)
{
    return QSettings(sandbox.settingsPath(), QSettings::IniFormat).value(QStringLiteral("recentFiles")).toStringList();
}

// Answers every message box: the question with the button of the given
// text, any other box with its first button; *texts takes the text of each.
// Stops after an information box.
std::unique_ptr<ModalDriver> answerMessages(const QString &button, QStringList *texts)
{
    return std::make_unique<ModalDriver>([button, texts](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box || box->property("answered").toBool())
            return false;
        box->setProperty("answered", true);
        *texts << box->text();
        QAbstractButton *chosen = box->buttons().value(0);
        for (QAbstractButton *candidate : box->buttons())
            if (candidate->text() == button)
                chosen = candidate;
        chosen->click();
        return box->icon() == QMessageBox::Information;
    });
}

// The table of the file without favorite lists, its TV list reversed but
// for the last three stations, which are left out; and a CSV of that list.
bool writeReversedReference(const QString &from, const QString &table, const QString &csv)
{
    OwnedTable reference;
    svl_load_file(&reference.table, QFile::encodeName(from).constData());
    while (reference.table.list_count > SVL_FIRST_FAV_INDEX)
        svl_free_list(svl_remove_list_at(&reference.table, reference.table.list_count - 1), 0);
    svl_list *tv = reference.table.lists[SVL_TV_LIST_INDEX];
    QVector<uint32_t> reversed;
    for (uint32_t i = tv->count; i-- > 0;)
        reversed << (i + tv->count - 3) % tv->count;
    svl_reorder_list(tv, reversed.constData());
    for (int i = 0; i < 3; ++i)
        svl_free_station(svl_remove_station_at(tv, tv->count - 1));
    QFile out(csv);
    return out.open(QIODevice::WriteOnly) && out.write(csvBytes(tv)) > 0
           && svl_save_file(&reference.table, QFile::encodeName(table).constData()) == 0;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList namesOf(const Stations &stations)
{
    QStringList names;
    for (const svl_station *station : stations)
        names << stationNameText(station);
    return names;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareWindowTests(); }
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    // Every action has its texts, an image that is built in when it shows
    // one, and a shortcut of its own: a shortcut two actions share fires
    // neither.
    void actionsHaveTextsImagesAndOwnShortcuts()
    {
        const auto window = openWindow();
        QHash<QString, QString> shortcutOwners;
        for (const QAction *act : window->findChildren<QAction *>()) {
            const QString name = act->objectName();
            if (name.isEmpty())
                continue;
            QVERIFY2(!act->text().isEmpty() && !act->statusTip().isEmpty(), qPrintable(name));
            QVERIFY2(act->icon().isNull() || !act->icon().pixmap(24, 24).isNull(), qPrintable(name));
            for (const QKeySequence &key : act->shortcuts()) {
                const QString owner = shortcutOwners.value(key.toString());
                QVERIFY2(owner.isEmpty(), qPrintable(name + QLatin1String(" and ") + owner));
                shortcutOwners.insert(key.toString(), name);
            }
        }
        QVERIFY(!shortcutOwners.isEmpty());
    }

    // Each start shows what the one before chose, and flips language and
    // view; a language or view the settings file does not know gives German
    // and the table view.
    void settingsPersistAcrossStarts()
    {
        const struct {
            bool english;
            bool listMode;
        } starts[] = {{false, true}, {true, false}, {false, true}, {false, false}};
        for (int start = 0; start < 4; ++start) {
            if (start == 3) {
                m_sandbox->setSetting(QStringLiteral("language"), QStringLiteral("english"));
                m_sandbox->setSetting(QStringLiteral("view"), QStringLiteral("List"));
            }
            const auto window = openWindow();
            const auto [english, listMode] = starts[start];
            const auto checked = [&window](const char *name) { return action(*window, name)->isChecked(); };
            const bool listShown = window->stationTableWidget()->isListMode();
            const QVector<bool> shown{checked("englishAct"),  checked("germanAct"),    listShown,
                                      checked("listViewAct"), checked("tableViewAct"), window->isWindowModified()};
            QCOMPARE(shown, (QVector<bool>{english, !english, listMode, listMode, !listMode, false}));
            if (start > 0)
                QCOMPARE(window->geometry(), QRect(120, 140, 800, 500));
            action(*window, english ? "germanAct" : "englishAct")->trigger();
            action(*window, listMode ? "tableViewAct" : "listViewAct")->trigger();
            window->setGeometry(120, 140, 800, 500);
            QVERIFY(window->close());
        }
    }

    // Switching the language gives every text a window started in that
    // language shows, and switching back the texts shown before.
    void languageSwitchRetranslates()
    {
        const auto window = openWindow();
        const QStringList german = shownTexts(*window);
        action(*window, "englishAct")->trigger();
        const QStringList english = shownTexts(*window);
        QVERIFY(english != german);
        m_sandbox->setSetting(QStringLiteral("language"), QStringLiteral("English"));
        QCOMPARE(english, shownTexts(*openWindow()));
        action(*window, "germanAct")->trigger();
        QVERIFY(action(*window, "germanAct")->isChecked() && !action(*window, "englishAct")->isChecked());
        QCOMPARE(shownTexts(*window), german);
        // A text never set would pass the comparisons above. The first
        // toolbar names them all in the toolbars' context menu.
        for (const QMenu *menu : window->findChildren<QMenu *>())
            QVERIFY(!menu->title().isEmpty());
        for (const QPushButton *button : window->stationTableWidget()->findChildren<QPushButton *>())
            QVERIFY(!button->text().isEmpty());
        QCOMPARE(toolBars(*window)[0]->windowTitle(), action(*window, "showToolBarAct")->text());
    }

    // The symbols of the actions take the window palette's button text
    // colour, the disabled one when disabled, and follow a new palette; the
    // coloured signs keep their colours.
    void actionSymbolsFollowThePalette()
    {
        const auto window = openWindow();
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Active, QPalette::ButtonText, QColor(230, 230, 230));
        dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
        const QColor importSign(0x2e, 0xc2, 0x7e);
        for (const QPalette &palette : {dark, QApplication::palette()}) {
            window->setPalette(palette);
            const QIcon icon = action(*window, "importAct")->icon();
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
        const auto window = openWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QAction *showToolBar = action(*window, "showToolBarAct");
        QMenu *view = window->menuBar()->actions()[4]->menu();
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
    // settings.
    void cancelledCloseKeepsWindowAndSettings()
    {
        const auto window = openWindow();
        window->show();
        window->undoStack()->push(new QUndoCommand);
        MessageCatcher cancel(Strings::text(Strings::CancelButton));
        QVERIFY(!window->close());
        QVERIFY(cancel.seen() && window->isVisible());
        QVERIFY(!QFile::exists(m_sandbox->settingsPath()));
    }

    // The about box names the program, the running version and the licence.
    void aboutNamesVersionAndLicence()
    {
        const auto window = openWindow();
        MessageCatcher about;
        action(*window, "aboutAct")->trigger();
        QCOMPARE(about.message().title, action(*window, "aboutAct")->text());
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
        QTest::newRow("extension in a folder name") << 50 << "old.svl40/list.svl40" << "old.svl40/list.svl50";
    }

    // Only the ending of the chosen name is replaced.
    void saveAsGivesTheFormatsExtension()
    {
        QFETCH(int, version);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QVERIFY(QDir(m_sandbox->path(QString())).mkpath(QStringLiteral("old.svl40")));
        const QString source = m_sandbox->writeTable(QStringLiteral("source.table"), quint16(version));
        const auto window = openWindow(source);
        window->setWindowModified(true);
        FileDialogAnswer answer(m_sandbox->path(chosen));
        action(*window, "saveAsAct")->trigger();
        QCOMPARE(answer.directory(), QFileInfo(source).canonicalPath());
        const QString expected = m_sandbox->path(written);
        QVERIFY(QFile::exists(expected));
        QCOMPARE((QStringList{window->currentFile(), window->windowFilePath()}), (QStringList{expected, expected}));
        QVERIFY(!window->isWindowModified() && action(*window, "saveAct")->isEnabled());
        QCOMPARE(recentFiles(*m_sandbox), QStringList{source});
    }

    // The menu shows the five files opened last, newest first, with a "&"
    // of their names shown as it is; one opens over unsaved changes only
    // once the user lets them go.
    void recentFilesKeepFiveNewestFirst()
    {
        QStringList files;
        for (int i = 1; i <= 6; ++i)
            files << m_sandbox->writeTable(QStringLiteral("t&%1.svl%2").arg(i).arg(i == 2 ? 40 : 50),
                                        i == 2 ? SVL_VERSION_40 : SVL_VERSION_50);
        const auto window = openWindow();
        for (const QString &file : files)
            triggerChoosingFile(*window, "openAct", file);
        triggerChoosingFile(*window, "openAct", files[3]);
        const QStringList expected = {files[3], files[5], files[4], files[2], files[1]};
        QCOMPARE(recentFiles(*m_sandbox), expected);
        const QList<QAction *> recent = recentFileActions(*window);
        QCOMPARE(recent.size(), 5);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(recent[i]->isVisible());
            const QString name = QFileInfo(expected[i]).fileName().replace(QLatin1Char('&'), QLatin1String("&&"));
            QCOMPARE(recent[i]->text(), QStringLiteral("%1 %2").arg(i + 1).arg(name));
            QCOMPARE(recent[i]->data().toString(), expected[i]);
        }
        window->undoStack()->push(new QUndoCommand);
        for (const auto &answer : {qMakePair(Strings::CancelButton, files[3]),
                                   qMakePair(Strings::DiscardButton, files[1])}) {
            MessageCatcher prompt(Strings::text(answer.first), Strings::text(Strings::SaveModificationsTitle));
            recent[4]->trigger();
            QVERIFY(prompt.seen());
            QCOMPARE(window->currentFile(), answer.second);
        }
        QCOMPARE(window->stationTableWidget()->tableVersion(), quint16(SVL_VERSION_40));
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->windowTitle(), QStringLiteral("t&2.svl40[*]"));

        m_sandbox->setSetting(QStringLiteral("recentFiles"), QStringList{files[0]});
        const auto next = openWindow();
        QVERIFY(recentFileActions(*next)[0]->isVisible() && !recentFileActions(*next)[1]->isVisible());
    }

    // Whatever would write the table or leave the table view's working copy
    // behind asks first about a deletion not applied; cancelled, nothing
    // happens: no other dialog opens and the deletion stays.
    void unappliedChangesAreAskedAboutEverywhere()
    {
        const QString file = m_sandbox->writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40);
        m_sandbox->setSetting(QStringLiteral("recentFiles"), QStringList{file});
        const auto window = openWindow(file);
        StationTableWidget *tables = window->stationTableWidget();
        action(*window, "tableViewAct")->trigger();
        selectRows(tables->listWidgets().first(), 0, 0);
        action(*window, "deleteAct")->trigger();
        QVERIFY(tables->hasUnappliedChanges() && window->isWindowModified());
        QStringList otherDialogs;
        ModalDriver nothingElse([&otherDialogs](QWidget *modal) {
            if (qobject_cast<QMessageBox *>(modal))
                return false;
            otherDialogs << modal->metaObject()->className();
            modal->close();
            return false;
        });
        QList<QAction *> asking{recentFileActions(*window).first()};
        for (const char *name : {"saveAct", "saveAsAct", "exportAct", "exportCsvAct", "printAct", "listViewAct",
                                 "newAct", "openAct", "appendAct", "importAct", "convertAct", "exitAct"})
            asking << action(*window, name);
        for (QAction *each : asking) {
            MessageCatcher cancel(Strings::text(Strings::CancelButton), Strings::text(Strings::UnappliedChangesTitle));
            each->trigger();
            QVERIFY2(cancel.seen(), qPrintable(each->objectName()));
            QVERIFY(!tables->isListMode() && tables->hasUnappliedChanges());
        }
        QCOMPARE(otherDialogs, QStringList());
        QCOMPARE(window->currentFile(), file);
    }

    void savePrompt_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("withoutFile");
        QTest::addColumn<bool>("failingSave");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("replaced");
        const int save = Strings::SaveAction;
        QTest::newRow("save") << save << false << false << true << true;
        QTest::newRow("discard") << int(Strings::DiscardButton) << false << false << false << true;
        QTest::newRow("cancel") << int(Strings::CancelButton) << false << false << false << false;
        QTest::newRow("save without a file, dialog cancelled") << save << true << false << false << false;
        QTest::newRow("save without a file, save failed") << save << true << true << false << false;
    }

    // The prompt before "New file"; the document's file was removed from
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
        const QString file = m_sandbox->writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
        const auto window = openWindow(file);
        QVERIFY(QFile::remove(file));
        if (withoutFile)
            action(*window, "newAct")->trigger();
        window->undoStack()->push(new QUndoCommand);
        // An empty table has no base lists and cannot be written.
        const QString target = m_sandbox->path(QStringLiteral("empty.svl50"));
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
        QCOMPARE(error.message().text, failingSave ? failureText(Strings::SavingNewFileMessage, target) : QString());
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
        QTest::newRow("save over a folder") << "save" << int(Strings::SavingFileMessage) << "doc.svl50";
        QTest::newRow("save as, empty table") << "saveAs" << int(Strings::SavingNewFileMessage) << "empty.svl50";
        QTest::newRow("append, other version") << "append" << int(Strings::AppendingFileMessage) << "other.svl40";
        QTest::newRow("reference, not a table") << "reference" << int(Strings::ReadingReferenceMessage)
                                                << "garbage.svl40";
    }

    void failuresNameTheFileAndChangeNothing()
    {
        QFETCH(QString, step);
        QFETCH(int, message);
        QFETCH(QString, file);
        const QString document = m_sandbox->writeTable(QStringLiteral("doc.svl50"), SVL_VERSION_50);
        QVERIFY(!m_sandbox->writeTable(QStringLiteral("other.svl40"), SVL_VERSION_40).isEmpty());
        QFile garbage(m_sandbox->path(QStringLiteral("garbage.svl40")));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not a station table") > 0);
        garbage.close();
        const QString path = m_sandbox->path(file);
        m_sandbox->setSetting(QStringLiteral("recentFiles"), QStringList{path});
        const auto window = openWindow(document);
        window->undoStack()->push(new QUndoCommand);
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
            triggerChoosingFile(*window, "saveAsAct", m_sandbox->path(QStringLiteral("empty")));
        } else {
            triggerChoosingFile(*window, step == QLatin1String("append") ? "appendAct" : "orderLikeReferenceAct", path);
        }
        QCOMPARE(discard.seen(), step == QLatin1String("open"));
        QCOMPARE(error.message().text, failureText(message, path));
        QCOMPARE((QStringList{window->currentFile(), window->windowFilePath()}), (QStringList{document, document}));
        QVERIFY(window->isWindowModified());
        QCOMPARE(window->undoStack()->count(), step == QLatin1String("saveAs") ? 0 : 1);
        QStringList recent{document, path};
        recent.removeDuplicates();
        QCOMPARE(recentFiles(*m_sandbox), recent);
    }

    void unreadableCommandLineFileLeavesNoDocument()
    {
        const QString missing = m_sandbox->path(QStringLiteral("missing.svl50"));
        MessageCatcher error;
        const auto window = openWindow(missing);
        QCOMPARE(error.message().text, failureText(Strings::LoadingFileMessage, missing));
        QVERIFY(window->windowFilePath().isEmpty() && window->currentFile().isNull());
        QCOMPARE(enabledActions(*window), QStringList{"importAct"});
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
        const QStringList fresh{"saveAsAct", "importAct"};
        QTest::newRow("fresh start") << QStringList{} << fresh << false;
        QTest::newRow("loaded 40") << QStringList{"load40"} << loaded40 << false;
        QTest::newRow("loaded, then new") << QStringList{"load40", "new"}
                                          << QStringList{"saveAsAct", "importAct", "childLockAct", "epgAct"} << false;
        QTest::newRow("appended") << QStringList{"load40", "append40"} << loaded40 << true;
        QTest::newRow("imported, then saved as") << QStringList{"load50", "import", "saveAs"} << loaded << false;
        // An imported table has no file yet: all but the first, Save.
        QTest::newRow("imported") << QStringList{"import"} << QStringList(loaded.mid(1)) << true;
        // No transfer ran, so the table is still the version-40 one.
        QTest::newRow("loaded 40, then imported") << QStringList{"load40", "import"} << QStringList(loaded40.mid(1)) << true;
        QTest::newRow("import failed") << QStringList{"importFailed"} << fresh << false;
        QTest::newRow("export finished") << QStringList{"export"} << QStringList{"saveAsAct", "importAct", "exportAct"}
                                         << false;
    }

    void enabling()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, enabled);
        QFETCH(bool, modified);
        const QString table40 = m_sandbox->writeTable(QStringLiteral("t.svl40"), SVL_VERSION_40);
        const QString table50 = m_sandbox->writeTable(QStringLiteral("t.svl50"), SVL_VERSION_50);
        const auto window = openWindow();
        for (const QString &step : steps) {
            MessageCatcher error;
            if (step.startsWith(QLatin1String("load")))
                triggerChoosingFile(*window, "openAct", step.endsWith(QLatin1String("40")) ? table40 : table50);
            else if (step == QLatin1String("new"))
                action(*window, "newAct")->trigger();
            else if (step == QLatin1String("append40"))
                triggerChoosingFile(*window, "appendAct", table40);
            else if (step == QLatin1String("saveAs"))
                triggerChoosingFile(*window, "saveAsAct", m_sandbox->path(QStringLiteral("copy")));
            else if (step.startsWith(QLatin1String("import")))
                QMetaObject::invokeMethod(window.get(), "importFinished", Q_ARG(int, step == "import" ? 0 : 1));
            else
                QMetaObject::invokeMethod(window.get(), "exportFinished", Q_ARG(int, 0));
            QCOMPARE(error.seen(), step == QLatin1String("importFailed"));
        }
        QCOMPARE(enabledActions(*window), enabled);
        QCOMPARE(window->isWindowModified(), modified);
    }

    // A table reference pairs every station by its ids, a CSV of the same
    // list pairs the named ones by name; the rest follow in their former
    // order, and undo gives back the exact former order.
    void ordersTheCurrentBaseListLikeTheReferenceInOneUndoableStep()
    {
        const QString file = m_sandbox->writeTable(QStringLiteral("scan.svl50"), SVL_VERSION_50, 2, 7, 40);
        const QString table = m_sandbox->path(QStringLiteral("reference.svl50"));
        const QString csv = m_sandbox->path(QStringLiteral("reference.csv"));
        QVERIFY(writeReversedReference(file, table, csv));
        auto window = openWindow(file);
        StationListWidget *tv = listWidget(*window, SVL_TV_LIST_INDEX);
        const QVector<Stations> lists = listsOf(*window);
        const Stations former = lists[SVL_TV_LIST_INDEX];
        const int n = former.size();
        Stations expected(former.rbegin() + 3, former.rend());
        expected << former[n - 3] << former[n - 2] << former[n - 1];

        const QString putAtEnd = Strings::text(Strings::PutAtEndButton);
        const QString deleteThem = Strings::text(Strings::DeleteThemButton);
        for (const auto &round : {qMakePair(table, putAtEnd), qMakePair(csv, putAtEnd), qMakePair(table, deleteThem)}) {
            QStringList texts;
            const auto answers = answerMessages(round.second, &texts);
            triggerChoosingFile(*window, "orderLikeReferenceAct", round.first);
            QCOMPARE(texts.size(), 2);
            QCOMPARE(texts[0], Strings::text(Strings::UnmatchedStationsQuestion).arg(3));
            if (round.first == table)
                QCOMPARE(texts[1], Strings::text(Strings::OrderResultMessage).arg(n - 3).arg(0).arg(3));
            if (round.second == deleteThem)
                QCOMPARE(stationsOf(tv), expected.mid(0, n - 3));
            else if (round.first == table)
                QCOMPARE(stationsOf(tv), expected);
            else
                QCOMPARE(namesOf(stationsOf(tv)).mid(0, n - 3), namesOf(expected).mid(0, n - 3));
            QVERIFY(window->isWindowModified());
            window->undoStack()->undo();
            QCOMPARE(listsOf(*window), lists);
        }

        // A favorite list in front of the table view: its medium's base
        // list is ordered, the favorite list keeps its order.
        window->stationTableWidget()->switchToTableView();
        window->stationTableWidget()->showList(SVL_FIRST_FAV_INDEX);
        QStringList texts;
        const auto answers = answerMessages(putAtEnd, &texts);
        triggerChoosingFile(*window, "orderLikeReferenceAct", table);
        QCOMPARE(stationsOf(listWidget(*window, SVL_TV_LIST_INDEX)), expected);
        QCOMPARE(stationsOf(listWidget(*window, SVL_FIRST_FAV_INDEX)), lists[SVL_FIRST_FAV_INDEX]);
    }

    // "Move to position..." offers the first selected row, counted from 1.
    void moveToPositionOffersTheFirstSelectedRow()
    {
        const auto window = openWindow(m_sandbox->writeTable(QStringLiteral("scan.svl50"), SVL_VERSION_50));
        selectRows(listWidget(*window, SVL_TV_LIST_INDEX), 4, 6);
        int offered = 0;
        const auto input = onNextDialog<QInputDialog>([&offered](QInputDialog *dialog) {
            offered = dialog->intValue();
            dialog->reject();
        });
        action(*window, "moveToPositionAct")->trigger();
        QCOMPARE(offered, 5);
        QCOMPARE(window->undoStack()->count(), 0);
    }

    // The backup holds the bytes the file had when the document was
    // opened; a later save leaves it alone, and with the setting off none
    // is made.
    void keepsTheOpenedFileAsABackupAtTheFirstSave()
    {
        const QString file = m_sandbox->writeTable(QStringLiteral("mine.svl50"), SVL_VERSION_50);
        const QString backup = file + QStringLiteral(".bak");
        const QByteArray opened = readBytes(file);
        auto window = openWindow(file);
        // A backup that cannot be written stops the save.
        QVERIFY(QDir().mkdir(backup));
        MessageCatcher error(QString(), Strings::text(Strings::FileErrorTitle));
        action(*window, "saveAct")->trigger();
        QCOMPARE(error.message().text, failureText(Strings::KeepingBackupMessage, backup));
        QCOMPARE(readBytes(file), opened);
        QVERIFY(QDir().rmdir(backup));
        action(*window, "saveAct")->trigger();
        QCOMPARE(readBytes(backup), opened);
        QVERIFY2(readBytes(file) != opened, "every save numbers the uids on, so the file changed");

        QFile older(backup);
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        older.close();
        action(*window, "saveAct")->trigger();
        QCOMPARE(readBytes(backup), QByteArray("older"));

        action(*window, "fileBackupAct")->trigger();
        QFile::remove(backup);
        auto again = openWindow(file);
        QVERIFY(!action(*again, "fileBackupAct")->isChecked());
        action(*again, "saveAct")->trigger();
        QVERIFY(!QFile::exists(backup));
    }

    void opensTheFileItIsGiven_data()
    {
        QTest::addColumn<QStringList>("before"); // arguments before the file name
        QTest::addColumn<QString>("fileName");
        QTest::newRow("blanks and non-ASCII") << QStringList() << QStringLiteral("Sender Küche 東京.svl50");
        QTest::newRow("leading dash after --") << QStringList{QStringLiteral("--")} << QStringLiteral("-Sender.svl50");
    }

    // The program itself, started as a desktop entry does on files whose
    // names a careless argument reader would break, remembers the file at
    // once among the recent files. It inherits the name of the sandbox's
    // settings file.
    void opensTheFileItIsGiven()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, fileName);
        const QString file = m_sandbox->writeTable(fileName, SVL_VERSION_50);
        QVERIFY(!file.isEmpty());
        qputenv("LC_ALL", "C.UTF-8");
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setWorkingDirectory(m_sandbox->path(QString()));
        program.start(QStringLiteral(KANVIO_PROGRAM), before << fileName);
        QTRY_VERIFY_WITH_TIMEOUT(!recentFiles(*m_sandbox).isEmpty(), 20000);
        program.kill();
        program.waitForFinished();
        QCOMPARE(recentFiles(*m_sandbox).value(0), file);
    }

    // Every built-in image at the size its name gives ("name-24x24.png"),
    // with a twin of twice the pixels for high-resolution screens
    // ("name-24x24@2x.png").
    void imageExistsAtItsSizeAndTwice_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        const QRegularExpression sized(QStringLiteral("[-_](\\d+)x\\1\\.png$"));
        int images = 0;
        for (const QString &folder : {QStringLiteral(":/images"), QStringLiteral(":/iconset")}) {
            QDirIterator files(folder);
            while (files.hasNext()) {
                const QString path = files.next();
                const QRegularExpressionMatch match = sized.match(path);
                if (!match.hasMatch())
                    continue;
                QTest::newRow(qPrintable(path)) << path << match.captured(1).toInt();
                ++images;
            }
        }
        // The toolbar, list row, settings page and program images.
        QVERIFY(images >= 31);
    }

    void imageExistsAtItsSizeAndTwice()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        const QImage image(path);
        const QImage sharper(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png")));
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(sharper.size(), QSize(2 * size, 2 * size));
        QVERIFY(image.hasAlphaChannel() && sharper.hasAlphaChannel());
    }

private:
    std::optional<Sandbox> m_sandbox;
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
