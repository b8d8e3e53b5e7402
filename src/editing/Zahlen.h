#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fkb {

// A number entry as typed: its digits, whether a comma came, and how many digits followed
// the first comma. Every other character (blank, full stop, plus sign, letter) is ignored, but a
// minus sign is noted.
struct KommaZahl {
    std::string ziffern;
    bool kommaGesehen = false;
    int nachkommastellen = 0;
    bool minusGesehen = false;

    bool hatZiffern() const { return !ziffern.empty(); }
    // A number with a minus sign. The program has no negative amounts: a discount typed as "-20,00"
    // must be refused, not charged as 20,00. A minus without digits, as in the cost field's caption
    // "V-Kos.", is no number at all.
    bool negativ() const { return minusGesehen && hatZiffern(); }
    // The digits as a signed 32-bit integer divided by 10^nachkommastellen. Digits beyond that
    // range (only a damaged file holds them) raise KonvertierungsFehler; an entry without
    // digits has no value and raises it too.
    double wert() const;
};

KommaZahl KommaZahlLesen(std::string_view text);

// Whether the character of a page text that starts at text[i] is a minus sign: the hyphen-minus, or
// the minus sign or en dash that a pasted text brings.
bool istMinuszeichen(std::string_view text, std::size_t i);

// The characters 0 to 9 of a text, in their order.
std::string nurZiffern(std::string_view text);

// The text that stands for a rejected entry, on the page and in the record.
inline constexpr const char* Fehlermarke = "Fehler";

// Format patterns: # an optional digit, 0 a digit always shown, a comma asks for thousands
// grouping, the full stop marks the decimals.
namespace Muster {
inline constexpr std::string_view Menge = "#,##0.0";
inline constexpr std::string_view Preis = "###,##0.00";
inline constexpr std::string_view Kosten = "##0.00";
inline constexpr std::string_view Ust = "#0.0";
inline constexpr std::string_view Summe = "#,###,###,##0.00";
inline constexpr std::string_view Druck = "###,###,##0.00";
} // namespace Muster

// A format pattern taken apart: the decimals, the digits always shown in front of the comma, and
// whether thousands are grouped. Taken apart once by a caller that formats many numbers with it.
struct Zahlformat {
    int nachkomma = 0;
    int mindestensGanz = 0;
    bool gruppieren = false;
};
// In front of the first full stop: grouping and the zeros; behind it: the decimals.
constexpr Zahlformat zahlformat(std::string_view muster) {
    Zahlformat m;
    bool nachPunkt = false;
    for (char c : muster) {
        if (nachPunkt) {
            m.nachkomma += c == '0' || c == '#';
        } else if (c == '.') {
            nachPunkt = true;
        } else {
            m.gruppieren = m.gruppieren || c == ',';
            m.mindestensGanz += c == '0';
        }
    }
    return m;
}

// The value in German notation (full stop between thousands, comma before the decimals),
// rounded half away from zero on its decimal digits to the pattern's number of decimals.
std::string zahlFormatieren(double wert, std::string_view muster);
std::string zahlFormatieren(double wert, const Zahlformat& format);

// Blanks in front until the text has at least `breite` characters.
std::string rechtsBuendig(std::string_view text, std::size_t breite);

// Rounding to cents, every step held as a double: ±0.005, ×100, cut toward zero, ÷100.
double aufCentRunden(double wert);

} // namespace fkb
