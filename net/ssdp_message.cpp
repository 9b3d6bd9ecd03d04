// SSDP message parsing: the hash that identifies texts and the reader of
// one message's start line and headers. No sockets here.
#include <strings.h>

#include <clocale>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "net/ssdp_internal.h"

namespace {

struct text_span {
    const char *start;
    size_t length;
};

bool is_line_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool is_value_blank(char c)
{
    return c == ' ' || c == '"';
}

text_span trim(text_span span, bool (*is_blank)(char))
{
    while (span.length > 0 && is_blank(span.start[0])) {
        span.start++;
        span.length--;
    }
    while (span.length > 0 && is_blank(span.start[span.length - 1]))
        span.length--;
    return span;
}

// Copies span into a field of capacity + 1 bytes, cutting what does not fit.
void copy_cut(char *field, size_t capacity, text_span span)
{
    size_t length = span.length < capacity ? span.length : capacity;
    memcpy(field, span.start, length);
    field[length] = '\0';
}

// The line starting at text runs to the next CR or the end of the text.
// Gives the line and sets *rest to the text after its CR, or to null when
// the line ended the text.
text_span take_line(const char *text, const char **rest)
{
    const char *end = strchr(text, '\r');
    if (!end) {
        *rest = nullptr;
        return {text, strlen(text)};
    }
    *rest = end + 1;
    return {text, static_cast<size_t>(end - text)};
}

bool starts_with(text_span span, const char *prefix)
{
    size_t length = strlen(prefix);
    return span.length >= length && memcmp(span.start, prefix, length) == 0;
}

int kind_of_start_line(text_span line)
{
    if (starts_with(line, "NOTIFY"))
        return SSDP_KIND_ANNOUNCEMENT;
    if (starts_with(line, "M-SEARCH"))
        return SSDP_KIND_SEARCH;
    if (starts_with(line, "HTTP"))
        return SSDP_KIND_ANSWER;
    return SSDP_KIND_NONE;
}

bool name_is(text_span name, const char *expected)
{
    return name.length == strlen(expected) && strncasecmp(name.start, expected, name.length) == 0;
}

// Reads a whole decimal number, clamped into [low, high]; 0 when the text
// holds no number, like atoi but without overflow.
long long read_integer(const char *text, long long low, long long high)
{
    long long value = strtoll(text, nullptr, 10);
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

void read_mx(ssdp_message *message, const char *value)
{
    message->mx = static_cast<int>(read_integer(value, 1, INT_MAX));
}

// "max-age = N, ..." anywhere in the value gives now + N.
void read_cache_control(ssdp_message *message, const char *value, time_t now)
{
    const char *directive = strcasestr(value, "max-age");
    if (!directive)
        return;
    const char *equals = directive + strlen("max-age");
    while (*equals == ' ' || *equals == '\t')
        equals++;
    if (*equals != '=')
        return;
    const char *number = equals + 1;
    while (*number == ' ' || *number == '\t')
        number++;
    const char *comma = strchr(number, ',');
    char digits[SSDP_HEADER_MAX + 1];
    copy_cut(digits, SSDP_HEADER_MAX,
             {number, comma ? static_cast<size_t>(comma - number) : strlen(number)});
    long long seconds = read_integer(digits, -SSDP_MAX_AGE_CAP, SSDP_MAX_AGE_CAP);
    message->expiry = now + static_cast<time_t>(seconds);
    message->has_expiry = 1;
}

// Day and month names of an HTTP date are English whatever the program's
// locale, so the date is read in the C locale of this thread.
locale_t c_locale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

void read_expires(ssdp_message *message, const char *value)
{
    if (message->has_expiry || !c_locale())
        return;
    struct tm date;
    memset(&date, 0, sizeof date);
    locale_t previous = uselocale(c_locale());
    const char *end = strptime(value, "%a, %d %b %Y %H:%M:%S %z", &date);
    uselocale(previous);
    if (!end)
        return;
    long offset = date.tm_gmtoff;
    time_t utc = timegm(&date);
    if (utc == static_cast<time_t>(-1))
        return;
    message->expiry = utc - offset;
    message->has_expiry = 1;
}

// "AL: <url>..." names the location between the first angle brackets.
void read_alternate_location(ssdp_message *message, const char *value)
{
    const char *start = value;
    while (*start == '>')
        start++;
    const char *cut = strchr(start, '>');
    size_t length = cut ? static_cast<size_t>(cut - value) : strlen(value);
    size_t token = strspn(value, "<>");
    if (token >= length)
        return;
    size_t token_length = strcspn(value + token, "<>");
    if (token + token_length > length)
        token_length = length - token;
    copy_cut(message->location, SSDP_LOCATION_MAX, {value + token, token_length});
}

void read_header(ssdp_message *message, text_span name, text_span value_span, time_t now)
{
    char value[SSDP_LINE_MAX + 1];
    copy_cut(value, SSDP_LINE_MAX, value_span);
    if (name_is(name, "MX"))
        read_mx(message, value);
    else if (name_is(name, "MAN"))
        copy_cut(message->man, SSDP_HEADER_MAX, value_span);
    else if (name_is(name, "ST"))
        copy_cut(message->st, SSDP_HEADER_MAX, value_span);
    else if (name_is(name, "USN"))
        copy_cut(message->usn, SSDP_HEADER_MAX, value_span);
    else if (name_is(name, "NTS"))
        copy_cut(message->nts, SSDP_HEADER_MAX, value_span);
    else if (name_is(name, "NT"))
        copy_cut(message->nt, SSDP_HEADER_MAX, value_span);
    else if (name_is(name, "LOCATION"))
        copy_cut(message->location, SSDP_LOCATION_MAX, value_span);
    else if (name_is(name, "AL"))
        read_alternate_location(message, value);
    else if (name_is(name, "CACHE-CONTROL"))
        read_cache_control(message, value, now);
    else if (name_is(name, "EXPIRES"))
        read_expires(message, value);
}

void read_header_line(ssdp_message *message, text_span line, time_t now)
{
    const char *colon = static_cast<const char *>(memchr(line.start, ':', line.length));
    if (!colon)
        return;
    text_span name = trim({line.start, static_cast<size_t>(colon - line.start)}, is_line_blank);
    text_span value = trim({colon + 1, line.length - (colon + 1 - line.start)}, is_value_blank);
    read_header(message, name, value, now);
}

}  // namespace

uint32_t ssdp_hash(const char *text)
{
    if (!text[0])
        return 0;
    uint32_t hash = static_cast<uint32_t>(static_cast<signed char>(text[0])) % SSDP_HASH_MODULUS;
    for (const char *p = text + 1; *p; p++)
        hash = (hash * 128u + static_cast<uint32_t>(static_cast<signed char>(*p))) % SSDP_HASH_MODULUS;
    return hash;
}

const char *ssdp_parse_message(const char *text, time_t now, ssdp_message *message)
{
    memset(message, 0, sizeof *message);
    while (text) {
        const char *rest;
        text_span line = trim(take_line(text, &rest), is_line_blank);
        if (line.length == 0)
            return rest;
        if (message->kind == SSDP_KIND_NONE)
            message->kind = kind_of_start_line(line);
        else
            read_header_line(message, line, now);
        text = rest;
    }
    return nullptr;
}
