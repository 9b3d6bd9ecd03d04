// StationTableWidget: arranging the selected stations without the mouse.
// Each move is the MoveCommand a drop of the same stations within their
// list would push, and adding to a favorite list the CopyCommand of a drop
// on its end, with the refusals of a drop; so in table view both act on the
// working copy, as drops do.
#include "views/stationtablewidget.h"

#include <QAbstractItemView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QUndoStack>

#include <algorithm>

#include "views/editorwindow.h"
#include "commands/arrange_commands.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"

namespace {

// The selected rows of a view, ascending, each once (a table view selects
// every cell of a row).
QVector<int> selectedRows(const QItemSelectionModel *selection)
{
    QVector<int> rows;
    for (const QItemSelectionRange &range : selection->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The row before which the moved rows must be put for the first of them
// to land at first: the first-th row that stays, or the end of the list.
int targetRowFor(const QVector<int> &rows, int first, int rowCount)
{
    int stayed = 0;
    for (int row = 0, next = 0; row < rowCount; ++row) {
        if (next < rows.size() && rows[next] == row)
            ++next;
        else if (stayed++ == first)
            return row;
    }
    return rowCount;
}

// Whether the rows already stand together from first on: moving them
// there would change nothing.
bool standTogetherAt(const QVector<int> &rows, int first)
{
    return rows.first() == first && rows.last() == first + rows.size() - 1;
}

QList<QVariant> stationsAt(const StationListModel *model, const QVector<int> &rows)
{
    QList<QVariant> stations;
    stations.reserve(rows.size());
    for (int row : rows)
        stations << model->data(model->index(row, 0), Qt::UserRole);
    return stations;
}

} // namespace

void StationTableWidget::moveStationsUp()
{
    moveSelectedStations([](const QVector<int> &rows, int) { return rows.first() - 1; });
}

// The run ends one row below the last selected station, so that a
// selection spread over the list moves down from its lower end.
void StationTableWidget::moveStationsDown()
{
    moveSelectedStations([](const QVector<int> &rows, int) { return rows.last() - rows.size() + 2; });
}

void StationTableWidget::moveStationsToTop()
{
    moveSelectedStations([](const QVector<int> &, int) { return 0; });
}

void StationTableWidget::moveStationsToBottom()
{
    moveSelectedStations([](const QVector<int> &rows, int rowCount) { return rowCount - rows.size(); });
}

void StationTableWidget::moveStationsToPosition()
{
    const StationListWidget *widget = selectedListWidget();
    const QVector<int> rows = widget ? selectedRows(widget->viewSelectionModel()) : QVector<int>();
    if (rows.isEmpty())
        return;
    const int rowCount = widget->stationModel()->rowCount();
    bool accepted = false;
    const int position = QInputDialog::getInt(this, Strings::text(Strings::MoveToPositionTitle),
                                              Strings::text(Strings::MoveToPositionLabel).arg(rowCount),
                                              rows.first() + 1, 1, rowCount, 1, &accepted);
    if (accepted)
        moveSelectedStationsToRow(position - 1);
}

void StationTableWidget::moveSelectedStationsToRow(int row)
{
    moveSelectedStations([row](const QVector<int> &, int) { return row; });
}

// firstRow gives, from the selected rows and the row count, where the first
// moved station is to stand; a place beyond either end of the list is taken
// as that end.
void StationTableWidget::moveSelectedStations(const std::function<int(const QVector<int> &, int)> &firstRow)
{
    StationListWidget *widget = selectedListWidget();
    const QVector<int> rows = widget ? selectedRows(widget->viewSelectionModel()) : QVector<int>();
    if (rows.isEmpty())
        return;
    StationListModel *model = widget->stationModel();
    const int rowCount = model->rowCount();
    const int first = qBound(0, firstRow(rows, rowCount), rowCount - rows.size());
    if (standTogetherAt(rows, first))
        return;
    const QModelIndex target = model->insertionIndex(targetRowFor(rows, first, rowCount));
    m_mainWindow->undoStack()->push(
        new MoveCommand(m_mainWindow, selectedListIndex(), rows, stationsAt(model, rows), target));
    keepMovedStationsInView(widget, first);
}

// The selection went with the stations; the current row stays on them too,
// so that the next key press acts where the user is looking.
void StationTableWidget::keepMovedStationsInView(StationListWidget *widget, int first)
{
    QItemSelectionModel *selection = widget->viewSelectionModel();
    if (!selection->isRowSelected(selection->currentIndex().row(), QModelIndex()))
        selection->setCurrentIndex(widget->stationModel()->index(first, 0), QItemSelectionModel::NoUpdate);
    widget->view()->scrollTo(selection->currentIndex());
}

// Only the base list of the favorite list's own medium gives stations to
// it, as only its rows may be dropped there; anything else changes nothing.
void StationTableWidget::addSelectionToFavoriteList(int listIndex)
{
    const StationListWidget *source = selectedListWidget();
    const StationListWidget *target = m_listWidgets.value(listIndex);
    if (!source || !target || !svl_is_base_kind(source->stationModel()->listKind())
        || !svl_is_favorite_kind(target->stationModel()->listKind())
        || svl_base_kind_of(target->stationModel()->listKind()) != source->stationModel()->listKind())
        return;
    const QVector<int> rows = selectedRows(source->viewSelectionModel());
    if (rows.isEmpty())
        return;
    const StationListModel *favorites = target->stationModel();
    m_mainWindow->undoStack()->push(new CopyCommand(m_mainWindow, listIndex, stationsAt(source->stationModel(), rows),
                                                    favorites->insertionIndex(favorites->rowCount())));
}
