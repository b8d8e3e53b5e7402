#pragma once

#include "editing/RechnungsSummen.h"

#include <array>
#include <string>

namespace fkb {

// The owner's data from the parameter record, as far as an e-invoice needs it.
struct ERechnungVerkaeufer {
    std::string Firma, Vorname, Name, Strasse, Nummer, PLZ, Ort, Land, Telephon, Fax, Mail;
    // Position02 to Position07, the footer lines: "UstID   : …", "Steuer-Nr.: …", "IBAN    : …",
    // "BIC     : …" and the commercial register among them.
    std::array<std::string, 6> Fusszeilen;
    std::string UstSatz; // Menge01, "   19,0"
};

// The customer as the pages show it.
struct ERechnungKaeufer {
    std::string Anrede, Zusatz, Firma, Vorname, Name, Strasse, Nummer, PLZ, Ort, Land, Mail;
    std::string KundenNummer;
    std::string ZolltarifNummer; // the customer's VAT id for a delivery into the EU
    std::string Bemerkung;       // lines "Leitweg-ID: …" and "Bestellnummer: …" among others
};

// One row of the invoice page as the check left it.
struct ERechnungZeile {
    std::string Position, ME, Menge, Preis, Wert;
};

// Everything an e-invoice says, taken from the pages after RechnungPruefen and from record 0.
struct ERechnungsDaten {
    ERechnungVerkaeufer Verkaeufer;
    ERechnungKaeufer Kaeufer;
    std::string RechnungsNummer;
    std::string RechnungsKennZeichen; // "R", or "B" for an invoice paid already
    std::string RechnungsDatum;       // "dd.mm.yyyy"; payment is due 14 days later
    std::string LeistungsDatum;       // "dd.mm.yyyy"
    std::string ZahlungsEingang;      // "dd.mm.yyyy" of a paid invoice
    std::string LieferKennzeichen;
    std::array<ERechnungZeile, 25> Zeilen;
    std::array<std::string, 3> Kosten; // VersandKosten, NachnameKosten, SonstigeKosten as typed
    std::string BezeichnungSonstigeKosten;
    RechnungsSummen Summen;
};

} // namespace fkb
