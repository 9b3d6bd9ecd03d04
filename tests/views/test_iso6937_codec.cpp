#include "views/iso6937_codec.h"
#include "views/station_fields.h"

#include <QScopedPointer>
#include <QTextCodec>
#include <QtTest>

namespace {

QTextCodec *iso6937()
{
    return codecForCharSelCode(0);
}

bool isDiacritic(int byte)
{
    return byte >= 0xC1 && byte <= 0xCF && byte != 0xC9 && byte != 0xCC;
}

}  // namespace

class TestIso6937Codec : public QObject
{
    Q_OBJECT

private slots:
    void registeredUnderItsName();
    void namesBothWays_data();
    void namesBothWays();
    void bytesWithoutMeaning_data();
    void bytesWithoutMeaning();
    void diacriticWithoutPrecomposedForm_data();
    void diacriticWithoutPrecomposedForm();
    void charactersWithoutForm_data();
    void charactersWithoutForm();
    void everySingleByteRoundTrips();
    void everyDiacriticPairRoundTrips();
    void decoderJoinsDiacriticAcrossChunks();
    void invalidCharactersAreCounted();
};

void TestIso6937Codec::registeredUnderItsName()
{
    QTextCodec *codec = iso6937();
    QVERIFY(codec);
    QCOMPARE(codec->name(), QByteArray("ISO 6937"));
    QCOMPARE(QTextCodec::codecForName("ISO 6937"), codec);
    QCOMPARE(QTextCodec::codecForName("iso-6937"), codec);
}

void TestIso6937Codec::namesBothWays_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("Das Erste HD") << QStringLiteral("Das Erste HD");
    QTest::newRow("umlaut") << QByteArray("S\xC8uddeutsche") << QStringLiteral("S\u00FCddeutsche");
    QTest::newRow("acute twice") << QByteArray("T\xC2" "el\xC2" "e") << QStringLiteral("T\u00E9l\u00E9");
    QTest::newRow("caron") << QByteArray("\xCF" "Ct") << QStringLiteral("\u010Ct");
    QTest::newRow("sharp s") << QByteArray("Stra\xFB" "e") << QStringLiteral("Stra\u00DFe");
    QTest::newRow("capital umlaut") << QByteArray("\xC8O1") << QStringLiteral("\u00D61");
    QTest::newRow("Polish") << QByteArray("\xE8\xC2od\xC2z") << QStringLiteral("\u0141\u00F3d\u017A");
    QTest::newRow("Danish") << QByteArray("\xE9rsted \xF1" "ble") << QStringLiteral("\u00D8rsted \u00E6ble");
    QTest::newRow("cedilla") << QByteArray("Fran\xCB" "ce 3") << QStringLiteral("Fran\u00E7e 3");
    QTest::newRow("ring") << QByteArray("\xCA" "Arhus") << QStringLiteral("\u00C5rhus");
    QTest::newRow("double acute") << QByteArray("Gy\xCDor") << QStringLiteral("Gy\u0151r");
    QTest::newRow("ogonek") << QByteArray("\xCE" "e") << QStringLiteral("\u0119");
    QTest::newRow("tilde") << QByteArray("Espa\xC4n" "a") << QStringLiteral("Espa\u00F1a");
    QTest::newRow("grave") << QByteArray("Rai \xC1" "e") << QStringLiteral("Rai \u00E8");
    QTest::newRow("circumflex") << QByteArray("Ch\xC3" "ateau") << QStringLiteral("Ch\u00E2teau");
    QTest::newRow("dot above") << QByteArray("\xC7Z") << QStringLiteral("\u017B");
    QTest::newRow("breve") << QByteArray("\xC6g") << QStringLiteral("\u011F");
    QTest::newRow("macron") << QByteArray("\xC5" "a") << QStringLiteral("\u0101");
    QTest::newRow("euro") << QByteArray("Preis 5\xA4") << QStringLiteral("Preis 5\u20AC");
    QTest::newRow("symbols") << QByteArray("\xD3\xD2\xD4\xB0\xBD") << QStringLiteral("\u00A9\u00AE\u2122\u00B0\u00BD");
    QTest::newRow("quotes") << QByteArray("\xAA" "Hi\xBA") << QStringLiteral("\u201CHi\u201D");
    QTest::newRow("dotless i") << QByteArray("\xF5") << QStringLiteral("\u0131");
    QTest::newRow("spacing acute") << QByteArray("a\xC2 b") << QStringLiteral("a\u00B4b");
    QTest::newRow("spacing caron") << QByteArray("\xCF ") << QStringLiteral("\u02C7");
    QTest::newRow("control codes") << QByteArray("A\x86" "B\x87\x8A") << QStringLiteral("A\u0086B\u0087\u008A");
}

void TestIso6937Codec::namesBothWays()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(iso6937()->toUnicode(bytes), text);
    QCOMPARE(iso6937()->fromUnicode(text), bytes);
}

void TestIso6937Codec::bytesWithoutMeaning_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QChar r(0xFFFD);
    QTest::newRow("0xA6") << QByteArray("a\xA6" "b") << QString("a") + r + "b";
    QTest::newRow("0xC0") << QByteArray("\xC0" "a") << QString(r) + "a";
    QTest::newRow("0xC9") << QByteArray("\xC9" "a") << QString(r) + "a";
    QTest::newRow("0xCC") << QByteArray("\xCC" "a") << QString(r) + "a";
    QTest::newRow("diacritic at the end") << QByteArray("Caf\xC2") << QString("Caf") + r;
    QTest::newRow("diacritic before a diacritic")
        << QByteArray("\xC2\xC8u") << QString(r) + QChar(0x00FC);
    QTest::newRow("diacritic before a symbol")
        << QByteArray("\xC2\xFB") << QString(r) + QChar(0x00DF);
    QTest::newRow("diacritic before a line feed")
        << QByteArray("\xC8\n") << QString(r) + "\n";
}

void TestIso6937Codec::bytesWithoutMeaning()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(iso6937()->toUnicode(bytes), text);
}

void TestIso6937Codec::diacriticWithoutPrecomposedForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("acute q") << QByteArray("\xC2q") << QStringLiteral("q\u0301");
    QTest::newRow("diaeresis digit") << QByteArray("\xC8" "1") << QStringLiteral("1\u0308");
    QTest::newRow("grave space") << QByteArray("\xC1 ") << QStringLiteral(" \u0300");
    QTest::newRow("caron inside a word")
        << QByteArray("x\xCFq!") << QStringLiteral("xq\u030C!");
}

// The letter keeps its mark as a combining character and is written back
// the way it came.
void TestIso6937Codec::diacriticWithoutPrecomposedForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(iso6937()->toUnicode(bytes), text);
    QCOMPARE(iso6937()->fromUnicode(text), bytes);
}

void TestIso6937Codec::charactersWithoutForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CJK") << QStringLiteral("TV \u65E5\u672C") << QByteArray("TV ??");
    QTest::newRow("Cyrillic") << QStringLiteral("\u041F\u0435\u0440\u0432\u044B\u0439")
                              << QByteArray("??????");
    QTest::newRow("surrogate pair") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("two marks") << QStringLiteral("e\u0301\u0308") << QByteArray("\xC2" "e?");
    QTest::newRow("mark without letter") << QStringLiteral("\u0301x") << QByteArray("?x");
    QTest::newRow("mark after a symbol") << QStringLiteral("\u00DF\u0301") << QByteArray("\xFB?");
    QTest::newRow("letter with two accents") << QStringLiteral("\u01D5") << QByteArray("?");
    QTest::newRow("decomposed umlaut")
        << QStringLiteral("u\u0308ber") << QByteArray("\xC8uber");
    QTest::newRow("capital eth") << QStringLiteral("\u00D0") << QByteArray("\xE2");
}

void TestIso6937Codec::charactersWithoutForm()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(iso6937()->fromUnicode(text), bytes);
}

void TestIso6937Codec::everySingleByteRoundTrips()
{
    const QList<int> unassigned = {0xA6, 0xC0, 0xC9, 0xCC, 0xD8, 0xD9, 0xDA, 0xDB, 0xE5};
    for (int byte = 0; byte < 0x100; ++byte) {
        if (isDiacritic(byte))
            continue;
        const QByteArray bytes(1, char(byte));
        const QString text = iso6937()->toUnicode(bytes);
        QCOMPARE(text.size(), 1);
        if (unassigned.contains(byte)) {
            QCOMPARE(text.at(0), QChar(QChar::ReplacementCharacter));
            continue;
        }
        QVERIFY2(text.at(0) != QChar(QChar::ReplacementCharacter), qPrintable(QString::number(byte, 16)));
        QCOMPARE(iso6937()->fromUnicode(text), bytes);
    }
}

void TestIso6937Codec::everyDiacriticPairRoundTrips()
{
    int precomposed = 0;
    for (int diacritic = 0xC1; diacritic <= 0xCF; ++diacritic) {
        if (!isDiacritic(diacritic))
            continue;
        for (int base = 0x20; base <= 0x7E; ++base) {
            const QByteArray bytes = QByteArray(1, char(diacritic)) + char(base);
            const QString text = iso6937()->toUnicode(bytes);
            QVERIFY(!text.contains(QChar(QChar::ReplacementCharacter)));
            QVERIFY2(iso6937()->fromUnicode(text) == bytes,
                     qPrintable(QStringLiteral("%1 %2").arg(diacritic, 0, 16).arg(base, 0, 16)));
            precomposed += text.size() == 1;
        }
    }
    // Every letter ISO 6937 writes with one diacritic has a precomposed form.
    QVERIFY(precomposed >= 200);
}

void TestIso6937Codec::decoderJoinsDiacriticAcrossChunks()
{
    QScopedPointer<QTextDecoder> decoder(iso6937()->makeDecoder());
    QString text = decoder->toUnicode(QByteArray("S\xC8"));
    text += decoder->toUnicode(QByteArray("uddeutsche \xC2"));
    text += decoder->toUnicode(QByteArray("e"));
    QCOMPARE(text, QStringLiteral("S\u00FCddeutsche \u00E9"));
    QVERIFY(!decoder->hasFailure());
}

void TestIso6937Codec::invalidCharactersAreCounted()
{
    QTextCodec::ConverterState state;
    const QByteArray bytes("a\xA6\xC2\xFB");
    iso6937()->toUnicode(bytes.constData(), bytes.size(), &state);
    QCOMPARE(state.invalidChars, 2);

    QTextCodec::ConverterState encodeState;
    const QString text = QStringLiteral("\u65E5a\u0416");
    iso6937()->fromUnicode(text.constData(), text.size(), &encodeState);
    QCOMPARE(encodeState.invalidChars, 2);

    QTextCodec::ConverterState nullState(QTextCodec::ConvertInvalidToNull);
    QCOMPARE(iso6937()->toUnicode("x\xE5", 2, &nullState), QString("x") + QChar(QChar::Null));
}

QTEST_MAIN(TestIso6937Codec)
#include "test_iso6937_codec.moc"
