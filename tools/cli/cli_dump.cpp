// kanvio-cli dump: the whole table as JSON.
//
// Output is gathered in a buffer and written in large chunks, so that a
// table of a hundred thousand stations takes well under a second.
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <unordered_map>

#include "svl/svl_ops.h"
#include "tools/cli/cli.h"

namespace {

const size_t CHUNK_SIZE = size_t(1) << 20;

class Output {
public:
    std::string text;

    Output() { text.reserve(CHUNK_SIZE + 4096); }

    void flush_when_full()
    {
        if (text.size() >= CHUNK_SIZE)
            flush();
    }

    // False once any write has failed.
    bool flush()
    {
        if (!failed_ && fwrite(text.data(), 1, text.size(), stdout) != text.size())
            failed_ = true;
        text.clear();
        return !failed_ && fflush(stdout) == 0;
    }

private:
    bool failed_ = false;
};

void append_number(std::string &out, int64_t value)
{
    char digits[24];
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end.ptr);
}

void append_hex(std::string &out, const char *bytes, size_t length)
{
    static const char HEX[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; bytes && i < length; i++) {
        uint8_t byte = static_cast<uint8_t>(bytes[i]);
        out += HEX[byte >> 4];
        out += HEX[byte & 15];
    }
    out += '"';
}

// Writes the members of one JSON object in order.
class ObjectWriter {
public:
    explicit ObjectWriter(std::string &out) : out_(out) { out_ += '{'; }
    ~ObjectWriter() { out_ += '}'; }

    void number(const char *key, int64_t value)
    {
        start(key);
        append_number(out_, value);
    }

    template <typename T, size_t N>
    void number(const char *key, const T (&values)[N])
    {
        start(key);
        out_ += '[';
        for (size_t i = 0; i < N; i++) {
            if (i)
                out_ += ", ";
            append_number(out_, values[i]);
        }
        out_ += ']';
    }

    void text(const char *key, const std::string &utf8)
    {
        start(key);
        cli_append_json_string(out_, utf8);
    }

    // A station name twice: decoded as text under key, raw under key_hex.
    void name(const char *key, const char *bytes, size_t length, uint8_t char_sel_code)
    {
        text(key, cli_name_to_utf8(bytes, length, char_sel_code));
        start((std::string(key) + "_hex").c_str());
        append_hex(out_, bytes, length);
    }

    std::string &raw(const char *key)
    {
        start(key);
        return out_;
    }

private:
    void start(const char *key)
    {
        if (!first_)
            out_ += ", ";
        first_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\": ";
    }

    std::string &out_;
    bool first_ = true;
};

// In the output each name follows its length.
void write_name_after(ObjectWriter &o, const svl_station &s, size_t offset)
{
    if (offset == offsetof(svl_station, name_len))
        o.name("name", s.name, s.name_len, s.CharSelCode);
    else if (offset == offsetof(svl_station, origin_name_len))
        o.name("origin_name", s.origin_name, s.origin_name_len, s.CharSelCode);
}

// Every field of the record in declared order, from its own field list.
void write_station(std::string &out, const svl_station &s)
{
    ObjectWriter o(out);
#define WRITE_FIELD(member)            \
    o.number(#member, s.member);       \
    write_name_after(o, s, offsetof(svl_station, member));
    SVL_STATION_FIELDS(WRITE_FIELD)
#undef WRITE_FIELD
}

using Positions = std::unordered_map<const svl_station *, uint32_t>;

// Where each station stands in its base list; a station listed twice
// keeps its first position.
Positions base_positions(const svl_table &table)
{
    Positions positions;
    positions.reserve(size_t(table.lists[0]->count) + table.lists[1]->count);
    for (uint32_t l = 0; l < 2; l++)
        for (uint32_t i = 0; i < table.lists[l]->count; i++)
            positions.emplace(table.lists[l]->stations[i], i);
    return positions;
}

void write_base_stations(Output &output, const svl_list &list)
{
    for (uint32_t i = 0; i < list.count; i++) {
        output.text += i ? ",\n" : "\n";
        write_station(output.text, *list.stations[i]);
        output.flush_when_full();
    }
    if (list.count)
        output.text += '\n';
}

// A favorite entry whose station is in no base list (which a table read
// from a file cannot have) shows as null.
void write_favorite_positions(Output &output, const svl_list &list, const Positions &positions)
{
    for (uint32_t i = 0; i < list.count; i++) {
        if (i)
            output.text += ", ";
        Positions::const_iterator found = positions.find(list.stations[i]);
        if (found == positions.end())
            output.text += "null";
        else
            append_number(output.text, found->second);
        output.flush_when_full();
    }
}

void write_list(Output &output, const svl_list &list, const Positions &positions)
{
    ObjectWriter o(output.text);
    o.text("name", cli_valid_utf8(list.name));
    o.number("kind", list.kind);
    o.number("attr", list.attr);
    o.raw("stations") += '[';
    if (svl_is_base_kind(list.kind))
        write_base_stations(output, list);
    else
        write_favorite_positions(output, list, positions);
    output.text += ']';
}

int write_table(const svl_table &table)
{
    Output output;
    Positions positions = base_positions(table);
    output.text += "{\"version\": ";
    append_number(output.text, table.version);
    output.text += ", \"lists\": [";
    for (uint32_t l = 0; l < table.list_count; l++) {
        output.text += l ? ",\n" : "\n";
        write_list(output, *table.lists[l], positions);
    }
    output.text += "\n]}\n";
    return output.flush() ? CLI_OK : cli_fail("standard output", "write error");
}

}  // namespace

int cli_dump(int argc, char **argv)
{
    return cli_report_on_table(argc, argv, write_table);
}
