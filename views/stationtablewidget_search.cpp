// StationTableWidget: the search bar and the advanced search.
#include "views/stationtablewidget.h"

#include "app/mainwindow.h"
#include "views/searchdialog.h"
#include "views/searchwidget.h"

SearchWidget *StationTableWidget::searchWidget() const
{
    return m_searchWidget;
}

// The dialog has no parent and outlives this call: it deletes itself when
// it finishes, closes with the main window, and goes with this widget.
void StationTableWidget::startAdvancedSearch()
{
    auto *dialog = new SearchDialog(m_mainWindow);
    dialog->setModal(true);
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    connect(m_mainWindow, &MainWindow::close, dialog, &QDialog::accept);
    connect(this, &QObject::destroyed, dialog, &QObject::deleteLater);
    dialog->open();
}
