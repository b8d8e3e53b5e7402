#include "editing/Zahlen.h"

#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

// Cent results are exact only on the arithmetic they were worked out for: IEEE doubles evaluated as
// doubles (sums of line values, the values that whole cents are recovered from). A port to other
// arithmetic must fail here, not in a customer's invoice.
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53);
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error "double expressions must be evaluated in double precision"
#endif
#if defined(__FAST_MATH__)
#error "never build with -ffast-math: it changes cent results"
#endif

namespace fkb {

KommaZahl KommaZahlLesen(std::string_view text) {
    KommaZahl zahl;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            zahl.ziffern += c;
            if (zahl.kommaGesehen)
                ++zahl.nachkommastellen;
        } else if (c == ',') {
            zahl.kommaGesehen = true;
        } else if (istMinuszeichen(text, i)) {
            zahl.minusGesehen = true;
        }
    }
    return zahl;
}

bool istMinuszeichen(std::string_view text, std::size_t i) {
    const auto steht = [&](std::string_view zeichen) { return text.substr(i, zeichen.size()) == zeichen; };
    return text[i] == '-' || steht("\u2212") || steht("\u2013");
}

std::string nurZiffern(std::string_view text) {
    std::string ziffern;
    for (char c : text)
        if (c >= '0' && c <= '9')
            ziffern += c;
    return ziffern;
}

double KommaZahl::wert() const {
    double ganz = textZuInt(ziffern);
    if (nachkommastellen == 0)
        return ganz;
    // Powers of ten up to 10^22 are exact doubles, so this is one correctly rounded division.
    double teiler = 1;
    for (int i = 0; i < nachkommastellen; ++i)
        teiler *= 10;
    return ganz / teiler;
}

namespace {

// The value × 10^nachkomma rounded half away from zero, where that needs no digits of its own.
// Nearly every amount lies on a whole cent already. Below 10^9 its 15 digits reach well past the
// rounding position, so they round to the nearest integer of the shifted value; only a value near a
// half needs the digits themselves (gerundeteZiffern).
std::optional<std::uint64_t> schnellGerundet(double betrag, int nachkomma) {
    if (betrag < 1e9 && nachkomma <= 2) {
        const double verschoben = betrag * (nachkomma == 0 ? 1 : nachkomma == 1 ? 10 : 100);
        const double ganz = std::nearbyint(verschoben);
        if (std::fabs(verschoben - ganz) < 0.01)
            return static_cast<std::uint64_t>(ganz);
    }
    return std::nullopt;
}

// The value × 10^nachkomma as a decimal digit string, rounded half away from zero. It works on
// the 15 significant digits of the value, the precision a double holds for certain: 1,005 is
// 1,00499999999999989… in binary but rounds as the 1,005 it stands for.
std::string gerundeteZiffern(double betrag, int nachkomma) {
    if (const std::optional<std::uint64_t> ganz = schnellGerundet(betrag, nachkomma))
        return std::to_string(*ganz);
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", betrag);
    std::string ziffern(1, text[0]);
    ziffern.append(text + 2, 14);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);

    const int behalten = exponent + 1 + nachkomma; // digits left of the rounding position
    if (behalten < 0)
        return "0";
    if (behalten >= int(ziffern.size()))
        return ziffern + std::string(std::size_t(behalten) - ziffern.size(), '0');

    bool aufrunden = ziffern[std::size_t(behalten)] >= '5';
    ziffern.resize(std::size_t(behalten));
    for (auto i = ziffern.rbegin(); aufrunden && i != ziffern.rend(); ++i) {
        aufrunden = *i == '9';
        *i = aufrunden ? '0' : char(*i + 1);
    }
    if (aufrunden)
        ziffern.insert(ziffern.begin(), '1');
    return ziffern.empty() ? "0" : ziffern;
}

} // namespace

std::string zahlFormatieren(double wert, std::string_view muster) {
    return zahlFormatieren(wert, zahlformat(muster));
}

// Runs for three amounts of every line of a period query: an amount on a whole cent is written
// straight from its number of cents, any other from its digits.
std::string zahlFormatieren(double wert, const Zahlformat& m) {
    if (!std::isfinite(wert))
        return std::to_string(wert);

    const std::optional<std::uint64_t> ganzzahl = schnellGerundet(std::fabs(wert), m.nachkomma);
    if (ganzzahl && m.mindestensGanz <= 20) {
        // Backwards from the last decimal: below 10^11 with at most 20 zeros, with dots and sign.
        char text[64];
        char* const ende = text + sizeof text;
        char* p = ende;
        std::uint64_t n = *ganzzahl;
        for (int i = 0; i < m.nachkomma; ++i, n /= 10)
            *--p = char('0' + n % 10);
        if (m.nachkomma > 0)
            *--p = ',';
        for (int stellen = 0; n > 0 || stellen < m.mindestensGanz; ++stellen, n /= 10) {
            if (m.gruppieren && stellen > 0 && stellen % 3 == 0)
                *--p = '.';
            *--p = char('0' + n % 10);
        }
        // A value that rounds to zero carries no sign.
        if (wert < 0 && *ganzzahl != 0)
            *--p = '-';
        return std::string(p, ende);
    }
    const std::string langsam = gerundeteZiffern(std::fabs(wert), m.nachkomma);
    const std::string_view ziffern = langsam;
    // The decimals are the last digits, zeros in front where there are fewer; the integer part the
    // digits before them, without leading zeros but at least as many as the pattern's zeros.
    const std::size_t stellen = std::size_t(m.nachkomma);
    std::string_view ganz = ziffern.substr(0, ziffern.size() > stellen ? ziffern.size() - stellen : 0);
    const std::string_view nachkomma = ziffern.substr(ganz.size());
    ganz.remove_prefix(std::min(ganz.find_first_not_of('0'), ganz.size()));
    const std::size_t mindestens = std::size_t(m.mindestensGanz);
    const std::size_t nullen = mindestens > ganz.size() ? mindestens - ganz.size() : 0;
    const std::size_t ganzLaenge = nullen + ganz.size();

    std::string ergebnis(2 + ganzLaenge + ganzLaenge / 3 + stellen, '\0');
    char* p = ergebnis.data();
    // A value that rounds to zero carries no sign.
    if (wert < 0 && ziffern.find_first_not_of('0') != std::string_view::npos)
        *p++ = '-';
    for (std::size_t i = 0; i < ganzLaenge; ++i) {
        if (m.gruppieren && i > 0 && (ganzLaenge - i) % 3 == 0)
            *p++ = '.';
        *p++ = i < nullen ? '0' : ganz[i - nullen];
    }
    if (stellen > 0) {
        *p++ = ',';
        p = std::fill_n(p, stellen - nachkomma.size(), '0');
        p = std::copy(nachkomma.begin(), nachkomma.end(), p);
    }
    ergebnis.resize(std::size_t(p - ergebnis.data()));
    return ergebnis;
}

std::string rechtsBuendig(std::string_view text, std::size_t breite) {
    const std::size_t laenge = zeichenAnzahl(text);
    std::string ergebnis(laenge < breite ? breite - laenge : 0, ' ');
    ergebnis += text;
    return ergebnis;
}

double aufCentRunden(double wert) {
    const double verschoben = wert < 0 ? wert - 0.005 : wert + 0.005;
    const double cent = verschoben * 100;
    const double ganzeCent = std::trunc(cent);
    return ganzeCent / 100;
}

} // namespace fkb
