// kanvio-screenshots: draws the pictures of the documentation from the
// program's own windows, on generated tables, with settings of its own.
// Run it headless (QT_QPA_PLATFORM=offscreen) inside scripts/in-netns, since
// the main window sends discovery multicast; scripts/make-screenshots does.
// Exit codes: 0 every picture written, 1 a picture failed, 2 usage.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>

#include <cstdio>

#include "texts/settings.h"
#include "texts/strings.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/workspace.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: kanvio-screenshots [--only NAME] FOLDER\npictures:");
    for (const Picture &picture : pictures())
        std::fprintf(stderr, " %s", picture.name);
    std::fprintf(stderr, "\n");
    return 2;
}

bool wanted(const Picture &picture, const QString &only)
{
    return only.isEmpty() || only == QLatin1String(picture.name);
}

// The scale of the screen is fixed when the application starts, so a
// picture of another scale is drawn by a run of this program of its own,
// on a screen of that scale.
bool drawScaled(const Picture &picture, const QString &folder)
{
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(picture.scale));
    run.setProcessEnvironment(environment);
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--only"), QLatin1String(picture.name), folder});
    return run.waitForFinished(-1) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

bool draw(const Picture &picture, const Workspace &workspace, const QDir &folder)
{
    const QString path = folder.filePath(QLatin1String(picture.name) + QLatin1String(".png"));
    const QPixmap pixmap = picture.draw(workspace);
    if (pixmap.isNull() || !pixmap.save(path)) {
        std::fprintf(stderr, "kanvio-screenshots: writing '%s' failed\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts are laid out at 96 dpi whatever the screen claims, so that the
    // pictures do not change with the machine that makes them.
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    // As the program does: icons from their images with twice the pixels on
    // a screen of scale 2.
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication application(argc, argv);
    describeApplication();
    Strings::load();

    QStringList arguments = application.arguments().mid(1);
    QString only;
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--only")) {
        only = arguments[1];
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1)
        return usage();
    const QDir folder(arguments[0]);
    Workspace workspace;
    if (!folder.exists() || !workspace.isValid()) {
        std::fprintf(stderr, "kanvio-screenshots: no folder '%s' or no temporary folder\n", qPrintable(arguments[0]));
        return 1;
    }

    const int scale = qRound(application.devicePixelRatio());
    int made = 0;
    for (const Picture &picture : pictures()) {
        if (!wanted(picture, only))
            continue;
        const bool drawn = picture.scale == scale ? draw(picture, workspace, folder)
                                                  : drawScaled(picture, folder.path());
        if (!drawn)
            return 1;
        ++made;
    }
    return made > 0 ? 0 : usage();
}
