// "Speichern" (compaction), "Speichern unter..." and "Löschen" of the data file.
#include "Datenwerkzeug.h"
#include "Fehlerspritze.h"
#include "Formularumgebung.h"
#include "data/Ersatzdatei.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using namespace fkb;
using namespace fkb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;

std::string bytesVon(const DatenSatz& s) {
    return {s.bytes.begin(), s.bytes.end()};
}

// The seeded file and eight customer records 52 to 59, of which `geloescht` are marked deleted;
// the window shows it. Returns the bytes the compacted file must hold.
std::string mitGeloeschten(Formularumgebung& u, const std::vector<int>& geloescht, std::size_t rest = 0) {
    for (int i = 52; i < 60; ++i) {
        const bool tot = std::find(geloescht.begin(), geloescht.end(), i) != geloescht.end();
        DatenDatei(u.pfad).anhaengen(kunde("000" + std::to_string(i), "Kunde" + std::to_string(i), "V",
                                           "000" + std::to_string(i), tot ? Kennzeichen::Geloescht : "ARB"[i % 3]));
    }
    for (int i : geloescht)
        if (i < 52) {
            DatenSatz s = u.satz(i);
            s.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
            u.schreiben(i, s);
        }
    bytesAnhaengen(u.pfad, std::string(rest, 'R'));
    u.f.waehleKategorie("Alles");
    std::string erwartet;
    for (std::int64_t i = 0; i < u.anzahl(); ++i)
        if (u.satz(i).zeichen(SatzFeld::RechnungsKennZeichen) != Kennzeichen::Geloescht)
            erwartet += bytesVon(u.satz(i));
    u.p.vergessen();
    return erwartet;
}

std::vector<std::string> eintraege(const TempOrdner& ordner) {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner.wurzel()))
        namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
}

bool tempDateiDa(const TempOrdner& ordner) {
    for (const std::string& name : eintraege(ordner))
        if (name.starts_with(Ersatzdatei::TempPraefix))
            return true;
    return false;
}

mode_t rechte(const std::string& pfad) {
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

ino_t inode(const std::string& pfad) {
    struct stat st {};
    return ::stat(pfad.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::string verdichtet(const std::string& pfad) {
    return "Aus Datei " + pfad + "\r wurden die als gelöscht markierten Datensätze entfernt.";
}
std::string gespeichert(const std::string& ziel) {
    return "Datei unter " + ziel + "\r gespeichert!";
}
std::string nichtGespeichert(const std::string& ziel) {
    return "Datei " + ziel + "\r konnte nicht gespeichert werden!\r Prüfe Verzeichnis / Datei!";
}
std::string keineDatei(const std::string& pfad) {
    return "BedienFehler - " + pfad + " ist keine Datei!\rPrüfe Verzeichnis / Datei!";
}
using Texte = std::vector<std::string>;

} // namespace

TEST(Verdichten, EntferntNurDieGeloeschtenSaetze) {
    struct Fall {
        const char* was;
        std::vector<int> geloescht;
        bool hinweise;
        std::size_t rest; // bytes of a partial record behind the last one
    };
    for (const Fall& fall :
         {Fall{"three, hints on", {52, 54, 57}, true, 0},
          Fall{"three, first and last customer record, hints off", {51, 55, 59}, false, 0},
          Fall{"none: rewritten all the same", {}, true, 0}, Fall{"a partial tail goes too", {53}, false, 700}}) {
        SCOPED_TRACE(fall.was);
        Formularumgebung u(fall.hinweise);
        const std::string erwartet = mitGeloeschten(u, fall.geloescht, fall.rest);
        const std::size_t vorher = u.datei().size();
        ASSERT_EQ(::chmod(u.pfad.c_str(), 0640), 0);
        const ino_t alt = inode(u.pfad);

        u.f.klick("SpeedButtonSpeichern");

        EXPECT_EQ(vorher - u.datei().size(), fall.geloescht.size() * G + fall.rest);
        EXPECT_TRUE(u.datei() == erwartet) << "every other record byte for byte, in order";
        EXPECT_NE(inode(u.pfad), alt) << "a new file took the old one's place";
        EXPECT_EQ(rechte(u.pfad), mode_t(0640));
        EXPECT_EQ(eintraege(u.ordner), Texte{"daten.fba"});
        EXPECT_EQ(u.p.texte("Information"), fall.hinweise ? Texte{verdichtet(u.pfad)} : Texte{});
        EXPECT_EQ(u.p.meldungen.size(), fall.hinweise ? 1u : 0u);
        // Reloaded: the list follows the new record numbers.
        EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), erwartet.size() / G);
        EXPECT_EQ(u.f.AnzahlSaetze, std::int32_t(erwartet.size() / G));
        EXPECT_TRUE(u.f.Speichern.aktiv);
    }
}

TEST(Verdichten, EineLeereDateiWirdAbgewiesen) {
    for (std::size_t laenge : {std::size_t(0), G - 1}) {
        SCOPED_TRACE(laenge);
        Formularumgebung u(false);
        { std::ofstream(u.pfad, std::ios::binary | std::ios::trunc) << std::string(laenge, 'x'); }
        const std::string vorher = u.datei();
        u.f.klick("Speichern");
        EXPECT_EQ(u.p.texte("Information"), Texte{"LogikFehler! Datei " + u.pfad +
                                                  " ist leer!\r"
                                                  "Datei muss mindestens ParameterSatz beinhalten!"});
        EXPECT_EQ(u.p.meldungen.size(), 1u);
        EXPECT_EQ(u.datei(), vorher);
        EXPECT_EQ(eintraege(u.ordner), Texte{"daten.fba"});
        EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), 52u) << "nothing reloaded";
    }
}

// Every system call of the command fails in turn. Whatever fails, the data file is either the old
// one byte for byte or the whole compacted one, the success message comes with the second only,
// and no temporary file is left.
TEST(Verdichten, EinFehlerAnJederStelleVerliertNichts) {
    Formularumgebung u(true);
    const std::string erwartet = mitGeloeschten(u, {52, 55, 58});
    const std::string alt = u.datei();
    auto zurueck = [&] {
        std::ofstream(u.pfad, std::ios::binary | std::ios::trunc) << alt;
        u.p.vergessen();
    };
    std::array<int, Fehlerspritze::Arten> aufrufe{};
    {
        Fehlerspritze zaehlen;
        u.f.klick("Speichern");
        for (int art = 0; art < Fehlerspritze::Arten; ++art)
            aufrufe[std::size_t(art)] = zaehlen.aufrufe(Fehlerspritze::Aufruf(art));
    }
    ASSERT_TRUE(u.datei() == erwartet);
    ASSERT_GE(aufrufe[Fehlerspritze::Rename], 1);
    ASSERT_GE(aufrufe[Fehlerspritze::Fsync], 2) << "the new file and its folder";

    int vorDemUmbenennen = 0;
    for (int art = 0; art < Fehlerspritze::Arten; ++art)
        for (int nummer = 1; nummer <= aufrufe[std::size_t(art)]; ++nummer) {
            SCOPED_TRACE("call " + std::to_string(art) + " #" + std::to_string(nummer));
            zurueck();
            {
                Fehlerspritze spritze;
                spritze.fehlschlagen(Fehlerspritze::Aufruf(art), nummer, EIO);
                u.f.klick("Speichern");
            }
            const bool ersetzt = u.datei() == erwartet;
            EXPECT_TRUE(ersetzt || u.datei() == alt);
            EXPECT_FALSE(tempDateiDa(u.ordner));
            const Texte erfolg = u.p.texte("Information");
            EXPECT_EQ(erfolg, ersetzt ? Texte{verdichtet(u.pfad)} : Texte{});
            if (!ersetzt) {
                EXPECT_EQ(u.p.texte("Fehler"), Texte{"E/A-Fehler " + std::to_string(EIO)});
                ++vorDemUmbenennen;
            }
        }
    EXPECT_GE(vorDemUmbenennen, 8) << "open, reads, writes, flush, close and rename";

    // A disk that fills up half-way through the new file.
    zurueck();
    mitDateigrenze(alt.size() / 2, [&] { u.f.klick("Speichern"); });
    EXPECT_EQ(u.p.texte("Fehler"), Texte{"Zu wenig Speicherplatz"});
    EXPECT_TRUE(u.p.texte("Information").empty());
    EXPECT_TRUE(u.datei() == alt);
    EXPECT_EQ(eintraege(u.ordner), Texte{"daten.fba"});
}

TEST(SpeichernUnter, AufDieDateiSelbstKopiertNichts) {
    Formularumgebung u(true);
    mitGeloeschten(u, {53});
    fs::create_symlink(u.pfad, u.ordner.pfad("verweis.fba"));
    const std::string alt = u.datei();
    const ino_t knoten = inode(u.pfad);
    for (const std::string& ziel : {u.pfad, u.ordner.pfad(".") + "/daten.fba", u.ordner.pfad("verweis.fba")}) {
        SCOPED_TRACE(ziel);
        u.p.vergessen();
        u.p.gezeigteDialoge.clear();
        u.p.dialoge.push_back(ziel);
        u.p.antworten.push_back(true);
        u.f.klick("SpeichernUnter");

        ASSERT_EQ(u.p.gezeigteDialoge.size(), 1u);
        const DateiDialog& d = u.p.gezeigteDialoge[0];
        EXPECT_EQ(d.art, DialogArt::Speichern);
        EXPECT_EQ(d.titel + "|" + d.filter + "|" + d.endung + "|" + d.ordner + "|" + d.name,
                  "Datei speichern|Fakturablage FBA (*.fba)|*.fba|FBA|" + u.ordner.pfad("") + "|" + u.pfad);
        EXPECT_EQ(u.p.texte("Bestätigung"),
                  Texte{"Datei " + ziel + " existiert bereits!\r Soll Datei überschrieben werden?"});
        EXPECT_EQ(u.p.texte("Information"), Texte{gespeichert(ziel)});
        EXPECT_TRUE(u.datei() == alt);
        EXPECT_EQ(inode(u.pfad), knoten) << "not even rewritten";
        EXPECT_TRUE(fs::is_symlink(u.ordner.pfad("verweis.fba")));
        EXPECT_EQ(eintraege(u.ordner), (Texte{"daten.fba", "verweis.fba"}));
    }
}

TEST(SpeichernUnter, AufEineAndereDatei) {
    struct Fall {
        const char* was;
        bool zielDa;
        std::optional<bool> antwort; // nothing: no question expected
        bool hinweise;
        bool kopiert;
    };
    for (const Fall& fall :
         {Fall{"new, hints off: silent", false, std::nullopt, false, true},
          Fall{"new, hints on", false, std::nullopt, true, true}, Fall{"existing, Yes", true, true, true, true},
          Fall{"existing, Yes, hints off", true, true, false, true}, Fall{"existing, No", true, false, true, false}}) {
        SCOPED_TRACE(fall.was);
        Formularumgebung u(fall.hinweise);
        mitGeloeschten(u, {52, 56}, 100);
        ASSERT_EQ(::chmod(u.pfad.c_str(), 0640), 0);
        u.waehleSatz(53);
        const std::string quelle = u.datei();
        const std::string ziel = u.ordner.pfad("kopie.fba");
        const std::string zielAlt = "nur ein paar Bytes";
        if (fall.zielDa) {
            std::ofstream(ziel, std::ios::binary) << zielAlt;
            ASSERT_EQ(::chmod(ziel.c_str(), 0600), 0);
        }
        u.p.dialoge.push_back(ziel);
        if (fall.antwort)
            u.p.antworten.push_back(*fall.antwort);
        u.f.klick("SpeedButtonSpeichernUnter");

        EXPECT_EQ(u.p.texte("Bestätigung"),
                  fall.antwort ? Texte{"Datei " + ziel + " existiert bereits!\r Soll Datei überschrieben werden?"}
                               : Texte{});
        EXPECT_EQ(u.p.texte("Information"), fall.kopiert && fall.hinweise ? Texte{gespeichert(ziel)} : Texte{});
        EXPECT_TRUE(dateiInhalt(ziel) == (fall.kopiert ? quelle : zielAlt)) << "as stored, deleted records and all";
        // A replaced file keeps its permissions; a new copy is as private as the original.
        EXPECT_EQ(rechte(ziel), fall.zielDa ? mode_t(0600) : mode_t(0640));
        EXPECT_TRUE(u.datei() == quelle);
        EXPECT_EQ(u.f.DateiName, u.pfad);
        EXPECT_EQ(u.aktuellerSatz(), 53) << "the navigation is not reloaded";
        EXPECT_EQ(eintraege(u.ordner), (Texte{"daten.fba", "kopie.fba"}));
    }
    // A cancelled dialog does nothing.
    Formularumgebung u(true);
    u.f.klick("SpeichernUnter");
    EXPECT_EQ(u.p.gezeigteDialoge.size(), 2u);
    EXPECT_TRUE(u.p.meldungen.empty());
    EXPECT_EQ(eintraege(u.ordner), Texte{"daten.fba"});
}

TEST(SpeichernUnter, MisslungeneKopieLaesstDasZielWieEsWar) {
    Formularumgebung u(true);
    mitGeloeschten(u, {54});
    const std::string quelle = u.datei();
    const std::string ziel = u.ordner.pfad("kopie.fba");
    const std::string zielAlt = std::string(3 * G, 'z');
    auto speichernUnter = [&](const std::string& wohin, const std::function<void()>& dabei = {}) {
        u.p.vergessen();
        u.p.dialoge.push_back(wohin);
        u.p.antworten.push_back(true);
        if (dabei)
            dabei();
        else
            u.f.klick("SpeichernUnter");
    };

    // A folder that does not exist, and one that cannot be written.
    speichernUnter(u.ordner.pfad("fehlt/kopie.fba"));
    EXPECT_EQ(u.p.meldungen.size(), 1u);
    EXPECT_EQ(u.p.texte("Information"), Texte{nichtGespeichert(u.ordner.pfad("fehlt/kopie.fba"))});
    speichernUnter(ziel, [&] {
        Fehlerspritze spritze;
        spritze.fehlschlagen(Fehlerspritze::Open, 2, EACCES); // the source opens first
        u.f.klick("SpeichernUnter");
    });
    EXPECT_EQ(u.p.texte("Information"), Texte{nichtGespeichert(ziel)});
    EXPECT_FALSE(fs::exists(ziel));

    // Every call of a copy over an existing file fails in turn: the target is the old file or the
    // whole copy, and the message says which.
    std::array<int, Fehlerspritze::Arten> aufrufe{};
    std::ofstream(ziel, std::ios::binary) << zielAlt;
    speichernUnter(ziel, [&] {
        Fehlerspritze zaehlen;
        u.f.klick("SpeichernUnter");
        for (int art = 0; art < Fehlerspritze::Arten; ++art)
            aufrufe[std::size_t(art)] = zaehlen.aufrufe(Fehlerspritze::Aufruf(art));
    });
    ASSERT_TRUE(dateiInhalt(ziel) == quelle);
    for (int art = 0; art < Fehlerspritze::Arten; ++art)
        for (int nummer = 1; nummer <= aufrufe[std::size_t(art)]; ++nummer) {
            SCOPED_TRACE("call " + std::to_string(art) + " #" + std::to_string(nummer));
            std::ofstream(ziel, std::ios::binary | std::ios::trunc) << zielAlt;
            speichernUnter(ziel, [&] {
                Fehlerspritze spritze;
                spritze.fehlschlagen(Fehlerspritze::Aufruf(art), nummer, EIO);
                u.f.klick("SpeichernUnter");
            });
            const bool kopiert = dateiInhalt(ziel) == quelle;
            EXPECT_TRUE(kopiert || dateiInhalt(ziel) == zielAlt);
            EXPECT_EQ(u.p.texte("Information"), Texte{kopiert ? gespeichert(ziel) : nichtGespeichert(ziel)});
            EXPECT_TRUE(u.datei() == quelle);
            EXPECT_EQ(eintraege(u.ordner), (Texte{"daten.fba", "kopie.fba"}));
        }
}

TEST(Loeschen, MitJaUndNein) {
    struct Fall {
        const char* was;
        bool antwort;
        bool hinweise;
        bool dateiDa;
    };
    for (const Fall& fall : {Fall{"Yes, hints on", true, true, true}, Fall{"Yes, hints off", true, false, true},
                             Fall{"No", false, true, true}, Fall{"the file has gone", true, false, false}}) {
        SCOPED_TRACE(fall.was);
        Formularumgebung u(fall.hinweise);
        mitGeloeschten(u, {});
        u.waehleSatz(55);
        u.f.SpeedButtonPruefungClick();
        if (!fall.dateiDa)
            fs::remove(u.pfad);
        const std::string anzahl = u.f.PanelAnzahlSaetze.text;
        const std::size_t zeilen = u.f.ListeObjekt.zeilen.size();
        u.p.antworten.push_back(fall.antwort);
        u.f.klick("Loeschen");

        const bool geloescht = fall.antwort && fall.dateiDa;
        EXPECT_EQ(u.p.texte("Bestätigung"), Texte{"Soll Datei " + u.pfad + "\r wirklich gelöscht werden?"});
        Texte info;
        if (geloescht && fall.hinweise)
            info.push_back("Datei " + u.pfad + "\r gelöscht!");
        if (fall.antwort && !fall.dateiDa)
            info.push_back("Datei " + u.pfad + "\r konnte nicht gelöscht werden!");
        EXPECT_EQ(u.p.texte("Information"), info);
        EXPECT_TRUE(u.p.texte("Fehler").empty());
        EXPECT_EQ(fs::exists(u.pfad), fall.dateiDa && !geloescht);
        EXPECT_EQ(u.f.DateiName, u.pfad);
        EXPECT_EQ(u.f.PanelAnzahlSaetze.text, anzahl) << "keeps its value";
        if (!geloescht) {
            EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), zeilen);
            EXPECT_EQ(u.aktuellerSatz(), 55);
            EXPECT_TRUE(u.f.Satz_Loeschen.aktiv && u.f.Loeschen.aktiv);
            continue;
        }
        EXPECT_TRUE(u.f.ListeObjekt.zeilen.empty());
        EXPECT_TRUE(u.f.BaumInhalt.wurzeln.empty());
        EXPECT_EQ(u.f.KategorieListe.eintraege, Texte{"Alles"});
        for (const char* name : {"Speichern", "SpeichernUnter", "Loeschen", "SpeedButtonSpeichern",
                                 "SpeedButtonSpeichernUnter", "SpeedButtonLoeschen", "Satz_Neu", "Satz_Speichern",
                                 "Satz_Loeschen", "Baum", "PanelVorlageKunde", "PanelVorlageRechnung"})
            EXPECT_FALSE(u.f.finden(name)->aktiv) << name;
        EXPECT_EQ(u.f.LetzteKundenNummer + u.f.LetzteRechnungsNummer, 0u);
        EXPECT_EQ(u.f.PanelLetzteKundenNummer.text, "letzte KundenNummer: 0");
        EXPECT_EQ(u.f.PanelLetzteRechnungsNummer.text, "Letzte RechnungsNummer: 0");
        EXPECT_EQ(u.f.PanelUst.text, "UmsatzSteuer");
        EXPECT_EQ(u.f.AnzeigeName.text + u.f.AnzeigeVorname.text + u.f.AnzeigeKundenNummer.text +
                      u.f.AnzeigeRechnungsNummer.text,
                  "NameVornameKu-Nr.Re-Nr.");
        EXPECT_EQ(u.f.Name.text + u.f.Wert[0].text, "Name") << "pages reset";
        EXPECT_EQ(u.f.Caption, TFKB_Formular::Titel);
        EXPECT_FALSE(u.f.DateiGeladen);

        // "Neu" and "Öffnen..." lead on.
        EXPECT_EQ(u.f.klick("Speichern"), Aktion::Ignoriert);
        u.p.dialoge.push_back(u.pfad);
        u.f.klick("SpeedButtonNeu");
        EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), 52u);
        dateiSchreiben(u.ordner.pfad("andere.fba"), {parameterSatz(), kunde("00009", "Anders", "A", "000090")});
        u.waehleSatz(51);
        u.p.dialoge.push_back(u.ordner.pfad("andere.fba"));
        u.f.klick("Oeffnen");
        EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), 2u);
        EXPECT_TRUE(u.f.Loeschen.aktiv && u.f.DateiGeladen);
        EXPECT_EQ(u.f.AnzeigeName.text, "Name") << "no customer of the file before";
        dateiSchreiben(u.ordner.pfad("leer.fba"), {});
        u.p.dialoge.push_back(u.ordner.pfad("leer.fba"));
        u.f.klick("Oeffnen");
        EXPECT_EQ(u.f.Caption, TFKB_Formular::Titel) << "no owner of the file before";
    }
}

// A folder or a special file such as a device is no data file: each command says so, before any
// question, and leaves it alone. A named pipe stands in for the device: should the guard fail, the test
// hangs rather than harm a real one.
TEST(Dateipflege, OrdnerUndGeraeteWerdenAbgewiesen) {
    auto anlegen = [](const std::string& pfad, bool pipe) {
        fs::remove(pfad);
        if (pipe)
            ASSERT_EQ(::mkfifo(pfad.c_str(), 0600), 0);
        else
            fs::create_directory(pfad);
    };
    auto unberuehrt = [](const std::string& pfad, bool pipe) {
        return pipe ? fs::is_fifo(pfad) : fs::is_directory(pfad) && fs::is_empty(pfad);
    };
    for (const char* befehl : {"Speichern", "SpeichernUnter", "Loeschen"})
        for (bool pipe : {false, true}) {
            SCOPED_TRACE(std::string(befehl) + (pipe ? " pipe" : " folder"));
            Formularumgebung u(true);
            std::string pfad = u.pfad;
            if (pipe) {
                // An open dialog that named it, its creation declined.
                pfad = u.ordner.pfad("pipe.fba");
                anlegen(pfad, true);
                u.p.dialoge.push_back(pfad);
                u.f.klick("Oeffnen");
            } else {
                anlegen(pfad, false); // the data file replaced by a folder since it was loaded
            }
            u.p.vergessen();
            u.p.antworten.push_back(true);
            u.p.dialoge.push_back(u.ordner.pfad("kopie.fba"));
            u.f.klick(befehl);
            EXPECT_EQ(u.p.texte("Fehler"), Texte{keineDatei(pfad)});
            EXPECT_EQ(u.p.meldungen.size(), 1u);
            EXPECT_TRUE(unberuehrt(pfad, pipe));
            EXPECT_FALSE(fs::exists(u.ordner.pfad("kopie.fba")));
        }

    // Either as the target of a copy.
    for (bool pipe : {false, true}) {
        SCOPED_TRACE(pipe ? "target pipe" : "target folder");
        Formularumgebung u(true);
        const std::string ziel = u.ordner.pfad("ziel.fba");
        anlegen(ziel, pipe);
        u.p.dialoge.push_back(ziel);
        u.p.antworten.push_back(true);
        u.f.klick("SpeichernUnter");
        EXPECT_EQ(u.p.texte("Fehler"), Texte{keineDatei(ziel)});
        EXPECT_EQ(u.p.meldungen.size(), 1u);
        EXPECT_TRUE(unberuehrt(ziel, pipe));
    }
}
