#pragma once

#include "app/Bedienelemente.h"
#include "data/DatenSatz.h"

#include <array>

namespace fkb {

// Where a page field's text goes when a record is built from the pages.
enum class Feldgruppe {
    Kunde,    // the customer's data, copied as it stands
    Beleg,    // invoice number, payment date, customs or VAT number
    Kosten,   // checked before they are stored
    Abschluss // label of the other costs and the two dates
};

// A text field of the customer or invoice page and the record field it shows.
struct Seitenfeld {
    Steuerelement Bedienelemente::*steuerelement;
    Feld feld;
    Feldgruppe gruppe;
};

// The page fields that mirror a record text field one to one, in record order.
// The two kind letters, the system stamp and the 25 rows are handled on their own.
inline const std::array<Seitenfeld, 26> Seitenfelder = {{
    {&Bedienelemente::KundenNummer, SatzFeld::KundenNummer, Feldgruppe::Kunde},
    {&Bedienelemente::Anrede, SatzFeld::Anrede, Feldgruppe::Kunde},
    {&Bedienelemente::Firma, SatzFeld::Firma, Feldgruppe::Kunde},
    {&Bedienelemente::Name, SatzFeld::Name, Feldgruppe::Kunde},
    {&Bedienelemente::Vorname, SatzFeld::Vorname, Feldgruppe::Kunde},
    {&Bedienelemente::Zusatz, SatzFeld::Zusatz, Feldgruppe::Kunde},
    {&Bedienelemente::Strasse, SatzFeld::Strasse, Feldgruppe::Kunde},
    {&Bedienelemente::Nummer, SatzFeld::Nummer, Feldgruppe::Kunde},
    {&Bedienelemente::PLZ, SatzFeld::PLZ, Feldgruppe::Kunde},
    {&Bedienelemente::Ort, SatzFeld::Ort, Feldgruppe::Kunde},
    {&Bedienelemente::Land, SatzFeld::Land, Feldgruppe::Kunde},
    {&Bedienelemente::Telephon, SatzFeld::Telephon, Feldgruppe::Kunde},
    {&Bedienelemente::Fax, SatzFeld::Fax, Feldgruppe::Kunde},
    {&Bedienelemente::Mail, SatzFeld::Mail, Feldgruppe::Kunde},
    {&Bedienelemente::InternetAdresse, SatzFeld::InternetAdresse, Feldgruppe::Kunde},
    {&Bedienelemente::Fahrzeug, SatzFeld::Fahrzeug, Feldgruppe::Kunde},
    {&Bedienelemente::Bemerkung, SatzFeld::Bemerkung, Feldgruppe::Kunde},
    {&Bedienelemente::RechnungsNummer, SatzFeld::RechnungsNummer, Feldgruppe::Beleg},
    {&Bedienelemente::ZahlungsEingang, SatzFeld::ZahlungsEingang, Feldgruppe::Beleg},
    {&Bedienelemente::ZolltarifNummer, SatzFeld::ZolltarifNummer, Feldgruppe::Beleg},
    {&Bedienelemente::VersandKosten, SatzFeld::VersandKosten, Feldgruppe::Kosten},
    {&Bedienelemente::NachnameKosten, SatzFeld::NachnameKosten, Feldgruppe::Kosten},
    {&Bedienelemente::SonstigeKosten, SatzFeld::SonstigeKosten, Feldgruppe::Kosten},
    {&Bedienelemente::BezeichnungSonstigeKosten, SatzFeld::BezeichnungSonstigeKosten, Feldgruppe::Abschluss},
    {&Bedienelemente::LeistungsDatum, SatzFeld::LeistungsDatum, Feldgruppe::Abschluss},
    {&Bedienelemente::RechnungsDatum, SatzFeld::RechnungsDatum, Feldgruppe::Abschluss},
}};

} // namespace fkb
