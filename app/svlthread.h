#ifndef KANVIO_APP_SVLTHREAD_H
#define KANVIO_APP_SVLTHREAD_H

#include <QString>
#include <QThread>

#include "svl/svl.h"
#include "svl/svl_tv.h"

// One blocking transfer of a station table with a TV set, off the GUI
// thread. An import fills a table of its own, handed over with takeTable()
// once resultReady has arrived. An export sends an image built beforehand
// on the caller's thread, so the worker never reads the document; before
// writing it can keep the set's own table as a backup file.
class SvlThread : public QThread
{
    Q_OBJECT

public:
    enum Mode { Import = 1, Export = 2 };

    // Results besides those of the TV client (TV_OK, TV_NO_CONNECTION,
    // TV_TRANSFER_FAILED) and -1 for an unknown mode. With either of these
    // nothing was written to the set.
    enum BackupResult {
        BackupUnreadable = 3,  // the set's table could not be read
        BackupUnwritable = 4,  // the backup file could not be written
    };

    SvlThread(int mode, const QString &address, const tv_options &options, QObject *parent = nullptr);
    // Waits for the transfer; releases an imported table nobody took.
    ~SvlThread() override;

    // Export: the image to send, as svl_build_table makes it. Without one
    // the export fails with TV_TRANSFER_FAILED before connecting.
    void setImage(const QByteArray &image);
    // Export: before writing, read the set's table and save it as
    // backupBase followed by ".svl40" or ".svl50", as its format says.
    void setBackupBase(const QString &backupBase);
    // The backup file written or attempted; empty when none was.
    QString backupFile() const;

    // Import: the table read, which the caller then owns; the thread keeps
    // an empty one.
    svl_table takeTable();

signals:
    void resultReady(int result);

protected:
    void run() override;

private:
    int exportTable(const QByteArray &address);
    int backUpTable(const QByteArray &address);

    int m_mode;
    svl_table m_table = svl_table();
    QByteArray m_image;
    QString m_address;
    tv_options m_options;
    QString m_backupBase;
    QString m_backupFile;
};

#endif
