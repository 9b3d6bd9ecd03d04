#ifndef KANVIO_COMMANDS_FLAG_COMMANDS_H
#define KANVIO_COMMANDS_FLAG_COMMANDS_H

#include <QVector>

#include "commands/stationcommand.h"
#include "svl/svl.h"

// Changes of fields of the stations selected when the command was made:
// the EPG flag, the child lock, the CA module and the picture and sound
// defaults. Each redo notes what every station had, and undo gives each
// station back its own former values, however they differed.

// The part they share: the selected list and rows, noting and restoring
// the stations, and showing changes.
class SelectionCommand : public StationCommand
{
protected:
    explicit SelectionCommand(EditorWindow *mainWindow);

    int count() const;
    // The stations of the rows; empty when the list or a row is gone.
    QVector<svl_station *> selectedStations() const;
    // Repaints the rows, and the other list shown beside this one, which
    // may hold the same stations.
    void showChanges();
    // The selected stations, each once, noted as they are now for
    // restoreSelectedStations; none, and the command obsolete, when the
    // list or a row is gone.
    QVector<svl_station *> noteSelectedStations();
    // Gives the noted stations back what they had, and shows it.
    void restoreSelectedStations();

private:
    QVector<svl_station *> distinctSelectedStations() const;

    QVector<int> m_rows;
    QVector<svl_station> m_former;
};

// Sets one byte field of every selected station to the same value.
class StationFieldCommand : public SelectionCommand
{
public:
    void undo() override;
    void redo() override;

protected:
    StationFieldCommand(EditorWindow *mainWindow, uint8_t svl_station::*field, int value);

private:
    uint8_t svl_station::*m_field;
    uint8_t m_value;
};

class EpgCommand : public StationFieldCommand
{
public:
    EpgCommand(EditorWindow *mainWindow, bool contained);
};

class ChildlockCommand : public StationFieldCommand
{
public:
    ChildlockCommand(EditorWindow *mainWindow, bool locked);
};

class CaCommand : public StationFieldCommand
{
public:
    CaCommand(EditorWindow *mainWindow, int module);
};

// Gives the selected stations the default picture and sound settings.
class DefaultCommand : public SelectionCommand
{
public:
    explicit DefaultCommand(EditorWindow *mainWindow);

    void undo() override;
    void redo() override;

    // The fields "Default settings" resets, and their default values.
    struct Settings {
        uint8_t SoundFilter = 0;
        int8_t volume_correction = 0;
        int8_t colour_intensity = 0;
        int8_t contrast = 0;
        int8_t sharpness = 0;
        uint8_t noise_reduction = 0;
        uint8_t CTI = 0;
        uint8_t Combfilter = 0;
        int8_t colour_offset = 0;
        uint8_t PictureFormat = 2;
        uint8_t VideoProfile = 7;
        uint8_t ColorNorm = 0;
        uint8_t CANumber = 3;
        uint8_t aux2 = 0;
    };
};

#endif
