#ifndef KANVIO_FIELDS_ISO6937_CODEC_H
#define KANVIO_FIELDS_ISO6937_CODEC_H

#include <QTextCodec>

#include <array>

// The default character set of station names: ISO/IEC 6937 as DVB uses it,
// ASCII below 0x80, symbols and extra letters in the upper half, and the
// non-spacing diacritics 0xC1 to 0xCF written before the letter they mark.
// Registered with Qt under the name "ISO 6937".
//
// Decoding joins a diacritic and its letter into the precomposed character,
// or into the letter followed by the combining mark when Unicode has no
// precomposed form; a byte without meaning becomes U+FFFD. Encoding gives
// '?' for a character with no ISO 6937 form. Bytes that decode without
// U+FFFD encode back to the same bytes.
class Iso6937Codec : public QTextCodec
{
public:
    // Makes the codec known to QTextCodec::codecForName once; later calls do
    // nothing. Qt owns the codec from then on.
    static void registerCodec();

    QByteArray name() const override;
    int mibEnum() const override;

protected:
    QString convertToUnicode(const char *in, int length, ConverterState *state) const override;
    QByteArray convertFromUnicode(const QChar *in, int length, ConverterState *state) const override;

private:
    Iso6937Codec();

    void fillSingleBytes();
    void fillDiacritics();
    void encodeAs(char16_t character, int bytes);
    char16_t combined(uchar diacritic, uchar base) const;
    // The diacritic byte that writes a combining mark; 0 for other characters.
    uchar diacriticOfMark(char16_t character) const;

    // Character of each single byte; 0 for diacritics and bytes without meaning.
    std::array<char16_t, 256> byteCharacters{};
    // Precomposed character of diacritic byte 0xC0 + i and base 0x20 + j; 0 for none.
    std::array<std::array<char16_t, 95>, 16> composedCharacters{};
    // Bytes of each UTF-16 code unit: the byte, or diacritic << 8 | base; -1 for none.
    std::array<int, 0x10000> characterBytes;
};

#endif
