#ifndef KANVIO_APP_SSDPDIALOG_H
#define KANVIO_APP_SSDPDIALOG_H

#include <QDialog>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
struct ssdp_device;
struct ssdp_engine;

// Lists the TV sets the discovery engine knows, by their friendly names,
// and lets the user pick one or type an address for an import or export.
//
// The engine tells of devices on its receiver thread, under its lock; the
// dialog only copies what it needs there and goes on on the GUI thread. A
// set's description is fetched on a worker, so that a set that is slow to
// answer, or never does, holds up neither the window nor discovery: the set
// is listed when its description arrives.
class SsdpDialog : public QDialog
{
    Q_OBJECT

public:
    // descriptionWaitMs bounds how long a set may take to answer for its
    // description; one that takes longer is not listed.
    SsdpDialog(const QString &progressText, const QString &buttonText, const QString &address,
               ssdp_engine *engine, QWidget *parent = nullptr, int descriptionWaitMs = DescriptionWaitMs);
    ~SsdpDialog() override;

    enum { DescriptionWaitMs = 5000, DiscoveryTimeoutMs = 30000 };

    // True for the device type of Tavrel TV sets in any version.
    static bool isTvDeviceType(const QString &type);

    // The name under which the set at the address is listed; empty when
    // none is listed there.
    QString deviceName(const QString &address) const;

signals:
    void doExchange(const QString &address);

public slots:
    void searchTvs();
    void executeExchange();
    void selectTv(QListWidgetItem *item);
    void discoveryTimeout();

private:
    void createWidgets(const QString &progressText, const QString &buttonText, const QString &address);
    void createLayout();
    void createConnections();
    void attachToEngine();
    static void deviceAdded(const ssdp_device *device, void *dialog);
    static void deviceRemoved(const ssdp_device *device, void *dialog);
    void addDevice(const QString &type, const QString &usn, const QString &location);
    void removeDevice(const QString &usn, const QString &location);
    void fetchDescription(const QString &host, const QString &location);
    void listDevice(const QString &host, bool described, const QString &name);

    ssdp_engine *m_engine;
    QListWidget *m_deviceList;
    QLineEdit *m_addressEdit;
    QLabel *m_statusLabel;
    QProgressBar *m_exchangeProgress;
    QProgressBar *m_searchProgress;
    QPushButton *m_exchangeButton;
    QLabel *m_promptLabel;
    QPushButton *m_refreshButton;
    QLabel *m_progressLabel;
    QStringList m_addresses;
    QTimer m_discoveryTimer;
    int m_descriptionWaitMs;
    // The TV devices seen at each host, by USN: a host stays listed while
    // any of them is there.
    QHash<QString, QSet<QString>> m_devicesAtHost;
    // Hosts whose description is being fetched.
    QSet<QString> m_fetching;
};

#endif
