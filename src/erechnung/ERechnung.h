#pragma once

#include "erechnung/ERechnungsDaten.h"

#include <string>
#include <vector>

// The shown invoice as an e-invoice in UN/CEFACT CII syntax (EN 16931).
namespace fkb {

// XRechnung 3.0 for German public and business buyers, or the plain EN 16931 invoice that a
// ZUGFeRD PDF carries: XRechnung alone demands the seller's contact, both e-mail addresses and a
// buyer reference.
enum class ERechnungsFormat { XRechnung, ZUGFeRD };

// The XML of an e-invoice, or every item that stands in its way (and then no XML).
struct ERechnungsErgebnis {
    std::string xml;
    std::vector<std::string> maengel;

    bool erstellt() const { return maengel.empty(); }
};

ERechnungsErgebnis ERechnungErstellen(const ERechnungsDaten& daten,
                                      ERechnungsFormat format = ERechnungsFormat::XRechnung);

// The day an invoice of this date ("dd.mm.yyyy") is due, 14 days later, as "dd.mm.yyyy"; empty for
// a text that is no date. The printed payment line shows it when the invoice is printed on its date.
std::string FaelligkeitsDatum(const std::string& rechnungsDatum);

// The error box listing the items: "BedienFehler - E-Rechnung nicht erstellbar!", then one line each.
std::string ERechnungFehlerText(const std::vector<std::string>& maengel);

// The error box for a record kind that is no invoice (offer, parameter record, template, deleted);
// empty for "R" and "B".
std::string ERechnungArtFehler(const std::string& rechnungsKennZeichen);

} // namespace fkb
