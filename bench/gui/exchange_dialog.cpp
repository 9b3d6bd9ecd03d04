// Opening the TV exchange dialog while a set is on the network whose
// description server accepts and never answers (kanvio-tvsim's fault
// mode mute-description). The dialog fetches descriptions on workers, so
// this is all the window waits for, however long the set keeps silent.
#include "gui_bench.h"

#include <QApplication>
#include <QProcess>
#include <QThread>

#include <cstdio>

#include "app/ssdpdialog.h"
#include "app/mainwindow.h"
#include "net/ssdp.h"

namespace {

constexpr int SearchEveryMs = 500;
constexpr int FindWithinMs = 5000;

QProcess *runningSet = nullptr;

// Ends the set while the application, which owns it, is still there.
void endSet()
{
    runningSet->kill();
    runningSet->waitForFinished();
}

// The silent set and an engine that has found it, made once for the run.
class SilentSet
{
public:
    SilentSet();
    ~SilentSet() { ssdp_stop(&m_engine); }
    ssdp_engine *engine() { return &m_engine; }

private:
    bool found();

    ssdp_engine m_engine = {};
};

SilentSet::SilentSet()
{
    auto *set = runningSet = new QProcess(QApplication::instance());
    qAddPostRoutine(endSet);
    set->setStandardErrorFile(QProcess::nullDevice());
    set->start(QApplication::applicationDirPath() + QStringLiteral("/../tools/kanvio-tvsim"),
               {QStringLiteral("--address"), QStringLiteral("127.0.0.2"), QStringLiteral("--ssdp"),
                QStringLiteral("--fault"), QStringLiteral("mute-description"), QStringLiteral("--generate"),
                QStringLiteral("3")});
    ssdp_start(&m_engine, 20);
    for (int waited = 0; waited < FindWithinMs && !found(); waited += 10) {
        if (waited % SearchEveryMs == 0)
            ssdp_search(&m_engine, SSDP_TV_DEVICE_TYPE, 1);
        QThread::msleep(10);
    }
    if (!found())
        std::fprintf(stderr, "kanvio-bench-gui: the silent set was not found; its figure means nothing\n");
}

bool SilentSet::found()
{
    if (ssdp_lock(&m_engine) != 0)
        return false;
    const bool cached = m_engine.devices != nullptr;
    ssdp_unlock(&m_engine);
    return cached;
}

SilentSet &silentSet()
{
    static SilentSet set;
    return set;
}

void openExchangeDialog(MainWindow &window, const QString &)
{
    SsdpDialog dialog(QString(), QString(), QString(), silentSet().engine(), &window);
    dialog.show();
    dialog.searchTvs();
    QApplication::processEvents();
}

const BenchOperations operations = {
    {"exchange_dialog_silent_set", [](MainWindow &, const QString &) { silentSet(); }, openExchangeDialog},
};

} // namespace
