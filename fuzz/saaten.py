#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

    fuzz/saaten.py build/src/headless/fakturbuch-headless

The seeded file of a new data file comes from the driver itself; every other record is built here
from the record layout. Inputs that a fuzz run found are kept beside the seeds under their own
names; this script overwrites only the seeds it writes.
"""
import json
import os
import struct
import subprocess
import sys
import tempfile

G = 2642
ORDNER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")

# Offsets and capacities of the record's text fields; capacity 0: one letter, no length byte.
FELDER = {
    "KundenNummer": (0, 5), "Anrede": (6, 5), "Firma": (12, 30), "Name": (43, 30), "Vorname": (74, 30),
    "Zusatz": (105, 30), "Strasse": (136, 40), "Nummer": (177, 5), "PLZ": (183, 5), "Ort": (189, 30),
    "Land": (220, 30), "Telephon": (251, 30), "Fax": (282, 30), "Mail": (313, 30), "InternetAdresse": (344, 30),
    "Fahrzeug": (375, 30), "Bemerkung": (406, 255), "RechnungsNummer": (662, 6), "RechnungsKennZeichen": (669, 0),
    "ZahlungsEingang": (670, 10), "LieferKennzeichen": (681, 0), "ZolltarifNummer": (682, 15),
    "VersandKosten": (2548, 6), "NachnameKosten": (2555, 6), "SonstigeKosten": (2562, 6),
    "BezeichnungSonstigeKosten": (2569, 30), "LeistungsDatum": (2600, 10), "RechnungsDatum": (2611, 10),
    "SystemStempelDatum": (2622, 10), "SystemStempelZeit": (2633, 8),
}
for k in range(1, 26):
    o = 698 + 74 * (k - 1)
    FELDER[f"Position{k:02}"] = (o, 50)
    FELDER[f"ME{k:02}"] = (o + 51, 3)
    FELDER[f"Menge{k:02}"] = (o + 55, 7)
    FELDER[f"Preis{k:02}"] = (o + 63, 10)


def satz(**felder):
    """A record with these texts (str in Windows-1252, or bytes as stored); a length may be forced
    with a (bytes, length byte) pair, as in a damaged file."""
    b = bytearray(G)
    for name, wert in felder.items():
        offset, kapazitaet = FELDER[name]
        if kapazitaet == 0:
            b[offset] = wert.encode("cp1252")[0] if wert else 0
            continue
        laenge = None
        if isinstance(wert, tuple):
            wert, laenge = wert
        roh = wert if isinstance(wert, bytes) else wert.encode("cp1252")
        roh = roh[:kapazitaet]
        b[offset] = len(roh) if laenge is None else laenge
        b[offset + 1:offset + 1 + len(roh)] = roh
    return bytes(b)


def kunde(nr, name, vorname, rechnung, art="R", datum="07.12.2026", region="B", **weitere):
    return satz(KundenNummer=nr, Anrede="Herr", Name=name, Vorname=vorname, Strasse="Hauptstraße", Nummer="7",
                PLZ="10115", Ort="Köln", RechnungsNummer=rechnung, RechnungsKennZeichen=art, RechnungsDatum=datum,
                LeistungsDatum=datum, LieferKennzeichen=region, SystemStempelDatum="08.12.2026",
                SystemStempelZeit="10:15:00", **weitere)


def schreiben(ziel, name, daten):
    os.makedirs(os.path.join(ORDNER, ziel), exist_ok=True)
    with open(os.path.join(ORDNER, ziel, name), "wb") as f:
        f.write(daten)


def neue_datei(fahrer):
    """The 52 records of a new data file, as the program seeds them."""
    with tempfile.TemporaryDirectory() as ordner:
        pfad = os.path.join(ordner, "neu.fba")
        skript = [{"uhr": "08.12.2026 10:15:00"}, {"antwort": "nein"}, {"start": True}, {"dialog": pfad},
                  {"antwort": "ja"}, {"klick": "Neu"}]
        subprocess.run([fahrer], input="\n".join(json.dumps(z) for z in skript), text=True, check=True,
                       capture_output=True)
        with open(pfad, "rb") as f:
            return f.read()


def utf16(text):
    return text.encode("utf-16-le")


def main():
    neu = neue_datei(sys.argv[1])
    parameter = neu[:G]

    # Record decoder: a record, then a typed text as UTF-16.
    schreiben("satzdekoder", "parametersatz", parameter + utf16("Grüße, 4,90 €"))
    schreiben("satzdekoder", "umlaute-und-zahlen",
              satz(KundenNummer="00051", Anrede="Frau", Name="Müller-Lüdenscheidt", Vorname="Jürgen",
                   Bemerkung="Zahlt pünktlich.\rSkonto 2 %", RechnungsNummer="$1F", ZahlungsEingang="0x7FFFFFFF",
                   Menge01="-2147483648", Preis01="2147483648", Position01="Fliesen verlegen – 30 × 60",
                   RechnungsKennZeichen="R") + utf16("Ωmega ÄÖÜ äöü ß ‰ “ ” ‚ ŸŽž"))
    schreiben("satzdekoder", "beschaedigte-laengen",
              satz(KundenNummer=(b"12 ", 255), Name=(b"\x81\x8d\x8f\x90\x9d", 31), Bemerkung=(b"\x00" * 10, 200),
                   RechnungsNummer=(b"  +12", 7), SystemStempelZeit=(b"99:99:99", 9)))
    schreiben("satzdekoder", "kurz", b"\x05000")

    # Navigation: choices (1 search, 2 an impossible character, 4 "Alles"), length of the text, the text, the file.
    def navigation(name, wahl, text, datei):
        roh = text.encode("cp1252")
        schreiben("navigation", name, bytes([wahl, len(roh)]) + roh + datei)

    kunden = (parameter + kunde("00002", "Müller", "Jörg", "000052", region="E", Position01="Fliesen verlegen")
              + kunde("00002", "Müller", "Jörg", "000053", art="A", Position01="Anfahrt")
              + kunde("00003", "MÜLLER", "Hans", "000054", art="L")
              + kunde("00004", "Weiß", "Käthe", "000055", art="B", ZahlungsEingang="09.12.2026"))
    navigation("neue-datei-alles", 4, "", neu)
    navigation("suche-mueller", 1, "müller", kunden)
    navigation("suche-ohne-treffer", 1, "Xylophon", kunden)
    navigation("kategorie", 0, "00002 - Müller, Jörg", kunden)
    navigation("beschaedigt", 1, "a",
               parameter + kunde("0x1G", "Name ~~~ mit Tilden", "", "000060") + kunde("00005", "X", "Y", "12 34")
               + satz(Name=(b"Lang", 255), RechnungsKennZeichen="V") + b"\x06000061" + b"\x00" * 90)

    # Invoice check: choices (1 raw parameter record), the rate (or the record), then one text a line:
    # region, three costs, quantity and price of 25 lines.
    def rechnung(name, erstes, zeilen, wahl=0):
        text = "\n".join(zeilen).encode("cp1252")
        schreiben("rechnung", name, bytes([wahl]) + erstes + (b"" if wahl & 1 else b"\n") + text)

    posten = ["2", "12,5", "1,25", "5", "1.500", "12.50", "10000", "1", "", "999999,99", "3", "0,00", "0", "5",
              "0,1", "1,15", "1,5", "0,15", "9999,9", "1000000", "12,", "4,", "-5", "1,2,3"]
    rechnung("inland", b"   19,0", ["B", "4,9", "", ""] + posten)
    rechnung("eu-ohne-ust", b"   19,0", ["E", "", "", "12,50"] + posten)
    rechnung("ust-mit-zwei-stellen", b"19,00", ["B", "", "", ""] + posten[:4])
    rechnung("ust-fehlt", b"", ["B"])
    rechnung("ust-zu-gross", b"100", ["B", "", "", ""] + ["1", "100"])
    rechnung("kosten-zu-gross", b"   19,0", ["B", "1000", "", ""])
    rechnung("zahl-zu-lang", b"   19,0", ["B", "", "", ""] + ["99999999999", "1", "1", "99999999999"])
    rechnung("parametersatz-roh", parameter, ["B", "", "", ""] + posten, wahl=1)

    # Period query: two dates, the kind (0 A, 1 R, 2 B), choices (1 the parameter record from the input), records.
    def fahndung(name, von, bis, art, wahl, daten):
        kopf = b"".join(struct.pack(">HBB", j - 1, m - 1, t - 1) for j, m, t in (von, bis))
        schreiben("fahndung", name, kopf + bytes([art, wahl]) + daten)

    posten_satz = dict(Position01="Fliesen verlegen", Menge01="    2,0", Preis01="     49,50", Position02="Anfahrt",
                       Menge02="    1,0", Preis02="     35,00", VersandKosten="  4,90")
    rechnungen = (kunde("00002", "Müller", "Jörg", "000051", datum="01.03.2025", **posten_satz)
                  + kunde("00003", "Weiß", "Käthe", "000052", datum="15.03.2025", region="E", **posten_satz)
                  + kunde("00003", "Weiß", "Käthe", "000053", datum="15.03.2025", art="L", **posten_satz)
                  + kunde("00004", "Groß", "Uwe", "000054", datum="31.12.2025", Menge01="   1,25", Preis01="5")
                  + kunde("00005", "Lang", "Ute", "000055", datum="01.01.2026", Preis01="99999999999", Menge01="1")
                  + kunde("00006", "Bär", "Björn", "000056", art="B", ZahlungsEingang="02.03.2025", **posten_satz))
    fahndung("rechnungen-2025", (2025, 1, 1), (2025, 12, 31), 1, 0, rechnungen)
    fahndung("bezahlte", (2025, 1, 1), (2025, 12, 31), 2, 0, rechnungen)
    fahndung("ein-tag", (2025, 3, 15), (2025, 3, 15), 1, 0, rechnungen)
    fahndung("zeitraum-falsch", (2026, 1, 1), (2025, 1, 1), 1, 0, rechnungen)
    fahndung("ust-kaputt", (2025, 1, 1), (2026, 12, 31), 1, 1, satz(Menge01="19,99", RechnungsKennZeichen="P")
             + rechnungen + b"\x01\x02\x03")

    # Driver: scripts of JSON lines, good and bad.
    def treiber(name, zeilen):
        schreiben("treiber", name, "\n".join(z if isinstance(z, str) else json.dumps(z, ensure_ascii=False)
                                              for z in zeilen).encode("utf-8"))

    treiber("neue-datei-und-satz", [
        {"uhr": "08.12.2026 10:15:00"}, {"antwort": "nein"}, {"start": True}, {"dialog": "daten.fba"},
        {"antwort": "ja"}, {"klick": "Neu"}, {"waehle": {"ListBoxObjekt": 51}}, {"klick": "ButtonRechnung"},
        {"klick": "SpeedButtonRechnungsNummer"}, {"eingabe": {"Name": "Müller", "Menge01": "2", "Preis01": "12,5"}},
        {"klick": "SpeedButtonPruefung"}, {"klick": "Satz_Neu"}, {"waehle": {"Baum": [1, 0]}},
        {"eingabe": {"EditSuchText": "müller"}}, {"klick": "ButtonSuche"}, {"zustand": True}])
    treiber("fahndung-und-bezahlt", [
        {"start": True}, {"dialog": "daten.fba"}, {"antwort": "ja"}, {"klick": "Oeffnen"},
        {"kalender": {"MonthCalendarVon": "01.01.2020", "MonthCalendarBis": "31.12.2030"}},
        {"klick": "ButtonFahndungA"}, {"klick": "BitBtnStartFahndung"}, {"waehle": {"ListBoxFahndung": 0}},
        {"klick": "BitBtnSetzenRKZ"}, {"druckdialog": True}, {"klick": "BitBtnDruckFahndung"},
        {"klick": "Speichern"}, {"dialog": "kopie.fba"}, {"klick": "SpeichernUnter"}, {"klick": "Loeschen"},
        {"schliessen": True}])
    treiber("drucken-vorlagen-knoepfe", [
        {"uhr": "08.12.2026 10:15:00"}, {"antwort": "nein"}, {"start": True}, {"dialog": "daten.fba"},
        {"antwort": "ja"}, {"klick": "Neu"}, {"waehle": {"ListBoxObjekt": 51}}, {"druckdialog": True},
        {"klick": "BitBtnDruck"}, {"schritt": {"UpDownKunde": "auf"}}, {"klick": "BitBtnLadenVorlageKunde"},
        {"schritt": {"UpDownRechnung": "auf"}}, {"klick": "BitBtnVorlageLadenRechnung"}, {"klick": "ButtonFrau"},
        {"klick": "SpeedButtonKundenNummer"}, {"klick": "SpeedButtonLeistungsDatum"}, {"klick": "ButtonEU"},
        {"eingabe": {"Bemerkung": "Grüße\rzweite Zeile", "VersandKosten": "4,9", "Position02": "Anfahrt"}},
        {"druckdialog": True}, {"klick": "BitBtnDruck"}, {"klick": "Satz_Speichern"}, {"antwort": "ja"},
        {"waehle": {"ListBoxObjekt": 52}}, {"klick": "Satz_Loeschen"}, {"klick": "FKBHilfe"}, {"klick": "Info"},
        {"klick": "Ikons"}, {"klick": "Volltextsuche"}, {"klick": "WarnungenHinweise"}, {"seite": "Rechnung"},
        {"kalender": {"MonthCalendarVon": "01.01.2020", "MonthCalendarBis": "31.12.2030"}},
        {"klick": "ButtonFahndungA"}, {"klick": "BitBtnStartFahndung"}, {"druckdialog": True},
        {"klick": "BitBtnDruckFahndung"}, {"zustand": True}])
    treiber("ungueltig", [
        "", "kein json", "[1, 2]", '{"klick": "Neu", "start": true}', '{"unbekannt": 1}', '{"klick": 7}',
        '{"start": true}', '{"waehle": {"ListBoxObjekt": 99999999999}}', '{"waehle": {"Baum": [-1, "x"]}}',
        '{"eingabe": {"Name": "a\\u0000b"}}', '{"kalender": {"MonthCalendarVon": "31.02.2026"}}',
        '{"schritt": {"UpDownKunde": "seitwaerts"}}', '{"seite": "Nirgends"}', '{"dialog": 5}',
        '{"uhr": "99.99.9999 99:99:99"}', "[" * 100 + "]" * 100, '{"zustand": true}'])


if __name__ == "__main__":
    main()
