#include "app/strings.h"
#include "app/version.h"

#include <QCoreApplication>
#include <QSet>
#include <QTranslator>
#include <QtTest>

namespace {

const char aboutVersionTail[] = "<p><b>Version: " KANVIO_VERSION "</b></p>";

// Texts whose German is the same word or abbreviation as the English.
const QSet<int> textsAlikeInGerman = {
    Strings::ExportCsvAction, Strings::PidsPage, Strings::ServiceIdHeader, Strings::VideoTypeHeader,
    Strings::AudioTypeHeader, Strings::DecoderLabel, Strings::EpgLabel, Strings::ModulationLabel,
    Strings::ModulationHeader, Strings::PolarisationLabel, Strings::PolarisationHeader, Strings::FecLabel,
    Strings::TransportStreamIdHeader, Strings::OriginNetworkIdHeader, Strings::CniHeader, Strings::CtiLabel,
    Strings::Reserved181, Strings::TvTab, Strings::DvbTab, Strings::HdText, Strings::FilterLabel,
    Strings::DvbcOption, Strings::DvbsOption, Strings::DvbtOption,
};

QStringList allTexts()
{
    QStringList texts;
    for (int id = 0; id < Strings::TextCount; ++id)
        texts.append(Strings::text(id));
    return texts;
}

} // namespace

class TestStrings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void tableHoldsEveryText();
    void englishTexts_data();
    void englishTexts();
    void aboutTextEndsWithVersion_data();
    void aboutTextEndsWithVersion();
    void germanMenusAndActions_data();
    void germanMenusAndActions();
    void everyTextHasGerman();
    void switchingBackRestoresEnglish();
    void translatorIsGoneAfterSwitch();
    void loadUsesInstalledTranslators();
};

void TestStrings::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(KANVIO_VERSION));
}

void TestStrings::init()
{
    Strings::setLanguage(Strings::English);
}

void TestStrings::tableHoldsEveryText()
{
    QCOMPARE(int(Strings::TextCount), 224);
    for (int id = 0; id < Strings::TextCount; ++id)
        QVERIFY2(!Strings::text(id).isEmpty(), qPrintable(QString::number(id)));
    QVERIFY(Strings::text(Strings::TextCount).isNull());
    QVERIFY(Strings::text(-1).isNull());
}

void TestStrings::englishTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("expectedId");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << int(Strings::FileMenu) << 0 << QStringLiteral("&File");
    QTest::newRow("last menu") << int(Strings::CaModuleMenu) << 7 << QStringLiteral("Used CA module");
    QTest::newRow("after reserved 31") << int(Strings::PrintAction) << 32 << QStringLiteral("Print");
    QTest::newRow("last action") << int(Strings::CopyStationDataAction) << 35 << QStringLiteral("Copy station data");
    QTest::newRow("add button tip") << int(Strings::AddFavoriteListTip) << 62 << QStringLiteral("Creates a new favorite list");
    QTest::newRow("line break") << int(Strings::SaveChangesQuestion) << 65
                                << QStringLiteral("The station table has been modified.\nDo you want to save your changes?");
    QTest::newRow("option table error") << int(Strings::OptionsLoadFailedMessage) << 67
                                        << QStringLiteral("Loading of 'svl_station_options.xml' failed!");
    QTest::newRow("file error") << int(Strings::FileErrorTitle) << 68 << QStringLiteral("File error");
    QTest::newRow("unknown import error") << int(Strings::UnknownImportErrorMessage) << 78
                                          << QStringLiteral("Unknown error occured while importing station table from TV device at '");
    QTest::newRow("first page") << int(Strings::GeneralSettingsPage) << 100 << QStringLiteral("General settings");
    QTest::newRow("station name") << int(Strings::StationNameLabel) << 128 << QStringLiteral("Station name");
    QTest::newRow("after reserved 134") << int(Strings::ModulationLabel) << 135 << QStringLiteral("Modulation");
    QTest::newRow("after reserved 177, 178") << int(Strings::OriginNameLabel) << 179 << QStringLiteral("Origin name");
    QTest::newRow("cancel") << int(Strings::CancelButton) << 182 << QStringLiteral("Cancel");
    QTest::newRow("placeholders") << int(Strings::CopyCommandText) << 200 << QStringLiteral("Copy %1 station(s) to list '%2'");
    QTest::newRow("trailing blank") << int(Strings::NetworkDeviceTitle) << 209
                                    << QStringLiteral("Stations from network device - ");
    QTest::newRow("blanks around") << int(Strings::OfSeparator) << 214 << QStringLiteral(" of ");
    QTest::newRow("last") << int(Strings::ReceiveModeLabel) << 223 << QStringLiteral("Receive mode");
}

void TestStrings::englishTexts()
{
    QFETCH(int, id);
    QFETCH(int, expectedId);
    QFETCH(QString, text);
    QCOMPARE(id, expectedId);
    QCOMPARE(Strings::text(id), text);
}

void TestStrings::aboutTextEndsWithVersion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("opening");
    QTest::newRow("English") << int(Strings::English) << QStringLiteral("The <b>Kanvio</b> is a tool");
    QTest::newRow("German") << int(Strings::German) << QStringLiteral("<b>Kanvio</b> ist ein Werkzeug");
}

void TestStrings::aboutTextEndsWithVersion()
{
    QFETCH(int, language);
    QFETCH(QString, opening);
    Strings::setLanguage(language);
    const QString about = Strings::text(Strings::AboutText);
    QVERIFY2(about.startsWith(opening), qPrintable(about));
    QVERIFY2(about.endsWith(QLatin1String(aboutVersionTail)), qPrintable(about));
    QVERIFY(about.contains(QLatin1String("'svl40' ")));
}

void TestStrings::germanMenusAndActions_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("german");
    QTest::newRow("FileMenu") << int(Strings::FileMenu) << QStringLiteral("&Datei");
    QTest::newRow("EditMenu") << int(Strings::EditMenu) << QStringLiteral("&Bearbeiten");
    QTest::newRow("StationTableMenu") << int(Strings::StationTableMenu) << QStringLiteral("Sender-Tabelle");
    QTest::newRow("SettingsMenu") << int(Strings::SettingsMenu) << QStringLiteral("&Einstellungen");
    QTest::newRow("LanguageMenu") << int(Strings::LanguageMenu) << QStringLiteral("Sprache");
    QTest::newRow("ViewMenu") << int(Strings::ViewMenu) << QStringLiteral("&Ansicht");
    QTest::newRow("HelpMenu") << int(Strings::HelpMenu) << QStringLiteral("&Hilfe");
    QTest::newRow("CaModuleMenu") << int(Strings::CaModuleMenu) << QStringLiteral("Verw. CA-Modul");
    QTest::newRow("NewFileAction") << int(Strings::NewFileAction) << QStringLiteral("Neue Datei");
    QTest::newRow("OpenAction") << int(Strings::OpenAction) << QStringLiteral("Öffnen...");
    QTest::newRow("SaveAction") << int(Strings::SaveAction) << QStringLiteral("Speichern");
    QTest::newRow("SaveAsAction") << int(Strings::SaveAsAction) << QStringLiteral("Speichern unter...");
    QTest::newRow("ExportCsvAction") << int(Strings::ExportCsvAction) << QStringLiteral("Export CSV");
    QTest::newRow("ImportFromTvAction") << int(Strings::ImportFromTvAction) << QStringLiteral("Von TV-Gerät importieren");
    QTest::newRow("ExportToTvAction") << int(Strings::ExportToTvAction) << QStringLiteral("Zu TV-Gerät exportieren");
    QTest::newRow("AppendStationsAction") << int(Strings::AppendStationsAction) << QStringLiteral("Sender anhängen");
    QTest::newRow("DeleteAction") << int(Strings::DeleteAction) << QStringLiteral("Löschen");
    QTest::newRow("OptionsAction") << int(Strings::OptionsAction) << QStringLiteral("Optionen");
    QTest::newRow("ChildLockAction") << int(Strings::ChildLockAction) << QStringLiteral("Kindersicherung");
    QTest::newRow("ContainedInEpgAction") << int(Strings::ContainedInEpgAction) << QStringLiteral("In EPG enthalten");
    QTest::newRow("DefaultSettingsAction") << int(Strings::DefaultSettingsAction) << QStringLiteral("Standard-Einstellungen");
    QTest::newRow("EnglishAction") << int(Strings::EnglishAction) << QStringLiteral("Englisch");
    QTest::newRow("GermanAction") << int(Strings::GermanAction) << QStringLiteral("Deutsch");
    QTest::newRow("ListViewAction") << int(Strings::ListViewAction) << QStringLiteral("Listen-Ansicht");
    QTest::newRow("TableViewAction") << int(Strings::TableViewAction) << QStringLiteral("Tabellen-Ansicht");
    QTest::newRow("ExitAction") << int(Strings::ExitAction) << QStringLiteral("Beenden");
    QTest::newRow("AboutAction") << int(Strings::AboutAction) << QStringLiteral("Über Kanvio");
    QTest::newRow("ShowToolbarAction") << int(Strings::ShowToolbarAction) << QStringLiteral("Zeige Symbolleiste");
    QTest::newRow("SearchStationAction") << int(Strings::SearchStationAction) << QStringLiteral("Sender suchen");
    QTest::newRow("UndoAction") << int(Strings::UndoAction) << QStringLiteral("Rückgängig");
    QTest::newRow("RedoAction") << int(Strings::RedoAction) << QStringLiteral("Wiederherstellen");
    QTest::newRow("PrintAction") << int(Strings::PrintAction) << QStringLiteral("Drucken");
    QTest::newRow("ConvertTableAction") << int(Strings::ConvertTableAction) << QStringLiteral("Tabelle konvertieren");
    QTest::newRow("AdvancedSearchAction") << int(Strings::AdvancedSearchAction) << QStringLiteral("Erweiterte Sender-Suche");
    QTest::newRow("CopyStationDataAction") << int(Strings::CopyStationDataAction) << QStringLiteral("Senderdaten kopieren");
}

void TestStrings::germanMenusAndActions()
{
    QFETCH(int, id);
    QFETCH(QString, german);
    Strings::setLanguage(Strings::German);
    QCOMPARE(Strings::text(id), german);
}

// A text left untranslated in the catalogue is dropped by lrelease and
// would show up in English.
void TestStrings::everyTextHasGerman()
{
    const QStringList english = allTexts();
    Strings::setLanguage(Strings::German);
    const QStringList german = allTexts();
    for (int id = 0; id < Strings::TextCount; ++id) {
        QVERIFY2(!german.at(id).isEmpty(), qPrintable(QString::number(id)));
        const bool alike = german.at(id) == english.at(id);
        QVERIFY2(alike == textsAlikeInGerman.contains(id), qPrintable(QString::number(id) + QLatin1Char(' ') + german.at(id)));
    }
}

void TestStrings::switchingBackRestoresEnglish()
{
    const QStringList english = allTexts();
    Strings::setLanguage(Strings::German);
    QCOMPARE(Strings::text(Strings::FileMenu), QStringLiteral("&Datei"));
    Strings::setLanguage(Strings::English);
    QCOMPARE(allTexts(), english);
}

void TestStrings::translatorIsGoneAfterSwitch()
{
    Strings::setLanguage(Strings::German);
    QCOMPARE(Strings::text(Strings::HelpMenu), QStringLiteral("&Hilfe"));
    QCOMPARE(QCoreApplication::translate("Strings", "&Help"), QStringLiteral("&Help"));
}

void TestStrings::loadUsesInstalledTranslators()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/german_la")));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    Strings::load();
    QCOMPARE(Strings::text(Strings::LanguageMenu), QStringLiteral("Sprache"));
    QCoreApplication::removeTranslator(&translator);
    Strings::load();
    QCOMPARE(Strings::text(Strings::LanguageMenu), QStringLiteral("Language"));
}

QTEST_GUILESS_MAIN(TestStrings)
#include "test_strings.moc"
