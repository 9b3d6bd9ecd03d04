// Text replacement, with which the description reader turns escaped
// markup into real markup before parsing.
#include "net/xml.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

char *str_replace_all(const char *text, const char *search, const char *replacement)
{
    if (!text)
        return nullptr;
    if (!replacement)
        replacement = "";
    size_t text_length = strlen(text);
    size_t search_length = search ? strlen(search) : 0;
    size_t replacement_length = strlen(replacement);
    size_t count = 0;
    if (search_length > 0) {
        for (const char *p = strstr(text, search); p; p = strstr(p + search_length, search))
            ++count;
    }
    size_t length = text_length;
    if (replacement_length > search_length) {
        size_t growth = replacement_length - search_length;
        if (count > (SIZE_MAX - text_length - 1) / growth)
            return nullptr;
        length += count * growth;
    } else {
        length -= count * (search_length - replacement_length);
    }
    char *result = static_cast<char *>(malloc(length + 1));
    if (!result)
        return nullptr;
    char *out = result;
    const char *p = text;
    for (size_t i = 0; i < count; ++i) {
        const char *hit = strstr(p, search);
        memcpy(out, p, static_cast<size_t>(hit - p));
        out += hit - p;
        memcpy(out, replacement, replacement_length);
        out += replacement_length;
        p = hit + search_length;
    }
    memcpy(out, p, strlen(p) + 1);
    return result;
}
