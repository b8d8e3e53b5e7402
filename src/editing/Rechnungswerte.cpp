#include "editing/Rechnungswerte.h"

#include "editing/Zahlen.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace fkb {
namespace {

template <class IstMinus> Zahleingabe zahlLesen(std::string_view text, IstMinus istMinus) {
    Zahleingabe e;
    bool komma = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            e.hatZiffern = true;
            if (komma)
                ++e.nachkommastellen;
            if (!e.zuLang && (e.ganz = e.ganz * 10 + (c - '0')) > std::numeric_limits<std::int32_t>::max())
                e.zuLang = true;
        } else if (c == ',') {
            komma = true;
        } else if (istMinus(text, i)) {
            e.minus = true;
        }
    }
    return e;
}

// zaehler ÷ nenner rounded half away from zero, in whole numbers.
std::int64_t halbAufRunden(std::int64_t zaehler, std::int64_t nenner) {
    return zaehler < 0 ? -((-zaehler + nenner / 2) / nenner) : (zaehler + nenner / 2) / nenner;
}

// The checks every entry passes, in this order; a minus only counts in a number.
Befund befund(const Zahleingabe& e, int stellen, std::int64_t grenze, bool minusZaehlt = true) {
    if (minusZaehlt && e.minus && e.hatZiffern)
        return Befund::Minus;
    if (e.nachkommastellen > stellen)
        return Befund::Kommastellen;
    if (!e.hatZiffern)
        return Befund::Gut;
    if (e.zuLang)
        return Befund::Unlesbar;
    return e.einheiten(stellen) > grenze ? Befund::ZuGross : Befund::Gut;
}

} // namespace

std::int64_t Zahleingabe::einheiten(int stellen) const {
    std::int64_t wert = ganz;
    for (int i = nachkommastellen; i < stellen; ++i)
        wert *= 10;
    return wert;
}

Zahleingabe zahlAusText(std::string_view text) {
    return zahlLesen(text, istMinuszeichen);
}

Zahleingabe zahlAusSatz(std::string_view bytes) {
    // The hyphen-minus or the en dash of Windows-1252; the minus sign itself has no place there.
    return zahlLesen(bytes, [](std::string_view t, std::size_t i) { return t[i] == '-' || t[i] == '\x96'; });
}

namespace {

// A number field holds at most ten characters and is followed by more than eight bytes of its record.
static_assert(SatzFeld::Menge(1).kapazitaet <= 18 && SatzFeld::Preis(1).kapazitaet <= 18 &&
              SatzFeld::VersandKosten.kapazitaet <= 18);
static_assert(SatzFeld::SonstigeKosten.offset + 1 + 8 <= DatenSatz::Groesse);

// A number field of a record, as zahlAusSatz reads its text.
Zahleingabe feldLesen(const DatenSatz& satz, Feld feld) {
    std::string_view text = satz.roh(feld);
    // Most fields are empty; a stored number stands right-aligned behind blanks, which are most of its
    // bytes: they are passed eight at a time.
    if (text.empty())
        return {};
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t wort;
        std::memcpy(&wort, text.data(), 8);
        const std::uint64_t anders = wort ^ 0x2020202020202020ULL;
        text.remove_prefix(std::min<std::size_t>(anders ? std::size_t(std::countr_zero(anders)) / 8 : 8, text.size()));
    }
    // At most ten digits: no overflow on the way, and they exceed a 32-bit number exactly when their
    // value does in the end.
    std::uint64_t ganz = 0;
    int ziffern = 0, nachkommastellen = 0;
    bool komma = false, minus = false;
    for (char c : text) {
        const unsigned ziffer = unsigned(static_cast<unsigned char>(c)) - '0';
        if (ziffer < 10) {
            ganz = ganz * 10 + ziffer;
            ++ziffern;
            nachkommastellen += komma;
        } else if (c == ',') {
            komma = true;
        } else if (c == '-' || c == '\x96') {
            minus = true;
        }
    }
    Zahleingabe e;
    e.hatZiffern = ziffern > 0;
    e.minus = minus;
    e.zuLang = ganz > std::uint64_t(std::numeric_limits<std::int32_t>::max());
    e.nachkommastellen = nachkommastellen;
    e.ganz = std::int64_t(ganz);
    return e;
}

} // namespace

Rechnungseingaben eingabenAusSatz(const DatenSatz& satz) {
    namespace F = SatzFeld;
    Rechnungseingaben e;
    for (int k = 0; k < F::AnzahlPositionen; ++k) {
        e.mengen[k] = feldLesen(satz, F::Menge(k + 1));
        e.preise[k] = feldLesen(satz, F::Preis(k + 1));
    }
    e.kosten = {feldLesen(satz, F::VersandKosten), feldLesen(satz, F::NachnameKosten),
                feldLesen(satz, F::SonstigeKosten)};
    e.inland = satz.zeichen(F::LieferKennzeichen) == 'B';
    return e;
}

Zeilenwert zeileRechnen(const Zahleingabe& menge, const Zahleingabe& preis) {
    Zeilenwert z;
    z.menge = befund(menge, Grenze::MengeStellen, Grenze::MengeZehntel);
    if (z.menge != Befund::Gut)
        return z;
    z.mengeZehntel = menge.einheiten(Grenze::MengeStellen);
    z.preis = befund(preis, Grenze::PreisStellen, Grenze::PreisCent);
    if (z.preis != Befund::Gut)
        return z;
    z.preisCent = preis.einheiten(Grenze::PreisStellen);
    z.wertCent = halbAufRunden(z.mengeZehntel * z.preisCent, 10);
    return z;
}

Kostenwert kostenRechnen(const Zahleingabe& kosten) {
    Kostenwert k;
    k.befund = befund(kosten, Grenze::KostenStellen, Grenze::KostenCent);
    if (k.befund == Befund::Gut)
        k.cent = kosten.einheiten(Grenze::KostenStellen);
    return k;
}

UstSatz ustSatzRechnen(const Zahleingabe& satz) {
    UstSatz s;
    s.befund = befund(satz, Grenze::UstSatzStellen, Grenze::UstSatzZehntel, false);
    if (s.befund == Befund::Gut && !satz.hatZiffern)
        s.befund = Befund::Fehlt;
    if (s.befund == Befund::Gut)
        s.zehntel = satz.einheiten(Grenze::UstSatzStellen);
    return s;
}

Rechnungswerte rechnen(const Rechnungseingaben& e) {
    Rechnungswerte w;
    w.inland = e.inland;
    for (int k = 0; k < SatzFeld::AnzahlPositionen; ++k) {
        // A line without digits, as most are, is worth nothing and adds nothing.
        if (!e.mengen[k].hatZiffern && !e.preise[k].hatZiffern)
            continue;
        w.zeilen[k] = zeileRechnen(e.mengen[k], e.preise[k]);
        w.nettoCent += w.zeilen[k].wertCent;
        w.summen.NettoWert += w.zeilen[k].wert();
    }
    double* kostenWerte[] = {&w.summen.VersandKosten, &w.summen.NachnameKosten, &w.summen.SonstigeKosten};
    for (int k = 0; k < 3; ++k) {
        w.kosten[k] = kostenRechnen(e.kosten[k]);
        if (w.kosten[k].befund != Befund::Gut) {
            w.abgewieseneKosten = k;
            return w;
        }
        *kostenWerte[k] = double(w.kosten[k].cent) / 100;
        w.nettoCent += w.kosten[k].cent;
    }
    w.summen.NettoWert =
        w.summen.NettoWert + w.summen.VersandKosten + w.summen.NachnameKosten + w.summen.SonstigeKosten;
    w.summen.BruttoWert = w.summen.NettoWert;
    return w;
}

void ustRechnen(Rechnungswerte& w, std::int64_t satzZehntel) {
    w.ustCent = halbAufRunden(w.nettoCent * satzZehntel, 1000);
    w.summen.UstWert = double(w.ustCent) / 100;
    w.summen.BruttoWert = w.summen.NettoWert + w.summen.UstWert;
}

} // namespace fkb
