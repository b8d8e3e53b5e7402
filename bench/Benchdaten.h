#pragma once

#include <cstdint>
#include <string>

namespace fkb::bench {

// Writes a realistic data file: the 52 seeded records, then `kundensaetze` customer records of
// about kundensaetze / 20 customers with German names, 1 to 25 positions, mixed kinds and dates.
void datenDateiErzeugen(const std::string& pfad, std::int64_t kundensaetze, std::uint32_t saat = 4711);

} // namespace fkb::bench
