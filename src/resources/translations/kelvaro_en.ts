<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>CommandLine</name>
    <message>
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
        <source>Sound-Datei nicht gefunden.</source>
        <translation>Sound file not found.</translation>
    </message>
</context>
<context>
    <name>FileRegistryStore</name>
    <message>
        <source>%1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check %1: %2</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>%1 kann nicht gelesen werden: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 ist kein Ordner</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>Ordner %1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check the folder %1: %2</translation>
    </message>
    <message>
        <source>Ordner %1 kann nicht angelegt werden: %2</source>
        <translation>Cannot create the folder %1: %2</translation>
    </message>
    <message>
        <source>Sperrdatei %1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open the lock file %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht gesperrt werden: %2</source>
        <translation>Cannot lock %1: %2</translation>
    </message>
    <message>
        <source>Der Ordner %1 für die Einstellungsdatei %2 existiert nicht</source>
        <translation>The folder %1 for the settings file %2 does not exist</translation>
    </message>
    <message>
        <source>Die Einstellungen lassen sich nicht speichern: %1</source>
        <translation>The settings cannot be saved: %1</translation>
    </message>
    <message>
        <source>Temporäre Datei in %1 kann nicht angelegt werden: %2</source>
        <translation>Cannot create a temporary file in %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht geschrieben werden: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht ersetzt werden: %2</source>
        <translation>Cannot replace %1: %2</translation>
    </message>
    <message>
        <source>Die beschädigte Einstellungsdatei %1 (%2) kann nicht beiseitegelegt werden: %3</source>
        <translation>Cannot move the damaged settings file %1 (%2) out of the way: %3</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei %1 ist beschädigt (%2) und wurde nach %3 verschoben.</source>
        <translation>The settings file %1 is damaged (%2) and has been moved to %3.</translation>
    </message>
</context>
<context>
    <name>LoadedAudioDevice</name>
    <message>
        <source>Audio-Modul %1 nicht gefunden</source>
        <translation>Audio module %1 not found</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>PowerFailure</name>
    <message>
        <source>Herunterfahren</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>Neu starten</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <source>Ruhezustand</source>
        <translation>Hibernate</translation>
    </message>
    <message>
        <source>Bildschirm sperren</source>
        <translation>Lock screen</translation>
    </message>
    <message>
        <source>Der Rechner wurde nicht heruntergefahren.</source>
        <translation>The computer was not shut down.</translation>
    </message>
    <message>
        <source>Der Rechner wurde nicht neu gestartet.</source>
        <translation>The computer was not restarted.</translation>
    </message>
    <message>
        <source>Sie wurden nicht abgemeldet.</source>
        <translation>You were not logged out.</translation>
    </message>
    <message>
        <source>Der Rechner wurde nicht in den Standby versetzt.</source>
        <translation>The computer was not suspended.</translation>
    </message>
    <message>
        <source>Der Rechner wurde nicht in den Ruhezustand versetzt.</source>
        <translation>The computer was not hibernated.</translation>
    </message>
    <message>
        <source>Der Bildschirm wurde nicht gesperrt.</source>
        <translation>The screen was not locked.</translation>
    </message>
    <message>
        <source>Die Aktion wurde nicht ausgeführt.</source>
        <translation>The action was not carried out.</translation>
    </message>
    <message>
        <source>Sie haben keine Berechtigung dazu.</source>
        <translation>You do not have permission to do this.</translation>
    </message>
    <message>
        <source>Dafür ist ein Kennwort nötig, aber es läuft kein Anmeldedialog, der danach fragen könnte.</source>
        <translation>This needs a password, but no authentication dialog is running that could ask for it.</translation>
    </message>
    <message>
        <source>Ein anderes Programm verhindert es.</source>
        <translation>Another program prevents it.</translation>
    </message>
    <message>
        <source>%1 verhindert es.</source>
        <extracomment>%1 is the program that blocks the action.</extracomment>
        <translation>%1 prevents it.</translation>
    </message>
    <message>
        <source>%1 verhindert es: %2</source>
        <extracomment>%1 is the program that blocks the action, %2 its own reason.</extracomment>
        <translation>%1 prevents it: %2</translation>
    </message>
    <message>
        <source>Diese Aktion ist auf diesem Rechner nicht verfügbar.</source>
        <translation>This action is not available on this computer.</translation>
    </message>
    <message>
        <source>Die eigene Sitzung wurde nicht gefunden.</source>
        <translation>The program&apos;s own session was not found.</translation>
    </message>
    <message>
        <source>Der Systemdienst ist nicht erreichbar.</source>
        <translation>The system service cannot be reached.</translation>
    </message>
    <message>
        <source>Der Systemdienst hat nicht rechtzeitig geantwortet.</source>
        <translation>The system service did not answer in time.</translation>
    </message>
    <message>
        <source>Die Sitzungsverwaltung hat das Abmelden abgelehnt; ein Programm hält es vielleicht auf.</source>
        <translation>The session manager refused to log out; a program may be holding it back.</translation>
    </message>
    <message>
        <source>Der Systemdienst meldet einen Fehler: %1</source>
        <extracomment>%1 is the error message of the system service.</extracomment>
        <translation>The system service reports an error: %1</translation>
    </message>
    <message>
        <source>Die Aktion „%1“ ist auf diesem Rechner nicht verfügbar.</source>
        <extracomment>%1 is the action (&quot;Herunterfahren&quot;, &quot;Standby&quot;, ...).</extracomment>
        <translation>The action “%1” is not available on this computer.</translation>
    </message>
    <message>
        <source>Sie dürfen die Aktion „%1“ auf diesem Rechner nicht ausführen.</source>
        <extracomment>%1 is the action (&quot;Herunterfahren&quot;, &quot;Standby&quot;, ...).</extracomment>
        <translation>You are not allowed to carry out the action “%1” on this computer.</translation>
    </message>
    <message>
        <source>%1 verhindert das Herunterfahren: %2</source>
        <extracomment>%1 is the program that blocks the action, %2 its own reason.</extracomment>
        <translation>%1 prevents shutting down: %2</translation>
    </message>
    <message>
        <source>%1 verhindert den Neustart: %2</source>
        <translation>%1 prevents the restart: %2</translation>
    </message>
    <message>
        <source>%1 verhindert den Standby: %2</source>
        <translation>%1 prevents suspending: %2</translation>
    </message>
    <message>
        <source>%1 verhindert den Ruhezustand: %2</source>
        <translation>%1 prevents hibernation: %2</translation>
    </message>
    <message>
        <source>Ein Programm</source>
        <translation>A program</translation>
    </message>
    <message>
        <source>Kennwort am Ende nötig</source>
        <translation>Password needed at the end</translation>
    </message>
    <message>
        <source>Aktion fehlgeschlagen</source>
        <translation>Action failed</translation>
    </message>
</context>
<context>
    <name>RegFileFormat</name>
    <message>
        <source>Schlüssel „%1“ ist tiefer als %2 Ebenen verschachtelt</source>
        <translation>Key “%1” is nested more than %2 levels deep</translation>
    </message>
    <message>
        <source>Der Wertname „%1“ in „%2“ enthält einen Zeilenumbruch</source>
        <translation>The value name “%1” in “%2” contains a line break</translation>
    </message>
    <message>
        <source>Der Schlüsselname „%1“ in „%2“ enthält einen Zeilenumbruch</source>
        <translation>The key name “%1” in “%2” contains a line break</translation>
    </message>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Die Datei beginnt nicht mit REGEDIT4</source>
        <translation>The file does not begin with REGEDIT4</translation>
    </message>
    <message>
        <source>Wert vor dem ersten Schlüssel</source>
        <translation>Value before the first key</translation>
    </message>
    <message>
        <source>Schlüssel ohne schließende Klammer</source>
        <translation>Key without a closing bracket</translation>
    </message>
    <message>
        <source>Löschen von Schlüsseln wird nicht unterstützt</source>
        <translation>Deleting keys is not supported</translation>
    </message>
    <message>
        <source>Schlüssel liegt nicht unter HKEY_CURRENT_USER</source>
        <translation>Key is not below HKEY_CURRENT_USER</translation>
    </message>
    <message>
        <source>Schlüssel ist zu tief verschachtelt</source>
        <translation>Key is nested too deeply</translation>
    </message>
    <message>
        <source>Ungültige Escape-Sequenz</source>
        <translation>Invalid escape sequence</translation>
    </message>
    <message>
        <source>Anführungszeichen nicht geschlossen</source>
        <translation>Unclosed quotation mark</translation>
    </message>
    <message>
        <source>Ungültige Hex-Daten</source>
        <translation>Invalid hex data</translation>
    </message>
    <message>
        <source>Ungültiger Typ in hex(…)</source>
        <translation>Invalid type in hex(…)</translation>
    </message>
    <message>
        <source>Doppelpunkt nach hex fehlt</source>
        <translation>Colon after hex missing</translation>
    </message>
    <message>
        <source>Fortsetzungszeile fehlt</source>
        <translation>Continuation line missing</translation>
    </message>
    <message>
        <source>REG_DWORD braucht genau 4 Bytes</source>
        <translation>REG_DWORD needs exactly 4 bytes</translation>
    </message>
    <message>
        <source>Zeile ist weder Schlüssel noch Wert</source>
        <translation>Line is neither a key nor a value</translation>
    </message>
    <message>
        <source>Gleichheitszeichen fehlt</source>
        <translation>Equals sign missing</translation>
    </message>
    <message>
        <source>Zeichen nach dem Wert</source>
        <translation>Characters after the value</translation>
    </message>
    <message>
        <source>Löschen von Werten wird nicht unterstützt</source>
        <translation>Deleting values is not supported</translation>
    </message>
    <message>
        <source>Ungültiger DWORD-Wert</source>
        <translation>Invalid DWORD value</translation>
    </message>
    <message>
        <source>Unbekannte Art von Wert</source>
        <translation>Unknown kind of value</translation>
    </message>
</context>
<context>
    <name>RemoteClient</name>
    <message>
        <source>Es läuft kein Kelvaro.</source>
        <translation>No Kelvaro is running.</translation>
    </message>
    <message>
        <source>Kein Kelvaro hat die Prozessnummer %1.</source>
        <translation>No Kelvaro has the process number %1.</translation>
    </message>
    <message>
        <source>Kein Kelvaro hat einen Countdown oder einen Lauf bis zu einer Uhrzeit.</source>
        <translation>No Kelvaro has a countdown or a run to a time of day.</translation>
    </message>
    <message>
        <source>Kein Kelvaro hat einen laufenden Timer.</source>
        <translation>No Kelvaro has a timer running.</translation>
    </message>
    <message>
        <source>Mehrere Kelvaro kommen in Frage; wählen Sie einen mit --pid=&lt;PID&gt;:</source>
        <translation>Several Kelvaro could be meant; choose one with --pid=&lt;PID&gt;:</translation>
    </message>
    <message>
        <source>Kelvaro %1 lehnt ab: %2</source>
        <translation>Kelvaro %1 refuses: %2</translation>
    </message>
    <message>
        <source>Kelvaro %1 ist nicht erreichbar: %2</source>
        <translation>Kelvaro %1 cannot be reached: %2</translation>
    </message>
    <message>
        <source>Kelvaro %1: Timer angehalten.</source>
        <translation>Kelvaro %1: timer stopped.</translation>
    </message>
    <message>
        <source>Kelvaro %1: Ende jetzt um %2, in %3.</source>
        <translation>Kelvaro %1: the end is now at %2, in %3.</translation>
    </message>
    <message>
        <source>Kelvaro %1: Fenster angezeigt.</source>
        <translation>Kelvaro %1: window shown.</translation>
    </message>
    <message>
        <source>Keine Verbindung zum Sitzungsbus: %1</source>
        <translation>No connection to the session bus: %1</translation>
    </message>
</context>
<context>
    <name>RemoteCommand</name>
    <message>
        <source>Nur ein Befehl auf einmal: %1 und %2.</source>
        <translation>Only one command at a time: %1 and %2.</translation>
    </message>
    <message>
        <source>--pid= braucht eine Prozessnummer, nicht &quot;%1&quot;.</source>
        <translation>--pid= needs a process number, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Nur eine Prozessnummer auf einmal.</source>
        <translation>Only one process number at a time.</translation>
    </message>
    <message>
        <source>--postpone= braucht eine Zahl von Minuten größer als 0, nicht &quot;%1&quot;.</source>
        <translation>--postpone= needs a number of minutes greater than 0, not &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Unbekannte Angabe: %1</source>
        <translation>Unknown argument: %1</translation>
    </message>
    <message>
        <source>Kein Befehl angegeben.</source>
        <translation>No command given.</translation>
    </message>
    <message>
        <source>--json gilt nur für --list und --watch.</source>
        <translation>--json applies to --list and --watch only.</translation>
    </message>
    <message>
        <source>--pid= gilt nicht für %1.</source>
        <translation>--pid= does not apply to %1.</translation>
    </message>
    <message>
        <source>Aufruf: kelvaro --list [--json]
       kelvaro --stop [--pid=&lt;PID&gt;]
       kelvaro --postpone=&lt;Minuten&gt; [--pid=&lt;PID&gt;]
       kelvaro --show [--pid=&lt;PID&gt;]
       kelvaro --watch [--json] [--pid=&lt;PID&gt;]
       kelvaro --help | --version</source>
        <translation>Usage: kelvaro --list [--json]
       kelvaro --stop [--pid=&lt;PID&gt;]
       kelvaro --postpone=&lt;minutes&gt; [--pid=&lt;PID&gt;]
       kelvaro --show [--pid=&lt;PID&gt;]
       kelvaro --watch [--json] [--pid=&lt;PID&gt;]
       kelvaro --help | --version</translation>
    </message>
</context>
<context>
    <name>RemoteReport</name>
    <message>
        <source>Stoppuhr seit %1</source>
        <translation>Stopwatch since %1</translation>
    </message>
    <message>
        <source>%1 nach dem Ende des Programms</source>
        <translation>%1 when the program has ended</translation>
    </message>
    <message>
        <source>%1 um %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message>
        <source> (angekündigt)</source>
        <translation> (announced)</translation>
    </message>
    <message>
        <source>bereit</source>
        <translation>idle</translation>
    </message>
    <message>
        <source>läuft</source>
        <translation>running</translation>
    </message>
    <message>
        <source>angekündigt</source>
        <translation>announced</translation>
    </message>
    <message>
        <source>wartet</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>Stoppuhr</source>
        <translation>stopwatch</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Herunterfahren</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>Neustart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>Ruhezustand</source>
        <translation>Hibernate</translation>
    </message>
    <message>
        <source>Bildschirm sperren</source>
        <translation>Lock the screen</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>Zustand</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Rest</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Vorgabe</source>
        <translation>Preset</translation>
    </message>
</context>
<context>
    <name>RunAnnouncement</name>
    <message>
        <source>Herunterfahren</source>
        <translation>Shutting down</translation>
    </message>
    <message>
        <source>Neustart</source>
        <translation>Restarting</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Logging out</translation>
    </message>
    <message>
        <source>Ruhezustand</source>
        <translation>Hibernating</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Suspending</translation>
    </message>
    <message>
        <source>(erzwungen)</source>
        <translation>(forced)</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>5 Minuten später</source>
        <translation>5 Minutes Later</translation>
    </message>
    <message>
        <source>Trotzdem ausführen</source>
        <translation>Carry out anyway</translation>
    </message>
    <message>
        <source>um %1</source>
        <extracomment>The clock time of the action: &quot;um 23:00:00&quot;.</extracomment>
        <translation>at %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 in %n Sekunden</source>
        <extracomment>The action and the number of seconds: &quot;Herunterfahren in 60 Sekunden&quot;, &quot;Abmelden in 1 Sekunde&quot;.</extracomment>
        <translation>
            <numerusform>%1 in %n second</numerusform>
            <numerusform>%1 in %n seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RunSchedule</name>
    <message>
        <source>Beim Countdown müssen Sie eine Zeit größer Null eingeben,
<byte value="xd"/>damit der Countdown durchgeführt werden kann!</source>
        <translation>For a countdown, enter a time greater than zero,
so that the countdown can run.</translation>
    </message>
    <message>
        <source>Fehler - Kein Programm eingegeben</source>
        <translation>Error - no program entered</translation>
    </message>
    <message>
        <source>Das Programm %1 läuft nicht.</source>
        <extracomment>%1 is the process number or the name of the program the run was to wait for.</extracomment>
        <translation>The program %1 is not running.</translation>
    </message>
    <message>
        <source>Kein Leerlaufzähler des Desktops verfügbar.
Kelvaro kann hier nicht erkennen, wann Tastatur und Maus unbenutzt sind.</source>
        <translation>The desktop offers no idle clock.
Kelvaro cannot tell here when the keyboard and mouse are not in use.</translation>
    </message>
    <message>
        <source>Beim Leerlauf muss eine Grenze für den Prozessor oder das Netz größer Null sein, sonst wird nichts beobachtet.</source>
        <translation>For an idle machine, the processor or the network limit must be greater than zero, or nothing is watched.</translation>
    </message>
    <message>
        <source>CPU %1 %</source>
        <extracomment>The processor use of the latest second, in percent.</extracomment>
        <translation>CPU %1%</translation>
    </message>
    <message>
        <source>Netz %1 kB/s</source>
        <extracomment>The network traffic of the latest second, received plus sent.</extracomment>
        <translation>network %1 kB/s</translation>
    </message>
    <message>
        <source>Die Auslastung von CPU und Netz kann nicht gelesen werden (/proc/stat, /proc/net/dev).</source>
        <translation>The CPU and network load cannot be read (/proc/stat, /proc/net/dev).</translation>
    </message>
</context>
<context>
    <name>RunWait</name>
    <message>
        <source>Inaktivität</source>
        <translation>inactivity</translation>
    </message>
    <message>
        <source>Leerlauf</source>
        <translation>idle</translation>
    </message>
</context>
<context>
    <name>Schedule</name>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Herunterfahren</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>Neustart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <source>Ruhezustand</source>
        <translation>Hibernate</translation>
    </message>
    <message>
        <source>Bildschirm sperren</source>
        <translation>Lock screen</translation>
    </message>
</context>
<context>
    <name>ScheduleBook</name>
    <message>
        <source>Die Datei %1 kann nicht geschrieben werden: %2</source>
        <translation>The file %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Ungültige Kennung eines Zeitplans: %1</source>
        <translation>Invalid schedule id: %1</translation>
    </message>
    <message>
        <source>Den Zeitplan %1 gibt es schon.</source>
        <translation>Schedule %1 exists already.</translation>
    </message>
    <message>
        <source>Ein Parameter enthält ein Steuerzeichen, das eine Befehlszeile nicht tragen kann.</source>
        <translation>A parameter holds a control character that a command line cannot carry.</translation>
    </message>
    <message>
        <source>Der Ordner %1 kann nicht angelegt werden.</source>
        <translation>The folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>Es gibt keinen Zeitplan %1.</source>
        <translation>There is no schedule %1.</translation>
    </message>
</context>
<context>
    <name>ScheduleVerbs</name>
    <message>
        <source>aktiv</source>
        <translation>active</translation>
    </message>
    <message>
        <source>inaktiv</source>
        <translation>inactive</translation>
    </message>
    <message>
        <source>Aufruf: kelvaro --schedules [--json]</source>
        <translation>Usage: kelvaro --schedules [--json]</translation>
    </message>
    <message>
        <source>Aufruf: kelvaro --unschedule=&lt;Nummer&gt;</source>
        <translation>Usage: kelvaro --unschedule=&lt;number&gt;</translation>
    </message>
    <message>
        <source>Aufruf: kelvaro --schedule=&lt;Kalenderausdruck&gt; &lt;Parameter&gt;</source>
        <translation>Usage: kelvaro --schedule=&lt;calendar expression&gt; &lt;switches&gt;</translation>
    </message>
    <message>
        <source>Ungültiger Kalenderausdruck &quot;%1&quot;: %2</source>
        <translation>Invalid calendar expression &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Die Benutzerinstanz von systemd ist nicht erreichbar.</source>
        <translation>systemd&apos;s user instance cannot be reached.</translation>
    </message>
</context>
<context>
    <name>SettingsFilePaths</name>
    <message>
        <source>%1 kann nicht geprüft werden: %2</source>
        <translation>Cannot check %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht gelesen werden: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 kann nicht geöffnet werden: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
</context>
<context>
    <name>SystemErrorText</name>
    <message>
        <source>Auf dem Gerät ist kein Speicherplatz mehr frei</source>
        <translation>No space left on the device</translation>
    </message>
    <message>
        <source>Das Speicherkontingent ist erschöpft</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Keine Berechtigung</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Die Aktion ist nicht erlaubt</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>Das Dateisystem ist nur lesbar</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Datei oder Ordner nicht gefunden</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>Ein Teil des Pfades ist kein Ordner</source>
        <translation>Part of the path is not a folder</translation>
    </message>
    <message>
        <source>Das ist ein Ordner</source>
        <translation>This is a folder</translation>
    </message>
    <message>
        <source>Zu viele Ebenen symbolischer Links</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>Der Dateiname ist zu lang</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Zu viele offene Dateien</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>Das Gerät oder die Datei ist belegt</source>
        <translation>Device or file is busy</translation>
    </message>
    <message>
        <source>Die Datei liegt auf einem anderen Dateisystem</source>
        <translation>The file is on a different file system</translation>
    </message>
</context>
<context>
    <name>SystemdUserManager</name>
    <message>
        <source>Der Sitzungsbus ist nicht erreichbar.</source>
        <translation>The session bus cannot be reached.</translation>
    </message>
    <message>
        <source>systemd lehnt %2 ab: %1</source>
        <extracomment>%1 is what the user&apos;s service manager (systemd) answered, %2 the request.</extracomment>
        <translation>systemd refuses %2: %1</translation>
    </message>
</context>
<context>
    <name>TEinst</name>
    <message>
        <source>Der Registry-Wert &quot;Name&quot; in HKEY_CURRENT_USER\%1 konnte nicht geschrieben werden: %2</source>
        <translation>The registry value &quot;Name&quot; in HKEY_CURRENT_USER\%1 could not be written: %2</translation>
    </message>
</context>
<context>
    <name>TMain</name>
    <message>
        <source>Ungültige Uhrzeit %1:%2:%3</source>
        <translation>Invalid time of day %1:%2:%3</translation>
    </message>
    <message>
        <source>wartet auf %1</source>
        <extracomment>In the caption and the tip while a run waits; %1 is what it waits for (a program&apos;s name).</extracomment>
        <translation>waiting for %1</translation>
    </message>
</context>
<context>
    <name>TMainUi</name>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Einstellungen öffnen/schließen</source>
        <translation>&amp;Show/Hide Settings</translation>
    </message>
    <message>
        <source>&amp;Programm deinstallieren</source>
        <translation>&amp;Uninstall Program</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Hilfe aufrufen</source>
        <translation>&amp;Show Help</translation>
    </message>
    <message>
        <source>&amp;Über...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Vordefinierte Einstellungen</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>Aktuelle Zeit:</source>
        <translation>Current time:</translation>
    </message>
    <message>
        <source>Start-Zeit:</source>
        <translation>Start time:</translation>
    </message>
    <message>
        <source>End-Zeit:</source>
        <translation>End time:</translation>
    </message>
    <message>
        <source>Verbleibende Zeit:</source>
        <translation>Time left:</translation>
    </message>
    <message>
        <source>Vergangene Zeit:</source>
        <translation>Time elapsed:</translation>
    </message>
    <message>
        <source>Einstellungen speichern</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>Einstellungen öffnen/schließen</source>
        <translation>Show or hide the settings</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Anhalten</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Programm beenden</source>
        <translation>Quit Kelvaro</translation>
    </message>
    <message>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Starteinstellungen</source>
        <translation>Startup</translation>
    </message>
    <message>
        <source>Vordef. Einst.</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>Verknüpfung</source>
        <translation>Launcher</translation>
    </message>
    <message>
        <source>Liste mit vordef. Einstellungen</source>
        <translation>Presets</translation>
    </message>
    <message>
        <source>Einstellungen ändern</source>
        <translation>Edit Settings</translation>
    </message>
    <message>
        <source>Verknüpfungsname</source>
        <translation>Launcher file</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Einstellungen zusammenstellen</source>
        <translation>Choose Settings...</translation>
    </message>
    <message>
        <source>Erzeugen</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Mit einer Verknüpfung kann man Kelvaro mit vordefinierten Einstellungen starten ohne erst die Zeit und die Aktion einstellen zu müssen.</source>
        <translation>A launcher starts Kelvaro with settings chosen in advance, so you do not have to set the time and the action first.</translation>
    </message>
    <message>
        <source>Hilfreich bei wiederkehrenden Ereignissen z.B. als Tee-Timer oder Pizza-Fertig-Melder</source>
        <translation>Handy for things that come up again and again, for example as a tea timer or to tell you the pizza is ready.</translation>
    </message>
    <message>
        <source>Anzeigen</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>5 Minuten später</source>
        <translation>5 Minutes Later</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Zeitpläne</source>
        <translation>Schedules</translation>
    </message>
    <message>
        <source>Inaktiv seit:</source>
        <extracomment>Beside the time no key has been pressed and the mouse has not moved.</extracomment>
        <translation>Idle for:</translation>
    </message>
    <message>
        <source>Ruhig seit:</source>
        <extracomment>Beside the time the processor and the network have stayed below their limits.</extracomment>
        <translation>Quiet for:</translation>
    </message>
</context>
<context>
    <name>TestSound</name>
    <message>
        <source>Testen</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>kelvaro::ActionPanel</name>
    <message>
        <source>Aktionen wirken sich aus, sobald der eingestellte Zeitpunkt erreicht ist bzw. der Countdown abgelaufen ist.</source>
        <translation>The action takes place as soon as the set time of day is reached or the countdown has run out.</translation>
    </message>
    <message>
        <source>Nachricht</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Herunter-    fahren</source>
        <translation>Shut down</translation>
    </message>
    <message>
        <source>Neu Starten</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Abmelden</source>
        <translation>Log out</translation>
    </message>
    <message>
        <source>Erzwingen</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>Zwingt blockierende Programme auf die gewählte Aktion zu reagieren.</source>
        <translation>Carries out the chosen action even when programs try to block it.</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Suspend</translation>
    </message>
    <message>
        <source>Ruhe-zustand</source>
        <translation>Hiber-nate</translation>
    </message>
    <message>
        <source>Sperren</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Na&amp;chricht eingeben:</source>
        <translation>Enter a &amp;message:</translation>
    </message>
    <message>
        <source>Nachricht anzeigen</source>
        <translation>Show a message</translation>
    </message>
    <message>
        <source>Rechner herunterfahren</source>
        <translation>Shut down the computer</translation>
    </message>
    <message>
        <source>Rechner neu starten</source>
        <translation>Restart the computer</translation>
    </message>
    <message>
        <source>Benutzer abmelden</source>
        <translation>Log the user out</translation>
    </message>
    <message>
        <source>Standby Modus</source>
        <translation>Suspend the computer</translation>
    </message>
    <message>
        <source>Ruhezustand</source>
        <translation>Hibernate the computer</translation>
    </message>
    <message>
        <source>Bildschirm sperren</source>
        <translation>Lock the screen</translation>
    </message>
</context>
<context>
    <name>kelvaro::DBusRemoteControl</name>
    <message>
        <source>Es läuft schon ein Timer.</source>
        <translation>A timer is running already.</translation>
    </message>
    <message>
        <source>Es läuft kein Timer.</source>
        <translation>No timer is running.</translation>
    </message>
    <message>
        <source>Um 0 Sekunden lässt sich nichts verschieben.</source>
        <translation>Nothing can be postponed by 0 seconds.</translation>
    </message>
    <message>
        <source>Nur ein laufender Countdown oder ein Lauf bis zu einer Uhrzeit lässt sich verschieben.</source>
        <translation>Only a running countdown or a run to a time of day can be postponed.</translation>
    </message>
</context>
<context>
    <name>kelvaro::MediaPlayer</name>
    <message>
        <source>No MCI device open</source>
        <translation>No sound file is open</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>kelvaro::PresetsPage</name>
    <message>
        <source>Die vordefinierten Einstellungen konnten nicht gespeichert werden: %1</source>
        <translation>The presets could not be saved: %1</translation>
    </message>
    <message>
        <source>Vordefinierte Einstellungen</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
</context>
<context>
    <name>kelvaro::QuietLimitsPanel</name>
    <message>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und 100 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to 100 are allowed.</translation>
    </message>
    <message>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen ab 0 erlaubt.</source>
        <translation>Invalid entry!
Only numbers of 0 or more are allowed.</translation>
    </message>
    <message>
        <source>CPU &lt;</source>
        <translation>CPU &lt;</translation>
    </message>
    <message>
        <source>Netz &lt;</source>
        <translation>Net &lt;</translation>
    </message>
    <message>
        <source>kB/s</source>
        <translation>kB/s</translation>
    </message>
    <message>
        <source>Der Rechner gilt als ruhig, solange die Prozessorlast unter so vielen Prozent bleibt.
0 = nicht beobachtet</source>
        <translation>The computer counts as idle while the processor use stays below this many percent.
0 = not watched</translation>
    </message>
    <message>
        <source>Der Rechner gilt als ruhig, solange der Netzverkehr (empfangen und gesendet) unter so vielen kB/s bleibt.
0 = nicht beobachtet</source>
        <translation>The computer counts as idle while the network traffic (received and sent) stays below this many kB/s.
0 = not watched</translation>
    </message>
</context>
<context>
    <name>kelvaro::SchedulesPage</name>
    <message>
        <source>Mo</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>Di</source>
        <translation>Tu</translation>
    </message>
    <message>
        <source>Mi</source>
        <translation>We</translation>
    </message>
    <message>
        <source>Do</source>
        <translation>Th</translation>
    </message>
    <message>
        <source>Fr</source>
        <translation>Fr</translation>
    </message>
    <message>
        <source>Sa</source>
        <translation>Sa</translation>
    </message>
    <message>
        <source>So</source>
        <translation>Su</translation>
    </message>
    <message>
        <source>täglich</source>
        <translation>daily</translation>
    </message>
    <message>
        <source>Einstellung</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Tage</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Nächster Lauf</source>
        <translation>Next Run</translation>
    </message>
    <message>
        <source>Aktiv</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Neuer Zeitplan mit:</source>
        <translation>New schedule with:</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Die Benutzerinstanz von systemd ist nicht erreichbar: ohne sie gibt es keine Zeitpläne.</source>
        <translation>systemd&apos;s user instance cannot be reached: without it there are no schedules.</translation>
    </message>
    <message>
        <source>Aktuelle Einstellungen</source>
        <translation>Current settings</translation>
    </message>
    <message>
        <source>dd.MM.yyyy HH:mm</source>
        <extracomment>The date and time of a schedule&apos;s next run (Qt&apos;s date-time format).</extracomment>
        <translation>yyyy-MM-dd HH:mm</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>nein</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Bitte wählen Sie mindestens einen Tag.</source>
        <translation>Please choose at least one day.</translation>
    </message>
    <message>
        <source>Der Zeitplan wurde nicht angelegt.
%1</source>
        <translation>The schedule was not created.
%1</translation>
    </message>
    <message>
        <source>Der Zeitplan wurde nicht gelöscht.
%1</source>
        <translation>The schedule was not deleted.
%1</translation>
    </message>
</context>
<context>
    <name>kelvaro::ShortcutPage</name>
    <message>
        <source>Verknüpfung konnte nicht ereugt werden</source>
        <translation>The launcher could not be created</translation>
    </message>
    <message>
        <source>Verknüpfung erfolgreich erzeugt</source>
        <translation>The launcher has been created</translation>
    </message>
    <message>
        <source>Verknüpfung (*.desktop)</source>
        <translation>Launcher (*.desktop)</translation>
    </message>
</context>
<context>
    <name>kelvaro::SoundPanel</name>
    <message>
        <source>MP3-Datei (*.mp3);;WAV-Datei (*.wav)</source>
        <translation>MP3 file (*.mp3);;WAV file (*.wav)</translation>
    </message>
    <message>
        <source>Kein Sound</source>
        <translation>No sound</translation>
    </message>
    <message>
        <source>Beep Ton</source>
        <translation>Beeps</translation>
    </message>
    <message>
        <source>Anzahl Töne</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Sound-Datei</source>
        <translation>Sound file</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse...</translation>
    </message>
</context>
<context>
    <name>kelvaro::StartPanel</name>
    <message>
        <source>Minimieren nach dem Start der Aktion</source>
        <translation>Minimize when the run starts</translation>
    </message>
    <message>
        <source>Programm beenden nach Aktion</source>
        <translation>Quit the program after the action</translation>
    </message>
    <message>
        <source>Sofortstart (wirkt erst nach einem Programmneustart)</source>
        <translation>Start at once (takes effect at the next program start)</translation>
    </message>
    <message>
        <source>Sofortstart der Aktion</source>
        <translation>Start the run at once</translation>
    </message>
    <message>
        <source>Startet die eingestellte Aktion sofort nach Aufruf von Kelvaro.</source>
        <translation>Starts the run as soon as Kelvaro has started.</translation>
    </message>
    <message>
        <source>&amp;Vorwarnzeit (Sekunden)</source>
        <translation>&amp;Warning time (seconds)</translation>
    </message>
    <message>
        <source>So viele Sekunden vor dem Herunterfahren, Neustarten, Abmelden oder Standby wird die Aktion angekündigt; 0 schaltet die Ankündigung ab.</source>
        <translation>The action is announced this many seconds before shutting down, restarting, logging out or suspending; 0 turns the announcement off.</translation>
    </message>
    <message>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und %1 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to %1 are allowed.</translation>
    </message>
</context>
<context>
    <name>kelvaro::StatusPanels</name>
    <message>
        <source> (erzwingen)</source>
        <translation> (forced)</translation>
    </message>
    <message>
        <source>Beep (%1x)</source>
        <translation>Beeps (%1x)</translation>
    </message>
    <message>
        <source>Sound-Datei [%1]</source>
        <translation>Sound file [%1]</translation>
    </message>
</context>
<context>
    <name>kelvaro::TAktionsfehler</name>
    <message>
        <source>Kelvaro: Aktion nicht ausgeführt</source>
        <translation>Kelvaro: action not carried out</translation>
    </message>
    <message>
        <source>Erneut versuchen</source>
        <translation>Try again</translation>
    </message>
    <message>
        <source>Trotzdem ausführen</source>
        <translation>Carry out anyway</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelvaro::TDeinstallation</name>
    <message>
        <source>Kelvaro - Deinstallation</source>
        <translation>Kelvaro - Uninstall</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Uninstall</translation>
    </message>
    <message>
        <source>Registry Einträge entfernen</source>
        <translation>Remove Registry Entries</translation>
    </message>
    <message>
        <source>Zum vollständigen Entfernen von Kelvaro, müssen lediglich die Registry Einträge entfernt und das Programm mit der Paketverwaltung gelöscht werden.</source>
        <translation>To remove Kelvaro completely, just remove its registry entries and uninstall the program with the package manager.</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Einstellungen übernehmen</source>
        <translation>Apply the settings</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Einstellungen verwerfen</source>
        <translation>Discard the settings</translation>
    </message>
    <message>
        <source>Sollen alle Kelvaro Registry Einträge gelöscht werden?</source>
        <translation>Delete all of Kelvaro&apos;s registry entries?</translation>
    </message>
    <message>
        <source>Die Registry Einträge konnten nicht gelöscht werden.
%1</source>
        <translation>The registry entries could not be deleted.
%1</translation>
    </message>
    <message>
        <source>Registry Einträge wurden gelöscht.
<byte value="xd"/>Kelvaro wird nun beendet.</source>
        <translation>The registry entries have been deleted.
Kelvaro will now quit.</translation>
    </message>
    <message>
        <source>in der Einstellungsdatei %1</source>
        <translation>in the settings file %1</translation>
    </message>
    <message>
        <source>und die Zeitpläne in %1</source>
        <translation>and the schedules in %1</translation>
    </message>
    <message>
        <source>Der Zeitplan %1 konnte nicht entfernt werden.
%2</source>
        <translation>Schedule %1 could not be removed.
%2</translation>
    </message>
</context>
<context>
    <name>kelvaro::TEinstellungen</name>
    <message>
        <source>Fehler - Keine Nachricht eingegeben</source>
        <translation>Error - no message entered</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Einstellungs-Editor</source>
        <translation>Settings Editor</translation>
    </message>
    <message>
        <source>Wählen Sie hier Ihre gewünschten Einstellungen aus.</source>
        <translation>Choose the settings you want here.</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Aktion</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Starteinstellungen</source>
        <translation>Startup</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelvaro::THilfe</name>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Hilfe zu Kelvaro</source>
        <translation>Kelvaro Help</translation>
    </message>
    <message>
        <source>Schliessen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>kelvaro::TInfofenster</name>
    <message>
        <source>Infofenster</source>
        <translation>About Kelvaro</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Programm zum zeitgesteuerten Herunter-
fahren, Neustarten, Abmelden, Energie-
sparen (Standby oder Ruhezustand), 
Sperren des Bildschirms oder Benach-
richtigen. 

Zum Ablauf der eingestellten Zeit, 
zum eingegebenen Zeitpunkt oder am 
Ende eines Programms zeigt Kelvaro 
eine eingestellte Nachricht an oder 
führt eine der oben erwähnten 
Aktionen aus.</source>
        <translation>A program that shuts the computer down,
restarts it, logs you out, suspends or
hibernates it, locks the screen or
reminds you, all at a set time.

When the set time has run out, the set
time of day has come or a program has
ended, Kelvaro shows the message you
entered or carries out one of the
actions named above.</translation>
    </message>
</context>
<context>
    <name>kelvaro::TNachricht</name>
    <message>
        <source>Kelvaro Nachrichtenfenster</source>
        <translation>Kelvaro Message</translation>
    </message>
    <message>
        <source>Zeit abgelaufen!</source>
        <translation>Time&apos;s up!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelvaro::TVorwarnung</name>
    <message>
        <source>Kelvaro Vorwarnung</source>
        <translation>Kelvaro Warning</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>5 &amp;Minuten später</source>
        <translation>5 &amp;Minutes Later</translation>
    </message>
    <message>
        <source>&amp;Trotzdem ausführen</source>
        <translation>Carry out &amp;anyway</translation>
    </message>
</context>
<context>
    <name>kelvaro::TimeEntryBox</name>
    <message>
        <source>Fehler bei der Eingabe!<byte value="xd"/>
Es sind nur Zahlen erlaubt.</source>
        <translation>Invalid entry!
Only numbers are allowed.</translation>
    </message>
    <message>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und 23 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to 23 are allowed.</translation>
    </message>
    <message>
        <source>Fehler bei der Eingabe!
<byte value="xd"/>Es sind nur Zahlen zwischen 0 und 59 erlaubt.</source>
        <translation>Invalid entry!
Only numbers from 0 to 59 are allowed.</translation>
    </message>
    <message>
        <source>Invalid input value.  Use escape key to abandon changes</source>
        <translation>Invalid input value. Press Escape to discard your changes.</translation>
    </message>
    <message>
        <source>  Eingabe  </source>
        <translation>  Input  </translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>Zeitpunkt</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Stopuhr</source>
        <translation>Stopwatch</translation>
    </message>
    <message>
        <source>Programmende</source>
        <translation>Program end</translation>
    </message>
    <message>
        <source>Stunden</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>Minuten</source>
        <translation>Minutes</translation>
    </message>
    <message>
        <source>Sekunden</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Programmname oder Prozessnummer</source>
        <translation>Program name or process number</translation>
    </message>
    <message>
        <source>Inaktivität</source>
        <translation>Inactivity</translation>
    </message>
    <message>
        <source>Die Aktion folgt, sobald so lange keine Eingabe über Tastatur oder Maus kam.</source>
        <translation>The action follows once no keyboard or mouse input has come for this long.</translation>
    </message>
    <message>
        <source>Leerlauf</source>
        <translation>Machine idle</translation>
    </message>
    <message>
        <source>Die Aktion folgt, sobald Prozessor und Netz so lange ohne Unterbrechung unter ihren Grenzen blieben.</source>
        <translation>The action follows once processor and network have stayed below their limits for this long without a break.</translation>
    </message>
</context>
</TS>
