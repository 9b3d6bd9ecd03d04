#include "options/reception_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QVBoxLayout>

#include <climits>

#include "svl/svl.h"
#include "texts/strings.h"

namespace {

enum {
    NumberWidth = 100,
    WordLength = 5,
    FrequencyLength = 10,
    // The largest symbol rate that can be typed; real ones stay far below.
    MaxSymbolRate = 65355,
};

QString text(int id)
{
    return Strings::text(id);
}

} // namespace

KnotGeneralPage::KnotGeneralPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::GeneralNodeSettingsPage, parent)
{
    addLabelRow(rows(), text(Strings::NetworkTypeLabel), optionName(QStringLiteral("NetworkType"),
                                                                    station->NetworkType));
    m_transportStreamId = addNumberRow(rows(), text(Strings::TransportStreamIdLabel), NumberEdit::Decimal,
                                       station->transport_stream_id, 0xFFFF, WordLength, NumberWidth,
                                       "transport_stream_id");
    m_originalNetworkId = addNumberRow(rows(), text(Strings::OriginNetworkIdLabel), NumberEdit::Decimal,
                                       station->original_network_id, 0xFFFF, WordLength, NumberWidth,
                                       "original_network_id");
    // Typed frequencies stop at the largest signed 32-bit number; a larger
    // one read from a file is shown and kept.
    m_frequency = addNumberRow(rows(), text(Strings::FrequencyKhzLabel), NumberEdit::Decimal, station->frequency,
                               INT_MAX, FrequencyLength, NumberWidth, "frequency");
    m_symbolRate = addNumberRow(rows(), text(Strings::SymbolRateLabel), NumberEdit::Decimal, station->symbol_rate,
                                MaxSymbolRate, WordLength, NumberWidth, "symbol_rate");
}

void KnotGeneralPage::writeBack(svl_station *station) const
{
    station->transport_stream_id = uint16_t(m_transportStreamId->value());
    station->original_network_id = uint16_t(m_originalNetworkId->value());
    station->frequency = m_frequency->value();
    station->symbol_rate = uint16_t(m_symbolRate->value());
}

KnotDVBCPage::KnotDVBCPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::DvbcNodeDataPage, parent)
{
    m_modulation = addComboRow(rows(), text(Strings::ModulationLabel), QStringLiteral("Modulation"),
                               station->Modulation, "Modulation");
}

void KnotDVBCPage::writeBack(svl_station *station) const
{
    station->Modulation = uint8_t(comboValue(m_modulation));
}

KnotDVBSPage::KnotDVBSPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::DvbsNodeDataPage, parent)
{
    m_polarisation = addComboRow(rows(), text(Strings::PolarisationLabel), QStringLiteral("Polarisation"),
                                 station->Polarisation, "Polarisation");
    m_satellite = addComboRow(rows(), text(Strings::SatelliteLabel), QStringLiteral("Satellite"), station->Satellite,
                              "Satellite");
    m_modulationSystem = addComboRow(rows(), text(Strings::DvbSystemLabel), QStringLiteral("SatModulationSystem"),
                                     station->SatModulationSystem, "SatModulationSystem");
    // The same byte as the cable modulation, named for satellites.
    m_modulation = addComboRow(rows(), text(Strings::ModulationTypeLabel), QStringLiteral("SatModulation"),
                               station->Modulation, "Modulation");
    if (station->version < SVL_VERSION_50)
        m_rollOff = addComboRow(rows(), text(Strings::RollOffLabel), QStringLiteral("SatRollOff"),
                                station->SatRollOff, "SatRollOff");
    m_fecInner = addComboRow(rows(), text(Strings::FecLabel), QStringLiteral("SatFecInner"), station->SatFecInner,
                             "SatFecInner");
}

void KnotDVBSPage::writeBack(svl_station *station) const
{
    station->Polarisation = uint8_t(comboValue(m_polarisation));
    station->Satellite = uint8_t(comboValue(m_satellite));
    station->SatModulationSystem = uint8_t(comboValue(m_modulationSystem));
    station->Modulation = uint8_t(comboValue(m_modulation));
    // svl50 stations have no roll-off row: it is 0 by rule.
    station->SatRollOff = uint8_t(comboValue(m_rollOff));
    station->SatFecInner = uint8_t(comboValue(m_fecInner));
}

KnotDVBTPage::KnotDVBTPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::DvbtNodeDataPage, parent)
{
    m_constellation = addComboRow(rows(), text(Strings::ConstellationLabel), QStringLiteral("Constellation"),
                                  station->Constellation, "Constellation");
    m_codeRate = addComboRow(rows(), text(Strings::CodeRateHpLabel), QStringLiteral("CodeRateHP"),
                             station->CodeRateHP, "CodeRateHP");
    m_transMode = addComboRow(rows(), text(Strings::TransmissionModeLabel), QStringLiteral("TransMode"),
                              station->TransMode, "TransMode");
    m_guardInterval = addComboRow(rows(), text(Strings::GuardIntervalLabel), QStringLiteral("GuardIntervall"),
                                  station->GuardIntervall, "GuardIntervall");
}

void KnotDVBTPage::writeBack(svl_station *station) const
{
    station->Constellation = uint8_t(comboValue(m_constellation));
    station->CodeRateHP = uint8_t(comboValue(m_codeRate));
    station->TransMode = uint8_t(comboValue(m_transMode));
    station->GuardIntervall = uint8_t(comboValue(m_guardInterval));
}

TerrestricPage::TerrestricPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::TerrestrialSettingsPage, parent)
{
    m_frequency = addNumberRow(rows(), text(Strings::FrequencyMhzLabel), NumberEdit::Sixteenths,
                               station->analog_frequency, 0xFFFF, 0, NumberWidth, "analog_frequency");
    m_vcr = addComboRow(rows(), text(Strings::VcrLabel), QStringLiteral("VCR"), station->VCR, "VCR");
    m_forcedMono = addCheckRow(rows(), text(Strings::ForcedMonoLabel), station->forced_mono, "forced_mono");
    m_colorNorm = addComboRow(rows(), text(Strings::ColourStandardLabel), QStringLiteral("ColorNorm"),
                              station->ColorNorm, "ColorNorm");
    m_standard = addComboRow(rows(), text(Strings::TvStandardLabel), QStringLiteral("Standard"), station->Standard,
                             "Standard");
}

void TerrestricPage::writeBack(svl_station *station) const
{
    station->analog_frequency = uint16_t(m_frequency->value());
    station->VCR = uint8_t(comboValue(m_vcr));
    station->forced_mono = flagValue(m_forcedMono, station->forced_mono);
    station->ColorNorm = uint8_t(comboValue(m_colorNorm));
    station->Standard = uint8_t(comboValue(m_standard));
}
