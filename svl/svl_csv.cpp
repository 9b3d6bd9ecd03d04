// The name column of a CSV file: what "Export CSV" writes, or what a
// spreadsheet made of it.
#include <cstdlib>
#include <cstring>

#include "svl_match.h"

namespace {

bool is_utf8(const unsigned char *s, size_t length)
{
    for (size_t i = 0; i < length;) {
        size_t size = s[i] < 0x80 ? 1 : s[i] >= 0xF0 ? 4 : s[i] >= 0xE0 ? 3 : s[i] >= 0xC2 ? 2 : 0;
        if (size == 0 || size > length - i || s[i] > 0xF4)
            return false;
        for (size_t k = 1; k < size; ++k)
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
        i += size;
    }
    return true;
}

// Latin-1 bytes as UTF-8, in a new block of twice the length at most.
char *latin1_to_utf8(const unsigned char *s, size_t length, size_t *out_length)
{
    char *out = static_cast<char *>(malloc(length * 2 + 1));
    size_t written = 0;
    for (size_t i = 0; out && i < length; ++i) {
        if (s[i] < 0x80) {
            out[written++] = char(s[i]);
        } else {
            out[written++] = char(0xC0 | (s[i] >> 6));
            out[written++] = char(0x80 | (s[i] & 0x3F));
        }
    }
    *out_length = written;
    return out;
}

// The separator of the file: a comma, or a semicolon or tab where the first
// line holds one outside quotes and no comma.
char find_separator(const char *s, size_t length)
{
    bool quoted = false, semicolon = false, tab = false;
    for (size_t i = 0; i < length; ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (s[i] == ',')
            return ',';
        else if (s[i] == '\n' || s[i] == '\r')
            break;
        semicolon |= s[i] == ';';
        tab |= s[i] == '\t';
    }
    return semicolon ? ';' : tab ? '\t' : ',';
}

// Reads records one by one, keeping the text of each record's last field.
class CsvReader {
public:
    CsvReader(const char *s, size_t length, char separator) : s_(s), length_(length), separator_(separator) {}

    bool at_end() const { return at_ >= length_; }

    // Reads one record and writes its last field to out; the field's length,
    // or -1 for a blank line.
    long read_record(char *out)
    {
        size_t start = at_, written = 0;
        for (;;) {
            written = read_field(out);
            if (at_ >= length_ || s_[at_] != separator_)
                break;
            ++at_;
        }
        bool blank = at_ == start;
        skip_line_end();
        return blank ? -1 : long(written);
    }

private:
    size_t read_field(char *out)
    {
        size_t written = 0;
        bool quoted = false;
        for (; at_ < length_; ++at_) {
            char c = s_[at_];
            if (c == '"' && quoted && at_ + 1 < length_ && s_[at_ + 1] == '"') {
                out[written++] = '"';
                ++at_;
            } else if (c == '"' && (quoted || written == 0)) {
                quoted = !quoted;
            } else if (!quoted && (c == separator_ || c == '\n' || c == '\r')) {
                break;
            } else {
                out[written++] = c;
            }
        }
        return written;
    }

    void skip_line_end()
    {
        if (at_ < length_ && s_[at_] == '\r')
            ++at_;
        if (at_ < length_ && s_[at_] == '\n')
            ++at_;
    }

    const char *s_;
    size_t length_;
    size_t at_ = 0;
    char separator_;
};

bool add_name(svl_name_column *column, uint32_t *capacity, const char *name)
{
    if (column->count == *capacity) {
        uint32_t grown = *capacity ? *capacity * 2 : 64;
        void *names = realloc(column->names, grown * sizeof(const char *));
        if (!names)
            return false;
        column->names = static_cast<const char **>(names);
        *capacity = grown;
    }
    column->names[column->count++] = name;
    return true;
}

// Every record's last field into the column; the texts stand in
// column->text one after another, each followed by a NUL. A field is never
// longer than its record, and every record that counts takes a byte of its
// own and a line end (or the end of the text), so length + 1 bytes suffice.
bool read_names(const char *s, size_t length, svl_name_column *column)
{
    column->text = static_cast<char *>(malloc(length + 1));
    if (!column->text)
        return false;
    CsvReader reader(s, length, find_separator(s, length));
    uint32_t capacity = 0;
    size_t used = 0;
    while (!reader.at_end()) {
        long written = reader.read_record(column->text + used);
        if (written < 0)
            continue;
        column->text[used + size_t(written)] = '\0';
        if (!add_name(column, &capacity, column->text + used))
            return false;
        used += size_t(written) + 1;
    }
    return true;
}

}  // namespace

int svl_read_csv_names(const char *bytes, size_t length, svl_name_column *column)
{
    if (!column || (!bytes && length > 0) || length > SVL_MAX_CSV_SIZE)
        return -1;
    *column = svl_name_column{};
    const unsigned char *s = reinterpret_cast<const unsigned char *>(bytes);
    if (length >= 3 && memcmp(s, "\xEF\xBB\xBF", 3) == 0) {
        s += 3;
        length -= 3;
    }
    char *converted = nullptr;
    if (!is_utf8(s, length)) {
        converted = latin1_to_utf8(s, length, &length);
        if (!converted)
            return -1;
        s = reinterpret_cast<const unsigned char *>(converted);
    }
    bool ok = read_names(reinterpret_cast<const char *>(s), length, column);
    free(converted);
    if (!ok) {
        svl_free_name_column(column);
        return -1;
    }
    return 0;
}

void svl_free_name_column(svl_name_column *column)
{
    if (!column)
        return;
    free(column->text);
    free(column->names);
    *column = svl_name_column{};
}
