#ifndef KANVIO_COMMANDS_REORDER_COMMAND_H
#define KANVIO_COMMANDS_REORDER_COMMAND_H

#include <QVector>

#include "commands/stationcommand.h"
#include "svl/svl.h"

// Puts the stations of a list in the order of a reference list: order[k] is
// the row whose station comes to row k. Undo gives the list back the order
// of a copy that redo keeps.
class ReorderCommand : public StationCommand
{
public:
    ReorderCommand(EditorWindow *mainWindow, int listIndex, const QVector<uint32_t> &order);
    ~ReorderCommand() override;

    void undo() override;
    void redo() override;

private:
    QVector<uint32_t> m_order;
    svl_list *m_backup = nullptr;  // owned
};

#endif
