#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstring>

#include "app/mainwindow.h"
#include "svl/svl_sockets.h"
#include "texts/settings.h"
#include "texts/strings.h"
#include "texts/version.h"

namespace {

// The file named on the command line, or a null text. The parser reads the
// arguments as QCoreApplication decodes them, the way the platform encodes
// file names, so that any name a file manager passes opens. It answers
// --help and --version and rejects unknown options itself, ending the
// program.
QString fileArgument(const QCoreApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Strings::text(Strings::CommandLineDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString file = Strings::text(Strings::CommandLineFileName);
    parser.addPositionalArgument(file, Strings::text(Strings::CommandLineFileHelp),
                                 QLatin1Char('[') + file + QLatin1Char(']'));
    parser.process(application);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

// True when an argument asks only for text. Such a run needs no graphical
// session, so that "kanvio --help" works in any terminal.
bool asksOnlyForText(int argc, char *argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char *option : {"-h", "--help", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

int printText(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    describeApplication();
    Strings::load();
    fileArgument(application);
    return 0;
}

int runWindow(int argc, char *argv[])
{
    // On a screen of more than one pixel per unit (QT_SCALE_FACTOR=2, a
    // desktop's scale) icons take their "@2x" images instead of blown-up
    // ones; Qt 6 always does.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QApplication application(argc, argv);
    describeApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral(KANVIO_APP_ID));
    Strings::load();
    MainWindow window(fileArgument(application));
    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    if (asksOnlyForText(argc, argv))
        return printText(argc, argv);
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
