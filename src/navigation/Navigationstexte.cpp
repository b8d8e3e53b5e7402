#include "navigation/Navigationstexte.h"

#include "data/Windows1252.h"

#include <algorithm>
#include <array>

namespace fkb {

std::string kategorieText(const DatenSatz& s) {
    std::string text = s.text(SatzFeld::KundenNummer);
    text += " - ";
    text += s.text(SatzFeld::Name);
    text += ", ";
    text += s.text(SatzFeld::Vorname);
    return text;
}

std::string baumKindText(const DatenSatz& s) {
    std::string text = s.text(SatzFeld::RechnungsNummer);
    text += "   ";
    text += s.text(SatzFeld::Position(1));
    return text;
}

void leerraumAnhaengen(std::string& zeile) {
    std::size_t laenge = zeichenAnzahl(zeile);
    for (std::size_t grenze : {134u, 184u, 234u}) {
        std::size_t lauf = laenge >= grenze ? 0 : std::min<std::size_t>(50, grenze - laenge);
        zeile.append(lauf, ' ');
        laenge += lauf;
    }
}

std::string listenzeile(const DatenSatz& s, std::int64_t schluessel) {
    std::string zeile;
    zeile.reserve(260);
    zeile += s.text(SatzFeld::RechnungsNummer);
    zeile += " - ";
    zeile += s.text(SatzFeld::Name);
    zeile += ", ";
    zeile += s.text(SatzFeld::Vorname);
    zeile += "   ";
    zeile += s.text(SatzFeld::RechnungsDatum);
    leerraumAnhaengen(zeile);
    zeile += "~~~";
    zeile += std::to_string(schluessel);
    return zeile;
}

std::string fensterTitel(const DatenSatz& s) {
    return "   Fakturbuch (FKB)   " + s.text(SatzFeld::Zusatz) + "   " + s.text(SatzFeld::Vorname) + " " +
           s.text(SatzFeld::Name) + "   " + s.text(SatzFeld::Firma);
}

std::string_view fuehrendesWort(std::string_view zeile) { return zeile.substr(0, zeile.find(' ')); }

namespace {
inline char grossAZ(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// The searched string fields, in the order of the search table; the two kind letters and the
// 25 position texts are taken apart.
constexpr std::array<Feld, 25> gesuchteTexte = {
    SatzFeld::KundenNummer, SatzFeld::Anrede,     SatzFeld::Firma,           SatzFeld::Name,
    SatzFeld::Vorname,      SatzFeld::Zusatz,     SatzFeld::Strasse,         SatzFeld::Nummer,
    SatzFeld::PLZ,          SatzFeld::Ort,        SatzFeld::Land,            SatzFeld::Telephon,
    SatzFeld::Fax,          SatzFeld::Mail,       SatzFeld::InternetAdresse, SatzFeld::Fahrzeug,
    SatzFeld::Bemerkung,    SatzFeld::RechnungsNummer, SatzFeld::ZahlungsEingang, SatzFeld::ZolltarifNummer,
    SatzFeld::BezeichnungSonstigeKosten, SatzFeld::LeistungsDatum, SatzFeld::RechnungsDatum,
    SatzFeld::SystemStempelDatum, SatzFeld::SystemStempelZeit,
};

bool enthaelt(std::string_view feld, std::string_view muster) {
    if (feld.size() < muster.size())
        return false;
    char erstes = muster[0];
    for (std::size_t i = 0; i + muster.size() <= feld.size(); ++i) {
        if (grossAZ(feld[i]) != erstes)
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
