#include "texts/strings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

#include <iterator>

namespace {

const char *const sourceTexts[] = {
    QT_TRANSLATE_NOOP("Strings", "&File"),
    QT_TRANSLATE_NOOP("Strings", "&Edit"),
    QT_TRANSLATE_NOOP("Strings", "Station table"),
    QT_TRANSLATE_NOOP("Strings", "&Settings"),
    QT_TRANSLATE_NOOP("Strings", "Language"),
    QT_TRANSLATE_NOOP("Strings", "&View"),
    QT_TRANSLATE_NOOP("Strings", "&Help"),
    QT_TRANSLATE_NOOP("Strings", "Used CA module"),
    QT_TRANSLATE_NOOP("Strings", "New file"),
    QT_TRANSLATE_NOOP("Strings", "Open..."),
    QT_TRANSLATE_NOOP("Strings", "Save"),
    QT_TRANSLATE_NOOP("Strings", "Save as..."),
    QT_TRANSLATE_NOOP("Strings", "Export CSV"),
    QT_TRANSLATE_NOOP("Strings", "Import from TV device"),
    QT_TRANSLATE_NOOP("Strings", "Export to TV device"),
    QT_TRANSLATE_NOOP("Strings", "Append stations"),
    QT_TRANSLATE_NOOP("Strings", "Delete"),
    QT_TRANSLATE_NOOP("Strings", "Options"),
    QT_TRANSLATE_NOOP("Strings", "Child lock"),
    QT_TRANSLATE_NOOP("Strings", "Contained in EPG"),
    QT_TRANSLATE_NOOP("Strings", "Default settings"),
    QT_TRANSLATE_NOOP("Strings", "English"),
    QT_TRANSLATE_NOOP("Strings", "German"),
    QT_TRANSLATE_NOOP("Strings", "List view"),
    QT_TRANSLATE_NOOP("Strings", "Table view"),
    QT_TRANSLATE_NOOP("Strings", "Exit"),
    QT_TRANSLATE_NOOP("Strings", "About Kanvio"),
    QT_TRANSLATE_NOOP("Strings", "Show toolbar"),
    QT_TRANSLATE_NOOP("Strings", "Search station"),
    QT_TRANSLATE_NOOP("Strings", "Undo"),
    QT_TRANSLATE_NOOP("Strings", "Redo"),
    QT_TRANSLATE_NOOP("Strings", "Select all"),
    QT_TRANSLATE_NOOP("Strings", "Print"),
    QT_TRANSLATE_NOOP("Strings", "Convert table"),
    QT_TRANSLATE_NOOP("Strings", "Advanced station search"),
    QT_TRANSLATE_NOOP("Strings", "Copy station data"),
    QT_TRANSLATE_NOOP("Strings", "Creates a new station table file"),
    QT_TRANSLATE_NOOP("Strings", "Open an existing file"),
    QT_TRANSLATE_NOOP("Strings", "Save station table to current file"),
    QT_TRANSLATE_NOOP("Strings", "Save station table in a new file"),
    QT_TRANSLATE_NOOP("Strings", "Export station table to CSV file"),
    QT_TRANSLATE_NOOP("Strings", "Import station table from a TV device via network communication"),
    QT_TRANSLATE_NOOP("Strings", "Export station table to a TV device via network communication"),
    QT_TRANSLATE_NOOP("Strings", "Appends stations from a file to the current station table"),
    QT_TRANSLATE_NOOP("Strings", "Delete selected channel"),
    QT_TRANSLATE_NOOP("Strings", "Shows station settings"),
    QT_TRANSLATE_NOOP("Strings", "Activates/deactivates child lock for station"),
    QT_TRANSLATE_NOOP("Strings", "Sets/unsets if station is contained in EPG data"),
    QT_TRANSLATE_NOOP("Strings", "Resets station settings to default values"),
    QT_TRANSLATE_NOOP("Strings", "Switch to english translation"),
    QT_TRANSLATE_NOOP("Strings", "Switch to german translation"),
    QT_TRANSLATE_NOOP("Strings", "Displays station table in list format"),
    QT_TRANSLATE_NOOP("Strings", "Displays station table in table format and station details"),
    QT_TRANSLATE_NOOP("Strings", "Quits Kanvio"),
    QT_TRANSLATE_NOOP("Strings", "Shows additional informations about this application"),
    QT_TRANSLATE_NOOP("Strings", "Shows or hides toolbar"),
    QT_TRANSLATE_NOOP("Strings", "Searches for station name in the current list"),
    QT_TRANSLATE_NOOP("Strings", "Undo last operation"),
    QT_TRANSLATE_NOOP("Strings", "Redo previous operation"),
    QT_TRANSLATE_NOOP("Strings", "Selects all stations of the current list"),
    QT_TRANSLATE_NOOP("Strings", "Prints current favorite list in list view or selected tab in table view"),
    QT_TRANSLATE_NOOP("Strings", "Converts station table to latest version (svl50)"),
    QT_TRANSLATE_NOOP("Strings", "Creates a new favorite list"),
    QT_TRANSLATE_NOOP("Strings", "Searches for stations in station table using filter options"),
    QT_TRANSLATE_NOOP("Strings", "Copies data of selected stations to clipboard"),
    QT_TRANSLATE_NOOP("Strings", "The station table has been modified.\nDo you want to save your changes?"),
    QT_TRANSLATE_NOOP("Strings", "Config error"),
    QT_TRANSLATE_NOOP("Strings", "Loading of 'svl_station_options.xml' failed!"),
    QT_TRANSLATE_NOOP("Strings", "File error"),
    QT_TRANSLATE_NOOP("Strings", "Loading station table from file '"),
    QT_TRANSLATE_NOOP("Strings", "Saving station table to file '"),
    QT_TRANSLATE_NOOP("Strings", "Saving station table to new file '"),
    QT_TRANSLATE_NOOP("Strings", "Exporting station table to CSV file '"),
    QT_TRANSLATE_NOOP("Strings", "Appending stations from file '"),
    QT_TRANSLATE_NOOP("Strings", "Establishing connection to '"),
    QT_TRANSLATE_NOOP("Strings", "Reading station table from TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Writing station table to TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Connection to TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Unknown error occured while importing station table from TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Unknown error occured while exporting station table to TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Import error"),
    QT_TRANSLATE_NOOP("Strings", "Export error"),
    QT_TRANSLATE_NOOP("Strings", "Rename error"),
    QT_TRANSLATE_NOOP("Strings", "Favorite list name already exists"),
    QT_TRANSLATE_NOOP("Strings", "No devices discovered"),
    QT_TRANSLATE_NOOP("Strings", "No available TV sets were discovered in your current network"),
    QT_TRANSLATE_NOOP("Strings", "Connecting ..."),
    QT_TRANSLATE_NOOP("Strings", "Importing station table ..."),
    QT_TRANSLATE_NOOP("Strings", "Transferring station table ..."),
    QT_TRANSLATE_NOOP("Strings", "Exporting station table ..."),
    QT_TRANSLATE_NOOP("Strings", "Enter IP address of TV device"),
    QT_TRANSLATE_NOOP("Strings", "Station settings"),
    QT_TRANSLATE_NOOP("Strings", "Rename favorite list"),
    QT_TRANSLATE_NOOP("Strings", "Insert new name"),
    QT_TRANSLATE_NOOP("Strings", "Open svl file"),
    QT_TRANSLATE_NOOP("Strings", "Save svl file"),
    QT_TRANSLATE_NOOP("Strings", "The <b>Kanvio</b> is a tool to modify station tables of Tavrel TV devices.<p>It is compatible with the station table format 'svl40' and 'svl50'.</p>"),
    QT_TRANSLATE_NOOP("Strings", "Save modifications?"),
    QT_TRANSLATE_NOOP("Strings", "Available TVs in your network"),
    QT_TRANSLATE_NOOP("Strings", "Searching TV sets ..."),
    QT_TRANSLATE_NOOP("Strings", "General settings"),
    QT_TRANSLATE_NOOP("Strings", "DVB station settings"),
    QT_TRANSLATE_NOOP("Strings", "CA system IDs"),
    QT_TRANSLATE_NOOP("Strings", "PIDs"),
    QT_TRANSLATE_NOOP("Strings", "DVB-C node data"),
    QT_TRANSLATE_NOOP("Strings", "DVB-S node data"),
    QT_TRANSLATE_NOOP("Strings", "DVB-T node data"),
    QT_TRANSLATE_NOOP("Strings", "General node settings"),
    QT_TRANSLATE_NOOP("Strings", "Terrestrial settings"),
    QT_TRANSLATE_NOOP("Strings", "General TV station settings"),
    QT_TRANSLATE_NOOP("Strings", "Advanced search"),
    QT_TRANSLATE_NOOP("Strings", "Service ID"),
    QT_TRANSLATE_NOOP("Strings", "SID"),
    QT_TRANSLATE_NOOP("Strings", "Encrypted"),
    QT_TRANSLATE_NOOP("Strings", "Enc."),
    QT_TRANSLATE_NOOP("Strings", "CA module"),
    QT_TRANSLATE_NOOP("Strings", "Video decoder"),
    QT_TRANSLATE_NOOP("Strings", "Sub audio"),
    QT_TRANSLATE_NOOP("Strings", "Audio tag"),
    QT_TRANSLATE_NOOP("Strings", "Video type"),
    QT_TRANSLATE_NOOP("Strings", "Video"),
    QT_TRANSLATE_NOOP("Strings", "Audio type"),
    QT_TRANSLATE_NOOP("Strings", "Audio"),
    QT_TRANSLATE_NOOP("Strings", "PCR PID"),
    QT_TRANSLATE_NOOP("Strings", "Teletext PID"),
    QT_TRANSLATE_NOOP("Strings", "Audio PID"),
    QT_TRANSLATE_NOOP("Strings", "Video PID"),
    QT_TRANSLATE_NOOP("Strings", "Station type"),
    QT_TRANSLATE_NOOP("Strings", "Station name"),
    QT_TRANSLATE_NOOP("Strings", "Character selection code"),
    QT_TRANSLATE_NOOP("Strings", "Decoder"),
    QT_TRANSLATE_NOOP("Strings", "Tone setting"),
    QT_TRANSLATE_NOOP("Strings", "Volume correction"),
    QT_TRANSLATE_NOOP("Strings", "EPG"),
    QT_TRANSLATE_NOOP("Strings", "Audio language"),
    QT_TRANSLATE_NOOP("Strings", "Modulation"),
    QT_TRANSLATE_NOOP("Strings", "Mod."),
    QT_TRANSLATE_NOOP("Strings", "Polarisation"),
    QT_TRANSLATE_NOOP("Strings", "Pol."),
    QT_TRANSLATE_NOOP("Strings", "Satellite"),
    QT_TRANSLATE_NOOP("Strings", "DVB system"),
    QT_TRANSLATE_NOOP("Strings", "Modulation type"),
    QT_TRANSLATE_NOOP("Strings", "Roll off"),
    QT_TRANSLATE_NOOP("Strings", "FEC"),
    QT_TRANSLATE_NOOP("Strings", "Constellation"),
    QT_TRANSLATE_NOOP("Strings", "Const."),
    QT_TRANSLATE_NOOP("Strings", "Code rate HP"),
    QT_TRANSLATE_NOOP("Strings", "Code rate"),
    QT_TRANSLATE_NOOP("Strings", "Transmission mode"),
    QT_TRANSLATE_NOOP("Strings", "Trans."),
    QT_TRANSLATE_NOOP("Strings", "Guard interval"),
    QT_TRANSLATE_NOOP("Strings", "Guard"),
    QT_TRANSLATE_NOOP("Strings", "Network type"),
    QT_TRANSLATE_NOOP("Strings", "Network"),
    QT_TRANSLATE_NOOP("Strings", "Transport stream ID"),
    QT_TRANSLATE_NOOP("Strings", "TSID"),
    QT_TRANSLATE_NOOP("Strings", "Origin network ID"),
    QT_TRANSLATE_NOOP("Strings", "ONID"),
    QT_TRANSLATE_NOOP("Strings", "Frequency (kHz)"),
    QT_TRANSLATE_NOOP("Strings", "Symbolrate (kSymb/s)"),
    QT_TRANSLATE_NOOP("Strings", "Symbols"),
    QT_TRANSLATE_NOOP("Strings", "Frequency (MHz)"),
    QT_TRANSLATE_NOOP("Strings", "VCR"),
    QT_TRANSLATE_NOOP("Strings", "Forced mono"),
    QT_TRANSLATE_NOOP("Strings", "Colour standard"),
    QT_TRANSLATE_NOOP("Strings", "TV standard"),
    QT_TRANSLATE_NOOP("Strings", "CNI data (hex)"),
    QT_TRANSLATE_NOOP("Strings", "CNI"),
    QT_TRANSLATE_NOOP("Strings", "Colour intensity"),
    QT_TRANSLATE_NOOP("Strings", "Contrast"),
    QT_TRANSLATE_NOOP("Strings", "Picture sharpness"),
    QT_TRANSLATE_NOOP("Strings", "Noise reduction"),
    QT_TRANSLATE_NOOP("Strings", "CTI"),
    QT_TRANSLATE_NOOP("Strings", "Comb filter"),
    QT_TRANSLATE_NOOP("Strings", "Colour offset"),
    QT_TRANSLATE_NOOP("Strings", "Picture format"),
    QT_TRANSLATE_NOOP("Strings", "Video profile"),
    QT_TRANSLATE_NOOP("Strings", "Brightness"),
    QT_TRANSLATE_NOOP("Strings", "Hue"),
    QT_TRANSLATE_NOOP("Strings", "Origin name"),
    QT_TRANSLATE_NOOP("Strings", "HbbTv activated"),
    QT_TRANSLATE_NOOP("Strings", "OK"),
    QT_TRANSLATE_NOOP("Strings", "Cancel"),
    QT_TRANSLATE_NOOP("Strings", "Close"),
    QT_TRANSLATE_NOOP("Strings", "General"),
    QT_TRANSLATE_NOOP("Strings", "TV"),
    QT_TRANSLATE_NOOP("Strings", "DVB"),
    QT_TRANSLATE_NOOP("Strings", "Node general"),
    QT_TRANSLATE_NOOP("Strings", "Node DVB-S"),
    QT_TRANSLATE_NOOP("Strings", "Node DVB-C"),
    QT_TRANSLATE_NOOP("Strings", "Node DVB-T"),
    QT_TRANSLATE_NOOP("Strings", "Terrestrial"),
    QT_TRANSLATE_NOOP("Strings", "Discard"),
    QT_TRANSLATE_NOOP("Strings", "Refresh"),
    QT_TRANSLATE_NOOP("Strings", "Import station table"),
    QT_TRANSLATE_NOOP("Strings", "Export station table"),
    QT_TRANSLATE_NOOP("Strings", "Search"),
    QT_TRANSLATE_NOOP("Strings", "Apply modifications"),
    QT_TRANSLATE_NOOP("Strings", "Added new favorite list"),
    QT_TRANSLATE_NOOP("Strings", "Set childlock flag for %1 station(s)"),
    QT_TRANSLATE_NOOP("Strings", "Copy %1 station(s) to list '%2'"),
    QT_TRANSLATE_NOOP("Strings", "Set default values for %1 station(s) in list '%2'"),
    QT_TRANSLATE_NOOP("Strings", "Deleted %1 station(s) in list '%2'"),
    QT_TRANSLATE_NOOP("Strings", "Set EPG flag for %1 station(s) in list '%2'"),
    QT_TRANSLATE_NOOP("Strings", "Move %1 station(s) in list '%2'"),
    QT_TRANSLATE_NOOP("Strings", "Remove favorite list"),
    QT_TRANSLATE_NOOP("Strings", "Rename favorite list to '%1'"),
    QT_TRANSLATE_NOOP("Strings", "Sort list '%1'"),
    QT_TRANSLATE_NOOP("Strings", "Set CA module for %1 station(s)"),
    QT_TRANSLATE_NOOP("Strings", "Stations from network device - "),
    QT_TRANSLATE_NOOP("Strings", "' failed"),
    QT_TRANSLATE_NOOP("Strings", "(*.svl40 *.svl50)"),
    QT_TRANSLATE_NOOP("Strings", "Untitled"),
    QT_TRANSLATE_NOOP("Strings", "Favorite list"),
    QT_TRANSLATE_NOOP("Strings", " of "),
    QT_TRANSLATE_NOOP("Strings", "Station list"),
    QT_TRANSLATE_NOOP("Strings", "HD"),
    QT_TRANSLATE_NOOP("Strings", "Filter"),
    QT_TRANSLATE_NOOP("Strings", "All"),
    QT_TRANSLATE_NOOP("Strings", "Terrestric"),
    QT_TRANSLATE_NOOP("Strings", "DVB-C"),
    QT_TRANSLATE_NOOP("Strings", "DVB-S"),
    QT_TRANSLATE_NOOP("Strings", "DVB-T"),
    QT_TRANSLATE_NOOP("Strings", "Receive mode"),

    // Editing commands

    // Station settings dialog
    QT_TRANSLATE_NOOP("Strings", "Change settings of station '%1'"),
    QT_TRANSLATE_NOOP("Strings", "Please enter a station name."),
    QT_TRANSLATE_NOOP("Strings", "The character set '%1' cannot hold these characters of the station name: %2"),
    QT_TRANSLATE_NOOP("Strings", "The station name takes more than 255 bytes in the character set '%1'."),
    QT_TRANSLATE_NOOP("Strings", "'%1' takes a number from %2 to %3."),

    // Search and output

    // TV exchange
    QT_TRANSLATE_NOOP("Strings", "Open TV backup folder"),
    QT_TRANSLATE_NOOP("Strings", "Shows the folder that keeps the backups of the TV devices' station tables"),
    QT_TRANSLATE_NOOP("Strings", "Back up the TV's table before an export"),
    QT_TRANSLATE_NOOP("Strings", "Reads the station table of the TV device before an export and keeps it in the TV backup folder"),
    QT_TRANSLATE_NOOP("Strings", "Export finished"),
    QT_TRANSLATE_NOOP("Strings", "The station table was written to the TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "'.\nThe table the TV device held before is kept in '"),
    QT_TRANSLATE_NOOP("Strings", "Reading the backup of the station table from TV device at '"),
    QT_TRANSLATE_NOOP("Strings", "Writing the backup of the TV device's station table to '"),
    QT_TRANSLATE_NOOP("Strings", "' failed; the station table was not exported"),

    // Desktop
    QT_TRANSLATE_NOOP("Strings", "Edits the station tables of Tavrel TV sets."),
    QT_TRANSLATE_NOOP("Strings", "file"),
    QT_TRANSLATE_NOOP("Strings", "The station table file to open (.svl40 or .svl50)."),
    QT_TRANSLATE_NOOP("Strings",
                      "<p>Kanvio is free software: you can redistribute it and/or modify it under the terms of the "
                      "GNU General Public License as published by the Free Software Foundation, either version 3 of "
                      "the License, or (at your option) any later version.</p><p>Kanvio is distributed in the hope "
                      "that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of "
                      "MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the "
                      "<a href=\"https://www.gnu.org/licenses/\">GNU General Public License</a> for more details.</p>"),

    // Reference order, duplicates and backups
    QT_TRANSLATE_NOOP("Strings", "Order like reference list..."),
    QT_TRANSLATE_NOOP("Strings", "Orders the current base list like another station table or a CSV list of names"),
    QT_TRANSLATE_NOOP("Strings", "Choose the reference list"),
    QT_TRANSLATE_NOOP("Strings", "Station tables and CSV files (*.svl40 *.svl50 *.csv)"),
    QT_TRANSLATE_NOOP("Strings", "Reading the reference list '"),
    QT_TRANSLATE_NOOP("Strings", "Order like reference list"),
    QT_TRANSLATE_NOOP("Strings", "%1 stations are not in the reference list. Put them at the end of the list or delete them?"),
    QT_TRANSLATE_NOOP("Strings", "Put at the end"),
    QT_TRANSLATE_NOOP("Strings", "Delete them"),
    QT_TRANSLATE_NOOP("Strings", "%1 matched by id, %2 by name, %3 not in the reference"),
    QT_TRANSLATE_NOOP("Strings", "Order %1 like reference list"),
    QT_TRANSLATE_NOOP("Strings", "Keep a backup (.bak) on save"),
    QT_TRANSLATE_NOOP("Strings", "Keeps the previous file as FILE.bak at the first save after opening"),
    QT_TRANSLATE_NOOP("Strings", "Keeping the previous file as '"),
    QT_TRANSLATE_NOOP("Strings", "Duplicates"),

    // Keyboard and accessibility
    QT_TRANSLATE_NOOP("Strings", "Move up"),
    QT_TRANSLATE_NOOP("Strings", "Move down"),
    QT_TRANSLATE_NOOP("Strings", "Move to top"),
    QT_TRANSLATE_NOOP("Strings", "Move to bottom"),
    QT_TRANSLATE_NOOP("Strings", "Move to position..."),
    QT_TRANSLATE_NOOP("Strings", "Moves the selected stations one row up"),
    QT_TRANSLATE_NOOP("Strings", "Moves the selected stations one row down"),
    QT_TRANSLATE_NOOP("Strings", "Moves the selected stations to the top of the list"),
    QT_TRANSLATE_NOOP("Strings", "Moves the selected stations to the bottom of the list"),
    QT_TRANSLATE_NOOP("Strings", "Moves the selected stations to a row number"),
    QT_TRANSLATE_NOOP("Strings", "Move to position"),
    QT_TRANSLATE_NOOP("Strings", "Row of the first selected station (1 to %1):"),
    QT_TRANSLATE_NOOP("Strings", "Add to favorite list"),
    QT_TRANSLATE_NOOP("Strings", "HEVC"),
    QT_TRANSLATE_NOOP("Strings", "child lock"),
    QT_TRANSLATE_NOOP("Strings", "encrypted"),
    QT_TRANSLATE_NOOP("Strings", "analogue"),
    QT_TRANSLATE_NOOP("Strings", "satellite"),
    QT_TRANSLATE_NOOP("Strings", "terrestrial"),
    QT_TRANSLATE_NOOP("Strings", "cable"),
    QT_TRANSLATE_NOOP("Strings", "in favorite list"),
    QT_TRANSLATE_NOOP("Strings", "Favorite lists"),
    QT_TRANSLATE_NOOP("Strings", "Station lists"),
    QT_TRANSLATE_NOOP("Strings", "New favorite list"),
    QT_TRANSLATE_NOOP("Strings", "File toolbar"),
    QT_TRANSLATE_NOOP("Strings", "Edit toolbar"),
    QT_TRANSLATE_NOOP("Strings", "View toolbar"),
    QT_TRANSLATE_NOOP("Strings", "Previous match"),
    QT_TRANSLATE_NOOP("Strings", "Next match"),

    // Keeping every edit
    QT_TRANSLATE_NOOP("Strings", "Modifications not applied"),
    QT_TRANSLATE_NOOP("Strings", "The table view holds modifications that are not applied yet. "
                                 "Apply them first?"),
    QT_TRANSLATE_NOOP("Strings", "Apply"),
    QT_TRANSLATE_NOOP("Strings", "Continue without them"),
    QT_TRANSLATE_NOOP("Strings", "Print error"),
    QT_TRANSLATE_NOOP("Strings", "Printing the list '"),
    QT_TRANSLATE_NOOP("Strings", "The name is longer than a station table can hold (%1 bytes at most)"),
    QT_TRANSLATE_NOOP("Strings", "'%1' takes a number; '%2' is none."),
};

static_assert(std::size(sourceTexts) == Strings::TextCount,
              "every text id needs exactly one source text");

const char *const germanCatalogue = ":/translations/german_la";

QStringList &textTable()
{
    static QStringList texts;
    return texts;
}

// Qt's own texts (the buttons of standard dialogs, the context menus of
// text fields, the file and print dialogs) come from Qt's catalogue, which
// stays installed for as long as the language is chosen.
QTranslator &qtTranslator()
{
    static QTranslator translator;
    return translator;
}

// Without Qt's German catalogue on the system Qt's own texts stay English.
void switchQtTexts(int language)
{
    QTranslator &translator = qtTranslator();
    QCoreApplication::removeTranslator(&translator);
    if (language == Strings::German
        && translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

QString translated(const char *sourceText)
{
    return QCoreApplication::translate("Strings", sourceText);
}

// The version is appended untranslated so that the about box always names
// the build that is running, whatever the catalogue says.
QString aboutText()
{
    return translated(sourceTexts[Strings::AboutText]) + QLatin1String("<p><b>Version: ")
        + QCoreApplication::applicationVersion() + QLatin1String("</b></p>");
}

} // namespace

void Strings::load()
{
    QStringList &texts = textTable();
    texts.clear();
    texts.reserve(TextCount);
    for (int id = 0; id < TextCount; ++id)
        texts.append(id == AboutText ? aboutText() : translated(sourceTexts[id]));
}

QString Strings::text(int id)
{
    return textTable().value(id);
}

// Our translator lives only while the table is rebuilt: every later lookup
// goes to the table, so nothing needs it afterwards and its destructor takes
// it out of the application again.
void Strings::setLanguage(int language)
{
    QTranslator translator;
    if (language == German) {
        if (!translator.load(QString::fromLatin1(germanCatalogue)))
            return;
        if (!QCoreApplication::installTranslator(&translator))
            return;
    }
    load();
    switchQtTexts(language);
}
