#pragma once

#include <cstdint>

namespace fkb {

class TFKB_Formular;

// How the query gets the totals of a listed record. The user's query computes them straight from
// the record and takes the page path (show the record, run the invoice calculation) only for a
// record whose numbers the calculation would complain about; the page path alone gives the same
// messages, list, sums and final state, only slower.
enum class Rechenweg { Direkt, Seiten };

// A query over at least this many customer records shares its work out on two cores.
inline constexpr std::int64_t FahndungTeilenAb = 20000;

// The period query behind "Start Fahndung".
void fahndungStarten(TFKB_Formular& f, Rechenweg weg, std::int64_t teilenAb = FahndungTeilenAb);

} // namespace fkb
