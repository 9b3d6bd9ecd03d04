#ifndef KANVIO_COMMANDS_ARRANGE_COMMANDS_H
#define KANVIO_COMMANDS_ARRANGE_COMMANDS_H

#include <QList>
#include <QModelIndex>
#include <QVariant>
#include <QVector>

#include "commands/stationcommand.h"
#include "svl/svl.h"

// The undoable rearrangements of one list: moving stations within it,
// copying stations into a favorite list and sorting it.

// Moves the stations of rows (ascending) of the list to the target row, the
// way a drop within the list places them: together, in their order, where
// the target row stood. Undo restores the order from a copy of the list
// that redo keeps.
class MoveCommand : public StationCommand
{
public:
    MoveCommand(EditorWindow *mainWindow, int listIndex, const QVector<int> &movedRows,
                const QList<QVariant> &stations, const QModelIndex &target);
    ~MoveCommand() override;

    void undo() override;
    void redo() override;

private:
    bool holdsMovedStations(const StationListModel *model) const;

    svl_list *m_backup = nullptr;  // owned
    QVector<int> m_movedRows;
    QList<QVariant> m_stations;
    int m_targetRow;
};

// Inserts the stations into a favorite list from the target row on.
class CopyCommand : public StationCommand
{
public:
    CopyCommand(EditorWindow *mainWindow, int listIndex, const QList<QVariant> &stations,
                const QModelIndex &target);

    void undo() override;
    void redo() override;

private:
    void repaintFavoriteMarks();

    QList<QVariant> m_stations;
    int m_targetRow;
};

// Sorts the list by a table view column. Sorting belongs to the table view,
// whose changes reach the document only when applied, so it never marks the
// document modified.
class SortCommand : public StationCommand
{
public:
    SortCommand(EditorWindow *mainWindow, int listIndex, int column, Qt::SortOrder order);
    ~SortCommand() override;

    bool countsAsChange() const override;
    void undo() override;
    void redo() override;

private:
    int m_column;
    Qt::SortOrder m_order;
    svl_list *m_backup = nullptr;  // owned
};

#endif
