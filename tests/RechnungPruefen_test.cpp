#include "Formularumgebung.h"

#include <gtest/gtest.h>

using namespace fkb;
using namespace fkb::test;

namespace {

const char* const MengeKomma = "BedienFehler - Kommastellenfehler in Menge!\rMenge korrigieren im Satz!";
const char* const MengeGross = "BedienFehler - die Menge ist größer 9.999,9!\rMenge korrigieren im Satz!";
const char* const PreisKomma = "BedienFehler - Kommastellenfehler in Preis!\rPreis korrigieren im Satz!";
const char* const PreisGross = "BedienFehler - der Preis ist größer 999.999,99!\rPreis korrigieren im Satz!";
const char* const KostenKomma = "BedienFehler - Kommastellenfehler in Kosten!\rKosten korrigieren im Satz!";
const char* const MengeMinus = "BedienFehler - Minuszeichen in Menge!\rMenge korrigieren im Satz!";
const char* const PreisMinus = "BedienFehler - Minuszeichen in Preis!\rPreis korrigieren im Satz!";
const char* const KostenMinus = "BedienFehler - Minuszeichen in Kosten!\rKosten korrigieren im Satz!";
const char* const KostenGross = "BedienFehler - die Kosten sind größer 999,99!\rKosten korrigieren im Satz!";

void ustSetzen(const Formularumgebung& u, const char* text) {
    DatenSatz s = u.satz(0);
    s.setzeText(SatzFeld::Menge(1), text);
    u.schreiben(0, s);
}

TEST(RechnungPruefen, PositionszeilenWerdenGeprueftUndNormalisiert) {
    struct Fall {
        const char *menge, *preis;
        const char *neueMenge, *neuerPreis, *wert;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"2", "12,5", "    2,0", "     12,50", "           25,00", nullptr},
        {"1.500", "1", "1.500,0", "      1,00", "        1.500,00", nullptr},
        {"1", "12.50", "    1,0", "  1.250,00", "        1.250,00", nullptr},
        {"9999,9", "1", "9.999,9", "      1,00", "        9.999,90", nullptr},
        {"1", "999999,99", "    1,0", "999.999,99", "      999.999,99", nullptr},
        {"12,", "2", "   12,0", "      2,00", "           24,00", nullptr},
        {"2", "12,", "    2,0", "     12,00", "           24,00", nullptr},
        {"0,1", "1,15", "    0,1", "      1,15", "            0,12", nullptr},
        {"1,5", "0,15", "    1,5", "      0,15", "            0,23", nullptr},
        {"16,5", "9,87", "   16,5", "      9,87", "          162,86", nullptr}, // 162,855 as a double lies below
        {"3", "0,00", "    3,0", "      0,00", "", nullptr},
        {"0", "5", "", "      5,00", "", nullptr},
        {"", "abc", "", "", "", nullptr},
        {"", "", "", "", "", nullptr},
        // A rejected quantity leaves the price as typed: it is not looked at.
        {"1,25", "      5,00", " Fehler", "      5,00", "", MengeKomma},
        {"10000", "12,5", " Fehler", "      12,5", "", MengeGross},
        {"1", "1000000", "    1,0", "    Fehler", "", PreisGross},
        {"1", "1,255", "    1,0", "    Fehler", "", PreisKomma},
        // A discount typed with a minus sign is refused, never charged.
        {"-1", "      5,00", " Fehler", "      5,00", "", MengeMinus},
        {"1", "-20,00", "    1,0", "    Fehler", "", PreisMinus},
        {"1", "20,00 \u2013", "    1,0", "    Fehler", "", PreisMinus},
    };
    Formularumgebung u;
    for (const Fall& c : faelle) {
        SCOPED_TRACE(std::string(c.menge) + " x " + c.preis);
        u.p.vergessen();
        u.f.Menge[0].text = c.menge;
        u.f.Preis[0].text = c.preis;
        // A line error does not make the run fail.
        EXPECT_TRUE(u.f.RechnungPruefen());
        EXPECT_EQ(u.f.Menge[0].text, c.neueMenge);
        EXPECT_EQ(u.f.Preis[0].text, c.neuerPreis);
        EXPECT_EQ(u.f.Wert[0].text, c.wert);
        EXPECT_EQ(u.p.texte("Fehler"), c.meldung ? std::vector<std::string>{c.meldung} : std::vector<std::string>{});
    }
}

TEST(RechnungPruefen, LeereSeiteGibtNullSummen) {
    Formularumgebung u;
    u.f.klick("SpeedButtonPruefung");
    EXPECT_TRUE(u.p.meldungen.empty());
    EXPECT_EQ(u.f.Summe_Positionen.text, "            0,00");
    EXPECT_EQ(u.f.WertUst.text, "            0,00");
    EXPECT_EQ(u.f.WertBrutto.text, "            0,00");
    EXPECT_EQ(u.f.PanelUst.text, "UmsatzSteuer: 19,0 %");
}

TEST(RechnungPruefen, SummenMitUmsatzSteuer) {
    struct Fall {
        const char* satz;
        const char *menge, *preis;
        double ust;
        const char *summe, *wertUst, *brutto, *panel;
    };
    const Fall faelle[] = {
        {"   19,0", "1", "100", 19.0, "          100,00", "           19,00", "          119,00",
         "UmsatzSteuer: 19,0 %"},
        {"5,0", "1", "24,30", 1.22, "           24,30", "            1,22", "           25,52", "UmsatzSteuer: 5,0 %"},
        {"7", "9.999,9", "999.999,99", 699992993.0, "9.999.899.900,00", "  699.992.993,00", "10.699.892.893,00",
         "UmsatzSteuer: 7,0 %"},
        {"99,9", "1", "10", 9.99, "           10,00", "            9,99", "           19,99", "UmsatzSteuer: 99,9 %"},
        {"16,", "1", "10", 1.6, "           10,00", "            1,60", "           11,60", "UmsatzSteuer: 16,0 %"},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.satz);
        Formularumgebung u;
        ustSetzen(u, c.satz);
        u.f.Menge[0].text = c.menge;
        u.f.Preis[0].text = c.preis;
        EXPECT_TRUE(u.f.RechnungPruefen());
        EXPECT_EQ(u.f.Summe_Positionen.text, c.summe);
        EXPECT_EQ(u.f.WertUst.text, c.wertUst);
        EXPECT_EQ(u.f.WertBrutto.text, c.brutto);
        EXPECT_EQ(u.f.PanelUst.text, c.panel);
        EXPECT_DOUBLE_EQ(u.f.Summen.UstWert, c.ust);
        EXPECT_EQ(u.f.Summen.BruttoWert, u.f.Summen.NettoWert + u.f.Summen.UstWert);
    }
}

TEST(RechnungPruefen, KostenZaehlenZumNettoWertUndBleibenAufDerSeite) {
    Formularumgebung u;
    u.f.Menge[0].text = "2";
    u.f.Preis[0].text = "5";
    u.f.Menge[1].text = "1";
    u.f.Preis[1].text = "0,05";
    u.f.VersandKosten.text = "4,9";
    u.f.NachnameKosten.text = "1";
    u.f.SonstigeKosten.text = "0,5";
    EXPECT_TRUE(u.f.RechnungPruefen());
    EXPECT_EQ(u.f.Summen.VersandKosten, 4.9);
    EXPECT_EQ(u.f.Summen.NachnameKosten, 1.0);
    EXPECT_EQ(u.f.Summen.SonstigeKosten, 0.5);
    EXPECT_EQ(u.f.Summe_Positionen.text, "           16,45");
    EXPECT_EQ(u.f.WertUst.text, "            3,13");
    EXPECT_EQ(u.f.WertBrutto.text, "           19,58");
    EXPECT_EQ(u.f.VersandKosten.text, "4,9");
}

TEST(RechnungPruefen, KostenPruefenNormalisiert) {
    const std::pair<const char*, const char*> faelle[] = {
        {"4,9", "  4,90"}, {"999,99", "999,99"}, {"12,", " 12,00"}, {"0", ""}, {"0,00", ""},
        {"", ""},          {"V-Kos.", ""},       {"1.5", " 15,00"},
    };
    Formularumgebung u;
    for (auto [text, ergebnis] : faelle)
        EXPECT_EQ(u.f.KostenPruefen(text), ergebnis) << text;
    EXPECT_TRUE(u.p.meldungen.empty());
}

TEST(RechnungPruefen, AbgelehnteKostenBeendenDenLauf) {
    struct Fall {
        Steuerelement Bedienelemente::*feld;
        const char* text;
        const char* kostenMeldung;
        const char* feldMeldung;
    };
    const Fall faelle[] = {
        {&Bedienelemente::VersandKosten, "1000", KostenGross,
         "BedienFehler - Fehler in VersandKosten!\rVersandKosten korrigieren!"},
        {&Bedienelemente::VersandKosten, "1,234", KostenKomma,
         "BedienFehler - Fehler in VersandKosten!\rVersandKosten korrigieren!"},
        {&Bedienelemente::NachnameKosten, "1000", KostenGross,
         "BedienFehler - Fehler in NachnameKosten!\rNachnameKosten korrigieren!"},
        {&Bedienelemente::SonstigeKosten, "5,555", KostenKomma,
         "BedienFehler - Fehler in SonstigeKosten!\rSonstigeKosten korrigieren!"},
        {&Bedienelemente::NachnameKosten, "-4,90", KostenMinus,
         "BedienFehler - Fehler in NachnameKosten!\rNachnameKosten korrigieren!"},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.feldMeldung);
        Formularumgebung u;
        u.f.Menge[0].text = "1";
        u.f.Preis[0].text = "3";
        (u.f.*c.feld).text = c.text;
        // A later bad cost is not reported: the run stops at the first.
        if (c.feld == &Bedienelemente::VersandKosten)
            u.f.SonstigeKosten.text = "9999";
        EXPECT_FALSE(u.f.RechnungPruefen());
        EXPECT_EQ(u.p.texte("Fehler"), (std::vector<std::string>{c.kostenMeldung, c.feldMeldung}));
        // The lines are written, the totals are not.
        EXPECT_EQ(u.f.Menge[0].text, "    1,0");
        EXPECT_EQ(u.f.Summe_Positionen.text, "Wert netto");
        EXPECT_EQ(u.f.WertUst.text, "UmsatzSteuer");
    }
}

TEST(RechnungPruefen, AuslandOhneUmsatzSteuerLiestSatzNullNicht) {
    for (const char* region : {"E", "D", ""}) {
        SCOPED_TRACE(region);
        Formularumgebung u;
        u.f.LieferKennzeichen.text = region;
        u.f.Menge[0].text = "1";
        u.f.Preis[0].text = "24,30";
        u.f.PanelUst.text = "bisher";
        u.f.DateiName = u.ordner.pfad("fehlt.fba"); // reading it would fail
        EXPECT_TRUE(u.f.RechnungPruefen());
        EXPECT_TRUE(u.p.meldungen.empty());
        EXPECT_EQ(u.f.WertUst.text, "UmsatzSteuer");
        EXPECT_EQ(u.f.WertBrutto.text, "Wert brutto");
        EXPECT_EQ(u.f.PanelUst.text, "bisher");
        EXPECT_EQ(u.f.Summen.UstWert, 0);
        EXPECT_EQ(u.f.Summen.BruttoWert, 24.3);
    }
}

TEST(RechnungPruefen, FehlerhafteUmsatzSteuerImParameterSatz) {
    const std::pair<const char*, const char*> faelle[] = {
        {"19,00", "BedienFehler - Kommastellenfehler in USt!\rUSt in ParameterSatz korrigieren!"},
        {"", "LogikFehler - keine USt ermittelbar!\rUSt in ParameterSatz korrigieren!"},
        {"USt", "LogikFehler - keine USt ermittelbar!\rUSt in ParameterSatz korrigieren!"},
        {"100", "BedienFehler - USt ist größer 99,9!\rUSt in ParameterSatz korrigieren!"},
    };
    for (auto [satz, meldung] : faelle) {
        SCOPED_TRACE(satz);
        Formularumgebung u;
        ustSetzen(u, satz);
        u.f.Menge[0].text = "1";
        u.f.Preis[0].text = "100";
        EXPECT_FALSE(u.f.RechnungPruefen());
        EXPECT_EQ(u.p.texte("Fehler"), std::vector<std::string>{meldung});
        EXPECT_EQ(u.f.Summe_Positionen.text, "          100,00");
        EXPECT_EQ(u.f.WertUst.text, "UmsatzSteuer");
        EXPECT_EQ(u.f.PanelUst.text, "UmsatzSteuer");
    }
}

TEST(RechnungPruefen, SatzWirdBeiJedemLaufNeuGelesen) {
    Formularumgebung u;
    u.f.Menge[0].text = "1";
    u.f.Preis[0].text = "100";
    EXPECT_TRUE(u.f.RechnungPruefen());
    EXPECT_EQ(u.f.WertUst.text, "           19,00");
    ustSetzen(u, "   16,0");
    EXPECT_TRUE(u.f.RechnungPruefen());
    EXPECT_EQ(u.f.WertUst.text, "           16,00");
    EXPECT_EQ(u.f.PanelUst.text, "UmsatzSteuer: 16,0 %");
}

TEST(RechnungPruefen, JedeAbgelehnteZeileMeldetSichEinmal) {
    Formularumgebung u;
    u.f.Menge[2].text = "1,25";
    u.f.Menge[24].text = "1";
    u.f.Preis[24].text = "1,001";
    u.f.Menge[10].text = "2";
    u.f.Preis[10].text = "3";
    EXPECT_TRUE(u.f.RechnungPruefen());
    EXPECT_EQ(u.p.texte("Fehler"), (std::vector<std::string>{MengeKomma, PreisKomma}));
    EXPECT_EQ(u.f.Summen.NettoWert, 6.0);
}

} // namespace
