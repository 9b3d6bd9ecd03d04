#ifndef KANVIO_COMMANDS_SETTINGS_COMMAND_H
#define KANVIO_COMMANDS_SETTINGS_COMMAND_H

#include "commands/stationcommand.h"
#include "svl/svl.h"

// Gives a station the settings edited in the station settings dialog. The
// command keeps the record as it was and as edited, each a copy with texts
// of its own, and gives the station one or the other in place: the lists
// keep pointing at the same record, and every list showing it repaints it.
class SettingsCommand : public StationCommand
{
public:
    // station is the document's record; edited is copied.
    SettingsCommand(EditorWindow *mainWindow, int listIndex, svl_station *station, const svl_station *edited);
    ~SettingsCommand() override;

    void undo() override;
    void redo() override;

private:
    // Gives the station the settings; false when memory ran out and the
    // station stayed as it was.
    bool giveStation(const svl_station *settings);

    svl_station *m_station;  // not owned
    svl_station *m_before;   // owned
    svl_station *m_after;    // owned
};

#endif
