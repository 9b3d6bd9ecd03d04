#include "commands/settings_command.h"

#include "views/editorwindow.h"
#include "fields/station_fields.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

SettingsCommand::SettingsCommand(EditorWindow *mainWindow, int listIndex, svl_station *station,
                                 const svl_station *edited)
    : StationCommand(mainWindow, listIndex),
      m_station(station),
      m_before(svl_clone_station(station)),
      m_after(svl_clone_station(edited))
{
    setText(Strings::text(Strings::ChangeSettingsCommandText).arg(stationNameText(station)));
}

SettingsCommand::~SettingsCommand()
{
    svl_free_station(m_before);
    svl_free_station(m_after);
}

// A redo that could not give the settings changed nothing: the stack drops
// the command.
void SettingsCommand::redo()
{
    if (!giveStation(m_after))
        setObsolete(true);
}

void SettingsCommand::undo()
{
    giveStation(m_before);
}

bool SettingsCommand::giveStation(const svl_station *settings)
{
    if (!m_before || !m_after || svl_assign_station(m_station, settings) != 0)
        return false;
    for (StationListWidget *widget : mainWindow()->stationTableWidget()->listWidgets()) {
        StationListModel *model = widget->stationModel();
        for (const QModelIndex &index : model->indexesOfStation(m_station))
            model->stationChanged(index.row());
    }
    return true;
}
