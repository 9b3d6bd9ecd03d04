// The main window's actions, menus, toolbars, settings and language.
#include <QMenuBar>
#include <QToolBar>

#include "app/version.h"
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

QMenu *caModuleMenu(const MainWindow &window)
{
    for (QMenu *menu : window.findChildren<QMenu *>())
        if (menu->actions().size() == MainWindow::CaModuleCount && menu->actions().last()->data() == QVariant(3))
            return menu;
    return nullptr;
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
        QCOMPARE(named, 27);
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
            "- exitAct",
            "&Edit: undoAct redoAct - copyAct deleteAct - childLockAct epgAct defaultAct - optionsAct - searchAct "
            "advancedSearchAct",
            "Station table: importAct exportAct - appendAct convertAct",
            "&Settings: Language",
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
            QVERIFY(window->QWidget::close());
        }
        QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("English"));
        QCOMPARE(sandbox.setting(QStringLiteral("view")).toString(), QStringLiteral("table"));
    }

    // Menus, toolbars, the central widget's buttons and the window's file
    // name follow the language at once.
    void languageSwitchRetranslates()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        QPushButton *add = nullptr;
        QPushButton *apply = nullptr;
        for (QPushButton *button : window->stationTableWidget()->findChildren<QPushButton *>())
            (button->text() == QLatin1String("+") ? add : apply) = button;
        QVERIFY(add && apply);
        const QString germanApply = apply->text();
        action(*window, "englishAct")->trigger();
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
        window->setWindowModified(true);
        QSignalSpy closing(window.get(), &MainWindow::close);
        MessageCatcher cancel(Strings::text(Strings::CancelButton));
        QVERIFY(!window->QWidget::close());
        QVERIFY(cancel.seen() && window->isVisible());
        QCOMPARE(closing.count(), 0);
        QVERIFY(!QFile::exists(sandbox.settingsPath()));
        MessageCatcher discard(Strings::text(Strings::DiscardButton));
        QVERIFY(window->QWidget::close());
        QCOMPARE(closing.count(), 1);
        QCOMPARE(sandbox.setting(QStringLiteral("language")).toString(), QStringLiteral("German"));
    }

    void aboutNamesVersion()
    {
        Sandbox sandbox;
        const auto window = openWindow();
        MessageCatcher about;
        action(*window, "aboutAct")->trigger();
        QCOMPARE(about.message().title, action(*window, "aboutAct")->text());
        QVERIFY(about.message().text.contains(QLatin1String("<b>Kanvio</b>")));
        QVERIFY(about.message().text.endsWith(QLatin1String("<p><b>Version: " KANVIO_VERSION "</b></p>")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
