#include "tools/screenshots/pictures.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

#include "app/mainwindow.h"
#include "app/ssdpdialog.h"
#include "app/strings.h"
#include "net/ssdp.h"
#include "tools/screenshots/workspace.h"
#include "views/searchdialog.h"
#include "views/searchwidget.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

QPixmap mainWindow(const Workspace &workspace, const QString &language)
{
    return workspace.openWindow(language, workspace.tablePath(Workspace::SmallTable))->grab();
}

QPixmap fileMenu(const Workspace &workspace, const QString &language)
{
    const auto window = workspace.openWindow(language, workspace.tablePath(Workspace::SmallTable));
    QMenu *file = window->menuBar()->actions().value(0)->menu();
    file->popup(window->mapToGlobal(QPoint(0, 0)));
    showAndSettle(file);
    const QPixmap picture = file->grab();
    file->hide();
    return picture;
}

void selectRow(StationListWidget *list, int row)
{
    const StationListModel *model = list->stationModel();
    list->viewSelectionModel()->select(
        QItemSelection(model->index(row, 0), model->index(row, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

// The main window on the large table, two stations child-locked and one
// selected.
std::unique_ptr<MainWindow> arrangedWindow(const Workspace &workspace)
{
    auto window = workspace.openWindow(QStringLiteral("English"), workspace.tablePath(Workspace::LargeTable));
    StationListWidget *base = window->stationTableWidget()->listWidgets().value(0);
    base->setStationChildLock(base->stationModel()->index(2, 0), 1);
    base->setStationChildLock(base->stationModel()->index(7, 0), 1);
    selectRow(base, 4);
    return window;
}

QPixmap mainWindowGerman(const Workspace &workspace)
{
    return mainWindow(workspace, QStringLiteral("German"));
}

QPixmap mainWindowEnglish(const Workspace &workspace)
{
    return mainWindow(workspace, QStringLiteral("English"));
}

QPixmap fileMenuGerman(const Workspace &workspace)
{
    return fileMenu(workspace, QStringLiteral("German"));
}

QPixmap fileMenuEnglish(const Workspace &workspace)
{
    return fileMenu(workspace, QStringLiteral("English"));
}

QPixmap listView(const Workspace &workspace)
{
    return arrangedWindow(workspace)->grab();
}

QPixmap tableView(const Workspace &workspace)
{
    const auto window = arrangedWindow(workspace);
    QAction *tableViewAction = window->findChild<QAction *>(QStringLiteral("tableViewAct"));
    if (!tableViewAction)
        return QPixmap();
    tableViewAction->trigger();
    selectRow(window->stationTableWidget()->listWidgets().value(0), 4);
    // The tab row is laid out anew once the favorite tabs are hidden.
    QApplication::processEvents();
    return window->grab();
}

// The search bar over the large table, stepped to the second of its hits.
QPixmap searchBar(const Workspace &workspace)
{
    const auto window = workspace.openWindow(QStringLiteral("English"), workspace.tablePath(Workspace::LargeTable));
    SearchWidget *bar = window->stationTableWidget()->searchWidget();
    bar->toggleVisibility();
    bar->findChild<QLineEdit *>()->setText(QStringLiteral("zdf"));
    bar->showNext();
    QApplication::processEvents();
    return window->grab();
}

QPixmap searchDialog(const Workspace &workspace, const QString &language)
{
    const auto window = workspace.openWindow(language, workspace.tablePath(Workspace::SmallTable));
    SearchDialog dialog(window.get());
    showAndSettle(&dialog);
    return dialog.grab();
}

QPixmap searchDialogEnglish(const Workspace &workspace)
{
    return searchDialog(workspace, QStringLiteral("English"));
}

QPixmap searchDialogGerman(const Workspace &workspace)
{
    return searchDialog(workspace, QStringLiteral("German"));
}

// The question of "Order like reference list..." when the large table is
// ordered like the small one, which lacks most of its stations. The file
// dialog is answered, the question drawn and then cancelled.
QPixmap orderQuestion(const Workspace &workspace)
{
    const auto window = workspace.openWindow(QStringLiteral("English"), workspace.tablePath(Workspace::LargeTable));
    QPixmap picture;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialog->selectFile(workspace.tablePath(Workspace::SmallTable));
            static_cast<QDialog *>(dialog)->accept();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            picture = box->grab();
            answer.stop();
            for (QAbstractButton *button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::RejectRole)
                    button->click();
        }
    });
    answer.start(50);
    window->findChild<QAction *>(QStringLiteral("orderLikeReferenceAct"))->trigger();
    return picture;
}

// Page 1 of the favorite list beside the TV base list, printed to a PDF
// file on A4 and drawn by pdftoppm (poppler-utils).
QPixmap printedPage(const Workspace &workspace)
{
    const auto window = workspace.openWindow(QStringLiteral("English"), workspace.tablePath(Workspace::LargeTable));
    const QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFileName(dir.filePath(QStringLiteral("list.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    window->stationTableWidget()->printCurrentList(&printer);
    const QString page = dir.filePath(QStringLiteral("page"));
    const int status = QProcess::execute(QStringLiteral("pdftoppm"),
                                         {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                          QStringLiteral("-singlefile"), printer.outputFileName(), page});
    return status == 0 ? QPixmap(page + QStringLiteral(".png")) : QPixmap();
}

// Simulated sets that can be found, each on an address of its own, said
// goodbye to when the picture is done.
class SimulatedSets
{
public:
    explicit SimulatedSets(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i) {
            auto set = std::make_unique<QProcess>();
            set->setStandardErrorFile(QProcess::nullDevice());
            set->start(QApplication::applicationDirPath() + QStringLiteral("/kanvio-tvsim"),
                       {QStringLiteral("--address"), QStringLiteral("127.0.0.%1").arg(i + 2), QStringLiteral("--ssdp"),
                        QStringLiteral("--name"), names[i], QStringLiteral("--generate"), QStringLiteral("20")});
            m_sets.push_back(std::move(set));
        }
    }
    ~SimulatedSets()
    {
        for (const auto &set : m_sets) {
            set->terminate();
            set->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_sets;
};

// Lets the dialog find the sets, at most ten seconds.
bool waitForEntries(const QListWidget *list, int count)
{
    QElapsedTimer waited;
    waited.start();
    while (list->count() < count && waited.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return list->count() >= count;
}

// The export dialog with two simulated sets found, the first found picked.
QPixmap exchangeDialog(const Workspace &workspace)
{
    const SimulatedSets sets({QStringLiteral("Living room"), QStringLiteral("Bedroom")});
    const auto window = workspace.openWindow(QStringLiteral("English"), workspace.tablePath(Workspace::SmallTable));
    ssdp_engine engine = {};
    if (ssdp_start(&engine, 20) != 0)
        return QPixmap();
    QPixmap picture;
    {
        SsdpDialog dialog(Strings::text(Strings::ExportingProgress), Strings::text(Strings::ExportTableButton),
                          QString(), &engine, window.get());
        dialog.resize(360, 400);
        showAndSettle(&dialog);
        dialog.searchTvs();
        auto *list = dialog.findChild<QListWidget *>();
        if (waitForEntries(list, 2)) {
            dialog.discoveryTimeout();
            list->setCurrentRow(0);
            dialog.selectTv(list->item(0));
            QApplication::processEvents();
            picture = dialog.grab();
        }
    }
    ssdp_stop(&engine);
    return picture;
}

} // namespace

const std::vector<Picture> &pictures()
{
    static const std::vector<Picture> all = {
        {"mainwindow-de", mainWindowGerman},
        {"mainwindow-en", mainWindowEnglish},
        {"mainwindow-filemenu-de", fileMenuGerman},
        {"mainwindow-filemenu-en", fileMenuEnglish},
        {"listview", listView},
        {"tableview", tableView},
        {"search-bar", searchBar},
        {"search-dialog-en", searchDialogEnglish},
        {"search-dialog-de", searchDialogGerman},
        {"printed-list", printedPage},
        {"exchange-dialog", exchangeDialog},
        {"order-question", orderQuestion},
    };
    return all;
}
