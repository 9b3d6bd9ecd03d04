// Station names from their 8-bit character sets to UTF-8, and names made
// printable for lines of text output.
#include <cstring>

#include "tools/cli/cli.h"

namespace {

const uint32_t REPLACEMENT = 0xFFFD;

void append_utf8(std::string &out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// ISO 6937 spacing characters 0xA0..0xFF (0 where the set has none;
// 0xC1..0xCF are the non-spacing diacritics, handled apart).
const uint16_t ISO6937_HIGH[96] = {
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0, 0x00A5, 0, 0x00A7, 0x00A4, 0x2018, 0x201C, 0x00AB, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00D7, 0x00B5, 0x00B6, 0x00B7, 0x00F7, 0x2019, 0x201D, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x2015, 0x00B9, 0x00AE, 0x00A9, 0x2122, 0x266A, 0x00AC, 0x00A6, 0, 0, 0, 0, 0x215B, 0x215C, 0x215D, 0x215E,
    0x2126, 0x00C6, 0x0110, 0x00AA, 0x0126, 0, 0x0132, 0x013F, 0x0141, 0x00D8, 0x0152, 0x00BA, 0x00DE, 0x0166, 0x014A, 0x0149,
    0x0138, 0x00E6, 0x0111, 0x00F0, 0x0127, 0x0131, 0x0133, 0x0140, 0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x0167, 0x014B, 0x00AD,
};

// A diacritic byte 0xC1..0xCF with the letters it combines with and the
// precomposed characters they give; other letters get the combining mark.
struct Diacritic {
    uint8_t byte;
    uint16_t combining;
    const char *letters;
    uint16_t composed[20];
};

const Diacritic DIACRITICS[] = {
    {0xC1, 0x0300, "AEIOUaeiou", {0xC0, 0xC8, 0xCC, 0xD2, 0xD9, 0xE0, 0xE8, 0xEC, 0xF2, 0xF9}},
    {0xC2, 0x0301, "AEIOUYaeiouyCcNnSsZz",
     {0xC1, 0xC9, 0xCD, 0xD3, 0xDA, 0xDD, 0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xFD, 0x106, 0x107, 0x143, 0x144, 0x15A,
      0x15B, 0x179, 0x17A}},
    {0xC3, 0x0302, "AEIOUaeiou", {0xC2, 0xCA, 0xCE, 0xD4, 0xDB, 0xE2, 0xEA, 0xEE, 0xF4, 0xFB}},
    {0xC4, 0x0303, "ANOano", {0xC3, 0xD1, 0xD5, 0xE3, 0xF1, 0xF5}},
    {0xC5, 0x0304, "", {}},
    {0xC6, 0x0306, "AaGgUu", {0x102, 0x103, 0x11E, 0x11F, 0x16C, 0x16D}},
    {0xC7, 0x0307, "CcEeGgZz", {0x10A, 0x10B, 0x116, 0x117, 0x120, 0x121, 0x17B, 0x17C}},
    {0xC8, 0x0308, "AEIOUaeiouy", {0xC4, 0xCB, 0xCF, 0xD6, 0xDC, 0xE4, 0xEB, 0xEF, 0xF6, 0xFC, 0xFF}},
    {0xCA, 0x030A, "AaUu", {0xC5, 0xE5, 0x16E, 0x16F}},
    {0xCB, 0x0327, "CcSsTt", {0xC7, 0xE7, 0x15E, 0x15F, 0x162, 0x163}},
    {0xCD, 0x030B, "OoUu", {0x150, 0x151, 0x170, 0x171}},
    {0xCE, 0x0328, "AaEeIiUu", {0x104, 0x105, 0x118, 0x119, 0x12E, 0x12F, 0x172, 0x173}},
    {0xCF, 0x030C, "CcDdEeNnRrSsTtZz",
     {0x10C, 0x10D, 0x10E, 0x10F, 0x11A, 0x11B, 0x147, 0x148, 0x158, 0x159, 0x160, 0x161, 0x164, 0x165, 0x17D, 0x17E}},
};

const Diacritic *find_diacritic(uint8_t byte)
{
    for (const Diacritic &diacritic : DIACRITICS)
        if (diacritic.byte == byte)
            return &diacritic;
    return nullptr;
}

// Decodes the letter after a diacritic byte; returns the bytes consumed.
size_t append_accented(std::string &out, const Diacritic &diacritic, const uint8_t *next, size_t left)
{
    if (left == 0 || *next < 0x20 || *next >= 0x80) {
        append_utf8(out, diacritic.combining);
        return 0;
    }
    const char *found = strchr(diacritic.letters, *next);
    if (found) {
        append_utf8(out, diacritic.composed[found - diacritic.letters]);
    } else {
        append_utf8(out, *next);
        append_utf8(out, diacritic.combining);
    }
    return 1;
}

std::string decode_iso6937(const uint8_t *bytes, size_t length)
{
    std::string out;
    for (size_t i = 0; i < length; i++) {
        uint8_t byte = bytes[i];
        const Diacritic *diacritic = find_diacritic(byte);
        if (byte < 0x80)
            out += char(byte);
        else if (diacritic)
            i += append_accented(out, *diacritic, bytes + i + 1, length - i - 1);
        else if (byte >= 0xA0 && ISO6937_HIGH[byte - 0xA0])
            append_utf8(out, ISO6937_HIGH[byte - 0xA0]);
        else
            append_utf8(out, REPLACEMENT);
    }
    return out;
}

uint32_t iso8859_5(uint8_t byte)
{
    if (byte == 0xAD)
        return 0xAD;
    if (byte == 0xF0)
        return 0x2116;
    if (byte == 0xFD)
        return 0xA7;
    return byte > 0xA0 ? byte + 0x360u : byte;
}

// Greek letters and tonos forms sit at a fixed distance from their code
// points; most punctuation is Latin-1.
uint32_t iso8859_7(uint8_t byte)
{
    switch (byte) {
    case 0xA1: return 0x2018;
    case 0xA2: return 0x2019;
    case 0xA4: return 0x20AC;
    case 0xA5: return 0x20AF;
    case 0xAA: return 0x037A;
    case 0xAF: return 0x2015;
    case 0xAE: case 0xD2: case 0xFF: return REPLACEMENT;
    case 0xB7: case 0xBB: case 0xBD: return byte;
    default: return byte >= 0xB4 ? byte + 0x2D0u : byte;
    }
}

// Latin-1 with six Turkish letters in place of Icelandic ones.
uint32_t iso8859_9(uint8_t byte)
{
    switch (byte) {
    case 0xD0: return 0x011E;
    case 0xDD: return 0x0130;
    case 0xDE: return 0x015E;
    case 0xF0: return 0x011F;
    case 0xFD: return 0x0131;
    case 0xFE: return 0x015F;
    default: return byte;
    }
}

uint32_t unknown_charset(uint8_t)
{
    return REPLACEMENT;
}

std::string decode_single_bytes(const uint8_t *bytes, size_t length, uint32_t (*high)(uint8_t))
{
    std::string out;
    for (size_t i = 0; i < length; i++)
        append_utf8(out, bytes[i] < 0x80 ? bytes[i] : bytes[i] < 0xA0 ? REPLACEMENT : high(bytes[i]));
    return out;
}

// Length of the valid UTF-8 sequence at text, or 0 for an invalid one.
size_t utf8_sequence_length(const uint8_t *text, size_t left)
{
    uint8_t lead = text[0];
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                  : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || length > left)
        return 0;
    // The second byte's range excludes overlong forms, surrogates and
    // code points beyond U+10FFFF.
    uint8_t low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    uint8_t high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (size_t i = 1; i < length; i++) {
        uint8_t byte = text[i];
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

}  // namespace

std::string cli_valid_utf8(const char *text)
{
    std::string out;
    const uint8_t *bytes = reinterpret_cast<const uint8_t *>(text);
    size_t left = text ? strlen(text) : 0;
    while (left > 0) {
        size_t length = utf8_sequence_length(bytes, left);
        if (length == 0) {
            append_utf8(out, REPLACEMENT);
            length = 1;
        } else {
            out.append(reinterpret_cast<const char *>(bytes), length);
        }
        bytes += length;
        left -= length;
    }
    return out;
}

std::string cli_name_to_utf8(const char *text, size_t length, uint8_t char_sel_code)
{
    const uint8_t *bytes = reinterpret_cast<const uint8_t *>(text);
    if (!bytes)
        return std::string();
    switch (char_sel_code) {
    case 0: return decode_iso6937(bytes, length);
    case 1: return decode_single_bytes(bytes, length, iso8859_5);
    case 3: return decode_single_bytes(bytes, length, iso8859_7);
    case 5: return decode_single_bytes(bytes, length, iso8859_9);
    default: return decode_single_bytes(bytes, length, unknown_charset);
    }
}

void cli_append_printable(std::string &out, const char *text)
{
    static const char HEX[] = "0123456789abcdef";
    for (const unsigned char *c = reinterpret_cast<const unsigned char *>(text); c && *c; c++) {
        if (*c < 0x20 || *c == 0x7f) {
            out += "\\x";
            out += HEX[*c >> 4];
            out += HEX[*c & 15];
        } else {
            out += char(*c);
        }
    }
}
