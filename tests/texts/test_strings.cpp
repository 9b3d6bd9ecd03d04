#include "texts/strings.h"
#include "texts/version.h"

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QLatin1String aboutVersionTail("<p><b>Version: " KANVIO_VERSION "</b></p>");

// Source text -> translation of every message of the German catalogue's
// source file.
QHash<QString, QString> catalogueMessages()
{
    QFile file(QStringLiteral(KANVIO_CATALOGUE_SOURCE));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, QString> messages;
    QXmlStreamReader reader(&file);
    QString source;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("source")) {
            source = reader.readElementText();
        } else if (reader.name() == QLatin1String("translation")) {
            messages.insert(source, reader.readElementText());
        }
    }
    return messages;
}

// The text of an id as the catalogue holds it: the about text ends with
// the version, untranslated, which the catalogue leaves out. Nothing when
// the version is missing, which no catalogue entry matches.
QString catalogueForm(int id)
{
    const QString text = Strings::text(id);
    if (id != Strings::AboutText)
        return text;
    return text.endsWith(aboutVersionTail) ? text.chopped(aboutVersionTail.size()) : QString();
}

} // namespace

class TestStrings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textsAtFixedPositions_data();
    void textsAtFixedPositions();
    void catalogueTranslatesEveryTextAndNothingElse();
    void failedSwitchKeepsLanguage();
};

void TestStrings::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(KANVIO_VERSION));
}

void TestStrings::textsAtFixedPositions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    const int en = Strings::English;
    const int de = Strings::German;
    QTest::newRow("two arguments") << en << 200 << "Copy %1 station(s) to list '%2'";
    QTest::newRow("blanks around") << en << 214 << " of ";
    QTest::newRow("German first") << de << 0 << "&Datei";
    QTest::newRow("last, after German") << en << 223 << "Receive mode";
    QTest::newRow("outside the table") << en << int(Strings::TextCount) << QString();
    QTest::newRow("negative id") << en << -1 << QString();
}

void TestStrings::textsAtFixedPositions()
{
    QFETCH(int, language);
    QFETCH(int, id);
    QFETCH(QString, text);
    Strings::setLanguage(language);
    QCOMPARE(Strings::text(id), text);
}

// A text missing from the catalogue would show up in English, a translation
// that lost a "%1" would drop a number from its message, and an entry whose
// text no longer exists is dead weight for the translator.
void TestStrings::catalogueTranslatesEveryTextAndNothingElse()
{
    const QHash<QString, QString> catalogue = catalogueMessages();
    Strings::setLanguage(Strings::English);
    QStringList english;
    for (int id = 0; id < Strings::TextCount; ++id)
        english << catalogueForm(id);
    Strings::setLanguage(Strings::German);
    // The translator serves only the rebuild of the table.
    QCOMPARE(QCoreApplication::translate("Strings", "&Help"), QStringLiteral("&Help"));

    QSet<QString> stale(catalogue.keyBegin(), catalogue.keyEnd());
    for (int id = 0; id < Strings::TextCount; ++id) {
        const QString where = QString::number(id) + QLatin1Char(' ') + english[id];
        const QString german = catalogue.value(english[id]);
        stale.remove(english[id]);
        QVERIFY2(!german.isEmpty(), qPrintable(where));
        QVERIFY2(catalogueForm(id) == german, qPrintable(where));
        for (const QLatin1String argument : {QLatin1String("%1"), QLatin1String("%2")})
            QVERIFY2(german.contains(argument) == english[id].contains(argument), qPrintable(where));
    }
    QVERIFY2(stale.isEmpty(), qPrintable(QStringList(stale.values()).join(QLatin1String(" | "))));
}

// Without the catalogue German cannot be loaded; the table stays as it was
// rather than falling back to the source texts.
void TestStrings::failedSwitchKeepsLanguage()
{
    Strings::setLanguage(Strings::German);
    Q_CLEANUP_RESOURCE(translations);
    Strings::setLanguage(Strings::German);
    const QString shown = Strings::text(Strings::FileMenu);
    Q_INIT_RESOURCE(translations);
    QCOMPARE(shown, QStringLiteral("&Datei"));
}

QTEST_GUILESS_MAIN(TestStrings)
#include "test_strings.moc"
