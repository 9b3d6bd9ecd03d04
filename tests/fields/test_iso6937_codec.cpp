#include "fields/iso6937_codec.h"
#include "fields/station_fields.h"

#include <QScopedPointer>
#include <QTextCodec>
#include <QtTest>

namespace {

QTextCodec *iso6937()
{
    return codecForCharSelCode(0);
}

const QChar replacement(QChar::ReplacementCharacter);

} // namespace

class TestIso6937Codec : public QObject
{
    Q_OBJECT

private slots:
    void everyValidSequenceRoundTrips();
    void texts_data();
    void texts();
};

// Every byte and every diacritic with a printable ASCII letter after it
// either means nothing (U+FFFD) or reads as text that writes the same
// bytes back; and nearly every such pair is one precomposed letter.
void TestIso6937Codec::everyValidSequenceRoundTrips()
{
    int meaningless = 0;
    int precomposed = 0;
    for (int first = 0; first < 0x100; ++first) {
        for (int second = 0x20; second <= 0x7E; ++second) {
            const QByteArray bytes = QByteArray(1, char(first)) + char(second);
            const QString text = iso6937()->toUnicode(bytes);
            const QString where = QString::number(first, 16) + QLatin1Char(' ') + QString::number(second, 16);
            if (text.contains(replacement)) {
                meaningless += second == 'a';
                continue;
            }
            QVERIFY2(iso6937()->fromUnicode(text) == bytes, qPrintable(where));
            precomposed += first >= 0xC1 && first <= 0xCF && text.size() == 1;
        }
    }
    // 0xA6, 0xC0, 0xC9, 0xCC and 0xD8 to 0xDB and 0xE5 mean nothing.
    QCOMPARE(meaningless, 9);
    QVERIFY(precomposed >= 200);
}

// Some rows go one way only: bytes without meaning read as U+FFFD, and
// characters ISO 6937 cannot write are written as '?'.
void TestIso6937Codec::texts_data()
{
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<bool>("encodes");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("extra letters") << true << true << QByteArray("\xE8\xC2od\xC2z Stra\xFB" "e")
                                   << QStringLiteral("\u0141\u00F3d\u017A Stra\u00DFe");
    QTest::newRow("euro at 0xA4") << true << true << QByteArray("5\xA4") << QStringLiteral("5\u20AC");
    QTest::newRow("quotes and symbols") << true << true << QByteArray("\xAAHi\xBA \xD3")
                                        << QStringLiteral("\u201CHi\u201D \u00A9");
    QTest::newRow("spacing acute") << true << true << QByteArray("a\xC2 b") << QStringLiteral("a\u00B4b");
    QTest::newRow("no precomposed form") << true << true << QByteArray("x\xCFq!") << QStringLiteral("xq\u030C!");
    QTest::newRow("diacritic at the end") << true << false << QByteArray("Caf\xC2") << QString("Caf") + replacement;
    QTest::newRow("diacritic before a diacritic") << true << false << QByteArray("\xC2\xC8u")
                                                  << QString(replacement) + QChar(0xFC);
    QTest::newRow("CJK") << false << true << QByteArray("TV ??") << QStringLiteral("TV \u65E5\u672C");
    QTest::newRow("surrogate pair") << false << true << QByteArray("a?b") << QStringLiteral("a\U0001F600b");
    QTest::newRow("two marks") << false << true << QByteArray("\xC2" "e?") << QStringLiteral("e\u0301\u0308");
    QTest::newRow("mark without letter") << false << true << QByteArray("?x") << QStringLiteral("\u0301x");
    QTest::newRow("decomposed umlaut") << false << true << QByteArray("\xC8uber") << QStringLiteral("u\u0308ber");
}

// A decoder fed the bytes in two pieces, split anywhere, keeps a diacritic
// waiting for its letter across the split.
void TestIso6937Codec::texts()
{
    QFETCH(bool, decodes);
    QFETCH(bool, encodes);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    if (encodes)
        QCOMPARE(iso6937()->fromUnicode(text), bytes);
    if (decodes)
        QCOMPARE(iso6937()->toUnicode(bytes), text);
    if (!decodes || text.contains(replacement))
        return;
    for (int split = 0; split <= bytes.size(); ++split) {
        QScopedPointer<QTextDecoder> decoder(iso6937()->makeDecoder());
        QString pieces = decoder->toUnicode(bytes.left(split));
        pieces += decoder->toUnicode(bytes.mid(split));
        QCOMPARE(pieces, text);
        QVERIFY(!decoder->hasFailure());
    }
}

QTEST_MAIN(TestIso6937Codec)
#include "test_iso6937_codec.moc"
