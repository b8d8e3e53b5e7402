#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"

#include <gtest/gtest.h>

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
