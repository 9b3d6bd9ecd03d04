#ifndef KANVIO_APP_MAINWINDOW_H
#define KANVIO_APP_MAINWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QUndoStack>
#include <QVector>

#include <initializer_list>

#include "net/ssdp.h"
#include "views/editorwindow.h"

class QAction;
class QMenu;
class QToolBar;
class StationListWidget;
class StationTableWidget;

// The program's single top-level window. It owns the document widget, the
// one undo stack and every action with its menus and toolbars, and decides
// centrally which actions a document event enables. Its members are defined
// by concern in mainwindow.cpp (construction, view, about, close),
// mainwindow_actions.cpp (actions, menus, toolbars, texts),
// mainwindow_files.cpp (the document's files), mainwindow_exchange.cpp (TV
// imports and exports and the backups of the sets' tables),
// mainwindow_settings.cpp (settings file and language), mainwindow_context.cpp
// (the station context menu), mainwindow_output.cpp (search, CSV export,
// printing and copying), mainwindow_modified.cpp (the modified mark),
// mainwindow_keyboard.cpp (moving stations from the keyboard, names for
// screen readers) and mainwindow_reference.cpp (ordering like a reference
// list and the backups of saved files).
class MainWindow : public EditorWindow
{
    Q_OBJECT

public:
    enum { MaxRecentFiles = 5, CaModuleCount = 4 };

    // discoveryWaitMs bounds how long the discovery thread waits for a
    // datagram, and so how long closing the window may take.
    explicit MainWindow(const QString &fileName, QWidget *parent = nullptr,
                        int discoveryWaitMs = SSDP_WAIT_MS);
    ~MainWindow() override;

    // The file the document was read from or last written to; empty for a
    // new document, the set's name for an imported one.
    QString currentFile() const;
    // The actions that move the selected stations; they follow the selection.
    QList<QAction *> moveActions() const;

    // What the document's widgets, models and commands use.
    StationTableWidget *stationTableWidget() const override;
    QUndoStack *undoStack() override;
    void markChangedOutsideHistory() override;
    void selectionChanged(bool selectedAny, bool oneRange, bool childLock, bool epg) override;

public slots:
    // Station views call it on a right click and on the Menu key or
    // Shift+F10.
    void showListContextMenu(const QPoint &position) override;

signals:
    void importFinished();
    void exportFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void newSvlFile();
    void openSvlFile();
    void openRecentFile();
    void saveSvlFile();
    void saveAsSvlFile();
    void appendFromFile();
    void exportCsvFile();
    void importStations();
    void exportStations();
    void importStations(const QString &address);
    void exportStations(const QString &address);
    void importFinished(int result);
    void exportFinished(int result);
    void translate();
    void showListView();
    void showTableView();
    void convertTable();
    void printList();
    void about();
    void openTvBackupFolder();
    void updateModifiedMark();

private:
    void startDiscovery(int waitMs);

    // mainwindow_actions.cpp
    struct ActionSpec;
    static const QVector<ActionSpec> &actionSpecs();
    void createActions();
    void configureAction(QAction *action, const ActionSpec &spec);
    void updateActionIcons();
    void createUndoActions();
    void createRecentFileActions();
    void createCaModuleActions();
    void createToolBars();
    void createConnections();
    void connectFileActions();
    void connectWindowActions();
    void connectEditingActions();
    void createMenus();
    void createFileMenu();
    void createEditMenu();
    QMenu *createMenu(bool inMenuBar = true);
    void retranslateMenus();
    void retranslateActions();
    void setActionsEnabled(std::initializer_list<QAction *> actions, bool enabled);
    void enableAction(QAction *action, bool enabled);
    void setSelectionActionsEnabled(bool selectedAny, bool oneRange);
    void setMoveActionsEnabled(bool enabled);
    void enableDocumentActions();

    // mainwindow_files.cpp
    void loadFile(const QString &path);
    void renameDocumentAfterConversion();
    void writeDocument();
    void writeDocumentAs();
    bool maybeSave();
    bool settleUnappliedChanges();
    enum Choice { Accepted, Destroyed, Cancelled };
    Choice askChoice(QMessageBox::Icon icon, int titleId, const QString &question, int acceptTextId,
                     int destroyTextId);
    QString openFileDialog();
    QString saveFileDialog();
    void updateRecentFileActions();
    void rememberRecentFile(const QString &path);
    void setDocumentFile(const QString &path);
    void showFileError(int textId, const QString &path);

    // mainwindow_exchange.cpp
    void connectExchangeActions();
    void readExchangeSettings();
    void runExchangeDialog(bool import);
    bool beginTransfer(const QString &address);
    QString backupBaseFor(const QString &address) const;
    void lockDocument();
    void unlockDocument();
    void endTransfer();
    void takeImportedTable();
    void showExportDone();
    void showExchangeError(int titleId, int result, int transferTextId, int unknownTextId);
    QString exchangeErrorText(int result, int transferTextId, int unknownTextId) const;

    // mainwindow_settings.cpp
    void readSettings();
    void writeSettings();

    // mainwindow_modified.cpp
    void followUndoStack();
    void markDocumentSaved();
    bool documentDiffersFromFile() const;
    bool historyDiffersFromSaved() const;

    // mainwindow_context.cpp
    bool checkCaModuleActions(const StationListWidget *selected);
    void runListContextMenu(const QPoint &position);

    // mainwindow_output.cpp
    void connectSearchAndOutputActions();

    // mainwindow_keyboard.cpp
    struct MoveActionSpec;
    static const QVector<MoveActionSpec> &moveActionSpecs();
    void createMoveActions();
    void addMoveActions(QMenu *menu);
    void addArrangeEntries(QMenu *menu);
    void addFavoriteListEntries(QMenu *menu);
    void retranslateKeyboardTexts();

    // mainwindow_reference.cpp
    void connectReferenceActions();
    void readReferenceSettings();
    void orderLikeReference();
    int askAboutUnmatched(uint32_t unmatched);
    bool keepFileBackup(const QString &path);

    ssdp_engine m_discovery;
    StationTableWidget *m_tableWidget;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_stationTableMenu = nullptr;
    QMenu *m_settingsMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QMenu *m_caModuleMenu = nullptr;

    QToolBar *m_fileToolBar = nullptr;
    QToolBar *m_editToolBar = nullptr;
    QToolBar *m_viewToolBar = nullptr;

    QAction *m_newAct = nullptr;
    QAction *m_openAct = nullptr;
    QAction *m_saveAct = nullptr;
    QAction *m_saveAsAct = nullptr;
    QAction *m_exportCsvAct = nullptr;
    QAction *m_importAct = nullptr;
    QAction *m_exportAct = nullptr;
    QAction *m_appendAct = nullptr;
    QAction *m_deleteAct = nullptr;
    QAction *m_optionsAct = nullptr;
    QAction *m_childLockAct = nullptr;
    QAction *m_epgAct = nullptr;
    QAction *m_defaultAct = nullptr;
    QAction *m_englishAct = nullptr;
    QAction *m_germanAct = nullptr;
    QAction *m_listViewAct = nullptr;
    QAction *m_tableViewAct = nullptr;
    QAction *m_exitAct = nullptr;
    QAction *m_aboutAct = nullptr;
    QAction *m_showToolBarAct = nullptr;
    QAction *m_searchAct = nullptr;
    QAction *m_advancedSearchAct = nullptr;
    QAction *m_undoAct = nullptr;
    QAction *m_redoAct = nullptr;
    QAction *m_printAct = nullptr;
    QAction *m_convertAct = nullptr;
    QAction *m_copyAct = nullptr;
    QAction *m_backupFolderAct = nullptr;
    QAction *m_tvBackupAct = nullptr;
    QAction *m_orderLikeReferenceAct = nullptr;
    QAction *m_fileBackupAct = nullptr;
    QAction *m_recentFileActs[MaxRecentFiles] = {};
    QAction *m_caModuleActs[CaModuleCount] = {};
    QAction *m_moveUpAct = nullptr;
    QAction *m_moveDownAct = nullptr;
    QAction *m_moveToTopAct = nullptr;
    QAction *m_moveToBottomAct = nullptr;
    QAction *m_moveToPositionAct = nullptr;

    QUndoStack m_undoStack;
    QString m_currentFile;
    QString m_lastTvAddress;
    // The file whose former content this document kept as a ".bak"; the
    // first save over any other file keeps a backup of it.
    QString m_backedUpFile;
    // False while the document has no file of its own (a new or imported
    // table): "Save" then asks for a name instead of writing currentFile.
    bool m_hasDocumentFile = false;
    // Set while a transfer runs; the actions it turned off, or that were
    // to be turned on meanwhile, are turned on at its end.
    bool m_documentLocked = false;
    QList<QAction *> m_lockedActions;
    // The user closed the window while a transfer ran: it closes once the
    // transfer has ended.
    bool m_closeAfterTransfer = false;
    // Set by changes the undo stack does not hold, cleared by a save.
    bool m_changedOutsideHistory = false;
    // Whether the document differed from its file when the mark was last
    // set: what an emptied undo stack no longer tells.
    bool m_documentModified = false;
};

#endif
