// The main window's actions, menus, toolbars, settings and language.
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>

#include "app/version.h"
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

// The add button is the one whose text is "+" in every language.
QPushButton *button(const StationTableWidget *widget, bool add)
{
    for (QPushButton *candidate : widget->findChildren<QPushButton *>())
        if ((candidate->text() == QLatin1String("+")) == add)
            return candidate;
    return nullptr;
}

QPushButton *applyButton(const StationTableWidget *widget)
{
    return button(widget, false);
}

QPushButton *addButton(const StationTableWidget *widget)
{
    return button(widget, true);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void actionsHaveTextsImagesAndOwnShortcuts();
    void menus_data();
    void menus();
    void toolBarContents();
    void caModuleMenu();
    void startsAsTheSettingsFileSays_data();
    void startsAsTheSettingsFileSays();
    void settingsPersistAcrossStarts();
    void languageSwitchRetranslates();
    void menusIgnoreOtherMouseButtons();
    void showToolbarFollowsToolbars();
    void viewSwitchDisablesStationActions();
    void cancelledCloseKeepsWindowAndSettings();
    void aboutNamesVersion();
};

void TestMainWindow::initTestCase()
{
    if (!insideNetworkNamespace())
        QSKIP("the window sends an SSDP search: run inside scripts/in-netns");
    describeProgram();
}

// Every action of the tables has its texts, an image that is built in when
// it shows one, and a shortcut of its own: a shortcut two actions share
// fires neither.
void TestMainWindow::actionsHaveTextsImagesAndOwnShortcuts()
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
    QCOMPARE(named, 29);
    QVERIFY(!shortcutOwners.isEmpty());
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("content");

    QTest::newRow("file") << 0 << "&File"
                          << QStringList{"newAct", "openAct", "-", "saveAct", "saveAsAct", "-", "recent", "recent",
                                         "recent", "recent", "recent", "-", "exportCsvAct", "printAct", "-",
                                         "backupFolderAct", "-", "exitAct"};
    QTest::newRow("edit") << 1 << "&Edit"
                          << QStringList{"undoAct", "redoAct", "-", "copyAct", "deleteAct", "-", "childLockAct",
                                         "epgAct", "defaultAct", "-", "optionsAct", "-", "searchAct",
                                         "advancedSearchAct"};
    QTest::newRow("station table") << 2 << "Station table"
                                   << QStringList{"importAct", "exportAct", "-", "appendAct", "convertAct"};
    QTest::newRow("settings") << 3 << "&Settings" << QStringList{"Language", "tvBackupAct"};
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

void TestMainWindow::startsAsTheSettingsFileSays_data()
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

void TestMainWindow::startsAsTheSettingsFileSays()
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
    QCOMPARE(window->size(), QSize(1000, 600));
    QCOMPARE(window->windowFilePath(), Strings::text(Strings::UntitledName));
    QVERIFY(!window->isWindowModified());
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
    QCOMPARE(addButton(window->stationTableWidget())->statusTip(), QStringLiteral("Creates a new favorite list"));

    action(*window, "germanAct")->trigger();
    QVERIFY(action(*window, "germanAct")->isChecked());
    QVERIFY(!action(*window, "englishAct")->isChecked());
    QCOMPARE(menuBarMenus(*window)[2]->title(), QStringLiteral("Sender-Tabelle"));
    QCOMPARE(toolBars(*window)[0]->windowTitle(), QStringLiteral("Zeige Symbolleiste"));
    QCOMPARE(apply->text(), germanApply);
    QVERIFY(germanApply != QLatin1String("Apply modifications"));
    QCOMPARE(addButton(window->stationTableWidget())->statusTip(), Strings::text(Strings::AddFavoriteListTip));
    QCOMPARE(addButton(window->stationTableWidget())->text(), QStringLiteral("+"));
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

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
