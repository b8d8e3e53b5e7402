#include "Datenwerkzeug.h"
#include "Formularumgebung.h"
#include "data/Systemaufrufe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/file.h>

using namespace fkb;
using namespace fkb::test;

namespace {

constexpr std::size_t Groesse = DatenSatz::Groesse;
const char* const NichtDoppelt =
    "LogikFehler - ParameterSatz/VorlageSatz nicht doppelt speicherbar!\rRechnungsKennZeichen im Satz prüfen!";
const char* const NichtLoeschbar =
    "LogikFehler - ParameterSatz/VorlageSatz nicht löschbar!\rRechnungsKennZeichen im Satz prüfen!";
const char* const Frage = "Soll der selektierte Satz wirklich gelöscht werden?";

TEST(Satzbefehle, NeuHaengtDenSatzAnUndZeigtIhn) {
    Formularumgebung u;
    u.p.uhr = {2027, 1, 2, 3, 4, 5};
    u.f.eingeben("KundenNummer", "17");
    u.f.eingeben("RechnungsNummer", "52");
    u.f.eingeben("Name", "Müller");
    u.f.eingeben("Vorname", "Jörg");
    u.f.eingeben("Menge01", "2");
    u.f.eingeben("Preis01", "12,5");
    u.f.eingeben("VersandKosten", "4,9");
    u.f.klick("Satz_Neu");

    EXPECT_TRUE(u.p.meldungen.empty());
    ASSERT_EQ(u.anzahl(), 53);
    const DatenSatz s = u.satz(52);
    EXPECT_EQ(s.text(SatzFeld::KundenNummer), "00017");
    EXPECT_EQ(s.text(SatzFeld::RechnungsNummer), "000052");
    EXPECT_EQ(s.text(SatzFeld::Name), "Müller");
    EXPECT_EQ(s.zeichen(SatzFeld::RechnungsKennZeichen), 'A');
    EXPECT_EQ(s.zeichen(SatzFeld::LieferKennzeichen), 'B');
    EXPECT_EQ(s.text(SatzFeld::Menge(1)), "    2,0");
    EXPECT_EQ(s.text(SatzFeld::Preis(1)), "     12,50");
    EXPECT_EQ(s.text(SatzFeld::VersandKosten), "  4,90");
    EXPECT_EQ(s.text(SatzFeld::NachnameKosten), "");
    EXPECT_EQ(s.text(SatzFeld::SystemStempelDatum), "02.01.2027");
    EXPECT_EQ(s.text(SatzFeld::SystemStempelZeit), "03:04:05");

    // Reloaded with "Alles", the new line chosen and the record shown.
    EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), 53u);
    EXPECT_EQ(u.aktuellerSatz(), 52);
    EXPECT_EQ(u.f.ListeObjekt.zeilen[std::size_t(u.f.ListeObjekt.auswahl)].rfind("000052 - Müller, Jörg", 0), 0u);
    EXPECT_FALSE(u.f.ListeObjekt.mehrfach);
    EXPECT_EQ(u.f.KundenNummer.text, "00017");
    EXPECT_EQ(u.f.AnzeigeKundenNummer.text, "00017");
    EXPECT_EQ(u.f.AnzeigeRechnungsNummer.text, "000052");
    EXPECT_EQ(u.f.SystemStempel.text, "02.01.2027 / 03:04:05");
    EXPECT_TRUE(u.f.Satz_Speichern.aktiv);
    EXPECT_TRUE(u.f.Satz_Loeschen.aktiv);
    EXPECT_EQ(u.f.PanelLetzteRechnungsNummer.text, "Letzte RechnungsNummer: 52");
}

TEST(Satzbefehle, NummernWerdenNormalisiert) {
    struct Fall {
        const char *kunde, *rechnung;
        const char *kundeGespeichert, *rechnungGespeichert;
    };
    const Fall faelle[] = {
        {"K-17", "", "00017", "0"},
        {"0", "abc", "00000", "0"},
        {"123456", "R-70", "12345", "000070"},
        {"1 2", "123456", "00012", "123456"},
        // a longer text set by the program keeps the field's six characters and is found again
        {"5", "1234567", "00005", "123456"},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(std::string(c.kunde) + " / " + c.rechnung);
        Formularumgebung u;
        u.f.eingeben("KundenNummer", c.kunde);
        u.f.eingeben("RechnungsNummer", c.rechnung, false);
        u.f.klick("Satz_Neu");
        EXPECT_TRUE(u.p.meldungen.empty());
        EXPECT_EQ(u.satz(52).text(SatzFeld::KundenNummer), c.kundeGespeichert);
        EXPECT_EQ(u.satz(52).text(SatzFeld::RechnungsNummer), c.rechnungGespeichert);
        EXPECT_EQ(u.aktuellerSatz(), 52);
    }
}

TEST(Satzbefehle, KundenNummerOhneZiffernSchreibtNichts) {
    const std::pair<const char*, const char*> faelle[] = {
        {"", "BedienFehler - KundenNummer muss eingegeben sein!\rKundenNummer im Satz prüfen!"},
        {"   ", "BedienFehler - KundenNummer muss numerisch sein!\rKundenNummer im Satz prüfen!"},
        {"Kunde", "BedienFehler - KundenNummer muss numerisch sein!\rKundenNummer im Satz prüfen!"},
    };
    for (const char* knopf : {"Satz_Neu", "Satz_Speichern"})
        for (auto [eingabe, meldung] : faelle) {
            SCOPED_TRACE(std::string(knopf) + " '" + eingabe + "'");
            Formularumgebung u;
            u.waehleSatz(51);
            const std::string vorher = u.datei();
            u.f.eingeben("KundenNummer", eingabe);
            u.f.klick(knopf);
            EXPECT_EQ(u.p.texte("Fehler"), std::vector<std::string>{meldung});
            EXPECT_EQ(u.datei(), vorher);
            EXPECT_EQ(u.f.KundenNummer.text, eingabe);
        }
}

TEST(Satzbefehle, ParameterUndVorlageWederDoppeltNochLoeschbar) {
    for (const char* knopf : {"Satz_Neu", "Satz_Loeschen"})
        for (int nummer : {0, 1, 50}) {
            SCOPED_TRACE(std::string(knopf) + " " + std::to_string(nummer));
            Formularumgebung u;
            u.waehleSatz(nummer);
            const std::string vorher = u.datei();
            u.p.antworten.push_back(true);
            u.f.klick(knopf);
            EXPECT_EQ(u.p.texte("Fehler"),
                      std::vector<std::string>{std::string(knopf) == "Satz_Neu" ? NichtDoppelt : NichtLoeschbar});
            EXPECT_TRUE(u.p.texte("Bestätigung").empty());
            EXPECT_EQ(u.datei(), vorher);
        }
}

// A parameter record or template stored unchanged over itself leaves the file as it was, its
// unset region byte included.
TEST(Satzbefehle, UeberschreibenVonParameterUndVorlageMitHinweis) {
    for (bool hinweise : {true, false})
        for (int nummer : {0, 1, 50}) {
            SCOPED_TRACE(std::to_string(nummer) + (hinweise ? " mit Hinweisen" : ""));
            Formularumgebung u(hinweise);
            const std::string vorher = u.datei();
            ASSERT_EQ(vorher[Groesse * std::size_t(nummer) + 681], '\0');
            u.waehleSatz(nummer);
            EXPECT_EQ(u.f.LieferKennzeichen.text, "");
            u.f.klick("Satz_Speichern");
            const std::vector<std::string> hinweis = {
                "Wichtiger Hinweis - RechnungsKennZeichen = P oder V\rkennzeichnet ParameterSatz / VorlageSatz!"};
            EXPECT_EQ(u.p.texte("Information"), hinweise ? hinweis : std::vector<std::string>{});
            EXPECT_EQ(u.p.meldungen.size(), hinweise ? 1u : 0u);
            EXPECT_EQ(u.datei(), vorher);
            EXPECT_EQ(u.aktuellerSatz(), nummer);
        }
}

TEST(Satzbefehle, UeberschreibenNachSatznummerDerListenzeile) {
    Formularumgebung u;
    u.waehleSatz(51);
    u.p.uhr = {2027, 3, 4, 5, 6, 7};
    u.f.eingeben("KundenNummer", "99");
    u.f.eingeben("RechnungsNummer", "777");
    u.f.klick("ButtonRechnung");
    u.f.klick("Satz_Speichern");
    ASSERT_EQ(u.anzahl(), 52);
    const DatenSatz s = u.satz(51);
    EXPECT_EQ(s.text(SatzFeld::KundenNummer), "00099");
    EXPECT_EQ(s.text(SatzFeld::RechnungsNummer), "000777");
    EXPECT_EQ(s.zeichen(SatzFeld::RechnungsKennZeichen), 'R');
    EXPECT_EQ(s.text(SatzFeld::SystemStempelDatum), "04.03.2027");
    EXPECT_EQ(s.text(SatzFeld::SystemStempelZeit), "05:06:07");
    EXPECT_EQ(u.aktuellerSatz(), 51);
    EXPECT_EQ(u.f.RechnungsKennZeichen.text, "R");
}

// An invoice number is given once in the file (an offer may share its invoice's), and the counters and
// "+1" know the whole file, whatever the list shows. The stored record is the one shown afterwards,
// found by its record number.
TEST(Satzbefehle, RechnungsNummernBleibenEindeutig) {
    struct Fall {
        const char* name;
        const char* suche;     // a search or a customer's category narrows the list first
        const char* kategorie; //
        std::int64_t waehle;   // record chosen before, -1 none
        const char* art;       // kind button
        const char* nummer;    // typed; nullptr: "+1"
        const char* knopf;
        bool fremd;           // another program stored invoice 000300 since the load
        const char* vergeben; // the number refused, or nullptr
        std::int64_t gezeigt; // the record shown afterwards
    };
    const Fall faelle[] = {
        {"+1 nach Suche", "Fenster", nullptr, -1, "ButtonRechnung", nullptr, "Satz_Neu", false, nullptr, 57},
        {"+1 nach Kundenwahl", nullptr, "00007 - Schulz, Eva", -1, "ButtonRechnung", nullptr, "Satz_Neu", false,
         nullptr, 57},
        {"von Hand doppelt", nullptr, nullptr, -1, "ButtonRechnung", "142", "Satz_Neu", false, "000142", -1},
        {"bezahlt doppelt", nullptr, nullptr, -1, "ButtonBezahlt", "100", "Satz_Neu", false, "000100", -1},
        {"Rechnung zum Angebot", nullptr, nullptr, 55, "ButtonRechnung", "90", "Satz_Neu", false, nullptr, 57},
        {"Angebot zur Rechnung", nullptr, nullptr, 52, "ButtonAngebot", "142", "Satz_Neu", false, nullptr, 57},
        {"Nummer eines geloeschten Satzes", nullptr, nullptr, -1, "ButtonRechnung", "200", "Satz_Neu", false, nullptr,
         57},
        {"ueberschreibt sich selbst", nullptr, nullptr, 52, "ButtonBezahlt", "142", "Satz_Speichern", false, nullptr,
         52},
        {"ueberschreibt mit fremder Nummer", nullptr, nullptr, 53, "ButtonRechnung", "142", "Satz_Speichern", false,
         "000142", -1},
        {"nach fremdem Speichern", nullptr, nullptr, -1, "ButtonRechnung", "300", "Satz_Neu", true, "000300", -1},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.name);
        Formularumgebung u;
        for (const DatenSatz& s :
             {kunde("00003", "Meier", "Udo", "000142", 'R', "Haustür"),
              kunde("00007", "Schulz", "Eva", "000100", 'R', "Fenster"), kunde("00008", "Lang", "Ina", "000200", 'L'),
              kunde("00005", "Ost", "Jan", "000090", 'A'), kunde("00007", "Schulz", "Eva", "000040", 'B')})
            DatenDatei(u.pfad).anhaengen(s);
        u.f.waehleKategorie("Alles");
        if (c.suche) {
            u.f.eingeben("EditSuchText", c.suche);
            u.f.klick("ButtonSuche");
            ASSERT_EQ(u.f.ListeObjekt.zeilen.size(), 1u);
        }
        if (c.kategorie) {
            u.f.waehleKategorie(c.kategorie);
            ASSERT_EQ(u.f.ListeObjekt.zeilen.size(), 2u);
        }
        EXPECT_EQ(u.f.PanelLetzteRechnungsNummer.text, "Letzte RechnungsNummer: 142");
        EXPECT_EQ(u.f.PanelLetzteKundenNummer.text, "letzte KundenNummer: 7");
        if (c.waehle >= 0)
            u.waehleSatz(c.waehle);
        u.f.eingeben("KundenNummer", "9");
        u.f.klick(c.art);
        if (c.nummer)
            u.f.eingeben("RechnungsNummer", c.nummer);
        else
            u.f.klick("SpeedButtonRechnungsNummer");
        if (c.fremd)
            DatenDatei(u.pfad).anhaengen(kunde("00009", "Fremd", "Max", "000300"));
        const std::string vorher = u.datei();
        u.p.vergessen();
        u.f.klick(c.knopf);

        if (c.vergeben) {
            EXPECT_EQ(u.p.texte("Fehler"),
                      std::vector<std::string>{"LogikFehler - RechnungsNummer " + std::string(c.vergeben) +
                                               " ist schon vergeben!\rNächste freie Nummer mit "
                                               "+1 setzen!"});
            EXPECT_TRUE(u.datei() == vorher);
            EXPECT_EQ(u.f.RechnungsNummer.text, c.nummer);
            continue;
        }
        EXPECT_TRUE(u.p.meldungen.empty());
        EXPECT_EQ(u.aktuellerSatz(), c.gezeigt);
        const std::string erwartet = c.nummer ? std::string(6 - std::strlen(c.nummer), '0') + c.nummer : "000143";
        EXPECT_EQ(u.satz(c.gezeigt).text(SatzFeld::RechnungsNummer), erwartet);
        EXPECT_EQ(u.f.AnzeigeRechnungsNummer.text, erwartet);
        EXPECT_TRUE(u.f.Satz_Speichern.aktiv);
    }
}

// Another program compacts the file while "Neu" reloads it, and again right after: the record is
// stored, and shown as stored, never reported as a failure.
TEST(Satzbefehle, NeuZeigtDenSatzAuchWennEinAnderesProgrammVerdichtet) {
    Formularumgebung u;
    DatenDatei(u.pfad).anhaengen(kunde("00004", "Alt", "Ada", "000060", Kennzeichen::Geloescht));
    u.f.waehleKategorie("Alles");
    u.f.eingeben("KundenNummer", "5");
    u.f.eingeben("RechnungsNummer", "77");
    u.f.eingeben("Name", "Neu");

    static std::string pfad;
    static int oeffnungen;
    static bool innen, gespeichert;
    pfad = u.pfad;
    oeffnungen = 0;
    innen = gespeichert = false;
    struct HakenZurueck {
        ~HakenZurueck() { systemaufrufe = Systemaufrufe::system(); }
    } zurueck;
    // Once the store has locked the file, the next two openings are met by another program's compaction.
    systemaufrufe.flock = [](int fd, int art) {
        gespeichert = gespeichert || (!innen && (art & LOCK_EX));
        return Systemaufrufe::system().flock(fd, art);
    };
    systemaufrufe.open = [](const char* name, int flags, mode_t modus) {
        if (gespeichert && !innen && name == pfad && ++oeffnungen <= 2) {
            innen = true;
            if (oeffnungen == 2) { // the record before goes too
                DatenSatz s;
                DatenDatei(pfad).lesen(51, s);
                s.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
                DatenDatei(pfad).schreiben(51, s);
            }
            DatenDatei(pfad).verdichten();
            innen = false;
        }
        return Systemaufrufe::system().open(name, flags, modus);
    };
    u.f.klick("Satz_Neu");
    systemaufrufe = Systemaufrufe::system();
    EXPECT_TRUE(u.p.meldungen.empty());
    ASSERT_EQ(u.aktuellerSatz(), 52);
    EXPECT_EQ(u.satz(52).text(SatzFeld::Name), "Neu");
    EXPECT_EQ(u.f.Name.text, "Neu");
    EXPECT_EQ(u.f.AnzeigeRechnungsNummer.text, "000077");
}

TEST(Satzbefehle, ZahlenfehlerHaltenDasSpeichernNichtAuf) {
    Formularumgebung u;
    u.f.eingeben("KundenNummer", "3");
    u.f.eingeben("Menge01", "1,25");
    u.f.eingeben("Preis01", "5");
    u.f.eingeben("VersandKosten", "1000");
    u.f.klick("Satz_Neu");
    const char* gross = "BedienFehler - die Kosten sind größer 999,99!\rKosten korrigieren im Satz!";
    EXPECT_EQ(u.p.texte("Fehler"), (std::vector<std::string>{
                                       "BedienFehler - Kommastellenfehler in Menge!\rMenge korrigieren im Satz!", gross,
                                       "BedienFehler - Fehler in VersandKosten!\rVersandKosten korrigieren!", gross}));
    ASSERT_EQ(u.anzahl(), 53);
    const DatenSatz s = u.satz(52);
    EXPECT_EQ(s.text(SatzFeld::Menge(1)), " Fehler");
    EXPECT_EQ(s.text(SatzFeld::Preis(1)), "         5");
    EXPECT_EQ(s.text(SatzFeld::VersandKosten), "Fehler");
    EXPECT_EQ(u.f.VersandKosten.text, "Fehler");

    // Nor does a VAT rate that the check cannot read.
    DatenSatz parameter = u.satz(0);
    parameter.setzeText(SatzFeld::Menge(1), "19,00");
    u.schreiben(0, parameter);
    u.p.vergessen();
    u.f.eingeben("VersandKosten", "4,9");
    u.f.klick("Satz_Neu");
    // The page shows the stored record, whose quantity is the marker now: no number, no message.
    EXPECT_EQ(u.p.texte("Fehler"),
              std::vector<std::string>{"BedienFehler - Kommastellenfehler in USt!\rUSt in ParameterSatz korrigieren!"});
    ASSERT_EQ(u.anzahl(), 54);
    EXPECT_EQ(u.satz(53).text(SatzFeld::VersandKosten), "  4,90");
}

TEST(Satzbefehle, OhneTrefferWirdKeinSatzGezeigt) {
    // A record stored with the deleted mark is not listed, so no line matches its number.
    Formularumgebung u;
    u.f.eingeben("KundenNummer", "4");
    u.f.RechnungsKennZeichen.text = "L";
    u.f.klick("Satz_Neu");
    EXPECT_TRUE(u.p.meldungen.empty());
    EXPECT_EQ(u.anzahl(), 53);
    EXPECT_EQ(u.f.ListeObjekt.auswahl, -1);
    EXPECT_FALSE(u.f.Satz_Speichern.aktiv);
}

TEST(Satzbefehle, LoeschenNurNachJa) {
    for (bool ja : {false, true}) {
        SCOPED_TRACE(ja);
        Formularumgebung u;
        u.waehleSatz(51);
        u.f.eingeben("Name", "geändert, nicht gespeichert");
        u.p.uhr = {2030, 6, 7, 8, 9, 10};
        const std::string vorher = u.datei();
        u.p.antworten.push_back(ja);
        u.f.klick("Satz_Loeschen");
        EXPECT_EQ(u.p.texte("Bestätigung"), std::vector<std::string>{Frage});
        std::string erwartet = vorher;
        if (ja)
            erwartet[51 * Groesse + 669] = 'L';
        // Page edits are not written and the stamps stay those of the last store.
        EXPECT_EQ(u.datei(), erwartet);
        EXPECT_EQ(u.f.ListeObjekt.zeilen.size(), ja ? 51u : 52u);
        if (ja) {
            EXPECT_EQ(u.f.AnzeigeName.text, "Name");
            EXPECT_EQ(u.f.AnzeigeVorname.text, "Vorname");
            EXPECT_EQ(u.f.AnzeigeKundenNummer.text, "Ku-Nr.");
            EXPECT_EQ(u.f.AnzeigeRechnungsNummer.text, "Re-Nr.");
            EXPECT_FALSE(u.f.Satz_Loeschen.aktiv);
        }
    }
}

// After a template load the buffer holds the template, and deleting is refused. A record loaded
// as a template need not be one: deleting still changes only the kind letter of the chosen record.
TEST(Satzbefehle, LoeschenNachVorlageLaden) {
    Formularumgebung u;
    u.waehleSatz(51);
    u.f.Puffer = u.satz(3);
    const std::string unveraendert = u.datei();
    u.p.antworten.push_back(true);
    u.f.klick("Satz_Loeschen");
    EXPECT_EQ(u.p.texte("Fehler"), std::vector<std::string>{NichtLoeschbar});
    EXPECT_EQ(u.datei(), unveraendert);
    u.p.antworten.clear();

    DatenSatz fremd = u.satz(51);
    fremd.setzeText(SatzFeld::Name, "Fremd");
    fremd.setzeZeichen(SatzFeld::RechnungsKennZeichen, 'R');

    u.f.Puffer = fremd;
    std::string erwartet = u.datei();
    erwartet[51 * Groesse + 669] = 'L';
    u.p.antworten.push_back(true);
    u.f.klick("Satz_Loeschen");
    EXPECT_EQ(u.datei(), erwartet);

    // Nor is the parameter record marked deleted through such a buffer.
    u.waehleSatz(0);
    u.f.Puffer = fremd;
    const std::string vorher = u.datei();
    u.p.vergessen();
    u.p.antworten.push_back(true);
    u.f.klick("Satz_Loeschen");
    EXPECT_EQ(u.p.texte("Fehler"), std::vector<std::string>{NichtLoeschbar});
    EXPECT_EQ(u.datei(), vorher);
}

// The question comes first; a file that has gone since the record was chosen fails only then.
TEST(Satzbefehle, LoeschenFragtVorDemDateizugriff) {
    Formularumgebung u;
    u.waehleSatz(51);
    std::filesystem::remove(u.pfad);
    u.p.antworten.push_back(true);
    u.f.klick("Satz_Loeschen");
    ASSERT_EQ(u.p.meldungen.size(), 2u);
    EXPECT_EQ(u.p.meldungen[0].text, Frage);
    EXPECT_TRUE(u.p.meldungen[0].vorgabeNein) << "Enter keeps the record";
    EXPECT_EQ(u.p.meldungen[1].text, "Datei nicht gefunden");
}

} // namespace
