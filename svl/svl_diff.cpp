// Field-by-field comparison of station records.
#include <cstddef>
#include <cstring>

#include "svl_diff.h"

namespace {

struct Field {
    const char *name;
    size_t offset;
    size_t size;
};

#define SVL_FIELD(member) {#member, offsetof(svl_station, member), sizeof(svl_station::member)}

// Every member held by value; the two names are compared apart.
const Field FIELDS[] = {
    SVL_FIELD(version), SVL_FIELD(ProgramDataByte), SVL_FIELD(CharSelCode), SVL_FIELD(decoder),
    SVL_FIELD(SoundFilter), SVL_FIELD(volume_correction), SVL_FIELD(epg), SVL_FIELD(aux1), SVL_FIELD(childlock),
    SVL_FIELD(cni), SVL_FIELD(colour_intensity), SVL_FIELD(contrast), SVL_FIELD(sharpness),
    SVL_FIELD(noise_reduction), SVL_FIELD(CTI), SVL_FIELD(Combfilter), SVL_FIELD(colour_offset),
    SVL_FIELD(PictureFormat), SVL_FIELD(VideoProfile), SVL_FIELD(analog_frequency), SVL_FIELD(VCR),
    SVL_FIELD(forced_mono), SVL_FIELD(ColorNorm), SVL_FIELD(Standard), SVL_FIELD(service_id),
    SVL_FIELD(ca_system_ids), SVL_FIELD(encrypted), SVL_FIELD(CANumber), SVL_FIELD(VidDecType),
    SVL_FIELD(has_sub_audio), SVL_FIELD(audio_tag), SVL_FIELD(HiDef), SVL_FIELD(pcr_pid), SVL_FIELD(audio_pid),
    SVL_FIELD(teletext_pid), SVL_FIELD(video_pid), SVL_FIELD(NetworkType), SVL_FIELD(transport_stream_id),
    SVL_FIELD(original_network_id), SVL_FIELD(symbol_rate), SVL_FIELD(frequency), SVL_FIELD(Polarisation),
    SVL_FIELD(Satellite), SVL_FIELD(Modulation), SVL_FIELD(Constellation), SVL_FIELD(CodeRateHP),
    SVL_FIELD(TransMode), SVL_FIELD(GuardIntervall), SVL_FIELD(AudioType), SVL_FIELD(aux2),
    SVL_FIELD(SatModulationSystem), SVL_FIELD(SatRollOff), SVL_FIELD(SatFecInner), SVL_FIELD(aux_word1),
    SVL_FIELD(hbbtv), SVL_FIELD(aux_word2), SVL_FIELD(aux_bytes), SVL_FIELD(aux_dword), SVL_FIELD(aux_word3),
    SVL_FIELD(aux_byte),
};

#undef SVL_FIELD

bool same_text(const char *a, uint8_t a_length, const char *b, uint8_t b_length)
{
    return a_length == b_length && (a_length == 0 || memcmp(a, b, a_length) == 0);
}

}  // namespace

static_assert(sizeof FIELDS / sizeof FIELDS[0] + 2 <= SVL_FIELD_COUNT, "room for every field name");

uint32_t svl_station_differences(const svl_station *a, const svl_station *b, const char **names, uint32_t max)
{
    if (!a || !b)
        return 0;
    uint32_t count = 0;
    auto note = [&](const char *name) {
        if (count < max)
            names[count] = name;
        ++count;
    };
    const char *a_bytes = reinterpret_cast<const char *>(a), *b_bytes = reinterpret_cast<const char *>(b);
    for (const Field &field : FIELDS) {
        if (memcmp(a_bytes + field.offset, b_bytes + field.offset, field.size) != 0)
            note(field.name);
        if (field.offset == offsetof(svl_station, ProgramDataByte) && !same_text(a->name, a->name_len, b->name, b->name_len))
            note("name");
        if (field.offset == offsetof(svl_station, aux_word1) &&
            !same_text(a->origin_name, a->origin_name_len, b->origin_name, b->origin_name_len))
            note("origin_name");
    }
    return count;
}
