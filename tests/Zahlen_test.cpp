#include "data/Laufzeitfehler.h"
#include "editing/Rechnungswerte.h"
#include "editing/Zahlen.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fkb;

namespace {

struct Lesefall {
    const char* text;
    const char* ziffern;
    bool komma;
    int nachkomma;
    bool negativ = false;
};

TEST(Zahlen, KommaZahlLesenNimmtNurZiffernUndKomma) {
    const Lesefall faelle[] = {
        {"1.234,50", "123450", true, 2},   {"12.50", "1250", false, 0},
        {"-5", "5", false, 0, true},       {"\u221220,00", "2000", true, 2, true},
        {"5 \u2013", "5", false, 0, true}, {"+5", "5", false, 0},
        {"1,2,3", "123", true, 2},         {"12,", "12", true, 0},
        {"   2,0", "20", true, 1},         {"", "", false, 0},
        {"Fehler", "", false, 0},          {",", "", true, 0},
        {"ä 1 € 2", "12", false, 0},       {"0,00", "000", true, 2},
        {"V-Kos.", "", false, 0},
    };
    for (const Lesefall& f : faelle) {
        SCOPED_TRACE(f.text);
        KommaZahl z = KommaZahlLesen(f.text);
        EXPECT_EQ(z.ziffern, f.ziffern);
        EXPECT_EQ(z.kommaGesehen, f.komma);
        EXPECT_EQ(z.nachkommastellen, f.nachkomma);
        EXPECT_EQ(z.negativ(), f.negativ);
    }
}

TEST(Zahlen, WertTeiltDurchZehnerpotenz) {
    const std::pair<const char*, double> faelle[] = {
        {"1.234,50", 1234.5}, {"12.50", 1250},          {"12,", 12},           {"1,2,3", 1.23},
        {"0,1", 0.1},         {"999999,99", 999999.99}, {"0000000000012", 12}, {"2147483647", 2147483647.0},
    };
    for (auto [text, wert] : faelle)
        EXPECT_EQ(KommaZahlLesen(text).wert(), wert) << text;
}

TEST(Zahlen, ZuLangeZiffernfolgeIstKonvertierungsfehler) {
    try {
        KommaZahlLesen("21.474.836,48").wert();
        FAIL();
    } catch (const KonvertierungsFehler& e) {
        EXPECT_STREQ(e.what(), "'2147483648' ist kein gültiger Integerwert");
    }
}

// Plain cases are covered by the invoice check; these are the ones that rounding or grouping can get wrong.
TEST(Zahlen, FormatierenMitDeutschenTrennzeichen) {
    struct Fall {
        double wert;
        std::string_view muster;
        const char* text;
    };
    const Fall faelle[] = {
        {1234.5, Muster::Menge, "1.234,5"},
        {249999750000.25, Muster::Summe, "249.999.750.000,25"},
        {1234567.5, Muster::Druck, "1.234.567,50"},
        {0.5, Muster::Preis, "0,50"},
        {1.005, Muster::Preis, "1,01"}, // 1,00499999… in binary
        {2.675, Muster::Preis, "2,68"},
        {0.005, Muster::Preis, "0,01"},
        {0.004, Muster::Preis, "0,00"},
        {999.995, Muster::Kosten, "1000,00"},
        {999999.995, Muster::Preis, "1.000.000,00"},
        {0.1 + 0.2, Muster::Summe, "0,30"},
        {-1234.5, Muster::Preis, "-1.234,50"},
        {-0.001, Muster::Preis, "0,00"},
        {-0.05, Muster::Preis, "-0,05"},
        {0, Muster::Summe, "0,00"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(zahlFormatieren(f.wert, f.muster), f.text) << f.wert << " " << f.muster;
    EXPECT_EQ(rechtsBuendig("5 €", 5), "  5 €");
}

TEST(Zahlen, CentRundungSchrittweiseInDouble) {
    struct Fall {
        double wert;
        double cent;
    };
    const Fall faelle[] = {
        {0.1 * 1.15, 0.12}, // the product lies just below 0,115
        {1.5 * 0.15, 0.23}, // likewise below 0,225
        {2 * 12.5, 25},
        {0.004999, 0},
        {1.0 / 3, 0.33},
        {-0.1 * 1.15, -0.12},
        {9999.9 * 999999.99, 9999899900.0},
        {0, 0},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(aufCentRunden(f.wert), f.cent) << f.wert;
}

// The line value and the VAT of the invoice calculation.
double positionsWert(const char* menge, const char* preis) {
    return zeileRechnen(zahlAusText(menge), zahlAusText(preis)).wert();
}
double umsatzSteuer(double netto, std::int64_t satzZehntel) {
    Rechnungswerte w;
    w.nettoCent = std::llround(netto * 100);
    ustRechnen(w, satzZehntel);
    return w.summen.UstWert;
}

TEST(Zahlen, UmsatzSteuerInErweiterterGenauigkeit) {
    EXPECT_EQ(umsatzSteuer(24.3, 50), 1.22);
    // The same in double precision only would lose the half cent.
    EXPECT_EQ(aufCentRunden(24.3 / 100 * 5), 1.21);
    EXPECT_EQ(umsatzSteuer(119.99, 190), 22.8);
}

// Half cents round up on the exact decimal value, also where the double product lies just below it.
TEST(Zahlen, PositionsWertUndUmsatzSteuerRundenHalbeCentAuf) {
    struct Fall {
        const char *a, *b;
        double positionsWert, umsatzSteuer;
    };
    const Fall faelle[] = {
        {"16,5", "9,87", 162.86, 30.94},                 // 162,855; the step-by-step double rounding gave 162,85
        {"0,1", "1,15", 0.12, 0.02},                     // 0,115
        {"1,5", "0,15", 0.23, 0.04},                     // 0,225
        {"1", "1,5", 1.5, 0.29},                         // VAT 0,285; double steps gave 0,28
        {"1", "5,5", 5.5, 1.05},                         // VAT 1,045
        {"2", "12,5", 25, 4.75},                         // whole cents
        {"9999,9", "999999,99", 9999899900, 1899980981}, // the largest line
        {"0", "5", 0, 0},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(positionsWert(f.a, f.b), f.positionsWert) << f.a << " x " << f.b;
        EXPECT_EQ(umsatzSteuer(f.positionsWert, 190), f.umsatzSteuer) << f.positionsWert;
    }
    EXPECT_EQ(umsatzSteuer(14.5, 70), 1.02);   // 1,015
    EXPECT_EQ(umsatzSteuer(4585, 55), 252.18); // 252,175
    // The largest net the page can hold, at the largest rate.
    EXPECT_EQ(umsatzSteuer(249997500499.97, 999), 249747502999.47);
}

} // namespace
