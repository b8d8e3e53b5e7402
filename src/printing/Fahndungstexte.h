#pragma once

#include "app/Zeilenliste.h"
#include "data/DatenSatz.h"
#include "editing/RechnungsSummen.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace fkb {

// The year, month and day of a "dd.mm.yyyy" text as one key "yyyymmdd" that sorts by date:
// characters 7 to 10, 4 to 5 and 1 to 2, as far as the text reaches. An empty date gives an empty key.
std::string datumsSchluessel(std::string_view datum);
// The same key written into `puffer`.
std::string_view datumsSchluessel(std::string_view datum, char (&puffer)[8]);

// The column header of the query list: the date it compares is the invoice date for offers
// and invoices, the payment date for any other kind letter.
std::string fahndungsKopf(const std::string& kennzeichen);
bool fragtRechnungsDatum(const std::string& kennzeichen);

// Key-RechnungsNummer-Name, Vorname-net-VAT-gross-Position01, 150 blanks, "~~~" and the record
// number, appended to the list. The key is in the record's own bytes.
void fahndungsZeile(const DatenSatz& satz, std::string_view schluessel, const RechnungsSummen& werte,
                    std::int64_t nummer, Zeilenliste& liste);
// "99999999 - Summe Netto: …": sorts after every date key, so it ends the list.
std::string summenZeile(double netto, double ust, double brutto);

// Whether a line of the query list still names this record: after the line's date key (at
// most eight characters) come its invoice number, name and first name.
bool zeileNenntSatz(std::string_view zeile, const DatenSatz& satz);

} // namespace fkb
