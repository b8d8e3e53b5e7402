// The invoice calculation of the pages, straight from a record: the very doubles that showing and
// checking it would give.
#include "printing/Direktsummen.h"

#include "editing/Rechnungswerte.h"

namespace fkb {

std::optional<std::int64_t> UstVorrat::satz() {
    if (!gelesen_) {
        gelesen_ = true;
        const UstSatz ust = ustSatzRechnen(zahlAusSatz(parameterSatz_.roh(SatzFeld::Menge(1))));
        if (ust.befund == Befund::Gut)
            satz_ = ust.zehntel;
    }
    return satz_;
}

std::optional<RechnungsSummen> direkteSummen(const DatenSatz& satz, UstVorrat& ust) {
    Rechnungswerte werte = rechnen(eingabenAusSatz(satz));
    if (werte.abgewieseneKosten >= 0)
        return std::nullopt;
    for (const Zeilenwert& zeile : werte.zeilen)
        if (!zeile.gut())
            return std::nullopt;
    if (werte.satzNoetig()) {
        const std::optional<std::int64_t> rate = ust.satz();
        if (!rate)
            return std::nullopt;
        ustRechnen(werte, *rate);
    }
    return werte.summen;
}

} // namespace fkb
