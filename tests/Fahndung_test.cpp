#include "SatzBau.h"
#include "data/Systemaufrufe.h"
#include "data/Windows1252.h"
#include "printing/Fahndung.h"
#include "printing/Fahndungsdruck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;

namespace {

const char* const Abbruch = "Fehler - Fahndung wird abgebrochen!\rNumerische Daten prüfen!";
const char* const Zeitraum = "BedienFehler - Abfragezeitraum falsch gewählt!\rDaten in Kalendern neu wählen!";
const std::string Blanks(150, ' ');

struct Beleg {
    char art;
    const char* datum; // RechnungsDatum
    char region;
    const char* menge;
    const char* preis;
    const char* versand = "";
    const char* zahlungsEingang = "";
};

DatenSatz belegSatz(std::int64_t nummer, const Beleg& b) {
    DatenSatz s = satz(b.art, {{SatzFeld::KundenNummer, "00007"},
                               {SatzFeld::Name, "Kunde" + std::to_string(nummer)},
                               {SatzFeld::Vorname, "Jörg"},
                               {SatzFeld::RechnungsNummer, "000" + std::to_string(nummer + 100)},
                               {SatzFeld::RechnungsDatum, b.datum},
                               {SatzFeld::ZahlungsEingang, b.zahlungsEingang},
                               {SatzFeld::Position(1), "Fliesen"},
                               {SatzFeld::Menge(1), b.menge},
                               {SatzFeld::Preis(1), b.preis},
                               {SatzFeld::VersandKosten, b.versand},
                               {SatzFeld::SystemStempelDatum, "01.02.2026"},
                               {SatzFeld::SystemStempelZeit, "12:00:00"}});
    s.setzeZeichen(SatzFeld::LieferKennzeichen, b.region);
    return s;
}

// Record 0, 50 templates (one of them looking like an invoice of the period), then the documents.
std::vector<DatenSatz> datei(const std::vector<Beleg>& belege) {
    std::vector<DatenSatz> saetze = {parameterSatz()};
    for (int i = 1; i <= 50; ++i)
        saetze.push_back(i == 5
                             ? belegSatz(i, {'R', "07.12.2026", 'B', "1", "5"})
                             : satz('V', {{SatzFeld::KundenNummer, "00000"}, {SatzFeld::RechnungsNummer, "000001"}}));
    for (const Beleg& b : belege)
        saetze.push_back(belegSatz(std::int64_t(saetze.size()), b));
    return saetze;
}

// Records 51 to 62.
const std::vector<Beleg> Belege = {
    {'R', "07.12.2026", 'B', "1", "100"},                  // 51: 100,00 + 19,00
    {'R', "07.12.2026", 'E', "2", "50", "4,9"},            // 52: EU, no VAT
    {'R', "08.12.2026", 'D', "1", "10"},                   // 53: third country, no VAT
    {'R', "", 'B', "1", "1"},                              // 54: no date: never listed
    {'L', "07.12.2026", 'B', "1", "1"},                    // 55: deleted
    {'R', "30.11.2026", 'B', "1", "1"},                    // 56: a day before the period
    {'R', "01.01.2027", 'B', "1", "1"},                    // 57: a day after it
    {'A', "07.12.2026", 'B', "3", "3,33"},                 // 58: an offer
    {'B', "01.11.2026", 'B', "1", "20", "", "07.12.2026"}, // 59: paid in the period
    {'R', "31.12.2026", 'B', "1", "1"},                    // 60: last day
    {'R', "01.12.2026", 'B', "1", "2"},                    // 61: first day
    {'B', "07.12.2026", 'B', "1", "1", "", "01.01.2027"},  // 62: paid after the period
};

// The list line of record 51 exactly as the query writes it.
const std::string Zeile51 = "20261207-000151-Kunde51, Jörg-100,00-19,00-119,00-Fliesen" + Blanks + "~~~51";

struct Fahndungsfenster : Fenster {
    std::string pfad;
    explicit Fahndungsfenster(const std::vector<Beleg>& belege = Belege) {
        pfad = oeffnen(datei(belege));
        EXPECT_TRUE(p.texte("Fehler").empty());
    }

    void fahnden(const char* art, const char* von, const char* bis) {
        f.klick(std::string("ButtonFahndung") + art);
        Zeitpunkt::ausText(von, f.KalenderVon);
        Zeitpunkt::ausText(bis, f.KalenderBis);
        p.vergessen();
        f.klick("BitBtnStartFahndung");
    }
    // The record numbers behind "~~~" of the record lines, in list order.
    std::vector<int> gelistet() const {
        std::vector<int> nummern;
        for (std::size_t i = 0; i < f.FahndungsAnzahl && i < f.ListeFahndung.zeilen.size(); ++i) {
            const std::string z = f.ListeFahndung.zeilen[i];
            nummern.push_back(std::stoi(z.substr(z.rfind("~~~") + 3)));
        }
        return nummern;
    }
    int zeileVon(int nummer) const {
        const std::string ende = "~~~" + std::to_string(nummer);
        for (std::size_t i = 0; i < f.ListeFahndung.zeilen.size(); ++i)
            if (f.ListeFahndung.zeilen[i].ends_with(ende))
                return int(i);
        return -1;
    }
};

TEST(Fahndung, ListetNurArtUndZeitraumMitSummen) {
    struct Fall {
        const char *art, *von, *bis;
        std::vector<int> gelistet;
        const char* summen; // the last line, nullptr for none
    };
    const Fall faelle[] = {
        // Regions E and D add no VAT; boundaries belong to the period.
        {"R",
         "01.12.2026",
         "31.12.2026",
         {61, 51, 52, 53, 60},
         "99999999 - Summe Netto: 217,90 - Summe Umsatzsteuer: 19,57 - Summe Brutto: 237,47"},
        {"R",
         "07.12.2026",
         "07.12.2026",
         {51, 52},
         "99999999 - Summe Netto: 204,90 - Summe Umsatzsteuer: 19,00 - Summe Brutto: 223,90"},
        {"A",
         "01.12.2026",
         "31.12.2026",
         {58},
         "99999999 - Summe Netto: 9,99 - Summe Umsatzsteuer: 1,90 - Summe Brutto: 11,89"},
        // Paid invoices by their payment date.
        {"B",
         "07.12.2026",
         "07.12.2026",
         {59},
         "99999999 - Summe Netto: 20,00 - Summe Umsatzsteuer: 3,80 - Summe Brutto: 23,80"},
        {"R", "02.12.2026", "06.12.2026", {}, nullptr},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(std::string(c.art) + " " + c.von + " - " + c.bis);
        Fahndungsfenster w;
        w.f.waehleListe(3); // a chosen record, whose commands the query switches off
        w.fahnden(c.art, c.von, c.bis);
        EXPECT_TRUE(w.p.meldungen.empty());
        EXPECT_EQ(w.gelistet(), c.gelistet);
        EXPECT_EQ(w.f.FahndungsAnzahl, c.gelistet.size());
        EXPECT_EQ(w.f.ListeFahndung.zeilen.size(), c.gelistet.size() + (c.summen ? 1 : 0));
        if (c.summen) {
            EXPECT_EQ(w.f.ListeFahndung.zeilen.back(), c.summen);
        }
        EXPECT_EQ(w.text("PanelAnzahlFahndungsSaetze"), "Anzahl FahndungsSätze: " + std::to_string(c.gelistet.size()));
        EXPECT_EQ(w.text("PanelFahndungAnzeige"),
                  std::string(c.art == std::string("B") ? "ZahlungsEingang" : "RechnungsDatum") +
                      " - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position");
        EXPECT_EQ(w.f.BitBtnDruckFahndung.aktiv, !c.gelistet.empty());
        EXPECT_EQ(w.f.BitBtnSetzenRKZ.aktiv, !c.gelistet.empty() && c.art == std::string("R"));
        EXPECT_FALSE(w.f.Satz_Speichern.aktiv);
        EXPECT_FALSE(w.f.Satz_Loeschen.aktiv);
        // The pages are reset; the side panel names no record.
        EXPECT_EQ(w.text("KundenNummer"), "Ku.-Nr.");
        EXPECT_EQ(w.text("AnzeigeName"), "Name");
        EXPECT_EQ(w.text("AnzeigeRechnungsNummer"), "Re-Nr.");
    }
    Fahndungsfenster w;
    w.fahnden("R", "07.12.2026", "07.12.2026");
    EXPECT_EQ(w.f.ListeFahndung.zeilen[0], Zeile51);
}

TEST(Fahndung, FalscherZeitraumUndNeinAendernNichts) {
    Fahndungsfenster w;
    w.fahnden("R", "07.12.2026", "07.12.2026");
    const Zeilenliste vorher = w.f.ListeFahndung.zeilen;

    w.fahnden("B", "08.12.2026", "07.12.2026");
    EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{Zeitraum});
    w.f.WarnungenHinweise.haken = true;
    w.p.antworten = {false};
    w.fahnden("B", "01.12.2026", "31.12.2026");
    ASSERT_EQ(w.p.texte("Bestätigung").size(), 1u);
    EXPECT_EQ(w.p.texte("Bestätigung")[0], "Wichtig! Vor der Fahndung sollte der zuletzt\rbearbeitete DatenSatz "
                                           "gespeichert sein -\r\"Neu\" oder \"Überschreiben\" anwenden!\r\r"
                                           "Soll Fahndung gestartet werden?");
    EXPECT_EQ(w.f.ListeFahndung.zeilen, vorher);
    EXPECT_TRUE(w.f.BitBtnDruckFahndung.aktiv);
    EXPECT_TRUE(w.f.BitBtnSetzenRKZ.aktiv);
    EXPECT_EQ(w.text("PanelFahndungAnzeige").substr(0, 14), "RechnungsDatum") << "the query did not run";
}

// A record whose calculation fails ends the query: the lines so far stay, without a sums line,
// and neither printing nor marking paid is possible any more.
TEST(Fahndung, AbbruchSperrtDruckUndBezahltSetzen) {
    std::vector<Beleg> belege = Belege;
    belege.push_back({'R', "09.12.2026", 'B', "1", "5", "1000"}); // 63: costs above 999,99
    belege.push_back({'R', "10.12.2026", 'B', "1", "7"});         // 64: behind the stop
    Fahndungsfenster w(belege);
    w.fahnden("R", "01.12.2026", "08.12.2026");
    ASSERT_TRUE(w.f.BitBtnDruckFahndung.aktiv);

    // While a box is open another program may write the file: the query has let it go.
    std::vector<bool> frei;
    w.p.beimMelden = [&] {
        const int fd = ::open(w.pfad.c_str(), O_RDONLY);
        frei.push_back(::flock(fd, LOCK_EX | LOCK_NB) == 0);
        ::close(fd);
    };
    w.fahnden("R", "01.12.2026", "31.12.2026");
    EXPECT_EQ(frei, std::vector<bool>(3, true));
    EXPECT_EQ(
        w.p.texte("Fehler"),
        (std::vector<std::string>{"BedienFehler - die Kosten sind größer 999,99!\rKosten korrigieren im Satz!",
                                  "BedienFehler - Fehler in VersandKosten!\rVersandKosten korrigieren!", Abbruch}));
    EXPECT_EQ(w.gelistet(), (std::vector<int>{61, 51, 52, 53, 60}));
    EXPECT_EQ(w.f.ListeFahndung.zeilen.size(), 5u);
    EXPECT_FALSE(w.f.BitBtnDruckFahndung.aktiv);
    EXPECT_FALSE(w.f.BitBtnSetzenRKZ.aktiv);
    EXPECT_EQ(w.text("Name"), "Kunde63") << "the pages show the record that failed";
}

// The query's own totals and the page path give the very same run: messages, list, sums, pages,
// buffers and every control, also where the query stops or the file fails.
TEST(Fahndung, DirekteSummenGleichenDemSeitenweg) {
    // Every region, costs of all kinds, line entries the calculation rejects (with messages).
    std::vector<Beleg> vielfalt;
    const char regionen[] = {'B', 'E', 'D', 'X', '\0'};
    const char* mengen[] = {"2", "1,5", "0,1", "12.500", "1,25", "", "9999,9", "0", "-2", "   12,5", "  1 5"};
    const char* preise[] = {"12,5",
                            "1,15",
                            "999.999,99",
                            "1.000.000",
                            "0,00",
                            "abc",
                            "3,333",
                            "24,3",
                            "0,15",
                            "\u2013"
                            "5",
                            "        15",
                            "  12 , 50"};
    const char* kosten[] = {"", "4,9", " 12,50", "0", "0,00", "999,99", "7,", "V-Kos."};
    const char arten[] = {'R', 'A', 'B', 'R', 'L'};
    for (int i = 0; i < 60; ++i)
        vielfalt.push_back({arten[(i / 5) % 5], i % 7 == 6 ? "" : "07.12.2026", regionen[(i + 1) % 5], mengen[i % 11],
                            preise[(i / 2) % 12], kosten[i % 8], "07.12.2026"});

    struct Fall {
        const char* name;
        const char* art;
        std::vector<Beleg> zusatz;
        const char* ust;         // VAT rate of record 0
        std::int64_t fehlerAb;   // a read from this record on fails
        std::size_t stelle = 20; // where among the customer records `zusatz` goes
    };
    // The query shared out on two cores (records 51 to 81 and 81 on) must say and leave what one pass does.
    const Fall faelle[] = {
        {"Rechnungen", "R", {}, "   19,0", -1},
        {"Angebote", "A", {}, "    5,0", -1},
        {"bezahlt", "B", {}, "   19,0", -1},
        {"Kostenfehler", "R", {{'R', "07.12.2026", 'B', "1", "1", "12,345"}}, "   19,0", -1},
        {"Kostenfehler hinten", "R", {{'R', "07.12.2026", 'B', "1", "1", "12,345"}}, "   19,0", -1, 50},
        {"Kosten mit Minus", "R", {{'R', "07.12.2026", 'B', "1", "1", "-1"}}, "   19,0", -1},
        {"USt falsch", "R", {}, "  19,00", -1},
        {"Ziffern zu lang", "R", {{'R', "07.12.2026", 'E', "1", "9999999999"}}, "   19,0", -1},
        {"Lesefehler", "R", {}, "   19,0", 80},
        {"Lesefehler hinten", "R", {}, "   19,0", 100},
    };
    static std::int64_t fehlerAb = -1;
    struct HakenZurueck {
        ~HakenZurueck() { systemaufrufe = Systemaufrufe::system(); }
    } zurueck;
    // An unreadable place on the disk: a read reaches up to it, the next one fails there, whatever way the
    // file is read in pieces.
    systemaufrufe.read = [](int fd, void* ziel, std::size_t laenge) -> ssize_t {
        laenge = std::min<std::size_t>(laenge, 10 * DatenSatz::Groesse);
        if (fehlerAb >= 0) {
            const std::int64_t stelle = ::lseek(fd, 0, SEEK_CUR), grenze = fehlerAb * std::int64_t(DatenSatz::Groesse);
            if (stelle >= grenze) {
                errno = EIO;
                return -1;
            }
            laenge = std::min<std::size_t>(laenge, std::size_t(grenze - stelle));
        }
        return ::read(fd, ziel, laenge);
    };

    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        std::vector<Beleg> belege = vielfalt;
        belege.insert(belege.begin() + std::ptrdiff_t(c.stelle), c.zusatz.begin(), c.zusatz.end());
        std::vector<DatenSatz> saetze = datei(belege);
        saetze[0].setzeText(SatzFeld::Menge(1), c.ust);

        Fenster direkt, geteilt, seiten;
        for (Fenster* w : {&direkt, &geteilt, &seiten}) {
            w->oeffnen(saetze);
            w->f.klick(std::string("ButtonFahndung") + c.art);
            w->f.KalenderVon = {2026, 12, 1};
            w->f.KalenderBis = {2026, 12, 31};
            w->p.vergessen();
            fehlerAb = c.fehlerAb;
            const Rechenweg weg = w == &seiten ? Rechenweg::Seiten : Rechenweg::Direkt;
            const std::int64_t teilenAb = w == &geteilt ? 2 : FahndungTeilenAb;
            w->f.ausfuehren([w, weg, teilenAb] { fahndungStarten(w->f, weg, teilenAb); });
            fehlerAb = -1;
        }
        for (Fenster* w : {&direkt, &geteilt}) {
            SCOPED_TRACE(w == &geteilt ? "geteilt" : "direkt");
            const Fenster& direkt = *w;
            ASSERT_EQ(direkt.p.meldungen.size(), seiten.p.meldungen.size());
            for (std::size_t i = 0; i < direkt.p.meldungen.size(); ++i)
                EXPECT_EQ(direkt.p.meldungen[i].text, seiten.p.meldungen[i].text);
            EXPECT_FALSE(direkt.f.ListeFahndung.zeilen.empty());
            EXPECT_EQ(direkt.f.ListeFahndung.zeilen, seiten.f.ListeFahndung.zeilen);
            EXPECT_EQ(direkt.f.FahndungsAnzahl, seiten.f.FahndungsAnzahl);
            const RechnungsSummen &a = direkt.f.Summen, &b = seiten.f.Summen;
            EXPECT_TRUE(a.VersandKosten == b.VersandKosten && a.NachnameKosten == b.NachnameKosten &&
                        a.SonstigeKosten == b.SonstigeKosten && a.NettoWert == b.NettoWert && a.UstWert == b.UstWert &&
                        a.BruttoWert == b.BruttoWert);
            EXPECT_TRUE(direkt.f.Puffer == seiten.f.Puffer);
            EXPECT_TRUE(direkt.f.ParameterPuffer == seiten.f.ParameterPuffer);
            for (std::size_t i = 0; i < direkt.f.alle().size(); ++i) {
                const Steuerelement &d = *direkt.f.alle()[i], &s = *seiten.f.alle()[i];
                EXPECT_TRUE(d.text == s.text && d.aktiv == s.aktiv) << d.name << ": " << d.text << " / " << s.text;
            }
        }
    }
    // The cases meet what they are meant to: messages of rejected lines, a stop, an error.
    Fahndungsfenster w(vielfalt);
    w.fahnden("R", "01.12.2026", "31.12.2026");
    EXPECT_FALSE(w.p.texte("Fehler").empty());
    EXPECT_TRUE(w.f.BitBtnDruckFahndung.aktiv);
}

// Marking paid writes the kind letter and the payment date into the listed invoice, and nothing else.
TEST(Fahndung, BezahltSetzenSchreibtNurKennzeichenUndZahlungsdatum) {
    Fahndungsfenster w;
    w.p.uhr = {2026, 12, 9, 8, 0, 0};
    w.fahnden("R", "01.12.2026", "31.12.2026");
    const Zeilenliste liste = w.f.ListeFahndung.zeilen;
    const std::string vorher = dateiInhalt(w.pfad);

    // Nothing chosen, or the sums line: nothing happens.
    for (int zeile : {-1, int(w.f.FahndungsAnzahl)}) {
        w.f.waehleFahndung(zeile);
        w.f.klick("BitBtnSetzenRKZ");
        EXPECT_EQ(dateiInhalt(w.pfad), vorher);
    }
    w.f.waehleFahndung(w.zeileVon(52));
    w.f.klick("BitBtnSetzenRKZ");
    EXPECT_TRUE(w.p.meldungen.empty());
    const std::string nachher = dateiInhalt(w.pfad);
    ASSERT_EQ(nachher.size(), vorher.size());
    const std::size_t satz = 52 * DatenSatz::Groesse;
    std::string erwartet = vorher;
    erwartet[satz + SatzFeld::RechnungsKennZeichen.offset] = 'B';
    erwartet.replace(satz + SatzFeld::ZahlungsEingang.offset, 11,
                     "\x0a"
                     "09.12.2026");
    EXPECT_TRUE(nachher == erwartet) << "every other byte of the file stays";
    EXPECT_EQ(w.f.ListeFahndung.zeilen, liste);
    EXPECT_FALSE(w.f.BitBtnDruckFahndung.aktiv);
    EXPECT_TRUE(w.f.BitBtnSetzenRKZ.aktiv);

    // Marked once, the invoice is no longer one of the list: a second click writes nothing.
    w.f.klick("BitBtnSetzenRKZ");
    EXPECT_EQ(w.p.meldungen.size(), 1u);
    EXPECT_EQ(dateiInhalt(w.pfad), nachher);
    w.fahnden("R", "01.12.2026", "31.12.2026");
    EXPECT_EQ(w.gelistet(), (std::vector<int>{61, 51, 53, 60}));
    w.fahnden("B", "09.12.2026", "09.12.2026");
    EXPECT_EQ(w.gelistet(), std::vector<int>{52});
}

// The list keeps its lines while the file changes underneath; marking paid then writes nothing.
TEST(Fahndung, BezahltSetzenPrueftDenSatzInDerDatei) {
    const std::string Veraltet = "LogikFehler - Satz in Datei passt nicht zur Zeile der Fahndung!\r"
                                 "Fahndung neu starten, dann Rechnung erneut wählen!";
    struct Fall {
        const char* name;
        std::function<void(std::vector<DatenSatz>&)> aendern;
        bool geschrieben = false;
    };
    const Fall faelle[] = {
        {"verdichtet", [](std::vector<DatenSatz>& s) { s.resize(52); }},
        {"anderer Kunde", [](std::vector<DatenSatz>& s) { s[60].setzeText(SatzFeld::Name, "Fremd"); }},
        {"anderer Vorname", [](std::vector<DatenSatz>& s) { s[60].setzeText(SatzFeld::Vorname, "Jorg"); }},
        {"andere Nummer", [](std::vector<DatenSatz>& s) { s[60].setzeText(SatzFeld::RechnungsNummer, "1"); }},
        {"gelöscht", [](std::vector<DatenSatz>& s) { s[60].setzeZeichen(SatzFeld::RechnungsKennZeichen, 'L'); }},
        {"Angebot", [](std::vector<DatenSatz>& s) { s[60].setzeZeichen(SatzFeld::RechnungsKennZeichen, 'A'); }},
        // An invoice date changed by a reprint and a store is still the listed invoice.
        {"neues Datum", [](std::vector<DatenSatz>& s) { s[60].setzeText(SatzFeld::RechnungsDatum, "24.12.2026"); },
         true},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        Fahndungsfenster w;
        w.fahnden("R", "01.12.2026", "31.12.2026");
        std::vector<DatenSatz> saetze = datei(Belege);
        c.aendern(saetze);
        dateiSchreiben(w.pfad, saetze);
        const std::string vorher = dateiInhalt(w.pfad);
        w.f.waehleFahndung(w.zeileVon(60));
        w.f.klick("BitBtnSetzenRKZ");
        if (c.geschrieben) {
            EXPECT_TRUE(w.p.meldungen.empty());
            EXPECT_EQ(DatenDatei(w.pfad).anzahlSaetze(), 63);
            DatenSatz s;
            DatenDatei(w.pfad).lesen(60, s);
            EXPECT_EQ(s.zeichen(SatzFeld::RechnungsKennZeichen), 'B');
        } else {
            EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{Veraltet});
            EXPECT_EQ(dateiInhalt(w.pfad), vorher);
        }
    }
    Fahndungsfenster w;
    w.fahnden("R", "01.12.2026", "31.12.2026");
    w.f.ListeFahndung.zeilen.ersetzen(0, "kein Schlüssel");
    w.f.waehleFahndung(0);
    const std::string vorher = dateiInhalt(w.pfad);
    w.f.klick("BitBtnSetzenRKZ");
    EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{"LogikFehler - kein Schlüssel ermittelbar!\r"
                                                            "ListBoxFahndung untersuchen auf ~~~ im Satz!"});
    EXPECT_EQ(dateiInhalt(w.pfad), vorher);
}

TEST(Fahndung, ListeDruckenMitKopfUndSummen) {
    Fahndungsfenster w;
    w.f.WarnungenHinweise.haken = true; // printing the list asks nothing even so
    w.p.antworten = {true};
    w.fahnden("R", "07.12.2026", "07.12.2026");
    w.p.vergessen();
    w.p.druckdialoge = {false, true};
    w.f.klick("BitBtnDruckFahndung");
    EXPECT_TRUE(w.p.drucke.empty());
    w.f.klick("BitBtnDruckFahndung");
    EXPECT_TRUE(w.p.meldungen.empty());
    EXPECT_EQ(w.p.pdfVorschlaege.back(), w.ordner.pfad("Fahndung-07.12.2026-07.12.2026.pdf"));
    ASSERT_EQ(w.p.drucke.size(), 1u);
    std::vector<std::tuple<int, int, std::string>> gedruckt;
    for (const GedruckterText& t : w.p.drucke[0]) {
        EXPECT_TRUE(t.x == 50 && t.hoehe == 25 && t.schrift == "Courier" && t.fett && t.seite == 1);
        gedruckt.emplace_back(t.x, -t.y, t.text);
    }
    const std::string linie(93, '_');
    EXPECT_EQ(gedruckt,
              (std::vector<std::tuple<int, int, std::string>>{
                  {50, 50, "RechnungsDatum - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position"},
                  {50, 75, linie},
                  {50, 125, Zeile51},
                  {50, 150, w.f.ListeFahndung.zeilen[1]},
                  {50, 175, linie},
                  {50, 225, w.f.ListeFahndung.zeilen[2]},
              }));
}

// A long list goes on over further pages, each beginning with the header and the rule.
TEST(Fahndung, LangeListeAufMehrerenSeiten) {
    Zeilenliste zeilen;
    for (int i = 0; i < 250; ++i)
        zeilen.push_back("Zeile " + std::to_string(1000 + i));
    zeilen.push_back("Summen");
    Aufzeichnung a;
    fahndungslisteDrucken(a, "Kopf", zeilen, 250, "");
    const std::vector<GedruckterText>& t = a.texte;
    std::vector<std::string> inhalt;
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_LE(-t[i].y + 25, 2870) << t[i].text;
        if (i == 0 || t[i].seite != t[i - 1].seite) {
            ASSERT_LE(i + 2, t.size());
            EXPECT_EQ(t[i].text, "Kopf");
            EXPECT_EQ(t[i].y, -50);
            EXPECT_EQ(t[i + 1].y, -75);
            EXPECT_EQ(t[i + 2].y, -125) << "the first row of a page two steps below the rule";
        }
        if (t[i].text != "Kopf" && t[i].text != std::string(93, '_'))
            inhalt.push_back(t[i].text);
    }
    EXPECT_EQ(inhalt, zeilen) << "every line once, in order";
    EXPECT_EQ(t.back().seite, 3);
    EXPECT_EQ(t.back().text, "Summen");
    // 109 rows fill the first page: the last at d = 125 + 108 steps.
    EXPECT_EQ(t[2 + 108].y, -(125 + 108 * 25));
    EXPECT_EQ(t[2 + 109].text, "Kopf");
}

} // namespace
