#include "views/stationlistwidget.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "views/editorwindow.h"
#include "commands/settings_command.h"
#include "fields/station_fields.h"
#include "options/svl_options_dialog.h"
#include "svl/svl_ops.h"
#include "views/dropindicator.h"
#include "views/stationlistdelegate.h"
#include "views/stationlistmodel.h"
#include "views/stationlistselectionmodel.h"

namespace {

enum {
    AutoScrollMargin = 60,
    NameColumnWidth = 200,
    // Rows whose texts a column is fitted to: the screenfuls a user sees
    // first, without measuring every station of a long list.
    FittedRows = 100,
};

// The keys that ask for the context menu of what has the focus.
bool isContextMenuKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)
        || (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

int listIndexIn(const svl_table *table, const svl_list *list)
{
    for (uint32_t i = 0; table && i < table->list_count; ++i) {
        if (table->lists[i] == list)
            return int(i);
    }
    return 0;
}

} // namespace

StationListWidget::StationListWidget(EditorWindow *mainWindow, svl_list *list, svl_table *table, bool listMode,
                                     QWidget *parent)
    : QWidget(parent),
      m_mainWindow(mainWindow),
      m_listMode(listMode),
      m_listIndex(listIndexIn(table, list))
{
    createView(list, table);
    configureView();
    equipView();
    connectView();
    placeView();
}

// The model goes first, while the view that shows it still exists; the
// view's style goes last, because the view uses it until it is gone.
StationListWidget::~StationListWidget()
{
    delete m_model;
    delete m_view;
    delete m_style;
}

void StationListWidget::createView(svl_list *list, svl_table *table)
{
    if (m_listMode) {
        auto *listView = new QListView(this);
        // Every card has the same height, so the view need not measure each row.
        listView->setUniformItemSizes(true);
        m_view = listView;
        m_model = new StationListModel(m_mainWindow, m_listIndex, list, table, 1, m_view);
    } else {
        auto *tableView = new QTableView(this);
        m_view = tableView;
        m_model = new StationListModel(m_mainWindow, m_listIndex, list, table, StationColumnCount, m_view);
        // The list opens in its own order: no column claims to sort it
        // before the user clicks one.
        tableView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        tableView->setSortingEnabled(true);
    }
}

void StationListWidget::configureView()
{
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setDragDropMode(QAbstractItemView::DragDrop);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_view->setAutoScroll(true);
    m_view->setAutoScrollMargin(AutoScrollMargin);
    m_style = new DropIndicator(m_view->style()->objectName());
    m_view->setStyle(m_style);
    // A screen reader names the view after its list, as the tab does.
    m_view->setAccessibleName(m_model->listName());
}

// The view made a plain selection model of its own when it got the model;
// it is replaced, and the view does not delete what it no longer uses.
void StationListWidget::equipView()
{
    m_view->setModel(m_model);
    StationTableWidget *tables = m_mainWindow ? m_mainWindow->stationTableWidget() : nullptr;
    m_view->setItemDelegate(new StationListDelegate(m_model, tables, m_view));
    QItemSelectionModel *plain = m_view->selectionModel();
    m_view->setSelectionModel(new StationListSelectionModel(m_model, m_mainWindow, m_view));
    delete plain;
}

// After every insertion (a drop, an undo) no row is current, so that the
// next key press does not act on a row the user never chose. A right click
// opens the context menu where it was made, the keys at the current row.
void StationListWidget::connectView()
{
    if (m_mainWindow) {
        connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
            m_mainWindow->showListContextMenu(m_view->viewport()->mapToGlobal(position));
        });
        m_view->installEventFilter(this);
        m_view->viewport()->installEventFilter(this);
    }
    connect(m_model, &QAbstractItemModel::rowsInserted, m_view, &QAbstractItemView::setCurrentIndex);
}

// Some platforms turn the Menu key into a context menu event at the mouse
// pointer besides the key press itself, others do not, and none turns
// Shift+F10 into one: the key presses alone open the menu, so that it opens
// once, and at the current row.
bool StationListWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu)
        return static_cast<QContextMenuEvent *>(event)->reason() != QContextMenuEvent::Mouse;
    if (watched == m_view && event->type() == QEvent::KeyPress
        && isContextMenuKey(static_cast<QKeyEvent *>(event))) {
        m_mainWindow->showListContextMenu(currentRowMenuPosition());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Below the current row's left end, brought into view first, so that the
// menu leaves the row it acts on readable; without a current row, below
// the first selected row.
QPoint StationListWidget::currentRowMenuPosition()
{
    QModelIndex row = m_view->currentIndex();
    if (!row.isValid()) {
        const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
        if (!selected.isEmpty())
            row = *std::min_element(selected.begin(), selected.end());
    }
    if (!row.isValid())
        return m_view->viewport()->mapToGlobal(QPoint(0, 0));
    m_view->scrollTo(row);
    return m_view->viewport()->mapToGlobal(m_view->visualRect(row).bottomLeft());
}

void StationListWidget::placeView()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_view);
}

StationListModel *StationListWidget::stationModel() const
{
    return m_model;
}

QItemSelectionModel *StationListWidget::viewSelectionModel() const
{
    return m_view->selectionModel();
}

QAbstractItemView *StationListWidget::view() const
{
    return m_view;
}

int StationListWidget::listIndex() const
{
    return m_listIndex;
}

void StationListWidget::resizeTableColumns()
{
    auto *table = qobject_cast<QTableView *>(m_view);
    if (!table)
        return;
    table->resizeColumnsToContents();
    fitColumnsToTexts(table);
    fitRowsToContents(table);
    table->setColumnWidth(NameColumn, NameColumnWidth);
}

// Every row holds one line of text, so all rows fit the height of the
// first; measuring each row of a long list would cost a row-by-row pass.
void StationListWidget::fitRowsToContents(QTableView *table)
{
    if (m_model->rowCount() == 0)
        return;
    table->resizeRowToContents(0);
    table->verticalHeader()->setDefaultSectionSize(table->rowHeight(0));
}

// The delegate paints the cells and leaves their size to the view, so the
// view's own fitting only sees the header texts.
void StationListWidget::fitColumnsToTexts(QTableView *table)
{
    const QFontMetrics metrics(table->font());
    const int rows = qMin(m_model->rowCount(), int(FittedRows));
    // The cell loses a pixel to the grid line, and the text may need part of one more.
    const int padding = 2 * StationListDelegate::CellPadding + 2;
    for (int column = 0; column < StationColumnCount; ++column) {
        if (column == NameColumn)
            continue;
        int width = table->columnWidth(column);
        // Most columns repeat a few texts; each is measured once.
        QSet<QString> measured;
        for (int row = 0; row < rows; ++row) {
            const QString text = m_model->fieldText(m_model->index(row, column));
            if (!measured.contains(text)) {
                measured.insert(text);
                width = qMax(width, metrics.horizontalAdvance(text) + padding);
            }
        }
        table->setColumnWidth(column, width);
    }
}

void StationListWidget::refreshLayout()
{
    m_model->refreshLayout();
}

void StationListWidget::scrollToRemovedRow(const QModelIndex &index)
{
    if (index.row() < m_model->rowCount())
        m_view->scrollTo(index, QAbstractItemView::PositionAtTop);
}

svl_station *StationListWidget::stationAt(const QModelIndex &index) const
{
    return StationListModel::stationOf(m_model->data(index, Qt::UserRole));
}

// The topmost row is found from the selection ranges, so that a table view
// selection of thousands of rows is not taken apart cell by cell.
svl_station *StationListWidget::firstSelectedStation() const
{
    const QItemSelection selection = viewSelectionModel()->selection();
    if (selection.isEmpty())
        return nullptr;
    const auto topmost = std::min_element(selection.begin(), selection.end(),
                                          [](const QItemSelectionRange &a, const QItemSelectionRange &b) {
                                              return a.top() < b.top();
                                          });
    return stationAt(m_model->index(topmost->top(), 0));
}

void StationListWidget::showOptions()
{
    svl_station *station = firstSelectedStation();
    if (!station)
        return;
    SvlOptionsDialog dialog(station, this);
    if (dialog.exec() != QDialog::Accepted || !m_mainWindow)
        return;
    // A "Save" that changed no byte leaves nothing to undo.
    if (!svl_stations_equal(station, dialog.editedStation()))
        m_mainWindow->undoStack()->push(new SettingsCommand(m_mainWindow, m_listIndex, station, dialog.editedStation()));
}
