// Property: for every invoice the program can calculate, the e-invoice states the program's net, VAT
// and gross to the cent, and its amounts obey the arithmetic rules of EN 16931 exactly.
#include "CiiPruefung.h"
#include "editing/Zahlen.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace fkb;
using namespace fkb::test;

namespace {

using Zufall = std::mt19937_64;

std::int64_t zwischen(Zufall& z, std::int64_t von, std::int64_t bis) {
    return std::uniform_int_distribution<std::int64_t>(von, bis)(z);
}

// A value in units of its last place typed as users type it: "1.234,5", "1234,5", "12,50", "12,5", "12".
std::string getippt(Zufall& z, std::int64_t wert, int stellen) {
    std::int64_t teiler = stellen == 1 ? 10 : 100;
    std::string nach = std::to_string(wert % teiler);
    nach.insert(0, std::size_t(stellen) - nach.size(), '0');
    while (!nach.empty() && nach.back() == '0' && zwischen(z, 0, 1))
        nach.pop_back();
    std::string ganz = std::to_string(wert / teiler);
    if (zwischen(z, 0, 1))
        for (int i = int(ganz.size()) - 3; i > 0; i -= 3)
            ganz.insert(std::size_t(i), ".");
    return nach.empty() ? ganz : ganz + "," + nach;
}

// Small, everyday and the largest values the page takes, so that cent rounding meets every magnitude.
std::int64_t wertGross(Zufall& z, std::int64_t hoechstens) {
    switch (zwischen(z, 0, 3)) {
    case 0:
        return zwischen(z, 1, 100);
    case 1:
        return zwischen(z, 1, 100000);
    case 2:
        return zwischen(z, 1, hoechstens);
    default:
        return hoechstens - zwischen(z, 0, 1000);
    }
}

void rechnungErzeugen(Zufall& z, TFKB_Formular& f, const std::string& region) {
    static const char* const namen[] = {"Montage",         "Kupferrohr 15 mm", "Dübel & Schrauben <M8>",
                                        "Fußbodenheizung", "Entsorgung Altöl", "Anfahrt 5 €"};
    static const char* const einheiten[] = {"", "Std", "Stk", "St.", "m", "m²", "kg", "l", "pau", "psch"};
    kundeEintragen(f, region);
    f.Land.text = region == "B" ? "Deutschland" : region == "E" ? "Frankreich" : "Schweiz";
    f.ZolltarifNummer.text = region == "E" ? "FR 12 345678901" : "";
    const int zeilen = int(zwischen(z, 1, AnzahlZeilen));
    for (int n = 0; n < zeilen; ++n) {
        const int k = int(zwischen(z, 0, AnzahlZeilen - 1));
        const std::int64_t art = zwischen(z, 0, 9);
        const std::string menge = art == 0 ? "" : getippt(z, wertGross(z, 99999), 1);
        const std::string preis = art == 1 ? "" : getippt(z, wertGross(z, 99999999), 2);
        zeileEintragen(f, k, namen[zwischen(z, 0, 5)], einheiten[zwischen(z, 0, 9)], menge.c_str(),
                       art == 2 ? "" : preis.c_str());
        if (art == 3) // a text-only row
            zeileEintragen(f, k, namen[zwischen(z, 0, 5)], "", "", "");
    }
    for (Steuerelement* kosten : {&f.VersandKosten, &f.NachnameKosten, &f.SonstigeKosten})
        kosten->text = zwischen(z, 0, 1) ? "" : getippt(z, wertGross(z, 99999), 2);
}

// The arithmetic rules an EN 16931 invoice must satisfy, checked with whole numbers on what the XML says.
void rechenregelnPruefen(const CiiDokument& x) {
    const auto cent = [](const std::string& t) { return festkommaWert(t, 2); };
    const auto summe = [&](const std::vector<std::string>& texte) {
        return std::accumulate(texte.begin(), texte.end(), std::int64_t{0},
                               [&](std::int64_t s, const std::string& t) { return s + cent(t); });
    };
    const auto mengen = x.texte("//ram:BilledQuantity");
    const auto preise = x.texte("//ram:NetPriceProductTradePrice/ram:ChargeAmount");
    const auto werte = x.texte("//ram:SpecifiedTradeSettlementLineMonetarySummation/ram:LineTotalAmount");
    ASSERT_EQ(mengen.size(), werte.size());
    ASSERT_EQ(preise.size(), werte.size());
    for (std::size_t i = 0; i < werte.size(); ++i) // line net = quantity × price, rounded half up
        EXPECT_EQ(cent(werte[i]), (festkommaWert(mengen[i], 1) * cent(preise[i]) + 5) / 10)
            << mengen[i] << " x " << preise[i];

    const std::string S = "//ram:SpecifiedTradeSettlementHeaderMonetarySummation/ram:";
    const std::int64_t zeilenSumme = cent(x.text(S + "LineTotalAmount"));
    const std::int64_t zuschlaege = cent(x.text(S + "ChargeTotalAmount"));
    const std::int64_t abschlaege = cent(x.text(S + "AllowanceTotalAmount"));
    const std::int64_t basis = cent(x.text(S + "TaxBasisTotalAmount"));
    const std::int64_t steuer = cent(x.text(S + "TaxTotalAmount"));
    const std::int64_t gesamt = cent(x.text(S + "GrandTotalAmount"));
    EXPECT_EQ(zeilenSumme, summe(werte));                                                          // BR-CO-10
    EXPECT_EQ(zuschlaege, summe(x.texte("//ram:SpecifiedTradeAllowanceCharge/ram:ActualAmount"))); // BR-CO-12
    EXPECT_EQ(abschlaege, 0);                                                                      // BR-CO-11
    EXPECT_EQ(basis, zeilenSumme - abschlaege + zuschlaege);                                       // BR-CO-13

    const std::string B = "//ram:ApplicableHeaderTradeSettlement/ram:ApplicableTradeTax/ram:";
    ASSERT_EQ(x.texte(B + "CategoryCode").size(), 1u) << "one category and rate per invoice";
    EXPECT_EQ(cent(x.text(B + "BasisAmount")), basis); // BR-S-08, BR-IC-08, BR-G-08
    const std::int64_t satzZehntel = festkommaWert(x.text(B + "RateApplicablePercent"), 1);
    EXPECT_EQ(cent(x.text(B + "CalculatedAmount")), (basis * satzZehntel + 500) / 1000); // BR-CO-17
    EXPECT_EQ(steuer, cent(x.text(B + "CalculatedAmount")));                             // BR-CO-14
    EXPECT_EQ(gesamt, basis + steuer);                                                   // BR-CO-15
    EXPECT_EQ(cent(x.text(S + "DuePayableAmount")), gesamt);                             // BR-CO-16
    // Lines and charges carry the category and rate of the breakdown.
    const auto kategorien = x.texte("//ram:CategoryCode");
    const auto saetze = x.texte("//ram:RateApplicablePercent");
    EXPECT_EQ(kategorien, std::vector<std::string>(kategorien.size(), x.text(B + "CategoryCode")));
    EXPECT_EQ(saetze, std::vector<std::string>(saetze.size(), x.text(B + "RateApplicablePercent")));
}

TEST(ERechnungSummen, GleichDenSummenDesProgrammsNachDenRechenregeln) {
    Formularumgebung u;
    eignerEintragen(u);
    Zufall z(20261208);
    const std::int64_t festeSaetze[] = {190, 70, 55, 160, 50, 999, 1};
    constexpr int Saetze = 30, RechnungenJeSatz = 50;
    int geprueft = 0;
    for (int s = 0; s < Saetze; ++s) {
        const std::int64_t satz = s < 7 ? festeSaetze[s] : zwischen(z, 1, 999);
        DatenSatz parameter = u.satz(0);
        parameter.setzeText(SatzFeld::Menge(1), rechtsBuendig(getippt(z, satz, 1), 7));
        u.schreiben(0, parameter);
        for (int r = 0; r < RechnungenJeSatz; ++r) {
            const std::string region = std::vector<std::string>{"B", "B", "E", "D"}[std::size_t(zwischen(z, 0, 3))];
            rechnungErzeugen(z, u.f, region);
            SCOPED_TRACE("rate " + std::to_string(satz) + " invoice " + std::to_string(r) + " region " + region);
            const ERechnungsErgebnis e = exportieren(u);
            ASSERT_EQ(e.maengel, std::vector<std::string>{});
            ASSERT_EQ(schemaFehler(e.xml), std::vector<std::string>{});
            const CiiDokument x(e.xml);
            rechenregelnPruefen(x);

            // The totals of the page, to the cent.
            const std::string S = "//ram:SpecifiedTradeSettlementHeaderMonetarySummation/ram:";
            EXPECT_EQ(festkommaWert(x.text(S + "TaxBasisTotalAmount"), 2), std::llround(u.f.Summen.NettoWert * 100));
            EXPECT_EQ(festkommaWert(x.text(S + "TaxTotalAmount"), 2), std::llround(u.f.Summen.UstWert * 100));
            EXPECT_EQ(festkommaWert(x.text(S + "GrandTotalAmount"), 2), std::llround(u.f.Summen.BruttoWert * 100));
            EXPECT_EQ(nurZiffern(u.f.Summe_Positionen.text), nurZiffern(x.text(S + "TaxBasisTotalAmount")));
            if (region == "B") {
                EXPECT_EQ(nurZiffern(u.f.WertUst.text), nurZiffern(x.text(S + "TaxTotalAmount")));
                EXPECT_EQ(nurZiffern(u.f.WertBrutto.text), nurZiffern(x.text(S + "GrandTotalAmount")));
            }
            EXPECT_EQ(x.text("//ram:ApplicableHeaderTradeSettlement/ram:ApplicableTradeTax/ram:CategoryCode"),
                      region == "B"   ? "S"
                      : region == "E" ? "K"
                                      : "G");
            ++geprueft;
            if (HasFailure())
                return;
        }
    }
    EXPECT_TRUE(u.p.meldungen.empty());
    RecordProperty("invoices", geprueft);
}

} // namespace
