#include <QApplication>
#include <QString>

#include <cstdio>

#include "app/mainwindow.h"
#include "app/settings.h"
#include "app/strings.h"
#include "svl/svl_sockets.h"

namespace {

int runWindow(int argc, char *argv[])
{
    QApplication application(argc, argv);
    describeApplication();
    Strings::load();
    const QString fileName = argc > 1 ? QString::fromUtf8(argv[1]) : QString();
    MainWindow window(fileName);
    window.show();
    return application.exec();
}

} // namespace

// The first argument, if any, names a station table file to open.
int main(int argc, char *argv[])
{
    const int socketError = svl_sockets_startup();
    if (socketError != 0) {
        std::fprintf(stderr, "WSAStartup failed: %d\n", socketError);
        return 1;
    }
    // The window, and with it the discovery engine's sockets, is gone before
    // the socket layer is cleaned up.
    const int exitCode = runWindow(argc, argv);
    svl_sockets_cleanup();
    return exitCode;
}
