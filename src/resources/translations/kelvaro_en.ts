<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../core/CommandLine.h" line="+13"/>
        <source>Ein oder mehrere Parameter sind ungültig<byte value="xd"/>
oder die Kombination der Parameter ist ungültig.<byte value="xd"/>
<byte value="xd"/>
Nähere Informationen finden Sie in der Hilfe.</source>
        <translation>One or more parameters are invalid,
or they cannot be combined this way.

See the help for details.</translation>
    </message>
</context>
<context>
    <name>ExpirySoundPlayer</name>
    <message>
        <location filename="../../core/ExpirySoundPlayer.cpp" line="+21"/>
        <source>Sound-Datei nicht gefunden.</source>
        <translation>Sound file not found.</translation>
    </message>
</context>
<context>
    <name>FileRegistryStore</name>
    <message>
        <location filename="../../platform/FileRegistryStore.cpp" line="+89"/>
        <source>%1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+271"/>
        <source>%1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check %1: %2</translation>
    </message>
    <message>
        <location line="-266"/>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>%1 kann nicht gelesen werden: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>%1 ist kein Ordner</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ordner %1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check the folder %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Ordner %1 kann nicht angelegt werden: %2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Sperrdatei %1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open the lock file %1: %2</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 kann nicht gesperrt werden: %2</source>
        <translation>Cannot lock %1: %2</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Der Ordner %1 für die Einstellungsdatei %2 existiert nicht</source>
        <translation>The folder %1 for the settings file %2 does not exist</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Die Einstellungen lassen sich nicht speichern: %1</source>
        <translation>The settings cannot be saved: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Temporäre Datei in %1 kann nicht angelegt werden: %2</source>
        <translation>Cannot create a temporary file in %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1 kann nicht geschrieben werden: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 kann nicht ersetzt werden: %2</source>
        <translation>Cannot replace %1: %2</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Die beschädigte Einstellungsdatei %1 (%2) kann nicht beiseitegelegt werden: %3</source>
        <translation>Cannot move the damaged settings file %1 (%2) out of the way: %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Die Einstellungsdatei %1 ist beschädigt (%2) und wurde nach %3 verschoben.</source>
        <translation>The settings file %1 is damaged (%2) and has been moved to %3.</translation>
    </message>
</context>
<context>
    <name>LoadedAudioDevice</name>
    <message>
        <location filename="../../platform/LoadedAudioDevice.cpp" line="+48"/>
        <source>Audio-Modul %1 nicht gefunden</source>
        <translation>Audio module %1 not found</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <location filename="../../widgets/QtMessageBoxes.cpp" line="+12"/>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>RegFileFormat</name>
    <message>
        <location filename="../../core/RegFileFormat.cpp" line="+124"/>
        <source>Schlüssel „%1“ ist tiefer als %2 Ebenen verschachtelt</source>
        <translation>Key “%1” is nested more than %2 levels deep</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Der Wertname „%1“ in „%2“ enthält einen Zeilenumbruch</source>
        <translation>The value name “%1” in “%2” contains a line break</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Der Schlüsselname „%1“ in „%2“ enthält einen Zeilenumbruch</source>
        <translation>The key name “%1” in “%2” contains a line break</translation>
    </message>
    <message>
        <location line="+117"/>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Die Datei beginnt nicht mit REGEDIT4</source>
        <translation>The file does not begin with REGEDIT4</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Wert vor dem ersten Schlüssel</source>
        <translation>Value before the first key</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Schlüssel ohne schließende Klammer</source>
        <translation>Key without a closing bracket</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Löschen von Schlüsseln wird nicht unterstützt</source>
        <translation>Deleting keys is not supported</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Schlüssel liegt nicht unter HKEY_CURRENT_USER</source>
        <translation>Key is not below HKEY_CURRENT_USER</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Schlüssel ist zu tief verschachtelt</source>
        <translation>Key is nested too deeply</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Ungültige Escape-Sequenz</source>
        <translation>Invalid escape sequence</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Anführungszeichen nicht geschlossen</source>
        <translation>Unclosed quotation mark</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Ungültige Hex-Daten</source>
        <translation>Invalid hex data</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Ungültiger Typ in hex(…)</source>
        <translation>Invalid type in hex(…)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Doppelpunkt nach hex fehlt</source>
        <translation>Colon after hex missing</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Fortsetzungszeile fehlt</source>
        <translation>Continuation line missing</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>REG_DWORD braucht genau 4 Bytes</source>
        <translation>REG_DWORD needs exactly 4 bytes</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Zeile ist weder Schlüssel noch Wert</source>
        <translation>Line is neither a key nor a value</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Gleichheitszeichen fehlt</source>
        <translation>Equals sign missing</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Zeichen nach dem Wert</source>
        <translation>Characters after the value</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Löschen von Werten wird nicht unterstützt</source>
        <translation>Deleting values is not supported</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ungültiger DWORD-Wert</source>
        <translation>Invalid DWORD value</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Unbekannte Art von Wert</source>
        <translation>Unknown kind of value</translation>
    </message>
</context>
<context>
    <name>RunAnnouncement</name>
    <message>
        <location filename="../../core/RunAnnouncement.cpp" line="+23"/>
        <source>Herunterfahren</source>
        <translation>Shutting down</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Neustart</source>
        <translation>Restarting</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Abmelden</source>
        <translation>Logging out</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ruhezustand</source>
        <translation>Hibernating</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Standby</source>
        <translation>Suspending</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sekunde</source>
        <translation>second</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sekunden</source>
        <translation>seconds</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 in %2 %3</source>
        <extracomment>The action, the number of seconds and &quot;Sekunde&quot; or &quot;Sekunden&quot;: &quot;Herunterfahren in 60 Sekunden&quot;.</extracomment>
        <translation>%1 in %2 %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>(erzwungen)</source>
        <translation>(forced)</translation>
    </message>
    <message>
        <location filename="../../core/RunAnnouncement.h" line="+33"/>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5 Minuten später</source>
        <translation>5 Minutes Later</translation>
    </message>
</context>
<context>
    <name>RunSchedule</name>
    <message>
        <location filename="../../core/RunSchedule.cpp" line="+45"/>
        <source>Beim Countdown müssen Sie eine Zeit größer Null eingeben,
<byte value="xd"/>damit der Countdown durchgeführt werden kann!</source>
        <translation>For a countdown, enter a time greater than zero,
so that the countdown can run.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Fehler - Kein Programm eingegeben</source>
        <translation>Error - no program entered</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Das Programm %1 läuft nicht.</source>
        <extracomment>%1 is the process number or the name of the program the run was to wait for.</extracomment>
        <translation>The program %1 is not running.</translation>
    </message>
</context>
<context>
    <name>SettingsFilePaths</name>
    <message>
        <location filename="../../platform/SettingsFilePaths.cpp" line="+60"/>
        <source>%1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check %1: %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 kann nicht gelesen werden: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+10"/>
        <source>%1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
</context>
<context>
    <name>SystemErrorText</name>
    <message>
        <location filename="../../platform/SystemErrorText.cpp" line="+15"/>
        <source>Auf dem Gerät ist kein Speicherplatz mehr frei</source>
        <translation>No space left on the device</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Das Speicherkontingent ist erschöpft</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Keine Berechtigung</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Die Aktion ist nicht erlaubt</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Das Dateisystem ist nur lesbar</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ein-/Ausgabefehler</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Datei oder Ordner nicht gefunden</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ein Teil des Pfades ist kein Ordner</source>
        <translation>Part of the path is not a folder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Das ist ein Ordner</source>
        <translation>This is a folder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zu viele Ebenen symbolischer Links</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Der Dateiname ist zu lang</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Zu viele offene Dateien</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Das Gerät oder die Datei ist belegt</source>
        <translation>Device or file is busy</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Die Datei liegt auf einem anderen Dateisystem</source>
        <translation>The file is on a different file system</translation>
    </message>
</context>
<context>
    <name>TEinst</name>
    <message>
        <location filename="../../core/TEinst.cpp" line="+184"/>
        <source>Der Registry-Wert &quot;Name&quot; in HKEY_CURRENT_USER\%1 konnte nicht geschrieben werden: %2</source>
        <translation>The registry value &quot;Name&quot; in HKEY_CURRENT_USER\%1 could not be written: %2</translation>
    </message>
</context>
<context>
    <name>TMainUi</name>
    <message>
        <location filename="../../windows/TMainUi.cpp" line="+92"/>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+43"/>
        <source>&amp;Beenden</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <location line="-42"/>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Einstellungen öffnen/schließen</source>
        <translation>&amp;Show/Hide Settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Programm deinstallieren</source>
        <translation>&amp;Uninstall Program</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Hilfe aufrufen</source>
        <translation>&amp;Show Help</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Über...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Vordefinierte Einstellungen</source>
        <translation>Presets</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Aktuelle Zeit:</source>
        <translation>Current time:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start-Zeit:</source>
        <translation>Start time:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>End-Zeit:</source>
        <translation>End time:</translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Verbleibende Zeit:</source>
        <translation>Time left:</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Vergangene Zeit:</source>
        <translation>Time elapsed:</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Einstellungen speichern</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Einstellungen öffnen/schließen</source>
        <translation>Show or hide the settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Anhalten</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Programm beenden</source>
        <translation>Quit Kelvaro</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Starteinstellungen</source>
        <translation>Startup</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vordef. Einst.</source>
        <translation>Presets</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verknüpfung</source>
        <translation>Launcher</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Liste mit vordef. Einstellungen</source>
        <translation>Presets</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Einstellungen ändern</source>
        <translation>Edit Settings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Verknüpfungsname</source>
        <translation>Launcher file</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Durchsuchen</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Einstellungen zusammenstellen</source>
        <translation>Choose Settings...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Erzeugen</source>
        <translation>Create</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Mit einer Verknüpfung kann man Kelvaro mit vordefinierten Einstellungen starten ohne erst die Zeit und die Aktion einstellen zu müssen.</source>
        <translation>A launcher starts Kelvaro with settings chosen in advance, so you do not have to set the time and the action first.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hilfreich bei wiederkehrenden Ereignissen z.B. als Tee-Timer oder Pizza-Fertig-Melder</source>
        <translation>Handy for things that come up again and again, for example as a tea timer or to tell you the pizza is ready.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Anzeigen</source>
        <translation>Show</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+5"/>
        <source>5 Minuten später</source>
        <translation>5 Minutes Later</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>TestSound</name>
    <message>
        <location filename="../../core/TestSound.cpp" line="+11"/>
        <source>Testen</source>
        <translation>Test</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>kelvaro::ActionPanel</name>
    <message>
        <location filename="../../widgets/ActionPanel.cpp" line="+42"/>
        <source>Aktionen wirken sich aus, sobald der eingestellte Zeitpunkt erreicht ist bzw. der Countdown abgelaufen ist.</source>
        <translation>The action takes place as soon as the set time of day is reached or the countdown has run out.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Herunter-    fahren</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Neu Starten</source>
        <translation>Restart</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Abmelden</source>
        <translation>Log out</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Erzwingen</source>
        <translation>Force</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zwingt blockierende Programme auf die gewählte Aktion zu reagieren.</source>
        <translation>Carries out the chosen action even when programs try to block it.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Standby</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Ruhe-zustand</source>
        <translation>Hiber-nate</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sperren</source>
        <translation>Lock</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Na&amp;chricht eingeben:</source>
        <translation>Enter a &amp;message:</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Nachricht anzeigen</source>
        <translation>Show a message</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rechner herunterfahren</source>
        <translation>Shut down the computer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Rechner neu starten</source>
        <translation>Restart the computer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Benutzer abmelden</source>
        <translation>Log the user out</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Standby Modus</source>
        <translation>Suspend the computer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Ruhezustand</source>
        <translation>Hibernate the computer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bildschirm sperren</source>
        <translation>Lock the screen</translation>
    </message>
</context>
<context>
    <name>kelvaro::MediaPlayer</name>
    <message>
        <location filename="../../core/MediaPlayer.cpp" line="+25"/>
        <source>No MCI device open</source>
        <translation>No sound file is open</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Unknown error code</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>kelvaro::PresetsPage</name>
    <message>
        <location filename="../../windows/PresetsPage.cpp" line="+105"/>
        <source>Die vordefinierten Einstellungen konnten nicht gespeichert werden: %1</source>
        <translation>The presets could not be saved: %1</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Vordefinierte Einstellungen</source>
        <translation>Preset</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
</context>
<context>
    <name>kelvaro::ShortcutPage</name>
    <message>
        <location filename="../../windows/ShortcutPage.cpp" line="+21"/>
        <source>Verknüpfung konnte nicht ereugt werden</source>
        <translation>The launcher could not be created</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verknüpfung erfolgreich erzeugt</source>
        <translation>The launcher has been created</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Verknüpfung (*.desktop)</source>
        <translation>Launcher (*.desktop)</translation>
    </message>
</context>
<context>
    <name>kelvaro::SoundPanel</name>
    <message>
        <location filename="../../widgets/SoundPanel.cpp" line="+24"/>
        <source>MP3-Datei (*.mp3);;WAV-Datei (*.wav)</source>
        <translation>MP3 file (*.mp3);;WAV file (*.wav)</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Kein Sound</source>
        <translation>No sound</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Beep Ton</source>
        <translation>Beeps</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Anzahl Töne</source>
        <translation>Count</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Sound-Datei</source>
        <translation>Sound file</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Durchsuchen</source>
        <translation>Browse...</translation>
    </message>
</context>
<context>
    <name>kelvaro::StartPanel</name>
    <message>
        <location filename="../../widgets/StartPanel.cpp" line="+33"/>
        <source>Minimieren nach dem Start der Aktion</source>
        <translation>Minimize when the run starts</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Programm beenden nach Aktion</source>
        <translation>Quit the program after the action</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sofortstart (wirkt erst nach einem Programmneustart)</source>
        <translation>Start at once (takes effect at the next program start)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sofortstart der Aktion</source>
        <translation>Start the run at once</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Startet die eingestellte Aktion sofort nach Aufruf von Kelvaro.</source>
        <translation>Starts the run as soon as Kelvaro has started.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Vorwarnzeit (Sekunden)</source>
        <translation>&amp;Warning time (seconds)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>So viele Sekunden vor dem Herunterfahren, Neustarten, Abmelden oder Standby wird die Aktion angekündigt; 0 schaltet die Ankündigung ab.</source>
        <translation>The action is announced this many seconds before shutting down, restarting, logging out or suspending; 0 turns the announcement off.</translation>
    </message>
</context>
<context>
    <name>kelvaro::TDeinstallation</name>
    <message>
        <location filename="../../windows/TDeinstallation.cpp" line="+34"/>
        <source>Kelvaro - Deinstallation</source>
        <translation>Kelvaro - Uninstall</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uninstall</source>
        <translation>Uninstall</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Registry Einträge entfernen</source>
        <translation>Remove Registry Entries</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zum vollständigen Entfernen von Kelvaro, müssen lediglich die Registry Einträge entfernt und das Programm mit der Paketverwaltung gelöscht werden.</source>
        <translation>To remove Kelvaro completely, just remove its registry entries and uninstall the program with the package manager.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Einstellungen übernehmen</source>
        <translation>Apply the settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Einstellungen verwerfen</source>
        <translation>Discard the settings</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Sollen alle Kelvaro Registry Einträge gelöscht werden?</source>
        <translation>Delete all of Kelvaro&apos;s registry entries?</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Die Registry Einträge konnten nicht gelöscht werden.
%1</source>
        <translation>The registry entries could not be deleted.
%1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Registry Einträge wurden gelöscht.
<byte value="xd"/>Kelvaro wird nun beendet.</source>
        <translation>The registry entries have been deleted.
Kelvaro will now quit.</translation>
    </message>
</context>
<context>
    <name>kelvaro::TEinstellungen</name>
    <message>
        <location filename="../../windows/TEinstellungen.cpp" line="+31"/>
        <source>Fehler - Keine Nachricht eingegeben</source>
        <translation>Error - no message entered</translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Einstellungs-Editor</source>
        <translation>Settings Editor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wählen Sie hier Ihre gewünschten Einstellungen aus.</source>
        <translation>Choose the settings you want here.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Starteinstellungen</source>
        <translation>Startup</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelvaro::THilfe</name>
    <message>
        <location filename="../../windows/THilfe.cpp" line="+96"/>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Hilfe zu Kelvaro</source>
        <translation>Kelvaro Help</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Schliessen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelvaro::TInfofenster</name>
    <message>
        <location filename="../../windows/TInfofenster.cpp" line="+31"/>
        <source>Programm zum zeitgesteuerten Herunter-
fahren, Neustarten, Abmelden, Energie-
sparen oder Benachrichtigen. 

Zum Ablauf der eingestellten Zeit bzw. 
zum eingegebenen Zeitpunkt zeigt 
Kelvaro eine eingestellte Nachricht an 
oder führt eine der oben erwähnten 
Aktionen aus.</source>
        <translation>A program that shuts the computer down,
restarts it, logs you out, suspends it
or reminds you, all at a set time.

When the set time has run out or the
set time of day has come, Kelvaro
shows the message you entered or
carries out one of the actions
named above.</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>Infofenster</source>
        <translation>About Kelvaro</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelvaro::TMain</name>
    <message>
        <location filename="../../windows/TMain.cpp" line="+381"/>
        <source> (erzwingen)</source>
        <translation> (forced)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Beep (%1x)</source>
        <translation>Beeps (%1x)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sound-Datei [%1]</source>
        <translation>Sound file [%1]</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>Ungültige Uhrzeit %1:%2:%3</source>
        <translation>Invalid time of day %1:%2:%3</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>wartet auf %1</source>
        <extracomment>In the caption and the tip while a run waits for a program; %1 is its name (and number).</extracomment>
        <translation>waiting for %1</translation>
    </message>
</context>
<context>
    <name>kelvaro::TNachricht</name>
    <message>
        <location filename="../../windows/TNachricht.cpp" line="+26"/>
        <source>Kelvaro Nachrichtenfenster</source>
        <translation>Kelvaro Message</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Zeit abgelaufen!</source>
        <translation>Time&apos;s up!</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelvaro::TVorwarnung</name>
    <message>
        <location filename="../../windows/TVorwarnung.cpp" line="+14"/>
        <source>Kelvaro Vorwarnung</source>
        <translation>Kelvaro Warning</translation>
    </message>
</context>
<context>
    <name>kelvaro::TimeEntryBox</name>
    <message>
        <location filename="../../widgets/TimeEntryBox.cpp" line="+29"/>
        <source>Fehler bei der Eingabe!<byte value="xd"/>
Es sind nur Zahlen erlaubt.</source>
        <translation>Invalid entry!
Only numbers are allowed.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und 23 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to 23 are allowed.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und 59 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to 59 are allowed.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Invalid input value.  Use escape key to abandon changes</source>
        <translation>Invalid input value. Press Escape to discard your changes.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>  Eingabe  </source>
        <translation>  Input  </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Countdown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zeitpunkt</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stopuhr</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Programmende</source>
        <translation>Program end</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Stunden</source>
        <translation>Hours</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minuten</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Sekunden</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Uhrzeit</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Programmname oder Prozessnummer</source>
        <translation>Program name or process number</translation>
    </message>
</context>
</TS>
