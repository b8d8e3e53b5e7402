#include "navigation/Navigationstexte.h"

#include "data/Windows1252.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace fkb {

void kategorieText(const DatenSatz& s, std::string& ziel) {
    ziel.clear();
    ausWindows1252Anhaengen(s.roh(SatzFeld::KundenNummer), ziel);
    ziel += " - ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::Name), ziel);
    ziel += ", ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::Vorname), ziel);
}

void baumKindText(const DatenSatz& s, std::string& ziel) {
    ziel.clear();
    ausWindows1252Anhaengen(s.roh(SatzFeld::RechnungsNummer), ziel);
    ziel += "   ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::Position(1)), ziel);
}

namespace {
void leerraumAnhaengen(std::string& zeile, std::size_t laenge) {
    std::size_t leer = 0;
    for (std::size_t grenze : {134u, 184u, 234u}) {
        std::size_t lauf = laenge >= grenze ? 0 : std::min<std::size_t>(50, grenze - laenge);
        leer += lauf;
        laenge += lauf;
    }
    zeile.append(leer, ' ');
}
} // namespace

void leerraumAnhaengen(std::string& zeile) {
    leerraumAnhaengen(zeile, zeichenAnzahl(zeile));
}

void listenzeile(const DatenSatz& s, std::int64_t schluessel, std::string& zeile) {
    zeile.clear();
    zeile.reserve(250);
    ausWindows1252Anhaengen(s.roh(SatzFeld::RechnungsNummer), zeile);
    zeile += " - ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::Name), zeile);
    zeile += ", ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::Vorname), zeile);
    zeile += "   ";
    ausWindows1252Anhaengen(s.roh(SatzFeld::RechnungsDatum), zeile);
    // One Windows-1252 byte is one character: the length in characters needs no scan.
    leerraumAnhaengen(zeile, s.roh(SatzFeld::RechnungsNummer).size() + s.roh(SatzFeld::Name).size() +
                                 s.roh(SatzFeld::Vorname).size() + s.roh(SatzFeld::RechnungsDatum).size() + 8);
    zeile += "~~~";
    char ziffern[24];
    auto ende = std::to_chars(ziffern, ziffern + sizeof ziffern, schluessel).ptr;
    zeile.append(ziffern, ende);
}

std::string fensterTitel(const DatenSatz& s) {
    return "   Fakturbuch (FKB)   " + s.text(SatzFeld::Zusatz) + "   " + s.text(SatzFeld::Vorname) + " " +
           s.text(SatzFeld::Name) + "   " + s.text(SatzFeld::Firma);
}

std::string_view fuehrendesWort(std::string_view zeile) {
    return zeile.substr(0, zeile.find(' '));
}

namespace {
inline char grossAZ(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// The searched string fields, in the order of the search table; the two kind letters and the
// 25 position texts are taken apart.
constexpr std::array<Feld, 25> gesuchteTexte = {
    SatzFeld::KundenNummer,
    SatzFeld::Anrede,
    SatzFeld::Firma,
    SatzFeld::Name,
    SatzFeld::Vorname,
    SatzFeld::Zusatz,
    SatzFeld::Strasse,
    SatzFeld::Nummer,
    SatzFeld::PLZ,
    SatzFeld::Ort,
    SatzFeld::Land,
    SatzFeld::Telephon,
    SatzFeld::Fax,
    SatzFeld::Mail,
    SatzFeld::InternetAdresse,
    SatzFeld::Fahrzeug,
    SatzFeld::Bemerkung,
    SatzFeld::RechnungsNummer,
    SatzFeld::ZahlungsEingang,
    SatzFeld::ZolltarifNummer,
    SatzFeld::BezeichnungSonstigeKosten,
    SatzFeld::LeistungsDatum,
    SatzFeld::RechnungsDatum,
    SatzFeld::SystemStempelDatum,
    SatzFeld::SystemStempelZeit,
};

bool enthaelt(std::string_view feld, std::string_view muster) {
    if (feld.size() < muster.size())
        return false;
    // Only a–z fold: a letter of the pattern matches its two cases, anything else itself.
    const auto erstes = static_cast<unsigned char>(muster[0]);
    const bool buchstabe = erstes >= 'A' && erstes <= 'Z';
    const unsigned char klein = erstes | 0x20;
    const std::size_t letzter = feld.size() - muster.size();
    for (std::size_t i = 0; i <= letzter; ++i) {
        const auto b = static_cast<unsigned char>(feld[i]);
        if (buchstabe ? (b | 0x20) != klein : b != erstes)
            continue;
        std::size_t k = 1;
        while (k < muster.size() && grossAZ(feld[i + k]) == muster[k])
            ++k;
        if (k == muster.size())
            return true;
    }
    return false;
}
} // namespace

std::string grossAZ(std::string_view text) {
    std::string ergebnis(text);
    for (char& c : ergebnis)
        c = grossAZ(c);
    return ergebnis;
}

SuchMuster::SuchMuster(std::string_view suchtext) {
    // Record texts are Windows-1252: a search text with a character outside it can match nothing.
    muster_ = nachWindows1252(suchtext);
    moeglich_ = !muster_.empty() && ausWindows1252(muster_) == suchtext;
    muster_ = grossAZ(muster_);
}

bool SuchMuster::trifft(const DatenSatz& s) const {
    if (!moeglich_)
        return false;
    for (Feld f : gesuchteTexte)
        if (enthaelt(s.roh(f), muster_))
            return true;
    for (Feld f : {SatzFeld::RechnungsKennZeichen, SatzFeld::LieferKennzeichen}) {
        char c = s.zeichen(f);
        if (c != 0 && enthaelt(std::string_view(&c, 1), muster_))
            return true;
    }
    for (int k = 1; k <= SatzFeld::AnzahlPositionen; ++k)
        if (enthaelt(s.roh(SatzFeld::Position(k)), muster_))
            return true;
    return false;
}

} // namespace fkb
