<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
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
    <name>TFrmInfo</name>
    <message>
        <source>über Vantor</source>
        <translation>about Vantor</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
</TS>
