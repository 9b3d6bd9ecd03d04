#include "commands/flag_commands.h"

#include <QSet>

#include "views/editorwindow.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

void giveSettings(svl_station *station, const DefaultCommand::Settings &settings)
{
    station->SoundFilter = settings.SoundFilter;
    station->volume_correction = settings.volume_correction;
    station->colour_intensity = settings.colour_intensity;
    station->contrast = settings.contrast;
    station->sharpness = settings.sharpness;
    station->noise_reduction = settings.noise_reduction;
    station->CTI = settings.CTI;
    station->Combfilter = settings.Combfilter;
    station->colour_offset = settings.colour_offset;
    station->PictureFormat = settings.PictureFormat;
    station->VideoProfile = settings.VideoProfile;
    station->ColorNorm = settings.ColorNorm;
    station->CANumber = settings.CANumber;
    station->aux2 = settings.aux2;
}

// The texts stay: these commands never change them, and a later command
// undone since may have given them new buffers. So does the uid, which a
// save or an export in between has numbered anew.
void restoreFields(svl_station *station, const svl_station &former)
{
    char *name = station->name;
    char *originName = station->origin_name;
    const uint16_t uid = station->uid;
    *station = former;
    station->name = name;
    station->origin_name = originName;
    station->uid = uid;
}

} // namespace

SelectionCommand::SelectionCommand(EditorWindow *mainWindow)
    : StationCommand(mainWindow, mainWindow->stationTableWidget()->selectedListIndex()),
      m_rows(rowsSelectedInList())
{
}

int SelectionCommand::count() const
{
    return m_rows.size();
}

QVector<svl_station *> SelectionCommand::selectedStations() const
{
    StationListModel *model = listModel();
    if (!model || m_rows.isEmpty() || m_rows.last() >= model->rowCount())
        return {};
    return model->stationsAt(m_rows);
}

void SelectionCommand::showChanges()
{
    listModel()->stationsChanged(m_rows);
    if (StationListWidget *other = tables()->otherListWidget())
        other->refreshLayout();
}

// A favorite list may hold a station twice, and both rows may be
// selected: each station counts once, so that undo gives it back what it
// had and not what an earlier row made of it.
QVector<svl_station *> SelectionCommand::distinctSelectedStations() const
{
    QVector<svl_station *> stations;
    QSet<const svl_station *> seen;
    for (svl_station *station : selectedStations()) {
        if (!seen.contains(station)) {
            seen.insert(station);
            stations << station;
        }
    }
    return stations;
}

QVector<svl_station *> SelectionCommand::noteSelectedStations()
{
    const QVector<svl_station *> stations = distinctSelectedStations();
    m_former.clear();
    for (const svl_station *station : stations)
        m_former << *station;
    if (stations.isEmpty())
        setObsolete(true);
    return stations;
}

void SelectionCommand::restoreSelectedStations()
{
    const QVector<svl_station *> stations = distinctSelectedStations();
    if (stations.size() != m_former.size())
        return;
    for (int i = 0; i < stations.size(); ++i)
        restoreFields(stations[i], m_former[i]);
    showChanges();
}

StationFieldCommand::StationFieldCommand(EditorWindow *mainWindow, uint8_t svl_station::*field, int value)
    : SelectionCommand(mainWindow),
      m_field(field),
      m_value(uint8_t(value))
{
}

void StationFieldCommand::redo()
{
    const QVector<svl_station *> stations = noteSelectedStations();
    for (svl_station *station : stations)
        station->*m_field = m_value;
    if (!stations.isEmpty())
        showChanges();
}

void StationFieldCommand::undo()
{
    restoreSelectedStations();
}

EpgCommand::EpgCommand(EditorWindow *mainWindow, bool contained)
    : StationFieldCommand(mainWindow, &svl_station::epg, contained)
{
    setText(Strings::text(Strings::EpgCommandText).arg(count()).arg(listName()));
}

ChildlockCommand::ChildlockCommand(EditorWindow *mainWindow, bool locked)
    : StationFieldCommand(mainWindow, &svl_station::childlock, locked)
{
    setText(Strings::text(Strings::ChildLockCommandText).arg(count()));
}

CaCommand::CaCommand(EditorWindow *mainWindow, int module)
    : StationFieldCommand(mainWindow, &svl_station::CANumber, module)
{
    setText(Strings::text(Strings::CaModuleCommandText).arg(count()));
}

DefaultCommand::DefaultCommand(EditorWindow *mainWindow)
    : SelectionCommand(mainWindow)
{
    setText(Strings::text(Strings::DefaultSettingsCommandText).arg(count()).arg(listName()));
}

void DefaultCommand::redo()
{
    const QVector<svl_station *> stations = noteSelectedStations();
    for (svl_station *station : stations)
        giveSettings(station, Settings());
    if (!stations.isEmpty())
        showChanges();
}

void DefaultCommand::undo()
{
    restoreSelectedStations();
}
