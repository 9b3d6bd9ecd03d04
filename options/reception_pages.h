#ifndef KANVIO_OPTIONS_RECEPTION_PAGES_H
#define KANVIO_OPTIONS_RECEPTION_PAGES_H

#include "options/station_page.h"

// The pages of the station settings dialog that say how a station is
// received: the transport data of its DVB node and the modulation of its
// delivery system, or the frequency and standard of an analogue station.

// Network type, transport stream, network, frequency and symbol rate.
class KnotGeneralPage : public StationPage
{
    Q_OBJECT

public:
    KnotGeneralPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    NumberEdit *m_transportStreamId;
    NumberEdit *m_originalNetworkId;
    NumberEdit *m_frequency;
    NumberEdit *m_symbolRate;
};

class KnotDVBCPage : public StationPage
{
    Q_OBJECT

public:
    KnotDVBCPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    QComboBox *m_modulation;
};

class KnotDVBSPage : public StationPage
{
    Q_OBJECT

public:
    KnotDVBSPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    QComboBox *m_polarisation;
    QComboBox *m_satellite;
    QComboBox *m_modulationSystem;
    QComboBox *m_modulation;
    QComboBox *m_rollOff = nullptr;
    QComboBox *m_fecInner;
};

class KnotDVBTPage : public StationPage
{
    Q_OBJECT

public:
    KnotDVBTPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    QComboBox *m_constellation;
    QComboBox *m_codeRate;
    QComboBox *m_transMode;
    QComboBox *m_guardInterval;
};

// Frequency in MHz, VCR, mono and the colour and TV standards.
class TerrestricPage : public StationPage
{
    Q_OBJECT

public:
    TerrestricPage(const svl_station *station, QWidget *parent = nullptr);

    void writeBack(svl_station *station) const override;

private:
    NumberEdit *m_frequency;
    QComboBox *m_vcr;
    QCheckBox *m_forcedMono;
    QComboBox *m_colorNorm;
    QComboBox *m_standard;
};

#endif
