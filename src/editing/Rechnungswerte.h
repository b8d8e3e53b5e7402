#pragma once

#include "data/DatenSatz.h"
#include "editing/RechnungsSummen.h"

#include <array>
#include <cstdint>
#include <string_view>

// The invoice arithmetic, once for everything that totals an invoice: the check of the invoice page,
// the query's totals straight from a record, and the e-invoice. Pure: it reads number texts and
// computes; the page's messages and normalised texts are the caller's.
namespace fkb {

// The largest entries in units of their last place, and the places each entry may have: a quantity
// up to 9.999,9, a price up to 999.999,99, a cost up to 999,99, the VAT rate up to 99,9 %.
namespace Grenze {
inline constexpr std::int64_t MengeZehntel = 99999;
inline constexpr std::int64_t PreisCent = 99999999;
inline constexpr std::int64_t KostenCent = 99999;
inline constexpr std::int64_t UstSatzZehntel = 999;
inline constexpr int MengeStellen = 1;
inline constexpr int PreisStellen = 2;
inline constexpr int KostenStellen = 2;
inline constexpr int UstSatzStellen = 1;
} // namespace Grenze

// A number entry read as KommaZahlLesen reads it, in one pass and without building its digits:
// this runs for every line of every record a query lists.
struct Zahleingabe {
    bool hatZiffern = false;
    bool minus = false;
    bool zuLang = false; // digits beyond a signed 32-bit number: only a damaged file holds them
    int nachkommastellen = 0;
    std::int64_t ganz = 0; // the digits as one number

    // The value in units of its `stellen`-th decimal place; no more decimals than that.
    std::int64_t einheiten(int stellen) const;
};

// A page text (UTF-8), or a record's field as stored (Windows-1252); they differ in the minus signs
// they can hold.
Zahleingabe zahlAusText(std::string_view text);
Zahleingabe zahlAusSatz(std::string_view bytes);

// What the check finds in an entry, in the order it looks: a minus sign, too many decimals, no digits
// (a problem for the VAT rate alone), digits no 32-bit number holds, a value above its limit.
enum class Befund { Gut, Minus, Kommastellen, Fehlt, Unlesbar, ZuGross };

struct Zeilenwert {
    Befund menge = Befund::Gut;
    Befund preis = Befund::Gut; // not looked at when the quantity is refused
    std::int64_t mengeZehntel = 0, preisCent = 0, wertCent = 0;

    bool gut() const { return menge == Befund::Gut && preis == Befund::Gut; }
    double wert() const { return double(wertCent) / 100; }
};

struct Kostenwert {
    Befund befund = Befund::Gut;
    std::int64_t cent = 0;
};

struct UstSatz {
    Befund befund = Befund::Gut;
    std::int64_t zehntel = 0;

    double wert() const { return double(zehntel) / 10; }
};

// A line value: quantity × price, rounded half up to cents on the exact product; 0 for a line
// that is refused (whose accepted quantity is kept all the same).
Zeilenwert zeileRechnen(const Zahleingabe& menge, const Zahleingabe& preis);
Kostenwert kostenRechnen(const Zahleingabe& kosten);
// The rate of the parameter record; a minus sign does not count there.
UstSatz ustSatzRechnen(const Zahleingabe& satz);

// The entries of one invoice.
struct Rechnungseingaben {
    std::array<Zahleingabe, SatzFeld::AnzahlPositionen> mengen, preise;
    std::array<Zahleingabe, 3> kosten; // shipping, cash on delivery, other
    bool inland = false;               // delivered at home: VAT is charged
};

// The entries as a record holds them, each field read as zahlAusSatz reads it. The query reads every
// record it lists this way.
Rechnungseingaben eingabenAusSatz(const DatenSatz& satz);

struct Rechnungswerte {
    std::array<Zeilenwert, SatzFeld::AnzahlPositionen> zeilen;
    std::array<Kostenwert, 3> kosten;
    int abgewieseneKosten = -1; // the first refused cost, after which nothing is computed
    std::int64_t nettoCent = 0, ustCent = 0;
    // As the page shows them: the line values and costs added one by one in double.
    RechnungsSummen summen;

    // The VAT rate is wanted: a domestic invoice whose costs are in order.
    bool inland = false;
    bool satzNoetig() const { return inland && abgewieseneKosten < 0; }
};

// The lines, the costs and the net sum; a domestic invoice gets its VAT from ustRechnen once the rate
// is known. A refused line counts 0, a refused cost ends the calculation.
Rechnungswerte rechnen(const Rechnungseingaben& eingaben);
// The VAT of the net sum at this rate (tenths of a percent), rounded half up to cents once.
void ustRechnen(Rechnungswerte& werte, std::int64_t satzZehntel);

} // namespace fkb
