#pragma once

#include "data/DatenSatz.h"
#include "editing/RechnungsSummen.h"
#include "printing/Leinwand.h"

#include <array>
#include <string>

namespace fkb {

// The owner's data from the parameter record: letterhead, sender line, VAT row and footer.
struct Absender {
    std::string Anrede; // only the sample for the line step
    std::string Firma, Name, Vorname, Zusatz, Strasse, Nummer, PLZ, Ort, Land;
    std::string Telephon, Fax, Mail, InternetAdresse;
    std::string UstBezeichnung;        // Position01
    std::string UstSatz;               // Menge01, the rate as text
    std::array<std::string, 6> Zeilen; // Position02 to Position07: bank and tax lines

    static Absender aus(const DatenSatz& parameterSatz);
};

struct Druckzeile {
    std::string Position, ME, Menge, Preis, Wert;
};

// An offer or invoice as the pages show it, with the totals of its calculation.
struct Rechnungsblatt {
    bool formular = false; // paper with a printed letterhead: no letterhead, sender line or footer
    std::string Anrede, Zusatz, Vorname, Name, Firma, Strasse, Nummer, PLZ, Ort, Land;
    std::string KundenNummer, RechnungsNummer, RechnungsDatum, RechnungsKennZeichen;
    std::string LeistungsDatum, LieferKennzeichen, ZolltarifNummer, BezeichnungSonstigeKosten;
    std::array<Druckzeile, 25> zeilen;
    RechnungsSummen summen;
    std::string faelligAm; // "dd.mm.yyyy"
};

// Columns of the invoice page, in tenths of a millimetre from the left.
namespace Spalten {
inline constexpr int Links = 200;
inline constexpr int ME = 1200;
inline constexpr int Menge = 1300;
inline constexpr int Titel = 1450;
inline constexpr int Preis = 1480;
inline constexpr int Wert = 1700;
inline constexpr int Nummern = 1780;
} // namespace Spalten

// The amount as printed: "###,###,##0.00" right-aligned in 15 characters, after two blanks.
std::string betragText(double wert);

// The whole document: begin, metric mapping, Courier bold black, the page or pages, end.
void rechnungDrucken(Leinwand& leinwand, const Absender& absender, const Rechnungsblatt& blatt);

} // namespace fkb
