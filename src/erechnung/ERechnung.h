#pragma once

#include "erechnung/ERechnungsDaten.h"

#include <string>
#include <vector>

// The shown invoice as an XRechnung 3.0 in UN/CEFACT CII syntax (EN 16931).
namespace fkb {

// The XML of an e-invoice, or every item that stands in its way (and then no XML).
struct ERechnungsErgebnis {
    std::string xml;
    std::vector<std::string> maengel;

    bool erstellt() const { return maengel.empty(); }
};

ERechnungsErgebnis ERechnungErstellen(const ERechnungsDaten& daten);

// The error box listing the items: "BedienFehler - E-Rechnung nicht erstellbar!", then one line each.
std::string ERechnungFehlerText(const std::vector<std::string>& maengel);

// The error box for a record kind that is no invoice (offer, parameter record, template, deleted);
// empty for "R" and "B".
std::string ERechnungArtFehler(const std::string& rechnungsKennZeichen);

} // namespace fkb
