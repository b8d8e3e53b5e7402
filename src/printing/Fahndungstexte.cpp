#include "printing/Fahndungstexte.h"

#include "data/Windows1252.h"
#include "editing/Zahlen.h"

#include <algorithm>
#include <charconv>

namespace fkb {
namespace {

void anhaengen(std::string& ziel, const DatenSatz& satz, Feld feld) {
    ausWindows1252Anhaengen(satz.roh(feld), ziel);
}

std::string betrag(double wert) {
    static constexpr Zahlformat Druck = zahlformat(Muster::Druck);
    return zahlFormatieren(wert, Druck);
}

} // namespace

std::string_view datumsSchluessel(std::string_view datum, char (&puffer)[8]) {
    char* p = puffer;
    for (auto [ab, laenge] : {std::pair<std::size_t, std::size_t>{6, 4}, {3, 2}, {0, 2}})
        if (ab < datum.size())
            p = std::copy_n(datum.data() + ab, std::min(laenge, datum.size() - ab), p);
    return {puffer, std::size_t(p - puffer)};
}

std::string datumsSchluessel(std::string_view datum) {
    char puffer[8];
    return std::string(datumsSchluessel(datum, puffer));
}

bool fragtRechnungsDatum(const std::string& kennzeichen) {
    return kennzeichen == "A" || kennzeichen == "R";
}

std::string fahndungsKopf(const std::string& kennzeichen) {
    return std::string(fragtRechnungsDatum(kennzeichen) ? "RechnungsDatum" : "ZahlungsEingang") +
           " - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position";
}

void fahndungsZeile(const DatenSatz& satz, std::string_view schluessel, const RechnungsSummen& werte,
                    std::int64_t nummer, Zeilenliste& liste) {
    // The texts in UTF-8, at most 3 bytes a character, the literals and three amounts.
    char vorn[3 * (8 + 6 + 30 + 30 + 50) + 6 + 3 * 400];
    char* p = ausWindows1252Schreiben(schluessel, vorn);
    *p++ = '-';
    p = ausWindows1252Schreiben(satz.roh(SatzFeld::RechnungsNummer), p);
    *p++ = '-';
    p = ausWindows1252Schreiben(satz.roh(SatzFeld::Name), p);
    p = std::copy_n(", ", 2, p);
    p = ausWindows1252Schreiben(satz.roh(SatzFeld::Vorname), p);
    for (double wert : {werte.NettoWert, werte.UstWert, werte.BruttoWert}) {
        *p++ = '-';
        const std::string text = betrag(wert);
        p = std::copy_n(text.data(), std::min<std::size_t>(text.size(), 400), p);
    }
    *p++ = '-';
    p = ausWindows1252Schreiben(satz.roh(SatzFeld::Position(1)), p);
    char hinten[3 + 20] = "~~~";
    char* ende = std::to_chars(hinten + 3, hinten + sizeof hinten, nummer).ptr;
    // The blanks push the key out of sight in the list.
    liste.anfuegen({vorn, std::size_t(p - vorn)}, 150, {hinten, std::size_t(ende - hinten)});
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
