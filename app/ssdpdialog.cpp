#include "app/ssdpdialog.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThreadPool>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "net/ssdp.h"
#include "net/upnp.h"
#include "texts/strings.h"

namespace {

// What a set's description says about it, fetched on a worker.
struct Description {
    bool fetched = false;
    QString friendlyName;
};

Description readDescription(const QByteArray &location, int waitMs)
{
    upnp_description description = {};
    Description result;
    result.fetched = upnp_fetch_description_with_wait(&description, location.constData(), waitMs) == 0;
    result.friendlyName = QString::fromUtf8(description.friendlyName);
    upnp_free_description(&description);
    return result;
}

// Descriptions are fetched side by side, so that a set that never answers
// delays no other. The pool lives as long as the application: a fetch that
// outlasts its dialog ends on its own, with nobody waiting for it.
QThreadPool *descriptionPool()
{
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(16);
    }
    return pool;
}

QString hostOf(const QString &location)
{
    return QUrl(location).host();
}

QProgressBar *busyIndicator(QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setRange(0, 0);
    bar->hide();
    return bar;
}

} // namespace

SsdpDialog::SsdpDialog(const QString &progressText, const QString &buttonText, const QString &address,
                       ssdp_engine *engine, QWidget *parent, int descriptionWaitMs)
    : QDialog(parent),
      m_engine(engine),
      m_descriptionWaitMs(descriptionWaitMs)
{
    createWidgets(progressText, buttonText, address);
    createLayout();
    createConnections();
    attachToEngine();
}

// Once the engine no longer knows the dialog, no notification can reach it.
SsdpDialog::~SsdpDialog()
{
    if (ssdp_lock(m_engine) != 0)
        return;
    m_engine->observer = ssdp_observer();
    ssdp_unlock(m_engine);
}

bool SsdpDialog::isTvDeviceType(const QString &type)
{
    static const QString prefix = QString::fromLatin1(SSDP_TV_DEVICE_TYPE).section(QLatin1Char(':'), 0, 2);
    return type.contains(prefix);
}

QString SsdpDialog::deviceName(const QString &address) const
{
    const int row = m_addresses.indexOf(address);
    return row < 0 ? QString() : m_deviceList->item(row)->text();
}

void SsdpDialog::createWidgets(const QString &progressText, const QString &buttonText, const QString &address)
{
    m_deviceList = new QListWidget(this);
    m_deviceList->setIconSize(QSize(48, 48));
    m_deviceList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_addressEdit = new QLineEdit(address, this);
    m_statusLabel = new QLabel(this);
    m_exchangeProgress = busyIndicator(this);
    m_searchProgress = busyIndicator(this);
    m_exchangeButton = new QPushButton(buttonText, this);
    m_promptLabel = new QLabel(Strings::text(Strings::EnterAddressLabel), this);
    m_refreshButton = new QPushButton(Strings::text(Strings::RefreshButton), this);
    m_progressLabel = new QLabel(progressText, this);
    m_progressLabel->hide();
    m_discoveryTimer.setSingleShot(true);
    m_discoveryTimer.setInterval(DiscoveryTimeoutMs);
}

void SsdpDialog::createLayout()
{
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(m_statusLabel, 1);
    statusRow->addWidget(m_refreshButton);

    auto *column = new QVBoxLayout(this);
    column->addWidget(m_promptLabel);
    column->addWidget(m_addressEdit);
    column->addLayout(statusRow);
    column->addWidget(m_searchProgress);
    column->addWidget(m_deviceList);
    column->addWidget(m_exchangeButton);
    column->addWidget(m_exchangeProgress);
    column->addWidget(m_progressLabel);

    // The field and the list are named for screen readers, and Tab
    // goes down the column as it is laid out.
    m_promptLabel->setBuddy(m_addressEdit);
    m_deviceList->setAccessibleName(Strings::text(Strings::AvailableTvsLabel));
    setTabOrder(m_addressEdit, m_refreshButton);
    setTabOrder(m_refreshButton, m_deviceList);
    setTabOrder(m_deviceList, m_exchangeButton);
}

void SsdpDialog::createConnections()
{
    connect(&m_discoveryTimer, &QTimer::timeout, this, &SsdpDialog::discoveryTimeout);
    connect(m_deviceList, &QListWidget::itemClicked, this, &SsdpDialog::selectTv);
    connect(m_deviceList, &QListWidget::itemDoubleClicked, this, &SsdpDialog::selectTv);
    connect(m_deviceList, &QListWidget::itemDoubleClicked, this, &SsdpDialog::executeExchange);
    connect(m_refreshButton, &QPushButton::clicked, this, &SsdpDialog::searchTvs);
    connect(m_exchangeButton, &QPushButton::clicked, this, &SsdpDialog::executeExchange);
}

// The observer goes in and the cache is copied under one hold of the lock,
// so that no device is missed between the two; the copies are worked on
// after the lock is released.
void SsdpDialog::attachToEngine()
{
    struct Seen {
        QString type, usn, location;
    };
    QVector<Seen> cached;
    if (ssdp_lock(m_engine) != 0)
        return;
    m_engine->observer = {deviceAdded, deviceAdded, deviceRemoved, this};
    for (const ssdp_device *device = m_engine->devices; device; device = device->next)
        cached.append({QString::fromUtf8(device->type), QString::fromUtf8(device->usn),
                       QString::fromUtf8(device->location)});
    ssdp_unlock(m_engine);
    for (const Seen &seen : qAsConst(cached))
        addDevice(seen.type, seen.usn, seen.location);
}

// Called on the receiver thread with the engine locked, while the dialog
// is still attached and so alive: the device's texts travel to the GUI
// thread, which the engine never waits for. A renewal is taken like a new
// device, so that a set whose description failed is tried again.
void SsdpDialog::deviceAdded(const ssdp_device *device, void *dialog)
{
    auto *self = static_cast<SsdpDialog *>(dialog);
    const QString type = QString::fromUtf8(device->type);
    const QString usn = QString::fromUtf8(device->usn);
    const QString location = QString::fromUtf8(device->location);
    QMetaObject::invokeMethod(self, [self, type, usn, location] { self->addDevice(type, usn, location); },
                              Qt::QueuedConnection);
}

void SsdpDialog::deviceRemoved(const ssdp_device *device, void *dialog)
{
    auto *self = static_cast<SsdpDialog *>(dialog);
    const QString usn = QString::fromUtf8(device->usn);
    const QString location = QString::fromUtf8(device->location);
    QMetaObject::invokeMethod(self, [self, usn, location] { self->removeDevice(usn, location); },
                              Qt::QueuedConnection);
}

// One entry per host: the transfer goes to the host, whichever of its
// devices answered.
void SsdpDialog::addDevice(const QString &type, const QString &usn, const QString &location)
{
    const QString host = hostOf(location);
    if (!isTvDeviceType(type) || host.isEmpty())
        return;
    m_devicesAtHost[host].insert(usn);
    if (m_addresses.contains(host) || m_fetching.contains(host))
        return;
    m_fetching.insert(host);
    fetchDescription(host, location);
}

void SsdpDialog::removeDevice(const QString &usn, const QString &location)
{
    const QString host = hostOf(location);
    const auto devices = m_devicesAtHost.find(host);
    if (devices == m_devicesAtHost.end())
        return;
    devices->remove(usn);
    if (!devices->isEmpty())
        return;
    m_devicesAtHost.erase(devices);
    m_fetching.remove(host);
    const int row = m_addresses.indexOf(host);
    if (row < 0)
        return;
    m_addresses.removeAt(row);
    delete m_deviceList->takeItem(row);
}

// The watcher goes with the dialog; a fetch still running then ends
// unheard.
void SsdpDialog::fetchDescription(const QString &host, const QString &location)
{
    auto *watcher = new QFutureWatcher<Description>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, host] {
        const Description description = watcher->result();
        listDevice(host, description.fetched, description.friendlyName);
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run(descriptionPool(), readDescription, location.toUtf8(),
                                         qMax(1, m_descriptionWaitMs)));
}

// A host that left while its description was on the way stays unlisted.
void SsdpDialog::listDevice(const QString &host, bool described, const QString &name)
{
    if (!m_fetching.remove(host) || !described)
        return;
    m_addresses.append(host);
    new QListWidgetItem(QIcon(QStringLiteral(":/images/tv-48x48.png")), name, m_deviceList);
}

void SsdpDialog::searchTvs()
{
    ssdp_search(m_engine, SSDP_TV_DEVICE_TYPE, 1);
    m_searchProgress->show();
    m_statusLabel->setText(Strings::text(Strings::SearchingTvsLabel));
    m_discoveryTimer.start();
}

void SsdpDialog::discoveryTimeout()
{
    m_discoveryTimer.stop();
    m_searchProgress->hide();
    m_statusLabel->setText(Strings::text(Strings::AvailableTvsLabel));
    if (m_deviceList->count() == 0)
        QMessageBox::information(this, Strings::text(Strings::NoDevicesTitle),
                                 Strings::text(Strings::NoDevicesMessage), QMessageBox::Ok);
}

// Without an address there is nothing to start: the dialog stays as it is
// rather than busy for good.
void SsdpDialog::executeExchange()
{
    const QString address = m_addressEdit->text().trimmed();
    if (address.isEmpty())
        return;
    m_exchangeProgress->show();
    m_progressLabel->show();
    m_deviceList->setEnabled(false);
    m_exchangeButton->setEnabled(false);
    m_discoveryTimer.stop();
    m_searchProgress->hide();
    m_statusLabel->setText(Strings::text(Strings::AvailableTvsLabel));
    emit doExchange(address);
}

void SsdpDialog::selectTv(QListWidgetItem *item)
{
    m_addressEdit->setText(m_addresses.value(m_deviceList->row(item)));
}
