#include "editing/Rechnungsnummern.h"

#include <algorithm>

namespace fkb {

bool Rechnungsnummern::istRechnung(const DatenSatz& satz) {
    return istRechnung(satz.zeichen(SatzFeld::RechnungsKennZeichen));
}

// Stored numbers are digits; blanks or letters come only from a damaged file and can never equal one.
std::optional<std::uint32_t> Rechnungsnummern::nummerVon(const DatenSatz& satz) {
    const std::string_view text = satz.roh(SatzFeld::RechnungsNummer);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::uint32_t wert = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        wert = wert * 10 + std::uint32_t(c - '0');
    }
    return wert;
}

void Rechnungsnummern::aufnehmen(const DatenSatz& satz, std::int64_t satzNummer) {
    if (!istRechnung(satz))
        return;
    if (const std::optional<std::uint32_t> nummer = nummerVon(satz))
        eintraege_.emplace_back(*nummer, satzNummer);
}

void Rechnungsnummern::abschliessen(const Dateistand& stand) {
    std::sort(eintraege_.begin(), eintraege_.end());
    stand_ = stand;
}

std::int64_t Rechnungsnummern::traeger(std::uint32_t nummer, std::int64_t ausser) const {
    for (auto it = std::lower_bound(eintraege_.begin(), eintraege_.end(), std::pair{nummer, std::int64_t(-1)});
         it != eintraege_.end() && it->first == nummer; ++it)
        if (it->second != ausser)
            return it->second;
    return -1;
}

} // namespace fkb
