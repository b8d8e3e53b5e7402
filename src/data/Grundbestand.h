#pragma once

#include "data/DatenSatz.h"

#include <string>
#include <vector>

namespace fkb {

// The stamp a record carries: date "dd.mm.yyyy" and time "hh:mm:ss".
struct Stempel {
    std::string datum;
    std::string zeit;
};

// The 52 records of a new data file: the parameter record, the 50 templates and the first customer
// record. They are built one after another in `puffer`, so every field a record does not name keeps
// what the record before left there, as the program has always seeded. The parameter record carries
// `parameter`, all others share `vorlagen`. Afterwards `puffer` holds the first customer record.
std::vector<DatenSatz> grundbestand(DatenSatz& puffer, const Stempel& parameter, const Stempel& vorlagen);

} // namespace fkb
