// The record decoder on arbitrary bytes. The first 2642 bytes are a record: every field read as
// text is valid UTF-8 of one character per stored byte and stores back to the same bytes; a
// number text converts exactly as the runtime's rule says, or raises its error. The rest is read
// as UTF-16 into a typed text of any characters: encoding it keeps one byte per character, '?'
// for those that Windows-1252 lacks, and cutting it counts characters, not bytes.
#include "Fuzzhilfe.h"

#include "data/DatenSatz.h"
#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"

#include <charconv>
#include <cstring>
#include <optional>

using namespace fkb;
using namespace fkb::fuzz;

namespace {

std::vector<Feld> alleFelder() {
    using namespace SatzFeld;
    std::vector<Feld> felder = {KundenNummer,
                                Anrede,
                                Firma,
                                Name,
                                Vorname,
                                Zusatz,
                                Strasse,
                                Nummer,
                                PLZ,
                                Ort,
                                Land,
                                Telephon,
                                Fax,
                                Mail,
                                InternetAdresse,
                                Fahrzeug,
                                Bemerkung,
                                RechnungsNummer,
                                RechnungsKennZeichen,
                                ZahlungsEingang,
                                LieferKennzeichen,
                                ZolltarifNummer};
    for (int k = 1; k <= AnzahlPositionen; ++k)
        for (Feld f : {Position(k), ME(k), Menge(k), Preis(k)})
            felder.push_back(f);
    for (Feld f : {VersandKosten, NachnameKosten, SonstigeKosten, BezeichnungSonstigeKosten, LeistungsDatum,
                   RechnungsDatum, SystemStempelDatum, SystemStempelZeit})
        felder.push_back(f);
    return felder;
}

// The runtime's conversion written plainly: blanks in front, a sign, decimal digits or '$' / "0x"
// and hex digits, nothing behind, a signed 32-bit value.
std::optional<int> alsInt(std::string_view t) {
    std::size_t i = t.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return std::nullopt;
    const bool negativ = t[i] == '-';
    if (t[i] == '+' || t[i] == '-')
        ++i;
    int basis = 10;
    if (t.substr(i, 1) == "$") {
        basis = 16;
        i += 1;
    } else if (t.substr(i, 2) == "0x" || t.substr(i, 2) == "0X") {
        basis = 16;
        i += 2;
    }
    const std::string_view ziffern = t.substr(std::min(i, t.size()));
    std::uint64_t betrag = 0;
    const auto [ende, fehler] = std::from_chars(ziffern.data(), ziffern.data() + ziffern.size(), betrag, basis);
    if (ziffern.empty() || fehler != std::errc() || ende != ziffern.data() + ziffern.size() ||
        betrag > (negativ ? 2147483648ULL : 2147483647ULL))
        return std::nullopt;
    return int(negativ ? -std::int64_t(betrag) : std::int64_t(betrag));
}

// The byte Windows-1252 has for a code point, or none.
std::optional<unsigned char> windows1252Byte(char32_t c) {
    static constexpr char32_t obere[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (unsigned char b = 0; b < 32; ++b)
        if (obere[b] == c)
            return static_cast<unsigned char>(0x80 + b);
    return std::nullopt;
}

std::string utf8(char32_t c) {
    std::string t;
    if (c < 0x80) {
        t += char(c);
    } else if (c < 0x800) {
        t += char(0xC0 | (c >> 6));
        t += char(0x80 | (c & 0x3F));
    } else {
        t += char(0xE0 | (c >> 12));
        t += char(0x80 | ((c >> 6) & 0x3F));
        t += char(0x80 | (c & 0x3F));
    }
    return t;
}

void feldPruefen(const DatenSatz& s, Feld f) {
    if (f.kapazitaet == 0) {
        const std::string text = s.zeichenText(f);
        FKB_PRUEFEN(gueltigesUtf8(text) && zeichenAnzahl(text) == (s.zeichen(f) != 0 ? 1u : 0u));
        DatenSatz t = s;
        t.setzeZeichenText(f, text);
        FKB_PRUEFEN(t == s);
        return;
    }
    const std::string_view roh = s.roh(f);
    FKB_PRUEFEN(roh.size() <= f.kapazitaet);
    const std::string text = s.text(f);
    FKB_PRUEFEN(gueltigesUtf8(text));
    FKB_PRUEFEN(zeichenAnzahl(text) == roh.size());
    char puffer[3 * 255];
    FKB_PRUEFEN(std::string_view(puffer, std::size_t(ausWindows1252Schreiben(roh, puffer) - puffer)) == text);
    // Stored back, the field holds the same text; a length byte above the capacity becomes the
    // capacity, every other byte of the record stays.
    DatenSatz t = s;
    t.setzeText(f, text);
    FKB_PRUEFEN(t.roh(f) == roh);
    t.bytes[f.offset] = s.bytes[f.offset];
    FKB_PRUEFEN(t == s);

    const std::optional<int> erwartet = alsInt(roh);
    try {
        const int wert = textZuInt(roh);
        FKB_PRUEFEN(erwartet && wert == *erwartet);
    } catch (const KonvertierungsFehler&) {
        FKB_PRUEFEN(!erwartet);
    }
}

void getipptenTextPruefen(std::string_view bytes) {
    std::vector<char32_t> zeichen;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t c =
            static_cast<unsigned char>(bytes[i]) | char32_t(static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (c != 0 && (c < 0xD800 || c > 0xDFFF))
            zeichen.push_back(c);
    }
    std::string text, erwartet;
    std::vector<std::size_t> grenzen = {0}; // where each character ends in `text`
    for (char32_t c : zeichen) {
        text += utf8(c);
        grenzen.push_back(text.size());
        erwartet += char(windows1252Byte(c).value_or('?'));
    }
    FKB_PRUEFEN(zeichenAnzahl(text) == zeichen.size());
    for (std::size_t n : {std::size_t(0), std::size_t(1), std::size_t(5), std::size_t(30), std::string::npos}) {
        const std::size_t k = std::min(n, zeichen.size());
        FKB_PRUEFEN(nachWindows1252(text, n) == erwartet.substr(0, k));
        FKB_PRUEFEN(ersteZeichen(text, n) == std::string_view(text).substr(0, grenzen[k]));
    }
    // Into a field and out again: the first characters, each one itself or '?'.
    DatenSatz s;
    s.setzeText(SatzFeld::Name, text);
    FKB_PRUEFEN(s.roh(SatzFeld::Name) == std::string_view(erwartet).substr(0, 30));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    static const std::vector<Feld> felder = alleFelder();
    Eingabe eingabe(daten, groesse);
    DatenSatz s;
    const std::string_view satzBytes = eingabe.bytes(DatenSatz::Groesse);
    std::memcpy(s.bytes.data(), satzBytes.data(), satzBytes.size());
    for (Feld f : felder)
        feldPruefen(s, f);
    getipptenTextPruefen(eingabe.rest());
    return 0;
}
