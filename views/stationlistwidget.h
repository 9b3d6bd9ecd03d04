#ifndef KANVIO_VIEWS_STATIONLISTWIDGET_H
#define KANVIO_VIEWS_STATIONLISTWIDGET_H

#include <QItemSelection>
#include <QWidget>

#include "svl/svl.h"

class DropIndicator;
class EditorWindow;
class QAbstractItemView;
class QItemSelectionModel;
class QTableView;
class StationFilter;
class StationListModel;

// Shows one station list of the table: in list view as a QListView of
// station cards, in table view as a sortable QTableView of every station
// field. The widget equips the view with the program's selection model,
// delegate and drop indicator style, and owns the model. Its members are
// defined in stationlistwidget.cpp (the view and the station flags) and
// stationlistwidget_search.cpp (the searches).
class StationListWidget : public QWidget
{
    Q_OBJECT

public:
    // listMode true: list view; false: table view. table is the shown table
    // (the working copy in table view) and must hold list to give it its
    // list index; a list it does not hold is shown as list index 0.
    StationListWidget(EditorWindow *mainWindow, svl_list *list, svl_table *table, bool listMode,
                      QWidget *parent = nullptr);
    ~StationListWidget() override;

    StationListModel *stationModel() const;
    QItemSelectionModel *viewSelectionModel() const;
    QAbstractItemView *view() const;
    int listIndex() const;

    // Table view only: fits the columns to their headers and the texts of
    // the first rows, the rows to their contents, and gives the station name
    // a column of 200 pixels.
    void resizeTableColumns();
    // Has the view lay out and paint every row again.
    void refreshLayout();
    // After a row at index was removed, shows the row that took its place.
    void scrollToRemovedRow(const QModelIndex &index);

    // The station of the first selected row; null without a selection.
    svl_station *firstSelectedStation() const;

    // The rows whose station's name contains text, ignoring case: the name
    // as decoded in its character set, or its raw bytes compared with the
    // text in ISO 8859-9. An empty text finds nothing.
    QItemSelection findStations(const QString &text) const;
    // The rows whose station the filter accepts.
    QItemSelection filterStations(const StationFilter &filter) const;
    // The rows that repeat an earlier station of the list (see
    // duplicateRows) and whose station the filter accepts; a filter without
    // conditions accepts them all, unnamed ones too.
    QItemSelection filterDuplicates(const StationFilter &filter) const;

    // Runs the station settings dialog, modal, for the first selected
    // station; a "Save" that changed the station becomes one undoable
    // command on the main window's stack.
    void showOptions();

    // Where the context menu opens from the keyboard, in global
    // coordinates: at the current row, or at the first selected one, which
    // is scrolled into view.
    QPoint currentRowMenuPosition();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createView(svl_list *list, svl_table *table);
    void configureView();
    void equipView();
    void connectView();
    void placeView();
    svl_station *stationAt(const QModelIndex &index) const;
    void fitColumnsToTexts(QTableView *table);
    void fitRowsToContents(QTableView *table);
    QItemSelectionRange rowRange(int row) const;

    EditorWindow *m_mainWindow;
    bool m_listMode;
    QAbstractItemView *m_view = nullptr;
    StationListModel *m_model = nullptr;
    int m_listIndex = 0;
    DropIndicator *m_style = nullptr;
};

#endif
