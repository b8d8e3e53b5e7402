#include "data/DatenSatz.h"

#include "data/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace fkb {

std::string DatenSatz::text(Feld f) const {
    return ausWindows1252(roh(f));
}

void DatenSatz::text(Feld f, std::string& ziel) const {
    ausWindows1252(roh(f), ziel);
}

void DatenSatz::setzeText(Feld f, std::string_view utf8) {
    std::string kodiert = nachWindows1252(utf8, f.kapazitaet);
    bytes[f.offset] = static_cast<unsigned char>(kodiert.size());
    std::memcpy(bytes.data() + f.offset + 1, kodiert.data(), kodiert.size());
}

std::string DatenSatz::zeichenText(Feld f) const {
    char c = zeichen(f);
    return c == 0 ? std::string() : ausWindows1252(std::string_view(&c, 1));
}

void DatenSatz::setzeZeichenText(Feld f, std::string_view utf8) {
    std::string kodiert = nachWindows1252(utf8, 1);
    setzeZeichen(f, kodiert.empty() ? '\0' : kodiert[0]);
}

} // namespace fkb
