#include "app/mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusBar>

#include "texts/strings.h"
#include "views/stationtablewidget.h"

MainWindow::MainWindow(const QString &fileName, QWidget *parent, int discoveryWaitMs)
    : EditorWindow(parent),
      m_discovery(),
      m_tableWidget(new StationTableWidget(this))
{
    setWindowIcon(QIcon(QStringLiteral(":/iconset/icon_64x64.png")));
    setCentralWidget(m_tableWidget);
    setStatusBar(new QStatusBar(this));

    createActions();
    createToolBars();
    createConnections();
    createMenus();
    followUndoStack();
    startDiscovery(discoveryWaitMs);
    readSettings();

    if (fileName.isEmpty())
        newSvlFile();
    else
        loadFile(fileName);
}

// The commands go first, while the document they may own stations of is
// still there.
MainWindow::~MainWindow()
{
    m_undoStack.clear();
    ssdp_stop(&m_discovery);
}

// Without discovery the program still works; the exchange dialog then
// simply finds no TV set.
void MainWindow::startDiscovery(int waitMs)
{
    if (ssdp_start(&m_discovery, waitMs) == 0)
        ssdp_search(&m_discovery, SSDP_TV_DEVICE_TYPE, 1);
}

StationTableWidget *MainWindow::stationTableWidget() const
{
    return m_tableWidget;
}

QString MainWindow::currentFile() const
{
    return m_currentFile;
}

QUndoStack *MainWindow::undoStack()
{
    return &m_undoStack;
}

// Menus react to the left mouse button only, so that a right click on an
// entry never runs it by accident.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        updateActionIcons();
    QMainWindow::changeEvent(event);
}

// A transfer still running reads or replaces the document: the window
// closes once it has ended.
void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_tableWidget->isTransferRunning()) {
        m_closeAfterTransfer = true;
        event->ignore();
        return;
    }
    if (maybeSave()) {
        event->ignore();
        return;
    }
    writeSettings();
    event->accept();
}

void MainWindow::about()
{
    QMessageBox::about(this, Strings::text(Strings::AboutAction),
                       Strings::text(Strings::AboutText) + Strings::text(Strings::LicenceNotice));
}

// Leaving the table view drops its working copy.
void MainWindow::showListView()
{
    if (!m_tableWidget->isListMode() && !settleUnappliedChanges()) {
        m_listViewAct->setChecked(false);
        m_tableViewAct->setChecked(true);
        return;
    }
    m_listViewAct->setChecked(true);
    m_tableViewAct->setChecked(false);
    setActionsEnabled({m_deleteAct, m_defaultAct, m_optionsAct}, false);
    setMoveActionsEnabled(false);
    m_tableWidget->switchToListView();
    updateModifiedMark();
}

void MainWindow::showTableView()
{
    m_listViewAct->setChecked(false);
    m_tableViewAct->setChecked(true);
    setActionsEnabled({m_deleteAct, m_defaultAct, m_optionsAct}, false);
    setMoveActionsEnabled(false);
    m_tableWidget->switchToTableView();
}
