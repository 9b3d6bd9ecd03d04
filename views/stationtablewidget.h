#ifndef KANVIO_VIEWS_STATIONTABLEWIDGET_H
#define KANVIO_VIEWS_STATIONTABLEWIDGET_H

#include <QString>
#include <QWidget>

#include "svl/svl.h"

class MainWindow;
class QPushButton;
class QTabWidget;

// The main window's central widget and the owner of the document: the
// station table is held here by value, its stations belong to its two base
// lists. The file operations of the main window replace, merge or write it
// through this widget. In table view the widget edits a working copy whose
// lists are duplicates of the document's lists sharing the same stations.
class StationTableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit StationTableWidget(MainWindow *mainWindow);
    ~StationTableWidget() override;

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

    // 40 or 50, or 0 for an empty table.
    quint16 tableVersion() const;

    bool isListMode() const;
    void switchToListView();
    void switchToTableView();

    // Applies the texts of the current language.
    void retranslate();

private:
    void createLayout();
    void clearListWidgets();
    void buildListWidgets();
    bool makeWorkingCopy();
    void releaseWorkingCopy();
    int makeListNameUnique(svl_list *list);

    svl_table m_table;
    svl_table *m_workingCopy = nullptr;
    bool m_listMode = true;
    MainWindow *m_mainWindow;
    QTabWidget *m_favoriteTabs;
    QTabWidget *m_baseTabs;
    QPushButton *m_addButton;
    QPushButton *m_applyButton;
};

#endif
