#pragma once

#include "data/Dateistand.h"
#include "data/DatenSatz.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace fkb {

// The invoice numbers of a file's live invoices (kinds R and B), gathered by a load, with the state of
// the file they describe. An invoice number must be unique; a store proves that against this instead
// of reading the whole file again, as long as the file is still in that state.
class Rechnungsnummern {
public:
    // Whether a record takes part: a live invoice, paid or not. An offer may share its invoice's number.
    static bool istRechnung(const DatenSatz& satz);
    static bool istRechnung(char kennzeichen) { return kennzeichen == 'R' || kennzeichen == 'B'; }
    // The number a record carries; nothing for digits no record can be stored with.
    static std::optional<std::uint32_t> nummerVon(const DatenSatz& satz);

    // Room for as many invoices as the file may hold, taken once: growing step by step copies.
    void beginnen(std::size_t erwartet = 0) {
        eintraege_.clear();
        eintraege_.reserve(erwartet);
        stand_.reset();
    }
    void aufnehmen(const DatenSatz& satz, std::int64_t satzNummer);
    // The load read every record of the file in this state.
    void abschliessen(const Dateistand& stand);
    bool beschreibt(const Dateistand& stand) const { return stand_ == stand; }

    // The record other than `ausser` that carries the number as an invoice; -1 for none.
    std::int64_t traeger(std::uint32_t nummer, std::int64_t ausser) const;

private:
    std::vector<std::pair<std::uint32_t, std::int64_t>> eintraege_; // number, record; sorted when complete
    std::optional<Dateistand> stand_;
};

} // namespace fkb
