#!/usr/bin/env python3
"""Writes the delivered rule and info files (Windows-1252, CR LF) into data/.

Run from anywhere: python3 tools/make_rule_data.py
The keys (first two columns of the rule files) must match the selection lists
of the main window, in their order.
"""
from pathlib import Path

DATA = Path(__file__).resolve().parent.parent / "data"

# German and English keys side by side, then bars/min, metronome, dancing time.
RNR = [
    ("Schüler", "Youth", "Vor-/Zwischenrunde", "Preliminary round", "47", "188", "90-105s"),
    ("Schüler", "Youth", "Endrunde", "Final round", "47-48", "188-192", "90-105s"),
    ("Junioren", "Juniors", "Vor-/Zwischenrunde", "Preliminary round", "47", "188", "90-105s"),
    ("Junioren", "Juniors", "Endrunde", "Final round", "47-48", "188-192", "90-105s"),
    ("D-Klasse", "D Class", "Vor-/Zwischenrunde", "Preliminary round", "48", "192", "90-105s"),
    ("D-Klasse", "D Class", "Endrunde", "Final round", "48-49", "192-196", "90-105s"),
    ("C-Klasse", "C Class", "-", "-", "48", "192", "90-105s"),
    ("B-Klasse", "B Class", "Fußtechnik", "foot technique", "50-52", "200-208", "60-75s"),
    ("B-Klasse", "B Class", "Akrobatik", "acrobatics", "48-50", "192-200", "90-105s"),
    ("A-Klasse", "A Class", "Fußtechnik", "foot technique", "50-52", "200-208", "60-75s"),
    ("A-Klasse", "A Class", "Akrobatik", "acrobatics", "48-50", "192-200", "90-105s"),
]

BOOGIE_ROUNDS = [
    ("Vor-/Zwischenrunde", "Quali/Main round", "50-52", "200-208", "90-105s"),
    ("Endrunde (langsam)", "Final (slow)", "28-30", "112-120", "90-105s"),
    ("Endrunde (schnell)", "Final (quick)", "50-52", "200-208", "90-105s"),
]
BOOGIE = [("Jugendklasse", "Juniors", "-", "-", "50-52", "200-208", "90-105s")] + [
    (de, en) + r for de, en in (("Hauptklasse", "Main Class"), ("Oldieklasse", "Seniors"))
    for r in BOOGIE_ROUNDS
]

STANDARD = [
    ("Langsamer Waltzer", "Slow Waltz", "3/4", "3/4", "28-30", "84-90", "90-120s"),
    ("Tango", "Tango", "4/4", "4/4", "31-33", "124-132", "90-120s"),
    ("Wiener Waltzer", "Vienna Waltz", "3/4", "3/4", "58-60", "174-180", "90-120s"),
    ("Wiener Waltzer (Sen IV)", "Vienna Waltz (Sen IV)", "3/4", "3/4", "58-60", "174-180", "60-90s"),
    ("Slow Fox", "Slow Fox", "4/4", "4/4", "28-30", "112-120", "90-120s"),
    ("Quickstep", "Quickstep", "4/4", "4/4", "50-52", "200-208", "90-120s"),
]

LATIN = [
    ("Samba", "Samba", "2/4", "2/4", "50-52", "100-104", "90-120s"),
    ("Cha-Cha", "Cha-Cha", "4/4", "4/4", "30-32", "120-128", "90-120s"),
    ("Rumba", "Rumba", "4/4", "4/4", "25-27", "100-108", "90-120s"),
    ("Paso Doble", "Paso Doble", "2/4", "2/4", "60-62", "120-124", "90-150s"),
    ("Jive", "Jive", "4/4", "4/4", "42-44", "168-176", "90-120s"),
]

DTV_DE = "Turnier- und Sportordnung des DTV, Turniertänze, Stand 05/2023"
DTV_EN = "German federation's tournament rules (TSO), tournament dances, as of 05/2023"
DRBV_DE = "Turniersportordnung des DRBV, TSO 1.6 (09/2017)"
DRBV_EN = "German Rock'n'Roll federation's tournament rules, TSO 1.6 (09/2017)"

# Source lines name what the figures follow and which of them are not confirmed.
RULE_FILES = {
    "RockNRoll.dat": (RNR, DRBV_DE + "; D-Klasse-Tempi vorläufig",
                      DRBV_EN + "; D Class tempos provisional"),
    "BoogieWoogie.dat": (BOOGIE, DRBV_DE + "; Tanzzeiten vorläufig",
                         DRBV_EN + "; dancing times provisional"),
    "Standard.dat": (STANDARD, DTV_DE + "; Tempo Sen IV vorläufig",
                     DTV_EN + "; Sen IV tempo provisional"),
    "Latein.dat": (LATIN, DTV_DE + "; Paso Doble bis 2. Höhepunkt",
                   DTV_EN + "; Paso Doble to 2nd highlight"),
}

FORMATIONS_DE = (
    "Turnierordnungen von DTV (Stand 05/2023) und DRBV (TSO 1.6, 09/2017)",
    [
        ("Standard", "Formation", "6-8 (+4 Ersatz)", "wie Einzeltänze", "-", "max. 360s, 270s gewertet"),
        ("Latein", "Formation", "6-8 (+4 Ersatz)", "wie Einzeltänze", "-", "max. 360s, 270s gewertet"),
        ("Rock'n'Roll", "Jugend", "4-6", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Master", "4-6", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Girl, Lady", "8-16 Tänzer", "48-52", "192-208", "165-180s Endrunde"),
        ("Rock'n'Roll", "Girl, Lady", "8-16 Tänzer", "48-52", "192-208", "90-105s sonst"),
    ],
)
FORMATIONS_EN = (
    "German federations' tournament rules: dances 05/2023, Rock'n'Roll TSO 1.6 (09/2017)",
    [
        ("Ballroom", "Formation", "6-8 (+4 reserves)", "as single dances", "-", "max. 360s, 270s judged"),
        ("Latin", "Formation", "6-8 (+4 reserves)", "as single dances", "-", "max. 360s, 270s judged"),
        ("Rock'n'Roll", "Juniors", "4-6", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Master", "4-6", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Girl, Lady", "8-16 dancers", "48-52", "192-208", "165-180s final"),
        ("Rock'n'Roll", "Girl, Lady", "8-16 dancers", "48-52", "192-208", "90-105s other rounds"),
    ],
)

WDSF = "WDSF Competition Rules, updated 01.09.2018"
INTERNATIONAL = {
    "I_Standard.dat": (WDSF, [
        ("Slow Waltz", "3/4", "28-30", "84-90", "90-120s"),
        ("Tango", "4/4", "31-33", "124-132", "90-120s"),
        ("Viennese Waltz", "3/4", "58-60", "174-180", "90-120s"),
        ("Slow Foxtrot", "4/4", "28-30", "112-120", "90-120s"),
        ("Quickstep", "4/4", "50-52", "200-208", "90-120s"),
    ]),
    "I_Latein.dat": (WDSF, [
        ("Samba", "2/4", "50-52", "100-104", "90-120s"),
        ("Cha Cha Cha", "4/4", "30-32", "120-128", "90-120s"),
        ("Rumba", "4/4", "25-27", "100-108", "90-120s"),
        ("Paso Doble", "2/4", "60-62", "120-124", "90-120s"),
        ("Jive", "4/4", "42-44", "168-176", "90-120s"),
    ]),
    # Rock'n'Roll is always 4/4: the metronome is four times the bars.
    "I_RockNRoll.dat": ("WRRC Tournament Rules 1.5, valid from 15.01.2023", [
        ("Children", "-", "45-47", "180-188", "60-75s"),
        ("Juveniles", "-", "47-49", "188-196", "90-105s"),
        ("Juniors", "-", "47-49", "188-196", "90-105s"),
        ("C-Class", "-", "48-50", "192-200", "90-105s"),
        ("Main Class Contact Style", "foot technique", "50-52", "200-208", "60-75s"),
        ("Main Class Contact Style", "acrobatics", "48-50", "192-200", "90-105s"),
        ("Main Class Free Style", "foot technique", "50-52", "200-208", "60-75s"),
        ("Main Class Free Style", "acrobatics", "48-50", "192-200", "90-105s"),
    ]),
    "I_BoogieWoogie.dat": (
        "WRRC Technical Rules, Boogie Woogie Regulation TR_0007, version 1.0, 01/02/2020; tempos provisional", [
            ("Boogie-Woogie", "Preliminary (slow)", "28-30", "112-120", "75s"),
            ("Boogie-Woogie", "Preliminary (fast)", "50-52", "200-208", "75s"),
            ("Boogie-Woogie", "Redance (fast)", "50-52", "200-208", "75s"),
            ("Boogie-Woogie", "Main/Final (slow)", "28-30", "112-120", "90s"),
            ("Boogie-Woogie", "Main/Final (fast)", "50-52", "200-208", "90s"),
        ]),
    "I_Formationen.dat": ("WDSF Competition Rules F.1-F.2; WRRC Scoring Formations 2.01, January 2018", [
        ("Ballroom", "Formation", "6-8", "as single dances", "-", "max. 360s, 270s judged"),
        ("Latin", "Formation", "6-8", "as single dances", "-", "max. 360s, 270s judged"),
        ("Rock'n'Roll", "Junior", "-", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Main Class", "-", "48-52", "192-208", "165-180s"),
        ("Rock'n'Roll", "Girls, Ladies", "-", "48-52", "192-208", "165-180s final"),
        ("Rock'n'Roll", "Girls, Ladies", "-", "48-52", "192-208", "90-105s other rounds"),
    ]),
}


def write(path, source, rows):
    lines = [source] + ["".join(cell + ";" for cell in row) for row in rows]
    for line in lines[1:]:
        assert len(line) <= 255, line
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp1252"))


def main():
    for name, (rows, source_de, source_en) in RULE_FILES.items():
        write(DATA / "de" / name, source_de, [(r[0], r[2]) + r[4:] for r in rows])
        write(DATA / "en" / name, source_en, [(r[1], r[3]) + r[4:] for r in rows])
    write(DATA / "de" / "Formationen.dat", *FORMATIONS_DE)
    write(DATA / "en" / "Formationen.dat", *FORMATIONS_EN)
    for name, (source, rows) in INTERNATIONAL.items():
        write(DATA / name, source, rows)


if __name__ == "__main__":
    main()
