#include "commands/reorder_command.h"

#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"

ReorderCommand::ReorderCommand(EditorWindow *mainWindow, int listIndex, const QVector<uint32_t> &order)
    : StationCommand(mainWindow, listIndex),
      m_order(order)
{
    setText(Strings::text(Strings::OrderCommandText).arg(listName()));
}

ReorderCommand::~ReorderCommand()
{
    svl_free_list(m_backup, 0);
}

void ReorderCommand::redo()
{
    StationListModel *model = listModel();
    svl_list *backup = model ? svl_copy_list(model->stationList()) : nullptr;
    if (!backup || !model->reorderList(m_order)) {
        svl_free_list(backup, 0);
        setObsolete(true);
        return;
    }
    svl_free_list(m_backup, 0);
    m_backup = backup;
}

void ReorderCommand::undo()
{
    StationListModel *model = listModel();
    if (!model || !m_backup)
        return;
    model->setStationList(m_backup);
    m_backup = nullptr;
}
