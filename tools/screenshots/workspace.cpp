#include "tools/screenshots/workspace.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QWidget>
#include <QWindow>

#include "app/mainwindow.h"
#include "svl/svl_image.h"
#include "svl/svl_ops.h"
#include "texts/settings.h"
#include "tools/gen/svl_generate.h"

namespace {

// The discovery thread wakes this often, so closing a window is quick.
const int discoveryWaitMs = 20;
const int exposeTimeoutMs = 5000;

} // namespace

Workspace::Workspace()
{
    qputenv(settingsFileVariable, QFile::encodeName(settingsFile()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    m_tablesWritten = m_dir.isValid() && writeTable(SmallTable, 12, 2) && writeTable(LargeTable, 400, 3);
}

Workspace::~Workspace()
{
    qunsetenv(settingsFileVariable);
}

QString Workspace::settingsFile() const
{
    return m_dir.filePath(QStringLiteral("kanvio.ini"));
}

bool Workspace::isValid() const
{
    return m_tablesWritten;
}

QString Workspace::tablePath(Table table) const
{
    return m_dir.filePath(table == SmallTable ? QStringLiteral("demo.svl50") : QStringLiteral("large-demo.svl50"));
}

bool Workspace::writeTable(Table table, uint32_t stations, uint32_t favorites) const
{
    svl_generate_options options;
    options.stations = stations;
    options.favorites = favorites;
    svl_table generated = svl_table();
    const bool written = svl_generate_table(&generated, options) == 0
        && svl_save_file(&generated, QFile::encodeName(tablePath(table)).constData()) == 0;
    svl_free_table(&generated, 1);
    return written;
}

std::unique_ptr<MainWindow> Workspace::openWindow(const QString &language, const QString &file) const
{
    // Every window starts from fresh settings: the recent files of one
    // picture must not show up in the next.
    QFile::remove(settingsFile());
    QSettings(settingsFile(), QSettings::IniFormat).setValue(QStringLiteral("language"), language);
    auto window = std::make_unique<MainWindow>(file, nullptr, discoveryWaitMs);
    showAndSettle(window.get());
    return window;
}

void showAndSettle(QWidget *widget)
{
    widget->show();
    QElapsedTimer waited;
    waited.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed())
           && waited.elapsed() < exposeTimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
}
