#pragma once

#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"

#include <fstream>
#include <iterator>
#include <string>

namespace fkb::test {

// A main window on a freshly seeded data file (parameter record, 50 templates, record 51),
// created through the "Neu" menu as the user does it. Messages of the set-up are forgotten.
struct Formularumgebung {
    TempOrdner ordner;
    TestPlattform p;
    TFKB_Formular f{p};
    std::string pfad = ordner.pfad("daten.fba");

    explicit Formularumgebung(bool hinweise = false) {
        p.antworten.push_back(hinweise);
        f.starten();
        p.dialoge.push_back(pfad);
        f.klick("Neu");
        p.vergessen();
    }

    std::string datei() const {
        std::ifstream in(pfad, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    DatenSatz satz(std::int64_t nummer) const {
        DatenSatz s;
        DatenDatei(pfad).lesen(nummer, s);
        return s;
    }
    void schreiben(std::int64_t nummer, const DatenSatz& s) const { DatenDatei(pfad).schreiben(nummer, s); }
    std::int64_t anzahl() const { return DatenDatei(pfad).anzahlSaetze(); }

    // Chooses the list line of record `nummer`, as a click on it does.
    void waehleSatz(std::int64_t nummer) {
        const std::string ende = "~~~" + std::to_string(nummer);
        for (std::size_t z = 0; z < f.ListeObjekt.zeilen.size(); ++z) {
            if (f.ListeObjekt.zeilen[z].ends_with(ende)) {
                f.waehleListe(int(z));
                return;
            }
        }
        throw std::runtime_error("no list line for record " + std::to_string(nummer));
    }
    // The record number at the end of the current list line, −1 without one.
    std::int64_t aktuellerSatz() const {
        if (f.ListeObjekt.auswahl < 0)
            return -1;
        const std::string zeile = f.ListeObjekt.zeilen[std::size_t(f.ListeObjekt.auswahl)];
        return std::stoll(zeile.substr(zeile.rfind("~~~") + 3));
    }
};

} // namespace fkb::test
