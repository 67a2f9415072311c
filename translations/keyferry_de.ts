<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>keyferry::AccessibilityPrompt</name>
    <message>
        <source>Accessibility Permission Required</source>
        <translation>Bedienungshilfen-Berechtigung erforderlich</translation>
    </message>
    <message>
        <source>Keyferry needs accessibility access to simulate keyboard input in other apps.</source>
        <translation>Keyferry braucht Zugriff auf die Bedienungshilfen, um Tastatureingaben in anderen Programmen zu simulieren.</translation>
    </message>
    <message>
        <source>Enable Assistive Technologies</source>
        <translation>Hilfstechnologien einschalten</translation>
    </message>
    <message>
        <source>Asks the desktop to turn on assistive technologies for every application</source>
        <translation>Bittet die Arbeitsumgebung, Hilfstechnologien für alle Programme einzuschalten</translation>
    </message>
    <message>
        <source>✔ Permission granted!</source>
        <translation>✔ Berechtigung erteilt!</translation>
    </message>
</context>
<context>
    <name>keyferry::CSVPanel</name>
    <message>
        <source>Paste Rows</source>
        <translation>Zeilen einfügen</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>CSV-Export</translation>
    </message>
    <message>
        <source>Save a CSV file with the header this template expects</source>
        <translation>Eine CSV-Datei mit der Kopfzeile speichern, die diese Vorlage erwartet</translation>
    </message>
    <message>
        <source>Copy header to clipboard</source>
        <translation>Kopfzeile in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>CSV-Import</translation>
    </message>
    <message>
        <source>Load a CSV file or an .xlsx or .ods workbook (you can also drop one here, or paste rows with Ctrl+V)</source>
        <translation>Eine CSV-Datei oder eine .xlsx- oder .ods-Arbeitsmappe laden (Sie können sie auch hierher ziehen oder Zeilen mit Strg+V einfügen)</translation>
    </message>
    <message>
        <source>Show or hide the preview</source>
        <translation>Vorschau ein- oder ausblenden</translation>
    </message>
    <message>
        <source>No text input step in template</source>
        <translation>Kein Texteingabe-Schritt in der Vorlage</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>The character between the fields of the file; choosing one reads the file again</source>
        <translation>Das Zeichen zwischen den Feldern der Datei; eine Auswahl liest die Datei neu ein</translation>
    </message>
    <message>
        <source>&amp;Separator:</source>
        <translation>&amp;Trennzeichen:</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Tabellenblatt</translation>
    </message>
    <message>
        <source>The sheet of the workbook whose rows are imported</source>
        <translation>Das Tabellenblatt der Arbeitsmappe, dessen Zeilen importiert werden</translation>
    </message>
    <message>
        <source>Shee&amp;t:</source>
        <translation>Tabellen&amp;blatt:</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Die Zeilen aus der Zwischenablage, samt Kopfzeile aus einer Tabellenkalkulation kopiert, als Tabelle übernehmen</translation>
    </message>
    <message>
        <source>CSV preview</source>
        <translation>CSV-Vorschau</translation>
    </message>
    <message>
        <source>The first 100 rows of the imported file</source>
        <translation>Die ersten 100 Zeilen der importierten Datei</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, hide preview</source>
        <translation>
            <numerusform>%n Eintrag, Vorschau ausblenden</numerusform>
            <numerusform>%n Einträge, Vorschau ausblenden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, show preview</source>
        <translation>
            <numerusform>%n Eintrag, Vorschau einblenden</numerusform>
            <numerusform>%n Einträge, Vorschau einblenden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>... and %n more rows</source>
        <translation>
            <numerusform>... und %n weitere Zeile</numerusform>
            <numerusform>... und %n weitere Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>Tables (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;All files (*)</source>
        <translation>Tabellen (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Pipe</source>
        <translation>Senkrechter Strich</translation>
    </message>
</context>
<context>
    <name>keyferry::CapabilityNoticeView</name>
    <message>
        <source>What this desktop lacks</source>
        <translation>Was dieser Arbeitsumgebung fehlt</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Hide what this desktop lacks</source>
        <translation>Ausblenden, was dieser Arbeitsumgebung fehlt</translation>
    </message>
    <message>
        <source>Hide this list until Keyferry starts again</source>
        <translation>Diese Liste bis zum nächsten Start von Keyferry ausblenden</translation>
    </message>
    <message>
        <source>What you can do: %1</source>
        <translation>Was Sie tun können: %1</translation>
    </message>
    <message>
        <source>Not available on this desktop (%1)</source>
        <translation>Auf dieser Arbeitsumgebung nicht verfügbar (%1)</translation>
    </message>
    <message>
        <source>%1: %2. What you can do: %3.</source>
        <translation>%1: %2. Was Sie tun können: %3.</translation>
    </message>
</context>
<context>
    <name>keyferry::CoreText</name>
    <message>
        <source>refused</source>
        <translation>abgelehnt</translation>
    </message>
    <message>
        <source>Entry %1 refused: the application sent the form back with its values</source>
        <translation>Eintrag %1 abgelehnt: Die Anwendung hat das Formular mit seinen Werten zurückgeschickt</translation>
    </message>
    <message>
        <source>Entry %1 refused: %2</source>
        <translation>Eintrag %1 abgelehnt: %2</translation>
    </message>
    <message>
        <source>Text Input</source>
        <translation>Texteingabe</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Wait (Click)</source>
        <translation>Warten (Klick)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Skip Tabs</source>
        <translation>Tabs überspringen</translation>
    </message>
    <message>
        <source>Select All &amp; Clear</source>
        <translation>Alles auswählen &amp; leeren</translation>
    </message>
    <message>
        <source>Arrow Key</source>
        <translation>Pfeiltaste</translation>
    </message>
    <message>
        <source>Mouse Click</source>
        <translation>Mausklick</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Runter</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einfach</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Doppelt</translation>
    </message>
    <message>
        <source>Target app not found!</source>
        <translation>Zielprogramm nicht gefunden!</translation>
    </message>
    <message>
        <source>Target app no longer in foreground</source>
        <translation>Zielprogramm nicht mehr im Vordergrund</translation>
    </message>
    <message>
        <source>Paused: keyboard or mouse used</source>
        <translation>Angehalten: Tastatur oder Maus benutzt</translation>
    </message>
    <message>
        <source>Accessibility permission revoked!</source>
        <translation>Bedienungshilfen-Berechtigung entzogen!</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Waiting for click...</source>
        <translation>Warte auf Klick ...</translation>
    </message>
    <message>
        <source>Debug cancelled</source>
        <translation>Debug abgebrochen</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Debug abgeschlossen</translation>
    </message>
    <message>
        <source>Could not activate target app!</source>
        <translation>Zielprogramm konnte nicht aktiviert werden!</translation>
    </message>
    <message>
        <source>Waiting for your permission to type: answer the desktop&apos;s question (“Allow remote interaction”).</source>
        <translation>Warte auf Ihre Erlaubnis zum Tippen: Beantworten Sie die Frage der Arbeitsumgebung („Allow remote interaction“).</translation>
    </message>
    <message>
        <source>entered</source>
        <translation>eingegeben</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <source>mismatch</source>
        <translation>abweichend</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>gestoppt</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>wrong field</source>
        <translation>falsches Feld</translation>
    </message>
    <message>
        <source>Row %1/%2 ✓</source>
        <translation>Zeile %1/%2 ✓</translation>
    </message>
    <message>
        <source>Could not send keyboard input at row %1: %2</source>
        <translation>Tastatureingabe in Zeile %1 konnte nicht gesendet werden: %2</translation>
    </message>
    <message>
        <source>Could not send mouse input at row %1: %2</source>
        <translation>Mauseingabe in Zeile %1 konnte nicht gesendet werden: %2</translation>
    </message>
    <message>
        <source>Could not send keyboard input: %1</source>
        <translation>Tastatureingabe konnte nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>Could not send mouse input: %1</source>
        <translation>Mauseingabe konnte nicht gesendet werden: %1</translation>
    </message>
    <message>
        <source>Keyferry may not type here: %1</source>
        <translation>Keyferry darf hier nicht tippen: %1</translation>
    </message>
    <message>
        <source>Expected field %1, but the focus is on %2</source>
        <translation>Feld %1 erwartet, aber der Fokus liegt auf %2</translation>
    </message>
    <message>
        <source>Expected field %1, but no field has the focus</source>
        <translation>Feld %1 erwartet, aber kein Feld hat den Fokus</translation>
    </message>
    <message>
        <source>Field %1 did not come within %2 s</source>
        <translation>Feld %1 kam nicht innerhalb von %2 s</translation>
    </message>
    <message>
        <source>Field &quot;%1&quot; shows &quot;%2&quot;, expected &quot;%3&quot;</source>
        <translation>Feld „%1“ zeigt „%2“, erwartet „%3“</translation>
    </message>
    <message>
        <source>The field shows &quot;%1&quot;, expected &quot;%2&quot;</source>
        <translation>Das Feld zeigt „%1“, erwartet „%2“</translation>
    </message>
    <message>
        <source>Error at step %1! %2</source>
        <translation>Fehler bei Schritt %1! %2</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot; in field %5</source>
        <translation>Schritt %1/%2: %3 → „%4“ in Feld %5</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot;</source>
        <translation>Schritt %1/%2: %3 → „%4“</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 in field %4</source>
        <translation>Schritt %1/%2: %3 in Feld %4</translation>
    </message>
    <message>
        <source>Step %1/%2: %3</source>
        <translation>Schritt %1/%2: %3</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>noch etwa %1 s</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>noch etwa %1 min</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>noch etwa %1 h %2 min</translation>
    </message>
    <message>
        <source>Separated by semicolons</source>
        <translation>Getrennt durch Semikolons</translation>
    </message>
    <message>
        <source>Separated by commas</source>
        <translation>Getrennt durch Kommas</translation>
    </message>
    <message>
        <source>Separated by tabs</source>
        <translation>Getrennt durch Tabs</translation>
    </message>
    <message>
        <source>Separated by pipes (|)</source>
        <translation>Getrennt durch senkrechte Striche (|)</translation>
    </message>
    <message>
        <source>Pasted rows, separated by tabs</source>
        <translation>Eingefügte Zeilen, getrennt durch Tabs</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Ungültige Konfiguration</translation>
    </message>
    <message>
        <source>Invalid input</source>
        <translation>Ungültige Eingabe</translation>
    </message>
    <message>
        <source>Stream failure</source>
        <translation>Lesefehler</translation>
    </message>
    <message>
        <source>The clipboard holds no rows. Copy the cells in the spreadsheet, header row included.</source>
        <translation>Die Zwischenablage enthält keine Zeilen. Kopieren Sie die Zellen in der Tabellenkalkulation samt Kopfzeile.</translation>
    </message>
    <message>
        <source>CSV has %1 columns, template expects %2: %3</source>
        <translation>Die CSV-Datei hat %1 Spalten, die Vorlage erwartet %2: %3</translation>
    </message>
    <message>
        <source>Column names don&apos;t match: %1</source>
        <translation>Spaltennamen passen nicht: %1</translation>
    </message>
    <message>
        <source>Import failed: %1</source>
        <translation>Import fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Paste failed: %1</source>
        <translation>Einfügen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Export fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>semicolons</source>
        <translation>Semikolons</translation>
    </message>
    <message>
        <source>commas</source>
        <translation>Kommas</translation>
    </message>
    <message>
        <source>tabs</source>
        <translation>Tabulatoren</translation>
    </message>
    <message>
        <source>pipes (|)</source>
        <translation>senkrechte Striche (|)</translation>
    </message>
    <message>
        <source>, </source>
        <comment>a joint of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source> or </source>
        <comment>the last joint of a list</comment>
        <translation> oder </translation>
    </message>
    <message>
        <source>Read as semicolon-separated: the header line could be separated by %1</source>
        <translation>Als durch Semikolons getrennt gelesen: Die Kopfzeile könnte getrennt sein durch %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) show their stored value (format not supported): %2</source>
        <translation>
            <numerusform>%n Zelle zeigt ihren gespeicherten Wert (Format nicht unterstützt): %2</numerusform>
            <numerusform>%n Zellen zeigen ihren gespeicherten Wert (Format nicht unterstützt): %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>%1: format &quot;%2&quot;</source>
        <translation>%1: Format „%2“</translation>
    </message>
    <message>
        <source>GNOME on Wayland lets applications type only through the desktop portal, which does not answer (%1)</source>
        <translation>GNOME unter Wayland lässt Anwendungen nur über das Desktop-Portal tippen, und das antwortet nicht (%1)</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running (%1)</source>
        <translation>Keyferrys GNOME-Shell-Erweiterung läuft nicht (%1)</translation>
    </message>
    <message>
        <source>This step cannot run on this desktop (%1). %2</source>
        <translation>Dieser Schritt kann auf dieser Arbeitsumgebung nicht laufen (%1). %2</translation>
    </message>
    <message>
        <source>Not started: step %1 (%2) cannot run on this desktop (%3). %4</source>
        <translation>Nicht gestartet: Schritt %1 (%2) kann auf dieser Arbeitsumgebung nicht laufen (%3). %4</translation>
    </message>
    <message>
        <source>“%1” is missing: %2. What you can do: %3.</source>
        <translation>„%1“ fehlt: %2. Was Sie tun können: %3.</translation>
    </message>
    <message>
        <source>other wlroots compositor</source>
        <translation>anderer wlroots-Compositor</translation>
    </message>
    <message>
        <source>simulated</source>
        <translation>simuliert</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>type layout text</source>
        <translation>Text der Tastaturbelegung tippen</translation>
    </message>
    <message>
        <source>type any text</source>
        <translation>beliebigen Text tippen</translation>
    </message>
    <message>
        <source>click</source>
        <translation>klicken</translation>
    </message>
    <message>
        <source>list windows</source>
        <translation>Fenster auflisten</translation>
    </message>
    <message>
        <source>activate</source>
        <translation>in den Vordergrund holen</translation>
    </message>
    <message>
        <source>window bounds</source>
        <translation>Fenstergrenzen</translation>
    </message>
    <message>
        <source>stop hotkey</source>
        <translation>Tastenkürzel zum Anhalten</translation>
    </message>
    <message>
        <source>record keys</source>
        <translation>Tasten aufzeichnen</translation>
    </message>
    <message>
        <source>record fields</source>
        <translation>Felder aufzeichnen</translation>
    </message>
    <message>
        <source>pause on user input</source>
        <translation>bei Eingaben anhalten</translation>
    </message>
    <message>
        <source>see the user&apos;s clicks</source>
        <translation>Klicks des Benutzers sehen</translation>
    </message>
    <message>
        <source>the X server lacks XTest or XInput2, or assistive technologies are off</source>
        <translation>dem X-Server fehlt XTest oder XInput2, oder die Hilfstechnologien sind ausgeschaltet</translation>
    </message>
    <message>
        <source>this desktop is not one Keyferry knows</source>
        <translation>diese Arbeitsumgebung kennt Keyferry nicht</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running</source>
        <translation>Keyferrys GNOME-Shell-Erweiterung läuft nicht</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual keyboard to applications</source>
        <translation>KDE Plasma unter Wayland bietet Anwendungen seine virtuelle Tastatur nicht an</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual pointer to applications</source>
        <translation>KDE Plasma unter Wayland bietet Anwendungen seinen virtuellen Zeiger nicht an</translation>
    </message>
    <message>
        <source>the desktop portal types only the characters of your keyboard layout</source>
        <translation>das Desktop-Portal tippt nur die Zeichen Ihrer Tastaturbelegung</translation>
    </message>
    <message>
        <source>the size of the desktop is unknown without sway&apos;s IPC</source>
        <translation>ohne die IPC von sway ist die Größe der Arbeitsfläche unbekannt</translation>
    </message>
    <message>
        <source>this compositor tells applications no window positions</source>
        <translation>dieser Compositor teilt Anwendungen keine Fensterpositionen mit</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see keys meant for others, and only sway&apos;s IPC can make a shortcut for Keyferry</source>
        <translation>kein Wayland-Compositor lässt eine Anwendung Tasten sehen, die für andere bestimmt sind, und nur die IPC von sway kann ein Tastenkürzel für Keyferry anlegen</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application watch the keys typed into other applications</source>
        <translation>kein Wayland-Compositor lässt eine Anwendung die Tasten sehen, die in andere Anwendungen getippt werden</translation>
    </message>
    <message>
        <source>the recorder follows the focus from field to field through the accessibility bus, which cannot be reached</source>
        <translation>die Aufzeichnung folgt dem Fokus von Feld zu Feld über den Barrierefreiheitsbus, und der ist nicht erreichbar</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only Keyferry&apos;s GNOME Shell extension can keep from the applications for Keyferry</source>
        <translation>eine Aufzeichnung endet mit Esc, und nur Keyferrys GNOME-Shell-Erweiterung kann diese Taste den Anwendungen vorenthalten und Keyferry geben</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only sway&apos;s IPC or KDE&apos;s global shortcuts can keep from the applications for Keyferry</source>
        <translation>eine Aufzeichnung endet mit Esc, und nur die IPC von sway oder die globalen Tastenkürzel von KDE können diese Taste den Anwendungen vorenthalten und Keyferry geben</translation>
    </message>
    <message>
        <source>Wayland shows Keyferry none of your own key presses and clicks, so a run does not pause when you type or click (it still pauses when the focus leaves the target window)</source>
        <translation>Wayland zeigt Keyferry keine Ihrer eigenen Tastendrücke und Klicks, daher hält ein Lauf nicht an, wenn Sie tippen oder klicken (er hält aber an, wenn der Fokus das Zielfenster verlässt)</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see clicks made in other applications</source>
        <translation>kein Wayland-Compositor lässt eine Anwendung Klicks in anderen Anwendungen sehen</translation>
    </message>
    <message>
        <source>use a desktop that offers it</source>
        <translation>verwenden Sie eine Arbeitsumgebung, die das bietet</translation>
    </message>
    <message>
        <source>turn on assistive technologies (accessibility) in the desktop&apos;s settings and log in again</source>
        <translation>schalten Sie die Hilfstechnologien (Barrierefreiheit) in den Einstellungen der Arbeitsumgebung ein und melden Sie sich neu an</translation>
    </message>
    <message>
        <source>start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)</source>
        <translation>starten Sie Keyferry in einer grafischen Sitzung (DISPLAY oder WAYLAND_DISPLAY gesetzt)</translation>
    </message>
    <message>
        <source>log in to an X11 (Xorg) session, or use sway or another wlroots compositor</source>
        <translation>melden Sie sich in einer X11-Sitzung (Xorg) an, oder verwenden Sie sway oder einen anderen wlroots-Compositor</translation>
    </message>
    <message>
        <source>turn on Keyferry&apos;s GNOME Shell extension (Keyferry&apos;s start script installs it): gnome-extensions enable keyferry@keyferry.org, then log out and in again</source>
        <translation>schalten Sie Keyferrys GNOME-Shell-Erweiterung ein (das Startskript von Keyferry installiert sie): gnome-extensions enable keyferry@keyferry.org, dann ab- und wieder anmelden</translation>
    </message>
    <message>
        <source>keep to your layout&apos;s characters or add a layout that has them; a run names the characters it cannot type before it starts</source>
        <translation>bleiben Sie bei den Zeichen Ihrer Belegung oder fügen Sie eine Belegung hinzu, die sie hat; ein Lauf nennt die Zeichen, die er nicht tippen kann, bevor er beginnt</translation>
    </message>
    <message>
        <source>install xdg-desktop-portal and xdg-desktop-portal-gnome</source>
        <translation>installieren Sie xdg-desktop-portal und xdg-desktop-portal-gnome</translation>
    </message>
    <message>
        <source>use Tab and arrow keys instead of clicks, or run on an X11 session</source>
        <translation>verwenden Sie Tab und Pfeiltasten statt Klicks, oder arbeiten Sie in einer X11-Sitzung</translation>
    </message>
    <message>
        <source>start Keyferry from inside the sway session, so that SWAYSOCK is set, or use sway</source>
        <translation>starten Sie Keyferry innerhalb der sway-Sitzung, damit SWAYSOCK gesetzt ist, oder verwenden Sie sway</translation>
    </message>
    <message>
        <source>use templates without clicks at window positions, or use sway</source>
        <translation>verwenden Sie Vorlagen ohne Klicks an Fensterpositionen, oder verwenden Sie sway</translation>
    </message>
    <message>
        <source>stop a run with Ctrl+C in its terminal or the Stop button in Keyferry&apos;s window</source>
        <translation>halten Sie einen Lauf mit Strg+C in seinem Terminal oder mit der Schaltfläche Stopp in Keyferrys Fenster an</translation>
    </message>
    <message>
        <source>record the template on an X11 session, or write its steps in the template editor</source>
        <translation>zeichnen Sie die Vorlage in einer X11-Sitzung auf, oder schreiben Sie ihre Schritte im Vorlageneditor</translation>
    </message>
    <message>
        <source>turn on assistive technologies in your session, or add the fields as steps in the template editor</source>
        <translation>schalten Sie die Hilfstechnologien in Ihrer Sitzung ein, oder fügen Sie die Felder als Schritte im Vorlageneditor hinzu</translation>
    </message>
    <message>
        <source>record on sway, started so that SWAYSOCK is set, or add the fields as steps in the template editor</source>
        <translation>zeichnen Sie unter sway auf, so gestartet, dass SWAYSOCK gesetzt ist, oder fügen Sie die Felder als Schritte im Vorlageneditor hinzu</translation>
    </message>
    <message>
        <source>keep your hands off the keyboard and mouse during a run, or stop it first</source>
        <translation>lassen Sie Tastatur und Maus während eines Laufs in Ruhe, oder halten Sie ihn vorher an</translation>
    </message>
    <message>
        <source>use a Pause step instead of waiting for a click, or run on an X11 session</source>
        <translation>verwenden Sie einen Pause-Schritt statt auf einen Klick zu warten, oder arbeiten Sie in einer X11-Sitzung</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for, or through libei, which failed: %1</source>
        <translation>das Desktop-Portal setzt Klicks nur innerhalb einer Bildschirmübertragung, die Keyferry nicht anfordert, oder über libei, was fehlschlug: %1</translation>
    </message>
    <message>
        <source>the compositor refused the virtual keyboard (%1)</source>
        <translation>der Compositor hat die virtuelle Tastatur abgelehnt (%1)</translation>
    </message>
    <message>
        <source>the compositor offers no virtual keyboard to applications</source>
        <translation>der Compositor bietet Anwendungen keine virtuelle Tastatur an</translation>
    </message>
    <message>
        <source>the compositor offers no virtual pointer to applications</source>
        <translation>der Compositor bietet Anwendungen keinen virtuellen Zeiger an</translation>
    </message>
    <message>
        <source>the keymap could not be uploaded</source>
        <translation>die Tastaturbelegung konnte nicht übertragen werden</translation>
    </message>
    <message>
        <source>no sway IPC socket (SWAYSOCK is not set)</source>
        <translation>kein IPC-Socket von sway (SWAYSOCK ist nicht gesetzt)</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for</source>
        <translation>das Desktop-Portal setzt Klicks nur innerhalb einer Bildschirmübertragung, die Keyferry nicht anfordert</translation>
    </message>
</context>
<context>
    <name>keyferry::HelpWindow</name>
    <message>
        <source>Keyferry Help</source>
        <translation>Keyferry-Hilfe</translation>
    </message>
    <message>
        <source>Automated form filling from CSV templates</source>
        <translation>Automatisiertes Ausfüllen von Formularen aus CSV-Vorlagen</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Überblick</translation>
    </message>
    <message>
        <source>Keyferry automates repetitive data entry by simulating keyboard input in any target application. You define a workflow of steps (text inputs, tabs, returns, etc.), load data from a CSV file, and Keyferry types it into the target app — row by row.</source>
        <translation>Keyferry automatisiert wiederkehrende Dateneingaben, indem es Tastatureingaben in einem beliebigen Zielprogramm simuliert. Sie legen einen Ablauf aus Schritten fest (Texteingaben, Tabs, Eingabetaste usw.), laden Daten aus einer CSV-Datei, und Keyferry tippt sie Zeile für Zeile in das Zielprogramm.</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Erste Schritte</translation>
    </message>
    <message>
        <source>Grant Accessibility Permission</source>
        <translation>Berechtigung für Barrierefreiheit erteilen</translation>
    </message>
    <message>
        <source>Keyferry works in an X11 session and needs the desktop&apos;s assistive technologies turned on, so that applications show which field has the focus. On first launch Keyferry asks for it; press &quot;Enable Assistive Technologies&quot; and restart the applications you want to fill in. This is required to simulate keyboard input.</source>
        <translation>Keyferry arbeitet in einer X11-Sitzung und braucht die eingeschalteten Hilfstechnologien des Desktops, damit Programme zeigen, welches Feld den Fokus hat. Beim ersten Start fragt Keyferry danach; klicken Sie auf „Hilfstechnologien einschalten“ und starten Sie die Programme neu, die Sie ausfüllen möchten. Ohne sie lassen sich keine Tastatureingaben simulieren.</translation>
    </message>
    <message>
        <source>Create a Template</source>
        <translation>Vorlage anlegen</translation>
    </message>
    <message>
        <source>Click the + button in the sidebar to create a new template. Give it a name and select a target application from the dropdown.</source>
        <translation>Klicken Sie in der Seitenleiste auf die Schaltfläche +, um eine neue Vorlage anzulegen. Geben Sie ihr einen Namen und wählen Sie in der Auswahlliste ein Zielprogramm.</translation>
    </message>
    <message>
        <source>Define Steps</source>
        <translation>Schritte festlegen</translation>
    </message>
    <message>
        <source>Add steps manually with &quot;Add Step&quot; or use the recorder to capture your workflow automatically.</source>
        <translation>Fügen Sie Schritte von Hand mit „Schritt hinzufügen“ hinzu, oder zeichnen Sie Ihren Ablauf mit der Aufnahme automatisch auf.</translation>
    </message>
    <message>
        <source>Import CSV Data</source>
        <translation>CSV-Daten importieren</translation>
    </message>
    <message>
        <source>Export a CSV template, fill it with your data, then import it back. Drag &amp; drop also works.</source>
        <translation>Exportieren Sie eine CSV-Vorlage, füllen Sie sie mit Ihren Daten und importieren Sie sie wieder. Ziehen und Ablegen funktioniert ebenfalls.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>Click &quot;Start&quot; in the Runner panel to begin automated entry.</source>
        <translation>Klicken Sie im Bereich Ausführung auf „Start“, um die automatische Eingabe zu beginnen.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>A template defines the workflow for filling out a form. It consists of:</source>
        <translation>Eine Vorlage legt den Ablauf fest, mit dem ein Formular ausgefüllt wird. Sie besteht aus:</translation>
    </message>
    <message>
        <source>Template Name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>A descriptive name shown in the sidebar</source>
        <translation>Einem aussagekräftigen Namen, der in der Seitenleiste erscheint</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Zielprogramm</translation>
    </message>
    <message>
        <source>The application where input will be simulated</source>
        <translation>Dem Programm, in dem die Eingaben simuliert werden</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>An ordered list of actions to perform per data row</source>
        <translation>Einer geordneten Liste von Aktionen, die für jede Datenzeile ausgeführt werden</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Countdown, character delay, and post-delay timing</source>
        <translation>Countdown, Zeichenverzögerung und Nachverzögerung</translation>
    </message>
    <message>
        <source>Right-click a template in the sidebar to rename, duplicate, or delete it.</source>
        <translation>Klicken Sie mit der rechten Maustaste auf eine Vorlage in der Seitenleiste, um sie umzubenennen, zu duplizieren oder zu löschen.</translation>
    </message>
    <message>
        <source>Step Types</source>
        <translation>Schritttypen</translation>
    </message>
    <message>
        <source>Types text from the CSV column (or a fixed value) into the current field. Automatically presses Tab after typing.</source>
        <translation>Tippt Text aus der CSV-Spalte (oder einen festen Wert) in das aktuelle Feld. Drückt nach dem Tippen automatisch Tab.</translation>
    </message>
    <message>
        <source>Presses the Tab key to move to the next field.</source>
        <translation>Drückt die Tab-Taste, um zum nächsten Feld zu wechseln.</translation>
    </message>
    <message>
        <source>Presses the Return/Enter key.</source>
        <translation>Drückt die Eingabetaste (Return/Enter).</translation>
    </message>
    <message>
        <source>Pauses and waits for you to click in the target app before continuing. Useful for navigating to a specific location.</source>
        <translation>Hält an und wartet, bis Sie in das Zielprogramm klicken, bevor es weitergeht. Nützlich, um an eine bestimmte Stelle zu gelangen.</translation>
    </message>
    <message>
        <source>Waits for the configured post-delay duration.</source>
        <translation>Wartet die eingestellte Nachverzögerung ab.</translation>
    </message>
    <message>
        <source>Presses Tab multiple times (set via the Repeat column).</source>
        <translation>Drückt mehrmals Tab (Anzahl in der Spalte für Wiederholungen).</translation>
    </message>
    <message>
        <source>Selects all text in the current field (Ctrl+A) and deletes it.</source>
        <translation>Markiert den gesamten Text im aktuellen Feld (Ctrl+A) und löscht ihn.</translation>
    </message>
    <message>
        <source>Presses an arrow key (Up/Down/Left/Right). Supports repeat count for multiple presses.</source>
        <translation>Drückt eine Pfeiltaste (Hoch/Runter/Links/Rechts). Mit einer Wiederholungsanzahl auch mehrmals hintereinander.</translation>
    </message>
    <message>
        <source>Simulates a mouse click (Left/Right, Single/Double). Can click at the current mouse position or at recorded coordinates relative to the target app window.</source>
        <translation>Simuliert einen Mausklick (links/rechts, einfach/doppelt). Klickt an der aktuellen Mausposition oder an aufgezeichneten Koordinaten relativ zum Fenster des Zielprogramms.</translation>
    </message>
    <message>
        <source>Fixed Values</source>
        <translation>Feste Werte</translation>
    </message>
    <message>
        <source>Click the pin icon next to a Text Input step to set a fixed value. Fixed values are typed for every row instead of reading from the CSV file. Fixed steps don&apos;t require a CSV column.</source>
        <translation>Klicken Sie auf das Stecknadelsymbol neben einem Texteingabe-Schritt, um einen festen Wert festzulegen. Feste Werte werden in jeder Zeile getippt, statt aus der CSV-Datei gelesen zu werden. Schritte mit festem Wert brauchen keine CSV-Spalte.</translation>
    </message>
    <message>
        <source>Click the pin icon again to unpin and revert to CSV-based input.</source>
        <translation>Klicken Sie erneut auf das Stecknadelsymbol, um den festen Wert zu lösen und wieder aus der CSV-Datei zu tippen.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>The Recorder captures your workflow by watching which fields you navigate through:</source>
        <translation>Die Aufnahme zeichnet Ihren Ablauf auf, indem sie verfolgt, durch welche Felder Sie sich bewegen:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Click the red &quot;Record&quot; button</source>
        <translation>Klicken Sie auf die rote Schaltfläche „Aufnehmen“</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Beginnen</translation>
    </message>
    <message>
        <source>In the target app, put the focus just before the first field (Shift+Tab): each Tab records the element it reaches</source>
        <translation>Setzen Sie im Zielprogramm den Fokus direkt vor das erste Feld (Shift+Tab): Jedes Tab zeichnet das Element auf, das es erreicht</translation>
    </message>
    <message>
        <source>Navigate</source>
        <translation>Navigieren</translation>
    </message>
    <message>
        <source>Use Tab to move between fields in the target app</source>
        <translation>Wechseln Sie im Zielprogramm mit Tab zwischen den Feldern</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Absenden</translation>
    </message>
    <message>
        <source>Press Return on the button that sends the form</source>
        <translation>Drücken Sie Return auf der Schaltfläche, die das Formular absendet</translation>
    </message>
    <message>
        <source>Toggle Type</source>
        <translation>Typ wechseln</translation>
    </message>
    <message>
        <source>Press Alt+Space to change a step&apos;s type</source>
        <translation>Drücken Sie Alt+Space, um den Typ eines Schritts zu ändern</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Press Esc to finish recording</source>
        <translation>Drücken Sie Esc, um die Aufnahme zu beenden</translation>
    </message>
    <message>
        <source>After recording, you can either replace all existing steps or insert the recorded steps after a specific position.</source>
        <translation>Nach der Aufnahme können Sie entweder alle vorhandenen Schritte ersetzen oder die aufgezeichneten Schritte nach einer bestimmten Position einfügen.</translation>
    </message>
    <message>
        <source>CSV Data</source>
        <translation>CSV-Daten</translation>
    </message>
    <message>
        <source>Keyferry uses semicolon-separated CSV files (;) with a header row. Column names must match the labels of your Text Input steps.</source>
        <translation>Keyferry verwendet CSV-Dateien mit Semikolon (;) als Trennzeichen und einer Kopfzeile. Die Spaltennamen müssen den Bezeichnungen Ihrer Texteingabe-Schritte entsprechen.</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>CSV-Export</translation>
    </message>
    <message>
        <source>Generates a CSV template with the correct headers for your template</source>
        <translation>Erzeugt eine CSV-Vorlage mit den passenden Spaltenköpfen für Ihre Vorlage</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>CSV-Import</translation>
    </message>
    <message>
        <source>Loads a CSV file and validates it against your template</source>
        <translation>Lädt eine CSV-Datei und prüft sie gegen Ihre Vorlage</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Copies the header row to the clipboard for pasting into a spreadsheet</source>
        <translation>Kopiert die Kopfzeile in die Zwischenablage, um sie in eine Tabellenkalkulation einzufügen</translation>
    </message>
    <message>
        <source>Drag &amp; Drop</source>
        <translation>Ziehen und Ablegen</translation>
    </message>
    <message>
        <source>Drop a .csv file onto the CSV area to import it</source>
        <translation>Legen Sie eine .csv-Datei auf dem CSV-Bereich ab, um sie zu importieren</translation>
    </message>
    <message>
        <source>Spreadsheets</source>
        <translation>Tabellenkalkulationen</translation>
    </message>
    <message>
        <source>Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import too; the CSV area shows the separator found (change it in the Separator box) and lets you pick a workbook&apos;s sheet</source>
        <translation>Auch Dateien mit Komma, Tab oder senkrechtem Strich als Trennzeichen sowie .xlsx- und .ods-Arbeitsmappen lassen sich importieren; der CSV-Bereich zeigt das erkannte Trennzeichen (änderbar im Feld Trennzeichen) und lässt Sie das Tabellenblatt einer Arbeitsmappe wählen</translation>
    </message>
    <message>
        <source>Paste Rows</source>
        <translation>Zeilen einfügen</translation>
    </message>
    <message>
        <source>Copy the cells in a spreadsheet, header row included, and press Ctrl+V in the CSV area (or Edit &gt; Paste Rows)</source>
        <translation>Kopieren Sie die Zellen in einer Tabellenkalkulation samt Kopfzeile und drücken Sie Ctrl+V im CSV-Bereich (oder Bearbeiten &gt; Zeilen einfügen)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Ausführung</translation>
    </message>
    <message>
        <source>The Runner executes your template against the loaded CSV data:</source>
        <translation>Die Ausführung arbeitet Ihre Vorlage mit den geladenen CSV-Daten ab:</translation>
    </message>
    <message>
        <source>Runs all entries from the specified starting row</source>
        <translation>Führt alle Einträge ab der angegebenen Startzeile aus</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Testlauf</translation>
    </message>
    <message>
        <source>Executes only one entry for testing</source>
        <translation>Führt zum Testen nur einen Eintrag aus</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Temporarily halts execution; click Resume to continue</source>
        <translation>Hält die Ausführung vorübergehend an; mit Fortsetzen geht es weiter</translation>
    </message>
    <message>
        <source>Cancels execution immediately (also via Ctrl+Shift+Esc)</source>
        <translation>Bricht die Ausführung sofort ab (auch mit Ctrl+Shift+Esc)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>After completion or pause, resumes from where it left off</source>
        <translation>Macht nach dem Ende oder einer Pause dort weiter, wo aufgehört wurde</translation>
    </message>
    <message>
        <source>The runner shows a progress bar with the entries done and the time left during execution. If the target app loses focus, execution pauses automatically.</source>
        <translation>Während der Ausführung zeigt ein Fortschrittsbalken die erledigten Einträge und die verbleibende Zeit. Verliert das Zielprogramm den Fokus, hält die Ausführung automatisch an.</translation>
    </message>
    <message>
        <source>With &quot;Pause when I type or click&quot; on, pressing a key or clicking anywhere pauses the run before its next keystroke, so that your input and Keyferry&apos;s never mix. While a Wait (Click) step waits for you, clicking is expected and does not pause.</source>
        <translation>Ist „Anhalten, wenn ich tippe oder klicke“ eingeschaltet, hält jeder Tastendruck oder Klick den Lauf vor dessen nächstem Tastenanschlag an, damit sich Ihre Eingaben und die von Keyferry nie vermischen. Während ein Schritt „Warten (Klick)“ auf Sie wartet, wird ein Klick erwartet und hält nichts an.</translation>
    </message>
    <message>
        <source>After every typed field Keyferry reads the field back through the accessibility interface (&quot;Check typed text&quot;). A field that does not show what was typed pauses the run at that row, naming the field and both texts. Fields that cannot be read, such as password fields, are not checked.</source>
        <translation>Nach jedem getippten Feld liest Keyferry das Feld über die Barrierefreiheitsschnittstelle zurück („Getippten Text prüfen“). Zeigt ein Feld nicht, was getippt wurde, hält der Lauf in dieser Zeile an und nennt das Feld und beide Texte. Felder, die sich nicht lesen lassen, etwa Passwortfelder, werden nicht geprüft.</translation>
    </message>
    <message>
        <source>Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; it holds no cell values except the two texts of a mismatch). After a run the results list each row that was not entered; &quot;Run Failed Rows&quot; runs just those again, as long as the same CSV file is imported unchanged.</source>
        <translation>Jeder Lauf wird in einem Protokoll festgehalten (in ~/.local/state/Keyferry/runs; es enthält keine Zellwerte außer den beiden Texten einer Abweichung). Nach einem Lauf listen die Ergebnisse jede Zeile auf, die nicht eingegeben wurde; „Fehlgeschlagene Zeilen ausführen“ führt genau diese erneut aus, solange dieselbe CSV-Datei unverändert importiert ist.</translation>
    </message>
    <message>
        <source>Debug Mode</source>
        <translation>Debug-Modus</translation>
    </message>
    <message>
        <source>Debug mode executes your workflow step-by-step in the actual target app, using realistic placeholder data. After each step, Keyferry waits for you to click &quot;Next&quot; before proceeding.</source>
        <translation>Der Debug-Modus führt Ihren Ablauf Schritt für Schritt im echten Zielprogramm aus, mit realistischen Platzhalterdaten. Nach jedem Schritt wartet Keyferry, bis Sie auf „Weiter“ klicken.</translation>
    </message>
    <message>
        <source>The current step is highlighted in purple in the step list. This is useful for verifying that your workflow matches the form layout before running it with real data.</source>
        <translation>Der aktuelle Schritt ist in der Schrittliste violett hervorgehoben. So prüfen Sie, ob Ihr Ablauf zum Aufbau des Formulars passt, bevor Sie ihn mit echten Daten ausführen.</translation>
    </message>
    <message>
        <source>Saving</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Templates are saved automatically after 2 seconds of inactivity. You can also save manually with Ctrl+S or the Save button. An orange dot indicates unsaved changes; a green checkmark confirms the save.</source>
        <translation>Vorlagen werden nach 2 Sekunden ohne Änderung automatisch gespeichert. Sie können auch von Hand mit Ctrl+S oder der Schaltfläche Speichern speichern. Ein orangefarbener Punkt zeigt ungespeicherte Änderungen an; ein grünes Häkchen bestätigt das Speichern.</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Erweiterte Einstellungen</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Countdown (s)</translation>
    </message>
    <message>
        <source>Delay before execution starts, giving you time to switch to the target app</source>
        <translation>Wartezeit vor Beginn der Ausführung, damit Sie zum Zielprogramm wechseln können</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Zeichenverzögerung (s)</translation>
    </message>
    <message>
        <source>Delay between individual keystrokes when typing text</source>
        <translation>Wartezeit zwischen einzelnen Tastenanschlägen beim Tippen</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Standard-Nachverzögerung (s)</translation>
    </message>
    <message>
        <source>Delay after each step before the next one starts</source>
        <translation>Wartezeit nach jedem Schritt, bevor der nächste beginnt</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Getippten Text prüfen</translation>
    </message>
    <message>
        <source>Reads each field back after typing and pauses when it shows something else</source>
        <translation>Liest jedes Feld nach dem Tippen zurück und hält an, wenn es etwas anderes zeigt</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Feld vor dem Tippen leeren</translation>
    </message>
    <message>
        <source>Selects all and deletes before each value. Turn it off for spreadsheets: there select-all takes the whole sheet. Off, each value is typed and followed by Tab</source>
        <translation>Markiert vor jedem Wert alles und löscht es. Für Tabellenkalkulationen ausschalten: Dort erfasst „Alles auswählen“ das ganze Blatt. Ausgeschaltet wird jeder Wert getippt und danach Tab gedrückt</translation>
    </message>
    <message>
        <source>Individual steps can override the default post-delay via the Delay column in the step list.</source>
        <translation>Einzelne Schritte können die Standard-Nachverzögerung über die Verzögerungsspalte der Schrittliste überschreiben.</translation>
    </message>
    <message>
        <source>Spreadsheets: a spreadsheet&apos;s own AutoCorrect (curly quotes, a capital first letter, completing from earlier entries) changes what lands in a cell after Keyferry typed it. Switch those options off in the spreadsheet for entries to arrive exactly as in the CSV file.</source>
        <translation>Tabellenkalkulationen: Die eigene AutoKorrektur einer Tabellenkalkulation (typografische Anführungszeichen, Großbuchstabe am Anfang, Vervollständigen aus früheren Einträgen) ändert, was in einer Zelle landet, nachdem Keyferry es getippt hat. Schalten Sie diese Optionen in der Tabellenkalkulation aus, damit die Einträge genau wie in der CSV-Datei ankommen.</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Save template</source>
        <translation>Vorlage speichern</translation>
    </message>
    <message>
        <source>Emergency stop (works globally)</source>
        <translation>Notstopp (wirkt überall)</translation>
    </message>
    <message>
        <source>Scan next step (during recording)</source>
        <translation>Nächsten Schritt erfassen (während der Aufnahme)</translation>
    </message>
    <message>
        <source>Toggle field type (during recording)</source>
        <translation>Feldtyp wechseln (während der Aufnahme)</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Aufnahme beenden</translation>
    </message>
    <message>
        <source>F1 or Ctrl+?</source>
        <translation>F1 oder Ctrl+?</translation>
    </message>
    <message>
        <source>Open this help</source>
        <translation>Diese Hilfe öffnen</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>Fehlerbehebung</translation>
    </message>
    <message>
        <source>Keys are typed incorrectly</source>
        <translation>Tasten werden falsch getippt</translation>
    </message>
    <message>
        <source>Increase the Char Delay in Advanced Settings. Some apps need longer delays between keystrokes.</source>
        <translation>Erhöhen Sie die Zeichenverzögerung in den Erweiterten Einstellungen. Manche Programme brauchen längere Pausen zwischen den Tastenanschlägen.</translation>
    </message>
    <message>
        <source>Target app loses focus</source>
        <translation>Zielprogramm verliert den Fokus</translation>
    </message>
    <message>
        <source>The runner pauses automatically. Click Resume to continue. Make sure no notifications or popups steal focus.</source>
        <translation>Die Ausführung hält automatisch an. Klicken Sie auf Fortsetzen, um weiterzumachen. Achten Sie darauf, dass keine Benachrichtigungen oder Pop-ups den Fokus an sich ziehen.</translation>
    </message>
    <message>
        <source>Accessibility permission lost</source>
        <translation>Berechtigung für Barrierefreiheit verloren</translation>
    </message>
    <message>
        <source>If assistive technologies were turned off in your desktop&apos;s settings, turn them on again and restart the applications you fill in.</source>
        <translation>Wurden die Hilfstechnologien in den Einstellungen Ihres Desktops ausgeschaltet, schalten Sie sie wieder ein und starten Sie die Programme neu, die Sie ausfüllen.</translation>
    </message>
    <message>
        <source>A run pauses with &quot;Field ... shows ..., expected ...&quot;</source>
        <translation>Ein Lauf hält an mit „Feld … zeigt …, erwartet …“</translation>
    </message>
    <message>
        <source>The field did not take the value as typed: it may limit its length, refuse characters or complete what you type. Mend the field or the CSV, go back to the form&apos;s first field and Resume; or turn off Check typed text.</source>
        <translation>Das Feld hat den Wert nicht so übernommen, wie er getippt wurde: Vielleicht begrenzt es die Länge, lehnt Zeichen ab oder vervollständigt Ihre Eingabe. Korrigieren Sie das Feld oder die CSV-Datei, gehen Sie zurück zum ersten Feld des Formulars und klicken Sie auf Fortsetzen; oder schalten Sie „Getippten Text prüfen“ aus.</translation>
    </message>
    <message>
        <source>Rows are &quot;entered&quot;, never &quot;verified&quot;</source>
        <translation>Zeilen sind „eingegeben“, nie „bestätigt“</translation>
    </message>
    <message>
        <source>The target does not let Keyferry read its fields. Chromium shows web page fields to assistive technologies only when started with --force-renderer-accessibility (or while a screen reader runs); a spreadsheet&apos;s cells cannot be read while they are edited.</source>
        <translation>Das Ziel lässt Keyferry seine Felder nicht lesen. Chromium zeigt Felder von Webseiten den Hilfstechnologien nur, wenn es mit --force-renderer-accessibility gestartet wurde (oder solange ein Bildschirmleser läuft); die Zellen einer Tabellenkalkulation lassen sich nicht lesen, während sie bearbeitet werden.</translation>
    </message>
    <message>
        <source>CSV import fails</source>
        <translation>CSV-Import schlägt fehl</translation>
    </message>
    <message>
        <source>Ensure the CSV uses semicolons (;) as delimiters and that column names exactly match your Text Input step labels.</source>
        <translation>Achten Sie darauf, dass die CSV-Datei Semikolons (;) als Trennzeichen verwendet und die Spaltennamen genau den Bezeichnungen Ihrer Texteingabe-Schritte entsprechen.</translation>
    </message>
</context>
<context>
    <name>keyferry::MainWindow</name>
    <message>
        <source>No Template Selected</source>
        <translation>Keine Vorlage ausgewählt</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Paste Rows</source>
        <translation>Zeilen &amp;einfügen</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Die Zeilen aus der Zwischenablage, samt Kopfzeile aus einer Tabellenkalkulation kopiert, als Tabelle übernehmen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Keyferry Help</source>
        <translation>Keyferry-Hilfe</translation>
    </message>
</context>
<context>
    <name>keyferry::RecorderView</name>
    <message>
        <source>Tab = navigate  |  Alt+Space = toggle field type  |  Esc = stop</source>
        <translation>Tab = weiter  |  Alt+Leertaste = Feldtyp wechseln  |  Esc = Stopp</translation>
    </message>
    <message>
        <source>Tab = next field  |  Esc = stop</source>
        <translation>Tab = nächstes Feld  |  Esc = Stopp</translation>
    </message>
    <message>
        <source>This desktop does not show Keyferry your keys and clicks, so steps come from the fields you move to. Return, arrow keys and clicks are not recorded: add them by hand afterwards. Click positions cannot be recorded here either: Wayland does not tell applications where the pointer is.</source>
        <translation>Diese Arbeitsumgebung zeigt Keyferry Ihre Tasten und Klicks nicht, daher entstehen Schritte aus den Feldern, zu denen Sie wechseln. Eingabetaste, Pfeiltasten und Klicks werden nicht aufgezeichnet: Fügen Sie sie danach von Hand hinzu. Auch Klickpositionen lassen sich hier nicht aufzeichnen: Wayland verrät Programmen nicht, wo der Mauszeiger ist.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Recording is on</source>
        <translation>Aufnahme läuft</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Aufnahme ...</translation>
    </message>
    <message>
        <source>Keyferry is recording the steps you take in the form</source>
        <translation>Keyferry zeichnet die Schritte auf, die Sie im Formular ausführen</translation>
    </message>
    <message>
        <source>Number of recorded steps</source>
        <translation>Anzahl aufgezeichneter Schritte</translation>
    </message>
    <message>
        <source>How many steps have been recorded</source>
        <translation>Wie viele Schritte aufgezeichnet wurden</translation>
    </message>
    <message>
        <source>Recording keys</source>
        <translation>Tasten der Aufnahme</translation>
    </message>
    <message>
        <source>The keys that steer the recording</source>
        <translation>Die Tasten, mit denen Sie die Aufnahme steuern</translation>
    </message>
    <message>
        <source>What cannot be recorded here</source>
        <translation>Was hier nicht aufgezeichnet werden kann</translation>
    </message>
    <message>
        <source>Add Return, arrow key and click steps in the template editor</source>
        <translation>Fügen Sie Eingabe-, Pfeiltasten- und Klickschritte im Vorlageneditor hinzu</translation>
    </message>
    <message>
        <source>Detected field</source>
        <translation>Erkanntes Feld</translation>
    </message>
    <message>
        <source>The field the last step was named after</source>
        <translation>Das Feld, nach dem der letzte Schritt benannt wurde</translation>
    </message>
    <message>
        <source>Alt+Space warning</source>
        <translation>Warnung zu Alt+Leertaste</translation>
    </message>
    <message>
        <source>Another program also takes Alt+Space while Keyferry records</source>
        <translation>Ein anderes Programm nimmt Alt+Leertaste ebenfalls entgegen, während Keyferry aufzeichnet</translation>
    </message>
    <message>
        <source>Alt+Space also reaches the window manager here (it may open its window menu; press Esc to close it).</source>
        <translation>Alt+Leertaste erreicht hier auch die Fensterverwaltung (sie öffnet eventuell ihr Fenstermenü; schließen Sie es mit Esc).</translation>
    </message>
    <message>
        <source>Recorded steps</source>
        <translation>Aufgezeichnete Schritte</translation>
    </message>
    <message>
        <source>The steps recorded so far</source>
        <translation>Die bisher aufgezeichneten Schritte</translation>
    </message>
    <message numerus="yes">
        <source>%n steps</source>
        <translation>
            <numerusform>%n Schritt</numerusform>
            <numerusform>%n Schritte</numerusform>
        </translation>
    </message>
    <message>
        <source>⌶ Detected: </source>
        <translation>⌶ Erkannt: </translation>
    </message>
</context>
<context>
    <name>keyferry::RenameDelegate</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>Press Return to rename</source>
        <translation>Zum Umbenennen die Eingabetaste drücken</translation>
    </message>
</context>
<context>
    <name>keyferry::RunnerPanel</name>
    <message>
        <source>Ctrl+Shift+Esc = Stop</source>
        <translation>Strg+Umschalt+Esc = Stopp</translation>
    </message>
    <message>
        <source>Stops a run from any application</source>
        <translation>Stoppt einen Durchlauf aus jedem Programm heraus</translation>
    </message>
    <message>
        <source>Runner status</source>
        <translation>Status des Durchlaufs</translation>
    </message>
    <message>
        <source>Run results</source>
        <translation>Ergebnisse des Durchlaufs</translation>
    </message>
    <message>
        <source>Run Failed Rows</source>
        <translation>Fehlgeschlagene Zeilen ausführen</translation>
    </message>
    <message>
        <source>Rows that did not land</source>
        <translation>Nicht angekommene Zeilen</translation>
    </message>
    <message>
        <source>Each row the run did not enter, with what happened</source>
        <translation>Jede Zeile, die der Durchlauf nicht eingegeben hat, mit dem, was geschah</translation>
    </message>
    <message>
        <source>From Entry:</source>
        <translation>Ab Eintrag:</translation>
    </message>
    <message>
        <source>From entry</source>
        <translation>Ab Eintrag</translation>
    </message>
    <message>
        <source>The first entry (row) of the table to enter</source>
        <translation>Der erste Eintrag (Zeile) der Tabelle, der eingegeben wird</translation>
    </message>
    <message>
        <source>Pause when I type or click</source>
        <translation>Anhalten, wenn ich tippe oder klicke</translation>
    </message>
    <message>
        <source>Pause a run as soon as you use the keyboard or mouse (except while it waits for your click)</source>
        <translation>Einen Durchlauf anhalten, sobald Sie Tastatur oder Maus benutzen (außer während er auf Ihren Klick wartet)</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Testlauf</translation>
    </message>
    <message>
        <source>Execute one entry</source>
        <translation>Einen Eintrag ausführen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Enter every entry from the first one chosen</source>
        <translation>Jeden Eintrag ab dem gewählten ersten eingeben</translation>
    </message>
    <message>
        <source>Starting</source>
        <translation>Startet</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Do not start the run</source>
        <translation>Den Durchlauf nicht starten</translation>
    </message>
    <message>
        <source>Run progress</source>
        <translation>Fortschritt des Durchlaufs</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause after the entry in progress</source>
        <translation>Nach dem laufenden Eintrag anhalten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the run now</source>
        <translation>Den Durchlauf sofort stoppen</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Go on from the entry where the run paused</source>
        <translation>Ab dem Eintrag weitermachen, an dem der Durchlauf angehalten hat</translation>
    </message>
    <message>
        <source>End the run</source>
        <translation>Den Durchlauf beenden</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Resume from</source>
        <translation>Fortsetzen ab</translation>
    </message>
    <message>
        <source>Go on with the entries not entered yet</source>
        <translation>Mit den noch nicht eingegebenen Einträgen weitermachen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Back to the start controls</source>
        <translation>Zurück zu den Startknöpfen</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a number of rows and their status</comment>
        <translation>%2: %1</translation>
    </message>
    <message>
        <source>Entry %1: %2%3</source>
        <translation>Eintrag %1: %2%3</translation>
    </message>
    <message numerus="yes">
        <source>%n not attempted</source>
        <translation>
            <numerusform>%n nicht versucht</numerusform>
            <numerusform>%n nicht versucht</numerusform>
        </translation>
    </message>
    <message>
        <source>Results: </source>
        <translation>Ergebnisse: </translation>
    </message>
    <message>
        <source>no rows</source>
        <translation>keine Zeilen</translation>
    </message>
    <message numerus="yes">
        <source>Run again only the %n entries that did not land</source>
        <translation>
            <numerusform>Nur den %n nicht angekommenen Eintrag erneut ausführen</numerusform>
            <numerusform>Nur die %n nicht angekommenen Einträge erneut ausführen</numerusform>
        </translation>
    </message>
    <message>
        <source>Start in %1...</source>
        <translation>Start in %1 ...</translation>
    </message>
    <message>
        <source>Entry %1 · %2 of %3 done</source>
        <translation>Eintrag %1 · %2 von %3 erledigt</translation>
    </message>
    <message>
        <source>Click in target app... (%1/%2)</source>
        <translation>Klicken Sie ins Zielprogramm ... (%1/%2)</translation>
    </message>
    <message>
        <source>Paused at entry %1/%2</source>
        <translation>Angehalten bei Eintrag %1/%2</translation>
    </message>
    <message numerus="yes">
        <source>Done: %n successful</source>
        <translation>
            <numerusform>Fertig: %n erfolgreich</numerusform>
            <numerusform>Fertig: %n erfolgreich</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n errors</source>
        <translation>
            <numerusform>, %n Fehler</numerusform>
            <numerusform>, %n Fehler</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume from %1</source>
        <translation>Fortsetzen ab %1</translation>
    </message>
    <message numerus="yes">
        <source>The table has only %n entries</source>
        <translation>
            <numerusform>Die Tabelle hat nur %n Eintrag</numerusform>
            <numerusform>Die Tabelle hat nur %n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>A debug run is under way in the editor</source>
        <translation>Im Editor läuft gerade ein Debug-Durchlauf</translation>
    </message>
    <message>
        <source>Not on this desktop: %1. What you can do: %2</source>
        <translation>Nicht auf dieser Arbeitsumgebung: %1. Was Sie tun können: %2</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be written: %1</source>
        <translation>Das Protokoll des Durchlaufs konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal is incomplete: %1</source>
        <translation>Das Protokoll des Durchlaufs ist unvollständig: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be read: %1</source>
        <translation>Das Protokoll des Durchlaufs konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The imported CSV file is not the one that run used, or it has changed since: import that file to run its failed rows.</source>
        <translation>Die importierte CSV-Datei ist nicht die des Durchlaufs oder wurde seitdem geändert: Importieren Sie diese Datei, um ihre fehlgeschlagenen Zeilen erneut auszuführen.</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableAccessible</name>
    <message>
        <source>Step %1</source>
        <translation>Schritt %1</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableModel</name>
    <message>
        <source>@ Mouse Position</source>
        <translation>@ Mausposition</translation>
    </message>
    <message>
        <source>@ (%1, %2)</source>
        <translation>@ (%1, %2)</translation>
    </message>
    <message>
        <source>Checked before the step&apos;s first key: %1 %2</source>
        <translation>Vor der ersten Taste des Schritts geprüft: %1 %2</translation>
    </message>
    <message>
        <source>, id %1</source>
        <translation>, ID %1</translation>
    </message>
    <message>
        <source>, in “%1”</source>
        <translation>, in „%1“</translation>
    </message>
    <message>
        <source>. Enter records it again, Delete clears it</source>
        <translation>. Eingabe zeichnet es neu auf, Entf löscht es</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Schritt %1</translation>
    </message>
    <message>
        <source>Drag to move, or press Ctrl+Up or Ctrl+Down</source>
        <translation>Zum Verschieben ziehen oder Strg+Hoch bzw. Strg+Runter drücken</translation>
    </message>
    <message>
        <source>Step %1 type, cannot run on this desktop</source>
        <translation>Typ von Schritt %1, auf dieser Arbeitsumgebung nicht ausführbar</translation>
    </message>
    <message>
        <source>Step %1 type</source>
        <translation>Typ von Schritt %1</translation>
    </message>
    <message>
        <source>What the step does (F2 to change)</source>
        <translation>Was der Schritt tut (F2 zum Ändern)</translation>
    </message>
    <message>
        <source>Column Name</source>
        <translation>Spaltenname</translation>
    </message>
    <message>
        <source>Step %1 name</source>
        <translation>Name von Schritt %1</translation>
    </message>
    <message>
        <source>The CSV column this step types</source>
        <translation>Die CSV-Spalte, die dieser Schritt tippt</translation>
    </message>
    <message>
        <source>Only Text Input steps name a column</source>
        <translation>Nur Texteingabe-Schritte nennen eine Spalte</translation>
    </message>
    <message>
        <source>Step %1 fixed value</source>
        <translation>Fester Wert von Schritt %1</translation>
    </message>
    <message>
        <source>Typed in every row instead of a CSV value; Space or the pin unpins it (use CSV value)</source>
        <translation>Wird in jeder Zeile statt eines CSV-Werts getippt; Leertaste oder die Nadel löst ihn (CSV-Wert verwenden)</translation>
    </message>
    <message>
        <source>Set fixed value: Space or the pin</source>
        <translation>Festen Wert setzen: Leertaste oder die Nadel</translation>
    </message>
    <message>
        <source>Step %1 arrow</source>
        <translation>Pfeil von Schritt %1</translation>
    </message>
    <message>
        <source>The arrow key pressed</source>
        <translation>Die gedrückte Pfeiltaste</translation>
    </message>
    <message>
        <source>Step %1 mouse button</source>
        <translation>Maustaste von Schritt %1</translation>
    </message>
    <message>
        <source>The mouse button pressed</source>
        <translation>Die gedrückte Maustaste</translation>
    </message>
    <message>
        <source>Step %1 click type</source>
        <translation>Klickart von Schritt %1</translation>
    </message>
    <message>
        <source>A single or a double click</source>
        <translation>Ein Einfach- oder Doppelklick</translation>
    </message>
    <message>
        <source>Step %1 click position</source>
        <translation>Klickposition von Schritt %1</translation>
    </message>
    <message>
        <source>Record click position: Enter or the target; Delete clears the position (use mouse position)</source>
        <translation>Klickposition aufzeichnen: Eingabe oder das Ziel; Entf löscht die Position (Mausposition verwenden)</translation>
    </message>
    <message>
        <source>Choose a target app to record a click position; Delete clears the position (use mouse position)</source>
        <translation>Wählen Sie ein Zielprogramm, um eine Klickposition aufzuzeichnen; Entf löscht die Position (Mausposition verwenden)</translation>
    </message>
    <message>
        <source>Step %1 field</source>
        <translation>Feld von Schritt %1</translation>
    </message>
    <message>
        <source>No recorded field: the step is not checked. Enter records the field in the target app</source>
        <translation>Kein aufgezeichnetes Feld: Der Schritt wird nicht geprüft. Eingabe zeichnet das Feld im Zielprogramm auf</translation>
    </message>
    <message>
        <source>Step %1 delay (sec)</source>
        <translation>Verzögerung von Schritt %1 (s)</translation>
    </message>
    <message>
        <source>Seconds to wait after the step</source>
        <translation>Sekunden Wartezeit nach dem Schritt</translation>
    </message>
    <message>
        <source>Step %1 repeat count</source>
        <translation>Wiederholungen von Schritt %1</translation>
    </message>
    <message>
        <source>How often the step is repeated</source>
        <translation>Wie oft der Schritt wiederholt wird</translation>
    </message>
    <message>
        <source>This step is not repeated</source>
        <translation>Dieser Schritt wird nicht wiederholt</translation>
    </message>
    <message>
        <source>Delete step %1</source>
        <translation>Schritt %1 löschen</translation>
    </message>
    <message>
        <source>Enter or a click deletes the step</source>
        <translation>Eingabe oder ein Klick löscht den Schritt</translation>
    </message>
    <message>
        <source>Step %1, %2</source>
        <translation>Schritt %1, %2</translation>
    </message>
    <message>
        <source>Delete the step</source>
        <translation>Schritt löschen</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <translation>Fester Wert</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Klick</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <translation>Verzögerung (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>column header, short</comment>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>column header, short</comment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <comment>column header, short</comment>
        <translation>Fester Wert</translation>
    </message>
    <message>
        <source>Option</source>
        <comment>column header, short</comment>
        <translation>Option</translation>
    </message>
    <message>
        <source>Click</source>
        <comment>column header, short</comment>
        <translation>Klick</translation>
    </message>
    <message>
        <source>Position</source>
        <comment>column header, short</comment>
        <translation>Position</translation>
    </message>
    <message>
        <source>Field</source>
        <comment>column header, short</comment>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <comment>column header, short</comment>
        <translation>Verz. (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <comment>column header, short</comment>
        <translation>Wdh.</translation>
    </message>
</context>
<context>
    <name>keyferry::StoreStatusView</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Templates file problem</source>
        <translation>Problem mit der Vorlagendatei</translation>
    </message>
    <message>
        <source>The templates file found at start could not be read; it is kept, never overwritten</source>
        <translation>Die beim Start gefundene Vorlagendatei konnte nicht gelesen werden; sie bleibt erhalten und wird nie überschrieben</translation>
    </message>
    <message>
        <source>Save problem</source>
        <translation>Problem beim Speichern</translation>
    </message>
    <message>
        <source>The last save failed; this goes away when a save succeeds</source>
        <translation>Das letzte Speichern ist fehlgeschlagen; dies verschwindet, sobald ein Speichern gelingt</translation>
    </message>
    <message>
        <source>Templates file status</source>
        <translation>Status der Vorlagendatei</translation>
    </message>
    <message>
        <source>Not saved: %1. Your changes are kept only while Keyferry runs.</source>
        <translation>Nicht gespeichert: %1. Ihre Änderungen bleiben nur erhalten, solange Keyferry läuft.</translation>
    </message>
    <message>
        <source>The templates file %1 could not be read: %2.</source>
        <translation>Die Vorlagendatei %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source> The original was moved to %1.</source>
        <translation> Das Original wurde nach %1 verschoben.</translation>
    </message>
    <message>
        <source> It stays untouched and will be moved aside before the first save.</source>
        <translation> Sie bleibt unangetastet und wird vor dem ersten Speichern beiseitegelegt.</translation>
    </message>
    <message>
        <source>The templates could not be saved.</source>
        <translation>Die Vorlagen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>

Your changes are kept only while Keyferry runs. Later save problems are shown at the bottom of the window.</source>
        <translation>

Ihre Änderungen bleiben nur erhalten, solange Keyferry läuft. Spätere Probleme beim Speichern werden unten im Fenster angezeigt.</translation>
    </message>
    <message>
        <source>Templates not saved</source>
        <translation>Vorlagen nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateDetailView</name>
    <message>
        <source>Save status</source>
        <translation>Speicherstatus</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save the template now (Ctrl+S)</source>
        <translation>Die Vorlage jetzt speichern (Strg+S)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Ausführung</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Whether the template is saved</source>
        <translation>Ob die Vorlage gespeichert ist</translation>
    </message>
    <message>
        <source>Hide Runner</source>
        <translation>Ausführung ausblenden</translation>
    </message>
    <message>
        <source>Show or hide the runner</source>
        <translation>Ausführung ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Import a CSV file with entries first</source>
        <translation>Importieren Sie zuerst eine CSV-Datei mit Einträgen</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateEditor</name>
    <message>
        <source>Template Name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>The name shown in the sidebar</source>
        <translation>Der Name in der Seitenleiste</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Zielprogramm</translation>
    </message>
    <message>
        <source>The application that receives the input</source>
        <translation>Das Programm, das die Eingaben erhält</translation>
    </message>
    <message>
        <source>⚠ Duplicate column names found!</source>
        <translation>⚠ Doppelte Spaltennamen gefunden!</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>Drag a step, or press Ctrl+Up or Ctrl+Down, to move it; F2 or typing edits a cell</source>
        <translation>Ziehen Sie einen Schritt oder drücken Sie Strg+Hoch bzw. Strg+Runter, um ihn zu verschieben; F2 oder Tippen bearbeitet eine Zelle</translation>
    </message>
    <message>
        <source>Debug step</source>
        <translation>Debug-Schritt</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Execute the step shown</source>
        <translation>Den angezeigten Schritt ausführen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>End the debug run</source>
        <translation>Den Debug-Durchlauf beenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Do not start the debug run</source>
        <translation>Den Debug-Durchlauf nicht starten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the debug result</source>
        <translation>Das Debug-Ergebnis schließen</translation>
    </message>
    <message>
        <source>Debug status</source>
        <translation>Debug-Status</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Use the recorded steps</source>
        <translation>Die aufgezeichneten Schritte verwenden</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Alle ersetzen</translation>
    </message>
    <message>
        <source>Replace every step by the recorded ones</source>
        <translation>Alle Schritte durch die aufgezeichneten ersetzen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Keep the template as it was</source>
        <translation>Die Vorlage so lassen, wie sie war</translation>
    </message>
    <message>
        <source>Insert After Step</source>
        <translation>Nach Schritt einfügen</translation>
    </message>
    <message>
        <source>Insert the recorded steps after the step chosen</source>
        <translation>Die aufgezeichneten Schritte nach dem gewählten Schritt einfügen</translation>
    </message>
    <message>
        <source>Insert position</source>
        <translation>Einfügeposition</translation>
    </message>
    <message>
        <source>Where the recorded steps go</source>
        <translation>Wohin die aufgezeichneten Schritte kommen</translation>
    </message>
    <message>
        <source>Add Step</source>
        <translation>Schritt hinzufügen</translation>
    </message>
    <message>
        <source>Append a Tab step</source>
        <translation>Einen Tab-Schritt anhängen</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Remove every step</source>
        <translation>Alle Schritte entfernen</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Debuggen</translation>
    </message>
    <message>
        <source>Test workflow step-by-step in the target app (with placeholder data)</source>
        <translation>Den Ablauf Schritt für Schritt im Zielprogramm testen (mit Platzhalterdaten)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message>
        <source>Record the steps while you work through the form (Esc in the form stops)</source>
        <translation>Die Schritte aufzeichnen, während Sie das Formular durchgehen (Esc im Formular stoppt)</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Erweiterte Einstellungen</translation>
    </message>
    <message>
        <source>Show or hide the timing settings</source>
        <translation>Die Zeiteinstellungen ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Countdown (s)</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Zeichenverzögerung (s)</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Standard-Nachverzögerung (s)</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Getippten Text prüfen</translation>
    </message>
    <message>
        <source>Read each field back after typing and pause the run when it does not show what was typed</source>
        <translation>Jedes Feld nach dem Tippen zurücklesen und den Durchlauf anhalten, wenn es nicht das Getippte zeigt</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Feld vor dem Tippen leeren</translation>
    </message>
    <message>
        <source>Select all and delete before typing a value; turn off for spreadsheets, where select-all takes the whole sheet</source>
        <translation>Vor dem Tippen eines Werts alles auswählen und löschen; für Tabellenkalkulationen ausschalten, dort erfasst „Alles auswählen“ das ganze Blatt</translation>
    </message>
    <message>
        <source>Wait for the next field</source>
        <translation>Auf das nächste Feld warten</translation>
    </message>
    <message>
        <source>Go on as soon as the next step&apos;s recorded field has the focus and is ready, instead of waiting each step&apos;s delay</source>
        <translation>Weitermachen, sobald das aufgezeichnete Feld des nächsten Schritts den Fokus hat und bereit ist, statt die Verzögerung jedes Schritts abzuwarten</translation>
    </message>
    <message>
        <source>Longest Field Wait (sec)</source>
        <translation>Längste Feldwartezeit (s)</translation>
    </message>
    <message>
        <source>How long a run waits for the next step&apos;s field before it pauses</source>
        <translation>Wie lange ein Durchlauf auf das Feld des nächsten Schritts wartet, bevor er anhält</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message numerus="yes">
        <source>%n steps recorded</source>
        <translation>
            <numerusform>%n Schritt aufgezeichnet</numerusform>
            <numerusform>%n Schritte aufgezeichnet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Existing workflow has %n steps</source>
        <translation>
            <numerusform>Der bestehende Ablauf hat %n Schritt</numerusform>
            <numerusform>Der bestehende Ablauf hat %n Schritte</numerusform>
        </translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Debug starts in %1...</source>
        <translation>Debug startet in %1 ...</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Debug abgeschlossen</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateListModel</name>
    <message>
        <source>%1 (not saved: %2)</source>
        <translation>%1 (nicht gespeichert: %2)</translation>
    </message>
    <message>
        <source>Unnamed template</source>
        <translation>Unbenannte Vorlage</translation>
    </message>
    <message>
        <source>, not saved</source>
        <translation>, nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateSidebar</name>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Neue Vorlage</translation>
    </message>
    <message>
        <source>Right-click a template to rename, duplicate or delete it</source>
        <translation>Rechtsklick auf eine Vorlage zum Umbenennen, Duplizieren oder Löschen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>New Template</source>
        <comment>a new template&apos;s name</comment>
        <translation>Neue Vorlage</translation>
    </message>
    <message>
        <source>%1 (Copy)</source>
        <comment>a duplicated template&apos;s name</comment>
        <translation>%1 (Kopie)</translation>
    </message>
</context>
</TS>
