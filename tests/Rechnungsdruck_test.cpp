#include "Formularumgebung.h"
#include "editing/Zahlen.h"
#include "printing/Aufzeichnung.h"
#include "printing/Rechnungsdruck.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace fkb;
using namespace fkb::test;

namespace {

using Texte = std::vector<GedruckterText>;

Absender eigner() {
    Absender a;
    a.Anrede = "Herr";
    a.Firma = "Fliesen Groß GmbH";
    a.Name = "Groß";
    a.Vorname = "Jörg";
    a.Zusatz = "Meisterbetrieb";
    a.Strasse = "Hauptstraße";
    a.Nummer = "7";
    a.PLZ = "97070";
    a.Ort = "Würzburg";
    a.Land = "Deutschland";
    a.Telephon = "0931 123";
    a.Fax = "0170 456";
    a.Mail = "info@gross.de";
    a.InternetAdresse = "www.gross.de";
    a.UstBezeichnung = "UmsatzSteuer";
    a.UstSatz = "   19,0";
    a.Zeilen = {"UstID   : DE1", "BIC     : B", "IBAN    : DE00", "Bank: Sparkasse", "BLZ      : 1", "Konto-Nr.: 2"};
    return a;
}

Rechnungsblatt blatt(bool formular, const char* art, const char* region, double nachname = 0, double versand = 0,
                     double sonstige = 0) {
    Rechnungsblatt b;
    b.formular = formular;
    b.Anrede = "Frau";
    b.Zusatz = "Dr.";
    b.Vorname = "Käthe";
    b.Name = "Müller";
    b.Firma = "Bäckerei";
    b.Strasse = "Lindenweg";
    b.Nummer = "3a";
    b.PLZ = "80331";
    b.Ort = "München";
    b.Land = "Österreich";
    b.KundenNummer = "00042";
    b.RechnungsNummer = "000123";
    b.RechnungsDatum = "08.12.2026";
    b.RechnungsKennZeichen = art;
    b.LeistungsDatum = "01.12.2026";
    b.LieferKennzeichen = region;
    b.ZolltarifNummer = "ATU123";
    b.BezeichnungSonstigeKosten = "Entsorgung";
    b.zeilen[0] = {"Fliesen verlegen", "m²", "   12,0", "     49,50", "          594,00"};
    b.summen = {versand, nachname, sonstige, 594 + nachname + versand + sonstige, 0, 0};
    if (std::string(region) == "B")
        b.summen.UstWert = 112.86;
    b.summen.BruttoWert = b.summen.NettoWert + b.summen.UstWert;
    b.faelligAm = "22.12.2026";
    return b;
}

Texte drucken(const Rechnungsblatt& b, int druckHoehe = Aufzeichnung::A4DruckHoehe) {
    Aufzeichnung a(druckHoehe);
    rechnungDrucken(a, eigner(), b);
    EXPECT_TRUE(a.metrisch);
    return a.texte;
}

const GedruckterText* finde(const Texte& texte, const std::string& text) {
    auto t = std::find_if(texte.begin(), texte.end(), [&](const GedruckterText& g) { return g.text == text; });
    return t == texte.end() ? nullptr : &*t;
}

int seiten(const Texte& texte) {
    return texte.empty() ? 0 : texte.back().seite;
}

TEST(Rechnungsdruck, SchluesselzeilenJeVarianteArtUndRegion) {
    // d of a row = −y; one step is 35, the sender line's step 20.
    struct Fall {
        const char* name;
        Rechnungsblatt b;
        const char* titel;
        int titelD;
        int nettoD;             // "RechnungsSumme netto"
        bool ust, unterschrift; // VAT row, "(Unterschrift)"
        const char* region;     // first region text, or nullptr
        int seiten;
    };
    const Fall faelle[] = {
        {"Angebot, Briefkopf, Inland", blatt(false, "A", "B"), "Angebot", 600, 2000, true, false, nullptr, 1},
        {"Rechnung, Formular, EU, zwei Kosten", blatt(true, "R", "E", 5, 4.9), "Rechnung", 685, 2155, false, true,
         "Steuerfreie innergemeinschaftliche Lieferung - gemäß § 4 Nr. 1b sowie 6a UStG.", 1},
        {"bezahlt, Briefkopf, Drittland, alle Kosten", blatt(false, "B", "D", 5, 4.9, 12), "bezahlte Rechnung", 600,
         2105, false, true, "Lieferung erfolgt in Drittland ohne MehrwertSteuer.", 2},
        {"andere Region", blatt(true, "R", "X"), "Rechnung", 685, 2085, false, true, nullptr, 1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const Texte t = drucken(f.b);
        const GedruckterText* titel = finde(t, f.titel);
        ASSERT_TRUE(titel);
        EXPECT_EQ(titel->x, 1450);
        EXPECT_EQ(titel->y, -f.titelD);
        EXPECT_EQ(titel->hoehe, 35);
        const GedruckterText* netto = finde(t, "RechnungsSumme netto");
        ASSERT_TRUE(netto);
        EXPECT_EQ(netto->y, -f.nettoD);
        // The amount stands in the same row, two blanks and 15 characters from x = 1700.
        const GedruckterText& betrag = *(netto + 1);
        EXPECT_EQ(betrag.x, 1700);
        EXPECT_EQ(betrag.y, netto->y);
        EXPECT_EQ(betrag.text, betragText(f.b.summen.NettoWert));

        const GedruckterText* ust = finde(t, "   19,0 %");
        EXPECT_EQ(ust != nullptr, f.ust);
        if (ust) {
            EXPECT_EQ(ust->x, 1300);
            EXPECT_EQ(ust->y, netto->y - 35);
            EXPECT_EQ((ust - 1)->text, "UmsatzSteuer");
            EXPECT_EQ((ust + 1)->text, "  " + rechtsBuendig("112,86", 15));
        }
        EXPECT_EQ(finde(t, "(Unterschrift)") != nullptr, f.unterschrift);
        EXPECT_EQ(finde(t, "Ust-IdentNummer: ATU123") != nullptr, f.b.LieferKennzeichen == "E");
        EXPECT_EQ(finde(t, "ZolltarifNummer: ATU123") != nullptr, f.b.LieferKennzeichen == "D");
        if (f.region) {
            EXPECT_TRUE(finde(t, f.region));
        }
        // Costs of 0 leave their rows out.
        EXPECT_EQ(finde(t, "Nachname-Kosten") != nullptr, f.b.summen.NachnameKosten != 0);
        EXPECT_EQ(finde(t, "Versand-Kosten") != nullptr, f.b.summen.VersandKosten != 0);
        EXPECT_EQ(finde(t, "Entsorgung") != nullptr, f.b.summen.SonstigeKosten != 0);

        // Letterhead, sender line and footer belong to the letterhead variant only.
        const GedruckterText* absender =
            finde(t, "Fliesen Groß GmbH   Jörg Groß   Hauptstraße 7   97070 Würzburg   Deutschland");
        EXPECT_EQ(absender != nullptr, !f.b.formular);
        if (absender) {
            EXPECT_EQ(absender->hoehe, 20);
            EXPECT_EQ(absender->y, titel->y);
        }
        EXPECT_EQ(finde(t, "Tel.    : 0931 123") != nullptr, !f.b.formular);
        EXPECT_EQ(seiten(t), f.seiten);
        for (const GedruckterText& g : t)
            EXPECT_TRUE(g.schrift == "Courier" && g.fett && g.farbe == Schwarz) << g.text;
    }
}

TEST(Rechnungsdruck, AdressblockPositionenUndZahlungszeile) {
    const Texte t = drucken(blatt(false, "R", "B"));
    // The address and number block, two steps below the title.
    const std::vector<std::tuple<int, int, std::string>> zeilen = {
        {200, 670, "Frau Dr."},           {1450, 670, "Kunden-Nr.: "},      {1780, 670, "     00042"},
        {200, 705, "Käthe Müller"},       {1450, 705, "Rechnungs-Nr.: "},   {1780, 705, "    000123"},
        {200, 740, "Bäckerei"},           {1450, 740, "Rechnungs-Datum: "}, {1780, 740, "08.12.2026"},
        {200, 775, "Lindenweg 3a"},       {200, 845, "80331 München"},      {200, 880, "Österreich"},
        {1700, 950, "|     Wert (in €)"},
    };
    for (const auto& [x, d, text] : zeilen) {
        const GedruckterText* g = finde(t, text);
        ASSERT_TRUE(g) << text;
        EXPECT_EQ(g->x, x) << text;
        EXPECT_EQ(g->y, -d) << text;
    }
    // All 25 lines, empty ones with their bars, one step apart; the first two steps below the rule.
    EXPECT_EQ(betragText(1234567.891), "     1.234.567,89");
    std::vector<const GedruckterText*> wertSpalte;
    for (const GedruckterText& g : t)
        if (g.x == 1700 && g.text.starts_with("|") && g.text != "|     Wert (in €)")
            wertSpalte.push_back(&g);
    ASSERT_EQ(wertSpalte.size(), 25u);
    EXPECT_EQ(wertSpalte[0]->text, "|          594,00");
    EXPECT_EQ(wertSpalte[0]->y, -1055);
    EXPECT_EQ(wertSpalte[24]->text, "|");
    EXPECT_EQ(wertSpalte[24]->y, -(1055 + 24 * 35));
    EXPECT_TRUE(finde(t, "| m²"));
    const GedruckterText* zahlung = finde(t, "LeistungsDatum: 01.12.2026   Zahlbar ohne Abzüge bis: 22.12.2026");
    ASSERT_TRUE(zahlung);
    EXPECT_EQ(zahlung->y, -(2000 + 35 + 35 + 70 + 70));
}

// Rows that would reach below the printable height continue on a new page at d = 300; every
// row before keeps its place, every row after keeps its distance to the one before.
TEST(Rechnungsdruck, SeitenumbruchNurWoDerPlatzEndet) {
    for (bool formular : {false, true})
        for (const char* region : {"B", "E", "D"})
            for (int druckHoehe : {2870, 2000, 900}) {
                SCOPED_TRACE(std::string(region) + (formular ? " Formular " : " Briefkopf ") +
                             std::to_string(druckHoehe));
                const Rechnungsblatt b = blatt(formular, "R", region, 5, 4.9, 12);
                const Texte ganz = drucken(b, 100000);
                const Texte t = drucken(b, druckHoehe);
                ASSERT_EQ(t.size(), ganz.size());
                EXPECT_EQ(seiten(ganz), 1);
                int verschiebung = 0;
                for (std::size_t i = 0; i < t.size(); ++i) {
                    EXPECT_EQ(t[i].text, ganz[i].text);
                    EXPECT_EQ(t[i].x, ganz[i].x);
                    EXPECT_LE(-t[i].y + t[i].hoehe, druckHoehe) << t[i].text;
                    if (i > 0 && t[i].seite != t[i - 1].seite) {
                        EXPECT_EQ(t[i].seite, t[i - 1].seite + 1);
                        EXPECT_EQ(t[i].y, -300) << "a new page goes on at d = 300";
                        EXPECT_GT(-ganz[i].y + ganz[i].hoehe - verschiebung, druckHoehe) << "the row did not fit";
                        verschiebung = -ganz[i].y - 300;
                    }
                    EXPECT_EQ(-t[i].y, -ganz[i].y - verschiebung) << t[i].text;
                }
                if (druckHoehe == 2870) {
                    EXPECT_EQ(seiten(t), formular ? 1 : 2) << "an invoice with all costs needs a second A4 page";
                }
            }
}

TEST(Rechnungsdruck, AblaufMitFragenDialogUndTagesdatum) {
    const std::string Hinweis = "Wichtig! Numerische Werte wurden geprüft - Summen u. Kosten prüfen!\r"
                                "RechnungsDatum wird bei RechnungsKennZeichen=A/R gesetzt!\r\r"
                                "Beachte! DatenSatz sollte gespeichert sein - \"Neu\" oder \"Überschreiben\" "
                                "anwenden!\r\rSoll Rechnung gedruckt werden?";
    const std::string Formular = "Soll Rechnung in Formular gedruckt werden?";
    struct Fall {
        const char* name;
        bool hinweise;
        std::vector<bool> antworten;
        bool dialog;        // the answer of the print dialog
        bool dialogGezeigt; // after the calculation and the hint only
        const char* art;
        const char* kosten;
        std::vector<std::string> fragen; // confirmation boxes in order
        bool gedruckt;
        const char* datum; // RechnungsDatum on the page afterwards
    };
    const Fall faelle[] = {
        {"Rechnung auf Briefkopf", false, {false}, true, true, "R", "", {Formular}, true, "25.12.2026"},
        {"Angebot mit Hinweis", true, {true, true}, true, true, "A", "", {Hinweis, Formular}, true, "25.12.2026"},
        {"bezahlt behält das Datum", false, {true}, true, true, "B", "", {Formular}, true, "01.11.2026"},
        {"Nein zum Hinweis", true, {false}, true, false, "R", "", {Hinweis}, false, "01.11.2026"},
        {"Druckdialog abgebrochen", false, {}, false, true, "R", "", {}, false, "01.11.2026"},
        {"Kosten falsch", false, {}, true, false, "R", "1000", {}, false, "01.11.2026"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Formularumgebung u(f.hinweise);
        // The owner's data is read afresh from the file.
        DatenSatz p = u.satz(0);
        p.setzeText(SatzFeld::Firma, "Neue Firma GmbH");
        u.schreiben(0, p);
        u.p.uhr = {2026, 12, 25, 9, 0, 0};
        u.f.RechnungsKennZeichen.text = f.art;
        u.f.eingeben("RechnungsDatum", "01.11.2026");
        u.f.eingeben("LeistungsDatum", "20.12.2026");
        u.f.eingeben("Menge01", "2");
        u.f.eingeben("Preis01", "12,5");
        u.f.eingeben("VersandKosten", f.kosten);
        u.f.eingeben("RechnungsNummer", "52/1");
        u.p.antworten.assign(f.antworten.begin(), f.antworten.end());
        u.p.druckdialoge = {f.dialog};
        u.f.klick("BitBtnDruck");

        EXPECT_EQ(u.p.texte("Bestätigung"), f.fragen);
        EXPECT_EQ(u.p.druckdialoge.empty(), f.dialogGezeigt);
        // A PDF of its own beside the data file, never the one printed last.
        if (f.dialogGezeigt) {
            EXPECT_EQ(u.p.pdfVorschlaege,
                      std::vector<std::string>{u.ordner.pfad((std::string_view(f.art) == "A" ? "Angebot" : "Rechnung") +
                                                             std::string("-52_1.pdf"))});
        }
        ASSERT_EQ(u.p.drucke.size(), f.gedruckt ? 1u : 0u);
        EXPECT_EQ(u.f.RechnungsDatum.text, f.datum);
        if (!f.gedruckt)
            continue;
        const Texte& t = u.p.drucke[0];
        const bool formular = u.p.meldungen.back().antwort;
        EXPECT_TRUE(u.p.meldungen.back().vorgabeNein) << "Enter prints on letterhead";
        EXPECT_EQ(finde(t, "Neue Firma GmbH") != nullptr, !formular);
        EXPECT_TRUE(finde(t, std::string("Rechnungs-Datum: ")));
        EXPECT_TRUE(finde(t, f.datum)) << "the number block shows the date the page shows";
        EXPECT_TRUE(finde(t, "LeistungsDatum: 20.12.2026   Zahlbar ohne Abzüge bis: 08.01.2027"));
        EXPECT_TRUE(finde(t, "|" + rechtsBuendig("25,00", 16))) << "the line values of this calculation";
        EXPECT_TRUE(finde(t, betragText(29.75))) << "gross: 25 and 19 %";
    }
}

} // namespace
