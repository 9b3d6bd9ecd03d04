// StationTableWidget: transfers with a TV set. The worker thread is the
// widget's until its result has arrived; an import's table then becomes
// the document through replaceDocument.
#include "views/stationtablewidget.h"

#include <memory>

#include "app/svlthread.h"
#include "svl/svl_ops.h"

void StationTableWidget::startImport(const QString &address)
{
    startTransfer(new SvlThread(SvlThread::Import, svl_table(), address, m_transferOptions),
                  &StationTableWidget::importThreadFinished);
}

// The worker gets the document's table record: the same lists and
// stations, which stay untouched while it runs.
void StationTableWidget::startExport(const QString &address, const QString &backupBase)
{
    auto *thread = new SvlThread(SvlThread::Export, m_table, address, m_transferOptions);
    thread->setBackupBase(backupBase);
    startTransfer(thread, &StationTableWidget::exportThreadFinished);
}

bool StationTableWidget::isTransferRunning() const
{
    return m_exchangeThread != nullptr;
}

QString StationTableWidget::lastBackupFile() const
{
    return m_lastBackupFile;
}

void StationTableWidget::setTransferOptions(const tv_options &options)
{
    m_transferOptions = options;
}

const tv_options &StationTableWidget::transferOptions() const
{
    return m_transferOptions;
}

void StationTableWidget::startTransfer(SvlThread *thread, void (StationTableWidget::*finished)(int))
{
    m_exchangeThread = thread;
    connect(thread, &SvlThread::resultReady, this, finished);
    thread->start();
}

// The result arrives as the thread's last act; waiting for it to end then
// takes no time.
SvlThread *StationTableWidget::takeFinishedThread()
{
    SvlThread *thread = m_exchangeThread;
    m_exchangeThread = nullptr;
    thread->wait();
    return thread;
}

void StationTableWidget::importThreadFinished(int result)
{
    svl_table imported = std::unique_ptr<SvlThread>(takeFinishedThread())->takeTable();
    if (result == TV_OK)
        replaceDocument(imported, OldStations::Release);
    else
        svl_free_table(&imported, 1);
    emit importFinished(result);
}

void StationTableWidget::exportThreadFinished(int result)
{
    m_lastBackupFile = std::unique_ptr<SvlThread>(takeFinishedThread())->backupFile();
    emit exportFinished(result);
}
