#include "SatzBau.h"
#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Systemaufrufe.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <set>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;

TEST(Navigation, NeueDateiHat52SaetzeUndZaehler) {
    TempOrdner ordner;
    TestPlattform p;
    TFKB_Formular f(p);
    p.antworten.push_back(true);
    f.starten();
    p.dialoge.push_back(ordner.pfad("neu.fba"));
    f.klick("Neu");
    EXPECT_EQ(std::filesystem::file_size(ordner.pfad("neu.fba")), 137384u);
    EXPECT_EQ(f.ListeObjekt.zeilen.size(), 52u);
    EXPECT_EQ(f.PanelLetzteKundenNummer.text, "letzte KundenNummer: 1");
    EXPECT_EQ(f.PanelLetzteRechnungsNummer.text, "Letzte RechnungsNummer: 51");
    EXPECT_EQ(f.PanelAnzahlSaetze.text, "Anzahl Sätze: 52");
}

namespace {

// The invoice numbers of the listed lines.
std::set<std::string> gelistet(const TFKB_Formular& f) {
    std::set<std::string> nummern;
    for (const std::string& z : f.ListeObjekt.zeilen)
        nummern.insert(std::string(fuehrendesWort(z)));
    return nummern;
}

// The three counter texts, joined.
std::string zaehler(const TFKB_Formular& f) {
    return f.PanelLetzteKundenNummer.text + "|" + f.PanelLetzteRechnungsNummer.text + "|" + f.PanelAnzahlSaetze.text;
}

std::vector<std::string> wurzelTexte(const TFKB_Formular& f) {
    std::vector<std::string> texte;
    for (const Baumknoten& k : f.BaumInhalt.wurzeln)
        texte.emplace_back(k.text);
    return texte;
}

} // namespace

TEST(Navigation, ListenzeileAusGespeichertenFeldern) {
    Fenster w;
    std::string name30(30, 'N'), vorname30 = "Ä" + std::string(29, 'v');
    w.oeffnen({parameterSatz(), kunde("00001", "Alt", "A", "000051"), kunde("00001", "Alt", "A", "000052"),
               kunde("00002", "Müller", "Hans", "000053"), kunde("00003", name30, vorname30, "000054")});
    const auto& z = w.f.ListeObjekt.zeilen;
    ASSERT_EQ(z.size(), 5u);
    EXPECT_EQ(z[3], "000053 - Müller, Hans   07.12.2026" + std::string(150, ' ') + "~~~3");
    // At full capacity the part in front of the blanks is 84 characters; the line is 234 before the key.
    std::string vorn = "000054 - " + name30 + ", " + vorname30 + "   07.12.2026";
    EXPECT_EQ(zeichenAnzahl(vorn), 84u);
    EXPECT_EQ(z[4], vorn + std::string(150, ' ') + "~~~4");
    EXPECT_EQ(z[0], "000000 - Eigner, Eva   " + std::string(150, ' ') + "~~~0") << "empty date";
}

TEST(Navigation, LeerraumWirdAn134_184_234Gekappt) {
    struct Fall {
        std::string zeile;
        std::size_t zeichenDanach;
    };
    std::string umlaute;
    for (int i = 0; i < 100; ++i)
        umlaute += "ü";
    for (const Fall& f :
         {Fall{"", 150}, Fall{std::string(84, 'x'), 234}, Fall{std::string(100, 'x'), 234},
          Fall{std::string(134, 'x'), 234}, Fall{std::string(150, 'x'), 234}, Fall{std::string(200, 'x'), 234},
          Fall{std::string(234, 'x'), 234}, Fall{std::string(250, 'x'), 250}, Fall{umlaute, 234}}) {
        std::string zeile = f.zeile;
        leerraumAnhaengen(zeile);
        EXPECT_EQ(zeichenAnzahl(zeile), f.zeichenDanach) << zeichenAnzahl(f.zeile);
        EXPECT_EQ(zeile.find_first_not_of(' ', f.zeile.size()), std::string::npos);
    }
}

TEST(Navigation, GeloeschteSaetzeZaehlenNurImSchluessel) {
    Fenster w;
    DatenSatz p = parameterSatz("Öhler"), tot = kunde("00009", "Tot", "T", "000099");
    p.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
    tot.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
    w.oeffnen({p, kunde("00001", "Eins", "E", "000051"), tot, kunde("00002", "Zwei", "Z", "000052")});
    EXPECT_EQ(w.f.Caption, "   Fakturbuch (FKB)   Dr.   Eva Öhler   Eigen GmbH") << "record 0, though deleted";
    const auto& z = w.f.ListeObjekt.zeilen;
    ASSERT_EQ(z.size(), 2u);
    EXPECT_TRUE(z[0].ends_with("~~~1"));
    EXPECT_TRUE(z[1].ends_with("~~~3"));
    EXPECT_EQ(zaehler(w.f), "letzte KundenNummer: 2|Letzte RechnungsNummer: 52|Anzahl Sätze: 2");
    EXPECT_EQ(w.f.KategorieListe.eintraege, (std::vector<std::string>{"Alles", "00001 - Eins, E", "00002 - Zwei, Z"}));
    EXPECT_EQ(w.f.AnzahlKnoten, 4);
    w.f.waehleListe(1);
    EXPECT_EQ(w.text("Name"), "Zwei");
}

TEST(Navigation, BaumUndKategorienGruppierenNachKunde) {
    Fenster w;
    // Customers in file order C, A, B; A twice; the number of B again with another name.
    w.oeffnen({parameterSatz(), kunde("00030", "Cäsar", "C", "000060", 'R', "Zaun"),
               kunde("00010", "Adler", "A", "000062", 'R', "Tor"), kunde("00020", "Berg", "B", "000055", 'A', "Dach"),
               kunde("00010", "Adler", "A", "000058", 'B', "Fenster"), kunde("00020", "Burg", "B", "000061")});
    EXPECT_EQ(w.f.KategorieListe.eintraege,
              (std::vector<std::string>{"Alles", "00000 - Eigner, Eva", "00030 - Cäsar, C", "00010 - Adler, A",
                                        "00020 - Berg, B", "00020 - Burg, B"}));
    EXPECT_EQ(w.f.AnzahlKategorien, 6);
    EXPECT_EQ(wurzelTexte(w.f), (std::vector<std::string>{"00000 - Eigner, Eva", "00010 - Adler, A", "00020 - Berg, B",
                                                          "00020 - Burg, B", "00030 - Cäsar, C"}));
    EXPECT_EQ(w.f.BaumInhalt.wurzeln[1].kinder, (std::vector<std::string>{"000058   Fenster", "000062   Tor"}));
    EXPECT_EQ(w.f.BaumInhalt.wurzeln[0].kinder, (std::vector<std::string>{"000000   UmsatzSteuer"}));
    EXPECT_EQ(w.f.AnzahlKnoten, 5 + 6);
    EXPECT_TRUE(std::is_sorted(w.f.ListeObjekt.zeilen.begin(), w.f.ListeObjekt.zeilen.end()));
    EXPECT_EQ(w.f.PanelOverKategorie.text, "Alles");
    EXPECT_EQ(zaehler(w.f), "letzte KundenNummer: 30|Letzte RechnungsNummer: 62|Anzahl Sätze: 6");

    // A category narrows the list; the counters, tree and categories stay whole.
    w.f.waehleListe(1);
    ASSERT_TRUE(w.f.Satz_Speichern.aktiv);
    w.f.waehleKategorie("00010 - Adler, A");
    EXPECT_EQ(gelistet(w.f), (std::set<std::string>{"000058", "000062"}));
    EXPECT_EQ(w.f.PanelOverKategorie.text, "00010 - Adler, A");
    EXPECT_EQ(zaehler(w.f), "letzte KundenNummer: 30|Letzte RechnungsNummer: 62|Anzahl Sätze: 2");
    EXPECT_EQ(w.f.BaumInhalt.wurzeln.size(), 5u);
    EXPECT_EQ(w.f.KategorieListe.eintraege.size(), 6u);
    EXPECT_FALSE(w.f.Satz_Speichern.aktiv);
    EXPECT_FALSE(w.f.Satz_Loeschen.aktiv);
    EXPECT_TRUE(w.f.Satz_Neu.aktiv);

    // The comparison is exact: a category text with another case lists nothing.
    w.f.waehleKategorie("00010 - adler, A");
    EXPECT_TRUE(w.f.ListeObjekt.zeilen.empty());
    EXPECT_EQ(zaehler(w.f), "letzte KundenNummer: 30|Letzte RechnungsNummer: 62|Anzahl Sätze: 0");
    w.f.waehleKategorie("Alles");
    EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), 6u);
}

// Children that share their first characters, texts shorter than that, and a reload through the
// buffers of the load before: the tree is always the same, sorted on both levels.
TEST(Navigation, BaumIstNachJedemLadenGleichGeordnet) {
    Fenster w;
    w.oeffnen({parameterSatz(), kunde("00007", "Ohm", "O", "000070", 'R', "Zaun"),
               kunde("00007", "Ohm", "O", "000070", 'R', "Tor"), kunde("00007", "Ohm", "O", "7", 'R', "B"),
               kunde("00007", "Ohm", "O", "7", 'R', "A"), kunde("0000", "Ohm", "", "000069", 'R', ""),
               kunde("00007", "Ohm", "", "000068", 'R', "Dach")});
    const std::vector<std::string> wurzeln = {"0000 - Ohm, ", "00000 - Eigner, Eva", "00007 - Ohm, ", "00007 - Ohm, O"};
    const std::vector<std::string> kinder = {"000070   Tor", "000070   Zaun", "7   A", "7   B"};
    for (const char* kategorie : {"Alles", "00007 - Ohm, O", "Alles"}) {
        w.f.waehleKategorie(kategorie);
        EXPECT_EQ(wurzelTexte(w.f), wurzeln) << kategorie;
        ASSERT_EQ(w.f.BaumInhalt.wurzeln.size(), 4u);
        EXPECT_EQ(w.f.BaumInhalt.wurzeln[3].kinder, kinder) << kategorie;
        EXPECT_EQ(w.f.BaumInhalt.wurzeln[0].kinder, std::vector<std::string>{"000069   "});
        EXPECT_EQ(w.f.AnzahlKnoten, 4 + 7);
    }
}

TEST(Navigation, VolltextsucheFaltetNurAbisZ) {
    Fenster w;
    DatenSatz mengen = kunde("00004", "Brot", "Tim", "000104", 'R', "Holz");
    mengen.setzeText(SatzFeld::ME(1), "77");
    mengen.setzeText(SatzFeld::Menge(1), "   77,0");
    mengen.setzeText(SatzFeld::Preis(1), "    777,00");
    mengen.setzeText(SatzFeld::VersandKosten, " 77,00");
    mengen.setzeText(SatzFeld::NachnameKosten, "177,70");
    mengen.setzeText(SatzFeld::SonstigeKosten, "777,77");
    DatenSatz spaet = kunde("00005", "Koch", "Ina", "000105", 'R', "Holz");
    spaet.setzeText(SatzFeld::Position(25), "Lieferung 77 Stück");
    DatenSatz stempel = kunde("00007", "Stempel", "Olli", "000107", 'R', "Holz");
    stempel.setzeText(SatzFeld::SystemStempelZeit, "19:42:00");
    stempel.setzeZeichen(SatzFeld::LieferKennzeichen, 'D');
    w.oeffnen({parameterSatz("Param"), kunde("00001", "MÜLLER", "Jörg", "000101", 'R', "Holz"),
               kunde("00002", "Müller", "Uwe", "000102", 'R', "Holz"),
               kunde("00003", "Schmitz", "Udo", "000103", Kennzeichen::Angebot, "Holz"), mengen, spaet,
               kunde("00006", "?", "Ole", "000106", 'R', "Holz"), stempel});
    const std::size_t kategorien = w.f.KategorieListe.eintraege.size();

    struct Fall {
        std::string suche;
        std::set<std::string> treffer;
    };
    const std::vector<Fall> faelle = {
        {"müller", {"000102"}},
        {"MüLLeR", {"000102"}},
        {"MÜLLER", {"000101"}},
        {"mÜller", {"000101"}},
        {"JöRG", {"000101"}},
        {"jÖRG", {}},
        {"a", {"000000", "000103", "000105"}}, // 000103: only its kind letter A
        {"d", {"000000", "000103", "000107"}}, // Dr., Udo; the delivery letter D
        {"77", {"000105"}},                    // never by unit, quantity, price or cost
        {"19", {"000107"}},                    // the stamp time, not the VAT rate
        {"19,0", {}},
        {"", {}},
        {"?", {"000106"}},
        {"Ω", {}}, // becomes '?' in the file's code page, yet is not a '?'
        {"Alles", {}},
        {"07.12.2026", {"000101", "000102", "000103", "000104", "000105", "000106", "000107"}}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.suche);
        w.f.NavigationLaden(f.suche, true);
        EXPECT_EQ(gelistet(w.f), f.treffer);
        EXPECT_EQ(w.f.PanelOverKategorie.text, f.suche);
        EXPECT_TRUE(
            zaehler(w.f).ends_with("|Letzte RechnungsNummer: 107|Anzahl Sätze: " + std::to_string(f.treffer.size())));
        EXPECT_EQ(w.f.KategorieListe.eintraege.size(), kategorien) << "categories stay whole";
        EXPECT_EQ(w.f.AnzahlKnoten, 2 * 8);
    }
}

TEST(Navigation, BeschaedigteNummerBeendetDasLadenMitDenBisherigenZeilen) {
    struct Fall {
        Feld feld;
        std::string text;
        std::string meldung;
    };
    for (const Fall& fall : {Fall{SatzFeld::KundenNummer, "xy", "'xy' ist kein gültiger Integerwert"},
                             Fall{SatzFeld::KundenNummer, "", "'' ist kein gültiger Integerwert"},
                             Fall{SatzFeld::RechnungsNummer, "12ä", "'12ä' ist kein gültiger Integerwert"}}) {
        SCOPED_TRACE(fall.meldung);
        Fenster w;
        DatenSatz kaputt = kunde("00007", "Kaputt", "K", "000053", 'R', "Kaputt-Position");
        kaputt.setzeText(fall.feld, fall.text);
        w.f.eingeben("Position01", "getippt");
        // Customers and invoices come out of order before the damaged record: the tree is sorted all the same.
        w.oeffnen({parameterSatz(), kunde("00005", "Gut", "G", "000052"), kunde("00003", "Frueh", "F", "000040"),
                   kunde("00005", "Gut", "G", "000030"), kaputt, kunde("00009", "Danach", "D", "000099")});
        EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{fall.meldung});
        std::set<std::string> bisher = {"000000", "000030", "000040", "000052",
                                        std::string(kaputt.text(SatzFeld::RechnungsNummer))};
        EXPECT_EQ(gelistet(w.f), bisher);
        EXPECT_EQ(zaehler(w.f), "letzte KundenNummer: 5|Letzte RechnungsNummer: 52|Anzahl Sätze: 4");
        const auto& wurzeln = w.f.BaumInhalt.wurzeln;
        ASSERT_EQ(wurzeln.size(), 3u) << "the damaged record is not in the tree";
        EXPECT_TRUE(wurzeln[0].text < wurzeln[1].text && wurzeln[1].text < wurzeln[2].text);
        EXPECT_TRUE(std::is_sorted(wurzeln[2].kinder.begin(), wurzeln[2].kinder.end()));
        EXPECT_EQ(wurzeln[2].kinder.size(), 2u);
        EXPECT_EQ(w.text("Position01"), "Kaputt-Position") << "the search had put it on the page";
        EXPECT_FALSE(w.f.Speichern.aktiv) << "the controls are not enabled";
    }
}

// A read that fails part-way: whole records it brought still count, the caption comes from
// record 0, and the page shows the positions of the last record read that is not deleted.
TEST(Navigation, LesefehlerMittenImLadenBehaeltDasGelesene) {
    struct Fall {
        int lesenBisFehler;   // reads of ten records each before the one that fails
        int geloescht;        // record marked deleted, −1 for none
        std::size_t gelistet; // lines that stay
        std::string position; // Position01 on the page afterwards
    };
    static int lesenUebrig;
    struct HakenZurueck {
        ~HakenZurueck() { systemaufrufe = Systemaufrufe::system(); }
    } zurueck;
    systemaufrufe.read = [](int fd, void* ziel, std::size_t laenge) -> ssize_t {
        if (lesenUebrig-- == 0) {
            errno = EIO;
            return -1;
        }
        return ::read(fd, ziel, std::min<std::size_t>(laenge, 10 * DatenSatz::Groesse));
    };
    for (const Fall& fall : {Fall{2, -1, 20, "P19"}, Fall{2, 19, 19, "P18"}, Fall{2, 18, 19, "P19"},
                             Fall{7, -1, 64, "P63"}, Fall{8, 73, 73, "P72"}, Fall{0, -1, 0, "getippt"}}) {
        SCOPED_TRACE(fall.lesenBisFehler * 100 + fall.geloescht);
        std::vector<DatenSatz> saetze = {parameterSatz()};
        for (int i = 1; i < 92; ++i)
            saetze.push_back(kunde("00001", "Kunde", "K", std::to_string(100000 + i), i == fall.geloescht ? 'L' : 'R',
                                   "P" + std::to_string(i)));
        Fenster w;
        const std::string pfad = w.ordner.pfad("daten.fba");
        dateiSchreiben(pfad, saetze);
        w.f.eingeben("Position01", "getippt");
        lesenUebrig = fall.lesenBisFehler;
        w.oeffnen(pfad);
        lesenUebrig = -1;
        EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{"E/A-Fehler " + std::to_string(EIO)});
        EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), fall.gelistet);
        EXPECT_EQ(w.f.Caption,
                  fall.gelistet ? "   Fakturbuch (FKB)   Dr.   Eva Eigner   Eigen GmbH" : TFKB_Formular::Titel);
        EXPECT_EQ(w.text("Position01"), fall.position);
    }
}

TEST(Navigation, SchluesselHinterDemLetztenTrenner) {
    Fenster w;
    w.oeffnen(
        {parameterSatz(), kunde("00001", "Tilde~~~7", "x~~~", "000051"), kunde("00002", "Sieben", "S", "000052")});
    w.f.waehleListe(w.zeileMit("000051"));
    EXPECT_TRUE(w.p.texte("Fehler").empty());
    EXPECT_EQ(w.text("Name"), "Tilde~~~7");
    EXPECT_EQ(w.text("RechnungsNummer"), "000051");
}

TEST(Navigation, ZeileOhneTrennerBeendetDasProgramm) {
    Fenster w;
    w.oeffnen({parameterSatz(), kunde("00001", "Eins", "E", "000051")});
    DatenSatz vorher = w.f.Puffer;
    w.f.ListeObjekt.zeilen = {"000051 - Eins, E   07.12.2026"};
    w.f.waehleListe(0);
    EXPECT_EQ(
        w.p.texte("Fehler"),
        std::vector<std::string>{"LogikFehler - kein Schlüssel ermittelbar!\rDatei untersuchen auf ~~~ im Satz!"});
    EXPECT_TRUE(w.p.beendet);
    EXPECT_EQ(w.f.Puffer, vorher) << "no record is read";
    EXPECT_EQ(w.text("Name"), "Name");
    EXPECT_FALSE(w.f.Satz_Speichern.aktiv);
}

// List lines are kept without their run of blanks. Sorted, compared and cut, they behave as the whole
// texts they stand for: lines that differ only inside or around the blanks, runs longer than the
// piece the comparison takes at a time, bytes of the upper half; a long list, sorted in two halves.
TEST(Navigation, ZeilenOhneLeerraumWieGanzeTexte) {
    std::mt19937 zufall(181);
    const std::string zeichen = std::string(" ~0a\xFC\x80") + '\0';
    const auto text = [&](std::size_t hoechstens) {
        std::string t(zufall() % (hoechstens + 1), ' ');
        for (char& c : t)
            c = zeichen[zufall() % zeichen.size()];
        return t;
    };
    for (int runde = 0; runde < 20; ++runde) {
        Zeilenliste liste;
        std::vector<std::string> ganz;
        for (int i = 0; i < (runde == 19 ? 30000 : 200); ++i) {
            const std::string vorn = text(20), hinten = text(3);
            const std::size_t leer = zufall() % 4 == 0 ? 250 + zufall() % 20 : zufall() % 4;
            if (i % 9 == 8)
                liste.push_back(ganz.emplace_back(vorn + std::string(leer, ' ') + hinten));
            else
                liste.anfuegen(vorn, leer, hinten), ganz.push_back(vorn + std::string(leer, ' ') + hinten);
        }
        for (std::size_t i = 0; i < ganz.size(); ++i) {
            const std::string& z = ganz[i];
            const std::string anfang = z.substr(0, zufall() % (z.size() + 2));
            ASSERT_TRUE(liste.gleich(i, z) && liste.beginntMit(i, anfang) && liste[i] == z) << i;
            ASSERT_EQ(liste.gleich(i, anfang), anfang == z);
            ASSERT_EQ(liste.beginntMit(i, z + ' '), false);
            ASSERT_EQ(liste.beginntMit(i, ganz[(i + 1) % ganz.size()]), z.starts_with(ganz[(i + 1) % ganz.size()]));
        }
        liste.sortieren();
        std::sort(ganz.begin(), ganz.end());
        ASSERT_EQ(liste, ganz);
    }
}
