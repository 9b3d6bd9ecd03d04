#include "fields/iso6937_codec.h"

namespace {

const char16_t replacementCharacter = 0xFFFD;
const char replacementByte = '?';

const uchar firstDiacritic = 0xC0;
const uchar lastDiacritic = 0xCF;
const uchar firstBase = 0x20;
const uchar lastBase = 0x7E;

bool isDiacriticByte(uchar byte)
{
    return byte >= firstDiacritic && byte <= lastDiacritic;
}

bool isBaseByte(uchar byte)
{
    return byte >= firstBase && byte <= lastBase;
}

// Upper half from 0xA0 on, diacritics left out; 0 where the set assigns
// nothing. DVB's default table adds the euro sign at 0xA4, which plain
// ISO 6937 leaves empty.
const char16_t upperHalf[96] = {
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AC, 0x00A5, 0,      0x00A7,  // A0
    0x00A4, 0x2018, 0x201C, 0x00AB, 0x2190, 0x2191, 0x2192, 0x2193,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00D7, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00F7, 0x2019, 0x201D, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0,      0,      0,      0,      0,      0,      0,      0,       // C0
    0,      0,      0,      0,      0,      0,      0,      0,       // C8
    0x2015, 0x00B9, 0x00AE, 0x00A9, 0x2122, 0x266A, 0x00AC, 0x00A6,  // D0
    0,      0,      0,      0,      0x215B, 0x215C, 0x215D, 0x215E,  // D8
    0x2126, 0x00C6, 0x0110, 0x00AA, 0x0126, 0,      0x0132, 0x013F,  // E0
    0x0141, 0x00D8, 0x0152, 0x00BA, 0x00DE, 0x0166, 0x014A, 0x0149,  // E8
    0x0138, 0x00E6, 0x0111, 0x00F0, 0x0127, 0x0131, 0x0133, 0x0140,  // F0
    0x0142, 0x00F8, 0x0153, 0x00DF, 0x00FE, 0x0167, 0x014B, 0x00AD,  // F8
};

// Combining mark of each diacritic byte 0xC0 to 0xCF; 0xC0, 0xC9 and 0xCC
// are unassigned.
const char16_t combiningMarks[16] = {
    0,      0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307,
    0x0308, 0,      0x030A, 0x0327, 0,      0x030B, 0x0328, 0x030C,
};

// A diacritic before a space is the spacing form of the accent. Grave,
// circumflex and tilde have theirs in ASCII, so with a space they stay
// a space and a combining mark.
struct SpacingAccent {
    uchar diacritic;
    char16_t character;
};

const SpacingAccent spacingAccents[] = {
    {0xC2, 0x00B4}, {0xC5, 0x00AF}, {0xC6, 0x02D8}, {0xC7, 0x02D9}, {0xC8, 0x00A8},
    {0xCA, 0x02DA}, {0xCB, 0x00B8}, {0xCD, 0x02DD}, {0xCE, 0x02DB}, {0xCF, 0x02C7},
};

// Icelandic capital eth looks like capital D with stroke and has no byte of
// its own; it is written as that letter.
const char16_t capitalEth = 0x00D0;
const uchar capitalDWithStroke = 0xE2;

}  // namespace

void Iso6937Codec::registerCodec()
{
    // QTextCodec's constructor adds the codec to Qt's registry, which deletes
    // it when the program ends.
    static const Iso6937Codec *const codec = new Iso6937Codec;
    Q_UNUSED(codec);
}

Iso6937Codec::Iso6937Codec()
{
    characterBytes.fill(-1);
    fillSingleBytes();
    fillDiacritics();
}

void Iso6937Codec::fillSingleBytes()
{
    // ASCII, and the C0 and C1 control ranges as their own code points.
    for (int byte = 0; byte < 0xA0; ++byte)
        byteCharacters[byte] = char16_t(byte);
    for (int byte = 0xA0; byte < 0x100; ++byte)
        byteCharacters[byte] = upperHalf[byte - 0xA0];
    for (int byte = 0; byte < 0x100; ++byte) {
        if (byteCharacters[byte] != 0 || byte == 0)
            encodeAs(byteCharacters[byte], byte);
    }
    encodeAs(capitalEth, capitalDWithStroke);
}

void Iso6937Codec::fillDiacritics()
{
    for (int i = 0; i < 16; ++i) {
        const char16_t mark = combiningMarks[i];
        if (mark == 0)
            continue;
        for (int base = firstBase; base <= lastBase; ++base) {
            const QChar pair[2] = {QChar(base), QChar(mark)};
            const QString composed =
                QString(pair, 2).normalized(QString::NormalizationForm_C);
            if (composed.size() != 1)
                continue;
            composedCharacters[i][base - firstBase] = composed.at(0).unicode();
            encodeAs(composed.at(0).unicode(), (firstDiacritic + i) << 8 | base);
        }
    }
    for (const SpacingAccent &accent : spacingAccents) {
        composedCharacters[accent.diacritic - firstDiacritic][0] = accent.character;
        encodeAs(accent.character, accent.diacritic << 8 | ' ');
    }
}

void Iso6937Codec::encodeAs(char16_t character, int bytes)
{
    characterBytes[character] = bytes;
}

char16_t Iso6937Codec::combined(uchar diacritic, uchar base) const
{
    return composedCharacters[diacritic - firstDiacritic][base - firstBase];
}

uchar Iso6937Codec::diacriticOfMark(char16_t character) const
{
    for (int i = 0; i < 16; ++i) {
        if (combiningMarks[i] != 0 && combiningMarks[i] == character)
            return uchar(firstDiacritic + i);
    }
    return 0;
}

QByteArray Iso6937Codec::name() const
{
    return QByteArrayLiteral("ISO 6937");
}

// ISO 6937 as DVB uses it has no IANA number; negative numbers are the
// private range of Qt's own codecs.
int Iso6937Codec::mibEnum() const
{
    return -6937;
}

QString Iso6937Codec::convertToUnicode(const char *in, int length, ConverterState *state) const
{
    const QChar invalid = state && (state->flags & ConvertInvalidToNull)
                              ? QChar(QChar::Null)
                              : QChar(replacementCharacter);
    int invalidCount = 0;
    // A diacritic waits for its base letter, across calls when a state
    // carries it.
    uchar pending = state && state->remainingChars > 0 ? uchar(state->state_data[0]) : 0;

    QString text;
    text.reserve(length + 1);
    for (int i = 0; i < length; ++i) {
        const uchar byte = uchar(in[i]);
        if (pending != 0) {
            const uchar diacritic = pending;
            pending = 0;
            if (isBaseByte(byte)) {
                const char16_t composed = combined(diacritic, byte);
                if (composed != 0) {
                    text.append(QChar(composed));
                } else {
                    text.append(QChar(byte));
                    text.append(QChar(combiningMarks[diacritic - firstDiacritic]));
                }
                continue;
            }
            text.append(invalid);
            ++invalidCount;
        }
        if (isDiacriticByte(byte) && combiningMarks[byte - firstDiacritic] != 0) {
            pending = byte;
        } else if (byteCharacters[byte] != 0 || byte == 0) {
            text.append(QChar(byteCharacters[byte]));
        } else {
            text.append(invalid);
            ++invalidCount;
        }
    }

    if (state) {
        state->remainingChars = pending != 0 ? 1 : 0;
        state->state_data[0] = pending;
        state->invalidChars += invalidCount;
    } else if (pending != 0) {
        text.append(invalid);
    }
    return text;
}

QByteArray Iso6937Codec::convertFromUnicode(const QChar *in, int length,
                                            ConverterState *state) const
{
    const char invalid = state && (state->flags & ConvertInvalidToNull) ? '\0' : replacementByte;
    int invalidCount = 0;

    QByteArray bytes;
    bytes.reserve(length);
    for (int i = 0; i < length; ++i) {
        const char16_t character = in[i].unicode();
        const int encoded = characterBytes[character];
        // A letter followed by a combining mark is written as the diacritic
        // before the letter: the form decoding gives for letters that have no
        // precomposed character.
        if (encoded >= 0 && encoded < 0x100 && isBaseByte(uchar(encoded)) && i + 1 < length) {
            const uchar diacritic = diacriticOfMark(in[i + 1].unicode());
            if (diacritic != 0) {
                bytes.append(char(diacritic));
                bytes.append(char(encoded));
                ++i;
                continue;
            }
        }
        if (encoded >= 0x100) {
            bytes.append(char(encoded >> 8));
            bytes.append(char(encoded & 0xFF));
        } else if (encoded >= 0) {
            bytes.append(char(encoded));
        } else {
            bytes.append(invalid);
            ++invalidCount;
            if (in[i].isHighSurrogate() && i + 1 < length && in[i + 1].isLowSurrogate())
                ++i;
        }
    }
    if (state)
        state->invalidChars += invalidCount;
    return bytes;
}
