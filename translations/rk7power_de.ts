<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>rk7::AboutDialog</name>
    <message>
        <source>The performance creator for RK7 and the RK7edit editor</source>
        <translation>Der Leistungseditor für RK7 und den Editor RK7edit</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>© The RK7 Power team · License GPL-3.0-or-later</source>
        <translation>© Das RK7-Power-Team · Lizenz GPL-3.0-or-later</translation>
    </message>
    <message>
        <source>Made by players, for every RK7 league still racing</source>
        <translation>Von Spielern für jede RK7-Liga, die noch fährt</translation>
    </message>
    <message>
        <source>About RK7 Power</source>
        <translation>Über RK7 Power</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>rk7::CalcFormDialog</name>
    <message>
        <source>Manual Edit Mode</source>
        <translation>Manueller Modus</translation>
    </message>
    <message>
        <source>Auto Edit Mode</source>
        <translation>Auto-Modus</translation>
    </message>
</context>
<context>
    <name>rk7::ChartPainter</name>
    <message>
        <source>Qualifying</source>
        <translation>Qualifying</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Rennen</translation>
    </message>
    <message>
        <source>Make the window larger to see the chart</source>
        <translation>Vergrößern Sie das Fenster, um das Diagramm zu sehen</translation>
    </message>
    <message>
        <source>Team powers</source>
        <translation>Teamleistungen</translation>
    </message>
    <message>
        <source>Team %1</source>
        <translation>Team %1</translation>
    </message>
    <message>
        <source>team power</source>
        <translation>Teamleistung</translation>
    </message>
    <message>
        <source>Driver %1</source>
        <translation>Fahrer %1</translation>
    </message>
    <message>
        <source>Driver powers</source>
        <translation>Fahrerleistungen</translation>
    </message>
    <message>
        <source>driver power</source>
        <translation>Fahrerleistung</translation>
    </message>
    <message>
        <source>No powers in the cells</source>
        <translation>Keine Leistungen in den Zellen</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>Power, from %1 on</source>
        <translation>Leistung, ab %1</translation>
    </message>
    <message>
        <source>qualifying</source>
        <translation>Qualifying</translation>
    </message>
    <message>
        <source>race</source>
        <translation>Rennen</translation>
    </message>
    <message>
        <source>%1: %2 %3 %4</source>
        <translation>%1: %3 (%2) %4</translation>
    </message>
    <message>
        <source>Position tables</source>
        <translation>Positionstabellen</translation>
    </message>
    <message>
        <source>Make the window larger to see the plots</source>
        <translation>Vergrößern Sie das Fenster, um die Kurven zu sehen</translation>
    </message>
    <message>
        <source>No entries</source>
        <translation>Keine Einträge</translation>
    </message>
    <message>
        <source>%1 at position %2: %3</source>
        <translation>%1 auf Position %2: %3</translation>
    </message>
</context>
<context>
    <name>rk7::Command</name>
    <message>
        <source>Load a RK7edit Performance File</source>
        <translation>Eine RK7edit-Performance-Datei laden</translation>
    </message>
    <message>
        <source>Save a RK7edit Performance File</source>
        <translation>Eine RK7edit-Performance-Datei speichern</translation>
    </message>
    <message>
        <source>Open a RK7 Power Performance File</source>
        <translation>Eine RK7-Power-Performance-Datei öffnen</translation>
    </message>
    <message>
        <source>Save a RK7 Power Performance File</source>
        <translation>Eine RK7-Power-Performance-Datei speichern</translation>
    </message>
    <message>
        <source>Displays full pages as read-only</source>
        <translation>Zeigt ganze Seiten schreibgeschützt an</translation>
    </message>
    <message>
        <source>Prints the active document</source>
        <translation>Druckt das aktive Dokument</translation>
    </message>
    <message>
        <source>Sets print characteristics for the active document</source>
        <translation>Legt die Druckeinstellungen für das aktive Dokument fest</translation>
    </message>
    <message>
        <source>Quits RK7 Power and prompts to save the documents</source>
        <translation>Beendet RK7 Power und fragt, ob die Dokumente gespeichert werden sollen</translation>
    </message>
    <message>
        <source>Edit Driver Names, and Powers</source>
        <translation>Fahrernamen und Leistungen bearbeiten</translation>
    </message>
    <message>
        <source>Edit Team Names, Powers, Engine Names</source>
        <translation>Teamnamen, Leistungen und Motoren bearbeiten</translation>
    </message>
    <message>
        <source>Editing power numbers that the program uses to calculate with</source>
        <translation>Die Leistungswerte bearbeiten, mit denen das Programm rechnet</translation>
    </message>
    <message>
        <source>View Team Info</source>
        <translation>Teamdaten anzeigen</translation>
    </message>
    <message>
        <source>View Driver Info</source>
        <translation>Fahrerdaten anzeigen</translation>
    </message>
    <message>
        <source>View All Info</source>
        <translation>Alle Daten anzeigen</translation>
    </message>
    <message>
        <source>View Charts of the Powers and Position Tables</source>
        <translation>Diagramme der Leistungen und Positionstabellen anzeigen</translation>
    </message>
    <message>
        <source>What&apos;s New in Rk7Power</source>
        <translation>Neuigkeiten in RK7 Power</translation>
    </message>
    <message>
        <source>About the RK7 Power application</source>
        <translation>Über das Programm RK7 Power</translation>
    </message>
    <message>
        <source>Undo the last change to the roster</source>
        <translation>Die letzte Änderung am Kader rückgängig machen</translation>
    </message>
    <message>
        <source>Redo the change last undone</source>
        <translation>Die zuletzt rückgängig gemachte Änderung wiederherstellen</translation>
    </message>
    <message>
        <source>Open the roster kept in another folder</source>
        <translation>Den Kader aus einem anderen Ordner öffnen</translation>
    </message>
    <message>
        <source>Copy the roster into another folder and go on there</source>
        <translation>Den Kader in einen anderen Ordner kopieren und dort weiterarbeiten</translation>
    </message>
    <message>
        <source>Show the roster folder in the file manager</source>
        <translation>Den Kaderordner in der Dateiverwaltung anzeigen</translation>
    </message>
    <message>
        <source>List what opening a Performance File would change in the roster</source>
        <translation>Auflisten, was das Öffnen einer Performance-Datei am Kader ändern würde</translation>
    </message>
    <message>
        <source>Copy the table shown, for a spreadsheet, or the chart</source>
        <translation>Die angezeigte Tabelle (für eine Tabellenkalkulation) oder das Diagramm kopieren</translation>
    </message>
    <message>
        <source>Mark the cells that the last change changed</source>
        <translation>Die Zellen markieren, die die letzte Änderung geändert hat</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Edit &amp;Drivers</source>
        <translation>Fahrer &amp;bearbeiten</translation>
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
        <source>&amp;Open RK7Edit Performance File...</source>
        <translation>&amp;RK7Edit-Performance-Datei öffnen...</translation>
    </message>
    <message>
        <source>Op&amp;en RK7 Power Performance File...	Ctrl+O</source>
        <translation>RK7-&amp;Power-Performance-Datei öffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>Save &amp;RK7Edit Performance File &amp;As...</source>
        <translation>&amp;RK7Edit-Performance-Datei speichern unter...</translation>
    </message>
    <message>
        <source>Save RK7 &amp;Power Performance File &amp;As...	Ctrl+S</source>
        <translation>RK7-&amp;Power-Performance-Datei speichern unter...	Ctrl+S</translation>
    </message>
    <message>
        <source>Open Roster &amp;Folder...	Ctrl+Shift+O</source>
        <translation>&amp;Kaderordner öffnen...	Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>Save Roster &amp;As...</source>
        <translation>Kader speichern &amp;unter...</translation>
    </message>
    <message>
        <source>S&amp;how Roster Folder</source>
        <translation>Kaderordner an&amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;Compare with Performance File...</source>
        <translation>Mit Performance-Datei &amp;vergleichen...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Seiten&amp;ansicht...</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Ctrl+P</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Druck&amp;einrichtung...</translation>
    </message>
    <message>
        <source>E&amp;xit	Ctrl+Q</source>
        <translation>&amp;Beenden	Ctrl+Q</translation>
    </message>
    <message>
        <source>Main Drivers</source>
        <translation>Stammfahrer</translation>
    </message>
    <message>
        <source>Spare Drivers</source>
        <translation>Ersatzfahrer</translation>
    </message>
    <message>
        <source>Edit &amp;Teams</source>
        <translation>&amp;Teams bearbeiten</translation>
    </message>
    <message>
        <source>Edit &amp;Powers</source>
        <translation>&amp;Leistungen bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy View	Ctrl+C</source>
        <translation>Ansicht &amp;kopieren	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Shift+Z</source>
        <translation>&amp;Wiederherstellen	Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>View &amp;Teams</source>
        <translation>&amp;Teams anzeigen</translation>
    </message>
    <message>
        <source>View &amp;Drivers</source>
        <translation>&amp;Fahrer anzeigen</translation>
    </message>
    <message>
        <source>View &amp;All</source>
        <translation>&amp;Alle anzeigen</translation>
    </message>
    <message>
        <source>View &amp;Chart</source>
        <translation>&amp;Diagramm anzeigen</translation>
    </message>
    <message>
        <source>&amp;Highlight Changes</source>
        <translation>&amp;Änderungen hervorheben</translation>
    </message>
    <message>
        <source>H&amp;elp Contents</source>
        <translation>&amp;Hilfethemen (englisch)</translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation>&amp;Neuigkeiten</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Über RK7 Power...</translation>
    </message>
    <message>
        <source>Edit Teams, Drivers, and Calculated Powers</source>
        <translation>Teams, Fahrer und berechnete Leistungen bearbeiten</translation>
    </message>
    <message>
        <source>Select Various Views</source>
        <translation>Verschiedene Ansichten wählen</translation>
    </message>
</context>
<context>
    <name>rk7::CompareDialog</name>
    <message>
        <source>Compare with %1</source>
        <translation>Vergleich mit %1</translation>
    </message>
    <message>
        <source>Diagnostics of the file:</source>
        <translation>Meldungen zur Datei:</translation>
    </message>
    <message>
        <source>Read as &amp;UTF-8</source>
        <translation>Als &amp;UTF-8 lesen</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Diagnostics of the file, read as UTF-8:</source>
        <translation>Meldungen zur Datei, als UTF-8 gelesen:</translation>
    </message>
    <message>
        <source>No cells differ</source>
        <translation>Keine Zelle weicht ab</translation>
    </message>
    <message>
        <source>1 cell differs</source>
        <translation>1 Zelle weicht ab</translation>
    </message>
    <message>
        <source>%1 cells differ</source>
        <translation>%1 Zellen weichen ab</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>In the file</source>
        <translation>In der Datei</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>No diagnostics</source>
        <translation>Keine Meldungen</translation>
    </message>
</context>
<context>
    <name>rk7::EditCommands</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
</context>
<context>
    <name>rk7::FieldSchema</name>
    <message>
        <source>team name</source>
        <translation>Teamname</translation>
    </message>
    <message>
        <source>engine name</source>
        <translation>Motorname</translation>
    </message>
    <message>
        <source>team qualifying power</source>
        <translation>Qualifying-Leistung des Teams</translation>
    </message>
    <message>
        <source>team race power</source>
        <translation>Rennleistung des Teams</translation>
    </message>
    <message>
        <source>team failure</source>
        <translation>Ausfall des Teams</translation>
    </message>
    <message>
        <source>team qualifying position of the first car</source>
        <translation>Qualifying-Position des ersten Wagens</translation>
    </message>
    <message>
        <source>team qualifying position of the second car</source>
        <translation>Qualifying-Position des zweiten Wagens</translation>
    </message>
    <message>
        <source>team race position of the first car</source>
        <translation>Rennposition des ersten Wagens</translation>
    </message>
    <message>
        <source>team race position of the second car</source>
        <translation>Rennposition des zweiten Wagens</translation>
    </message>
    <message>
        <source>driver name</source>
        <translation>Fahrername</translation>
    </message>
    <message>
        <source>car number</source>
        <translation>Startnummer</translation>
    </message>
    <message>
        <source>driver&apos;s qualifying position</source>
        <translation>Qualifying-Position des Fahrers</translation>
    </message>
    <message>
        <source>driver&apos;s race position</source>
        <translation>Rennposition des Fahrers</translation>
    </message>
    <message>
        <source>driver qualifying power</source>
        <translation>Qualifying-Leistung des Fahrers</translation>
    </message>
    <message>
        <source>driver race power</source>
        <translation>Rennleistung des Fahrers</translation>
    </message>
    <message>
        <source>driver range</source>
        <translation>Streuung des Fahrers</translation>
    </message>
    <message>
        <source>spare name</source>
        <translation>Name des Ersatzfahrers</translation>
    </message>
    <message>
        <source>spare race power</source>
        <translation>Rennleistung des Ersatzfahrers</translation>
    </message>
    <message>
        <source>spare qualifying power</source>
        <translation>Qualifying-Leistung des Ersatzfahrers</translation>
    </message>
    <message>
        <source>spare range</source>
        <translation>Streuung des Ersatzfahrers</translation>
    </message>
    <message>
        <source>driver power by position</source>
        <translation>Fahrerleistung nach Position</translation>
    </message>
    <message>
        <source>team power by position</source>
        <translation>Teamleistung nach Position</translation>
    </message>
    <message>
        <source>range by position</source>
        <translation>Streuung nach Position</translation>
    </message>
    <message>
        <source>failure by position</source>
        <translation>Ausfall nach Position</translation>
    </message>
    <message>
        <source>driver qualifying start</source>
        <translation>Qualifying-Startwert der Fahrer</translation>
    </message>
    <message>
        <source>driver race start</source>
        <translation>Renn-Startwert der Fahrer</translation>
    </message>
    <message>
        <source>team qualifying start</source>
        <translation>Qualifying-Startwert der Teams</translation>
    </message>
    <message>
        <source>team race start</source>
        <translation>Renn-Startwert der Teams</translation>
    </message>
</context>
<context>
    <name>rk7::FileCommands</name>
    <message>
        <source>Select File</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>TEXT Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>%1 was read, but some values were not taken as they stood:
</source>
        <translation>%1 wurde gelesen, aber einige Werte wurden nicht so übernommen, wie sie dastanden:
</translation>
    </message>
    <message>
        <source>
... and %1 more.</source>
        <translation>
... und %1 weitere.</translation>
    </message>
    <message>
        <source>
Line %1: %2</source>
        <translation>
Zeile %1: %2</translation>
    </message>
    <message>
        <source>%1 looks like UTF-8, but it has no byte-order mark to say so.

Read it as UTF-8, or as it is, in Windows-1252, where letters beyond ASCII may come out wrong?</source>
        <translation>%1 sieht nach UTF-8 aus, hat aber keine Byte-Order-Mark, die das angibt.

Als UTF-8 lesen oder so, wie sie ist, in Windows-1252, wobei Buchstaben jenseits von ASCII falsch erscheinen können?</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Compare with Performance File</source>
        <translation>Mit Performance-Datei vergleichen</translation>
    </message>
</context>
<context>
    <name>rk7::FormCommands</name>
    <message>
        <source>Edit Powers</source>
        <translation>Leistungen bearbeiten</translation>
    </message>
    <message>
        <source>Edit Teams</source>
        <translation>Teams bearbeiten</translation>
    </message>
    <message>
        <source>Edit Drivers</source>
        <translation>Fahrer bearbeiten</translation>
    </message>
    <message>
        <source>Edit Spare Drivers</source>
        <translation>Ersatzfahrer bearbeiten</translation>
    </message>
    <message>
        <source>Edit Range/Failure</source>
        <translation>Streuung/Ausfall bearbeiten</translation>
    </message>
</context>
<context>
    <name>rk7::FormDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Team %1: %2</source>
        <translation>Team %1: %2</translation>
    </message>
    <message>
        <source>Team %1, %2: %3</source>
        <translation>Team %1, %2: %3</translation>
    </message>
    <message>
        <source>Driver %1: %2</source>
        <translation>Fahrer %1: %2</translation>
    </message>
    <message>
        <source>Driver %1, %2: %3</source>
        <translation>Fahrer %1, %2: %3</translation>
    </message>
    <message>
        <source>Spare driver %1: %2</source>
        <translation>Ersatzfahrer %1: %2</translation>
    </message>
    <message>
        <source>Spare driver %1, %2: %3</source>
        <translation>Ersatzfahrer %1, %2: %3</translation>
    </message>
    <message>
        <source>Position %1: %2</source>
        <translation>Position %1: %2</translation>
    </message>
</context>
<context>
    <name>rk7::HelpWindow</name>
    <message>
        <source>RK7 Power Help</source>
        <translation>RK7 Power – Hilfe (englisch)</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
</context>
<context>
    <name>rk7::MainToolBar</name>
    <message>
        <source>More Buttons</source>
        <translation>Weitere Schaltflächen</translation>
    </message>
</context>
<context>
    <name>rk7::PrintController</name>
    <message>
        <source>Print Error</source>
        <translation>Druckfehler</translation>
    </message>
    <message>
        <source>&apos;%1&apos; not printed. %2.</source>
        <translation>„%1“ wurde nicht gedruckt. %2.</translation>
    </message>
    <message>
        <source>Error encountered during print</source>
        <translation>Beim Drucken ist ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Seitenansicht</translation>
    </message>
    <message>
        <source>Printing is not available: %1.</source>
        <translation>Drucken ist nicht möglich: %1.</translation>
    </message>
</context>
<context>
    <name>rk7::PrintPreviewWindow</name>
    <message>
        <source> (Preview)</source>
        <translation> (Seitenansicht)</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Vorige Seite</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>One page</source>
        <translation>Eine Seite</translation>
    </message>
    <message>
        <source>Show one page</source>
        <translation>Eine Seite anzeigen</translation>
    </message>
    <message>
        <source>Two pages</source>
        <translation>Zwei Seiten</translation>
    </message>
    <message>
        <source>Show two pages</source>
        <translation>Zwei Seiten anzeigen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print this page</source>
        <translation>Diese Seite drucken</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Close the preview</source>
        <translation>Seitenansicht schließen</translation>
    </message>
    <message>
        <source>Page %1 - %2</source>
        <translation>Seite %1 - %2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
</context>
<context>
    <name>rk7::PrintSetupDialog</name>
    <message>
        <source>Print Setup</source>
        <translation>Druckeinrichtung</translation>
    </message>
    <message>
        <source>&amp;Portrait</source>
        <translation>&amp;Hochformat</translation>
    </message>
    <message>
        <source>&amp;Landscape</source>
        <translation>&amp;Querformat</translation>
    </message>
    <message>
        <source>P&amp;rinter:</source>
        <translation>&amp;Drucker:</translation>
    </message>
    <message>
        <source>Pap&amp;er:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message>
        <source>Orientation:</source>
        <translation>Ausrichtung:</translation>
    </message>
    <message>
        <source>PDF file</source>
        <translation>PDF-Datei</translation>
    </message>
</context>
<context>
    <name>rk7::PrintSupport</name>
    <message>
        <source>%1: no such file</source>
        <translation>%1: Die Datei gibt es nicht</translation>
    </message>
    <message>
        <source>%1: not the printing module</source>
        <translation>%1: Das ist nicht das Druckmodul</translation>
    </message>
    <message>
        <source>%1: the printing module of another version of RK7 Power, not of %2</source>
        <translation>%1: Das Druckmodul einer anderen Version von RK7 Power, nicht von %2</translation>
    </message>
    <message>
        <source>%1: the printing module of RK7 Power %2, not of %3</source>
        <translation>%1: Das Druckmodul von RK7 Power %2, nicht von %3</translation>
    </message>
</context>
<context>
    <name>rk7::Prompts</name>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Discard</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Keep Mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>Keep &amp;Mine</source>
        <translation>&amp;Meine behalten</translation>
    </message>
    <message>
        <source>Keep &amp;Theirs</source>
        <translation>&amp;Deren behalten</translation>
    </message>
    <message>
        <source>Read as &amp;UTF-8</source>
        <translation>Als &amp;UTF-8 lesen</translation>
    </message>
    <message>
        <source>Read &amp;As It Is</source>
        <translation>So &amp;lesen, wie sie ist</translation>
    </message>
    <message>
        <source>&amp;Give Up</source>
        <translation>&amp;Aufgeben</translation>
    </message>
</context>
<context>
    <name>rk7::RosterFolders</name>
    <message>
        <source>Recent Roster Fol&amp;ders</source>
        <translation>Zu&amp;letzt geöffnete Kaderordner</translation>
    </message>
    <message>
        <source>Roster folder: %1</source>
        <translation>Kaderordner: %1</translation>
    </message>
    <message>
        <source>Opened the roster in %1</source>
        <translation>Der Kader in %1 wurde geöffnet</translation>
    </message>
    <message>
        <source>Open Roster Folder</source>
        <translation>Kaderordner öffnen</translation>
    </message>
    <message>
        <source>Save Roster As</source>
        <translation>Kader speichern unter</translation>
    </message>
    <message>
        <source>%1 is the roster folder already.</source>
        <translation>%1 ist bereits der Kaderordner.</translation>
    </message>
    <message>
        <source>%1 holds a roster already (%2). Replace it with this roster?</source>
        <translation>%1 enthält bereits einen Kader (%2). Durch diesen Kader ersetzen?</translation>
    </message>
    <message>
        <source>: the folder cannot be created</source>
        <translation>: Der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The roster was saved in %1, the roster folder from now on</source>
        <translation>Der Kader wurde in %1 gespeichert, dem Kaderordner von jetzt an</translation>
    </message>
    <message>
        <source>The roster folder %1 does not exist yet; it is made when the roster is first saved.</source>
        <translation>Den Kaderordner %1 gibt es noch nicht; er wird beim ersten Speichern des Kaders angelegt.</translation>
    </message>
    <message>
        <source>: no file manager could be started for it</source>
        <translation>: Es konnte keine Dateiverwaltung dafür gestartet werden</translation>
    </message>
    <message>
        <source>Open the roster in %1</source>
        <translation>Den Kader in %1 öffnen</translation>
    </message>
</context>
<context>
    <name>rk7::RosterView</name>
    <message>
        <source>Bar or point</source>
        <translation>Balken oder Punkt</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>View All</source>
        <translation>Alle Daten</translation>
    </message>
    <message>
        <source>No view shown</source>
        <translation>Keine Ansicht</translation>
    </message>
    <message>
        <source>View Teams</source>
        <translation>Teamdaten</translation>
    </message>
    <message>
        <source>View Drivers</source>
        <translation>Fahrerdaten</translation>
    </message>
    <message numerus="yes">
        <source>The team and driver powers and the four position tables: %n values, one a row, as their tips read</source>
        <translation>
            <numerusform>Die Team- und Fahrerleistungen und die vier Positionstabellen: %n Wert, einer je Zeile, wie ihre Tipps lauten</numerusform>
            <numerusform>Die Team- und Fahrerleistungen und die vier Positionstabellen: %n Werte, einer je Zeile, wie ihre Tipps lauten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>rk7::SetDriversDialog</name>
    <message>
        <source>Car#</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Driver Names</source>
        <translation>Fahrernamen</translation>
    </message>
    <message>
        <source>QPos</source>
        <translation>QPos</translation>
    </message>
    <message>
        <source>RPos</source>
        <translation>RPos</translation>
    </message>
    <message>
        <source>RPower</source>
        <translation>RLst</translation>
    </message>
    <message>
        <source>QPower</source>
        <translation>QLst</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Streuung</translation>
    </message>
    <message>
        <source>Drivers</source>
        <translation>Fahrer</translation>
    </message>
    <message>
        <source>Enter Spare Drivers</source>
        <translation>Ersatzfahrer eingeben</translation>
    </message>
</context>
<context>
    <name>rk7::SetEditpowerDialog</name>
    <message>
        <source>Edit Powers</source>
        <translation>Leistungen bearbeiten</translation>
    </message>
    <message>
        <source>Range/Failure</source>
        <translation>Streuung/Ausfall</translation>
    </message>
    <message>
        <source>Start Qual</source>
        <translation>Qualistart</translation>
    </message>
    <message>
        <source>Start Race</source>
        <translation>Rennstart</translation>
    </message>
    <message>
        <source>Driver Powers</source>
        <translation>Fahrerleistung</translation>
    </message>
    <message>
        <source>D Pos </source>
        <translation>F Pos </translation>
    </message>
    <message>
        <source>Team Powers</source>
        <translation>Teamleistung</translation>
    </message>
    <message>
        <source>T Pos </source>
        <translation>T Pos </translation>
    </message>
</context>
<context>
    <name>rk7::SetRanFailDialog</name>
    <message>
        <source>Edit Range/Failure</source>
        <translation>Streuung/Ausfall bearbeiten</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Streuung</translation>
    </message>
    <message>
        <source>R Pos </source>
        <translation>S Pos </translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Ausfall</translation>
    </message>
    <message>
        <source>F Pos </source>
        <translation>A Pos </translation>
    </message>
</context>
<context>
    <name>rk7::SetTeamsDialog</name>
    <message>
        <source>Team Names</source>
        <translation>Teamnamen</translation>
    </message>
    <message>
        <source>Engines</source>
        <translation>Motoren</translation>
    </message>
    <message>
        <source>Qual Pos</source>
        <translation>Q Pos</translation>
    </message>
    <message>
        <source>Race Pos</source>
        <translation>R Pos</translation>
    </message>
    <message>
        <source>R Pwr</source>
        <translation>R Lst</translation>
    </message>
    <message>
        <source>Q Pwr</source>
        <translation>Q Lst</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Ausfall</translation>
    </message>
    <message>
        <source>Teams</source>
        <translation>Teams</translation>
    </message>
</context>
<context>
    <name>rk7::SpareDialog</name>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>race power</source>
        <translation>Rennleistung</translation>
    </message>
    <message>
        <source>qualifying power</source>
        <translation>Qualifying-Leistung</translation>
    </message>
    <message>
        <source>range</source>
        <translation>Streuung</translation>
    </message>
    <message>
        <source>Enter Spare Drivers</source>
        <translation>Ersatzfahrer eingeben</translation>
    </message>
    <message>
        <source>Spare %1: %2</source>
        <translation>Ersatz %1: %2</translation>
    </message>
    <message>
        <source>Spare %1</source>
        <translation>Ersatz %1</translation>
    </message>
</context>
<context>
    <name>rk7::StartupProblems</name>
    <message>
        <source>The roster folder %1 does not exist, so the built-in roster is shown. You will be asked to create the folder when you first save.</source>
        <translation>Den Kaderordner %1 gibt es nicht, daher wird der eingebaute Kader angezeigt. Beim ersten Speichern werden Sie gefragt, ob der Ordner angelegt werden soll.</translation>
    </message>
    <message>
        <source>
The built-in values are used instead.</source>
        <translation>
Stattdessen werden die eingebauten Werte verwendet.</translation>
    </message>
    <message>
        <source>These store files are damaged or are not store files; they were read as far as they go. Saving writes them whole again from what is shown.</source>
        <translation>Diese Speicherdateien sind beschädigt oder keine Speicherdateien; sie wurden so weit wie möglich gelesen. Beim Speichern werden sie aus dem Angezeigten vollständig neu geschrieben.</translation>
    </message>
    <message>
        <source>Neither HOME nor XDG_CONFIG_HOME is set, so the edit mode is kept only until the program ends.</source>
        <translation>Weder HOME noch XDG_CONFIG_HOME ist gesetzt, daher gilt der Bearbeitungsmodus nur bis zum Programmende.</translation>
    </message>
</context>
<context>
    <name>rk7::StoreSaver</name>
    <message>
        <source>%1 %2: theirs &quot;%3&quot;, yours &quot;%4&quot;</source>
        <translation>%1 %2: deren „%3“, Ihre „%4“</translation>
    </message>
    <message>
        <source>The roster folder %1 does not exist. Create it and save the roster there?</source>
        <translation>Den Kaderordner %1 gibt es nicht. Anlegen und den Kader dort speichern?</translation>
    </message>
    <message>
        <source>: the folder cannot be created</source>
        <translation>: Der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Another program is saving into the roster folder %1. Waiting for it to finish…</source>
        <translation>Ein anderes Programm speichert in den Kaderordner %1. Warten, bis es fertig ist …</translation>
    </message>
    <message>
        <source>Another program changed %1, and the roster has changes that no store file holds.

Reload the store files and lose your changes, or keep yours? Saving yours replaces the other program&apos;s.</source>
        <translation>Ein anderes Programm hat %1 geändert, und der Kader enthält Änderungen, die in keiner Speicherdatei stehen.

Die Speicherdateien neu laden und Ihre Änderungen verlieren oder Ihre behalten? Wenn Sie Ihre speichern, werden die des anderen Programms ersetzt.</translation>
    </message>
    <message>
        <source>%1 changed on disk; the roster was read again.</source>
        <translation>%1 wurde auf der Festplatte geändert; der Kader wurde neu gelesen.</translation>
    </message>
    <message>
        <source>While the form was open, another program changed %1 %2 that you changed too. Keep your texts or theirs? Cancel goes back to the form.</source>
        <translation>Während das Formular offen war, hat ein anderes Programm %1 %2 geändert, die Sie auch geändert haben. Ihre Texte behalten oder die des anderen? „Abbrechen“ kehrt zum Formular zurück.</translation>
    </message>
    <message>
        <source>cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>cells</source>
        <translation>Zellen</translation>
    </message>
    <message>
        <source>Save changes to the store files?</source>
        <translation>Änderungen in den Speicherdateien sichern?</translation>
    </message>
</context>
<context>
    <name>rk7::ViewCommands</name>
    <message>
        <source>The chart was copied</source>
        <translation>Das Diagramm wurde kopiert</translation>
    </message>
    <message>
        <source>No table is shown, so none was copied</source>
        <translation>Es wird keine Tabelle angezeigt, daher wurde keine kopiert</translation>
    </message>
    <message>
        <source>The table was copied</source>
        <translation>Die Tabelle wurde kopiert</translation>
    </message>
</context>
<context>
    <name>rk7::ViewText</name>
    <message>
        <source>Team Names</source>
        <translation>Teamnamen</translation>
    </message>
    <message>
        <source>Engine</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>T Q Power</source>
        <translation>T Q Lstg</translation>
    </message>
    <message>
        <source>T R Power</source>
        <translation>T R Lstg</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Ausfall</translation>
    </message>
    <message>
        <source>Driver Names</source>
        <translation>Fahrernamen</translation>
    </message>
    <message>
        <source>D Q Power</source>
        <translation>F Q Lstg</translation>
    </message>
    <message>
        <source>D R Power</source>
        <translation>F R Lstg</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Streuung</translation>
    </message>
    <message>
        <source>Driver power by position</source>
        <translation>Fahrerleistung nach Position</translation>
    </message>
    <message>
        <source>Team power by position</source>
        <translation>Teamleistung nach Position</translation>
    </message>
    <message>
        <source>Range by position</source>
        <translation>Streuung nach Position</translation>
    </message>
    <message>
        <source>Failure by position</source>
        <translation>Ausfall nach Position</translation>
    </message>
</context>
<context>
    <name>rk7::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New</source>
        <translation>Neuigkeiten</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
