// The invoice calculation of the pages, without the pages: the same reading, limits, rounding and
// order of additions, so that a record gets the very doubles that showing and checking it would.
#include "printing/Direktsummen.h"

#include "data/Laufzeitfehler.h"
#include "editing/Zahlen.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace fkb {
namespace {

// The value of an entry with digits; nothing where its digits are no 32-bit number.
std::optional<double> wertVon(const KommaZahl& zahl) {
    try {
        return zahl.wert();
    } catch (const KonvertierungsFehler&) {
        return std::nullopt;
    }
}

// A quantity or price entry read as KommaZahlLesen and KommaZahl::wert() read it, in one pass and
// without building the digit string: this runs for every line of every listed record.
struct Eintrag {
    bool hatZiffern = false;
    bool minus = false;
    int nachkommastellen = 0;
    bool zuGross = false; // digits beyond a signed 32-bit number
    std::int64_t ganz = 0;

    double wert() const {
        double teiler = 1;
        for (int i = 0; i < nachkommastellen; ++i)
            teiler *= 10;
        return nachkommastellen == 0 ? double(ganz) : double(ganz) / teiler;
    }
};

// A minus sign as a record holds it: the hyphen-minus or the en dash of Windows-1252 (the minus sign
// itself has no place there). The page refuses an entry that holds one.
bool istRohesMinus(char c) {
    return c == '-' || c == '\x96';
}

// A quantity or price field holds at most ten characters: its digits never overflow 64 bits, and
// they exceed a 32-bit number exactly when their value does in the end.
static_assert(SatzFeld::Menge(1).kapazitaet <= 18 && SatzFeld::Preis(1).kapazitaet <= 18);
static_assert(SatzFeld::Preis(SatzFeld::AnzahlPositionen).offset + 1 + 8 <= DatenSatz::Groesse);

constexpr std::uint64_t JedesByte = 0x0101010101010101ULL;

std::uint64_t achtBytes(const char* p) {
    std::uint64_t wort;
    std::memcpy(&wort, p, 8);
    return wort;
}

// A stored number stands right-aligned behind blanks, which are most of its bytes: they are passed
// eight at a time.
std::size_t blankeVorn(std::string_view text) {
    const std::uint64_t anders = achtBytes(text.data()) ^ (' ' * JedesByte);
    return std::min<std::size_t>(anders ? std::size_t(std::countr_zero(anders)) / 8 : 8, text.size());
}

// Of the quantity or price field whose text this is, which its record follows by eight bytes.
[[gnu::always_inline]] inline Eintrag eintragLesen(std::string_view text) {
    if constexpr (std::endian::native == std::endian::little) {
        text.remove_prefix(blankeVorn(text));
    }
    Eintrag e;
    bool komma = false;
    int ziffern = 0;
    std::uint64_t ganz = 0;
    for (char c : text) {
        if (c == ' ')
            continue;
        const unsigned ziffer = unsigned(static_cast<unsigned char>(c)) - '0';
        if (ziffer < 10) {
            ganz = ganz * 10 + ziffer;
            ++ziffern;
            e.nachkommastellen += komma;
        } else if (c == ',') {
            komma = true;
        } else if (istRohesMinus(c)) {
            e.minus = true;
        }
    }
    e.hatZiffern = ziffern > 0;
    e.zuGross = ganz > std::uint64_t(std::numeric_limits<std::int32_t>::max());
    e.ganz = std::int64_t(ganz);
    return e;
}

// A line value: quantity times price, rounded to cents.
std::optional<double> zeilenWert(std::string_view mengenText, std::string_view preisText) {
    const Eintrag menge = eintragLesen(mengenText);
    if ((menge.minus && menge.hatZiffern) || menge.nachkommastellen > 1 || menge.zuGross)
        return std::nullopt;
    const double mengenWert = menge.hatZiffern ? menge.wert() : 0;
    if (mengenWert > 9999.99)
        return std::nullopt;

    const Eintrag preis = eintragLesen(preisText);
    if ((preis.minus && preis.hatZiffern) || preis.nachkommastellen > 2 || preis.zuGross)
        return std::nullopt;
    const double preisWert = preis.hatZiffern ? preis.wert() : 0;
    if (preisWert > 999999.999)
        return std::nullopt;
    // Rounding a zero gives zero; most lines of an invoice are empty.
    if (mengenWert == 0 || preisWert == 0)
        return 0.0;
    return positionsWert(mengenWert, preisWert);
}

// A cost as the calculation takes it: normalised to "##0.00", then read back in cents.
std::optional<double> kostenWert(std::string_view text) {
    // Most records carry no cost at all.
    if (text.empty())
        return 0.0;
    const KommaZahl kosten = KommaZahlLesen(text);
    if (kosten.nachkommastellen > 2 || (kosten.hatZiffern() && std::ranges::any_of(text, istRohesMinus)))
        return std::nullopt;
    if (!kosten.hatZiffern())
        return 0.0;
    const std::optional<double> wert = wertVon(kosten);
    if (!wert || *wert > 999.999)
        return std::nullopt;
    if (*wert <= 0)
        return 0.0;
    return textZuInt(nurZiffern(zahlFormatieren(*wert, Muster::Kosten))) / 100.0;
}

} // namespace

std::optional<double> UstVorrat::satz() {
    if (!gelesen_) {
        gelesen_ = true;
        const KommaZahl ust = KommaZahlLesen(parameterSatz_.roh(SatzFeld::Menge(1)));
        if (ust.nachkommastellen <= 1 && ust.hatZiffern())
            if (std::optional<double> wert = wertVon(ust); wert && *wert <= 99.99)
                satz_ = wert;
    }
    return satz_;
}

std::optional<RechnungsSummen> direkteSummen(const DatenSatz& satz, UstVorrat& ust) {
    RechnungsSummen summen;
    for (int k = 1; k <= SatzFeld::AnzahlPositionen; ++k) {
        // A line without quantity and price adds nothing; most lines of an invoice are such.
        if (satz.bytes[SatzFeld::Menge(k).offset] == 0 && satz.bytes[SatzFeld::Preis(k).offset] == 0)
            continue;
        const std::optional<double> wert = zeilenWert(satz.roh(SatzFeld::Menge(k)), satz.roh(SatzFeld::Preis(k)));
        if (!wert)
            return std::nullopt;
        summen.NettoWert += *wert;
    }
    const std::optional<double> versand = kostenWert(satz.roh(SatzFeld::VersandKosten));
    const std::optional<double> nachname = kostenWert(satz.roh(SatzFeld::NachnameKosten));
    const std::optional<double> sonstige = kostenWert(satz.roh(SatzFeld::SonstigeKosten));
    if (!versand || !nachname || !sonstige)
        return std::nullopt;
    summen.VersandKosten = *versand;
    summen.NachnameKosten = *nachname;
    summen.SonstigeKosten = *sonstige;
    summen.NettoWert = summen.NettoWert + summen.VersandKosten + summen.NachnameKosten + summen.SonstigeKosten;

    if (satz.zeichen(SatzFeld::LieferKennzeichen) != 'B') {
        summen.BruttoWert = summen.NettoWert;
        return summen;
    }
    const std::optional<double> rate = ust.satz();
    if (!rate)
        return std::nullopt;
    summen.UstWert = umsatzSteuer(summen.NettoWert, *rate);
    summen.BruttoWert = summen.NettoWert + summen.UstWert;
    return summen;
}

} // namespace fkb
