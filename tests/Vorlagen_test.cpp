// The two template panels: number selection, the guard, and what each load changes and keeps.
#include "Formularumgebung.h"
#include "SatzBau.h"
#include "app/Seitenfelder.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <sstream>

using namespace fkb;
using namespace fkb::test;

namespace {

const char* const Schutz = "BedienFehler - Vorlage nicht in Parameter oder Vorlage ladbar!\rWähle entsprechenden Satz!";

// Text and enabled state of every control, to tell exactly which ones a command changed.
std::map<std::string, std::pair<std::string, bool>> bild(TFKB_Formular& f) {
    std::map<std::string, std::pair<std::string, bool>> b;
    for (const Steuerelement* s : f.alle())
        b[s->name] = {s->text, s->aktiv};
    return b;
}

std::set<std::string> namen(const std::string& liste) {
    std::istringstream ein(liste);
    return {std::istream_iterator<std::string>(ein), std::istream_iterator<std::string>()};
}

std::set<std::string> geaendert(TFKB_Formular& f, const std::map<std::string, std::pair<std::string, bool>>& vorher) {
    std::set<std::string> namen;
    for (const auto& [name, zustand] : bild(f))
        if (vorher.at(name) != zustand)
            namen.insert(name);
    return namen;
}

// Template n of the file carries "Kunde n" and the line "Zeile n", so a load tells which one came.
void vorlagenBenennen(Formularumgebung& u) {
    for (int n = 1; n <= 50; ++n) {
        DatenSatz s = u.satz(n);
        s.setzeText(SatzFeld::Name, "Kunde " + std::to_string(n));
        s.setzeText(SatzFeld::Position(1), "Zeile " + std::to_string(n));
        u.schreiben(n, s);
    }
}

// A half-filled invoice: record 51 shown, three lines typed and checked.
void halbeRechnung(Formularumgebung& u) {
    u.waehleSatz(51);
    u.f.eingeben("Name", "Getippt");
    for (int k = 1; k <= 3; ++k) {
        u.f.eingeben("Position" + zeilenNummer(k), "Arbeit " + std::to_string(k));
        u.f.eingeben("ME" + zeilenNummer(k), "Std");
        u.f.eingeben("Menge" + zeilenNummer(k), std::to_string(k));
        u.f.eingeben("Preis" + zeilenNummer(k), "10");
    }
    u.f.klick("SpeedButtonPruefung");
    u.p.vergessen();
}

} // namespace

// The number field shows the position from before each step; the load takes that number.
TEST(Vorlagen, NummerVorDemSchritt) {
    struct Fall {
        std::string schritte; // + up, - down
        int nummer, position;
    };
    const Fall faelle[] = {{"", 1, 1},
                           {"+", 1, 2},
                           {"++", 2, 3},
                           {"-", 1, 50},
                           {"-+", 50, 1},
                           {"--", 50, 49},
                           {"+-", 2, 1},
                           {"-++", 1, 2},
                           {std::string(49, '+'), 49, 50},
                           {std::string(50, '+'), 50, 1}};
    for (bool kunde : {true, false})
        for (const Fall& fall : faelle) {
            SCOPED_TRACE(std::string(kunde ? "Kunde " : "Rechnung ") + fall.schritte);
            Formularumgebung u;
            vorlagenBenennen(u);
            Steuerelement& regler = kunde ? u.f.UpDownKunde : u.f.UpDownRechnung;
            for (char c : fall.schritte)
                u.f.schritt(regler, c == '+');
            EXPECT_EQ((kunde ? u.f.EditLadenVorlage : u.f.EditVorlageLaden).text, std::to_string(fall.nummer));
            EXPECT_EQ(kunde ? u.f.UpDownKundePosition : u.f.UpDownRechnungPosition, fall.position);
            // The other panel has not moved.
            EXPECT_EQ((kunde ? u.f.EditVorlageLaden : u.f.EditLadenVorlage).text, "1");
            EXPECT_EQ(kunde ? u.f.UpDownRechnungPosition : u.f.UpDownKundePosition, 1);

            u.f.klick(kunde ? "BitBtnLadenVorlageKunde" : "BitBtnVorlageLadenRechnung");
            EXPECT_EQ(kunde ? u.f.Name.text : u.f.Position[0].text,
                      (kunde ? "Kunde " : "Zeile ") + std::to_string(fall.nummer));

            // A newly loaded file keeps both where they are.
            u.p.dialoge.push_back(u.pfad);
            u.p.antworten.push_back(true);
            u.f.klick("Neu");
            EXPECT_EQ((kunde ? u.f.EditLadenVorlage : u.f.EditVorlageLaden).text, std::to_string(fall.nummer));
            EXPECT_EQ(kunde ? u.f.UpDownKundePosition : u.f.UpDownRechnungPosition, fall.position);
            EXPECT_TRUE(u.p.texte("Fehler").empty());
        }
}

TEST(Vorlagen, KundenteilInEineHalbeRechnung) {
    Formularumgebung u;
    DatenSatz vorlage = satz(Kennzeichen::Vorlage, {});
    for (Feld f : alleFelder())
        if (f.kapazitaet > 0)
            vorlage.setzeText(f, "v" + std::to_string(f.offset));
    vorlage.setzeZeichen(SatzFeld::LieferKennzeichen, 'E');
    u.schreiben(7, vorlage);
    halbeRechnung(u);
    u.f.klick("ButtonRechnung");
    for (int i = 0; i < 7; ++i)
        u.f.schritt(u.f.UpDownKunde, true);
    const auto vorher = bild(u.f);

    u.f.klick("BitBtnLadenVorlageKunde");

    EXPECT_TRUE(u.p.meldungen.empty());
    // Exactly the customer, header, cost and date fields change, and the side panel with them.
    const std::set<std::string> erwartet =
        namen("KundenNummer Anrede Firma Name Vorname Zusatz Strasse Nummer PLZ Ort Land Telephon Fax Mail "
              "InternetAdresse Fahrzeug Bemerkung RechnungsNummer RechnungsKennZeichen ZahlungsEingang "
              "LieferKennzeichen ZolltarifNummer VersandKosten NachnameKosten SonstigeKosten "
              "BezeichnungSonstigeKosten LeistungsDatum RechnungsDatum PanelUst AnzeigeName AnzeigeVorname "
              "AnzeigeKundenNummer AnzeigeRechnungsNummer");
    EXPECT_EQ(geaendert(u.f, vorher), erwartet);
    for (const Seitenfeld& f : Seitenfelder)
        EXPECT_EQ((u.f.*f.steuerelement).text, vorlage.text(f.feld)) << (u.f.*f.steuerelement).name;
    EXPECT_EQ(u.f.Name.text + u.f.Bemerkung.text + u.f.RechnungsDatum.text, "v43v406v2611");
    EXPECT_EQ(u.f.RechnungsKennZeichen.text, "A") << "an invoice before";
    EXPECT_EQ(u.f.LieferKennzeichen.text, "E");
    EXPECT_EQ(u.f.PanelUst.text, "UmsatzSteuer");
    EXPECT_EQ(u.f.AnzeigeName.text, u.f.Name.text);
    EXPECT_EQ(u.f.AnzeigeRechnungsNummer.text, u.f.RechnungsNummer.text);

    // The buffer holds the template: deleting is refused, the file untouched.
    EXPECT_EQ(u.f.Puffer, vorlage);
    const std::string datei = u.datei();
    u.p.antworten.push_back(true);
    u.f.klick("Satz_Loeschen");
    EXPECT_EQ(u.p.texte("Fehler"),
              std::vector<std::string>{
                  "LogikFehler - ParameterSatz/VorlageSatz nicht löschbar!\rRechnungsKennZeichen im Satz prüfen!"});
    EXPECT_EQ(u.datei(), datei);
}

TEST(Vorlagen, RechnungsteilErsetztAlle25Zeilen) {
    Formularumgebung u;
    DatenSatz vorlage = u.satz(4);
    vorlage.setzeText(SatzFeld::Position(1), "Ölwechsel");
    vorlage.setzeText(SatzFeld::ME(1), "Stk");
    vorlage.setzeText(SatzFeld::Menge(1), "    1,0");
    vorlage.setzeText(SatzFeld::Preis(1), "     49,90");
    vorlage.setzeText(SatzFeld::Position(25), "Entsorgung");
    u.schreiben(4, vorlage);
    halbeRechnung(u);
    for (int i = 0; i < 4; ++i)
        u.f.schritt(u.f.UpDownRechnung, true);
    const auto vorher = bild(u.f);

    u.f.klick("BitBtnVorlageLadenRechnung");

    EXPECT_TRUE(u.p.meldungen.empty());
    std::set<std::string> erwartet;
    for (const char* art : {"Position", "ME", "Menge", "Preis"})
        for (int k : {1, 2, 3})
            erwartet.insert(art + zeilenNummer(k));
    erwartet.erase("Menge01"); // typed "1" was checked into the same text the template holds
    erwartet.insert("Position25");
    EXPECT_EQ(geaendert(u.f, vorher), erwartet) << "customer fields, costs, values and totals stay";
    for (int k = 1; k <= 25; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(u.f.Position[std::size_t(k - 1)].text, vorlage.text(SatzFeld::Position(k)));
        EXPECT_EQ(u.f.ME[std::size_t(k - 1)].text, vorlage.text(SatzFeld::ME(k)));
        EXPECT_EQ(u.f.Menge[std::size_t(k - 1)].text, vorlage.text(SatzFeld::Menge(k)));
        EXPECT_EQ(u.f.Preis[std::size_t(k - 1)].text, vorlage.text(SatzFeld::Preis(k)));
    }
    EXPECT_EQ(u.f.Puffer, vorlage);
}

// Pages showing the parameter record or a template refuse both loads; a file too short for the
// number fails on reading. Either way no control changes.
TEST(Vorlagen, SchutzUndZuKurzeDatei) {
    struct Fall {
        const char* was;
        std::int64_t gezeigt; // record on the pages
        std::int64_t kuerzen; // records left in the file, 0 for all
        const char* meldung;
    };
    for (const Fall& fall : {Fall{"parameter record", 0, 0, Schutz}, Fall{"template", 3, 0, Schutz},
                             Fall{"file of 20 records", 51, 20, "Versuch hinter dem Dateiende zu lesen"}})
        for (const char* knopf : {"BitBtnLadenVorlageKunde", "BitBtnVorlageLadenRechnung"}) {
            SCOPED_TRACE(std::string(fall.was) + " " + knopf);
            Formularumgebung u;
            u.waehleSatz(fall.gezeigt);
            for (int i = 0; i < 25; ++i) {
                u.f.schritt(u.f.UpDownKunde, false);
                u.f.schritt(u.f.UpDownRechnung, false);
            }
            if (fall.kuerzen)
                std::filesystem::resize_file(u.pfad, std::uintmax_t(fall.kuerzen) * DatenSatz::Groesse);
            const auto vorher = bild(u.f);
            const DatenSatz puffer = u.f.Puffer;
            u.f.klick(knopf);
            EXPECT_EQ(u.p.texte("Fehler"), std::vector<std::string>{fall.meldung});
            EXPECT_TRUE(geaendert(u.f, vorher).empty());
            EXPECT_EQ(u.f.Puffer, puffer);
        }
}
