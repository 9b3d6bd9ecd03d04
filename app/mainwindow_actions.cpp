#include "app/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <memory>

#include "fields/option_tables.h"
#include "texts/strings.h"
#include "views/stationtablewidget.h"
#include "views/symbol_images.h"

// How an action starts out. FromUndoStack leaves the enabled state to the
// undo stack that made the action.
enum class ActionStart { Enabled, Disabled, Checked, FromUndoStack };

struct MainWindow::ActionSpec {
    QAction *MainWindow::*action;
    const char *objectName;
    int textId;
    int tipId;
    const char *icon;
    QKeySequence::StandardKey standardKey;
    const char *fixedKey;
    bool checkable;
    ActionStart start;
};

namespace {
constexpr QKeySequence::StandardKey NoStandardKey = QKeySequence::UnknownKey;
}

const QVector<MainWindow::ActionSpec> &MainWindow::actionSpecs()
{
    using S = Strings;
    using A = ActionStart;
    static const QVector<ActionSpec> specs = {
        {&MainWindow::m_newAct, "newAct", S::NewFileAction, S::NewFileTip, ":/images/new-24x24.png",
         QKeySequence::New, nullptr, false, A::Enabled},
        {&MainWindow::m_openAct, "openAct", S::OpenAction, S::OpenTip, ":/images/open-24x24.png",
         QKeySequence::Open, nullptr, false, A::Enabled},
        {&MainWindow::m_saveAct, "saveAct", S::SaveAction, S::SaveTip, ":/images/save-24x24.png",
         QKeySequence::Save, nullptr, false, A::Disabled},
        {&MainWindow::m_saveAsAct, "saveAsAct", S::SaveAsAction, S::SaveAsTip, nullptr,
         QKeySequence::SaveAs, nullptr, false, A::Disabled},
        {&MainWindow::m_exportCsvAct, "exportCsvAct", S::ExportCsvAction, S::ExportCsvTip,
         ":/images/exportcsv-24x24.png", QKeySequence::Preferences, nullptr, false, A::Disabled},
        {&MainWindow::m_importAct, "importAct", S::ImportFromTvAction, S::ImportFromTvTip,
         ":/images/import-24x24.png", NoStandardKey, "Ctrl+Shift+I", false, A::Enabled},
        {&MainWindow::m_exportAct, "exportAct", S::ExportToTvAction, S::ExportToTvTip,
         ":/images/export-24x24.png", NoStandardKey, "Ctrl+Shift+E", false, A::Disabled},
        {&MainWindow::m_appendAct, "appendAct", S::AppendStationsAction, S::AppendStationsTip,
         ":/images/add-table-24x24.png", NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_deleteAct, "deleteAct", S::DeleteAction, S::DeleteTip, ":/images/remove-24x24.png",
         QKeySequence::Delete, nullptr, false, A::Disabled},
        {&MainWindow::m_optionsAct, "optionsAct", S::OptionsAction, S::OptionsTip,
         ":/images/options-24x24.png", NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_childLockAct, "childLockAct", S::ChildLockAction, S::ChildLockTip,
         ":/images/child-lock-24x24.png", NoStandardKey, nullptr, true, A::Disabled},
        {&MainWindow::m_epgAct, "epgAct", S::ContainedInEpgAction, S::ContainedInEpgTip,
         ":/images/epg-text-only-24x24.png", NoStandardKey, nullptr, true, A::Disabled},
        {&MainWindow::m_defaultAct, "defaultAct", S::DefaultSettingsAction, S::DefaultSettingsTip, nullptr,
         NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_englishAct, "englishAct", S::EnglishAction, S::EnglishTip, nullptr, NoStandardKey,
         nullptr, true, A::Enabled},
        {&MainWindow::m_germanAct, "germanAct", S::GermanAction, S::GermanTip, nullptr, NoStandardKey,
         nullptr, true, A::Enabled},
        {&MainWindow::m_listViewAct, "listViewAct", S::ListViewAction, S::ListViewTip,
         ":/images/view-side-by-side-24x24.png", NoStandardKey, nullptr, true, A::Enabled},
        {&MainWindow::m_tableViewAct, "tableViewAct", S::TableViewAction, S::TableViewTip,
         ":/images/view-as-table-24x24.png", NoStandardKey, nullptr, true, A::Enabled},
        // F11 means full screen on every desktop; quitting takes the platform's quit key.
        {&MainWindow::m_exitAct, "exitAct", S::ExitAction, S::ExitTip, nullptr, QKeySequence::Quit, nullptr,
         false, A::Enabled},
        {&MainWindow::m_aboutAct, "aboutAct", S::AboutAction, S::AboutTip, nullptr, NoStandardKey, nullptr,
         false, A::Enabled},
        {&MainWindow::m_showToolBarAct, "showToolBarAct", S::ShowToolbarAction, S::ShowToolbarTip, nullptr,
         NoStandardKey, nullptr, true, A::Checked},
        {&MainWindow::m_searchAct, "searchAct", S::SearchStationAction, S::SearchStationTip,
         ":/images/search-24x24.png", QKeySequence::Find, nullptr, false, A::Disabled},
        {&MainWindow::m_advancedSearchAct, "advancedSearchAct", S::AdvancedSearchAction, S::AdvancedSearchTip,
         ":/images/search-24x24.png", NoStandardKey, "Ctrl+Shift+F", false, A::Disabled},
        {&MainWindow::m_undoAct, "undoAct", S::UndoAction, S::UndoTip, ":/images/undo-24x24.png",
         QKeySequence::Undo, nullptr, false, A::FromUndoStack},
        {&MainWindow::m_redoAct, "redoAct", S::RedoAction, S::RedoTip, ":/images/redo-24x24.png",
         QKeySequence::Redo, nullptr, false, A::FromUndoStack},
        {&MainWindow::m_printAct, "printAct", S::PrintAction, S::PrintTip, ":/images/printer-24x24.png",
         NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_convertAct, "convertAct", S::ConvertTableAction, S::ConvertTableTip, nullptr,
         NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_copyAct, "copyAct", S::CopyStationDataAction, S::CopyStationDataTip,
         ":/images/copy-24x24.png", QKeySequence::Copy, nullptr, false, A::Disabled},
        {&MainWindow::m_backupFolderAct, "backupFolderAct", S::OpenBackupFolderAction, S::OpenBackupFolderTip,
         nullptr, NoStandardKey, nullptr, false, A::Enabled},
        {&MainWindow::m_tvBackupAct, "tvBackupAct", S::TvBackupAction, S::TvBackupTip, nullptr, NoStandardKey,
         nullptr, true, A::Checked},
        {&MainWindow::m_orderLikeReferenceAct, "orderLikeReferenceAct", S::OrderLikeReferenceAction,
         S::OrderLikeReferenceTip, nullptr, NoStandardKey, nullptr, false, A::Disabled},
        {&MainWindow::m_fileBackupAct, "fileBackupAct", S::KeepFileBackupAction, S::KeepFileBackupTip, nullptr,
         NoStandardKey, nullptr, true, A::Checked},
    };
    return specs;
}

void MainWindow::createActions()
{
    createUndoActions();
    for (const ActionSpec &spec : actionSpecs()) {
        QAction *&action = this->*spec.action;
        if (!action)
            action = new QAction(this);
        configureAction(action, spec);
    }
    updateActionIcons();
    createRecentFileActions();
    createCaModuleActions();
    createMoveActions();
}

// The undo stack makes its own actions so that it can keep their enabled
// state and name the command they would undo or redo.
void MainWindow::createUndoActions()
{
    m_undoAct = m_undoStack.createUndoAction(this, Strings::text(Strings::UndoAction));
    m_redoAct = m_undoStack.createRedoAction(this, Strings::text(Strings::RedoAction));
}

void MainWindow::configureAction(QAction *action, const ActionSpec &spec)
{
    action->setObjectName(QLatin1String(spec.objectName));
    if (spec.standardKey != NoStandardKey)
        action->setShortcuts(spec.standardKey);
    else if (spec.fixedKey)
        action->setShortcut(QKeySequence(QLatin1String(spec.fixedKey)));
    action->setCheckable(spec.checkable || spec.start == ActionStart::Checked);
    if (spec.start == ActionStart::Checked)
        action->setChecked(true);
    else if (spec.start != ActionStart::FromUndoStack)
        action->setEnabled(spec.start == ActionStart::Enabled);
}

// The symbols take the palette's text colour, so that they read on a dark
// theme as on a light one; a new palette paints them anew.
void MainWindow::updateActionIcons()
{
    for (const ActionSpec &spec : actionSpecs()) {
        if (spec.icon)
            (this->*spec.action)->setIcon(symbolIcon(QLatin1String(spec.icon), palette()));
    }
}

void MainWindow::createRecentFileActions()
{
    for (QAction *&action : m_recentFileActs) {
        action = new QAction(this);
        action->setVisible(false);
    }
}

// The module names are those of the station settings dialog's combo box,
// taken once: they are not part of the text table.
void MainWindow::createCaModuleActions()
{
    const std::unique_ptr<QComboBox> names(createOptionComboBox(QStringLiteral("CANumber")));
    for (int module = 0; module < CaModuleCount; ++module) {
        auto *action = new QAction(this);
        if (names)
            action->setText(names->itemText(module));
        action->setData(module);
        action->setCheckable(true);
        m_caModuleActs[module] = action;
    }
}

void MainWindow::createToolBars()
{
    m_fileToolBar = addToolBar(QString());
    m_fileToolBar->addActions({m_newAct, m_openAct, m_saveAct, m_exportCsvAct, m_printAct});
    m_fileToolBar->addSeparator();
    m_fileToolBar->addActions({m_importAct, m_exportAct, m_appendAct});

    m_editToolBar = addToolBar(QString());
    m_editToolBar->addActions({m_undoAct, m_redoAct});
    m_editToolBar->addSeparator();
    m_editToolBar->addActions({m_optionsAct, m_copyAct, m_deleteAct, m_searchAct});
    m_editToolBar->addSeparator();
    m_editToolBar->addActions({m_childLockAct, m_epgAct});

    m_viewToolBar = addToolBar(QString());
    m_viewToolBar->addActions({m_listViewAct, m_tableViewAct});
}

void MainWindow::createConnections()
{
    connectFileActions();
    connectWindowActions();
    connectSearchAndOutputActions();
    connectExchangeActions();
    connectEditingActions();
    connect(m_optionsAct, &QAction::triggered, m_tableWidget, &StationTableWidget::showOptionsDialog);
    connectReferenceActions();
}

void MainWindow::connectFileActions()
{
    connect(m_newAct, &QAction::triggered, this, &MainWindow::newSvlFile);
    connect(m_openAct, &QAction::triggered, this, &MainWindow::openSvlFile);
    connect(m_saveAct, &QAction::triggered, this, &MainWindow::saveSvlFile);
    connect(m_saveAsAct, &QAction::triggered, this, &MainWindow::saveAsSvlFile);
    connect(m_appendAct, &QAction::triggered, this, &MainWindow::appendFromFile);
    connect(m_convertAct, &QAction::triggered, this, &MainWindow::convertTable);
    for (QAction *action : m_recentFileActs)
        connect(action, &QAction::triggered, this, &MainWindow::openRecentFile);
}

void MainWindow::connectWindowActions()
{
    connect(m_englishAct, &QAction::triggered, this, &MainWindow::translate);
    connect(m_germanAct, &QAction::triggered, this, &MainWindow::translate);
    connect(m_listViewAct, &QAction::triggered, this, &MainWindow::showListView);
    connect(m_tableViewAct, &QAction::triggered, this, &MainWindow::showTableView);
    connect(m_exitAct, &QAction::triggered, this, &QWidget::close);
    connect(m_aboutAct, &QAction::triggered, this, &MainWindow::about);
    for (QToolBar *toolBar : {m_fileToolBar, m_editToolBar, m_viewToolBar}) {
        connect(m_showToolBarAct, &QAction::toggled, toolBar, &QWidget::setVisible);
        connect(toolBar, &QToolBar::visibilityChanged, m_showToolBarAct, &QAction::setChecked);
    }
}

// The toggles pass on the state they were switched to: the selected
// stations all get it.
void MainWindow::connectEditingActions()
{
    connect(m_deleteAct, &QAction::triggered, m_tableWidget, &StationTableWidget::deleteStation);
    connect(m_defaultAct, &QAction::triggered, m_tableWidget, &StationTableWidget::setDefaultSettings);
    connect(m_childLockAct, &QAction::triggered, m_tableWidget, &StationTableWidget::toggleChildLock);
    connect(m_epgAct, &QAction::triggered, m_tableWidget, &StationTableWidget::toggleShowInEPG);
    for (QAction *action : m_caModuleActs)
        connect(action, &QAction::triggered, m_tableWidget, &StationTableWidget::setCaModule);
}

void MainWindow::createMenus()
{
    createFileMenu();
    createEditMenu();

    m_stationTableMenu = createMenu();
    m_stationTableMenu->addActions({m_importAct, m_exportAct});
    m_stationTableMenu->addSeparator();
    m_stationTableMenu->addActions({m_appendAct, m_convertAct});
    m_stationTableMenu->addSeparator();
    m_stationTableMenu->addAction(m_orderLikeReferenceAct);

    m_settingsMenu = createMenu();
    m_languageMenu = createMenu(false);
    m_languageMenu->addActions({m_englishAct, m_germanAct});
    m_settingsMenu->addMenu(m_languageMenu);
    m_settingsMenu->addAction(m_tvBackupAct);
    m_settingsMenu->addAction(m_fileBackupAct);

    m_viewMenu = createMenu();
    m_viewMenu->addActions({m_listViewAct, m_tableViewAct});
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_showToolBarAct);

    m_helpMenu = createMenu();
    m_helpMenu->addAction(m_aboutAct);

    m_caModuleMenu = createMenu(false);
    for (QAction *action : m_caModuleActs)
        m_caModuleMenu->addAction(action);
}

void MainWindow::createFileMenu()
{
    m_fileMenu = createMenu();
    m_fileMenu->addActions({m_newAct, m_openAct});
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_saveAct, m_saveAsAct});
    m_fileMenu->addSeparator();
    for (QAction *action : m_recentFileActs)
        m_fileMenu->addAction(action);
    m_fileMenu->addSeparator();
    m_fileMenu->addActions({m_exportCsvAct, m_printAct});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_backupFolderAct);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exitAct);
}

void MainWindow::createEditMenu()
{
    m_editMenu = createMenu();
    m_editMenu->addActions({m_undoAct, m_redoAct});
    m_editMenu->addSeparator();
    m_editMenu->addActions({m_copyAct, m_deleteAct});
    m_editMenu->addSeparator();
    m_editMenu->addActions({m_childLockAct, m_epgAct, m_defaultAct});
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_optionsAct);
    m_editMenu->addSeparator();
    m_editMenu->addActions({m_searchAct, m_advancedSearchAct});
    addMoveActions(m_editMenu);
}

// Titles come later from the language handling, which sets every text.
QMenu *MainWindow::createMenu(bool inMenuBar)
{
    auto *menu = new QMenu(this);
    menu->installEventFilter(this);
    if (inMenuBar)
        menuBar()->addMenu(menu);
    return menu;
}

void MainWindow::retranslateMenus()
{
    QMenu *const menus[] = {m_fileMenu, m_editMenu, m_stationTableMenu, m_settingsMenu,
                            m_languageMenu, m_viewMenu, m_helpMenu, m_caModuleMenu};
    int id = Strings::FileMenu;
    for (QMenu *menu : menus)
        menu->setTitle(Strings::text(id++));
}

void MainWindow::retranslateActions()
{
    for (const ActionSpec &spec : actionSpecs()) {
        QAction *action = this->*spec.action;
        action->setText(Strings::text(spec.textId));
        action->setStatusTip(Strings::text(spec.tipId));
    }
    m_fileToolBar->setWindowTitle(Strings::text(Strings::ShowToolbarAction));
    retranslateKeyboardTexts();
}

void MainWindow::setActionsEnabled(std::initializer_list<QAction *> actions, bool enabled)
{
    for (QAction *action : actions)
        enableAction(action, enabled);
}

// The one place that turns actions on, and so the one place that asks the
// transfer lock: while the document is locked an action that should be on
// waits for the unlock, and one that should be off is off at once.
void MainWindow::enableAction(QAction *action, bool enabled)
{
    if (!m_documentLocked || !enabled) {
        action->setEnabled(enabled);
        m_lockedActions.removeAll(action);
        return;
    }
    if (!m_lockedActions.contains(action))
        m_lockedActions.append(action);
}

// A ticked flag action means that at least one selected station has the flag.
void MainWindow::selectionChanged(bool selectedAny, bool oneRange, bool childLock, bool epg)
{
    setSelectionActionsEnabled(selectedAny, oneRange);
    m_childLockAct->setChecked(childLock);
    m_epgAct->setChecked(epg);
}

// "Options" opens the dialog of one station, so it needs a selection made
// as one range.
void MainWindow::setSelectionActionsEnabled(bool selectedAny, bool oneRange)
{
    setActionsEnabled({m_copyAct, m_deleteAct, m_defaultAct}, selectedAny);
    enableAction(m_optionsAct, selectedAny && oneRange);
    setMoveActionsEnabled(selectedAny);
}

// What a freshly loaded or imported table allows; "Convert table" only
// makes sense for the old format.
void MainWindow::enableDocumentActions()
{
    setActionsEnabled({m_saveAsAct, m_exportCsvAct, m_exportAct, m_appendAct, m_searchAct,
                       m_advancedSearchAct, m_printAct, m_childLockAct, m_epgAct, m_orderLikeReferenceAct},
                      true);
    enableAction(m_convertAct, m_tableWidget->tableVersion() == SVL_VERSION_40);
}
