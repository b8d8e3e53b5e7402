#pragma once

#include "app/Bedienelemente.h"
#include "data/DatenSatz.h"

#include <array>

namespace fkb {

// A text field of the customer or invoice page, the record field it shows and the
// placeholder that an empty form puts into it.
struct Seitenfeld {
    Steuerelement Bedienelemente::*steuerelement;
    Feld feld;
    const char* platzhalter;
};

// The page fields that mirror a record text field one to one, in record order.
// The two kind letters, the system stamp and the 25 rows are handled on their own.
inline const std::array<Seitenfeld, 26> Seitenfelder = {{
    {&Bedienelemente::KundenNummer, SatzFeld::KundenNummer, "Ku.-Nr."},
    {&Bedienelemente::Anrede, SatzFeld::Anrede, "Herr"},
    {&Bedienelemente::Firma, SatzFeld::Firma, "Firma"},
    {&Bedienelemente::Name, SatzFeld::Name, "Name"},
    {&Bedienelemente::Vorname, SatzFeld::Vorname, "Vorname"},
    {&Bedienelemente::Zusatz, SatzFeld::Zusatz, "Zusatz"},
    {&Bedienelemente::Strasse, SatzFeld::Strasse, "Strasse"},
    {&Bedienelemente::Nummer, SatzFeld::Nummer, "Nr."},
    {&Bedienelemente::PLZ, SatzFeld::PLZ, "PLZ"},
    {&Bedienelemente::Ort, SatzFeld::Ort, "Ort"},
    {&Bedienelemente::Land, SatzFeld::Land, "Land"},
    {&Bedienelemente::Telephon, SatzFeld::Telephon, "Telephon"},
    {&Bedienelemente::Fax, SatzFeld::Fax, "Fax / Mobil"},
    {&Bedienelemente::Mail, SatzFeld::Mail, "Mail"},
    {&Bedienelemente::InternetAdresse, SatzFeld::InternetAdresse, "InternetAdresse"},
    {&Bedienelemente::Fahrzeug, SatzFeld::Fahrzeug, "Fahrzeug"},
    {&Bedienelemente::Bemerkung, SatzFeld::Bemerkung, "Bemerkung"},
    {&Bedienelemente::RechnungsNummer, SatzFeld::RechnungsNummer, "Re-Nr."},
    {&Bedienelemente::ZahlungsEingang, SatzFeld::ZahlungsEingang, "ZahlungsEingang"},
    {&Bedienelemente::ZolltarifNummer, SatzFeld::ZolltarifNummer, "Zolltarif-Nr. / Ust-IDN"},
    {&Bedienelemente::VersandKosten, SatzFeld::VersandKosten, "V-Kos."},
    {&Bedienelemente::NachnameKosten, SatzFeld::NachnameKosten, "N-Kos."},
    {&Bedienelemente::SonstigeKosten, SatzFeld::SonstigeKosten, "S-Kos."},
    {&Bedienelemente::BezeichnungSonstigeKosten, SatzFeld::BezeichnungSonstigeKosten, "Bezeichnung Sonstige Kosten"},
    {&Bedienelemente::LeistungsDatum, SatzFeld::LeistungsDatum, "Leist.Dat."},
    {&Bedienelemente::RechnungsDatum, SatzFeld::RechnungsDatum, "Rechn.Dat."},
}};

} // namespace fkb
