#include "commands/flag_commands.h"

#include "app/mainwindow.h"
#include "texts/strings.h"
#include "views/stationlistmodel.h"
#include "views/stationlistwidget.h"
#include "views/stationtablewidget.h"

namespace {

DefaultCommand::Settings settingsOf(const svl_station &station)
{
    DefaultCommand::Settings settings;
    settings.SoundFilter = station.SoundFilter;
    settings.volume_correction = station.volume_correction;
    settings.colour_intensity = station.colour_intensity;
    settings.contrast = station.contrast;
    settings.sharpness = station.sharpness;
    settings.noise_reduction = station.noise_reduction;
    settings.CTI = station.CTI;
    settings.Combfilter = station.Combfilter;
    settings.colour_offset = station.colour_offset;
    settings.PictureFormat = station.PictureFormat;
    settings.VideoProfile = station.VideoProfile;
    settings.ColorNorm = station.ColorNorm;
    settings.CANumber = station.CANumber;
    settings.aux2 = station.aux2;
    return settings;
}

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

} // namespace

SelectionCommand::SelectionCommand(MainWindow *mainWindow)
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

StationFieldCommand::StationFieldCommand(MainWindow *mainWindow, uint8_t svl_station::*field, int value)
    : SelectionCommand(mainWindow),
      m_field(field),
      m_value(uint8_t(value))
{
}

void StationFieldCommand::redo()
{
    const QVector<svl_station *> stations = selectedStations();
    if (stations.isEmpty()) {
        setObsolete(true);
        return;
    }
    m_former.clear();
    for (svl_station *station : stations) {
        m_former << station->*m_field;
        station->*m_field = m_value;
    }
    showChanges();
}

void StationFieldCommand::undo()
{
    const QVector<svl_station *> stations = selectedStations();
    if (stations.size() != m_former.size())
        return;
    for (int i = 0; i < stations.size(); ++i)
        stations[i]->*m_field = m_former[i];
    showChanges();
}

EpgCommand::EpgCommand(MainWindow *mainWindow, bool contained)
    : StationFieldCommand(mainWindow, &svl_station::epg, contained)
{
    setText(Strings::text(Strings::EpgCommandText).arg(count()).arg(listName()));
}

ChildlockCommand::ChildlockCommand(MainWindow *mainWindow, bool locked)
    : StationFieldCommand(mainWindow, &svl_station::childlock, locked)
{
    setText(Strings::text(Strings::ChildLockCommandText).arg(count()));
}

CaCommand::CaCommand(MainWindow *mainWindow, int module)
    : StationFieldCommand(mainWindow, &svl_station::CANumber, module)
{
    setText(Strings::text(Strings::CaModuleCommandText).arg(count()));
}

DefaultCommand::DefaultCommand(MainWindow *mainWindow)
    : SelectionCommand(mainWindow)
{
    setText(Strings::text(Strings::DefaultSettingsCommandText).arg(count()).arg(listName()));
}

void DefaultCommand::redo()
{
    const QVector<svl_station *> stations = selectedStations();
    if (stations.isEmpty()) {
        setObsolete(true);
        return;
    }
    m_former.clear();
    for (svl_station *station : stations) {
        m_former << settingsOf(*station);
        giveSettings(station, Settings());
    }
    showChanges();
}

void DefaultCommand::undo()
{
    const QVector<svl_station *> stations = selectedStations();
    if (stations.size() != m_former.size())
        return;
    for (int i = 0; i < stations.size(); ++i)
        giveSettings(stations[i], m_former[i]);
    showChanges();
}
