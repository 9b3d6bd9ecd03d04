// StationTableWidget: transfers with a TV set. The worker thread is the
// widget's until its result has arrived; an import's table then becomes
// the document through replaceDocument.
#include "views/stationtablewidget.h"

#include <memory>

#include "app/svlthread.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"

void StationTableWidget::startImport(const QString &address)
{
    startTransfer(new SvlThread(SvlThread::Import, address, m_transferOptions),
                  &StationTableWidget::importThreadFinished);
}

// The image is built here, on the document's own thread, the same bytes a
// save would write: the worker only sends them and never reads the
// document, which stays the user's while the set is slow to answer.
void StationTableWidget::startExport(const QString &address, const QString &backupBase)
{
    auto *thread = new SvlThread(SvlThread::Export, address, m_transferOptions);
    thread->setImage(documentImage());
    thread->setBackupBase(backupBase);
    startTransfer(thread, &StationTableWidget::exportThreadFinished);
}

// Empty when the table cannot be built (no lists, or memory ran out).
QByteArray StationTableWidget::documentImage()
{
    size_t length = 0;
    uint8_t *image = svl_build_table(&m_table, &length);
    const QByteArray bytes(reinterpret_cast<const char *>(image), image ? int(length) : 0);
    svl_free_image(image);
    return bytes;
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
