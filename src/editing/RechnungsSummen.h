#pragma once

#include <string>

namespace fkb {

// The results of the last invoice calculation; valid after a successful run only.
struct RechnungsSummen {
    double VersandKosten = 0;
    double NachnameKosten = 0;
    double SonstigeKosten = 0;
    double NettoWert = 0;
    double UstWert = 0;
    double BruttoWert = 0;
};

// One checked invoice line: its value in cents and the new texts of its quantity and price
// fields (empty for no value, "Fehler" for a rejected entry).
struct Positionswerte {
    double wert = 0;
    std::string menge;
    std::string preis;
};

} // namespace fkb
