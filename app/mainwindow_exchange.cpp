#include "app/mainwindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

#include "app/ssdpdialog.h"
#include "app/svlthread.h"
#include "app/tvbackups.h"
#include "texts/settings.h"
#include "texts/strings.h"
#include "views/stationtablewidget.h"

namespace {

const char lastTvAddressKey[] = "lastTvAddress";
const char tvBackupKey[] = "tvBackup";

} // namespace

void MainWindow::connectExchangeActions()
{
    connect(m_importAct, &QAction::triggered, this, qOverload<>(&MainWindow::importStations));
    connect(m_exportAct, &QAction::triggered, this, qOverload<>(&MainWindow::exportStations));
    connect(m_backupFolderAct, &QAction::triggered, this, &MainWindow::openTvBackupFolder);
    connect(m_tvBackupAct, &QAction::toggled, this,
            [](bool on) { openSettingsFile()->setValue(QLatin1String(tvBackupKey), on); });
    connect(m_tableWidget, &StationTableWidget::importFinished, this, qOverload<int>(&MainWindow::importFinished));
    connect(m_tableWidget, &StationTableWidget::exportFinished, this, qOverload<int>(&MainWindow::exportFinished));
}

void MainWindow::readExchangeSettings()
{
    const auto settings = openSettingsFile();
    m_lastTvAddress = settings->value(QLatin1String(lastTvAddressKey)).toString();
    m_tvBackupAct->setChecked(settings->value(QLatin1String(tvBackupKey), true).toBool());
}

void MainWindow::importStations()
{
    if (maybeSave())
        return;
    runExchangeDialog(true);
}

void MainWindow::exportStations()
{
    if (settleUnappliedChanges())
        runExchangeDialog(false);
}

// The window's finish signal closes the dialog; the user may close it at
// any time, and a transfer then goes on without it.
void MainWindow::runExchangeDialog(bool import)
{
    const int descriptionWait = qMin(m_tableWidget->transferOptions().wait_ms, int(SsdpDialog::DescriptionWaitMs));
    SsdpDialog dialog(Strings::text(import ? Strings::ImportingProgress : Strings::ExportingProgress),
                      Strings::text(import ? Strings::ImportTableButton : Strings::ExportTableButton),
                      m_lastTvAddress, &m_discovery, this, descriptionWait);
    if (import) {
        connect(&dialog, &SsdpDialog::doExchange, this, qOverload<const QString &>(&MainWindow::importStations));
        connect(this, qOverload<>(&MainWindow::importFinished), &dialog, &QDialog::close);
    } else {
        connect(&dialog, &SsdpDialog::doExchange, this, qOverload<const QString &>(&MainWindow::exportStations));
        connect(this, qOverload<>(&MainWindow::exportFinished), &dialog, &QDialog::close);
    }
    dialog.searchTvs();
    dialog.exec();
}

void MainWindow::importStations(const QString &address)
{
    if (beginTransfer(address))
        m_tableWidget->startImport(address);
}

// The backup is named after the set as the dialog lists it, else after its
// address.
void MainWindow::exportStations(const QString &address)
{
    const auto *dialog = qobject_cast<const SsdpDialog *>(sender());
    const QString name = dialog ? dialog->deviceName(address) : QString();
    if (!beginTransfer(address))
        return;
    QString backupBase;
    if (m_tvBackupAct->isChecked()) {
        QDir().mkpath(tvBackupFolder());
        backupBase = tvBackupBase(name.isEmpty() ? address : name, QDateTime::currentDateTime());
    }
    m_tableWidget->startExport(address, backupBase);
}

// The address is kept at once, so that the next dialog, also after a
// restart, offers it.
bool MainWindow::beginTransfer(const QString &address)
{
    if (address.isNull() || m_tableWidget->isTransferRunning())
        return false;
    m_lastTvAddress = address;
    openSettingsFile()->setValue(QLatin1String(lastTvAddressKey), address);
    lockDocument();
    return true;
}

// While a transfer runs nothing may edit, replace, save or rebuild the
// document: an export sends it as it stood at the start, and an import
// replaces it. Only what leaves the document alone stays on.
void MainWindow::lockDocument()
{
    m_documentLocked = true;
    const QList<QAction *> harmless = {m_englishAct, m_germanAct, m_exitAct, m_aboutAct,
                                       m_showToolBarAct, m_backupFolderAct, m_tvBackupAct};
    for (QAction *action : findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (action->isEnabled() && !harmless.contains(action)) {
            action->setEnabled(false);
            m_lockedActions.append(action);
        }
    }
    m_tableWidget->setEnabled(false);
}

// Undo and redo follow the undo stack, which an import has cleared.
void MainWindow::unlockDocument()
{
    m_documentLocked = false;
    for (QAction *action : qAsConst(m_lockedActions))
        action->setEnabled(true);
    m_lockedActions.clear();
    m_undoAct->setEnabled(m_undoStack.canUndo());
    m_redoAct->setEnabled(m_undoStack.canRedo());
    m_tableWidget->setEnabled(true);
}

void MainWindow::importFinished(int result)
{
    unlockDocument();
    enableAction(m_importAct, true);
    if (result == 0)
        takeImportedTable();
    else
        showExchangeError(Strings::ImportErrorTitle, result, Strings::ReadingFromTvMessage,
                          Strings::UnknownImportErrorMessage);
    emit importFinished();
    endTransfer();
}

void MainWindow::exportFinished(int result)
{
    unlockDocument();
    setActionsEnabled({m_importAct, m_exportAct}, true);
    const bool backedUp = !m_tableWidget->lastBackupFile().isEmpty() && result != SvlThread::BackupUnwritable;
    if (backedUp)
        pruneTvBackups();
    if (result != 0)
        showExchangeError(Strings::ExportErrorTitle, result, Strings::WritingToTvMessage,
                          Strings::UnknownExportErrorMessage);
    else if (backedUp)
        showExportDone();
    emit exportFinished();
    endTransfer();
}

void MainWindow::endTransfer()
{
    if (!m_closeAfterTransfer)
        return;
    m_closeAfterTransfer = false;
    close();
}

// The central widget has already taken over the received table; it has no
// file yet and counts as unsaved.
void MainWindow::takeImportedTable()
{
    m_currentFile = Strings::text(Strings::NetworkDeviceTitle) + m_lastTvAddress;
    m_hasDocumentFile = false;
    m_backedUpFile.clear();
    setWindowFilePath(m_currentFile);
    markChangedOutsideHistory();
    enableDocumentActions();
    enableAction(m_saveAct, false);
    // The actions of a selection were on for the table the import replaced.
    setSelectionActionsEnabled(false, false);
    m_undoStack.clear();
}

void MainWindow::showExportDone()
{
    QMessageBox::information(this, Strings::text(Strings::ExportDoneTitle),
                             Strings::text(Strings::ExportDoneMessage) + m_lastTvAddress
                                 + Strings::text(Strings::BackupKeptMessage)
                                 + QDir::toNativeSeparators(m_tableWidget->lastBackupFile()) + QLatin1String("'."),
                             QMessageBox::Ok);
}

void MainWindow::showExchangeError(int titleId, int result, int transferTextId, int unknownTextId)
{
    QMessageBox::critical(this, Strings::text(titleId), exchangeErrorText(result, transferTextId, unknownTextId),
                          QMessageBox::Ok);
}

// Result 1: no connection; 2: the transfer itself failed; 3 and 4: the
// backup before an export failed; anything else is unexpected.
QString MainWindow::exchangeErrorText(int result, int transferTextId, int unknownTextId) const
{
    const QString &address = m_lastTvAddress;
    switch (result) {
    case 1:
        return Strings::text(Strings::ConnectingMessage) + address + Strings::text(Strings::FailedSuffix);
    case 2:
        return Strings::text(transferTextId) + address + Strings::text(Strings::FailedSuffix);
    case SvlThread::BackupUnreadable:
        return Strings::text(Strings::ReadingBackupMessage) + address + Strings::text(Strings::NotExportedSuffix);
    case SvlThread::BackupUnwritable:
        return Strings::text(Strings::WritingBackupMessage) + QDir::toNativeSeparators(m_tableWidget->lastBackupFile())
            + Strings::text(Strings::NotExportedSuffix);
    default:
        return Strings::text(unknownTextId) + address + QLatin1String("'!");
    }
}

// The folder is made when asked for, so that it opens before the first
// backup too.
void MainWindow::openTvBackupFolder()
{
    const QString folder = tvBackupFolder();
    QDir().mkpath(folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
