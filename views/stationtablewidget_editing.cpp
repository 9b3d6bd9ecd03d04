// StationTableWidget: the editing slots. Each pushes one command, which acts
// on the selected stations of the selected list as they are at this moment.
#include "views/stationtablewidget.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QUndoStack>

#include "views/editorwindow.h"
#include "commands/delete_command.h"
#include "commands/flag_commands.h"
#include "views/stationlistwidget.h"

// Without a selection a command would change nothing, yet pushing it would
// still drop the commands that could be redone.
bool StationTableWidget::hasSelectedStations() const
{
    const StationListWidget *selected = selectedListWidget();
    return selected && selected->viewSelectionModel()->hasSelection();
}

void StationTableWidget::pushCommand(QUndoCommand *command)
{
    m_mainWindow->undoStack()->push(command);
}

void StationTableWidget::toggleChildLock(bool locked)
{
    if (hasSelectedStations())
        pushCommand(new ChildlockCommand(m_mainWindow, locked));
}

void StationTableWidget::toggleShowInEPG(bool contained)
{
    if (hasSelectedStations())
        pushCommand(new EpgCommand(m_mainWindow, contained));
}

void StationTableWidget::deleteStation()
{
    if (hasSelectedStations())
        pushCommand(new DeleteCommand(m_mainWindow));
}

void StationTableWidget::setDefaultSettings()
{
    if (hasSelectedStations())
        pushCommand(new DefaultCommand(m_mainWindow));
}

void StationTableWidget::setCaModule()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (action && hasSelectedStations())
        pushCommand(new CaCommand(m_mainWindow, action->data().toInt()));
}

void StationTableWidget::showOptionsDialog()
{
    if (StationListWidget *selected = selectedListWidget())
        selected->showOptions();
}
