// StationTableWidget: the search bar and the advanced search.
#include "views/stationtablewidget.h"

#include "views/searchdialog.h"
#include "views/searchwidget.h"

SearchWidget *StationTableWidget::searchWidget() const
{
    return m_searchWidget;
}

// The dialog is modal to the main window: while it is open the document
// keeps the lists its choices name, and nothing else can change it. It
// deletes itself when it finishes.
void StationTableWidget::startAdvancedSearch()
{
    auto *dialog = new SearchDialog(m_mainWindow);
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    dialog->open();
}
