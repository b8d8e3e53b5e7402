#include "navigation/Navigationstexte.h"

#include "data/Windows1252.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace fkb {

namespace {

char* anfuegen(char* ziel, std::string_view text) {
    std::memcpy(ziel, text.data(), text.size());
    return ziel + text.size();
}

} // namespace

std::string_view kategorieBytes(const DatenSatz& s, KategoriePuffer& puffer) {
    char* p = anfuegen(puffer.data(), s.roh(SatzFeld::KundenNummer));
    p = anfuegen(p, " - ");
    p = anfuegen(p, s.roh(SatzFeld::Name));
    p = anfuegen(p, ", ");
    p = anfuegen(p, s.roh(SatzFeld::Vorname));
    return {puffer.data(), std::size_t(p - puffer.data())};
}

char* baumKindText(const DatenSatz& s, char* ziel) {
    char* p = ausWindows1252Schreiben(s.roh(SatzFeld::RechnungsNummer), ziel);
    p = anfuegen(p, "   ");
    return ausWindows1252Schreiben(s.roh(SatzFeld::Position(1)), p);
}

namespace {
// The blanks in front of the key for a line of `laenge` characters.
std::size_t leerraum(std::size_t laenge) {
    std::size_t leer = 0;
    for (std::size_t grenze : {134u, 184u, 234u}) {
        std::size_t lauf = laenge >= grenze ? 0 : std::min<std::size_t>(50, grenze - laenge);
        leer += lauf;
        laenge += lauf;
    }
    return leer;
}
} // namespace

void leerraumAnhaengen(std::string& zeile) {
    zeile.append(leerraum(zeichenAnzahl(zeile)), ' ');
}

void listenzeile(const DatenSatz& s, std::int64_t schluessel, Zeilenliste& liste) {
    const std::string_view nummer = s.roh(SatzFeld::RechnungsNummer), name = s.roh(SatzFeld::Name),
                           vorname = s.roh(SatzFeld::Vorname), datum = s.roh(SatzFeld::RechnungsDatum);
    // The fields in UTF-8, at most 3 bytes a character, and the literals.
    char vorn[3 * (6 + 30 + 30 + 10) + 8];
    char* p = ausWindows1252Schreiben(nummer, vorn);
    p = anfuegen(p, " - ");
    p = ausWindows1252Schreiben(name, p);
    p = anfuegen(p, ", ");
    p = ausWindows1252Schreiben(vorname, p);
    p = anfuegen(p, "   ");
    p = ausWindows1252Schreiben(datum, p);
    char hinten[3 + 20] = "~~~";
    char* ende = std::to_chars(hinten + 3, hinten + sizeof hinten, schluessel).ptr;
    // One Windows-1252 byte is one character: the length in characters needs no scan.
    const std::size_t leer = leerraum(nummer.size() + name.size() + vorname.size() + datum.size() + 8);
    liste.anfuegen({vorn, std::size_t(p - vorn)}, leer, {hinten, std::size_t(ende - hinten)});
}

std::string listenzeile(const DatenSatz& s, std::int64_t schluessel) {
    Zeilenliste eine;
    listenzeile(s, schluessel, eine);
    return eine[0];
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

constexpr std::uint64_t JedesByte = 0x0101010101010101ULL;

// The high bit of every byte of the word that is zero, and no other bit.
constexpr std::uint64_t nullbytes(std::uint64_t wort) {
    constexpr std::uint64_t sieben = 0x7F * JedesByte;
    return ~(((wort & sieben) + sieben) | wort | sieben);
}
static_assert(nullbytes(0x0011002200330044ULL) == 0x8000800080008000ULL);

std::uint64_t achtBytes(const char* p) {
    std::uint64_t wort;
    std::memcpy(&wort, p, 8);
    return wort;
}

bool istGrossAZ(char c) {
    return c >= 'A' && c <= 'Z';
}
} // namespace

std::string grossAZ(std::string_view text) {
    std::string ergebnis(text);
    for (char& c : ergebnis)
        c = grossAZ(c);
    return ergebnis;
}

// For the first and the last byte of the pattern: eight copies of it, and the bit that makes a
// capital small where it is a letter, so that both cases of a byte compare as one.
SuchMuster::Anker SuchMuster::ankerVon(char c) {
    const std::uint64_t falte = istGrossAZ(c) ? 0x20 : 0;
    return {(static_cast<unsigned char>(c) | falte) * JedesByte, falte * JedesByte};
}

bool SuchMuster::passtAb(const char* text) const {
    for (std::size_t k = 0; k < muster_.size(); ++k)
        if (grossAZ(text[k]) != muster_[k])
            return false;
    return true;
}

bool SuchMuster::enthaelt(const DatenSatz& s, Feld f) const {
    const std::string_view feld = s.roh(f);
    const std::size_t m = muster_.size();
    if (feld.size() < m)
        return false;
    const std::size_t anfaenge = feld.size() - m + 1;
    const char* const text = feld.data();
    // Bytes of the record from the field's text to its end.
    const std::size_t bisEnde = DatenSatz::Groesse - std::size_t(text - reinterpret_cast<const char*>(s.bytes.data()));
    std::size_t i = 0;
    // Eight places at a time: a place is worth comparing only where the pattern's first and last
    // bytes both stand, which most fields have nowhere. The words may reach past the field's text
    // into the rest of the record; places beyond the text are masked off.
    if constexpr (std::endian::native == std::endian::little)
        for (; i < anfaenge && i + m - 1 + 8 <= bisEnde; i += 8) {
            const std::uint64_t vorn = (achtBytes(text + i) | erstes_.falte) ^ erstes_.bytes;
            const std::uint64_t hinten = (achtBytes(text + i + m - 1) | letztes_.falte) ^ letztes_.bytes;
            std::uint64_t stellen = nullbytes(vorn | hinten);
            if (anfaenge - i < 8)
                stellen &= (std::uint64_t(1) << (8 * (anfaenge - i))) - 1;
            for (; stellen != 0; stellen &= stellen - 1)
                if (passtAb(text + i + std::size_t(std::countr_zero(stellen)) / 8))
                    return true;
        }
    for (; i < anfaenge; ++i)
        if (passtAb(text + i))
            return true;
    return false;
}

SuchMuster::SuchMuster(std::string_view suchtext) {
    // Record texts are Windows-1252: a search text with a character outside it can match nothing.
    muster_ = nachWindows1252(suchtext);
    moeglich_ = !muster_.empty() && ausWindows1252(muster_) == suchtext;
    muster_ = grossAZ(muster_);
    if (moeglich_) {
        erstes_ = ankerVon(muster_.front());
        letztes_ = ankerVon(muster_.back());
    }
}

bool SuchMuster::trifft(const DatenSatz& s) const {
    if (!moeglich_)
        return false;
    for (Feld f : gesuchteTexte)
        if (enthaelt(s, f))
            return true;
    // A one-letter field matches only a one-letter pattern.
    if (muster_.size() == 1)
        for (Feld f : {SatzFeld::RechnungsKennZeichen, SatzFeld::LieferKennzeichen}) {
            char c = s.zeichen(f);
            if (c != 0 && grossAZ(c) == muster_[0])
                return true;
        }
    for (int k = 1; k <= SatzFeld::AnzahlPositionen; ++k)
        if (enthaelt(s, SatzFeld::Position(k)))
            return true;
    return false;
}

} // namespace fkb
