// Station table types: the station record, the station list and the table.
//
// Everything in the program refers to stations by pointers to svl_station
// records. A base list (kind 1 or 2) owns its records; favorite lists, the
// table view's working copy, models and undo commands only point at them.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    SVL_VERSION_40 = 40,
    SVL_VERSION_50 = 50,
};

// List kinds, in the order the lists stand in a table.
enum {
    SVL_KIND_TV = 1,
    SVL_KIND_RADIO = 2,
    SVL_KIND_TV_FAV = 3,
    SVL_KIND_RADIO_FAV = 4,
};

// List attribute bytes the editor writes.
enum {
    SVL_ATTR_BASE = 3,
    SVL_ATTR_FAVORITE = 4,
};

// Medium of a station, derived from ProgramDataByte.
enum {
    SVL_MEDIUM_NONE = 0,
    SVL_MEDIUM_TV = 1,
    SVL_MEDIUM_RADIO = 2,
};

enum { SVL_MAX_FAV_LISTS = 8 };

// The longest favorite list name a table image holds, in bytes; a longer
// one is cut when written.
enum { SVL_MAX_LIST_NAME_BYTES = 254 };

// Positions in a table's lists: the two base lists, then the favorite lists.
enum {
    SVL_TV_LIST_INDEX = 0,
    SVL_RADIO_LIST_INDEX = 1,
    SVL_FIRST_FAV_INDEX = 2,
};

extern const char SVL_TV_LIST_NAME[];     // "ALL_TV"
extern const char SVL_RADIO_LIST_NAME[];  // "ALL_Radio"

// One tuned station. Each record is a separate zero-initialised heap block.
// Fields from uid on exist only in version-50 records and stay zero in 40.
struct svl_station {
    uint16_t version;
    uint8_t ProgramDataByte;
    uint8_t name_len;
    char *name;  // name_len bytes + NUL in the CharSelCode charset; null when empty
    uint8_t CharSelCode;
    uint8_t decoder;
    uint8_t SoundFilter;
    int8_t volume_correction;
    uint8_t epg;
    uint8_t aux1;
    uint8_t childlock;
    uint16_t cni;
    int8_t colour_intensity;
    int8_t contrast;
    int8_t sharpness;
    uint8_t noise_reduction;
    uint8_t CTI;
    uint8_t Combfilter;
    int8_t colour_offset;
    uint8_t PictureFormat;
    uint8_t VideoProfile;
    uint16_t analog_frequency;  // steps of 1/16 MHz
    uint8_t VCR;
    uint8_t forced_mono;
    uint8_t ColorNorm;
    uint8_t Standard;
    uint16_t service_id;
    uint16_t ca_system_ids[16];
    uint8_t encrypted;
    uint8_t CANumber;
    uint8_t VidDecType;
    uint8_t has_sub_audio;
    uint8_t audio_tag;
    uint8_t HiDef;
    uint16_t pcr_pid;
    uint16_t audio_pid;
    uint16_t teletext_pid;
    uint16_t video_pid;
    uint8_t NetworkType;
    uint16_t transport_stream_id;
    uint16_t original_network_id;
    uint16_t symbol_rate;  // kSymb/s
    uint32_t frequency;    // kHz
    uint8_t Polarisation;
    uint8_t Satellite;
    uint8_t Modulation;
    uint8_t Constellation;
    uint8_t CodeRateHP;
    uint8_t TransMode;
    uint8_t GuardIntervall;
    uint8_t AudioType;
    uint8_t aux2;
    uint8_t SatModulationSystem;
    uint8_t SatRollOff;
    uint8_t SatFecInner;
    uint16_t uid;
    uint16_t aux_word1;
    uint8_t origin_name_len;
    char *origin_name;  // same charset as name; null when empty
    uint8_t hbbtv;
    uint16_t aux_word2;
    uint8_t aux_bytes[5];
    uint32_t aux_dword;
    uint16_t aux_word3;
    uint8_t aux_byte;
};

// Every field of svl_station except the two texts name and origin_name,
// for code that treats all fields alike: FIELD(member) once for each, in
// declared order. A new field of the record belongs here too.
#define SVL_STATION_FIELDS(FIELD)                                                                   \
    FIELD(version) FIELD(ProgramDataByte) FIELD(name_len) FIELD(CharSelCode) FIELD(decoder)          \
    FIELD(SoundFilter) FIELD(volume_correction) FIELD(epg) FIELD(aux1) FIELD(childlock) FIELD(cni)   \
    FIELD(colour_intensity) FIELD(contrast) FIELD(sharpness) FIELD(noise_reduction) FIELD(CTI)       \
    FIELD(Combfilter) FIELD(colour_offset) FIELD(PictureFormat) FIELD(VideoProfile)                  \
    FIELD(analog_frequency) FIELD(VCR) FIELD(forced_mono) FIELD(ColorNorm) FIELD(Standard)           \
    FIELD(service_id) FIELD(ca_system_ids) FIELD(encrypted) FIELD(CANumber) FIELD(VidDecType)        \
    FIELD(has_sub_audio) FIELD(audio_tag) FIELD(HiDef) FIELD(pcr_pid) FIELD(audio_pid)               \
    FIELD(teletext_pid) FIELD(video_pid) FIELD(NetworkType) FIELD(transport_stream_id)               \
    FIELD(original_network_id) FIELD(symbol_rate) FIELD(frequency) FIELD(Polarisation)               \
    FIELD(Satellite) FIELD(Modulation) FIELD(Constellation) FIELD(CodeRateHP) FIELD(TransMode)       \
    FIELD(GuardIntervall) FIELD(AudioType) FIELD(aux2) FIELD(SatModulationSystem) FIELD(SatRollOff)  \
    FIELD(SatFecInner) FIELD(uid) FIELD(aux_word1) FIELD(origin_name_len) FIELD(hbbtv)               \
    FIELD(aux_word2) FIELD(aux_bytes) FIELD(aux_dword) FIELD(aux_word3) FIELD(aux_byte)

// An ordered list of station pointers with a name.
struct svl_list {
    svl_station **stations;  // null when count is 0
    uint32_t count;
    char *name;              // NUL-terminated, owned by the list
    uint8_t attr;            // not interpreted: 3 base, 4 editor-made favorite list
    uint32_t kind;           // SVL_KIND_*
    uint32_t capacity;       // slots allocated in stations; internal to the library
};

// The document. Held by value; an all-zero table is the empty table.
struct svl_table {
    svl_list **lists;
    uint32_t list_count;
    uint16_t version;
};

// SVL_MEDIUM_TV, SVL_MEDIUM_RADIO, or SVL_MEDIUM_NONE for an invalid type.
int svl_station_medium(const svl_station *station);

// 1 when the station is analogue (NetworkType 0 or 7) and tuned by
// analog_frequency, 0 when it is digital and tuned by frequency.
int svl_station_is_analog(const svl_station *station);

// The base list kind that holds stations of the medium, or of a favorite kind.
uint32_t svl_base_kind_of(uint32_t kind);

// 1 for a base list kind (TV, radio), else 0.
int svl_is_base_kind(uint32_t kind);

// 1 for a favorite list kind (TV favorites, radio favorites), else 0.
int svl_is_favorite_kind(uint32_t kind);

// The favorite kind of the medium a list kind belongs to: TV favorites for
// the TV kinds, radio favorites for the radio kinds, 0 for any other kind.
uint32_t svl_favorite_kind_of(uint32_t kind);

// The position in a table's lists of the base list holding the medium of a
// list kind: 0 for the TV kinds, 1 for the radio kinds, -1 for any other.
int svl_base_index_of(uint32_t kind);
