// The main window's actions, menus, toolbars, settings and language.
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>

#include "tests/app/test_mainwindow_support.h"
#include "views/stationtablewidget.h"

using namespace testsupport;

namespace {

// The entries of a menu or toolbar: action object names, "-" for a
// separator, the title of a submenu, "recent" for a recent-file entry.
QStringList entries(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *action : actions) {
        if (action->isSeparator())
            names << QStringLiteral("-");
        else if (action->menu())
            names << action->menu()->title();
        else if (action->objectName().isEmpty())
            names << QStringLiteral("recent");
        else
            names << action->objectName();
    }
    return names;
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

bool sameImage(const QIcon &icon, const QString &path)
{
    const QImage shown = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage expected = QIcon(path).pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    return !shown.isNull() && shown == expected;
}

QPushButton *applyButton(const StationTableWidget *widget)
{
    for (QPushButton *button : widget->findChildren<QPushButton *>())
        if (button->text() != QLatin1String("+"))
            return button;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void actionTable_data();
    void actionTable();
    void menus_data();
    void menus();
    void toolBarContents();
    void caModuleMenu();
    void freshStartIsGermanListViewAtDefaultGeometry();
    void settingsPersistAcrossStarts();
    void viewSetting_data();
    void viewSetting();
    void unknownLanguageStartsInGerman();
    void languageSwitchRetranslates();
    void menusIgnoreOtherMouseButtons();
    void showToolbarFollowsToolbars();
    void viewSwitchDisablesStationActions();
    void cancelledCloseKeepsWindowAndSettings();
    void aboutNamesVersion();
    void screenshots();
};

void TestMainWindow::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the window sends an SSDP search: run inside scripts/in-netns");
    describeApplication();
}

void TestMainWindow::actionTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QList<QKeySequence>>("keys");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");

    using K = QKeySequence;
    const auto bindings = [](K::StandardKey key) { return K::keyBindings(key); };
    const QList<K> none;
    const QString noIcon;
    // The state of a fresh start: creation, then a new document.
    QTest::newRow("newAct") << "New file" << "Creates a new station table file" << ":/images/new-24x24.png"
                            << bindings(K::New) << false << true << false;
    QTest::newRow("openAct") << "Open..." << "Open an existing file" << ":/images/open-24x24.png" << bindings(K::Open)
                             << false << true << false;
    QTest::newRow("saveAct") << "Save" << "Save station table to current file" << ":/images/save-24x24.png"
                             << bindings(K::Save) << false << false << false;
    QTest::newRow("saveAsAct") << "Save as..." << "Save station table in a new file" << noIcon << bindings(K::SaveAs)
                               << false << true << false;
    QTest::newRow("exportCsvAct") << "Export CSV" << "Export station table to CSV file"
                                  << ":/images/exportcsv-24x24.png" << bindings(K::Preferences) << false << false << false;
    QTest::newRow("importAct") << "Import from TV device"
                               << "Import station table from a TV device via network communication"
                               << ":/images/import-24x24.png" << QList<K>{K(QStringLiteral("Ctrl+Shift+I"))} << false
                               << true << false;
    QTest::newRow("exportAct") << "Export to TV device"
                               << "Export station table to a TV device via network communication"
                               << ":/images/export-24x24.png" << QList<K>{K(QStringLiteral("Ctrl+Shift+E"))} << false
                               << false << false;
    QTest::newRow("appendAct") << "Append stations" << "Appends stations from a file to the current station table"
                               << ":/images/add-table-24x24.png" << none << false << false << false;
    QTest::newRow("deleteAct") << "Delete" << "Delete selected channel" << ":/images/remove-24x24.png"
                               << bindings(K::Delete) << false << false << false;
    QTest::newRow("optionsAct") << "Options" << "Shows station settings" << ":/images/options-24x24.png" << none
                                << false << false << false;
    QTest::newRow("childLockAct") << "Child lock" << "Activates/deactivates child lock for station"
                                  << ":/images/child-lock-24x24.png" << none << true << false << false;
    QTest::newRow("epgAct") << "Contained in EPG" << "Sets/unsets if station is contained in EPG data"
                            << ":/images/epg-text-only-24x24.png" << none << true << false << false;
    QTest::newRow("defaultAct") << "Default settings" << "Resets station settings to default values" << noIcon
                                << none << false << false << false;
    QTest::newRow("englishAct") << "English" << "Switch to english translation" << noIcon << none << true << true
                                << true;
    QTest::newRow("germanAct") << "German" << "Switch to german translation" << noIcon << none << true << true
                               << false;
    QTest::newRow("listViewAct") << "List view" << "Displays station table in list format"
                                 << ":/images/view-side-by-side-24x24.png" << none << true << true << true;
    QTest::newRow("tableViewAct") << "Table view" << "Displays station table in table format and station details"
                                  << ":/images/view-as-table-24x24.png" << none << true << true << false;
    QTest::newRow("exitAct") << "Exit" << "Quits Kanvio" << noIcon << bindings(K::Quit) << false << true << false;
    QTest::newRow("aboutAct") << "About Kanvio" << "Shows additional informations about this application" << noIcon
                              << none << false << true << false;
    QTest::newRow("showToolBarAct") << "Show toolbar" << "Shows or hides toolbar" << noIcon << none << true << true
                                    << true;
    QTest::newRow("searchAct") << "Search station" << "Searches for station name in the current list"
                               << ":/images/search-24x24.png" << bindings(K::Find) << false << false << false;
    QTest::newRow("advancedSearchAct") << "Advanced station search"
                                       << "Searches for stations in station table using filter options"
                                       << ":/images/search-24x24.png"
                                       << QList<K>{K(QStringLiteral("Ctrl+Shift+F"))} << false << false << false;
    QTest::newRow("undoAct") << "Undo" << "Undo last operation" << ":/images/undo-24x24.png" << bindings(K::Undo)
                             << false << false << false;
    QTest::newRow("redoAct") << "Redo" << "Redo previous operation" << ":/images/redo-24x24.png" << bindings(K::Redo)
                             << false << false << false;
    QTest::newRow("printAct") << "Print" << "Prints current favorite list in list view or selected tab in table view"
                              << ":/images/printer-24x24.png" << none << false << false << false;
    QTest::newRow("convertAct") << "Convert table" << "Converts station table to latest version (svl50)" << noIcon
                                << none << false << false << false;
    QTest::newRow("copyAct") << "Copy station data" << "Copies data of selected stations to clipboard"
                             << ":/images/copy-24x24.png" << bindings(K::Copy) << false << false << false;
}

void TestMainWindow::actionTable()
{
    QFETCH(QString, text);
    QFETCH(QString, tip);
    QFETCH(QString, icon);
    QFETCH(QList<QKeySequence>, keys);
    QFETCH(bool, checkable);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);

    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow();
    const QAction *act = action(*window, QTest::currentDataTag());
    QVERIFY(act);
    QCOMPARE(act->text(), text);
    QCOMPARE(act->statusTip(), tip);
    if (icon.isEmpty())
        QVERIFY(act->icon().isNull());
    else
        QVERIFY(sameImage(act->icon(), icon));
    QCOMPARE(act->shortcuts(), keys);
    QCOMPARE(act->isCheckable(), checkable);
    QCOMPARE(act->isEnabled(), enabled);
    QCOMPARE(act->isChecked(), checked);
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("content");

    QTest::newRow("file") << 0 << "&File"
                          << QStringList{"newAct", "openAct", "-", "saveAct", "saveAsAct", "-", "recent", "recent",
                                         "recent", "recent", "recent", "-", "exportCsvAct", "printAct", "-",
                                         "exitAct"};
    QTest::newRow("edit") << 1 << "&Edit"
                          << QStringList{"undoAct", "redoAct", "-", "copyAct", "deleteAct", "-", "childLockAct",
                                         "epgAct", "defaultAct", "-", "optionsAct", "-", "searchAct",
                                         "advancedSearchAct"};
    QTest::newRow("station table") << 2 << "Station table"
                                   << QStringList{"importAct", "exportAct", "-", "appendAct", "convertAct"};
    QTest::newRow("settings") << 3 << "&Settings" << QStringList{"Language"};
    QTest::newRow("view") << 4 << "&View" << QStringList{"listViewAct", "tableViewAct", "-", "showToolBarAct"};
    QTest::newRow("help") << 5 << "&Help" << QStringList{"aboutAct"};
}

void TestMainWindow::menus()
{
    QFETCH(int, position);
    QFETCH(QString, title);
    QFETCH(QStringList, content);

    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow();
    const QList<QMenu *> bar = menuBarMenus(*window);
    QCOMPARE(bar.size(), 6);
    QCOMPARE(bar[position]->title(), title);
    QCOMPARE(entries(bar[position]->actions()), content);
}

void TestMainWindow::toolBarContents()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow();
    const QList<QToolBar *> bars = toolBars(*window);
    QCOMPARE(bars.size(), 3);
    QCOMPARE(entries(bars[0]->actions()),
             (QStringList{"newAct", "openAct", "saveAct", "exportCsvAct", "printAct", "-", "importAct", "exportAct",
                          "appendAct"}));
    QCOMPARE(entries(bars[1]->actions()),
             (QStringList{"undoAct", "redoAct", "-", "optionsAct", "copyAct", "deleteAct", "searchAct", "-",
                          "childLockAct", "epgAct"}));
    QCOMPARE(entries(bars[2]->actions()), (QStringList{"listViewAct", "tableViewAct"}));
    QCOMPARE(bars[0]->windowTitle(), QStringLiteral("Show toolbar"));
    for (const QToolBar *bar : bars)
        QCOMPARE(window->toolBarArea(const_cast<QToolBar *>(bar)), Qt::TopToolBarArea);
}

// The "Used CA module" menu is not in the menu bar; the list context menu
// shows it.
void TestMainWindow::caModuleMenu()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("English"));
    const auto window = openWindow();
    QMenu *caMenu = nullptr;
    for (QMenu *menu : window->findChildren<QMenu *>())
        if (menu->title() == QLatin1String("Used CA module"))
            caMenu = menu;
    QVERIFY(caMenu);
    QVERIFY(!menuBarMenus(*window).contains(caMenu));
    const QList<QAction *> modules = caMenu->actions();
    QCOMPARE(modules.size(), 4);
    const QStringList texts = {"None", "1", "2", "Auto"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(modules[i]->text(), texts[i]);
        QCOMPARE(modules[i]->data().toInt(), i);
    }
    action(*window, "germanAct")->trigger();
    QCOMPARE(caMenu->title(), QStringLiteral("Verw. CA-Modul"));
    QCOMPARE(modules[3]->text(), QStringLiteral("Auto"));
}

void TestMainWindow::freshStartIsGermanListViewAtDefaultGeometry()
{
    Sandbox sandbox;
    const auto window = openWindow();
    QCOMPARE(window->pos(), QPoint(200, 200));
    QCOMPARE(window->size(), QSize(1000, 600));
    QVERIFY(action(*window, "germanAct")->isChecked());
    QVERIFY(window->stationTableWidget()->isListMode());
    QCOMPARE(menuBarMenus(*window)[0]->title(), QStringLiteral("&Datei"));
    QCOMPARE(action(*window, "newAct")->text(), QStringLiteral("Neue Datei"));
    QCOMPARE(window->windowFilePath(), Strings::text(Strings::UntitledName));
    QVERIFY(!window->isWindowModified());
}

void TestMainWindow::settingsPersistAcrossStarts()
{
    Sandbox sandbox;
    {
        const auto window = openWindow();
        action(*window, "englishAct")->trigger();
        action(*window, "tableViewAct")->trigger();
        window->resize(800, 500);
        window->move(120, 140);
        QVERIFY(window->QWidget::close());
    }
    QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("English"));
    QCOMPARE(sandbox.setting(QStringLiteral("view")).toString(), QStringLiteral("table"));
    QCOMPARE(sandbox.setting(QStringLiteral("pos")).toPoint(), QPoint(120, 140));
    QCOMPARE(sandbox.setting(QStringLiteral("size")).toSize(), QSize(800, 500));

    const auto window = openWindow();
    QVERIFY(action(*window, "englishAct")->isChecked());
    QVERIFY(!action(*window, "germanAct")->isChecked());
    QVERIFY(action(*window, "tableViewAct")->isChecked());
    QVERIFY(!window->stationTableWidget()->isListMode());
    QCOMPARE(window->pos(), QPoint(120, 140));
    QCOMPARE(window->size(), QSize(800, 500));
    QCOMPARE(action(*window, "newAct")->text(), QStringLiteral("New file"));
}

void TestMainWindow::viewSetting_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<bool>("listMode");
    QTest::newRow("list") << "list" << true;
    QTest::newRow("table") << "table" << false;
    QTest::newRow("other text") << "List" << false;
}

void TestMainWindow::viewSetting()
{
    QFETCH(QString, view);
    QFETCH(bool, listMode);
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("view"), view);
    const auto window = openWindow();
    QCOMPARE(window->stationTableWidget()->isListMode(), listMode);
    QCOMPARE(action(*window, "listViewAct")->isChecked(), listMode);
    QCOMPARE(action(*window, "tableViewAct")->isChecked(), !listMode);
}

void TestMainWindow::unknownLanguageStartsInGerman()
{
    Sandbox sandbox;
    sandbox.setSetting(QStringLiteral("language"), QStringLiteral("english"));
    const auto window = openWindow();
    QVERIFY(action(*window, "germanAct")->isChecked());
    QCOMPARE(action(*window, "openAct")->text(), QStringLiteral("Öffnen..."));
}

void TestMainWindow::languageSwitchRetranslates()
{
    Sandbox sandbox;
    const auto window = openWindow();
    const QPushButton *apply = applyButton(window->stationTableWidget());
    QVERIFY(apply);
    const QString germanApply = apply->text();

    QVERIFY(window->windowFilePath() != QLatin1String("Untitled"));
    action(*window, "englishAct")->trigger();
    QCOMPARE(window->windowFilePath(), QStringLiteral("Untitled"));
    QCOMPARE(menuBarMenus(*window)[2]->title(), QStringLiteral("Station table"));
    QCOMPARE(action(*window, "exitAct")->statusTip(), QStringLiteral("Quits Kanvio"));
    QCOMPARE(toolBars(*window)[0]->windowTitle(), QStringLiteral("Show toolbar"));
    QCOMPARE(apply->text(), QStringLiteral("Apply modifications"));

    action(*window, "germanAct")->trigger();
    QVERIFY(action(*window, "germanAct")->isChecked());
    QVERIFY(!action(*window, "englishAct")->isChecked());
    QCOMPARE(menuBarMenus(*window)[2]->title(), QStringLiteral("Sender-Tabelle"));
    QCOMPARE(toolBars(*window)[0]->windowTitle(), QStringLiteral("Zeige Symbolleiste"));
    QCOMPARE(apply->text(), germanApply);
    QVERIFY(germanApply != QLatin1String("Apply modifications"));
}

void TestMainWindow::menusIgnoreOtherMouseButtons()
{
    Sandbox sandbox;
    const auto window = openWindow();
    window->show();
    QMenu *view = menuBarMenus(*window)[4];
    QAction *showToolBar = action(*window, "showToolBarAct");
    view->popup(window->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(view));
    const QPoint entry = view->actionGeometry(showToolBar).center();

    QTest::mouseClick(view, Qt::RightButton, Qt::NoModifier, entry);
    QVERIFY(showToolBar->isChecked());
    QTest::mouseClick(view, Qt::MiddleButton, Qt::NoModifier, entry);
    QVERIFY(showToolBar->isChecked());
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, entry);
    QVERIFY(!showToolBar->isChecked());
}

void TestMainWindow::showToolbarFollowsToolbars()
{
    Sandbox sandbox;
    const auto window = openWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QAction *showToolBar = action(*window, "showToolBarAct");
    const QList<QToolBar *> bars = toolBars(*window);

    showToolBar->trigger();
    for (const QToolBar *bar : bars)
        QVERIFY(bar->isHidden());

    bars[2]->show();
    QVERIFY(showToolBar->isChecked());
    bars[1]->hide();
    QVERIFY(!showToolBar->isChecked());
}

void TestMainWindow::viewSwitchDisablesStationActions()
{
    Sandbox sandbox;
    const auto window = openWindow();
    const QList<QAction *> station = {window->deleteAction(), window->defaultSettingsAction(),
                                      window->optionsAction()};
    for (const char *viewAction : {"tableViewAct", "listViewAct"}) {
        for (QAction *act : station)
            act->setEnabled(true);
        action(*window, viewAction)->trigger();
        for (const QAction *act : station)
            QVERIFY2(!act->isEnabled(), viewAction);
        QVERIFY(action(*window, viewAction)->isChecked());
    }
    QVERIFY(!action(*window, "tableViewAct")->isChecked());
    QVERIFY(window->stationTableWidget()->isListMode());
}

void TestMainWindow::cancelledCloseKeepsWindowAndSettings()
{
    Sandbox sandbox;
    const auto window = openWindow();
    window->show();
    window->setWindowModified(true);
    QSignalSpy closing(window.get(), &MainWindow::close);
    MessageCatcher cancel(Strings::text(Strings::CancelButton));
    QVERIFY(!window->QWidget::close());
    QVERIFY(cancel.seen());
    QVERIFY(window->isVisible());
    QCOMPARE(closing.count(), 0);
    QVERIFY(!QFile::exists(sandbox.settingsPath()));

    MessageCatcher discard(Strings::text(Strings::DiscardButton));
    QVERIFY(window->QWidget::close());
    QCOMPARE(closing.count(), 1);
    QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("German"));
}

void TestMainWindow::aboutNamesVersion()
{
    Sandbox sandbox;
    for (const char *language : {"English", "German"}) {
        sandbox.setSetting(QStringLiteral("language"), QLatin1String(language));
        const auto window = openWindow();
        MessageCatcher about;
        action(*window, "aboutAct")->trigger();
        QVERIFY(about.seen());
        QCOMPARE(about.message().title, action(*window, "aboutAct")->text());
        QVERIFY2(about.message().text.endsWith(QLatin1String("<p><b>Version: " KANVIO_VERSION "</b></p>")), language);
        QVERIFY(about.message().text.contains(QLatin1String("<b>Kanvio</b>")));
    }
}

// Pictures of the window for the documentation, made only on request:
// KANVIO_SCREENSHOT_DIR names the folder that receives them.
void TestMainWindow::screenshots()
{
    const QString folder = qEnvironmentVariable("KANVIO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("set KANVIO_SCREENSHOT_DIR to write the window pictures");
    Sandbox sandbox;
    const QString table = sandbox.writeTable(QStringLiteral("demo.svl50"), SVL_VERSION_50);
    for (const char *language : {"German", "English"}) {
        sandbox.setSetting(QStringLiteral("language"), QLatin1String(language));
        const auto window = openWindow(table);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const char *suffix = QLatin1String(language) == QLatin1String("German") ? "de" : "en";
        QVERIFY(window->grab().save(folder + QStringLiteral("/mainwindow-%1.png").arg(suffix)));
        QMenu *file = menuBarMenus(*window)[0];
        file->popup(window->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QVERIFY(file->grab().save(folder + QStringLiteral("/mainwindow-filemenu-%1.png").arg(suffix)));
        file->hide();
    }
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
