// Generator of realistic station tables.
//
// Stations are made multiplex by multiplex, the way a TV set stores them
// after a channel search: the services of one transponder or channel share
// frequency, TSID and ONID and follow each other with rising SIDs. All
// randomness comes from one splitmix64 stream and integer arithmetic only,
// so a seed gives the same table on every platform and compiler.
#include "tools/gen/svl_generate.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "svl/svl_ops.h"

namespace {

// splitmix64: tiny, fast and fully specified, unlike the std:: distributions
// whose results differ between standard libraries.
struct Random {
    uint64_t state;

    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0..n-1 (0 for n 0). The modulo bias is irrelevant for test data.
    uint32_t below(uint32_t n) { return n ? static_cast<uint32_t>(next() % n) : 0; }

    int between(int low, int high) { return low + static_cast<int>(below(static_cast<uint32_t>(high - low + 1))); }

    bool percent(uint32_t chance) { return below(100) < chance; }

    template <typename T, size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(N)];
    }
};

enum Reception { SATELLITE, CABLE, TERRESTRIAL, ANALOGUE };

// What the services of one multiplex share.
struct Multiplex {
    Reception reception;
    uint8_t network_type;
    uint32_t frequency;  // kHz
    uint16_t symbol_rate;
    uint16_t transport_stream_id;
    uint16_t original_network_id;
    uint8_t polarisation;
    uint8_t satellite;
    uint8_t modulation;
    uint8_t constellation;
    uint8_t code_rate;
    uint8_t trans_mode;
    uint8_t guard_interval;
    uint8_t fec_inner;
    uint8_t roll_off;
    uint16_t next_service_id;
    uint16_t next_pid;
};

// Names are written here in UTF-8 and stored in ISO 6937 (CharSelCode 0),
// where an accented letter is a non-spacing diacritic byte before its base.
struct Accent {
    const char *utf8;
    const char *iso6937;
};

const Accent ACCENTS[] = {
    {"ä", "\xC8" "a"}, {"ö", "\xC8" "o"}, {"ü", "\xC8" "u"}, {"Ä", "\xC8" "A"}, {"Ö", "\xC8" "O"},
    {"Ü", "\xC8" "U"}, {"é", "\xC2" "e"}, {"è", "\xC1" "e"}, {"á", "\xC2" "a"}, {"í", "\xC2" "i"},
    {"ó", "\xC2" "o"}, {"ç", "\xCB" "c"}, {"č", "\xCF" "c"}, {"Č", "\xCF" "C"}, {"ñ", "\xC4" "n"},
    {"å", "\xCA" "a"}, {"ß", "\xFB"},     {"ø", "\xF9"},
};

const char *const TV_BRANDS[] = {
    "Das Erste", "ZDF", "arte", "3sat", "phoenix", "KiKA", "ZDFneo", "ZDFinfo", "ONE", "tagesschau24",
    "BR Fernsehen", "SWR Fernsehen", "WDR Köln", "NDR Niedersachsen", "MDR Sachsen", "hr-fernsehen",
    "rbb Berlin", "Radio Bremen TV", "RTL", "RTLZWEI", "SAT.1", "ProSieben", "VOX", "kabel eins",
    "SUPER RTL", "n-tv", "WELT", "N24 Doku", "Tele 5", "DMAX", "sixx", "SAT.1 Gold", "ProSieben MAXX",
    "Eurosport 1", "SPORT1", "ServusTV", "ORF1", "ORF2", "ORF III", "SRF 1", "SRF zwei", "Schweiz 5",
    "BBC One", "BBC News", "France 2", "TV5MONDE", "Télé Monte Carlo", "Rai 1", "TVE Internacional",
    "ČT1", "ČT24", "Markíza", "TVP1", "Polsat", "RTL Televizija", "Nova", "Canal Sur", "Antena 3",
    "Bibel TV", "QVC", "HSE", "Euronews", "CNN International", "Al Jazeera English", "Zürich TV",
    "Mälardalen TV", "Téléquébec", "Kanal Zürisee", "Münchner Fenster", "Welt der Wunder",
};

const char *const RADIO_BRANDS[] = {
    "Deutschlandfunk", "Dlf Kultur", "Bayern 1", "Bayern 3", "BR-KLASSIK", "SWR1", "SWR3", "WDR 2",
    "WDR 4", "1LIVE", "NDR 2", "NDR Kultur", "hr3", "hr-iNFO", "MDR JUMP", "radioeins", "Fritz",
    "Bremen Zwei", "Antenne Bayern", "Radio Gong", "FM4", "Ö1", "Ö3", "Radio Wien", "SRF 3",
    "Radio Swiss Jazz", "Couleur 3", "BBC Radio 4", "France Inter", "Radio Classique", "Klassik Radio",
    "Radio Paloma", "sunshine live", "Energy Zürich", "Radio Köln", "Schlager Radio", "Rock Antenne",
    "Čro Radiožurnál", "Radio Würzburg", "Kiss FM",
};

const char *const REGIONS[] = {
    " Nord", " Süd", " Ost", " West", " Berlin", " München", " Köln", " Wien", " Zürich",
    " Genève", " Düsseldorf", " Nürnberg", " Brünn", " Malmö",
};

// Names in other character sets, already encoded, with their CharSelCode.
struct ForeignName {
    const char *bytes;
    uint8_t char_sel_code;
};

const ForeignName FOREIGN_NAMES[] = {
    {"\xBF\xD5\xE0\xD2\xEB\xD9 \xDA\xD0\xDD\xD0\xDB", 1},  // Pervyj kanal, ISO 8859-5
    {"\xC5\xD1\xD4" "1", 3},                              // ERT1, ISO 8859-7
    {"\xC5\xD1\xD4" " World", 3},
    {"\xBD\xB2\xBB", 1},  // NTV in Cyrillic
};

// Names of tables of every kind, already encoded: each holds bytes that its
// character set (CharSelCode) treats specially, and one station is unnamed.
const ForeignName EVERY_CHARSET_NAMES[] = {
    {"Z\xC8urich T\xC2" "el\xC2" "e \xCF" "CT1", 0},  // letters composed with a diacritic
    {"x\xC8x end\xC8", 0},                            // diacritics with nothing to compose
    {"Stra\xFB" "e \xA3 \xC0 \x8A", 0},               // spacing letters, an undefined byte, a C1 control
    {"quote\" back\\ tab\t del\x7f", 0},              // what text output escapes
    {"", 0},
    {"\xBF\xD5\xE0\xD2\xEB\xD9 \xF0", 1},             // ISO 8859-5
    {"\xC7\xE4\xCC\xD2\xC7\xC6\xD1", 2},               // ISO 8859-6
    {"\xC5\xD1\xD4" "1 \xB7", 3},                      // ISO 8859-7
    {"\xF2\xF8\xE5\xF5 1", 4},                         // ISO 8859-8
    {"TRT \xD0\xDD\xFE", 5},                           // ISO 8859-9
    {"\xA3\xF3" "d\xBC TV", 6},                        // ISO 8859-2
    {"\xE9t\xE9", 22},                                 // a set the program does not know
    {"ARD", 0},
};

const uint16_t CA_SYSTEM_IDS[] = {0x1702, 0x1722, 0x1833, 0x1834, 0x098C, 0x098D, 0x0500,
                                  0x0100, 0x0D05, 0x0D95, 0x0648, 0x1830, 0x4AE1, 0x0B00};

const uint16_t SATELLITE_NETWORKS[] = {1, 1, 1, 133, 318, 2, 53, 70};
const uint16_t CABLE_NETWORKS[] = {61441, 61441, 61444, 41985, 1, 133};
const uint16_t TERRESTRIAL_NETWORKS[] = {8468, 8468, 8442, 8395};

const uint16_t SATELLITE_SYMBOL_RATES[] = {22000, 27500, 27500, 29700, 30000};

const char *const TV_FAVORITE_NAMES[SVL_MAX_FAV_LISTS] = {
    "Favorites 1", "News", "Sports", "Movies", "Kids", "Documentaries", "Regional", "Favorites 2",
};
// TV favorite list names of tables of every kind: control bytes, bytes that
// are no UTF-8, and what text output escapes.
const char *const EVERY_KIND_FAVORITE_NAMES[SVL_MAX_FAV_LISTS] = {
    "Tab\there\x7f", "Fav\x01\xFF", "\"Quoted\" \\ back", "Sp\xC3\xA4t", "5", "6", "7", "8",
};
const char *const RADIO_FAVORITE_NAMES[SVL_MAX_FAV_LISTS] = {
    "Radio favorites", "Pop", "Classical", "Talk", "Jazz", "Radio news", "Local radio", "Night",
};

std::string to_iso6937(const std::string &utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        size_t matched = 0;
        for (const Accent &accent : ACCENTS) {
            size_t length = strlen(accent.utf8);
            if (utf8.compare(i, length, accent.utf8) == 0) {
                out += accent.iso6937;
                matched = length;
                break;
            }
        }
        // Every letter in the name pools is in the accent table; skip a
        // stray byte rather than store broken text.
        i += matched ? matched : 1;
    }
    return out;
}

Multiplex make_satellite_multiplex(Random &random)
{
    Multiplex mux = {};
    mux.reception = SATELLITE;
    mux.network_type = random.percent(50) ? 5 : 2;  // DVB-S2 or DVB-S
    // Ku band, 10.70..12.75 GHz in 0.5 MHz steps.
    mux.frequency = 10700000 + random.below(4101) * 500;
    mux.symbol_rate = random.pick(SATELLITE_SYMBOL_RATES);
    mux.original_network_id = random.pick(SATELLITE_NETWORKS);
    mux.polarisation = static_cast<uint8_t>(random.below(2));
    mux.satellite = random.percent(85) ? 0 : static_cast<uint8_t>(random.between(1, 3));
    bool s2 = mux.network_type == 5;
    mux.modulation = s2 ? 2 : 1;  // 8PSK or QPSK, read through SatModulation
    mux.fec_inner = static_cast<uint8_t>(s2 ? random.between(2, 9) : random.between(1, 7));
    mux.roll_off = s2 ? static_cast<uint8_t>(random.between(0, 2)) : 0;
    return mux;
}

Multiplex make_cable_multiplex(Random &random)
{
    Multiplex mux = {};
    mux.reception = CABLE;
    mux.network_type = random.percent(95) ? 1 : 4;  // DVB-C or DVB-C2
    // 8 MHz raster from 114 to 858 MHz.
    mux.frequency = 114000 + random.below(94) * 8000;
    mux.symbol_rate = random.percent(70) ? 6900 : 6875;
    mux.original_network_id = random.pick(CABLE_NETWORKS);
    mux.modulation = random.percent(60) ? 5 : 3;  // 256QAM or 64QAM
    return mux;
}

Multiplex make_terrestrial_multiplex(Random &random)
{
    Multiplex mux = {};
    mux.reception = TERRESTRIAL;
    bool t2 = random.percent(70);
    mux.network_type = t2 ? 6 : 3;  // DVB-T2 or DVB-T
    // UHF channels 21..69, 474 MHz centre for channel 21.
    mux.frequency = 474000 + random.below(49) * 8000;
    mux.original_network_id = random.pick(TERRESTRIAL_NETWORKS);
    mux.constellation = t2 ? 6 : 3;  // 256QAM or 64QAM
    mux.code_rate = static_cast<uint8_t>(random.between(1, 2));
    mux.trans_mode = t2 ? 5 : 2;                       // 32k or 8k
    mux.guard_interval = t2 ? (random.percent(50) ? 5 : 4) : 2;  // 19/128, 1/128, 1/8
    return mux;
}

Multiplex make_multiplex(Random &random)
{
    uint32_t roll = random.below(100);
    Multiplex mux = {};
    if (roll < 45)
        mux = make_satellite_multiplex(random);
    else if (roll < 70)
        mux = make_cable_multiplex(random);
    else if (roll < 90)
        mux = make_terrestrial_multiplex(random);
    else
        mux.reception = ANALOGUE;
    mux.transport_stream_id = static_cast<uint16_t>(random.between(1, 12000));
    mux.next_service_id = static_cast<uint16_t>(random.between(1, 60000));
    mux.next_pid = static_cast<uint16_t>(random.between(32, 6000));
    return mux;
}

// ProgramDataByte of a service of the multiplex. Analogue TV is either
// terrestrial, cable or, rarely, an AV input.
uint8_t program_type(Random &random, const Multiplex &mux, bool radio)
{
    switch (mux.reception) {
    case SATELLITE: return radio ? 8 : 3;
    case CABLE: return radio ? 10 : 5;
    case TERRESTRIAL: return radio ? 9 : 4;
    case ANALOGUE: break;
    }
    if (radio)
        return 6;
    uint32_t roll = random.below(100);
    return roll < 50 ? 1 : roll < 97 ? 7 : 11;
}

std::string make_name(Random &random, bool radio, bool high_definition)
{
    std::string name = radio ? random.pick(RADIO_BRANDS) : random.pick(TV_BRANDS);
    // Big tables hold many regional and numbered variants of a few brands.
    uint32_t roll = random.below(100);
    if (roll >= 70)
        name += " " + std::to_string(random.between(2, 99));
    else if (roll >= 40)
        name += random.pick(REGIONS);
    if (high_definition)
        name += " HD";
    return to_iso6937(name);
}

void set_text(char **text, uint8_t *length, const std::string &bytes)
{
    size_t size = bytes.size() > 255 ? 255 : bytes.size();
    if (size == 0)
        return;
    *text = static_cast<char *>(malloc(size + 1));
    if (!*text)
        return;
    memcpy(*text, bytes.data(), size);
    (*text)[size] = '\0';
    *length = static_cast<uint8_t>(size);
}

// Names, character set and origin name. A few stations are unnamed, as data
// services often are, and a few carry names in Cyrillic or Greek.
bool fill_names(Random &random, svl_station *station, bool radio, bool high_definition)
{
    std::string name;
    if (random.below(1000) < 5) {
        name.clear();
    } else if (!radio && random.below(1000) < 10) {
        const ForeignName &foreign = random.pick(FOREIGN_NAMES);
        name = foreign.bytes;
        station->CharSelCode = foreign.char_sel_code;
    } else {
        name = make_name(random, radio, high_definition);
    }
    set_text(&station->name, &station->name_len, name);
    if (!name.empty() && !station->name)
        return false;
    if (station->version < SVL_VERSION_50)
        return true;
    // The origin name is what the broadcaster sent; users rename some stations.
    std::string origin = name;
    if (random.percent(10))
        origin = make_name(random, radio, high_definition);
    else if (random.percent(5))
        origin.clear();
    set_text(&station->origin_name, &station->origin_name_len, origin);
    return origin.empty() || station->origin_name;
}

// The name of the station at index of a table of every kind; every third
// station of version 50 has no origin name.
bool fill_every_charset_name(svl_station *station, uint32_t index)
{
    const ForeignName &name = EVERY_CHARSET_NAMES[index % (sizeof EVERY_CHARSET_NAMES / sizeof EVERY_CHARSET_NAMES[0])];
    station->CharSelCode = name.char_sel_code;
    set_text(&station->name, &station->name_len, name.bytes);
    if (*name.bytes && !station->name)
        return false;
    if (station->version < SVL_VERSION_50 || index % 3 == 2)
        return true;
    set_text(&station->origin_name, &station->origin_name_len, name.bytes);
    return !*name.bytes || station->origin_name;
}

void fill_encryption(Random &random, svl_station *station)
{
    station->encrypted = 1;
    uint32_t ids = static_cast<uint32_t>(random.between(1, 4));
    for (uint32_t i = 0; i < ids; i++)
        station->ca_system_ids[i] = random.pick(CA_SYSTEM_IDS);
    station->CANumber = static_cast<uint8_t>(random.percent(70) ? 3 : random.between(1, 2));
}

void fill_digital(Random &random, svl_station *station, Multiplex &mux, bool radio, bool high_definition)
{
    station->NetworkType = mux.network_type;
    station->frequency = mux.frequency;
    station->symbol_rate = mux.symbol_rate;
    station->transport_stream_id = mux.transport_stream_id;
    station->original_network_id = mux.original_network_id;
    station->service_id = mux.next_service_id;
    mux.next_service_id = static_cast<uint16_t>(mux.next_service_id + random.between(1, 40));

    // PIDs are 13-bit; keep a block of four per service below 8191.
    uint16_t base_pid = mux.next_pid;
    mux.next_pid = static_cast<uint16_t>(mux.next_pid + 4 > 8186 ? 32 : mux.next_pid + 4);
    station->audio_pid = static_cast<uint16_t>(base_pid + 1);
    if (radio) {
        station->pcr_pid = station->audio_pid;
        station->VidDecType = 3;  // None
    } else {
        station->video_pid = base_pid;
        station->pcr_pid = base_pid;
        station->teletext_pid = random.percent(60) ? static_cast<uint16_t>(base_pid + 2) : 0;
        station->VidDecType = high_definition ? (random.percent(10) ? 2 : 1) : 0;
        station->HiDef = high_definition ? (mux.network_type == 6 ? 4 : 2) : 0;
    }
    station->AudioType = static_cast<uint8_t>(random.percent(75) ? 0 : random.pick({1, 2, 3, 4}));
    station->audio_tag = static_cast<uint8_t>(random.below(256));
    station->has_sub_audio = random.percent(30);
    station->epg = random.percent(90);

    station->Polarisation = mux.polarisation;
    station->Satellite = mux.satellite;
    station->Modulation = mux.modulation;
    station->Constellation = mux.constellation;
    station->CodeRateHP = mux.code_rate;
    station->TransMode = mux.trans_mode;
    station->GuardIntervall = mux.guard_interval;
    if (mux.reception == SATELLITE) {
        station->SatModulationSystem = mux.network_type == 5 ? 1 : 0;
        station->SatRollOff = mux.roll_off;
        station->SatFecInner = mux.fec_inner;
    }
    if (!radio && random.percent(25))
        fill_encryption(random, station);
}

// Analogue video carriers: band III in the 7 MHz raster from 175.25 MHz,
// UHF in the 8 MHz raster from 471.25 MHz; FM radio 87.5..108 MHz. The
// field counts sixteenths of a MHz.
void fill_analogue(Random &random, svl_station *station, bool radio)
{
    station->NetworkType = station->ProgramDataByte == 1 || radio ? 7 : 0;
    if (radio)
        station->analog_frequency = static_cast<uint16_t>(1400 + random.below(329));
    else if (random.percent(30))
        station->analog_frequency = static_cast<uint16_t>(2804 + random.below(8) * 112);
    else
        station->analog_frequency = static_cast<uint16_t>(7540 + random.below(49) * 128);
    station->cni = random.percent(60) ? static_cast<uint16_t>(random.below(0x10000)) : 0;
    station->ColorNorm = static_cast<uint8_t>(random.percent(80) ? 1 : random.pick({0, 2, 3}));
    station->Standard = static_cast<uint8_t>(random.percent(70) ? 1 : random.between(0, 5));
    station->forced_mono = random.percent(5);
    station->decoder = random.percent(5);
    station->VCR = static_cast<uint8_t>(random.percent(95) ? 0 : random.between(1, 2));
}

// Most stations keep the defaults; some carry the user's adjustments.
void fill_picture_and_sound(Random &random, svl_station *station, bool always)
{
    station->SoundFilter = static_cast<uint8_t>(random.percent(80) ? 0 : random.between(1, 3));
    if (always || random.percent(15))
        station->volume_correction = static_cast<int8_t>(random.between(-30, 30));
    if (!always && !random.percent(15))
        return;
    station->colour_intensity = static_cast<int8_t>(random.between(-30, 30));
    station->contrast = static_cast<int8_t>(random.between(-30, 30));
    station->sharpness = static_cast<int8_t>(random.between(-30, 30));
    station->noise_reduction = static_cast<uint8_t>(random.between(0, 5));
    station->CTI = static_cast<uint8_t>(random.between(0, 2));
    station->Combfilter = static_cast<uint8_t>(random.between(0, 2));
    station->colour_offset = static_cast<int8_t>(random.between(-3, 3));
    station->PictureFormat = static_cast<uint8_t>(random.between(0, 5));
    station->VideoProfile = static_cast<uint8_t>(random.between(0, 7));
}

// Fields the editor never interprets but must carry through unchanged.
void fill_opaque(Random &random, svl_station *station, bool digital, bool always)
{
    station->aux1 = random.percent(20) ? static_cast<uint8_t>(random.below(256)) : 0;
    station->aux2 = random.percent(10) ? static_cast<uint8_t>(random.below(256)) : 0;
    station->childlock = random.percent(2);
    if (station->version < SVL_VERSION_50)
        return;
    station->hbbtv = digital && svl_station_medium(station) == SVL_MEDIUM_TV && random.percent(40);
    if (!always && !random.percent(30))
        return;
    station->aux_word1 = static_cast<uint16_t>(random.below(0x10000));
    station->aux_word2 = static_cast<uint16_t>(random.below(0x10000));
    for (uint8_t &byte : station->aux_bytes)
        byte = static_cast<uint8_t>(random.below(256));
    station->aux_dword = static_cast<uint32_t>(random.next());
    station->aux_word3 = static_cast<uint16_t>(random.below(0x10000));
    station->aux_byte = static_cast<uint8_t>(random.below(256));
}

// Flags and settings that few stations of a realistic table carry, set in
// every station of a table of every kind, so that each field of the record
// holds a value somewhere.
void fill_rare_fields(Random &random, svl_station *station)
{
    uint8_t *const small[] = {&station->decoder, &station->forced_mono, &station->VCR, &station->childlock,
                              &station->ColorNorm, &station->Standard, &station->CANumber, &station->Polarisation,
                              &station->Satellite, &station->Constellation, &station->CodeRateHP, &station->TransMode,
                              &station->GuardIntervall, &station->SatModulationSystem, &station->SatRollOff};
    for (uint8_t *field : small)
        *field = static_cast<uint8_t>(random.below(4));
    station->aux1 = static_cast<uint8_t>(random.below(256));
    station->aux2 = static_cast<uint8_t>(random.below(256));
    station->cni = static_cast<uint16_t>(random.below(0x10000));
    if (!station->analog_frequency)
        station->analog_frequency = static_cast<uint16_t>(1400 + random.below(12000));
    if (station->version >= SVL_VERSION_50)
        station->hbbtv = static_cast<uint8_t>(random.below(2));
}

// The station at index of the table. A table of every kind gives its
// stations every ProgramDataByte from 0 to 11 in turn.
svl_station *make_station(Random &random, Multiplex &mux, const svl_generate_options &options, uint32_t index)
{
    svl_station *station = svl_new_station(options.version);
    if (!station)
        return nullptr;
    bool radio = random.percent(20);
    station->ProgramDataByte = program_type(random, mux, radio);
    bool digital = mux.reception != ANALOGUE;
    bool high_definition = digital && !radio && (mux.network_type == 5 || mux.network_type == 6 ||
                                                 (mux.reception == CABLE && random.percent(30)));
    bool named = options.every_kind ? fill_every_charset_name(station, index)
                                    : fill_names(random, station, radio, high_definition);
    if (!named) {
        svl_free_station(station);
        return nullptr;
    }
    if (digital)
        fill_digital(random, station, mux, radio, high_definition);
    else
        fill_analogue(random, station, radio);
    fill_picture_and_sound(random, station, options.every_kind);
    fill_opaque(random, station, digital, options.every_kind);
    if (options.every_kind) {
        fill_rare_fields(random, station);
        station->ProgramDataByte = static_cast<uint8_t>(index % 12);
    }
    return station;
}

int generate_stations(Random &random, svl_table *table, const svl_generate_options &options)
{
    svl_list *tv = table->lists[0];
    svl_list *radio = table->lists[1];
    uint32_t made = 0;
    while (made < options.stations) {
        Multiplex mux = make_multiplex(random);
        uint32_t services = mux.reception == ANALOGUE ? 1 : static_cast<uint32_t>(random.between(1, 12));
        for (uint32_t i = 0; i < services && made < options.stations; i++, made++) {
            svl_station *station = make_station(random, mux, options, made);
            if (!station)
                return -1;
            svl_list *base = svl_station_medium(station) == SVL_MEDIUM_RADIO ? radio : tv;
            if (svl_append_station(base, station) != 0) {
                svl_free_station(station);
                return -1;
            }
        }
    }
    return 0;
}

// The uids a save would give: consecutive from 1, TV stations first.
void number_stations(svl_table *table)
{
    uint16_t uid = 1;
    for (uint32_t l = 0; l < 2; l++) {
        svl_list *list = table->lists[l];
        for (uint32_t i = 0; i < list->count; i++)
            list->stations[i]->uid = uid++;
    }
}

// A favorite list holding a random selection of the base list's stations
// in random order (a partial Fisher-Yates shuffle of the positions).
svl_list *make_favorite_list(Random &random, const svl_list *base, const char *name, uint32_t kind,
                             uint32_t percent, std::vector<uint32_t> &positions)
{
    svl_list *list = svl_new_list(name, kind, SVL_ATTR_FAVORITE);
    if (!list)
        return nullptr;
    uint32_t size = static_cast<uint32_t>((static_cast<uint64_t>(base->count) * percent + 50) / 100);
    if (svl_reserve_stations(list, size) != 0) {
        svl_free_list(list, 0);
        return nullptr;
    }
    positions.resize(base->count);
    for (uint32_t i = 0; i < base->count; i++)
        positions[i] = i;
    for (uint32_t i = 0; i < size; i++) {
        uint32_t j = i + random.below(base->count - i);
        uint32_t chosen = positions[j];
        positions[j] = positions[i];
        positions[i] = chosen;
        svl_append_station(list, base->stations[chosen]);
    }
    return list;
}

int generate_favorites(Random &random, svl_table *table, const svl_generate_options &options)
{
    std::vector<uint32_t> positions;
    for (uint32_t medium = 0; medium < 2; medium++) {
        const svl_list *base = table->lists[medium];
        const char *const *names = medium == 1         ? RADIO_FAVORITE_NAMES
                                   : options.every_kind ? EVERY_KIND_FAVORITE_NAMES
                                                        : TV_FAVORITE_NAMES;
        uint32_t kind = medium == 0 ? SVL_KIND_TV_FAV : SVL_KIND_RADIO_FAV;
        for (uint32_t i = 0; i < options.favorites; i++) {
            svl_list *list = make_favorite_list(random, base, names[i], kind, options.favorite_percent, positions);
            if (!list)
                return -1;
            if (svl_append_list(table, list) != 0) {
                svl_free_list(list, 0);
                return -1;
            }
        }
    }
    return 0;
}

bool options_valid(const svl_generate_options &options)
{
    return (options.version == SVL_VERSION_40 || options.version == SVL_VERSION_50) &&
           options.favorites <= SVL_MAX_FAV_LISTS && options.favorite_percent <= 100;
}

}  // namespace

int svl_generate_table(svl_table *table, const svl_generate_options &options)
{
    if (!table || table->list_count != 0 || !options_valid(options))
        return -1;
    if (svl_init_table(table, options.version) != 0)
        return -1;
    Random random = {options.seed};
    if (generate_stations(random, table, options) != 0 ||
        (options.version == SVL_VERSION_50 && generate_favorites(random, table, options) != 0)) {
        svl_free_table(table, 1);
        *table = svl_table();
        return -1;
    }
    if (options.version == SVL_VERSION_50)
        number_stations(table);
    return 0;
}
