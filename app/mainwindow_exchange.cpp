#include "app/mainwindow.h"

#include <QAction>
#include <QMessageBox>

#include "app/strings.h"

void MainWindow::importFinished(int result)
{
    m_importAct->setEnabled(true);
    if (result == 0)
        takeImportedTable();
    else
        showExchangeError(Strings::ImportErrorTitle, result, Strings::ReadingFromTvMessage,
                          Strings::UnknownImportErrorMessage);
    emit importFinished();
}

void MainWindow::exportFinished(int result)
{
    setActionsEnabled({m_importAct, m_exportAct}, true);
    if (result != 0)
        showExchangeError(Strings::ExportErrorTitle, result, Strings::WritingToTvMessage,
                          Strings::UnknownExportErrorMessage);
    emit exportFinished();
}

// The central widget has already taken over the received table; it has no
// file yet and counts as unsaved.
void MainWindow::takeImportedTable()
{
    m_currentFile = Strings::text(Strings::NetworkDeviceTitle) + m_lastTvAddress;
    m_hasDocumentFile = false;
    setWindowFilePath(m_currentFile);
    markChangedOutsideHistory();
    enableDocumentActions();
    m_saveAct->setEnabled(false);
    m_undoStack.clear();
}

// Result 1: no connection; 2: the transfer itself failed; anything else is
// unexpected.
void MainWindow::showExchangeError(int titleId, int result, int transferTextId, int unknownTextId)
{
    QString text;
    if (result == 1)
        text = Strings::text(Strings::ConnectingMessage) + m_lastTvAddress + Strings::text(Strings::FailedSuffix);
    else if (result == 2)
        text = Strings::text(transferTextId) + m_lastTvAddress + Strings::text(Strings::FailedSuffix);
    else
        text = Strings::text(unknownTextId) + m_lastTvAddress + QLatin1String("'!");
    QMessageBox::critical(this, Strings::text(titleId), text, QMessageBox::Ok);
}
