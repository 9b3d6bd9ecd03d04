#include "options/station_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextBoundaryFinder>
#include <QVBoxLayout>

#include <cstdlib>

#include "fields/station_fields.h"
#include "svl/svl_ops.h"
#include "texts/strings.h"

namespace {

enum {
    NameWidth = 250,
    // A name longer than this comes only from a file; it is shown whole.
    NameLength = 25,
    MaxNameBytes = 255,
    ShortWidth = 55,
    NumberWidth = 100,
    // The largest number a PID field takes: PIDs are 13-bit numbers, so no
    // valid one comes near it.
    MaxPid = 65355,
};

// CharSelCode by position in its option table: the seventh entry,
// ISO 8859-2, is stored as 22.
const QVector<int> charSelCodes = {0, 1, 2, 3, 4, 5, 22};

QString text(int id)
{
    return Strings::text(id);
}

bool isVersion50(const svl_station *station)
{
    return station->version >= SVL_VERSION_50;
}

// The text as the character set of code stores it.
QByteArray encodedName(const QString &name, int code)
{
    char *bytes = nullptr;
    nameFromUnicode(name, &bytes, code);
    const QByteArray encoded(bytes);
    free(bytes);
    return encoded;
}

// The characters of the name (as the user sees them, a letter with its
// accents being one) that do not read back from the character set of code,
// each once, separated by blanks.
QString unstorableCharacters(const QString &name, int code)
{
    QStringList refused;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, name);
    for (int start = 0, end = characters.toNextBoundary(); end != -1; start = end, end = characters.toNextBoundary()) {
        const QString character = name.mid(start, end - start);
        const QString readBack = nameToUnicode(code, encodedName(character, code).constData());
        if (readBack.normalized(QString::NormalizationForm_C) != character.normalized(QString::NormalizationForm_C)
            && !refused.contains(character))
            refused << character;
    }
    return refused.join(QLatin1Char(' '));
}

} // namespace

GeneralPage::GeneralPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::GeneralSettingsPage, parent),
      m_shownName(stationNameText(station)),
      m_storedCode(station->CharSelCode)
{
    const bool nameEditable = isVersion50(station) || station->ProgramDataByte == 1;
    addLabelRow(rows(), text(Strings::StationTypeLabel), optionName(QStringLiteral("ProgramDataByte"),
                                                                    station->ProgramDataByte));
    m_name = addTextRow(rows(), text(Strings::StationNameLabel), m_shownName, NameWidth, "name");
    m_name->setMaxLength(qMax(int(NameLength), m_shownName.size()));
    m_name->setEnabled(nameEditable);
    if (isVersion50(station))
        addTextRow(rows(), text(Strings::OriginNameLabel), nameToUnicode(station->CharSelCode, station->origin_name),
                   NameWidth, "origin_name")
            ->setEnabled(false);
    m_charSelCode = addComboRow(rows(), text(Strings::CharSelCodeLabel), QStringLiteral("CharSelCode"),
                                station->CharSelCode, "CharSelCode", charSelCodes);
    if (m_charSelCode)
        m_charSelCode->setEnabled(nameEditable);
    if (!isVersion50(station))
        m_decoder = addCheckRow(rows(), text(Strings::DecoderLabel), station->decoder, "decoder");
    m_soundFilter = addComboRow(rows(), text(Strings::ToneSettingLabel), QStringLiteral("SoundFilter"),
                                station->SoundFilter, "SoundFilter");
    m_volumeCorrection = addSliderRow(rows(), text(Strings::VolumeCorrectionLabel), QSlider::TicksBothSides, -30, 30,
                                      5, station->volume_correction, "volume_correction");
    m_epg = addCheckRow(rows(), text(Strings::EpgLabel), station->epg, "epg");
    m_childlock = addCheckRow(rows(), text(Strings::ChildLockAction), station->childlock, "childlock");
    if (isVersion50(station) && station->ProgramDataByte != 1)
        m_hbbtv = addCheckRow(rows(), text(Strings::HbbTvLabel), station->hbbtv, "hbbtv");
}

int GeneralPage::chosenCode() const
{
    return m_charSelCode ? comboValue(m_charSelCode) : m_storedCode;
}

bool GeneralPage::nameToEncode() const
{
    return m_name->text() != m_shownName || (chosenCode() != m_storedCode && !m_name->text().isEmpty());
}

QWidget *GeneralPage::refusedInput(QString *reason) const
{
    if (!nameToEncode())
        return nullptr;
    const QString name = m_name->text();
    const QString characterSet = m_charSelCode ? m_charSelCode->currentText() : QString::number(m_storedCode);
    const QString unstorable = unstorableCharacters(name, chosenCode());
    if (name.isEmpty())
        *reason = text(Strings::EmptyStationNameMessage);
    else if (!unstorable.isEmpty())
        *reason = text(Strings::NameCharactersRefusedMessage).arg(characterSet, unstorable);
    else if (encodedName(name, chosenCode()).size() > MaxNameBytes)
        *reason = text(Strings::StationNameTooLongMessage).arg(characterSet);
    else
        return nullptr;
    return m_name;
}

void GeneralPage::writeBack(svl_station *station) const
{
    if (nameToEncode())
        svl_set_station_name(station, encodedName(m_name->text(), chosenCode()).constData());
    station->CharSelCode = uint8_t(chosenCode());
    station->decoder = m_decoder ? flagValue(m_decoder, station->decoder) : 0;
    station->SoundFilter = uint8_t(comboValue(m_soundFilter));
    station->volume_correction = int8_t(m_volumeCorrection->value());
    station->epg = flagValue(m_epg, station->epg);
    station->childlock = flagValue(m_childlock, station->childlock);
    // Analogue terrestrial stations of svl50 have no HbbTV row: their flag
    // is set by rule.
    if (m_hbbtv)
        station->hbbtv = flagValue(m_hbbtv, station->hbbtv);
    else if (isVersion50(station))
        station->hbbtv = 1;
}

TVPage::TVPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::GeneralTvSettingsPage, parent)
{
    m_cni = addNumberRow(rows(), text(Strings::CniDataLabel), NumberEdit::HexadecimalWord, station->cni, 0xFFFF, 4,
                         ShortWidth, "cni");
    m_colourIntensity = addSliderRow(rows(), text(Strings::ColourIntensityLabel), QSlider::TicksBothSides, -30, 30, 5,
                                     station->colour_intensity, "colour_intensity");
    m_contrast = addSliderRow(rows(), text(Strings::ContrastLabel), QSlider::TicksBothSides, -30, 30, 5,
                              station->contrast, "contrast");
    m_sharpness = addSliderRow(rows(), text(Strings::SharpnessLabel), QSlider::TicksBelow, 0, 5, 1,
                               station->sharpness, "sharpness");
    m_noiseReduction = addSliderRow(rows(), text(Strings::NoiseReductionLabel), QSlider::TicksBelow, 0, 5, 1,
                                    station->noise_reduction, "noise_reduction");
    if (!isVersion50(station)) {
        m_cti = addComboRow(rows(), text(Strings::CtiLabel), QStringLiteral("CTI"), station->CTI, "CTI");
        m_combFilter = addComboRow(rows(), text(Strings::CombFilterLabel), QStringLiteral("Combfilter"),
                                   station->Combfilter, "Combfilter");
    }
    m_colourOffset = addSliderRow(rows(), text(Strings::ColourOffsetLabel), QSlider::TicksBothSides, -3, 3, 1,
                                  station->colour_offset, "colour_offset");
    m_pictureFormat = addComboRow(rows(), text(Strings::PictureFormatLabel), QStringLiteral("PictureFormat"),
                                  station->PictureFormat, "PictureFormat");
    m_videoProfile = addComboRow(rows(), text(Strings::VideoProfileLabel), QStringLiteral("VideoProfile"),
                                 station->VideoProfile, "VideoProfile");
}

void TVPage::writeBack(svl_station *station) const
{
    station->cni = uint16_t(m_cni->value());
    station->colour_intensity = int8_t(m_colourIntensity->value());
    station->contrast = int8_t(m_contrast->value());
    station->sharpness = int8_t(m_sharpness->value());
    station->noise_reduction = uint8_t(m_noiseReduction->value());
    // svl50 stations have no CTI and comb filter rows: both are 0 by rule.
    station->CTI = uint8_t(comboValue(m_cti));
    station->Combfilter = uint8_t(comboValue(m_combFilter));
    station->colour_offset = int8_t(m_colourOffset->value());
    station->PictureFormat = uint8_t(comboValue(m_pictureFormat));
    station->VideoProfile = uint8_t(comboValue(m_videoProfile));
}

DVBPage::DVBPage(const svl_station *station, QWidget *parent)
    : StationPage(Strings::DvbStationSettingsPage, parent)
{
    auto *upper = new QHBoxLayout;
    rows()->addLayout(upper);
    auto *settings = new QVBoxLayout;
    upper->addLayout(settings);
    addSettingRows(settings, station);
    addCaSystemIds(upper, station);
    addPids(rows(), station);
}

void DVBPage::addSettingRows(QVBoxLayout *column, const svl_station *station)
{
    m_serviceId = addNumberRow(column, text(Strings::ServiceIdLabel), NumberEdit::Decimal, station->service_id,
                               0xFFFF, 5, NumberWidth, "service_id");
    m_encrypted = addCheckRow(column, text(Strings::EncryptedLabel), station->encrypted, "encrypted");
    m_caNumber = addComboRow(column, text(Strings::CaModuleLabel), QStringLiteral("CANumber"), station->CANumber,
                             "CANumber");
    m_vidDecType = addComboRow(column, text(Strings::VideoDecoderLabel), QStringLiteral("VidDecType"),
                               station->VidDecType, "VidDecType");
    m_hasSubAudio = addCheckRow(column, text(Strings::SubAudioLabel), station->has_sub_audio, "has_sub_audio");
    m_audioTag = addNumberRow(column, text(Strings::AudioTagLabel), NumberEdit::Decimal, station->audio_tag, 0xFF, 3,
                              ShortWidth, "audio_tag");
    m_hiDef = addComboRow(column, text(Strings::VideoTypeLabel), QStringLiteral("HiDef"), station->HiDef, "HiDef");
    m_audioType = addComboRow(column, text(Strings::AudioTypeLabel), QStringLiteral("AudioType"), station->AudioType,
                              "AudioType");
}

// Entries 0 to 7 in the first column, 8 to 15 in the second.
void DVBPage::addCaSystemIds(QLayout *layout, const svl_station *station)
{
    auto *columns = new QHBoxLayout;
    addGroup(layout, text(Strings::CaSystemIdsPage))->addLayout(columns);
    const int perColumn = CaSystemIdCount / 2;
    for (int first = 0; first < CaSystemIdCount; first += perColumn) {
        auto *column = new QVBoxLayout;
        columns->addLayout(column);
        for (int i = first; i < first + perColumn; ++i)
            m_caSystemIds[i] = addNumberRow(column, QString::number(i), NumberEdit::Hexadecimal,
                                            station->ca_system_ids[i], 0xFFFF, 4, ShortWidth, "ca_system_ids");
    }
}

void DVBPage::addPids(QLayout *layout, const svl_station *station)
{
    auto *columns = new QHBoxLayout;
    addGroup(layout, text(Strings::PidsPage))->addLayout(columns);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    m_pcrPid = addNumberRow(left, text(Strings::PcrPidLabel), NumberEdit::Decimal, station->pcr_pid, MaxPid, 5,
                            NumberWidth, "pcr_pid");
    m_teletextPid = addNumberRow(left, text(Strings::TeletextPidLabel), NumberEdit::Decimal, station->teletext_pid,
                                 MaxPid, 5, NumberWidth, "teletext_pid");
    m_audioPid = addNumberRow(right, text(Strings::AudioPidLabel), NumberEdit::Decimal, station->audio_pid, MaxPid, 5,
                              NumberWidth, "audio_pid");
    m_videoPid = addNumberRow(right, text(Strings::VideoPidLabel), NumberEdit::Decimal, station->video_pid, MaxPid, 5,
                              NumberWidth, "video_pid");
}

void DVBPage::writeBack(svl_station *station) const
{
    station->service_id = uint16_t(m_serviceId->value());
    station->encrypted = flagValue(m_encrypted, station->encrypted);
    station->CANumber = uint8_t(comboValue(m_caNumber));
    station->VidDecType = uint8_t(comboValue(m_vidDecType));
    station->has_sub_audio = flagValue(m_hasSubAudio, station->has_sub_audio);
    station->audio_tag = uint8_t(m_audioTag->value());
    station->HiDef = uint8_t(comboValue(m_hiDef));
    station->AudioType = uint8_t(comboValue(m_audioType));
    for (int i = 0; i < CaSystemIdCount; ++i)
        station->ca_system_ids[i] = uint16_t(m_caSystemIds[i]->value());
    station->pcr_pid = uint16_t(m_pcrPid->value());
    station->teletext_pid = uint16_t(m_teletextPid->value());
    station->audio_pid = uint16_t(m_audioPid->value());
    station->video_pid = uint16_t(m_videoPid->value());
}
