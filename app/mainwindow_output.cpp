// MainWindow: search, CSV export, printing and copying. The central widget
// does the work; the window asks for the file and reports failures.
#include "app/mainwindow.h"

#include <QAction>
#include <QFileDialog>

#include "texts/settings.h"
#include "texts/strings.h"
#include "views/searchwidget.h"
#include "views/stationtablewidget.h"

void MainWindow::connectSearchAndOutputActions()
{
    connect(m_exportCsvAct, &QAction::triggered, this, &MainWindow::exportCsvFile);
    connect(m_printAct, &QAction::triggered, this, &MainWindow::printList);
    connect(m_copyAct, &QAction::triggered, m_tableWidget, &StationTableWidget::copy);
    connect(m_searchAct, &QAction::triggered, m_tableWidget->searchWidget(), &SearchWidget::toggleVisibility);
    connect(m_advancedSearchAct, &QAction::triggered, m_tableWidget, &StationTableWidget::startAdvancedSearch);
}

// The export leaves the start directory of the dialogs as it is: it names
// where tables are, not where lists are exported to.
void MainWindow::exportCsvFile()
{
    if (!settleUnappliedChanges())
        return;
    QFileDialog dialog(this, Strings::text(Strings::OpenSvlFileTitle), defaultDirectory(),
                       QStringLiteral("*.csv"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    if (m_tableWidget->writeCsv(path) != 0)
        showFileError(Strings::ExportingCsvMessage, path);
}

// Output goes from the document; what the table view has not applied is
// settled first, as for a save.
void MainWindow::printList()
{
    if (settleUnappliedChanges())
        m_tableWidget->printStationTable();
}
