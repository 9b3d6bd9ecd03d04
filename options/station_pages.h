#ifndef KANVIO_OPTIONS_STATION_PAGES_H
#define KANVIO_OPTIONS_STATION_PAGES_H

#include "options/station_page.h"

// The pages of the station settings dialog that describe the station
// itself: its name and general settings, its picture, its DVB service.

// Type, name, character set, sound and flags; every station has it.
class GeneralPage : public StationPage
{
    Q_OBJECT

public:
    GeneralPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;
    // A name the chosen character set cannot store as typed: empty, with
    // characters the set lacks, or longer than 255 bytes.
    QWidget *refusedInput(QString *reason) const override;

private:
    int chosenCode() const;
    // Whether the name must be encoded anew: it was edited, or a non-empty
    // name goes into another character set. Otherwise its bytes stay.
    bool nameToEncode() const;

    QString m_shownName;
    int m_storedCode;
    QLineEdit *m_name;
    QComboBox *m_charSelCode;
    QCheckBox *m_decoder = nullptr;
    QComboBox *m_soundFilter;
    QSpinBox *m_volumeCorrection;
    QCheckBox *m_epg;
    QCheckBox *m_childlock;
    QCheckBox *m_hbbtv = nullptr;
};

// CNI and picture settings of a TV station.
class TVPage : public StationPage
{
    Q_OBJECT

public:
    TVPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    NumberEdit *m_cni;
    QSpinBox *m_colourIntensity;
    QSpinBox *m_contrast;
    QSpinBox *m_sharpness;
    QSpinBox *m_noiseReduction;
    QComboBox *m_cti = nullptr;
    QComboBox *m_combFilter = nullptr;
    QSpinBox *m_colourOffset;
    QComboBox *m_pictureFormat;
    QComboBox *m_videoProfile;
};

// Service id, decoding, CA system ids and PIDs of a DVB station.
class DVBPage : public StationPage
{
    Q_OBJECT

public:
    enum { CaSystemIdCount = 16 };

    DVBPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    void addSettingRows(QVBoxLayout *column, const svl_station *station);
    void addCaSystemIds(QLayout *layout, const svl_station *station);
    void addPids(QLayout *layout, const svl_station *station);

    NumberEdit *m_serviceId = nullptr;
    QCheckBox *m_encrypted = nullptr;
    QComboBox *m_caNumber = nullptr;
    QComboBox *m_vidDecType = nullptr;
    QCheckBox *m_hasSubAudio = nullptr;
    NumberEdit *m_audioTag = nullptr;
    QComboBox *m_hiDef = nullptr;
    QComboBox *m_audioType = nullptr;
    NumberEdit *m_caSystemIds[CaSystemIdCount] = {};
    NumberEdit *m_pcrPid = nullptr;
    NumberEdit *m_teletextPid = nullptr;
    NumberEdit *m_audioPid = nullptr;
    NumberEdit *m_videoPid = nullptr;
};

#endif
