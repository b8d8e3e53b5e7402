#pragma once

// A window with a data file of the test's own records.
#include "Datenwerkzeug.h"
#include "TestPlattform.h"
#include "app/TFKB_Formular.h"

#include <string>
#include <vector>

namespace fkb::test {

// A started window (hint mode off) and a temporary folder for its files.
struct Fenster {
    TempOrdner ordner;
    TestPlattform p;
    TFKB_Formular f{p};

    Fenster() { f.starten(); }

    // Writes the records as a file and opens it as the user would.
    std::string oeffnen(const std::vector<DatenSatz>& saetze, const std::string& name = "daten.fba") {
        std::string pfad = ordner.pfad(name);
        dateiSchreiben(pfad, saetze);
        oeffnen(pfad);
        return pfad;
    }
    void oeffnen(const std::string& pfad) {
        p.dialoge.push_back(pfad);
        f.klick("Oeffnen");
    }
    // The index of the list line that starts with the text, or -1.
    int zeileMit(const std::string& anfang) const {
        for (std::size_t i = 0; i < f.ListeObjekt.zeilen.size(); ++i)
            if (f.ListeObjekt.zeilen[i].starts_with(anfang))
                return int(i);
        return -1;
    }
    std::string text(std::string_view name) { return f.finden(name)->text; }
};

} // namespace fkb::test
