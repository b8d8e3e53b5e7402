#include "SatzBau.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>

using namespace fkb;
using namespace fkb::test;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;

// A clock that moves on by one second at every reading, so that the stamps tell which reading
// they come from.
class TickendePlattform : public TestPlattform {
public:
    Zeitpunkt jetzt() override {
        Zeitpunkt z = uhr;
        ++uhr.sekunde;
        return z;
    }
};

// Seeds a new file through "Neu" in a fresh window.
struct Angelegt {
    TempOrdner ordner;
    TickendePlattform p;
    TFKB_Formular f{p};
    std::string pfad = ordner.pfad("neu.fba");
    std::vector<DatenSatz> s;

    Angelegt() {
        f.starten();
        p.uhr = {2026, 12, 8, 10, 15, 0};
        p.dialoge.push_back(pfad);
        f.klick("Neu");
        s = alleSaetze(pfad);
    }
};

// Every text field of a seeded record: those named hold their text, those in `belegt` some
// text, all others nothing.
void erwarteSatz(const DatenSatz& s, const std::map<int, std::string>& texte, const std::set<int>& belegt = {}) {
    for (Feld f : alleFelder()) {
        auto it = texte.find(f.offset);
        if (f.kapazitaet == 0) {
            continue;
        } else if (it != texte.end()) {
            EXPECT_EQ(s.text(f), it->second) << "field at " << f.offset;
        } else {
            EXPECT_EQ(s.text(f).empty(), !belegt.contains(f.offset)) << "field at " << f.offset;
        }
    }
}

} // namespace

TEST(Seeding, ParameterSatz) {
    Angelegt a;
    ASSERT_EQ(std::filesystem::file_size(a.pfad), 52 * G);
    ASSERT_EQ(a.s.size(), 52u);
    using namespace SatzFeld;
    const DatenSatz& p = a.s[0];
    EXPECT_EQ(p.zeichen(RechnungsKennZeichen), 'P');
    EXPECT_EQ(p.zeichen(LieferKennzeichen), 0);
    std::set<int> belegt; // letterhead and bank lines: example values of the owner
    for (Feld f : {Firma, Name, Vorname, Zusatz, Strasse, Nummer, PLZ, Ort, Land, Telephon, Fax, Mail, InternetAdresse})
        belegt.insert(f.offset);
    for (int k = 2; k <= 7; ++k)
        belegt.insert(Position(k).offset);
    erwarteSatz(p,
                {{KundenNummer.offset, "00000"},
                 {Anrede.offset, "Herr"},
                 {Bemerkung.offset, "Achtung! ParameterSatz!\rVorsicht bei Änderungen - Hilfe beachten!\r"
                                    "Rechnungs-KZ ist P und kennzeichnet ParameterSatz."},
                 {RechnungsNummer.offset, "000000"},
                 {Position(1).offset, "UmsatzSteuer"},
                 {Menge(1).offset, "   19,0"},
                 {SystemStempelDatum.offset, "08.12.2026"},
                 {SystemStempelZeit.offset, "10:15:00"}},
                belegt);
    const char* etiketten[] = {"UstID   : ", "BIC     : ", "IBAN    : ", "Bank: ", "BLZ      : ", "Konto-Nr.: "};
    for (int k = 2; k <= 7; ++k) {
        std::string zeile = p.text(Position(k));
        EXPECT_TRUE(zeile.starts_with(etiketten[k - 2]) && zeile.size() > std::strlen(etiketten[k - 2])) << zeile;
    }

    // The new file is shown at once, with its caption from the parameter record.
    ASSERT_EQ(a.p.gezeigteDialoge.size(), 1u);
    const DateiDialog& d = a.p.gezeigteDialoge[0];
    EXPECT_EQ(d.titel + d.filter + d.endung + d.ordner, "Datei öffnenFakturablage FBA (*.fba)|*.fbaFBA/programm/");
    EXPECT_EQ(a.p.texte("Bestätigung").size(), 1u) << "only the welcome question";
    EXPECT_EQ(a.f.DateiName, a.pfad);
    EXPECT_EQ(a.f.ListeObjekt.zeilen.size(), 52u);
    EXPECT_EQ(a.f.Caption, "   Fakturbuch (FKB)   " + p.text(Zusatz) + "   " + p.text(Vorname) + " " + p.text(Name) +
                               "   " + p.text(Firma));
    EXPECT_TRUE(a.f.Speichern.aktiv);
    EXPECT_FALSE(a.f.Satz_Speichern.aktiv);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(a.ordner.wurzel()), {}), 1);
}

TEST(Seeding, VorlagenUndErsterKundensatz) {
    Angelegt a;
    ASSERT_EQ(a.s.size(), 52u);
    using namespace SatzFeld;
    for (int i = 1; i <= 51; ++i) {
        SCOPED_TRACE(i);
        const DatenSatz& s = a.s[std::size_t(i)];
        bool kunde = i == 51;
        char nummer[8];
        std::snprintf(nummer, sizeof nummer, "%06d", i);
        EXPECT_EQ(s.zeichen(RechnungsKennZeichen), kunde ? 'A' : 'V');
        EXPECT_EQ(s.zeichen(LieferKennzeichen), kunde ? 'B' : 0);
        erwarteSatz(s,
                    {{KundenNummer.offset, kunde ? "00001" : "00000"},
                     {Name.offset, kunde ? "bearbeitbarer Satz" : "VorlageSatz"},
                     {RechnungsNummer.offset, nummer},
                     {Bemerkung.offset, kunde ? "Achtung! Erster bearbeitbarer Satz!\r\rBeginnen Sie mit Dateneingabe!"
                                              : "Achtung! VorlageSatz!\rVorsicht bei Änderungen - Hilfe beachten!\r"
                                                "Rechnungs-KZ ist V und kennzeichnet VorlageSatz."},
                     {SystemStempelDatum.offset, "08.12.2026"},
                     {SystemStempelZeit.offset, "10:15:01"}}); // one reading of the clock for all of them
    }
}

TEST(Seeding, BytesHinterJedemTextStammenVomVorigenSatz) {
    // Each record is built in the one buffer: behind a text stand the bytes that the record before
    // left there, and the fresh buffer of a new window is all zero bytes.
    Angelegt a;
    ASSERT_EQ(a.s.size(), 52u);
    DatenSatz vorher;
    for (std::size_t i = 0; i < a.s.size(); ++i) {
        for (Feld f : alleFelder()) {
            std::size_t laenge = f.kapazitaet == 0 ? 1 : a.s[i].roh(f).size();
            for (std::size_t b = f.offset + 1 + laenge; b < f.offset + f.bytes(); ++b)
                ASSERT_EQ(a.s[i].bytes[b], vorher.bytes[b]) << "record " << i << ", byte " << b;
        }
        vorher = a.s[i];
    }
    // What the rule means: a template's emptied company name still carries the owner's.
    auto bytes = [&](std::size_t satz, Feld f, std::size_t n) {
        return std::string(reinterpret_cast<const char*>(&a.s[satz].bytes[f.offset + 1]), n);
    };
    EXPECT_EQ(bytes(1, SatzFeld::Firma, a.s[0].roh(SatzFeld::Firma).size()), a.s[0].text(SatzFeld::Firma));
    EXPECT_EQ(bytes(20, SatzFeld::Menge(1), 7), "   19,0");
}

TEST(Seeding, KennbuchstabeDerLieferungKommtAusDemPuffer) {
    Fenster w;
    DatenSatz d = kunde("00007", "Drittland", "Dora", "000060");
    d.setzeZeichen(SatzFeld::LieferKennzeichen, 'D');
    w.oeffnen({parameterSatz(), d});
    w.f.waehleListe(w.zeileMit("000060"));
    std::string neu = w.ordner.pfad("zweite.fba");
    w.p.dialoge.push_back(neu);
    w.f.klick("Neu");
    auto s = alleSaetze(neu);
    ASSERT_EQ(s.size(), 52u);
    for (int i = 0; i <= 51; ++i)
        EXPECT_EQ(s[std::size_t(i)].zeichen(SatzFeld::LieferKennzeichen), i < 51 ? 'D' : 'B') << i;
    EXPECT_EQ(w.f.DateiName, neu);
}

TEST(Seeding, NeuAufEineVorhandeneDatei) {
    struct Fall {
        const char* was;
        std::optional<bool> antwort; // nothing: the dialog is cancelled
        bool wirdAktuell;
    };
    for (const Fall& fall :
         {Fall{"Ja", true, true}, Fall{"Nein", false, false}, Fall{"Abbruch", std::nullopt, false}}) {
        SCOPED_TRACE(fall.was);
        Fenster w;
        std::string erste = w.oeffnen({parameterSatz(), kunde("00003", "Erste", "A", "000070")}, "erste.fba");
        std::string zweite = w.ordner.pfad("zweite.fba");
        dateiSchreiben(zweite, {kunde("00000", "Zwei", "", "000000", 'P'), kunde("00004", "Zweite", "B", "000080"),
                                kunde("00005", "Dritte", "C", "000081")});
        const std::string inhalt = dateiInhalt(zweite);
        w.p.vergessen();
        if (fall.antwort) {
            w.p.dialoge.push_back(zweite);
            w.p.antworten.push_back(*fall.antwort);
        }
        w.f.klick("Neu");

        std::vector<std::string> frage;
        if (fall.antwort)
            frage.push_back("Datei existiert bereits!\r\rSoll Datei: " + zweite + " bearbeitet werden?");
        EXPECT_EQ(w.p.texte("Bestätigung"), frage);
        EXPECT_TRUE(w.p.texte("Fehler").empty());
        EXPECT_EQ(dateiInhalt(zweite), inhalt) << "nothing is written";
        EXPECT_EQ(w.f.DateiName, fall.wirdAktuell ? zweite : erste);
        EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), fall.wirdAktuell ? 3u : 2u);
        // A record read afterwards comes from the file on view.
        w.f.waehleListe(w.zeileMit(fall.wirdAktuell ? "000080" : "000070"));
        EXPECT_EQ(w.text("Name"), fall.wirdAktuell ? "Zweite" : "Erste");
        EXPECT_TRUE(w.p.texte("Fehler").empty());
    }
}

// Yes, no, and yes while another program creates the file: that one is opened, not replaced.
TEST(Seeding, OeffnenEinerFehlendenDatei) {
    enum { Ja, Nein, InzwischenAngelegt };
    for (int fall : {Ja, Nein, InzwischenAngelegt}) {
        SCOPED_TRACE(fall);
        const bool ja = fall != Nein;
        Fenster w;
        std::string erste = w.oeffnen({parameterSatz(), kunde("00003", "Erste", "A", "000070")});
        std::string fehlt = w.ordner.pfad("fehlt.fba");
        w.p.vergessen();
        w.p.antworten.push_back(ja);
        if (fall == InzwischenAngelegt)
            w.p.beimMelden = [&] { dateiSchreiben(fehlt, {parameterSatz(), kunde("00009", "Anderer", "", "000090")}); };
        w.oeffnen(fehlt);
        w.p.beimMelden = nullptr;
        EXPECT_EQ(w.p.texte("Bestätigung"),
                  std::vector<std::string>{"Datei existiert nicht!\r\rSoll Datei: " + fehlt + " erzeugt werden?"});
        EXPECT_EQ(w.p.texte("Information"),
                  fall == InzwischenAngelegt
                      ? std::vector<std::string>{"Achtung! Datei " + fehlt +
                                                 " wurde inzwischen angelegt!\rVorhandene Datei wird geöffnet - "
                                                 "nichts überschrieben!"}
                      : std::vector<std::string>{});
        EXPECT_EQ(w.f.DateiName, fehlt);
        EXPECT_EQ(std::filesystem::exists(fehlt), ja);
        EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), fall == Ja ? 52u : 2u);
        EXPECT_EQ(w.zeileMit("000090") >= 0, fall == InzwischenAngelegt);
        if (!ja) {
            // The old file stays on view, but records are read from the declined name.
            w.f.eingeben("Position01", "getippt");
            w.f.waehleListe(w.zeileMit("000070"));
            EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{"Datei nicht gefunden"});
            EXPECT_EQ(w.text("Name"), "Name") << "the pages keep what they showed";
            EXPECT_FALSE(w.f.Satz_Speichern.aktiv);
            // A failed reload leaves the typed positions alone: no record reached the page.
            w.f.waehleKategorie("Alles");
            EXPECT_EQ(w.text("Position01"), "getippt");
        }
    }
}

TEST(Seeding, VolleDisketteHinterlaesstKeineHalbeDatei) {
    Fenster w;
    std::string erste = w.oeffnen({parameterSatz(), kunde("00003", "Erste", "A", "000070")});
    std::string neu = w.ordner.pfad("neu.fba");
    w.p.vergessen();
    w.p.dialoge.push_back(neu);
    mitDateigrenze(20 * G + 5, [&] { w.f.klick("Neu"); });
    EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{"Zu wenig Speicherplatz"});
    EXPECT_FALSE(std::filesystem::exists(neu));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(w.ordner.wurzel()), {}), 1);
    EXPECT_EQ(w.f.DateiName, erste);
    EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), 1u + 1u);
}
