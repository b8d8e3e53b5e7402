#include "TestPlattform.h"
#include "app/TFKB_Formular.h"

#include <gtest/gtest.h>

using namespace fkb;
using namespace fkb::test;

namespace {

const char* const Sperre = "BedienFehler - im ParameterSatz/VorlageSatz ist Rechnungs-KZ nicht änderbar!\r"
                           "RechnungsKennZeichen im Satz prüfen!";

struct Knopffall {
    const char* knopf;
    Steuerelement Bedienelemente::*feld;
    const char* text;
};

// Salutation, region and date buttons act on every kind of record, P and V included.
TEST(Feldknoepfe, FesteTexteUndHeutigesDatumOhneSperre) {
    const Knopffall faelle[] = {
        {"ButtonFrau", &Bedienelemente::Anrede, "Frau"},
        {"ButtonHerr", &Bedienelemente::Anrede, "Herr"},
        {"ButtonFirma", &Bedienelemente::Anrede, "Firma"},
        {"ButtonBRD", &Bedienelemente::LieferKennzeichen, "B"},
        {"ButtonEU", &Bedienelemente::LieferKennzeichen, "E"},
        {"ButtonDrittland", &Bedienelemente::LieferKennzeichen, "D"},
        {"SpeedButtonLeistungsDatum", &Bedienelemente::LeistungsDatum, "08.12.2026"},
        {"SpeedButtonRechnungsDatum", &Bedienelemente::RechnungsDatum, "08.12.2026"},
    };
    for (const char* art : {"A", "P", "V"})
        for (const Knopffall& c : faelle) {
            SCOPED_TRACE(std::string(art) + " " + c.knopf);
            TestPlattform p;
            TFKB_Formular f(p);
            f.RechnungsKennZeichen.text = art;
            (f.*c.feld).text = "x";
            EXPECT_EQ(f.klick(c.knopf), Aktion::Ausgefuehrt);
            EXPECT_EQ((f.*c.feld).text, c.text);
            EXPECT_EQ(f.RechnungsKennZeichen.text, art);
            EXPECT_TRUE(p.meldungen.empty());
        }
}

TEST(Feldknoepfe, KennzeichenSperre) {
    struct Fall {
        const char* vorher;
        const char* knopf;
        const char* nachher;
        bool gesperrt;
    };
    const Fall faelle[] = {
        {"R", "ButtonAngebot", "A", false},  {"A", "ButtonRechnung", "R", false}, {"A", "ButtonBezahlt", "B", false},
        {"L", "ButtonRechnung", "R", false}, {"", "ButtonAngebot", "A", false},   {"p", "ButtonAngebot", "A", false},
        {"P", "ButtonAngebot", "P", true},   {"P", "ButtonRechnung", "P", true},  {"P", "ButtonBezahlt", "P", true},
        {"V", "ButtonAngebot", "V", true},   {"V", "ButtonRechnung", "V", true},  {"V", "ButtonBezahlt", "V", true},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(std::string(c.vorher) + " " + c.knopf);
        TestPlattform p;
        TFKB_Formular f(p);
        f.RechnungsKennZeichen.text = c.vorher;
        f.ZahlungsEingang.text = "";
        f.klick(c.knopf);
        EXPECT_EQ(f.RechnungsKennZeichen.text, c.nachher);
        EXPECT_EQ(p.texte("Fehler"), c.gesperrt ? std::vector<std::string>{Sperre} : std::vector<std::string>{});
        // The paid button sets the payment date even where the kind letter stays.
        EXPECT_EQ(f.ZahlungsEingang.text, std::string(c.knopf) == "ButtonBezahlt" ? "08.12.2026" : "");
    }
}

TEST(Feldknoepfe, NaechsteNummernZaehlenWeiterOhneAnzeigeZuAendern) {
    TestPlattform p;
    TFKB_Formular f(p);
    f.LetzteRechnungsNummer = 51;
    f.LetzteKundenNummer = 0;
    for (const char* erwartet : {"52", "53", "54"}) {
        f.klick("SpeedButtonRechnungsNummer");
        EXPECT_EQ(f.RechnungsNummer.text, erwartet);
    }
    EXPECT_EQ(f.LetzteRechnungsNummer, 54u);
    f.klick("SpeedButtonKundenNummer");
    EXPECT_EQ(f.KundenNummer.text, "1");
    EXPECT_EQ(f.PanelLetzteRechnungsNummer.text, "Letzte RechnungsNummer: 0");
    EXPECT_EQ(f.PanelLetzteKundenNummer.text, "letzte KundenNummer: 0");
    EXPECT_TRUE(p.meldungen.empty());
}

TEST(Feldknoepfe, NummernGrenzen) {
    TestPlattform p;
    TFKB_Formular f(p);
    f.LetzteKundenNummer = 99998;
    for (int i = 0; i < 2; ++i) {
        f.klick("SpeedButtonKundenNummer");
        EXPECT_EQ(f.KundenNummer.text, "99999");
    }
    EXPECT_EQ(f.LetzteKundenNummer, 99999u);
    f.LetzteRechnungsNummer = 999999;
    f.RechnungsNummer.text = "vorher";
    f.klick("SpeedButtonRechnungsNummer");
    EXPECT_EQ(f.RechnungsNummer.text, "vorher");
    EXPECT_EQ(f.LetzteRechnungsNummer, 999999u);
    EXPECT_EQ(
        p.texte("Fehler"),
        (std::vector<std::string>{
            "BedienFehler - Letzte KundenNummer übersteigt 99999!\rDatensatz mit KundenNummer korrigieren!",
            "BedienFehler - Letzte RechnungsNummer übersteigt 999999!\rDatensatz mit RechnungsNummer korrigieren!"}));
}

} // namespace
