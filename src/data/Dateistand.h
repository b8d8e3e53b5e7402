#pragma once

#include <cstdint>
#include <sys/types.h>

namespace fkb {

// What a file looked like at one moment: which file, how long, when last changed. Facts gathered from a
// file in one state (a load's) may be used instead of reading it again only while it is still in it.
struct Dateistand {
    dev_t geraet = 0;
    ino_t knoten = 0;
    std::int64_t groesse = -1;
    std::int64_t geaendert = 0, statusGeaendert = 0; // nanoseconds
    bool operator==(const Dateistand&) const = default;
};

// The state of an open file; raises EAFehler.
Dateistand dateistandVon(int fd);

} // namespace fkb
