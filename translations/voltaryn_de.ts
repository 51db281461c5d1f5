<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CoreFaults</name>
    <message>
        <source>the batch name</source>
        <translation>der Chargenname</translation>
    </message>
    <message>
        <source>the cell ID</source>
        <translation>die Zellen-ID</translation>
    </message>
    <message>
        <source>the grade name</source>
        <translation>der Klassenname</translation>
    </message>
    <message>
        <source>the station</source>
        <translation>die Station</translation>
    </message>
    <message>
        <source>the operator</source>
        <translation>der Bediener</translation>
    </message>
    <message>
        <source>grade %1 (&quot;%2&quot;)</source>
        <translation>Klasse %1 (&quot;%2&quot;)</translation>
    </message>
    <message>
        <source>no cell can get it: a minimum is above its maximum</source>
        <translation>keine Zelle kann sie erhalten: ein Minimum liegt über seinem Maximum</translation>
    </message>
    <message>
        <source>never matches: %1 covers it wholly</source>
        <translation>trifft nie zu: %1 deckt sie ganz ab</translation>
    </message>
    <message>
        <source>overlaps %1, which takes the cells both admit</source>
        <translation>überschneidet sich mit %1, die die Zellen erhält, die beide zulassen</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text</source>
        <translation>%1 ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>%1 is empty</source>
        <translation>%1 ist leer</translation>
    </message>
    <message>
        <source>%1 is %2 characters long; at most %3 are allowed</source>
        <translation>%1 ist %2 Zeichen lang; höchstens %3 sind erlaubt</translation>
    </message>
    <message>
        <source>%1 holds the control character U+%2</source>
        <translation>%1 enthält das Steuerzeichen U+%2</translation>
    </message>
    <message>
        <source>%1 names cell 0: cell numbers start at 1</source>
        <translation>%1 nennt Zelle 0: Zellnummern beginnen bei 1</translation>
    </message>
    <message>
        <source>S and P must be positive, not %1S%2P</source>
        <translation>S und P müssen positiv sein, nicht %1S%2P</translation>
    </message>
    <message>
        <source>the voltage spread inside a group must be 0 V or more</source>
        <translation>die Spannungsspanne in einer Gruppe muss 0 V oder mehr sein</translation>
    </message>
    <message>
        <source>cell ID &quot;%1&quot; appears more than once</source>
        <translation>die Zellen-ID &quot;%1&quot; kommt mehr als einmal vor</translation>
    </message>
    <message>
        <source>cell &quot;%1&quot; needs a capacity above 0 mAh and a resistance above 0 mΩ</source>
        <translation>Zelle &quot;%1&quot; braucht eine Kapazität über 0 mAh und einen Widerstand über 0 mΩ</translation>
    </message>
    <message>
        <source>needs %1 cells, %2 are eligible: %3 missing</source>
        <translation>braucht %1 Zellen, %2 sind geeignet: %3 fehlen</translation>
    </message>
    <message>
        <source>needs %1 groups of %2 cells within %3 V, the eligible cells make %4</source>
        <translation>braucht %1 Gruppen zu %2 Zellen innerhalb von %3 V, die geeigneten Zellen ergeben %4</translation>
    </message>
    <message>
        <source>the pack holds cells that are not in the list</source>
        <translation>das Pack enthält Zellen, die nicht in der Liste stehen</translation>
    </message>
    <message>
        <source>cell &quot;%1&quot; is not in the pack</source>
        <translation>Zelle &quot;%1&quot; ist nicht im Pack</translation>
    </message>
    <message>
        <source>the pack&apos;s spares hold cells that are not in the list</source>
        <translation>die Reservezellen des Packs enthalten Zellen, die nicht in der Liste stehen</translation>
    </message>
    <message>
        <source>no spare cell is left</source>
        <translation>keine Reservezelle ist übrig</translation>
    </message>
    <message>
        <source>no spare cell keeps the failed cell&apos;s group within the voltage spread</source>
        <translation>keine Reservezelle hält die Gruppe der ausgefallenen Zelle in der Spannungsspanne</translation>
    </message>
    <message>
        <source>the snake deal puts cells more than %1 V apart into one group</source>
        <translation>die Schlangenverteilung legt Zellen mit mehr als %1 V Abstand in eine Gruppe</translation>
    </message>
    <message>
        <source>the site name</source>
        <translation>der Standortname</translation>
    </message>
    <message>
        <source>the string name</source>
        <translation>der Strangname</translation>
    </message>
    <message>
        <source>a string has 1 to %1 blocks</source>
        <translation>ein Strang hat 1 bis %1 Blöcke</translation>
    </message>
    <message>
        <source>a block&apos;s nominal voltage is 2, 6 or 12 V</source>
        <translation>die Nennspannung eines Blocks ist 2, 6 oder 12 V</translation>
    </message>
    <message>
        <source>a block has 1 to 12 cells</source>
        <translation>ein Block hat 1 bis 12 Zellen</translation>
    </message>
    <message>
        <source>the block&apos;s cells do not make its nominal voltage (cells of 2 V lead-acid, 1.2 V NiCd, 3.2 V LiFePO4)</source>
        <translation>die Zellen des Blocks ergeben nicht seine Nennspannung (Zellen zu 2 V Blei, 1,2 V NiCd, 3,2 V LiFePO4)</translation>
    </message>
</context>
<context>
    <name>WalkReadingsTable</name>
    <message>
        <source>Place</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Urteil</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
</context>
<context>
    <name>WalkTexts</name>
    <message>
        <source>Strap %1 → %2</source>
        <translation>Verbinder %1 → %2</translation>
    </message>
    <message>
        <source>Block %1</source>
        <translation>Block %1</translation>
    </message>
    <message>
        <source>Block %1 of %2</source>
        <translation>Block %1 von %2</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Gut</translation>
    </message>
    <message>
        <source>Warn</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>%1 µΩ</source>
        <translation>%1 µΩ</translation>
    </message>
    <message>
        <source>%1 mΩ</source>
        <translation>%1 mΩ</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1%2 %</source>
        <translation>%1%2 %</translation>
    </message>
    <message>
        <source>Place the probes</source>
        <translation>Messspitzen ansetzen</translation>
    </message>
    <message>
        <source>Settling %1/%2</source>
        <translation>Einschwingen %1/%2</translation>
    </message>
    <message>
        <source>Captured</source>
        <translation>Erfasst</translation>
    </message>
    <message>
        <source>Lift the probes</source>
        <translation>Messspitzen abheben</translation>
    </message>
    <message>
        <source>Lifted too early — place the probes again</source>
        <translation>Zu früh abgehoben — Messspitzen erneut ansetzen</translation>
    </message>
    <message>
        <source>Unstable contact</source>
        <translation>Unsicherer Kontakt</translation>
    </message>
    <message>
        <source>A strap&apos;s reading where %1 is expected — nothing stored</source>
        <translation>Verbinderwert, wo %1 erwartet wird — nichts gespeichert</translation>
    </message>
    <message>
        <source>A block&apos;s reading where %1 is retested — nothing stored</source>
        <translation>Blockwert, wo %1 nachgemessen wird — nichts gespeichert</translation>
    </message>
    <message>
        <source>Too high a voltage for a block of this string — nothing stored</source>
        <translation>Zu hohe Spannung für einen Block dieses Strangs — nichts gespeichert</translation>
    </message>
    <message>
        <source>No voltage shown — place the probes again</source>
        <translation>Keine Spannung angezeigt — Messspitzen erneut ansetzen</translation>
    </message>
    <message>
        <source>The probes are the wrong way round — nothing stored</source>
        <translation>Messspitzen vertauscht — nichts gespeichert</translation>
    </message>
    <message>
        <source>The walk is over: retest a place or go to a block</source>
        <translation>Der Rundgang ist beendet: eine Stelle nachmessen oder zu einem Block gehen</translation>
    </message>
</context>
<context>
    <name>voltaryn::AboutText</name>
    <message>
        <source>&lt;h3&gt;Voltaryn %1&lt;/h3&gt;&lt;p&gt;The desktop companion of a handheld battery analyser meter: the live display and keys, recording, the meter&apos;s memory and SD card, graphs, settings and cell sorting.&lt;/p&gt;&lt;p&gt;Licence: proprietary; all rights reserved.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Voltaryn %1&lt;/h3&gt;&lt;p&gt;Das Begleitprogramm eines Batterie-Analysators für die Hand: Anzeige und Tasten live, Aufzeichnung, Speicher und SD-Karte des Messgeräts, Diagramme, Einstellungen und Zellsortierung.&lt;/p&gt;&lt;p&gt;Lizenz: proprietär; alle Rechte vorbehalten.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>voltaryn::BatchStatisticsPanel</name>
    <message>
        <source>Batch statistics</source>
        <translation>Statistik der Charge</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Std dev</source>
        <translation>Std.-Abw.</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>P5</source>
        <translation>P5</translation>
    </message>
    <message>
        <source>P95</source>
        <translation>P95</translation>
    </message>
    <message>
        <source>Cpk</source>
        <translation>Cpk</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>Spannung (V)</translation>
    </message>
    <message>
        <source>Resistance (mΩ)</source>
        <translation>Widerstand (mΩ)</translation>
    </message>
    <message>
        <source>Capacity (mAh)</source>
        <translation>Kapazität (mAh)</translation>
    </message>
    <message>
        <source>too few cells</source>
        <translation>zu wenige Zellen</translation>
    </message>
    <message>
        <source>Self-discharge (mV/day)</source>
        <translation>Selbstentladung (mV/Tag)</translation>
    </message>
</context>
<context>
    <name>voltaryn::CapacityImportDialog</name>
    <message>
        <source>Import capacities — %1</source>
        <translation>Kapazitäten importieren — %1</translation>
    </message>
    <message>
        <source>%1 %2 of batch %3 get a capacity; %4 %5.</source>
        <translation>%1 %2 der Charge %3 erhalten eine Kapazität; %4 %5.</translation>
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
        <source>line is bad</source>
        <translation>Zeile ist fehlerhaft</translation>
    </message>
    <message>
        <source>lines are bad</source>
        <translation>Zeilen sind fehlerhaft</translation>
    </message>
    <message>
        <source>Import %1 %2</source>
        <translation>%1 %2 importieren</translation>
    </message>
    <message>
        <source>capacity</source>
        <translation>Kapazität</translation>
    </message>
    <message>
        <source>capacities</source>
        <translation>Kapazitäten</translation>
    </message>
</context>
<context>
    <name>voltaryn::CaptureSounds</name>
    <message>
        <source>No audio output: the captures are silent.</source>
        <translation>Keine Audioausgabe: die Erfassungen bleiben stumm.</translation>
    </message>
</context>
<context>
    <name>voltaryn::CaptureSpeech</name>
    <message>
        <source>No speech engine: the grades are not spoken.</source>
        <translation>Keine Sprachausgabe: die Klassen werden nicht angesagt.</translation>
    </message>
</context>
<context>
    <name>voltaryn::CaptureTile</name>
    <message>
        <source>Rechecking %1 …</source>
        <translation>%1 wird nachgemessen …</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Suspect</source>
        <translation>Verdächtig</translation>
    </message>
    <message>
        <source>Early</source>
        <translation>Zu früh</translation>
    </message>
    <message>
        <source>No reference</source>
        <translation>Keine Referenz</translation>
    </message>
    <message>
        <source>%1 mV/day</source>
        <translation>%1 mV/Tag</translation>
    </message>
    <message>
        <source>%1: %2 mV in %3 days</source>
        <translation>%1: %2 mV in %3 Tagen</translation>
    </message>
    <message>
        <source>Rechecked %1</source>
        <translation>%1 nachgemessen</translation>
    </message>
</context>
<context>
    <name>voltaryn::CellSortingController</name>
    <message>
        <source>Batch %1</source>
        <translation>Charge %1</translation>
    </message>
    <message>
        <source>Unstable contact</source>
        <translation>Unsicherer Kontakt</translation>
    </message>
    <message>
        <source>Place a cell</source>
        <translation>Zelle auflegen</translation>
    </message>
    <message>
        <source>Settling %1/%2</source>
        <translation>Einschwingen %1/%2</translation>
    </message>
    <message>
        <source>Captured</source>
        <translation>Erfasst</translation>
    </message>
    <message>
        <source>Lift the cell</source>
        <translation>Zelle abnehmen</translation>
    </message>
    <message>
        <source>Cell Sorting — %1</source>
        <translation>Zellsortierung — %1</translation>
    </message>
    <message>
        <source>New batch</source>
        <translation>Neue Charge</translation>
    </message>
    <message>
        <source>Name of the new batch:</source>
        <translation>Name der neuen Charge:</translation>
    </message>
    <message>
        <source>Delete batch %1 with its %2 %3, their measurements and packs?</source>
        <translation>Charge %1 mit ihren %2 %3, deren Messungen und Packs löschen?</translation>
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
        <source>unstable</source>
        <translation>unsicher</translation>
    </message>
    <message>
        <source>Unstable contact — lift the cell</source>
        <translation>Unsicherer Kontakt — Zelle abnehmen</translation>
    </message>
    <message>
        <source>Captured → %1</source>
        <translation>Erfasst → %1</translation>
    </message>
    <message>
        <source>Queued → %1</source>
        <translation>Vorgemerkt → %1</translation>
    </message>
    <message>
        <source>Captured %1 → %2</source>
        <translation>Erfasst %1 → %2</translation>
    </message>
    <message>
        <source>reject</source>
        <translation>Ausschuss</translation>
    </message>
    <message>
        <source>Withdrew %1</source>
        <translation>%1 zurückgenommen</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Nichts rückgängig zu machen</translation>
    </message>
    <message>
        <source>JSON lines (*.jsonl *.json)</source>
        <translation>JSON-Zeilen (*.jsonl *.json)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>CSV (*.csv *.txt);;All Files (*.*)</source>
        <translation>CSV (*.csv *.txt);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 %2 got a capacity</source>
        <translation>%1 %2 haben eine Kapazität erhalten</translation>
    </message>
    <message>
        <source>Select a cell, or capture one, to give it the meter&apos;s capacity.</source>
        <translation>Wählen oder erfassen Sie eine Zelle, um ihr die Kapazität des Messgeräts zu geben.</translation>
    </message>
    <message>
        <source>The meter shows no out-capacity.</source>
        <translation>Das Messgerät zeigt keine entnommene Kapazität.</translation>
    </message>
    <message>
        <source>%1 takes %2 mAh</source>
        <translation>%1 erhält %2 mAh</translation>
    </message>
    <message>
        <source>Lifted too early — place it again</source>
        <translation>Zu früh abgenommen — bitte erneut auflegen</translation>
    </message>
    <message>
        <source>lifted too early</source>
        <translation>zu früh abgenommen</translation>
    </message>
    <message>
        <source>Every cell of the batch has a recheck: scan the ID of the cell to recheck</source>
        <translation>Jede Zelle der Charge ist nachgemessen: die ID der nachzumessenden Zelle scannen</translation>
    </message>
    <message>
        <source>The tray is done, nothing stored: scan the cell&apos;s ID</source>
        <translation>Das Tablett ist fertig, nichts gespeichert: die ID der Zelle scannen</translation>
    </message>
    <message>
        <source>%1, nothing stored</source>
        <translation>%1, nichts gespeichert</translation>
    </message>
    <message>
        <source>The recheck of %1 is queued</source>
        <translation>Die Nachmessung von %1 wartet in der Warteschlange</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Replace the capacity of %1, %2 mAh, by the meter&apos;s %3 mAh?</source>
        <translation>Die Kapazität von %1, %2 mAh, durch die %3 mAh des Messgeräts ersetzen?</translation>
    </message>
    <message>
        <source>It is in saved pack %1.</source>
        <translation>Sie gehört zum gespeicherten Pack %1.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Select the cell to retest in the table first.</source>
        <translation>Wählen Sie zuerst die Zelle, die erneut gemessen werden soll, in der Tabelle aus.</translation>
    </message>
    <message>
        <source>Cell Sorting</source>
        <translation>Zellsortierung</translation>
    </message>
    <message>
        <source>Withdrew the recheck of %1</source>
        <translation>Nachmessung von %1 zurückgenommen</translation>
    </message>
    <message>
        <source>Regrade the cell of %1 graded by the previous grade table?</source>
        <translation>Die Zelle von %1, die nach der vorigen Klassentabelle eingestuft ist, neu einstufen?</translation>
    </message>
    <message>
        <source>Regrade the %1 cells of %2 graded by the previous grade table?</source>
        <translation>Die %1 Zellen von %2, die nach der vorigen Klassentabelle eingestuft sind, neu einstufen?</translation>
    </message>
    <message>
        <source>Regrade</source>
        <translation>Neu einstufen</translation>
    </message>
    <message>
        <source>%1 → %2: %3</source>
        <translation>%1 → %2: %3</translation>
    </message>
    <message>
        <source>Regraded: no cell changed grade</source>
        <translation>Neu eingestuft: keine Zelle hat die Klasse gewechselt</translation>
    </message>
    <message>
        <source>Regraded: %1 %2 changed grade (%3)</source>
        <translation>Neu eingestuft: %1 %2 mit neuer Klasse (%3)</translation>
    </message>
    <message>
        <source>%1 of them in saved packs.</source>
        <translation>%1 davon in gespeicherten Packs.</translation>
    </message>
    <message>
        <source>CSV for spreadsheets (*.csv)</source>
        <translation>CSV für Tabellenkalkulationen (*.csv)</translation>
    </message>
    <message>
        <source>Select the cell in the table first.</source>
        <translation>Wählen Sie zuerst die Zelle in der Tabelle.</translation>
    </message>
    <message>
        <source>%1 is judged from its capture of %2</source>
        <translation>%1 wird nach ihrer Messung vom %2 beurteilt</translation>
    </message>
</context>
<context>
    <name>voltaryn::CellSortingWindow</name>
    <message>
        <source>Cell Sorting</source>
        <translation>Zellsortierung</translation>
    </message>
    <message>
        <source>Batch:</source>
        <translation>Charge:</translation>
    </message>
    <message>
        <source>New batch…</source>
        <translation>Neue Charge…</translation>
    </message>
    <message>
        <source>Delete batch…</source>
        <translation>Charge löschen…</translation>
    </message>
    <message>
        <source>Cell ID:</source>
        <translation>Zellen-ID:</translation>
    </message>
    <message>
        <source>scan or type the label, then Enter</source>
        <translation>Etikett scannen oder eintippen, dann Enter</translation>
    </message>
    <message>
        <source>Undo last capture</source>
        <translation>Letzte Erfassung rückgängig</translation>
    </message>
    <message>
        <source>Retest selected cell</source>
        <translation>Gewählte Zelle neu messen</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Als CSV exportieren…</translation>
    </message>
    <message>
        <source>Export JSON…</source>
        <translation>Als JSON exportieren…</translation>
    </message>
    <message>
        <source>Import capacities…</source>
        <translation>Kapazitäten importieren…</translation>
    </message>
    <message>
        <source>Capacities a charger measured, from its CSV, into the batch&apos;s cells (Ctrl+I)</source>
        <translation>Von einem Ladegerät gemessene Kapazitäten aus dessen CSV in die Zellen der Charge übernehmen (Strg+I)</translation>
    </message>
    <message>
        <source>Build pack…</source>
        <translation>Pack bauen…</translation>
    </message>
    <message>
        <source>Report…</source>
        <translation>Bericht…</translation>
    </message>
    <message>
        <source>&amp;Grades…</source>
        <translation>&amp;Klassen…</translation>
    </message>
    <message>
        <source>Take &amp;capacity from the meter</source>
        <translation>&amp;Kapazität vom Messgerät übernehmen</translation>
    </message>
    <message>
        <source>The meter&apos;s out-capacity becomes the capacity of the selected cell, or of the last one captured</source>
        <translation>Die entnommene Kapazität des Messgeräts wird zur Kapazität der gewählten oder der zuletzt erfassten Zelle</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Speak grade</source>
        <translation>Klasse ansagen</translation>
    </message>
    <message>
        <source>Show grade:</source>
        <translation>Klasse zeigen:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Next: %1</source>
        <translation>Nächste: %1</translation>
    </message>
    <message>
        <source>%1 cells &amp;nbsp; </source>
        <translation>%1 Zellen &amp;nbsp; </translation>
    </message>
    <message>
        <source>Recheck</source>
        <translation>Nachmessen</translation>
    </message>
    <message>
        <source>Each capture becomes the recheck of a cell of the batch: the one scanned, else the next in the tray</source>
        <translation>Jede Messung wird die Nachmessung einer Zelle der Charge: der gescannten, sonst der nächsten im Tablett</translation>
    </message>
    <message>
        <source>Queue…</source>
        <translation>Warteschlange…</translation>
    </message>
    <message>
        <source>The captures that wait on this station for the server, or that it refused</source>
        <translation>Die Messungen, die auf dieser Station auf den Server warten oder die er abgewiesen hat</translation>
    </message>
    <message>
        <source>CSV for spreadsheets…</source>
        <translation>CSV für Tabellenkalkulation…</translation>
    </message>
    <message>
        <source>The table&apos;s columns with this language&apos;s decimal sign, as a spreadsheet of it reads them</source>
        <translation>Die Spalten der Tabelle mit dem Dezimalzeichen dieser Sprache, wie eine Tabellenkalkulation in ihr sie liest</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>Self-discharge</source>
        <translation>Selbstentladung</translation>
    </message>
    <message>
        <source>Reference reading</source>
        <translation>Bezugsmessung</translation>
    </message>
    <message>
        <source>The capture of the selected cell its self-discharge is judged from</source>
        <translation>Die Messung der gewählten Zelle, nach der ihre Selbstentladung beurteilt wird</translation>
    </message>
    <message>
        <source>Its latest capture, taken after charge</source>
        <translation>Ihre letzte Messung, nach dem Laden</translation>
    </message>
    <message>
        <source>Its first capture</source>
        <translation>Ihre erste Messung</translation>
    </message>
</context>
<context>
    <name>voltaryn::CellTableModel</name>
    <message>
        <source>Cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>Spannung (V)</translation>
    </message>
    <message>
        <source>Resistance (mΩ)</source>
        <translation>Widerstand (mΩ)</translation>
    </message>
    <message>
        <source>Capacity (mAh)</source>
        <translation>Kapazität (mAh)</translation>
    </message>
    <message>
        <source>Grade</source>
        <translation>Klasse</translation>
    </message>
    <message>
        <source>Temperature (°C)</source>
        <translation>Temperatur (°C)</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
</context>
<context>
    <name>voltaryn::ComparatorWindow</name>
    <message>
        <source>Comparator entries</source>
        <translation>Einträge des Komparators</translation>
    </message>
</context>
<context>
    <name>voltaryn::FrontPanelView</name>
    <message>
        <source>Meter display</source>
        <translation>Anzeige des Messgeräts</translation>
    </message>
    <message>
        <source>Left key</source>
        <translation>Taste links</translation>
    </message>
    <message>
        <source>Down key</source>
        <translation>Taste ab</translation>
    </message>
    <message>
        <source>Up key</source>
        <translation>Taste auf</translation>
    </message>
    <message>
        <source>Right key</source>
        <translation>Taste rechts</translation>
    </message>
    <message>
        <source>Beeper key</source>
        <translation>Summertaste</translation>
    </message>
    <message>
        <source>Celsius or Fahrenheit key</source>
        <translation>Taste Celsius oder Fahrenheit</translation>
    </message>
    <message>
        <source>Read key</source>
        <translation>Lesetaste</translation>
    </message>
    <message>
        <source>Presses this key on the meter</source>
        <translation>Drückt diese Taste am Messgerät</translation>
    </message>
    <message>
        <source>The range switch: turn it on the meter itself; the picture follows it.</source>
        <translation>Der Bereichsschalter: am Messgerät selbst drehen; das Bild folgt ihm.</translation>
    </message>
</context>
<context>
    <name>voltaryn::GradeEditorDialog</name>
    <message>
        <source>Grades</source>
        <translation>Klassen</translation>
    </message>
    <message>
        <source>Grades, in the order they are tried</source>
        <translation>Klassen, in der Reihenfolge ihrer Prüfung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Min voltage (V)</source>
        <translation>Min. Spannung (V)</translation>
    </message>
    <message>
        <source>Max voltage (V)</source>
        <translation>Max. Spannung (V)</translation>
    </message>
    <message>
        <source>Min resistance (mΩ)</source>
        <translation>Min. Widerstand (mΩ)</translation>
    </message>
    <message>
        <source>Max resistance (mΩ)</source>
        <translation>Max. Widerstand (mΩ)</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>Reject grade name</source>
        <translation>Name der Ausschussklasse</translation>
    </message>
    <message>
        <source>Reject grade colour</source>
        <translation>Farbe der Ausschussklasse</translation>
    </message>
    <message>
        <source>Cells no grade admits: &amp;name</source>
        <translation>Zellen, die keine Klasse aufnimmt: &amp;Name</translation>
    </message>
    <message>
        <source>c&amp;olour</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>&amp;Add grade</source>
        <translation>Klasse &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove grade</source>
        <translation>Klasse &amp;entfernen</translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Grade %1</source>
        <translation>Klasse %1</translation>
    </message>
    <message>
        <source>the name &quot;%1&quot; is taken</source>
        <translation>der Name „%1“ ist vergeben</translation>
    </message>
    <message>
        <source>the colour is not #rrggbb</source>
        <translation>die Farbe ist nicht #rrggbb</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
    <message>
        <source>Grade %1: %2</source>
        <translation>Klasse %1: %2</translation>
    </message>
    <message>
        <source>The reject grade&apos;s colour is not #rrggbb</source>
        <translation>Die Farbe der Ausschussklasse ist nicht #rrggbb</translation>
    </message>
    <message>
        <source>Cells take the first grade that admits them.</source>
        <translation>Jede Zelle erhält die erste Klasse, die sie aufnimmt.</translation>
    </message>
    <message>
        <source>The reject grade: %1</source>
        <translation>Die Ausschussklasse: %1</translation>
    </message>
    <message>
        <source>The table needs a grade besides the reject grade: every cell would be rejected</source>
        <translation>Die Tabelle braucht eine Klasse außer der Ausschussklasse: sonst würde jede Zelle ausgesondert</translation>
    </message>
</context>
<context>
    <name>voltaryn::GraphsController</name>
    <message>
        <source>No channel is checked, so there is nothing to draw.
Check at least one channel, then press OK.</source>
        <translation>Kein Kanal ist angekreuzt, es gibt also nichts zu zeichnen.
Kreuzen Sie mindestens einen Kanal an und drücken Sie dann OK.</translation>
    </message>
</context>
<context>
    <name>voltaryn::KeyCap</name>
    <message>
        <source>%1 key</source>
        <translation>Taste %1</translation>
    </message>
</context>
<context>
    <name>voltaryn::LimitEditor</name>
    <message>
        <source>high resistance limit</source>
        <translation>oberen Widerstandsgrenze</translation>
    </message>
    <message>
        <source>low resistance limit</source>
        <translation>unteren Widerstandsgrenze</translation>
    </message>
    <message>
        <source>high voltage limit</source>
        <translation>oberen Spannungsgrenze</translation>
    </message>
    <message>
        <source>low voltage limit</source>
        <translation>unteren Spannungsgrenze</translation>
    </message>
    <message>
        <source>Unit of the %1</source>
        <translation>Einheit der %1</translation>
    </message>
    <message>
        <source>Digit %1 of 4 of the %2</source>
        <translation>Ziffer %1 von 4 der %2</translation>
    </message>
    <message>
        <source>Decimal point after digit %1 of the %2</source>
        <translation>Dezimalpunkt nach Ziffer %1 der %2</translation>
    </message>
</context>
<context>
    <name>voltaryn::LiveGraphWindow</name>
    <message>
        <source>Classic colours</source>
        <translation>Klassische Farben</translation>
    </message>
    <message>
        <source>Readable colours</source>
        <translation>Gut lesbare Farben</translation>
    </message>
    <message>
        <source>Graph colours</source>
        <translation>Farben des Diagramms</translation>
    </message>
    <message>
        <source>Classic: the teal background of old. Readable: the desktop&apos;s background, with lines anyone can tell apart.</source>
        <translation>Klassisch: der gewohnte blaugrüne Hintergrund. Gut lesbar: der Hintergrund des Desktops, mit Linien, die jeder unterscheiden kann.</translation>
    </message>
    <message>
        <source>Print  (%1)</source>
        <translation>Drucken  (%1)</translation>
    </message>
</context>
<context>
    <name>voltaryn::MemoryController</name>
    <message>
        <source>Reading the meter&apos;s manual records</source>
        <translation>Manuelle Messwerte des Messgeräts werden gelesen</translation>
    </message>
</context>
<context>
    <name>voltaryn::MemoryWindow</name>
    <message>
        <source>Unused records table</source>
        <translation>Tabelle der unbenutzten Datensätze</translation>
    </message>
    <message>
        <source>Not available: the meter compares its readings itself. Its limits are in Tools &gt; Comparator Limits.</source>
        <translation>Nicht verfügbar: das Messgerät vergleicht seine Messwerte selbst. Seine Grenzwerte stehen unter Werkzeuge &gt; Komparator-Grenzwerte.</translation>
    </message>
    <message>
        <source>Not available here: the manual records are read by Memory &gt; Read Manual Records once this window is closed.</source>
        <translation>Hier nicht verfügbar: die manuellen Messwerte liest Speicher &gt; Manuelle Messwerte lesen, sobald dieses Fenster geschlossen ist.</translation>
    </message>
</context>
<context>
    <name>voltaryn::MeterBody</name>
    <message>
        <source>Meter</source>
        <translation>Messgerät</translation>
    </message>
</context>
<context>
    <name>voltaryn::NumberField</name>
    <message>
        <source>Enter a number from %1 to %2</source>
        <translation>Geben Sie eine Zahl von %1 bis %2 ein</translation>
    </message>
</context>
<context>
    <name>voltaryn::Options</name>
    <message>
        <source>The desktop companion of a handheld battery analyser meter.</source>
        <translation>Das Begleitprogramm eines Batterie-Analysators für die Hand.</translation>
    </message>
    <message>
        <source>Connect to the built-in simulated meter instead of a real one.</source>
        <translation>Mit dem eingebauten simulierten Messgerät statt einem echten verbinden.</translation>
    </message>
    <message>
        <source>Like --demo, with a stream of cells on the simulated meter&apos;s probes; the same seed (default 1, which may be left out) gives the same stream.</source>
        <translation>Wie --demo, mit einer Folge von Zellen an den Messspitzen des simulierten Messgeräts; derselbe Startwert (Vorgabe 1, darf fehlen) ergibt dieselbe Folge.</translation>
    </message>
    <message>
        <source>Open the Cell Sorting window at the start.</source>
        <translation>Beim Start das Fenster „Zellsortierung“ öffnen.</translation>
    </message>
    <message>
        <source>The cell database: a SQLite file, sqlite:///path or postgresql://user@host/db (default: cells.db in the application&apos;s data folder).</source>
        <translation>Die Zellendatenbank: eine SQLite-Datei, sqlite:///pfad oder postgresql://benutzer@host/db (Vorgabe: cells.db im Datenordner des Programms).</translation>
    </message>
    <message>
        <source>A data file (.txt) or list (.csv) to open in the file list.</source>
        <translation>Eine Datendatei (.txt) oder Liste (.csv), die in der Dateiliste geöffnet wird.</translation>
    </message>
    <message>
        <source>Forget the remembered window places, folders and choices, and start as on the first run.</source>
        <translation>Gemerkte Fensterpositionen, Ordner und Einstellungen vergessen und wie beim ersten Start beginnen.</translation>
    </message>
    <message>
        <source>With --demo-cells: the cells that stream stored, rechecked after this many days of storage, each lower in voltage by its own self-discharge.</source>
        <translation>Mit --demo-cells: die Zellen, die diese Folge gespeichert hat, nach so vielen Tagen Lagerung erneut gemessen, jede in der Spannung um ihre eigene Selbstentladung gesunken.</translation>
    </message>
    <message>
        <source>Like --demo, with the probes walking a string of 12 V blocks, strap by strap, aged to today; the same seed (default 1, which may be left out) gives the same string.</source>
        <translation>Wie --demo, wobei die Messspitzen einen Strang aus 12-V-Blöcken abgehen, Verbinder für Verbinder, auf heute gealtert; derselbe Startwert (Vorgabe 1, darf fehlen) ergibt denselben Strang.</translation>
    </message>
    <message>
        <source>With --demo-string: the blocks of the string, 1 to 1000 (default 24).</source>
        <translation>Mit --demo-string: die Blöcke des Strangs, 1 bis 1000 (Vorgabe 24).</translation>
    </message>
    <message>
        <source>Open the String Inspection window at the start.</source>
        <translation>Beim Start das Fenster „Strangprüfung“ öffnen.</translation>
    </message>
</context>
<context>
    <name>voltaryn::PackBuilderController</name>
    <message>
        <source>Could not write %1: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cell database: %1</source>
        <translation>Zellendatenbank: %1</translation>
    </message>
    <message>
        <source>The cell database holds no batch yet: sort cells into one first.</source>
        <translation>Die Zellendatenbank enthält noch keine Charge: sortieren Sie zuerst Zellen in eine.</translation>
    </message>
    <message>
        <source>Pack Builder — %1</source>
        <translation>Pack-Planer — %1</translation>
    </message>
    <message>
        <source>%1 cells in the batch, %2 of them in saved packs.</source>
        <translation>%1 Zellen in der Charge, %2 davon in gespeicherten Packs.</translation>
    </message>
    <message>
        <source>Tick at least one grade.</source>
        <translation>Kreuzen Sie mindestens eine Klasse an.</translation>
    </message>
    <message>
        <source>Building %1S%2P from %3 cells…</source>
        <translation>%1S%2P wird aus %3 Zellen gebaut…</translation>
    </message>
    <message>
        <source>Build cancelled.</source>
        <translation>Bau abgebrochen.</translation>
    </message>
    <message>
        <source>Cannot build: %1.</source>
        <translation>Bau nicht möglich: %1.</translation>
    </message>
    <message>
        <source>Built %1S%2P from %3 cells; %4 spares left.</source>
        <translation>%1S%2P aus %3 Zellen gebaut; %4 Reservezellen übrig.</translation>
    </message>
    <message>
        <source>Cannot replace %1: %2</source>
        <translation>%1 kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>Save pack</source>
        <translation>Pack speichern</translation>
    </message>
    <message>
        <source>Name of the pack:</source>
        <translation>Name des Packs:</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Wrote the report of %1 to %2.</source>
        <translation>Bericht von %1 nach %2 geschrieben.</translation>
    </message>
    <message>
        <source>%1 of other grades</source>
        <translation>%1 anderer Klassen</translation>
    </message>
    <message>
        <source>%1 rejected</source>
        <translation>%1 Ausschuss</translation>
    </message>
    <message>
        <source>%1 in a saved pack</source>
        <translation>%1 in einem gespeicherten Pack</translation>
    </message>
    <message>
        <source>%1 suspected of self-discharge</source>
        <translation>%1 unter Selbstentladungsverdacht</translation>
    </message>
    <message>
        <source>%1 without a capacity</source>
        <translation>%1 ohne Kapazität</translation>
    </message>
    <message>
        <source>%1 without a resistance</source>
        <translation>%1 ohne Widerstand</translation>
    </message>
    <message>
        <source>Left out: %1.</source>
        <translation>Ausgelassen: %1.</translation>
    </message>
    <message>
        <source>Pack Builder</source>
        <translation>Pack-Planer</translation>
    </message>
    <message>
        <source>Replaced %1 by %2: %3 mAh, %4 mΩ. Capacity spread now %5 mAh (%6), resistance spread %7 mΩ (%8), objective %9.</source>
        <translation>%1 durch %2 ersetzt: %3 mAh, %4 mΩ. Kapazitätsspanne jetzt %5 mAh (%6), Widerstandsspanne %7 mΩ (%8), Zielwert %9.</translation>
    </message>
    <message>
        <source>Saved pack &quot;%1&quot; in batch &quot;%2&quot;.</source>
        <translation>Pack „%1“ in Charge „%2“ gespeichert.</translation>
    </message>
</context>
<context>
    <name>voltaryn::PackBuilderWindow</name>
    <message>
        <source>Pack Builder</source>
        <translation>Pack-Planer</translation>
    </message>
    <message>
        <source>Replace cell</source>
        <translation>Zelle ersetzen</translation>
    </message>
    <message>
        <source>Save pack…</source>
        <translation>Pack speichern…</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Als CSV exportieren…</translation>
    </message>
    <message>
        <source>Map as PDF…</source>
        <translation>Plan als PDF…</translation>
    </message>
    <message>
        <source>Report…</source>
        <translation>Bericht…</translation>
    </message>
    <message>
        <source>Put the best spare in place of the cell selected in the map</source>
        <translation>Die beste Reservezelle an die Stelle der im Plan gewählten Zelle setzen</translation>
    </message>
    <message>
        <source>The batch&apos;s report as PDF: statistics, histograms and the saved packs</source>
        <translation>Der Bericht der Charge als PDF: Statistik, Histogramme und die gespeicherten Packs</translation>
    </message>
    <message>
        <source>Select the cell to replace in the map first.</source>
        <translation>Wählen Sie zuerst im Plan die zu ersetzende Zelle.</translation>
    </message>
    <message>
        <source>Batch:</source>
        <translation>Charge:</translation>
    </message>
    <message>
        <source>Grades:</source>
        <translation>Klassen:</translation>
    </message>
    <message>
        <source>Series (S):</source>
        <translation>Seriell (S):</translation>
    </message>
    <message>
        <source>Parallel (P):</source>
        <translation>Parallel (P):</translation>
    </message>
    <message>
        <source>Balanced: capacity, then resistance</source>
        <translation>Ausgewogen: Kapazität, dann Widerstand</translation>
    </message>
    <message>
        <source>Capacity only</source>
        <translation>Nur Kapazität</translation>
    </message>
    <message>
        <source>Objective:</source>
        <translation>Ziel:</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Bauen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Sum (mAh)</source>
        <translation>Summe (mAh)</translation>
    </message>
    <message>
        <source>R (mΩ)</source>
        <translation>R (mΩ)</translation>
    </message>
    <message>
        <source>%1 mAh (%2%3 %), %4 mΩ</source>
        <translation>%1 mAh (%2%3 %), %4 mΩ</translation>
    </message>
    <message>
        <source>Capacity spread %1 mAh (%2 % of a group) · resistance spread %3 mΩ · colours ±%4 % around the mean of %5 mAh</source>
        <translation>Kapazitätsspanne %1 mAh (%2 % einer Gruppe) · Widerstandsspanne %3 mΩ · Farben ±%4 % um den Mittelwert von %5 mAh</translation>
    </message>
    <message>
        <source> mV</source>
        <translation> mV</translation>
    </message>
    <message>
        <source>any</source>
        <translation>beliebig</translation>
    </message>
    <message>
        <source>The most the voltages of a group&apos;s cells may differ</source>
        <translation>Wie weit die Spannungen der Zellen einer Gruppe höchstens auseinanderliegen dürfen</translation>
    </message>
    <message>
        <source>Voltage spread in a group:</source>
        <translation>Spannungsspanne in einer Gruppe:</translation>
    </message>
    <message>
        <source>Include self-discharge suspects</source>
        <translation>Auch Verdachtszellen der Selbstentladung nehmen</translation>
    </message>
    <message>
        <source>The pack&apos;s − and + terminals</source>
        <translation>Minus- und Pluspol des Packs</translation>
    </message>
    <message>
        <source>The pack&apos;s − terminal</source>
        <translation>Minuspol des Packs</translation>
    </message>
    <message>
        <source>The pack&apos;s + terminal</source>
        <translation>Pluspol des Packs</translation>
    </message>
</context>
<context>
    <name>voltaryn::PanelMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Meter</source>
        <translation>&amp;Messgerät</translation>
    </message>
    <message>
        <source>Memor&amp;y</source>
        <translation>&amp;Speicher</translation>
    </message>
    <message>
        <source>&amp;Graphs</source>
        <translation>Dia&amp;gramme</translation>
    </message>
    <message>
        <source>&amp;Cells</source>
        <translation>&amp;Zellen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>Ctrl+/</source>
        <translation>Ctrl+/</translation>
    </message>
    <message>
        <source>&amp;About Voltaryn</source>
        <translation>Ü&amp;ber Voltaryn</translation>
    </message>
</context>
<context>
    <name>voltaryn::PanelStatusBar</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stops the transfer; what has arrived stays in its list.</source>
        <translation>Beendet die Übertragung; was angekommen ist, bleibt in seiner Liste.</translation>
    </message>
    <message numerus="yes">
        <source>Rec %1 · %n record(s) · %2</source>
        <translation>
            <numerusform>Aufn. %1 · %n Datensatz · %2</numerusform>
            <numerusform>Aufn. %1 · %n Datensätze · %2</numerusform>
        </translation>
    </message>
    <message>
        <source> · %1 free</source>
        <translation> · %1 frei</translation>
    </message>
</context>
<context>
    <name>voltaryn::PanelToolbar</name>
    <message>
        <source>&amp;Record to File...</source>
        <translation>In Datei &amp;aufzeichnen...</translation>
    </message>
    <message>
        <source>Records the readings into a data file; pressed again, stops the recording.</source>
        <translation>Zeichnet die Messwerte in eine Datendatei auf; erneut gedrückt, beendet es die Aufzeichnung.</translation>
    </message>
    <message>
        <source>&amp;Open Data File...</source>
        <translation>Datendatei ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Opens a data file in the window &quot;File List&quot;.</source>
        <translation>Öffnet eine Datendatei im Fenster „File List“.</translation>
    </message>
    <message>
        <source>&amp;Live List</source>
        <translation>&amp;Live-Liste</translation>
    </message>
    <message>
        <source>Opens the window &quot;Real Time List&quot;.</source>
        <translation>Öffnet das Fenster „Real Time List“.</translation>
    </message>
    <message>
        <source>&amp;Live Graph...</source>
        <translation>&amp;Live-Diagramm...</translation>
    </message>
    <message>
        <source>Opens the window &quot;Graph&quot;, which starts the live graph.</source>
        <translation>Öffnet das Fenster „Graph“, das das Live-Diagramm startet.</translation>
    </message>
    <message>
        <source>&amp;Sampling Rate...</source>
        <translation>&amp;Abtastrate...</translation>
    </message>
    <message>
        <source>Sets the recording interval of the PC or of the meter.</source>
        <translation>Stellt das Aufzeichnungsintervall des PCs oder des Messgeräts ein.</translation>
    </message>
    <message>
        <source>&amp;Stop Recording</source>
        <translation>Aufzeichnung &amp;beenden</translation>
    </message>
    <message>
        <source>Stops the recording.</source>
        <translation>Beendet die Aufzeichnung.</translation>
    </message>
    <message>
        <source>Meter &amp;Clock...</source>
        <translation>&amp;Uhr des Messgeräts...</translation>
    </message>
    <message>
        <source>Opens the window &quot;Setup&quot;, which sets the meter&apos;s clock.</source>
        <translation>Öffnet das Fenster „Setup“, das die Uhr des Messgeräts stellt.</translation>
    </message>
    <message>
        <source>Read &amp;Manual Records</source>
        <translation>&amp;Manuelle Messwerte lesen</translation>
    </message>
    <message>
        <source>Reads the meter&apos;s manual records into the window &quot;Manual List&quot;.</source>
        <translation>Liest die manuellen Messwerte des Messgeräts in das Fenster „Manual List“.</translation>
    </message>
    <message>
        <source>&amp;SD Card Files</source>
        <translation>&amp;SD-Karten-Dateien</translation>
    </message>
    <message>
        <source>Lists the SD card&apos;s files in the window &quot;Data Logger&quot;.</source>
        <translation>Listet die Dateien der SD-Karte im Fenster „Data Logger“ auf.</translation>
    </message>
    <message>
        <source>&amp;Comparator Limits</source>
        <translation>&amp;Komparator-Grenzwerte</translation>
    </message>
    <message>
        <source>Reads the meter&apos;s comparator limits into the window &quot;Comparator&quot;.</source>
        <translation>Liest die Komparator-Grenzwerte des Messgeräts in das Fenster „Comparator“.</translation>
    </message>
    <message>
        <source>&amp;Key Pad</source>
        <translation>&amp;Tastenfeld</translation>
    </message>
    <message>
        <source>Shows or hides the meter&apos;s key pad beside the panel.</source>
        <translation>Zeigt oder verbirgt das Tastenfeld des Messgeräts neben der Anzeige.</translation>
    </message>
    <message>
        <source>&amp;Average Number...</source>
        <translation>&amp;Mittelung...</translation>
    </message>
    <message>
        <source>Sets how many readings the meter averages.</source>
        <translation>Stellt ein, über wie viele Messwerte das Messgerät mittelt.</translation>
    </message>
    <message>
        <source>&amp;Erase Memory...</source>
        <translation>Speicher &amp;löschen...</translation>
    </message>
    <message>
        <source>Erases the records in the meter&apos;s memory, after asking.</source>
        <translation>Löscht nach Rückfrage die Datensätze im Speicher des Messgeräts.</translation>
    </message>
    <message>
        <source>&amp;Delete SD Card Files...</source>
        <translation>SD-Karten-Dateien l&amp;öschen...</translation>
    </message>
    <message>
        <source>Shows the panel &quot;SD Card Delete&quot; beside the meter.</source>
        <translation>Zeigt das Feld „SD Card Delete“ neben dem Messgerät.</translation>
    </message>
    <message>
        <source>Cell &amp;Sorting</source>
        <translation>Zellen &amp;sortieren</translation>
    </message>
    <message>
        <source>Opens the window &quot;Cell Sorting&quot;.</source>
        <translation>Öffnet das Fenster „Zellsortierung“.</translation>
    </message>
    <message>
        <source>&amp;Pack Builder</source>
        <translation>&amp;Pack-Planer</translation>
    </message>
    <message>
        <source>Opens the window &quot;Pack Builder&quot;.</source>
        <translation>Öffnet das Fenster „Pack-Planer“.</translation>
    </message>
    <message>
        <source>Nothing is being recorded: Save starts a recording.</source>
        <translation>Es wird nichts aufgezeichnet: Speichern startet eine Aufzeichnung.</translation>
    </message>
    <message>
        <source>&amp;Inspect String...</source>
        <translation>Strang &amp;prüfen ...</translation>
    </message>
    <message>
        <source>Opens the window &quot;String Inspection&quot;, which walks a battery string.</source>
        <translation>Öffnet das Fenster „Strangprüfung“, das einen Batteriestrang abschreitet.</translation>
    </message>
</context>
<context>
    <name>voltaryn::PanelWindow</name>
    <message>
        <source>Recording failed: %1</source>
        <translation>Aufzeichnung fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>voltaryn::QuantityHistogram</name>
    <message>
        <source>Cells</source>
        <translation>Zellen</translation>
    </message>
    <message>
        <source>Resistance (mΩ)</source>
        <translation>Widerstand (mΩ)</translation>
    </message>
    <message>
        <source>Voltage (V)</source>
        <translation>Spannung (V)</translation>
    </message>
    <message>
        <source>Self-discharge (mV/day)</source>
        <translation>Selbstentladung (mV/Tag)</translation>
    </message>
</context>
<context>
    <name>voltaryn::QueueDialog</name>
    <message>
        <source>Offline queue</source>
        <translation>Offline-Warteschlange</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Batch</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>Cell</source>
        <translation>Zelle</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Grade</source>
        <translation>Klasse</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Retry set aside</source>
        <translation>Zurückgestellte erneut senden</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>(next number)</source>
        <translation>(nächste Nummer)</translation>
    </message>
    <message>
        <source>Recheck</source>
        <translation>Nachmessen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortierung</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Set aside</source>
        <translation>Zurückgestellt</translation>
    </message>
    <message>
        <source>Nothing waits: the server has every capture of this station.</source>
        <translation>Nichts wartet: Der Server hat jede Messung dieser Station.</translation>
    </message>
    <message>
        <source>%1 waiting for the server, %2 set aside</source>
        <translation>%1 warten auf den Server, %2 zurückgestellt</translation>
    </message>
    <message>
        <source>CSV (*.csv);;JSON lines (*.jsonl *.json)</source>
        <translation>CSV (*.csv);;JSON-Zeilen (*.jsonl *.json)</translation>
    </message>
    <message>
        <source>Inspection</source>
        <translation>Inspektion</translation>
    </message>
    <message>
        <source>%1 (missing)</source>
        <translation>%1 (fehlt)</translation>
    </message>
</context>
<context>
    <name>voltaryn::ReadingDescription</name>
    <message>
        <source>battery low</source>
        <translation>Batterie schwach</translation>
    </message>
</context>
<context>
    <name>voltaryn::RecordListWindow</name>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>voltaryn::RecordingController</name>
    <message>
        <source>Recording could not start.
%1</source>
        <translation>Die Aufzeichnung konnte nicht beginnen.
%1</translation>
    </message>
</context>
<context>
    <name>voltaryn::RtcSetupDialog</name>
    <message>
        <source>Click to show the time live, or to stop</source>
        <translation>Klicken, um die Zeit live zu zeigen oder anzuhalten</translation>
    </message>
</context>
<context>
    <name>voltaryn::SdCardController</name>
    <message>
        <source>Downloading SD card file %1</source>
        <translation>SD-Karten-Datei %1 wird geladen</translation>
    </message>
    <message>
        <source>Every file on the meter&apos;s SD card will be deleted.</source>
        <translation>Jede Datei auf der SD-Karte des Messgeräts wird gelöscht.</translation>
    </message>
    <message>
        <source>Delete all files</source>
        <translation>Alle Dateien löschen</translation>
    </message>
</context>
<context>
    <name>voltaryn::ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Kürzel</translation>
    </message>
</context>
<context>
    <name>voltaryn::SimulatedMeterWindow</name>
    <message>
        <source>Simulated meter</source>
        <translation>Simuliertes Messgerät</translation>
    </message>
    <message>
        <source>Show the simulated meter</source>
        <translation>Simuliertes Messgerät zeigen</translation>
    </message>
    <message>
        <source>USB cable plugged in</source>
        <translation>USB-Kabel eingesteckt</translation>
    </message>
    <message>
        <source>Range switch</source>
        <translation>Bereichsschalter</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
</context>
<context>
    <name>voltaryn::StoreThread</name>
    <message>
        <source>Queue…</source>
        <translation>Warteschlange…</translation>
    </message>
</context>
<context>
    <name>voltaryn::StringEditorDialog</name>
    <message>
        <source>Installed on</source>
        <translation>Eingebaut am</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>The straps between the blocks are measured too</source>
        <translation>Die Verbinder zwischen den Blöcken werden mitgemessen</translation>
    </message>
    <message>
        <source>Policy</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Holds a reading to</source>
        <translation>Beurteilt eine Messung so</translation>
    </message>
    <message>
        <source>From a file…</source>
        <translation>Aus Datei…</translation>
    </message>
    <message>
        <source>Built-in policies</source>
        <translation>Eingebaute Regeln</translation>
    </message>
    <message>
        <source>Save to a file…</source>
        <translation>In Datei speichern…</translation>
    </message>
    <message>
        <source>Site:</source>
        <translation>Standort:</translation>
    </message>
    <message>
        <source>String:</source>
        <translation>Strang:</translation>
    </message>
    <message>
        <source>Blocks in series:</source>
        <translation>Blöcke in Reihe:</translation>
    </message>
    <message>
        <source>A block&apos;s nominal voltage:</source>
        <translation>Nennspannung eines Blocks:</translation>
    </message>
    <message>
        <source>Chemistry:</source>
        <translation>Chemie:</translation>
    </message>
    <message>
        <source>Cells a block:</source>
        <translation>Zellen je Block:</translation>
    </message>
    <message>
        <source>Its readings are judged by:</source>
        <translation>Seine Messungen werden beurteilt nach:</translation>
    </message>
    <message>
        <source>New String</source>
        <translation>Neuer Strang</translation>
    </message>
    <message>
        <source>Edit String — %1 / %2</source>
        <translation>Strang bearbeiten — %1 / %2</translation>
    </message>
    <message>
        <source>The string has been inspected: its readings belong to these places.</source>
        <translation>Der Strang wurde schon geprüft: seine Messungen gehören zu diesen Stellen.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a policy file: %2</source>
        <translation>%1 ist keine Regeldatei: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Site &quot;%1&quot; has a string &quot;%2&quot; already</source>
        <translation>Standort „%1“ hat schon einen Strang „%2“</translation>
    </message>
    <message>
        <source>Site &quot;%1&quot; is new: it is added with the string.</source>
        <translation>Standort „%1“ ist neu: er wird mit dem Strang angelegt.</translation>
    </message>
    <message>
        <source>Policies (*.json);;All Files (*.*)</source>
        <translation>Regeln (*.json);;Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>voltaryn::UserGuideWindow</name>
    <message>
        <source>User Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
</context>
<context>
    <name>voltaryn::WalkController</name>
    <message>
        <source>String Inspection — %1 / %2</source>
        <translation>Strangprüfung — %1 / %2</translation>
    </message>
    <message>
        <source>Today&apos;s inspection of this string goes on.</source>
        <translation>Die heutige Prüfung dieses Strangs geht weiter.</translation>
    </message>
    <message>
        <source>A new inspection of this string begins.</source>
        <translation>Eine neue Prüfung dieses Strangs beginnt.</translation>
    </message>
    <message>
        <source>%1 passed over: its reading stays empty</source>
        <translation>%1 übersprungen: sein Wert bleibt leer</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Gehe zu</translation>
    </message>
    <message>
        <source>Go on at block:</source>
        <translation>Weiter bei Block:</translation>
    </message>
    <message>
        <source>This string has no block %1</source>
        <translation>Dieser Strang hat keinen Block %1</translation>
    </message>
    <message>
        <source>Walk done</source>
        <translation>Rundgang fertig</translation>
    </message>
    <message>
        <source>Last: %1 %2 %3</source>
        <translation>Zuletzt: %1 %2 %3</translation>
    </message>
    <message>
        <source>The string&apos;s policies have no baseline rule to trend by.</source>
        <translation>Die Regeln des Strangs haben keine Basiswert-Regel für einen Trend.</translation>
    </message>
    <message>
        <source>not forecast</source>
        <translation>nicht vorhergesagt</translation>
    </message>
    <message>
        <source>reached (%1)</source>
        <translation>erreicht (%1)</translation>
    </message>
    <message>
        <source>%1 % a year; warn: %2; fail: %3</source>
        <translation>%1 % im Jahr; Warnung: %2; Fehler: %3</translation>
    </message>
    <message>
        <source>Too few inspections for a trend (%1 at least)</source>
        <translation>Zu wenige Prüfungen für einen Trend (mindestens %1)</translation>
    </message>
    <message>
        <source>The report waits until the server has this inspection.</source>
        <translation>Der Bericht wartet, bis der Server diese Prüfung hat.</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Wrote the inspection&apos;s report to %1.</source>
        <translation>Der Bericht der Prüfung steht in %1.</translation>
    </message>
    <message>
        <source>The database holds no battery string yet: add one with New String…</source>
        <translation>Die Datenbank enthält noch keinen Batteriestrang: legen Sie einen mit „Neuer Strang…“ an.</translation>
    </message>
    <message>
        <source>The inspection compared with waits in the queue: the report waits until the server has it.</source>
        <translation>Die Vergleichsprüfung wartet noch in der Warteschlange: der Bericht wartet, bis der Server sie hat.</translation>
    </message>
</context>
<context>
    <name>voltaryn::WalkWindow</name>
    <message>
        <source>String Inspection</source>
        <translation>Strangprüfung</translation>
    </message>
    <message>
        <source>Site:</source>
        <translation>Standort:</translation>
    </message>
    <message>
        <source>String:</source>
        <translation>Strang:</translation>
    </message>
    <message>
        <source>◀ Back (⌫)</source>
        <translation>◀ Zurück (⌫)</translation>
    </message>
    <message>
        <source>Skip — missing (Space)</source>
        <translation>Überspringen — fehlt (Leertaste)</translation>
    </message>
    <message>
        <source>Retest selected (⏎)</source>
        <translation>Gewählten nachmessen (⏎)</translation>
    </message>
    <message>
        <source>Go to… (G)</source>
        <translation>Gehe zu … (G)</translation>
    </message>
    <message>
        <source>Block %1 chosen: Return retests it</source>
        <translation>Block %1 gewählt: Eingabe misst ihn nach</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Trend of block %1</source>
        <translation>Trend von Block %1</translation>
    </message>
    <message>
        <source>Report…</source>
        <translation>Bericht …</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>New String…</source>
        <translation>Neuer Strang…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten…</translation>
    </message>
    <message>
        <source>Compare with:</source>
        <translation>Vergleichen mit:</translation>
    </message>
    <message>
        <source>No earlier inspection</source>
        <translation>Keine frühere Prüfung</translation>
    </message>
</context>
<context>
    <name>voltaryn::ZoomableGraphWindow</name>
    <message>
        <source>Track mode</source>
        <translation>Verfolgungsmodus</translation>
    </message>
</context>
<context>
    <name>voltaryn::report::ReportPage</name>
    <message>
        <source>%1 · page %2</source>
        <translation>%1 · Seite %2</translation>
    </message>
</context>
<context>
    <name>voltaryn::report::StringCharts</name>
    <message>
        <source>warn</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>gut</translation>
    </message>
    <message>
        <source>no figure</source>
        <translation>kein Wert</translation>
    </message>
    <message>
        <source>Change against baseline (%)</source>
        <translation>Änderung gegen Basiswert (%)</translation>
    </message>
    <message>
        <source>Voltage per cell</source>
        <translation>Spannung je Zelle</translation>
    </message>
    <message>
        <source>Voltage per cell; float band at 25 °C %1–%2 V</source>
        <translation>Spannung je Zelle; Erhaltungsladeband bei 25 °C %1–%2 V</translation>
    </message>
    <message>
        <source>Block %1</source>
        <translation>Block %1</translation>
    </message>
    <message>
        <source>%1 % a year against baseline</source>
        <translation>%1 % im Jahr gegen Basiswert</translation>
    </message>
    <message>
        <source>No baseline: no change to chart</source>
        <translation>Kein Basiswert: keine Änderung darzustellen</translation>
    </message>
    <message>
        <source>the inspection compared</source>
        <translation>die verglichene Prüfung</translation>
    </message>
</context>
<context>
    <name>voltaryn::report::WalkReport</name>
    <message>
        <source>Inspection %1, started %2</source>
        <translation>Inspektion %1, begonnen %2</translation>
    </message>
    <message>
        <source>station %1</source>
        <translation>Station %1</translation>
    </message>
    <message>
        <source>operator %1</source>
        <translation>Bediener %1</translation>
    </message>
    <message>
        <source>ambient %1 °C</source>
        <translation>Raumtemperatur %1 °C</translation>
    </message>
    <message>
        <source>ambient temperature not given</source>
        <translation>Raumtemperatur nicht angegeben</translation>
    </message>
    <message>
        <source>Inspection report: string %1 at site %2</source>
        <translation>Inspektionsbericht: Strang %1 am Standort %2</translation>
    </message>
    <message>
        <source>%1 blocks of %2 V %3, %4 cells a block; %5; installed %6.</source>
        <translation>%1 Blöcke zu %2 V %3, %4 Zellen je Block; %5; eingebaut %6.</translation>
    </message>
    <message>
        <source>straps measured</source>
        <translation>Verbinder gemessen</translation>
    </message>
    <message>
        <source>straps not measured</source>
        <translation>Verbinder nicht gemessen</translation>
    </message>
    <message>
        <source>when not known</source>
        <translation>unbekannt wann</translation>
    </message>
    <message>
        <source>Notes: %1</source>
        <translation>Notizen: %1</translation>
    </message>
    <message>
        <source>Compared with inspection %1, started %2.</source>
        <translation>Verglichen mit Inspektion %1, begonnen %2.</translation>
    </message>
    <message>
        <source>Report produced %1 UTC.</source>
        <translation>Bericht erstellt %1 UTC.</translation>
    </message>
    <message>
        <source>Policies</source>
        <translation>Regeln</translation>
    </message>
    <message>
        <source>Every reading is judged by each policy of its kind; its verdict is the worst of theirs.</source>
        <translation>Jede Messung wird nach jeder Regel ihrer Art beurteilt; ihr Urteil ist das schlechteste davon.</translation>
    </message>
    <message>
        <source>%1 (rule %2): %3.</source>
        <translation>%1 (Regel %2): %3.</translation>
    </message>
    <message>
        <source>The string</source>
        <translation>Der Strang</translation>
    </message>
    <message>
        <source>Trends of the blocks that warn or fail</source>
        <translation>Trends der Blöcke mit Warnung oder Fehler</translation>
    </message>
    <message>
        <source>No baseline policy judges the string: it has no trends.</source>
        <translation>Keine Referenzwert-Regel beurteilt den Strang: er hat keine Trends.</translation>
    </message>
    <message>
        <source>No block warns or fails.</source>
        <translation>Kein Block hat eine Warnung oder einen Fehler.</translation>
    </message>
    <message>
        <source>Forecasts are counted from the inspection&apos;s day; the dashed line is fitted to the last five inspections, three at least.</source>
        <translation>Prognosen zählen ab dem Tag der Inspektion; die gestrichelte Linie ist den letzten fünf Inspektionen angepasst, mindestens drei.</translation>
    </message>
    <message>
        <source>There is no inspection %1</source>
        <translation>Es gibt keine Inspektion %1</translation>
    </message>
    <message>
        <source>Inspection %1 is of string %2 at site %3, not of string %4 at site %5: there is nothing to compare</source>
        <translation>Inspektion %1 gehört zu Strang %2 am Standort %3, nicht zu Strang %4 am Standort %5: es gibt nichts zu vergleichen</translation>
    </message>
    <message>
        <source>There is no inspection %1 to compare with</source>
        <translation>Es gibt keine Inspektion %1 zum Vergleich</translation>
    </message>
    <message>
        <source>Inspection %1 of string %2 at site %3</source>
        <translation>Inspektion %1 von Strang %2 am Standort %3</translation>
    </message>
    <message>
        <source>Blocks: %1 of %2 read; %3 pass, %4 warn, %5 fail, %6 not judged.</source>
        <translation>Blöcke: %1 von %2 gemessen; %3 gut, %4 Warnung, %5 Fehler, %6 nicht beurteilt.</translation>
    </message>
    <message>
        <source>Straps: %1 of %2 read; %3 pass, %4 warn, %5 fail, %6 not judged.</source>
        <translation>Verbinder: %1 von %2 gemessen; %3 gut, %4 Warnung, %5 Fehler, %6 nicht beurteilt.</translation>
    </message>
    <message>
        <source>No block has a baseline to change against.</source>
        <translation>Kein Block hat einen Referenzwert, gegen den er sich ändert.</translation>
    </message>
    <message>
        <source>The blocks changed most against their baselines:</source>
        <translation>Die Blöcke mit der größten Änderung gegen ihren Referenzwert:</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation>Referenzwert</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Urteil</translation>
    </message>
    <message>
        <source>%1 (%2, %3)</source>
        <translation>%1 (%2, %3)</translation>
    </message>
    <message>
        <source>No strap warns or fails.</source>
        <translation>Kein Verbinder hat eine Warnung oder einen Fehler.</translation>
    </message>
    <message>
        <source>Straps that warn or fail: %1.</source>
        <translation>Verbinder mit Warnung oder Fehler: %1.</translation>
    </message>
    <message>
        <source>%1 %4 (block %2) to %3 %4 (block %5), a spread of %6 %4</source>
        <translation>%1 %4 (Block %2) bis %3 %4 (Block %5), eine Spanne von %6 %4</translation>
    </message>
    <message>
        <source>Block voltages: %1.</source>
        <translation>Blockspannungen: %1.</translation>
    </message>
    <message>
        <source>No block&apos;s voltage was read.</source>
        <translation>Keine Blockspannung wurde gemessen.</translation>
    </message>
    <message>
        <source>Block temperatures: %1.</source>
        <translation>Blocktemperaturen: %1.</translation>
    </message>
    <message>
        <source>No block&apos;s temperature was read.</source>
        <translation>Keine Blocktemperatur wurde gemessen.</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>nicht gemessen</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>Blocks and straps</source>
        <translation>Blöcke und Verbinder</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Stelle</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Inspection %1</source>
        <translation>Inspektion %1</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>warns at %1 %, fails at %2 % above %3</source>
        <translation>warnt ab %1 %, Fehler ab %2 % über %3</translation>
    </message>
    <message>
        <source>the block&apos;s baseline</source>
        <translation>dem Referenzwert des Blocks</translation>
    </message>
    <message>
        <source>the mean of the inspection&apos;s blocks</source>
        <translation>dem Mittel der Blöcke der Inspektion</translation>
    </message>
    <message>
        <source>the voltage per cell against the float band %1–%2 V at 25 °C, moved by %3 mV per °C a cell; warns outside it, fails more than %4 V outside</source>
        <translation>die Spannung je Zelle gegen den Erhaltungsladebereich %1–%2 V bei 25 °C, verschoben um %3 mV je °C und Zelle; warnt außerhalb, Fehler mehr als %4 V außerhalb</translation>
    </message>
    <message>
        <source>a strap measured the first time fails more than %1 % or %2 µΩ above the straps&apos; mean, whichever is more; later, more than %3 % above its first reading</source>
        <translation>ein zum ersten Mal gemessener Verbinder ist fehlerhaft mehr als %1 % oder %2 µΩ über dem Mittel der Verbinder, je nachdem, was größer ist; später mehr als %3 % über seiner ersten Messung</translation>
    </message>
    <message>
        <source>a block more than %1 °C warmer than the coolest fails</source>
        <translation>ein Block mehr als %1 °C wärmer als der kühlste ist fehlerhaft</translation>
    </message>
    <message>
        <source>now</source>
        <translation>jetzt</translation>
    </message>
    <message>
        <source>by now</source>
        <translation>inzwischen</translation>
    </message>
    <message>
        <source>within a month</source>
        <translation>binnen eines Monats</translation>
    </message>
    <message>
        <source>in about 1 month</source>
        <translation>in etwa 1 Monat</translation>
    </message>
    <message>
        <source>in about %1 months</source>
        <translation>in etwa %1 Monaten</translation>
    </message>
    <message>
        <source>in about 1 year</source>
        <translation>in etwa 1 Jahr</translation>
    </message>
    <message>
        <source>in about %1 years</source>
        <translation>in etwa %1 Jahren</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>gut</translation>
    </message>
    <message>
        <source>warn</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>strap %1→%2</source>
        <translation>Verbinder %1→%2</translation>
    </message>
    <message>
        <source>block %1</source>
        <translation>Block %1</translation>
    </message>
    <message>
        <source>warn %1</source>
        <translation>Warnung %1</translation>
    </message>
    <message>
        <source>fail %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>too few inspections for a trend</source>
        <translation>zu wenige Inspektionen für einen Trend</translation>
    </message>
    <message>
        <source>not rising</source>
        <translation>nicht steigend</translation>
    </message>
    <message>
        <source>fail not within %1 years</source>
        <translation>Fehler nicht binnen %1 Jahren</translation>
    </message>
</context>
</TS>
