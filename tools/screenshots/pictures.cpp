#include "tools/screenshots/pictures.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <vector>

#include "app/mainwindow.h"
#include "app/ssdpdialog.h"
#include "net/ssdp.h"
#include "options/svl_options_dialog.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "tools/gen/svl_generate.h"
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
    for (int row : {2, 7})
        base->stationModel()->stationList()->stations[row]->childlock = 1;
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

bool switchToTableView(MainWindow *window)
{
    QAction *tableViewAction = window->findChild<QAction *>(QStringLiteral("tableViewAct"));
    if (!tableViewAction)
        return false;
    tableViewAction->trigger();
    selectRow(window->stationTableWidget()->listWidgets().value(0), 4);
    // The tab row is laid out anew once the favorite tabs are hidden.
    QApplication::processEvents();
    return true;
}

QPixmap tableView(const Workspace &workspace)
{
    const auto window = arrangedWindow(workspace);
    return switchToTableView(window.get()) ? window->grab() : QPixmap();
}

// The Fusion style in the colours a dark desktop theme gives it, for as
// long as the object lives.
class DarkTheme
{
public:
    DarkTheme()
        : m_palette(QApplication::palette())
    {
        QPalette dark(QColor(53, 53, 53), QColor(53, 53, 53));
        const QColor light(230, 230, 230);
        const QColor dimmed(127, 127, 127);
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            dark.setColor(role, light);
            dark.setColor(QPalette::Disabled, role, dimmed);
        }
        dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(QPalette::HighlightedText, Qt::black);
        dark.setColor(QPalette::ToolTipBase, QColor(42, 42, 42));
        dark.setColor(QPalette::ToolTipText, light);
        dark.setColor(QPalette::Link, QColor(42, 130, 218));
        QApplication::setPalette(dark);
    }
    ~DarkTheme() { QApplication::setPalette(m_palette); }

private:
    QPalette m_palette;
};

QPixmap listViewDark(const Workspace &workspace)
{
    const DarkTheme theme;
    return arrangedWindow(workspace)->grab();
}

QPixmap tableViewDark(const Workspace &workspace)
{
    const DarkTheme theme;
    const auto window = arrangedWindow(workspace);
    return switchToTableView(window.get()) ? window->grab() : QPixmap();
}

// The Edit menu over a selection, with the keyboard moves at its end.
QPixmap editMenu(const Workspace &workspace)
{
    const auto window = arrangedWindow(workspace);
    QMenu *edit = window->menuBar()->actions().value(1)->menu();
    edit->popup(window->mapToGlobal(QPoint(0, 0)));
    showAndSettle(edit);
    const QPixmap picture = edit->grab();
    edit->hide();
    return picture;
}

// "Move to position..." asking for the row of the selected station.
QPixmap moveToPositionDialog(const Workspace &workspace)
{
    const auto window = arrangedWindow(workspace);
    QPixmap picture;
    QTimer::singleShot(0, [&picture] {
        QWidget *dialog = QApplication::activeModalWidget();
        showAndSettle(dialog);
        picture = dialog->grab();
        dialog->close();
    });
    window->findChild<QAction *>(QStringLiteral("moveToPositionAct"))->trigger();
    return picture;
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

const svl_station *firstOfType(const svl_table &table, uint8_t type)
{
    for (uint32_t list = 0; list < table.list_count && list <= SVL_RADIO_LIST_INDEX; ++list) {
        for (uint32_t i = 0; i < table.lists[list]->count; ++i) {
            if (table.lists[list]->stations[i]->ProgramDataByte == type)
                return table.lists[list]->stations[i];
        }
    }
    return nullptr;
}

// Every page of the dialog, one below the other.
QPixmap everyPage(SvlOptionsDialog &dialog)
{
    const int gap = 8;
    auto *pages = dialog.findChild<QListWidget *>();
    showAndSettle(&dialog);
    QVector<QPixmap> shots;
    for (int row = 0; row < pages->count(); ++row) {
        pages->setCurrentRow(row);
        QApplication::processEvents();
        shots << dialog.grab();
    }
    QPixmap picture(dialog.width(), shots.size() * (dialog.height() + gap) - gap);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (int i = 0; i < shots.size(); ++i)
        painter.drawPixmap(0, i * (dialog.height() + gap), shots[i]);
    return picture;
}

// The station settings dialog, every page, for the first station of the
// type in a generated table of the version.
QPixmap stationSettings(int language, uint16_t version, uint8_t type)
{
    Strings::setLanguage(language);
    svl_generate_options options;
    options.stations = 200;
    options.version = version;
    svl_table table = svl_table();
    QPixmap picture;
    if (svl_generate_table(&table, options) == 0) {
        if (const svl_station *station = firstOfType(table, type)) {
            SvlOptionsDialog dialog(station);
            picture = everyPage(dialog);
        }
    }
    svl_free_table(&table, 1);
    return picture;
}

QPixmap settingsDvbsTvEnglish(const Workspace &)
{
    return stationSettings(Strings::English, SVL_VERSION_50, 3);
}

QPixmap settingsDvbsTvGerman(const Workspace &)
{
    return stationSettings(Strings::German, SVL_VERSION_50, 3);
}

QPixmap settingsDvbtRadioEnglish(const Workspace &)
{
    return stationSettings(Strings::English, SVL_VERSION_50, 9);
}

QPixmap settingsDvbtRadioGerman(const Workspace &)
{
    return stationSettings(Strings::German, SVL_VERSION_50, 9);
}

QPixmap settingsAnalogueEnglish(const Workspace &)
{
    return stationSettings(Strings::English, SVL_VERSION_50, 1);
}

QPixmap settingsAnalogueGerman(const Workspace &)
{
    return stationSettings(Strings::German, SVL_VERSION_50, 1);
}

QPixmap settingsSvl40DvbcEnglish(const Workspace &)
{
    return stationSettings(Strings::English, SVL_VERSION_40, 5);
}

QPixmap settingsSvl40DvbcGerman(const Workspace &)
{
    return stationSettings(Strings::German, SVL_VERSION_40, 5);
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
        {"settings-dvbs-tv-en", settingsDvbsTvEnglish},
        {"settings-dvbs-tv-de", settingsDvbsTvGerman},
        {"settings-dvbt-radio-en", settingsDvbtRadioEnglish},
        {"settings-dvbt-radio-de", settingsDvbtRadioGerman},
        {"settings-analogue-en", settingsAnalogueEnglish},
        {"settings-analogue-de", settingsAnalogueGerman},
        {"settings-svl40-dvbc-en", settingsSvl40DvbcEnglish},
        {"settings-svl40-dvbc-de", settingsSvl40DvbcGerman},
        {"exchange-dialog", exchangeDialog},
        {"edit-menu-moves", editMenu},
        {"move-to-position", moveToPositionDialog},
        {"listview-dark-2x", listViewDark, 2},
        {"tableview-dark-2x", tableViewDark, 2},
    };
    return all;
}
