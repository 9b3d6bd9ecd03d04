#ifndef KANVIO_VIEWS_STATIONTABLEWIDGET_H
#define KANVIO_VIEWS_STATIONTABLEWIDGET_H

#include <QList>
#include <QSet>
#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>

#include "svl/svl.h"
#include "svl/svl_tv.h"

class EditorWindow;
class QPrinter;
class QPushButton;
class QUndoCommand;
class QTabWidget;
class TabCloseStyle;
class SearchWidget;
class StationListWidget;
class SvlThread;

// The main window's central widget and the owner of the document: the
// station table is held here by value, its stations belong to its two base
// lists. The file operations of the main window replace, merge or write it
// through this widget. In table view the widget edits a working copy whose
// lists are duplicates of the document's lists sharing the same stations.
//
// Every list of the shown table has one list widget, at the list's index.
// The lists stand in a fixed order on which all index arithmetic rests: TV
// base list, radio base list, the TV favorite lists, the radio favorite
// lists. In list view the base tabs hold the two base lists and the
// favorite tabs the favorite lists of the medium whose base tab is current;
// in table view the base tabs hold every list.
//
// The members are defined by concern in stationtablewidget.cpp
// (construction, tabs, view switching and the accessors),
// stationtablewidget_document.cpp (the document: new, open, append, save,
// convert, apply, all replacing the table through replaceDocument),
// stationtablewidget_editing.cpp (the editing slots that push the station
// commands, and the station settings dialog),
// stationtablewidget_favorites.cpp (adding, removing, inserting and renaming
// favorite lists, and the favorite tabs' slots),
// stationtablewidget_search.cpp (the search bar and the advanced search),
// stationtablewidget_output.cpp (CSV, printing and the clipboard),
// stationtablewidget_exchange.cpp (transfers with a TV set on a worker
// thread) and stationtablewidget_moves.cpp (moving the selected stations
// and adding them to a favorite list from the keyboard and the menus).
class StationTableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit StationTableWidget(EditorWindow *mainWindow);
    ~StationTableWidget() override;

    // The document. Every change of it as a whole (new, open, append,
    // convert, apply) ends the undo history: the commands name lists of the
    // table they were made on.

    // Replaces the document by an empty table (version 0).
    void newTable();

    // Replaces the document by the table of the file. 0, or 1 when the file
    // cannot be read or holds no valid table; the document then stays.
    int openFile(const QString &path);

    // Merges the stations and favorite lists of the file into the document.
    // 0, or 1 when the file cannot be read or its table cannot be merged;
    // the document then stays as it was.
    int appendFile(const QString &path);

    // Writes the document (never the working copy) to the file. 0, or -1.
    int saveFile(const QString &path);

    // Converts an svl40 document to svl50, ending the undo history. False,
    // with the document as it was, when it cannot be converted.
    bool convertTableToNewVersion();

    // 40 or 50, or 0 for an empty table.
    quint16 tableVersion() const;

    // Whether the table view's working copy holds changes that "Apply
    // modifications" has not made part of the document yet: lists whose
    // stations, order or names differ. Station settings are shared with the
    // document and so are never unapplied.
    bool hasUnappliedChanges() const;

    // Releases those of the stations that no list of the document holds:
    // stations a deletion took out of the document's base lists, when the
    // deletion's command goes while it is in force. Stations deleted from a
    // working copy that was dropped are still the document's and stay.
    void releaseUnheldStations(const QVector<svl_station *> &stations);

    // Tabs, views and the accessors.

    bool isListMode() const;
    void switchToListView();
    void switchToTableView();

    // Applies the texts of the current language.
    void retranslate();

    // The list widgets; the position of a widget is its list index.
    QList<StationListWidget *> listWidgets() const;
    // The widget of the current base tab; null when there is none.
    StationListWidget *currentBaseListWidget() const;
    // List view: the widget of the current favorite tab; table view: the
    // widget of the current tab. Null when there is none.
    StationListWidget *currentFavListWidget() const;
    // The list index of currentFavListWidget(); -1 when there is none.
    int currentFavListIndex() const;
    // The current base list widget when it holds a selection, else the
    // current favorite list widget; otherListWidget() is the other one.
    StationListWidget *selectedListWidget() const;
    StationListWidget *otherListWidget() const;
    // The list index of selectedListWidget(); -1 when there is none.
    int selectedListIndex() const;
    // The number of lists of the shown table with this kind.
    int countListsOfKind(uint32_t kind) const;
    // The favorite kind of the medium whose base tab is current.
    uint32_t currentFavoriteKind() const;

    // Brings the list to the front: in list view its base tab and, for a
    // favorite list, its favorite tab. An unknown index is ignored.
    void showList(int listIndex);

    // Search and output.

    // The search bar in the corner of the base tabs.
    SearchWidget *searchWidget() const;
    // Writes the list that output goes to (see printStationTable) as CSV.
    // 0, or 1 when there is no list or the file cannot be written; an
    // older file then stays as it was.
    int writeCsv(const QString &path);
    // Prints the list that output goes to on the printer, which must be in
    // screen resolution mode, titled with the list's name. 0, or -1 when
    // printing failed; a failure is not reported here.
    int printCurrentList(QPrinter *printer) const;

    // Favorite lists.

    // Renames a favorite list. 0 renamed; 1 not a favorite list or the
    // name was refused; 2 another list already has this name.
    int renameList(int listIndex, const QString &name);
    // Whether a list other than the one at the index has this name.
    bool isListNameTaken(int listIndex, const QString &name) const;
    // Takes the favorite list out of the table and drops its widget. The
    // caller owns the list (release it with svl_free_list without stations);
    // null for a base list or an unknown index.
    svl_list *removeListAt(int listIndex);
    // Puts a list taken out by removeListAt back at the index; the table
    // owns it from then on. 0, or 1 on failure (the caller keeps the list).
    int insertListAt(int listIndex, svl_list *list);
    // Adds an empty favorite list of kind 3 (TV) or 4 (radio) after the
    // last one of its kind, with the name made unique by a digit 1 to 9.
    // 0, or 1 when the kind is no favorite kind, the table has no base
    // lists, the medium already has 8 favorite lists, no unique name was
    // found or memory ran out (nothing is added then).
    int addFavoriteList(const QString &name, uint32_t kind);

    // Moving the selected stations of the selected list: together, in
    // their order, with the first of them at row (0-based; a row beyond
    // the end of the list is its end). One undoable move, none when the
    // stations already stand there.
    void moveSelectedStationsToRow(int row);

    // Transfers with a TV set, one at a time, on a worker thread. An
    // export sends the document as it stood when it started, and an import
    // replaces it, so the document must not change while one runs: the
    // main window keeps editing off until the finish signal. Results are
    // those of SvlThread.

    // Reads the table of the set at address. importFinished(result) follows;
    // on success the read table has replaced the document by then.
    void startImport(const QString &address);
    // Writes the document into the set at address; with a backupBase, the
    // set's own table is kept in that file first (SvlThread::setBackupBase).
    // exportFinished(result) follows.
    void startExport(const QString &address, const QString &backupBase = QString());
    bool isTransferRunning() const;
    // The backup file of the last export, written or attempted; empty when
    // it made none.
    QString lastBackupFile() const;
    // Port and waits of the transfers, the TV set's defaults until changed.
    void setTransferOptions(const tv_options &options);
    const tv_options &transferOptions() const;

signals:
    void importFinished(int result);
    void exportFinished(int result);

public slots:
    // Asks for a printer and prints the list that output goes to: of the
    // document, never of the table view's working copy, so that changes not
    // applied are left out. In list view of an svl50 table that is the
    // current favorite list, or the current base list when its medium has
    // no favorite list; otherwise the list of the current base tab.
    void printStationTable();
    void startAdvancedSearch();
    // Puts the selected stations of the selected list on the clipboard.
    void copy();
    void applyTableModifications();
    void toggleBaseList(int index);
    void toggleFavList(int index);

    // The editing slots: each pushes one command for the selected stations
    // of the selected list, or does nothing without a selection.
    void toggleChildLock(bool locked);
    void toggleShowInEPG(bool contained);
    void deleteStation();
    void setDefaultSettings();
    // The CA module is the data of the action that sent the signal.
    void setCaModule();

    // The favorite tabs: the add button, a tab's close button and a double
    // click on a tab, which asks for the new name.
    void addFavoriteTab();
    void deleteFavoriteTab(int tab);
    void renameFavoriteTab(int tab);
    // The station settings dialog for the first selected station of the
    // selected list.
    void showOptionsDialog();

    // One row up or down, to the top or the bottom of the list, or to the
    // row the user gives.
    void moveStationsUp();
    void moveStationsDown();
    void moveStationsToTop();
    void moveStationsToBottom();
    void moveStationsToPosition();
    // Appends the stations selected in a base list to the favorite list
    // at the list index, which must be one of the same medium.
    void addSelectionToFavoriteList(int listIndex);

private slots:
    void importThreadFinished(int result);
    void exportThreadFinished(int result);

private:
    // Whether replaceDocument releases the stations of the table it
    // replaces, or only its lists because the new table holds the same
    // stations.
    enum class OldStations { Release, Shared };

    // stationtablewidget.cpp
    void createLayout();
    void createConnections();
    void clearListWidgets();
    void buildListWidgets();
    void populateListWidgets();
    void orderTabStops();
    void sizeTableColumns(int tab);
    void rebuildKeepingTabs();
    StationListWidget *createListWidget(svl_list *list);
    void rebuildFavoriteTabs();
    void styleCloseButtons();
    svl_table *shownTable();
    const svl_table *shownTable() const;
    bool makeWorkingCopy();
    void releaseWorkingCopy();

    // stationtablewidget_moves.cpp
    void moveSelectedStations(const std::function<int(const QVector<int> &rows, int rowCount)> &firstRow);
    void keepMovedStationsInView(StationListWidget *widget, int first);

    // stationtablewidget_document.cpp
    void replaceDocument(const svl_table &table, OldStations oldStations);
    static bool copyLists(const svl_table &table, svl_table *copy);
    static QVector<svl_station *> stationsLeftOut(const svl_table &table, const svl_table &kept);

    // stationtablewidget_editing.cpp
    bool hasSelectedStations() const;
    void pushCommand(QUndoCommand *command);

    // stationtablewidget_output.cpp
    const svl_list *outputList() const;

    // stationtablewidget_exchange.cpp
    void startTransfer(SvlThread *thread, void (StationTableWidget::*finished)(int));
    QByteArray documentImage();
    SvlThread *takeFinishedThread();

    svl_table m_table;
    svl_table *m_workingCopy = nullptr;
    bool m_listMode = true;
    EditorWindow *m_mainWindow;
    QTabWidget *m_favoriteTabs;
    QTabWidget *m_baseTabs;
    QPushButton *m_addButton;
    QPushButton *m_applyButton;
    SearchWidget *m_searchWidget;
    // A child made after the tabs, so that it outlives their close buttons.
    TabCloseStyle *m_closeStyle;
    QList<StationListWidget *> m_listWidgets;
    QSet<const StationListWidget *> m_sizedTables;
    SvlThread *m_exchangeThread = nullptr;
    tv_options m_transferOptions = tv_default_options();
    QString m_lastBackupFile;
};

#endif
