// Built without the program's resources, so the German catalogue resource
// is missing; the compiled catalogue file stands in to reach German first.
#include "app/strings.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

class TestStringsWithoutCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void failedSwitchKeepsLanguage();
};

void TestStringsWithoutCatalogue::failedSwitchKeepsLanguage()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(KANVIO_CATALOGUE_FILE)));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Strings::load();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(Strings::text(Strings::FileMenu), QStringLiteral("&Datei"));

    Strings::setLanguage(Strings::German);

    QCOMPARE(Strings::text(Strings::FileMenu), QStringLiteral("&Datei"));
    QCOMPARE(Strings::text(Strings::ReceiveModeLabel), QStringLiteral("Empfangsart"));
}

QTEST_GUILESS_MAIN(TestStringsWithoutCatalogue)
#include "test_strings_without_catalogue.moc"
