#include "printing/Fahndungstexte.h"

#include "data/Windows1252.h"
#include "editing/Zahlen.h"

namespace fkb {
namespace {

void anhaengen(std::string& ziel, const DatenSatz& satz, Feld feld) {
    ausWindows1252Anhaengen(satz.roh(feld), ziel);
}

std::string betrag(double wert) {
    return zahlFormatieren(wert, Muster::Druck);
}

} // namespace

std::string datumsSchluessel(std::string_view datum) {
    auto teil = [datum](std::size_t ab, std::size_t laenge) {
        return ab < datum.size() ? datum.substr(ab, laenge) : std::string_view();
    };
    std::string schluessel;
    schluessel += teil(6, 4);
    schluessel += teil(3, 2);
    schluessel += teil(0, 2);
    return schluessel;
}

bool fragtRechnungsDatum(const std::string& kennzeichen) {
    return kennzeichen == "A" || kennzeichen == "R";
}

std::string fahndungsKopf(const std::string& kennzeichen) {
    return std::string(fragtRechnungsDatum(kennzeichen) ? "RechnungsDatum" : "ZahlungsEingang") +
           " - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position";
}

void fahndungsZeile(const DatenSatz& satz, std::string_view schluessel, const RechnungsSummen& werte,
                    std::int64_t nummer, std::string& ziel) {
    ziel.clear();
    // Room for the whole line at once: names and position of some length, the blanks and the key.
    ziel.reserve(320);
    ausWindows1252Anhaengen(schluessel, ziel);
    ziel += '-';
    anhaengen(ziel, satz, SatzFeld::RechnungsNummer);
    ziel += '-';
    anhaengen(ziel, satz, SatzFeld::Name);
    ziel += ", ";
    anhaengen(ziel, satz, SatzFeld::Vorname);
    ziel += '-';
    ziel += betrag(werte.NettoWert);
    ziel += '-';
    ziel += betrag(werte.UstWert);
    ziel += '-';
    ziel += betrag(werte.BruttoWert);
    ziel += '-';
    anhaengen(ziel, satz, SatzFeld::Position(1));
    // The blanks push the key out of sight in the list.
    ziel.append(150, ' ');
    ziel += "~~~";
    ziel += std::to_string(nummer);
}

std::string summenZeile(double netto, double ust, double brutto) {
    return "99999999 - Summe Netto: " + betrag(netto) + " - " + "Summe Umsatzsteuer: " + betrag(ust) + " - " +
           "Summe Brutto: " + betrag(brutto);
}

bool zeileNenntSatz(std::string_view zeile, const DatenSatz& satz) {
    std::string mitte = "-";
    anhaengen(mitte, satz, SatzFeld::RechnungsNummer);
    mitte += '-';
    anhaengen(mitte, satz, SatzFeld::Name);
    mitte += ", ";
    anhaengen(mitte, satz, SatzFeld::Vorname);
    mitte += '-';
    // The key comes from a date field of up to ten characters, of which it takes eight.
    const std::size_t schluesselBytes = ersteZeichen(zeile, 8).size();
    for (std::size_t ab = 0; ab <= schluesselBytes; ++ab)
        if (zeile.substr(ab).starts_with(mitte))
            return true;
    return false;
}

} // namespace fkb
