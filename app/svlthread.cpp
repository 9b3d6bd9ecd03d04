#include "app/svlthread.h"

#include <QFile>

#include "svl/svl_ops.h"

SvlThread::SvlThread(int mode, const QString &address, const tv_options &options, QObject *parent)
    : QThread(parent),
      m_mode(mode),
      m_address(address),
      m_options(options)
{
}

SvlThread::~SvlThread()
{
    wait();
    if (m_mode == Import)
        svl_free_table(&m_table, 1);
}

void SvlThread::setImage(const QByteArray &image)
{
    m_image = image;
}

void SvlThread::setBackupBase(const QString &backupBase)
{
    m_backupBase = backupBase;
}

QString SvlThread::backupFile() const
{
    return m_backupFile;
}

svl_table SvlThread::takeTable()
{
    const svl_table taken = m_table;
    m_table = svl_table();
    return taken;
}

void SvlThread::run()
{
    const QByteArray address = m_address.toUtf8();
    int result = -1;
    if (m_mode == Import)
        result = svl_import_from_tv_with(&m_table, address.constData(), &m_options);
    else if (m_mode == Export)
        result = exportTable(address);
    emit resultReady(result);
}

int SvlThread::exportTable(const QByteArray &address)
{
    if (m_image.isEmpty())
        return TV_TRANSFER_FAILED;
    if (!m_backupBase.isEmpty()) {
        const int backedUp = backUpTable(address);
        if (backedUp != TV_OK)
            return backedUp;
    }
    return svl_export_image_to_tv_with(reinterpret_cast<const uint8_t *>(m_image.constData()),
                                       size_t(m_image.size()), address.constData(), &m_options);
}

// A set that holds no table has nothing to keep. A set whose table cannot
// be read is unlikely to take a write, and overwriting what could not be
// kept is what the backup is there to prevent.
int SvlThread::backUpTable(const QByteArray &address)
{
    const char *suffix = nullptr;
    const int result = svl_back_up_tv_table(address.constData(), &m_options, QFile::encodeName(m_backupBase).constData(),
                                            TV_BACKUP_NAME_ADD_SUFFIX, &suffix);
    if (suffix)
        m_backupFile = m_backupBase + QLatin1String(suffix);
    switch (result) {
    case TV_BACKUP_NO_TABLE:
        return TV_OK;
    case TV_BACKUP_UNREADABLE:
        return BackupUnreadable;
    case TV_BACKUP_UNWRITABLE:
        return BackupUnwritable;
    default:
        return result;
    }
}
