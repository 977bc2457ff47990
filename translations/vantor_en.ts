<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>über Vantor</source>
        <translation>about Vantor</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>AdaptDialog</name>
    <message>
        <source>Geschwindigkeitsanpassung</source>
        <translation>Adjust tempo</translation>
    </message>
    <message>
        <source>Geschwindigkeit (Takte/Minute)</source>
        <translation>Speed (bars/minute)</translation>
    </message>
    <message>
        <source>Ist-Geschw.:</source>
        <translation>Actual speed:</translation>
    </message>
    <message>
        <source>Soll-Geschw.:</source>
        <translation>Desired speed:</translation>
    </message>
    <message>
        <source>Anpassung:</source>
        <translation>Adjustment:</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>CountBeatWindow</name>
    <message>
        <source>Musik auszählen</source>
        <translation>Count beat</translation>
    </message>
    <message>
        <source>Bereit zum Auszählen</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Anzahl Takte</source>
        <translation># bars</translation>
    </message>
    <message>
        <source>Dauer in Sekunden</source>
        <translation>time in secs</translation>
    </message>
    <message>
        <source>Takte/min aktuell</source>
        <translation>Bars/min (current)</translation>
    </message>
    <message>
        <source>Takte/min gemittelt</source>
        <translation>Bars/min (average)</translation>
    </message>
    <message>
        <source>Takte für Takte/aktuell &amp;berücksichtigen:</source>
        <translation># bars considered for Bars/min (current):</translation>
    </message>
    <message>
        <source>&amp;Click Me (Leertaste)</source>
        <translation>&amp;Click Me (space bar)</translation>
    </message>
    <message>
        <source>A&amp;uswerten</source>
        <translation>E&amp;valuate</translation>
    </message>
    <message>
        <source>&amp;Zurücksetzen</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>In Zwischenablage &amp;kopieren</source>
        <translation>Co&amp;py to clipboard</translation>
    </message>
    <message>
        <source>Taktschläge: %1   Streuung: %2 Takte/min</source>
        <translation>Taps: %1   spread: %2 bars/min</translation>
    </message>
    <message>
        <source>Sie müssen zuerst eine Startklasse bzw. einen Tanz auswählen</source>
        <translation>You must enter a start class/dance first</translation>
    </message>
    <message>
        <source>Geben Sie bitte eine korrekte Zahl ein</source>
        <translation>Please enter a valid number!</translation>
    </message>
    <message>
        <source>Sie müssen vor dem Auswerten Taktschläge eingeben</source>
        <translation>Enter bars before evaluating!</translation>
    </message>
</context>
<context>
    <name>CustomizeDataDialog</name>
    <message>
        <source>Takte/min.</source>
        <translation>Bars/min.</translation>
    </message>
    <message>
        <source>Metronom</source>
        <translation>Metronom</translation>
    </message>
    <message>
        <source>Tanzzeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Tanz</source>
        <translation>Dance</translation>
    </message>
    <message>
        <source>Takt</source>
        <translation>Beat</translation>
    </message>
    <message>
        <source>Bein/Akro</source>
        <translation>Foot/Acro</translation>
    </message>
    <message>
        <source>Runde</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>Daten gemäß:</source>
        <translation>Data according to:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Taktzahl wie 50 oder 48-50.</source>
        <translation>&quot;%1&quot; is not a tempo such as 50 or 48-50.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Tanzzeit wie 90s oder 90-105s.</source>
        <translation>&quot;%1&quot; is not a dancing time such as 90s or 90-105s.</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Gelieferte Werte</source>
        <translation>&amp;Restore delivered values</translation>
    </message>
    <message>
        <source>Die mit dem Programm gelieferten Werte dieser Tabelle wiederherstellen</source>
        <translation>Restore the values of this table delivered with the program</translation>
    </message>
    <message>
        <source>Die Datei %1 kann nicht gelesen werden oder enthält andere Zeilen als die geladene Tabelle. Damit keine Daten verloren gehen, wird nichts gespeichert.</source>
        <translation>The file %1 cannot be read or holds other rows than the loaded table. To lose no data, nothing is saved.</translation>
    </message>
    <message>
        <source>, Zeile %1 (%2, %3)</source>
        <translation>, row %1 (%2, %3)</translation>
    </message>
    <message>
        <source>, Spalte &quot;%1&quot;</source>
        <translation>, column &quot;%1&quot;</translation>
    </message>
    <message>
        <source> Es wurde nichts gespeichert.</source>
        <translation> Nothing was saved.</translation>
    </message>
    <message>
        <source>Die Werte und die Quellenangabe der Tabelle %1 durch die mit dem Programm gelieferten ersetzen? Gespeichert wird erst mit OK; Abbrechen verwirft sie.</source>
        <translation>Replace the values and the source line of the %1 table by those delivered with the program? They are saved only with OK; Cancel discards them.</translation>
    </message>
    <message>
        <source>Die gelieferten Werte können nicht gelesen werden.</source>
        <translation>The delivered values cannot be read.</translation>
    </message>
</context>
<context>
    <name>DanceCatalogue</name>
    <message>
        <source>Rock&apos;n&apos;Roll</source>
        <translation>Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source>Boogie-Woogie</source>
        <translation>Boogie-Woogie</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Ballroom</translation>
    </message>
    <message>
        <source>Latein</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>Solltempo</source>
        <translation>Desired speed</translation>
    </message>
    <message>
        <source>Kein Tanz</source>
        <translation>No dance</translation>
    </message>
    <message>
        <source>Schüler</source>
        <translation>Youth</translation>
    </message>
    <message>
        <source>Junioren</source>
        <translation>Juniors</translation>
    </message>
    <message>
        <source>D-Klasse</source>
        <translation>D Class</translation>
    </message>
    <message>
        <source>C-Klasse</source>
        <translation>C Class</translation>
    </message>
    <message>
        <source>B-Klasse</source>
        <translation>B Class</translation>
    </message>
    <message>
        <source>A-Klasse</source>
        <translation>A Class</translation>
    </message>
    <message>
        <source>Jugendklasse</source>
        <translation>Juniors</translation>
    </message>
    <message>
        <source>Hauptklasse</source>
        <translation>Main Class</translation>
    </message>
    <message>
        <source>Oldieklasse</source>
        <translation>Seniors</translation>
    </message>
    <message>
        <source>Langsamer Waltzer</source>
        <translation>Slow Waltz</translation>
    </message>
    <message>
        <source>Tango</source>
        <translation>Tango</translation>
    </message>
    <message>
        <source>Wiener Waltzer</source>
        <translation>Vienna Waltz</translation>
    </message>
    <message>
        <source>Wiener Waltzer (Sen IV)</source>
        <translation>Vienna Waltz (Sen IV)</translation>
    </message>
    <message>
        <source>Slow Fox</source>
        <translation>Slow Fox</translation>
    </message>
    <message>
        <source>Quickstep</source>
        <translation>Quickstep</translation>
    </message>
    <message>
        <source>Samba</source>
        <translation>Samba</translation>
    </message>
    <message>
        <source>Cha-Cha</source>
        <translation>Cha-Cha</translation>
    </message>
    <message>
        <source>Rumba</source>
        <translation>Rumba</translation>
    </message>
    <message>
        <source>Paso Doble</source>
        <translation>Paso Doble</translation>
    </message>
    <message>
        <source>Jive</source>
        <translation>Jive</translation>
    </message>
    <message>
        <source>Vor-/Zwischenrunde</source>
        <comment>Boogie-Woogie</comment>
        <translation>Quali/Main round</translation>
    </message>
    <message>
        <source>Endrunde (schnell)</source>
        <translation>Final (quick)</translation>
    </message>
    <message>
        <source>Endrunde (langsam)</source>
        <translation>Final (slow)</translation>
    </message>
    <message>
        <source>Fußtechnik</source>
        <translation>foot technique</translation>
    </message>
    <message>
        <source>Akrobatik</source>
        <translation>acrobatics</translation>
    </message>
    <message>
        <source>Vor-/Zwischenrunde</source>
        <comment>Rock&apos;n&apos;Roll</comment>
        <translation>Preliminary round</translation>
    </message>
    <message>
        <source>Endrunde</source>
        <translation>Final round</translation>
    </message>
</context>
<context>
    <name>DanceSelection</name>
    <message>
        <source>Ungültige Tempoangabe in den Regeldaten: &apos;%1&apos;</source>
        <translation>Invalid tempo in the rule data: &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>DanceSelectionPanel</name>
    <message>
        <source>Kl&amp;asse</source>
        <translation>Cl&amp;ass</translation>
    </message>
    <message>
        <source>T&amp;anz</source>
        <translation>D&amp;ance</translation>
    </message>
    <message>
        <source>Standard/Latein: </source>
        <translation>Ballroom/Latin: </translation>
    </message>
    <message>
        <source>T&amp;yp</source>
        <translation>T&amp;ype</translation>
    </message>
    <message>
        <source>&amp;Runde</source>
        <translation>R&amp;ound</translation>
    </message>
    <message>
        <source>Solltempo:</source>
        <translation>Desired speed:</translation>
    </message>
    <message>
        <source>Tanzzeit:</source>
        <translation>Dancing time:</translation>
    </message>
    <message>
        <source>Tanzwahl gesperrt, solange in „Musik ausblenden“ eine Uhr läuft</source>
        <translation>Dance choice locked while a clock runs in “Fade music”</translation>
    </message>
</context>
<context>
    <name>FadeCouplesWindow</name>
    <message>
        <source>Latein/Standard/Boogie ausblenden</source>
        <translation>Fade music (Latin/Standard/Boogie)</translation>
    </message>
    <message>
        <source>erstes Paar</source>
        <translation>first couple</translation>
    </message>
    <message>
        <source>zweites Paar</source>
        <translation>second couple</translation>
    </message>
    <message>
        <source>letztes Paar</source>
        <translation>last couple</translation>
    </message>
    <message>
        <source>&amp;Zurücksetzen</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>Beamer-Bild&amp;schirm:</source>
        <translation>Projector &amp;screen:</translation>
    </message>
    <message>
        <source>Vertauscht im Beamer-Modus die Position der 1. und 3. Stoppuhr</source>
        <translation>Switches position of 1. and 3. stop watch in beamer mode</translation>
    </message>
    <message>
        <source>Sie müssen zuerst einen Tanz auswählen</source>
        <translation>Please select a dance first</translation>
    </message>
    <message>
        <source>Zeit %1: </source>
        <translation>Time %1: </translation>
    </message>
    <message>
        <source>Die Uhr des ersten Paares läuft mit der Musik des Players, alle Uhren zählen die Zeit, die der Saal hört</source>
        <translation>The first couple&apos;s clock runs with the player&apos;s music; all clocks count the time the hall hears</translation>
    </message>
    <message>
        <source>Beamer (a&amp;lle Uhren)</source>
        <translation>Pro&amp;jector (all clocks)</translation>
    </message>
    <message>
        <source>Beamer (z&amp;wei Uhren)</source>
        <translation>Projector (t&amp;wo clocks)</translation>
    </message>
    <message>
        <source>In&amp;vertieren</source>
        <translation>In&amp;vert</translation>
    </message>
    <message>
        <source>Beamer &amp;%1</source>
        <translation>Projector &amp;%1</translation>
    </message>
    <message>
        <source>Dem Player &amp;folgen</source>
        <translation>Follow the &amp;player</translation>
    </message>
</context>
<context>
    <name>FadeRockNRollWindow</name>
    <message>
        <source>Rock&apos;n&apos;Roll ausblenden</source>
        <translation>Fade music (Rock&apos;n&apos;Roll)</translation>
    </message>
    <message>
        <source>Beintechnik</source>
        <translation>foot technique</translation>
    </message>
    <message>
        <source>Akrobatik</source>
        <translation>acrobatics</translation>
    </message>
    <message>
        <source>Zurücksetzen (&amp;2)</source>
        <translation>Reset (&amp;2)</translation>
    </message>
    <message>
        <source>Verbleibende Takte:</source>
        <translation>Remaining bars:</translation>
    </message>
    <message>
        <source>Turniermusik</source>
        <translation>comp. music</translation>
    </message>
    <message>
        <source>gleichmäßig ausblenden</source>
        <translation>faded constantly</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Takte &amp;pro Minute:</source>
        <translation>Bars per &amp;minute:</translation>
    </message>
    <message>
        <source>Dauer:</source>
        <translation>Dur.:</translation>
    </message>
    <message>
        <source>Sek.</source>
        <translation>sec.</translation>
    </message>
    <message>
        <source>Akustisches &amp;Signal</source>
        <translation>Bee&amp;p</translation>
    </message>
    <message>
        <source>&amp;Klasse</source>
        <translation>&amp;Class</translation>
    </message>
    <message>
        <source>R&amp;unde</source>
        <translation>&amp;Round</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>Ungültige Tanzzeit in den Regeldaten: &apos;%1&apos;</source>
        <translation>Invalid dancing time in the rule data: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Uhr für: %1</source>
        <translation>Clock for: %1</translation>
    </message>
    <message>
        <source>Sie müssen eine gültige ganzzahlige Taktzahl angeben</source>
        <translation>Please enter a valid integer number</translation>
    </message>
    <message>
        <source>Sie müssen zuerst einen Tanz auswählen</source>
        <translation>Please select a dance first</translation>
    </message>
    <message>
        <source>Zeit: </source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>Die Uhr läuft mit der Musik des Players und zählt die Zeit, die der Saal hört</source>
        <translation>The clock runs with the player&apos;s music and counts the time the hall hears</translation>
    </message>
    <message>
        <source>&amp;Zeit</source>
        <translation>T&amp;ime</translation>
    </message>
    <message>
        <source>Dem Player &amp;folgen</source>
        <translation>Follo&amp;w the player</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Hilfe-Datei nicht gefunden: %1</source>
        <translation>Help file not found: %1</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Messungen</source>
        <translation>&amp;Timing</translation>
    </message>
    <message>
        <source>Musik &amp;auszählen</source>
        <translation>&amp;Count Beat</translation>
    </message>
    <message>
        <source>&amp;Zeit bestimmen</source>
        <translation>&amp;Stop time</translation>
    </message>
    <message>
        <source>&amp;Metronom</source>
        <translation>&amp;Metronom</translation>
    </message>
    <message>
        <source>&amp;Takt-Anpassung</source>
        <translation>&amp;Adapt beat</translation>
    </message>
    <message>
        <source>Musik aus&amp;blenden Rock&apos;n&apos;Roll</source>
        <translation>Fade music (Rock&apos;n&apos;Roll)</translation>
    </message>
    <message>
        <source>Musik ausblenden</source>
        <translation>Fade music (&amp;Std/Latin/Boogie)</translation>
    </message>
    <message>
        <source>Musik &amp;prüfen</source>
        <translation>Check m&amp;usic</translation>
    </message>
    <message>
        <source>&amp;Takt-/Zeit-Info</source>
        <translation>&amp;Beat/Time Info</translation>
    </message>
    <message>
        <source>&amp;Rock&apos;n&apos;Roll</source>
        <translation>&amp;Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source>&amp;Boogie-Woogie</source>
        <translation>&amp;Boogie-Woogie</translation>
    </message>
    <message>
        <source>&amp;Standard</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>&amp;Latein</source>
        <translation>&amp;Latin</translation>
    </message>
    <message>
        <source>&amp;Formationen</source>
        <translation>&amp;Formations</translation>
    </message>
    <message>
        <source>&amp;Extras</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>&amp;Position und Größe speichern</source>
        <translation>&amp;Save Position and Size</translation>
    </message>
    <message>
        <source>Immer im &amp;Vordergrund</source>
        <translation>&amp;Always Stay On Top</translation>
    </message>
    <message>
        <source>&amp;Extras|&amp;Sprache</source>
        <translation>&amp;Extras|&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Englisch</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>&amp;Deutsch</source>
        <translation>&amp;German</translation>
    </message>
    <message>
        <source>&amp;Extras|Zeitformat</source>
        <translation>&amp;Extras|Time format</translation>
    </message>
    <message>
        <source>Anzahl Sekunden</source>
        <translation>Number of Seconds</translation>
    </message>
    <message>
        <source>mm:ss</source>
        <translation>mm:ss</translation>
    </message>
    <message>
        <source>Daten anpassen...</source>
        <translation>Customize Data...</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Readme</source>
        <translation>&amp;Readme</translation>
    </message>
    <message>
        <source>Ü&amp;ber</source>
        <translation>I&amp;nfo</translation>
    </message>
    <message>
        <source>&amp;Beamer-Bildschirm</source>
        <translation>&amp;Projector screen</translation>
    </message>
    <message>
        <source>Musik ab&amp;spielen</source>
        <translation>&amp;Play music</translation>
    </message>
    <message>
        <source>Keine Tonausgabe</source>
        <translation>No sound output</translation>
    </message>
    <message>
        <source>Kein Gerät</source>
        <translation>No device</translation>
    </message>
    <message>
        <source>%1 (nicht da)</source>
        <translation>%1 (not there)</translation>
    </message>
    <message>
        <source>Beim Start eines Durchgangs beenden</source>
        <translation>Stop when a heat starts</translation>
    </message>
    <message>
        <source>Vor&amp;hören</source>
        <translation>P&amp;re-listen</translation>
    </message>
    <message>
        <source>&amp;Takt-/Zeit-Info|&amp;International</source>
        <translation>&amp;Beat/Time Info|&amp;International</translation>
    </message>
    <message>
        <source>&amp;Boogie Woogie</source>
        <translation>&amp;Boogie Woogie</translation>
    </message>
    <message>
        <source>B&amp;allroom</source>
        <translation>B&amp;allroom</translation>
    </message>
    <message>
        <source>&amp;Latin</source>
        <translation>&amp;Latin</translation>
    </message>
    <message>
        <source>&amp;Formations</source>
        <translation>&amp;Formations</translation>
    </message>
    <message>
        <source>Kein zweites Gerät gefunden</source>
        <translation>No second device found</translation>
    </message>
    <message>
        <source>Dunkles &amp;Design</source>
        <translation>&amp;Dark theme</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source> Wählen Sie in der Funktionsleiste die gewünschte Funktion</source>
        <translation> Please select the task you want to do</translation>
    </message>
    <message>
        <source> Musik auszählen</source>
        <translation> Count Beat</translation>
    </message>
    <message>
        <source> Zeit bestimmen</source>
        <translation> Stop time</translation>
    </message>
    <message>
        <source> Metronom</source>
        <translation> Metronom</translation>
    </message>
    <message>
        <source> Takt-Anpassung</source>
        <translation> Adapt beat</translation>
    </message>
    <message>
        <source> Musik ausblenden</source>
        <translation> Fade music</translation>
    </message>
    <message>
        <source> Musik prüfen</source>
        <translation> Check music</translation>
    </message>
    <message>
        <source> Takt- und Zeiteinheiten bei Rock&apos;n&apos;Roll</source>
        <translation> Beat and time regulations for Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source> Takt- und Zeiteinheiten bei Boogie-Woogie</source>
        <translation> Beat and time regulations for Boogie-Woogie</translation>
    </message>
    <message>
        <source> Takt- und Zeiteinheiten bei Standardtänzen</source>
        <translation> Beat and time regulations for ballroom</translation>
    </message>
    <message>
        <source> Takt- und Zeiteinheiten bei Lateintänzen</source>
        <translation> Beat and time regulations for latin</translation>
    </message>
    <message>
        <source> Takt- und Zeiteinheiten bei Formationswettbewerben</source>
        <translation> Beat and time regulations for formation competitions</translation>
    </message>
    <message>
        <source> International regulations for Rock&apos;n&apos;Roll</source>
        <translation> International regulations for Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source> International regulations for Boogie-Woogie</source>
        <translation> International regulations for Boogie-Woogie</translation>
    </message>
    <message>
        <source> International regulations for Ballroom</source>
        <translation> International regulations for Ballroom</translation>
    </message>
    <message>
        <source> International regulations for Latin</source>
        <translation> International regulations for Latin</translation>
    </message>
    <message>
        <source> International regulations for Formations</source>
        <translation> International regulations for Formations</translation>
    </message>
    <message>
        <source>Messungen</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Takt- und Zeitdaten</source>
        <translation>Beat/Time Info</translation>
    </message>
    <message>
        <source>International</source>
        <translation>International</translation>
    </message>
    <message>
        <source>Musik auszählen</source>
        <translation>Count Beat</translation>
    </message>
    <message>
        <source>Zeit bestimmen</source>
        <translation>Stop time</translation>
    </message>
    <message>
        <source>Metronom</source>
        <translation>Metronom</translation>
    </message>
    <message>
        <source>Takt-Anpassung</source>
        <translation>Adapt beat</translation>
    </message>
    <message>
        <source>Musik ausblenden</source>
        <translation>Fade music</translation>
    </message>
    <message>
        <source>Musik prüfen</source>
        <translation>Check music</translation>
    </message>
    <message>
        <source>Rock&apos;n&apos;Roll</source>
        <translation>Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source>Boogie-Woogie</source>
        <translation>Boogie-Woogie</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Ballroom</translation>
    </message>
    <message>
        <source>Latein</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>Formationswettbewerb</source>
        <translation>Formation competition</translation>
    </message>
    <message>
        <source>Boogie Woogie</source>
        <translation>Boogie Woogie</translation>
    </message>
    <message>
        <source>Ballroom</source>
        <translation>Ballroom</translation>
    </message>
    <message>
        <source>Latin</source>
        <translation>Latin</translation>
    </message>
    <message>
        <source>Formations</source>
        <translation>Formations</translation>
    </message>
    <message>
        <source>Die englischen Regeldaten können nicht geladen werden: %1.
Das Programm startet deshalb auf Deutsch; gespeichert bleibt Englisch.</source>
        <translation>The English rule data cannot be loaded: %1.
The program therefore starts in German; English stays the stored language.</translation>
    </message>
    <message>
        <source>Die Sprache wird nicht gewechselt, weil die Regeldaten nicht geladen werden können: %1</source>
        <translation>The language is not switched because the rule data cannot be loaded: %1</translation>
    </message>
    <message>
        <source>Paar</source>
        <translation>Couple</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Musik abspielen</source>
        <translation>Play music</translation>
    </message>
    <message>
        <source> Musik abspielen</source>
        <translation> Play music</translation>
    </message>
    <message>
        <source> Zeitmessung</source>
        <translation> Stop time</translation>
    </message>
    <message>
        <source> Musik ausblenden Rock&apos;n&apos;Roll</source>
        <translation> Fade music Rock&apos;n&apos;Roll</translation>
    </message>
    <message>
        <source> Musik ausblenden Standard/Latein/Boogie</source>
        <translation> Fade music Standard/Latin/Boogie</translation>
    </message>
</context>
<context>
    <name>MetronomeWindow</name>
    <message>
        <source>Ta&amp;kt</source>
        <translation>Ba&amp;rs</translation>
    </message>
    <message>
        <source>%1/4-Takt</source>
        <translation>%1/4 scheme</translation>
    </message>
    <message>
        <source>Takte/Mi&amp;nute:</source>
        <translation>Bars/&amp;minute:</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>&amp;Gemessenes Tempo nehmen</source>
        <translation>Use measured tem&amp;po</translation>
    </message>
    <message>
        <source>Solltem&amp;po nehmen</source>
        <translation>Use tar&amp;get tempo</translation>
    </message>
    <message>
        <source>Keine Tonausgabe</source>
        <translation>No sound output</translation>
    </message>
    <message>
        <source>Bitte ein Tempo von 1 bis 200 Takten pro Minute eingeben.</source>
        <translation>Please enter a tempo from 1 to 200 bars per minute.</translation>
    </message>
    <message>
        <source>Es wurde noch kein Tempo gemessen.</source>
        <translation>No tempo has been measured yet.</translation>
    </message>
    <message>
        <source>Es ist kein Solltempo gewählt.</source>
        <translation>No target tempo is chosen.</translation>
    </message>
    <message>
        <source>Metronom</source>
        <translation>Metronom</translation>
    </message>
</context>
<context>
    <name>MusicCheckWindow</name>
    <message>
        <source>A&amp;bbrechen</source>
        <translation>Ca&amp;ncel</translation>
    </message>
    <message>
        <source>Date&amp;ien...</source>
        <translation>F&amp;iles...</translation>
    </message>
    <message>
        <source>&amp;Ordner...</source>
        <translation>Fol&amp;der...</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>CSV &amp;speichern...</source>
        <translation>&amp;Save CSV...</translation>
    </message>
    <message>
        <source>&amp;Leeren</source>
        <translation>C&amp;lear</translation>
    </message>
    <message>
        <source>Hil&amp;fe</source>
        <translation>Hel&amp;p</translation>
    </message>
    <message>
        <source>Kein Tanz gewählt: Tempo ohne Regelbereich, im 4/4-Takt</source>
        <translation>No dance chosen: tempo without a rule range, in 4/4</translation>
    </message>
    <message>
        <source>Regel: %1–%2 Takte/min im %3/4-Takt</source>
        <translation>Rules: %1–%2 bars/min in %3/4</translation>
    </message>
    <message>
        <source>, Tanzzeit %1–%2 s</source>
        <translation>, dancing time %1–%2 s</translation>
    </message>
    <message>
        <source>wird geprüft...</source>
        <translation>analysing...</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geschrieben werden: %2</source>
        <translation>File %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Liste als CSV speichern</source>
        <translation>Save list as CSV</translation>
    </message>
    <message>
        <source>CSV-Dateien (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Musikdateien (%1);;Alle Dateien (*)</source>
        <translation>Music files (%1);;All files (*)</translation>
    </message>
    <message>
        <source>Musikdateien wählen</source>
        <translation>Choose music files</translation>
    </message>
    <message>
        <source>Ordner mit Musik wählen</source>
        <translation>Choose a folder of music</translation>
    </message>
    <message>
        <source>Musik prüfen</source>
        <translation>Check music</translation>
    </message>
    <message>
        <source>In R&amp;unde übernehmen</source>
        <translation>Use in ro&amp;und</translation>
    </message>
    <message>
        <source>Markieren Sie in der Liste die Stücke, die in die Runde sollen.</source>
        <translation>Select the pieces for the round in the list.</translation>
    </message>
    <message>
        <source>&amp;Vorhören</source>
        <translation>Pre-listen (&amp;V)</translation>
    </message>
    <message>
        <source>Das markierte Stück auf dem Kopfhörer vorhören, wie es im Saal klänge; noch einmal drücken beendet es</source>
        <translation>Pre-listen the selected piece on the headphones as the hall would hear it; press again to stop</translation>
    </message>
    <message>
        <source>Markieren Sie in der Liste das Stück zum Vorhören.</source>
        <translation>Select the piece to pre-listen in the list.</translation>
    </message>
    <message>
        <source>Das Stück wird noch geprüft.</source>
        <translation>The piece is still being checked.</translation>
    </message>
    <message>
        <source>Antip&amp;pen</source>
        <translation>Tap alon&amp;g</translation>
    </message>
    <message>
        <source>Das markierte Stück im Saal abspielen und sein Tempo mit T oder der Leertaste mittippen, einmal je Takt; noch einmal drücken beendet es</source>
        <translation>Play the marked piece in the hall and tap its tempo along with T or the space bar, once a bar; pressing again ends it</translation>
    </message>
    <message>
        <source>Markieren Sie in der Liste das Stück, dessen Tempo Sie antippen wollen.</source>
        <translation>Mark the piece in the list whose tempo you want to tap.</translation>
    </message>
    <message>
        <source>Das Stück lässt sich nicht abspielen: %1</source>
        <translation>The piece cannot be played: %1</translation>
    </message>
    <message>
        <source>Im Saal läuft gerade Musik. Antippen geht, wenn sie beendet ist.</source>
        <translation>Music is playing in the hall. Tapping is possible once it has ended.</translation>
    </message>
    <message>
        <source>Keine Tonausgabe: Das Stück kann nicht abgespielt werden.</source>
        <translation>No sound output: the piece cannot be played.</translation>
    </message>
    <message>
        <source>Keine Tonausgabe: Das Stück kann nicht abgespielt werden (%1).</source>
        <translation>No sound output: the piece cannot be played (%1).</translation>
    </message>
    <message>
        <source>Die Musik brach ab: %1</source>
        <translation>The music broke off: %1</translation>
    </message>
    <message>
        <source>Die Tonausgabe ist weg.</source>
        <translation>The sound output is gone.</translation>
    </message>
    <message>
        <source>T oder Leertaste einmal je Takt drücken, auf die Eins (%1 Schläge je Takt)</source>
        <translation>Press T or Space once a bar, on the one (%1 beats a bar)</translation>
    </message>
    <message>
        <source>Takte: %1   Tempo: %2 ± %3 Takte/min</source>
        <translation>Bars: %1   tempo: %2 ± %3 bars/min</translation>
    </message>
    <message>
        <source>Takte: %1   Tempo: %2 Takte/min</source>
        <translation>Bars: %1   tempo: %2 bars/min</translation>
    </message>
    <message>
        <source>%1 – übernommen</source>
        <translation>%1 – taken</translation>
    </message>
    <message>
        <source>%1 – weiter im Takt tippen</source>
        <translation>%1 – keep tapping in time</translation>
    </message>
</context>
<context>
    <name>MusicJudgement</name>
    <message>
        <source>Datei lässt sich nicht öffnen</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>Datei ist leer</source>
        <translation>The file is empty</translation>
    </message>
    <message>
        <source>Keine Tonspur in der Datei</source>
        <translation>No audio in the file</translation>
    </message>
    <message>
        <source>Beschädigt oder unbekanntes Format</source>
        <translation>Damaged or of an unknown format</translation>
    </message>
    <message>
        <source>Keine Audiodaten</source>
        <translation>No audio data</translation>
    </message>
    <message>
        <source>Datei bricht vorzeitig ab</source>
        <translation>File breaks off early</translation>
    </message>
    <message>
        <source>Abgebrochen</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>Kein gleichmäßiger Takt erkannt</source>
        <translation>No steady beat found</translation>
    </message>
    <message>
        <source>reicht</source>
        <translation>covers it</translation>
    </message>
    <message>
        <source>nur Minimum</source>
        <translation>min. only</translation>
    </message>
    <message>
        <source>zu kurz</source>
        <translation>too short</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Takte/min</source>
        <translation>Bars/min</translation>
    </message>
    <message>
        <source>Regel</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>zur Grenze</source>
        <translation>to bound</translation>
    </message>
    <message>
        <source>zur Mitte</source>
        <translation>to middle</translation>
    </message>
    <message>
        <source>Tanzzeit</source>
        <translation>Dancing time</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
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
        <source>gewählt: </source>
        <translation>chosen: </translation>
    </message>
    <message>
        <source>unsicher</source>
        <translation>uncertain</translation>
    </message>
    <message>
        <source>unsicher: %1 oder %2 Takte/min</source>
        <translation>uncertain: %1 or %2 bars/min</translation>
    </message>
    <message>
        <source>unsicher: %1 Takte/min</source>
        <translation>uncertain: %1 bars/min</translation>
    </message>
    <message>
        <source>Datei antwortet nicht</source>
        <translation>File not responding</translation>
    </message>
    <message>
        <source>getippt</source>
        <translation>tapped</translation>
    </message>
</context>
<context>
    <name>NationalInfoWindow</name>
    <message>
        <source>Boogie-Woogie hat immer einen 4/4-Takt</source>
        <translation>Boogie-Woogie has a 4/4 bar scheme</translation>
    </message>
    <message>
        <source>Rock&apos;n&apos;Roll hat immer einen 4/4-Takt</source>
        <translation>Rock&apos;n&apos;Roll has a 4/4 bar scheme</translation>
    </message>
</context>
<context>
    <name>NumberText</name>
    <message>
        <source>Fehler bei Typumwandlung</source>
        <translation>Error during type conversion</translation>
    </message>
</context>
<context>
    <name>PlanStore</name>
    <message>
        <source>unbekanntes Format %1</source>
        <translation>unknown format %1</translation>
    </message>
    <message>
        <source>keine bekannte Sportart</source>
        <translation>no known discipline</translation>
    </message>
    <message>
        <source>unbekannter Startpunkt „%1“</source>
        <translation>unknown start point “%1”</translation>
    </message>
    <message>
        <source>unbekannte Pause „%1“</source>
        <translation>unknown pause “%1”</translation>
    </message>
    <message>
        <source>unlesbare Einstellung</source>
        <translation>unreadable setting</translation>
    </message>
    <message>
        <source>keine Tänze</source>
        <translation>no dances</translation>
    </message>
    <message>
        <source>unlesbarer Tanz %1</source>
        <translation>unreadable dance %1</translation>
    </message>
    <message>
        <source>kein Plan</source>
        <translation>no plan</translation>
    </message>
    <message>
        <source>Plan einer anderen Runde</source>
        <translation>plan of another round</translation>
    </message>
    <message>
        <source>Der gespeicherte Plan „%1“ ist beschädigt (%2). Er bleibt erhalten und wird beim nächsten Speichern beiseitegelegt.</source>
        <translation>The saved plan “%1” is damaged (%2). It is kept and will be set aside at the next save.</translation>
    </message>
    <message>
        <source>Der Ordner „%1“ lässt sich nicht anlegen.</source>
        <translation>The folder “%1” cannot be created.</translation>
    </message>
    <message>
        <source>Der beschädigte Plan „%1“ lässt sich nicht beiseitelegen; nichts gespeichert.</source>
        <translation>The damaged plan “%1” cannot be set aside; nothing was saved.</translation>
    </message>
    <message>
        <source>Der Plan „%1“ lässt sich nicht speichern: %2</source>
        <translation>The plan “%1” cannot be saved: %2</translation>
    </message>
</context>
<context>
    <name>PlayMusicWindow</name>
    <message>
        <source>Musik abspielen</source>
        <translation>Play music</translation>
    </message>
    <message>
        <source>Tanz / Musik</source>
        <translation>Dance / music</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Takte/min</source>
        <translation>Bars/min</translation>
    </message>
    <message>
        <source>Ziel</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Änderung</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>LUFS</source>
        <translation>LUFS</translation>
    </message>
    <message>
        <source>Hinweis</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>M&amp;usik...</source>
        <translation>M&amp;usic...</translation>
    </message>
    <message>
        <source>Entfer&amp;nen</source>
        <translation>Re&amp;move</translation>
    </message>
    <message>
        <source>Durchgänge:</source>
        <translation>Heats:</translation>
    </message>
    <message>
        <source>Tanzzeit (s):</source>
        <translation>Dancing time (s):</translation>
    </message>
    <message>
        <source>Runde &amp;prüfen</source>
        <translation>Chec&amp;k round</translation>
    </message>
    <message>
        <source>Ausblenden (s):</source>
        <translation>Fade (s):</translation>
    </message>
    <message>
        <source>Pause (s, 0 = warten):</source>
        <translation>Pause (s, 0 = wait):</translation>
    </message>
    <message>
        <source>Nächsten Durchgang starten (Leertaste)</source>
        <translation>Start the next heat (Space)</translation>
    </message>
    <message>
        <source>Jetzt ausblenden (F)</source>
        <translation>Fade out now (F)</translation>
    </message>
    <message>
        <source>Sofort anhalten (Esc)</source>
        <translation>Stop at once (Esc)</translation>
    </message>
    <message>
        <source>Den Durchgang wiederholen</source>
        <translation>Play the heat again</translation>
    </message>
    <message>
        <source>Tempo 1 Takt/min langsamer (Strg+Minus)</source>
        <translation>Tempo 1 bar/min slower (Ctrl+Minus)</translation>
    </message>
    <message>
        <source>Tempo 0,1 Takt/min langsamer (Minus)</source>
        <translation>Tempo 0.1 bar/min slower (Minus)</translation>
    </message>
    <message>
        <source>Tempo 0,1 Takt/min schneller (Plus)</source>
        <translation>Tempo 0.1 bar/min faster (Plus)</translation>
    </message>
    <message>
        <source>Tempo 1 Takt/min schneller (Strg+Plus)</source>
        <translation>Tempo 1 bar/min faster (Ctrl+Plus)</translation>
    </message>
    <message>
        <source>Hil&amp;fe</source>
        <translation>Hel&amp;p</translation>
    </message>
    <message>
        <source>Wählen Sie im Tanzfeld Turnierart, Klasse und Runde.</source>
        <translation>Choose the competition type, class and round in the dance panel.</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>wird geprüft...</source>
        <translation>being checked...</translation>
    </message>
    <message>
        <source>Durchgang %1 von %2</source>
        <translation>heat %1 of %2</translation>
    </message>
    <message>
        <source>keine Musik</source>
        <translation>no music</translation>
    </message>
    <message>
        <source>Es spielt: %1, %2 – %3</source>
        <translation>Playing: %1, %2 – %3</translation>
    </message>
    <message>
        <source>Als Nächstes: %1, %2 – %3</source>
        <translation>Next: %1, %2 – %3</translation>
    </message>
    <message>
        <source>Die Runde ist zu Ende.</source>
        <translation>The round is over.</translation>
    </message>
    <message>
        <source>Danach: %1</source>
        <translation>Then: %1</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>%1 Takte/min   %2 gespielt   noch %3</source>
        <translation>%1 bars/min   %2 played   %3 to go</translation>
    </message>
    <message>
        <source>Wählen Sie zuerst einen Tanz der Runde.</source>
        <translation>First select a dance of the round.</translation>
    </message>
    <message>
        <source>Musik wählen</source>
        <translation>Choose music</translation>
    </message>
    <message>
        <source>Musikdateien (%1)</source>
        <translation>Music files (%1)</translation>
    </message>
    <message>
        <source>Alle gespeicherten Runden sind spielbereit.</source>
        <translation>Every saved round is ready to play.</translation>
    </message>
    <message>
        <source>1 Durchgang</source>
        <translation>1 heat</translation>
    </message>
    <message>
        <source>%1 Durchgänge</source>
        <translation>%1 heats</translation>
    </message>
    <message>
        <source>Einen anderen Titel für den nächsten Durchgang wählen</source>
        <translation>Choose another track for the next heat</translation>
    </message>
    <message>
        <source>Wo ist „%1“ jetzt?</source>
        <translation>Where is “%1” now?</translation>
    </message>
    <message>
        <source>Musik für den nächsten Durchgang</source>
        <translation>Music for the next heat</translation>
    </message>
    <message>
        <source>Keine Runde gewählt: Wählen Sie im Tanzfeld Turnierart, Klasse und Runde.</source>
        <translation>No round chosen: choose the type, class and round in the dance panel.</translation>
    </message>
    <message>
        <source>Die Stücke gehören schon zu %1.</source>
        <translation>The pieces already belong to %1.</translation>
    </message>
    <message>
        <source>Ein Stück übernommen in %1.</source>
        <translation>One piece added to %1.</translation>
    </message>
    <message>
        <source>%1 Stücke übernommen in %2.</source>
        <translation>%1 pieces added to %2.</translation>
    </message>
    <message>
        <source>unsicher</source>
        <translation>uncertain</translation>
    </message>
    <message>
        <source>Das gewählte Stück auf dem Kopfhörer vorhören, wie es im Saal klänge (V)</source>
        <translation>Pre-listen the selected piece on the headphones as the hall would hear it (V)</translation>
    </message>
    <message>
        <source>−10 s</source>
        <translation>−10 s</translation>
    </message>
    <message>
        <source>Vorhören 10 s zurück (Strg+Links)</source>
        <translation>Pre-listen 10 s back (Ctrl+Left)</translation>
    </message>
    <message>
        <source>+10 s</source>
        <translation>+10 s</translation>
    </message>
    <message>
        <source>Vorhören 10 s vor (Strg+Rechts)</source>
        <translation>Pre-listen 10 s ahead (Ctrl+Right)</translation>
    </message>
    <message>
        <source>Saal</source>
        <translation>Hall</translation>
    </message>
    <message>
        <source>Vorhören</source>
        <translation>Pre-listen</translation>
    </message>
    <message>
        <source>Wählen Sie ein Stück zum Vorhören.</source>
        <translation>Choose a piece to pre-listen.</translation>
    </message>
    <message>
        <source>Das Stück wird noch geprüft.</source>
        <translation>The piece is still being checked.</translation>
    </message>
    <message>
        <source>&amp;Vorhören aus</source>
        <translation>Stop (&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Vorhören</source>
        <translation>Pre-listen (&amp;V)</translation>
    </message>
    <message>
        <source>Kein Gerät: Extras &gt; Vorhören</source>
        <translation>No device: Extras &gt; Pre-listen</translation>
    </message>
    <message>
        <source>%1 bei %2</source>
        <translation>%1 at %2</translation>
    </message>
    <message>
        <source>„%1“ ist nicht da: Extras &gt; Vorhören</source>
        <translation>“%1” is not there: Extras &gt; Pre-listen</translation>
    </message>
    <message>
        <source>Tempo getippt</source>
        <translation>Tempo tapped</translation>
    </message>
    <message>
        <source>Erset&amp;zen...</source>
        <translation>Rep&amp;lace...</translation>
    </message>
    <message>
        <source>ab Date&amp;ianfang</source>
        <translation>from f&amp;ile start</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>Sta&amp;rt</translation>
    </message>
    <message>
        <source>Aus&amp;blenden</source>
        <translation>Fa&amp;de</translation>
    </message>
    <message>
        <source>St&amp;opp</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Nochma&amp;l</source>
        <translation>A&amp;gain</translation>
    </message>
    <message>
        <source>Nä&amp;chster Tanz</source>
        <translation>&amp;Next dance</translation>
    </message>
</context>
<context>
    <name>Prelistener</name>
    <message>
        <source>Kein Gerät zum Vorhören gewählt (Extras &gt; Vorhören).</source>
        <translation>No device chosen to pre-listen (Extras &gt; Pre-listen).</translation>
    </message>
    <message>
        <source>Das Gerät zum Vorhören „%1“ ist nicht da.</source>
        <translation>The pre-listening device “%1” is not there.</translation>
    </message>
    <message>
        <source>Die Musik brach ab: %1</source>
        <translation>The music broke off: %1</translation>
    </message>
    <message>
        <source>Das Gerät zum Vorhören „%1“ ist weg.</source>
        <translation>The pre-listening device “%1” has gone.</translation>
    </message>
</context>
<context>
    <name>ProjectorWindow</name>
    <message>
        <source>Schließen (ESC)</source>
        <translation>Close (ESC)</translation>
    </message>
    <message>
        <source>Leertaste = zurücksetzen</source>
        <translation>Space = reset</translation>
    </message>
    <message>
        <source>Nächster Tanz: %1</source>
        <translation>Next dance: %1</translation>
    </message>
</context>
<context>
    <name>RoundCheck</name>
    <message>
        <source>%1, Durchgang %2</source>
        <translation>%1, heat %2</translation>
    </message>
    <message>
        <source>%1: keine Musik gewählt</source>
        <translation>%1: no music chosen</translation>
    </message>
    <message>
        <source>%1: „%2“ fehlt</source>
        <translation>%1: “%2” is missing</translation>
    </message>
    <message>
        <source>%1: „%2“ ist nicht lesbar</source>
        <translation>%1: “%2” is not readable</translation>
    </message>
    <message>
        <source>%1: „%2“ ist noch nicht analysiert</source>
        <translation>%1: “%2” is not analysed yet</translation>
    </message>
    <message>
        <source>%1: „%2“: %3</source>
        <translation>%1: “%2”: %3</translation>
    </message>
</context>
<context>
    <name>RoundPlan</name>
    <message>
        <source>Tanzzeit auf %1 s gesetzt: die Regel erlaubt %2–%3 s.</source>
        <translation>Dancing time set to %1 s: the rules allow %2–%3 s.</translation>
    </message>
    <message>
        <source>Tanzzeit auf %1 s gesetzt: die Regel schreibt %2 s vor.</source>
        <translation>Dancing time set to %1 s: the rules ask for %2 s.</translation>
    </message>
    <message>
        <source>Tanzzeit auf %1 s gesetzt: sie muss positiv sein.</source>
        <translation>Dancing time set to %1 s: it must be positive.</translation>
    </message>
    <message>
        <source>Anzahl der Durchgänge auf %1 gesetzt: erlaubt sind 1 bis %2.</source>
        <translation>Number of heats set to %1: 1 to %2 are allowed.</translation>
    </message>
</context>
<context>
    <name>RoundPlayer</name>
    <message>
        <source>%1 hat keine Musik.</source>
        <translation>%1 has no music.</translation>
    </message>
    <message>
        <source>Die Musik von %1 wird noch geprüft.</source>
        <translation>The music of %1 is still being checked.</translation>
    </message>
    <message>
        <source>%1 lässt sich nicht spielen: %2</source>
        <translation>%1 cannot be played: %2</translation>
    </message>
    <message>
        <source>Keine Tonausgabe.</source>
        <translation>No sound output.</translation>
    </message>
    <message>
        <source>Die Musik brach ab: %1</source>
        <translation>The music broke off: %1</translation>
    </message>
    <message>
        <source>Die Tonausgabe ist verloren gegangen.</source>
        <translation>The sound output has gone away.</translation>
    </message>
    <message>
        <source>Die Tonausgabe ist verloren gegangen. Die Musik geht weiter, wo sie zuletzt zu hören war, sobald die Tonausgabe wieder da ist; Esc beendet den Durchgang.</source>
        <translation>The sound output has gone. The music goes on where it was last heard as soon as the output is back; Esc ends the heat.</translation>
    </message>
</context>
<context>
    <name>RuleInfoWindow</name>
    <message>
        <source>Klasse</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Runde</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>Taktzahl</source>
        <translation>Bars/min.</translation>
    </message>
    <message>
        <source>Tanzzeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Tanz</source>
        <translation>Dance</translation>
    </message>
    <message>
        <source>Paare</source>
        <translation>#couples</translation>
    </message>
    <message>
        <source>Takt</source>
        <translation>Beat</translation>
    </message>
    <message>
        <source>Fuß/Akro</source>
        <translation>Foot/Acro</translation>
    </message>
</context>
<context>
    <name>RunningOrder</name>
    <message>
        <source>Die Regeltabelle enthält die Runde „%1“ nicht.</source>
        <translation>The rule table does not hold the round “%1”.</translation>
    </message>
</context>
<context>
    <name>SpeedConversionWindow</name>
    <message>
        <source>Ist-Tempo:</source>
        <translation>actual speed:</translation>
    </message>
    <message>
        <source>Takte/Minute</source>
        <translation>bars/minute</translation>
    </message>
    <message>
        <source>Soll-Tempo:</source>
        <translation>desired speed:</translation>
    </message>
    <message>
        <source>Anpassung:</source>
        <translation>Adaption:</translation>
    </message>
    <message>
        <source>&amp;Berechnen</source>
        <translation>E&amp;valuate</translation>
    </message>
    <message>
        <source>&amp;Zurücksetzen</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>Sie müssen als Soll-Tempo einen gültige Zahl angeben</source>
        <translation>Please enter a valid integer number</translation>
    </message>
    <message>
        <source>Sie müssen als Ist-Tempo eine gültige Zahl angeben</source>
        <translation>Plase enter a valid number for actual speed</translation>
    </message>
    <message>
        <source>Takt-Anpassung</source>
        <translation>Adapt beat</translation>
    </message>
</context>
<context>
    <name>StopTimeWindow</name>
    <message>
        <source>Paar 1</source>
        <translation>First couple</translation>
    </message>
    <message>
        <source>Paar 2</source>
        <translation>Second couple</translation>
    </message>
    <message>
        <source>Paar 3</source>
        <translation>Third couple</translation>
    </message>
    <message>
        <source>H&amp;ilfe</source>
        <translation>He&amp;lp</translation>
    </message>
    <message>
        <source>alle &amp;starten</source>
        <translation>&amp;start all</translation>
    </message>
    <message>
        <source>alle a&amp;nhalten</source>
        <translation>sto&amp;p all</translation>
    </message>
    <message>
        <source>alle &amp;zurücksetzen</source>
        <translation>&amp;reset all</translation>
    </message>
    <message>
        <source>Paar %1: </source>
        <translation>Couple %1: </translation>
    </message>
    <message>
        <source>Zeit bestimmen</source>
        <translation>Stop time</translation>
    </message>
</context>
<context>
    <name>StopwatchControl</name>
    <message>
        <source>Zurücksetzen</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>TrackFigures</name>
    <message>
        <source>Nicht lesbar: %1</source>
        <translation>Unreadable: %1</translation>
    </message>
    <message>
        <source>Tempo unbekannt: wird unverändert gespielt</source>
        <translation>Tempo unknown: played unchanged</translation>
    </message>
    <message>
        <source>Solltempo verlangt %1, mehr als die Grenze: gespielt mit %2</source>
        <translation>Target tempo needs %1, more than the limit: played at %2</translation>
    </message>
    <message>
        <source>Gespielt mit %1 Takten/min außerhalb der Regel</source>
        <translation>Played at %1 bars/min, outside the rules</translation>
    </message>
    <message>
        <source>Zu kurz: ab Startpunkt %1 s, nötig Tanzzeit + Ausblenden</source>
        <translation>Too short: %1 s from the start point, dancing time + fade needed</translation>
    </message>
    <message>
        <source>Zu leise: lässt sich nicht auf die Ziellautstärke anheben</source>
        <translation>Too quiet: cannot be raised to the target loudness</translation>
    </message>
    <message>
        <source>Zu laut: lässt sich nicht auf die Ziellautstärke absenken</source>
        <translation>Too loud: cannot be lowered to the target loudness</translation>
    </message>
    <message>
        <source>Tempo unsicher: %1 oder %2 Takte/min; wird unverändert gespielt</source>
        <translation>Tempo uncertain: %1 or %2 bars/min; played unchanged</translation>
    </message>
</context>
</TS>
