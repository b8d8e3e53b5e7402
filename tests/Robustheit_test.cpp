// Damaged data files: whatever the bytes, loading and choosing never crash; faults are only
// ever reported as error boxes.
#include "SatzBau.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using namespace fkb;
using namespace fkb::test;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;

// Raw engine output is fixed by the standard: the same files on every platform.
std::mt19937 gen(20261208);
std::size_t bis(std::size_t n) {
    return std::size_t(gen()) % n;
}

// Noise of any length, or records of noise (length bytes up to 255 included) whose two numbers
// are mostly digits, so that many loads get through and fill the views; maybe a partial tail.
std::string zufallsDatei() {
    std::string bytes;
    auto rauschen = [&](std::size_t n) {
        for (; n > 0; --n)
            bytes.push_back(char(gen()));
    };
    if (bis(3) == 0) {
        rauschen(bis(6 * G + 1));
        return bytes;
    }
    for (std::size_t n = bis(12); n > 0; --n) {
        DatenSatz s;
        for (auto& b : s.bytes)
            b = static_cast<unsigned char>(gen());
        for (Feld f : {SatzFeld::KundenNummer, SatzFeld::RechnungsNummer}) {
            s.bytes[f.offset] = static_cast<unsigned char>(1 + bis(255));
            for (std::size_t i = 1; i <= f.kapazitaet; ++i)
                s.bytes[f.offset + i] = static_cast<unsigned char>(bis(64) == 0 ? gen() : '0' + bis(10));
        }
        s.setzeZeichen(SatzFeld::RechnungsKennZeichen, "PVARBLLx"[bis(8)]);
        if (bis(4) == 0) // a separator inside a name
            s.setzeText(SatzFeld::Name, "a~~~" + std::to_string(bis(1000)));
        bytes.append(reinterpret_cast<const char*>(s.bytes.data()), G);
    }
    rauschen(bis(2) == 0 ? bis(G) : 0);
    return bytes;
}

} // namespace

TEST(Robustheit, BeschaedigteDateienBringenDasProgrammNichtZuFall) {
    int geladen = 0, abgebrochen = 0;
    for (int runde = 0; runde < 150; ++runde) {
        SCOPED_TRACE(runde);
        Fenster w;
        std::string pfad = w.ordner.pfad("kaputt.fba");
        std::ofstream(pfad, std::ios::binary) << zufallsDatei();
        const std::size_t saetze = std::filesystem::file_size(pfad) / G;
        w.oeffnen(pfad);
        bool fehler = !w.p.texte("Fehler").empty();
        (fehler ? abgebrochen : geladen)++;
        const auto& zeilen = w.f.ListeObjekt.zeilen;
        EXPECT_TRUE(std::is_sorted(zeilen.begin(), zeilen.end()));
        EXPECT_TRUE(fehler || w.f.PanelAnzahlSaetze.text == "Anzahl Sätze: " + std::to_string(zeilen.size()));
        for (const std::string& zeile : zeilen)
            EXPECT_LT(std::stoul(zeile.substr(zeile.rfind("~~~") + 3)), saetze);

        // Every line, some tree nodes, a category and a search on top.
        for (int i = 0; i < int(zeilen.size()); ++i)
            w.f.waehleListe(i);
        for (int r = 0; r < std::min(3, int(w.f.BaumInhalt.wurzeln.size())); ++r) {
            w.f.waehleBaum(r, -1);
            w.f.waehleBaum(r, 0);
        }
        if (w.f.KategorieListe.eintraege.size() > 1)
            w.f.waehleKategorie(
                std::string(w.f.KategorieListe.eintraege[1 + bis(w.f.KategorieListe.eintraege.size() - 1)]));
        w.f.eingeben("EditSuchText", std::string(1, char('a' + bis(26))));
        w.f.klick("ButtonSuche");
        for (const std::string& text : w.p.texte("Fehler"))
            EXPECT_TRUE(text.starts_with("'") && text.ends_with("' ist kein gültiger Integerwert")) << text;
        EXPECT_EQ(w.p.meldungen.size(), 1 + w.p.texte("Fehler").size()) << "the welcome question and errors only";
        EXPECT_FALSE(w.p.beendet);
    }
    // Both paths were taken: loads that went through and loads stopped by a damaged number.
    EXPECT_GT(geladen, 30);
    EXPECT_GT(abgebrochen, 10);
}
