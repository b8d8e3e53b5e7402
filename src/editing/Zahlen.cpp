#include "editing/Zahlen.h"

#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

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

struct FormatMuster {
    int nachkomma = 0;
    int mindestensGanz = 0;
    bool gruppieren = false;
};

FormatMuster zerlegen(std::string_view muster) {
    FormatMuster m;
    auto punkt = muster.find('.');
    std::string_view ganz = muster.substr(0, punkt);
    m.gruppieren = ganz.find(',') != std::string_view::npos;
    m.mindestensGanz = int(std::count(ganz.begin(), ganz.end(), '0'));
    if (punkt != std::string_view::npos) {
        std::string_view nach = muster.substr(punkt + 1);
        m.nachkomma = int(std::count_if(nach.begin(), nach.end(), [](char c) { return c == '0' || c == '#'; }));
    }
    return m;
}

// The value × 10^nachkomma as a decimal digit string, rounded half away from zero. It works on
// the 15 significant digits of the value, the precision a double holds for certain: 1,005 is
// 1,00499999999999989… in binary but rounds as the 1,005 it stands for.
std::string gerundeteZiffern(double betrag, int nachkomma) {
    // Nearly every amount lies on a whole cent already. Below 10^9 its 15 digits reach well past
    // the rounding position, so they round to the nearest integer of the shifted value; only a
    // value near a half needs the digits themselves.
    if (betrag < 1e9 && nachkomma <= 2) {
        const double verschoben = betrag * (nachkomma == 0 ? 1 : nachkomma == 1 ? 10 : 100);
        const double ganz = std::nearbyint(verschoben);
        if (std::fabs(verschoben - ganz) < 0.01)
            return std::to_string(static_cast<long long>(ganz));
    }
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
    const FormatMuster m = zerlegen(muster);
    if (!std::isfinite(wert))
        return std::to_string(wert);

    std::string ziffern = gerundeteZiffern(std::fabs(wert), m.nachkomma);
    if (int(ziffern.size()) < m.nachkomma)
        ziffern.insert(0, std::size_t(m.nachkomma) - ziffern.size(), '0');
    std::string ganz = ziffern.substr(0, ziffern.size() - std::size_t(m.nachkomma));
    const std::string nachkomma = ziffern.substr(ganz.size());

    ganz.erase(0, std::min(ganz.find_first_not_of('0'), ganz.size()));
    if (int(ganz.size()) < m.mindestensGanz)
        ganz.insert(0, std::size_t(m.mindestensGanz) - ganz.size(), '0');

    std::string ergebnis;
    // A value that rounds to zero carries no sign.
    if (wert < 0 && ziffern.find_first_not_of('0') != std::string::npos)
        ergebnis += '-';
    for (std::size_t i = 0; i < ganz.size(); ++i) {
        if (m.gruppieren && i > 0 && (ganz.size() - i) % 3 == 0)
            ergebnis += '.';
        ergebnis += ganz[i];
    }
    if (m.nachkomma > 0) {
        ergebnis += ',';
        ergebnis += nachkomma;
    }
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

namespace {
// zaehler ÷ nenner rounded half away from zero, in whole numbers.
std::int64_t halbAufRunden(std::int64_t zaehler, std::int64_t nenner) {
    return zaehler < 0 ? -((-zaehler + nenner / 2) / nenner) : (zaehler + nenner / 2) / nenner;
}
} // namespace

double positionsWert(double menge, double preis) {
    // Both values stand for decimals with one and two places, which llround recovers exactly.
    const std::int64_t zehntel = std::llround(menge * 10);
    const std::int64_t cent = std::llround(preis * 100);
    return double(halbAufRunden(zehntel * cent, 10)) / 100;
}

double umsatzSteuer(double nettoWert, double satz) {
    // The net is a sum of cent values: its cents come back exactly, even at a quarter of a billion euros.
    const std::int64_t cent = std::llround(nettoWert * 100);
    const std::int64_t hundertstelProzent = std::llround(satz * 100);
    return double(halbAufRunden(cent * hundertstelProzent, 10000)) / 100;
}

} // namespace fkb
