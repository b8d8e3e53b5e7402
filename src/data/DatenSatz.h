#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fkb {

// A field of the record: its byte offset and, for a length-prefixed string, its
// capacity in characters. A capacity of 0 marks a single-letter field without length byte.
struct Feld {
    std::uint16_t offset;
    std::uint8_t kapazitaet;

    constexpr std::size_t bytes() const { return kapazitaet == 0 ? 1 : std::size_t(kapazitaet) + 1; }
};

namespace SatzFeld {
inline constexpr Feld KundenNummer{0, 5};
inline constexpr Feld Anrede{6, 5};
inline constexpr Feld Firma{12, 30};
inline constexpr Feld Name{43, 30};
inline constexpr Feld Vorname{74, 30};
inline constexpr Feld Zusatz{105, 30};
inline constexpr Feld Strasse{136, 40};
inline constexpr Feld Nummer{177, 5};
inline constexpr Feld PLZ{183, 5};
inline constexpr Feld Ort{189, 30};
inline constexpr Feld Land{220, 30};
inline constexpr Feld Telephon{251, 30};
inline constexpr Feld Fax{282, 30};
inline constexpr Feld Mail{313, 30};
inline constexpr Feld InternetAdresse{344, 30};
inline constexpr Feld Fahrzeug{375, 30};
inline constexpr Feld Bemerkung{406, 255};
inline constexpr Feld RechnungsNummer{662, 6};
inline constexpr Feld RechnungsKennZeichen{669, 0};
inline constexpr Feld ZahlungsEingang{670, 10};
inline constexpr Feld LieferKennzeichen{681, 0};
inline constexpr Feld ZolltarifNummer{682, 15};
inline constexpr Feld VersandKosten{2548, 6};
inline constexpr Feld NachnameKosten{2555, 6};
inline constexpr Feld SonstigeKosten{2562, 6};
inline constexpr Feld BezeichnungSonstigeKosten{2569, 30};
inline constexpr Feld LeistungsDatum{2600, 10};
inline constexpr Feld RechnungsDatum{2611, 10};
inline constexpr Feld SystemStempelDatum{2622, 10};
inline constexpr Feld SystemStempelZeit{2633, 8};

inline constexpr int AnzahlPositionen = 25;
inline constexpr std::uint16_t PositionenBeginn = 698;
inline constexpr std::uint16_t PositionsZeile = 74;

// Position line k, counted from 1 to 25.
constexpr Feld Position(int k) {
    return {std::uint16_t(PositionenBeginn + PositionsZeile * (k - 1)), 50};
}
constexpr Feld ME(int k) {
    return {std::uint16_t(Position(k).offset + 51), 3};
}
constexpr Feld Menge(int k) {
    return {std::uint16_t(Position(k).offset + 55), 7};
}
constexpr Feld Preis(int k) {
    return {std::uint16_t(Position(k).offset + 63), 10};
}
} // namespace SatzFeld

// Record kinds (RechnungsKennZeichen).
namespace Kennzeichen {
inline constexpr char Parameter = 'P';
inline constexpr char Vorlage = 'V';
inline constexpr char Angebot = 'A';
inline constexpr char Rechnung = 'R';
inline constexpr char Bezahlt = 'B';
inline constexpr char Geloescht = 'L';

// The parameter record and the templates: never deleted, never stored twice, their kind never changed.
constexpr bool geschuetzt(char kennzeichen) {
    return kennzeichen == Parameter || kennzeichen == Vorlage;
}
// The kind letter as the page shows it: the whole text is the letter.
constexpr bool geschuetzt(std::string_view kennzeichen) {
    return kennzeichen.size() == 1 && geschuetzt(kennzeichen[0]);
}
} // namespace Kennzeichen

// The fixed 2642-byte record of the data file, held as its bytes. Assigning a text
// writes the length byte and the text and leaves the bytes behind it as they were,
// as the file format has always done; readers ignore them.
class DatenSatz {
public:
    static constexpr std::size_t Groesse = 2642;

    std::array<unsigned char, Groesse> bytes{};

    // The stored text (Windows-1252 bytes); a length byte above the capacity,
    // found only in a damaged file, is taken as the capacity.
    std::string_view roh(Feld f) const {
        std::size_t laenge = bytes[f.offset] < f.kapazitaet ? bytes[f.offset] : f.kapazitaet;
        return {reinterpret_cast<const char*>(bytes.data()) + f.offset + 1, laenge};
    }
    // The stored text as UTF-8.
    std::string text(Feld f) const;
    void text(Feld f, std::string& ziel) const;
    // Stores a UTF-8 text, cut to the field's capacity in characters.
    void setzeText(Feld f, std::string_view utf8);

    // A single-letter field: the byte as stored (0 in a field never set).
    char zeichen(Feld f) const { return char(bytes[f.offset]); }
    void setzeZeichen(Feld f, char c) { bytes[f.offset] = static_cast<unsigned char>(c); }
    // A single-letter field as a one-letter text; a zero byte gives the empty text.
    std::string zeichenText(Feld f) const;
    // Stores the first character of a UTF-8 text; an empty text stores the zero byte.
    void setzeZeichenText(Feld f, std::string_view utf8);

    friend bool operator==(const DatenSatz&, const DatenSatz&) = default;
};

static_assert(SatzFeld::Position(1).offset == 698);
static_assert(SatzFeld::ME(1).offset == 749);
static_assert(SatzFeld::Menge(1).offset == 753);
static_assert(SatzFeld::Preis(1).offset == 761);
static_assert(SatzFeld::Position(2).offset == 772);
static_assert(SatzFeld::Preis(25).offset == 2537);
static_assert(SatzFeld::Preis(25).offset + SatzFeld::Preis(25).bytes() == SatzFeld::VersandKosten.offset);
static_assert(SatzFeld::SystemStempelZeit.offset + SatzFeld::SystemStempelZeit.bytes() == DatenSatz::Groesse);

} // namespace fkb
