<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Station table</source>
        <translation>Sender-Tabelle</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Used CA module</source>
        <translation>Verw. CA-Modul</translation>
    </message>
    <message>
        <source>New file</source>
        <translation>Neue Datei</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Import from TV device</source>
        <translation>Von TV-Gerät importieren</translation>
    </message>
    <message>
        <source>Export to TV device</source>
        <translation>Zu TV-Gerät exportieren</translation>
    </message>
    <message>
        <source>Append stations</source>
        <translation>Sender anhängen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Child lock</source>
        <translation>Kindersicherung</translation>
    </message>
    <message>
        <source>Contained in EPG</source>
        <translation>In EPG enthalten</translation>
    </message>
    <message>
        <source>Default settings</source>
        <translation>Standard-Einstellungen</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>List view</source>
        <translation>Listen-Ansicht</translation>
    </message>
    <message>
        <source>Table view</source>
        <translation>Tabellen-Ansicht</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About Kanvio</source>
        <translation>Über Kanvio</translation>
    </message>
    <message>
        <source>Show toolbar</source>
        <translation>Zeige Symbolleiste</translation>
    </message>
    <message>
        <source>Search station</source>
        <translation>Sender suchen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Convert table</source>
        <translation>Tabelle konvertieren</translation>
    </message>
    <message>
        <source>Advanced station search</source>
        <translation>Erweiterte Sender-Suche</translation>
    </message>
    <message>
        <source>Copy station data</source>
        <translation>Senderdaten kopieren</translation>
    </message>
    <message>
        <source>Creates a new station table file</source>
        <translation>Erstellt eine neue Sendertabellen-Datei</translation>
    </message>
    <message>
        <source>Open an existing file</source>
        <translation>Öffnet eine vorhandene Datei</translation>
    </message>
    <message>
        <source>Save station table to current file</source>
        <translation>Speichert die Sendertabelle in der aktuellen Datei</translation>
    </message>
    <message>
        <source>Save station table in a new file</source>
        <translation>Speichert die Sendertabelle in einer neuen Datei</translation>
    </message>
    <message>
        <source>Export station table to CSV file</source>
        <translation>Exportiert die Sendertabelle in eine CSV-Datei</translation>
    </message>
    <message>
        <source>Import station table from a TV device via network communication</source>
        <translation>Importiert die Sendertabelle über das Netzwerk von einem TV-Gerät</translation>
    </message>
    <message>
        <source>Export station table to a TV device via network communication</source>
        <translation>Exportiert die Sendertabelle über das Netzwerk zu einem TV-Gerät</translation>
    </message>
    <message>
        <source>Appends stations from a file to the current station table</source>
        <translation>Hängt Sender aus einer Datei an die aktuelle Sendertabelle an</translation>
    </message>
    <message>
        <source>Delete selected channel</source>
        <translation>Löscht die ausgewählten Sender</translation>
    </message>
    <message>
        <source>Shows station settings</source>
        <translation>Zeigt die Sendereinstellungen</translation>
    </message>
    <message>
        <source>Activates/deactivates child lock for station</source>
        <translation>Schaltet die Kindersicherung des Senders ein oder aus</translation>
    </message>
    <message>
        <source>Sets/unsets if station is contained in EPG data</source>
        <translation>Legt fest, ob der Sender in den EPG-Daten enthalten ist</translation>
    </message>
    <message>
        <source>Resets station settings to default values</source>
        <translation>Setzt die Sendereinstellungen auf die Standardwerte zurück</translation>
    </message>
    <message>
        <source>Switch to english translation</source>
        <translation>Wechselt zur englischen Sprache</translation>
    </message>
    <message>
        <source>Switch to german translation</source>
        <translation>Wechselt zur deutschen Sprache</translation>
    </message>
    <message>
        <source>Displays station table in list format</source>
        <translation>Zeigt die Sendertabelle als Liste</translation>
    </message>
    <message>
        <source>Displays station table in table format and station details</source>
        <translation>Zeigt die Sendertabelle als Tabelle mit allen Senderdaten</translation>
    </message>
    <message>
        <source>Quits Kanvio</source>
        <translation>Beendet Kanvio</translation>
    </message>
    <message>
        <source>Shows additional informations about this application</source>
        <translation>Zeigt weitere Informationen über dieses Programm</translation>
    </message>
    <message>
        <source>Shows or hides toolbar</source>
        <translation>Zeigt oder verbirgt die Symbolleiste</translation>
    </message>
    <message>
        <source>Searches for station name in the current list</source>
        <translation>Sucht einen Sendernamen in der aktuellen Liste</translation>
    </message>
    <message>
        <source>Undo last operation</source>
        <translation>Macht den letzten Schritt rückgängig</translation>
    </message>
    <message>
        <source>Redo previous operation</source>
        <translation>Stellt den zuletzt rückgängig gemachten Schritt wieder her</translation>
    </message>
    <message>
        <source>Selects all stations of the current list</source>
        <translation>Wählt alle Sender der aktuellen Liste aus</translation>
    </message>
    <message>
        <source>Prints current favorite list in list view or selected tab in table view</source>
        <translation>Druckt die aktuelle Favoritenliste (Listen-Ansicht) oder den gewählten Reiter (Tabellen-Ansicht)</translation>
    </message>
    <message>
        <source>Converts station table to latest version (svl50)</source>
        <translation>Konvertiert die Sendertabelle in die neueste Version (svl50)</translation>
    </message>
    <message>
        <source>Creates a new favorite list</source>
        <translation>Legt eine neue Favoritenliste an</translation>
    </message>
    <message>
        <source>Searches for stations in station table using filter options</source>
        <translation>Sucht Sender in der Sendertabelle mit Hilfe von Filtern</translation>
    </message>
    <message>
        <source>Copies data of selected stations to clipboard</source>
        <translation>Kopiert die Daten der ausgewählten Sender in die Zwischenablage</translation>
    </message>
    <message>
        <source>The station table has been modified.
Do you want to save your changes?</source>
        <translation>Die Sendertabelle wurde geändert.
Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Config error</source>
        <translation>Konfigurationsfehler</translation>
    </message>
    <message>
        <source>Loading of &apos;svl_station_options.xml&apos; failed!</source>
        <translation>Laden von &apos;svl_station_options.xml&apos; fehlgeschlagen!</translation>
    </message>
    <message>
        <source>File error</source>
        <translation>Dateifehler</translation>
    </message>
    <message>
        <source>Loading station table from file &apos;</source>
        <translation>Laden der Sendertabelle aus der Datei &apos;</translation>
    </message>
    <message>
        <source>Saving station table to file &apos;</source>
        <translation>Speichern der Sendertabelle in die Datei &apos;</translation>
    </message>
    <message>
        <source>Saving station table to new file &apos;</source>
        <translation>Speichern der Sendertabelle in die neue Datei &apos;</translation>
    </message>
    <message>
        <source>Exporting station table to CSV file &apos;</source>
        <translation>Export der Sendertabelle in die CSV-Datei &apos;</translation>
    </message>
    <message>
        <source>Appending stations from file &apos;</source>
        <translation>Anhängen von Sendern aus der Datei &apos;</translation>
    </message>
    <message>
        <source>Establishing connection to &apos;</source>
        <translation>Verbindungsaufbau zu &apos;</translation>
    </message>
    <message>
        <source>Reading station table from TV device at &apos;</source>
        <translation>Lesen der Sendertabelle vom TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Writing station table to TV device at &apos;</source>
        <translation>Schreiben der Sendertabelle zum TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Connection to TV device at &apos;</source>
        <translation>Verbindung zum TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Unknown error occured while importing station table from TV device at &apos;</source>
        <translation>Unbekannter Fehler beim Importieren der Sendertabelle vom TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Unknown error occured while exporting station table to TV device at &apos;</source>
        <translation>Unbekannter Fehler beim Exportieren der Sendertabelle zum TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Import error</source>
        <translation>Importfehler</translation>
    </message>
    <message>
        <source>Export error</source>
        <translation>Exportfehler</translation>
    </message>
    <message>
        <source>Rename error</source>
        <translation>Fehler beim Umbenennen</translation>
    </message>
    <message>
        <source>Favorite list name already exists</source>
        <translation>Eine Favoritenliste mit diesem Namen existiert bereits</translation>
    </message>
    <message>
        <source>No devices discovered</source>
        <translation>Keine Geräte gefunden</translation>
    </message>
    <message>
        <source>No available TV sets were discovered in your current network</source>
        <translation>In Ihrem Netzwerk wurden keine verfügbaren TV-Geräte gefunden</translation>
    </message>
    <message>
        <source>Connecting ...</source>
        <translation>Verbinde ...</translation>
    </message>
    <message>
        <source>Importing station table ...</source>
        <translation>Importiere Sendertabelle ...</translation>
    </message>
    <message>
        <source>Transferring station table ...</source>
        <translation>Übertrage Sendertabelle ...</translation>
    </message>
    <message>
        <source>Exporting station table ...</source>
        <translation>Exportiere Sendertabelle ...</translation>
    </message>
    <message>
        <source>Enter IP address of TV device</source>
        <translation>IP-Adresse des TV-Geräts eingeben</translation>
    </message>
    <message>
        <source>Station settings</source>
        <translation>Sendereinstellungen</translation>
    </message>
    <message>
        <source>Rename favorite list</source>
        <translation>Favoritenliste umbenennen</translation>
    </message>
    <message>
        <source>Insert new name</source>
        <translation>Neuen Namen eingeben</translation>
    </message>
    <message>
        <source>Open svl file</source>
        <translation>svl-Datei öffnen</translation>
    </message>
    <message>
        <source>Save svl file</source>
        <translation>svl-Datei speichern</translation>
    </message>
    <message>
        <source>The &lt;b&gt;Kanvio&lt;/b&gt; is a tool to modify station tables of Tavrel TV devices.&lt;p&gt;It is compatible with the station table format &apos;svl40&apos; and &apos;svl50&apos;.&lt;/p&gt;</source>
        <translation>&lt;b&gt;Kanvio&lt;/b&gt; ist ein Werkzeug zum Bearbeiten der Sendertabellen von Tavrel-TV-Geräten.&lt;p&gt;Es unterstützt die Sendertabellen-Formate &apos;svl40&apos; und &apos;svl50&apos;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Save modifications?</source>
        <translation>Änderungen speichern?</translation>
    </message>
    <message>
        <source>Available TVs in your network</source>
        <translation>Verfügbare TV-Geräte in Ihrem Netzwerk</translation>
    </message>
    <message>
        <source>Searching TV sets ...</source>
        <translation>Suche TV-Geräte ...</translation>
    </message>
    <message>
        <source>General settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>DVB station settings</source>
        <translation>DVB-Sendereinstellungen</translation>
    </message>
    <message>
        <source>CA system IDs</source>
        <translation>CA-System-IDs</translation>
    </message>
    <message>
        <source>PIDs</source>
        <translation>PIDs</translation>
    </message>
    <message>
        <source>DVB-C node data</source>
        <translation>DVB-C-Knotendaten</translation>
    </message>
    <message>
        <source>DVB-S node data</source>
        <translation>DVB-S-Knotendaten</translation>
    </message>
    <message>
        <source>DVB-T node data</source>
        <translation>DVB-T-Knotendaten</translation>
    </message>
    <message>
        <source>General node settings</source>
        <translation>Allgemeine Knoteneinstellungen</translation>
    </message>
    <message>
        <source>Terrestrial settings</source>
        <translation>Terrestrische Einstellungen</translation>
    </message>
    <message>
        <source>General TV station settings</source>
        <translation>Allgemeine TV-Sendereinstellungen</translation>
    </message>
    <message>
        <source>Advanced search</source>
        <translation>Erweiterte Suche</translation>
    </message>
    <message>
        <source>Service ID</source>
        <translation>Service-ID</translation>
    </message>
    <message>
        <source>SID</source>
        <translation>SID</translation>
    </message>
    <message>
        <source>Encrypted</source>
        <translation>Verschlüsselt</translation>
    </message>
    <message>
        <source>Enc.</source>
        <translation>Verschl.</translation>
    </message>
    <message>
        <source>CA module</source>
        <translation>CA-Modul</translation>
    </message>
    <message>
        <source>Video decoder</source>
        <translation>Video-Decoder</translation>
    </message>
    <message>
        <source>Sub audio</source>
        <translation>Zweitton</translation>
    </message>
    <message>
        <source>Audio tag</source>
        <translation>Audio-Kennung</translation>
    </message>
    <message>
        <source>Video type</source>
        <translation>Videotyp</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio type</source>
        <translation>Audiotyp</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>PCR PID</source>
        <translation>PCR-PID</translation>
    </message>
    <message>
        <source>Teletext PID</source>
        <translation>Videotext-PID</translation>
    </message>
    <message>
        <source>Audio PID</source>
        <translation>Audio-PID</translation>
    </message>
    <message>
        <source>Video PID</source>
        <translation>Video-PID</translation>
    </message>
    <message>
        <source>Station type</source>
        <translation>Sendertyp</translation>
    </message>
    <message>
        <source>Station name</source>
        <translation>Sendername</translation>
    </message>
    <message>
        <source>Character selection code</source>
        <translation>Zeichensatz</translation>
    </message>
    <message>
        <source>Decoder</source>
        <translation>Decoder</translation>
    </message>
    <message>
        <source>Tone setting</source>
        <translation>Toneinstellung</translation>
    </message>
    <message>
        <source>Volume correction</source>
        <translation>Lautstärkekorrektur</translation>
    </message>
    <message>
        <source>EPG</source>
        <translation>EPG</translation>
    </message>
    <message>
        <source>Audio language</source>
        <translation>Audiosprache</translation>
    </message>
    <message>
        <source>Modulation</source>
        <translation>Modulation</translation>
    </message>
    <message>
        <source>Mod.</source>
        <translation>Mod.</translation>
    </message>
    <message>
        <source>Polarisation</source>
        <translation>Polarisation</translation>
    </message>
    <message>
        <source>Pol.</source>
        <translation>Pol.</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Satellit</translation>
    </message>
    <message>
        <source>DVB system</source>
        <translation>DVB-System</translation>
    </message>
    <message>
        <source>Modulation type</source>
        <translation>Modulationsart</translation>
    </message>
    <message>
        <source>Roll off</source>
        <translation>Roll-off</translation>
    </message>
    <message>
        <source>FEC</source>
        <translation>FEC</translation>
    </message>
    <message>
        <source>Constellation</source>
        <translation>Konstellation</translation>
    </message>
    <message>
        <source>Const.</source>
        <translation>Konst.</translation>
    </message>
    <message>
        <source>Code rate HP</source>
        <translation>Coderate HP</translation>
    </message>
    <message>
        <source>Code rate</source>
        <translation>Coderate</translation>
    </message>
    <message>
        <source>Transmission mode</source>
        <translation>Übertragungsmodus</translation>
    </message>
    <message>
        <source>Trans.</source>
        <translation>Übertr.</translation>
    </message>
    <message>
        <source>Guard interval</source>
        <translation>Schutzintervall</translation>
    </message>
    <message>
        <source>Guard</source>
        <translation>Schutz</translation>
    </message>
    <message>
        <source>Network type</source>
        <translation>Netzwerktyp</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Transport stream ID</source>
        <translation>Transportstrom-ID</translation>
    </message>
    <message>
        <source>TSID</source>
        <translation>TSID</translation>
    </message>
    <message>
        <source>Origin network ID</source>
        <translation>Ursprungsnetzwerk-ID</translation>
    </message>
    <message>
        <source>ONID</source>
        <translation>ONID</translation>
    </message>
    <message>
        <source>Frequency (kHz)</source>
        <translation>Frequenz (kHz)</translation>
    </message>
    <message>
        <source>Symbolrate (kSymb/s)</source>
        <translation>Symbolrate (kSym/s)</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>Frequency (MHz)</source>
        <translation>Frequenz (MHz)</translation>
    </message>
    <message>
        <source>VCR</source>
        <translation>Videorekorder</translation>
    </message>
    <message>
        <source>Forced mono</source>
        <translation>Mono erzwingen</translation>
    </message>
    <message>
        <source>Colour standard</source>
        <translation>Farbnorm</translation>
    </message>
    <message>
        <source>TV standard</source>
        <translation>TV-Norm</translation>
    </message>
    <message>
        <source>CNI data (hex)</source>
        <translation>CNI-Daten (hex)</translation>
    </message>
    <message>
        <source>CNI</source>
        <translation>CNI</translation>
    </message>
    <message>
        <source>Colour intensity</source>
        <translation>Farbsättigung</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Picture sharpness</source>
        <translation>Bildschärfe</translation>
    </message>
    <message>
        <source>Noise reduction</source>
        <translation>Rauschunterdrückung</translation>
    </message>
    <message>
        <source>CTI</source>
        <translation>CTI</translation>
    </message>
    <message>
        <source>Comb filter</source>
        <translation>Kammfilter</translation>
    </message>
    <message>
        <source>Colour offset</source>
        <translation>Farbversatz</translation>
    </message>
    <message>
        <source>Picture format</source>
        <translation>Bildformat</translation>
    </message>
    <message>
        <source>Video profile</source>
        <translation>Videoprofil</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Origin name</source>
        <translation>Ursprungsname</translation>
    </message>
    <message>
        <source>HbbTv activated</source>
        <translation>HbbTV aktiviert</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>TV</source>
        <translation>TV</translation>
    </message>
    <message>
        <source>DVB</source>
        <translation>DVB</translation>
    </message>
    <message>
        <source>Node general</source>
        <translation>Knoten allgemein</translation>
    </message>
    <message>
        <source>Node DVB-S</source>
        <translation>Knoten DVB-S</translation>
    </message>
    <message>
        <source>Node DVB-C</source>
        <translation>Knoten DVB-C</translation>
    </message>
    <message>
        <source>Node DVB-T</source>
        <translation>Knoten DVB-T</translation>
    </message>
    <message>
        <source>Terrestrial</source>
        <translation>Terrestrisch</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Import station table</source>
        <translation>Sendertabelle importieren</translation>
    </message>
    <message>
        <source>Export station table</source>
        <translation>Sendertabelle exportieren</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Apply modifications</source>
        <translation>Änderungen übernehmen</translation>
    </message>
    <message>
        <source>Added new favorite list</source>
        <translation>Neue Favoritenliste anlegen</translation>
    </message>
    <message>
        <source>Set childlock flag for %1 station(s)</source>
        <translation>Kindersicherung für %1 Sender setzen</translation>
    </message>
    <message>
        <source>Copy %1 station(s) to list &apos;%2&apos;</source>
        <translation>%1 Sender in Liste &apos;%2&apos; kopieren</translation>
    </message>
    <message>
        <source>Set default values for %1 station(s) in list &apos;%2&apos;</source>
        <translation>Standardwerte für %1 Sender in Liste &apos;%2&apos; setzen</translation>
    </message>
    <message>
        <source>Deleted %1 station(s) in list &apos;%2&apos;</source>
        <translation>%1 Sender in Liste &apos;%2&apos; löschen</translation>
    </message>
    <message>
        <source>Set EPG flag for %1 station(s) in list &apos;%2&apos;</source>
        <translation>EPG-Kennzeichen für %1 Sender in Liste &apos;%2&apos; setzen</translation>
    </message>
    <message>
        <source>Move %1 station(s) in list &apos;%2&apos;</source>
        <translation>%1 Sender in Liste &apos;%2&apos; verschieben</translation>
    </message>
    <message>
        <source>Remove favorite list</source>
        <translation>Favoritenliste entfernen</translation>
    </message>
    <message>
        <source>Rename favorite list to &apos;%1&apos;</source>
        <translation>Favoritenliste in &apos;%1&apos; umbenennen</translation>
    </message>
    <message>
        <source>Sort list &apos;%1&apos;</source>
        <translation>Liste &apos;%1&apos; sortieren</translation>
    </message>
    <message>
        <source>Set CA module for %1 station(s)</source>
        <translation>CA-Modul für %1 Sender setzen</translation>
    </message>
    <message>
        <source>Stations from network device - </source>
        <translation>Sender vom Netzwerkgerät - </translation>
    </message>
    <message>
        <source>&apos; failed</source>
        <translation>&apos; fehlgeschlagen</translation>
    </message>
    <message>
        <source>(*.svl40 *.svl50)</source>
        <translation>Sendertabellen (*.svl40 *.svl50)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Favorite list</source>
        <translation>Favoritenliste</translation>
    </message>
    <message>
        <source> of </source>
        <translation> von </translation>
    </message>
    <message>
        <source>Station list</source>
        <translation>Senderliste</translation>
    </message>
    <message>
        <source>HD</source>
        <translation>HD</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Terrestric</source>
        <translation>Terrestrisch</translation>
    </message>
    <message>
        <source>DVB-C</source>
        <translation>DVB-C</translation>
    </message>
    <message>
        <source>DVB-S</source>
        <translation>DVB-S</translation>
    </message>
    <message>
        <source>DVB-T</source>
        <translation>DVB-T</translation>
    </message>
    <message>
        <source>Receive mode</source>
        <translation>Empfangsart</translation>
    </message>
    <message>
        <source>Open TV backup folder</source>
        <translation>TV-Sicherungsordner öffnen</translation>
    </message>
    <message>
        <source>Shows the folder that keeps the backups of the TV devices&apos; station tables</source>
        <translation>Zeigt den Ordner mit den Sicherungen der Sendertabellen der TV-Geräte</translation>
    </message>
    <message>
        <source>Back up the TV&apos;s table before an export</source>
        <translation>Sendertabelle des TV-Geräts vor dem Export sichern</translation>
    </message>
    <message>
        <source>Reads the station table of the TV device before an export and keeps it in the TV backup folder</source>
        <translation>Liest vor einem Export die Sendertabelle des TV-Geräts und bewahrt sie im TV-Sicherungsordner auf</translation>
    </message>
    <message>
        <source>Export finished</source>
        <translation>Export abgeschlossen</translation>
    </message>
    <message>
        <source>The station table was written to the TV device at &apos;</source>
        <translation>Die Sendertabelle wurde zum TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>&apos;.
The table the TV device held before is kept in &apos;</source>
        <translation>&apos; geschrieben.
Die bisherige Sendertabelle des TV-Geräts liegt in &apos;</translation>
    </message>
    <message>
        <source>Reading the backup of the station table from TV device at &apos;</source>
        <translation>Lesen der Sicherung der Sendertabelle vom TV-Gerät unter &apos;</translation>
    </message>
    <message>
        <source>Writing the backup of the TV device&apos;s station table to &apos;</source>
        <translation>Schreiben der Sicherung der Sendertabelle des TV-Geräts nach &apos;</translation>
    </message>
    <message>
        <source>&apos; failed; the station table was not exported</source>
        <translation>&apos; fehlgeschlagen; die Sendertabelle wurde nicht exportiert</translation>
    </message>
    <message>
        <source>Edits the station tables of Tavrel TV sets.</source>
        <translation>Bearbeitet die Sendertabellen von Tavrel-Fernsehern.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>The station table file to open (.svl40 or .svl50).</source>
        <translation>Die Sendertabellen-Datei, die geöffnet wird (.svl40 oder .svl50).</translation>
    </message>
    <message>
        <source>&lt;p&gt;Kanvio is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License as published by the Free Software Foundation, either version 3 of the License, or (at your option) any later version.&lt;/p&gt;&lt;p&gt;Kanvio is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the &lt;a href=&quot;https://www.gnu.org/licenses/&quot;&gt;GNU General Public License&lt;/a&gt; for more details.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Kanvio ist freie Software: Sie können es unter den Bedingungen der GNU General Public License, wie von der Free Software Foundation veröffentlicht, weitergeben und/oder verändern, entweder gemäß Version 3 der Lizenz oder (nach Ihrer Wahl) jeder späteren Version.&lt;/p&gt;&lt;p&gt;Kanvio wird in der Hoffnung bereitgestellt, dass es nützlich sein wird, aber OHNE JEDE GEWÄHRLEISTUNG, sogar ohne die implizite Gewährleistung der MARKTFÄHIGKEIT oder EIGNUNG FÜR EINEN BESTIMMTEN ZWECK. Einzelheiten stehen in der &lt;a href=&quot;https://www.gnu.org/licenses/&quot;&gt;GNU General Public License&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Change settings of station &apos;%1&apos;</source>
        <translation>Einstellungen des Senders &apos;%1&apos; ändern</translation>
    </message>
    <message>
        <source>Please enter a station name.</source>
        <translation>Bitte geben Sie einen Sendernamen ein.</translation>
    </message>
    <message>
        <source>The character set &apos;%1&apos; cannot hold these characters of the station name: %2</source>
        <translation>Der Zeichensatz &apos;%1&apos; kann diese Zeichen des Sendernamens nicht darstellen: %2</translation>
    </message>
    <message>
        <source>The station name takes more than 255 bytes in the character set &apos;%1&apos;.</source>
        <translation>Der Sendername belegt im Zeichensatz &apos;%1&apos; mehr als 255 Bytes.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes a number from %2 to %3.</source>
        <translation>&apos;%1&apos; muss eine Zahl von %2 bis %3 sein.</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Nach oben verschieben</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Nach unten verschieben</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>An den Anfang verschieben</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Ans Ende verschieben</translation>
    </message>
    <message>
        <source>Move to position...</source>
        <translation>An Position verschieben...</translation>
    </message>
    <message>
        <source>Moves the selected stations one row up</source>
        <translation>Verschiebt die ausgewählten Sender eine Zeile nach oben</translation>
    </message>
    <message>
        <source>Moves the selected stations one row down</source>
        <translation>Verschiebt die ausgewählten Sender eine Zeile nach unten</translation>
    </message>
    <message>
        <source>Moves the selected stations to the top of the list</source>
        <translation>Verschiebt die ausgewählten Sender an den Anfang der Liste</translation>
    </message>
    <message>
        <source>Moves the selected stations to the bottom of the list</source>
        <translation>Verschiebt die ausgewählten Sender ans Ende der Liste</translation>
    </message>
    <message>
        <source>Moves the selected stations to a row number</source>
        <translation>Verschiebt die ausgewählten Sender an eine Zeilennummer</translation>
    </message>
    <message>
        <source>Move to position</source>
        <translation>An Position verschieben</translation>
    </message>
    <message>
        <source>Row of the first selected station (1 to %1):</source>
        <translation>Zeile des ersten ausgewählten Senders (1 bis %1):</translation>
    </message>
    <message>
        <source>Add to favorite list</source>
        <translation>Zur Favoritenliste hinzufügen</translation>
    </message>
    <message>
        <source>HEVC</source>
        <translation>HEVC</translation>
    </message>
    <message>
        <source>child lock</source>
        <translation>Kindersicherung</translation>
    </message>
    <message>
        <source>encrypted</source>
        <translation>verschlüsselt</translation>
    </message>
    <message>
        <source>analogue</source>
        <translation>analog</translation>
    </message>
    <message>
        <source>satellite</source>
        <translation>Satellit</translation>
    </message>
    <message>
        <source>terrestrial</source>
        <translation>terrestrisch</translation>
    </message>
    <message>
        <source>cable</source>
        <translation>Kabel</translation>
    </message>
    <message>
        <source>in favorite list</source>
        <translation>in Favoritenliste</translation>
    </message>
    <message>
        <source>Favorite lists</source>
        <translation>Favoritenlisten</translation>
    </message>
    <message>
        <source>Station lists</source>
        <translation>Senderlisten</translation>
    </message>
    <message>
        <source>New favorite list</source>
        <translation>Neue Favoritenliste</translation>
    </message>
    <message>
        <source>File toolbar</source>
        <translation>Werkzeugleiste Datei</translation>
    </message>
    <message>
        <source>Edit toolbar</source>
        <translation>Werkzeugleiste Bearbeiten</translation>
    </message>
    <message>
        <source>View toolbar</source>
        <translation>Werkzeugleiste Ansicht</translation>
    </message>
    <message>
        <source>Previous match</source>
        <translation>Vorheriger Treffer</translation>
    </message>
    <message>
        <source>Next match</source>
        <translation>Nächster Treffer</translation>
    </message>
    <message>
        <source>Order like reference list...</source>
        <translation>Wie Referenzliste ordnen...</translation>
    </message>
    <message>
        <source>Orders the current base list like another station table or a CSV list of names</source>
        <translation>Ordnet die aktuelle Basisliste wie eine andere Sendertabelle oder eine CSV-Liste von Namen</translation>
    </message>
    <message>
        <source>Choose the reference list</source>
        <translation>Referenzliste wählen</translation>
    </message>
    <message>
        <source>Station tables and CSV files (*.svl40 *.svl50 *.csv)</source>
        <translation>Sendertabellen und CSV-Dateien (*.svl40 *.svl50 *.csv)</translation>
    </message>
    <message>
        <source>Reading the reference list '</source>
        <translation>Lesen der Referenzliste '</translation>
    </message>
    <message>
        <source>Order like reference list</source>
        <translation>Wie Referenzliste ordnen</translation>
    </message>
    <message>
        <source>%1 stations are not in the reference list. Put them at the end of the list or delete them?</source>
        <translation>%1 Sender sind nicht in der Referenzliste. Sollen sie ans Ende der Liste gestellt oder gelöscht werden?</translation>
    </message>
    <message>
        <source>Put at the end</source>
        <translation>Ans Ende stellen</translation>
    </message>
    <message>
        <source>Delete them</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>%1 matched by id, %2 by name, %3 not in the reference</source>
        <translation>%1 nach Kennung zugeordnet, %2 nach Name, %3 nicht in der Referenz</translation>
    </message>
    <message>
        <source>Order %1 like reference list</source>
        <translation>%1 wie Referenzliste ordnen</translation>
    </message>
    <message>
        <source>Keep a backup (.bak) on save</source>
        <translation>Sicherung (.bak) beim Speichern behalten</translation>
    </message>
    <message>
        <source>Keeps the previous file as FILE.bak at the first save after opening</source>
        <translation>Behält die vorige Datei beim ersten Speichern nach dem Öffnen als DATEI.bak</translation>
    </message>
    <message>
        <source>Keeping the previous file as '</source>
        <translation>Sichern der vorigen Datei als '</translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>Modifications not applied</source>
        <translation>Nicht übernommene Änderungen</translation>
    </message>
    <message>
        <source>The table view holds modifications that are not applied yet. Apply them first?</source>
        <translation>Die Tabellenansicht enthält Änderungen, die noch nicht übernommen sind. Zuerst übernehmen?</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Continue without them</source>
        <translation>Ohne sie fortfahren</translation>
    </message>
    <message>
        <source>Print error</source>
        <translation>Druckfehler</translation>
    </message>
    <message>
        <source>Printing the list '</source>
        <translation>Drucken der Liste '</translation>
    </message>
    <message>
        <source>The name is longer than a station table can hold (%1 bytes at most)</source>
        <translation>Der Name ist länger, als eine Sendertabelle fassen kann (höchstens %1 Bytes)</translation>
    </message>
    <message>
        <source>'%1' takes a number; '%2' is none.</source>
        <translation>'%1' muss eine Zahl sein; '%2' ist keine.</translation>
    </message>
</context>
</TS>
