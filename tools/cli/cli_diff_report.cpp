// What differs between two tables, as kanvio-cli diff prints it.
//
// Stations of each base list match as in reordering (ids, then names);
// one line per difference, positions counted from 1.
#include <cstring>
#include <unordered_map>

#include "svl/svl_diff.h"
#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

std::string quoted_name(const std::string &decoded)
{
    std::string out = "\"";
    cli_append_printable(out, decoded.c_str());
    return out + "\"";
}

std::string position(uint32_t index)
{
    return std::to_string(index + 1);
}

// How the stations of a base list of A and B pair up: b_of[i] is the B index
// of A's station i or -1, a_of the other way round.
struct Pairing {
    std::vector<int32_t> b_of;
    std::vector<int32_t> a_of;
};

bool pair_list(const CliListKeys &a, const CliListKeys &b, Pairing *pairing)
{
    pairing->b_of.assign(a.keys.size(), -1);
    pairing->a_of.assign(b.keys.size(), -1);
    std::vector<uint8_t> how(a.keys.size());
    if (svl_match_stations(a.keys.data(), uint32_t(a.keys.size()), b.keys.data(), uint32_t(b.keys.size()),
                           pairing->b_of.data(), how.data()) != 0)
        return false;
    for (size_t i = 0; i < pairing->b_of.size(); ++i)
        if (pairing->b_of[i] >= 0)
            pairing->a_of[size_t(pairing->b_of[i])] = int32_t(i);
    return true;
}

void report_stations(const svl_list *list_a, const svl_list *list_b, const CliListKeys &a, const CliListKeys &b,
                     const Pairing &pairing, std::string &out)
{
    const std::string prefix = std::string(list_a->name) + ": ";
    for (uint32_t i = 0; i < list_a->count; ++i)
        if (pairing.b_of[i] < 0)
            out += prefix + "only in A: " + position(i) + " " + quoted_name(a.names[i]) + "\n";
    for (uint32_t i = 0; i < list_b->count; ++i)
        if (pairing.a_of[i] < 0)
            out += prefix + "only in B: " + position(i) + " " + quoted_name(b.names[i]) + "\n";
    const char *fields[SVL_FIELD_COUNT];
    for (uint32_t i = 0; i < list_a->count; ++i) {
        int32_t j = pairing.b_of[i];
        if (j < 0)
            continue;
        if (uint32_t(j) != i)
            out += prefix + "moved: " + quoted_name(a.names[i]) + " " + position(i) + " -> " + position(uint32_t(j)) + "\n";
        uint32_t count = svl_station_differences(list_a->stations[i], list_b->stations[j], fields, SVL_FIELD_COUNT);
        if (count == 0)
            continue;
        out += prefix + "changed: " + position(i) + " " + quoted_name(a.names[i]) + ":";
        for (uint32_t k = 0; k < count; ++k)
            out += std::string(k ? ", " : " ") + fields[k];
        out += "\n";
    }
}

// Station positions of both base lists of a table, by record.
using Positions = std::unordered_map<const svl_station *, uint32_t>;

Positions positions_of(const svl_list *base)
{
    Positions positions;
    positions.reserve(base->count);
    for (uint32_t i = 0; i < base->count; ++i)
        positions.emplace(base->stations[i], i);
    return positions;
}

// A favorite list is the same when it holds, entry by entry, the B
// stations that A's entries pair with.
bool same_favorites(const svl_list *fa, const svl_list *fb, const Positions &in_a, const Positions &in_b,
                    const Pairing &pairing)
{
    if (fa->count != fb->count)
        return false;
    for (uint32_t i = 0; i < fa->count; ++i) {
        auto a = in_a.find(fa->stations[i]);
        auto b = in_b.find(fb->stations[i]);
        if (a == in_a.end() || b == in_b.end() || pairing.b_of[a->second] != int32_t(b->second))
            return false;
    }
    return true;
}

const svl_list *find_list(const svl_table &table, const svl_list *like)
{
    for (uint32_t i = SVL_FIRST_FAV_INDEX; i < table.list_count; ++i)
        if (table.lists[i]->kind == like->kind && strcmp(table.lists[i]->name, like->name) == 0)
            return table.lists[i];
    return nullptr;
}

std::string favorite_line(const svl_list *list, const char *what)
{
    std::string out = "favorite list \"";
    cli_append_printable(out, list->name);
    return out + "\": " + what + "\n";
}

void report_favorites(const svl_table &a, const svl_table &b, const Pairing pairings[2], std::string &out)
{
    const Positions in_a[2] = {positions_of(a.lists[0]), positions_of(a.lists[1])};
    const Positions in_b[2] = {positions_of(b.lists[0]), positions_of(b.lists[1])};
    for (uint32_t i = SVL_FIRST_FAV_INDEX; i < a.list_count; ++i) {
        const svl_list *fa = a.lists[i], *fb = find_list(b, fa);
        int medium = svl_base_index_of(fa->kind);
        if (!fb)
            out += favorite_line(fa, "only in A");
        else if (!same_favorites(fa, fb, in_a[medium], in_b[medium], pairings[medium]))
            out += favorite_line(fa, "differs");
    }
    for (uint32_t i = SVL_FIRST_FAV_INDEX; i < b.list_count; ++i)
        if (!find_list(a, b.lists[i]))
            out += favorite_line(b.lists[i], "only in B");
}

}  // namespace

void cli_list_keys(const svl_list *list, CliListKeys *out)
{
    out->names.resize(list->count);
    out->keys.resize(list->count);
    for (uint32_t i = 0; i < list->count; ++i) {
        const svl_station *station = list->stations[i];
        out->names[i] = cli_name_to_utf8(station->name, station->name_len, station->CharSelCode);
    }
    // Keys point at the names, so they are made once no name moves any more.
    for (uint32_t i = 0; i < list->count; ++i)
        out->keys[i] = svl_key_of_station(list->stations[i], out->names[i].c_str());
}

bool cli_diff_report(const svl_table &a, const svl_table &b, std::string *report)
{
    std::string &out = *report;
    if (a.version != b.version)
        out += "version: " + std::to_string(a.version) + " in A, " + std::to_string(b.version) + " in B\n";
    Pairing pairings[2];
    for (int base = 0; base < 2; ++base) {
        CliListKeys keys_a, keys_b;
        cli_list_keys(a.lists[base], &keys_a);
        cli_list_keys(b.lists[base], &keys_b);
        if (!pair_list(keys_a, keys_b, &pairings[base]))
            return false;
        report_stations(a.lists[base], b.lists[base], keys_a, keys_b, pairings[base], out);
    }
    report_favorites(a, b, pairings, out);
    return true;
}
